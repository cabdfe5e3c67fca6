#pragma once
// The thread that runs the machine frame after frame, and the protocol by which
// the user-interface thread stops and restarts it. The user-interface thread
// changes the machine only while this thread is suspended between two frames:
// it posts a request, the thread takes it after the frame in progress and waits,
// and only the user-interface thread lets it go on. The handshake goes through
// one mutex, so everything written on either side before it is seen by the
// other side after it.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace tarvolinde {

class EmulationThread {
public:
    // Values of ThreadRequest.
    static constexpr int kNoRequest = 0;
    static constexpr int kSuspend = 1;
    static constexpr int kEnd = -1;

    // Creates the thread suspended. `frame` runs one frame; it is called only on
    // the emulation thread.
    explicit EmulationThread(std::function<void()> frame);
    // Ends the thread if End has not done so.
    ~EmulationThread();
    EmulationThread(const EmulationThread&) = delete;
    EmulationThread& operator=(const EmulationThread&) = delete;

    // Lets the suspended thread run frames (nothing if it is running or ended).
    void Resume();
    // Asks the running thread to suspend itself after the frame in progress and
    // returns once it has taken the request. Returns at once if it is suspended.
    void Suspend();
    // Asks the thread to end, resumes it and waits for it. Returns whether it
    // ended within `patience`; it is joined either way (a frame cannot be cut
    // short safely, and the request is seen as soon as the frame in progress is over).
    bool End(std::chrono::milliseconds patience);

    // The request word as it stands (0 none, 1 suspend yourself, -1 end).
    int ThreadRequest() const;
    bool Suspended() const;
    bool Ended() const;
    // Frames run since the thread was created; any thread may read it.
    uint64_t FramesRun() const { return framesRun_.load(std::memory_order_relaxed); }

private:
    void EmulationLoop();

    const std::function<void()> frame_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    int threadRequest_ = kNoRequest;
    bool resumed_ = false;   // allowed to run frames
    bool finished_ = false;  // EmulationLoop has returned
    std::atomic<uint64_t> framesRun_{0};
    std::thread thread_;     // last: starts once the state above exists
};

}  // namespace tarvolinde
