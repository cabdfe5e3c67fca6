#include "frontend/emulation_thread.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

// These tests share plain, unsynchronised state between the two threads on
// purpose: built with -fsanitize=thread they fail if the stop protocol lets
// both sides at it at once (the window's tests change a whole machine so).

namespace tarvolinde {
namespace {

void WaitForFrames(const EmulationThread& thread, uint64_t frames) {
    while (thread.FramesRun() < frames) std::this_thread::yield();
}

TEST(EmulationThreadTest, RunsNothingUntilResumedAndEndsOrIsDestroyedWithoutHanging) {
    int frames = 0;
    EmulationThread thread([&] { ++frames; });
    EXPECT_TRUE(thread.Suspended());
    thread.Suspend();  // not running: returns at once
    EXPECT_TRUE(thread.End(std::chrono::milliseconds(1000)));
    EXPECT_TRUE(thread.Ended());
    thread.Resume();  // ended: nothing happens
    EXPECT_EQ(frames, 0);
    EXPECT_EQ(thread.FramesRun(), 0u);
    EmulationThread running([&] { ++frames; });  // destroyed while running
    running.Resume();
    WaitForFrames(running, 2);
}

TEST(EmulationThreadTest, SuspendAndEndReturnOnlyOnceTheThreadHasStoppedBetweenFrames) {
    std::vector<int> shared;  // written by every frame, read and written by the test while suspended
    EmulationThread thread([&] { shared.push_back(int(shared.size())); });
    uint64_t before = 0;
    for (int round = 0; round < 200; ++round) {
        thread.Resume();
        WaitForFrames(thread, before + 1);
        thread.Suspend();
        EXPECT_TRUE(thread.Suspended());
        // Every frame that ran is complete and no other starts.
        ASSERT_EQ(shared.size(), thread.FramesRun());
        EXPECT_GT(thread.FramesRun(), before);
        before = thread.FramesRun();
        shared.back() = -1;
    }
    thread.Resume();
    WaitForFrames(thread, before + 3);
    EXPECT_TRUE(thread.End(std::chrono::milliseconds(1000)));
    EXPECT_EQ(shared.size(), thread.FramesRun());
    EXPECT_TRUE(thread.Ended());
    EXPECT_FALSE(thread.Suspended());
}

}  // namespace
}  // namespace tarvolinde
