# Tapes through tarvolinde-cli: a tape named on the command line is inserted,
# LOAD "" typed with --type loads it (fast by default, at real speed with
# --fast-load off), and --dump-state reports where the tape stands.
set(TAPES ${TESTDATA_DIR}/tapes)
# tape_load(name tape frames-after [more ARGS] EXPECT ...): LOAD "" typed on the 48K after start-up.
function(tape_load name tape frames)
  cli_test(tape.${name} ARGS ${TAPES}/${tape} --rom-dir ${ROMS} --frames 100 --type "j\"\"\\n" --frames-after ${frames}
           ${ARGN} REQUIRE ${ROMS}/48.rom ${TAPES}/${tape})
endfunction()

set(CASITA_LOADED "peek 0x9c40: 3e 02 cd 01\n")
tape_load(fast_load casita-compilado.tap 400 --dump-state --peek 40000:4
          EXPECT "tape_block=5\ntape_blocks=6\ntape_playing=0\n" ${CASITA_LOADED})
tape_load(real_speed casita-compilado.tap 4500 --fast-load off --auto-rewind off --dump-state --peek 40000:4
          EXPECT "tape_block=5\ntape_blocks=6\ntape_playing=0\n" ${CASITA_LOADED})
# Without auto play the tape is started after typing and plays to its end, which rewinds it.
tape_load(auto_play_off casita-compilado.tap 400 --auto-play off --dump-state --peek 40000:4
          EXPECT "tape_block=-1\ntape_blocks=6\ntape_playing=0\n" ${CASITA_LOADED})
tape_load(tzx explodingplanets.tzx 600 --dump-state EXPECT "tape_block=11\ntape_blocks=12\ntape_playing=0\n")
tape_load(wav ZX_SNAKE1K.TAP.wav 800 --screen-text --dump-state EXPECT "LEVEL" "LIVES" "tape_blocks=1\n")
cli_test(tape.no_tape_no_lines ARGS --rom-dir ${ROMS} --frames 1 --dump-state EXPECT "page5=[0-9a-f]+\nrzx_state=idle\n"
         REQUIRE ${ROMS}/48.rom)

file(WRITE ${CMAKE_BINARY_DIR}/not-a-recording.wav "RIFF\\0\\0\\0\\0WAVX")
cli_test(tape.format_error FAIL ARGS ${CMAKE_BINARY_DIR}/not-a-recording.wav --frames 1 EXPECT "Error en la cinta")
cli_test(tape.bad_extension FAIL ARGS ${TAPES}/README.txt --frames 1 EXPECT "Extensión no válida")
cli_test(tape.bad_switch FAIL ARGS --fast-load maybe EXPECT "invalid value for --fast-load")
