# FUSE's timing regression program on the 48K and the 128K: the frame length and
# contention offset of the real machines, and every test that applies passes.
set(FUSETEST ${TESTDATA_DIR}/timing/fusetest.tap)
set(fusetest_passes "BIT n,\\(IX\\+d\\)" "DAA" "OUTI" "LDIR" "Contended IN" "Floating bus" "Contended memory"
    "High port contention 1" "High port contention 2" "0xbffd read")
list(TRANSFORM fusetest_passes APPEND "\\.\\.\\. passed")
foreach(run "48k|1|j\"\"\\n|0x9100|skipped" "128k|4|\\n|0x94fc|passed")
  string(REPLACE "|" ";" run "${run}")
  list(GET run 0 name)
  list(GET run 1 model)
  list(GET run 2 keys)
  list(GET run 3 frame)
  list(GET run 4 paging_reads)
  cli_test(timing.fusetest_${name} ARGS ${FUSETEST} --rom-dir ${ROMS} --model ${model} --frames 100 --type ${keys}
           --frames-after 1500 --screen-text
           EXPECT "Frame length 0x8000 \\+ ${frame}" "Contention offset: 0x08" ${fusetest_passes}
                  "0x3ffd read\\.\\.\\. ${paging_reads}" "0x7ffd read\\.\\.\\. ${paging_reads}"
           REQUIRE ${FUSETEST} ${ROMS}/48.rom ${ROMS}/128.rom)
endforeach()
