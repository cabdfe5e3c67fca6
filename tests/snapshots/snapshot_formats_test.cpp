// Each format read from files built here byte by byte, and damaged files refused
// before any machine is touched.

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "snapshot_test_support.h"
#include "snapshots/byte_reader.h"
#include "snapshots/snap_fsu.h"
#include "snapshots/snap_sna.h"
#include "snapshots/snap_sp.h"
#include "snapshots/snap_z80.h"

namespace tarvolinde::test {
namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& file, size_t offset, uint16_t value) {
    file[offset] = uint8_t(value);
    file[offset + 1] = uint8_t(value >> 8);
}

// Loading must fail before the model switch.
template <typename Format>
void ExpectRefused(const Bytes& file, const std::string& what) {
    MachineSlot slot;
    EXPECT_THROW(Format().Load(file, slot.Selector()), SnapshotError) << what;
    EXPECT_EQ(slot.switches, 0) << what;
}

// --- SNA -------------------------------------------------------------------------

Bytes Sna48() {
    Bytes file(TSnapSNA::kSize48);
    file[0] = 0x3F;             // I
    Put16(file, 1, 0x1111);     // HL'
    Put16(file, 7, 0x4455);     // AF': F' then A'
    Put16(file, 9, 0x2222);     // HL
    Put16(file, 17, 0x3333);    // IX
    file[19] = 0x04;            // IFF
    file[20] = 0xC5;            // R
    Put16(file, 21, 0x6677);    // AF: F then A
    Put16(file, 23, 0x8000);    // SP
    file[25] = 1;               // IM
    file[26] = 0x0A;            // border byte
    // 0x8000 holds the PC: RAM page 2 starts at 27 + 16384.
    Put16(file, 27 + 0x4000, 0x9876);
    file[27] = 0xA5;            // first screen byte
    return file;
}

TEST(SnaFormat, A48KFileLoadsAndPopsPcFromTheStack) {
    MachineSlot slot;
    TSp& machine = TSnapSNA().Load(Sna48(), slot.Selector());
    const Z80& cpu = machine.cpu;
    EXPECT_EQ(machine.ModelIndex, 1);
    EXPECT_EQ(cpu.I, 0x3F);
    EXPECT_EQ(cpu.HL_.w, 0x1111);
    EXPECT_EQ(cpu.ProgramAF_(), 0x4455);
    EXPECT_EQ(cpu.HL.w, 0x2222);
    EXPECT_EQ(cpu.IX.w, 0x3333);
    EXPECT_EQ(cpu.IFF1, 1);
    EXPECT_EQ(cpu.R(), 0xC5);
    EXPECT_EQ(cpu.RCounter, 0xC5);
    EXPECT_EQ(cpu.A(), 0x66);
    EXPECT_EQ(cpu.F(), 0x77);
    EXPECT_EQ(cpu.IM, 1);
    EXPECT_EQ(machine.LastFE, 0x0A);
    EXPECT_EQ(machine.screen.BorderColour, 2);
    EXPECT_EQ(cpu.PC.w, 0x9876);
    EXPECT_EQ(cpu.SP.w, 0x8002);
    EXPECT_EQ(cpu.ReadByteFree(0x4000), 0xA5);
}

TEST(SnaFormat, A128KFileWithThePagingLockStillPages) {
    Bytes file(TSnapSNA::kSize128);
    file[TSnapSNA::kSize48] = 0x34;      // PC
    file[TSnapSNA::kSize48 + 1] = 0x12;
    file[TSnapSNA::kSize48 + 2] = 0x33;  // page 3, ROM 1, locked
    file[27 + 2 * 0x4000] = 0x03;        // the page at 0xC000
    file[TSnapSNA::kSize48 + 4] = 0x10;  // the first trailing page: page 0
    MachineSlot slot;
    TSp& machine = TSnapSNA().Load(file, slot.Selector());
    EXPECT_EQ(machine.ModelIndex, 4);
    EXPECT_EQ(machine.cpu.PC.w, 0x1234);
    EXPECT_EQ(machine.Port7FFD, 0x33);
    EXPECT_EQ(machine.RamPage(3)[0], 0x03);
    EXPECT_EQ(machine.RamPage(0)[0], 0x10);
    EXPECT_EQ(machine.cpu.ReadByteFree(0xC000), 0x03);
    EXPECT_EQ(machine.cpu.ReadByteFree(0x0000), machine.RomPage(1)[0]);
}

