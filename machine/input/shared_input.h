#pragma once
// The keyboard matrix and joystick bytes shared between the user-interface
// thread, which changes them on every key event, and the emulation thread,
// which hands them to the machine between frames. Every state a key event
// leaves goes through a single-producer, single-consumer ring, and the machine
// takes the states in order, each for whole frames: a key pressed and released
// within one frame is still seen down, then up. While states wait, a press is
// kept kPressFrames and a release kReleaseFrames (kSameKeyFrames before the same
// key again), so that the ROM's keyboard routine, which frees a key's slot only
// five scans after its release, takes every key of a quick burst. Neither
// thread ever waits.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

#include "machine/input/key_mapping.h"
#include "machine/input/symbol_keys.h"

namespace tarvolinde {

class TSp;

class SharedInput {
public:
    SharedInput();

    // User-interface thread only: a key going down or up (see ApplyKeyEvent).
    KeyEventResult HandleKey(const KeyEvent& event, const KeyOptions& options);

    // User-interface thread: a key typing a symbol (see SymbolKeys::Apply).
    bool HandleSymbolKey(uint32_t physicalKey, char32_t character, bool down, bool pcShiftHeld);

    // User-interface thread: the bytes as the last key event left them.
    InputBytes Current() const { return own_; }

    // Emulation thread, before a frame: the machine's KeyRows, KempstonJoy and
    // FullerJoy take the oldest state not yet seen (or keep the last one). Keys
    // are not released by a model switch or a reset, since the bytes live here
    // rather than in the machine.
    void NextFrameTo(TSp& machine);
    // While the machine is stopped (either thread, never both at once): it takes
    // the latest state, and every earlier one is passed over.
    void CopyTo(TSp& machine);

    // States a ring holds; beyond it the newest ones wait for room (see Publish).
    static constexpr size_t kQueueSize = 1024;
    static constexpr int kPressFrames = 2;
    static constexpr int kReleaseFrames = 3;
    static constexpr int kSameKeyFrames = 6;

private:
    void Publish();
    void Apply(TSp& machine) const;

    InputBytes own_;    // the writer's copy
    SymbolKeys symbols_;
    InputBytes taken_;  // the reader's: the state the machine has now
    InputBytes before_;  // the reader's: the state before it
    int framesHeld_ = kSameKeyFrames;  // frames the machine has had taken_ for (counted up to the longest hold)
    bool backlog_ = false;  // the writer's latest state did not fit in the ring
    std::array<InputBytes, kQueueSize> ring_{};
    std::atomic<size_t> written_{0};  // states ever written; only the writer stores it
    std::atomic<size_t> read_{0};     // states ever read; only the reader stores it
};

}  // namespace tarvolinde
