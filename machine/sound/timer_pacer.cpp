#include "machine/sound/timer_pacer.h"

namespace tarvolinde {

bool TimerPacer::FrameDone(std::span<const uint8_t>) {
    const int64_t early = Deadline - clock_.NowMs() - 4;
    const bool draw = early > 0;
    if (early > 0) {
        clock_.SleepMs(early);
        while (clock_.NowMs() < Deadline) clock_.SleepUs(kPollUs);
    } else if (early < -250) {
        Deadline = clock_.NowMs();
    }
    Deadline += frameMs_;
    return draw;
}

}  // namespace tarvolinde
