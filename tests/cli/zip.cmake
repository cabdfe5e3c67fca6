# ZIP archives through tarvolinde-cli: each kind takes its own member, a plain archive
# is a tape before a snapshot, and --preview shows what the open dialog would.
set(ZIPS ${TESTDATA_DIR}/zip)
foreach(entry "--tape|two_tapes.zip|tape_blocks=2\n" "--tape|data_descriptor_streamed.zip|tape_blocks=2\n"
              "|mixed_kinds.zip|model=1\n.*tape_blocks=" "|z80_stored.zip|\nPC=0039\n" "--snapshot|mixed_kinds.zip|model=4\n")
  string(REPLACE "|" ";" fields "${entry}")
  list(POP_FRONT fields option archive expect)
  string(REGEX REPLACE "[^a-z0-9]+" "_" name "${option}_${archive}")
  cli_test(zip.load${name} ARGS --rom-dir ${ROMS} ${option} ${ZIPS}/${archive} --frames 0 --dump-state
           EXPECT "${expect}" REQUIRE ${ROMS}/48.rom ${ROMS}/128.rom ${ZIPS}/${archive})
endforeach()
cli_test(zip.no_member FAIL ARGS --rom-dir ${ROMS} --snapshot ${ZIPS}/two_tapes.zip EXPECT "Error en archivo ZIP" REQUIRE ${ZIPS}/two_tapes.zip)
cli_test(zip.preview_screen ARGS --preview tape ${ZIPS}/scr_then_tap.zip ${CMAKE_BINARY_DIR}/cli-preview.scr
         EXPECT "preview: TAP" SIZES ${CMAKE_BINARY_DIR}/cli-preview.scr=6912 REQUIRE ${ZIPS}/scr_then_tap.zip)
cli_test(zip.preview_png ARGS --preview snapshot ${ZIPS}/mixed_kinds.zip ${CMAKE_BINARY_DIR}/cli-preview.png
         EXPECT "preview: 128" REQUIRE ${ZIPS}/mixed_kinds.zip)
cli_test(zip.preview_none FAIL ARGS --preview snapshot ${ZIPS}/scr_then_tap.zip ${CMAKE_BINARY_DIR}/cli-none.png
         EXPECT "Imagen no disponible" REQUIRE ${ZIPS}/scr_then_tap.zip)
