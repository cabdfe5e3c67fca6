#include <gtest/gtest.h>

#include <string>

#include "machine/input/keyboard_typing.h"
#include "tape/tape_factory.h"
#include "tape/tzx.h"
#include "tests/machine/machine_test_support.h"
#include "tests/tape/tape_test_support.h"

namespace tarvolinde::test {
namespace {

// Where the ROM put a block: a header and the data block after it.
struct LoadedBlock {
    bool program;         // a BASIC program: it goes to PROG, and only the program part stays as loaded
    uint16_t address;     // CODE: the header's start address
    Bytes data;           // the bytes that must be in memory
};

// The standard-speed blocks of a TZX image as a TAP image.
Bytes TapOfTzx(const Bytes& tzx) {
    const TTzx tape(tzx);
    Bytes tap;
    for (const BlockNode& node : tape.Blocks().Nodes()) {
        if (node.Block.Kind != 0x10) continue;
        AppendWord(tap, node.Block.Length);
        const auto start = tzx.begin() + long(node.Block.Position + 5);
        tap.insert(tap.end(), start, start + long(node.Block.Length));
    }
    return tap;
}

constexpr uint16_t kScreenEnd = 0x5B00;

// The header/data pairs of a TAP image.
std::vector<LoadedBlock> BlocksOf(const Bytes& tap) {
    std::vector<Bytes> blocks;
    for (size_t at = 0; at + 2 <= tap.size();) {
        const size_t length = tap[at] | tap[at + 1] << 8;
        blocks.emplace_back(tap.begin() + long(at + 2), tap.begin() + long(std::min(tap.size(), at + 2 + length)));
        at += 2 + length;
    }
    std::vector<LoadedBlock> loaded;
    for (size_t i = 0; i + 1 < blocks.size(); ++i) {
        const Bytes& h = blocks[i];
        if (h.size() != 19 || h[0] != 0 || blocks[i + 1].empty() || blocks[i + 1][0] != 0xFF) continue;
        const Bytes& d = blocks[i + 1];
        const bool program = h[1] == 0;
        // Pictures loaded into the screen are printed over and replaced by later ones.
        const uint16_t address = uint16_t(h[14] | h[15] << 8);
        if (!program && address < kScreenEnd) {
            ++i;
            continue;
        }
        // A program keeps its lines as loaded; its variables change once it runs.
        const size_t keep = program ? size_t(h[16] | h[17] << 8) : d.size() - 2;
        loaded.push_back({program, uint16_t(h[14] | h[15] << 8), Bytes(d.begin() + 1, d.begin() + 1 + long(keep))});
        ++i;
    }
    return loaded;
}

struct LoadOutcome {
    bool finished = false;
    std::vector<Bytes> memory;  // what lay where each block was loaded when the last load ended
    Bytes screen;               // the screen once the program has run a while
};

constexpr int kBootFrames = 100;
// Long enough for the programs whose screens are compared to finish drawing.
constexpr int kFramesAfterLoading = 2000;
// The ROM's SA/LD-RET reads the keyboard here (PC after its IN A,(0xFE)) after
// every LD-BYTES, whether it loaded the block or not, and before the program
// that called it goes on.
constexpr uint16_t kAfterLoadRead = 0x054E;

// Stands between the machine and the tape and notes what lies in memory each
// time the ROM loader has just returned; the last note is the memory as the
// last load left it, before the program it loaded has run.
class LoaderWatch : public TapePort {
public:
    LoaderWatch(TCinta& tape, TSp& machine, const std::vector<LoadedBlock>& blocks)
        : tape_(tape), machine_(machine), blocks_(blocks) {}
    bool Playing() const override {
        if (machine_.cpu.PC.w == kAfterLoadRead) Note();
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
            Bytes bytes;
            const uint16_t start = block.program ? prog : block.address;
            for (size_t i = 0; i < block.data.size(); ++i) bytes.push_back(cpu.ReadByteFree(uint16_t(start + i)));
            memory.push_back(bytes);
        }
    }
    TCinta& tape_;
    TSp& machine_;
    const std::vector<LoadedBlock>& blocks_;
};

// Boots the machine, types LOAD "" and plays the tape until it has stopped
// past `lastBlock` (or `frameLimit` frames have gone by), then runs the program.
LoadOutcome LoadTape(const RomProvider& roms, const std::string& loadCommand, const std::string& file,
                     const std::vector<LoadedBlock>& expected, bool fastLoad, int32_t lastBlock, int frameLimit) {
    LoadOutcome outcome;
    auto machine = CreateMachine(kModel48K, roms);
    auto tape = CreateTape(*TapeKindOf(file), std::move(*ReadTestFile(TapeDir() + file)));
    tape->FastLoad = fastLoad;
    tape->AutoRewind = false;
    machine->AutoPlayStop = true;
    tape->Attach(machine.get());
    LoaderWatch watch(*tape, *machine, expected);
    machine->Tape = &watch;

    for (int i = 0; i < kBootFrames; ++i) machine->RunFrame();
    TypingSession typing(loadCommand);
    while (!typing.Done()) {
        typing.BeforeFrame(machine->KeyRows);
        machine->RunFrame();
    }
    machine->KeyRows = kAllKeysUp;
    for (int frame = 0; frame < frameLimit && !outcome.finished; ++frame) {
        machine->RunFrame();
        outcome.finished = !tape->Playing() && tape->BlockIndex() >= lastBlock;
    }
    for (int i = 0; i < kFramesAfterLoading; ++i) machine->RunFrame();
    outcome.memory = watch.memory;
    const auto page = machine->RamPage(5);
    outcome.screen.assign(page.begin(), page.begin() + kScreenDumpBytes);
    machine->Tape = nullptr;
    return outcome;
}

struct RealTape {
    std::string file;
    std::string blocksFrom;  // the TAP image whose blocks the file holds
    int32_t lastBlock;       // browser index of the last block the ROM loads
    bool fast;               // also load it with fast loading
    bool sameScreen;         // the program draws the same picture whichever way it loaded
    int frameLimit;
    bool openSe = false;     // on OpenSE BASIC instead of the Sinclair ROM
};

const std::string kOpenSeRom = "/usr/share/spectrum-roms/opense.rom";

RomProvider OpenSeRoms() {
    return [](std::string_view) { return ReadTestFile(kOpenSeRom); };
}

class RealTapes : public ::testing::TestWithParam<RealTape> {};

TEST_P(RealTapes, LoadWithLoadQuotesAtRealSpeedAndFast) {
    const RealTape& c = GetParam();
    if (!c.openSe && !CorpusHas("48.rom")) GTEST_SKIP() << "48.rom absent from " << RomDir();
    if (c.openSe && !ReadTestFile(kOpenSeRom)) GTEST_SKIP() << kOpenSeRom << " absent (Debian's spectrum-roms)";
    const auto tap = ReadTestFile(TapeDir() + c.blocksFrom);
    if (!tap || !ReadTestFile(TapeDir() + c.file)) GTEST_SKIP() << c.file << " or " << c.blocksFrom << " absent";
    const RomProvider roms = c.openSe ? OpenSeRoms() : CorpusRoms();
    // Sinclair BASIC takes keywords from single keys; OpenSE BASIC from typed words.
    const std::string command = c.openSe ? "load \"\"\n" : "j\"\"\n";
    const bool fromTzx = c.blocksFrom.ends_with(".tzx");
    const std::vector<LoadedBlock> expected = BlocksOf(fromTzx ? TapOfTzx(*tap) : *tap);
    ASSERT_FALSE(expected.empty());

    const LoadOutcome real = LoadTape(roms, command, c.file, expected, false, c.lastBlock, c.frameLimit);
    ASSERT_TRUE(real.finished) << "the tape did not play to its last block";
    ASSERT_EQ(real.memory.size(), expected.size()) << "the ROM loader never returned";
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(real.memory[i], expected[i].data) << "block " << i;
    if (!c.fast) return;
    const LoadOutcome fast = LoadTape(roms, command, c.file, expected, true, c.lastBlock, c.frameLimit);
    ASSERT_TRUE(fast.finished);
    ASSERT_EQ(fast.memory.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(fast.memory[i], expected[i].data) << "block " << i;
    if (c.sameScreen) {
        EXPECT_EQ(fast.screen, real.screen);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, RealTapes,
    ::testing::Values(RealTape{"casita-compilado.tap", "casita-compilado.tap", 5, true, true, 6000},
                      RealTape{"ZX_SNAKE1K.TAP", "ZX_SNAKE1K.TAP", 1, true, false, 3000},
                      RealTape{"crashcars2.tap", "crashcars2.tap", 5, true, false, 12000},
                      RealTape{"gen_casita_allblocks.tzx", "casita-compilado.tap", 26, true, true, 7000},
                      RealTape{"explodingplanets.tzx", "explodingplanets.tzx", 10, true, false, 9000},
                      RealTape{"casita-compilado.tap", "casita-compilado.tap", 5, true, true, 6000, true},
                      RealTape{"explodingplanets.tzx", "explodingplanets.tzx", 10, true, false, 9000, true},
                      RealTape{"gen_casita_v1rle.csw", "casita-compilado.tap", 0, false, false, 7000},
                      RealTape{"gen_casita_v2zrle.csw", "casita-compilado.tap", 0, false, false, 7000},
                      RealTape{"gen_snake1k.wav", "ZX_SNAKE1K.TAP", 0, false, false, 3000},
                      RealTape{"ZX_SNAKE1K.TAP.wav", "ZX_SNAKE1K.TAP", 0, false, false, 3000},
                      RealTape{"gen_snake1k.voc", "ZX_SNAKE1K.TAP", 0, false, false, 3000}),
    [](const ::testing::TestParamInfo<RealTape>& info) {
        std::string name = (info.param.openSe ? "OpenSE_" : "") + info.param.file;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return name;
    });

}  // namespace
}  // namespace tarvolinde::test
