#include <SDL.h>
#include <gtest/gtest.h>

#include <tuple>

#include "platform/sdl/sdl_joystick.h"

namespace tarvolinde::test {
namespace {

// Joystick 0 through a virtual SDL joystick: axes on the thousand scale with the
// middle as 0, and only button 0 counts.
TEST(SdlJoystickTest, ReadsAxesAndButtonZeroUntilUnplugged) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
    if (SDL_NumJoysticks() > 0) GTEST_SKIP() << "a joystick is plugged in: the virtual one would not be joystick 0";
    const std::unique_ptr<JoystickSource> source = CreateSdlJoystick();
    const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 2, 0);
    SDL_Joystick* handle = SDL_JoystickOpen(index);
    ASSERT_NE(handle, nullptr) << SDL_GetError();
    const auto read = [&](int16_t x, int16_t y, uint8_t button0) {
        SDL_JoystickSetVirtualAxis(handle, 0, x);
        SDL_JoystickSetVirtualAxis(handle, 1, y);
        SDL_JoystickSetVirtualButton(handle, 0, button0);
        SDL_JoystickSetVirtualButton(handle, 1, SDL_PRESSED);
        const std::optional<JoystickReading> reading = source->Read();
        return reading ? std::tuple(reading->X, reading->Y, reading->Button0) : std::tuple(-1, -1, false);
    };
    EXPECT_EQ(read(SDL_JOYSTICK_AXIS_MIN, SDL_JOYSTICK_AXIS_MAX, SDL_PRESSED), std::tuple(-1000, 1000, true));
    EXPECT_EQ(read(1000, -1000, SDL_RELEASED), std::tuple(0, 0, false));
    SDL_JoystickClose(handle);
    SDL_JoystickDetachVirtual(index);
    EXPECT_FALSE(source->Read().has_value());
}

}  // namespace
}  // namespace tarvolinde::test
