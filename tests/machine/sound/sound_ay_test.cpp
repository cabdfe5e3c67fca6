// The AY chip: its registers as the ports see them, the log of writes the frame
// renders from, and the tone, noise and envelope generators stepped tick by tick.

#include <gtest/gtest.h>

#include <vector>

#include "machine/sound/ay_registers.h"
#include "machine/sound/ay_sound.h"

namespace tarvolinde::test {
namespace {

TEST(AyRegisters, PortAReadsItsPinsAndLatchesOnlyAsAnOutput) {
    AyRegisters ay;
    ay.Select(0xFE);  // the select takes the low four bits
    ay.Write(0x5A);   // port A is an input after reset
    EXPECT_EQ(ay.AyRegs[14], 0x5A);
    EXPECT_EQ(ay.Read(), 0xFF);
    ay.Select(7);
    ay.Write(0x40);
    ay.Select(14);
    ay.Write(0x3C);
    EXPECT_EQ(ay.PortALatch, 0x3C);
    ay.PortALatch = 0x0F;  // something outside pulls pins low
    EXPECT_EQ(ay.Read(), 0x0C);
}

TEST(AyRegisters, WritesAreLoggedMaskedWithTheirTStatesOnlyWithSound) {
    AyRegisters ay;
    ay.Select(1);
    ay.Write(0xFF, 500);
    EXPECT_EQ(ay.Synth.AyLogCount, 0u);  // sound off
    ay.Synth.Logging = true;
    ay.Write(0xFF, 600);
    ASSERT_EQ(ay.Synth.AyLog().size(), 1u);
    EXPECT_EQ(ay.Synth.AyLog()[0].TState, 600);
    EXPECT_EQ(ay.Synth.AyLog()[0].Register, 1);
    EXPECT_EQ(ay.Synth.AyLog()[0].Value, 0x0F);

    // A replay logs registers 0 to 13 at one T-state and keeps the selection.
    ay.Select(14);
    ay.Synth.AyTick = 4000;
    ay.Replay(1234);
    EXPECT_EQ(ay.AySelected, 14u);
    EXPECT_EQ(ay.Synth.AyTick, 0);
    ASSERT_EQ(ay.Synth.AyLog().size(), 14u);
    EXPECT_EQ(ay.Synth.AyLog()[13].Register, 13);
    EXPECT_EQ(ay.Synth.AyLog()[1].Value, 0x0F);
    EXPECT_EQ(ay.Synth.AyLog()[13].TState, 1234);
}

TEST(AyRegisters, ResetClearsRegistersAndTheSynthesiserButNotItsSettings) {
    AyRegisters ay;
    ay.Synth.Logging = true;
    for (uint8_t reg = 0; reg < 16; ++reg) {
        ay.Select(reg);
        ay.Write(0x0A, 100);
        ay.Synth.Apply(reg, 0x0E);
    }
    ay.Synth.Tick();
    ay.PortALatch = 0;
    ay.Reset();
    EXPECT_EQ(ay.AySelected, 0u);
    for (uint8_t reg = 0; reg < 16; ++reg) EXPECT_EQ(ay.AyRegs[reg], reg < 14 ? 0 : 0xFF) << int(reg);
    EXPECT_EQ(ay.PortALatch, 0xFF);
    EXPECT_EQ(ay.Synth.AyLogCount, 0u);
    EXPECT_EQ(ay.Synth.NoiseLfsr, 1u);
    EXPECT_EQ(ay.Synth.AyTick, 0);
    EXPECT_EQ(ay.Synth.EnvRunning, 0);
    EXPECT_EQ(ay.Synth.TonePeriod[0], 0);
    EXPECT_TRUE(ay.Synth.Logging);
}

TEST(AyLog, AFullLogKeepsTheLastWriteOfEachRegisterInOrder) {
    AySound ay;
    ay.Logging = true;
    for (uint32_t i = 0; i < AySound::kLogCapacity; ++i) ay.LogWrite(int32_t(i), uint8_t(i % 3 == 0 ? 8 : 0), uint8_t(i));
    ay.LogWrite(7000, 13, 0x0E);
    // Entries 6248 (register 0) and 6249 (register 8) were the last of their registers.
    ASSERT_EQ(ay.AyLog().size(), 3u);
    EXPECT_EQ(ay.AyLog()[0].Register, 0);
    EXPECT_EQ(ay.AyLog()[0].TState, 6248);
    EXPECT_EQ(ay.AyLog()[1].Register, 8);
    EXPECT_EQ(ay.AyLog()[1].Value, uint8_t(6249));
    EXPECT_EQ(ay.AyLog()[2].TState, 7000);
}

enum class Then { Zero, Hold15, Repeat, Alternate };

TEST(AyEnvelope, AllSixteenShapes) {
    struct Shape {
        uint8_t value;
        bool attack;  // the first sixteen steps rise
        Then then;
    };
    const Shape shapes[] = {
        {0x00, false, Then::Zero},  {0x01, false, Then::Zero},     {0x02, false, Then::Zero},
        {0x03, false, Then::Zero},  {0x04, true, Then::Zero},      {0x05, true, Then::Zero},
        {0x06, true, Then::Zero},   {0x07, true, Then::Zero},      {0x08, false, Then::Repeat},
        {0x09, false, Then::Zero},  {0x0A, false, Then::Alternate}, {0x0B, false, Then::Hold15},
        {0x0C, true, Then::Repeat}, {0x0D, true, Then::Hold15},    {0x0E, true, Then::Alternate},
        {0x0F, true, Then::Zero},
    };
    for (const Shape& shape : shapes) {
        AySound ay;
        ay.Apply(11, 1);  // one step per tick
        ay.Apply(13, shape.value);
        for (int step = 0; step < 80; ++step) {
            const int cycle = step / 16, position = step % 16;
            const bool rising = shape.then == Then::Alternate && cycle % 2 ? !shape.attack : shape.attack;
            int expected = rising ? position : 15 - position;
            if (cycle > 0 && shape.then == Then::Zero) expected = 0;
            if (cycle > 0 && shape.then == Then::Hold15) expected = 15;
            ASSERT_EQ(ay.EnvVolume, expected) << "shape " << int(shape.value) << " step " << step;
            ay.Tick();
        }
    }
}

TEST(AyEnvelope, StepsEveryEnvelopePeriodTicksAndRestartsOnAShapeWrite) {
    AySound ay;
    ay.Apply(11, 3);
    ay.Apply(13, 0x0D);  // rise and hold
    for (int tick = 1; tick <= 9; ++tick) {
        ay.Tick();
        EXPECT_EQ(ay.EnvVolume, tick / 3) << tick;
    }
    ay.Apply(13, 0x0D);
    EXPECT_EQ(ay.EnvVolume, 0);
    ay.Apply(11, 0);
    ay.Apply(12, 0x80);
    EXPECT_EQ(ay.EnvPeriod, 0x8000);
}

TEST(AyGenerators, PeriodsComeFromBothRegistersAndZeroActsAsOne) {
    AySound ay;
    for (uint8_t reg : {2, 3, 6, 11, 12}) ay.Apply(reg, 0);
    EXPECT_EQ(ay.TonePeriod[1], 1);
    EXPECT_EQ(ay.NoisePeriod, 1);
    EXPECT_EQ(ay.EnvPeriod, 1);
    ay.Apply(3, 0x01);  // the 0-as-1 rule must not stay in the low byte
    EXPECT_EQ(ay.TonePeriod[1], 0x100);
    ay.Apply(2, 0x34);
    ay.Apply(3, 0xFF);
    EXPECT_EQ(ay.TonePeriod[1], 0xF34);
}

TEST(AyGenerators, ToneFlipsEveryPeriodAndNoiseEverySecondTick) {
    AySound ay;
    ay.Apply(4, 5);
    ay.Apply(6, 3);
    std::vector<int> toneFlips, noiseSteps;
    for (int tick = 1; tick <= 60; ++tick) {
        const uint32_t lfsr = ay.NoiseLfsr;
        const uint8_t tone = ay.ToneFlip[2];
        ay.Tick();
        if (ay.ToneFlip[2] != tone) toneFlips.push_back(tick);
        if (ay.NoiseLfsr != lfsr) noiseSteps.push_back(tick);
    }
    EXPECT_EQ(toneFlips, (std::vector<int>{5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60}));
    EXPECT_EQ(noiseSteps, (std::vector<int>{6, 12, 18, 24, 30, 36, 42, 48, 54, 60}));  // two ticks a noise clock
    EXPECT_EQ(ay.AyTick, 60 * AySound::kTStatesPerTick);
}

TEST(AyGenerators, NoiseStaysWithinSeventeenBitsAndNeverSticks) {
    AySound ay;
    ay.Apply(6, 1);
    int flips = 0;
    for (int tick = 0; tick < 20000; ++tick) {
        const uint8_t last = ay.NoiseOut;
        ay.Tick();
        ASSERT_LT(ay.NoiseLfsr, 1u << 17);
        ASSERT_NE(ay.NoiseLfsr, 0u);
        flips += ay.NoiseOut != last;
    }
    // A noise bit changes about every other noise clock.
    EXPECT_GT(flips, 2000);
    EXPECT_LT(flips, 8000);
}

}  // namespace
}  // namespace tarvolinde::test
