# The runner's breakpoints and disassembly listing.
cli_test(debug.disassemble ARGS --rom-dir ${ROMS} --frames 0 --disassemble 0:3
         EXPECT "^\n0000  f3           DI\n0001  af           XOR A\n0002  11 ff ff     LD DE,ffff\n$" REQUIRE ${ROMS}/48.rom)
cli_test(debug.break_address ARGS --rom-dir ${ROMS} --frames 200 --break 0x0038 --dump-state
         EXPECT "^\nbreak: address at PC=0038\n" "\nPC=0038\n" REQUIRE ${ROMS}/48.rom)
cli_test(debug.break_port ARGS --rom-dir ${ROMS} --frames 50 --break-port 0xfe/0x01 --dump-state
         EXPECT "^\nbreak: port at PC=[0-9A-F]+\n" REQUIRE ${ROMS}/48.rom)
cli_test(debug.bad_range FAIL ARGS --break-write 0x5000-0x4000 EXPECT "invalid value for --break-write: 0x5000-0x4000")
cli_test(debug.bad_port FAIL ARGS --break-port 0x10000 EXPECT "invalid value for --break-port")

# A BASIC program, 10 PLOT 100,100, typed and run once, is saved; GO TO 10 then
# runs it again under a write breakpoint on the upper two thirds of the screen:
# the run stops in the ROM's PLOT routine, at the LD (HL),A that sets the pixel.
cli_test(debug.program_setup ARGS --rom-dir ${ROMS} --frames 100 --type "10q100,100\\ng10\\n"
         --save-snapshot ${CMAKE_BINARY_DIR}/debug-program.z80 REQUIRE ${ROMS}/48.rom)
cli_test(debug.break_write_plot ARGS --rom-dir ${ROMS} ${CMAKE_BINARY_DIR}/debug-program.z80 --frames 0
         --type "g10\\n" --break-write 0x4000-0x4FFF --dump-state --disassemble 0x2303:1
         EXPECT "^\nbreak: write at PC=2303\n" "\nHL=4B2C\n" "\n2303  77           LD \\(HL\\),A\n" REQUIRE ${ROMS}/48.rom)
set_tests_properties(cli.debug.program_setup PROPERTIES FIXTURES_SETUP debug_program)
set_tests_properties(cli.debug.break_write_plot PROPERTIES FIXTURES_REQUIRED debug_program)
