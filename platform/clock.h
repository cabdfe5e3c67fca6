#pragma once
// Wall-clock time for pacing the emulation: a monotonic "now" and a sleep. The
// pacers and the silent audio sink take one by reference, so that tests can
// drive them with a clock of their own.

#include <cstdint>

namespace tarvolinde {

class Clock {
public:
    virtual ~Clock() = default;
    // Microseconds since an arbitrary fixed point; never goes backwards.
    virtual int64_t NowUs() const = 0;
    // Blocks the calling thread for at least this long (nothing for 0 or less).
    virtual void SleepUs(int64_t microseconds) = 0;

    int64_t NowMs() const { return NowUs() / 1000; }
    void SleepMs(int64_t milliseconds) { SleepUs(milliseconds * 1000); }
};

// The host's monotonic clock (std::chrono::steady_clock) and real sleeps.
class SteadyClock final : public Clock {
public:
    int64_t NowUs() const override;
    void SleepUs(int64_t microseconds) override;
};

}  // namespace tarvolinde
