#pragma once
// Operand selection and the arithmetic shared by the instruction tables.
// Included only by the processor's own source files.

#include <utility>

#include "core/z80_access.h"

namespace tarvolinde {

// 8-bit register by its opcode field: B C D E H L - A. With an index prefix
// (Index 1 = IX, 2 = IY) H and L name the halves of the index register.
template <int Index, int R>
TV_ALWAYS_INLINE uint8_t& Z80::reg8() {
    static_assert(R != 6, "(HL) is a memory operand");
    if constexpr (R == 0) return BC.hi;
    else if constexpr (R == 1) return BC.lo;
    else if constexpr (R == 2) return DE.hi;
    else if constexpr (R == 3) return DE.lo;
    else if constexpr (R == 4) return Index == 0 ? HL.hi : Index == 1 ? IX.hi : IY.hi;
    else if constexpr (R == 5) return Index == 0 ? HL.lo : Index == 1 ? IX.lo : IY.lo;
    else return AF.lo;
}

template <int Index>
TV_ALWAYS_INLINE uint16_t& Z80::indexPair() {
    if constexpr (Index == 0) return HL.w;
    else if constexpr (Index == 1) return IX.w;
    else return IY.w;
}

// 16-bit register by its opcode field: BC DE HL SP (HL replaced by IX or IY).
template <int Index, int P>
TV_ALWAYS_INLINE uint16_t& Z80::reg16() {
    if constexpr (P == 0) return BC.w;
    else if constexpr (P == 1) return DE.w;
    else if constexpr (P == 2) return indexPair<Index>();
    else return SP.w;
}

// Address of the (HL) operand, or of (IX+d) after reading d and the internal
// cycles that follow it.
template <bool Contended, int Index>
TV_ALWAYS_INLINE uint16_t Z80::memoryOperandAddress(int internalCycles) {
    if constexpr (Index == 0) {
        return HL.w;
    } else {
        const int8_t displacement = int8_t(fetchByte<Contended>());
        FrameTStates += internalCycles;
        return WZ = uint16_t(indexPair<Index>() + displacement);
    }
}

template <bool Contended, int Condition>
TV_ALWAYS_INLINE bool Z80::condition() const {
    constexpr uint8_t masks[4] = {flag::Z, flag::C, flag::PV, flag::S};
    const bool set = (AF.hi & masks[Condition >> 1]) != 0;
    return (Condition & 1) ? set : !set;
}

// ADD ADC SUB SBC AND XOR OR CP on A.
template <int Operation>
TV_ALWAYS_INLINE void Z80::alu(uint8_t value) {
    const unsigned a = AF.lo;
    if constexpr (Operation == 0 || Operation == 1) {
        const unsigned result = a + value + (Operation == 1 ? (AF.hi & flag::C) : 0);
        AF.lo = uint8_t(result);
        AF.hi = uint8_t(Flags.SZ53Flags[result & 0xFF] | ((a ^ value ^ result) & flag::H) |
                        (((a ^ ~value) & (a ^ result) & 0x80) >> 5) | (result >> 8));
    } else if constexpr (Operation == 2 || Operation == 3 || Operation == 7) {
        const unsigned result = a - value - (Operation == 3 ? (AF.hi & flag::C) : 0);
        const uint8_t flags = uint8_t(((a ^ value ^ result) & flag::H) | (((a ^ value) & (a ^ result) & 0x80) >> 5) |
                                      flag::N | ((result >> 8) & flag::C));
        if constexpr (Operation == 7) {
            // CP takes bits 3 and 5 from the operand, not from the result.
            AF.hi = uint8_t(flags | (Flags.SZ53Flags[result & 0xFF] & 0xD7) | (value & 0x28));
        } else {
            AF.lo = uint8_t(result);
            AF.hi = uint8_t(flags | Flags.SZ53Flags[result & 0xFF]);
        }
    } else if constexpr (Operation == 4) {
        AF.lo = uint8_t(a & value);
        AF.hi = uint8_t(Flags.SZ53PFlags[AF.lo] | flag::H);
    } else if constexpr (Operation == 5) {
        AF.lo = uint8_t(a ^ value);
        AF.hi = Flags.SZ53PFlags[AF.lo];
    } else {
        AF.lo = uint8_t(a | value);
        AF.hi = Flags.SZ53PFlags[AF.lo];
    }
}

// RLC RRC RL RR SLA SRA SLL SRL.
template <int Operation>
TV_ALWAYS_INLINE uint8_t Z80::rotateShift(uint8_t value) {
    unsigned result, carry;
    const unsigned oldCarry = AF.hi & flag::C;
    if constexpr (Operation == 0) result = (value << 1) | (value >> 7), carry = value >> 7;
    else if constexpr (Operation == 1) result = (value >> 1) | (value << 7), carry = value & 1;
    else if constexpr (Operation == 2) result = (value << 1) | oldCarry, carry = value >> 7;
    else if constexpr (Operation == 3) result = (value >> 1) | (oldCarry << 7), carry = value & 1;
    else if constexpr (Operation == 4) result = value << 1, carry = value >> 7;
    else if constexpr (Operation == 5) result = (value >> 1) | (value & 0x80), carry = value & 1;
    else if constexpr (Operation == 6) result = (value << 1) | 1, carry = value >> 7;
    else result = value >> 1, carry = value & 1;
    const uint8_t r = uint8_t(result);
    AF.hi = uint8_t(Flags.SZ53PFlags[r] | carry);
    return r;
}

// BIT b: Z and P/V show a clear bit, S a set bit 7. Bits 3 and 5 come from
// the register tested, or for a memory operand from the high byte of MEMPTR.
template <int Bit>
TV_ALWAYS_INLINE void Z80::bitTest(uint8_t value, uint8_t undocumented) {
    uint8_t flags = uint8_t((AF.hi & flag::C) | flag::H | (undocumented & (flag::F3 | flag::F5)));
    if (!(value & (1 << Bit))) flags |= flag::Z | flag::PV;
    else if (Bit == 7) flags |= flag::S;
    AF.hi = flags;
}

inline uint16_t Z80::add16(uint16_t a, uint16_t b) {
    const unsigned result = unsigned(a) + b;
    AF.hi = uint8_t((AF.hi & (flag::S | flag::Z | flag::PV)) | ((result >> 8) & 0x28) |
                    (((a ^ b ^ result) >> 8) & flag::H) | (result >> 16));
    return uint16_t(result);
}

inline void Z80::adc16(uint16_t value) {
    static constexpr uint8_t halfCarry[8] = {0, 0, 0x10, 0, 0x10, 0, 0x10, 0x10};
    static constexpr uint8_t overflow[8] = {0, 0x04, 0, 0, 0, 0, 0x04, 0};
    const unsigned hl = HL.w, result = hl + value + (AF.hi & flag::C);
    const unsigned lookup11 = ((hl & 0x800) >> 9) | ((value & 0x800) >> 10) | ((result & 0x800) >> 11);
    const unsigned lookup15 = ((hl & 0x8000) >> 13) | ((value & 0x8000) >> 14) | ((result & 0x8000) >> 15);
    HL.w = uint16_t(result);
    AF.hi = uint8_t(((result >> 8) & 0xA8) | halfCarry[lookup11] | overflow[lookup15] |
                    (HL.w == 0 ? flag::Z : 0) | ((result >> 16) & flag::C));
}

inline void Z80::sbc16(uint16_t value) {
    const unsigned hl = HL.w, result = hl - value - (AF.hi & flag::C);
    HL.w = uint16_t(result);
    AF.hi = uint8_t(((result >> 8) & 0xA8) | (((hl ^ value ^ result) >> 8) & flag::H) |
                    (((hl ^ value) & (hl ^ result) & 0x8000) >> 13) | flag::N | (HL.w == 0 ? flag::Z : 0) |
                    ((result >> 16) & flag::C));
}

// Decimal adjust as the processor does it: the carry is set by the correction
// of the high digit alone and H shows the carry or borrow of the low digit.
inline void Z80::daa() {
    const uint8_t a = AF.lo, f = AF.hi;
    uint8_t correction = 0, carry = f & flag::C;
    if ((f & flag::H) || (a & 0x0F) > 9) correction = 0x06;
    if (carry || a > 0x99) correction |= 0x60, carry = flag::C;
    const uint8_t result = (f & flag::N) ? uint8_t(a - correction) : uint8_t(a + correction);
    AF.lo = result;
    AF.hi = uint8_t(Flags.SZ53PFlags[result] | ((a ^ result) & flag::H) | (f & flag::N) | carry);
}

}  // namespace tarvolinde
