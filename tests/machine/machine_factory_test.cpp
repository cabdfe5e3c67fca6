// Building the models from their ROM files, falling back when one is missing,
// and the life of a machine: reset, the frame's end and its options.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "machine/sp48.h"
#include "machine_test_support.h"

namespace tarvolinde::test {
namespace {

std::vector<std::string> Messages(const ModelSwitchResult& result) {
    std::vector<std::string> messages;
    for (const MissingRomError& error : result.Errors) messages.push_back(error.what());
    return messages;
}

TEST(MachineFactory, RomFilesFillTheRomPagesInOrder) {
    // A 16 KB file for a 128K model leaves ROM 1 empty; a longer file is cut at 64 KB.
    const RomProvider roms = [](std::string_view name) -> std::optional<std::vector<uint8_t>> {
        if (name == "128.rom") return std::vector<uint8_t>(kPageSize, 0x11);
        if (name == "Scorpion.rom") return std::vector<uint8_t>(5 * kPageSize, 0x22);
        if (name == "Pentagon.rom") return MarkedRom();
        if (name == "Trdos.rom") return std::vector<uint8_t>(2 * kPageSize, 0x33);
        return std::nullopt;
    };
    auto m128 = CreateMachine(4, roms);
    EXPECT_EQ(m128->RomPage(0)[kPageSize - 1], 0x11);
    EXPECT_EQ(m128->RomPage(1)[0], 0xFF);
    EXPECT_EQ(CreateMachine(17, roms)->RomPage(3)[kPageSize - 1], 0x22);
    auto pentagon = CreateMachine(15, roms);
    EXPECT_EQ(pentagon->RomPage(1)[0], 0xC1);
    EXPECT_EQ(pentagon->RomPage(3)[0], 0x33);
    EXPECT_THROW(MadeUpMachine(kModelCount), std::out_of_range);
    MachineSetup setup;
    setup.ModelIndex = 4;
    EXPECT_THROW(TSp48{std::move(setup)}, std::invalid_argument);
}

TEST(MachineFactory, AMissingRomFallsBackToThe48KAndWithoutItNoMachineIsBuilt) {
    struct Case {
        int model;
        std::vector<std::string> present;
        std::vector<std::string> messages;
        int built;  // -1: none
    };
    const Case cases[] = {
        {4, {"48.rom"}, {"No existe la ROM \"128.rom"}, kModel48K},
        {15, {"48.rom", "Pentagon.rom"}, {"No existe la ROM \"Trdos.rom"}, kModel48K},
        {17, {"Scorpion.rom"}, {}, 17},
        {9, {}, {"No existe la ROM \"+3.rom", "No existe la ROM \"48.rom"}, -1},
        {kModel48K, {}, {"No existe la ROM \"48.rom"}, -1},  // reported once, no retry
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        const ModelSwitchResult result = SwitchModel(c.model, MadeUpRoms(c.present));
        EXPECT_EQ(Messages(result), c.messages);
        ASSERT_EQ(result.Machine != nullptr, c.built >= 0);
        if (result.Machine) EXPECT_EQ(result.Machine->ModelIndex, c.built);
    }
    EXPECT_EQ(SwitchModel(4, MadeUpRoms({"48.rom"})).Errors[0].FileName(), "128.rom");
    EXPECT_THROW(CreateMachine(0, MadeUpRoms({})), MissingRomError);
}

TEST(MachineFactory, SeveralMachinesRunSideBySide) {
    auto first = MadeUpMachine(kModel48K);
    auto second = MadeUpMachine(kModel48K);
    first->OutPort(0x00FE, 0x02);
    first->RamPage(5)[0] = 0x55;
    PressKey(first->KeyRows, SpectrumKey::Space);
    EXPECT_EQ(second->screen.BorderColour, 0);
    EXPECT_EQ(second->RamPage(5)[0], 0);
    EXPECT_EQ(second->InPort(0x7FFE) & 1, 1);
}

TEST(MachineLifecycle, ResetReturnsToPowerOn) {
    for (int model : {1, 3, 4, 9, 15, 17}) {
        SCOPED_TRACE(model);
        auto machine = MadeUpMachine(model);
        for (const auto [port, value] : {std::pair<uint16_t, uint8_t>{0x7FFD, 0x37}, {0x1FFD, 0x04}, {0x00FE, 0x10},
                                         {0xFFFD, 3}, {0xBFFD, 9}})
            machine->OutPort(port, value);
        machine->cpu.PC.w = 0x1234;
        machine->cpu.FrameTStates = 500;
        machine->Reset();
        EXPECT_EQ(machine->Port7FFD, 0);
        EXPECT_EQ(machine->Port1FFD, 0);
        EXPECT_EQ(machine->EarMask, 0xBF);
        EXPECT_EQ(machine->cpu.PC.w, 0);
        EXPECT_EQ(machine->cpu.FrameTStates, 0);
        EXPECT_EQ(machine->Ay.AyRegs[3], 0);
        EXPECT_EQ(machine->ScreenPage(), machine->RamPage(5).data());
        EXPECT_EQ(machine->cpu.ReadByteFree(0x0000), 0xC0);
        machine->OutPort(0x7FFD, 0x05);  // the lock is gone
        EXPECT_EQ(machine->Port7FFD, model == 1 || model == 3 ? 0 : 0x05);
    }
}

TEST(MachineLifecycle, AFrameCarriesItsOverrun) {
    // A frame of HALT with interrupts off: the carry is what the last NOP overran.
    auto machine = MadeUpMachine(4);
    Poke(*machine, 0x8000, {0xF3, 0x76});  // DI; HALT
    machine->cpu.PC.w = 0x8000;
    machine->RunFrame();
    EXPECT_GE(machine->cpu.FrameTStates, 0);
    EXPECT_LT(machine->cpu.FrameTStates, 4);
    EXPECT_EQ(machine->cpu.ContentionActive, 0);
}

TEST(MachineLifecycle, OptionsReachOnlyTheModelsThatTakeThem) {
    // Model, AY, issue: the 48K takes both options, the Inves has neither, the 128K has its own.
    for (const auto [model, ay, issue] : {std::tuple{kModel48K, 0, 2}, {3, 0, 0}, {4, 1, 1}}) {
        auto machine = MadeUpMachine(model, {.AyIn48 = false, .Issue2 = true});
        EXPECT_EQ(machine->AyPresent, ay) << model;
        EXPECT_EQ(machine->IssueMode, issue) << model;
    }
    auto m48 = MadeUpMachine(kModel48K);
    m48->ApplyOptions({.AyIn48 = false, .Issue2 = true});
    EXPECT_EQ(m48->AyPresent, 0);
    EXPECT_EQ(m48->IssueMode, 2);
}

}  // namespace
}  // namespace tarvolinde::test
