#pragma once
// A Clock for tests: time moves only by AdvanceMs and by the sleeps, which Sleeps records (in µs).

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/clock.h"

namespace tarvolinde::test {

class FakeClock final : public Clock {
public:
    int64_t NowUs() const override { return nowUs_; }
    void SleepUs(int64_t microseconds) override {
        Sleeps.push_back(microseconds);
        nowUs_ += std::max<int64_t>(microseconds, 0);
    }
    void AdvanceMs(int64_t milliseconds) { nowUs_ += milliseconds * 1000; }
    std::vector<int64_t> Sleeps;

private:
    int64_t nowUs_ = 1'000'000;  // a start that is not zero
};

}  // namespace tarvolinde::test
