// Every model on its real ROM (from the test corpus): it boots and keeps running.

#include <gtest/gtest.h>

#include <algorithm>
#include <span>

#include "machine/video/screen_text.h"
#include "machine_test_support.h"

namespace tarvolinde::test {
namespace {

std::vector<std::string> ScreenRows(const TSp& machine, int characterSetRomPage) {
    const auto rom = machine.RomPage(characterSetRomPage);
    return ScreenText(std::span<const uint8_t, kScreenCells>(machine.screen.PixelLatch),
                      std::span<const uint8_t, kCharacterSetBytes>(rom.data() + 0x3D00, kCharacterSetBytes));
}

std::unique_ptr<TSp> Booted(int model, int frames = 150) {
    auto machine = CreateMachine(model, CorpusRoms());
    for (int frame = 0; frame < frames; ++frame) machine->RunFrame();
    return machine;
}

TEST(RomBoot, The48KAnd16KShowTheCopyrightTypeAKeywordAndFindTheirRam) {
    if (!CorpusHas("48.rom")) GTEST_SKIP() << "48.rom not found in " << RomDir();
    for (const auto [model, ramTop] : {std::pair{kModel48K, 0xFFFF}, {0, 0x7FFF}}) {
        auto machine = Booted(model);
        EXPECT_EQ(ScreenRows(*machine, 0)[23], "\x7f 1982 Sinclair Research Ltd    ");
        EXPECT_EQ(machine->cpu.ReadByteFree(0x5CB4) | machine->cpu.ReadByteFree(0x5CB5) << 8, ramTop);  // P-RAMT
    }
    // Waiting for a key, it runs its editor loop and the keyboard interrupt; P in keyword mode is PRINT.
    auto machine = Booted(kModel48K);
    EXPECT_GT(AddressesRunInOneFrame(*machine).size(), 50u);
    PressKey(machine->KeyRows, SpectrumKey::P);
    for (int frame = 0; frame < 5; ++frame) machine->RunFrame();
    ReleaseKey(machine->KeyRows, SpectrumKey::P);
    for (int frame = 0; frame < 5; ++frame) machine->RunFrame();
    EXPECT_EQ(ScreenRows(*machine, 0)[23].substr(0, 6), "PRINT ");
}

TEST(RomBoot, The128KRomShowsItsMenu) {
    if (!CorpusHas("128.rom")) GTEST_SKIP() << "128.rom not found in " << RomDir();
    const std::vector<std::string> rows = ScreenRows(*Booted(4), 1);
    EXPECT_TRUE(std::any_of(rows.begin(), rows.end(),
                            [](const std::string& row) { return row.find("128 BASIC") != std::string::npos; }));
}

TEST(RomBoot, EveryModelRuns300FramesWithoutSticking) {
    for (int model = 0; model < kModelCount; ++model) {
        const ModelInfo& info = Models[model];
        SCOPED_TRACE(std::string(info.Caption));
        if (!CorpusHas(info.RomFile) || (!info.TrdosRomFile.empty() && !CorpusHas(info.TrdosRomFile))) {
            std::cout << "note: model \"" << info.Caption << "\" not run, its ROM is not in " << RomDir() << "\n";
            continue;
        }
        auto machine = Booted(model, 300);
        EXPECT_GT(AddressesRunInOneFrame(*machine).size(), 20u) << "PC " << machine->cpu.PC.w;
        const auto& pixels = machine->screen.PixelLatch;
        EXPECT_TRUE(std::any_of(pixels.begin(), pixels.end(), [](uint8_t b) { return b != 0; }));  // the ROM drew
    }
}

}  // namespace
}  // namespace tarvolinde::test
