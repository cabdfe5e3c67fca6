// The unprefixed and CB-prefixed instructions where the core deliberately
// differs from the real processor. Ordinary flags, results and T-states are
// checked against FUSE's per-instruction tests and zexdoc; these cases pin
// what the core does instead, which FUSE only sees as "some difference".

#include <gtest/gtest.h>

#include "tests/core/instruction_case.h"

namespace tarvolinde::test {
namespace {

Setup WithAF(uint8_t a, uint8_t f) {
    return [=](FlatMachine& m) {
        m.cpu.A() = a;
        m.cpu.F() = f;
    };
}

Check ExpectAF(uint8_t a, uint8_t f) {
    return [=](const FlatMachine& m) {
        EXPECT_EQ(m.cpu.A(), a);
        EXPECT_EQ(m.cpu.F(), f);
    };
}

class BaseDesignPoints : public testing::TestWithParam<InstructionCase> {};
TEST_P(BaseDesignPoints, Behave) { RunInstructionCase(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Base, BaseDesignPoints,
    testing::Values(
        // SCF and CCF take bits 3 and 5 from A alone: set from A, cleared
        // even when the old F had them.
        InstructionCase{"ScfTakesBits35FromA", {0x37}, WithAF(0x28, 0x00), {4}, ExpectAF(0x28, 0x29)},
        InstructionCase{"ScfDropsBits35OfOldF", {0x37}, WithAF(0x00, 0xFF), {4}, ExpectAF(0x00, 0xC5)},
        InstructionCase{"CcfTakesBits35FromA", {0x3F}, WithAF(0x28, 0x00), {4}, ExpectAF(0x28, 0x29)},
        InstructionCase{"CcfDropsBits35OfOldF", {0x3F}, WithAF(0x00, 0xED), {4}, ExpectAF(0x00, 0xD4)},
        // BIT leaves bits 3 and 5 clear whatever the operand, its address or the old F hold.
        InstructionCase{"BitOfRegisterKeepsBits35Clear", {0xCB, 0x7C},
                        [](FlatMachine& m) {
                            m.cpu.HL.hi = 0x28;
                            m.cpu.F() = 0xFE;
                        },
                        {8}, [](const FlatMachine& m) { EXPECT_EQ(m.cpu.F(), 0x54); }},
        InstructionCase{"BitOfMemoryKeepsBits35Clear", {0xCB, 0x6E},
                        [](FlatMachine& m) {
                            m.cpu.HL.w = 0x2828;
                            m.ram[0x2828] = 0x28;
                            m.cpu.F() = 0x01;
                        },
                        {12},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.F(), 0x11);
                            EXPECT_EQ(m.ram[0x2828], 0x28);
                        }},
        // A halted processor repeats 4 T-state steps with PC already past the
        // HALT (as the PC an interrupt pushes), still counting R.
        InstructionCase{"HaltLeavesPcPastIt", {0x76}, nullptr, {4, 4, 4},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.Halted, 1);
                            EXPECT_EQ(m.cpu.PC.w, kCodeAddress + 1);
                            EXPECT_EQ(m.cpu.R(), 3);
                        }}),
    CaseName);

}  // namespace
}  // namespace tarvolinde::test
