// Damaged and hostile tapes, refused when opened or played without hanging the
// machine; WAV levels; the browser's block list.

#include <gtest/gtest.h>

#include <zlib.h>

#include "tape/block_list.h"
#include "tape/csw.h"
#include "tape/tape_error.h"
#include "tape/tape_factory.h"
#include "tape/tzx.h"
#include "tape/wav.h"
#include "tests/tape/tape_test_support.h"

namespace tarvolinde::test {
namespace {

Bytes Cut(Bytes bytes, size_t size) {
    bytes.resize(size);
    return bytes;
}

Bytes Tone(uint16_t length, uint16_t pulses) {
    return {0x12, uint8_t(length), uint8_t(length >> 8), uint8_t(pulses), uint8_t(pulses >> 8)};
}

Bytes Deflated(const Bytes& data) {
    uLongf size = compressBound(uLong(data.size()));
    Bytes out(size);
    compress(out.data(), &size, data.data(), uLong(data.size()));
    return Cut(out, size);
}

TEST(TapeFaults, DamagedFilesAreRefusedWhenOpened) {
    const Bytes samples(8, 0x80);
    const struct { const char* what; TapeKind kind; Bytes file; } cases[] = {
        {"WAV of 24-bit samples", TapeKind::Wav, Wav(1, 1, 44100, 24, samples)},
        {"WAV of three channels", TapeKind::Wav, Wav(1, 3, 44100, 8, samples)},
        {"WAV at 0 Hz", TapeKind::Wav, Wav(1, 1, 0, 8, samples)},
        {"WAV of floats", TapeKind::Wav, Wav(3, 1, 44100, 8, samples)},
        {"WAV without data", TapeKind::Wav, Cut(Wav(1, 1, 44100, 8, {}), 48)},
        {"RIFF of another kind", TapeKind::Wav, Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'X'}},
        {"CSW at 0 Hz", TapeKind::Csw, Csw(1, 1, {1}, 0)},
        {"CSW 1 with Z-RLE", TapeKind::Csw, Csw(1, 2, {1})},
        {"CSW 2 of compression 3", TapeKind::Csw, Csw(2, 3, {1})},
        {"CSW 2 of a damaged stream", TapeKind::Csw, Csw(2, 2, {0x78, 0x9C, 0xFF, 0xFF, 0xFF})},
        {"CSW signature", TapeKind::Csw, Bytes{'X', 'o', 'm', 'p'}},
        {"VOC first block offset", TapeKind::Voc, Bytes(26, 0)},
        {"TAP of more empty blocks than any tape has", TapeKind::Tap, Bytes(2 * (BlockList::kMaxBlocks + 1), 0)},
    };
    for (const auto& c : cases) EXPECT_THROW(CreateTape(c.kind, c.file), TapeFormatError) << c.what;
    // A zip bomb is refused rather than inflated without end.
    const Bytes bomb = Csw(2, 2, Deflated(Bytes(40000, 1)));
    EXPECT_THROW(ParseCsw(bomb, 30000), TapeFormatError);
    EXPECT_EQ(ParseCsw(bomb, 40000).Data.size(), 40000u);
}

TEST(WavTape, LevelsAreDecidedAgainstTheMiddleOfTheRecordingsRange) {
    // The sample values of the two levels, low and high; samples start at k * clock / 44.1 kHz,
    // 3.5 MHz on the Sinclair 48K models, 3.5469 MHz elsewhere (the Inves+ included).
    const struct { uint16_t bits, channels, formatSize; int low, high; int model = kModel48K; } cases[] = {
        {8, 1, 16, 64, 192}, {8, 1, 16, 16, 112}, {8, 1, 16, 150, 250},  // full swing, below and above 128
        {16, 2, 18, -7000, 9000},                                         // the first of two channels
        {8, 1, 40, 10, 200, 0}, {8, 1, 16, 64, 192, 3}, {8, 1, 16, 64, 192, 4},  // a long format chunk; models
    };
    constexpr size_t kSamples = 64, kRun = 5;  // a square wave starting low
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.bits << "-bit " << c.low << ".." << c.high);
        Bytes samples;
        for (size_t i = 0; i < kSamples; ++i)
            for (int channel = 0; channel < c.channels; ++channel) {
                // The second channel plays the inverted wave.
                const int value = ((i / kRun) & 1) != (channel == 1) ? c.high : c.low;
                if (c.bits == 8) samples.push_back(uint8_t(value));
                else AppendWord(samples, uint16_t(int16_t(value)));
            }
        auto machine = DeckMachine(c.model);
        const uint64_t clock = c.model >= 3 ? 3546900 : 3500000;
        TWav tape(Wav(1, c.channels, 44100, c.bits, samples, c.formatSize));
        tape.AutoRewind = false;
        tape.Attach(machine.get());
        // Twice: rewinding must find the first sample again.
        for (int pass = 0; pass < 2; ++pass) {
            tape.GoToBlock(0);
            tape.Play();
            for (size_t i = 0; i < kSamples; ++i) {
                machine->cpu.TotalTStates = i * clock / 44100 + 40;
                tape.Update();
                ASSERT_EQ(machine->EarMask == 0xFF, ((i / kRun) & 1) != 0) << "sample " << i;
            }
            machine->RunFrame();  // NOPs that never read the port: the frame's end plays on to the end
            EXPECT_FALSE(tape.Playing());
        }
    }
}

