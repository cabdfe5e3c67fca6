#include <gtest/gtest.h>

#include <algorithm>

#include "tape/tap.h"
#include "tests/tape/tape_test_support.h"

namespace tarvolinde::test {
namespace {

struct PlayingTape {
    std::unique_ptr<TSp> machine = DeckMachine();
    std::unique_ptr<TTap> tape;
    explicit PlayingTape(Bytes bytes) : tape(std::make_unique<TTap>(std::move(bytes))) {
        tape->FastLoad = false;
        tape->Attach(machine.get());
        tape->Play();
    }
};

// The pulses a block makes, from its first pilot edge on.
std::vector<uint64_t> ExpectedPulses(uint32_t pilotPulses, const Bytes& block) {
    std::vector<uint64_t> pulses(pilotPulses - 1, 2168);
    pulses.push_back(667);
    pulses.push_back(735);
    for (uint8_t b : block)
        for (int bit = 7; bit >= 0; --bit) {
            const uint64_t length = (b >> bit) & 1 ? 1710 : 855;
            pulses.push_back(length);
            pulses.push_back(length);
        }
    return pulses;
}

TEST(TapEngine, BlockPulseTrainPilotSyncsBitsAndPause) {
    const Bytes data = RomBlock(0xFF, {0xA5, 0x0F});
    PlayingTape t(TapOf({data, data}));
    t.tape->AutoRewind = false;
    const auto edges = EdgeTimes(*t.tape, *t.machine, 30'000'000);
    ASSERT_FALSE(edges.empty());
    const std::vector<uint64_t> pulses = Pulses(edges);
    const std::vector<uint64_t> block = ExpectedPulses(3220, data);
    ASSERT_GT(pulses.size(), block.size());
    EXPECT_TRUE(std::equal(block.begin(), block.end(), pulses.begin()));
    // The first pilot pulse starts at Play; the level is never forced between blocks.
    EXPECT_EQ(edges.front(), 2168u + 1);
    // A second's pause, then the next block's pilot, measured from the pause's end.
    EXPECT_EQ(pulses[block.size()], 3'500'001u + 2168u);
    EXPECT_EQ(t.tape->BlockIndex(), 1);
    // Two identical blocks, and the tape stops by itself at its end.
    EXPECT_EQ(pulses.size(), 2 * block.size() + 1);
    EXPECT_FALSE(t.tape->Playing());
}

TEST(TapEngine, PilotLengthGoesByBlockLengthNotFlag) {
    const Bytes header = RomBlock(0xFF, Bytes(17, 0x00));  // 19 bytes with a data flag
    PlayingTape t(TapOf({header}));
    const auto pulses = Pulses(EdgeTimes(*t.tape, *t.machine, 20'000'000));
    const auto pilot = std::find_if(pulses.begin(), pulses.end(), [](uint64_t p) { return p != 2168; });
    EXPECT_EQ(pilot - pulses.begin(), 8064 - 1);

    PlayingTape data(TapOf({RomBlock(0x00, Bytes(18, 0x00))}));  // 20 bytes with a header flag
    const auto dataPulses = Pulses(EdgeTimes(*data.tape, *data.machine, 20'000'000));
    EXPECT_EQ(std::find_if(dataPulses.begin(), dataPulses.end(), [](uint64_t p) { return p != 2168; }) -
                  dataPulses.begin(),
              3220 - 1);
}

TEST(TapEngine, EmptyBlockPlaysPilotAndSyncsOnly) {
    PlayingTape t(TapOf({Bytes{}}));
    const auto pulses = Pulses(EdgeTimes(*t.tape, *t.machine, 20'000'000));
    ASSERT_EQ(pulses.size(), 3220u - 1 + 2);
    EXPECT_EQ(pulses[pulses.size() - 2], 667u);
    EXPECT_EQ(pulses.back(), 735u);
    EXPECT_FALSE(t.tape->Playing());
}

TEST(TapEngine, EmptyFileStopsAtOnce) {
    PlayingTape t(Bytes{});
    EXPECT_EQ(t.tape->Blocks().Count(), 0u);
    t.tape->Update();
    EXPECT_FALSE(t.tape->Playing());
}

TEST(TapEngine, TruncatedBlockPlaysItsCountOfBytes) {
    Bytes tap = TapOf({RomBlock(0xFF, Bytes(8, 0xFF))});
    tap.resize(5);  // the length says 10, three bytes are there
    PlayingTape t(tap);
    const auto pulses = Pulses(EdgeTimes(*t.tape, *t.machine, 30'000'000));
    EXPECT_EQ(pulses.size(), 3220u - 1 + 2 + 10 * 16);
    EXPECT_FALSE(t.tape->Playing());
}

TEST(TapDeck, StopRewindsWithAutoRewindAndResumesOtherwise) {
    const Bytes data = RomBlock(0xFF, {1, 2, 3});
    PlayingTape t(TapOf({data, data}));
    EdgeTimes(*t.tape, *t.machine, 15'000'000, 7);
    ASSERT_EQ(t.tape->BlockIndex(), 1);
    t.tape->AutoRewind = false;
    t.tape->Stop(true);
    EXPECT_EQ(t.tape->BlockIndex(), 1);
    EXPECT_EQ(t.machine->EarMask, 0xBF);
    t.tape->AutoRewind = true;
    t.tape->Stop(true);
    EXPECT_EQ(t.tape->BlockIndex(), -1);
    t.tape->Play();
    t.machine->cpu.TotalTStates = 10;
    t.tape->Update();
    EXPECT_EQ(t.tape->BlockIndex(), 0);
}

TEST(TapDeck, PlayAndStopSetTheClockEarAndPacing) {
    PlayingTape t(TapOf({RomBlock(0xFF, {1})}));
    std::vector<bool> told;
    t.tape->PlayingChanged = [&](bool playing) { told.push_back(playing); };
    t.tape->Stop(false);
    EXPECT_EQ(t.machine->cpu.NormalSpeed, 1);
    t.machine->EarMask = 0xFF;
    t.machine->cpu.TotalTStates = 123456;
    t.tape->FastLoad = true;
    t.tape->Play();
    EXPECT_EQ(t.machine->cpu.TotalTStates, 0u);
    EXPECT_EQ(t.machine->EarMask, 0xBF);
    EXPECT_EQ(t.machine->cpu.NormalSpeed, 0);  // fast loading runs unpaced
    t.tape->Stop(false);
    EXPECT_EQ(t.machine->cpu.NormalSpeed, 1);
    EXPECT_EQ(told, (std::vector<bool>{false, true, false}));
    // Taking the tape out of a playing deck leaves the machine paced.
    t.tape->Play();
    t.tape.reset();
    EXPECT_EQ(t.machine->cpu.NormalSpeed, 1);
    EXPECT_EQ(t.machine->Tape, nullptr);
}

TEST(TapDeck, GoToBlockPlaysTheChosenBlockNextAndRefusesMissingOnes) {
    const Bytes a = RomBlock(0xFF, {0x00});
    const Bytes b = RomBlock(0xFF, {0xFF, 0xFF});
    PlayingTape t(TapOf({a, b}));
    t.tape->GoToBlock(1);
    EXPECT_EQ(t.tape->BlockIndex(), 0);
    const auto pulses = Pulses(EdgeTimes(*t.tape, *t.machine, 8'000'000));
    const auto expected = ExpectedPulses(3220, b);
    ASSERT_GE(pulses.size(), expected.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), pulses.begin()));
    EXPECT_EQ(t.tape->BlockIndex(), 1);

