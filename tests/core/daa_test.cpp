// DAA as the processor does it: the carry comes only from the high-digit
// correction (or the old carry), and H shows the carry or borrow out of the
// low digit.

#include <gtest/gtest.h>

#include <bit>

#include "tests/core/flat_machine.h"

namespace tarvolinde::test {
namespace {

struct AdjustResult {
    uint8_t a;
    uint8_t f;
};

// Decimal adjust written from its definition: correct the low digit when it is
// above 9 or H is set, the high digit when A is above 0x99 or C is set; add the
// corrections after an addition and subtract them after a subtraction.
AdjustResult ReferenceDaa(uint8_t a, bool n, bool h, bool c) {
    const uint8_t lowDigit = a & 0x0F;
    const bool adjustLow = h || lowDigit > 9;
    const bool adjustHigh = c || a > 0x99;
    const uint8_t correction = uint8_t((adjustLow ? 0x06 : 0) + (adjustHigh ? 0x60 : 0));
    const uint8_t result = n ? uint8_t(a - correction) : uint8_t(a + correction);
    // Adding 6 carries out of the low digit only from A..F; subtracting 6 borrows
    // only from a digit below 6, and only when a borrow (H) called for it.
    const bool halfCarry = n ? (h && lowDigit < 6) : lowDigit > 9;
    uint8_t f = uint8_t(result & 0xA8);  // S, bit 5, bit 3
    if (result == 0) f |= 0x40;
    if (halfCarry) f |= 0x10;
    if (std::popcount(result) % 2 == 0) f |= 0x04;
    if (n) f |= 0x02;
    if (adjustHigh) f |= 0x01;
    return {result, f};
}

AdjustResult RunDaa(FlatMachine& m, uint8_t a, uint8_t f) {
    m.ram[0] = 0x27;
    m.cpu.PC.w = 0;
    m.cpu.A() = a;
    m.cpu.F() = f;
    EXPECT_EQ(m.Step(), 4);
    return {m.cpu.A(), m.cpu.F()};
}

TEST(Daa, AfterAddingTwoNines) {
    FlatMachine m;
    m.Load(0, {0x3E, 0x09, 0xC6, 0x09, 0x27});  // LD A,9; ADD A,9; DAA
    m.Step();
    m.Step();
    ASSERT_EQ(m.cpu.A(), 0x12);
    ASSERT_EQ(m.cpu.F() & 0x12, 0x10);  // H set, N clear
    EXPECT_EQ(m.Step(), 4);
    EXPECT_EQ(m.cpu.A(), 0x18);
    EXPECT_EQ(m.cpu.F() & 0x01, 0);
    EXPECT_EQ(m.cpu.F() & 0x10, 0);
}

TEST(Daa, AfterSubtractionWithHalfBorrow) {
    FlatMachine m;
    const AdjustResult r = RunDaa(m, 0x03, 0x12);  // N and H set, C clear
    EXPECT_EQ(r.a, 0xFD);
    EXPECT_EQ(r.f & 0x01, 0);
    EXPECT_EQ(r.f & 0x10, 0x10);
    EXPECT_EQ(r.f & 0x02, 0x02);
}

TEST(Daa, SumsOfDecimalDigitsComeOutDecimal) {
    FlatMachine m;
    for (int x = 0; x < 100; ++x) {
        for (int y = 0; y < 100; y += 7) {
            const uint8_t bx = uint8_t((x / 10) << 4 | x % 10), by = uint8_t((y / 10) << 4 | y % 10);
            m.Load(0, {0x3E, bx, 0xC6, by, 0x27});
            m.cpu.PC.w = 0;
            m.Step(), m.Step(), m.Step();
            const int sum = x + y;
            SCOPED_TRACE(std::to_string(x) + " + " + std::to_string(y));
            EXPECT_EQ(m.cpu.A(), uint8_t(((sum % 100) / 10) << 4 | sum % 10));
            EXPECT_EQ(m.cpu.F() & 0x01, sum >= 100 ? 1 : 0);
        }
    }
}

TEST(Daa, MatchesDefinitionForEveryInput) {
    FlatMachine m;
    for (int a = 0; a < 256; ++a) {
        for (int flags = 0; flags < 8; ++flags) {
            const bool n = flags & 4, h = flags & 2, c = flags & 1;
            // Bits of F that DAA must ignore are set to show that they are.
            const uint8_t f = uint8_t(0xE8 | (n ? 0x02 : 0) | (h ? 0x10 : 0) | (c ? 0x01 : 0));
            const AdjustResult expected = ReferenceDaa(uint8_t(a), n, h, c);
            const AdjustResult actual = RunDaa(m, uint8_t(a), f);
            SCOPED_TRACE("A=" + std::to_string(a) + " N=" + std::to_string(n) + " H=" + std::to_string(h) +
                         " C=" + std::to_string(c));
            EXPECT_EQ(actual.a, expected.a);
            EXPECT_EQ(actual.f, expected.f);
        }
    }
}

}  // namespace
}  // namespace tarvolinde::test
