#pragma once
// TTzx: TZX images, a 10-byte header and typed blocks describing pulse trains
// (standard and turbo ROM blocks, pure tones, pulse sequences, pure data,
// direct recordings), pauses, control flow (groups, jumps, loops, calls) and
// information. Pulse lengths are T-states at 3.5 MHz, used as they are; pauses
// are milliseconds at 3500 T-states each.
//
// The header's first byte (0x5A, 'Z') is the ID of the glue block, whose body
// covers the rest of the header, so the header is always node 0 of the list.

#include <cstdint>
#include <vector>

#include "tape/cinta.h"

namespace tarvolinde {

class TTzx final : public TCinta {
public:
    // A file without the "ZXTape!" signature, or with an absurd block count, is
    // refused. A block cut short by the end of the file is left out with what
    // follows (CutShort()); unsupported blocks stop the tape.
    explicit TTzx(std::vector<uint8_t> bytes);

    void Update() override;
    // Shows the first screen on the tape: a standard-speed code header for a
    // screen whose next block is a standard-speed block.
    std::string Preview(PreviewScreen& screen, PreviewBitmap& bitmap) const override;

    // Blocks read or zero-length pulses sent in a row without the tape clock
    // moving, after which the tape is taken to be going round in circles (a jump
    // to itself, a loop or call with nothing to play) and jams. Real tapes read
    // a handful of blocks between two pulses; this is a few milliseconds' work.
    static constexpr uint32_t kIdleStepLimit = 1u << 16;

private:
    enum class State : uint8_t { NextBlock, Sync, PulseTrain, PulseSequence, DataBits, DirectRecording, Pause };

    static TapeImage Parse(std::vector<uint8_t> bytes);
    void ResetEngine() override { state_ = State::NextBlock; }

    // State 0: reads the next block; false when Update must return.
    bool NextBlock();
    // Loads the next data byte (state 4's rule); false when the data is over.
    bool LoadNextByte();
    // A step that took no time; false (the tape jammed) past the limit.
    bool IdleStep();
    void TimePassed() { idleSteps_ = 0; }

    State state_ = State::NextBlock;
    State nextState_ = State::NextBlock;
    uint8_t syncsDone_ = 0;
    uint8_t lastByteBits_ = 8;
    uint8_t bitsLeft_ = 0;
    uint8_t currentByte_ = 0;
    uint8_t sequenceLeft_ = 0;
    uint64_t pauseT_ = 0;
    int64_t bytesLeft_ = 0;  // data bytes still to read, minus one (-1: none left)
    uint32_t zeroLen_ = 0;
    uint32_t oneLen_ = 0;
    uint32_t sync1Len_ = 0;
    uint32_t sync2Len_ = 0;
    uint32_t pulseLen_ = 0;
    uint32_t pulsesLeft_ = 0;
    int64_t loopStart_ = -1;
    int64_t returnBlock_ = -1;
    int32_t loopCount_ = 0;
    uint32_t idleSteps_ = 0;
};

}  // namespace tarvolinde
