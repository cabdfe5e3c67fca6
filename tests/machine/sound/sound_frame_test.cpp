// A frame's samples: the beeper's levels and the AY's ticks placed by T-state,
// the smoothing filter, and whole machines handing their frames to the output.

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

std::vector<uint8_t> Copy(std::span<const uint8_t> samples) { return {samples.begin(), samples.end()}; }

TEST(SoundFormat, SpeedAndQualityOutOfRangeAreClamped) {
    EXPECT_EQ((SoundFormat{44100, FrameMsOfSpeed(100)}.SamplesPerFrame()), 882u);
    EXPECT_EQ(FrameMsOfSpeed(3), 200u);
    EXPECT_EQ(FrameMsOfSpeed(5000), 2u);
    EXPECT_EQ(SampleRateOfQuality(4), 0u);
    EXPECT_EQ(SampleRateOfQuality(-1), 0u);
}

TEST(SampleIndexTable, SpreadsTheFrameOverItsSamples) {
    FrameSound sound;
    sound.Setup({44100, 20}, kFrame48);
    const auto table = sound.SampleIndexTable();
    ASSERT_GE(table.size(), size_t(kFrame48 + 101));  // room for an overrunning instruction
    EXPECT_EQ(table[kFrame48 - 1], 881);
    for (const int32_t t : {0, 1, 40, 34943, 69000})
        EXPECT_EQ(table[size_t(t)], std::lround(double(t) * 881 / (kFrame48 - 1))) << t;
    EXPECT_EQ(sound.SampleIndex(-5), 0u);
    EXPECT_EQ(sound.SampleIndex(1'000'000), uint32_t(table.back()));
}

TEST(Beeper, WithoutSoundOnlyTheLevelIsKept) {
    FrameSound sound;
    sound.Setup({0, 20}, kFrame48);
    sound.BeeperChange(100, 0x40);
    EXPECT_EQ(sound.beeper.BeeperLevel, 0x40);
    EXPECT_TRUE(sound.CompleteFrame(nullptr).empty());
    sound.Setup({22050, 20}, kFrame48);
    const std::vector<uint8_t> samples = Copy(sound.CompleteFrame(nullptr));
    EXPECT_EQ(samples, std::vector<uint8_t>(441, 0x40));
}

TEST(SoundFilter, ASpikeBecomesTwoSamplesOfHalfItsHeightAndASteadyLevelStaysWhole) {
    for (const bool filter : {false, true}) {
        FrameSound sound;
        sound.Setup({44100, 20}, kFrame48);
        sound.Filter = filter;
        const auto table = sound.SampleIndexTable();
        const auto firstOf = [&](int sample) { return int32_t(std::find(table.begin(), table.end(), sample) - table.begin()); };
        sound.BeeperChange(firstOf(100), 0x60);
        sound.BeeperChange(firstOf(101), 0x00);
        sound.BeeperChange(firstOf(800), 0x60);
        const std::vector<uint8_t> samples = Copy(sound.CompleteFrame(nullptr));
        for (uint32_t i = 0; i < samples.size(); ++i) {
            uint8_t expected = i == 100 || i >= 800 ? 0x60 : 0;
            if (filter && (i == 99 || i == 100 || i == 799)) expected = 0x30;
            ASSERT_EQ(samples[i], expected) << "filter " << filter << " sample " << i;
        }
    }
}

void WriteAy(AyRegisters& ay, uint8_t reg, uint8_t value, int32_t tstate) {
    ay.Select(reg);
    ay.Write(value, tstate);
}

TEST(FrameSoundAy, AChannelWithToneAndNoiseOffPlaysItsVolumeOverTheBeeper) {
    FrameSound sound;
    sound.Setup({22050, 20}, kFrame128);
    AyRegisters ay;
    ay.Synth.Logging = true;
    sound.BeeperChange(0, 0x20);
    WriteAy(ay, 7, 0x3F, 0);
    WriteAy(ay, 8, 10, 0);
    WriteAy(ay, 8, 3, 35000);
    const uint32_t change = sound.SampleIndex(35000);
    const std::vector<uint8_t> samples = Copy(sound.CompleteFrame(&ay.Synth));
    ASSERT_EQ(samples.size(), 441u);
    for (uint32_t i = 0; i < samples.size(); ++i) ASSERT_EQ(samples[i], 0x20 + (i < change ? 23 : 5)) << i;
    EXPECT_EQ(ay.Synth.AyLogCount, 0u);
}

