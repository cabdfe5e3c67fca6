#include "frontend/emulation_thread.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "machine/machine_factory.h"
#include "machine/sp.h"

// These tests share plain, unsynchronised state between the two threads on
// purpose: built with -fsanitize=thread they fail if the stop protocol lets
// both sides at it at once.

namespace tarvolinde {
namespace {

void WaitForFrames(const EmulationThread& thread, uint64_t frames) {
    while (thread.FramesRun() < frames) std::this_thread::yield();
}

TEST(EmulationThreadTest, RunsNothingUntilResumedAndEndsWithoutRunningAFrame) {
    int frames = 0;
    EmulationThread thread([&] { ++frames; });
    EXPECT_TRUE(thread.Suspended());
    thread.Suspend();  // not running: returns at once
    EXPECT_TRUE(thread.End(std::chrono::milliseconds(1000)));
    EXPECT_TRUE(thread.Ended());
    EXPECT_EQ(frames, 0);
    thread.Resume();  // ended: nothing happens
    EXPECT_EQ(thread.FramesRun(), 0u);
}

TEST(EmulationThreadTest, SuspendReturnsOnlyOnceTheThreadHasStoppedBetweenFrames) {
    std::vector<int> shared;  // written by every frame, read and written by the test while suspended
    EmulationThread thread([&] { shared.push_back(int(shared.size())); });
    uint64_t before = 0;
    for (int round = 0; round < 200; ++round) {
        thread.Resume();
        WaitForFrames(thread, before + 1);
        thread.Suspend();
        EXPECT_EQ(thread.ThreadRequest(), EmulationThread::kNoRequest);
        EXPECT_TRUE(thread.Suspended());
        // Every frame that ran is complete and no other starts.
        ASSERT_EQ(shared.size(), thread.FramesRun());
        EXPECT_GT(thread.FramesRun(), before);
        before = thread.FramesRun();
        shared.back() = -1;
    }
    EXPECT_TRUE(thread.End(std::chrono::milliseconds(1000)));
    EXPECT_EQ(shared.size(), thread.FramesRun());
}

TEST(EmulationThreadTest, EndStopsARunningThreadAfterItsFrame) {
    int frames = 0;
    EmulationThread thread([&] { ++frames; });
    thread.Resume();
    WaitForFrames(thread, 3);
    EXPECT_TRUE(thread.End(std::chrono::milliseconds(1000)));
    EXPECT_EQ(uint64_t(frames), thread.FramesRun());
    EXPECT_TRUE(thread.Ended());
    EXPECT_FALSE(thread.Suspended());
}

TEST(EmulationThreadTest, DestroyingARunningThreadEndsIt) {
    int frames = 0;
    {
        EmulationThread thread([&] { ++frames; });
        thread.Resume();
        WaitForFrames(thread, 2);
    }
    const int afterwards = frames;
    EXPECT_GE(afterwards, 2);
}

TEST(EmulationThreadTest, AMachineChangedBetweenFramesRunsOnWithTheChange) {
    // A ROM of NOPs: the processor walks through memory, frame after frame.
    const RomProvider roms = [](std::string_view) { return std::optional(std::vector<uint8_t>(0x4000, 0x00)); };
    std::unique_ptr<TSp> machine = CreateMachine(kModel48K, roms);
    EmulationThread thread([&] { machine->RunFrame(); });
    uint64_t frames = 0;
    for (int round = 0; round < 50; ++round) {
        thread.Resume();
        WaitForFrames(thread, frames + 2);
        thread.Suspend();
        frames = thread.FramesRun();
        // Between frames: the counter is at the start of a frame, and the
        // user-interface side may change anything.
        EXPECT_LT(machine->cpu.FrameTStates, 100);
        machine->RamPage(5)[0] = uint8_t(round);
        machine->KeyRows[0] = uint8_t(round);
        if (round % 10 == 9) machine = CreateMachine(kModel48K, roms);  // a model switch
    }
    EXPECT_TRUE(thread.End(std::chrono::milliseconds(1000)));
}

}  // namespace
}  // namespace tarvolinde
