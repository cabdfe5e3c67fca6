#include "machine/input/shared_input.h"

#include "machine/sp.h"

namespace tarvolinde {

SharedInput::SharedInput() = default;

KeyEventResult SharedInput::HandleKey(const KeyEvent& event, const KeyOptions& options) {
    // A state left behind by a full ring goes first, so that nothing is reordered.
    if (backlog_) Publish();
    const KeyEventResult result = ApplyKeyEvent(own_, event, options);
    if (result == KeyEventResult::Applied) Publish();
    return result;
}

bool SharedInput::HandleSymbolKey(uint32_t physicalKey, char32_t character, bool down, bool pcShiftHeld) {
    if (backlog_) Publish();
    if (!symbols_.Apply(own_, physicalKey, character, down, pcShiftHeld)) return false;
    Publish();
    return true;
}

void SharedInput::Publish() {
    const size_t written = written_.load(std::memory_order_relaxed);
    // A full ring (a thousand states the machine has not run a frame for) keeps
    // the newest state back until the next key event rather than overwrite one.
    backlog_ = written - read_.load(std::memory_order_acquire) >= kQueueSize;
    if (backlog_) return;
    ring_[written % kQueueSize] = own_;
    written_.store(written + 1, std::memory_order_release);
}

void SharedInput::NextFrameTo(TSp& machine) {
    const size_t read = read_.load(std::memory_order_relaxed);
    if (read != written_.load(std::memory_order_acquire)) {
        taken_ = ring_[read % kQueueSize];
        read_.store(read + 1, std::memory_order_release);
    }
    Apply(machine);
}

void SharedInput::CopyTo(TSp& machine) {
    const size_t written = written_.load(std::memory_order_acquire);
    const size_t read = read_.load(std::memory_order_relaxed);
    if (read != written) {
        taken_ = ring_[(written - 1) % kQueueSize];
        read_.store(written, std::memory_order_release);
    }
    Apply(machine);
}

void SharedInput::Apply(TSp& machine) const {
    machine.KeyRows = taken_.KeyRows;
    machine.KempstonJoy = taken_.KempstonJoy;
    machine.FullerJoy = taken_.FullerJoy;
}

}  // namespace tarvolinde
