// Delays the machines add to memory accesses (through the processor's page
// tables and contention table) and to port accesses (in their port operations).

#include <gtest/gtest.h>

#include <vector>

#include "machine_test_support.h"

namespace tarvolinde::test {
namespace {

constexpr int kModel128 = 4, kModelInves = 3, kModelPlus3 = 9, kModelPentagon = 15, kModelScorpion = 17;

// Runs LD A,(address) from uncontended RAM so that the read of `address` starts
// at `readT`, and returns the delay it suffered.
int32_t ReadDelay(TSp& machine, uint16_t address, int32_t readT) {
    Poke(machine, 0x8000, {0x3A, uint8_t(address), uint8_t(address >> 8)});
    machine.cpu.PC.w = 0x8000;
    machine.cpu.FrameTStates = readT - 10;  // opcode 4, operand 3 + 3
    machine.cpu.ContentionActive = 1;
    return Step(machine) - 13;
}

std::vector<int32_t> ReadDelays(TSp& machine, uint16_t address, int32_t firstT, int count = 8) {
    std::vector<int32_t> delays;
    for (int i = 0; i < count; ++i) delays.push_back(ReadDelay(machine, address, firstT + i));
    return delays;
}

const std::vector<int32_t> kUlaPattern{6, 5, 4, 3, 2, 1, 0, 0};

TEST(MemoryContention, The48KDelaysScreenMemoryOnly) {
    auto machine = MadeUpMachine(kModel48K);
    EXPECT_EQ(ReadDelays(*machine, 0x4000, 14335), kUlaPattern);
    EXPECT_EQ(ReadDelays(*machine, 0x5800, 14335 + 191 * 224 + 8 * 15), kUlaPattern);
    EXPECT_EQ(ReadDelay(*machine, 0x4000, 14334), 0);
    EXPECT_EQ(ReadDelay(*machine, 0x4000, 14335 + 128), 0);  // the beam is in the right border
    EXPECT_EQ(ReadDelay(*machine, 0x8000, 14335), 0);
    EXPECT_EQ(ReadDelay(*machine, 0xC000, 14335), 0);
    EXPECT_EQ(ReadDelay(*machine, 0x0000, 14335), 0);
}

TEST(MemoryContention, The128KAndInvesUseTheirOwnLinesAndTheOddPages) {
    for (int model : {kModel128, kModelInves}) {
        auto machine = MadeUpMachine(model);
        EXPECT_EQ(ReadDelays(*machine, 0x4000, 14347), kUlaPattern);
        EXPECT_EQ(ReadDelays(*machine, 0x4000, 14347 + 228), kUlaPattern);
        EXPECT_EQ(ReadDelay(*machine, 0x8000, 14347), 0);
    }
    auto machine = MadeUpMachine(kModel128);
    for (int page = 0; page < 8; ++page) {
        machine->OutPort(0x7FFD, uint8_t(page));
        EXPECT_EQ(ReadDelay(*machine, 0xC000, 14347), page & 1 ? 6 : 0) << "page " << page;
    }
}

TEST(MemoryContention, ThePlus3GateArrayPattern) {
    auto machine = MadeUpMachine(kModelPlus3);
    EXPECT_EQ(ReadDelays(*machine, 0x4000, 14363), (std::vector<int32_t>{1, 0, 7, 6, 5, 4, 3, 2}));
    EXPECT_EQ(ReadDelay(*machine, 0x4000, 14362), 0);
    EXPECT_EQ(ReadDelay(*machine, 0x8000, 14365), 0);
}

TEST(MemoryContention, PentagonAndScorpionAreNeverDelayed) {
    for (int model : {kModelPentagon, kModelScorpion}) {
        auto machine = MadeUpMachine(model);
        for (int32_t t : {14335, 14347, 17920, 17921, 30000})
            EXPECT_EQ(ReadDelay(*machine, 0x4000, t), 0) << "model " << model << " T " << t;
    }
}

// Calls a port operation at T-state t and returns the delay it added.
template <typename Access>
int32_t PortDelay(TSp& machine, int32_t t, Access access) {
    machine.cpu.FrameTStates = t;
    access(machine);
    return machine.cpu.FrameTStates - t;
}

TEST(PortContention, UlaPortAccessesOnThe48K) {
    auto machine = MadeUpMachine(kModel48K);
    const auto out = [](uint16_t port) { return [port](TSp& m) { m.OutPort(port, 0); }; };
    const auto in = [](uint16_t port) { return [port](TSp& m) { m.InPort(port); }; };
    EXPECT_EQ(PortDelay(*machine, 14335, out(0x00FE)), 6);
    EXPECT_EQ(PortDelay(*machine, 14337, in(0xFEFE)), 4);
    EXPECT_EQ(PortDelay(*machine, 14341, in(0x7FFE)), 0);
    // Odd ports are not the ULA's.
    EXPECT_EQ(PortDelay(*machine, 14335, out(0x00FF)), 0);
    EXPECT_EQ(PortDelay(*machine, 14335, in(0x40FF)), 0);
    EXPECT_EQ(PortDelay(*machine, 14335, out(0xFFFD)), 0);

    // Through the processor: OUT (0xFE),A makes its port access 8 T-states in.
    Poke(*machine, 0x8000, {0xD3, 0xFE});
    machine->cpu.PC.w = 0x8000;
    machine->cpu.FrameTStates = 14327;
    machine->cpu.ContentionActive = 1;
    EXPECT_EQ(Step(*machine), 11 + 6);
}

TEST(PortContention, The128KPagingWriteIsDelayedTwice) {
    auto machine = MadeUpMachine(kModel128);
    EXPECT_EQ(PortDelay(*machine, 14347, [](TSp& m) { m.OutPort(0x00FE, 0); }), 6);
    // Delay at T+3 (6 at 14347), then at the new T (14350: 3).
    EXPECT_EQ(PortDelay(*machine, 14344, [](TSp& m) { m.OutPort(0x7FFD, 0); }), 9);
    EXPECT_EQ(PortDelay(*machine, 14300, [](TSp& m) { m.OutPort(0x7FFD, 0x20); }), 0);
    // A write the lock ignores costs nothing.
    EXPECT_EQ(PortDelay(*machine, 14344, [](TSp& m) { m.OutPort(0x7FFD, 0); }), 0);
}

TEST(PortContention, InvesDelaysUlaWritesButNotItsZeroPorts) {
    auto machine = MadeUpMachine(kModelInves);
    EXPECT_EQ(PortDelay(*machine, 14347, [](TSp& m) { m.OutPort(0x00FE, 0); }), 6);
    EXPECT_EQ(PortDelay(*machine, 14348, [](TSp& m) { m.InPort(0xFEFE); }), 5);
    EXPECT_EQ(PortDelay(*machine, 14347, [](TSp& m) { m.InPort(0x00DE); }), 0);
}

TEST(PortContention, ThePlus3DelaysUlaReadsAndPort1FFDOnly) {
    auto machine = MadeUpMachine(kModelPlus3);
    EXPECT_EQ(PortDelay(*machine, 14365, [](TSp& m) { m.InPort(0xFEFE); }), 7);
    EXPECT_EQ(PortDelay(*machine, 14365, [](TSp& m) { m.OutPort(0x00FE, 0); }), 0);
    EXPECT_EQ(PortDelay(*machine, 14365, [](TSp& m) { m.OutPort(0x1FFD, 0); }), 7);
    EXPECT_EQ(PortDelay(*machine, 14365, [](TSp& m) { m.OutPort(0x7FFD, 0); }), 0);
}

TEST(PortContention, PentagonAndScorpionPortsAreNeverDelayed) {
    for (int model : {kModelPentagon, kModelScorpion}) {
        auto machine = MadeUpMachine(model);
        for (int32_t t : {14335, 14347, 17920}) {
            EXPECT_EQ(PortDelay(*machine, t, [](TSp& m) { m.OutPort(0x00FE, 0); }), 0);
            EXPECT_EQ(PortDelay(*machine, t, [](TSp& m) { m.InPort(0xFEFE); }), 0);
            EXPECT_EQ(PortDelay(*machine, t, [](TSp& m) { m.OutPort(0x7FFD, 0); }), 0);
        }
    }
}

}  // namespace
}  // namespace tarvolinde::test
