// Flags, results and T-states of the ED-prefixed, DD/FD-prefixed and DD CB /
// FD CB instructions.

#include <gtest/gtest.h>

#include "tests/core/instruction_case.h"

namespace tarvolinde::test {
namespace {

using Setup = std::function<void(FlatMachine&)>;
using Check = std::function<void(const FlatMachine&)>;

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

void ExpectFilledRegisters(const FlatMachine& m) {
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
}

// A no-op of `length` bytes made of `fetches` opcode fetches.
Check ExpectNoOperation(uint16_t length, uint8_t fetches) {
    return [=](const FlatMachine& m) {
        ExpectFilledRegisters(m);
        EXPECT_EQ(m.cpu.PC.w, kCodeAddress + length);
        EXPECT_EQ(m.cpu.RCounter, fetches);
    };
}

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

Setup WithReturnAddress(uint16_t address, uint8_t iff1, uint8_t iff2) {
    return [=](FlatMachine& m) {
        m.ram[kStackTop] = uint8_t(address);
        m.ram[kStackTop + 1] = uint8_t(address >> 8);
        m.cpu.IFF1 = iff1;
        m.cpu.IFF2 = iff2;
    };
}

Check ExpectReturnWith(uint16_t address, uint8_t iff1) {
    return [=](const FlatMachine& m) {
        EXPECT_EQ(m.cpu.PC.w, address);
        EXPECT_EQ(m.cpu.SP.w, kStackTop + 2);
        EXPECT_EQ(m.cpu.IFF1, iff1);
    };
}

Check ExpectIM(uint8_t mode) {
    return [=](const FlatMachine& m) { EXPECT_EQ(m.cpu.IM, mode); };
}

class EdInstructions : public testing::TestWithParam<InstructionCase> {};
TEST_P(EdInstructions, Behave) { RunInstructionCase(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Ed, EdInstructions,
    testing::Values(
        InstructionCase{"Ed00IsNop", {0xED, 0x00}, FillRegisters, {8}, ExpectNoOperation(2, 2)},
        InstructionCase{"Ed77IsNop", {0xED, 0x77}, FillRegisters, {8}, ExpectNoOperation(2, 2)},
        InstructionCase{"Ed7FIsNop", {0xED, 0x7F}, FillRegisters, {8}, ExpectNoOperation(2, 2)},
        InstructionCase{"EdA4IsNop", {0xED, 0xA4}, FillRegisters, {8}, ExpectNoOperation(2, 2)},
        InstructionCase{"EdFFIsNop", {0xED, 0xFF}, FillRegisters, {8}, ExpectNoOperation(2, 2)},
        InstructionCase{"RetiLeavesIff1", {0xED, 0x4D}, WithReturnAddress(0x1234, 0, 1), {14},
                        ExpectReturnWith(0x1234, 0)},
        InstructionCase{"RetnCopiesIff2", {0xED, 0x45}, WithReturnAddress(0x1234, 0, 1), {14},
                        ExpectReturnWith(0x1234, 1)},
        InstructionCase{"RetnCanClearIff1", {0xED, 0x45}, WithReturnAddress(0x1234, 1, 0), {14},
                        ExpectReturnWith(0x1234, 0)},
        InstructionCase{"OtherRetnEncodingIsRet", {0xED, 0x55}, WithReturnAddress(0x1234, 0, 1), {14},
                        ExpectReturnWith(0x1234, 0)},
        InstructionCase{"LdAIShowsIff2", {0xED, 0x57},
                        [](FlatMachine& m) {
                            m.cpu.I = 0x00;
                            m.cpu.IFF2 = 1;
                            m.cpu.F() = 0x01;
                        },
                        {9}, ExpectAF(0x00, 0x45)},
        InstructionCase{"LdAIWithoutIff2", {0xED, 0x57},
                        [](FlatMachine& m) {
                            m.cpu.I = 0xA8;
                            m.cpu.F() = 0x00;
                        },
                        {9}, ExpectAF(0xA8, 0xA8)},
        InstructionCase{"LdIA", {0xED, 0x47}, WithAF(0x5A, 0x00), {9},
                        [](const FlatMachine& m) { EXPECT_EQ(m.cpu.I, 0x5A); }},
        InstructionCase{"LdRA", {0xED, 0x4F}, WithAF(0x85, 0x00), {9},
                        [](const FlatMachine& m) { EXPECT_EQ(m.cpu.R(), 0x85); }},
        InstructionCase{"NegOf80", {0xED, 0x44}, WithAF(0x80, 0x00), {8}, ExpectAF(0x80, 0x87)},
        InstructionCase{"NegOfZero", {0xED, 0x44}, WithAF(0x00, 0xFF), {8}, ExpectAF(0x00, 0x42)},
        InstructionCase{"NegOfOne", {0xED, 0x44}, WithAF(0x01, 0x00), {8}, ExpectAF(0xFF, 0xBB)},
        InstructionCase{"NegUndocumentedCopy", {0xED, 0x7C}, WithAF(0x01, 0x00), {8}, ExpectAF(0xFF, 0xBB)},
        InstructionCase{"Im0", {0xED, 0x46}, [](FlatMachine& m) { m.cpu.IM = 2; }, {8}, ExpectIM(0)},
        InstructionCase{"Im0Undocumented", {0xED, 0x4E}, [](FlatMachine& m) { m.cpu.IM = 2; }, {8}, ExpectIM(0)},
        InstructionCase{"Im1", {0xED, 0x56}, nullptr, {8}, ExpectIM(1)},
        InstructionCase{"Im1Undocumented", {0xED, 0x76}, nullptr, {8}, ExpectIM(1)},
        InstructionCase{"Im2", {0xED, 0x5E}, nullptr, {8}, ExpectIM(2)},
        InstructionCase{"Im2Undocumented", {0xED, 0x7E}, nullptr, {8}, ExpectIM(2)},
        InstructionCase{"SbcHlDeEqual", {0xED, 0x52},
                        [](FlatMachine& m) {
                            m.cpu.HL.w = m.cpu.DE.w = 0x1234;
                            m.cpu.F() = 0x00;
                        },
                        {15},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.HL.w, 0x0000);
                            EXPECT_EQ(m.cpu.F(), 0x42);
                        }},
        InstructionCase{"SbcHlBorrowFromBit12", {0xED, 0x42},
                        [](FlatMachine& m) {
                            m.cpu.HL.w = 0x1000;
                            m.cpu.BC.w = 0x0000;
                            m.cpu.F() = 0x01;
                        },
                        {15},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.HL.w, 0x0FFF);
                            EXPECT_EQ(m.cpu.F(), 0x1A);
                        }},
        InstructionCase{"SbcHlOverflow", {0xED, 0x52},
                        [](FlatMachine& m) {
                            m.cpu.HL.w = 0x8000;
                            m.cpu.DE.w = 0x0001;
                            m.cpu.F() = 0x00;
                        },
                        {15},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.HL.w, 0x7FFF);
                            EXPECT_EQ(m.cpu.F(), 0x3E);
                        }},
        InstructionCase{"AdcHlOverflow", {0xED, 0x4A},
                        [](FlatMachine& m) {
                            m.cpu.HL.w = 0x7FFF;
                            m.cpu.BC.w = 0x0000;
                            m.cpu.F() = 0x01;
                        },
                        {15},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.HL.w, 0x8000);
                            EXPECT_EQ(m.cpu.F(), 0x94);
                        }},
        InstructionCase{"AdcHlToZero", {0xED, 0x5A},
                        [](FlatMachine& m) {
                            m.cpu.HL.w = 0xFFFF;
                            m.cpu.DE.w = 0x0001;
                            m.cpu.F() = 0x00;
                        },
                        {15},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.HL.w, 0x0000);
                            EXPECT_EQ(m.cpu.F(), 0x51);
                        }},
        InstructionCase{"LdAbsoluteDe", {0xED, 0x53, 0x00, 0x80}, [](FlatMachine& m) { m.cpu.DE.w = 0x1234; },
                        {20},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.ram[0x8000], 0x34);
                            EXPECT_EQ(m.ram[0x8001], 0x12);
                        }},
        InstructionCase{"LdSpFromAbsolute", {0xED, 0x7B, 0x00, 0x80},
                        [](FlatMachine& m) {
                            m.ram[0x8000] = 0x34;
                            m.ram[0x8001] = 0x12;
                        },
                        {20}, [](const FlatMachine& m) { EXPECT_EQ(m.cpu.SP.w, 0x1234); }},
        InstructionCase{"Rrd", {0xED, 0x67},
                        [](FlatMachine& m) {
                            m.cpu.HL.w = 0x8000;
                            m.ram[0x8000] = 0x34;
                            m.cpu.A() = 0x12;
                            m.cpu.F() = 0x01;
                        },
                        {18},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.ram[0x8000], 0x23);
                            EXPECT_EQ(m.cpu.A(), 0x14);
                            EXPECT_EQ(m.cpu.F(), 0x05);
                        }},
        InstructionCase{"Rld", {0xED, 0x6F},
                        [](FlatMachine& m) {
                            m.cpu.HL.w = 0x8000;
                            m.ram[0x8000] = 0x34;
                            m.cpu.A() = 0x12;
                            m.cpu.F() = 0x00;
                        },
                        {18},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.ram[0x8000], 0x42);
                            EXPECT_EQ(m.cpu.A(), 0x13);
                            EXPECT_EQ(m.cpu.F(), 0x00);
                        }}),
    CaseName);

