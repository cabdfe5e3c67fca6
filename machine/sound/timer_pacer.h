#pragma once
// The pacer without sound: holds each frame to its deadline on the clock,
// sleeping until 4 ms before it and waiting out the rest closely. A frame that
// ends late is not drawn; more than 250 ms behind, it stops trying to catch up.

#include <cstdint>
#include <span>

#include "machine/sound/sound_out.h"
#include "platform/clock.h"

namespace tarvolinde {

class TimerPacer final : public SoundOut {
public:
    explicit TimerPacer(Clock& clock) : clock_(clock) {}

    void SetFrameMs(uint32_t frameMs) { frameMs_ = frameMs; }
    // The emulation starts: the first frame is due one frame period from now.
    void Start() { Deadline = clock_.NowMs() + frameMs_; }

    bool FrameDone(std::span<const uint8_t> samples) override;

    int64_t Deadline = 0;  // clock milliseconds at which the current frame is due

private:
    // The final wait polls the clock at this interval (well under a millisecond).
    static constexpr int64_t kPollUs = 100;

    Clock& clock_;
    uint32_t frameMs_ = 20;
};

}  // namespace tarvolinde
