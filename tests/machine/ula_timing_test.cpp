// The contention of the 48K, 128K and +2A/+3 against the published timings of
// the real machines: memory delays around the first contended T-state of a
// line, the I/O contention patterns, and the contended window of the frame.

#include <gtest/gtest.h>

#include <array>

#include "machine_test_support.h"

namespace tarvolinde::test {
namespace {

// Runs one instruction placed at 0x8000 (uncontended on every model) with
// contention on, from T-state `start`, and returns the T-states it took.
int32_t RunAt(TSp& m, int32_t start, std::initializer_list<uint8_t> code, uint8_t a = 0) {
    Poke(m, 0x8000, code);
    m.cpu.PC.w = 0x8000, m.cpu.A() = a, m.cpu.ContentionActive = 1, m.cpu.FrameTStates = start;
    return Step(m);
}

struct Family {
    const char* name;
    int model;
    int32_t firstContended;  // of the first screen line
    int32_t lineTStates;
    std::array<int, 8> delays;
};

constexpr Family kFamilies[] = {
    {"48K", 1, 14335, 224, {6, 5, 4, 3, 2, 1, 0, 0}},
    {"128K", 4, 14361, 228, {6, 5, 4, 3, 2, 1, 0, 0}},
    {"+3", 9, 14365, 228, {1, 0, 7, 6, 5, 4, 3, 2}},
};

// LD A,(0x4000) reads screen memory 10 T-states after it starts: its length
// shows the delay at that T-state, around both ends of a contended line.
TEST(UlaTiming, MemoryDelaysAroundTheContendedPartOfALine) {
    for (const Family& family : kFamilies) {
        auto m = MadeUpMachine(family.model);
        for (const int line : {0, 1, 191}) {
            for (const int offset : {-2, -1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 126, 127, 128, 129}) {
                const int32_t read = family.firstContended + line * family.lineTStates + offset;
                const int expected = offset < 0 || offset >= 128 ? 0 : family.delays[offset % 8];
                EXPECT_EQ(RunAt(*m, read - 10, {0x3A, 0x00, 0x40}), 13 + expected)
                    << family.name << " line " << line << " offset " << offset;
            }
        }
    }
}

// IN A,(n) with A as the port's high byte: its I/O cycle starts 7 T-states in,
// here one T-state before the first contended T-state of the screen.
TEST(UlaTiming, IoContentionPatterns) {
    struct Case {
        int model;
        uint8_t high, low;
        int length;  // of the whole instruction
    };
    static constexpr Case kCases[] = {
        {1, 0x40, 0xFE, 17},  // contended high byte, ULA port: C:1, C:3
        {1, 0x40, 0xFF, 23},  // contended high byte, other port: C:1 four times
        {1, 0x80, 0xFE, 17},  // uncontended high byte, ULA port: N:1, C:3
        {1, 0x80, 0xFF, 11},  // uncontended high byte, other port: N:4
        {4, 0x40, 0xFF, 23},  // the same ULA on the 128K
        {9, 0x40, 0xFE, 11},  // the +2A/+3 gate array does not contend I/O
        {9, 0x40, 0xFF, 11},
    };
    for (const Case& c : kCases) {
        auto m = MadeUpMachine(c.model);
        const int32_t first = c.model == 1 ? 14335 : c.model == 4 ? 14361 : 14365;
        EXPECT_EQ(RunAt(*m, first - 1 - 7, {0xDB, c.low}, c.high), c.length)
            << "model " << c.model << " port " << std::hex << (c.high << 8 | c.low);
    }
}

// An instruction that starts before the screen but reads it once the screen has
// started is delayed even inside the frame procedure: after LD A,(0x4000)
// reads at 14335 (+6), a 12 T-state JR loop ends the frame at 69892; without
// the delay it would end at 69898.
TEST(UlaTiming, TheFrameContendsAnInstructionThatStartsBeforeTheScreen) {
    auto m = MadeUpMachine(kModel48K);
    Poke(*m, 0x8000, {0x3A, 0x00, 0x40, 0x18, 0xFE});
    m->cpu.PC.w = 0x8000;
    m->cpu.IFF1 = 0;
    m->cpu.FrameTStates = 14325;
    m->cpu.StandardFrame();
    EXPECT_EQ(m->cpu.FrameTStates, 69892);
}

}  // namespace
}  // namespace tarvolinde::test
