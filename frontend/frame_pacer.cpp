#include "frontend/frame_pacer.h"

namespace tarvolinde {

bool ClockPacer::EndOfFrame() {
    const int64_t now = clock_.NowUs();
    const int64_t remaining = deadlineUs_ - now;
    // A frame that is on time is drawn. (Asking for 4 ms to spare instead would
    // never draw at 500 % and above, where a frame lasts 4 ms or less.)
    bool draw = remaining > 0;
    if (remaining > kSpinUs) clock_.SleepUs(remaining - kSpinUs);
    if (remaining > 0) {
        while (clock_.NowUs() < deadlineUs_) {
        }
    } else if (remaining < -kGiveUpUs) {
        deadlineUs_ = now;
        // A host that never keeps up still shows a picture now and then.
        draw = true;
    }
    deadlineUs_ += frameUs_;
    return draw;
}

}  // namespace tarvolinde
