// The +3e's own ROM on the hard disk: it finds the drive of the corpus image,
// and on an image made here it formats the disk, makes a partition and saves a
// program, which a machine built afresh on the same file loads and runs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/cli/state_report.h"
#include "machine/input/keyboard_typing.h"
#include "machine/machine_factory.h"
#include "machine/rom_files.h"
#include "storage/thd.h"

namespace tarvolinde {
namespace {

namespace fs = std::filesystem;
constexpr int kPlus3e = 13;

std::unique_ptr<TSp> BootToPlus3Basic(const std::string& image) {
    MachineDevices devices;
    devices.MakeIde = [&] { return std::unique_ptr<IdePorts>(THD::Open(image)); };
    auto machine = CreateMachine(kPlus3e, RomFilesIn({TESTDATA_DIR "/roms"}), {}, devices);
    for (int frame = 0; frame < 500; ++frame) {
        machine->KeyRows.fill(0xFF);
        // At the menu: cursor down (CAPS SHIFT and 6), then ENTER for "+3 BASIC".
        if (frame >= 200 && frame < 205) machine->KeyRows[0] &= ~0x01, machine->KeyRows[4] &= ~0x10;
        if (frame >= 210 && frame < 215) machine->KeyRows[6] &= ~0x01;
        machine->RunFrame();
    }
    return machine;
}

// Each line is typed after the last one has run; the editor drops the first
// keys after a report, hence the spaces.
std::string TypeLines(TSp& machine, std::initializer_list<const char*> lines) {
    for (const char* line : lines) {
        TypingSession typing(std::string("    ") + line + "\n");
        while (!typing.Done()) typing.BeforeFrame(machine.KeyRows), machine.RunFrame();
        machine.KeyRows.fill(0xFF);
        for (int frame = 0; frame < 200; ++frame) machine.RunFrame();
    }
    std::string screen;
    for (const std::string& row : cli::ScreenAsText(machine)) screen += row + "\n";
    return screen;
}

class HardDiskRomTest : public testing::TestWithParam<bool> {};

TEST_P(HardDiskRomTest, SavedProgramLoadsAndRunsFromTheDisk) {
    if (!fs::exists(TESTDATA_DIR "/roms/+3Ei.rom")) GTEST_SKIP() << "no +3Ei.rom in " TESTDATA_DIR "/roms";
    const std::string image = testing::TempDir() + "/hard_disk_rom_test_" + std::to_string(GetParam()) + ".hdf";
    ASSERT_TRUE(CreateHdfImage(image, {20, 16, 63}, GetParam()));
    {
        auto machine = BootToPlus3Basic(image);
        const std::string screen = TypeLines(*machine, {"format to 0,4", "y", "new data \"main\",2",
                                                        "move \"c:\" in \"main\"", "10 print \"Tarvolinde\"",
                                                        "save \"c:prog\" line 10"});
        ASSERT_NE(screen.find("0 OK"), std::string::npos) << screen;
    }
    auto machine = BootToPlus3Basic(image);
    const std::string screen = TypeLines(*machine, {"move \"c:\" in \"main\"", "load \"c:prog\""});
    fs::remove(image);
    EXPECT_NE(screen.find("\nTarvolinde"), std::string::npos) << screen;
}

// Only the drive: the image's IDEDOS structures fill 512 bytes a sector (a disk
// of a 16-bit interface), which the 8-bit interface and its ROM cannot read.
TEST(HardDiskRom, FindsTheDriveOfTheCorpusImage) {
    const std::string packed = TESTDATA_DIR "/hdf/idedos-success.hdf.bz2";
    if (!fs::exists(packed) || !fs::exists(TESTDATA_DIR "/roms/+3Ei.rom")) GTEST_SKIP() << "no corpus in " TESTDATA_DIR;
    if (std::system("command -v bzip2 >/dev/null") != 0) GTEST_SKIP() << "bzip2 is needed to unpack " << packed;
    const std::string image = testing::TempDir() + "/idedos-success.hdf";
    ASSERT_EQ(std::system(("bzip2 -dc '" + packed + "' > '" + image + "'").c_str()), 0);
    auto machine = BootToPlus3Basic(image);
    fs::remove(image);
    machine->Reset();
    for (int frame = 0; frame < 300; ++frame) machine->RunFrame();
    EXPECT_NE(TypeLines(*machine, {}).find("Physical drives: 1 floppy, 1 IDE"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Layouts, HardDiskRomTest, testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Halved" : "Full"; });

}  // namespace
}  // namespace tarvolinde
