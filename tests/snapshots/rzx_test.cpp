// RZX recordings: a recorded session plays back to the same state frame by
// frame; recordings made by another program, with SZX snapshots and several
// input blocks, play to their last frame; a frame that reads more ports than
// were recorded ends playback with an error. And SZX files load as the Z80
// files they were made from.

#include <gtest/gtest.h>

#include "snapshot_test_support.h"
#include "snapshots/rzx.h"
#include "tests/tape/tape_test_support.h"

namespace tarvolinde::test {
namespace {

struct SzxCase {
    const char* name;
    int model;
};

class SzxFromZ80 : public testing::TestWithParam<SzxCase> {};

// The Z80 loader puts the 16K on the 48K and the +3 on the 128K, and the Z80
// files carry AY registers on the 48K too: the rest of the state agrees.
TEST_P(SzxFromZ80, LoadsToTheSameState) {
    const std::string name = GetParam().name;
    const auto szx = ReadTestFile(TESTDATA_DIR "/snapshots/gen_" + name + ".szx");
    const auto z80 = ReadTestFile(TESTDATA_DIR "/snapshots/" + name + ".z80");
    if (!szx || !z80) GTEST_SKIP() << name << " files not found in " << TESTDATA_DIR;
    MachineSlot fromSzx, fromZ80;
    TSp& a = MakeSnapshot(SnapshotKind::Szx)->Load(*szx, fromSzx.Selector());
    TSp& b = MakeSnapshot(SnapshotKind::Z80)->Load(*z80, fromZ80.Selector());
    EXPECT_EQ(a.ModelIndex, GetParam().model);
    const auto comparable = [&](const TSp& machine) {
        std::vector<std::string> lines = StateLines(machine, false, a.RamKb >= 128);
        std::erase_if(lines, [&](const std::string& line) {
            return line.starts_with("model=") || line.starts_with("1FFD=") ||
                   (a.RamKb == 16 && (line.starts_with("page0=") || line.starts_with("page2=")));
        });
        return lines;
    };
    EXPECT_EQ(comparable(a), comparable(b));
    EXPECT_THROW(MakeSnapshot(SnapshotKind::Szx)->Parse(std::span(*szx).first(szx->size() - 1)), SnapshotError);
}

INSTANTIATE_TEST_SUITE_P(Corpus, SzxFromZ80,
                         testing::Values(SzxCase{"p16k", 0}, SzxCase{"p48k", 1}, SzxCase{"p128", 4},
                                         SzxCase{"plus3", 9}),
                         [](const auto& info) { return FileTestName(info.param.name); });

// The 48K ROM booting with keys going down and up: recorded, then played on
// a fresh machine, the states agree at every frame.
TEST(Rzx, PlaybackRepeatsTheRecordedRunFrameByFrame) {
    if (!CorpusHas("48.rom")) GTEST_SKIP() << "48.rom not found in " << RomDir();
    auto source = CreateMachine(kModel48K, CorpusRoms());
    for (int frame = 0; frame < 150; ++frame) source->RunFrame();
    std::unique_ptr<TRZX> recorder = TRZX::StartRecording(*source);
    std::vector<std::vector<std::string>> recorded;
    for (int frame = 0; frame < 120; ++frame) {
        source->KeyRows[frame % 8] = (frame / 8) % 2 ? 0xFE : 0xFF;
        source->RunFrame();
        recorded.push_back(StateLines(*source, false));
    }
    const std::vector<uint8_t> file = recorder->FinishRecording();
    EXPECT_EQ(source->cpu.FrameRoutine, Z80::FrameProcedure::Standard);

    std::unique_ptr<TRZX> player = TRZX::Open(file);
    EXPECT_EQ(player->TotalFrames(), 121u);
    MachineSlot slot{CorpusRoms(), nullptr, 0};
    auto other = MadeUpMachine(4);
    TSp& machine = player->StartPlayback(*other, slot.Selector());
    ASSERT_EQ(machine.ModelIndex, kModel48K);
    for (size_t frame = 0; frame < recorded.size(); ++frame) {
        machine.RunFrame();
        ASSERT_EQ(StateLines(machine, false), recorded[frame]) << "frame " << frame + 1;
    }
    EXPECT_EQ(player->Status(), RzxStatus::Ended);
    EXPECT_EQ(player->FramesPlayed(), 121u);
    EXPECT_EQ(machine.cpu.FrameRoutine, Z80::FrameProcedure::Standard);
}

class FuseRecording : public testing::TestWithParam<const char*> {};

TEST_P(FuseRecording, PlaysToItsLastFrame) {
    const auto file = ReadTestFile(std::string(TESTDATA_DIR "/rzx/") + GetParam());
    if (!file || !CorpusHas("48.rom") || !CorpusHas("128.rom")) GTEST_SKIP() << GetParam() << " or ROMs not found";
    std::unique_ptr<TRZX> player = TRZX::Open(*file);
    EXPECT_FALSE(player->NeedsSnapshot());
    MachineSlot slot{CorpusRoms(), nullptr, 0};
    auto current = MadeUpMachine(kModel48K);
    TSp& machine = player->StartPlayback(*current, slot.Selector());
    for (uint64_t frame = 0; frame <= player->TotalFrames() && player->Status() == RzxStatus::Playing; ++frame)
        machine.RunFrame();
    EXPECT_EQ(player->Status(), RzxStatus::Ended) << player->Failure();
    EXPECT_EQ(player->FramesPlayed(), player->TotalFrames());
    EXPECT_GT(player->TotalFrames(), 2900u);
}

INSTANTIATE_TEST_SUITE_P(Corpus, FuseRecording,
                         testing::Values("gen_fuse_48_crashcars2.rzx", "gen_fuse_128_explodingplanets.rzx"),
                         [](const auto& info) { return FileTestName(info.param); });

// One uncompressed frame of 40 fetches with one port byte, over a loop of
// IN A,(0xFE): the second read has nothing to return.
TEST(Rzx, MorePortReadsThanRecordedEndPlaybackWithAnError) {
    const std::vector<uint8_t> file = {'R', 'Z', 'X', '!', 0, 12, 0, 0, 0, 0,
                                       0x80, 23, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                       40, 0, 1, 0, 0x5A};
    auto machine = MadeUpMachine(kModel48K);
    Poke(*machine, 0x8000, {0xDB, 0xFE, 0x18, 0xFC});
    machine->cpu.PC.w = 0x8000;
    std::unique_ptr<TRZX> player = TRZX::Open(file);
    EXPECT_TRUE(player->NeedsSnapshot());
    MachineSlot slot;
    player->StartPlayback(*machine, slot.Selector());
    machine->RunFrame();
    EXPECT_EQ(player->Status(), RzxStatus::Failed);
    EXPECT_EQ(machine->cpu.A(), 0xFF);
    EXPECT_EQ(machine->RzxPlayback, nullptr);
    EXPECT_EQ(machine->cpu.FrameRoutine, Z80::FrameProcedure::Standard);
    machine->RunFrame();  // and the machine goes on
    EXPECT_EQ(machine->cpu.PC.w & 0xFFF0, 0x8000);
    EXPECT_EQ(slot.switches, 0);

    // Signed, protected, cut short, or with no input block: refused.
    for (const size_t cut : {size_t(6), size_t(20), size_t(10)}) {
        EXPECT_THROW(TRZX::Open(std::vector<uint8_t>(file.begin(), file.begin() + std::ptrdiff_t(cut))), RzxError);
    }
    std::vector<uint8_t> damaged = file;
    damaged[24] = 1;  // protected
    EXPECT_THROW(TRZX::Open(damaged), RzxError);
    damaged = file;
    damaged[10] = 0x20;  // security information
    EXPECT_THROW(TRZX::Open(damaged), RzxError);
}

}  // namespace
}  // namespace tarvolinde::test
