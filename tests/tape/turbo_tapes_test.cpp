// A tape of our own laid out as commercial tapes are: a BASIC loader and a
// machine-code turbo loader read by the ROM, then a turbo block that loader
// reads. Every layout must load at real speed and fast, as TZX and as WAV and
// CSW recordings of it.

#include <gtest/gtest.h>

#include "machine/input/keyboard_typing.h"
#include "tape/tape_factory.h"
#include "tests/machine/machine_test_support.h"
#include "tests/tape/tape_test_support.h"

namespace tarvolinde::test {
namespace {

constexpr uint16_t kPayloadAddress = 0x9000;
constexpr uint16_t kPayloadLength = 300;
constexpr uint32_t kClock = 3500000;

// Pilot, sync 1, sync 2, zero, one (T-states) and pilot pulses.
using Timings = std::array<uint16_t, 6>;
constexpr Timings kRomTimings{2168, 667, 735, 855, 1710, 3223};
constexpr Timings kTurboTimings{350, 1400, 1400, 420, 840, 2000};

// At 0x8000: DI; IX = 0x9000; DE = length; C = EAR level. EDGE (0x8048) counts
// loops of IN A,(0xFE) in B until the level changes. 64 pilot pulses (counts
// 1-15), then a long one (sync 1), one more edge (sync 2), then bits as pairs
// of edges: a count of 25 or more is a 1. EI; RET to BASIC.
Bytes TurboLoader() {
    Bytes code{0xF3, 0xDD, 0x21, 0x00, 0x90, 0x11, uint8_t(kPayloadLength), uint8_t(kPayloadLength >> 8)};
    Append(code, {0xDB, 0xFE, 0xE6, 0x40, 0x4F, 0x26, 0x00, 0x06, 0x00, 0xCD, 0x48, 0x80, 0x78, 0xFE, 0x10, 0x30, 0x09,
                  0xB7, 0x28, 0xF1, 0x24, 0x20, 0xF0, 0x25, 0x18, 0xED, 0x7C, 0xFE, 0x40, 0x38, 0xE6, 0xCD, 0x48, 0x80,
                  0x2E, 0x01, 0x06, 0x00, 0xCD, 0x48, 0x80, 0xCD, 0x48, 0x80, 0x78, 0xFE, 0x19, 0x3F, 0xCB, 0x15, 0x30,
                  0xF0, 0xDD, 0x75, 0x00, 0xDD, 0x23, 0x1B, 0x7A, 0xB3, 0x20, 0xE4, 0xFB, 0xC9, 0x04, 0xC8, 0xDB, 0xFE,
                  0xA9, 0xE6, 0x40, 0x28, 0xF7, 0x79, 0xEE, 0x40, 0x4F, 0xC9});
    return code;
}

// 10 LOAD ""CODE / 20 RANDOMIZE USR 32768
const Bytes kBasic{0, 10, 5, 0, 0xEF, 0x22, 0x22, 0xAF, 0x0D, 0, 20, 14, 0, 0xF9, 0xC0, '3', '2',
                   '7', '6', '8', 0x0E, 0, 0, 0, 0x80, 0, 0x0D};

Bytes Payload() {
    Bytes payload(kPayloadLength);
    for (size_t i = 0; i < payload.size(); ++i) payload[i] = uint8_t(i * 7 + 3);
    return payload;
}

// How a block is written: standard (0x10), turbo (0x11) or pure tone, pulses and pure data (0x12, 0x13, 0x14).
enum class Kind { Standard, Turbo, PureData };

void AppendBlock(Bytes& tzx, Kind kind, const Timings& t, uint16_t pause, const Bytes& data) {
    const auto size = uint32_t(data.size());
    if (kind == Kind::Standard) {
        Append(tzx, {0x10}), AppendWord(tzx, pause), AppendWord(tzx, size);
    } else if (kind == Kind::Turbo) {
        tzx.push_back(0x11);
        for (uint16_t v : t) AppendWord(tzx, v);
        Append(tzx, {8}), AppendWord(tzx, pause), Append(tzx, {uint8_t(size), uint8_t(size >> 8), uint8_t(size >> 16)});
    } else {
        Append(tzx, {0x12}), AppendWord(tzx, t[0]), AppendWord(tzx, t[5]);
        Append(tzx, {0x13, 2}), AppendWord(tzx, t[1]), AppendWord(tzx, t[2]);
        Append(tzx, {0x14}), AppendWord(tzx, t[3]), AppendWord(tzx, t[4]);
        Append(tzx, {8}), AppendWord(tzx, pause), Append(tzx, {uint8_t(size), uint8_t(size >> 8), uint8_t(size >> 16)});
    }
    tzx.insert(tzx.end(), data.begin(), data.end());
}

struct Layout {
    const char* name;
    Kind romKind;        // the four blocks the ROM loads
    uint16_t pauses[4];  // after the BASIC header and data, the code header and data
    Kind turboKind;
    uint16_t turboPause;
};

const Layout kLayouts[] = {
    {"HeaderPause874DataPause0", Kind::Standard, {1000, 1000, 874, 0}, Kind::Turbo, 1000},
    {"NoPauses", Kind::Standard, {0, 0, 0, 0}, Kind::Turbo, 0},
    {"RomTimedTurboBlocks", Kind::Turbo, {874, 0, 874, 0}, Kind::Turbo, 0},
    {"PureDataBlocks", Kind::PureData, {1000, 0, 500, 0}, Kind::PureData, 100},
};

Bytes TzxTape(const Layout& layout) {
    const Bytes code = TurboLoader();
    const Bytes blocks[] = {RomBlock(0, HeaderBody(0, "turbo", uint16_t(kBasic.size()), 10, uint16_t(kBasic.size()))),
                            RomBlock(0xFF, kBasic), RomBlock(0, HeaderBody(3, "loader", uint16_t(code.size()), 0x8000)),
                            RomBlock(0xFF, code)};
    Bytes tzx = TzxHeader();
    for (int i = 0; i < 4; ++i) AppendBlock(tzx, layout.romKind, kRomTimings, layout.pauses[i], blocks[i]);
    AppendBlock(tzx, layout.turboKind, kTurboTimings, layout.turboPause, Payload());
    return tzx;
}

// The EAR edges of a tape played from its start to its end.
std::vector<uint64_t> TapeEdges(TapeKind kind, const Bytes& file) {
    auto machine = DeckMachine();
    auto tape = CreateTape(kind, file);
    tape->FastLoad = false;
    tape->Attach(machine.get());
    tape->Play();
    return EdgeTimes(*tape, *machine, 60ull * kClock);
}

enum class Render { Tzx, Wav44k8, Wav44k16, Wav22k8, Wav22k16, Csw };
struct Recording { uint32_t rate; uint16_t bits; };
constexpr Recording kRecordings[] = {{0, 0}, {44100, 8}, {44100, 16}, {22050, 8}, {22050, 16}, {44100, 0}};

// The TZX's edges sampled at the start of each sample period: WAV samples at
// full swing, or CSW runs after the first (the deck starts low).
Bytes Rendered(const Bytes& tzx, Render render) {
    if (render == Render::Tzx) return tzx;
    const Recording r = kRecordings[int(render)];
    const std::vector<uint64_t> edges = TapeEdges(TapeKind::Tzx, tzx);
    Bytes samples;
    std::vector<uint32_t> runs{0};
    size_t edge = 0;
    for (uint64_t i = 0; i * kClock / r.rate < edges.back() + kClock / 2; ++i) {
        while (edge < edges.size() && edges[edge] <= i * kClock / r.rate) ++edge;
        const bool high = edge & 1;
        if (r.bits == 8) samples.push_back(high ? 0xC0 : 0x40);
        if (r.bits == 16) AppendWord(samples, high ? 12000 : uint16_t(-12000));
        if (high != (runs.size() % 2 == 0)) runs.push_back(0);
        ++runs.back();
    }
    if (r.bits == 0) {
        Bytes pulses;
        for (size_t i = 1; i < runs.size(); ++i) {
            if (runs[i] < 256) Append(pulses, {uint8_t(runs[i])});
            else Append(pulses, {0}), AppendDword(pulses, runs[i]);
        }
        return Csw(1, 1, pulses, uint16_t(r.rate));
    }
    return Wav(1, 1, r.rate, r.bits, samples);
}

struct TurboCase { int layout; Render render; bool fast; bool autoPlay = true; };

class TurboTapes : public ::testing::TestWithParam<TurboCase> {};

TEST_P(TurboTapes, LoadThroughTheRomAndTheirOwnLoader) {
    if (!CorpusHas("48.rom")) GTEST_SKIP() << "48.rom absent from " << RomDir();
    const TurboCase& c = GetParam();
    auto machine = CreateMachine(kModel48K, CorpusRoms());
    auto tape = CreateTape(c.render == Render::Tzx ? TapeKind::Tzx
                           : c.render == Render::Csw ? TapeKind::Csw : TapeKind::Wav,
                           Rendered(TzxTape(kLayouts[c.layout]), c.render));
    tape->FastLoad = c.fast;
    machine->AutoPlayStop = c.autoPlay;
    tape->Attach(machine.get());
    for (int i = 0; i < 100; ++i) machine->RunFrame();
    TypingSession typing("j\"\"\n");
    while (!typing.Done()) {
        typing.BeforeFrame(machine->KeyRows);
        machine->RunFrame();
    }
    machine->KeyRows = kAllKeysUp;
    if (!c.autoPlay) tape->Play();
    const Bytes payload = Payload();
    Bytes loaded;
    for (int frame = 0; frame < 1500 && loaded != payload; ++frame) {
        machine->RunFrame();
        loaded.clear();
        for (uint16_t i = 0; i < kPayloadLength; ++i) loaded.push_back(machine->cpu.ReadByteFree(kPayloadAddress + i));
    }
    EXPECT_EQ(loaded, payload);
    // The deck keeps time by itself: a recording has stopped once past its length.
    for (int frame = 0; frame < 200; ++frame) machine->RunFrame();
    EXPECT_FALSE(tape->Playing());
}

std::vector<TurboCase> TurboCases() {
    std::vector<TurboCase> cases;
    for (const bool fast : {false, true}) {
        for (int layout = 0; layout < int(std::size(kLayouts)); ++layout)
            for (const bool autoPlay : {true, false}) cases.push_back({layout, Render::Tzx, fast, autoPlay});
        for (int render = 1; render <= int(Render::Csw); ++render) cases.push_back({0, Render(render), fast});
    }
    return cases;
}

std::string CaseName(const ::testing::TestParamInfo<TurboCase>& info) {
    constexpr const char* kRenders[] = {"Tzx", "Wav44k8", "Wav44k16", "Wav22k8", "Wav22k16", "Csw"};
    return std::string(kLayouts[info.param.layout].name) + kRenders[int(info.param.render)] +
           (info.param.fast ? "Fast" : "RealSpeed") + (info.param.autoPlay ? "" : "PlayPressed");
}

INSTANTIATE_TEST_SUITE_P(Layouts, TurboTapes, ::testing::ValuesIn(TurboCases()), CaseName);

TEST(TurboTapes, RecordingEdgesFallWithinOneSampleOfTheTzxEdges) {
    const Bytes tzx = TzxTape(kLayouts[0]);
    const std::vector<uint64_t> expected = TapeEdges(TapeKind::Tzx, tzx);
    for (const Render render : {Render::Wav44k8, Render::Wav22k16}) {
        const std::vector<uint64_t> edges = TapeEdges(TapeKind::Wav, Rendered(tzx, render));
        const uint64_t period = kClock / kRecordings[int(render)].rate + 1;
        ASSERT_EQ(edges.size(), expected.size());
        for (size_t i = 0; i < edges.size(); ++i)
            ASSERT_LE(edges[i] - expected[i], period) << "edge " << i << " at " << expected[i];
    }
}

}  // namespace
}  // namespace tarvolinde::test
