#include "platform/null_audio_sink.h"

#include <algorithm>

namespace tarvolinde {

NullAudioSink::NullAudioSink(Clock& clock, Consumption consumption) : clock_(clock), consumption_(consumption) {}

bool NullAudioSink::Open(uint32_t sampleRate, uint32_t bufferBytes) {
    Close();
    if (FailOpen) {
        lastError_ = "no sound device";
        return false;
    }
    if (sampleRate == 0 || bufferBytes == 0) {
        lastError_ = "no sample rate or buffer size";
        return false;
    }
    buffer_.assign(bufferBytes, 0);
    sampleRate_ = sampleRate;
    volume_ = 0;
    lastError_.clear();
    return true;
}

void NullAudioSink::Close() {
    buffer_.clear();
    sampleRate_ = 0;
    playing_ = false;
    looping_ = false;
    position_ = 0;
}

void NullAudioSink::Play(bool looping) {
    if (!IsOpen()) return;
    Advance();
    looping_ = looping;
    playing_ = true;
    anchorPosition_ = position_;
    anchorUs_ = clock_.NowUs();
}

void NullAudioSink::Stop() {
    Advance();
    playing_ = false;
}

bool NullAudioSink::Playing() const {
    Advance();
    return playing_;
}

uint32_t NullAudioSink::PlayPosition() const {
    Advance();
    return position_;
}

void NullAudioSink::SetPlayPosition(uint32_t offset) {
    if (!IsOpen()) return;
    Advance();
    position_ = offset % uint32_t(buffer_.size());
    anchorPosition_ = position_;
    anchorUs_ = clock_.NowUs();
}

void NullAudioSink::Write(uint32_t offset, std::span<const uint8_t> samples) {
    if (!IsOpen()) return;
    const size_t size = buffer_.size();
    size_t at = offset % size;
    for (const uint8_t sample : samples) {
        buffer_[at] = sample;
        at = at + 1 == size ? 0 : at + 1;
    }
    if (consumption_ == Consumption::Instant && playing_) position_ = uint32_t(at);
}

void NullAudioSink::Fill(uint8_t value) { std::fill(buffer_.begin(), buffer_.end(), value); }

void NullAudioSink::Advance() const {
    if (!playing_ || consumption_ != Consumption::RealTime || buffer_.empty()) return;
    const int64_t elapsedUs = std::max<int64_t>(clock_.NowUs() - anchorUs_, 0);
    const uint64_t played = uint64_t(elapsedUs) * sampleRate_ / 1000000u;
    const uint64_t reached = anchorPosition_ + played;
    if (looping_) {
        position_ = uint32_t(reached % buffer_.size());
    } else if (reached >= buffer_.size()) {
        // Played once to the end: the device stops and rewinds.
        playing_ = false;
        position_ = 0;
    } else {
        position_ = uint32_t(reached);
    }
}

}  // namespace tarvolinde
