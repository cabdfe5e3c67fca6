#pragma once
// What the end of every frame run at normal speed hands the frame's sound to: the
// sound writer (which queues it on the audio device and waits on its play
// position) or, without sound, the timer pacer. Either holds the emulation to real
// time and decides whether the next frame is drawn.

#include <cstdint>
#include <span>

namespace tarvolinde {

class SoundOut {
public:
    virtual ~SoundOut() = default;
    // Takes the finished frame's samples (none without sound) and returns when the
    // machine may run the next frame. Returns whether that frame is to be drawn.
    virtual bool FrameDone(std::span<const uint8_t> samples) = 0;
};

}  // namespace tarvolinde
