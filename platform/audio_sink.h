#pragma once
// Where the emulator's sound goes: a looping stream buffer of 8-bit unsigned mono
// samples that the device plays on its own, with a play position that moves as it
// plays and room to write ahead of it. The sound writer keeps the buffer filled a
// few frames ahead and paces the emulation by the play position.

#include <cstdint>
#include <span>
#include <string>

namespace tarvolinde {

class AudioSink {
public:
    virtual ~AudioSink() = default;

    // Creates a stopped buffer of bufferBytes samples at sampleRate, filled with 0,
    // play position 0, full volume, replacing any buffer open before. Returns false
    // when there is no device or it cannot play this format; the sink is then
    // closed and LastError() says why.
    virtual bool Open(uint32_t sampleRate, uint32_t bufferBytes) = 0;
    // Stops and releases the buffer. Safe when nothing is open.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Why the last Open failed, in one line.
    virtual std::string LastError() const = 0;

    // Plays from the play position. Looping playback wraps at the end of the
    // buffer; otherwise the buffer is played to its end once and then stops, with
    // the play position back at 0.
    virtual void Play(bool looping) = 0;
    // Stops where it is; the play position stays.
    virtual void Stop() = 0;
    virtual bool Playing() const = 0;

    // Offset in the buffer of the next sample the device will play (0 when closed).
    virtual uint32_t PlayPosition() const = 0;
    virtual void SetPlayPosition(uint32_t offset) = 0;

    // Copies samples into the buffer from offset on, wrapping at its end. Writing
    // where the device is about to play is the caller's mistake, not an error.
    virtual void Write(uint32_t offset, std::span<const uint8_t> samples) = 0;
    // Fills the whole buffer with one value.
    virtual void Fill(uint8_t value) = 0;

    // Attenuation in hundredths of a decibel: 0 is full volume, -10000 silence.
    virtual void SetVolume(int32_t hundredthsOfDecibel) = 0;
};

}  // namespace tarvolinde
