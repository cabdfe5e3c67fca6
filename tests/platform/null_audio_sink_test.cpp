#include <gtest/gtest.h>

#include <vector>

#include "platform/null_audio_sink.h"
#include "tests/platform/fake_clock.h"

namespace tarvolinde::test {
namespace {

TEST(NullAudioSink, OpensASilentStoppedBuffer) {
    FakeClock clock;
    NullAudioSink sink(clock);
    ASSERT_TRUE(sink.Open(44100, 10584));
    EXPECT_TRUE(sink.IsOpen());
    EXPECT_EQ(sink.Buffer().size(), 10584u);
    EXPECT_EQ(sink.SampleRate(), 44100u);
    EXPECT_FALSE(sink.Playing());
    EXPECT_EQ(sink.PlayPosition(), 0u);
    for (const uint8_t sample : sink.Buffer()) ASSERT_EQ(sample, 0);

    sink.Close();
    EXPECT_FALSE(sink.IsOpen());
    EXPECT_FALSE(sink.Open(0, 100));
    sink.FailOpen = true;
    EXPECT_FALSE(sink.Open(22050, 100));
    EXPECT_FALSE(sink.LastError().empty());
}

TEST(NullAudioSink, ConsumesInRealTimeByTheClock) {
    FakeClock clock;
    NullAudioSink sink(clock);
    ASSERT_TRUE(sink.Open(44100, 10584));
    clock.AdvanceMs(50);  // stopped: nothing moves
    EXPECT_EQ(sink.PlayPosition(), 0u);

    sink.Play(true);
    clock.AdvanceMs(20);
    EXPECT_EQ(sink.PlayPosition(), 882u);
    clock.AdvanceMs(220);  // 12 frames in all: once round the loop
    EXPECT_EQ(sink.PlayPosition(), 0u);
    clock.AdvanceMs(30);
    EXPECT_EQ(sink.PlayPosition(), 1323u);
    EXPECT_TRUE(sink.Playing());

    sink.Stop();
    clock.AdvanceMs(100);
    EXPECT_EQ(sink.PlayPosition(), 1323u);
    sink.SetPlayPosition(10000);
    sink.Play(true);
    clock.AdvanceMs(20);
    EXPECT_EQ(sink.PlayPosition(), (10000u + 882u) % 10584u);
}

TEST(NullAudioSink, APlayThatDoesNotLoopStopsAtTheEnd) {
    FakeClock clock;
    NullAudioSink sink(clock);
    ASSERT_TRUE(sink.Open(22050, 5292));
    sink.SetPlayPosition(4000);
    sink.Play(false);
    clock.AdvanceMs(50);  // 1102 samples: not yet at the end
    EXPECT_TRUE(sink.Playing());
    EXPECT_EQ(sink.PlayPosition(), 5102u);
    clock.AdvanceMs(50);
    EXPECT_FALSE(sink.Playing());
    EXPECT_EQ(sink.PlayPosition(), 0u);
    clock.AdvanceMs(50);
    EXPECT_EQ(sink.PlayPosition(), 0u);
}

TEST(NullAudioSink, WritesWrapAndFillCoversTheBuffer) {
    FakeClock clock;
    NullAudioSink sink(clock);
    ASSERT_TRUE(sink.Open(11025, 10));
    sink.Fill(0x55);
    const std::vector<uint8_t> samples{1, 2, 3, 4};
    sink.Write(8, samples);
    const std::vector<uint8_t> expected{3, 4, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 1, 2};
    EXPECT_EQ(std::vector<uint8_t>(sink.Buffer().begin(), sink.Buffer().end()), expected);
    sink.SetVolume(-693);
    EXPECT_EQ(sink.Volume(), -693);
}

TEST(NullAudioSink, InstantConsumptionKeepsUpWithEveryWrite) {
    FakeClock clock;
    NullAudioSink sink(clock, NullAudioSink::Consumption::Instant);
    ASSERT_TRUE(sink.Open(44100, 100));
    const std::vector<uint8_t> samples(30, 7);
    sink.Write(0, samples);
    EXPECT_EQ(sink.PlayPosition(), 0u);  // not playing yet
    sink.Play(true);
    sink.Write(30, samples);
    EXPECT_EQ(sink.PlayPosition(), 60u);
    clock.AdvanceMs(1000);  // time alone moves nothing
    EXPECT_EQ(sink.PlayPosition(), 60u);
    sink.Write(90, samples);
    EXPECT_EQ(sink.PlayPosition(), 20u);
}

}  // namespace
}  // namespace tarvolinde::test
