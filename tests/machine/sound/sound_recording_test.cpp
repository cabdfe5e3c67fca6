// The sound the window would play, recorded as a WAV file by the runner's --sound.

#include <gtest/gtest.h>

#include <filesystem>

#include "../machine_test_support.h"
#include "app/cli/sound_recording.h"
#include "tests/tape/tape_test_support.h"

namespace tarvolinde::test {
namespace {

// Records `run` at `rate`; the 16-bit samples after a header of that rate and length.
std::vector<int16_t> Recording(TSp& machine, uint32_t rate, const std::function<void()>& run) {
    // One file per test: ctest runs the tests of this file side by side.
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const std::string path = (std::filesystem::temp_directory_path() / ("tarvolinde-" + name + ".wav")).string();
    auto recorder = cli::StartSoundRecording(path, rate, machine);
    EXPECT_TRUE(recorder);
    if (!recorder) return {};
    run();
    EXPECT_TRUE(recorder->Finish());
    const Bytes file = ReadTestFile(path).value_or(Bytes(44));
    EXPECT_TRUE(std::ranges::equal(SoundRecorder::Header(rate, uint32_t(file.size() - 44)), std::span(file).first(44)));
    std::vector<int16_t> samples;
    for (size_t i = 44; i + 1 < file.size(); i += 2) samples.push_back(int16_t(file[i] | file[i + 1] << 8));
    return samples;
}

// Cycles per second from the rising crossings of the middle level after `from`, and the seconds they span.
std::pair<double, double> Tone(const std::vector<int16_t>& samples, size_t from, uint32_t rate) {
    const auto [low, high] = std::minmax_element(samples.begin() + long(from), samples.end());
    std::vector<size_t> rises;
    const int middle = (*low + *high) / 2;
    for (size_t i = from + 1; i < samples.size(); ++i)
        if (samples[i - 1] <= middle && samples[i] > middle) rises.push_back(i);
    const double seconds = rises.size() < 2 ? 0 : double(rises.back() - rises.front()) / rate;
    return {seconds ? double(rises.size() - 1) / seconds : 0, seconds};
}

TEST(SoundRecording, BeepOneZeroIsMiddleCForOneSecondAfterSilence) {
    if (!CorpusHas("48.rom")) GTEST_SKIP() << "48.rom absent from " << RomDir();
    auto machine = CreateMachine(kModel48K, CorpusRoms());
    const std::vector<int16_t> samples = Recording(*machine, 44100, [&] {
        // Extended mode (CAPS + SYMBOL SHIFT), BEEP (SYMBOL SHIFT + Z), then "1,0" and ENTER typed.
        BootAndType(*machine, "");
        for (const MatrixKey key : {kCapsShift, MatrixKey{0, 0x02}})
            for (int frame = 0; frame < 10; ++frame, machine->RunFrame()) {
                machine->KeyRows = kAllKeysUp;
                if (frame < 5) machine->KeyRows[key.row] &= uint8_t(~key.mask), machine->KeyRows[7] &= uint8_t(~0x02);
            }
        BootAndType(*machine, "1,0\n", 0);
        for (int i = 0; i < 100; ++i) machine->RunFrame();
    });
    ASSERT_EQ(samples.size(), size_t(260 * 882));
    // Nothing is heard before the first key's click.
    EXPECT_TRUE(std::all_of(samples.begin(), samples.begin() + 90 * 882, [&](int16_t s) { return s == samples[0]; }));
    // ENTER goes down at frame 150; from two frames later on, only the tone.
    const auto [frequency, seconds] = Tone(samples, 152 * 882, 44100);
    EXPECT_NEAR(frequency, 261.63, 2.6);
    EXPECT_NEAR(seconds, 0.98, 0.02);
}

TEST(SoundRecording, AnAyToneWrittenThroughThePortsSoundsAtItsPeriodsFrequency) {
    for (const auto& [model, clock] : {std::pair{4, 3546900.0}, {kModel48K, 3500000.0}}) {  // the AY at half the clock
        auto machine = MadeUpMachine(model);
        const std::vector<int16_t> samples = Recording(*machine, 22050, [&] {
            for (const auto& [reg, value] : {std::pair<uint8_t, uint8_t>{0, 0x00}, {1, 0x01}, {7, 0x3E}, {8, 15}})
                machine->OutPort(0xFFFD, reg), machine->OutPort(0xBFFD, value);
            for (int frame = 0; frame < 50; ++frame) {
                machine->cpu.FrameTStates = machine->cpu.FrameLength;
                machine->EndFrame();
            }
        });
        EXPECT_NEAR(Tone(samples, 0, 22050).first, clock / 2 / (16 * 256), 4.3) << "model " << model;
    }
}

}  // namespace
}  // namespace tarvolinde::test
