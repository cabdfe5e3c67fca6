#pragma once
// Test doubles for the processor: 64 KB of flat RAM under a Z80, with port
// accesses and screen captures recorded, and a tracer of the bus accesses of a step.

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "core/z80.h"

namespace tarvolinde::test {

struct PortAccess {
    bool output;
    uint16_t port;
    uint8_t value;
    int32_t tstates;
    bool operator==(const PortAccess&) const = default;
};

class FlatMachine : public MachineInterface {
public:
    FlatMachine() : cpu(*this) {
        for (int slot = 0; slot < 4; ++slot) cpu.ReadPages[slot] = cpu.WritePages[slot] = ram.data() + slot * 0x4000;
        cpu.ContentionTable = contention.data();
        cpu.ScreenWatch = ram.data() + 0x4000;
    }
    // Port reads answer the port's high byte, as FUSE's tests expect.
    uint8_t InPort(uint16_t port) override {
        ports.push_back({false, port, uint8_t(port >> 8), cpu.FrameTStates});
        return uint8_t(port >> 8);
    }
    void OutPort(uint16_t port, uint8_t value) override { ports.push_back({true, port, value, cpu.FrameTStates}); }
    void CaptureScreen() override { captureTimes.push_back(cpu.FrameTStates); }

    void Load(uint16_t address, std::initializer_list<uint8_t> bytes) {
        for (uint8_t b : bytes) ram[address++] = b;
    }
    // Runs one instruction step from PC, with no interrupt, and returns its T-states.
    int32_t Step() {
        const int32_t start = cpu.FrameTStates;
        cpu.IntWindowEnd = -1;
        cpu.RunUntil(cpu.FrameTStates + 1);
        return cpu.FrameTStates - start;
    }
    uint16_t StackedWord() const { return uint16_t(ram[cpu.SP.w] | ram[uint16_t(cpu.SP.w + 1)] << 8); }

    std::array<uint8_t, 0x10000> ram{};
    std::array<int32_t, kTimingTableSize> contention{};
    std::vector<PortAccess> ports;
    std::vector<int32_t> captureTimes;  // FrameTStates at each CaptureScreen
    Z80 cpu;
};

using MachineSetup = std::function<void(FlatMachine&)>;

// Runs one step from FrameTStates 1000 and the state setup leaves, with only
// contendedSlot contended (none for -1) and a delay of 1 at delayAt T-states
// into the step (none for -1); returns the step's length.
inline int32_t ProbeStep(const MachineSetup& setup, int contendedSlot, int32_t delayAt, uint8_t normalSpeed = 1) {
    const auto m = std::make_unique<FlatMachine>();
    m->cpu.FrameTStates = 1000;
    m->cpu.IntWindowEnd = -1;
    setup(*m);
    m->cpu.ContentionActive = 1;
    m->cpu.NormalSpeed = normalSpeed;
    for (int slot = 0; slot < 4; ++slot) m->cpu.PageContended[slot] = slot == contendedSlot;
    const int32_t start = m->cpu.FrameTStates;
    if (delayAt >= 0) m->contention[start + delayAt] = 1;
    m->cpu.RunUntil(start + 1);
    return m->cpu.FrameTStates - start;
}

// The length of a step and its bus accesses as "R1@0 W3@5 ...": read or write,
// slot (address bits 15-14), T-states into the step. Found with no hook in the
// processor: a delay in the contention table lengthens the step only where an
// access to a contended slot starts, and clearing NormalSpeed frees writes alone.
inline std::string TraceStep(const MachineSetup& setup) {
    const int32_t length = ProbeStep(setup, -1, -1);
    std::string trace = std::to_string(length) + ":";
    for (int32_t t = 0; t < length; ++t)
        for (int slot = 0; slot < 4; ++slot)
            if (ProbeStep(setup, slot, t) == length + 1)
                trace += std::string(ProbeStep(setup, slot, t, 0) == length ? " W" : " R") + std::to_string(slot) +
                         "@" + std::to_string(t);
    return trace;
}

}  // namespace tarvolinde::test
