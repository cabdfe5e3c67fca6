// Snapshots made by other programs (the shared test corpus): each loads on the
// model it names, with the registers its header holds, and runs.

#include <gtest/gtest.h>

#include <string>

#include "snapshot_test_support.h"
#include "tests/tape/tape_test_support.h"

namespace tarvolinde::test {
namespace {

uint16_t Word(const Bytes& file, size_t offset) { return uint16_t(file[offset] | file[offset + 1] << 8); }

// What the file's header says, read here without the loaders.
struct Expected {
    int model = 1;
    uint16_t af = 0, bc = 0, de = 0, hl = 0, ix = 0, iy = 0, sp = 0, pc = 0;
    uint16_t af2 = 0, bc2 = 0, de2 = 0, hl2 = 0;
    uint8_t i = 0, r = 0, im = 0, iff1 = 0, border = 0;
    bool operator==(const Expected&) const = default;
};

Expected Actual(const TSp& machine) {
    const Z80& c = machine.cpu;
    return {machine.ModelIndex, c.ProgramAF(), c.BC.w, c.DE.w, c.HL.w, c.IX.w, c.IY.w, c.SP.w, c.PC.w,
            c.ProgramAF_(), c.BC_.w, c.DE_.w, c.HL_.w, c.I, uint8_t(c.R()), uint8_t(c.IM), uint8_t(c.IFF1),
            uint8_t(machine.screen.BorderColour)};
}

Expected FromSna(const Bytes& file, const Bytes& rom48) {
    Expected e{.i = file[0], .r = file[20], .im = file[25], .iff1 = uint8_t(file[19] >> 2 & 1), .border = uint8_t(file[26] & 7)};
    e.hl2 = Word(file, 1), e.de2 = Word(file, 3), e.bc2 = Word(file, 5), e.af2 = Word(file, 7);
    e.hl = Word(file, 9), e.de = Word(file, 11), e.bc = Word(file, 13), e.iy = Word(file, 15), e.ix = Word(file, 17);
    e.af = Word(file, 21), e.sp = Word(file, 23);
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
    e.iff1 = file[27] != 0, e.im = file[29] & 3;
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
    e.border = file[34] & 7, e.iff1 = file[36] & 1, e.im = (file[36] & 2) ? 2 : 1;
    return e;
}

class RealSnapshot : public testing::TestWithParam<const char*> {};

TEST_P(RealSnapshot, LoadsOnItsModelWithItsRegistersAndScreenAndRunsButNotWhenCut) {
    const std::string name = GetParam();
    const auto file = ReadTestFile(TESTDATA_DIR "/snapshots/" + name);
    if (!file) GTEST_SKIP() << "snapshots/" << name << " not found in " << TESTDATA_DIR;
    const auto rom48 = CorpusRoms()("48.rom");
    if (!rom48 || !CorpusHas("128.rom")) GTEST_SKIP() << "48.rom or 128.rom not found in " << RomDir();

    const SnapshotKind kind = *SnapshotKindOf(name);
    const Expected e = kind == SnapshotKind::Sna ? FromSna(*file, *rom48)
                       : kind == SnapshotKind::Z80 ? FromZ80(*file)
                                                   : FromSp(*file);
    const auto format = MakeSnapshot(kind);
    const SnapshotPreview preview = format->Preview(*file);
    MachineSlot slot{CorpusRoms(), nullptr, 0};
    TSp& machine = format->Load(*file, slot.Selector());
    EXPECT_EQ(Actual(machine), e);
    if (e.model == 4 && kind != SnapshotKind::Sp) { EXPECT_EQ(machine.Port7FFD, (*file)[kind == SnapshotKind::Sna ? 49181 : 35]); }
    EXPECT_TRUE(std::equal(preview.Screen.begin(), preview.Screen.end(), machine.RamPage(5).begin()));

    for (int frame = 0; frame < 500; ++frame) machine.RunFrame();
    EXPECT_GT(AddressesRunInOneFrame(machine).size(), 1u) << "the processor is stuck at " << machine.cpu.PC.w;

    // Cut by a byte, it is refused; but a compressed version 1 image ends with
    // a marker that the reader does not need.
    if (name == "gen_p48k_v1.z80") return;
    MachineSlot cutSlot;
    EXPECT_THROW(format->Load(std::span(*file).first(file->size() - 1), cutSlot.Selector()), SnapshotError);
    EXPECT_EQ(cutSlot.switches, 0);
}

INSTANTIATE_TEST_SUITE_P(Corpus, RealSnapshot,
                         testing::Values("p48k.sna", "p128.sna", "sp-2000.sna", "sp-ffff.sna", "p48k.sp",
                                         "empty.z80", "gen_p48k_v1.z80", "gen_p48k_v1_uncompressed.z80",
                                         "hires128.z80", "kempston_mouse_interface_driver.z80", "p128.z80",
                                         "p16k.z80", "p48k.z80", "plus3.z80", "pplus2a40.z80"),
                         [](const auto& info) { return FileTestName(info.param); });

}  // namespace
}  // namespace tarvolinde::test