class EdPortInstructions : public testing::TestWithParam<InstructionCase> {};
TEST_P(EdPortInstructions, Behave) { RunInstructionCase(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Ed, EdPortInstructions,
    testing::Values(
        InstructionCase{"InAZeroSetsZKeepsCarry", {0xED, 0x78},
                        [](FlatMachine& m) {
                            m.cpu.BC.w = 0x12FE;
                            m.cpu.F() = 0x01;
                            m.inputValue = 0x00;
                        },
                        {12},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.A(), 0x00);
                            EXPECT_EQ(m.cpu.F(), 0x45);
                            ASSERT_EQ(m.ports.size(), 1u);
                            EXPECT_EQ(m.ports[0], (PortAccess{false, 0x12FE, 0x00, kStartTStates + 9}));
                        }},
        InstructionCase{"InAOddParityKeepsNoCarry", {0xED, 0x78},
                        [](FlatMachine& m) {
                            m.cpu.F() = 0x00;
                            m.inputValue = 0x80;
                        },
                        {12}, ExpectAF(0x80, 0x80)},
        InstructionCase{"InFlagsOnly", {0xED, 0x70},
                        [](FlatMachine& m) {
                            FillRegisters(m);
                            m.inputValue = 0x00;
                        },
                        {12},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.F(), 0x44);
                            EXPECT_EQ(m.cpu.A(), 0x11);
                            EXPECT_EQ(m.cpu.HL.w, 0x7788);
                        }},
        InstructionCase{"OutCZero", {0xED, 0x71},
                        [](FlatMachine& m) {
                            m.cpu.BC.w = 0x12FE;
                            m.cpu.A() = 0x55;
                        },
                        {12},
                        [](const FlatMachine& m) {
                            ASSERT_EQ(m.ports.size(), 1u);
                            EXPECT_EQ(m.ports[0], (PortAccess{true, 0x12FE, 0x00, kStartTStates + 9}));
                        }},
        InstructionCase{"OutCA", {0xED, 0x79},
                        [](FlatMachine& m) {
                            m.cpu.BC.w = 0x12FE;
                            m.cpu.A() = 0x55;
                        },
                        {12},
                        [](const FlatMachine& m) {
                            ASSERT_EQ(m.ports.size(), 1u);
                            EXPECT_EQ(m.ports[0], (PortAccess{true, 0x12FE, 0x55, kStartTStates + 9}));
                        }},
        // The port is read with B not yet decremented.
        InstructionCase{"InirRepeatsThenStops", {0xED, 0xB2},
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
        InstructionCase{"IndGoesDown", {0xED, 0xAA},
                        [](FlatMachine& m) {
                            m.cpu.BC.w = 0x05FE;
                            m.cpu.HL.w = 0x8000;
                            m.cpu.F() = 0x00;
                            m.inputValue = 0x5A;
                        },
                        {16},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.BC.w, 0x04FE);
                            EXPECT_EQ(m.cpu.HL.w, 0x7FFF);
                            EXPECT_EQ(m.cpu.F(), 0x02);
                            EXPECT_EQ(m.ram[0x8000], 0x5A);
                        }},
        // The port is written with B already decremented.
        InstructionCase{"OtirRepeatsThenStops", {0xED, 0xB3},
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
                        }}),
    CaseName);

