#include <gtest/gtest.h>

#include <vector>

#include "machine/sound/ay_registers.h"
#include "machine/sound/ay_sound.h"

namespace tarvolinde::test {
namespace {

// What the envelope does after its first sixteen steps.
enum class Then { Zero, Hold15, Repeat, Alternate };

// Envelope amplitude after `step` steps of a shape that first rises (attack)
// or falls, then carries on as `then` says; one cycle is sixteen steps.
int ExpectedEnvelope(bool attack, Then then, int step) {
    const int cycle = step / 16;
    const int position = step % 16;
    if (cycle > 0 && then == Then::Zero) return 0;
    if (cycle > 0 && then == Then::Hold15) return 15;
    const bool rising = (then == Then::Alternate && cycle % 2 == 1) ? !attack : attack;
    return rising ? position : 15 - position;
}

TEST(AyEnvelope, AllSixteenShapes) {
    struct Shape {
        uint8_t value;
        bool attack;
        Then then;
    };
    const Shape shapes[] = {
        {0x00, false, Then::Zero},      {0x01, false, Then::Zero},     {0x02, false, Then::Zero},
        {0x03, false, Then::Zero},      {0x04, true, Then::Zero},      {0x05, true, Then::Zero},
        {0x06, true, Then::Zero},       {0x07, true, Then::Zero},      {0x08, false, Then::Repeat},
        {0x09, false, Then::Zero},      {0x0A, false, Then::Alternate}, {0x0B, false, Then::Hold15},
        {0x0C, true, Then::Repeat},     {0x0D, true, Then::Hold15},    {0x0E, true, Then::Alternate},
        {0x0F, true, Then::Zero},
    };
    for (const Shape& shape : shapes) {
        AySound ay;
        ay.Apply(11, 1);  // one step per tick
        ay.Apply(12, 0);
        ay.Apply(13, shape.value);
        for (int step = 0; step < 80; ++step) {
            ASSERT_EQ(ay.EnvVolume, ExpectedEnvelope(shape.attack, shape.then, step))
                << "shape " << int(shape.value) << " step " << step;
            ay.Tick();
        }
        const bool keepsMoving = shape.then == Then::Repeat || shape.then == Then::Alternate;
        EXPECT_EQ(ay.EnvRunning != 0, keepsMoving) << int(shape.value);
    }
}

TEST(AyEnvelope, StepsEveryEnvelopePeriodTicksAndRestartsOnAShapeWrite) {
    AySound ay;
    ay.Apply(11, 3);
    ay.Apply(12, 0);
    ay.Apply(13, 0x0D);  // rise and hold
    for (int tick = 1; tick <= 9; ++tick) {
        ay.Tick();
        EXPECT_EQ(ay.EnvVolume, tick / 3) << tick;
    }
    ay.Apply(13, 0x0D);
    EXPECT_EQ(ay.EnvVolume, 0);
    EXPECT_EQ(ay.EnvStep, 0u);
}

TEST(AyGenerators, PeriodsOfZeroActAsOne) {
    AySound zero, one;
    for (uint8_t reg : {0, 1, 6, 11, 12}) zero.Apply(reg, 0);
    one.Apply(0, 1);
    one.Apply(1, 0);
    one.Apply(6, 1);
    one.Apply(11, 1);
    one.Apply(12, 0);
    EXPECT_EQ(zero.TonePeriod[0], 1);
    EXPECT_EQ(zero.NoisePeriod, 1);
    EXPECT_EQ(zero.EnvPeriod, 1);
    zero.Apply(13, 0x0E);
    one.Apply(13, 0x0E);
    for (int tick = 0; tick < 200; ++tick) {
        zero.Tick();
        one.Tick();
        ASSERT_EQ(zero.ToneFlip[0], one.ToneFlip[0]) << tick;
        ASSERT_EQ(zero.NoiseOut, one.NoiseOut) << tick;
        ASSERT_EQ(zero.NoiseLfsr, one.NoiseLfsr) << tick;
        ASSERT_EQ(zero.EnvVolume, one.EnvVolume) << tick;
    }
    EXPECT_EQ(zero.ToneFlip[0], 0);  // 200 flips
}

TEST(AyGenerators, TwoBytePeriodsComeFromBothRegisters) {
    AySound ay;
    ay.Apply(2, 0);
    ay.Apply(3, 0);
    EXPECT_EQ(ay.TonePeriod[1], 1);
    ay.Apply(3, 0x01);  // the 0-as-1 rule must not stay in the low byte
    EXPECT_EQ(ay.TonePeriod[1], 0x100);
    ay.Apply(2, 0x34);
    ay.Apply(3, 0x0F);
    EXPECT_EQ(ay.TonePeriod[1], 0xF34);
    ay.Apply(11, 0);
    ay.Apply(12, 0);
    ay.Apply(12, 0x80);
    EXPECT_EQ(ay.EnvPeriod, 0x8000);
}

TEST(AyGenerators, ToneFlipsEveryPeriodAndNoiseEverySecondTick) {
    AySound ay;
    ay.Apply(4, 5);
    ay.Apply(5, 0);
    ay.Apply(6, 3);
    std::vector<int> toneFlips, noiseSteps;
    uint32_t lastLfsr = ay.NoiseLfsr;
    uint8_t lastTone = ay.ToneFlip[2];
    for (int tick = 1; tick <= 60; ++tick) {
        ay.Tick();
        if (ay.ToneFlip[2] != lastTone) toneFlips.push_back(tick);
        if (ay.NoiseLfsr != lastLfsr) noiseSteps.push_back(tick);
        lastTone = ay.ToneFlip[2];
        lastLfsr = ay.NoiseLfsr;
    }
    EXPECT_EQ(toneFlips, (std::vector<int>{5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60}));
    ASSERT_FALSE(noiseSteps.empty());
    EXPECT_EQ(noiseSteps[0], 6);  // three noise clocks of two ticks each
    for (const int step : noiseSteps) EXPECT_EQ(step % 6, 0) << step;
    EXPECT_EQ(ay.AyTick, 60 * 16);
}

TEST(AyGenerators, NoiseRegisterStaysWithinSeventeenBitsAndNeverSticks) {
    AySound ay;
    ay.Apply(6, 1);
    int flips = 0;
    uint8_t last = ay.NoiseOut;
    for (int tick = 0; tick < 20000; ++tick) {
        ay.Tick();
        ASSERT_LT(ay.NoiseLfsr, 1u << 17);
        ASSERT_NE(ay.NoiseLfsr, 0u);
        if (ay.NoiseOut != last) ++flips;
        last = ay.NoiseOut;
    }
    // A noise bit changes about every other noise clock.
    EXPECT_GT(flips, 2000);
    EXPECT_LT(flips, 8000);
}

TEST(AyRegisters, ResetClearsTheSynthesiserToo) {
    AyRegisters ay;
    ay.Synth.Logging = true;
    ay.Select(8);
    ay.Write(0x1F, 100);
    ay.Synth.Apply(8, 0x1F);
    ay.Synth.Apply(13, 0x0E);
    ay.Synth.Tick();
    ay.Reset();
    EXPECT_EQ(ay.Synth.AyLogCount, 0u);
    EXPECT_EQ(ay.Synth.NoiseLfsr, 1u);
    EXPECT_EQ(ay.Synth.AyTick, 0);
    EXPECT_EQ(ay.Synth.ChanEnv[0], 0);
    EXPECT_EQ(ay.Synth.EnvRunning, 0);
    EXPECT_EQ(ay.Synth.TonePeriod[0], 0);
    EXPECT_TRUE(ay.Synth.Logging);  // a setting, not chip state
}

TEST(AyRegisters, WritesAreLoggedMaskedWithTheirTStatesOnlyWithSound) {
    AyRegisters ay;
    ay.Select(1);
    ay.Write(0xFF, 500);
    EXPECT_EQ(ay.Synth.AyLogCount, 0u);  // sound off

    ay.Synth.Logging = true;
    ay.Write(0xFF, 600);
    ay.Select(14);
    ay.Write(0x12, 700);  // port A is an input: the register changes, the latch does not
    ASSERT_EQ(ay.Synth.AyLog().size(), 2u);
    EXPECT_EQ(ay.Synth.AyLog()[0].TState, 600);
    EXPECT_EQ(ay.Synth.AyLog()[0].Register, 1);
    EXPECT_EQ(ay.Synth.AyLog()[0].Value, 0x0F);
    EXPECT_EQ(ay.Synth.AyLog()[1].Register, 14);
    EXPECT_EQ(ay.AyRegs[14], 0x12);
    EXPECT_EQ(ay.PortALatch, 0xFF);
}

TEST(AyRegisters, ReplayLogsRegistersZeroToThirteenAndKeepsTheSelection) {
    AyRegisters ay;
    for (uint8_t reg = 0; reg < 16; ++reg) {
        ay.Select(reg);
        ay.Write(uint8_t(0x10 + reg));
    }
    ay.Select(14);
    ay.Replay(1234);  // sound off: nothing to rebuild
    EXPECT_EQ(ay.Synth.AyLogCount, 0u);

    ay.Synth.Logging = true;
    ay.Synth.AyTick = 4000;
    ay.Replay(1234);
    EXPECT_EQ(ay.AySelected, 14u);
    EXPECT_EQ(ay.Synth.AyTick, 0);
    ASSERT_EQ(ay.Synth.AyLog().size(), 14u);
    for (uint8_t reg = 0; reg < 14; ++reg) {
        EXPECT_EQ(ay.Synth.AyLog()[reg].Register, reg);
        EXPECT_EQ(ay.Synth.AyLog()[reg].Value, ay.AyRegs[reg]);
        EXPECT_EQ(ay.Synth.AyLog()[reg].TState, 1234);
    }
    EXPECT_EQ(ay.PortALatch, 0xFF);
}

TEST(AyLog, AFullLogKeepsTheLastWriteOfEachRegisterInOrder) {
    AySound ay;
    ay.Logging = true;
    for (uint32_t i = 0; i < AySound::kLogCapacity; ++i) ay.LogWrite(int32_t(i), uint8_t(i % 3 == 0 ? 8 : 0), uint8_t(i));
    ASSERT_EQ(ay.AyLogCount, AySound::kLogCapacity);
    ay.LogWrite(7000, 13, 0x0E);
    // Entries 6248 (register 0) and 6249 (register 8) were the last of their registers.
    ASSERT_EQ(ay.AyLog().size(), 3u);
    EXPECT_EQ(ay.AyLog()[0].Register, 0);
    EXPECT_EQ(ay.AyLog()[0].Value, uint8_t(6248));
    EXPECT_EQ(ay.AyLog()[0].TState, 6248);
    EXPECT_EQ(ay.AyLog()[1].Register, 8);
    EXPECT_EQ(ay.AyLog()[1].Value, uint8_t(6249));
    EXPECT_EQ(ay.AyLog()[2].Register, 13);
    EXPECT_EQ(ay.AyLog()[2].TState, 7000);
}

}  // namespace
}  // namespace tarvolinde::test
