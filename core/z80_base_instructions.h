#pragma once
// The unprefixed instruction set, also used through the DD and FD prefixes
// (Index 1 and 2), and the CB-prefixed set. Each instruction is decoded from
// its opcode fields at compile time: x = bits 7-6, y = bits 5-3, z = bits 2-0.

#include "core/z80_operations.h"

namespace tarvolinde {

template <bool C, int X, int Op>
TV_ALWAYS_INLINE void Z80::baseInstruction() {
    constexpr int x = Op >> 6, y = (Op >> 3) & 7, z = Op & 7, p = y >> 1, q = y & 1;

    if constexpr (x == 0) {
        if constexpr (z == 0) {
            if constexpr (y == 0) {
                // NOP
            } else if constexpr (y == 1) {
                std::swap(AF.w, AF_.w);
            } else if constexpr (y == 2) {  // DJNZ e
                FrameTStates += 1;
                const uint16_t at = PC.w;
                const int8_t e = int8_t(fetchByte<C>());
                if (--BC.hi) {
                    busCycles<C>(at, 5);
                    PC.w = WZ = uint16_t(at + 1 + e);
                }
            } else {  // JR e, JR cc,e
                const uint16_t at = PC.w;
                const int8_t e = int8_t(fetchByte<C>());
                if (y == 3 || condition<C, y - 4>()) {
                    busCycles<C>(at, 5);
                    PC.w = WZ = uint16_t(at + 1 + e);
                }
            }
        } else if constexpr (z == 1) {
            if constexpr (q == 0) {
                reg16<X, p>() = fetchWord<C>();
            } else {
                FrameTStates += 7;
                WZ = uint16_t(indexPair<X>() + 1);
                indexPair<X>() = add16(indexPair<X>(), reg16<X, p>());
            }
        } else if constexpr (z == 2) {
            if constexpr (p < 2) {  // LD (BC),A / LD (DE),A / LD A,(BC) / LD A,(DE)
                const uint16_t address = p == 0 ? BC.w : DE.w;
                if constexpr (q == 0) {
                    write<C>(address, AF.lo);
                    WZ = uint16_t(AF.lo << 8 | ((address + 1) & 0xFF));
                } else {
                    AF.lo = read<C>(address);
                    WZ = uint16_t(address + 1);
                }
                FrameTStates += 3;
            } else {
                const uint16_t address = fetchWord<C>();
                WZ = uint16_t(address + 1);
                if constexpr (p == 2 && q == 0) {  // LD (nn),HL
                    write<C>(address, uint8_t(indexPair<X>()));
                    FrameTStates += 3;
                    write<C>(uint16_t(address + 1), uint8_t(indexPair<X>() >> 8));
                    FrameTStates += 3;
                } else if constexpr (p == 2) {  // LD HL,(nn)
                    const uint8_t low = read<C>(address);
                    FrameTStates += 3;
                    const uint8_t high = read<C>(uint16_t(address + 1));
                    FrameTStates += 3;
                    indexPair<X>() = uint16_t(low | high << 8);
                } else if constexpr (q == 0) {  // LD (nn),A
                    write<C>(address, AF.lo);
                    WZ = uint16_t(AF.lo << 8 | (WZ & 0xFF));
                    FrameTStates += 3;
                } else {  // LD A,(nn)
                    AF.lo = read<C>(address);
                    FrameTStates += 3;
                }
            }
        } else if constexpr (z == 3) {  // INC rr / DEC rr
            FrameTStates += 2;
            if constexpr (q == 0) ++reg16<X, p>();
            else --reg16<X, p>();
        } else if constexpr (z == 4 || z == 5) {  // INC r / DEC r
            const auto update = [this](uint8_t value) {
                AF.hi = uint8_t((AF.hi & flag::C) | (z == 4 ? Flags.IncFlags[value] : Flags.DecFlags[value]));
                return uint8_t(z == 4 ? value + 1 : value - 1);
            };
            if constexpr (y == 6) {
                const uint16_t address = memoryOperandAddress<C, X>(5);
                const uint8_t value = read<C>(address);
                FrameTStates += 4;
                write<C>(address, update(value));
                FrameTStates += 3;
            } else {
                reg8<X, y>() = update(reg8<X, y>());
            }
        } else if constexpr (z == 6) {  // LD r,n
            if constexpr (y == 6 && X == 0) {
                const uint8_t n = fetchByte<C>();
                write<C>(HL.w, n);
                FrameTStates += 3;
            } else if constexpr (y == 6) {  // LD (IX+d),n
                const int8_t displacement = int8_t(fetchByte<C>());
                const uint8_t n = fetchByte<C>();
                FrameTStates += 2;
                WZ = uint16_t(indexPair<X>() + displacement);
                write<C>(WZ, n);
                FrameTStates += 3;
            } else {
                reg8<X, y>() = fetchByte<C>();
            }
        } else {  // accumulator and flag operations
            uint8_t& a = AF.lo;
            uint8_t& f = AF.hi;
            if constexpr (y == 0) {  // RLCA
                a = uint8_t(a << 1 | a >> 7);
                f = uint8_t((f & 0xC4) | (a & 0x29));
            } else if constexpr (y == 1) {  // RRCA
                f = uint8_t((f & 0xC4) | (a & flag::C));
                a = uint8_t(a >> 1 | a << 7);
                f |= a & 0x28;
            } else if constexpr (y == 2) {  // RLA
                const uint8_t carry = a >> 7;
                a = uint8_t(a << 1 | (f & flag::C));
                f = uint8_t((f & 0xC4) | (a & 0x28) | carry);
            } else if constexpr (y == 3) {  // RRA
                const uint8_t carry = a & 1;
                a = uint8_t(a >> 1 | (f & flag::C) << 7);
                f = uint8_t((f & 0xC4) | (a & 0x28) | carry);
            } else if constexpr (y == 4) {
                daa();
            } else if constexpr (y == 5) {  // CPL
                a ^= 0xFF;
                f = uint8_t((f & 0xC5) | (a & 0x28) | flag::H | flag::N);
            } else if constexpr (y == 6) {  // SCF
                f = uint8_t((f & 0xC4) | (((Q ^ f) | a) & 0x28) | flag::C);
            } else {  // CCF
                f = uint8_t((f & 0xC4) | (((Q ^ f) | a) & 0x28) | ((f & flag::C) ? flag::H : flag::C));
            }
        }
    } else if constexpr (x == 1) {
        if constexpr (Op == 0x76) {
            Halted = 1;
        } else if constexpr (y == 6) {  // LD (HL),r: with an index, H and L stay H and L
            const uint16_t address = memoryOperandAddress<C, X>(5);
            write<C>(address, reg8<0, z>());
            FrameTStates += 3;
        } else if constexpr (z == 6) {  // LD r,(HL)
            const uint16_t address = memoryOperandAddress<C, X>(5);
            reg8<0, y>() = read<C>(address);
            FrameTStates += 3;
        } else {
            reg8<X, y>() = reg8<X, z>();
        }
    } else if constexpr (x == 2) {
        if constexpr (z == 6) {
            const uint16_t address = memoryOperandAddress<C, X>(5);
            const uint8_t value = read<C>(address);
            FrameTStates += 3;
            alu<y>(value);
        } else {
            alu<y>(reg8<X, z>());
        }
    } else {
        if constexpr (z == 0) {  // RET cc
            FrameTStates += 1;
            if (condition<C, y>()) PC.w = WZ = pop<C>();
        } else if constexpr (z == 1) {
            if constexpr (q == 0) {  // POP
                if constexpr (p == 3) SetProgramAF(pop<C>());
                else reg16<X, p>() = pop<C>();
            } else if constexpr (p == 0) {  // RET
                PC.w = WZ = pop<C>();
            } else if constexpr (p == 1) {  // EXX
                std::swap(BC.w, BC_.w);
                std::swap(DE.w, DE_.w);
                std::swap(HL.w, HL_.w);
            } else if constexpr (p == 2) {  // JP (HL)
                PC.w = indexPair<X>();
            } else {  // LD SP,HL
                FrameTStates += 2;
                SP.w = indexPair<X>();
            }
        } else if constexpr (z == 2) {  // JP cc,nn: both bytes are always read
            WZ = fetchWord<C>();
            if (condition<C, y>()) PC.w = WZ;
        } else if constexpr (z == 3) {
            if constexpr (y == 0) {  // JP nn
                PC.w = WZ = fetchWord<C>();
            } else if constexpr (y == 1) {
                if constexpr (X == 0) executeCB<C>();
                else executeIndexedCB<C>(indexPair<X>());
            } else if constexpr (y == 2) {  // OUT (n),A
                const uint8_t n = fetchByte<C>();
                FrameTStates += 1;
                WZ = uint16_t(AF.lo << 8 | ((n + 1) & 0xFF));
                machine_.OutPort(uint16_t(AF.lo << 8 | n), AF.lo);
                FrameTStates += 3;
            } else if constexpr (y == 3) {  // IN A,(n)
                const uint8_t n = fetchByte<C>();
                FrameTStates += 1;
                const uint16_t port = uint16_t(AF.lo << 8 | n);
                WZ = uint16_t(port + 1);
                AF.lo = machine_.InPort(port);
                FrameTStates += 3;
            } else if constexpr (y == 4) {  // EX (SP),HL
                const uint8_t low = read<C>(SP.w);
                FrameTStates += 3;
                const uint16_t above = uint16_t(SP.w + 1);
                const uint8_t high = read<C>(above);
                FrameTStates += 4;
                uint16_t& pair = indexPair<X>();
                write<C>(above, uint8_t(pair >> 8));
                FrameTStates += 3;
                write<C>(SP.w, uint8_t(pair));
                FrameTStates += 5;
                pair = WZ = uint16_t(low | high << 8);
            } else if constexpr (y == 5) {  // EX DE,HL: never IX or IY
                std::swap(DE.w, HL.w);
            } else if constexpr (y == 6) {
                IFF1 = IFF2 = 0;
            } else {  // EI: the interrupt waits for the end of the next instruction
                IFF1 = IFF2 = 1;
                eiStamp_ = TotalTStates;
                eiR_ = RCounter;
            }
        } else if constexpr (z == 4 || (z == 5 && Op == 0xCD)) {  // CALL cc,nn / CALL nn
            WZ = fetchWord<C>();
            if (z == 5 || condition<C, y>()) {
                busCycles<C>(uint16_t(PC.w - 1), 1);
                push<C>(PC.w);
                PC.w = WZ;
            }
        } else if constexpr (z == 5) {
            if constexpr (q == 0) {  // PUSH
                FrameTStates += 1;
                push<C>(p == 3 ? ProgramAF() : reg16<X, p>());
            } else if constexpr (p == 1) {
                executeIndexed<C>(1);
            } else if constexpr (p == 2) {
                executeED<C>();
            } else {
                executeIndexed<C>(2);
            }
        } else if constexpr (z == 6) {
            alu<y>(fetchByte<C>());
        } else {  // RST p
            FrameTStates += 1;
            push<C>(PC.w);
            PC.w = WZ = uint16_t(y * 8);
        }
    }
}

template <bool C, int Op>
TV_ALWAYS_INLINE void Z80::cbInstruction() {
    constexpr int x = Op >> 6, y = (Op >> 3) & 7, z = Op & 7;
    const auto operate = [this](uint8_t value) -> uint8_t {
        if constexpr (x == 0) return rotateShift<y>(value);
        else if constexpr (x == 1) return bitTest<y>(value, z == 6 ? uint8_t(WZ >> 8) : value), value;
        else if constexpr (x == 2) return uint8_t(value & ~(1 << y));
        else return uint8_t(value | (1 << y));
    };
    if constexpr (z == 6) {
        const uint8_t value = read<C>(HL.w);
        FrameTStates += 4;
        const uint8_t result = operate(value);
        if constexpr (x != 1) {
            write<C>(HL.w, result);
            FrameTStates += 3;
        }
    } else {
        reg8<0, z>() = operate(reg8<0, z>());
    }
}

}  // namespace tarvolinde
