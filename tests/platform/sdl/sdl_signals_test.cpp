// Starting SDL's audio or joystick must leave Ctrl+C and kill to the program:
// SDL would otherwise catch them as quit events, which no one here reads.

#include <gtest/gtest.h>

#include <csignal>

#include "platform/sdl/sdl_audio_sink.h"
#include "platform/sdl/sdl_joystick.h"

namespace tarvolinde::test {
namespace {

bool DefaultAction(int signal) {
    struct sigaction action {};
    sigaction(signal, nullptr, &action);
    return action.sa_handler == SIG_DFL;
}

TEST(SdlSignalsTest, InterruptAndTerminateStillEndTheProgram) {
    ASSERT_TRUE(DefaultAction(SIGINT));
    ASSERT_TRUE(DefaultAction(SIGTERM));
    {
        const std::unique_ptr<JoystickSource> joystick = CreateSdlJoystick();
        SdlAudioSink sink;
        EXPECT_TRUE(sink.Open(22050, 12 * 441)) << sink.LastError();  // SDL_AUDIODRIVER=dummy
        EXPECT_TRUE(DefaultAction(SIGINT));
        EXPECT_TRUE(DefaultAction(SIGTERM));
    }
    EXPECT_TRUE(DefaultAction(SIGINT));
    EXPECT_TRUE(DefaultAction(SIGTERM));
}

}  // namespace
}  // namespace tarvolinde::test
