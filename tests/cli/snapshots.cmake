# Snapshots through tarvolinde-cli: files of other programs load on their model
# and run, a saved snapshot loads back to the same --dump-state, and the
# save-format rule and damaged files give the front end's messages.
# (cli_test, ROMS and boot_texts come from machines.cmake, included before this file.)

set(SNAPSHOTS ${TESTDATA_DIR}/snapshots)
cli_test(snapshot.load_48k_sna ARGS --rom-dir ${ROMS} ${SNAPSHOTS}/p48k.sna --frames 0 --dump-state
         EXPECT "model=1\n" "PC=0038\n" "SP=FF48\n" "IM=1\n" REQUIRE ${ROMS}/48.rom ${SNAPSHOTS}/p48k.sna)
cli_test(snapshot.load_128k_z80_from_another_model
         ARGS --model 15 --rom-dir ${ROMS} ${SNAPSHOTS}/p128.z80 --frames 0 --dump-state
         EXPECT "model=4\n" "PC=0039\n" "7FFD=07\n" REQUIRE ${ROMS}/128.rom ${SNAPSHOTS}/p128.z80)
# The snapshot holds BASIC waiting for a command: it must take one.
cli_test(snapshot.load_plus3_szx ARGS --rom-dir ${ROMS} ${SNAPSHOTS}/gen_plus3.szx --frames 0 --dump-state
         EXPECT "model=9\n" "PC=1234\n" "1FFD=AA\n" REQUIRE ${ROMS}/+3.rom ${SNAPSHOTS}/gen_plus3.szx)
cli_test(snapshot.load_sp_and_run ARGS --rom-dir ${ROMS} ${SNAPSHOTS}/p48k.sp --frames 20 --type "p6*7\\n"
         --screen-text EXPECT "\n42 +\n" "0 OK, 0:1" REQUIRE ${ROMS}/48.rom ${SNAPSHOTS}/p48k.sp)
foreach(refused incompatible_format|15|Pentagon.rom|sna sp_only_on_48k|4|128.rom|sp)
  string(REPLACE "|" ";" fields "${refused}")
  list(POP_FRONT fields name model rom extension)
  cli_test(snapshot.${name} FAIL ARGS --model ${model} --rom-dir ${ROMS} --frames 1
           --save-snapshot ${CMAKE_BINARY_DIR}/cli-incompatible.${extension}
           EXPECT "El formato elegido no es compatible con el hardware" REQUIRE ${ROMS}/${rom})
endforeach()
file(WRITE ${CMAKE_BINARY_DIR}/cli-damaged.z80 "not a snapshot, and far too short for one")
cli_test(snapshot.damaged FAIL ARGS --rom-dir ${ROMS} ${CMAKE_BINARY_DIR}/cli-damaged.z80 --frames 1
         EXPECT "Error en el snapshot" REQUIRE ${ROMS}/48.rom)

# FSU keeps everything, the frame position included, on every model, and so
# does SZX; the other formats have no frame position. The 16K model has no
# pages 0 and 2 to keep: what was written there reads as nothing.
set(round_trips sna_48k|1|48.rom|sna|^T= sna_128k|4|128.rom|sna|^T= z80_48k|1|48.rom|z80|^T=
                z80_128k|4|128.rom|z80|^T= sp_48k|1|48.rom|sp|^T= fsu_model0|0|48.rom|fsu|^page[02]=
                szx_16k|0|48.rom|szx|^page[02]= szx_128k|4|128.rom|szx| szx_scorpion|17|Scorpion.rom|szx|)
foreach(entry ${boot_texts})
  string(REGEX REPLACE "^([0-9]+)\\|([^|]+)\\|.*" "fsu_model\\1|\\1|\\2|fsu|" entry "${entry}")
  if(NOT entry MATCHES "^fsu_model0\\|")
    list(APPEND round_trips "${entry}")
  endif()
endforeach()
foreach(entry ${round_trips})
  string(REPLACE "|" ";" fields "${entry}")
  list(POP_FRONT fields name model rom extension ignore)
  set(out ${CMAKE_BINARY_DIR}/cli-round-trip-${name}.${extension})
  add_test(NAME cli.snapshot.round_trip.${name}
    COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:tarvolinde-cli> "-DSAVE=--model|${model}|--rom-dir|${ROMS}|--frames|120"
            -DOUT=${out} "-DLOAD=--rom-dir|${ROMS}" "-DIGNORE=${ignore}" "-DREQUIRE=${ROMS}/${rom}"
            -P ${CMAKE_CURRENT_SOURCE_DIR}/cli/scripts/run_snapshot_round_trip.cmake)
  set_tests_properties(cli.snapshot.round_trip.${name} PROPERTIES SKIP_REGULAR_EXPRESSION "SKIP: ")
endforeach()
