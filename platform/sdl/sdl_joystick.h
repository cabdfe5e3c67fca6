#pragma once
// Joystick 0 through SDL2's joystick subsystem.

#include <memory>

#include "platform/joystick_source.h"

namespace tarvolinde {

// Opens SDL's joystick subsystem. The source answers "no joystick" when SDL
// cannot start it, and picks up a joystick plugged in later.
std::unique_ptr<JoystickSource> CreateSdlJoystick();

}  // namespace tarvolinde
