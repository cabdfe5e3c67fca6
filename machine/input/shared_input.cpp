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

namespace {

// Matrix bits held down in `now` that were up in `then`.
uint32_t NewlyDown(const InputBytes& then, const InputBytes& now) {
    uint32_t bits = 0;
    for (size_t row = 0; row < now.KeyRows.size(); ++row)
        bits |= uint32_t(then.KeyRows[row] & ~now.KeyRows[row] & 0x1F) << (5 * row);
    return bits;
}

}  // namespace

void SharedInput::NextFrameTo(TSp& machine) {
    const size_t read = read_.load(std::memory_order_relaxed);
    if (read != written_.load(std::memory_order_acquire)) {
        const InputBytes& next = ring_[read % kQueueSize];
        const int frames = NewlyDown(before_, taken_) ? kPressFrames
                           : NewlyDown(taken_, next) & NewlyDown(taken_, before_) ? kSameKeyFrames
                                                                                   : kReleaseFrames;
        if (framesHeld_ >= frames) {
            before_ = taken_;
            taken_ = next;
            framesHeld_ = 0;
            read_.store(read + 1, std::memory_order_release);
        }
    }
    if (framesHeld_ < kSameKeyFrames) ++framesHeld_;
    Apply(machine);
}

void SharedInput::CopyTo(TSp& machine) {
    const size_t written = written_.load(std::memory_order_acquire);
    const size_t read = read_.load(std::memory_order_relaxed);
    if (read != written) {
        taken_ = before_ = ring_[(written - 1) % kQueueSize];
        framesHeld_ = kSameKeyFrames;
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