TEST(TapeFaults, HostileTapesPlayWhatTheyHoldAndStop) {
    // The edges in the first 30 M T-states, whether Play cannot start the tape
    // again until it is moved, and the model if not the 48K.
    const struct { const char* what; TapeKind kind; Bytes file; size_t edges; bool jams = false; int model = kModel48K; } cases[] = {
        {"TAP block cut short plays its length", TapeKind::Tap, Cut(TapOf({RomBlock(0xFF, Bytes(8, 0xFF))}), 5), 3220 + 2 + 10 * 16},
        {"empty TAP", TapeKind::Tap, {}, 0},
        {"TZX jump to itself", TapeKind::Tzx, TzxOf({Bytes{0x23, 0, 0}}), 0, true},
        {"TZX jump outside the tape", TapeKind::Tzx, TzxOf({Bytes{0x23, 100, 0}, Tone(10, 1)}), 0},
        {"TZX jump back", TapeKind::Tzx, TzxOf({{0x23, 3, 0}, Tone(10, 2), {0x20, 0, 0}, {0x23, 0xFE, 0xFF}}), 2},
        {"TZX stop-if-48K on the 48K", TapeKind::Tzx, TzxOf({{0x2A, 0, 0, 0, 0}, Tone(10, 2)}), 0},
        {"TZX stop-if-48K on the 128K", TapeKind::Tzx, TzxOf({{0x2A, 0, 0, 0, 0}, Tone(10, 2)}), 2, false, 4},
        {"TZX zero-length data of 64 KB", TapeKind::Tzx, TzxOf({{0x14, 0, 0, 0, 0, 8, 0, 0, 0, 0, 1}, Bytes(0x10000)}), 0, true},
        {"TZX data block cut short is left out", TapeKind::Tzx, TzxOf({Tone(10, 2), {0x14, 0, 0, 0, 0, 8, 0, 0, 0xFF, 0xFF, 0xFF}}), 2},
        // Pulses of no length only flip the level by their parity, at once (and a
        // tape that ends high is brought low by the stop after its last edge).
        {"TZX 65535 zero-length pulses", TapeKind::Tzx, TzxOf({Tone(0, 65535), Tone(30000, 3)}), 4},
        {"TZX 65534 zero-length pulses", TapeKind::Tzx, TzxOf({Tone(0, 65534), Tone(30000, 3)}), 4},
        {"unsupported TZX block", TapeKind::Tzx, TzxOf({Tone(10, 2), Bytes{0x19, 0, 0, 0, 0}, Tone(10, 2)}), 2},
        // A pulse of no samples lasts one sample, not 2^32 of them.
        {"CSW pulse of 0 samples", TapeKind::Csw, Csw(1, 1, {0, 0, 0, 0, 0, 2, 1}), 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto machine = DeckMachine(c.model);
        auto tape = CreateTape(c.kind, c.file);
        tape->FastLoad = false;
        tape->Attach(machine.get());
        tape->Play();
        EXPECT_EQ(EdgeTimes(*tape, *machine, 30'000'000).size(), c.edges);
        EXPECT_FALSE(tape->Playing());
        tape->Play();
        EXPECT_EQ(tape->Playing(), !c.jams);
        tape->GoToBlock(0);
        tape->Play();
        EXPECT_TRUE(tape->Playing());
    }
}

// The real files of libspectrum's test set that stress the TZX control blocks.
TEST(TapeFaults, SmallTzxFilesPlayAsTheirLayoutSays) {
    const struct { const char* file; size_t edges; } cases[] = {
        {"jump.tzx", 678}, {"loop2.tzx", 370}, {"loop.tzx", 0}, {"loopend.tzx", 0},
        {"no-pilot-gdb.tzx", 0}, {"empty-drb.tzx", 0}, {"turbo-zeropilot.tzx", 2}, {"raw-data-block.tzx", 8}};
    for (const auto& c : cases) {
        const auto bytes = ReadTestFile(TapeDir() + c.file);
        if (!bytes) GTEST_SKIP() << c.file << " absent from " << TapeDir();
        auto machine = DeckMachine();
        auto tape = CreateTape(TapeKind::Tzx, *bytes);
        tape->FastLoad = false;
        tape->Attach(machine.get());
        tape->Play();
        EXPECT_EQ(EdgeTimes(*tape, *machine, 30'000'000).size(), c.edges) << c.file;
        EXPECT_FALSE(tape->Playing()) << c.file;
    }
}

TEST(BlockList, TextsAndGroupsAsTheBrowserShowsThem) {
    Bytes named = HeaderBody(0, "", 1, 1);
    named[1] = 0xAA, named[2] = 'b', named[3] = 0;  // names end at a zero byte and are Latin-1
    const std::pair<Bytes, std::string> texts[] = {
        {RomBlock(0xFF, Bytes(788, 0)), "Carga ROM, datos {0316}"},
        {RomBlock(0x00, HeaderBody(3, "pantalla", 6912, 16384)),
         "Carga ROM, cabecera, (Código, \"pantalla  \" [1B00, 4000]) {0013}"},
        {RomBlock(0x00, named), "Carga ROM, cabecera, (Programa, \"\xC2\xAA" "b\") {0013}"},
        {RomBlock(0x00, Bytes(18, 0)), "Carga ROM, ¿0? {0014}"},  // a flag of 0 on a block of another length
    };
    for (const auto& [body, text] : texts) EXPECT_EQ(BlockNodeText(0x10, uint32_t(body.size()), body), text);
    // Groups and loops are subtrees, each end the last child of its own group.
    const TTzx tape(TzxOf({{0x21, 1, 'A'}, {0x21, 1, 'B'}, Tone(1, 1), {0x22}, {0x24, 2, 0}, {0x20, 1, 0}, {0x25},
                           {0x22}, {0x22}, {0x30, 0}}));
    std::vector<int32_t> parents;
    for (const BlockNode& node : tape.Blocks().Nodes()) parents.push_back(node.Parent);
    EXPECT_EQ(parents, (std::vector<int32_t>{-1, -1, 1, 2, 2, 1, 5, 5, 1, -1, -1}));
}

}  // namespace
}  // namespace tarvolinde::test