TEST(SnaFormat, FilesOfAnyOtherSizeAreFormatErrors) {
    for (const size_t size : {size_t(0), size_t(27), TSnapSNA::kSize48 - 1, TSnapSNA::kSize48 + 1,
                              TSnapSNA::kSize128 - 1, TSnapSNA::kSize128AllPages + 1}) {
        const Bytes file(size);
        ExpectRefused<TSnapSNA>(file, std::to_string(size));
        EXPECT_THROW(TSnapSNA().Preview(file), SnapshotError) << size;
    }
    // Page 5 at 0xC000 needs six trailing pages, not five.
    Bytes file(TSnapSNA::kSize128);
    file[TSnapSNA::kSize48 + 2] = 0x05;
    ExpectRefused<TSnapSNA>(file, "page 5 paged in a short file");
}

TEST(SnaFormat, PreviewTakesTheScreenAndNamesTheSize) {
    const SnapshotPreview preview = TSnapSNA().Preview(Sna48());
    EXPECT_EQ(preview.Description, "48Kb");
    EXPECT_EQ(preview.Screen[0], 0xA5);
    EXPECT_EQ(TSnapSNA().Preview(Bytes(TSnapSNA::kSize128AllPages)).Description, "128Kb");
}

// --- Z80 -------------------------------------------------------------------------

Bytes Z80Header(uint16_t pc, uint8_t flags) {
    Bytes file(30);
    file[0] = 0x12;  // A
    file[1] = 0x34;  // F
    Put16(file, 6, pc);
    Put16(file, 8, 0xFF00);  // SP
    file[11] = 0x7F;         // R
    file[12] = flags;
    file[21] = 0x56;  // A'
    file[22] = 0x78;  // F'
    file[27] = 1;     // IFF1
    file[28] = 1;     // IFF2
    file[29] = 0x42;  // IM 2 (upper bits not significant)
    return file;
}

// A version 2 or 3 file: the extra header of `extra` bytes, then `blocks`.
Bytes Z80Paged(uint16_t extra, uint8_t mode, const Bytes& blocks, uint8_t port7FFD = 0) {
    Bytes file = Z80Header(0, 0x04);
    file.resize(32 + extra);
    Put16(file, 30, extra);
    Put16(file, 32, 0xABCD);
    file[34] = mode;
    file[35] = port7FFD;
    file[38] = 7;                                   // AY selected register
    for (int reg = 0; reg < 16; ++reg) file[39 + size_t(reg)] = uint8_t(reg);
    file.insert(file.end(), blocks.begin(), blocks.end());
    return file;
}

// A compressed block of page `number` filled with `value`.
Bytes FilledBlock(uint8_t number, uint8_t value) {
    Bytes block{0, 0, number};
    for (int run = 0; run < 64; ++run) block.insert(block.end(), {0xED, 0xED, 0x00, value});
    Put16(block, 0, uint16_t(block.size() - 3));
    return block;
}

