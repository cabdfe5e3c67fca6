#pragma once
// Waiting on the user-interface thread for what the emulation thread posts.

#include <QCoreApplication>
#include <chrono>
#include <functional>
#include <thread>

namespace tarvolinde {

// Turns the event loop until the condition holds or the time is up.
inline bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 10000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Turns the event loop for a while, for checks that something does not happen.
inline void Spin(int ms) {
    WaitUntil([] { return false; }, ms);
}

}  // namespace tarvolinde
