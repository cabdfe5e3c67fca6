// The ED-, DD/FD- and DD CB-prefixed instructions where the core deliberately
// differs from the real processor, and the prefix combinations FUSE's
// per-instruction tests never run. Everything else is checked against FUSE.

#include <gtest/gtest.h>

#include "tests/core/instruction_case.h"

namespace tarvolinde::test {
namespace {

// Distinct values in every register, so that a stray write shows.
void FillRegisters(FlatMachine& m) {
    Z80& cpu = m.cpu;
    cpu.SetProgramAF(0x1122);
    cpu.BC.w = 0x3344, cpu.DE.w = 0x5566, cpu.HL.w = 0x7788;
    cpu.IX.w = 0x99AA, cpu.IY.w = 0xBBCC;
    cpu.SetProgramAF_(0xA1A2);
    cpu.BC_.w = 0xB1B2, cpu.DE_.w = 0xC1C2, cpu.HL_.w = 0xD1D2;
    cpu.I = 0x3F;
    cpu.IM = 1;
    cpu.IFF1 = 0, cpu.IFF2 = 1;
}

// An ED no-op: every register as FillRegisters left it, two bytes and two
// opcode fetches.
void ExpectEdNoOperation(const FlatMachine& m) {
    const Z80& cpu = m.cpu;
    EXPECT_EQ(cpu.ProgramAF(), 0x1122);
    EXPECT_EQ(cpu.BC.w, 0x3344);
    EXPECT_EQ(cpu.DE.w, 0x5566);
    EXPECT_EQ(cpu.HL.w, 0x7788);
    EXPECT_EQ(cpu.IX.w, 0x99AA);
    EXPECT_EQ(cpu.IY.w, 0xBBCC);
    EXPECT_EQ(cpu.ProgramAF_(), 0xA1A2);
    EXPECT_EQ(cpu.BC_.w, 0xB1B2);
    EXPECT_EQ(cpu.DE_.w, 0xC1C2);
    EXPECT_EQ(cpu.HL_.w, 0xD1D2);
    EXPECT_EQ(cpu.SP.w, kStackTop);
    EXPECT_EQ(cpu.I, 0x3F);
    EXPECT_EQ(cpu.IM, 1);
    EXPECT_EQ(cpu.IFF1, 0);
    EXPECT_EQ(cpu.IFF2, 1);
    EXPECT_EQ(cpu.Halted, 0);
    EXPECT_EQ(cpu.PC.w, kCodeAddress + 2);
    EXPECT_EQ(cpu.RCounter, 2);
}

// 0x1234 on the stack, IFF1 clear and IFF2 set: a return shows whether it
// copied IFF2 into IFF1.
void WithReturnAddress(FlatMachine& m) {
    m.ram[kStackTop] = 0x34;
    m.ram[kStackTop + 1] = 0x12;
    m.cpu.IFF1 = 0;
    m.cpu.IFF2 = 1;
}

Check ExpectReturnWithIff1(uint8_t iff1) {
    return [=](const FlatMachine& m) {
        EXPECT_EQ(m.cpu.PC.w, 0x1234);
        EXPECT_EQ(m.cpu.SP.w, kStackTop + 2);
        EXPECT_EQ(m.cpu.IFF1, iff1);
    };
}

class EdDesignPoints : public testing::TestWithParam<InstructionCase> {};
TEST_P(EdDesignPoints, Behave) { RunInstructionCase(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Ed, EdDesignPoints,
    testing::Values(
        InstructionCase{"Ed00IsNop", {0xED, 0x00}, FillRegisters, {8}, ExpectEdNoOperation},
        InstructionCase{"Ed77IsNop", {0xED, 0x77}, FillRegisters, {8}, ExpectEdNoOperation},
        InstructionCase{"Ed7FIsNop", {0xED, 0x7F}, FillRegisters, {8}, ExpectEdNoOperation},
        InstructionCase{"EdA4IsNop", {0xED, 0xA4}, FillRegisters, {8}, ExpectEdNoOperation},
        InstructionCase{"EdFFIsNop", {0xED, 0xFF}, FillRegisters, {8}, ExpectEdNoOperation},
        // Only ED 45 loads IFF1 from IFF2; RETI and the other RETN copies are plain RET.
        InstructionCase{"RetnCopiesIff2", {0xED, 0x45}, WithReturnAddress, {14}, ExpectReturnWithIff1(1)},
        InstructionCase{"RetiLeavesIff1", {0xED, 0x4D}, WithReturnAddress, {14}, ExpectReturnWithIff1(0)},
        InstructionCase{"Ed55LeavesIff1", {0xED, 0x55}, WithReturnAddress, {14}, ExpectReturnWithIff1(0)},
        InstructionCase{"Ed65LeavesIff1", {0xED, 0x65}, WithReturnAddress, {14}, ExpectReturnWithIff1(0)},
        InstructionCase{"Ed7DLeavesIff1", {0xED, 0x7D}, WithReturnAddress, {14}, ExpectReturnWithIff1(0)},
        // INIR and OTIR set the flags as DEC B with carry kept. The port is read
        // with B not yet decremented and written with B already decremented.
        InstructionCase{"InirFlagsAsDecB", {0xED, 0xB2},
                        [](FlatMachine& m) {
                            m.cpu.BC.w = 0x02FE;
                            m.cpu.HL.w = 0x8000;
                            m.cpu.F() = 0x01;
                            m.inputValue = 0x5A;
                        },
                        {21, 16},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.BC.w, 0x00FE);
                            EXPECT_EQ(m.cpu.HL.w, 0x8002);
                            EXPECT_EQ(m.cpu.F(), 0x43);
                            EXPECT_EQ(m.cpu.PC.w, kCodeAddress + 2);
                            EXPECT_EQ(m.ram[0x8000], 0x5A);
                            EXPECT_EQ(m.ram[0x8001], 0x5A);
                            ASSERT_EQ(m.ports.size(), 2u);
                            EXPECT_EQ(m.ports[0], (PortAccess{false, 0x02FE, 0x5A, kStartTStates + 10}));
                            EXPECT_EQ(m.ports[1], (PortAccess{false, 0x01FE, 0x5A, kStartTStates + 31}));
                        }},
        InstructionCase{"OtirFlagsAsDecB", {0xED, 0xB3},
                        [](FlatMachine& m) {
                            m.cpu.BC.w = 0x02FE;
                            m.cpu.HL.w = 0x8000;
                            m.ram[0x8000] = 0x11;
                            m.ram[0x8001] = 0x22;
                            m.cpu.F() = 0x00;
                        },
                        {21, 16},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.BC.w, 0x00FE);
                            EXPECT_EQ(m.cpu.HL.w, 0x8002);
                            EXPECT_EQ(m.cpu.F(), 0x42);
                            EXPECT_EQ(m.cpu.PC.w, kCodeAddress + 2);
                            ASSERT_EQ(m.ports.size(), 2u);
                            EXPECT_EQ(m.ports[0], (PortAccess{true, 0x01FE, 0x11, kStartTStates + 13}));
                            EXPECT_EQ(m.ports[1], (PortAccess{true, 0x00FE, 0x22, kStartTStates + 34}));
                        }},
        // The repeating step of LDIR moves PC back and leaves P/V clear even with
        // bytes left; FUSE only sees the flags after the last step.
        InstructionCase{"LdirRepeatingStepClearsPV", {0xED, 0xB0},
                        [](FlatMachine& m) {
                            m.cpu.HL.w = 0x8000;
                            m.cpu.DE.w = 0x9000;
                            m.cpu.BC.w = 2;
                            m.cpu.A() = 0x00;
                            m.cpu.F() = 0x04;
                        },
                        {21},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.PC.w, kCodeAddress);
                            EXPECT_EQ(m.cpu.BC.w, 1);
                            EXPECT_EQ(m.cpu.HL.w, 0x8001);
                            EXPECT_EQ(m.cpu.DE.w, 0x9001);
                            EXPECT_EQ(m.cpu.F(), 0x00);
                        }}),
    CaseName);

