#pragma once
// Holds the emulation to real time: after every frame the emulation thread asks
// the pacer to wait until the frame is due and learns whether the next frame is
// to be drawn. Without sound the timer pacer does this from the clock; the sound
// writer paces by the sound card's play position behind the same interface.

#include <cstdint>

#include "platform/clock.h"

namespace tarvolinde {

class FramePacer {
public:
    virtual ~FramePacer() = default;
    // Emulation start (user-interface thread, emulation thread suspended): the
    // next frame is due one frame period from now.
    virtual void Start() = 0;
    // Emulation stop (user-interface thread, emulation thread suspended).
    virtual void Stop() = 0;
    // Emulation thread, after every frame run at normal speed: waits until the
    // frame is due. Returns whether the next frame is to be drawn.
    virtual bool EndOfFrame() = 0;
    // The frame period (FrameMs); set only while the emulation thread is suspended.
    virtual void SetFrameMs(uint32_t frameMs) = 0;
};

// Paces by the clock: sleeps until shortly before each frame's deadline, then
// waits out the last few milliseconds exactly. A frame that comes late is not
// drawn; more than 250 ms behind, it stops trying to catch up and draws.
class ClockPacer final : public FramePacer {
public:
    static constexpr int64_t kSpinUs = 4000;       // the end of the wait that is not slept
    static constexpr int64_t kGiveUpUs = 250000;  // this far behind, the deadline restarts from now

    explicit ClockPacer(Clock& clock, uint32_t frameMs = 20) : clock_(clock), frameUs_(int64_t(frameMs) * 1000) {}

    void Start() override { deadlineUs_ = clock_.NowUs() + frameUs_; }
    void Stop() override {}
    bool EndOfFrame() override;
    void SetFrameMs(uint32_t frameMs) override { frameUs_ = int64_t(frameMs) * 1000; }

    int64_t DeadlineUs() const { return deadlineUs_; }

private:
    Clock& clock_;
    int64_t frameUs_;
    int64_t deadlineUs_ = 0;
};

}  // namespace tarvolinde
