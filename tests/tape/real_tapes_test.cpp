// Real tapes typed in with LOAD "" and loaded by the ROM loader, at real speed
// and fast: every block must land where its header says.

#include <gtest/gtest.h>

#include <string>

#include "machine/input/keyboard_typing.h"
#include "tape/tape_factory.h"
#include "tests/machine/machine_test_support.h"
#include "tests/tape/tape_test_support.h"

namespace tarvolinde::test {
namespace {

struct LoadedBlock {
    bool program;      // a BASIC program goes to PROG
    uint16_t address;  // CODE: the header's start address
    Bytes data;        // the bytes that must be in memory
};

// The header/data pairs of a TAP image, or of a TZX image's standard blocks.
std::vector<LoadedBlock> BlocksOf(const Bytes& file) {
    const bool tzx = file[0] == 'Z';
    const size_t fields = tzx ? 5 : 2;  // before the ROM bytes: TZX ID, pause, length; TAP length
    std::vector<Bytes> blocks;
    for (const BlockNode& node : CreateTape(tzx ? TapeKind::Tzx : TapeKind::Tap, file)->Blocks().Nodes()) {
        const size_t start = std::min(file.size(), node.Block.Position + fields);
        const size_t end = std::min(file.size(), start + node.Block.Length);
        if (node.Block.Kind == 0x10) blocks.emplace_back(file.begin() + long(start), file.begin() + long(end));
    }
    std::vector<LoadedBlock> loaded;
    for (size_t i = 0; i + 1 < blocks.size(); ++i) {
        const Bytes& h = blocks[i];
        const Bytes& d = blocks[i + 1];
        if (h.size() != 19 || h[0] != 0 || d.empty() || d[0] != 0xFF) continue;
        ++i;
        const bool program = h[1] == 0;
        const uint16_t address = uint16_t(h[14] | h[15] << 8);
        // Pictures loaded into the screen are printed over and replaced by later ones.
        if (!program && address < 0x5B00) continue;
        // A program keeps its lines as loaded; its variables change once it runs.
        const size_t keep = program ? size_t(h[16] | h[17] << 8) : d.size() - 2;
        loaded.push_back({program, address, Bytes(d.begin() + 1, d.begin() + 1 + long(keep))});
    }
    return loaded;
}

// Stands between the machine and the tape and notes what lies where each block
// belongs each time the ROM's LD-BYTES has returned (PC after the keyboard read
// of SA/LD-RET); the last note is the memory as the last load left it.
class LoaderWatch : public TapePort {
public:
    LoaderWatch(TCinta& tape, TSp& machine, const std::vector<LoadedBlock>& blocks)
        : tape_(tape), machine_(machine), blocks_(blocks) {}
    bool Playing() const override {
        if (machine_.cpu.PC.w == 0x054E) Note();
        return tape_.Playing();
    }
    void Update() override { tape_.Update(); }
    void Play() override { tape_.Play(); }
    // Filled from the const Playing(), which is where port reads reach the watch.
    mutable std::vector<Bytes> memory;

private:
    void Note() const {
        const Z80& cpu = machine_.cpu;
        const uint16_t prog = uint16_t(cpu.ReadByteFree(23635) | cpu.ReadByteFree(23636) << 8);
        memory.clear();
        for (const LoadedBlock& block : blocks_) {
            Bytes& bytes = memory.emplace_back();
            for (size_t i = 0; i < block.data.size(); ++i)
                bytes.push_back(cpu.ReadByteFree(uint16_t((block.program ? prog : block.address) + i)));
        }
    }
    TCinta& tape_;
    TSp& machine_;
    const std::vector<LoadedBlock>& blocks_;
};

struct RealTape {
    std::string file;
    std::string blocksFrom;  // the TAP or TZX image whose blocks the file holds
    int32_t lastBlock;       // browser index of the last block the ROM loads
    bool sameScreen;         // the program draws the same picture whichever way it loaded
    int frameLimit;
    bool openSe = false;     // on OpenSE BASIC instead of the Sinclair ROM
};

// What lay where each block belongs when the last load ended; the screen once the program has run.
struct LoadOutcome { std::vector<Bytes> memory; Bytes screen; };

const std::string kOpenSeRom = "/usr/share/spectrum-roms/opense.rom";

// Boots, types LOAD "", plays the tape until it has stopped past its last
// block, then runs the program long enough for it to draw its screen.
LoadOutcome LoadTape(const RealTape& c, const std::vector<LoadedBlock>& expected, bool fastLoad) {
    const RomProvider roms = c.openSe ? RomProvider([](std::string_view) { return ReadTestFile(kOpenSeRom); })
                                      : CorpusRoms();
    auto machine = CreateMachine(kModel48K, roms);
    auto tape = CreateTape(*TapeKindOf(c.file), std::move(*ReadTestFile(TapeDir() + c.file)));
    tape->FastLoad = fastLoad;
    tape->AutoRewind = false;
    machine->AutoPlayStop = true;
    tape->Attach(machine.get());
    LoaderWatch watch(*tape, *machine, expected);
    machine->Tape = &watch;

    // Sinclair BASIC takes keywords from single keys; OpenSE BASIC from typed words.
    BootAndType(*machine, c.openSe ? "load \"\"\n" : "j\"\"\n");
    bool finished = false;
    for (int frame = 0; frame < c.frameLimit && !finished; ++frame) {
        machine->RunFrame();
        finished = !tape->Playing() && tape->BlockIndex() >= c.lastBlock;
    }
    EXPECT_TRUE(finished) << "the tape did not play to its last block";
    for (int i = 0; i < 2000; ++i) machine->RunFrame();
    const auto page = machine->RamPage(5);
    machine->Tape = nullptr;
    return {watch.memory, Bytes(page.begin(), page.begin() + kScreenDumpBytes)};
}

class RealTapes : public ::testing::TestWithParam<RealTape> {};

TEST_P(RealTapes, LoadWithLoadQuotesAtRealSpeedAndFast) {
    const RealTape& c = GetParam();
    if (!c.openSe && !CorpusHas("48.rom")) GTEST_SKIP() << "48.rom absent from " << RomDir();
    if (c.openSe && !ReadTestFile(kOpenSeRom)) GTEST_SKIP() << kOpenSeRom << " absent (Debian's spectrum-roms)";
    const auto blocksFrom = ReadTestFile(TapeDir() + c.blocksFrom);
    if (!blocksFrom || !ReadTestFile(TapeDir() + c.file)) GTEST_SKIP() << c.file << " or " << c.blocksFrom << " absent";
    const std::vector<LoadedBlock> expected = BlocksOf(*blocksFrom);
    ASSERT_FALSE(expected.empty());
    // Only the ROM blocks of TAP and TZX files can be loaded fast.
    const bool hasFastLoad = c.file.ends_with(".tap") || c.file.ends_with(".TAP") || c.file.ends_with(".tzx");
    LoadOutcome real;
    for (const bool fast : {false, true}) {
        if (fast && !hasFastLoad) break;
        SCOPED_TRACE(fast ? "fast" : "real speed");
        const LoadOutcome outcome = LoadTape(c, expected, fast);
        ASSERT_EQ(outcome.memory.size(), expected.size()) << "the ROM loader never returned";
        for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(outcome.memory[i], expected[i].data) << "block " << i;
        if (!fast) real = outcome;
        else if (c.sameScreen) { EXPECT_EQ(outcome.screen, real.screen); }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, RealTapes,
    ::testing::Values(RealTape{"casita-compilado.tap", "casita-compilado.tap", 5, true, 6000},
                      RealTape{"ZX_SNAKE1K.TAP", "ZX_SNAKE1K.TAP", 1, false, 3000},
                      RealTape{"crashcars2.tap", "crashcars2.tap", 5, false, 12000},
                      RealTape{"gen_casita_allblocks.tzx", "casita-compilado.tap", 26, true, 7000},
                      RealTape{"explodingplanets.tzx", "explodingplanets.tzx", 10, false, 9000},
                      RealTape{"casita-compilado.tap", "casita-compilado.tap", 5, true, 6000, true},
                      RealTape{"explodingplanets.tzx", "explodingplanets.tzx", 10, false, 9000, true},
                      RealTape{"gen_casita_v1rle.csw", "casita-compilado.tap", 0, false, 7000},
                      RealTape{"gen_casita_v2zrle.csw", "casita-compilado.tap", 0, false, 7000},
                      RealTape{"gen_snake1k.wav", "ZX_SNAKE1K.TAP", 0, false, 3000},
                      RealTape{"ZX_SNAKE1K.TAP.wav", "ZX_SNAKE1K.TAP", 0, false, 3000},
                      RealTape{"gen_snake1k.voc", "ZX_SNAKE1K.TAP", 0, false, 3000}),
    [](const auto& info) { return FileTestName((info.param.openSe ? "OpenSE_" : "") + info.param.file); });

}  // namespace
}  // namespace tarvolinde::test
