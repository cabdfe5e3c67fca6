#pragma once
// The sound of one emulated frame, in 8-bit unsigned mono samples: the beeper
// levels written as the processor changes them, the AY-3-8912 added after the
// frame from its register-write log, and the optional smoothing ("Filtrado").
// T-states become sample indices through one table built at set-up, so that the
// per-change work is a lookup.

#include <cstdint>
#include <span>
#include <vector>

#include "machine/sound/ay_sound.h"
#include "machine/sound/beeper.h"
#include "machine/sound/sound_format.h"

namespace tarvolinde {

class FrameSound {
public:
    // The buffer set-up for a frame of frameLength T-states (on every model
    // switch, speed change and quality change): the sample of every T-state and a
    // frame buffer for this format. Without a sample rate nothing is recorded and
    // frames have no samples.
    void Setup(const SoundFormat& format, int32_t frameLength);

    const SoundFormat& Format() const { return format_; }
    bool Enabled() const { return samplesPerFrame_ != 0; }
    uint32_t SamplesPerFrame() const { return samplesPerFrame_; }

    // Entry t: the sample that T-state t falls into, t * (samples - 1) / (frame
    // length - 1) rounded to the nearest. It runs past the frame's end far enough
    // for the processor's overrun and for the AY ticks of the last sample.
    std::span<const int32_t> SampleIndexTable() const { return sampleIndexTable_; }
    // The sample of a T-state; T-states outside the table take its ends.
    uint32_t SampleIndex(int32_t tstate) const;

    // The beeper level from the ULA port changes at this T-state. The level is
    // always kept; the samples are only written while the sound is on.
    void BeeperChange(int32_t tstate, uint8_t level);

    // The sound step: fills the rest of the frame with the beeper level, adds the
    // AY (when the machine has one: pass null otherwise), smooths when Filter is
    // set, and returns the frame's SamplesPerFrame() samples (none without sound).
    std::span<const uint8_t> CompleteFrame(AySound* ay);
    // The next frame's samples start at its first sample.
    void StartFrame() { beeper.StartFrame(); }

    // The frame's samples as filled so far.
    std::span<const uint8_t> FrameSamples() const { return {frameSamples_.data(), samplesPerFrame_}; }

    bool Filter = false;  // "Filtrado"
    Beeper beeper;

private:
    SoundFormat format_{};
    uint32_t samplesPerFrame_ = 0;
    int32_t frameLength_ = 0;
    std::vector<int32_t> sampleIndexTable_;
    std::vector<uint8_t> frameSamples_;
};

}  // namespace tarvolinde
