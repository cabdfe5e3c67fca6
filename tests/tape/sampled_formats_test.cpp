#include <gtest/gtest.h>

#include <zlib.h>

#include "tape/csw.h"
#include "tape/sample_period.h"
#include "tape/tape_error.h"
#include "tape/voc.h"
#include "tape/wav.h"
#include "tests/tape/tape_test_support.h"

namespace tarvolinde::test {
namespace {

// A RIFF WAVE file of PCM frames.
Bytes Wav(const Bytes& frames, uint16_t bits = 8, uint16_t channels = 1, uint32_t rate = 44100,
          uint16_t formatTag = 1, uint32_t formatSize = 16) {
    Bytes body;
    AppendText(body, "WAVEfmt ");
    AppendDword(body, formatSize);
    AppendWord(body, formatTag);
    AppendWord(body, channels);
    AppendDword(body, rate);
    AppendDword(body, rate * channels * bits / 8);
    AppendWord(body, channels * bits / 8);
    AppendWord(body, bits);
    body.resize(body.size() + formatSize - 16);
    AppendText(body, "LIST");  // a chunk the reader must step over
    AppendDword(body, 3);
    Append(body, {1, 2, 3, 0});
    AppendText(body, "data");
    AppendDword(body, uint32_t(frames.size()));
    body.insert(body.end(), frames.begin(), frames.end());
    Bytes file;
    AppendText(file, "RIFF");
    AppendDword(file, uint32_t(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

// Levels (1 high) of a square wave: `run` samples of each level, starting low.
std::vector<uint8_t> SquareLevels(size_t samples, size_t run) {
    std::vector<uint8_t> levels;
    for (size_t i = 0; i < samples; ++i) levels.push_back(uint8_t((i / run) & 1));
    return levels;
}

Bytes EightBit(const std::vector<uint8_t>& levels, uint8_t low, uint8_t high) {
    Bytes frames;
    for (uint8_t level : levels) frames.push_back(level ? high : low);
    return frames;
}

// The level after each sample period, sampled in the middle of the period.
template <typename Tape>
std::vector<uint8_t> PlayedLevels(Tape& tape, TSp& machine, size_t samples) {
    std::vector<uint8_t> levels;
    const uint32_t period = tape.SamplePeriod();
    for (size_t i = 1; i <= samples && tape.Playing(); ++i) {
        machine.cpu.TotalTStates = i * period + period / 2;
        tape.Update();
        if (!tape.Playing()) break;
        levels.push_back(machine.EarMask == 0xFF ? 1 : 0);
    }
    return levels;
}

template <typename Tape>
std::unique_ptr<Tape> Playing(Bytes bytes, TSp& machine) {
    auto tape = std::make_unique<Tape>(std::move(bytes));
    tape->AutoRewind = false;
    tape->Attach(&machine);
    tape->Play();
    return tape;
}

TEST(SamplePeriod, FollowsTheModelClock) {
    EXPECT_EQ(SamplePeriodFor(44100, true), 80u);
    EXPECT_EQ(SamplePeriodFor(44100, false), 81u);
    for (const auto& [model, period] : std::vector<std::pair<int, uint32_t>>{{1, 80}, {2, 80}, {0, 81}, {3, 81}, {4, 81}}) {
        auto machine = DeckMachine(model);
        TWav wav(Wav(Bytes(4, 0x80)));
        wav.Attach(machine.get());
        EXPECT_EQ(wav.SamplePeriod(), period) << "model " << model;
    }
}

TEST(WavTape, LevelsAreDecidedAgainstTheMiddleOfTheRecording) {
    const std::vector<uint8_t> levels = SquareLevels(64, 5);
    // Full swing around 128, an offset recording below it, and one well above.
    for (const auto& [low, high] : std::vector<std::pair<uint8_t, uint8_t>>{{64, 192}, {16, 112}, {150, 250}}) {
        auto machine = DeckMachine();
        auto tape = Playing<TWav>(Wav(EightBit(levels, low, high)), *machine);
        const auto played = PlayedLevels(*tape, *machine, levels.size());
        // Every sample but the last plays; the last ends the tape.
        EXPECT_EQ(played, std::vector<uint8_t>(levels.begin(), levels.end() - 1)) << int(low) << ".." << int(high);
        EXPECT_FALSE(tape->Playing());
    }
}

TEST(WavTape, SixteenBitStereoPlaysTheFirstChannel) {
    const std::vector<uint8_t> levels = SquareLevels(40, 3);
    Bytes frames;
    for (uint8_t level : levels) {
        AppendWord(frames, uint16_t(int16_t(level ? 9000 : -7000)));
        AppendWord(frames, uint16_t(int16_t(level ? -30000 : 30000)));  // the other channel, inverted
    }
    auto machine = DeckMachine();
    auto tape = Playing<TWav>(Wav(frames, 16, 2, 22050, 1, 18), *machine);
    EXPECT_EQ(tape->Layout().Threshold, 1000);
    EXPECT_EQ(tape->Description(), "22050Hz");
    EXPECT_EQ(PlayedLevels(*tape, *machine, levels.size()), std::vector<uint8_t>(levels.begin(), levels.end() - 1));
}

TEST(WavTape, RewindReachesTheFirstSampleWhateverTheFormatChunkLength) {
    Bytes frames(20, 10);
    frames[0] = 200;  // only the first sample is high
    auto machine = DeckMachine();
    auto tape = Playing<TWav>(Wav(frames, 8, 1, 44100, 1, 40), *machine);
    const TBloque& block = tape->Blocks().Nodes().at(0).Block;
    EXPECT_EQ(block.Kind, 0x14);
    EXPECT_EQ(block.Length, 20u);
    EXPECT_EQ(tape->Blocks().Nodes()[0].Text, "Datos puros {0014}");
    EXPECT_EQ(PlayedLevels(*tape, *machine, 3), (std::vector<uint8_t>{1, 0, 0}));
    tape->GoToBlock(0);
    tape->Play();
    EXPECT_EQ(PlayedLevels(*tape, *machine, 3), (std::vector<uint8_t>{1, 0, 0}));
}

TEST(WavTape, RefusesWhatItCannotPlay) {
    const Bytes frames(8, 0x80);
    EXPECT_THROW(TWav(Wav(frames, 24)), TapeFormatError);
    EXPECT_THROW(TWav(Wav(frames, 8, 3)), TapeFormatError);
    EXPECT_THROW(TWav(Wav(frames, 8, 1, 0)), TapeFormatError);
    EXPECT_THROW(TWav(Wav(frames, 8, 1, 44100, 3)), TapeFormatError);  // IEEE float
    Bytes noData = Wav(frames);
    noData.resize(40);
    EXPECT_THROW(TWav{noData}, TapeFormatError);
    Bytes notWave = Wav(frames);
    notWave[8] = 'X';
    EXPECT_THROW(TWav{notWave}, TapeFormatError);
    EXPECT_NO_THROW(TWav(Wav(Bytes{})));
    // A data chunk that claims more than the file holds plays what is there.
    Bytes truncated = Wav(Bytes(100, 0x80));
    truncated.resize(truncated.size() - 60);
    EXPECT_EQ(TWav(truncated).Layout().DataLength, 40u);
}

Bytes CswVersion1(const Bytes& pulses, uint16_t rate = 44100, uint8_t compression = 1) {
    Bytes file;
    AppendText(file, "Compressed Square Wave");
    Append(file, {0x1A, 1, 1});
    AppendWord(file, rate);
    Append(file, {compression, 0, 0, 0, 0});
    file.insert(file.end(), pulses.begin(), pulses.end());
    return file;
}

Bytes CswVersion2(const Bytes& data, uint8_t compression, uint32_t rate = 44100) {
    Bytes file;
    AppendText(file, "Compressed Square Wave");
    Append(file, {0x1A, 2, 0});
    AppendDword(file, rate);
    AppendDword(file, 0);
    Append(file, {compression, 0, 2});  // two bytes of header extension
    file.resize(file.size() + 16);
    Append(file, {0xEE, 0xEE});
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

Bytes Deflated(const Bytes& data, int level = 9) {
    uLongf size = compressBound(uLong(data.size()));
    Bytes out(size);
    compress2(out.data(), &size, data.data(), uLong(data.size()), level);
    out.resize(size);
    return out;
}

TEST(CswTape, PulsesHoldTheLevelForTheirSamples) {
    Bytes pulses{3, 1, 0};
    AppendDword(pulses, 4096);
    pulses.push_back(2);
    auto machine = DeckMachine();
    auto tape = Playing<TCsw>(CswVersion1(pulses), *machine);
    EXPECT_EQ(tape->SamplePeriod(), 80u);
    EXPECT_EQ(tape->Blocks().Nodes()[0].Block.Length, 8u);
    const auto edges = EdgeTimes(*tape, *machine, 10'000'000);
    // The first edge one sample after Play; the 0 + 4-byte pulse takes 5 bytes.
    EXPECT_EQ(edges, (std::vector<uint64_t>{80, 80 + 3 * 80, 80 + 4 * 80, 80 + 4100 * 80}));
    EXPECT_FALSE(tape->Playing());
}

TEST(CswTape, VersionTwoRunLengthAndZRunLengthGiveTheSamePulses) {
    const Bytes pulses{5, 7, 9, 0, 0, 1, 0, 0, 2};
    auto first = DeckMachine();
    auto v1 = Playing<TCsw>(CswVersion1(pulses), *first);
    const auto expected = EdgeTimes(*v1, *first, 1'000'000);
    ASSERT_EQ(expected.size(), 6u);
    for (const Bytes& file : {CswVersion2(pulses, 1), CswVersion2(Deflated(pulses), 2)}) {
        auto machine = DeckMachine();
        auto tape = Playing<TCsw>(file, *machine);
        EXPECT_EQ(EdgeTimes(*tape, *machine, 1'000'000), expected);
    }
}

TEST(CswTape, RefusesBadHeadersAndDamagedData) {
    EXPECT_THROW(TCsw(CswVersion1({1}, 0)), TapeFormatError);
    EXPECT_THROW(TCsw(CswVersion1({1}, 44100, 2)), TapeFormatError);
    EXPECT_THROW(TCsw(CswVersion2({1}, 3)), TapeFormatError);
    EXPECT_THROW(TCsw(CswVersion2({0x78, 0x9C, 0xFF, 0xFF, 0xFF}, 2)), TapeFormatError);
    Bytes wrong = CswVersion1({1});
    wrong[0] = 'X';
    EXPECT_THROW(TCsw{wrong}, TapeFormatError);
    // A zip bomb is refused rather than inflated without end.
    const Bytes bomb = CswVersion2(Deflated(Bytes(40000, 1)), 2);
    EXPECT_THROW(ParseCsw(bomb, 30000), TapeFormatError);
    EXPECT_EQ(ParseCsw(bomb, 40000).Data.size(), 40000u);
}

Bytes Voc(std::initializer_list<Bytes> blocks) {
    Bytes file;
    AppendText(file, "Creative Voice File");
    file.push_back(0x1A);
    AppendWord(file, 26);
    AppendWord(file, 0x010A);
    AppendWord(file, 0x1129);
    for (const Bytes& block : blocks) file.insert(file.end(), block.begin(), block.end());
    file.push_back(0);
    return file;
}

Bytes VocBlock(uint8_t type, const Bytes& body) {
    Bytes block{type};
    AppendTriple(block, uint32_t(body.size()));
    block.insert(block.end(), body.begin(), body.end());
    return block;
}

TEST(VocTape, ThresholdIs128AndTheRateComesFromTheBlocks) {
    // Type 1 at time constant 156: 10000 Hz, period 351 on the 48K.
    auto machine = DeckMachine();
    auto tape = Playing<TVoc>(Voc({VocBlock(1, {156, 0, 127, 128, 0, 255})}), *machine);
    machine->cpu.TotalTStates = 1;
    tape->Update();
    EXPECT_EQ(tape->SamplePeriod(), 351u);
    EXPECT_EQ(PlayedLevels(*tape, *machine, 4), (std::vector<uint8_t>{0, 1, 0, 1}));
}

TEST(VocTape, ExtendedBlockSetsTheRateOfTheNextSoundAndContinuationKeepsIt) {
    // Type 8: 256000000 / (65536 - 54016) = 22222 Hz, period 158; the type 1
    // block's own time constant is skipped; type 2 goes on at that rate.
    Bytes extended;
    AppendWord(extended, 54016);
    Append(extended, {0, 0});
    auto machine = DeckMachine();
    auto tape = Playing<TVoc>(
        Voc({VocBlock(8, extended), VocBlock(1, {1, 0, 200, 200}), VocBlock(2, {10, 200}), VocBlock(1, {156, 0, 0})}),
        *machine);
    machine->cpu.TotalTStates = 1;
    tape->Update();
    EXPECT_EQ(tape->SamplePeriod(), 158u);
    EXPECT_EQ(PlayedLevels(*tape, *machine, 4), (std::vector<uint8_t>{1, 1, 0, 1}));
    EXPECT_EQ(tape->SamplePeriod(), 158u);
}

TEST(VocTape, SilenceMarkersAndUnsupportedContent) {
    Bytes silence;
    AppendWord(silence, 3);
    silence.push_back(156);
    auto machine = DeckMachine();
    auto tape = Playing<TVoc>(Voc({VocBlock(1, {156, 0, 200}), VocBlock(5, {'h', 'i', 0}), VocBlock(3, silence),
                                   VocBlock(1, {156, 0, 10, 200})}),
                              *machine);
    machine->cpu.TotalTStates = 1;
    tape->Update();
    // One high sample, three periods of silence holding it, then low, high.
    EXPECT_EQ(PlayedLevels(*tape, *machine, 6), (std::vector<uint8_t>{1, 1, 1, 1, 0, 1}));

    Bytes stereo;
    AppendDword(stereo, 22050);
    Append(stereo, {8, 2, 0, 0, 0, 0, 0, 0, 128});
    auto second = DeckMachine();
    auto refused = Playing<TVoc>(Voc({VocBlock(9, stereo)}), *second);
    second->cpu.TotalTStates = 1;
    refused->Update();
    EXPECT_FALSE(refused->Playing());

    Bytes bad = Voc({});
    bad[20] = 27;
    EXPECT_THROW(TVoc{bad}, TapeFormatError);
}

TEST(SampledFiles, CorpusRecordingsListOneBlock) {
    const auto wav = ReadTestFile(TapeDir() + "gen_snake1k.wav");
    const auto maxduino = ReadTestFile(TapeDir() + "ZX_SNAKE1K.TAP.wav");
    const auto csw = ReadTestFile(TapeDir() + "gen_casita_v2zrle.csw");
    const auto empty = ReadTestFile(TapeDir() + "empty.csw");
    if (!wav || !maxduino || !csw || !empty) GTEST_SKIP() << "sampled tapes absent from " << TapeDir();
    const TWav generated(*wav);
    EXPECT_EQ(generated.Layout().Threshold, 64);  // samples 16..112
    EXPECT_EQ(TWav(*maxduino).Layout().Threshold, 128);  // samples 64..192
    const TCsw packed(*csw);
    EXPECT_EQ(packed.Description(), "44100Hz");
    EXPECT_EQ(packed.Blocks().Count(), 1u);
    EXPECT_GT(packed.Blocks().Nodes()[0].Block.Length, 188000u);
    auto machine = DeckMachine();
    auto nothing = Playing<TCsw>(*empty, *machine);
    machine->cpu.TotalTStates = 100;
    nothing->Update();
    EXPECT_FALSE(nothing->Playing());
}

}  // namespace
}  // namespace tarvolinde::test
