# Whole machines through tarvolinde-cli: every model boots to its start-up
# screen, typing reaches BASIC, and the reports keep their formats.
# cli_test(name [FAIL] ARGS ... EXPECT regexes... REQUIRE files... SIZES file=bytes...): see run_cli.cmake.
function(cli_test name)
  cmake_parse_arguments(T "FAIL" "" "ARGS;EXPECT;REQUIRE;SIZES" ${ARGN})
  set(defines -DCLI=$<TARGET_FILE:tarvolinde-cli> -DFAIL=${T_FAIL})
  foreach(list ARGS EXPECT REQUIRE SIZES)
    string(REPLACE ";" "|" value "${T_${list}}")
    list(APPEND defines "-D${list}=${value}")
  endforeach()
  add_test(NAME cli.${name} COMMAND ${CMAKE_COMMAND} ${defines} -P ${CMAKE_CURRENT_SOURCE_DIR}/cli/scripts/run_cli.cmake)
  set_tests_properties(cli.${name} PROPERTIES SKIP_REGULAR_EXPRESSION "SKIP: ")
endfunction()

set(ROMS ${TESTDATA_DIR}/roms)
set(boot_texts
  "0|48.rom|1982 Sinclair Research Ltd"
  "1|48.rom|1982 Sinclair Research Ltd"
  "2|48+.rom|1982 Sinclair Research Ltd"
  "3|Inves.rom|Sistema preparado"
  "4|128.rom|128 BASIC.*1986 Sinclair Research Ltd"
  "5|128+.rom|1985 Sinclair Research Ltd"
  "6|+2.rom|Amstrad Consumer"
  "7|+2e.rom|Amstrad Consumer"
  "8|+2f.rom|Amstrad Consumer"
  "9|+3.rom|1982, 1986, 1987 Amstrad Plc.*Drives A: and M: available"
  "10|+3e.rom|1982, 1986, 1987 Amstrad Plc.*Unidades disponibles:  A y M"
  "11|+3.rom|1982, 1986, 1987 Amstrad Plc.*Drive M: available"
  "12|+3e.rom|1982, 1986, 1987 Amstrad Plc.*Unidades disponibles:  M"
  "13|+3Ei.rom|Garry Lancaster.*Physical drives"
  "14|+3Ee.rom|Garry Lancaster.*Unidades fisicas"
  "15|Pentagon.rom|TR-DOS.*1986 Sinclair Research Ltd"
  "16|Penta_sp.rom|TR-DOS"
  "17|Scorpion.rom|Scorpion ZS 256")
foreach(entry ${boot_texts})
  string(REPLACE "|" ";" fields "${entry}")
  list(POP_FRONT fields model rom text)
  cli_test(boot.model${model} ARGS --model ${model} --rom-dir ${ROMS} --frames 300 --screen-text
           EXPECT "${text}" REQUIRE ${ROMS}/${rom})
endforeach()

cli_test(type.sinclair48 ARGS --rom-dir ${ROMS} --frames 300 --type "p2+2\\n" --screen-text
         EXPECT "\n4 +\n" REQUIRE ${ROMS}/48.rom)
cli_test(type.model_by_caption ARGS --model "128 Kb" --rom-dir ${ROMS} --frames 300 --screen-text
         EXPECT "128 BASIC" REQUIRE ${ROMS}/128.rom)

# OpenSE BASIC, the default ROM, from Debian's package under the name the 48K model looks for.
set(OPENSE_DIR ${CMAKE_BINARY_DIR}/opense-roms)
if(EXISTS /usr/share/spectrum-roms/opense.rom)
  file(MAKE_DIRECTORY ${OPENSE_DIR})
  file(COPY_FILE /usr/share/spectrum-roms/opense.rom ${OPENSE_DIR}/48.rom ONLY_IF_DIFFERENT)
endif()
set(OPENSE --rom-dir ${OPENSE_DIR})
cli_test(type.opense ARGS ${OPENSE} --frames 300 --type "print 2+2\\n" --screen-text
         EXPECT "\n4 +\n" "OK, 0:1" REQUIRE ${OPENSE_DIR}/48.rom)
cli_test(report.formats ARGS ${OPENSE} --frames 0 --dump-state --peek 0x0000:4 --peek 23552
         EXPECT "model=1\n" "AF=FFFF\n" "SP=FFFF\n" "PC=0000\n" "IFF1=0\n" "7FFD=00\n" "T=0\n"
                "page0=[0-9a-f]+\npage2=[0-9a-f]+\npage5=[0-9a-f]+\n"
                "peek 0x0000: [0-9a-f][0-9a-f] [0-9a-f][0-9a-f] [0-9a-f][0-9a-f] [0-9a-f][0-9a-f]\n" "peek 0x5c00:( [0-9a-f][0-9a-f])+\n"
         REQUIRE ${OPENSE_DIR}/48.rom)
foreach(shot bmp=38518 scr=6912)
  string(REGEX REPLACE "=.*" "" type ${shot})
  cli_test(screenshot.${type} ARGS ${OPENSE} --frames 100 --screenshot ${CMAKE_BINARY_DIR}/cli-screenshot.${type}
           SIZES ${CMAKE_BINARY_DIR}/cli-screenshot.${shot} REQUIRE ${OPENSE_DIR}/48.rom)
endforeach()
cli_test(screenshot.png ARGS ${OPENSE} --frames 100 --screenshot ${CMAKE_BINARY_DIR}/cli-screenshot.png --speed
         EXPECT "frames: 100 seconds: [0-9.]+ x-real-time: [0-9.]+\n$" REQUIRE ${OPENSE_DIR}/48.rom)

cli_test(missing_rom FAIL ARGS --model 13 --rom-dir ${CMAKE_BINARY_DIR}/no-such-dir --frames 1
         EXPECT "No existe la ROM \"\\+3Ei.rom")
cli_test(bad_option FAIL ARGS --frames lots EXPECT "invalid value for --frames")
