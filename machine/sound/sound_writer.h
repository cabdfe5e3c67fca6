#pragma once
// The sound writer: queues each frame's samples in the audio sink's looping buffer
// of twelve frames, one frame ahead of the last, and paces the emulation by the
// play position. It waits (a frame period at a time) while less than one frame of
// space is free, and asks for the next frame to be drawn only while more than four
// frames of sound are queued, so that a slow host drops pictures, not sound.

#include <cstdint>
#include <span>

#include "machine/sound/sound_format.h"
#include "machine/sound/sound_out.h"
#include "platform/audio_sink.h"
#include "platform/clock.h"

namespace tarvolinde {

class SoundWriter final : public SoundOut {
public:
    SoundWriter(AudioSink& sink, Clock& clock) : sink_(sink), clock_(clock) {}

    // The format of the sink's buffer (opened by the caller).
    void Configure(const SoundFormat& format) {
        format_ = format;
        WritePos = 0;
    }
    // The emulation starts: a silent buffer played in a loop from its start, with
    // the next frame going half a buffer (six frames) ahead.
    void Start();
    // The emulation stops: the device stops where it is.
    void Stop() { sink_.Stop(); }

    bool FrameDone(std::span<const uint8_t> samples) override;

    uint32_t WritePos = 0;  // where the next frame goes in the sink's buffer

private:
    AudioSink& sink_;
    Clock& clock_;
    SoundFormat format_{};
};

}  // namespace tarvolinde
