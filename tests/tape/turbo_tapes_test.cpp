// A tape laid out as commercial tapes are: a BASIC loader and a turbo loader read by the ROM, then
// a turbo block that loader reads. Every layout loads at real speed and fast, as TZX, WAV and CSW.

#include <gtest/gtest.h>

#include "tape/tape_factory.h"
#include "tests/machine/machine_test_support.h"
#include "tests/tape/tape_test_support.h"

namespace tarvolinde::test {
namespace {

constexpr uint32_t kClock = 3500000;
// Pilot, sync 1 and 2, zero, one (T-states), pilot pulses.
using Timings = std::array<uint16_t, 6>;
constexpr Timings kRomTimings{2168, 667, 735, 855, 1710, 3223}, kTurboTimings{350, 1400, 1400, 420, 840, 2000};

// At 0x8000: DI; IX = 0x9000; DE = 300; C = EAR. EDGE (0x8048) counts loops of IN A,(0xFE) in B until the level
// changes. 64 pilot pulses (counts 1-15), a long one (sync 1), an edge (sync 2), bit pairs (1: count >= 25). EI; RET.
const Bytes kLoader{
    0xF3, 0xDD, 0x21, 0x00, 0x90, 0x11, 0x2C, 0x01, 0xDB, 0xFE, 0xE6, 0x40, 0x4F, 0x26, 0x00, 0x06, 0x00, 0xCD,
    0x48, 0x80, 0x78, 0xFE, 0x10, 0x30, 0x09, 0xB7, 0x28, 0xF1, 0x24, 0x20, 0xF0, 0x25, 0x18, 0xED, 0x7C, 0xFE,
    0x40, 0x38, 0xE6, 0xCD, 0x48, 0x80, 0x2E, 0x01, 0x06, 0x00, 0xCD, 0x48, 0x80, 0xCD, 0x48, 0x80, 0x78, 0xFE,
    0x19, 0x3F, 0xCB, 0x15, 0x30, 0xF0, 0xDD, 0x75, 0x00, 0xDD, 0x23, 0x1B, 0x7A, 0xB3, 0x20, 0xE4, 0xFB, 0xC9,
    0x04, 0xC8, 0xDB, 0xFE, 0xA9, 0xE6, 0x40, 0x28, 0xF7, 0x79, 0xEE, 0x40, 0x4F, 0xC9};
// 10 LOAD ""CODE / 20 RANDOMIZE USR 32768
const Bytes kBasic{0, 10, 5, 0, 0xEF, 0x22, 0x22, 0xAF, 0x0D, 0, 20, 14, 0, 0xF9, 0xC0, '3', '2', '7', '6', '8', 0x0E,
                   0, 0, 0, 0x80, 0, 0x0D};

const Bytes kPayload = [] {  // what the turbo block holds for 0x9000
    Bytes payload(300);
    for (size_t i = 0; i < payload.size(); ++i) payload[i] = uint8_t(i * 7 + 3);
    return payload;
}();

// Blocks as 0x10 (standard), 0x11 (turbo) or 0x12 + 0x13 + 0x14 (tone, syncs, pure data).
enum class Kind { Standard, Turbo, PureData };
// The four blocks the ROM loads, each paused after as given, then the turbo block.
struct Layout { const char* name; Kind romKind; uint16_t pauses[4]; Kind turboKind; uint16_t turboPause; };
const Layout kLayouts[] = {
    {"HeaderPause874DataPause0", Kind::Standard, {1000, 1000, 874, 0}, Kind::Turbo, 1000},
    {"NoPauses", Kind::Standard, {0, 0, 0, 0}, Kind::Turbo, 0},
    {"RomTimedTurboBlocks", Kind::Turbo, {874, 0, 874, 0}, Kind::Turbo, 0},
    {"PureDataBlocks", Kind::PureData, {1000, 0, 500, 0}, Kind::PureData, 100},
};

void AppendBlock(Bytes& tzx, Kind kind, const Timings& t, uint16_t pause, const Bytes& data) {
    const auto size = uint32_t(data.size());
    const auto words = [&](std::initializer_list<uint16_t> values) { for (uint16_t v : values) AppendWord(tzx, v); };
    if (kind == Kind::Standard) Append(tzx, {0x10}), words({pause, uint16_t(size)});
    if (kind == Kind::Turbo) Append(tzx, {0x11}), words({t[0], t[1], t[2], t[3], t[4], t[5]});
    if (kind == Kind::PureData)
        Append(tzx, {0x12}), words({t[0], t[5]}), Append(tzx, {0x13, 2}), words({t[1], t[2]}), Append(tzx, {0x14}), words({t[3], t[4]});
    if (kind != Kind::Standard) Append(tzx, {8}), words({pause}), Append(tzx, {uint8_t(size), uint8_t(size >> 8), 0});
    tzx.insert(tzx.end(), data.begin(), data.end());
}

Bytes TzxTape(const Layout& layout) {
    const Bytes blocks[] = {RomBlock(0, HeaderBody(0, "turbo", uint16_t(kBasic.size()), 10, uint16_t(kBasic.size()))),
                            RomBlock(0xFF, kBasic), RomBlock(0, HeaderBody(3, "loader", uint16_t(kLoader.size()), 0x8000)),
                            RomBlock(0xFF, kLoader)};
    Bytes tzx = TzxHeader();
    for (int i = 0; i < 4; ++i) AppendBlock(tzx, layout.romKind, kRomTimings, layout.pauses[i], blocks[i]);
    AppendBlock(tzx, layout.turboKind, kTurboTimings, layout.turboPause, kPayload);
    return tzx;
}

std::vector<uint64_t> TapeEdges(TapeKind kind, const Bytes& file) {
    auto machine = DeckMachine();
    auto tape = CreateTape(kind, file);
    tape->FastLoad = false;
    tape->Attach(machine.get());
    tape->Play();
    return EdgeTimes(*tape, *machine, 60ull * kClock);
}

enum class Render { Tzx, Wav44k8, Wav44k16, Wav22k8, Wav22k16, Csw };
constexpr std::pair<uint32_t, uint16_t> kRecordings[] = {{0, 0}, {44100, 8}, {44100, 16}, {22050, 8}, {22050, 16}, {44100, 0}};

// The TZX's level at each sample's start: WAV samples at full swing, or CSW runs after the first (low).
Bytes Rendered(const Bytes& tzx, Render render) {
    if (render == Render::Tzx) return tzx;
    const auto [rate, bits] = kRecordings[int(render)];
    const std::vector<uint64_t> edges = TapeEdges(TapeKind::Tzx, tzx);
    Bytes samples, runs;
    std::vector<uint32_t> lengths{0};
    for (uint64_t i = 0, edge = 0; i * kClock / rate < edges.back() + kClock / 2; ++i) {
        while (edge < edges.size() && edges[edge] <= i * kClock / rate) ++edge;
        const bool high = edge & 1;
        if (bits == 8) samples.push_back(high ? 0xC0 : 0x40);
        if (bits == 16) AppendWord(samples, high ? 12000 : uint16_t(-12000));
        if (high != (lengths.size() % 2 == 0)) lengths.push_back(0);
        ++lengths.back();
    }
    for (size_t i = 1; i < lengths.size(); ++i)
        lengths[i] < 256 ? Append(runs, {uint8_t(lengths[i])}) : (Append(runs, {0}), AppendDword(runs, lengths[i]));
    return bits ? Wav(1, 1, rate, bits, samples) : Csw(1, 1, runs, uint16_t(rate));
}

struct TurboCase { int layout; Render render; bool fast; bool autoPlay = true; };
class TurboTapes : public ::testing::TestWithParam<TurboCase> {};

TEST_P(TurboTapes, LoadThroughTheRomAndTheirOwnLoader) {
    if (!CorpusHas("48.rom")) GTEST_SKIP() << "48.rom absent from " << RomDir();
    const TurboCase& c = GetParam();
    auto machine = CreateMachine(kModel48K, CorpusRoms());
    const TapeKind kind = c.render == Render::Tzx ? TapeKind::Tzx : c.render == Render::Csw ? TapeKind::Csw : TapeKind::Wav;
    auto tape = CreateTape(kind, Rendered(TzxTape(kLayouts[c.layout]), c.render));
    tape->FastLoad = c.fast;
    machine->AutoPlayStop = c.autoPlay;
    tape->Attach(machine.get());
    BootAndType(*machine, "j\"\"\n");
    if (!c.autoPlay) tape->Play();
    const auto loaded = [&] {
        for (uint16_t i = 0; i < kPayload.size(); ++i) if (machine->cpu.ReadByteFree(0x9000 + i) != kPayload[i]) return false;
        return true;
    };
    int frames = 0;
    for (; frames < 1500 && !loaded(); ++frames) machine->RunFrame();
    EXPECT_TRUE(loaded());
    EXPECT_TRUE(c.fast || frames > 300) << "a shortcut with fast loading off: " << frames << " frames";
}

std::vector<TurboCase> TurboCases() {
    std::vector<TurboCase> cases;
    for (const bool fast : {false, true}) {
        for (int layout = 0; layout < int(std::size(kLayouts)); ++layout)
            cases.push_back({layout, Render::Tzx, fast}), cases.push_back({layout, Render::Tzx, fast, false});
        for (int render = 1; render <= int(Render::Csw); ++render) cases.push_back({0, Render(render), fast});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Layouts, TurboTapes, ::testing::ValuesIn(TurboCases()), [](const auto& info) {
    const TurboCase& c = info.param;
    return kLayouts[c.layout].name + ("Render" + std::to_string(int(c.render))) + (c.fast ? "Fast" : "") + (c.autoPlay ? "" : "Play");
});

TEST(TurboTapes, RecordingEdgesFallWithinOneSampleOfTheTzxEdges) {
    const Bytes tzx = TzxTape(kLayouts[0]);
    const std::vector<uint64_t> expected = TapeEdges(TapeKind::Tzx, tzx);
    for (const Render render : {Render::Wav44k8, Render::Wav22k16}) {
        const std::vector<uint64_t> edges = TapeEdges(TapeKind::Wav, Rendered(tzx, render));
        ASSERT_EQ(edges.size(), expected.size());
        for (size_t i = 0; i < edges.size(); ++i)
            ASSERT_LE(edges[i] - expected[i], kClock / kRecordings[int(render)].first + 1) << "edge " << i;
    }
}

}  // namespace
}  // namespace tarvolinde::test
