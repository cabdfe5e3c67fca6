// The frame procedures of RZX recording (counting opcode fetches) and playback
// (running a recorded number of fetches, then the interrupt).

#include <gtest/gtest.h>

#include <utility>

#include "tests/core/flat_machine.h"

namespace tarvolinde::test {
namespace {

constexpr uint16_t kCode = 0x6000;
constexpr uint16_t kStack = 0xF000;

// A short frame (90 T-states, contended phase 50-70) from kCode in IM 1, and
// the recorder's and player's hooks: the recorder stores and clears the fetch
// count at each frame boundary.
struct RzxMachine : FlatMachine, RzxRecordHooks, RzxPlaybackHooks {
    RzxMachine(Z80::FrameProcedure procedure, bool interrupts, int32_t fetches = 0) {
        cpu.FrameRoutine = procedure;
        cpu.ScreenStartT = 50, cpu.ScreenEndT = 70, cpu.FrameLength = 90;
        cpu.PC.w = kCode, cpu.SP.w = kStack, cpu.IM = 1;
        cpu.IFF1 = cpu.IFF2 = interrupts;
        cpu.RzxRecorder = this, cpu.RzxPlayer = this;
        FetchesRemaining = fetches;
    }
    void FrameBoundary() override { counts.push_back(std::exchange(cpu.FetchCount, 0)); }
    void NextFrame() override { ++nextFrameCalls; }
    std::vector<uint32_t> counts;
    int nextFrameCalls = 0;
};

// The interrupt (13 T, not counted), LD IX,nn (14 T, 2 fetches), RLC (IX+d)
// (23 T, 2 fetches: the operation byte is no fetch), then 10 NOPs to T-state 90.
TEST(RzxRecordFrame, CountsEveryOpcodeFetchButNotTheAcknowledge) {
    RzxMachine m(Z80::FrameProcedure::RzxRecord, true);
    m.Load(0x0038, {0xDD, 0x21, 0x00, 0x80, 0xDD, 0xCB, 0x05, 0x06});
    m.cpu.IntWindowEnd = -1;  // recording tests IFF1 alone in its first 32 T-states
    m.cpu.RunFrame();
    EXPECT_EQ(m.cpu.FrameTStates, 90);
    EXPECT_EQ(m.cpu.FetchCount, 14u);
    EXPECT_EQ(m.StackedWord(), kCode);
    EXPECT_EQ(m.captureTimes, std::vector<int32_t>{70});
    EXPECT_EQ(m.cpu.TotalTStates, 90u);
    m.cpu.FrameTStates = 32;  // IFF1 is clear, and would count no more from here
    m.cpu.IFF1 = 1;
    m.cpu.RunFrame();
    EXPECT_EQ(m.counts, (std::vector<uint32_t>{0, 14}));
    EXPECT_EQ(m.cpu.FetchCount, (90u - 32u) / 4 + 1);
    EXPECT_EQ(m.cpu.SP.w, kStack - 2);
}

// A frame ends at an instruction boundary: a run of prefixes started before its
// end completes in it and counts there, so that playback never takes the
// interrupt between prefixes.
TEST(RzxRecordFrame, PrefixRunAtFrameEndCompletesInTheFrame) {
    RzxMachine m(Z80::FrameProcedure::RzxRecord, true);
    m.Load(kCode, {0xDD, 0xDD, 0x21, 0x34, 0x12});
    m.cpu.FrameTStates = 88;
    m.cpu.RunFrame();
    EXPECT_EQ(m.cpu.IX.w, 0x1234);
    EXPECT_EQ(m.cpu.FetchCount, 3u);
    EXPECT_EQ(m.cpu.FrameTStates, 88 + 18);
}

// LD IX,nn (2 fetches), NOP (1), LDIR ending at once (2): five fetches, then the
// interrupt; a count that runs out inside an instruction or a run of prefixes
// completes it first; with no fetches the frame is only the interrupt; the
// T-states wrap at the frame's length (30 NOPs).
TEST(RzxPlayFrame, RunsTheRecordedFetchesThenInterrupts) {
    struct Case {
        std::vector<uint8_t> code;
        int32_t fetches, remaining, tstates;
        bool interrupts;
        uint16_t stacked;
    };
    const Case cases[] = {{{0xDD, 0x21, 0x34, 0x12, 0x00, 0xED, 0xB0}, 5, 0, 14 + 4 + 16 + 13, true, kCode + 7},
                          {{0xDD, 0xDD, 0x21, 0x34, 0x12}, 1, -2, 18 + 13, true, kCode + 5},
                          {{0xDD, 0x21, 0x34, 0x12}, 1, -1, 14, false, 0},
                          {{}, 0, 0, 13, true, kCode},
                          {{}, 0, 0, 0, false, 0},
                          {{}, 30, 0, 120 - 90, false, 0}};
    for (const Case& c : cases) {
        RzxMachine m(Z80::FrameProcedure::RzxPlay, c.interrupts, c.fetches);
        std::copy(c.code.begin(), c.code.end(), m.ram.begin() + kCode);
        m.cpu.BC.w = 1;  // for the LDIR
        m.cpu.FrameTStates = 500;
        m.cpu.RunFrame();
        SCOPED_TRACE(c.fetches);
        EXPECT_EQ(m.FetchesRemaining, c.remaining);
        EXPECT_EQ(m.cpu.FrameTStates, c.tstates);
        EXPECT_EQ(m.cpu.SP.w, c.interrupts ? kStack - 2 : kStack);
        EXPECT_EQ(m.StackedWord(), c.stacked);
        EXPECT_EQ(m.cpu.IX.w, c.code.size() > 2 ? 0x1234 : 0);
        EXPECT_EQ(m.nextFrameCalls, 1);
        EXPECT_EQ(m.captureTimes.size(), 1u);
    }
}

// Playback contends the whole frame and skips the TR-DOS trap.
TEST(RzxPlayFrame, ContendsTheWholeFrameWithoutTheTrdosTrap) {
    RzxMachine m(Z80::FrameProcedure::RzxPlay, false, 2);
    m.cpu.TrdosPaging = 1;
    m.cpu.PC.w = 0x3D00;
    m.cpu.PageContended = {1, 0, 0, 0};
    m.contention[0] = 3;
    m.contention[7] = 2;
    m.cpu.RunFrame();
    EXPECT_EQ(m.cpu.FrameTStates, 4 + 3 + 4 + 2);
    EXPECT_EQ(m.cpu.ContentionActive, 0);
    EXPECT_TRUE(m.ports.empty());
}

}  // namespace
}  // namespace tarvolinde::test
