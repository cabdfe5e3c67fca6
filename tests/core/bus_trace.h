#pragma once
// Finds when an instruction step touches memory, with no hook in the processor:
// a one-T-state delay placed in the contention table at T-state t lengthens the
// step only if an access to a contended slot starts at t. Probing every
// T-state of the step, with one 16 KB slot contended at a time, gives the
// T-state and slot of every access. Writes are told apart by probing once more
// with NormalSpeed clear, which frees writes, and only writes, from contention.

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

#include "tests/core/flat_machine.h"

namespace tarvolinde::test {

struct BusAccess {
    int32_t at;  // T-states from the start of the step
    int slot;    // address bits 15-14
    bool write;
    bool operator==(const BusAccess&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const BusAccess& access) {
    return out << (access.write ? "W" : "R") << access.slot << "@" << access.at;
}

struct BusTrace {
    int32_t length = 0;  // T-states of the undelayed step
    std::vector<BusAccess> accesses;
};

using MachineSetup = std::function<void(FlatMachine&)>;

namespace detail {

// Runs one step from the state that setup leaves, with only contendedSlot
// contended (none for -1) and a delay of 1 at delayAt T-states into the step
// (none for -1), and returns its length.
inline int32_t RunProbe(const MachineSetup& setup, int contendedSlot, int32_t delayAt, uint8_t normalSpeed = 1) {
    auto machine = std::make_unique<FlatMachine>();
    Z80& cpu = machine->cpu;
    cpu.FrameTStates = 1000;
    cpu.IntWindowEnd = -1;
    setup(*machine);
    cpu.ContentionActive = 1;
    cpu.NormalSpeed = normalSpeed;
    cpu.NearAccessRule = 0;
    for (int slot = 0; slot < 4; ++slot) cpu.PageContended[slot] = slot == contendedSlot ? 1 : 0;
    const int32_t start = cpu.FrameTStates;
    if (delayAt >= 0) machine->contention[start + delayAt] = 1;
    cpu.RunUntil(start + 1);
    return cpu.FrameTStates - start;
}

}  // namespace detail

// Traces one instruction step (and the interrupt acceptance before it, if the
// setup makes one due). The step starts at FrameTStates 1000 with no interrupt
// window unless setup changes them.
inline BusTrace TraceStep(const MachineSetup& setup) {
    const int32_t length = detail::RunProbe(setup, -1, -1);
    BusTrace trace{length, {}};
    for (int32_t t = 0; t < length; ++t) {
        for (int slot = 0; slot < 4; ++slot) {
            if (detail::RunProbe(setup, slot, t) == length + 1) {
                const bool write = detail::RunProbe(setup, slot, t, 0) == length;
                trace.accesses.push_back({t, slot, write});
            }
        }
    }
    return trace;
}

}  // namespace tarvolinde::test
