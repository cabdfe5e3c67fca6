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

TEST(FastLoad, LoadsOrRefusesTheBlockAsTheRomLoaderWould) {
    // The tape, the bytes asked for, LOAD or VERIFY, the first five bytes at the destination, the outcome.
    const struct { const char* what; Bytes tape; uint16_t length; bool load; Bytes memory; bool loaded; } cases[] = {
        {"block as asked", TapOf({RomBlock(0xFF, {1, 2, 3, 4})}), 4, true, {1, 2, 3, 4, 0xEE}, true},
        {"wrong flag", TapOf({RomBlock(0x00, {1, 2, 3, 4})}), 4, true, {0xEE, 0xEE, 0xEE, 0xEE, 0xEE}, false},
        {"checksum not 0xFB", TapOf({{0xFF, 1, 2, 3, 4, 0xFA}}), 4, true, {1, 2, 3, 4, 0xEE}, false},
        {"longer block", TapOf({RomBlock(0xFF, {1, 2, 3, 4})}), 2, true, {1, 2, 0xEE, 0xEE, 0xEE}, false},
        {"shorter block", TapOf({RomBlock(0xFF, {1, 2})}), 4, true, {1, 2, 0xEE, 0xEE, 0xEE}, false},
        {"verify, same", TapOf({RomBlock(0xFF, {0xEE, 0xEE})}), 2, false, {0xEE, 0xEE, 0xEE, 0xEE, 0xEE}, true},
        {"verify, other", TapOf({RomBlock(0xFF, {0xEE, 1})}), 2, false, {0xEE, 0xEE, 0xEE, 0xEE, 0xEE}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto tape = CreateTape(TapeKind::Tap, c.tape);
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

}  // namespace
}  // namespace tarvolinde::test
