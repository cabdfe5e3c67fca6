// Which RAM and ROM pages each class maps into the four 16 KB slots, and which
// screen page it shows, after writes to its paging ports.

#include <gtest/gtest.h>

#include <array>

#include "machine_test_support.h"

namespace tarvolinde::test {
namespace {

constexpr int kModel16K = 0, kModel128 = 4, kModelPlus3 = 9, kModelPlus2A = 11, kModelPentagon = 15,
              kModelScorpion = 17;

// Marks the first byte of every RAM page with 0x10 + its number.
void MarkRamPages(TSp& machine) {
    for (int page = 0; page < kRamPages; ++page) machine.RamPage(page)[0] = uint8_t(0x10 + page);
}

// What slot 0 shows: 0xC0 + n for ROM page n (MarkedRom), 0x10 + n for RAM page n.
std::array<uint8_t, 4> SlotMarks(const TSp& machine) {
    std::array<uint8_t, 4> marks{};
    for (int slot = 0; slot < 4; ++slot) marks[slot] = machine.cpu.ReadByteFree(uint16_t(slot * 0x4000));
    return marks;
}

bool ShowsPage(const TSp& machine, int page) { return machine.ScreenPage() == machine.RamPage(page).data(); }

TEST(Paging, The48KLayoutSendsRomWritesToTheSink) {
    auto machine = MadeUpMachine(kModel48K);
    MarkRamPages(*machine);
    EXPECT_EQ(SlotMarks(*machine), (std::array<uint8_t, 4>{0xC0, 0x15, 0x12, 0x10}));
    EXPECT_EQ(machine->cpu.PageContended, (std::array<uint8_t, 4>{0, 1, 0, 0}));
    EXPECT_TRUE(ShowsPage(*machine, 5));

    machine->cpu.WriteByteFree(0x0010, 0x77);
    EXPECT_EQ(machine->cpu.ReadByteFree(0x0010), 0xC0);
    EXPECT_EQ(machine->RomWriteSink()[0x10], 0x77);
    // The 48K has no paging port.
    machine->OutPort(0x7FFD, 0x17);
    EXPECT_EQ(SlotMarks(*machine), (std::array<uint8_t, 4>{0xC0, 0x15, 0x12, 0x10}));
}

TEST(Paging, The16KReadsFFAboveItsRamButTakesWrites) {
    auto machine = MadeUpMachine(kModel16K);
    EXPECT_EQ(machine->RamKb, 16u);
    machine->cpu.WriteByteFree(0x4000, 0x12);
    EXPECT_EQ(machine->cpu.ReadByteFree(0x4000), 0x12);
    for (uint16_t address : {0x8000, 0x9234, 0xC000, 0xFFFF}) {
        machine->cpu.WriteByteFree(address, 0x34);
        EXPECT_EQ(machine->cpu.ReadByteFree(address), 0xFF) << address;
    }
    EXPECT_EQ(machine->RamPage(2)[0], 0x34);
    EXPECT_EQ(machine->RamPage(0)[0], 0x34);
    // A program sees it too.
    Poke(*machine, 0x4000, {0x3A, 0x00, 0x80});  // LD A,(0x8000)
    machine->cpu.PC.w = 0x4000;
    Step(*machine);
    EXPECT_EQ(machine->cpu.A(), 0xFF);
}

TEST(Paging, The128KPort7FFD) {
    auto machine = MadeUpMachine(kModel128);
    MarkRamPages(*machine);
    for (int page = 0; page < 8; ++page) {
        machine->OutPort(0x7FFD, uint8_t(page));
        EXPECT_EQ(SlotMarks(*machine), (std::array<uint8_t, 4>{0xC0, 0x15, 0x12, uint8_t(0x10 + page)}));
        EXPECT_EQ(machine->cpu.PageContended[3], page & 1) << "odd pages are contended on the 128K";
        machine->cpu.WriteByteFree(0xC001, uint8_t(page));
        EXPECT_EQ(machine->RamPage(page)[1], page);
    }
    machine->OutPort(0x7FFD, 0x18);
    EXPECT_EQ(SlotMarks(*machine)[0], 0xC1);
    EXPECT_TRUE(ShowsPage(*machine, 7));
    machine->OutPort(0x7FFD, 0x00);
    EXPECT_EQ(SlotMarks(*machine)[0], 0xC0);
    EXPECT_TRUE(ShowsPage(*machine, 5));

    // Decoded from A1 and A15 only.
    machine->OutPort(0x3FF9, 2);
    EXPECT_EQ(machine->Port7FFD, 2);
    machine->OutPort(0x7FFF, 3);  // A1 set
    machine->OutPort(0xFFFD, 4);  // A15 set: the AY
    EXPECT_EQ(machine->Port7FFD, 2);
}

TEST(Paging, TheLockHoldsUntilReset) {
    auto machine = MadeUpMachine(kModel128);
    machine->OutPort(0x7FFD, 0x23);
    machine->OutPort(0x7FFD, 0x05);
    EXPECT_EQ(machine->Port7FFD, 0x23);
    machine->Reset();
    EXPECT_EQ(machine->Port7FFD, 0);
    machine->OutPort(0x7FFD, 0x05);
    EXPECT_EQ(machine->Port7FFD, 0x05);
}

TEST(Paging, The128KReadingThePagingPortWritesFF) {
    auto machine = MadeUpMachine(kModel128);
    MarkRamPages(*machine);
    machine->InPort(0x7FFD);
    EXPECT_EQ(machine->Port7FFD, 0xFF);
    EXPECT_EQ(SlotMarks(*machine), (std::array<uint8_t, 4>{0xC1, 0x15, 0x12, 0x17}));
    EXPECT_TRUE(ShowsPage(*machine, 7));
    machine->OutPort(0x7FFD, 0);
    EXPECT_EQ(machine->Port7FFD, 0xFF);
}

TEST(Paging, SwitchingTheScreenMidFrameLatchesTheOldPageFirst) {
    auto machine = MadeUpMachine(kModel128);
    std::fill(machine->RamPage(5).begin(), machine->RamPage(5).end(), uint8_t(0xAA));
    std::fill(machine->RamPage(7).begin(), machine->RamPage(7).end(), uint8_t(0x55));
    machine->cpu.ContentionActive = 1;
    machine->cpu.FrameTStates = 14364 + 96 * 228;  // half way down the screen
    machine->OutPort(0x7FFD, 0x08);
    machine->cpu.FrameTStates = 58140;
    machine->CaptureScreen();
    EXPECT_EQ(machine->screen.PixelLatch[0], 0xAA);
    EXPECT_EQ(machine->screen.PixelLatch[6143], 0x55);

    // The Scorpion switches without latching: the whole frame shows the new page.
    auto scorpion = MadeUpMachine(kModelScorpion);
    std::fill(scorpion->RamPage(5).begin(), scorpion->RamPage(5).end(), uint8_t(0xAA));
    std::fill(scorpion->RamPage(7).begin(), scorpion->RamPage(7).end(), uint8_t(0x55));
    scorpion->cpu.ContentionActive = 1;
    scorpion->cpu.FrameTStates = 14336 + 96 * 224;
    scorpion->OutPort(0x7FFD, 0x08);
    scorpion->cpu.FrameTStates = 57400;
    scorpion->CaptureScreen();
    EXPECT_EQ(scorpion->screen.PixelLatch[0], 0x55);
}

TEST(Paging, PlusThreeNormalModeSelectsOneOfFourRoms) {
    auto machine = MadeUpMachine(kModelPlus3);
    MarkRamPages(*machine);
    const std::array<std::array<uint8_t, 2>, 4> selects{{{0x00, 0x00}, {0x10, 0x00}, {0x00, 0x04}, {0x10, 0x04}}};
    for (int rom = 0; rom < 4; ++rom) {
        machine->OutPort(0x1FFD, selects[rom][1]);
        machine->OutPort(0x7FFD, uint8_t(selects[rom][0] | 6));
        EXPECT_EQ(SlotMarks(*machine), (std::array<uint8_t, 4>{uint8_t(0xC0 + rom), 0x15, 0x12, 0x16}));
        EXPECT_EQ(machine->cpu.PageContended, (std::array<uint8_t, 4>{0, 1, 0, 1}));
    }
    machine->cpu.WriteByteFree(0x0005, 0x99);
    EXPECT_EQ(machine->cpu.ReadByteFree(0x0005), 0xC3);
}

TEST(Paging, PlusThreeAllRamModes) {
    struct Mode {
        uint8_t port1FFD;
        std::array<uint8_t, 4> marks;
        std::array<uint8_t, 4> contended;
    };
    const Mode modes[] = {
        {0x01, {0x10, 0x11, 0x12, 0x13}, {0, 0, 0, 0}},
        {0x03, {0x14, 0x15, 0x16, 0x17}, {1, 1, 1, 1}},
        {0x05, {0x14, 0x15, 0x16, 0x13}, {1, 1, 1, 0}},
        {0x07, {0x14, 0x17, 0x16, 0x13}, {1, 1, 1, 0}},
    };
    for (int model : {kModelPlus3, kModelPlus2A}) {
        auto machine = MadeUpMachine(model);
        MarkRamPages(*machine);
        for (const Mode& mode : modes) {
            machine->OutPort(0x1FFD, mode.port1FFD);
            EXPECT_EQ(SlotMarks(*machine), mode.marks) << int(mode.port1FFD);
            EXPECT_EQ(machine->cpu.PageContended, mode.contended) << int(mode.port1FFD);
            // Slot 0 is RAM now: writes stick.
            machine->cpu.WriteByteFree(0x0001, mode.port1FFD);
            EXPECT_EQ(machine->cpu.ReadByteFree(0x0001), mode.port1FFD);
        }
        // Back to normal mode: 7FFD takes effect again.
        machine->OutPort(0x1FFD, 0x00);
        machine->OutPort(0x7FFD, 0x01);
        EXPECT_EQ(SlotMarks(*machine), (std::array<uint8_t, 4>{0xC0, 0x15, 0x12, 0x11}));
    }
}

TEST(Paging, PlusThreeLockCoversBothPorts) {
    auto machine = MadeUpMachine(kModelPlus3);
    machine->OutPort(0x7FFD, 0x20);
    machine->OutPort(0x1FFD, 0x07);
    machine->OutPort(0x7FFD, 0x03);
    EXPECT_EQ(machine->Port1FFD, 0);
    EXPECT_EQ(machine->Port7FFD, 0x20);
    // On this class a read of 0x7FFD does not page.
    machine->Reset();
    machine->InPort(0x7FFD);
    EXPECT_EQ(machine->Port7FFD, 0);
}

TEST(Paging, PentagonPagesTheTrdosRomThroughPortFFFF) {
    auto machine = MadeUpMachine(kModelPentagon);
    MarkRamPages(*machine);
    machine->OutPort(0x7FFD, 0x13);
    EXPECT_EQ(SlotMarks(*machine), (std::array<uint8_t, 4>{0xC1, 0x15, 0x12, 0x13}));
    machine->OutPort(0xFFFF, 1);
    EXPECT_EQ(machine->cpu.TrdosRomActive, 1);
    EXPECT_EQ(SlotMarks(*machine)[0], 0xC3);
    machine->OutPort(0xFFFF, 0);
    EXPECT_EQ(machine->cpu.TrdosRomActive, 0);
    EXPECT_EQ(SlotMarks(*machine)[0], 0xC1);
    // Paging decoded like the 128K's.
    machine->OutPort(0x3FF9, 0x0C);
    EXPECT_EQ(SlotMarks(*machine), (std::array<uint8_t, 4>{0xC0, 0x15, 0x12, 0x14}));
    EXPECT_TRUE(ShowsPage(*machine, 7));
}

// JP 0x3D00 from RAM. In the made-up ROMs page 3 is all 0xC3 (JP nn), so with the
// TR-DOS ROM paged the code there jumps to 0xC3C3; ROM 0's 0xC0 is RET NZ.
void JumpIntoTrdos(TSp& machine) {
    Poke(machine, 0x8000, {0xC3, 0x00, 0x3D});
    machine.cpu.PC.w = 0x8000;
    machine.cpu.SP.w = 0x9000;
    machine.cpu.F() = 0;  // Z clear: RET NZ returns
    Poke(machine, 0x9000, {0x34, 0x12});
    Step(machine);
    EXPECT_EQ(machine.cpu.PC.w, 0x3D00);
    Step(machine);
}

TEST(Paging, ExecutingAt3DxxPagesTrdosInAndLeavingRomPagesItOut) {
    for (int model : {kModelPentagon, kModelScorpion}) {
        auto machine = MadeUpMachine(model);
        JumpIntoTrdos(*machine);
        EXPECT_EQ(machine->cpu.TrdosRomActive, 1);
        EXPECT_EQ(machine->cpu.PC.w, 0xC3C3);
        Step(*machine);
        EXPECT_EQ(machine->cpu.TrdosRomActive, 0);
        EXPECT_NE(SlotMarks(*machine)[0], 0xC3);
    }
    // Without the TR-DOS interface the 128K runs its own ROM there.
    auto machine = MadeUpMachine(kModel128);
    JumpIntoTrdos(*machine);
    EXPECT_EQ(machine->cpu.PC.w, 0x1234);
}

TEST(Paging, ScorpionPorts) {
    auto machine = MadeUpMachine(kModelScorpion);
    MarkRamPages(*machine);
    machine->OutPort(0x7FFD, 0x05);
    EXPECT_EQ(SlotMarks(*machine), (std::array<uint8_t, 4>{0xC0, 0x15, 0x12, 0x15}));
    machine->OutPort(0x1FFD, 0x10);  // upper 128 KB
    EXPECT_EQ(SlotMarks(*machine)[3], 0x1D);
    machine->OutPort(0x7FFD, 0x17);
    EXPECT_EQ(SlotMarks(*machine), (std::array<uint8_t, 4>{0xC1, 0x15, 0x12, 0x1F}));
    machine->OutPort(0x1FFD, 0x02);  // ROM 2 (the service monitor)
    EXPECT_EQ(SlotMarks(*machine)[0], 0xC2);
    machine->OutPort(0x1FFD, 0x01);  // RAM 0 in slot 0
    EXPECT_EQ(SlotMarks(*machine)[0], 0x10);
    machine->cpu.WriteByteFree(0x0001, 0x66);
    EXPECT_EQ(machine->RamPage(0)[1], 0x66);
    machine->OutPort(0xFFFF, 1);  // TR-DOS wins over everything
    EXPECT_EQ(SlotMarks(*machine)[0], 0xC3);
    machine->cpu.WriteByteFree(0x0001, 0x67);
    EXPECT_EQ(machine->RamPage(0)[1], 0x66);
    machine->OutPort(0xFFFF, 0);

    // Exact decoding only.
    machine->OutPort(0x7FF9, 0x00);
    machine->OutPort(0x1FF9, 0x00);
    EXPECT_EQ(machine->Port7FFD, 0x17);
    EXPECT_EQ(machine->Port1FFD, 0x01);

    // The lock covers 0x1FFD as well.
    machine->OutPort(0x7FFD, 0x20);
    machine->OutPort(0x1FFD, 0x10);
    machine->OutPort(0x7FFD, 0x01);
    EXPECT_EQ(machine->Port1FFD, 0x01);
    EXPECT_EQ(machine->Port7FFD, 0x20);
}

}  // namespace
}  // namespace tarvolinde::test
