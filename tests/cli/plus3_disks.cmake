# +3 disks through tarvolinde-cli with the real +3 ROM: +3 BASIC formats a
# blank disk, saves a program on it and catalogues it; the saved image loads in
# a fresh process and the program runs; a DSK made by another program catalogues.
# (cli_test and ROMS come from machines.cmake, included before this file.)

set(DISK ${CMAKE_BINARY_DIR}/cli-plus3-disk.dsk)
# The +3 menu's second item, then each command. The first key after a report
# only takes the report away: a step of its own ({SPACE}) does that.
set(PLUS3 --model 9 --rom-dir ${ROMS} --frames 150 --type "{DOWN}{ENTER}")
cli_test(disk.format_save_cat ARGS ${PLUS3} --disk ${CMAKE_CURRENT_SOURCE_DIR}/data/blank40.dsk
         --type "FORMAT \"a:\"\\n" --frames-after 300 --type "{SPACE}" --type "10 PRINT \"HOLA\"\\n"
         --type "SAVE \"prog\"\\n" --frames-after 300 --type "{SPACE}" --type "CAT\\n" --frames-after 200
         --screen-text --dump-state --save-disk ${DISK}
         EXPECT "PROG    \\.      1K" "172K free" "disk_a=inserted\ndisk_motor=[01]\n" REQUIRE ${ROMS}/+3.rom)
set_tests_properties(cli.disk.format_save_cat PROPERTIES FIXTURES_SETUP plus3_disk)
cli_test(disk.load_and_run ARGS ${PLUS3} --disk ${DISK} --type "LOAD \"prog\"\\n" --frames-after 300
         --type "{SPACE}" --type "RUN\\n" --screen-text EXPECT "\nHOLA  " "0 OK, 10:1" REQUIRE ${ROMS}/+3.rom)
set_tests_properties(cli.disk.load_and_run PROPERTIES FIXTURES_REQUIRED plus3_disk)
cli_test(disk.other_programs_image ARGS ${PLUS3} --disk ${TESTDATA_DIR}/disks/testdsk.dsk --type "CAT\\n"
         --frames-after 300 --screen-text EXPECT "DISK    \\.      1K"
         REQUIRE ${ROMS}/+3.rom ${TESTDATA_DIR}/disks/testdsk.dsk)

cli_test(disk.no_drive FAIL ARGS ${OPENSE} --frames 1 --disk ${CMAKE_CURRENT_SOURCE_DIR}/data/blank40.dsk
         EXPECT "no disk drive" REQUIRE ${OPENSE_DIR}/48.rom)
cli_test(disk.trd_refused FAIL ARGS --model 9 --rom-dir ${ROMS} --frames 1 --disk game.trd
         EXPECT "Extensión no válida" REQUIRE ${ROMS}/+3.rom)
file(WRITE ${CMAKE_BINARY_DIR}/cli-damaged.dsk "not a disk image, and far too short for one")
cli_test(disk.damaged FAIL ARGS --model 9 --rom-dir ${ROMS} --frames 1 --disk ${CMAKE_BINARY_DIR}/cli-damaged.dsk
         EXPECT "Error en el disco" REQUIRE ${ROMS}/+3.rom)
cli_test(type.unknown_key_name FAIL ARGS --frames 1 --type "{DOWN}{JUMP}" EXPECT "unknown key name \\{JUMP\\}")
