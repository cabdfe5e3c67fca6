#pragma once
// Sample rates of the recorded tape formats (WAV, CSW, VOC) become sample
// periods in T-states by the clock of the machine they play on: 3.5 MHz on the
// Sinclair 48K models, 3.5469 MHz on the rest (the Inves+ included). The +1 is
// part of the rule.

#include <cstdint>

namespace tarvolinde {

class TSp;

constexpr uint32_t SamplePeriodFor(uint32_t rate, bool clock48K) {
    return (clock48K ? 3500000u : 3546900u) / (rate ? rate : 1) + 1;
}

// Whether the machine runs at the 48K clock (the 16K, 48K and 48K+).
bool Uses48KClock(const TSp& machine);

}  // namespace tarvolinde
