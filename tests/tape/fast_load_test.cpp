#include <gtest/gtest.h>

#include "tape/tap.h"
#include "tape/tape_factory.h"
#include "tests/tape/tape_test_support.h"

namespace tarvolinde::test {
namespace {

constexpr uint16_t kDestination = 0x9000;

// A 48K machine inside the ROM loader's sampling IN: LD-BYTES has swapped the
// expected flag into A' and LOAD's carry into F', DE bytes go to IX.
std::unique_ptr<TSp> InLoader(TCinta& tape, uint16_t length, bool load = true) {
    auto machine = DeckMachine();
    Z80& cpu = machine->cpu;
    cpu.PC.w = 0x05F3;
    cpu.SP.w = 0xFF00;
    cpu.AF_.w = load ? 0x01FF : 0x00FF;
    cpu.AF.w = 0xAA7F;
    cpu.DE.w = length;
    cpu.IX.w = kDestination;
    for (int i = 0; i < 8; ++i) cpu.WriteByteFree(uint16_t(kDestination + i), 0xEE);
    tape.Attach(machine.get());
    tape.Play();
    return machine;
}

Bytes TurboTzx(const Bytes& block) {
    Bytes turbo{0x11};
    for (uint16_t v : {1000, 300, 300, 400, 800, 10}) AppendWord(turbo, v);
    Append(turbo, {8, 0, 0, uint8_t(block.size()), 0, 0});
    return TzxOf({turbo, block});
}

TEST(FastLoad, LoadsOrRefusesTheBlockAsTheRomLoaderWould) {
    // The tape (TZX when it starts with its signature), the bytes asked for, LOAD
    // or VERIFY, the first five bytes at the destination afterwards and the outcome.
    const struct { const char* what; Bytes tape; uint16_t length; bool load; Bytes memory; bool loaded; } cases[] = {
        {"block as asked", TapOf({RomBlock(0xFF, {1, 2, 3, 4})}), 4, true, {1, 2, 3, 4, 0xEE}, true},
        {"wrong flag", TapOf({RomBlock(0x00, {1, 2, 3, 4})}), 4, true, {0xEE, 0xEE, 0xEE, 0xEE, 0xEE}, false},
        {"checksum not 0xFB", TapOf({{0xFF, 1, 2, 3, 4, 0xFA}}), 4, true, {1, 2, 3, 4, 0xEE}, false},
        {"longer block", TapOf({RomBlock(0xFF, {1, 2, 3, 4})}), 2, true, {1, 2, 0xEE, 0xEE, 0xEE}, false},
        {"shorter block", TapOf({RomBlock(0xFF, {1, 2})}), 4, true, {1, 2, 0xEE, 0xEE, 0xEE}, false},
        {"verify, same", TapOf({RomBlock(0xFF, {0xEE, 0xEE})}), 2, false, {0xEE, 0xEE, 0xEE, 0xEE, 0xEE}, true},
        {"verify, other", TapOf({RomBlock(0xFF, {0xEE, 1})}), 2, false, {0xEE, 0xEE, 0xEE, 0xEE, 0xEE}, false},
        {"TZX turbo block", TurboTzx(RomBlock(0xFF, {9, 8})), 2, true, {9, 8, 0xEE, 0xEE, 0xEE}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto tape = CreateTape(c.tape[0] == 'Z' ? TapeKind::Tzx : TapeKind::Tap, c.tape);
        auto machine = InLoader(*tape, c.length, c.load);
        tape->Update();
        const Z80& cpu = machine->cpu;
        for (size_t i = 0; i < c.memory.size(); ++i) EXPECT_EQ(cpu.ReadByteFree(uint16_t(kDestination + i)), c.memory[i]);
        EXPECT_EQ(cpu.F() & 1, c.loaded ? 1 : 0);
        EXPECT_EQ(cpu.PC.w, 0x05E2);
        EXPECT_EQ(cpu.SP.w, 0xFF02);
        EXPECT_EQ(cpu.AF_.w, 0xAA7F);
        EXPECT_TRUE(tape->AtEnd());  // the whole block is passed over
        // Playing fast runs the machine unpaced; taken out, the tape leaves it paced.
        EXPECT_EQ(machine->cpu.NormalSpeed, 0);
        tape.reset();
        EXPECT_EQ(machine->cpu.NormalSpeed, 1);
    }
}

TEST(FastLoad, OnlyInsideTheSinclairRomLoaderAndOnlyWhenOn) {
    for (int setup = 0; setup < 3; ++setup) {
        TTap tape(TapOf({RomBlock(0xFF, {1})}));
        auto machine = InLoader(tape, 1);
        if (setup == 0) machine->cpu.PC.w = 0x8000;  // a custom loader
        if (setup == 1) tape.FastLoad = false;
        if (setup == 2) machine->RomPage(0)[0x05F1] = 0x00;  // another ROM: no IN A,(0xFE) there
        tape.Update();
        EXPECT_EQ(machine->cpu.ReadByteFree(kDestination), 0xEE) << setup;
        EXPECT_EQ(EdgeTimes(tape, *machine, 2200).size(), 1u) << setup;  // the pilot plays
        tape.Attach(nullptr);
    }
}

}  // namespace
}  // namespace tarvolinde::test
