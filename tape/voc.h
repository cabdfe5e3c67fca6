#pragma once
// TVoc: Creative voice files of a tape recording, typed blocks of 8-bit
// unsigned mono sound, silence and markers. A sample below 128 reads low.

#include <cstdint>
#include <span>
#include <vector>

#include "tape/cinta.h"
#include "tape/sample_period.h"

namespace tarvolinde {

class TVoc final : public TCinta {
public:
    // The first block must start at offset 26, as the header says; anything
    // else is refused. Unsupported content found while playing stops the tape.
    explicit TVoc(std::vector<uint8_t> bytes);

    void Update() override;

    static constexpr size_t kFirstBlock = 26;
    static constexpr uint8_t kThreshold = 128;
    // The rate of sound that comes before any block has set one.
    static constexpr uint32_t kDefaultRate = 22050;

private:
    enum class State : uint8_t { NextBlock, Samples, Silence };

    static TapeImage Parse(std::vector<uint8_t> bytes);
    void ResetEngine() override;
    void MachineAttached() override;
    // State 0: reads the next block header; false when Update must return.
    bool NextBlock();
    void SetRate(uint32_t rate);

    State state_ = State::NextBlock;
    bool ratePending_ = false;
    uint32_t samplesLeft_ = 0;
    uint32_t rate_ = kDefaultRate;  // kept to recompute the period on another machine
    SampleClock clock_;
    uint32_t period_ = 1;  // of the sample in progress
};

}  // namespace tarvolinde
