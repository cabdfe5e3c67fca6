#include "machine/sound/sound_frame.h"

#include <algorithm>

namespace tarvolinde {

namespace {

// a * b / c rounded to the nearest integer, for non-negative operands.
int32_t MulDiv(int64_t a, int64_t b, int64_t c) { return int32_t((a * b + c / 2) / c); }

}  // namespace

void FrameSound::Setup(const SoundFormat& format, int32_t frameLength) {
    format_ = format;
    frameLength_ = std::max(frameLength, 2);
    samplesPerFrame_ = format.SamplesPerFrame();
    sampleIndexTable_.clear();
    frameSamples_.clear();
    beeper.BeeperPos = 0;
    if (samplesPerFrame_ == 0) return;

    // The processor may overrun the frame by up to 100 T-states. The AY ticks that
    // the last sample needs run on to the first T-state mapped past it, which lies
    // half a sample's worth of T-states after the frame (plus one tick).
    const int64_t samplesSpan = std::max<int64_t>(samplesPerFrame_ - 1, 1);
    const int64_t tstatesSpan = frameLength_ - 1;
    const int64_t ticksPastEnd = tstatesSpan / samplesSpan + 2 * AySound::kTStatesPerTick;
    const auto entries = size_t(frameLength_ + std::max<int64_t>(101, ticksPastEnd));
    sampleIndexTable_.resize(entries);
    for (size_t t = 0; t < entries; ++t) sampleIndexTable_[t] = MulDiv(int64_t(t), samplesSpan, tstatesSpan);

    // Room for every sample a T-state maps to, the one after (where the AY stops)
    // and the one the smoothing looks ahead to.
    frameSamples_.assign(size_t(sampleIndexTable_.back()) + 2, 0);
}

uint32_t FrameSound::SampleIndex(int32_t tstate) const {
    if (sampleIndexTable_.empty()) return 0;
    const auto last = int32_t(sampleIndexTable_.size()) - 1;
    return uint32_t(sampleIndexTable_[size_t(std::clamp(tstate, 0, last))]);
}

void FrameSound::BeeperChange(int32_t tstate, uint8_t level) {
    if (!Enabled()) {
        beeper.BeeperLevel = level;
        return;
    }
    beeper.Change(SampleIndex(tstate), level, frameSamples_);
}

std::span<const uint8_t> FrameSound::CompleteFrame(AySound* ay) {
    if (!Enabled()) return {};
    const std::span<uint8_t> samples(frameSamples_);
    beeper.FillTo(samplesPerFrame_, samples);
    if (ay) ay->RenderFrame(samples, sampleIndexTable_, frameLength_);
    if (Filter) {
        // The sample after the frame is not made yet: the last one carries on, so
        // that the smoothing does not dent the end of every frame.
        samples[samplesPerFrame_] = samples[samplesPerFrame_ - 1];
        for (uint32_t i = 0; i < samplesPerFrame_; ++i) samples[i] = uint8_t((samples[i] + samples[i + 1]) / 2);
    }
    return samples.first(samplesPerFrame_);
}

}  // namespace tarvolinde