// A run of DD/FD prefixes is one step: each prefix costs 4 T-states and one R
// count, and only the last one chooses the index register.
class PrefixRuns : public testing::TestWithParam<InstructionCase> {};
TEST_P(PrefixRuns, Behave) { RunInstructionCase(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    DdFd, PrefixRuns,
    testing::Values(
        InstructionCase{"DdDdLoadsIx", {0xDD, 0xDD, 0x21, 0x34, 0x12}, nullptr, {18},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.IX.w, 0x1234);
                            EXPECT_EQ(m.cpu.HL.w, 0x0000);
                            EXPECT_EQ(m.cpu.R(), 3);
                            EXPECT_EQ(m.cpu.PC.w, kCodeAddress + 5);
                        }},
        InstructionCase{"FdDdLoadsIx", {0xFD, 0xDD, 0x21, 0x34, 0x12}, nullptr, {18},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.IX.w, 0x1234);
                            EXPECT_EQ(m.cpu.IY.w, 0x0000);
                        }},
        InstructionCase{"DdFdLoadsIy", {0xDD, 0xFD, 0x21, 0x34, 0x12}, nullptr, {18},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.IY.w, 0x1234);
                            EXPECT_EQ(m.cpu.IX.w, 0x0000);
                        }},
        // A prefix before ED is dropped: DD ED 45 is RETN.
        InstructionCase{"DdBeforeEdRetn", {0xDD, 0xED, 0x45}, WithReturnAddress, {18}, ExpectReturnWithIff1(1)},
        // EX DE,HL and HALT ignore the prefix.
        InstructionCase{"DdExDeHlLeavesIx", {0xDD, 0xEB},
                        [](FlatMachine& m) {
                            m.cpu.DE.w = 0x1111;
                            m.cpu.HL.w = 0x2222;
                            m.cpu.IX.w = 0x3333;
                        },
                        {8},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.DE.w, 0x2222);
                            EXPECT_EQ(m.cpu.HL.w, 0x1111);
                            EXPECT_EQ(m.cpu.IX.w, 0x3333);
                        }},
        InstructionCase{"DdHaltLeavesPcPastIt", {0xDD, 0x76}, nullptr, {8},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.Halted, 1);
                            EXPECT_EQ(m.cpu.PC.w, kCodeAddress + 2);
                        }}),
    CaseName);

