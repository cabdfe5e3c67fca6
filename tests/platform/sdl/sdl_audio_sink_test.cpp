#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <thread>

#include "platform/sdl/sdl_audio_sink.h"
#include "platform/sdl/sdl_joystick.h"

namespace tarvolinde::test {
namespace {

bool Eventually(const auto& condition) {
    for (int i = 0; i < 400 && !condition(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return condition();
}

// On SDL's dummy driver the position moves only while playing, round the buffer
// or to its end. Opening SDL's audio and joystick leaves Ctrl+C and kill to the
// program: SDL would catch them as quit events, which no one reads.
TEST(SdlAudioSink, PlaysRoundTheBufferOrToItsEnd) {
    const std::unique_ptr<JoystickSource> joystick = CreateSdlJoystick();
    SdlAudioSink sink;
    ASSERT_TRUE(sink.Open(44100, 2646)) << sink.LastError();  // 60 ms
    for (const int signal : {SIGINT, SIGTERM}) {
        struct sigaction action {};
        sigaction(signal, nullptr, &action);
        EXPECT_EQ(action.sa_handler, SIG_DFL) << signal;
    }
    sink.SetPlayPosition(2000);
    sink.Play(true);
    EXPECT_TRUE(Eventually([&] { return sink.PlayPosition() < 2000; }));
    sink.Stop();
    const uint32_t stoppedAt = sink.PlayPosition();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(sink.PlayPosition(), stoppedAt);
    sink.SetPlayPosition(2000);
    sink.Play(false);
    EXPECT_TRUE(Eventually([&] { return !sink.Playing(); }));
    EXPECT_EQ(sink.PlayPosition(), 0u);
}

}  // namespace
}  // namespace tarvolinde::test