class EdBlockInstructions : public testing::TestWithParam<InstructionCase> {};
TEST_P(EdBlockInstructions, Behave) { RunInstructionCase(GetParam()); }

Setup BlockSource(std::vector<uint8_t> bytes, uint16_t count, uint8_t a, uint8_t f) {
    return [=](FlatMachine& m) {
        for (size_t i = 0; i < bytes.size(); ++i) m.ram[0x8000 + i] = bytes[i];
        m.cpu.HL.w = 0x8000;
        m.cpu.DE.w = 0x9000;
        m.cpu.BC.w = count;
        m.cpu.A() = a;
        m.cpu.F() = f;
    };
}

INSTANTIATE_TEST_SUITE_P(
    Ed, EdBlockInstructions,
    testing::Values(
        // F bit 5 comes from bit 1 of n = byte + A, F bit 3 from bit 3 of n.
        InstructionCase{"LdirWithOneByteLeft", {0xED, 0xB0}, BlockSource({0x01}, 1, 0x01, 0xC5), {16},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.ram[0x9000], 0x01);
                            EXPECT_EQ(m.cpu.BC.w, 0);
                            EXPECT_EQ(m.cpu.HL.w, 0x8001);
                            EXPECT_EQ(m.cpu.DE.w, 0x9001);
                            EXPECT_EQ(m.cpu.PC.w, kCodeAddress + 2);
                            EXPECT_EQ(m.cpu.F(), 0xE1);
                        }},
        InstructionCase{"LdiWithTwoLeftSetsPV", {0xED, 0xA0}, BlockSource({0x08}, 2, 0x20, 0x00), {16},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.BC.w, 1);
                            EXPECT_EQ(m.cpu.F(), 0x0C);
                            EXPECT_EQ(m.cpu.PC.w, kCodeAddress + 2);
                        }},
        // The repeating step moves PC back; P/V stays clear even with bytes left.
        InstructionCase{"LdirRepeatingStep", {0xED, 0xB0}, BlockSource({0x00}, 2, 0x00, 0x04), {21},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.PC.w, kCodeAddress);
                            EXPECT_EQ(m.cpu.BC.w, 1);
                            EXPECT_EQ(m.cpu.HL.w, 0x8001);
                            EXPECT_EQ(m.cpu.DE.w, 0x9001);
                            EXPECT_EQ(m.cpu.F(), 0x00);
                        }},
        InstructionCase{"LdirCopiesAll", {0xED, 0xB0}, BlockSource({0x11, 0x22, 0x33}, 3, 0x00, 0x00),
                        {21, 21, 16},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.ram[0x9000], 0x11);
                            EXPECT_EQ(m.ram[0x9001], 0x22);
                            EXPECT_EQ(m.ram[0x9002], 0x33);
                            EXPECT_EQ(m.cpu.BC.w, 0);
                            EXPECT_EQ(m.cpu.PC.w, kCodeAddress + 2);
                            EXPECT_EQ(m.cpu.F() & 0x04, 0);
                        }},
        InstructionCase{"LddrGoesDown", {0xED, 0xB8},
                        [](FlatMachine& m) {
                            m.ram[0x8000] = 0x11;
                            m.ram[0x8001] = 0x22;
                            m.cpu.HL.w = 0x8001;
                            m.cpu.DE.w = 0x9001;
                            m.cpu.BC.w = 2;
                        },
                        {21, 16},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.ram[0x9000], 0x11);
                            EXPECT_EQ(m.ram[0x9001], 0x22);
                            EXPECT_EQ(m.cpu.HL.w, 0x7FFF);
                            EXPECT_EQ(m.cpu.DE.w, 0x8FFF);
                        }},
        InstructionCase{"CpirStopsOnMatch", {0xED, 0xB1}, BlockSource({0x01, 0x02, 0x03}, 5, 0x02, 0x00),
                        {21, 16},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.HL.w, 0x8002);
                            EXPECT_EQ(m.cpu.BC.w, 3);
                            EXPECT_EQ(m.cpu.F(), 0x46);
                            EXPECT_EQ(m.cpu.PC.w, kCodeAddress + 2);
                        }},
        InstructionCase{"CpirRunsOut", {0xED, 0xB1}, BlockSource({0x01, 0x01}, 2, 0x02, 0x01), {21, 16},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.HL.w, 0x8002);
                            EXPECT_EQ(m.cpu.BC.w, 0);
                            EXPECT_EQ(m.cpu.F(), 0x03);
                            EXPECT_EQ(m.cpu.PC.w, kCodeAddress + 2);
                        }},
        // d = 0x0D and a half borrow: n = 0x0C gives bit 3 but not bit 5.
        InstructionCase{"CpiFlags", {0xED, 0xA1}, BlockSource({0x03}, 1, 0x10, 0x01), {16},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.F(), 0x1B);
                            EXPECT_EQ(m.cpu.HL.w, 0x8001);
                            EXPECT_EQ(m.cpu.A(), 0x10);
                        }},
        InstructionCase{"CpdGoesDown", {0xED, 0xA9}, BlockSource({0x80}, 2, 0x00, 0x00), {16},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.HL.w, 0x7FFF);
                            EXPECT_EQ(m.cpu.F(), 0x86);
                        }}),
    CaseName);

