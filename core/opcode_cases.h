#pragma once
// Expands CASE(n) for every opcode 0x00-0xFF, so that each table's switch lists
// one case per opcode, each calling the instruction template of that opcode.

#define TV_OPCODES_16(CASE, high) \
    CASE(high + 0x0) CASE(high + 0x1) CASE(high + 0x2) CASE(high + 0x3) CASE(high + 0x4) CASE(high + 0x5) \
    CASE(high + 0x6) CASE(high + 0x7) CASE(high + 0x8) CASE(high + 0x9) CASE(high + 0xA) CASE(high + 0xB) \
    CASE(high + 0xC) CASE(high + 0xD) CASE(high + 0xE) CASE(high + 0xF)

#define TV_OPCODES_256(CASE) \
    TV_OPCODES_16(CASE, 0x00) TV_OPCODES_16(CASE, 0x10) TV_OPCODES_16(CASE, 0x20) TV_OPCODES_16(CASE, 0x30) \
    TV_OPCODES_16(CASE, 0x40) TV_OPCODES_16(CASE, 0x50) TV_OPCODES_16(CASE, 0x60) TV_OPCODES_16(CASE, 0x70) \
    TV_OPCODES_16(CASE, 0x80) TV_OPCODES_16(CASE, 0x90) TV_OPCODES_16(CASE, 0xA0) TV_OPCODES_16(CASE, 0xB0) \
    TV_OPCODES_16(CASE, 0xC0) TV_OPCODES_16(CASE, 0xD0) TV_OPCODES_16(CASE, 0xE0) TV_OPCODES_16(CASE, 0xF0)
