// Every model on its real ROM (from the test corpus): it boots and keeps running.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <span>
#include <string>

#include "machine/input/keyboard_matrix.h"
#include "machine/video/screen_text.h"
#include "machine_test_support.h"

namespace tarvolinde::test {
namespace {

std::vector<std::string> ScreenRows(const TSp& machine, int characterSetRomPage) {
    const auto rom = machine.RomPage(characterSetRomPage);
    return ScreenText(std::span<const uint8_t, kScreenCells>(machine.screen.PixelLatch),
                      std::span<const uint8_t, kCharacterSetBytes>(rom.data() + 0x3D00, kCharacterSetBytes));
}

TEST(RomBoot, The48KRomShowsItsCopyrightAndTypesAKeyword) {
    if (!CorpusHas("48.rom")) GTEST_SKIP() << "48.rom not found in " << RomDir();
    auto machine = CreateMachine(kModel48K, CorpusRoms());
    for (int frame = 0; frame < 150; ++frame) machine->RunFrame();

    std::vector<std::string> rows = ScreenRows(*machine, 0);
    EXPECT_EQ(rows[23], "\x7f 1982 Sinclair Research Ltd    ");
    // Waiting for a key, it runs its editor loop and the keyboard interrupt.
    EXPECT_GT(AddressesRunInOneFrame(*machine).size(), 50u);

    // P in keyword mode is PRINT.
    PressKey(machine->KeyRows, SpectrumKey::P);
    for (int frame = 0; frame < 5; ++frame) machine->RunFrame();
    ReleaseKey(machine->KeyRows, SpectrumKey::P);
    for (int frame = 0; frame < 5; ++frame) machine->RunFrame();
    rows = ScreenRows(*machine, 0);
    EXPECT_EQ(rows[23].substr(0, 6), "PRINT ");
}

TEST(RomBoot, The16KModelFindsOnly16KOfRam) {
    if (!CorpusHas("48.rom")) GTEST_SKIP() << "48.rom not found in " << RomDir();
    auto machine = CreateMachine(0, CorpusRoms());
    for (int frame = 0; frame < 150; ++frame) machine->RunFrame();
    EXPECT_EQ(ScreenRows(*machine, 0)[23], "\x7f 1982 Sinclair Research Ltd    ");
    // RAMTOP (system variable P-RAMT) is the last byte of the 16K.
    const uint16_t ramTop = uint16_t(machine->cpu.ReadByteFree(0x5CB4) | machine->cpu.ReadByteFree(0x5CB5) << 8);
    EXPECT_EQ(ramTop, 0x7FFF);
}

TEST(RomBoot, The128KRomShowsItsMenu) {
    if (!CorpusHas("128.rom")) GTEST_SKIP() << "128.rom not found in " << RomDir();
    auto machine = CreateMachine(4, CorpusRoms());
    for (int frame = 0; frame < 150; ++frame) machine->RunFrame();
    const std::vector<std::string> rows = ScreenRows(*machine, 1);
    const bool menuShown = std::any_of(rows.begin(), rows.end(),
                                       [](const std::string& row) { return row.find("128 BASIC") != std::string::npos; });
    EXPECT_TRUE(menuShown);
}

TEST(RomBoot, EveryModelRuns300FramesWithoutSticking) {
    for (int model = 0; model < kModelCount; ++model) {
        const ModelInfo& info = Models[model];
        SCOPED_TRACE(std::string(info.Caption));
        if (!CorpusHas(info.RomFile) || (!info.TrdosRomFile.empty() && !CorpusHas(info.TrdosRomFile))) {
            std::cout << "note: model \"" << info.Caption << "\" not run, its ROM is not in " << RomDir() << "\n";
            continue;
        }
        auto machine = CreateMachine(model, CorpusRoms());
        for (int frame = 0; frame < 300; ++frame) machine->RunFrame();
        const std::set<uint16_t> addresses = AddressesRunInOneFrame(*machine);
        EXPECT_GT(addresses.size(), 20u) << "PC " << machine->cpu.PC.w;
        // The ROM has drawn something.
        const bool ink = std::any_of(machine->screen.PixelLatch.begin(), machine->screen.PixelLatch.end(),
                                     [](uint8_t b) { return b != 0; });
        EXPECT_TRUE(ink);
    }
}

}  // namespace
}  // namespace tarvolinde::test