TEST(Z80Format, Version1WithFlags255IsReadAsFlags1) {
    Bytes file = Z80Header(0x8000, 0xFF);
    file.resize(30 + 3 * 0x4000, 0x11);  // uncompressed
    MachineSlot slot;
    TSp& machine = TSnapZ80().Load(file, slot.Selector());
    EXPECT_EQ(machine.ModelIndex, 1);
    EXPECT_EQ(machine.cpu.R(), 0xFF);
    EXPECT_EQ(machine.LastFE, 0);
    EXPECT_EQ(machine.cpu.PC.w, 0x8000);
    EXPECT_EQ(machine.cpu.A(), 0x12);
    EXPECT_EQ(machine.cpu.F(), 0x34);
    EXPECT_EQ(machine.cpu.ProgramAF_(), 0x5678);
    EXPECT_EQ(machine.cpu.IM, 2);
    EXPECT_EQ(machine.cpu.IFF2, 1);
    EXPECT_EQ(machine.cpu.ReadByteFree(0xFFFF), 0x11);
    // The preview takes it as uncompressed too.
    const Bytes code{0xED, 0xED, 0x03, 0x22};
    std::copy(code.begin(), code.end(), file.begin() + 30);
    EXPECT_EQ(TSnapZ80().Preview(file).Screen[1], 0xED);
}

TEST(Z80Format, Version1CompressedImageFillsTheThreeThirds) {
    Bytes file = Z80Header(0x8000, 0x20 | (3 << 1));
    for (int i = 0; i < 3 * 64; ++i) file.insert(file.end(), {0xED, 0xED, 0x00, uint8_t(i / 64 + 1)});
    file.insert(file.end(), {0x00, 0xED, 0xED, 0x00});  // the end marker is not needed
    MachineSlot slot;
    TSp& machine = TSnapZ80().Load(file, slot.Selector());
    EXPECT_EQ(machine.screen.BorderColour, 3);
    EXPECT_EQ(machine.RamPage(5)[0], 1);
    EXPECT_EQ(machine.RamPage(2)[0x3FFF], 2);
    EXPECT_EQ(machine.RamPage(0)[0], 3);
}

TEST(Z80Format, HardwareModeDecidesTheModelByVersion) {
    const auto model = [](uint16_t extra, uint8_t mode) { return TSnapZ80().Parse(Z80Paged(extra, mode, {})).ModelIndex; };
    EXPECT_EQ(model(23, 2), 1);
    EXPECT_EQ(model(23, 3), 4);
    EXPECT_EQ(model(54, 3), 1);
    EXPECT_EQ(model(55, 3), 1);
    EXPECT_EQ(model(55, 4), 4);
    EXPECT_EQ(model(55, 13), 4);
}

TEST(Z80Format, BlocksGoToTheirPagesOnBothModels) {
    Bytes blocks48;
    for (const uint8_t number : {8, 4, 5, 0}) {
        const Bytes block = FilledBlock(number, uint8_t(0x80 + number));
        blocks48.insert(blocks48.end(), block.begin(), block.end());
    }
    MachineSlot slot;
    TSp& m48 = TSnapZ80().Load(Z80Paged(23, 0, blocks48), slot.Selector());
    EXPECT_EQ(m48.RamPage(5)[100], 0x88);
    EXPECT_EQ(m48.RamPage(2)[100], 0x84);
    EXPECT_EQ(m48.RamPage(0)[100], 0x85);
    EXPECT_EQ(m48.RomPage(0)[100], 0x80);  // a ROM block replaces the ROM
    EXPECT_EQ(m48.cpu.PC.w, 0xABCD);
    EXPECT_EQ(m48.Ay.AySelected, 7u);
    EXPECT_EQ(m48.Ay.AyRegs[12], 12);

    Bytes blocks128 = FilledBlock(3 + 6, 0x66);
    const Bytes raw7 = [] {
        Bytes block{0xFF, 0xFF, 3 + 7};
        block.resize(3 + 0x4000, 0x77);
        return block;
    }();
    blocks128.insert(blocks128.end(), raw7.begin(), raw7.end());
    TSp& m128 = TSnapZ80().Load(Z80Paged(23, 3, blocks128, 0x16), slot.Selector());
    EXPECT_EQ(m128.ModelIndex, 4);
    EXPECT_EQ(m128.Port7FFD, 0x16);
    EXPECT_EQ(m128.cpu.ReadByteFree(0xC000), 0x66);
    EXPECT_EQ(m128.RamPage(7)[0x3FFF], 0x77);
}

