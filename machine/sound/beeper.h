#pragma once
// The beeper: the ULA's MIC and EAR output bits (and the tape signal while a tape
// plays) as a level in the frame's samples. Each level change fills the samples
// from the previous change up to the sample its T-state falls into with the old
// level; the end of the frame fills the rest.

#include <cstdint>
#include <span>

namespace tarvolinde {

class Beeper {
public:
    uint8_t BeeperLevel = 0;  // 0x00, 0x20, 0x40 or 0x60
    uint32_t BeeperPos = 0;   // first sample not yet filled in this frame

    // A level change that falls into sample `sample` of the frame. Changes to the
    // level already held fill nothing.
    void Change(uint32_t sample, uint8_t level, std::span<uint8_t> frameSamples);
    // Fills the frame's samples from BeeperPos up to `end` with the current level.
    void FillTo(uint32_t end, std::span<uint8_t> frameSamples) const;
    // The next frame starts at its first sample.
    void StartFrame() { BeeperPos = 0; }
};

}  // namespace tarvolinde
