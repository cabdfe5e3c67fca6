#include "frontend/emulation_thread.h"

#include <utility>

namespace tarvolinde {

EmulationThread::EmulationThread(std::function<void()> frame)
    : frame_(std::move(frame)), thread_([this] { EmulationLoop(); }) {}

EmulationThread::~EmulationThread() {
    if (thread_.joinable()) End(std::chrono::milliseconds(0));
}

void EmulationThread::EmulationLoop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return resumed_; });
        if (threadRequest_ == kEnd) break;

        lock.unlock();
        frame_();
        framesRun_.fetch_add(1, std::memory_order_relaxed);
        lock.lock();

        if (threadRequest_ == kEnd) break;
        if (threadRequest_ == kSuspend) {
            // Taken: the requester may go on as soon as it sees the word cleared.
            threadRequest_ = kNoRequest;
            resumed_ = false;
            changed_.notify_all();
        }
    }
    finished_ = true;
    changed_.notify_all();
}

void EmulationThread::Resume() {
    {
        const std::lock_guard lock(mutex_);
        if (finished_ || resumed_) return;
        resumed_ = true;
    }
    changed_.notify_all();
}

void EmulationThread::Suspend() {
    std::unique_lock lock(mutex_);
    if (finished_ || !resumed_) return;
    threadRequest_ = kSuspend;
    changed_.wait(lock, [this] { return threadRequest_ == kNoRequest || finished_; });
}

bool EmulationThread::End(std::chrono::milliseconds patience) {
    bool inTime = true;
    {
        std::unique_lock lock(mutex_);
        if (!finished_) {
            threadRequest_ = kEnd;
            resumed_ = true;
            changed_.notify_all();
            inTime = changed_.wait_for(lock, patience, [this] { return finished_; });
        }
    }
    if (thread_.joinable()) thread_.join();
    return inTime;
}

int EmulationThread::ThreadRequest() const {
    const std::lock_guard lock(mutex_);
    return threadRequest_;
}

bool EmulationThread::Suspended() const {
    const std::lock_guard lock(mutex_);
    return !resumed_ && !finished_;
}

bool EmulationThread::Ended() const {
    const std::lock_guard lock(mutex_);
    return finished_;
}

}  // namespace tarvolinde
