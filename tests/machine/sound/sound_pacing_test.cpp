// Pacing the emulation: by the sound buffer's free space while there is sound,
// by a timer without, and the output choosing between them.

#include <gtest/gtest.h>

#include <vector>

#include "machine/sound/sound_output.h"
#include "machine/sound/sound_writer.h"
#include "machine/sound/timer_pacer.h"
#include "platform/null_audio_sink.h"
#include "tests/platform/fake_clock.h"

namespace tarvolinde::test {
namespace {

// 44100 Hz, 20 ms: 882 samples a frame, twelve frames in the buffer.
struct WriterFixture {
    FakeClock clock;
    NullAudioSink sink{clock};
    SoundWriter writer{sink, clock};
    std::vector<uint8_t> frame = std::vector<uint8_t>(882, 0x33);

    WriterFixture() {
        EXPECT_TRUE(sink.Open(44100, 12 * 882));
        writer.Configure({44100, 20});
    }
};

TEST(SoundWriter, StartsHalfABufferAheadAndDrawsWhileMoreThanFourFramesAreQueued) {
    WriterFixture f;
    f.sink.Fill(0x77);
    f.sink.SetPlayPosition(500);
    f.writer.Start();
    EXPECT_TRUE(f.sink.Looping());
    EXPECT_TRUE(f.writer.FrameDone(f.frame));  // seven frames ahead of the play position now
    EXPECT_EQ(f.sink.Buffer()[5291], 0);       // silence before
    EXPECT_EQ(f.sink.Buffer()[5292], 0x33);
    f.clock.AdvanceMs(60);  // three played: exactly four queued
    EXPECT_FALSE(f.writer.FrameDone(f.frame));
    EXPECT_TRUE(f.writer.FrameDone(f.frame));  // five queued
    f.clock.AdvanceMs(100);                    // a slow host: the queue runs low
    EXPECT_FALSE(f.writer.FrameDone(f.frame));
    EXPECT_TRUE(f.clock.Sleeps.empty());
}

TEST(SoundWriter, WaitsAFramePeriodAtATimeWhileLessThanAFrameIsFree) {
    WriterFixture f;
    f.writer.Start();
    for (int i = 0; i < 5; ++i) f.writer.FrameDone(f.frame);
    EXPECT_TRUE(f.clock.Sleeps.empty());  // eleven frames queued: one frame free
    f.writer.FrameDone(f.frame);
    EXPECT_EQ(f.clock.Sleeps, (std::vector<int64_t>{20000}));
    EXPECT_EQ(f.writer.WritePos, 0u);  // the twelfth slot ends the buffer exactly
}

TEST(SoundWriter, AFrameWhileStoppedIsPlayedOnceAndNeverWaitsForever) {
    WriterFixture f;
    f.writer.WritePos = 9702;
    EXPECT_TRUE(f.writer.FrameDone(f.frame));  // queue full: waits one frame of the single play
    EXPECT_FALSE(f.sink.Looping());
    EXPECT_EQ(f.clock.Sleeps.size(), 1u);
    // The single play ends during the wait; nothing more can free the buffer.
    f.sink.Stop();
    f.sink.SetPlayPosition(10000);
    f.writer.WritePos = 9702;
    f.writer.FrameDone(f.frame);
    EXPECT_EQ(f.clock.Sleeps.size(), 2u);
    EXPECT_EQ(f.writer.WritePos, 0u);
}

TEST(TimerPacer, SleepsToJustBeforeTheDeadlineWaitsItOutAndFarBehindGivesUpCatchingUp) {
    FakeClock clock;
    TimerPacer pacer(clock);
    pacer.SetFrameMs(20);
    pacer.Start();
    const int64_t due = clock.NowMs() + 20;
    clock.AdvanceMs(10);  // 10 ms of work: sleeps the remaining 10 ms less the last 4, then polls
    EXPECT_TRUE(pacer.FrameDone({}));
    EXPECT_EQ(clock.Sleeps.front(), 6000);
    for (size_t i = 1; i < clock.Sleeps.size(); ++i) EXPECT_LT(clock.Sleeps[i], 1000);
    EXPECT_EQ(clock.NowMs(), due);

    clock.Sleeps.clear();
    clock.AdvanceMs(17);  // within 4 ms of the deadline: too late to sleep, not drawn
    EXPECT_FALSE(pacer.FrameDone({}));
    clock.AdvanceMs(200);  // 197 ms behind: still catching up
    EXPECT_FALSE(pacer.FrameDone({}));
    EXPECT_EQ(pacer.Deadline, due + 60);
    clock.AdvanceMs(100);  // 277 ms behind: start again from now
    pacer.FrameDone({});
    EXPECT_EQ(pacer.Deadline, clock.NowMs() + 20);
    EXPECT_TRUE(clock.Sleeps.empty());
}

TEST(SoundOutput, QualitySpeedAndVolumeSetUpTheBufferAndChooseThePacer) {
    FakeClock clock;
    NullAudioSink sink(clock);
    SoundOutput output(&sink, clock);
    ASSERT_TRUE(output.SetQuality(3));
    EXPECT_EQ(sink.Buffer().size(), 12u * 882u);
    output.SetVolume(0);
    ASSERT_TRUE(output.SetSpeed(200));
    EXPECT_EQ(sink.Buffer().size(), 12u * 441u);
    EXPECT_EQ(sink.Volume(), -2303);  // re-applied to the new buffer
    ASSERT_TRUE(output.SetQuality(0));
    EXPECT_FALSE(sink.IsOpen());
    output.SetVolume(3);  // kept for when the sound comes back
    ASSERT_TRUE(output.SetQuality(1));
    EXPECT_EQ(sink.Volume(), -693);

    output.StartEmulation();
    EXPECT_TRUE(output.FrameDone(std::vector<uint8_t>(110, 0x11)));
    EXPECT_EQ(sink.Buffer()[6 * 110], 0x11);  // six frames ahead
    EXPECT_TRUE(clock.Sleeps.empty());
    output.StopEmulation();
    EXPECT_FALSE(sink.Playing());

    // Without a device the timer paces.
    sink.FailOpen = true;
    EXPECT_FALSE(output.SetQuality(3));
    EXPECT_FALSE(output.Format().HasSound());
    EXPECT_FALSE(output.LastError().empty());
    output.StartEmulation();
    EXPECT_TRUE(output.FrameDone({}));
    EXPECT_EQ(clock.Sleeps.front(), 6000);  // 10 ms frames at this speed, less the last 4
    SoundOutput withoutSink(nullptr, clock);
    EXPECT_FALSE(withoutSink.SetQuality(2));
    EXPECT_TRUE(withoutSink.SetQuality(0));
}

}  // namespace
}  // namespace tarvolinde::test
