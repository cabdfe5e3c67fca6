// Damaged files refused before any machine is touched, and rules no round trip shows.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "snapshot_test_support.h"
#include "snapshots/snap_fsu.h"
#include "snapshots/snap_sna.h"
#include "snapshots/snap_sp.h"
#include "snapshots/snap_z80.h"
#include "snapshots/z80_compression.h"

namespace tarvolinde::test {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Patched(Bytes file, size_t offset, std::initializer_list<uint8_t> bytes) {
    std::copy(bytes.begin(), bytes.end(), file.begin() + std::ptrdiff_t(offset));
    return file;
}
Bytes Cut(const Bytes& file, size_t size) { return Bytes(file.begin(), file.begin() + std::ptrdiff_t(size)); }
Bytes Joined(Bytes file, const Bytes& more) { return file.insert(file.end(), more.begin(), more.end()), file; }

// A version 2 (23 extra bytes) or 3 Z80 file of the 48K, then `blocks`.
Bytes Z80Paged(uint16_t extra, const Bytes& blocks) {
    return Joined(Patched(Bytes(32 + extra), 30, {uint8_t(extra), uint8_t(extra >> 8), 0xCD, 0xAB}), blocks);
}

// A compressed block of page `number` filled with `value`.
Bytes FilledBlock(uint8_t number, uint8_t value) {
    Bytes block{0, 1, number};
    for (int run = 0; run < 64; ++run) block = Joined(block, {0xED, 0xED, 0x00, value});
    return block;
}

// Offset of the chunk's tag, walking the chunks after the 16-byte header.
size_t ChunkAt(const Bytes& file, std::string_view tag) {
    size_t offset = 16;
    while (offset + 8 <= file.size() && std::string_view(reinterpret_cast<const char*>(&file[offset]), 4) != tag)
        offset += 8 + (file[offset + 4] | file[offset + 5] << 8 | file[offset + 6] << 16 | size_t(file[offset + 7]) << 24);
    return offset;
}

Bytes SavedFsu(int model, int unlocked = -1) {
    auto machine = MadeUpMachine(model);
    MakeBusy(*machine, unlocked);
    return TSnapFSU().Save(*machine);
}

TEST(SnapshotFormats, DamagedFilesAreRefusedBeforeTheModelSwitch) {
    using K = SnapshotKind;
    const Bytes sp = TSnapSP().Save(*MadeUpMachine(1));
    const Bytes fsu = SavedFsu(4);
    const size_t z80 = ChunkAt(fsu, "Z80 ") + 8 + 30, ram = ChunkAt(fsu, "RAM "), port = ChunkAt(fsu, "PORT");
    const Bytes fsu48 = SavedFsu(1);
    const struct { const char* what; SnapshotKind kind; Bytes file; } cases[] = {
        {"SNA 48K and a byte", K::Sna, Bytes(TSnapSNA::kSize48 + 1)},
        {"SNA 128K of all pages and a byte", K::Sna, Bytes(TSnapSNA::kSize128AllPages + 1)},
        // Page 5 at 0xC000 needs six trailing pages, not five.
        {"SNA 128K short of a page", K::Sna, Patched(Bytes(TSnapSNA::kSize128), TSnapSNA::kSize48 + 2, {5})},
        {"Z80 main header cut", K::Z80, Bytes(29)},
        {"Z80 extra header below version 2", K::Z80, Z80Paged(22, {})},
        {"Z80 extra header cut", K::Z80, Cut(Z80Paged(55, {}), 60)},
        {"Z80 block coding too few bytes", K::Z80, Z80Paged(23, Patched(Cut(FilledBlock(8, 1), 255), 0, {252, 0}))},
        {"Z80 raw block cut", K::Z80, Z80Paged(23, {0xFF, 0xFF, 8, 1, 2})},
        {"Z80 stray bytes after the blocks", K::Z80, Z80Paged(23, {5, 0})},
        {"Z80 version 1 compressed image cut", K::Z80, Joined(Patched(Bytes(30), 6, {0, 0x80, 0, 0, 0, 0, 0x20}), {0xED, 0xED, 0, 1})},
        {"SP load address", K::Sp, Patched(sp, 4, {0x00, 0x80})},
        {"SP signature", K::Sp, Patched(sp, 1, {'Q'})},
        {"SP length", K::Sp, Patched(sp, 2, {0x00, 0x40})},
        {"SP header cut", K::Sp, Cut(sp, 5)},
        {"FSU negative T-state", K::Fsu, Patched(fsu, z80 + 3, {0x80})},
        {"FSU T-state 70908, the 128K frame's length", K::Fsu, Patched(fsu, z80, {0xFC, 0x14, 0x01, 0x00})},
        {"FSU signature", K::Fsu, Patched(fsu, 0, {'X'})},
        {"FSU unknown maker", K::Fsu, Patched(fsu, 8, {'X'})},
        {"FSU model of another maker", K::Fsu, Patched(fsu48, 12, {'+', '2', ' ', ' '})},
        {"FSU damaged zlib stream", K::Fsu, Patched(fsu, ram + 48, {uint8_t(~fsu[ram + 48])})},
        {"FSU chunk past the end", K::Fsu, Patched(fsu, ram + 7, {0x10})},
        {"FSU without PORT chunk", K::Fsu, Cut(fsu, port)},
        {"FSU partial port entry", K::Fsu, Cut(Patched(fsu, port + 4, {8}), fsu.size() - 1)},
        {"FSU stray byte", K::Fsu, Joined(fsu, {0})},
        {"FSU RAM of a 48K in a 128K file", K::Fsu,
         Joined(Cut(fsu, ram), Bytes(fsu48.begin() + std::ptrdiff_t(ChunkAt(fsu48, "RAM ")), fsu48.end()))},
    };
    for (const auto& c : cases) {
        MachineSlot slot;
        EXPECT_THROW(MakeSnapshot(c.kind)->Load(c.file, slot.Selector()), SnapshotError) << c.what;
        EXPECT_EQ(slot.switches, 0) << c.what;
    }
}

TEST(SnapshotFormats, Z80BlocksCountersHardwareModesAndOldWritersFlags) {
    Bytes blocks;
    for (int copy = 0; copy < 100; ++copy) blocks = Joined(blocks, FilledBlock(8, uint8_t(copy)));
    const SnapshotImage image = TSnapZ80().Parse(Z80Paged(23, blocks));
    ASSERT_EQ(image.Pages.size(), 1u);  // the image never holds more than the machine's pages
    EXPECT_EQ(image.Pages[0].Page, 5);
    EXPECT_EQ(image.Pages[0].Bytes[0], 99);

    // The frame starts with the high counter at 3 and the low one at the top of its quarter.
    EXPECT_EQ(Z80CountersToFrameTStates(0, 2, 70908), 70907);
    EXPECT_EQ(Z80CountersToFrameTStates(17472, 3, 69888), std::nullopt);
    const Bytes file = Patched(Z80Paged(55, FilledBlock(8, 0)), 55, {100, 0, 1});
    EXPECT_EQ(TSnapZ80().Parse(file).FrameTStates, 2 * 17472 + 17471 - 100);
    // Nonsense counters leave the frame position at its reset value.
    MachineSlot slot;
    EXPECT_EQ(TSnapZ80().Load(Patched(file, 57, {0xC0}), slot.Selector()).cpu.FrameTStates, 0);
    // Hardware mode 3 is the 128K in version 2 and the 48K from version 3 on.
    EXPECT_EQ(TSnapZ80().Parse(Patched(Z80Paged(23, FilledBlock(8, 0)), 34, {3})).ModelIndex, 4);
    EXPECT_EQ(TSnapZ80().Parse(Patched(Z80Paged(54, FilledBlock(8, 0)), 34, {3})).ModelIndex, 1);
    // Flags of 255, from old writers, read as 1: border 0, not compressed.
    EXPECT_EQ(TSnapZ80().Load(Patched(Bytes(30 + 3 * kPageSize), 6, {0, 0x80, 0, 0, 0, 0, 0xFF}), slot.Selector()).LastFE, 0);
    // An SP border byte keeps its EAR and MIC bits.
    EXPECT_EQ(TSnapSP().Load(Patched(TSnapSP().Save(*MadeUpMachine(1)), 34, {0x1C}), slot.Selector()).LastFE, 0x1C);
}

TEST(SnapshotFormats, FsuPortEntriesAreReadByPortNumberAndTheScorpionKeeps7FFDLast) {
    const Bytes scorpion = SavedFsu(17);
    EXPECT_EQ(Bytes(scorpion.begin() + std::ptrdiff_t(ChunkAt(scorpion, "PORT") + 8), scorpion.end()),
              (Bytes{0xFE, 0x00, 0x05, 0xFD, 0x1F, 0x10, 0xFD, 0x7F, 0x3B}));
    const Bytes plus3 = SavedFsu(9);
    const struct { const char* what; Bytes file; uint8_t port7FFD, port1FFD; } cases[] = {
        {"Scorpion", scorpion, 0x3B, 0x10},
        {"Scorpion without 7FFD", Patched(Cut(scorpion, scorpion.size() - 3), ChunkAt(scorpion, "PORT") + 4, {6}), 0, 0x10},
        {"+3, entries shuffled", Patched(plus3, ChunkAt(plus3, "PORT") + 8, {0xFD, 0x1F, 4, 0xFE, 0, 5, 0xFD, 0x7F, 0x3B}), 0x3B, 4},
        // The Pentagon's paging port also answers at 0x1FFD: that entry must not overwrite it.
        {"Pentagon, unlocked", SavedFsu(15, 0x13), 0x13, 0x00},
        {"Spanish Pentagon spelt in capitals", Patched(SavedFsu(16), 15, {'E'}), 0x3B, 0x00},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MachineSlot slot;
        TSp& machine = TSnapFSU().Load(c.file, slot.Selector());
        EXPECT_EQ(machine.Port7FFD, c.port7FFD);
        EXPECT_EQ(machine.Port1FFD, c.port1FFD);
        EXPECT_EQ(machine.LastFE, 0x05);
    }
}

using Page = std::array<uint8_t, kPageSize>;

// A page that starts with `head` and goes on with no run and no 0xED.
Page PageWithHead(const Bytes& head) {
    Page page{};
    for (size_t i = 0; i < page.size(); ++i) page[i] = i < head.size() ? head[i] : uint8_t(i % 237);
    return page;
}

// Ordinary pages go through the Z80 run-length code in every Z80 round trip.
TEST(Z80Compression, EdgeCasesCodeAndDecodeBack) {
    Page lastEd = PageWithHead({});
    lastEd.back() = 0xED;
    // The start of the page's code and the whole code's length.
    const struct { const char* what; Page page; Bytes code; size_t size; } cases[] = {
        {"four equal bytes stay literal", PageWithHead({7, 7, 7, 7, 1, 2}), {7, 7, 7, 7, 1, 2}, kPageSize},
        {"five become a run", PageWithHead({7, 7, 7, 7, 7, 1, 2}), {0xED, 0xED, 5, 7, 1, 2}, kPageSize - 1},
        {"two 0xED are a run", PageWithHead({0xED, 0xED, 1, 2}), {0xED, 0xED, 2, 0xED, 1, 2}, kPageSize + 2},
        {"the byte after a lone 0xED starts no run", PageWithHead({0xED, 9, 9, 9, 9, 9, 9, 1}),
         {0xED, 9, 0xED, 0xED, 5, 9, 1}, kPageSize - 1},
        {"runs stop at 255", PageWithHead(Bytes(kPageSize, 0xAA)), {0xED, 0xED, 255, 0xAA, 0xED, 0xED, 255}, 65 * 4},
        {"a lone 0xED at the end", lastEd, {0, 1, 2}, kPageSize},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Bytes code = CompressZ80Page(c.page);
        EXPECT_EQ(Bytes(code.begin(), code.begin() + std::ptrdiff_t(c.code.size())), c.code);
        EXPECT_EQ(code.size(), c.size);
        Page back{};
        EXPECT_EQ(DecompressZ80(code, back), code.size());
        EXPECT_EQ(back, c.page);
    }
}

}  // namespace
}  // namespace tarvolinde::test
