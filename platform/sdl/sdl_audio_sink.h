#pragma once
// The AudioSink on SDL2: the looping stream buffer is our own, and the device's
// callback copies from it, so the callback's read index is the play position.
// Between callbacks the position moves on by the time since the last one (never
// past what that callback took), so that pacing by it is as smooth as the sample
// clock rather than stepping a whole device buffer at a time. The device runs from
// Open to Close; stopping only makes the callback hold the last level, which
// avoids a click. When SDL's audio cannot start or no device opens, Open returns
// false with SDL's reason, and the caller carries on without sound.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/audio_sink.h"

namespace tarvolinde {

class SdlAudioSink final : public AudioSink {
public:
    SdlAudioSink() = default;
    ~SdlAudioSink() override;
    SdlAudioSink(const SdlAudioSink&) = delete;
    SdlAudioSink& operator=(const SdlAudioSink&) = delete;

    bool Open(uint32_t sampleRate, uint32_t bufferBytes) override;
    void Close() override;
    bool IsOpen() const override { return device_ != 0; }
    std::string LastError() const override { return lastError_; }

    void Play(bool looping) override;
    void Stop() override;
    bool Playing() const override;

    uint32_t PlayPosition() const override;
    void SetPlayPosition(uint32_t offset) override;

    void Write(uint32_t offset, std::span<const uint8_t> samples) override;
    void Fill(uint8_t value) override;
    void SetVolume(int32_t hundredthsOfDecibel) override;

    // The name of SDL's audio driver in use ("pulseaudio", "alsa", "dummy"...), or
    // empty before a successful Open.
    std::string DriverName() const;

private:
    // The device's callback (on SDL's audio thread, with the device locked).
    void Render(uint8_t* out, int length);

    uint32_t device_ = 0;
    bool subsystemStarted_ = false;
    uint32_t sampleRate_ = 0;
    // Shared with the callback: touched only with the device locked.
    std::vector<uint8_t> buffer_;
    uint32_t readIndex_ = 0;        // next sample the callback copies
    uint32_t chunkStart_ = 0;       // where the last callback's copy began
    uint32_t chunkLength_ = 0;      // and how many samples of the buffer it took
    int64_t chunkTimeUs_ = 0;       // when it ran, on the steady clock
    bool playing_ = false;
    bool looping_ = false;
    uint8_t held_ = 0;                       // what the device plays while stopped
    std::array<uint8_t, 256> volumeMap_{};   // sample -> sample at the volume
    std::string lastError_;
};

}  // namespace tarvolinde
