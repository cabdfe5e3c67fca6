#include <gtest/gtest.h>

#include "tape/tap.h"
#include "tape/tzx.h"
#include "tests/tape/tape_test_support.h"

namespace tarvolinde::test {
namespace {

constexpr uint16_t kDestination = 0x9000;

// A 48K machine inside the ROM loader's sampling IN: LD-BYTES has swapped the
// expected flag into A' and LOAD's carry into F', DE bytes go to IX.
struct LoaderMachine {
    std::unique_ptr<TSp> machine = DeckMachine();
    std::unique_ptr<TCinta> tape;

    LoaderMachine(std::unique_ptr<TCinta> inserted, uint8_t flag, uint16_t length, bool load = true)
        : tape(std::move(inserted)) {
        Z80& cpu = machine->cpu;
        cpu.PC.w = 0x05F3;
        cpu.SP.w = 0xFF00;
        cpu.AF_.lo = flag;
        cpu.AF_.hi = load ? 0x01 : 0x00;
        cpu.AF.lo = 0x7F;
        cpu.AF.hi = 0xAA;
        cpu.DE.w = length;
        cpu.IX.w = kDestination;
        for (int i = 0; i < 16; ++i) cpu.WriteByteFree(uint16_t(kDestination + i), 0xEE);
        tape->Attach(machine.get());
        tape->Play();
    }
    Z80& cpu() { return machine->cpu; }
    uint8_t At(int offset) { return cpu().ReadByteFree(uint16_t(kDestination + offset)); }
    bool Succeeded() { return (cpu().F() & 0x01) != 0; }
};

std::unique_ptr<TCinta> TapTape(std::initializer_list<Bytes> blocks) { return std::make_unique<TTap>(TapOf(blocks)); }

TEST(FastLoad, CopiesTheBlockAndReturnsFromTheLoader) {
    LoaderMachine m(TapTape({RomBlock(0xFF, {1, 2, 3, 4})}), 0xFF, 4);
    m.tape->Update();
    EXPECT_EQ(m.At(0), 1);
    EXPECT_EQ(m.At(3), 4);
    EXPECT_EQ(m.At(4), 0xEE);
    EXPECT_EQ(m.cpu().IX.w, kDestination + 4);
    EXPECT_EQ(m.cpu().DE.w, 4);
    EXPECT_EQ(m.cpu().PC.w, 0x05E2);
    EXPECT_EQ(m.cpu().SP.w, 0xFF02);
    EXPECT_TRUE(m.Succeeded());
    EXPECT_EQ(m.cpu().AF_.lo, 0x7F);  // AF and AF' exchanged
    EXPECT_EQ(m.cpu().AF_.hi, 0xAA);
    EXPECT_EQ(m.tape->BlockIndex(), 0);
    EXPECT_TRUE(m.tape->Playing());  // auto stop is off
    EXPECT_TRUE(m.tape->AtEnd());
}

TEST(FastLoad, WrongFlagCopiesNothingAndFails) {
    LoaderMachine m(TapTape({RomBlock(0x00, {1, 2, 3, 4})}), 0xFF, 4);
    m.tape->Update();
    EXPECT_EQ(m.At(0), 0xEE);
    EXPECT_EQ(m.cpu().PC.w, 0x05E2);
    EXPECT_FALSE(m.Succeeded());
}

TEST(FastLoad, WrongChecksumFails) {
    Bytes block = RomBlock(0xFF, {1, 2, 3, 4});
    block.back() ^= 1;
    LoaderMachine m(TapTape({block}), 0xFF, 4);
    m.tape->Update();
    EXPECT_EQ(m.At(3), 4);
    EXPECT_FALSE(m.Succeeded());
}

TEST(FastLoad, LongerBlockLoadsWhatWasAskedAndChecksTheNextByte) {
    LoaderMachine m(TapTape({RomBlock(0xFF, {1, 2, 3, 4})}), 0xFF, 2);
    m.tape->Update();
    EXPECT_EQ(m.At(1), 2);
    EXPECT_EQ(m.At(2), 0xEE);
    EXPECT_FALSE(m.Succeeded());  // byte 3 is not the checksum of 1 and 2
    EXPECT_TRUE(m.tape->AtEnd());  // the whole block is passed over
}

TEST(FastLoad, ShorterBlockLoadsItsOwnBytesAndFails) {
    LoaderMachine m(TapTape({RomBlock(0xFF, {1, 2})}), 0xFF, 6);
    m.tape->Update();
    EXPECT_EQ(m.At(1), 2);
    EXPECT_EQ(m.At(2), 0xEE);
    EXPECT_FALSE(m.Succeeded());
}

TEST(FastLoad, VerifyComparesWithoutWriting) {
    LoaderMachine same(TapTape({RomBlock(0xFF, {0xEE, 0xEE})}), 0xFF, 2, false);
    same.tape->Update();
    EXPECT_TRUE(same.Succeeded());
    LoaderMachine other(TapTape({RomBlock(0xFF, {0xEE, 0x01})}), 0xFF, 2, false);
    other.tape->Update();
    EXPECT_EQ(other.At(1), 0xEE);
    EXPECT_FALSE(other.Succeeded());
}

TEST(FastLoad, OnlyInsideTheRomLoaderAndOnlyWhenOn) {
    LoaderMachine elsewhere(TapTape({RomBlock(0xFF, {1})}), 0xFF, 1);
    elsewhere.cpu().PC.w = 0x8000;  // a custom loader: the pulses play
    elsewhere.tape->Update();
    EXPECT_EQ(elsewhere.At(0), 0xEE);
    EXPECT_EQ(EdgeTimes(*elsewhere.tape, *elsewhere.machine, 2200).size(), 1u);

    LoaderMachine off(TapTape({RomBlock(0xFF, {1})}), 0xFF, 1);
    off.tape->FastLoad = false;
    off.tape->Update();
    EXPECT_EQ(off.At(0), 0xEE);

    // Another ROM at the same address: no IN A,(0xFE) there.
    LoaderMachine otherRom(TapTape({RomBlock(0xFF, {1})}), 0xFF, 1);
    otherRom.machine->RomPage(0)[0x05F1] = 0x00;
    otherRom.tape->Update();
    EXPECT_EQ(otherRom.At(0), 0xEE);
}

TEST(FastLoad, TzxStandardAndTurboBlocksButNotPureData) {
    Bytes tzx = TzxHeader();
    const Bytes data = RomBlock(0xFF, {9, 8});
    Append(tzx, {0x10, 0, 0});
    AppendWord(tzx, uint32_t(data.size()));
    tzx.insert(tzx.end(), data.begin(), data.end());
    Append(tzx, {0x11});
    for (uint16_t v : {1000, 300, 300, 400, 800, 10}) AppendWord(tzx, v);
    tzx.push_back(8);
    AppendWord(tzx, 0);
    AppendTriple(tzx, uint32_t(data.size()));
    tzx.insert(tzx.end(), data.begin(), data.end());
    Append(tzx, {0x14});
    for (uint16_t v : {400, 800}) AppendWord(tzx, v);
    tzx.push_back(8);
    AppendWord(tzx, 0);
    AppendTriple(tzx, uint32_t(data.size()));
    tzx.insert(tzx.end(), data.begin(), data.end());

    LoaderMachine m(std::make_unique<TTzx>(tzx), 0xFF, 2);
    m.tape->Update();
    EXPECT_EQ(m.At(0), 9);
    EXPECT_TRUE(m.Succeeded());
    EXPECT_EQ(m.tape->BlockIndex(), 1);
    // The next block, a turbo one, is taken just the same when the loader is back.
    m.cpu().PC.w = 0x05F3;
    m.cpu().IX.w = kDestination + 8;
    m.cpu().AF_.w = 0x01FF;
    m.tape->Update();
    EXPECT_EQ(m.At(9), 8);
    EXPECT_EQ(m.tape->BlockIndex(), 2);
    // Pure data has no flag the ROM would look at: it plays.
    m.cpu().PC.w = 0x05F3;
    m.tape->Update();
    EXPECT_EQ(m.tape->BlockIndex(), 3);
    EXPECT_EQ(m.cpu().PC.w, 0x05F3);
}

TEST(AutoPlay, TheLoaderStartsTheTapeAndEachShortcutStopsIt) {
    LoaderMachine m(TapTape({RomBlock(0xFF, {1}), RomBlock(0xFF, {2})}), 0xFF, 1);
    m.tape->Stop(false);
    m.machine->AutoPlayStop = true;
    // The ROM's sampling loop: IN A,(0xFE) / RRA / RET NC / XOR C / AND 0x20.
    m.machine->InPort(0x7FFE);
    EXPECT_TRUE(m.tape->Playing());
    m.machine->InPort(0x7FFE);
    EXPECT_EQ(m.At(0), 1);
    EXPECT_FALSE(m.tape->Playing());  // stopped without rewinding
    EXPECT_EQ(m.tape->BlockIndex(), 0);
    EXPECT_EQ(m.machine->cpu.NormalSpeed, 1);

    // Back in the loader for the next block: the tape starts, waits out the
    // pause after the block, and the shortcut takes the next one.
    m.cpu().PC.w = 0x05F3;
    m.cpu().IX.w = kDestination + 1;
    m.cpu().AF_.w = 0x01FF;
    m.machine->InPort(0x7FFE);
    EXPECT_TRUE(m.tape->Playing());
    EXPECT_EQ(m.machine->cpu.NormalSpeed, 0);
    for (uint64_t t = 0; t < 3'600'000 && m.tape->Playing(); t += 1000) {
        m.machine->cpu.TotalTStates = t;
        m.machine->InPort(0x7FFE);
    }
    EXPECT_EQ(m.At(1), 2);
    EXPECT_EQ(m.tape->BlockIndex(), 1);
}

TEST(AutoPlay, TheEndOfTheTapeStopsAndRewindsIt) {
    LoaderMachine m(TapTape({RomBlock(0xFF, {1})}), 0xFF, 1);
    m.tape->FastLoad = false;
    m.machine->AutoPlayStop = true;
    EdgeTimes(*m.tape, *m.machine, 20'000'000, 100);
    EXPECT_FALSE(m.tape->Playing());
    EXPECT_EQ(m.tape->BlockIndex(), -1);
    EXPECT_EQ(m.machine->EarMask, 0xBF);
}

}  // namespace
}  // namespace tarvolinde::test
