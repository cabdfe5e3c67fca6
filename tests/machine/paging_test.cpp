// Which RAM and ROM pages each class maps into the four 16 KB slots, and which
// screen page it shows, after accesses to its paging ports.

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "machine_test_support.h"

namespace tarvolinde::test {
namespace {

constexpr int kModel16K = 0, kModel128 = 4, kModelPlus3 = 9, kModelPentagon = 15, kModelScorpion = 17;
constexpr int kRead = -1;  // an IN from the port instead of an OUT

struct PagingCase {
    int model;
    std::vector<std::pair<uint16_t, int>> accesses;
    std::array<uint8_t, 4> slots;  // 0xC0 + n: ROM page n; 0x10 + n: RAM page n
    int screenPage;
    bool slot0Writable;
};

const PagingCase kCases[] = {
    {kModel48K, {{0x7FFD, 0x17}}, {0xC0, 0x15, 0x12, 0x10}, 5, false},  // no paging port
    {kModel128, {{0x7FFD, 0x1B}}, {0xC1, 0x15, 0x12, 0x13}, 7, false},
    {kModel128, {{0x3FF9, 2}, {0x7FFF, 3}, {0xFFFD, 4}}, {0xC0, 0x15, 0x12, 0x12}, 5, false},  // A1 and A15 only
    {kModel128, {{0x7FFD, 0x23}, {0x7FFD, 0x05}}, {0xC0, 0x15, 0x12, 0x13}, 5, false},        // the lock
    {kModel128, {{0x7FFD, kRead}}, {0xC1, 0x15, 0x12, 0x17}, 7, false},  // a read writes 0xFF
    {kModelPlus3, {{0x1FFD, 0x04}, {0x7FFD, 0x16}}, {0xC3, 0x15, 0x12, 0x16}, 5, false},
    {kModelPlus3, {{0x1FFD, 0x04}, {0x7FFD, 0x06}}, {0xC2, 0x15, 0x12, 0x16}, 5, false},
    {kModelPlus3, {{0x1FFD, 0x01}}, {0x10, 0x11, 0x12, 0x13}, 5, true},
    {kModelPlus3, {{0x1FFD, 0x07}}, {0x14, 0x17, 0x16, 0x13}, 5, true},
    {kModelPlus3, {{0x1FFD, 0x07}, {0x1FFD, 0x00}, {0x7FFD, 0x01}}, {0xC0, 0x15, 0x12, 0x11}, 5, false},
    {kModelPlus3, {{0x7FFD, 0x20}, {0x1FFD, 0x07}, {0x7FFD, 0x03}}, {0xC0, 0x15, 0x12, 0x10}, 5, false},
    {kModelPlus3, {{0x7FFD, kRead}}, {0xC0, 0x15, 0x12, 0x10}, 5, false},
    {kModelPentagon, {{0x7FFD, 0x13}}, {0xC1, 0x15, 0x12, 0x13}, 5, false},
    {kModelPentagon, {{0x7FFD, 0x13}, {0xFFFF, 1}}, {0xC3, 0x15, 0x12, 0x13}, 5, false},
    {kModelPentagon, {{0xFFFF, 1}, {0xFFFF, 0}, {0x3FF9, 0x0C}}, {0xC0, 0x15, 0x12, 0x14}, 7, false},
    {kModelScorpion, {{0x7FFD, 0x17}, {0x1FFD, 0x10}}, {0xC1, 0x15, 0x12, 0x1F}, 5, false},
    {kModelScorpion, {{0x1FFD, 0x02}}, {0xC2, 0x15, 0x12, 0x10}, 5, false},
    {kModelScorpion, {{0x1FFD, 0x01}}, {0x10, 0x15, 0x12, 0x10}, 5, true},
    {kModelScorpion, {{0x1FFD, 0x01}, {0xFFFF, 1}}, {0xC3, 0x15, 0x12, 0x10}, 5, false},  // TR-DOS wins
    {kModelScorpion, {{0x7FFD, 0x03}, {0x7FF9, 0x00}, {0x1FF9, 0x01}}, {0xC0, 0x15, 0x12, 0x13}, 5, false},
    {kModelScorpion, {{0x7FFD, 0x20}, {0x1FFD, 0x01}}, {0xC0, 0x15, 0x12, 0x10}, 5, false},
};

TEST(Paging, SlotsAndScreenAfterPortAccesses) {
    for (size_t i = 0; i < std::size(kCases); ++i) {
        const PagingCase& c = kCases[i];
        SCOPED_TRACE(testing::Message() << "case " << i << ", model " << c.model);
        auto machine = MadeUpMachine(c.model);
        for (int page = 0; page < kRamPages; ++page) machine->RamPage(page)[0] = uint8_t(0x10 + page);
        for (const auto& [port, value] : c.accesses) {
            if (value == kRead) machine->InPort(port);
            else machine->OutPort(port, uint8_t(value));
        }
        std::array<uint8_t, 4> slots{};
        for (int slot = 0; slot < 4; ++slot) slots[slot] = machine->cpu.ReadByteFree(uint16_t(slot * 0x4000));
        EXPECT_EQ(slots, c.slots);
        EXPECT_EQ(machine->ScreenPage(), machine->RamPage(c.screenPage).data());
        machine->cpu.WriteByteFree(0x0001, 0x77);
        EXPECT_EQ(machine->cpu.ReadByteFree(0x0001) == 0x77, c.slot0Writable);
        machine->cpu.WriteByteFree(0xC001, 0x66);  // slot 3 writes reach the page shown there
        EXPECT_EQ(machine->RamPage(c.slots[3] & 0x0F)[1], 0x66);
    }
}

TEST(Paging, The16KReadsFFAboveItsRamButTakesWrites) {
    auto machine = MadeUpMachine(kModel16K);
    for (uint16_t address : {0x4000, 0x8000, 0xFFFF}) machine->cpu.WriteByteFree(address, 0x34);
    EXPECT_EQ(machine->cpu.ReadByteFree(0x4000), 0x34);
    EXPECT_EQ(machine->RamPage(0)[0x3FFF], 0x34);
    Poke(*machine, 0x4000, {0x3A, 0x00, 0x80});  // LD A,(0x8000)
    machine->cpu.PC.w = 0x4000;
    Step(*machine);
    EXPECT_EQ(machine->cpu.A(), 0xFF);
}

TEST(Paging, SwitchingTheScreenMidFrameLatchesTheOldPageFirst) {
    // The Scorpion switches without latching: the whole frame shows the new page.
    for (const auto [model, half, end, firstByte] :
         {std::tuple{kModel128, 14364 + 96 * 228, 58140, 0xAA}, {kModelScorpion, 14336 + 96 * 224, 57400, 0x55}}) {
        SCOPED_TRACE(model);
        auto machine = MadeUpMachine(model);
        std::fill(machine->RamPage(5).begin(), machine->RamPage(5).end(), uint8_t(0xAA));
        std::fill(machine->RamPage(7).begin(), machine->RamPage(7).end(), uint8_t(0x55));
        machine->cpu.ContentionActive = 1;
        machine->cpu.FrameTStates = half;
        machine->OutPort(0x7FFD, 0x08);
        machine->cpu.FrameTStates = end;
        machine->CaptureScreen();
        EXPECT_EQ(machine->screen.PixelLatch[0], firstByte);
        EXPECT_EQ(machine->screen.PixelLatch[6143], 0x55);
    }
}

// In the made-up ROMs page 3 is all 0xC3 (JP nn), so with the TR-DOS ROM paged the
// code at 0x3D00 jumps to 0xC3C3; ROM 0's 0xC0 is RET NZ.
TEST(Paging, ExecutingAt3DxxPagesTrdosInAndLeavingRomPagesItOut) {
    for (const auto [model, trdos] : {std::pair{kModelPentagon, true}, {kModelScorpion, true}, {kModel128, false}}) {
        SCOPED_TRACE(model);
        auto machine = MadeUpMachine(model);
        Poke(*machine, 0x8000, {0xC3, 0x00, 0x3D});  // JP 0x3D00
        Poke(*machine, 0x9000, {0x34, 0x12});
        machine->cpu.PC.w = 0x8000;
        machine->cpu.SP.w = 0x9000;
        machine->cpu.F() = 0;  // Z clear: RET NZ returns
        Step(*machine);
        Step(*machine);
        EXPECT_EQ(machine->cpu.PC.w, trdos ? 0xC3C3 : 0x1234);
        EXPECT_EQ(machine->cpu.TrdosRomActive, trdos);
        Step(*machine);
        EXPECT_EQ(machine->cpu.TrdosRomActive, 0);
        EXPECT_NE(machine->cpu.ReadByteFree(0), 0xC3);
    }
}

}  // namespace
}  // namespace tarvolinde::test
