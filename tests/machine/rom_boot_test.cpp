// Every model on its real ROM (from the test corpus): it boots and keeps running.
// The runner's cli.boot.* and cli.type.* tests check the start-up screens and typing.

#include <gtest/gtest.h>

#include <algorithm>

#include "machine_test_support.h"

namespace tarvolinde::test {
namespace {

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
        EXPECT_GT(AddressesRunInOneFrame(*machine).size(), 20u) << "PC " << machine->cpu.PC.w;
        const auto& pixels = machine->screen.PixelLatch;
        EXPECT_TRUE(std::any_of(pixels.begin(), pixels.end(), [](uint8_t b) { return b != 0; }));  // the ROM drew
        if (model == 0) {  // the 16K finds only 16K: RAMTOP (P-RAMT) is its last byte
            EXPECT_EQ(machine->cpu.ReadByteFree(0x5CB4) | machine->cpu.ReadByteFree(0x5CB5) << 8, 0x7FFF);
        }
    }
}

}  // namespace
}  // namespace tarvolinde::test
