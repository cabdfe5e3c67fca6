// Flags, results and T-states of the unprefixed and CB-prefixed instructions.

#include <gtest/gtest.h>

#include "tests/core/instruction_case.h"

namespace tarvolinde::test {
namespace {

using Setup = std::function<void(FlatMachine&)>;
using Check = std::function<void(const FlatMachine&)>;

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

Check ExpectPC(uint16_t pc) {
    return [=](const FlatMachine& m) { EXPECT_EQ(m.cpu.PC.w, pc); };
}

class AluAndFlagOperations : public testing::TestWithParam<InstructionCase> {};
TEST_P(AluAndFlagOperations, GiveFlagsAndTStates) { RunInstructionCase(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Base, AluAndFlagOperations,
    testing::Values(
        // CP copies bits 3 and 5 from the operand, not from the result.
        InstructionCase{"CpTakesBits35FromOperand", {0xFE, 0x28}, WithAF(0x00, 0x00), {7}, ExpectAF(0x00, 0xBB)},
        InstructionCase{"CpZeroOperandClearsBits35", {0xFE, 0x00}, WithAF(0x28, 0x00), {7}, ExpectAF(0x28, 0x02)},
        InstructionCase{"ScfCopiesBits35FromA", {0x37}, WithAF(0x28, 0x00), {4}, ExpectAF(0x28, 0x29)},
        InstructionCase{"ScfClearsBits35WhenANotSet", {0x37}, WithAF(0x00, 0xFF), {4}, ExpectAF(0x00, 0xC5)},
        InstructionCase{"CcfMovesCarryToH", {0x3F}, WithAF(0x00, 0xC5), {4}, ExpectAF(0x00, 0xD4)},
        InstructionCase{"CcfSetsClearCarry", {0x3F}, WithAF(0x28, 0x00), {4}, ExpectAF(0x28, 0x29)},
        InstructionCase{"SubA", {0x97}, WithAF(0x55, 0xFF), {4}, ExpectAF(0x00, 0x42)},
        InstructionCase{"CpA", {0xBF}, WithAF(0x28, 0x00), {4}, ExpectAF(0x28, 0x6A)},
        InstructionCase{"XorA", {0xAF}, WithAF(0x55, 0xFF), {4}, ExpectAF(0x00, 0x44)},
        InstructionCase{"AddOverflowAndCarry", {0xC6, 0x80}, WithAF(0x80, 0x00), {7}, ExpectAF(0x00, 0x45)},
        InstructionCase{"AddHalfCarry", {0xC6, 0x01}, WithAF(0x0F, 0x00), {7}, ExpectAF(0x10, 0x10)},
        InstructionCase{"AdcAddsCarry", {0xCE, 0x00}, WithAF(0x0F, 0x01), {7}, ExpectAF(0x10, 0x10)},
        InstructionCase{"SbcBorrowsThroughZero", {0xDE, 0x00}, WithAF(0x00, 0x01), {7}, ExpectAF(0xFF, 0xBB)},
        InstructionCase{"SubSignedOverflow", {0xD6, 0x01}, WithAF(0x80, 0x00), {7}, ExpectAF(0x7F, 0x3E)},
        InstructionCase{"AndSetsH", {0xE6, 0x0F}, WithAF(0xF0, 0x00), {7}, ExpectAF(0x00, 0x54)},
        InstructionCase{"OrEvenParity", {0xF6, 0x81}, WithAF(0x00, 0x00), {7}, ExpectAF(0x81, 0x84)},
        InstructionCase{"IncOverflowKeepsCarry", {0x3C}, WithAF(0x7F, 0x01), {4}, ExpectAF(0x80, 0x95)},
        InstructionCase{"DecToZero", {0x05},
                        [](FlatMachine& m) {
                            m.cpu.BC.hi = 0x01;
                            m.cpu.F() = 0x00;
                        },
                        {4},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.BC.hi, 0x00);
                            EXPECT_EQ(m.cpu.F(), 0x42);
                        }},
        InstructionCase{"IncMemoryWraps", {0x34},
                        [](FlatMachine& m) {
                            m.cpu.HL.w = 0x8000;
                            m.ram[0x8000] = 0xFF;
                            m.cpu.F() = 0x01;
                        },
                        {11},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.ram[0x8000], 0x00);
                            EXPECT_EQ(m.cpu.F(), 0x51);
                        }},
        InstructionCase{"DecMemoryBelowZero", {0x35},
                        [](FlatMachine& m) {
                            m.cpu.HL.w = 0x8000;
                            m.ram[0x8000] = 0x00;
                            m.cpu.F() = 0x00;
                        },
                        {11},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.ram[0x8000], 0xFF);
                            EXPECT_EQ(m.cpu.F(), 0xBA);
                        }},
        InstructionCase{"AddHlKeepsSZPV", {0x09},
                        [](FlatMachine& m) {
                            m.cpu.HL.w = 0x0FFF;
                            m.cpu.BC.w = 0x0001;
                            m.cpu.F() = 0xC4;
                        },
                        {11},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.HL.w, 0x1000);
                            EXPECT_EQ(m.cpu.F(), 0xD4);
                        }},
        InstructionCase{"AddHlCarryLeavesZClear", {0x19},
                        [](FlatMachine& m) {
                            m.cpu.HL.w = 0xFFFF;
                            m.cpu.DE.w = 0x0001;
                            m.cpu.F() = 0x00;
                        },
                        {11},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.HL.w, 0x0000);
                            EXPECT_EQ(m.cpu.F(), 0x11);
                        }},
        InstructionCase{"AddHlBits35FromHighByte", {0x09},
                        [](FlatMachine& m) {
                            m.cpu.HL.w = 0x2700;
                            m.cpu.BC.w = 0x0100;
                            m.cpu.F() = 0x00;
                        },
                        {11},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.HL.w, 0x2800);
                            EXPECT_EQ(m.cpu.F(), 0x28);
                        }},
        InstructionCase{"Rlca", {0x07}, WithAF(0x81, 0xFF), {4}, ExpectAF(0x03, 0xC5)},
        InstructionCase{"RraShiftsCarryOut", {0x1F}, WithAF(0x01, 0x00), {4}, ExpectAF(0x00, 0x01)},
        InstructionCase{"RraShiftsCarryIn", {0x1F}, WithAF(0x00, 0x01), {4}, ExpectAF(0x80, 0x00)},
        InstructionCase{"Cpl", {0x2F}, WithAF(0x00, 0x00), {4}, ExpectAF(0xFF, 0x3A)}),
    CaseName);

