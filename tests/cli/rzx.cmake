# RZX recordings and SZX snapshots through tarvolinde-cli: a recorded session
# (a tape loaded with typed input) plays back to the same state at several
# frame counts; FUSE's recordings play to their last frame; a damaged one ends
# with the front end's message and a machine that goes on.
# (cli_test, ROMS come from machines.cmake, included before this file.)

set(RZX ${TESTDATA_DIR}/rzx)
foreach(entry gen_fuse_48_crashcars2|3000 gen_fuse_128_explodingplanets|6000)
  string(REPLACE "|" ";" fields "${entry}")
  list(POP_FRONT fields name frames)
  cli_test(rzx.${name} ARGS --rom-dir ${ROMS} ${RZX}/${name}.rzx --dump-state
           EXPECT "\nrzx_state=ended\nrzx_frame=${frames}\nrzx_frames=${frames}\n"
           REQUIRE ${ROMS}/48.rom ${ROMS}/128.rom ${RZX}/${name}.rzx)
endforeach()
# No snapshot: it plays on the booting 48K until its third frame is found cut
# short; the ROM then finishes its start-up.
cli_test(rzx.damaged FAIL ARGS --rom-dir ${ROMS} --rzx ${RZX}/invalid-repeat-frame.rzx --frames 200 --dump-state
         --screen-text EXPECT "Error en la acción" "rzx_state=error" "1982 Sinclair Research Ltd"
         REQUIRE ${ROMS}/48.rom ${RZX}/invalid-repeat-frame.rzx)
# The same recording, as the RZX dialog picks it from an archive of mixed kinds.
cli_test(rzx.from_zip FAIL ARGS --rom-dir ${ROMS} --rzx ${TESTDATA_DIR}/zip/mixed_kinds.zip --frames 50 --dump-state
         EXPECT "Error en la acción" "rzx_state=error" REQUIRE ${ROMS}/48.rom ${TESTDATA_DIR}/zip/mixed_kinds.zip)
cli_test(rzx.preview ARGS --preview rzx ${RZX}/gen_fuse_48_crashcars2.rzx ${CMAKE_BINARY_DIR}/cli-rzx-preview.scr
         EXPECT "preview: RZX" SIZES ${CMAKE_BINARY_DIR}/cli-rzx-preview.scr=6912
         REQUIRE ${RZX}/gen_fuse_48_crashcars2.rzx)
cli_test(rzx.no_preview FAIL ARGS --preview rzx ${TESTDATA_DIR}/snapshots/p48k.z80 ${CMAKE_BINARY_DIR}/cli-none.png
         EXPECT "Imagen no disponible")

set(record_args --rom-dir|${ROMS}|--frames|100|${TESTDATA_DIR}/tapes/ZX_SNAKE1K.TAP|--type|j\"\"\\n)
add_test(NAME cli.rzx.record_and_play_back
  COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:tarvolinde-cli> "-DRECORD=${record_args}" -DAFTER=60|300|700 "-DPLAY=--rom-dir|${ROMS}"
          -DOUT=${CMAKE_BINARY_DIR}/cli-rzx-session "-DREQUIRE=${ROMS}/48.rom|${TESTDATA_DIR}/tapes/ZX_SNAKE1K.TAP"
          -P ${CMAKE_CURRENT_SOURCE_DIR}/cli/scripts/run_rzx_round_trip.cmake)
set_tests_properties(cli.rzx.record_and_play_back PROPERTIES SKIP_REGULAR_EXPRESSION "SKIP: ")
