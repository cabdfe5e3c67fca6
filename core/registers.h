#pragma once
// The Z80 register record.

#include <cstdint>

namespace tarvolinde {

// A 16-bit register pair whose halves can be reached by name. The host is
// little-endian, so `lo` is the low-order byte of `w`.
struct RegisterPair {
    union {
        uint16_t w;
        struct {
            uint8_t lo;
            uint8_t hi;
        };
    };
};

// Every register of the processor. AF and AF' keep A in the low-order byte and
// F in the high-order byte, the reverse of the other pairs: code outside the
// processor takes A and F by name (A(), F()) rather than through AF.w.
struct Registers {
    RegisterPair AF{}, BC{}, DE{}, HL{}, IX{}, IY{}, PC{}, SP{};
    RegisterPair AF_{}, BC_{}, DE_{}, HL_{};  // the alternate set
    uint8_t I = 0;
    uint8_t IM = 0;
    uint8_t RCounter = 0;  // counts every opcode fetch and interrupt acknowledge
    uint8_t RBit7 = 0;     // as last written by LD R,A; only bit 7 is used
    uint8_t IFF1 = 0;
    uint8_t IFF2 = 0;
    uint8_t Halted = 0;
    // MEMPTR: the processor's hidden address latch. Programs see it only in
    // flag bits 3 and 5 after BIT n,(HL).
    uint16_t WZ = 0;
    // The flags the last instruction wrote, 0 if it wrote none: SCF and CCF
    // take flag bits 3 and 5 from (Q ^ F) | A.
    uint8_t Q = 0;

    uint8_t& A() { return AF.lo; }
    uint8_t& F() { return AF.hi; }
    uint8_t A() const { return AF.lo; }
    uint8_t F() const { return AF.hi; }
    // AF as programs see it (A in the high byte), e.g. on the stack.
    uint16_t ProgramAF() const { return uint16_t(AF.lo << 8 | AF.hi); }
    void SetProgramAF(uint16_t value) { AF.lo = uint8_t(value >> 8); AF.hi = uint8_t(value); }
    uint16_t ProgramAF_() const { return uint16_t(AF_.lo << 8 | AF_.hi); }
    void SetProgramAF_(uint16_t value) { AF_.lo = uint8_t(value >> 8); AF_.hi = uint8_t(value); }
    // The R register as LD A,R reads it.
    uint8_t R() const { return uint8_t((RBit7 & 0x80) | (RCounter & 0x7F)); }
    void SetR(uint8_t value) { RCounter = RBit7 = value; }
};

}  // namespace tarvolinde
