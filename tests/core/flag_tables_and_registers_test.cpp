// The precomputed flag tables, the power-on register values and the R register.

#include <gtest/gtest.h>

#include <bit>
#include <string>

#include "core/flag_tables.h"
#include "tests/core/flat_machine.h"

namespace tarvolinde::test {
namespace {

struct TableEntry {
    const char* table;
    const std::array<uint8_t, 256>& values;
    int index;
    uint8_t expected;
};

TEST(FlagTables, EdgeEntries) {
    const TableEntry entries[] = {
        {"IncFlags", Flags.IncFlags, 0x7F, 0x94},  // S, H, P/V
        {"IncFlags", Flags.IncFlags, 0xFF, 0x50},  // Z, H
        {"IncFlags", Flags.IncFlags, 0x0F, 0x10},
        {"IncFlags", Flags.IncFlags, 0x00, 0x00},
        {"DecFlags", Flags.DecFlags, 0x80, 0x3E},  // bit 5, H, bit 3, P/V, N
        {"DecFlags", Flags.DecFlags, 0x01, 0x42},  // Z, N
        {"DecFlags", Flags.DecFlags, 0x00, 0xBA},
        {"DecFlags", Flags.DecFlags, 0x10, 0x1A},
        {"ParityFlags", Flags.ParityFlags, 0x00, 0x04},
        {"ParityFlags", Flags.ParityFlags, 0x01, 0x00},
        {"ParityFlags", Flags.ParityFlags, 0xFF, 0x04},
        {"SZ53Flags", Flags.SZ53Flags, 0x00, 0x40},
        {"SZ53Flags", Flags.SZ53Flags, 0xFF, 0xA8},
        {"SZ53PFlags", Flags.SZ53PFlags, 0x00, 0x44},
        {"SZ53PFlags", Flags.SZ53PFlags, 0x28, 0x2C},
        {"SZ53PFlags", Flags.SZ53PFlags, 0x80, 0x80},
    };
    for (const TableEntry& e : entries) {
        SCOPED_TRACE(std::string(e.table) + "[" + std::to_string(e.index) + "]");
        EXPECT_EQ(e.values[e.index], e.expected);
    }
}

TEST(FlagTables, ParityCountsBits) {
    for (int n = 0; n < 256; ++n) {
        EXPECT_EQ(Flags.ParityFlags[n], std::popcount(unsigned(n)) % 2 == 0 ? 0x04 : 0x00) << n;
        EXPECT_EQ(Flags.SZ53PFlags[n], Flags.SZ53Flags[n] | Flags.ParityFlags[n]) << n;
    }
}

// INC and DEC must set every flag but C as ADD A,1 and SUB 1 do, and keep C;
// running both instructions checks the tables against the adder.
TEST(FlagTables, IncAndDecAgreeWithAddAndSubtractOne) {
    FlatMachine m;
    const auto run = [&m](std::initializer_list<uint8_t> code, uint8_t a, uint8_t f) {
        m.Load(0, code);
        m.cpu.PC.w = 0;
        m.cpu.A() = a;
        m.cpu.F() = f;
        m.Step();
        return m.cpu.F();
    };
    for (int n = 0; n < 256; ++n) {
        for (const uint8_t carry : {0, 1}) {
            SCOPED_TRACE("n=" + std::to_string(n) + " carry=" + std::to_string(carry));
            const uint8_t add = run({0xC6, 0x01}, uint8_t(n), 0);
            const uint8_t sub = run({0xD6, 0x01}, uint8_t(n), 0);
            EXPECT_EQ(run({0x3C}, uint8_t(n), carry), (add & ~0x01) | carry);
            EXPECT_EQ(run({0x3D}, uint8_t(n), carry), (sub & ~0x01) | carry);
        }
    }
}

TEST(ResetCpu, SetsPowerOnValuesAndKeepsCounters) {
    FlatMachine m;
    Z80& cpu = m.cpu;
    cpu.SetProgramAF(0x1234);
    cpu.SetProgramAF_(0x1234);
    cpu.BC.w = cpu.DE.w = cpu.HL.w = cpu.IX.w = cpu.IY.w = cpu.PC.w = cpu.SP.w = 0x1234;
    cpu.BC_.w = cpu.DE_.w = cpu.HL_.w = 0x1234;
    cpu.I = cpu.IM = cpu.RCounter = cpu.RBit7 = 0x12;
    cpu.IFF1 = cpu.IFF2 = cpu.Halted = 1;
    cpu.FrameTStates = 12345;
    cpu.TotalTStates = 987654321;

    cpu.ResetCpu();

    EXPECT_EQ(cpu.A(), 0xFF);
    EXPECT_EQ(cpu.F(), 0xFF);
    EXPECT_EQ(cpu.ProgramAF_(), 0x0000);
    EXPECT_EQ(cpu.SP.w, 0xFFFF);
    for (const uint16_t pair : {cpu.BC.w, cpu.DE.w, cpu.HL.w, cpu.IX.w, cpu.IY.w, cpu.PC.w, cpu.BC_.w, cpu.DE_.w,
                                cpu.HL_.w})
        EXPECT_EQ(pair, 0);
    EXPECT_EQ(cpu.R(), 0);
    EXPECT_EQ(cpu.I, 0);
    EXPECT_EQ(cpu.IM, 0);
    EXPECT_EQ(cpu.IFF1, 0);
    EXPECT_EQ(cpu.IFF2, 0);
    EXPECT_EQ(cpu.Halted, 0);
    EXPECT_EQ(cpu.FrameTStates, 12345);
    EXPECT_EQ(cpu.TotalTStates, 987654321u);
}

// LD R,A sets bit 7 for good; the low seven bits count every fetch after it.
TEST(RefreshRegister, LdAROnlyCountsLowSevenBits) {
    FlatMachine m;
    m.cpu.ResetCpu();
    m.Load(0, {0x3E, 0x80, 0xED, 0x4F});  // LD A,0x80; LD R,A
    m.Load(4 + 200, {0xED, 0x5F});        // LD A,R after 200 NOPs
    m.cpu.IFF2 = 1;
    m.cpu.F() = 0x01;
    for (int i = 0; i < 2 + 200 + 1; ++i) m.Step();
    EXPECT_EQ(m.cpu.PC.w, 4 + 200 + 2);
    EXPECT_EQ(m.cpu.A(), 0xCA);
    EXPECT_EQ(m.cpu.F(), 0x8D);  // S, bit 3, P/V from IFF2, C kept
}

struct FetchCase {
    const char* name;
    std::vector<uint8_t> code;
    int steps;
    uint8_t increments;
};

// Every opcode fetch counts, prefixes included; the DD CB operation byte and
// operand bytes do not.
TEST(RefreshRegister, CountsOpcodeFetches) {
    const FetchCase cases[] = {
        {"NOP", {0x00}, 1, 1},
        {"LD BC,nn", {0x01, 0x00, 0x00}, 1, 1},
        {"RLC B", {0xCB, 0x00}, 1, 2},
        {"NEG", {0xED, 0x44}, 1, 2},
        {"ED no-op", {0xED, 0x00}, 1, 2},
        {"LD IX,nn", {0xDD, 0x21, 0x00, 0x00}, 1, 2},
        {"RLC (IX+d)", {0xDD, 0xCB, 0x05, 0x06}, 1, 2},
        {"DD DD LD IX,nn", {0xDD, 0xDD, 0x21, 0x00, 0x00}, 1, 3},
        {"LDIR repeating", {0xED, 0xB0}, 1, 2},
    };
    for (const FetchCase& c : cases) {
        SCOPED_TRACE(c.name);
        FlatMachine m;
        m.cpu.ResetCpu();
        m.cpu.BC.w = 5;
        m.cpu.SetR(0x7E);
        for (size_t i = 0; i < c.code.size(); ++i) m.ram[0x8000 + i] = c.code[i];
        m.cpu.PC.w = 0x8000;
        for (int i = 0; i < c.steps; ++i) m.Step();
        EXPECT_EQ(uint8_t(m.cpu.RCounter - 0x7E), c.increments);
        EXPECT_EQ(m.cpu.R() & 0x80, 0);  // the count wraps within seven bits
    }
}

}  // namespace
}  // namespace tarvolinde::test
