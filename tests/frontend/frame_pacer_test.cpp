#include "frontend/frame_pacer.h"

#include <gtest/gtest.h>

#include "fake_clock.h"

namespace tarvolinde {
namespace {

using test::SpinningClock;

TEST(ClockPacerTest, AFrameOnTimeSleepsMostOfTheWayAndIsDrawn) {
    SpinningClock clock;
    ClockPacer pacer(clock, 20);
    pacer.Start();
    const int64_t deadline = pacer.DeadlineUs();
    EXPECT_NEAR(deadline - clock.Peek(), 20000, SpinningClock::kReadUs);

    clock.AdvanceUs(5000);  // the frame took 5 ms
    EXPECT_TRUE(pacer.EndOfFrame());
    ASSERT_EQ(clock.Sleeps.size(), 1u);
    // Slept to 4 ms before the deadline, then waited out the rest on the clock.
    EXPECT_NEAR(clock.Sleeps[0], 20000 - 5000 - ClockPacer::kSpinUs, 2 * SpinningClock::kReadUs);
    EXPECT_GE(clock.Peek(), deadline);
    EXPECT_LT(clock.Peek(), deadline + 2 * SpinningClock::kReadUs);
    EXPECT_EQ(pacer.DeadlineUs(), deadline + 20000);
}

TEST(ClockPacerTest, ALateFrameIsNotDrawnAndIsCaughtUpUpTo250Milliseconds) {
    SpinningClock clock;
    ClockPacer pacer(clock, 20);
    pacer.Start();
    const int64_t deadline = pacer.DeadlineUs();

    clock.AdvanceUs(30000);  // 10 ms late
    EXPECT_FALSE(pacer.EndOfFrame());
    EXPECT_TRUE(clock.Sleeps.empty());
    EXPECT_EQ(pacer.DeadlineUs(), deadline + 20000);  // the next frame runs without waiting

    clock.AdvanceUs(300000);  // hopelessly late: start again from now, and show where it is
    EXPECT_TRUE(pacer.EndOfFrame());
    EXPECT_NEAR(pacer.DeadlineUs() - clock.Peek(), 20000, 2 * SpinningClock::kReadUs);
}

TEST(ClockPacerTest, KeepsFiftyFramesASecondAndTheChosenSpeed) {
    for (const auto& [frameMs, expectedUs] : {std::pair{20u, 1'000'000}, std::pair{10u, 500'000}}) {
        SpinningClock clock;
        ClockPacer pacer(clock, 20);
        pacer.SetFrameMs(frameMs);
        pacer.Start();
        const int64_t start = clock.Peek();
        int drawn = 0;
        for (int frame = 0; frame < 50; ++frame) {
            clock.AdvanceUs(1500);  // the machine's own work
            drawn += pacer.EndOfFrame();
        }
        EXPECT_NEAR(clock.Peek() - start, expectedUs, 200) << frameMs;
        EXPECT_EQ(drawn, 50) << frameMs;
    }
}

TEST(ClockPacerTest, FastSpeedsStillDrawFramesOnTime) {
    SpinningClock clock;
    ClockPacer pacer(clock, 2);  // 1000 %
    pacer.Start();
    clock.AdvanceUs(500);
    EXPECT_TRUE(pacer.EndOfFrame());
    EXPECT_TRUE(clock.Sleeps.empty());  // too close to sleep: waited on the clock
}

}  // namespace
}  // namespace tarvolinde
