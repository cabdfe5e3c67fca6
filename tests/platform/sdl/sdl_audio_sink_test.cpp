// Runs on SDL's dummy audio driver (SDL_AUDIODRIVER=dummy), which plays nothing
// but consumes the stream in real time.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/sdl/sdl_audio_sink.h"

namespace tarvolinde::test {
namespace {

// Waits (up to a generous limit) until the condition holds.
template <typename Condition>
bool Eventually(Condition condition) {
    for (int i = 0; i < 400; ++i) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return condition();
}

// Sets an environment variable for one scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        setenv(name, value, 1);
    }
    ~ScopedEnvironment() {
        if (old_.empty()) unsetenv(name_);
        else setenv(name_, old_.c_str(), 1);
    }

private:
    const char* name_;
    std::string old_;
};

TEST(SdlAudioSink, OpensUnsigned8BitMonoAtEveryQuality) {
    for (const uint32_t rate : {11025u, 22050u, 44100u}) {
        SdlAudioSink sink;
        ASSERT_TRUE(sink.Open(rate, 12 * (rate / 50))) << rate << ": " << sink.LastError();
        EXPECT_TRUE(sink.IsOpen());
        EXPECT_FALSE(sink.Playing());
        EXPECT_EQ(sink.PlayPosition(), 0u);
        EXPECT_FALSE(sink.DriverName().empty());
    }
}

TEST(SdlAudioSink, ThePlayPositionMovesOnlyWhilePlaying) {
    SdlAudioSink sink;
    ASSERT_TRUE(sink.Open(44100, 10584)) << sink.LastError();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(sink.PlayPosition(), 0u);

    sink.Play(true);
    EXPECT_TRUE(Eventually([&] { return sink.PlayPosition() > 882; }));
    sink.Stop();
    EXPECT_FALSE(sink.Playing());
    const uint32_t stoppedAt = sink.PlayPosition();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(sink.PlayPosition(), stoppedAt);

    sink.SetPlayPosition(10584 + 5);
    EXPECT_EQ(sink.PlayPosition(), 5u);
}

TEST(SdlAudioSink, LoopsRoundTheBufferOrStopsAtItsEnd) {
    SdlAudioSink sink;
    ASSERT_TRUE(sink.Open(44100, 2646)) << sink.LastError();  // 60 ms
    sink.SetPlayPosition(2000);
    sink.Play(true);
    EXPECT_TRUE(Eventually([&] { return sink.PlayPosition() < 2000; }));  // wrapped
    EXPECT_TRUE(sink.Playing());

    sink.Stop();
    sink.SetPlayPosition(2000);
    sink.Play(false);
    EXPECT_TRUE(Eventually([&] { return !sink.Playing(); }));
    EXPECT_EQ(sink.PlayPosition(), 0u);
}

TEST(SdlAudioSink, WritingAndVolumeWhileTheDeviceRuns) {
    SdlAudioSink sink;
    ASSERT_TRUE(sink.Open(22050, 5292)) << sink.LastError();
    sink.Play(true);
    const std::vector<uint8_t> frame(441, 0x60);
    for (uint32_t offset = 0; offset < 5292 * 3; offset += 441) sink.Write(offset, frame);
    sink.Fill(0);
    for (int volume : {-2303, -693, 0}) sink.SetVolume(volume);
    EXPECT_TRUE(Eventually([&] { return sink.PlayPosition() > 441; }));
    sink.Close();
    EXPECT_FALSE(sink.IsOpen());
    EXPECT_FALSE(sink.Playing());
    EXPECT_EQ(sink.PlayPosition(), 0u);
    sink.Write(0, frame);  // closed: ignored
    sink.Play(true);
    EXPECT_FALSE(sink.Playing());
}

TEST(SdlAudioSink, AnAudioSystemThatCannotStartIsReportedNotFatal) {
    const ScopedEnvironment driver("SDL_AUDIODRIVER", "no-such-driver");
    SdlAudioSink sink;
    EXPECT_FALSE(sink.Open(44100, 10584));
    EXPECT_FALSE(sink.IsOpen());
    EXPECT_FALSE(sink.LastError().empty());
    sink.Play(true);
    sink.Write(0, std::vector<uint8_t>(10, 1));
    EXPECT_FALSE(sink.Playing());
    EXPECT_EQ(sink.PlayPosition(), 0u);
}

}  // namespace
}  // namespace tarvolinde::test
