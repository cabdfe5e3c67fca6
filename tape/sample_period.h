#pragma once
// Sample rates of the recorded tape formats (WAV, CSW, VOC) become sample
// periods in T-states by the clock of the machine they play on: 3.5 MHz on the
// Sinclair 48K models, 3.5469 MHz on the rest (the Inves+ included).

#include <cstdint>

namespace tarvolinde {

class TSp;

constexpr uint32_t kClock48K = 3500000;
constexpr uint32_t kClock128K = 3546900;

// Sample k of a recording starts at T-state k * clock / rate, rounded down:
// periods are the whole part of clock / rate, one T-state longer whenever the
// remainders add up to a whole one, so that edges stay within a sample of
// where the recording put them however long it plays.
class SampleClock {
public:
    constexpr SampleClock() = default;
    constexpr SampleClock(uint32_t rate, bool clock48K)
        : rate_(rate ? rate : 1), whole_((clock48K ? kClock48K : kClock128K) / rate_),
          remainder_((clock48K ? kClock48K : kClock128K) % rate_) {}

    // The length of the next sample period.
    constexpr uint32_t Next() {
        carry_ += remainder_;
        if (carry_ < rate_) return whole_;
        carry_ -= rate_;
        return whole_ + 1;
    }
    // Back to sample 0.
    constexpr void Restart() { carry_ = 0; }

private:
    uint32_t rate_ = 1;
    uint32_t whole_ = 1;
    uint32_t remainder_ = 0;
    uint32_t carry_ = 0;
};

// Whether the machine runs at the 48K clock (the 16K, 48K and 48K+).
bool Uses48KClock(const TSp& machine);

}  // namespace tarvolinde