class IndexInstructions : public testing::TestWithParam<InstructionCase> {};
TEST_P(IndexInstructions, Behave) { RunInstructionCase(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    DdFd, IndexInstructions,
    testing::Values(
        InstructionCase{"DdBeforeNop", {0xDD, 0x00}, FillRegisters, {8}, ExpectNoOperation(2, 2)},
        InstructionCase{"DdRunLoadsIx", {0xDD, 0xDD, 0x21, 0x34, 0x12}, nullptr, {18},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.IX.w, 0x1234);
                            EXPECT_EQ(m.cpu.HL.w, 0x0000);
                            EXPECT_EQ(m.cpu.R(), 3);
                            EXPECT_EQ(m.cpu.PC.w, kCodeAddress + 5);
                        }},
        InstructionCase{"LastPrefixOfRunCounts", {0xFD, 0xDD, 0x21, 0x34, 0x12}, nullptr, {18},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.IX.w, 0x1234);
                            EXPECT_EQ(m.cpu.IY.w, 0x0000);
                        }},
        InstructionCase{"DdFdLoadsIy", {0xDD, 0xFD, 0x21, 0x34, 0x12}, nullptr, {18},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.IY.w, 0x1234);
                            EXPECT_EQ(m.cpu.IX.w, 0x0000);
                        }},
        InstructionCase{"DdBeforeEdRetn", {0xDD, 0xED, 0x45}, WithReturnAddress(0x1234, 0, 1), {18},
                        ExpectReturnWith(0x1234, 1)},
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
        InstructionCase{"DdHalt", {0xDD, 0x76}, nullptr, {8},
                        [](const FlatMachine& m) { EXPECT_EQ(m.cpu.Halted, 1); }},
        InstructionCase{"AddIxBc", {0xDD, 0x09},
                        [](FlatMachine& m) {
                            m.cpu.IX.w = 0x0FFF;
                            m.cpu.BC.w = 0x0001;
                            m.cpu.HL.w = 0x5555;
                            m.cpu.F() = 0x00;
                        },
                        {15},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.IX.w, 0x1000);
                            EXPECT_EQ(m.cpu.HL.w, 0x5555);
                            EXPECT_EQ(m.cpu.F(), 0x10);
                        }},
        InstructionCase{"AddIyIy", {0xFD, 0x29}, [](FlatMachine& m) { m.cpu.IY.w = 0x4000; }, {15},
                        [](const FlatMachine& m) { EXPECT_EQ(m.cpu.IY.w, 0x8000); }},
        InstructionCase{"LdIyImmediate", {0xFD, 0x21, 0x34, 0x12}, nullptr, {14},
                        [](const FlatMachine& m) { EXPECT_EQ(m.cpu.IY.w, 0x1234); }},
        InstructionCase{"LdAbsoluteIx", {0xDD, 0x22, 0x00, 0x80}, [](FlatMachine& m) { m.cpu.IX.w = 0x1234; },
                        {20},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.ram[0x8000], 0x34);
                            EXPECT_EQ(m.ram[0x8001], 0x12);
                        }},
        InstructionCase{"LdIxFromAbsolute", {0xDD, 0x2A, 0x00, 0x80},
                        [](FlatMachine& m) {
                            m.ram[0x8000] = 0x34;
                            m.ram[0x8001] = 0x12;
                        },
                        {20}, [](const FlatMachine& m) { EXPECT_EQ(m.cpu.IX.w, 0x1234); }},
        InstructionCase{"IncIx", {0xDD, 0x23}, [](FlatMachine& m) { m.cpu.IX.w = 0xFFFF; }, {10},
                        [](const FlatMachine& m) { EXPECT_EQ(m.cpu.IX.w, 0x0000); }},
        InstructionCase{"IncIxh", {0xDD, 0x24},
                        [](FlatMachine& m) {
                            m.cpu.IX.w = 0x7F00;
                            m.cpu.HL.w = 0x0000;
                            m.cpu.F() = 0x01;
                        },
                        {8},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.IX.w, 0x8000);
                            EXPECT_EQ(m.cpu.HL.w, 0x0000);
                            EXPECT_EQ(m.cpu.F(), 0x95);
                        }},
        InstructionCase{"DecIyl", {0xFD, 0x2D},
                        [](FlatMachine& m) {
                            m.cpu.IY.w = 0x1201;
                            m.cpu.F() = 0x00;
                        },
                        {8},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.IY.w, 0x1200);
                            EXPECT_EQ(m.cpu.F(), 0x42);
                        }},
        InstructionCase{"LdIxlImmediate", {0xDD, 0x2E, 0x55}, [](FlatMachine& m) { m.cpu.IX.w = 0x1234; }, {11},
                        [](const FlatMachine& m) { EXPECT_EQ(m.cpu.IX.w, 0x1255); }},
        InstructionCase{"LdIxhFromB", {0xDD, 0x60}, [](FlatMachine& m) { m.cpu.BC.hi = 0x77; }, {8},
                        [](const FlatMachine& m) { EXPECT_EQ(m.cpu.IX.hi, 0x77); }},
        InstructionCase{"LdIxlFromIxh", {0xDD, 0x6C}, [](FlatMachine& m) { m.cpu.IX.w = 0xAB00; }, {8},
                        [](const FlatMachine& m) { EXPECT_EQ(m.cpu.IX.w, 0xABAB); }},
        InstructionCase{"LdAFromIyl", {0xFD, 0x7D}, [](FlatMachine& m) { m.cpu.IY.w = 0x0042; }, {8},
                        [](const FlatMachine& m) { EXPECT_EQ(m.cpu.A(), 0x42); }},
        InstructionCase{"AddAIxl", {0xDD, 0x85},
                        [](FlatMachine& m) {
                            m.cpu.IX.w = 0x0001;
                            m.cpu.HL.w = 0x00FF;
                            m.cpu.A() = 0x0F;
                        },
                        {8}, ExpectAF(0x10, 0x10)},
        // With an index prefix, LD r,(IX+d) and LD (IX+d),r name the real H and L.
        InstructionCase{"LdHFromIndexed", {0xDD, 0x66, 0x05},
                        [](FlatMachine& m) {
                            m.cpu.IX.w = 0x8000;
                            m.ram[0x8005] = 0x77;
                        },
                        {19},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.HL.hi, 0x77);
                            EXPECT_EQ(m.cpu.IX.w, 0x8000);
                        }},
        InstructionCase{"LdIndexedFromL", {0xFD, 0x75, 0xFB},
                        [](FlatMachine& m) {
                            m.cpu.IY.w = 0x8005;
                            m.cpu.HL.lo = 0x44;
                        },
                        {19}, [](const FlatMachine& m) { EXPECT_EQ(m.ram[0x8000], 0x44); }},
        InstructionCase{"LdIndexedImmediate", {0xDD, 0x36, 0x05, 0x99}, [](FlatMachine& m) { m.cpu.IX.w = 0x8000; },
                        {19},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.ram[0x8005], 0x99);
                            EXPECT_EQ(m.cpu.PC.w, kCodeAddress + 4);
                        }},
        InstructionCase{"IndexedReadWrapsBelowZero", {0xDD, 0x46, 0xFF},
                        [](FlatMachine& m) {
                            m.cpu.IX.w = 0x0000;
                            m.ram[0xFFFF] = 0x5A;
                        },
                        {19}, [](const FlatMachine& m) { EXPECT_EQ(m.cpu.BC.hi, 0x5A); }},
        InstructionCase{"IndexedIncrementWrapsAboveTop", {0xDD, 0x34, 0x01},
                        [](FlatMachine& m) {
                            m.cpu.IX.w = 0xFFFF;
                            m.ram[0x0000] = 0x41;
                        },
                        {23}, [](const FlatMachine& m) { EXPECT_EQ(m.ram[0x0000], 0x42); }},
        InstructionCase{"AluIndexed", {0xFD, 0x96, 0x05},
                        [](FlatMachine& m) {
                            m.cpu.IY.w = 0x8000;
                            m.ram[0x8005] = 0x01;
                            m.cpu.A() = 0x01;
                        },
                        {19}, ExpectAF(0x00, 0x42)},
        InstructionCase{"PushPopIx", {0xDD, 0xE5, 0xFD, 0xE1}, [](FlatMachine& m) { m.cpu.IX.w = 0x1234; }, {15, 14},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.IY.w, 0x1234);
                            EXPECT_EQ(m.cpu.SP.w, kStackTop);
                        }},
        InstructionCase{"ExStackIx", {0xDD, 0xE3},
                        [](FlatMachine& m) {
                            m.cpu.IX.w = 0xABCD;
                            m.ram[kStackTop] = 0x34;
                            m.ram[kStackTop + 1] = 0x12;
                        },
                        {23},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.IX.w, 0x1234);
                            EXPECT_EQ(m.ram[kStackTop], 0xCD);
                            EXPECT_EQ(m.ram[kStackTop + 1], 0xAB);
                        }},
        InstructionCase{"JpIx", {0xDD, 0xE9}, [](FlatMachine& m) { m.cpu.IX.w = 0x1234; }, {8},
                        [](const FlatMachine& m) { EXPECT_EQ(m.cpu.PC.w, 0x1234); }},
        InstructionCase{"LdSpIy", {0xFD, 0xF9}, [](FlatMachine& m) { m.cpu.IY.w = 0x1234; }, {10},
                        [](const FlatMachine& m) { EXPECT_EQ(m.cpu.SP.w, 0x1234); }}),
    CaseName);