TEST(FrameSoundAy, AToneFlipsEverySixteenTimesItsPeriodInTStates) {
    FrameSound sound;
    sound.Setup({44100, 20}, kFrame48);
    AyRegisters ay;
    ay.Synth.Logging = true;
    WriteAy(ay, 0, 100, 0);
    WriteAy(ay, 7, 0x3E, 0);  // tone A only
    WriteAy(ay, 8, 15, 0);
    const std::vector<uint8_t> samples = Copy(sound.CompleteFrame(&ay.Synth));
    int changes = 0;
    for (size_t i = 1; i < samples.size(); ++i) {
        ASSERT_TRUE(samples[i] == 0 || samples[i] == 42) << i;
        changes += samples[i] != samples[i - 1];
    }
    EXPECT_GE(changes, 42);  // 69888 / (16 * 100) = 43.7 half-periods
    EXPECT_LE(changes, 44);
}

TEST(FrameSoundAy, TheTickClockKeepsPaceWithTheFrames) {
    for (const auto [format, frameLength] : {std::pair{SoundFormat{44100, 20}, kFrame48}, {{11025, 20}, kFrame48},
                                             {{11025, 2}, kFrame128}, {{44100, 200}, 71680}, {{44100, 2}, kFrame48}}) {
        SCOPED_TRACE(testing::Message() << format.SampleRate << '/' << format.FrameMs);
        FrameSound sound;
        sound.Setup(format, frameLength);
        AyRegisters ay;
        ay.Synth.Logging = true;
        const auto table = sound.SampleIndexTable();
        for (int frame = 0; frame < 20; ++frame) {
            sound.CompleteFrame(&ay.Synth);
            // Every tick of the last sample was made, and no tick of the next frame's first.
            const int32_t next = ay.Synth.AyTick + frameLength;
            ASSERT_GE(ay.Synth.AyTick, 0);
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

TEST(MachineSound, TheAyPortsAreHeardFromTheWriteOn) {
    for (const int model : {kModel128, kModelPentagon}) {
        SCOPED_TRACE(model);
        SoundRig rig(model, {22050, 20});
        rig.output.Draw = true;
        rig.OutAt(100, 0xFFFD, 7);
        rig.OutAt(104, 0xBFFD, 0x3F);  // tone and noise off: the amplitude alone
        rig.OutAt(30000, 0xFFFD, 8);
        rig.OutAt(30004, 0xBFFD, 0x0F);
        const uint32_t on = rig.machine->sound.SampleIndex(30004);
        const std::vector<uint8_t> samples = rig.EndFrame();
        for (uint32_t i = 0; i < samples.size(); ++i) ASSERT_EQ(samples[i], i < on ? 0 : 42) << i;
        EXPECT_EQ(rig.machine->screen.DrawFlag, 1);
    }
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
    EXPECT_EQ(rig.machine->Ay.Synth.AyLogCount, 0u);
    rig.machine->Ay.AyRegs[7] = 0x3F;  // as a snapshot loader sets them, before the replay
    rig.machine->SetSoundFormat({11025, 20});
    rig.machine->cpu.FrameTStates = 0;
    rig.machine->ReplayAy();
    EXPECT_EQ(rig.machine->Ay.AySelected, 9u);
    EXPECT_EQ(rig.EndFrame(), std::vector<uint8_t>(220, 30));
    rig.machine->Reset();  // silences the chip
    EXPECT_EQ(rig.EndFrame(), std::vector<uint8_t>(220, 0));
}

}  // namespace
}  // namespace tarvolinde::test