class LoadsAndExchanges : public testing::TestWithParam<InstructionCase> {};
TEST_P(LoadsAndExchanges, MoveDataInTime) { RunInstructionCase(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Base, LoadsAndExchanges,
    testing::Values(
        InstructionCase{"LdRegisterRegister", {0x41}, [](FlatMachine& m) { m.cpu.BC.lo = 0x5A; }, {4},
                        [](const FlatMachine& m) { EXPECT_EQ(m.cpu.BC.hi, 0x5A); }},
        InstructionCase{"LdMemoryImmediate", {0x36, 0x7E}, [](FlatMachine& m) { m.cpu.HL.w = 0x8000; }, {10},
                        [](const FlatMachine& m) { EXPECT_EQ(m.ram[0x8000], 0x7E); }},
        InstructionCase{"LdAFromAbsolute", {0x3A, 0x34, 0x12}, [](FlatMachine& m) { m.ram[0x1234] = 0x99; }, {13},
                        [](const FlatMachine& m) { EXPECT_EQ(m.cpu.A(), 0x99); }},
        InstructionCase{"LdAbsoluteHlWraps", {0x22, 0xFF, 0xFF}, [](FlatMachine& m) { m.cpu.HL.w = 0xABCD; }, {16},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.ram[0xFFFF], 0xCD);
                            EXPECT_EQ(m.ram[0x0000], 0xAB);
                        }},
        InstructionCase{"LdHlFromAbsoluteWraps", {0x2A, 0xFF, 0xFF},
                        [](FlatMachine& m) {
                            m.ram[0xFFFF] = 0x34;
                            m.ram[0x0000] = 0x12;
                        },
                        {16}, [](const FlatMachine& m) { EXPECT_EQ(m.cpu.HL.w, 0x1234); }},
        InstructionCase{"LdSpHl", {0xF9}, [](FlatMachine& m) { m.cpu.HL.w = 0x1234; }, {6},
                        [](const FlatMachine& m) { EXPECT_EQ(m.cpu.SP.w, 0x1234); }},
        InstructionCase{"IncPairWrapsWithoutFlags", {0x03},
                        [](FlatMachine& m) {
                            m.cpu.BC.w = 0xFFFF;
                            m.cpu.F() = 0x00;
                        },
                        {6},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.BC.w, 0x0000);
                            EXPECT_EQ(m.cpu.F(), 0x00);
                        }},
        // The stacked AF has A above F, so POP BC puts A in B and F in C.
        InstructionCase{"PushAfPopBc", {0xF5, 0xC1}, WithAF(0x12, 0x34), {11, 10},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.BC.w, 0x1234);
                            EXPECT_EQ(m.ram[kStackTop - 1], 0x12);
                            EXPECT_EQ(m.ram[kStackTop - 2], 0x34);
                            EXPECT_EQ(m.cpu.SP.w, kStackTop);
                        }},
        InstructionCase{"PopAfTakesFFirst", {0xF1},
                        [](FlatMachine& m) {
                            m.ram[kStackTop] = 0x34;
                            m.ram[kStackTop + 1] = 0x12;
                        },
                        {10}, ExpectAF(0x12, 0x34)},
        InstructionCase{"ExStackHlAtTopOfMemory", {0xE3},
                        [](FlatMachine& m) {
                            m.cpu.SP.w = 0xFFFF;
                            m.cpu.HL.w = 0xABCD;
                            m.ram[0xFFFF] = 0x34;
                            m.ram[0x0000] = 0x12;
                        },
                        {19},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.HL.w, 0x1234);
                            EXPECT_EQ(m.ram[0xFFFF], 0xCD);
                            EXPECT_EQ(m.ram[0x0000], 0xAB);
                            EXPECT_EQ(m.cpu.SP.w, 0xFFFF);
                        }},
        InstructionCase{"ExAfAlternate", {0x08},
                        [](FlatMachine& m) {
                            m.cpu.SetProgramAF(0x1234);
                            m.cpu.SetProgramAF_(0x5678);
                        },
                        {4},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.ProgramAF(), 0x5678);
                            EXPECT_EQ(m.cpu.ProgramAF_(), 0x1234);
                        }},
        InstructionCase{"Exx", {0xD9},
                        [](FlatMachine& m) {
                            m.cpu.BC.w = 1, m.cpu.DE.w = 2, m.cpu.HL.w = 3;
                            m.cpu.BC_.w = 4, m.cpu.DE_.w = 5, m.cpu.HL_.w = 6;
                            m.cpu.SetProgramAF(0x1234);
                        },
                        {4},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.BC.w, 4);
                            EXPECT_EQ(m.cpu.DE.w, 5);
                            EXPECT_EQ(m.cpu.HL.w, 6);
                            EXPECT_EQ(m.cpu.BC_.w, 1);
                            EXPECT_EQ(m.cpu.DE_.w, 2);
                            EXPECT_EQ(m.cpu.HL_.w, 3);
                            EXPECT_EQ(m.cpu.ProgramAF(), 0x1234);
                        }},
        InstructionCase{"ExDeHl", {0xEB},
                        [](FlatMachine& m) {
                            m.cpu.DE.w = 0x1111;
                            m.cpu.HL.w = 0x2222;
                        },
                        {4},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.DE.w, 0x2222);
                            EXPECT_EQ(m.cpu.HL.w, 0x1111);
                        }}),
    CaseName);

