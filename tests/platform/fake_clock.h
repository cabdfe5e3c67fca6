#pragma once
// A Clock for tests: time stands still until the code under test sleeps, and
// every sleep moves it on by exactly the time asked for.

#include <cstdint>
#include <vector>

#include "platform/clock.h"

namespace tarvolinde::test {

class FakeClock final : public Clock {
public:
    int64_t NowUs() const override { return nowUs_; }
    void SleepUs(int64_t microseconds) override {
        Sleeps.push_back(microseconds);
        if (microseconds > 0) nowUs_ += microseconds;
    }

    void AdvanceMs(int64_t milliseconds) { nowUs_ += milliseconds * 1000; }
    void AdvanceUs(int64_t microseconds) { nowUs_ += microseconds; }
    int64_t SleptUs() const {
        int64_t total = 0;
        for (const int64_t sleep : Sleeps) total += sleep > 0 ? sleep : 0;
        return total;
    }

    std::vector<int64_t> Sleeps;  // every sleep asked for, in microseconds

private:
    int64_t nowUs_ = 1'000'000;  // a start that is not zero
};

}  // namespace tarvolinde::test
