#pragma once
// The keyboard matrix and joystick bytes shared between the user-interface
// thread, which changes them on every key event, and the emulation thread,
// which hands them to the machine between frames. Each byte is an atomic, so
// neither thread waits and no half-written byte is ever read.

#include <array>
#include <atomic>
#include <cstdint>

#include "machine/input/key_mapping.h"

namespace tarvolinde {

class TSp;

class SharedInput {
public:
    SharedInput();

    // User-interface thread only: a key going down or up (see ApplyKeyEvent).
    KeyEventResult HandleKey(const KeyEvent& event, const KeyOptions& options);

    // Any thread: the bytes as the last key event left them.
    InputBytes Current() const;

    // Emulation thread, between frames: the machine's KeyRows, KempstonJoy and
    // FullerJoy take the current bytes. Keys are not released by a model
    // switch or a reset, since the bytes live here rather than in the machine.
    void CopyTo(TSp& machine) const;

private:
    void Publish();

    InputBytes own_;  // the writer's copy
    std::array<std::atomic<uint8_t>, 8> rows_;
    std::atomic<uint8_t> kempston_;
    std::atomic<uint8_t> fuller_;
};

}  // namespace tarvolinde