// B C D E H L A set to values the DD CB register copies would overwrite.
void FillEightBitRegisters(FlatMachine& m) {
    m.cpu.BC.w = 0x1111, m.cpu.DE.w = 0x2222, m.cpu.HL.w = 0x3333;
    m.cpu.A() = 0x44;
    m.cpu.F() = 0x00;
}

Setup IndexedByte(uint16_t ix, uint16_t address, uint8_t value) {
    return [=](FlatMachine& m) {
        FillEightBitRegisters(m);
        m.cpu.IX.w = m.cpu.IY.w = ix;
        m.ram[address] = value;
    };
}

class IndexedBitInstructions : public testing::TestWithParam<InstructionCase> {};
TEST_P(IndexedBitInstructions, Behave) { RunInstructionCase(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    DdCb, IndexedBitInstructions,
    testing::Values(
        InstructionCase{"RlcLeavesRegisters", {0xDD, 0xCB, 0x05, 0x06}, IndexedByte(0x8000, 0x8005, 0x81), {23},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.ram[0x8005], 0x03);
                            EXPECT_EQ(m.cpu.BC.w, 0x1111);
                            EXPECT_EQ(m.cpu.DE.w, 0x2222);
                            EXPECT_EQ(m.cpu.HL.w, 0x3333);
                            EXPECT_EQ(m.cpu.A(), 0x44);
                            EXPECT_EQ(m.cpu.F(), 0x05);
                            EXPECT_EQ(m.cpu.R(), 2);
                            EXPECT_EQ(m.cpu.PC.w, kCodeAddress + 4);
                        }},
        InstructionCase{"RlcCopiesToB", {0xDD, 0xCB, 0x05, 0x00}, IndexedByte(0x8000, 0x8005, 0x81), {23},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.ram[0x8005], 0x03);
                            EXPECT_EQ(m.cpu.BC.w, 0x0311);
                            EXPECT_EQ(m.cpu.F(), 0x05);
                        }},
        InstructionCase{"ResCopiesToRealH", {0xDD, 0xCB, 0x05, 0x84}, IndexedByte(0x8000, 0x8005, 0xFF), {23},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.ram[0x8005], 0xFE);
                            EXPECT_EQ(m.cpu.HL.w, 0xFE33);
                            EXPECT_EQ(m.cpu.IX.w, 0x8000);
                        }},
        InstructionCase{"SetCopiesToA", {0xFD, 0xCB, 0x05, 0xFF}, IndexedByte(0x8000, 0x8005, 0x01), {23},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.ram[0x8005], 0x81);
                            EXPECT_EQ(m.cpu.A(), 0x81);
                        }},
        InstructionCase{"SrlCopiesToE", {0xFD, 0xCB, 0x05, 0x3B}, IndexedByte(0x8000, 0x8005, 0x01), {23},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.ram[0x8005], 0x00);
                            EXPECT_EQ(m.cpu.DE.w, 0x2200);
                            EXPECT_EQ(m.cpu.F(), 0x45);
                        }},
        InstructionCase{"NegativeDisplacementWraps", {0xDD, 0xCB, 0xFF, 0xC6}, IndexedByte(0x0000, 0xFFFF, 0x00),
                        {23}, [](const FlatMachine& m) { EXPECT_EQ(m.ram[0xFFFF], 0x01); }},
        InstructionCase{"BitChangesNoRegister", {0xDD, 0xCB, 0x05, 0x40}, IndexedByte(0x8000, 0x8005, 0x00), {20},
                        [](const FlatMachine& m) {
                            EXPECT_EQ(m.cpu.F(), 0x54);
                            EXPECT_EQ(m.cpu.BC.w, 0x1111);
                            EXPECT_EQ(m.ram[0x8005], 0x00);
                        }},
        InstructionCase{"Bit7Set", {0xFD, 0xCB, 0x05, 0x7E}, IndexedByte(0x8000, 0x8005, 0xA8), {20},
                        [](const FlatMachine& m) { EXPECT_EQ(m.cpu.F(), 0x90); }}),
    CaseName);

}  // namespace
}  // namespace tarvolinde::test
