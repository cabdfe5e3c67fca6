#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/null_audio_sink.h"
#include "tests/platform/fake_clock.h"

namespace tarvolinde::test {
namespace {

// The play position moves by the clock only while playing: round the buffer
// when looping, to its end and a stop when not. Writes wrap round the buffer.
TEST(NullAudioSink, ConsumesInRealTimeByTheClock) {
    FakeClock clock;
    NullAudioSink sink(clock);
    ASSERT_TRUE(sink.Open(44100, 10584));
    sink.Write(10580, std::vector<uint8_t>(8, 0x55));
    EXPECT_TRUE(std::ranges::count(sink.Buffer(), 0x55) == 8 && sink.Buffer()[3] == 0x55);
    clock.AdvanceMs(50);
    sink.Play(true);
    clock.AdvanceMs(270);  // once round the loop and 30 ms on
    EXPECT_EQ(sink.PlayPosition(), 1323u);
    sink.Stop();
    clock.AdvanceMs(100);
    EXPECT_EQ(sink.PlayPosition(), 1323u);
    sink.SetPlayPosition(10000);
    sink.Play(false);
    clock.AdvanceMs(10);  // 441 samples: not yet at the end
    EXPECT_EQ(sink.PlayPosition(), 10441u);
    clock.AdvanceMs(10);
    EXPECT_TRUE(!sink.Playing() && sink.PlayPosition() == 0);

    NullAudioSink instant(clock, NullAudioSink::Consumption::Instant);  // follows every write at once
    ASSERT_TRUE(instant.Open(11025, 10));
    instant.Play(true);
    instant.Write(8, std::vector<uint8_t>(5, 7));
    EXPECT_EQ(instant.PlayPosition(), 3u);
    SteadyClock steady;  // counts microseconds, as the sink and the pacers expect
    NullAudioSink real(steady);
    ASSERT_TRUE(real.Open(44100, 44100));
    real.Play(true);
    steady.SleepMs(20);
    EXPECT_TRUE(real.PlayPosition() >= 882 && real.PlayPosition() < 22050) << real.PlayPosition();
}

}  // namespace
}  // namespace tarvolinde::test
