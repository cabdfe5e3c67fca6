// The machine models on made-up ROMs: building them, reset, paging seen through
// memory, and the delays they add to memory and port accesses.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "machine/rom_files.h"
#include "machine/sp48.h"
#include "machine_test_support.h"

namespace tarvolinde::test {
namespace {

constexpr int kModel16K = 0, kModelInves = 3, kModel128 = 4, kModelPlus3 = 9, kModelPentagon = 15,
              kModelScorpion = 17;

TEST(MachineFactory, RomFilesFillTheRomPagesInOrder) {
    // A 16 KB file for a 128K model leaves ROM 1 empty; a longer file is cut at 64 KB.
    const RomProvider roms = [](std::string_view name) -> std::optional<std::vector<uint8_t>> {
        if (name == "Trdos.rom") return std::vector<uint8_t>(2 * kPageSize, 0x33);
        return std::vector<uint8_t>(name == "128.rom" ? kPageSize : 5 * kPageSize, 0x11);
    };
    auto m128 = CreateMachine(kModel128, roms);
    EXPECT_EQ(m128->RomPage(0)[kPageSize - 1], 0x11);
    EXPECT_EQ(m128->RomPage(1)[0], 0xFF);
    EXPECT_EQ(CreateMachine(kModelScorpion, roms)->RomPage(3)[kPageSize - 1], 0x11);
    EXPECT_EQ(CreateMachine(kModelPentagon, roms)->RomPage(3)[0], 0x33);
    EXPECT_THROW(MadeUpMachine(kModelCount), std::out_of_range);
    MachineSetup setup;
    setup.ModelIndex = kModel128;
    EXPECT_THROW(TSp48{std::move(setup)}, std::invalid_argument);
}

TEST(MachineFactory, AMissingRomFallsBackToThe48KAndWithoutItNoMachineIsBuilt) {
    using Files = std::vector<std::string>;
    // Model, files present, files reported missing, model built (-1: none).
    for (const auto& [model, present, missing, built] :
         {std::tuple{kModel128, Files{"48.rom"}, Files{"128.rom"}, kModel48K},
          {kModelPentagon, Files{"48.rom", "Pentagon.rom"}, Files{"Trdos.rom"}, kModel48K},
          {kModelScorpion, Files{"Scorpion.rom"}, Files{}, kModelScorpion},
          {kModelPlus3, Files{}, Files{"+3.rom", "48.rom"}, -1},
          {kModel48K, Files{}, Files{"48.rom"}, -1}}) {  // reported once, no retry
        const ModelSwitchResult result = SwitchModel(model, MadeUpRoms(present));
        ASSERT_EQ(result.Errors.size(), missing.size()) << model;
        for (size_t i = 0; i < missing.size(); ++i) {
            EXPECT_EQ(result.Errors[i].FileName(), missing[i]);
            EXPECT_EQ(std::string(result.Errors[i].what()), "No existe la ROM \"" + missing[i] + "\"");
        }
        EXPECT_EQ(result.Machine ? result.Machine->ModelIndex : -1, built) << model;
    }
    EXPECT_THROW(CreateMachine(kModel16K, MadeUpRoms({})), MissingRomError);
}

TEST(RomFiles, TheSearchGoesBesideTheExecutableThenToTheUsersDataThenToTheInstalledData) {
    const std::vector<std::string> path = RomSearchPath("/opt/t/bin", "/datos", "/home/u");
    EXPECT_EQ(path, (std::vector<std::string>{"/opt/t/bin", "/datos/tarvolinde/roms", "/opt/t/share/tarvolinde/roms"}));
    for (const char* unset : {static_cast<const char*>(nullptr), ""})
        EXPECT_EQ(RomSearchPath("/opt/t/bin", unset, "/home/u")[1], "/home/u/.local/share/tarvolinde/roms");
}

TEST(MachineLifecycle, ResetReturnsToPowerOnAndMachinesShareNothing) {
    for (int model : {kModel48K, kModelInves, kModel128, kModelPlus3, kModelPentagon, kModelScorpion}) {
        auto machine = MadeUpMachine(model), other = MadeUpMachine(model);
        for (const auto& [port, value] : {std::pair<uint16_t, uint8_t>{0x7FFD, 0x37}, {0x1FFD, 0x04}, {0x00FE, 0x12},
                                         {0xFFFD, 3}, {0xBFFD, 9}, {0xFFFD, 14}, {0xBFFD, 0}})
            machine->OutPort(port, value);
        machine->cpu.PC.w = 0x1234;
        PressKey(machine->KeyRows, SpectrumKey::Space);
        EXPECT_EQ(other->screen.BorderColour + (other->InPort(0x7FFE) & 1), 1) << model;
        machine->Reset();
        EXPECT_EQ(machine->EarMask, 0xBF) << model;
        EXPECT_EQ(machine->cpu.PC.w, 0) << model;
        if (machine->AyPresent) {
            EXPECT_EQ(machine->Ay.AyRegs[3] + machine->Ay.AyRegs[14], 0xFF) << model;
        }
        EXPECT_EQ(machine->ScreenPage(), machine->RamPage(5).data()) << model;
        EXPECT_EQ(machine->cpu.ReadByteFree(0x0000), 0xC0) << model;
        machine->OutPort(0x7FFD, 0x05);  // the lock is gone
        EXPECT_EQ(machine->Port7FFD, model == kModel48K || model == kModelInves ? 0 : 0x05) << model;
    }
}

constexpr int kRead = -1;  // an IN from the port instead of an OUT

// Slots: 0xC0 + n for ROM page n, 0x10 + n for RAM page n.
struct PagingCase {
    int model;
    std::vector<std::pair<uint16_t, int>> accesses;
    std::array<uint8_t, 4> slots;
    int screenPage;
    bool slot0Writable;
};

const PagingCase kPagingCases[] = {
    {kModel48K, {{0x7FFD, 0x17}}, {0xC0, 0x15, 0x12, 0x10}, 5, false},  // no paging port
    {kModel128, {{0x7FFD, 0x1B}}, {0xC1, 0x15, 0x12, 0x13}, 7, false},
    {kModel128, {{0x3FF9, 2}, {0x7FFF, 3}, {0xFFFD, 4}}, {0xC0, 0x15, 0x12, 0x12}, 5, false},  // A1 and A15 only
    {kModel128, {{0x7FFD, 0x23}, {0x7FFD, 0x05}}, {0xC0, 0x15, 0x12, 0x13}, 5, false},        // the lock
    {kModel128, {{0x7FFD, kRead}}, {0xC1, 0x15, 0x12, 0x17}, 7, false},  // a read writes 0xFF
    {kModelPlus3, {{0x1FFD, 0x04}, {0x7FFD, 0x16}}, {0xC3, 0x15, 0x12, 0x16}, 5, false},
    {kModelPlus3, {{0x1FFD, 0x01}}, {0x10, 0x11, 0x12, 0x13}, 5, true},
    {kModelPlus3, {{0x1FFD, 0x07}}, {0x14, 0x17, 0x16, 0x13}, 5, true},
    {kModelPlus3, {{0x1FFD, 0x03}}, {0x14, 0x15, 0x16, 0x17}, 5, true},
    {kModelPlus3, {{0x1FFD, 0x05}}, {0x14, 0x15, 0x16, 0x13}, 5, true},
    {kModelPlus3, {{0x7FFD, 0x20}, {0x1FFD, 0x07}, {0x7FFD, 0x03}}, {0xC0, 0x15, 0x12, 0x10}, 5, false},
    {kModelPlus3, {{0x7FFD, kRead}}, {0xC0, 0x15, 0x12, 0x10}, 5, false},
    {kModelPentagon, {{0x7FFD, 0x13}, {0xFFFF, 1}}, {0xC3, 0x15, 0x12, 0x13}, 5, false},
    {kModelPentagon, {{0xFFFF, 1}, {0xFFFF, 0}, {0x3FF9, 0x1C}}, {0xC1, 0x15, 0x12, 0x14}, 7, false},
    {kModelScorpion, {{0x7FFD, 0x17}, {0x1FFD, 0x12}}, {0xC2, 0x15, 0x12, 0x1F}, 5, false},
    {kModelScorpion, {{0x1FFD, 0x01}}, {0x10, 0x15, 0x12, 0x10}, 5, true},
    {kModelScorpion, {{0x1FFD, 0x01}, {0xFFFF, 1}}, {0xC3, 0x15, 0x12, 0x10}, 5, false},  // TR-DOS wins
    {kModelScorpion, {{0x7FF9, 0x03}, {0x1FF9, 0x01}, {0x7FFD, 0x20}, {0x1FFD, 0x01}}, {0xC0, 0x15, 0x12, 0x10}, 5, false},
};

TEST(Paging, SlotsAndScreenAfterPortAccesses) {
    for (const PagingCase& c : kPagingCases) {
        SCOPED_TRACE(testing::Message() << "case " << &c - kPagingCases << ", model " << c.model);
        auto machine = MadeUpMachine(c.model);
        for (int page = 0; page < kRamPages; ++page) machine->RamPage(page)[0] = uint8_t(0x10 + page);
        for (const auto& [port, value] : c.accesses) {
            if (value == kRead) machine->InPort(port);
            else machine->OutPort(port, uint8_t(value));
        }
        for (int slot = 0; slot < 4; ++slot) EXPECT_EQ(machine->cpu.ReadByteFree(uint16_t(slot * 0x4000)), c.slots[slot]);
        EXPECT_EQ(machine->ScreenPage(), machine->RamPage(c.screenPage).data());
        machine->cpu.WriteByteFree(0x0001, 0x77);
        EXPECT_EQ(machine->cpu.ReadByteFree(0x0001) == 0x77, c.slot0Writable);
        machine->cpu.WriteByteFree(0xC001, 0x66);  // slot 3 writes reach the page shown there
        EXPECT_EQ(machine->RamPage(c.slots[3] & 0x0F)[1], 0x66);
    }
}

TEST(Paging, SwitchingTheScreenMidFrameLatchesTheOldPageFirst) {
    // The Scorpion switches without latching: the whole frame shows the new page.
    for (const auto& [model, half, end, firstByte] :
         {std::tuple{kModel128, 14364 + 96 * 228, 58140, 0xAA}, {kModelScorpion, 14336 + 96 * 224, 57400, 0x55}}) {
        SCOPED_TRACE(model);
        auto machine = MadeUpMachine(model);
        std::fill_n(machine->RamPage(5).begin(), kPageSize, 0xAA);
        std::fill_n(machine->RamPage(7).begin(), kPageSize, 0x55);
        machine->cpu.ContentionActive = 1;
        machine->cpu.FrameTStates = half;
        machine->OutPort(0x7FFD, 0x08);
        machine->cpu.FrameTStates = end;
        machine->CaptureScreen();
        EXPECT_EQ(machine->screen.PixelLatch[0], firstByte);
        EXPECT_EQ(machine->screen.PixelLatch[6143], 0x55);
    }
}

TEST(Paging, OnlyTheTrdosModelsPageItsRomInAt3Dxx) {
    for (const auto& [model, trdos] : {std::pair{kModelPentagon, 1}, {kModelScorpion, 1}, {kModel128, 0}}) {
        auto machine = MadeUpMachine(model);
        Poke(*machine, 0x8000, {0xC3, 0x00, 0x3D});  // JP 0x3D00
        machine->cpu.PC.w = 0x8000;
        Step(*machine);
        Step(*machine);
        EXPECT_EQ(machine->cpu.TrdosRomActive, trdos) << model;
    }
}

// An access at T-state t: 'r' LD A,(where) from uncontended RAM, 'i' IN, 'o' OUT; port 0x7FFD written first.
struct Delay {
    int model;
    char access;
    uint16_t where;
    int32_t t, delay;
    uint8_t port7FFD = 0;
};

// The published delays of each family are in ula_timing_test.cpp; these rows
// are about which pages and ports are contended.
const Delay kDelays[] = {
    {kModel48K, 'r', 0x8000, 14335, 0},      {kModel128, 'r', 0xC000, 14361, 6, 1},
    {kModel128, 'r', 0xC000, 14361, 0, 4},   {kModelPlus3, 'r', 0xC000, 14367, 7, 4},
    {kModelPlus3, 'r', 0xC000, 14367, 0, 1}, {kModelPentagon, 'r', 0x4000, 17920, 0},
    {kModelScorpion, 'r', 0x4000, 14335, 0}, {kModelScorpion, 'i', 0xFEFE, 14335, 0},
    {kModelInves, 'i', 0xFEFE, 14348, 5},    {kModelInves, 'i', 0x00DE, 14347, 0},
};

TEST(Contention, DelaysAtChosenTStates) {
    for (const Delay& d : kDelays) {
        SCOPED_TRACE(testing::Message() << "model " << d.model << ' ' << d.access << ' ' << d.where << " at " << d.t);
        auto machine = MadeUpMachine(d.model);
        machine->OutPort(0x7FFD, d.port7FFD);
        machine->cpu.ContentionActive = 1;
        if (d.access == 'r') {
            Poke(*machine, 0x8000, {0x3A, uint8_t(d.where), uint8_t(d.where >> 8)});
            machine->cpu.PC.w = 0x8000;
            machine->cpu.FrameTStates = d.t - 10;  // opcode 4, operand 3 + 3
            EXPECT_EQ(Step(*machine) - 13, d.delay);
        } else {
            machine->cpu.FrameTStates = d.t;
            if (d.access == 'i') machine->InPort(d.where);
            else machine->OutPort(d.where, 0);
            EXPECT_EQ(machine->cpu.FrameTStates - d.t, d.delay);
        }
    }
}

TEST(BeamCapture, ALineCountsAsFetchedFromItsLastCellPairOn) {
    auto machine = MadeUpMachine(kModel48K);
    for (const auto& [t, cells] : {std::pair{14330 + 120, 30u}, {14330 + 124, 32u}}) {
        machine->cpu.FrameTStates = t;
        machine->CaptureScreen();
        EXPECT_EQ(machine->screen.CellsLatched, cells) << t;
    }
}

TEST(BorderBeam, AChangeShowsFromTheBeamOn) {
    // The first T-state of each class's top border line.
    for (const auto& [model, topT] : {std::pair{kModel48K, 8944}, {kModel128, 8875}, {kModelPentagon, 12560},
                                     {kModelScorpion, 8984}}) {
        SCOPED_TRACE(model);
        auto machine = MadeUpMachine(model);
        machine->cpu.FrameTStates = topT + 10 * machine->LineTStates + 20;  // line 10, 40 pixels in
        machine->OutPort(0x00FE, 2);
        machine->cpu.FrameTStates = machine->cpu.FrameLength;
        machine->EndFrame();
        const auto& border = machine->screen.BorderBitmap;
        EXPECT_EQ(border[10 * kPictureWidth + 39], 0);
        EXPECT_EQ(border[10 * kPictureWidth + 40], 2);
        EXPECT_EQ(border[kPicturePixels - 1], 2);
    }
}

}  // namespace
}  // namespace tarvolinde::test
