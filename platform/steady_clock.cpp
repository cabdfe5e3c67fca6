#include <chrono>
#include <thread>

#include "platform/clock.h"

namespace tarvolinde {

int64_t SteadyClock::NowUs() const {
    const auto sinceEpoch = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::microseconds>(sinceEpoch).count();
}

void SteadyClock::SleepUs(int64_t microseconds) {
    if (microseconds > 0) std::this_thread::sleep_for(std::chrono::microseconds(microseconds));
}

}  // namespace tarvolinde
