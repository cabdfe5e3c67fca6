#pragma once
// A silent AudioSink: keeps the buffer in memory and moves the play position as
// a device would, by the clock it is given (real time), or keeps up with every
// write at once (instant) for headless runs that must not be paced. Tests drive
// it with a clock of their own and read back what was written.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/audio_sink.h"
#include "platform/clock.h"

namespace tarvolinde {

class NullAudioSink final : public AudioSink {
public:
    enum class Consumption : uint8_t {
        RealTime,  // sampleRate samples per second of the clock
        Instant,   // while playing, the play position is the end of the last write
    };

    explicit NullAudioSink(Clock& clock, Consumption consumption = Consumption::RealTime);

    bool Open(uint32_t sampleRate, uint32_t bufferBytes) override;
    void Close() override;
    bool IsOpen() const override { return !buffer_.empty(); }
    std::string LastError() const override { return lastError_; }

    void Play(bool looping) override;
    void Stop() override;
    bool Playing() const override;

    uint32_t PlayPosition() const override;
    void SetPlayPosition(uint32_t offset) override;

    void Write(uint32_t offset, std::span<const uint8_t> samples) override;
    void Fill(uint8_t value) override;
    void SetVolume(int32_t hundredthsOfDecibel) override { volume_ = hundredthsOfDecibel; }

    std::span<const uint8_t> Buffer() const { return buffer_; }
    uint32_t SampleRate() const { return sampleRate_; }
    int32_t Volume() const { return volume_; }
    bool Looping() const { return looping_; }

    // Makes Open fail, as on a computer without a sound device.
    bool FailOpen = false;

private:
    // Brings the play position up to the clock.
    void Advance() const;

    Clock& clock_;
    const Consumption consumption_;
    std::vector<uint8_t> buffer_;
    uint32_t sampleRate_ = 0;
    int32_t volume_ = 0;
    std::string lastError_;
    bool looping_ = false;
    // The play position moves as time passes, even while only being read.
    mutable bool playing_ = false;
    mutable uint32_t position_ = 0;
    mutable uint32_t anchorPosition_ = 0;  // position when playing started
    mutable int64_t anchorUs_ = 0;         // clock time when playing started
};

}  // namespace tarvolinde