TEST(Z80Format, ALaterBlockOfTheSamePageReplacesTheEarlierOne) {
    Bytes blocks;
    for (int copy = 0; copy < 100; ++copy) {
        const Bytes block = FilledBlock(8, uint8_t(copy));
        blocks.insert(blocks.end(), block.begin(), block.end());
    }
    const SnapshotImage image = TSnapZ80().Parse(Z80Paged(23, 0, blocks));
    ASSERT_EQ(image.Pages.size(), 1u);  // the image never holds more than the machine's pages
    EXPECT_EQ(image.Pages[0].Page, 5);
    EXPECT_EQ(image.Pages[0].Bytes[0], 99);
}

TEST(Z80Format, Version3CountersBecomeATStateWithinTheFrame) {
    // The frame starts with the high counter at 3 and the low one at the top of its quarter.
    EXPECT_EQ(Z80CountersToFrameTStates(17471, 3, 69888), 0);
    EXPECT_EQ(Z80CountersToFrameTStates(17471, 0, 69888), 17472);
    EXPECT_EQ(Z80CountersToFrameTStates(0, 2, 69888), 69887);
    EXPECT_EQ(Z80CountersToFrameTStates(0, 2, 70908), 70907);
    EXPECT_EQ(Z80CountersToFrameTStates(17472, 3, 69888), std::nullopt);
    EXPECT_EQ(Z80CountersToFrameTStates(0, 4, 69888), std::nullopt);

    Bytes file = Z80Paged(55, 0, {});
    Put16(file, 55, 100);
    file[57] = 1;
    const SnapshotImage image = TSnapZ80().Parse(file);
    ASSERT_TRUE(image.FrameTStates);
    EXPECT_EQ(*image.FrameTStates, 2 * 17472 + 17471 - 100);
    // Nonsense counters leave the frame position at its reset value.
    file[57] = 0xC0;
    MachineSlot slot;
    EXPECT_EQ(TSnapZ80().Load(file, slot.Selector()).cpu.FrameTStates, 0);
}

TEST(Z80Format, DamagedFilesAreFormatErrors) {
    ExpectRefused<TSnapZ80>(Bytes(29), "short main header");
    ExpectRefused<TSnapZ80>(Z80Paged(22, 0, {}), "extra header below version 2");
    Bytes shortExtra = Z80Paged(55, 0, {});
    shortExtra.resize(60);
    ExpectRefused<TSnapZ80>(shortExtra, "extra header cut");
    Bytes block = FilledBlock(8, 1);
    ExpectRefused<TSnapZ80>(Z80Paged(23, 0, Bytes(block.begin(), block.end() - 1)), "block cut");
    block = FilledBlock(8, 1);
    block.erase(block.end() - 4, block.end());  // codes 16128 bytes only
    Put16(block, 0, uint16_t(block.size() - 3));
    ExpectRefused<TSnapZ80>(Z80Paged(23, 0, block), "block codes too few bytes");
    ExpectRefused<TSnapZ80>(Z80Paged(23, 0, {0xFF, 0xFF, 8, 1, 2}), "raw block cut");
    ExpectRefused<TSnapZ80>(Z80Paged(23, 0, {5, 0}), "stray bytes after the blocks");
    Bytes v1 = Z80Header(0x8000, 0x20);
    v1.insert(v1.end(), {0xED, 0xED, 0x00, 1});
    ExpectRefused<TSnapZ80>(v1, "compressed version 1 image cut");
    Bytes v1raw = Z80Header(0x8000, 0);
    v1raw.resize(30 + 0xBFFF);
    ExpectRefused<TSnapZ80>(v1raw, "uncompressed version 1 image cut");
}