class JumpsCallsAndReturns : public testing::TestWithParam<InstructionCase> {};
TEST_P(JumpsCallsAndReturns, TakeTheirBranchTimes) { RunInstructionCase(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Base, JumpsCallsAndReturns,
    testing::Values(
        InstructionCase{"JrToItselfLoops", {0x18, 0xFE}, nullptr, {12, 12, 12}, ExpectPC(kCodeAddress)},
        InstructionCase{"JrForward", {0x18, 0x10}, nullptr, {12}, ExpectPC(kCodeAddress + 0x12)},
        InstructionCase{"JrBackward", {0x18, 0x80}, nullptr, {12}, ExpectPC(kCodeAddress + 2 - 0x80)},
        InstructionCase{"JrNzNotTaken", {0x20, 0x05}, WithAF(0, 0x40), {7}, ExpectPC(kCodeAddress + 2)},
        InstructionCase{"JrCTaken", {0x38, 0x05}, WithAF(0, 0x01), {12}, ExpectPC(kCodeAddress + 7)},
        InstructionCase{"DjnzFallsThroughAtOne", {0x10, 0xFE}, [](FlatMachine& m) { m.cpu.BC.hi = 1; }, {8},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.BC.hi, 0);
                            EXPECT_EQ(m.cpu.PC.w, kCodeAddress + 2);
                        }},
        InstructionCase{"DjnzLoops", {0x10, 0xFE}, [](FlatMachine& m) { m.cpu.BC.hi = 3; }, {13, 13, 8},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.BC.hi, 0);
                            EXPECT_EQ(m.cpu.PC.w, kCodeAddress + 2);
                        }},
        InstructionCase{"JpConditionNotTaken", {0xC2, 0x34, 0x12}, WithAF(0, 0x40), {10},
                        ExpectPC(kCodeAddress + 3)},
        InstructionCase{"JpConditionTakenOnParity", {0xEA, 0x34, 0x12}, WithAF(0, 0x04), {10}, ExpectPC(0x1234)},
        InstructionCase{"JpMinusNotTaken", {0xFA, 0x34, 0x12}, WithAF(0, 0x7F), {10},
                        ExpectPC(kCodeAddress + 3)},
        InstructionCase{"JpHl", {0xE9}, [](FlatMachine& m) { m.cpu.HL.w = 0x1234; }, {4}, ExpectPC(0x1234)},
        InstructionCase{"CallPushesReturnAddress", {0xCD, 0x34, 0x12}, nullptr, {17},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.PC.w, 0x1234);
                            EXPECT_EQ(m.cpu.SP.w, kStackTop - 2);
                            EXPECT_EQ(m.ram[kStackTop - 1], 0x60);
                            EXPECT_EQ(m.ram[kStackTop - 2], 0x03);
                        }},
        InstructionCase{"CallNzNotTaken", {0xC4, 0x34, 0x12}, WithAF(0, 0x40), {10},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.PC.w, kCodeAddress + 3);
                            EXPECT_EQ(m.cpu.SP.w, kStackTop);
                        }},
        InstructionCase{"Ret", {0xC9},
                        [](FlatMachine& m) {
                            m.ram[kStackTop] = 0x34;
                            m.ram[kStackTop + 1] = 0x12;
                        },
                        {10}, ExpectPC(0x1234)},
        InstructionCase{"RetZTaken", {0xC8},
                        [](FlatMachine& m) {
                            m.cpu.F() = 0x40;
                            m.ram[kStackTop] = 0x34;
                            m.ram[kStackTop + 1] = 0x12;
                        },
                        {11}, ExpectPC(0x1234)},
        InstructionCase{"RetNzNotTaken", {0xC0}, WithAF(0, 0x40), {5},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.PC.w, kCodeAddress + 1);
                            EXPECT_EQ(m.cpu.SP.w, kStackTop);
                        }},
        InstructionCase{"Rst38", {0xFF}, nullptr, {11},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.PC.w, 0x0038);
                            EXPECT_EQ(m.ram[kStackTop - 1], 0x60);
                            EXPECT_EQ(m.ram[kStackTop - 2], 0x01);
                        }}),
    CaseName);

