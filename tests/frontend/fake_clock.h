#pragma once
// A Clock for the pacer tests: time moves on by what is slept, and a little on
// every reading, as it does while a pacer spins on the clock.

#include <cstdint>
#include <vector>

#include "platform/clock.h"

namespace tarvolinde::test {

class SpinningClock final : public Clock {
public:
    static constexpr int64_t kReadUs = 50;  // what one reading of the clock costs

    int64_t NowUs() const override { return nowUs_ += kReadUs; }
    void SleepUs(int64_t microseconds) override {
        Sleeps.push_back(microseconds);
        if (microseconds > 0) nowUs_ += microseconds;
    }
    void AdvanceUs(int64_t microseconds) { nowUs_ += microseconds; }
    int64_t Peek() const { return nowUs_; }

    std::vector<int64_t> Sleeps;

private:
    mutable int64_t nowUs_ = 5'000'000;
};

}  // namespace tarvolinde::test
