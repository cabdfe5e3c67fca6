#pragma once
// The Z80 disassembler of the debugger: one instruction of the emulated memory,
// read through the processor's read pages (what it would fetch, with no timing
// and no side effects), turned into a line of text.

#include <cstdint>
#include <string>

#include "core/z80.h"

namespace tarvolinde {

// How the debugger prints numbers: lower-case hexadecimal or decimal,
// zero-padded, with no prefix or suffix ("Hexadecimal").
struct NumberFormat {
    bool Hexadecimal = true;
    std::string Word(uint16_t value) const;  // WordFormat: "%.4x" or "%.5d"
    std::string Byte(uint8_t value) const;   // ByteFormat: "%.2x" or "%.3d"
};

struct Disassembly {
    std::string Text;
    int Length = 1;  // 1 to 4 bytes; DD/FD prefix runs add one byte each
};

Disassembly Disassemble(const Z80& cpu, uint16_t address, const NumberFormat& format);

// The instruction's bytes as the debugger lists them: each with ByteFormat, blank-separated.
std::string InstructionBytes(const Z80& cpu, uint16_t address, int length, const NumberFormat& format);

}  // namespace tarvolinde
