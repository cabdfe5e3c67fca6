#include "machine/sound/beeper.h"

#include <algorithm>

namespace tarvolinde {

void Beeper::Change(uint32_t sample, uint8_t level, std::span<uint8_t> frameSamples) {
    if (level == BeeperLevel) return;
    FillTo(sample, frameSamples);
    BeeperLevel = level;
    BeeperPos = sample;
}

void Beeper::FillTo(uint32_t end, std::span<uint8_t> frameSamples) const {
    end = std::min<uint32_t>(end, uint32_t(frameSamples.size()));
    if (end > BeeperPos) std::fill(frameSamples.begin() + BeeperPos, frameSamples.begin() + end, BeeperLevel);
}

}  // namespace tarvolinde
