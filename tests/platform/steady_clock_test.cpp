#include <gtest/gtest.h>

#include "platform/clock.h"

namespace tarvolinde::test {
namespace {

TEST(SteadyClock, SleepsAtLeastAsLongAsAskedAndNeverGoesBack) {
    SteadyClock clock;
    const int64_t start = clock.NowUs();
    clock.SleepMs(3);
    const int64_t after = clock.NowUs();
    EXPECT_GE(after - start, 3000);
    EXPECT_GE(clock.NowMs(), start / 1000 + 3);
    clock.SleepUs(0);
    clock.SleepUs(-5);  // nothing to wait for
    EXPECT_GE(clock.NowUs(), after);
}

}  // namespace
}  // namespace tarvolinde::test