    t.tape->Play();
    t.tape->GoToBlock(7);
    EXPECT_FALSE(t.tape->Playing());
    EXPECT_EQ(t.tape->BlockIndex(), 1);
}

TEST(TapPreview, FindsTheScreenAfterItsHeader) {
    Bytes picture(6912);
    for (size_t i = 0; i < picture.size(); ++i) picture[i] = uint8_t(i * 7);
    const Bytes program = RomBlock(0x00, HeaderBody(0, "loader", 10, 10));
    const Bytes screenHeader = RomBlock(0x00, HeaderBody(3, "pic", 6912, 16384));
    TTap tape(TapOf({program, RomBlock(0xFF, Bytes(10, 1)), screenHeader, RomBlock(0xFF, picture)}));
    PreviewScreen screen{};
    PreviewBitmap bitmap{};
    EXPECT_EQ(tape.Preview(screen, bitmap), "TAP (Z80)");
    EXPECT_TRUE(std::equal(picture.begin(), picture.end(), screen.begin()));

    // A header not directly followed by its screen leaves the preview alone.
    TTap none(TapOf({screenHeader}));
    PreviewScreen blank{};
    none.Preview(blank, bitmap);
    EXPECT_TRUE(std::all_of(blank.begin(), blank.end(), [](uint8_t b) { return b == 0; }));
}

TEST(TapPreview, RenderTakesInkPaperAndBright) {
    PreviewScreen screen{};
    screen[0] = 0x80;              // line 0, leftmost pixel set
    screen[6144] = 0x40 | 2 << 3 | 5;  // bright, paper red, ink cyan
    screen[0x100] = 0x01;          // line 1 (bitmap offset 256), rightmost pixel of cell 0
    PreviewBitmap bitmap{};
    RenderPreview(screen, bitmap);
    EXPECT_EQ(bitmap[0], 13);
    EXPECT_EQ(bitmap[1], 10);
    EXPECT_EQ(bitmap[256 + 7], 13);
    EXPECT_EQ(bitmap[256 + 6], 10);
    EXPECT_EQ(bitmap[8 * 256 + 8], 0);  // next attribute row, cell 1: paper 0 ink 0
}

}  // namespace
}  // namespace tarvolinde::test
