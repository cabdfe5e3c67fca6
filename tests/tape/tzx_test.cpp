#include <gtest/gtest.h>

#include <algorithm>

#include "tape/tzx.h"
#include "tests/tape/tape_test_support.h"

namespace tarvolinde::test {
namespace {

struct PlayingTzx {
    std::unique_ptr<TSp> machine;
    std::unique_ptr<TTzx> tape;
    explicit PlayingTzx(Bytes bytes, int model = kModel48K)
        : machine(DeckMachine(model)), tape(std::make_unique<TTzx>(std::move(bytes))) {
        tape->FastLoad = false;
        tape->AutoRewind = false;
        tape->Attach(machine.get());
        tape->Play();
    }
    std::vector<uint64_t> Pulses(uint64_t limit) { return test::Pulses(Edges(limit)); }
    // The edges, less the trailer's (see Trailer) when it shows.
    std::vector<uint64_t> Edges(uint64_t limit) {
        std::vector<uint64_t> edges = EdgeTimes(*tape, *machine, limit);
        if (edges.size() >= 2 && edges.back() - edges[edges.size() - 2] == kTrailerLength) edges.pop_back();
        return edges;
    }
    static constexpr uint16_t kTrailerLength = 30000;
};

Bytes Tzx(std::initializer_list<Bytes> blocks) {
    Bytes tzx = TzxHeader();
    for (const Bytes& block : blocks) tzx.insert(tzx.end(), block.begin(), block.end());
    return tzx;
}

Bytes Tone(uint16_t length, uint16_t pulses) {
    Bytes block{0x12};
    AppendWord(block, length);
    AppendWord(block, pulses);
    return block;
}

Bytes Pause(uint16_t ms) {
    Bytes block{0x20};
    AppendWord(block, ms);
    return block;
}

Bytes Word(uint8_t id, uint16_t value) {
    Bytes block{id};
    AppendWord(block, value);
    return block;
}

// The last edge of a tape is lost when the tape stops at the same instant
// (the stop sets the level low): a long tone after the pulses under test.
Bytes Trailer() { return Tone(PlayingTzx::kTrailerLength, 1); }

// Counts pulses of each length in a run.
size_t CountOf(const std::vector<uint64_t>& pulses, uint64_t length) {
    return size_t(std::count(pulses.begin(), pulses.end(), length));
}

TEST(TzxBlocks, StandardBlockUsesRomTimingsAndItsPause) {
    const Bytes data = RomBlock(0xFF, {0x80});
    Bytes block{0x10};
    AppendWord(block, 2);  // 2 ms pause
    AppendWord(block, uint32_t(data.size()));
    block.insert(block.end(), data.begin(), data.end());
    PlayingTzx t(Tzx({block, Tone(1000, 2)}));
    EXPECT_EQ(t.tape->BlockIndex(), 0);  // the header is node 0
    const auto pulses = t.Pulses(20'000'000);
    ASSERT_EQ(pulses.size(), 3219u + 2 + 3 * 16 + 2);
    EXPECT_EQ(CountOf(pulses, 2168), 3219u);
    EXPECT_EQ(pulses[3219], 667u);
    EXPECT_EQ(pulses[3220], 735u);
    EXPECT_EQ(pulses[3221], 1710u);  // 0xFF flag: ones
    EXPECT_EQ(pulses[3221 + 16 + 1], 1710u);  // 0x80: first bit one
    EXPECT_EQ(pulses[3221 + 16 + 2], 855u);
    // The pause (7000 T) and then the tone's first pulse.
    EXPECT_EQ(pulses[3221 + 48], 7000u + 1000u);
    EXPECT_EQ(pulses.back(), 1000u);
    EXPECT_FALSE(t.tape->Playing());
}

TEST(TzxBlocks, TurboBlockTakesItsTimingsAndLastByteBits) {
    Bytes block{0x11};
    for (uint16_t v : {300, 100, 200, 400, 800, 5}) AppendWord(block, v);  // pilot, syncs, 0, 1, pilot pulses
    block.push_back(3);  // bits used in the last byte
    AppendWord(block, 0);
    AppendTriple(block, 2);
    Append(block, {0x00, 0xE0});
    PlayingTzx t(Tzx({block, Trailer()}));
    const auto pulses = t.Pulses(1'000'000);
    const std::vector<uint64_t> expected = {300, 300, 300, 300, 100, 200, 400, 400, 400, 400, 400, 400, 400, 400,
                                            400, 400, 400, 400, 400, 400, 400, 400, 800, 800, 800, 800, 800, 800};
    EXPECT_EQ(pulses, expected);
}

TEST(TzxBlocks, ZeroPilotTurboBlockGoesStraightToItsSyncs) {
    Bytes block{0x11};
    for (uint16_t v : {2168, 667, 735, 855, 1710, 0}) AppendWord(block, v);
    block.push_back(8);
    AppendWord(block, 0);
    AppendTriple(block, 0);
    PlayingTzx t(Tzx({block, Tone(50, 1), Trailer()}));
    EXPECT_EQ(t.Pulses(100'000), (std::vector<uint64_t>{735, 50}));
}

TEST(TzxBlocks, ToneSequenceAndPureData) {
    Bytes sequence{0x13, 3};
    for (uint16_t v : {111, 222, 333}) AppendWord(sequence, v);
    Bytes pure{0x14};
    AppendWord(pure, 500);
    AppendWord(pure, 1000);
    pure.push_back(2);
    AppendWord(pure, 0);
    AppendTriple(pure, 1);
    pure.push_back(0x40);  // two bits used: 0, 1
    PlayingTzx t(Tzx({Tone(70, 3), sequence, pure, Tone(90, 1), Trailer()}));
    EXPECT_EQ(t.Pulses(100'000), (std::vector<uint64_t>{70, 70, 111, 222, 333, 500, 500, 1000, 1000, 90}));
}

TEST(TzxBlocks, DirectRecordingSetsTheLevelPerSampleBit) {
    Bytes block{0x15};
    AppendWord(block, 10);  // T-states per sample
    AppendWord(block, 0);
    block.push_back(4);
    AppendTriple(block, 2);
    Append(block, {0xF0, 0xB0});
    PlayingTzx t(Tzx({block}));
    // Samples 1111 0000 1011: each sets the level for one period, the first after one period.
    std::vector<uint8_t> levels;
    for (uint64_t time = 10; time <= 120; time += 10) {
        t.machine->cpu.TotalTStates = time;
        t.tape->Update();
        levels.push_back(t.machine->EarMask == 0xFF ? 1 : 0);
    }
    EXPECT_EQ(levels, (std::vector<uint8_t>{1, 1, 1, 1, 0, 0, 0, 0, 1, 0, 1, 1}));
}

TEST(TzxBlocks, PauseHoldsTheLevelLowAndZeroStopsWithoutRewind) {
    PlayingTzx t(Tzx({Tone(100, 1), Pause(1), Tone(100, 2), Pause(0), Tone(100, 1), Trailer()}));
    t.tape->AutoRewind = true;
    t.machine->cpu.TotalTStates = 100;
    t.tape->Update();
    // The tone's edge and the pause block, read at once, which forces the level low.
    EXPECT_EQ(t.machine->EarMask, 0xBF);
    // The next tone starts 3500 T after the first one ended.
    EXPECT_EQ(t.Edges(100'000), (std::vector<uint64_t>{3600 + 100, 3600 + 200}));
    EXPECT_FALSE(t.tape->Playing());
    EXPECT_EQ(t.tape->BlockIndex(), 4);  // a pause of 0 stops without rewinding
    t.tape->Play();
    EXPECT_EQ(t.Edges(100'000), (std::vector<uint64_t>{100}));
    EXPECT_EQ(t.tape->BlockIndex(), -1);  // the end of the tape rewinds it
}

TEST(TzxControl, LoopPlaysItsBodyThreeTimes) {
    PlayingTzx t(Tzx({Word(0x24, 3), Tone(100, 2), Bytes{0x25}, Tone(300, 1), Trailer()}));
    const auto pulses = t.Pulses(100'000);
    EXPECT_EQ(CountOf(pulses, 100), 5u);  // six edges of the loop body, then the tone after it
    EXPECT_EQ(pulses.back(), 300u);
}

TEST(TzxControl, JumpsCallsAndReturns) {
    // Node 1 jumps over node 2 to the call at node 3, which calls node 6; its
    // return comes back to node 4, and node 5 stops the tape.
    Bytes call{0x26};
    AppendWord(call, 1);
    AppendWord(call, 3);
    PlayingTzx t(Tzx({Word(0x23, 2), Tone(111, 1), call, Tone(222, 1), Pause(0), Tone(333, 1), Bytes{0x27}}));
    const auto edges = t.Edges(100'000);
    EXPECT_EQ(edges, (std::vector<uint64_t>{333, 333 + 222}));
    EXPECT_EQ(t.tape->BlockIndex(), 5);  // stopped at the pause 0 after returning
}

TEST(TzxControl, NegativeJumpGoesToTheBlockBefore) {
    PlayingTzx t(Tzx({Tone(100, 1), Pause(0), Tone(50, 1), Word(0x23, uint16_t(-1))}));
    t.Edges(100'000);
    ASSERT_EQ(t.tape->BlockIndex(), 2);
    t.tape->Play();
    // Tone 50, then the jump back to node 3 plays it again, and again...
    EXPECT_EQ(t.Edges(1'000).size(), 19u);
}

TEST(TzxControl, JumpToItselfJamsTheTapeInsteadOfHanging) {
    PlayingTzx t(Tzx({Word(0x23, 0)}));
    t.machine->cpu.TotalTStates = 100;
    t.tape->Update();
    EXPECT_FALSE(t.tape->Playing());
    // Jammed: auto play cannot spin it again, moving it with the browser frees it.
    t.tape->Play();
    EXPECT_FALSE(t.tape->Playing());
    t.tape->GoToBlock(0);
    t.tape->Play();
    EXPECT_TRUE(t.tape->Playing());
}

TEST(TzxControl, ZeroLengthPulsesCannotHoldUpTheMachine) {
    Bytes block{0x14};
    AppendWord(block, 0);
    AppendWord(block, 0);
    block.push_back(8);
    AppendWord(block, 0);
    AppendTriple(block, 0xFFFFFF);  // 16 M bytes claimed, none there
    PlayingTzx t(Tzx({block}));
    t.machine->cpu.TotalTStates = 1;
    t.tape->Update();
    EXPECT_FALSE(t.tape->Playing());
}

TEST(TzxControl, ATrainOfZeroLengthPulsesOnlyFlipsTheLevelByItsParity) {
    for (const uint16_t pulses : {uint16_t(65535), uint16_t(65534)}) {
        PlayingTzx t(Tzx({Tone(0, pulses), Tone(PlayingTzx::kTrailerLength, 1)}));
        t.machine->cpu.TotalTStates = 1;
        t.tape->Update();
        EXPECT_TRUE(t.tape->Playing());
        EXPECT_EQ(t.machine->EarMask == 0xFF, pulses % 2 == 1) << pulses;
    }
}

TEST(TzxControl, JumpOutsideTheTapeStopsIt) {
    PlayingTzx t(Tzx({Word(0x23, 100), Tone(10, 1), Trailer()}));
    t.machine->cpu.TotalTStates = 1;
    t.tape->Update();
    EXPECT_FALSE(t.tape->Playing());
    EXPECT_EQ(t.tape->BlockIndex(), 1);
    t.tape->Play();  // resumes after the bad jump
    EXPECT_EQ(t.Edges(100'000), (std::vector<uint64_t>{10}));
}

TEST(TzxControl, StopIf48KStopsOnlyOnA48KMachine) {
    Bytes stop48{0x2A};
    AppendDword(stop48, 0);
    const Bytes tzx = Tzx({stop48, Tone(10, 2)});
    PlayingTzx on48(tzx);
    EXPECT_TRUE(on48.Edges(1000).empty());
    PlayingTzx on128(tzx, 4);
    EXPECT_EQ(on128.Edges(1000).size(), 2u);
    PlayingTzx onInves(tzx, 3);
    EXPECT_TRUE(onInves.Edges(1000).empty());
    PlayingTzx on16(tzx, 0);
    EXPECT_EQ(on16.Edges(1000).size(), 2u);
}

TEST(TzxControl, UnsupportedBlockStopsAndRewinds) {
    PlayingTzx t(Tzx({Tone(10, 2), Bytes{0x19, 0, 0, 0, 0}}));
    t.tape->AutoRewind = true;
    EXPECT_EQ(t.Edges(1000).size(), 2u);
    EXPECT_FALSE(t.tape->Playing());
    EXPECT_EQ(t.tape->BlockIndex(), -1);
    // The block is listed as an empty block and its body bytes as further IDs.
    ASSERT_GE(t.tape->Blocks().Count(), 4u);
    EXPECT_EQ(t.tape->Blocks().Nodes()[2].Text, "¿? {0000}");
}

TEST(TzxControl, InformationBlocksAreSkipped) {
    Bytes custom{0x35};
    AppendText(custom, "POKEs     ");
    AppendDword(custom, 3);
    Append(custom, {0x12, 0x12, 0x12});  // would be tones if read as blocks
    Bytes archive{0x32};
    AppendWord(archive, 2);
    Append(archive, {0x12, 0x12});
    Bytes text{0x30, 2, 0x12, 0x12};
    Bytes message{0x31, 5, 1, 0x12};
    Bytes hardware{0x33, 1, 0x12, 0x12, 0x12};
    Bytes emulation(9, 0x12);
    emulation[0] = 0x34;
    Bytes select{0x28};
    AppendWord(select, 1);
    select.push_back(0x12);
    Bytes snapshot{0x40, 0};
    AppendTriple(snapshot, 1);
    snapshot.push_back(0x12);
    Bytes group{0x21, 2, 0x12, 0x12};
    PlayingTzx t(Tzx({custom, archive, text, message, hardware, emulation, select, snapshot, group, Bytes{0x22},
                      Tone(10, 1), Trailer()}));
    EXPECT_EQ(t.Edges(100'000), (std::vector<uint64_t>{10}));
    EXPECT_EQ(t.tape->Blocks().Count(), 13u);
}

TEST(TzxFiles, SmallCorpusFilesPlayAsTheirLayoutSays) {
    const auto jump = ReadTestFile(TapeDir() + "jump.tzx");
    const auto loop2 = ReadTestFile(TapeDir() + "loop2.tzx");
    const auto loop = ReadTestFile(TapeDir() + "loop.tzx");
    if (!jump || !loop2 || !loop) GTEST_SKIP() << "jump.tzx, loop.tzx or loop2.tzx absent from " << TapeDir();
    PlayingTzx jumped(*jump);
    EXPECT_EQ(jumped.Edges(10'000'000).size(), 678u);  // only the second tone
    PlayingTzx looped(*loop2);
    EXPECT_EQ(looped.Edges(10'000'000).size(), 370u);
    PlayingTzx empty(*loop);
    EXPECT_TRUE(empty.Edges(1'000'000).empty());
    EXPECT_FALSE(empty.tape->Playing());
}

}  // namespace
}  // namespace tarvolinde::test
