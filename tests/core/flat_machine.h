#pragma once
// A test double: 64 KB of flat RAM under a Z80, with port accesses recorded.

#include <array>
#include <cstdint>
#include <initializer_list>
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
        for (int slot = 0; slot < 4; ++slot) {
            cpu.ReadPages[slot] = ram.data() + slot * 0x4000;
            cpu.WritePages[slot] = ram.data() + slot * 0x4000;
        }
        cpu.ContentionTable = contention.data();
        cpu.ScreenWatch = ram.data() + 0x4000;  // where the Spectrum's screen is
    }

    uint8_t InPort(uint16_t port) override {
        const uint8_t value = inputFromPortHighByte ? uint8_t(port >> 8) : inputValue;
        ports.push_back({false, port, value, cpu.FrameTStates});
        return value;
    }
    void OutPort(uint16_t port, uint8_t value) override { ports.push_back({true, port, value, cpu.FrameTStates}); }
    void CaptureScreen() override {
        ++captures;
        captureTimes.push_back(cpu.FrameTStates);
    }

    void Load(uint16_t address, std::initializer_list<uint8_t> bytes) {
        for (uint8_t b : bytes) ram[address++] = b;
    }
    // Runs exactly one instruction from PC and returns the T-states it took.
    int32_t Step() {
        const int32_t start = cpu.FrameTStates;
        cpu.IntWindowEnd = -1;
        cpu.RunUntil(cpu.FrameTStates + 1);
        return cpu.FrameTStates - start;
    }

    std::array<uint8_t, 0x10000> ram{};
    std::array<int32_t, kTimingTableSize> contention{};
    std::vector<PortAccess> ports;
    uint8_t inputValue = 0xFF;
    // Port reads answer the high byte of the port instead of inputValue, as the
    // FUSE processor tests expect.
    bool inputFromPortHighByte = false;
    int captures = 0;
    // FrameTStates at each CaptureScreen call: the processor calls it at the
    // start of every contended write into the screen bytes.
    std::vector<int32_t> captureTimes;
    Z80 cpu;
};

}  // namespace tarvolinde::test
