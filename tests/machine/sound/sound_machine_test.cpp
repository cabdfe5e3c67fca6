// The sound of whole machines: the ULA port's beeper bits and the AY ports
// reaching the frame's samples, and the frame end handing them to the output.

#include <gtest/gtest.h>

#include <vector>

#include "../machine_test_support.h"
#include "machine/sound/sound_out.h"

namespace tarvolinde::test {
namespace {

constexpr int kModel128 = 4, kModelPentagon = 15;

// Keeps every frame handed over and answers with a fixed drawing decision.
class RecordingOutput final : public SoundOut {
public:
    bool FrameDone(std::span<const uint8_t> samples) override {
        Frames.emplace_back(samples.begin(), samples.end());
        return Draw;
    }
    std::vector<std::vector<uint8_t>> Frames;
    bool Draw = false;
};

// An OUT made at this T-state of the frame.
void OutAt(TSp& machine, int32_t tstate, uint16_t port, uint8_t value) {
    machine.cpu.FrameTStates = tstate;
    machine.OutPort(port, value);
}

TEST(MachineSound, TheBeeperBitsReachTheFrameAtTheirSamples) {
    auto machine = MadeUpMachine(kModel48K, MachineOptions{.AyIn48 = false});
    RecordingOutput output;
    machine->Output = &output;
    machine->SetSoundFormat({44100, 20});
    OutAt(*machine, 20000, 0x00FE, 0x10);  // EAR: level 0x40
    OutAt(*machine, 40000, 0x00FE, 0x18);  // EAR and MIC: 0x60
    const uint32_t first = machine->sound.SampleIndex(20000);
    const uint32_t second = machine->sound.SampleIndex(40000);
    machine->cpu.FrameTStates = machine->cpu.FrameLength + 7;
    machine->EndFrame();

    ASSERT_EQ(output.Frames.size(), 1u);
    const std::vector<uint8_t>& samples = output.Frames[0];
    ASSERT_EQ(samples.size(), 882u);
    for (uint32_t i = 0; i < samples.size(); ++i)
        ASSERT_EQ(samples[i], i < first ? 0 : i < second ? 0x40 : 0x60) << i;
    EXPECT_EQ(machine->screen.DrawFlag, 0);  // the output's decision
    EXPECT_EQ(machine->cpu.FrameTStates, 7);
    EXPECT_EQ(machine->sound.beeper.BeeperPos, 0u);
}

TEST(MachineSound, TheAyPortsAreHeardFromTheWriteOn) {
    for (const int model : {kModel128, kModelPentagon}) {
        SCOPED_TRACE(model);
        auto machine = MadeUpMachine(model);
        RecordingOutput output;
        output.Draw = true;
        machine->Output = &output;
        machine->SetSoundFormat({22050, 20});
        OutAt(*machine, 100, 0xFFFD, 7);
        OutAt(*machine, 104, 0xBFFD, 0x3F);  // tone and noise off: the amplitude alone
        OutAt(*machine, 30000, 0xFFFD, 8);
        OutAt(*machine, 30004, 0xBFFD, 0x0F);
        const uint32_t on = machine->sound.SampleIndex(30004);
        machine->cpu.FrameTStates = machine->cpu.FrameLength;
        machine->EndFrame();
        ASSERT_EQ(output.Frames.size(), 1u);
        for (uint32_t i = 0; i < output.Frames[0].size(); ++i)
            ASSERT_EQ(output.Frames[0][i], i < on ? 0 : 42) << i;
        EXPECT_EQ(machine->screen.DrawFlag, 1);
    }
}

TEST(MachineSound, FastLoadingFramesAreNeitherHeardNorPaced) {
    auto machine = MadeUpMachine(kModel128);
    RecordingOutput output;
    machine->Output = &output;
    machine->SetSoundFormat({11025, 20});
    machine->cpu.NormalSpeed = 0;
    OutAt(*machine, 1000, 0x00FE, 0x10);
    machine->cpu.FrameTStates = machine->cpu.FrameLength;
    machine->EndFrame();
    EXPECT_TRUE(output.Frames.empty());
    EXPECT_EQ(machine->sound.beeper.BeeperPos, 0u);

    machine->cpu.NormalSpeed = 1;
    machine->cpu.FrameTStates = machine->cpu.FrameLength;
    machine->EndFrame();
    ASSERT_EQ(output.Frames.size(), 1u);
    for (const uint8_t sample : output.Frames[0]) ASSERT_EQ(sample, 0x40);
}

TEST(MachineSound, AReplayAfterRestoredRegistersAndNoWritesWithoutSound) {
    auto machine = MadeUpMachine(kModel128);
    OutAt(*machine, 10, 0xFFFD, 9);
    OutAt(*machine, 20, 0xBFFD, 0x0C);  // sound off: the register holds it, nothing is logged
    EXPECT_EQ(machine->Ay.AyRegs[9], 0x0C);
    EXPECT_EQ(machine->Ay.Synth.AyLogCount, 0u);

    // As a snapshot loader does: registers set directly, then the replay.
    machine->Ay.AyRegs[7] = 0x3F;
    RecordingOutput output;
    machine->Output = &output;
    machine->SetSoundFormat({11025, 20});
    machine->cpu.FrameTStates = 0;
    machine->ReplayAy();
    EXPECT_EQ(machine->Ay.AySelected, 9u);
    machine->cpu.FrameTStates = machine->cpu.FrameLength;
    machine->EndFrame();
    ASSERT_EQ(output.Frames.size(), 1u);
    for (const uint8_t sample : output.Frames[0]) ASSERT_EQ(sample, 30);

    // A reset silences the chip.
    machine->Reset();
    machine->cpu.FrameTStates = machine->cpu.FrameLength;
    machine->EndFrame();
    for (const uint8_t sample : output.Frames.back()) ASSERT_EQ(sample, 0);
}

}  // namespace
}  // namespace tarvolinde::test
