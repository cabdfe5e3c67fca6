#include "machine/input/pc_joystick.h"

namespace tarvolinde {

std::array<bool, 5> PcJoystick::StatesOf(const JoystickReading& reading) {
    return {reading.X < kLeftUpBelow, reading.X >= kRightDownFrom, reading.Y < kLeftUpBelow,
            reading.Y >= kRightDownFrom, reading.Button0};
}

void PcJoystick::Poll(JoystickSource& source) {
    if (!windowActive_.load(std::memory_order_relaxed)) {
        Poll(std::nullopt);
        return;
    }
    Poll(source.Read());
}

void PcJoystick::Poll(const std::optional<JoystickReading>& reading) {
    // Without a reading nothing is held, so no key stays down after the
    // joystick is unplugged or the window loses the focus.
    const std::array<bool, 5> states = reading ? StatesOf(*reading) : std::array<bool, 5>{};
    for (size_t i = 0; i < states.size(); ++i) {
        if (states[i] == pcJoyState_[i]) continue;
        pcJoyState_[i] = states[i];
        if (post_) post_(states[i], kVirtualKeys[i]);
    }
}

}  // namespace tarvolinde
