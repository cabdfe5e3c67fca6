// Sound: the AY's generators tick by tick, a frame's samples placed by T-state,
// whole machines handing their frames to the output, and the pacing of the
// emulation by the sound buffer or by a timer.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "../machine_test_support.h"
#include "machine/sound/sound_frame.h"
#include "machine/sound/sound_out.h"
#include "machine/sound/sound_output.h"
#include "machine/sound/sound_writer.h"
#include "machine/sound/timer_pacer.h"
#include "platform/null_audio_sink.h"
#include "tests/platform/fake_clock.h"

namespace tarvolinde::test {
namespace {

constexpr int32_t kFrame48 = 69888, kFrame128 = 70908;

TEST(AyEnvelope, AllSixteenShapesAndTheirStepPeriod) {
    // Per shape: the first sixteen steps rise ('/') or fall ('\'); then zero ('_'),
    // hold at 15 ('~'), repeat ('r') or turn round ('a').
    const char* kShapes[16] = {"\\_", "\\_", "\\_", "\\_", "/_", "/_", "/_", "/_",
                               "\\r", "\\_", "\\a", "\\~", "/r", "/~", "/a", "/_"};
    for (uint8_t shape = 0; shape < 16; ++shape) {
        AySound ay;
        ay.Apply(11, 2);  // a step every two ticks
        ay.Apply(13, shape);
        for (int step = 0; step < 80; ++step, ay.Tick(), ay.Tick()) {
            const int cycle = step / 16, position = step % 16;
            const char then = kShapes[shape][1];
            const bool rising = (kShapes[shape][0] == '/') != (then == 'a' && cycle % 2);
            int expected = rising ? position : 15 - position;
            if (cycle > 0 && then == '_') expected = 0;
            if (cycle > 0 && then == '~') expected = 15;
            ASSERT_EQ(ay.EnvVolume, expected) << "shape " << int(shape) << " step " << step;
        }
    }
}

TEST(AyGenerators, PeriodsZeroActsAsOneToneFlipsEveryPeriodNoiseEverySecondTickAndNeverSticks) {
    AySound ay;
    for (uint8_t reg : {2, 3, 6, 11, 12}) ay.Apply(reg, 0);
    EXPECT_EQ(ay.TonePeriod[1] + ay.NoisePeriod + ay.EnvPeriod, 3);
    ay.Apply(3, 0xF1);  // the 0-as-1 rule must not stay in the low byte
    EXPECT_EQ(ay.TonePeriod[1], 0x100);
    ay.Apply(4, 5);
    ay.Apply(6, 3);
    std::vector<int> toneFlips, noiseSteps;
    for (int tick = 1; tick <= 30; ++tick) {
        const uint32_t lfsr = ay.NoiseLfsr;
        const uint8_t tone = ay.ToneFlip[2];
        ay.Tick();
        if (ay.ToneFlip[2] != tone) toneFlips.push_back(tick);
        if (ay.NoiseLfsr != lfsr) noiseSteps.push_back(tick);
    }
    EXPECT_EQ(toneFlips, (std::vector<int>{5, 10, 15, 20, 25, 30}));
    EXPECT_EQ(noiseSteps, (std::vector<int>{6, 12, 18, 24, 30}));
    ay.Apply(6, 1);
    for (int tick = 0; tick < 20000; ++tick) {
        ay.Tick();
        ASSERT_TRUE(ay.NoiseLfsr != 0 && ay.NoiseLfsr < 1u << 17) << tick;
    }
}

TEST(AyLog, AFullLogKeepsTheLastWriteOfEachRegisterInOrder) {
    AySound ay;
    ay.Logging = true;
    for (uint32_t i = 0; i < AySound::kLogCapacity; ++i) ay.LogWrite(int32_t(i), uint8_t(i % 3 == 0 ? 8 : 0), uint8_t(i));
    ay.LogWrite(7000, 13, 0x0E);
    // Entries 6248 (register 0) and 6249 (register 8) were the last of their registers.
    ASSERT_EQ(ay.AyLog().size(), 3u);
    EXPECT_EQ(ay.AyLog()[0].TState, 6248);
    EXPECT_EQ(ay.AyLog()[1].Register, 8);
    EXPECT_EQ(ay.AyLog()[1].Value, uint8_t(6249));
    EXPECT_EQ(ay.AyLog()[2].TState, 7000);
}

TEST(FrameSound, TheFilterMakesASpikeTwoSamplesOfHalfItsHeightAndKeepsASteadyLevelWhole) {
    for (const bool filter : {false, true}) {
        FrameSound sound;
        sound.Setup({44100, 20}, kFrame48);
        sound.Filter = filter;
        const auto table = sound.SampleIndexTable();
        for (const auto& [sample, level] : {std::pair{100, 0x60}, {101, 0}, {800, 0x60}})
            sound.BeeperChange(int32_t(std::find(table.begin(), table.end(), sample) - table.begin()), uint8_t(level));
        const std::span<const uint8_t> samples = sound.CompleteFrame(nullptr);
        for (uint32_t i = 0; i < samples.size(); ++i) {
            uint8_t expected = i == 100 || i >= 800 ? 0x60 : 0;
            if (filter && (i == 99 || i == 100 || i == 799)) expected = 0x30;
            ASSERT_EQ(samples[i], expected) << "filter " << filter << " sample " << i;
        }
    }
}

TEST(FrameSound, TheAyTickClockKeepsPaceWithTheFrames) {
    for (const auto& [format, frameLength] : {std::pair{SoundFormat{44100, 20}, kFrame48}, {{11025, 20}, kFrame48},
                                             {{11025, 2}, kFrame128}, {{44100, 200}, 71680}, {{44100, 2}, kFrame48}}) {
        FrameSound sound;
        sound.Setup(format, frameLength);
        AySound ay;
        ay.Logging = true;
        const auto table = sound.SampleIndexTable();
        for (int frame = 0; frame < 20; ++frame) {
            sound.CompleteFrame(&ay);
            // Every tick of the last sample was made, and no tick of the next frame's first.
            const int32_t next = ay.AyTick + frameLength;
            ASSERT_TRUE(ay.AyTick >= 0 && size_t(next) < table.size()) << format.SampleRate << '/' << format.FrameMs;
            ASSERT_GE(uint32_t(table[size_t(next)]), sound.SamplesPerFrame());
            ASSERT_LT(uint32_t(table[size_t(next - AySound::kTStatesPerTick)]), sound.SamplesPerFrame());
        }
    }
}

// A machine whose frames, handed over at their end, are kept; the output answers
// with a fixed drawing decision.
struct SoundRig final : SoundOut {
    std::unique_ptr<TSp> machine;
    std::vector<std::vector<uint8_t>> frames;
    bool draw = false;
    SoundRig(int model, SoundFormat format, MachineOptions options = {}) : machine(MadeUpMachine(model, options)) {
        machine->Output = this;
        machine->SetSoundFormat(format);
    }
    bool FrameDone(std::span<const uint8_t> samples) override {
        frames.emplace_back(samples.begin(), samples.end());
        return draw;
    }
    void Out(int32_t tstate, uint16_t port, uint8_t value) {
        machine->cpu.FrameTStates = tstate;
        machine->OutPort(port, value);
    }
    const std::vector<uint8_t>& EndFrame(int32_t overrun = 0) {
        machine->cpu.FrameTStates = machine->cpu.FrameLength + overrun;
        machine->EndFrame();
        return frames.back();
    }
};

TEST(MachineSound, TheBeeperBitsReachTheFrameAtTheirSamples) {
    SoundRig rig(kModel48K, {44100, 20}, {.AyIn48 = false});
    rig.Out(20000, 0x00FE, 0x10);  // EAR: level 0x40
    rig.Out(30000, 0x00FE, 0x17);  // the same level: nothing to record
    rig.Out(40000, 0x00FE, 0x18);  // EAR and MIC: 0x60
    const uint32_t first = rig.machine->sound.SampleIndex(20000), second = rig.machine->sound.SampleIndex(40000);
    const std::vector<uint8_t> samples = rig.EndFrame(7);
    ASSERT_EQ(samples.size(), 882u);
    for (uint32_t i = 0; i < samples.size(); ++i) ASSERT_EQ(samples[i], i < first ? 0 : i < second ? 0x40 : 0x60) << i;
    EXPECT_EQ(rig.machine->screen.DrawFlag, 0);  // the output's decision
    EXPECT_EQ(rig.machine->cpu.FrameTStates, 7);
    EXPECT_EQ(rig.EndFrame(), std::vector<uint8_t>(882, 0x60));
}

TEST(MachineSound, TheAyIsHeardFromTheWriteOnOverTheBeeper) {
    for (const int model : {4, 15}) {
        SoundRig rig(model, {22050, 20});
        rig.draw = true;
        for (const auto& [t, port, value] : {std::tuple{50, 0x00FE, 0x08}, {100, 0xFFFD, 7}, {104, 0xBFFD, 0x3F},
                                            {30000, 0xFFFD, 8}, {30004, 0xBFFD, 0xEF}})  // volume 15: unused bits go
            rig.Out(t, uint16_t(port), uint8_t(value));
        const uint32_t on = rig.machine->sound.SampleIndex(30004);
        const std::vector<uint8_t> samples = rig.EndFrame();
        for (uint32_t i = 0; i < samples.size(); ++i) ASSERT_EQ(samples[i], 0x20 + (i < on ? 0 : 42)) << model << ' ' << i;
        EXPECT_EQ(rig.machine->screen.DrawFlag, 1);
    }
}

TEST(MachineSound, FastLoadingFramesAreNeitherHeardNorPaced) {
    SoundRig rig(4, {11025, 20});
    rig.machine->cpu.NormalSpeed = 0;
    rig.Out(1000, 0x00FE, 0x10);
    rig.machine->cpu.FrameTStates = rig.machine->cpu.FrameLength;
    rig.machine->EndFrame();
    EXPECT_TRUE(rig.frames.empty());
    rig.machine->cpu.NormalSpeed = 1;
    EXPECT_EQ(rig.EndFrame(), std::vector<uint8_t>(220, 0x40));
}

TEST(MachineSound, AReplayAfterRestoredRegistersAndNoWritesWithoutSound) {
    SoundRig rig(4, {0, 20});
    rig.Out(10, 0xFFFD, 9);
    rig.Out(20, 0xBFFD, 0x0C);  // sound off: the register holds it, nothing is logged
    rig.Out(30, 0x00FE, 0x10);  // the beeper level is kept
    EXPECT_EQ(rig.machine->Ay.Synth.AyLogCount, 0u);
    rig.machine->Ay.AyRegs[7] = 0x3F;  // as a snapshot loader sets them, before the replay
    rig.machine->SetSoundFormat({11025, 20});
    rig.machine->cpu.FrameTStates = 0;
    rig.machine->ReplayAy();
    EXPECT_EQ(rig.machine->Ay.AySelected, 9u);
    EXPECT_EQ(rig.EndFrame(), std::vector<uint8_t>(220, 0x40 + 30));
    rig.machine->Reset();  // silences the chip
    EXPECT_EQ(rig.EndFrame(), std::vector<uint8_t>(220, 0x40));
}

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

TEST(SoundWriter, StartsHalfABufferAheadDrawsWhileMoreThanFourFramesAreQueuedAndWaitsWhenFull) {
    WriterFixture f;
    f.sink.Fill(0x77);
    f.writer.Start();
    EXPECT_TRUE(f.writer.FrameDone(f.frame));  // seven frames ahead of the play position now
    EXPECT_EQ(f.sink.Buffer()[5291], 0);       // silence before
    EXPECT_EQ(f.sink.Buffer()[5292], 0x33);
    f.clock.AdvanceMs(60);  // three played: exactly four queued
    EXPECT_FALSE(f.writer.FrameDone(f.frame));
    EXPECT_TRUE(f.writer.FrameDone(f.frame));  // five queued
    f.clock.AdvanceMs(100);                    // a slow host: the queue runs low
    EXPECT_FALSE(f.writer.FrameDone(f.frame));
    for (int i = 0; i < 9; ++i) f.writer.FrameDone(f.frame);
    EXPECT_TRUE(f.clock.Sleeps.empty());  // eleven queued: one frame free
    f.writer.FrameDone(f.frame);
    EXPECT_EQ(f.clock.Sleeps, (std::vector<int64_t>{20000}));
}

TEST(SoundWriter, AFrameWhileStoppedIsPlayedOnceAndNeverWaitsForever) {
    WriterFixture f;
    f.writer.WritePos = 9702;
    EXPECT_TRUE(f.writer.FrameDone(f.frame));  // queue full: waits one frame of the single play
    EXPECT_FALSE(f.sink.Looping());
    EXPECT_EQ(f.clock.Sleeps.size(), 1u);
    f.sink.Stop();  // the single play ends during the wait: nothing more frees the buffer
    f.sink.SetPlayPosition(10000);
    f.writer.WritePos = 9702;
    f.writer.FrameDone(f.frame);
    EXPECT_EQ(f.clock.Sleeps.size(), 2u);
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
    EXPECT_EQ(clock.NowMs(), due);
    clock.Sleeps.clear();
    clock.AdvanceMs(17);  // within 4 ms of the deadline: too late to sleep, not drawn
    EXPECT_FALSE(pacer.FrameDone({}));
    clock.AdvanceMs(200);  // 197 ms behind: still catching up
    pacer.FrameDone({});
    EXPECT_EQ(pacer.Deadline, due + 60);
    clock.AdvanceMs(100);  // 277 ms behind: start again from now
    pacer.FrameDone({});
    EXPECT_EQ(pacer.Deadline, clock.NowMs() + 20);
    EXPECT_TRUE(clock.Sleeps.empty());
}

TEST(SoundOutput, WithoutADeviceTheTimerPaces) {
    FakeClock clock;
    NullAudioSink sink(clock);
    sink.FailOpen = true;
    SoundOutput output(&sink, clock);
    EXPECT_FALSE(output.SetQuality(3));
    EXPECT_FALSE(output.Format().HasSound());
    output.StartEmulation();
    EXPECT_TRUE(output.FrameDone({}));
    ASSERT_FALSE(clock.Sleeps.empty());
    EXPECT_EQ(clock.Sleeps.front(), 16000);
    EXPECT_FALSE(SoundOutput(nullptr, clock).SetQuality(2));
}

}  // namespace
}  // namespace tarvolinde::test