TEST(Z80Format, PreviewFindsThePage8BlockAndNamesVersionAndModel) {
    Bytes blocks = FilledBlock(4, 0x44);
    const Bytes screen = FilledBlock(8, 0x38);
    blocks.insert(blocks.end(), screen.begin(), screen.end());
    SnapshotPreview preview = TSnapZ80().Preview(Z80Paged(23, 0, blocks));
    EXPECT_EQ(preview.Description, "v==2.01,48Kb");
    EXPECT_EQ(preview.Screen[6911], 0x38);
    EXPECT_EQ(TSnapZ80().Preview(Z80Paged(55, 4, screen)).Description, "v>=3.0x,128Kb");
    EXPECT_EQ(TSnapZ80().Preview(Z80Paged(55, 3, screen)).Description, "v>=3.0x,48Kb");

    Bytes v1 = Z80Header(0x8000, 0);
    v1.resize(30 + 3 * 0x4000, 0x21);
    preview = TSnapZ80().Preview(v1);
    EXPECT_EQ(preview.Description, "v<=1.45,48Kb");
    EXPECT_EQ(preview.Screen[0], 0x21);

    EXPECT_THROW(TSnapZ80().Preview(Z80Paged(23, 0, FilledBlock(4, 0))), SnapshotError);
}

// --- SP --------------------------------------------------------------------------

TEST(SpFormat, Im0IsSavedAsIm1AndIff2FollowsIff1) {
    auto source = MadeUpMachine(1);
    MakeBusy(*source);
    source->cpu.IM = 0;
    source->cpu.IFF2 = 0;
    const Bytes file = TSnapSP().Save(*source);
    ASSERT_EQ(file.size(), 38u + 3 * 0x4000);
    EXPECT_EQ(file[36], 1);  // IFF1, IM 1
    MachineSlot slot;
    TSp& machine = TSnapSP().Load(file, slot.Selector());
    EXPECT_EQ(machine.cpu.IM, 1);
    EXPECT_EQ(machine.cpu.IFF2, 1);
}

TEST(SpFormat, ABorderByteAbove7KeepsItsFullValueInLastFE) {
    Bytes file = TSnapSP().Save(*MadeUpMachine(1));
    file[34] = 0x1C;
    MachineSlot slot;
    TSp& machine = TSnapSP().Load(file, slot.Selector());
    EXPECT_EQ(machine.LastFE, 0x1C);
    EXPECT_EQ(machine.screen.BorderColour, 4);
}

TEST(SpFormat, ABadHeaderOrShortFileIsRefusedBeforeTheModelSwitch) {
    const Bytes good = TSnapSP().Save(*MadeUpMachine(1));
    Bytes file = good;
    Put16(file, 4, 0x8000);
    ExpectRefused<TSnapSP>(file, "location");
    EXPECT_THROW(TSnapSP().Preview(file), SnapshotError);
    file = good;
    file[1] = 'Q';
    ExpectRefused<TSnapSP>(file, "signature");
    file = good;
    Put16(file, 2, 0x4000);
    ExpectRefused<TSnapSP>(file, "length");
    ExpectRefused<TSnapSP>(Bytes(good.begin(), good.end() - 1), "short");
    ExpectRefused<TSnapSP>(Bytes(good.begin(), good.begin() + 5), "header cut");
    EXPECT_EQ(TSnapSP().Preview(good).Description, "48Kb");
}

// --- FSU -------------------------------------------------------------------------

// Offset of the chunk's tag, walking the chunks after the 16-byte header.
size_t ChunkAt(const Bytes& file, std::string_view tag) {
    size_t offset = 16;
    while (offset + 8 <= file.size()) {
        if (std::string_view(reinterpret_cast<const char*>(&file[offset]), 4) == tag) return offset;
        offset += 8 + (file[offset + 4] | file[offset + 5] << 8 | file[offset + 6] << 16 | size_t(file[offset + 7]) << 24);
    }
    return std::string::npos;
}

