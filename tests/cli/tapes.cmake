# Tapes through tarvolinde-cli: a tape named on the command line is inserted,
# LOAD "" typed with --type loads it (fast by default, at real speed with
# --fast-load off), and --dump-state reports where the tape stands.
set(TAPES ${TESTDATA_DIR}/tapes)
set(LOAD_QUOTES "j\"\"\\n")

cli_test(tape.fast_load ARGS ${TAPES}/casita-compilado.tap --rom-dir ${ROMS} --frames 100 --type ${LOAD_QUOTES}
         --frames-after 400 --dump-state --peek 40000:4
         EXPECT "tape_block=5\ntape_blocks=6\ntape_playing=0\n" "peek 0x9c40: 3e 02 cd 01\n"
         REQUIRE ${ROMS}/48.rom ${TAPES}/casita-compilado.tap)
cli_test(tape.real_speed ARGS ${TAPES}/casita-compilado.tap --rom-dir ${ROMS} --frames 100 --type ${LOAD_QUOTES}
         --fast-load off --auto-rewind off --frames-after 4500 --dump-state --peek 40000:4
         EXPECT "tape_block=5\ntape_blocks=6\ntape_playing=0\n" "peek 0x9c40: 3e 02 cd 01\n"
         REQUIRE ${ROMS}/48.rom ${TAPES}/casita-compilado.tap)
# Without auto play the tape is started after typing and plays to its end, which rewinds it.
cli_test(tape.auto_play_off ARGS ${TAPES}/casita-compilado.tap --rom-dir ${ROMS} --frames 100 --type ${LOAD_QUOTES}
         --auto-play off --frames-after 400 --dump-state --peek 40000:4
         EXPECT "tape_block=-1\ntape_blocks=6\ntape_playing=0\n" "peek 0x9c40: 3e 02 cd 01\n"
         REQUIRE ${ROMS}/48.rom ${TAPES}/casita-compilado.tap)
cli_test(tape.tzx ARGS ${TAPES}/explodingplanets.tzx --rom-dir ${ROMS} --frames 100 --type ${LOAD_QUOTES}
         --frames-after 600 --dump-state
         EXPECT "tape_block=11\ntape_blocks=12\ntape_playing=0\n"
         REQUIRE ${ROMS}/48.rom ${TAPES}/explodingplanets.tzx)
cli_test(tape.wav ARGS ${TAPES}/ZX_SNAKE1K.TAP.wav --rom-dir ${ROMS} --frames 100 --type ${LOAD_QUOTES}
         --frames-after 800 --screen-text --dump-state
         EXPECT "LEVEL" "LIVES" "tape_blocks=1\n"
         REQUIRE ${ROMS}/48.rom ${TAPES}/ZX_SNAKE1K.TAP.wav)
cli_test(tape.no_tape_no_lines ARGS --rom-dir ${ROMS} --frames 1 --dump-state
         EXPECT "page5=[0-9a-f]+\n$"
         REQUIRE ${ROMS}/48.rom)

file(WRITE ${CMAKE_BINARY_DIR}/not-a-recording.wav "RIFF\\0\\0\\0\\0WAVX")
cli_test(tape.format_error FAIL ARGS ${CMAKE_BINARY_DIR}/not-a-recording.wav --frames 1
         EXPECT "Error en la cinta")
cli_test(tape.bad_extension FAIL ARGS ${TAPES}/README.txt --frames 1 EXPECT "Extensión no válida")
cli_test(tape.bad_switch FAIL ARGS --fast-load maybe EXPECT "invalid value for --fast-load")
