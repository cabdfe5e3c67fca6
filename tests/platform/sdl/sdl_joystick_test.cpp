// Joystick 0 through SDL, played by one of SDL's virtual joysticks so that no
// device is needed.

#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/sdl/sdl_joystick.h"

namespace tarvolinde::test {
namespace {

TEST(SdlJoystickTest, ReadsAxesOnTheThousandScaleAndButtonZeroUntilUnplugged) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
    if (SDL_NumJoysticks() > 0) {
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
        GTEST_SKIP() << "a joystick is plugged in: the virtual one would not be joystick 0";
    }
    const std::unique_ptr<JoystickSource> source = CreateSdlJoystick();
    EXPECT_FALSE(source->Present());
    EXPECT_FALSE(source->Read().has_value());

    const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 2, 0);
    ASSERT_GE(index, 0) << SDL_GetError();
    SDL_Joystick* handle = SDL_JoystickOpen(index);
    ASSERT_NE(handle, nullptr) << SDL_GetError();
    SDL_JoystickSetVirtualAxis(handle, 0, SDL_JOYSTICK_AXIS_MIN);
    SDL_JoystickSetVirtualAxis(handle, 1, SDL_JOYSTICK_AXIS_MAX);
    SDL_JoystickSetVirtualButton(handle, 0, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(handle, 1, SDL_PRESSED);

    EXPECT_TRUE(source->Present());
    std::optional<JoystickReading> reading = source->Read();
    ASSERT_TRUE(reading.has_value());
    EXPECT_EQ(reading->X, -1000);
    EXPECT_EQ(reading->Y, 1000);
    EXPECT_TRUE(reading->Button0);

    // Near the middle reads as the middle; only button 0 counts.
    SDL_JoystickSetVirtualAxis(handle, 0, 1000);
    SDL_JoystickSetVirtualAxis(handle, 1, -1000);
    SDL_JoystickSetVirtualButton(handle, 0, SDL_RELEASED);
    reading = source->Read();
    ASSERT_TRUE(reading.has_value());
    EXPECT_EQ(reading->X, 0);
    EXPECT_EQ(reading->Y, 0);
    EXPECT_FALSE(reading->Button0);

    SDL_JoystickClose(handle);
    ASSERT_EQ(SDL_JoystickDetachVirtual(index), 0) << SDL_GetError();
    EXPECT_FALSE(source->Read().has_value());
    EXPECT_FALSE(source->Present());
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

}  // namespace
}  // namespace tarvolinde::test
