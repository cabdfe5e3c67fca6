// The frame procedures of RZX recording (counting opcode fetches) and playback
// (running a recorded number of fetches, then the interrupt).

#include <gtest/gtest.h>

#include <memory>

#include "tests/core/flat_machine.h"

namespace tarvolinde::test {
namespace {

constexpr uint16_t kCode = 0x6000;
constexpr uint16_t kStack = 0xF000;

uint16_t StackedWord(const FlatMachine& m) {
    return uint16_t(m.ram[m.cpu.SP.w] | m.ram[uint16_t(m.cpu.SP.w + 1)] << 8);
}

// Stores and clears the fetch count at each frame boundary, as the recorder does.
class RecorderDouble : public RzxRecordHooks {
public:
    explicit RecorderDouble(Z80& cpu) : cpu_(cpu) {}
    void FrameBoundary() override {
        counts.push_back(cpu_.FetchCount);
        cpu_.FetchCount = 0;
    }
    std::vector<uint32_t> counts;

private:
    Z80& cpu_;
};

class PlayerDouble : public RzxPlaybackHooks {
public:
    void NextFrame() override { ++nextFrameCalls; }
    int nextFrameCalls = 0;
};

// A short frame: 90 T-states with the contended phase at 50-70.
std::unique_ptr<FlatMachine> RecordingMachine() {
    auto m = std::make_unique<FlatMachine>();
    m->cpu.FrameRoutine = Z80::FrameProcedure::RzxRecord;
    m->cpu.ScreenStartT = 50;
    m->cpu.ScreenEndT = 70;
    m->cpu.FrameLength = 90;
    m->cpu.PC.w = kCode;
    m->cpu.SP.w = kStack;
    m->cpu.IM = 1;
    return m;
}

// The interrupt (13 T, not counted), LD IX,nn (14 T, 2 fetches), RLC (IX+d)
// (23 T, 2 fetches: the operation byte is no fetch), then 10 NOPs to T-state 90.
TEST(RzxRecordFrame, CountsEveryOpcodeFetchButNotTheAcknowledge) {
    const auto m = RecordingMachine();
    RecorderDouble recorder(m->cpu);
    m->cpu.RzxRecorder = &recorder;
    m->Load(0x0038, {0xDD, 0x21, 0x00, 0x80, 0xDD, 0xCB, 0x05, 0x06});
    m->cpu.IFF1 = m->cpu.IFF2 = 1;
    m->cpu.IntWindowEnd = -1;  // recording tests IFF1 alone in its first 32 T-states
    m->cpu.SetR(0);

    m->cpu.RunFrame();
    EXPECT_EQ(m->cpu.FrameTStates, 90);
    EXPECT_EQ(m->cpu.FetchCount, 14u);
    EXPECT_EQ(m->cpu.R(), 15);
    EXPECT_EQ(StackedWord(*m), kCode);
    EXPECT_EQ(m->cpu.ContentionActive, 0);
    EXPECT_EQ(m->captures, 1);
    EXPECT_EQ(m->cpu.TotalTStates, 90u);
    EXPECT_EQ(recorder.counts, std::vector<uint32_t>{0});

    m->cpu.FrameTStates -= m->cpu.FrameLength;
    m->cpu.RunFrame();  // IFF1 is now clear: 23 NOPs
    EXPECT_EQ(recorder.counts, (std::vector<uint32_t>{0, 14}));
    EXPECT_EQ(m->cpu.FetchCount, 23u);
}

TEST(RzxRecordFrame, NoInterruptAfterTheFirst32TStates) {
    const auto m = RecordingMachine();
    m->cpu.IFF1 = m->cpu.IFF2 = 1;
    m->cpu.FrameTStates = 32;
    m->cpu.RunFrame();
    EXPECT_EQ(m->cpu.SP.w, kStack);
    EXPECT_EQ(m->cpu.FetchCount, uint32_t((90 - 32) / 4 + 1));
}

// A run of prefixes cut by the end of a frame must not take the next frame's
// interrupt between its prefixes, as in the standard frame.
TEST(RzxRecordFrame, NoInterruptBetweenPrefixes) {
    const auto m = RecordingMachine();
    m->Load(kCode, {0xDD, 0xDD, 0x21, 0x34, 0x12});
    m->cpu.IFF1 = m->cpu.IFF2 = 1;
    m->cpu.FrameTStates = 88;
    m->cpu.RunFrame();
    m->cpu.FrameTStates -= m->cpu.FrameLength;
    m->cpu.RunFrame();
    EXPECT_EQ(m->cpu.IX.w, 0x1234);
    EXPECT_EQ(StackedWord(*m), kCode + 5);
}

// An RZX frame ends at an instruction boundary: a run of prefixes that starts
// before the end of the frame completes in it and its fetches count there, so
// that playback, which takes the interrupt when the frame's count is used up,
// never takes it between prefixes.
TEST(RzxRecordFrame, PrefixRunAtFrameEndCompletesInTheFrame) {
    const auto m = RecordingMachine();
    m->Load(kCode, {0xDD, 0xDD, 0x21, 0x34, 0x12});
    m->cpu.FrameTStates = 88;
    m->cpu.RunFrame();
    EXPECT_EQ(m->cpu.IX.w, 0x1234);
    EXPECT_EQ(m->cpu.FetchCount, 3u);
    EXPECT_EQ(m->cpu.FrameTStates, 88 + 18);
}

std::unique_ptr<FlatMachine> PlaybackMachine(PlayerDouble& player, int32_t fetches) {
    auto m = std::make_unique<FlatMachine>();
    m->cpu.FrameRoutine = Z80::FrameProcedure::RzxPlay;
    m->cpu.RzxPlayer = &player;
    player.FetchesRemaining = fetches;
    m->cpu.PC.w = kCode;
    m->cpu.SP.w = kStack;
    m->cpu.IM = 1;
    m->cpu.FrameTStates = 500;
    return m;
}

TEST(RzxPlayFrame, FrameOfNoFetchesStillTakesTheInterrupt) {
    PlayerDouble player;
    const auto m = PlaybackMachine(player, 0);
    m->cpu.IFF1 = m->cpu.IFF2 = 1;
    m->cpu.RunFrame();
    EXPECT_EQ(m->cpu.PC.w, 0x0038);
    EXPECT_EQ(StackedWord(*m), kCode);
    EXPECT_EQ(m->cpu.FrameTStates, 13);
    EXPECT_EQ(m->cpu.R(), 1);
    EXPECT_EQ(player.nextFrameCalls, 1);
    EXPECT_EQ(m->captures, 1);
}

TEST(RzxPlayFrame, FrameOfNoFetchesWithInterruptsOffDoesNothing) {
    PlayerDouble player;
    const auto m = PlaybackMachine(player, 0);
    m->cpu.RunFrame();
    EXPECT_EQ(m->cpu.PC.w, kCode);
    EXPECT_EQ(m->cpu.SP.w, kStack);
    EXPECT_EQ(m->cpu.FrameTStates, 0);
    EXPECT_EQ(player.nextFrameCalls, 1);
}

// LD IX,nn (2 fetches), NOP (1), LDIR ending at once (2): five fetches, then
// the interrupt at whatever T-state that is.
TEST(RzxPlayFrame, RunsTheRecordedFetchesThenInterrupts) {
    PlayerDouble player;
    const auto m = PlaybackMachine(player, 5);
    m->Load(kCode, {0xDD, 0x21, 0x34, 0x12, 0x00, 0xED, 0xB0, 0x3C});
    m->cpu.BC.w = 1;
    m->cpu.IFF1 = m->cpu.IFF2 = 1;
    m->cpu.RunFrame();
    EXPECT_EQ(player.FetchesRemaining, 0);
    EXPECT_EQ(m->cpu.IX.w, 0x1234);
    EXPECT_EQ(m->cpu.BC.w, 0);
    EXPECT_EQ(StackedWord(*m), kCode + 7);
    EXPECT_EQ(m->cpu.FrameTStates, 14 + 4 + 16 + 13);
    EXPECT_EQ(player.nextFrameCalls, 1);
}

TEST(RzxPlayFrame, InstructionsAreNotSplitByTheCount) {
    PlayerDouble player;
    const auto m = PlaybackMachine(player, 1);
    m->Load(kCode, {0xDD, 0x21, 0x34, 0x12});
    m->cpu.RunFrame();
    EXPECT_EQ(m->cpu.IX.w, 0x1234);
    EXPECT_EQ(player.FetchesRemaining, -1);
}

// A recorded count that runs out inside a run of prefixes still completes the
// instruction before the interrupt, as it does within one instruction.
TEST(RzxPlayFrame, NoInterruptBetweenPrefixes) {
    PlayerDouble player;
    const auto m = PlaybackMachine(player, 1);
    m->Load(kCode, {0xDD, 0xDD, 0x21, 0x34, 0x12});
    m->cpu.IFF1 = m->cpu.IFF2 = 1;
    m->cpu.RunFrame();
    EXPECT_EQ(m->cpu.IX.w, 0x1234);
    EXPECT_EQ(player.FetchesRemaining, -2);
    EXPECT_EQ(StackedWord(*m), kCode + 5);
}

TEST(RzxPlayFrame, FrameTStatesWrapAtFrameLength) {
    PlayerDouble player;
    const auto m = PlaybackMachine(player, 30);  // 30 NOPs: 120 T-states
    m->cpu.FrameLength = 100;
    m->cpu.TotalTStates = 7;
    m->cpu.RunFrame();
    EXPECT_EQ(m->cpu.PC.w, kCode + 30);
    EXPECT_EQ(m->cpu.FrameTStates, 20);
    EXPECT_EQ(m->cpu.TotalTStates, 7u + 120u);
}

TEST(RzxPlayFrame, ContendsTheWholeFrame) {
    PlayerDouble player;
    const auto m = PlaybackMachine(player, 2);
    m->cpu.PC.w = 0x4000;
    m->cpu.PageContended = {0, 1, 0, 0};
    m->contention[0] = 3;
    m->contention[7] = 2;
    m->cpu.RunFrame();
    EXPECT_EQ(m->cpu.FrameTStates, 4 + 3 + 4 + 2);
    EXPECT_EQ(m->cpu.ContentionActive, 0);
}

TEST(RzxPlayFrame, SkipsTheTrdosTrap) {
    PlayerDouble player;
    const auto m = PlaybackMachine(player, 1);
    m->cpu.TrdosPaging = 1;
    m->cpu.PC.w = 0x3D00;
    m->cpu.RunFrame();
    EXPECT_TRUE(m->ports.empty());
    EXPECT_EQ(m->cpu.PC.w, 0x3D01);
}

}  // namespace
}  // namespace tarvolinde::test