Bytes PortChunk(const Bytes& file) {
    const size_t at = ChunkAt(file, "PORT");
    EXPECT_NE(at, std::string::npos);
    return Bytes(file.begin() + std::ptrdiff_t(at + 8), file.end());
}

Bytes SavedFsu(int model, MachineOptions options = {}) {
    auto machine = CreateMachine(model, AllMadeUpRoms(), options);
    MakeBusy(*machine);
    return TSnapFSU().Save(*machine);
}

TEST(FsuFormat, TheScorpionKeeps7FFDAfterIts1FFDEntry) {
    const Bytes file = SavedFsu(17);
    EXPECT_EQ(PortChunk(file), (Bytes{0xFE, 0x00, 0x05, 0xFD, 0x1F, 0x10, 0xFD, 0x7F, 0x3B}));
    MachineSlot slot;
    TSp& machine = TSnapFSU().Load(file, slot.Selector());
    EXPECT_EQ(machine.Port7FFD, 0x3B);
    EXPECT_EQ(machine.Port1FFD, 0x10);
    EXPECT_EQ(machine.cpu.ReadPages[3], machine.RamPage(11).data());
}

TEST(FsuFormat, PortEntriesComeInTheirOrderAndAreReadByPortNumber) {
    const Bytes pentagon = SavedFsu(15);
    EXPECT_EQ(PortChunk(pentagon), (Bytes{0xFE, 0x00, 0x05, 0xFD, 0x7F, 0x3B, 0xFD, 0x1F, 0x00}));
    Bytes plus3 = SavedFsu(9);
    ASSERT_EQ(PortChunk(plus3), (Bytes{0xFE, 0x00, 0x05, 0xFD, 0x7F, 0x3B, 0xFD, 0x1F, 0x04}));
    // The same entries in another order load the same paging.
    const size_t entries = ChunkAt(plus3, "PORT") + 8;
    const Bytes shuffled{0xFD, 0x1F, 0x04, 0xFE, 0x00, 0x05, 0xFD, 0x7F, 0x3B};
    std::copy(shuffled.begin(), shuffled.end(), plus3.begin() + std::ptrdiff_t(entries));
    MachineSlot slot;
    TSp& machine = TSnapFSU().Load(plus3, slot.Selector());
    EXPECT_EQ(machine.Port7FFD, 0x3B);
    EXPECT_EQ(machine.Port1FFD, 0x04);
    EXPECT_EQ(machine.LastFE, 0x05);
    EXPECT_EQ(machine.cpu.ReadPages[0], machine.RomPage(3).data());
}

TEST(FsuFormat, ThePentagonsUnlockedPagingSurvivesIts1FFDEntry) {
    // The Pentagon's paging port also answers at 0x1FFD: that entry must not
    // overwrite the 0x7FFD value.
    auto source = MadeUpMachine(15);
    source->OutPort(0x7FFD, 0x13);
    MachineSlot slot;
    TSp& machine = TSnapFSU().Load(TSnapFSU().Save(*source), slot.Selector());
    EXPECT_EQ(machine.Port7FFD, 0x13);
    EXPECT_EQ(machine.cpu.ReadPages[3], machine.RamPage(3).data());
}

TEST(FsuFormat, AScorpionFileWithout7FFDStillLoads) {
    Bytes file = SavedFsu(17);
    const size_t port = ChunkAt(file, "PORT");
    file.resize(file.size() - 3);
    file[port + 4] = 6;
    MachineSlot slot;
    TSp& machine = TSnapFSU().Load(file, slot.Selector());
    EXPECT_EQ(machine.Port7FFD, 0);
    EXPECT_EQ(machine.Port1FFD, 0x10);
}

TEST(FsuFormat, TheAyChunkIsThereOnlyWhenTheModelHasAnAy) {
    EXPECT_EQ(ChunkAt(SavedFsu(1, {.AyIn48 = false}), "AY  "), std::string::npos);
    EXPECT_NE(ChunkAt(SavedFsu(1, {.AyIn48 = true}), "AY  "), std::string::npos);
    EXPECT_NE(ChunkAt(SavedFsu(4), "AY  "), std::string::npos);
}

