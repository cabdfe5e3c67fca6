#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "machine/sound/ay_registers.h"
#include "machine/sound/sound_format.h"
#include "machine/sound/sound_frame.h"

namespace tarvolinde::test {
namespace {

constexpr int32_t kFrame48 = 69888;
constexpr int32_t kFrame128 = 70908;

std::vector<uint8_t> Copy(std::span<const uint8_t> samples) { return {samples.begin(), samples.end()}; }

// The first T-state that falls into this sample.
int32_t FirstTStateOf(const FrameSound& sound, uint32_t sample) {
    const auto table = sound.SampleIndexTable();
    for (size_t t = 0; t < table.size(); ++t)
        if (uint32_t(table[t]) == sample) return int32_t(t);
    ADD_FAILURE() << "no T-state maps to sample " << sample;
    return 0;
}

TEST(SoundFormat, FiguresOfEachQualityAndSpeed) {
    const SoundFormat cd{44100, 20};
    EXPECT_EQ(cd.SamplesPerFrame(), 882u);
    EXPECT_EQ(cd.SoundBufferSize(), 10584u);
    EXPECT_EQ(cd.DrawThreshold(), 3528u);
    EXPECT_EQ((SoundFormat{22050, 20}.SamplesPerFrame()), 441u);
    EXPECT_EQ((SoundFormat{11025, 20}.SamplesPerFrame()), 220u);
    EXPECT_EQ((SoundFormat{11025, 20}.SoundBufferSize()), 2640u);
    EXPECT_EQ((SoundFormat{0, 20}.SamplesPerFrame()), 0u);
    EXPECT_FALSE((SoundFormat{0, 20}.HasSound()));

    EXPECT_EQ(FrameMsOfSpeed(100), 20u);
    EXPECT_EQ(FrameMsOfSpeed(200), 10u);
    EXPECT_EQ(FrameMsOfSpeed(1000), 2u);
    EXPECT_EQ(FrameMsOfSpeed(10), 200u);
    EXPECT_EQ(FrameMsOfSpeed(3), 200u);
    EXPECT_EQ(FrameMsOfSpeed(5000), 2u);
    EXPECT_EQ((SoundFormat{44100, FrameMsOfSpeed(10)}.SamplesPerFrame()), 8820u);
    EXPECT_EQ((SoundFormat{44100, FrameMsOfSpeed(200)}.SamplesPerFrame()), 441u);

    EXPECT_EQ(SampleRateOfQuality(0), 0u);
    EXPECT_EQ(SampleRateOfQuality(1), 11025u);
    EXPECT_EQ(SampleRateOfQuality(2), 22050u);
    EXPECT_EQ(SampleRateOfQuality(3), 44100u);
    EXPECT_EQ(SampleRateOfQuality(4), 0u);
    EXPECT_EQ(VolumeAttenuation(0), -2303);
    EXPECT_EQ(VolumeAttenuation(3), -693);
    EXPECT_EQ(VolumeAttenuation(kFullVolumeIndex), 0);
}

TEST(SampleIndexTable, SpreadsTheFrameOverItsSamples) {
    FrameSound sound;
    sound.Setup({44100, 20}, kFrame48);
    const auto table = sound.SampleIndexTable();
    ASSERT_GE(table.size(), size_t(kFrame48 + 101));
    EXPECT_EQ(table[0], 0);
    EXPECT_EQ(table[kFrame48 - 1], 881);
    EXPECT_EQ(table[kFrame48], 881);  // the frame renders up to here, inclusive
    for (const int32_t t : {1, 40, 12345, 34943, 50000, 69000})
        EXPECT_EQ(table[size_t(t)], std::lround(double(t) * 881 / (kFrame48 - 1))) << t;
    for (size_t t = 1; t < table.size(); ++t) {
        const int32_t step = table[t] - table[t - 1];
        ASSERT_TRUE(step == 0 || step == 1) << t;
    }
    EXPECT_EQ(sound.SampleIndex(-5), 0u);
    EXPECT_EQ(sound.SampleIndex(1'000'000), uint32_t(table.back()));
}

TEST(Beeper, ALevelChangeLandsAtTheSampleOfItsTState) {
    FrameSound sound;
    sound.Setup({44100, 20}, kFrame48);
    const uint32_t first = sound.SampleIndex(10000);
    const uint32_t second = sound.SampleIndex(30000);
    sound.BeeperChange(10000, 0x60);
    sound.BeeperChange(20000, 0x60);  // the same level: nothing to record
    sound.BeeperChange(30000, 0x20);
    EXPECT_EQ(sound.beeper.BeeperPos, second);
    const std::vector<uint8_t> samples = Copy(sound.CompleteFrame(nullptr));
    ASSERT_EQ(samples.size(), 882u);
    for (uint32_t i = 0; i < samples.size(); ++i) {
        const uint8_t expected = i < first ? 0x00 : i < second ? 0x60 : 0x20;
        ASSERT_EQ(samples[i], expected) << i;
    }

    sound.StartFrame();
    EXPECT_EQ(sound.beeper.BeeperPos, 0u);
    for (const uint8_t sample : sound.CompleteFrame(nullptr)) ASSERT_EQ(sample, 0x20);
}

TEST(Beeper, WithoutSoundOnlyTheLevelIsKept) {
    FrameSound sound;
    sound.Setup({0, 20}, kFrame48);
    EXPECT_FALSE(sound.Enabled());
    sound.BeeperChange(100, 0x40);
    EXPECT_EQ(sound.beeper.BeeperLevel, 0x40);
    EXPECT_EQ(sound.beeper.BeeperPos, 0u);
    EXPECT_TRUE(sound.CompleteFrame(nullptr).empty());

    sound.Setup({22050, 20}, kFrame48);
    const std::vector<uint8_t> samples = Copy(sound.CompleteFrame(nullptr));
    ASSERT_EQ(samples.size(), 441u);
    for (const uint8_t sample : samples) ASSERT_EQ(sample, 0x40);
}

TEST(SoundFilter, ASpikeBecomesTwoSamplesOfHalfItsHeight) {
    for (const bool filter : {false, true}) {
        FrameSound sound;
        sound.Setup({44100, 20}, kFrame48);
        sound.Filter = filter;
        sound.BeeperChange(FirstTStateOf(sound, 100), 0x60);
        sound.BeeperChange(FirstTStateOf(sound, 101), 0x00);
        const std::vector<uint8_t> samples = Copy(sound.CompleteFrame(nullptr));
        for (uint32_t i = 0; i < samples.size(); ++i) {
            const uint8_t expected = filter ? (i == 99 || i == 100 ? 0x30 : 0) : (i == 100 ? 0x60 : 0);
            ASSERT_EQ(samples[i], expected) << "filter " << filter << " sample " << i;
        }
    }
}

TEST(SoundFilter, ASteadyLevelReachesTheLastSampleWhole) {
    FrameSound sound;
    sound.Setup({22050, 20}, kFrame128);
    sound.Filter = true;
    for (int frame = 0; frame < 3; ++frame) {
        sound.BeeperChange(0, 0x60);
        const std::vector<uint8_t> samples = Copy(sound.CompleteFrame(nullptr));
        ASSERT_EQ(samples.size(), 441u);
        for (uint32_t i = 0; i < samples.size(); ++i) ASSERT_EQ(samples[i], 0x60) << frame << ' ' << i;
        sound.StartFrame();
    }
}

// Registers written through the port, at T-states of the frame.
void WriteAy(AyRegisters& ay, uint8_t reg, uint8_t value, int32_t tstate) {
    ay.Select(reg);
    ay.Write(value, tstate);
}

TEST(FrameSoundAy, AChannelWithToneAndNoiseOffPlaysItsVolume) {
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
    for (uint32_t i = 0; i < samples.size(); ++i)
        ASSERT_EQ(samples[i], 0x20 + (i < change ? 23 : 5)) << i;
    EXPECT_EQ(ay.Synth.AyLogCount, 0u);

    // Without an AY (the 48K without the option) the frame is the beeper alone.
    sound.StartFrame();
    WriteAy(ay, 8, 15, 100);
    for (const uint8_t sample : sound.CompleteFrame(nullptr)) ASSERT_EQ(sample, 0x20);
    EXPECT_EQ(ay.Synth.AyLogCount, 1u);
}

TEST(FrameSoundAy, AToneFlipsEverySixteenTimesItsPeriodInTStates) {
    FrameSound sound;
    sound.Setup({44100, 20}, kFrame48);
    AyRegisters ay;
    ay.Synth.Logging = true;
    WriteAy(ay, 0, 100, 0);
    WriteAy(ay, 1, 0, 0);
    WriteAy(ay, 7, 0x3E, 0);  // tone A only
    WriteAy(ay, 8, 15, 0);
    const std::vector<uint8_t> samples = Copy(sound.CompleteFrame(&ay.Synth));
    int changes = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        ASSERT_TRUE(samples[i] == 0 || samples[i] == 42) << i;
        if (i > 0 && samples[i] != samples[i - 1]) ++changes;
    }
    // 69888 / (16 * 100) = 43.7 half-periods.
    EXPECT_GE(changes, 42);
    EXPECT_LE(changes, 44);
}

TEST(FrameSoundAy, TheTickClockKeepsPaceWithTheFrames) {
    struct Case {
        SoundFormat format;
        int32_t frameLength;
    };
    const Case cases[] = {
        {{44100, 20}, kFrame48}, {{22050, 20}, kFrame128}, {{11025, 20}, kFrame48},
        {{11025, 2}, kFrame128}, {{44100, 200}, 71680},    {{44100, 2}, kFrame48},
    };
    for (const Case& c : cases) {
        FrameSound sound;
        sound.Setup(c.format, c.frameLength);
        AyRegisters ay;
        ay.Synth.Logging = true;
        const auto table = sound.SampleIndexTable();
        for (int frame = 0; frame < 20; ++frame) {
            sound.CompleteFrame(&ay.Synth);
            sound.StartFrame();
            // Every tick of the last sample was made, and no tick of the next frame's first.
            const int32_t next = ay.Synth.AyTick + c.frameLength;
            ASSERT_GE(ay.Synth.AyTick, 0);
            ASSERT_LT(size_t(next), table.size()) << c.format.SampleRate << '/' << c.format.FrameMs;
            ASSERT_GE(uint32_t(table[size_t(next)]), sound.SamplesPerFrame());
            ASSERT_LT(uint32_t(table[size_t(next - AySound::kTStatesPerTick)]), sound.SamplesPerFrame());
        }
    }
}

TEST(FrameSoundAy, AReplayRebuildsTheSoundWhenItIsSwitchedOn) {
    AyRegisters ay;  // sound off: the registers alone hold the state
    WriteAy(ay, 7, 0x3F, 0);
    WriteAy(ay, 9, 12, 0);
    EXPECT_EQ(ay.Synth.AyLogCount, 0u);

    FrameSound sound;
    sound.Setup({11025, 20}, kFrame48);
    ay.Synth.Logging = true;
    for (const uint8_t sample : sound.CompleteFrame(&ay.Synth)) ASSERT_EQ(sample, 0);
    sound.StartFrame();
    ay.Replay(0);
    const std::vector<uint8_t> samples = Copy(sound.CompleteFrame(&ay.Synth));
    ASSERT_EQ(samples.size(), 220u);
    for (const uint8_t sample : samples) ASSERT_EQ(sample, 30);
}

}  // namespace
}  // namespace tarvolinde::test
