// Snapshots made by other programs (the shared test corpus): each loads on the
// model it names, with the registers its header holds, and runs.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "snapshot_test_support.h"

namespace tarvolinde::test {
namespace {

using Bytes = std::vector<uint8_t>;

uint16_t Word(const Bytes& file, size_t offset) { return uint16_t(file[offset] | file[offset + 1] << 8); }

// What the file's header says, read here without the loaders.
struct Expected {
    int model = 1;
    uint16_t af = 0, bc = 0, de = 0, hl = 0, ix = 0, iy = 0, sp = 0, pc = 0;
    uint16_t af2 = 0, bc2 = 0, de2 = 0, hl2 = 0;
    uint8_t i = 0, r = 0, im = 0, iff1 = 0, border = 0;
};

Expected FromSna(const Bytes& file, const Bytes& rom48) {
    Expected e;
    e.i = file[0];
    e.hl2 = Word(file, 1), e.de2 = Word(file, 3), e.bc2 = Word(file, 5), e.af2 = Word(file, 7);
    e.hl = Word(file, 9), e.de = Word(file, 11), e.bc = Word(file, 13), e.iy = Word(file, 15), e.ix = Word(file, 17);
    e.iff1 = (file[19] >> 2) & 1;
    e.r = file[20];
    e.af = Word(file, 21);
    e.sp = Word(file, 23);
    e.im = file[25];
    e.border = file[26] & 7;
    if (file.size() == 49179) {
        // PC is on the stack; the stack may lie in the ROM.
        const auto at = [&](uint16_t address) { return address < 0x4000 ? rom48[address] : file[27 + address - 0x4000u]; };
        e.pc = uint16_t(at(e.sp) | at(uint16_t(e.sp + 1)) << 8);
        e.sp = uint16_t(e.sp + 2);
    } else {
        e.model = 4;
        e.pc = Word(file, 49179);
    }
    return e;
}

Expected FromZ80(const Bytes& file) {
    Expected e;
    e.af = uint16_t(file[0] << 8 | file[1]);
    e.bc = Word(file, 2), e.hl = Word(file, 4), e.pc = Word(file, 6), e.sp = Word(file, 8);
    e.i = file[10];
    const uint8_t flags = file[12] == 255 ? 1 : file[12];
    e.r = uint8_t((file[11] & 0x7F) | (flags & 1) << 7);
    e.border = (flags >> 1) & 7;
    e.de = Word(file, 13), e.bc2 = Word(file, 15), e.de2 = Word(file, 17), e.hl2 = Word(file, 19);
    e.af2 = uint16_t(file[21] << 8 | file[22]);
    e.iy = Word(file, 23), e.ix = Word(file, 25);
    e.iff1 = file[27] != 0;
    e.im = file[29] & 3;
    if (e.pc == 0) {
        e.pc = Word(file, 32);
        const uint16_t extra = Word(file, 30);
        const uint8_t mode = file[34];
        e.model = (extra == 23 ? mode >= 3 : mode >= 4) ? 4 : 1;
    }
    return e;
}

Expected FromSp(const Bytes& file) {
    Expected e;
    e.bc = Word(file, 6), e.de = Word(file, 8), e.hl = Word(file, 10), e.af = Word(file, 12);
    e.ix = Word(file, 14), e.iy = Word(file, 16);
    e.bc2 = Word(file, 18), e.de2 = Word(file, 20), e.hl2 = Word(file, 22), e.af2 = Word(file, 24);
    e.r = file[26], e.i = file[27], e.sp = Word(file, 28), e.pc = Word(file, 30);
    e.border = file[34] & 7;
    e.iff1 = file[36] & 1;
    e.im = (file[36] & 2) ? 2 : 1;
    return e;
}

class RealSnapshot : public testing::TestWithParam<const char*> {};

TEST_P(RealSnapshot, LoadsOnItsModelWithItsRegistersAndRuns) {
    const std::string name = GetParam();
    const auto file = ReadCorpusFile("snapshots/" + name);
    if (!file) GTEST_SKIP() << "snapshots/" << name << " not found in " << TESTDATA_DIR;
    const auto rom48 = CorpusRoms()("48.rom");
    if (!rom48 || !CorpusHas("128.rom")) GTEST_SKIP() << "48.rom or 128.rom not found in " << RomDir();

    const SnapshotKind kind = *SnapshotKindOf(name);
    const Expected e = kind == SnapshotKind::Sna ? FromSna(*file, *rom48)
                       : kind == SnapshotKind::Z80 ? FromZ80(*file)
                                                   : FromSp(*file);
    MachineSlot slot(CorpusRoms());
    TSp& machine = MakeSnapshot(kind)->Load(*file, slot.Selector());
    const Z80& cpu = machine.cpu;
    EXPECT_EQ(machine.ModelIndex, e.model);
    EXPECT_EQ(cpu.ProgramAF(), e.af);
    EXPECT_EQ(cpu.BC.w, e.bc);
    EXPECT_EQ(cpu.DE.w, e.de);
    EXPECT_EQ(cpu.HL.w, e.hl);
    EXPECT_EQ(cpu.ProgramAF_(), e.af2);
    EXPECT_EQ(cpu.BC_.w, e.bc2);
    EXPECT_EQ(cpu.DE_.w, e.de2);
    EXPECT_EQ(cpu.HL_.w, e.hl2);
    EXPECT_EQ(cpu.IX.w, e.ix);
    EXPECT_EQ(cpu.IY.w, e.iy);
    EXPECT_EQ(cpu.SP.w, e.sp);
    EXPECT_EQ(cpu.PC.w, e.pc);
    EXPECT_EQ(cpu.I, e.i);
    EXPECT_EQ(cpu.R(), e.r);
    EXPECT_EQ(cpu.IM, e.im);
    EXPECT_EQ(cpu.IFF1, e.iff1);
    EXPECT_EQ(machine.screen.BorderColour, e.border);
    if (e.model == 4 && kind != SnapshotKind::Sp) {
        const uint8_t port = kind == SnapshotKind::Sna ? (*file)[49181] : (*file)[35];
        EXPECT_EQ(machine.Port7FFD, port);
    }

    for (int frame = 0; frame < 500; ++frame) machine.RunFrame();
    EXPECT_GT(AddressesRunInOneFrame(machine).size(), 1u) << "the processor is stuck at " << cpu.PC.w;
}

TEST_P(RealSnapshot, CutByOneByteIsAFormatError) {
    const std::string name = GetParam();
    const auto file = ReadCorpusFile("snapshots/" + name);
    if (!file) GTEST_SKIP() << "snapshots/" << name << " not found in " << TESTDATA_DIR;
    // A compressed version 1 image ends with a marker that the reader does not need.
    if (name == "gen_p48k_v1.z80") GTEST_SKIP() << "its last byte is not needed";
    const Bytes cut(file->begin(), file->end() - 1);
    MachineSlot slot(AllMadeUpRoms());
    EXPECT_THROW(MakeSnapshot(*SnapshotKindOf(name))->Load(cut, slot.Selector()), SnapshotError);
    EXPECT_EQ(slot.switches, 0);
}

TEST_P(RealSnapshot, PreviewShowsTheScreenTheLoadPutsInPage5) {
    const std::string name = GetParam();
    const auto file = ReadCorpusFile("snapshots/" + name);
    if (!file) GTEST_SKIP() << "snapshots/" << name << " not found in " << TESTDATA_DIR;
    const auto format = MakeSnapshot(*SnapshotKindOf(name));
    const SnapshotPreview preview = format->Preview(*file);
    MachineSlot slot(AllMadeUpRoms());
    TSp& machine = format->Load(*file, slot.Selector());
    EXPECT_TRUE(std::equal(preview.Screen.begin(), preview.Screen.end(), machine.RamPage(5).begin()));
    EXPECT_FALSE(preview.Description.empty());
}

INSTANTIATE_TEST_SUITE_P(Corpus, RealSnapshot,
                         testing::Values("p48k.sna", "p128.sna", "sp-2000.sna", "sp-ffff.sna", "p48k.sp",
                                         "empty.z80", "gen_p48k_v1.z80", "gen_p48k_v1_uncompressed.z80",
                                         "hires128.z80", "kempston_mouse_interface_driver.z80", "p128.z80",
                                         "p16k.z80", "p48k.z80", "plus3.z80", "pplus2a40.z80"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

}  // namespace
}  // namespace tarvolinde::test
