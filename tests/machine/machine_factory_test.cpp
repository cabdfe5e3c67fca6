#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "machine/sp128.h"
#include "machine/sp48.h"
#include "machine/sp_ams.h"
#include "machine/sp_inves.h"
#include "machine/sp_penta.h"
#include "machine/sp_scorp.h"
#include "machine_test_support.h"

namespace tarvolinde::test {
namespace {

std::vector<std::string> Messages(const ModelSwitchResult& result) {
    std::vector<std::string> messages;
    for (const MissingRomError& error : result.Errors) messages.push_back(error.what());
    return messages;
}

TEST(ModelTable, CaptionsAndRomFilesOfTheEighteenModels) {
    const std::vector<std::vector<std::string>> expected{
        {"16 Kb", "48.rom"},          {"48 Kb", "48.rom"},          {"48 Kb +", "48+.rom"},
        {"Inves +", "Inves.rom"},     {"128 Kb", "128.rom"},        {"128+", "128+.rom"},
        {"+2", "+2.rom"},             {"+2 Español", "+2e.rom"},    {"+2 Francés", "+2f.rom"},
        {"+3", "+3.rom"},             {"+3 Español", "+3e.rom"},    {"+2a", "+3.rom"},
        {"+2a Español", "+3e.rom"},   {"+3e", "+3Ei.rom"},          {"+3e Español", "+3Ee.rom"},
        {"Pentagon", "Pentagon.rom"}, {"Pentagon Español", "Penta_sp.rom"}, {"Scorpion", "Scorpion.rom"},
    };
    for (int model = 0; model < kModelCount; ++model) {
        EXPECT_EQ(Models[model].Caption, expected[model][0]);
        EXPECT_EQ(Models[model].RomFile, expected[model][1]);
        EXPECT_EQ(Models[model].TrdosRomFile, model == 15 || model == 16 ? "Trdos.rom" : "");
    }
}

TEST(MachineFactory, EveryModelGetsItsClassAndConstants) {
    for (int model = 0; model < kModelCount; ++model) {
        SCOPED_TRACE(model);
        auto machine = MadeUpMachine(model);
        const ModelInfo& info = Models[model];
        EXPECT_EQ(machine->ModelIndex, model);
        EXPECT_EQ(machine->RamKb, info.RamKb);
        EXPECT_EQ(machine->cpu.FrameLength, info.Frame.FrameLength);
        EXPECT_EQ(machine->cpu.ScreenStartT, info.Frame.ScreenStartT);
        EXPECT_EQ(machine->cpu.ScreenEndT, info.Frame.ScreenStartT + 192 * info.Frame.LineTStates);
        EXPECT_EQ(machine->LineTStates, info.Frame.LineTStates);
        EXPECT_EQ(machine->Floppy != nullptr, model == 9 || model == 10 || model == 13 || model == 14);
        const TSp* m = machine.get();
        switch (info.Family) {
        case MachineFamily::Sp48: EXPECT_NE(dynamic_cast<const TSp48*>(m), nullptr); break;
        case MachineFamily::Inves: EXPECT_NE(dynamic_cast<const TSpInves*>(m), nullptr); break;
        case MachineFamily::Sp128: EXPECT_NE(dynamic_cast<const TSp128*>(m), nullptr); break;
        case MachineFamily::Ams: EXPECT_NE(dynamic_cast<const TSp_Ams*>(m), nullptr); break;
        case MachineFamily::Penta: EXPECT_NE(dynamic_cast<const TSp_Penta*>(m), nullptr); break;
        case MachineFamily::Scorp: EXPECT_NE(dynamic_cast<const TSp_Scorp*>(m), nullptr); break;
        }
        const bool trdos = info.Family == MachineFamily::Penta || info.Family == MachineFamily::Scorp;
        EXPECT_EQ(machine->cpu.TrdosPaging, trdos);
        EXPECT_EQ(machine->cpu.NearAccessRule, trdos || info.Family == MachineFamily::Ams);
        EXPECT_EQ(machine->AyPresent, 1);
    }
    EXPECT_EQ(MadeUpMachine(0)->RamKb, 16u);
    EXPECT_EQ(MadeUpMachine(17)->RamKb, 256u);
    EXPECT_THROW(MadeUpMachine(18), std::out_of_range);
    EXPECT_THROW(MadeUpMachine(-1), std::out_of_range);
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
    auto scorpion = CreateMachine(17, roms);
    EXPECT_EQ(scorpion->RomPage(3)[kPageSize - 1], 0x22);
    auto pentagon = CreateMachine(15, roms);
    EXPECT_EQ(pentagon->RomPage(1)[0], 0xC1);
    EXPECT_EQ(pentagon->RomPage(3)[0], 0x33);
}

TEST(MachineFactory, AMissingRomFallsBackToThe48K) {
    const ModelSwitchResult result = SwitchModel(4, MadeUpRoms({"48.rom"}));
    EXPECT_EQ(Messages(result), std::vector<std::string>{"No existe la ROM \"128.rom"});
    ASSERT_NE(result.Machine, nullptr);
    EXPECT_EQ(result.Machine->ModelIndex, kModel48K);
    EXPECT_EQ(result.Errors[0].FileName(), "128.rom");

    const ModelSwitchResult pentagon = SwitchModel(15, MadeUpRoms({"48.rom", "Pentagon.rom"}));
    EXPECT_EQ(Messages(pentagon), std::vector<std::string>{"No existe la ROM \"Trdos.rom"});
    ASSERT_NE(pentagon.Machine, nullptr);
    EXPECT_EQ(pentagon.Machine->ModelIndex, kModel48K);

    const ModelSwitchResult found = SwitchModel(17, MadeUpRoms({"Scorpion.rom"}));
    EXPECT_TRUE(found.Errors.empty());
    ASSERT_NE(found.Machine, nullptr);
    EXPECT_EQ(found.Machine->ModelIndex, 17);
}

TEST(MachineFactory, WithoutThe48KRomNoMachineIsBuilt) {
    const ModelSwitchResult result = SwitchModel(9, MadeUpRoms({}));
    EXPECT_EQ(Messages(result),
              (std::vector<std::string>{"No existe la ROM \"+3.rom", "No existe la ROM \"48.rom"}));
    EXPECT_EQ(result.Machine, nullptr);

    // Asking for the 48K itself reports once and does not retry.
    const ModelSwitchResult self = SwitchModel(kModel48K, MadeUpRoms({}));
    EXPECT_EQ(Messages(self), std::vector<std::string>{"No existe la ROM \"48.rom"});
    EXPECT_EQ(self.Machine, nullptr);
    EXPECT_THROW(CreateMachine(0, MadeUpRoms({})), MissingRomError);
}

TEST(MachineFactory, ClassesRefuseModelsOfAnotherClass) {
    MachineSetup setup;
    setup.ModelIndex = 4;
    EXPECT_THROW(TSp48{std::move(setup)}, std::invalid_argument);
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

}  // namespace
}  // namespace tarvolinde::test