TEST(FsuFormat, MachineTagsNameEveryModelAndTheSpanishPentagonReadsEitherWay) {
    Bytes file = SavedFsu(16);
    EXPECT_EQ(std::string(file.begin() + 8, file.begin() + 16), "CLONPE_e");
    MachineSlot slot;
    EXPECT_EQ(TSnapFSU().Load(file, slot.Selector()).ModelIndex, 16);
    file[15] = 'E';
    EXPECT_EQ(TSnapFSU().Load(file, slot.Selector()).ModelIndex, 16);
    EXPECT_EQ(TSnapFSU().Preview(SavedFsu(7)).Description, "+2 Español");
    file[8] = 'X';
    ExpectRefused<TSnapFSU>(file, "unknown maker");
    file = SavedFsu(1);
    std::memcpy(&file[12], "+2  ", 4);  // a model of another maker
    ExpectRefused<TSnapFSU>(file, "model not under its maker");
}

TEST(FsuFormat, PreviewOfA128KFileShowsPage5) {
    auto machine = MadeUpMachine(4);
    MakeBusy(*machine);
    const SnapshotPreview preview = TSnapFSU().Preview(TSnapFSU().Save(*machine));
    EXPECT_EQ(preview.Description, "128 Kb");
    EXPECT_TRUE(std::equal(preview.Screen.begin(), preview.Screen.end(), machine->RamPage(5).begin()));
}

TEST(FsuFormat, DamagedFilesAreFormatErrors) {
    const Bytes good = SavedFsu(4);
    const size_t z80 = ChunkAt(good, "Z80 "), ram = ChunkAt(good, "RAM "), port = ChunkAt(good, "PORT");
    Bytes file = good;
    file[z80 + 8 + 33] = 0x20;  // T-state 0x2000xxxx
    ExpectRefused<TSnapFSU>(file, "T-state outside the frame");
    file[z80 + 8 + 33] = 0x80;
    ExpectRefused<TSnapFSU>(file, "negative T-state");
    file[z80 + 8 + 33] = 0x00;
    file[z80 + 8 + 32] = 0x01;
    file[z80 + 8 + 31] = 0x15;  // 70912: past the 128K frame of 70908
    file[z80 + 8 + 30] = 0x00;
    ExpectRefused<TSnapFSU>(file, "T-state just past the frame");
    file = good;
    file[0] = 'X';
    ExpectRefused<TSnapFSU>(file, "signature");
    file = good;
    file[ram + 8 + 40] ^= 0xFF;
    ExpectRefused<TSnapFSU>(file, "damaged zlib stream");
    file = good;
    file[ram + 7] = 0x10;  // RAM length past the end
    ExpectRefused<TSnapFSU>(file, "chunk length past the end");
    EXPECT_THROW(TSnapFSU().Preview(file), SnapshotError);
    ExpectRefused<TSnapFSU>(Bytes(good.begin(), good.begin() + std::ptrdiff_t(port)), "no PORT chunk");
    file = good;
    file[port + 4] = 8;
    file.resize(file.size() - 1);
    ExpectRefused<TSnapFSU>(file, "partial port entry");
    file = good;
    file.push_back(0);
    ExpectRefused<TSnapFSU>(file, "stray byte");
    // A RAM chunk whose stream is shorter than the model's RAM.
    auto small = MadeUpMachine(1);
    const Bytes small48 = TSnapFSU().Save(*small);
    const size_t smallRam = ChunkAt(small48, "RAM ");
    file = Bytes(good.begin(), good.begin() + std::ptrdiff_t(ram));
    file.insert(file.end(), small48.begin() + std::ptrdiff_t(smallRam), small48.end());
    ExpectRefused<TSnapFSU>(file, "RAM of a 48K in a 128K file");
}

}  // namespace
}  // namespace tarvolinde::test
