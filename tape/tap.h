#pragma once
// TTap: TAP images, the blocks as the Spectrum ROM saves them (a length word,
// then flag, data and checksum), played with the ROM's standard timings.

#include <cstdint>
#include <span>
#include <vector>

#include "tape/cinta.h"

namespace tarvolinde {

// The ROM's pulse lengths in T-states and pilot lengths in pulses.
struct RomTimings {
    static constexpr uint32_t kPilot = 2168;
    static constexpr uint32_t kHeaderPilotPulses = 8064;  // a block of 19 bytes
    static constexpr uint32_t kDataPilotPulses = 3220;    // any other
    static constexpr uint32_t kSync1 = 667;
    static constexpr uint32_t kSync2 = 735;
    static constexpr uint32_t kZero = 855;
    static constexpr uint32_t kOne = 1710;
    static constexpr uint32_t kPause = 3500000;           // one second after each TAP block
};

class TTap final : public TCinta {
public:
    // Any byte sequence is a TAP image; only an absurd block count is refused.
    explicit TTap(std::vector<uint8_t> bytes);

    void Update() override;
    // Shows the first screen on the tape: a code header for a screen followed
    // directly by its data block.
    std::string Preview(PreviewScreen& screen, PreviewBitmap& bitmap) const override;

private:
    enum class State : uint8_t { NextBlock, Pilot, Sync1, Sync2, NextBit, BitZero, BitOne, Pause };

    static TapeImage Parse(std::vector<uint8_t> bytes);
    void ResetEngine() override { state_ = State::NextBlock; }
    // Two-pulse bit or pilot: emits the edges that are due; true when the train is over.
    bool PulseTrain(uint32_t length);

    State state_ = State::NextBlock;
    uint8_t bitsLeft_ = 0;
    uint8_t currentByte_ = 0;
    uint32_t pulsesLeft_ = 0;
    uint32_t bytesLeft_ = 0;
    uint32_t blockLength_ = 0;
};

}  // namespace tarvolinde