// B C D E H L A set to values the DD CB register copies would overwrite, and
// the byte at IX+5 = IY+5. The address 0x2805 has bits 3 and 5 set in its high
// byte, where the real processor's BIT takes them from.
Setup IndexedByte(uint8_t value) {
    return [=](FlatMachine& m) {
        m.cpu.BC.w = 0x1111, m.cpu.DE.w = 0x2222, m.cpu.HL.w = 0x3333;
        m.cpu.A() = 0x44;
        m.cpu.F() = 0x00;
        m.cpu.IX.w = m.cpu.IY.w = 0x2800;
        m.ram[0x2805] = value;
    };
}

class IndexedBitDesignPoints : public testing::TestWithParam<InstructionCase> {};
TEST_P(IndexedBitDesignPoints, Behave) { RunInstructionCase(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    DdCb, IndexedBitDesignPoints,
    testing::Values(
        InstructionCase{"RlcLeavesRegisters", {0xDD, 0xCB, 0x05, 0x06}, IndexedByte(0x81), {23},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.ram[0x2805], 0x03);
                            EXPECT_EQ(m.cpu.BC.w, 0x1111);
                            EXPECT_EQ(m.cpu.DE.w, 0x2222);
                            EXPECT_EQ(m.cpu.HL.w, 0x3333);
                            EXPECT_EQ(m.cpu.A(), 0x44);
                            EXPECT_EQ(m.cpu.F(), 0x05);
                            EXPECT_EQ(m.cpu.R(), 2);
                            EXPECT_EQ(m.cpu.PC.w, kCodeAddress + 4);
                        }},
        InstructionCase{"RlcCopiesToB", {0xDD, 0xCB, 0x05, 0x00}, IndexedByte(0x81), {23},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.ram[0x2805], 0x03);
                            EXPECT_EQ(m.cpu.BC.w, 0x0311);
                        }},
        InstructionCase{"ResCopiesToRealH", {0xDD, 0xCB, 0x05, 0x84}, IndexedByte(0xFF), {23},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.ram[0x2805], 0xFE);
                            EXPECT_EQ(m.cpu.HL.w, 0xFE33);
                            EXPECT_EQ(m.cpu.IX.w, 0x2800);
                        }},
        InstructionCase{"SetCopiesToA", {0xFD, 0xCB, 0x05, 0xFF}, IndexedByte(0x01), {23},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.ram[0x2805], 0x81);
                            EXPECT_EQ(m.cpu.A(), 0x81);
                        }},
        // BIT copies nothing and leaves bits 3 and 5 clear.
        InstructionCase{"BitClearKeepsBits35Clear", {0xDD, 0xCB, 0x05, 0x40}, IndexedByte(0x00), {20},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.F(), 0x54);
                            EXPECT_EQ(m.cpu.BC.w, 0x1111);
                            EXPECT_EQ(m.ram[0x2805], 0x00);
                        }},
        InstructionCase{"BitSetKeepsBits35Clear", {0xFD, 0xCB, 0x05, 0x7E}, IndexedByte(0xA8), {20},
                        [](const FlatMachine& m) { EXPECT_EQ(m.cpu.F(), 0x90); }}),
    CaseName);

}  // namespace
}  // namespace tarvolinde::test
