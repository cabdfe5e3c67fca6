// Sound: the AY's generators tick by tick, a frame's samples placed by T-state,
// and whole machines handing their frames to the output.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "../machine_test_support.h"
#include "machine/sound/sound_frame.h"
#include "machine/sound/sound_out.h"

namespace tarvolinde::test {
namespace {

constexpr int32_t kFrame48 = 69888, kFrame128 = 70908;
constexpr int kModel128 = 4, kModelPentagon = 15;

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

TEST(AyGenerators, PeriodsComeFromBothRegistersZeroActsAsOneToneFlipsAndNoiseStepsEverySecondTick) {
    AySound ay;
    for (uint8_t reg : {2, 3, 6, 11, 12}) ay.Apply(reg, 0);
    EXPECT_EQ(ay.TonePeriod[1], 1);
    EXPECT_EQ(ay.NoisePeriod, 1);
    EXPECT_EQ(ay.EnvPeriod, 1);
    ay.Apply(3, 0xF1);  // the 0-as-1 rule must not stay in the low byte
    EXPECT_EQ(ay.TonePeriod[1], 0x100);
    ay.Apply(12, 0x80);
    EXPECT_EQ(ay.EnvPeriod, 0x8000);

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
    int flips = 0;
    for (int tick = 0; tick < 20000; ++tick) {
        const uint8_t last = ay.NoiseOut;
        ay.Tick();
        ASSERT_LT(ay.NoiseLfsr, 1u << 17);
        ASSERT_NE(ay.NoiseLfsr, 0u);  // never sticks
        flips += ay.NoiseOut != last;
    }
    EXPECT_GT(flips, 2000);  // about every other noise clock
    EXPECT_LT(flips, 8000);
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

TEST(FrameSound, TheSampleTableSpreadsTheFrameAndOutOfRangeSettingsAreClamped) {
    FrameSound sound;
    sound.Setup({44100, 20}, kFrame48);
    const auto table = sound.SampleIndexTable();
    ASSERT_GE(table.size(), size_t(kFrame48 + 101));  // room for an overrunning instruction
    for (const int32_t t : {0, 40, 34943, 69000, kFrame48 - 1})
        EXPECT_EQ(table[size_t(t)], std::lround(double(t) * 881 / (kFrame48 - 1))) << t;
    EXPECT_EQ(sound.SampleIndex(-5), 0u);
    EXPECT_EQ(sound.SampleIndex(1'000'000), uint32_t(table.back()));
    EXPECT_EQ(FrameMsOfSpeed(3), 200u);
    EXPECT_EQ(FrameMsOfSpeed(5000), 2u);
    EXPECT_EQ(SampleRateOfQuality(4), 0u);
    EXPECT_EQ(SampleRateOfQuality(-1), 0u);
}

TEST(FrameSound, ASpikeBecomesTwoSamplesOfHalfItsHeightAndASteadyLevelStaysWhole) {
    for (const bool filter : {false, true}) {
        FrameSound sound;
        sound.Setup({44100, 20}, kFrame48);
        sound.Filter = filter;
        const auto table = sound.SampleIndexTable();
        const auto firstOf = [&](int sample) { return int32_t(std::find(table.begin(), table.end(), sample) - table.begin()); };
        sound.BeeperChange(firstOf(100), 0x60);
        sound.BeeperChange(firstOf(101), 0x00);
        sound.BeeperChange(firstOf(800), 0x60);
        const std::span<const uint8_t> samples = sound.CompleteFrame(nullptr);
        for (uint32_t i = 0; i < samples.size(); ++i) {
            uint8_t expected = i == 100 || i >= 800 ? 0x60 : 0;
            if (filter && (i == 99 || i == 100 || i == 799)) expected = 0x30;
            ASSERT_EQ(samples[i], expected) << "filter " << filter << " sample " << i;
        }
    }
}

TEST(FrameSound, TheAyTickClockKeepsPaceWithTheFrames) {
    for (const auto [format, frameLength] : {std::pair{SoundFormat{44100, 20}, kFrame48}, {{11025, 20}, kFrame48},
                                             {{11025, 2}, kFrame128}, {{44100, 200}, 71680}, {{44100, 2}, kFrame48}}) {
        SCOPED_TRACE(testing::Message() << format.SampleRate << '/' << format.FrameMs);
        FrameSound sound;
        sound.Setup(format, frameLength);
        AySound ay;
        ay.Logging = true;
        const auto table = sound.SampleIndexTable();
        for (int frame = 0; frame < 20; ++frame) {
            sound.CompleteFrame(&ay);
            // Every tick of the last sample was made, and no tick of the next frame's first.
            const int32_t next = ay.AyTick + frameLength;
            ASSERT_GE(ay.AyTick, 0);
            ASSERT_LT(size_t(next), table.size());
            ASSERT_GE(uint32_t(table[size_t(next)]), sound.SamplesPerFrame());
            ASSERT_LT(uint32_t(table[size_t(next - AySound::kTStatesPerTick)]), sound.SamplesPerFrame());
        }
    }
}

// Keeps every frame handed over and answers with a fixed drawing decision.
struct RecordingOutput final : SoundOut {
    bool FrameDone(std::span<const uint8_t> samples) override {
        Frames.emplace_back(samples.begin(), samples.end());
        return Draw;
    }
    std::vector<std::vector<uint8_t>> Frames;
    bool Draw = false;
};

struct SoundRig {
    std::unique_ptr<TSp> machine;
    RecordingOutput output;
    SoundRig(int model, SoundFormat format, MachineOptions options = {}) : machine(MadeUpMachine(model, options)) {
        machine->Output = &output;
        machine->SetSoundFormat(format);
    }
    void OutAt(int32_t tstate, uint16_t port, uint8_t value) {
        machine->cpu.FrameTStates = tstate;
        machine->OutPort(port, value);
    }
    const std::vector<uint8_t>& EndFrame(int32_t overrun = 0) {
        machine->cpu.FrameTStates = machine->cpu.FrameLength + overrun;
        machine->EndFrame();
        return output.Frames.back();
    }
};

TEST(MachineSound, TheBeeperBitsReachTheFrameAtTheirSamples) {
    SoundRig rig(kModel48K, {44100, 20}, {.AyIn48 = false});
    rig.OutAt(20000, 0x00FE, 0x10);  // EAR: level 0x40
    rig.OutAt(30000, 0x00FE, 0x17);  // the same level: nothing to record
    rig.OutAt(40000, 0x00FE, 0x18);  // EAR and MIC: 0x60
    const uint32_t first = rig.machine->sound.SampleIndex(20000), second = rig.machine->sound.SampleIndex(40000);
    const std::vector<uint8_t> samples = rig.EndFrame(7);
    ASSERT_EQ(samples.size(), 882u);
    for (uint32_t i = 0; i < samples.size(); ++i) ASSERT_EQ(samples[i], i < first ? 0 : i < second ? 0x40 : 0x60) << i;
    EXPECT_EQ(rig.machine->screen.DrawFlag, 0);  // the output's decision
    EXPECT_EQ(rig.machine->cpu.FrameTStates, 7);
    EXPECT_EQ(rig.EndFrame(), std::vector<uint8_t>(882, 0x60));
}

TEST(MachineSound, TheAyIsHeardFromTheWriteOnOverTheBeeper) {
    for (const int model : {kModel128, kModelPentagon}) {
        SCOPED_TRACE(model);
        SoundRig rig(model, {22050, 20});
        rig.output.Draw = true;
        rig.OutAt(50, 0x00FE, 0x08);  // MIC: level 0x20
        rig.OutAt(100, 0xFFFD, 7);
        rig.OutAt(104, 0xBFFD, 0x3F);  // tone and noise off: the amplitude alone
        rig.OutAt(30000, 0xFFFD, 8);
        rig.OutAt(30004, 0xBFFD, 0xEF);  // volume 15; the unused bits are dropped
        const uint32_t on = rig.machine->sound.SampleIndex(30004);
        const std::vector<uint8_t> samples = rig.EndFrame();
        for (uint32_t i = 0; i < samples.size(); ++i) ASSERT_EQ(samples[i], i < on ? 0x20 : 0x20 + 42) << i;
        EXPECT_EQ(rig.machine->screen.DrawFlag, 1);
    }
}

TEST(MachineSound, AToneFlipsEverySixteenTimesItsPeriodInTStates) {
    SoundRig rig(kModel48K, {44100, 20});
    for (const auto [reg, value] : {std::pair<uint8_t, uint8_t>{0, 100}, {7, 0x3E}, {8, 15}}) {
        rig.OutAt(0, 0xFFFD, reg);
        rig.OutAt(0, 0xBFFD, value);
    }
    const std::vector<uint8_t> samples = rig.EndFrame();
    int changes = 0;
    for (size_t i = 1; i < samples.size(); ++i) {
        ASSERT_TRUE(samples[i] == 0 || samples[i] == 42) << i;
        changes += samples[i] != samples[i - 1];
    }
    EXPECT_GE(changes, 42);  // 69888 / (16 * 100) = 43.7 half-periods
    EXPECT_LE(changes, 44);
}

TEST(MachineSound, FastLoadingFramesAreNeitherHeardNorPaced) {
    SoundRig rig(kModel128, {11025, 20});
    rig.machine->cpu.NormalSpeed = 0;
    rig.OutAt(1000, 0x00FE, 0x10);
    rig.machine->cpu.FrameTStates = rig.machine->cpu.FrameLength;
    rig.machine->EndFrame();
    EXPECT_TRUE(rig.output.Frames.empty());
    rig.machine->cpu.NormalSpeed = 1;
    EXPECT_EQ(rig.EndFrame(), std::vector<uint8_t>(220, 0x40));
}

TEST(MachineSound, AReplayAfterRestoredRegistersAndNoWritesWithoutSound) {
    SoundRig rig(kModel128, {0, 20});
    rig.OutAt(10, 0xFFFD, 9);
    rig.OutAt(20, 0xBFFD, 0x0C);  // sound off: the register holds it, nothing is logged
    rig.OutAt(30, 0x00FE, 0x10);  // the beeper level is kept
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

}  // namespace
}  // namespace tarvolinde::test
