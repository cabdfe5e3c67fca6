// The sound the window would play, recorded as a WAV file by the runner's
// --sound: the 48K's BEEP, an AY tone on the 128K, and silence.

#include <gtest/gtest.h>

#include <filesystem>

#include "../machine_test_support.h"
#include "app/cli/sound_recording.h"
#include "machine/input/keyboard_typing.h"
#include "tests/tape/tape_test_support.h"

namespace tarvolinde::test {
namespace {

// The 16-bit samples of a recorded WAV file, after checking its header.
std::vector<int16_t> Recorded(const std::string& path, uint32_t rate) {
    const auto file = ReadTestFile(path);
    EXPECT_TRUE(file && file->size() >= 44);
    if (!file || file->size() < 44) return {};
    EXPECT_TRUE(std::equal(file->begin(), file->begin() + 4, "RIFF"));
    EXPECT_EQ(file->at(24) | file->at(25) << 8 | file->at(26) << 16, int(rate));
    EXPECT_EQ(file->at(40) | file->at(41) << 8 | file->at(42) << 16, int(file->size() - 44));
    std::vector<int16_t> samples;
    for (size_t i = 44; i + 1 < file->size(); i += 2) samples.push_back(int16_t(file->at(i) | file->at(i + 1) << 8));
    return samples;
}

// The rising crossings of the middle level from `from` on: their count and the
// samples between the first and the last.
struct Tone { int cycles; size_t length; };
Tone ToneIn(const std::vector<int16_t>& samples, size_t from) {
    const auto [low, high] = std::minmax_element(samples.begin() + long(from), samples.end());
    const int middle = (*low + *high) / 2;
    size_t first = 0, last = 0;
    int crossings = 0;
    for (size_t i = from + 1; i < samples.size(); ++i) {
        if (samples[i - 1] > middle || samples[i] <= middle) continue;
        if (crossings++ == 0) first = i;
        last = i;
    }
    return {crossings - 1, last - first};
}

std::string TempWav(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

TEST(SoundRecording, BeepOneZeroIsMiddleCForOneSecondAfterSilence) {
    if (!CorpusHas("48.rom")) GTEST_SKIP() << "48.rom absent from " << RomDir();
    auto machine = CreateMachine(kModel48K, CorpusRoms());
    const std::string path = TempWav("tarvolinde-beep.wav");
    auto recorder = cli::StartSoundRecording(path, 44100, *machine);
    ASSERT_TRUE(recorder);
    for (int i = 0; i < 100; ++i) machine->RunFrame();
    // Extended mode, SYMBOL SHIFT + Z (BEEP), 1, SYMBOL SHIFT + N (,), 0, ENTER.
    const KeyChord extended{kCapsShift, false, true};
    for (const KeyChord chord : {extended, KeyChord{{0, 0x02}, false, true}, *ChordForCharacter('1'),
                                 *ChordForCharacter(','), *ChordForCharacter('0'), *ChordForCharacter('\n')}) {
        for (int frame = 0; frame < 10; ++frame) {
            machine->KeyRows = kAllKeysUp;
            if (frame < 5) {
                machine->KeyRows[chord.key.row] &= uint8_t(~chord.key.mask);
                if (chord.symbolShift) machine->KeyRows[kSymbolShift.row] &= uint8_t(~kSymbolShift.mask);
            }
            machine->RunFrame();
        }
    }
    machine->KeyRows = kAllKeysUp;
    for (int i = 0; i < 100; ++i) machine->RunFrame();
    ASSERT_TRUE(recorder->Finish());
    const std::vector<int16_t> samples = Recorded(path, 44100);
    ASSERT_EQ(samples.size(), size_t(260 * 882));
    // Nothing is heard before the first key's click.
    EXPECT_TRUE(std::all_of(samples.begin(), samples.begin() + 90 * 882, [&](int16_t s) { return s == samples[0]; }));
    // ENTER goes down at frame 150; from two frames later on, only the tone.
    const Tone tone = ToneIn(samples, 152 * 882);
    const double seconds = double(tone.length) / 44100, frequency = tone.cycles / seconds;
    EXPECT_NEAR(frequency, 261.63, 2.6);
    EXPECT_NEAR(seconds, 0.98, 0.02);
}

TEST(SoundRecording, AnAyToneWrittenThroughThePortsSoundsAtItsPeriodsFrequency) {
    auto machine = MadeUpMachine(4);  // the 128K: the AY at 1.7734 MHz
    const std::string path = TempWav("tarvolinde-ay.wav");
    auto recorder = cli::StartSoundRecording(path, 22050, *machine);
    ASSERT_TRUE(recorder);
    for (const auto& [reg, value] : {std::pair<uint8_t, uint8_t>{0, 0x00}, {1, 0x01}, {7, 0x3E}, {8, 15}}) {
        machine->OutPort(0xFFFD, reg);
        machine->OutPort(0xBFFD, value);
    }
    for (int frame = 0; frame < 50; ++frame) {
        machine->cpu.FrameTStates = machine->cpu.FrameLength;
        machine->EndFrame();
    }
    ASSERT_TRUE(recorder->Finish());
    const Tone tone = ToneIn(Recorded(path, 22050), 0);
    EXPECT_NEAR(tone.cycles / (double(tone.length) / 22050), 1773400.0 / (16 * 256), 4.3);
}

}  // namespace
}  // namespace tarvolinde::test
