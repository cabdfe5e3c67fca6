// Contended memory: when each group of instructions reaches the bus, how delays
// from the contention table apply there, and what turns contention off.

#include <gtest/gtest.h>

#include <tuple>

#include "tests/core/flat_machine.h"

namespace tarvolinde::test {
namespace {

struct TraceCase {
    const char* name;
    uint16_t at;  // where the code starts: slot 1, or where an operand ends slot 1
    std::vector<uint8_t> code;
    std::function<void(Z80&)> registers;
    const char* trace;  // as TraceStep gives it
};

void PrintTo(const TraceCase& c, std::ostream* out) { *out << c.name; }

// HL, IX and IY point into slot 2, DE and the stack into slot 3.
MachineSetup SetupFor(const TraceCase& c) {
    return [c](FlatMachine& m) {
        m.cpu.PC.w = c.at, m.cpu.SP.w = 0xC010, m.cpu.DE.w = 0xC000, m.cpu.BC.w = 0x0202;
        m.cpu.HL.w = m.cpu.IX.w = m.cpu.IY.w = 0x8000;
        m.ram[0x8000] = 0x01;
        uint16_t address = c.at;
        for (const uint8_t b : c.code) m.ram[address++] = b;
        if (c.registers) c.registers(m.cpu);
    };
}

const TraceCase kTraceCases[] = {
    {"Nop", 0x4000, {0x00}, nullptr, "4: R1@0"},
    {"LdAFromAbsolute", 0x4000, {0x3A, 0x00, 0x80}, nullptr, "13: R1@0 R1@4 R1@7 R2@10"},
    {"IncMemory", 0x4000, {0x34}, nullptr, "11: R1@0 R2@4 W2@8"},
    {"PushBc", 0x4000, {0xC5}, nullptr, "11: R1@0 W3@5 W3@8"},
    {"RetZTaken", 0x4000, {0xC8}, [](Z80& cpu) { cpu.F() = 0x40; }, "11: R1@0 R3@5 R3@8"},
    // The bus cycles of a taken JR are at the displacement's address, wherever it is.
    {"JrTaken", 0x7FFF, {0x18, 0x10}, nullptr, "12: R1@0 R2@4 R2@7 R2@8 R2@9 R2@10 R2@11"},
    {"JrTakenAtSlotEnd", 0x7FFE, {0x18, 0x10}, nullptr, "12: R1@0 R1@4 R1@7 R1@8 R1@9 R1@10 R1@11"},
    {"CallTaken", 0x7FFE, {0xCD, 0x00, 0x90}, nullptr, "17: R1@0 R1@4 R2@7 R2@10 W3@11 W3@14"},
    {"CallTakenAtSlotEnd", 0x7FFD, {0xCD, 0x00, 0x90}, nullptr, "17: R1@0 R1@4 R1@7 R1@10 W3@11 W3@14"},
    {"RlcMemory", 0x4000, {0xCB, 0x06}, nullptr, "15: R1@0 R1@4 R2@8 W2@12"},
    {"Rld", 0x4000, {0xED, 0x6F}, nullptr, "18: R1@0 R1@4 R2@8 W2@15"},
    // The repeat cycles of LDIR are at DE, and those of CPIR at HL, before they move.
    {"LdirRepeating", 0x4000, {0xED, 0xB0}, [](Z80& cpu) { cpu.DE.w = 0x7FFF; },
     "21: R1@0 R1@4 R2@8 W1@11 R1@14 R1@15 R1@16 R1@17 R1@18 R1@19 R1@20"},
    {"CpirRepeating", 0x4000, {0xED, 0xB1}, [](Z80& cpu) { cpu.HL.w = 0xBFFF, cpu.A() = 0xFF; },
     "21: R1@0 R1@4 R2@8 R2@11 R2@12 R2@13 R2@14 R2@15 R2@16 R2@17 R2@18 R2@19 R2@20"},
    {"InirRepeating", 0x4000, {0xED, 0xB2}, nullptr, "21: R1@0 R1@4 W2@13 R2@14 R2@15 R2@16 R2@17 R2@18 R2@19 R2@20"},
    {"OtirRepeating", 0x4000, {0xED, 0xB3}, nullptr, "21: R1@0 R1@4 R2@9 R2@16 R2@17 R2@18 R2@19 R2@20"},
    {"LdIndexedImmediate", 0x4000, {0xFD, 0x36, 0x05, 0x55}, nullptr, "19: R1@0 R1@4 R1@8 R1@11 W2@16"},
    {"IncIndexed", 0x4000, {0xDD, 0x34, 0x05}, nullptr, "23: R1@0 R1@4 R1@8 R2@16 W2@20"},
    {"ExStackIx", 0x4000, {0xDD, 0xE3}, nullptr, "23: R1@0 R1@4 R3@8 R3@11 W3@15 W3@18"},
    {"PrefixRun", 0x4000, {0xDD, 0xFD, 0x00}, nullptr, "12: R1@0 R1@4 R1@8"},
    {"RlcIndexed", 0x4000, {0xDD, 0xCB, 0x05, 0x06}, nullptr, "23: R1@0 R1@4 R1@8 R1@11 R2@16 W2@20"},
    {"HaltedStepMakesNoFetch", 0x4000, {0x76}, [](Z80& cpu) { cpu.Halted = 1; }, "4:"},
};

class BusAccessOrder : public testing::TestWithParam<TraceCase> {};

// A delay at the T-state where an access starts lengthens the step; one
// anywhere else does not.
TEST_P(BusAccessOrder, DelaysApplyAtTheStartOfEachAccessOnly) {
    EXPECT_EQ(TraceStep(SetupFor(GetParam())), GetParam().trace);
}

INSTANTIATE_TEST_SUITE_P(EveryGroup, BusAccessOrder, testing::ValuesIn(kTraceCases),
                         [](const testing::TestParamInfo<TraceCase>& info) { return info.param.name; });

// Each access looks its delay up at the T-state where it really starts, after
// the delays before it, and is delayed once.
TEST(ContentionDelay, LooksUpEachAccessAfterEarlierDelays) {
    FlatMachine m;
    m.Load(0x4000, {0x7E});  // LD A,(HL)
    m.cpu.PC.w = 0x4000, m.cpu.HL.w = 0x8000, m.cpu.FrameTStates = 100;
    m.cpu.PageContended = {1, 1, 1, 1}, m.cpu.ContentionActive = 1;
    m.contention[100] = 3;  // the fetch waits until 103
    m.contention[103] = 4;  // ... and is not delayed again there
    m.contention[104] = 5;  // where the read would have started undelayed
    m.contention[107] = 2;  // where it does start
    EXPECT_EQ(m.Step(), 3 + 4 + 2 + 3);
}

// With the rule, an access less than 2 T-states after the last one (as the bus
// cycles of JR or LDIR are) is never delayed; without it every access is.
TEST(NearAccessRule, SparesOnlyAccessesCloseAfterTheLast) {
    for (const auto& [rule, gap, delayed] : {std::tuple(1, 1, false), std::tuple(1, 2, true), std::tuple(0, 1, true)}) {
        FlatMachine m;
        m.cpu.PageContended = {0, 1, 0, 0}, m.cpu.ContentionActive = 1, m.cpu.NearAccessRule = uint8_t(rule);
        m.contention.fill(3), m.cpu.FrameTStates = 100;
        m.cpu.ReadByte(0x4000);  // delayed to 103
        m.cpu.FrameTStates += gap;
        m.cpu.WriteByte(0x4000, 0);
        EXPECT_EQ(m.cpu.FrameTStates, 103 + gap + (delayed ? 3 : 0)) << rule << gap;
    }
}

// Only a contended write at normal speed into the 6912 screen bytes, wherever
// ScreenWatch puts them, has the screen latched first.
TEST(ScreenCapture, OnlyContendedWritesIntoTheScreenBytes) {
    // Where the screen is, the address written, ContentionActive, NormalSpeed, whether captured.
    const std::tuple<uint16_t, uint16_t, uint8_t, uint8_t, bool> cases[] = {
        {0x4000, 0x4000, 1, 1, true},  {0x4000, 0x5AFF, 1, 1, true},  {0x4000, 0x5B00, 1, 1, false},
        {0x4000, 0x3FFF, 1, 1, false}, {0x4000, 0x4000, 0, 1, false}, {0x4000, 0x4000, 1, 0, false},
        {0xC000, 0xC000, 1, 1, true},  {0xC000, 0x4000, 1, 1, false}};
    for (const auto& [screen, address, contention, normalSpeed, captured] : cases) {
        FlatMachine m;
        m.cpu.ScreenWatch = m.ram.data() + screen;
        m.cpu.ContentionActive = contention, m.cpu.NormalSpeed = normalSpeed, m.cpu.FrameTStates = 100;
        m.cpu.WriteByte(address, 0x55);
        EXPECT_EQ(m.captureTimes, captured ? std::vector<int32_t>{100} : std::vector<int32_t>{})
            << screen << " " << address << " " << int(contention) << int(normalSpeed);
        EXPECT_EQ(m.ram[address], 0x55);
    }
}

// The Inves latches writes to the ROM slot at addresses ending in 0xFE; the
// write still goes to that slot's write page.
TEST(InvesMask, CapturedOnlyFromRomSlotWritesEndingInFE) {
    const std::tuple<uint16_t, uint8_t, bool> cases[] = {{0x00FE, 1, true},  {0x3FFE, 1, true},  {0x40FE, 1, false},
                                                         {0xFFFE, 1, false}, {0x00FD, 1, false}, {0x00FE, 0, false}};
    for (const auto& [address, invesModel, captured] : cases) {
        FlatMachine m;
        std::array<uint8_t, 0x4000> rom{};
        m.cpu.WritePages[0] = rom.data();
        m.cpu.InvesModel = invesModel, m.cpu.ContentionActive = 1;
        m.Load(0x8000, {0x32, uint8_t(address), uint8_t(address >> 8)});  // LD (nn),A
        m.cpu.PC.w = 0x8000, m.cpu.A() = 0x5A;
        m.Step();
        EXPECT_EQ(m.cpu.InvesMask, captured ? 0x5A : 0xFF) << address;
        EXPECT_EQ(address < 0x4000 ? rom[address] : m.ram[address], 0x5A);
    }
}

}  // namespace
}  // namespace tarvolinde::test
