// Contended memory: when a step reaches the bus, how delays from the contention
// table apply there, and what turns contention off.

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

// The single-step cases check every instruction's bus cycles; these are the
// steps they do not reach.
const TraceCase kTraceCases[] = {
    // The bus cycles of a taken JR are at the displacement's address, wherever it is.
    {"JrTakenAtSlotEnd", 0x7FFE, {0x18, 0x10}, nullptr, "12: R1@0 R1@4 R1@7 R1@8 R1@9 R1@10 R1@11"},
    {"PrefixRun", 0x4000, {0xDD, 0xFD, 0x00}, nullptr, "12: R1@0 R1@4 R1@8"},
    {"HaltedStepFetchesTheNextByte", 0x4000, {0x76}, [](Z80& cpu) { cpu.Halted = 1; }, "4: R1@0"},
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