class ControlAndPorts : public testing::TestWithParam<InstructionCase> {};
TEST_P(ControlAndPorts, Behave) { RunInstructionCase(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Base, ControlAndPorts,
    testing::Values(
        // A halted processor repeats 4 T-state steps on the spot, still counting R.
        InstructionCase{"HaltStaysPut", {0x76}, nullptr, {4, 4, 4},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.Halted, 1);
                            EXPECT_EQ(m.cpu.PC.w, kCodeAddress + 1);
                            EXPECT_EQ(m.cpu.R(), 3);
                        }},
        InstructionCase{"Di", {0xF3},
                        [](FlatMachine& m) { m.cpu.IFF1 = m.cpu.IFF2 = 1; },
                        {4},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.IFF1, 0);
                            EXPECT_EQ(m.cpu.IFF2, 0);
                        }},
        InstructionCase{"Ei", {0xFB}, nullptr, {4},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.IFF1, 1);
                            EXPECT_EQ(m.cpu.IFF2, 1);
                        }},
        InstructionCase{"InFromImmediatePort", {0xDB, 0xFE},
                        [](FlatMachine& m) {
                            m.cpu.A() = 0x7F;
                            m.cpu.F() = 0x00;
                            m.inputValue = 0x00;
                        },
                        {11},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.A(), 0x00);
                            EXPECT_EQ(m.cpu.F(), 0x00);  // IN A,(n) sets no flags
                            ASSERT_EQ(m.ports.size(), 1u);
                            EXPECT_EQ(m.ports[0], (PortAccess{false, 0x7FFE, 0x00, kStartTStates + 8}));
                        }},
        InstructionCase{"OutToImmediatePort", {0xD3, 0xFE}, WithAF(0x12, 0x00), {11},
                        [](const FlatMachine& m) {
                            ASSERT_EQ(m.ports.size(), 1u);
                            EXPECT_EQ(m.ports[0], (PortAccess{true, 0x12FE, 0x12, kStartTStates + 8}));
                        }}),
    CaseName);

