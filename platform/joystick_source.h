#pragma once
// The PC joystick as the emulator reads it: joystick 0's X and Y axes on a
// scale of -1000 (left, up) to 1000 (right, down) and its first button. A
// backend may find no joystick at all.

#include <cstdint>
#include <optional>

namespace tarvolinde {

struct JoystickReading {
    int32_t X = 0;
    int32_t Y = 0;
    bool Button0 = false;
};

class JoystickSource {
public:
    virtual ~JoystickSource() = default;
    // Whether a joystick answers now (the options dialog offers "JoyStick de PC" only then).
    virtual bool Present() = 0;
    // The joystick's state now, or nothing when no joystick is connected.
    virtual std::optional<JoystickReading> Read() = 0;
};

// The source when the platform has no joystick support.
class NoJoystick final : public JoystickSource {
public:
    bool Present() override { return false; }
    std::optional<JoystickReading> Read() override { return std::nullopt; }
};

inline constexpr int32_t kJoystickAxisRange = 1000;
inline constexpr int32_t kJoystickDeadZone = 50;

// A raw axis value from [rawMin, rawMax] on the -1000..1000 scale, rounded to
// the nearest unit; values within the dead zone of the centre read 0.
constexpr int32_t ScaleJoystickAxis(int32_t raw, int32_t rawMin, int32_t rawMax) {
    if (rawMax <= rawMin) return 0;
    if (raw < rawMin) raw = rawMin;
    if (raw > rawMax) raw = rawMax;
    const int64_t span = int64_t(rawMax) - rawMin;
    const int64_t twice = (int64_t(raw) - rawMin) * 2 * 2 * kJoystickAxisRange;  // twice the offset on 0..2000
    const auto value = int32_t((twice + span) / (2 * span)) - kJoystickAxisRange;
    return (value > -kJoystickDeadZone && value < kJoystickDeadZone) ? 0 : value;
}

}  // namespace tarvolinde
