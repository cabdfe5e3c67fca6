#pragma once
// The ED-prefixed set and the DD CB / FD CB bit operations.

#include "core/z80_operations.h"

namespace tarvolinde {

template <bool C, int Op>
TV_ALWAYS_INLINE void Z80::edInstruction() {
    constexpr int x = Op >> 6, y = (Op >> 3) & 7, z = Op & 7, p = y >> 1, q = y & 1;
    if constexpr (x == 1) {
        if constexpr (z == 0) {  // IN r,(C); IN (C) sets the flags only
            FrameTStates += 1;
            WZ = uint16_t(BC.w + 1);
            const uint8_t value = machine_.InPort(BC.w);
            FrameTStates += 3;
            if constexpr (y != 6) reg8<0, y>() = value;
            AF.hi = uint8_t((AF.hi & flag::C) | Flags.SZ53PFlags[value]);
        } else if constexpr (z == 1) {  // OUT (C),r; OUT (C),0
            FrameTStates += 1;
            uint8_t value = 0;
            if constexpr (y != 6) value = reg8<0, y>();
            WZ = uint16_t(BC.w + 1);
            machine_.OutPort(BC.w, value);
            FrameTStates += 3;
        } else if constexpr (z == 2) {  // SBC HL,rr / ADC HL,rr
            FrameTStates += 7;
            WZ = uint16_t(HL.w + 1);
            if constexpr (q == 0) sbc16(reg16<0, p>());
            else adc16(reg16<0, p>());
        } else if constexpr (z == 3) {  // LD (nn),rr / LD rr,(nn)
            const uint16_t address = fetchWord<C>();
            WZ = uint16_t(address + 1);
            uint16_t& pair = reg16<0, p>();
            if constexpr (q == 0) {
                write<C>(address, uint8_t(pair));
                FrameTStates += 3;
                write<C>(uint16_t(address + 1), uint8_t(pair >> 8));
                FrameTStates += 3;
            } else {
                const uint8_t low = read<C>(address);
                FrameTStates += 3;
                const uint8_t high = read<C>(uint16_t(address + 1));
                FrameTStates += 3;
                pair = uint16_t(low | high << 8);
            }
        } else if constexpr (z == 4) {  // NEG
            const uint8_t value = AF.lo;
            AF.lo = 0;
            alu<2>(value);
        } else if constexpr (z == 5) {  // RETN, RETI and their copies all restore IFF1 from IFF2
            PC.w = WZ = pop<C>();
            IFF1 = IFF2;
        } else if constexpr (z == 6) {
            IM = (y & 3) == 2 ? 1 : (y & 3) == 3 ? 2 : 0;
        } else {
            if constexpr (y == 0) {  // LD I,A
                FrameTStates += 1;
                I = AF.lo;
            } else if constexpr (y == 1) {  // LD R,A
                FrameTStates += 1;
                SetR(AF.lo);
                ldAirStamp_ = kNoStamp;
            } else if constexpr (y == 2 || y == 3) {  // LD A,I / LD A,R
                FrameTStates += 1;
                AF.lo = y == 2 ? I : R();
                AF.hi = uint8_t((AF.hi & flag::C) | Flags.SZ53Flags[AF.lo] | (IFF2 ? flag::PV : 0));
                ldAirStamp_ = TotalTStates;
                ldAirR_ = RCounter;
            } else if constexpr (y == 4 || y == 5) {  // RRD / RLD
                const uint8_t m = read<C>(HL.w);
                FrameTStates += 7;
                WZ = uint16_t(HL.w + 1);
                const uint8_t a = AF.lo;
                if constexpr (y == 4) {
                    write<C>(HL.w, uint8_t(a << 4 | m >> 4));
                    AF.lo = uint8_t((a & 0xF0) | (m & 0x0F));
                } else {
                    write<C>(HL.w, uint8_t((m << 4) | (a & 0x0F)));
                    AF.lo = uint8_t((a & 0xF0) | (m >> 4));
                }
                FrameTStates += 3;
                AF.hi = uint8_t((AF.hi & flag::C) | Flags.SZ53PFlags[AF.lo]);
            }
        }
    } else if constexpr (x == 2 && y >= 4 && z <= 3) {
        constexpr int step = (y & 1) ? -1 : 1;
        constexpr bool repeat = y >= 6;
        if constexpr (z == 0) blockLoad<C, step, repeat>();
        else if constexpr (z == 1) blockCompare<C, step, repeat>();
        else if constexpr (z == 2) blockIn<C, step, repeat>();
        else blockOut<C, step, repeat>();
    }
    // Every other ED opcode is an 8 T-state no-op.
}

template <bool C, int Step, bool Repeat>
TV_ALWAYS_INLINE void Z80::blockLoad() {
    const uint8_t value = read<C>(HL.w);
    FrameTStates += 3;
    write<C>(DE.w, value);
    FrameTStates += 3;
    busCycles<C>(DE.w, 2);
    --BC.w;
    const uint8_t n = uint8_t(value + AF.lo);
    uint8_t flags = uint8_t((AF.hi & (flag::S | flag::Z | flag::C)) | (n & flag::F3) | ((n & 0x02) << 4));
    if (BC.w != 0) {
        flags |= flag::PV;
        if constexpr (Repeat) {
            busCycles<C>(DE.w, 5);
            repeatStep(flags);
        }
    }
    AF.hi = flags;
    HL.w = uint16_t(HL.w + Step);
    DE.w = uint16_t(DE.w + Step);
}

template <bool C, int Step, bool Repeat>
TV_ALWAYS_INLINE void Z80::blockCompare() {
    const uint8_t value = read<C>(HL.w);
    FrameTStates += 3;
    busCycles<C>(HL.w, 5);
    --BC.w;
    const uint8_t a = AF.lo;
    const uint8_t difference = uint8_t(a - value);
    const uint8_t halfBorrow = (a & 0x0F) < (value & 0x0F) ? 1 : 0;
    const uint8_t n = uint8_t(difference - halfBorrow);
    uint8_t flags = uint8_t((AF.hi & flag::C) | flag::N | (halfBorrow ? flag::H : 0) | (a == value ? flag::Z : 0) |
                            (difference & flag::S) | (n & flag::F3) | ((n & 0x02) << 4) | (BC.w != 0 ? flag::PV : 0));
    WZ = uint16_t(WZ + Step);
    if constexpr (Repeat) {
        if (a != value && BC.w != 0) {
            busCycles<C>(HL.w, 5);
            repeatStep(flags);
        }
    }
    AF.hi = flags;
    HL.w = uint16_t(HL.w + Step);
}

// The repeat step of INIR/INDR/OTIR/OTDR takes 5 more T-states, bus cycles at
// the memory address just used, as the processor does: 21 T-states in all.
template <bool C, int Step, bool Repeat>
TV_ALWAYS_INLINE void Z80::blockIn() {
    FrameTStates += 2;
    WZ = uint16_t(BC.w + Step);
    const uint8_t value = machine_.InPort(BC.w);
    FrameTStates += 3;
    write<C>(HL.w, value);
    FrameTStates += 1;
    busCycles<C>(HL.w, 2);
    --BC.hi;
    blockIoFlags<C, Repeat>(value, unsigned(value) + uint8_t(BC.lo + Step), HL.w);
    HL.w = uint16_t(HL.w + Step);
}

template <bool C, int Step, bool Repeat>
TV_ALWAYS_INLINE void Z80::blockOut() {
    FrameTStates += 1;
    const uint8_t value = read<C>(HL.w);
    FrameTStates += 4;
    --BC.hi;
    WZ = uint16_t(BC.w + Step);
    machine_.OutPort(BC.w, value);
    FrameTStates += 3;
    HL.w = uint16_t(HL.w + Step);
    blockIoFlags<C, Repeat>(value, unsigned(value) + HL.lo, BC.w);
}

// The flags of INI/IND/OUTI/OUTD: from the byte moved, the counter B and k, the
// byte plus C+-1 (input) or plus L (output). When the instruction repeats, the
// repeat step leaves its own mark on H and P/V, as measured on real parts.
template <bool C, bool Repeat>
TV_ALWAYS_INLINE void Z80::blockIoFlags(uint8_t value, unsigned k, uint16_t busAddress) {
    const uint8_t b = BC.hi;
    uint8_t flags = uint8_t(Flags.SZ53Flags[b] | ((value >> 6) & flag::N) | Flags.ParityFlags[(k & 7) ^ b]);
    if (k > 0xFF) flags |= flag::H | flag::C;
    if constexpr (Repeat) {
        if (b != 0) {
            busCycles<C>(busAddress, 5);
            if (flags & flag::C) {
                const uint8_t next = (value & 0x80) ? uint8_t(b - 1) : uint8_t(b + 1);
                flags ^= uint8_t(Flags.ParityFlags[next & 7] ^ flag::PV);
                flags &= uint8_t(~flag::H);
                if ((next & 0x0F) == ((value & 0x80) ? 0x0F : 0x00)) flags |= flag::H;
            } else {
                flags ^= uint8_t(Flags.ParityFlags[b & 7] ^ flag::PV);
            }
            repeatStep(flags);
        }
    }
    AF.hi = flags;
}

// The step of LDIR/CPIR/INIR/OTIR and their kin that goes round again: PC back
// to the instruction, MEMPTR just past it, flag bits 3 and 5 from PC's high byte.
TV_ALWAYS_INLINE void Z80::repeatStep(uint8_t& flags) {
    PC.w = uint16_t(PC.w - 2);
    WZ = uint16_t(PC.w + 1);
    flags = uint8_t((flags & ~(flag::F3 | flag::F5)) | (PC.hi & (flag::F3 | flag::F5)));
}

// DD CB d op / FD CB d op, on IndexAddress. Rotates, shifts, RES and SET also
// copy the result into the register named by the low three bits (but 6).
template <bool C, int Op>
TV_ALWAYS_INLINE void Z80::indexedCBInstruction() {
    constexpr int x = Op >> 6, y = (Op >> 3) & 7, z = Op & 7;
    const uint8_t value = read<C>(IndexAddress);
    FrameTStates += 4;
    if constexpr (x == 1) {
        bitTest<y>(value, uint8_t(IndexAddress >> 8));
    } else {
        uint8_t result;
        if constexpr (x == 0) result = rotateShift<y>(value);
        else if constexpr (x == 2) result = uint8_t(value & ~(1 << y));
        else result = uint8_t(value | (1 << y));
        if constexpr (z != 6) reg8<0, z>() = result;
        write<C>(IndexAddress, result);
        FrameTStates += 3;
    }
}

}  // namespace tarvolinde