class CbInstructions : public testing::TestWithParam<InstructionCase> {};
TEST_P(CbInstructions, RotateShiftAndTestBits) { RunInstructionCase(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Cb, CbInstructions,
    testing::Values(
        InstructionCase{"RlcB", {0xCB, 0x00},
                        [](FlatMachine& m) {
                            m.cpu.BC.hi = 0x80;
                            m.cpu.F() = 0x00;
                        },
                        {8},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.BC.hi, 0x01);
                            EXPECT_EQ(m.cpu.F(), 0x01);
                        }},
        InstructionCase{"RrcA", {0xCB, 0x0F}, WithAF(0x01, 0x00), {8}, ExpectAF(0x80, 0x81)},
        InstructionCase{"RlThroughCarry", {0xCB, 0x11},
                        [](FlatMachine& m) {
                            m.cpu.BC.lo = 0x80;
                            m.cpu.F() = 0x01;
                        },
                        {8},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.BC.lo, 0x01);
                            EXPECT_EQ(m.cpu.F(), 0x01);
                        }},
        InstructionCase{"RrToZero", {0xCB, 0x1A},
                        [](FlatMachine& m) {
                            m.cpu.DE.hi = 0x01;
                            m.cpu.F() = 0x00;
                        },
                        {8},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.DE.hi, 0x00);
                            EXPECT_EQ(m.cpu.F(), 0x45);
                        }},
        InstructionCase{"SraKeepsBit7", {0xCB, 0x2C},
                        [](FlatMachine& m) {
                            m.cpu.HL.hi = 0x81;
                            m.cpu.F() = 0x00;
                        },
                        {8},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.HL.hi, 0xC0);
                            EXPECT_EQ(m.cpu.F(), 0x85);
                        }},
        InstructionCase{"SllShiftsInOne", {0xCB, 0x35},
                        [](FlatMachine& m) {
                            m.cpu.HL.lo = 0x80;
                            m.cpu.F() = 0x00;
                        },
                        {8},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.HL.lo, 0x01);
                            EXPECT_EQ(m.cpu.F(), 0x01);
                        }},
        InstructionCase{"SrlA", {0xCB, 0x3F}, WithAF(0x01, 0x00), {8}, ExpectAF(0x00, 0x45)},
        InstructionCase{"SlaE", {0xCB, 0x23},
                        [](FlatMachine& m) {
                            m.cpu.DE.lo = 0x81;
                            m.cpu.F() = 0x00;
                        },
                        {8},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.DE.lo, 0x02);
                            EXPECT_EQ(m.cpu.F(), 0x01);
                        }},
        InstructionCase{"RlcMemory", {0xCB, 0x06},
                        [](FlatMachine& m) {
                            m.cpu.HL.w = 0x8000;
                            m.ram[0x8000] = 0x81;
                            m.cpu.F() = 0x00;
                        },
                        {15},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.ram[0x8000], 0x03);
                            EXPECT_EQ(m.cpu.F(), 0x05);
                        }},
        InstructionCase{"Bit7HSet", {0xCB, 0x7C},
                        [](FlatMachine& m) {
                            m.cpu.HL.hi = 0x80;
                            m.cpu.F() = 0x01;
                        },
                        {8}, [](const FlatMachine& m) { EXPECT_EQ(m.cpu.F(), 0x91); }},
        InstructionCase{"Bit7HSetCarryClear", {0xCB, 0x7C},
                        [](FlatMachine& m) {
                            m.cpu.HL.hi = 0xFF;
                            m.cpu.F() = 0x00;
                        },
                        {8}, [](const FlatMachine& m) { EXPECT_EQ(m.cpu.F(), 0x90); }},
        // Bits 3 and 5 stay clear even when H has them set.
        InstructionCase{"Bit7HClear", {0xCB, 0x7C},
                        [](FlatMachine& m) {
                            m.cpu.HL.hi = 0x28;
                            m.cpu.F() = 0xFE;
                        },
                        {8}, [](const FlatMachine& m) { EXPECT_EQ(m.cpu.F(), 0x54); }},
        InstructionCase{"BitMemory", {0xCB, 0x46},
                        [](FlatMachine& m) {
                            m.cpu.HL.w = 0x8000;
                            m.ram[0x8000] = 0x01;
                            m.cpu.F() = 0x01;
                        },
                        {12},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.F(), 0x11);
                            EXPECT_EQ(m.ram[0x8000], 0x01);
                        }},
        InstructionCase{"ResMemory", {0xCB, 0x86},
                        [](FlatMachine& m) {
                            m.cpu.HL.w = 0x8000;
                            m.ram[0x8000] = 0xFF;
                            m.cpu.F() = 0x00;
                        },
                        {15},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.ram[0x8000], 0xFE);
                            EXPECT_EQ(m.cpu.F(), 0x00);
                        }},
        InstructionCase{"SetRegister", {0xCB, 0xF8}, [](FlatMachine& m) { m.cpu.BC.hi = 0x00; }, {8},
                        [](const FlatMachine& m) { EXPECT_EQ(m.cpu.BC.hi, 0x80); }}),
    CaseName);

}  // namespace
}  // namespace tarvolinde::test
