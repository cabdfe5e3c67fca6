#include "machine/input/shared_input.h"

#include "machine/sp.h"

namespace tarvolinde {

SharedInput::SharedInput() { Publish(); }

KeyEventResult SharedInput::HandleKey(const KeyEvent& event, const KeyOptions& options) {
    const KeyEventResult result = ApplyKeyEvent(own_, event, options);
    if (result == KeyEventResult::Applied) Publish();
    return result;
}

void SharedInput::Publish() {
    for (size_t row = 0; row < rows_.size(); ++row) rows_[row].store(own_.KeyRows[row], std::memory_order_relaxed);
    kempston_.store(own_.KempstonJoy, std::memory_order_relaxed);
    fuller_.store(own_.FullerJoy, std::memory_order_relaxed);
}

InputBytes SharedInput::Current() const {
    InputBytes bytes;
    bytes.FullerJoy = fuller_.load(std::memory_order_relaxed);
    bytes.KempstonJoy = kempston_.load(std::memory_order_relaxed);
    for (size_t row = 0; row < rows_.size(); ++row) bytes.KeyRows[row] = rows_[row].load(std::memory_order_relaxed);
    return bytes;
}

void SharedInput::CopyTo(TSp& machine) const {
    const InputBytes bytes = Current();
    machine.KeyRows = bytes.KeyRows;
    machine.KempstonJoy = bytes.KempstonJoy;
    machine.FullerJoy = bytes.FullerJoy;
}

}  // namespace tarvolinde
