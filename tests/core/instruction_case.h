#pragma once
// Table-driven instruction checks: a few bytes of code, the state before, the
// T-states of each step and a check of the state after.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "tests/core/flat_machine.h"

namespace tarvolinde::test {

inline constexpr uint16_t kCodeAddress = 0x6000;
inline constexpr uint16_t kStackTop = 0xF000;
inline constexpr int32_t kStartTStates = 1000;

using Setup = std::function<void(FlatMachine&)>;
using Check = std::function<void(const FlatMachine&)>;

struct InstructionCase {
    std::string name;            // a C identifier, shown as the test's name
    std::vector<uint8_t> code;   // placed at kCodeAddress, where PC starts
    Setup setup;                 // state before, on top of ResetCpu
    std::vector<int32_t> steps;  // T-states of each instruction step run
    Check check;
};

inline std::ostream& operator<<(std::ostream& out, const InstructionCase& c) { return out << c.name; }

inline std::string CaseName(const testing::TestParamInfo<InstructionCase>& info) { return info.param.name; }

// Runs the case's steps, without contention, and then its check.
inline void RunInstructionCase(const InstructionCase& c) {
    auto machine = std::make_unique<FlatMachine>();
    Z80& cpu = machine->cpu;
    cpu.ResetCpu();
    cpu.PC.w = kCodeAddress;
    cpu.SP.w = kStackTop;
    cpu.FrameTStates = kStartTStates;
    uint16_t address = kCodeAddress;
    for (const uint8_t b : c.code) machine->ram[address++] = b;
    if (c.setup) c.setup(*machine);
    for (size_t i = 0; i < c.steps.size(); ++i) {
        SCOPED_TRACE("step " + std::to_string(i + 1));
        EXPECT_EQ(machine->Step(), c.steps[i]);
    }
    if (c.check) c.check(*machine);
}

}  // namespace tarvolinde::test
