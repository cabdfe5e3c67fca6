#pragma once
// Memory and bus-cycle primitives of the processor. Included only by the
// processor's own source files; every instruction reaches memory through these.

#include "core/z80.h"

#define TV_ALWAYS_INLINE inline __attribute__((always_inline))

namespace tarvolinde {

// Adds the contention delay for an access starting now. The Contended flag is
// ContentionActive, fixed for a whole run of instructions by RunUntil.
template <bool Contended>
TV_ALWAYS_INLINE void Z80::contend(uint16_t address) {
    if constexpr (Contended) {
        if (PageContended[unsigned(address) >> 14] && !(NearAccessRule && FrameTStates - LastAccessTStates < 2))
            FrameTStates += ContentionTable[FrameTStates];
        LastAccessTStates = FrameTStates;
    }
}

template <bool Contended>
TV_ALWAYS_INLINE uint8_t Z80::read(uint16_t address) {
    contend<Contended>(address);
    const unsigned a = address;
    return ReadPages[a >> 14][a & 0x3FFF];
}

template <bool Contended>
TV_ALWAYS_INLINE void Z80::write(uint16_t address, uint8_t value) {
    const unsigned a = address;
    uint8_t* const target = WritePages[a >> 14] + (a & 0x3FFF);
    if constexpr (Contended) {
        if (NormalSpeed) {
            contend<true>(address);
            if (uintptr_t(target) - uintptr_t(ScreenWatch) < kScreenBytes) machine_.CaptureScreen();
        }
    }
    if ((a & 0xC0FF) == 0x00FE && InvesModel) InvesMask = value;
    *target = value;
}

template <bool Contended>
TV_ALWAYS_INLINE uint8_t Z80::fetchByte() {
    const uint8_t value = read<Contended>(PC.w);
    ++PC.w;
    FrameTStates += 3;
    return value;
}

template <bool Contended>
TV_ALWAYS_INLINE uint16_t Z80::fetchWord() {
    const uint8_t low = fetchByte<Contended>();
    return uint16_t(low | fetchByte<Contended>() << 8);
}

// Fetch of an opcode after a prefix: an M1 cycle with its refresh.
template <bool Contended>
TV_ALWAYS_INLINE uint8_t Z80::fetchOpcode() {
    const uint8_t op = read<Contended>(PC.w);
    ++PC.w;
    FrameTStates += 4;
    ++RCounter;
    return op;
}

// Internal cycles with the address on the bus: contended like a read, 1 T each.
template <bool Contended>
TV_ALWAYS_INLINE void Z80::busCycles(uint16_t address, int count) {
    if constexpr (Contended) {
        for (int i = 0; i < count; ++i) {
            contend<true>(address);
            FrameTStates += 1;
        }
    } else {
        FrameTStates += count;
    }
}

template <bool Contended>
TV_ALWAYS_INLINE void Z80::push(uint16_t value) {
    --SP.w;
    write<Contended>(SP.w, uint8_t(value >> 8));
    FrameTStates += 3;
    --SP.w;
    write<Contended>(SP.w, uint8_t(value));
    FrameTStates += 3;
}

template <bool Contended>
TV_ALWAYS_INLINE uint16_t Z80::pop() {
    const uint8_t low = read<Contended>(SP.w);
    ++SP.w;
    FrameTStates += 3;
    const uint8_t high = read<Contended>(SP.w);
    ++SP.w;
    FrameTStates += 3;
    return uint16_t(low | high << 8);
}

}  // namespace tarvolinde
