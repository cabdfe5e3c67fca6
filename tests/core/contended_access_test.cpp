// Contended memory: when each instruction reaches the bus, how delays from the
// contention table apply there, and the switches that turn contention off.

#include <gtest/gtest.h>

#include "tests/core/bus_trace.h"

namespace tarvolinde::test {
namespace {

BusAccess R(int32_t at, int slot) { return {at, slot, false}; }
BusAccess W(int32_t at, int slot) { return {at, slot, true}; }

// Code in slot 1 unless a case moves it to straddle slots 1 and 2; HL, IX and
// IY point into slot 2, DE and the stack into slot 3.
struct TraceCase {
    std::string name;
    uint16_t at;
    std::vector<uint8_t> code;
    std::function<void(Z80&)> registers;
    int32_t length;
    std::vector<BusAccess> accesses;
};

std::ostream& operator<<(std::ostream& out, const TraceCase& c) { return out << c.name; }

MachineSetup SetupFor(const TraceCase& c) {
    return [c](FlatMachine& m) {
        Z80& cpu = m.cpu;
        cpu.PC.w = c.at;
        cpu.SP.w = 0xC010;
        cpu.HL.w = cpu.IX.w = cpu.IY.w = 0x8000;
        cpu.DE.w = 0xC000;
        cpu.BC.w = 0x0002;
        m.ram[0x8000] = 0x01;
        uint16_t address = c.at;
        for (const uint8_t b : c.code) m.ram[address++] = b;
        if (c.registers) c.registers(cpu);
    };
}

const std::vector<TraceCase> kTraceCases = {
    {"Nop", 0x4000, {0x00}, nullptr, 4, {R(0, 1)}},
    {"LdAFromAbsolute", 0x4000, {0x3A, 0x00, 0x80}, nullptr, 13, {R(0, 1), R(4, 1), R(7, 1), R(10, 2)}},
    {"LdMemoryImmediate", 0x4000, {0x36, 0x55}, nullptr, 10, {R(0, 1), R(4, 1), W(7, 2)}},
    {"IncMemory", 0x4000, {0x34}, nullptr, 11, {R(0, 1), R(4, 2), W(8, 2)}},
    {"PushBc", 0x4000, {0xC5}, nullptr, 11, {R(0, 1), W(5, 3), W(8, 3)}},
    {"PopBc", 0x4000, {0xC1}, nullptr, 10, {R(0, 1), R(4, 3), R(7, 3)}},
    {"ExStackHl", 0x4000, {0xE3}, nullptr, 19, {R(0, 1), R(4, 3), R(7, 3), W(11, 3), W(14, 3)}},
    {"Ret", 0x4000, {0xC9}, nullptr, 10, {R(0, 1), R(4, 3), R(7, 3)}},
    {"RetZTaken", 0x4000, {0xC8}, [](Z80& cpu) { cpu.F() = 0x40; }, 11, {R(0, 1), R(5, 3), R(8, 3)}},
    {"Rst38", 0x4000, {0xFF}, nullptr, 11, {R(0, 1), W(5, 3), W(8, 3)}},
    {"InFromImmediatePort", 0x4000, {0xDB, 0xFE}, nullptr, 11, {R(0, 1), R(4, 1)}},
    // The displacement sits in slot 2, so the bus cycles at its address show there.
    {"JrTaken", 0x7FFF, {0x18, 0x10}, nullptr, 12,
     {R(0, 1), R(4, 2), R(7, 2), R(8, 2), R(9, 2), R(10, 2), R(11, 2)}},
    // ... and here the displacement ends slot 1: the cycles are not at the next address.
    {"JrTakenDisplacementEndsSlot", 0x7FFE, {0x18, 0x10}, nullptr, 12,
     {R(0, 1), R(4, 1), R(7, 1), R(8, 1), R(9, 1), R(10, 1), R(11, 1)}},
    {"JrNotTaken", 0x7FFF, {0x20, 0x10}, [](Z80& cpu) { cpu.F() = 0x40; }, 7, {R(0, 1), R(4, 2)}},
    {"DjnzTaken", 0x7FFF, {0x10, 0x10}, [](Z80& cpu) { cpu.BC.hi = 2; }, 13,
     {R(0, 1), R(5, 2), R(8, 2), R(9, 2), R(10, 2), R(11, 2), R(12, 2)}},
    {"DjnzTakenDisplacementEndsSlot", 0x7FFE, {0x10, 0x10}, [](Z80& cpu) { cpu.BC.hi = 2; }, 13,
     {R(0, 1), R(5, 1), R(8, 1), R(9, 1), R(10, 1), R(11, 1), R(12, 1)}},
    {"DjnzNotTaken", 0x7FFF, {0x10, 0x10}, [](Z80& cpu) { cpu.BC.hi = 1; }, 8, {R(0, 1), R(5, 2)}},
    // The high byte of the address sits in slot 2: one bus cycle there, then the pushes.
    {"CallTaken", 0x7FFE, {0xCD, 0x00, 0x90}, nullptr, 17,
     {R(0, 1), R(4, 1), R(7, 2), R(10, 2), W(11, 3), W(14, 3)}},
    {"CallTakenHighByteEndsSlot", 0x7FFD, {0xCD, 0x00, 0x90}, nullptr, 17,
     {R(0, 1), R(4, 1), R(7, 1), R(10, 1), W(11, 3), W(14, 3)}},
    {"CallNotTaken", 0x7FFE, {0xC4, 0x00, 0x90}, [](Z80& cpu) { cpu.F() = 0x40; }, 10,
     {R(0, 1), R(4, 1), R(7, 2)}},
    {"RlcRegister", 0x4000, {0xCB, 0x00}, nullptr, 8, {R(0, 1), R(4, 1)}},
    {"RlcMemory", 0x4000, {0xCB, 0x06}, nullptr, 15, {R(0, 1), R(4, 1), R(8, 2), W(12, 2)}},
    {"BitMemory", 0x4000, {0xCB, 0x46}, nullptr, 12, {R(0, 1), R(4, 1), R(8, 2)}},
    {"LdAbsoluteBc", 0x4000, {0xED, 0x43, 0x00, 0x80}, nullptr, 20,
     {R(0, 1), R(4, 1), R(8, 1), R(11, 1), W(14, 2), W(17, 2)}},
    {"Rld", 0x4000, {0xED, 0x6F}, nullptr, 18, {R(0, 1), R(4, 1), R(8, 2), W(15, 2)}},
    {"InAFromC", 0x4000, {0xED, 0x78}, nullptr, 12, {R(0, 1), R(4, 1)}},
    {"LdAI", 0x4000, {0xED, 0x57}, nullptr, 9, {R(0, 1), R(4, 1)}},
    {"Ldi", 0x4000, {0xED, 0xA0}, nullptr, 16, {R(0, 1), R(4, 1), R(8, 2), W(11, 3), R(14, 3), R(15, 3)}},
    {"LdirRepeating", 0x4000, {0xED, 0xB0}, nullptr, 21,
     {R(0, 1), R(4, 1), R(8, 2), W(11, 3), R(14, 3), R(15, 3), R(16, 3), R(17, 3), R(18, 3), R(19, 3),
      R(20, 3)}},
    // The repeat cycles are at DE before it moves: here the last byte of slot 1.
    {"LdirRepeatingAtSlotEnd", 0x4000, {0xED, 0xB0}, [](Z80& cpu) { cpu.DE.w = 0x7FFF; }, 21,
     {R(0, 1), R(4, 1), R(8, 2), W(11, 1), R(14, 1), R(15, 1), R(16, 1), R(17, 1), R(18, 1), R(19, 1),
      R(20, 1)}},
    {"LdirLast", 0x4000, {0xED, 0xB0}, [](Z80& cpu) { cpu.BC.w = 1; }, 16,
     {R(0, 1), R(4, 1), R(8, 2), W(11, 3), R(14, 3), R(15, 3)}},
    {"CpirRepeating", 0x4000, {0xED, 0xB1}, nullptr, 21,
     {R(0, 1), R(4, 1), R(8, 2), R(11, 2), R(12, 2), R(13, 2), R(14, 2), R(15, 2), R(16, 2), R(17, 2),
      R(18, 2), R(19, 2), R(20, 2)}},
    // The repeat cycles are at HL before it moves: here the last byte of slot 2.
    {"CpirRepeatingAtSlotEnd", 0x4000, {0xED, 0xB1},
     [](Z80& cpu) {
         cpu.HL.w = 0xBFFF;
         cpu.A() = 0xFF;
     },
     21,
     {R(0, 1), R(4, 1), R(8, 2), R(11, 2), R(12, 2), R(13, 2), R(14, 2), R(15, 2), R(16, 2), R(17, 2),
      R(18, 2), R(19, 2), R(20, 2)}},
    {"CpirMatch", 0x4000, {0xED, 0xB1}, [](Z80& cpu) { cpu.A() = 0x01; }, 16,
     {R(0, 1), R(4, 1), R(8, 2), R(11, 2), R(12, 2), R(13, 2), R(14, 2), R(15, 2)}},
    {"Ini", 0x4000, {0xED, 0xA2}, [](Z80& cpu) { cpu.BC.hi = 2; }, 16, {R(0, 1), R(4, 1), W(13, 2), R(14, 2), R(15, 2)}},
    {"InirRepeating", 0x4000, {0xED, 0xB2}, [](Z80& cpu) { cpu.BC.hi = 2; }, 21,
     {R(0, 1), R(4, 1), W(13, 2), R(14, 2), R(15, 2), R(16, 2), R(17, 2), R(18, 2), R(19, 2), R(20, 2)}},
    {"Outi", 0x4000, {0xED, 0xA3}, [](Z80& cpu) { cpu.BC.hi = 2; }, 16, {R(0, 1), R(4, 1), R(9, 2)}},
    {"OtirRepeating", 0x4000, {0xED, 0xB3}, [](Z80& cpu) { cpu.BC.hi = 2; }, 21,
     {R(0, 1), R(4, 1), R(9, 2), R(16, 2), R(17, 2), R(18, 2), R(19, 2), R(20, 2)}},
    {"LdAFromIndexed", 0x4000, {0xDD, 0x7E, 0x05}, nullptr, 19, {R(0, 1), R(4, 1), R(8, 1), R(16, 2)}},
    {"LdIndexedImmediate", 0x4000, {0xFD, 0x36, 0x05, 0x55}, nullptr, 19,
     {R(0, 1), R(4, 1), R(8, 1), R(11, 1), W(16, 2)}},
    {"IncIndexed", 0x4000, {0xDD, 0x34, 0x05}, nullptr, 23, {R(0, 1), R(4, 1), R(8, 1), R(16, 2), W(20, 2)}},
    {"PushIx", 0x4000, {0xDD, 0xE5}, nullptr, 15, {R(0, 1), R(4, 1), W(9, 3), W(12, 3)}},
    {"ExStackIx", 0x4000, {0xDD, 0xE3}, nullptr, 23, {R(0, 1), R(4, 1), R(8, 3), R(11, 3), W(15, 3), W(18, 3)}},
    {"PrefixRun", 0x4000, {0xDD, 0xFD, 0x00}, nullptr, 12, {R(0, 1), R(4, 1), R(8, 1)}},
    {"RlcIndexed", 0x4000, {0xDD, 0xCB, 0x05, 0x06}, nullptr, 23,
     {R(0, 1), R(4, 1), R(8, 1), R(11, 1), R(16, 2), W(20, 2)}},
    {"SetIndexedWithCopy", 0x4000, {0xFD, 0xCB, 0x05, 0xC0}, nullptr, 23,
     {R(0, 1), R(4, 1), R(8, 1), R(11, 1), R(16, 2), W(20, 2)}},
    {"BitIndexed", 0x4000, {0xDD, 0xCB, 0x05, 0x46}, nullptr, 20, {R(0, 1), R(4, 1), R(8, 1), R(11, 1), R(16, 2)}},
    // A halted processor makes no fetch.
    {"HaltedStep", 0x4000, {0x76}, [](Z80& cpu) { cpu.Halted = 1; }, 4, {}},
};

class BusAccessOrder : public testing::TestWithParam<TraceCase> {};

// A delay placed at the T-state where an access starts must lengthen the step;
// one placed anywhere else must not.
TEST_P(BusAccessOrder, DelaysApplyAtTheStartOfEachAccess) {
    const TraceCase& c = GetParam();
    const BusTrace trace = TraceStep(SetupFor(c));
    EXPECT_EQ(trace.length, c.length);
    EXPECT_EQ(trace.accesses, c.accesses);
}

// With ContentionActive clear the same instructions take their plain time
// whatever the table and the page flags say, and never capture the screen.
TEST_P(BusAccessOrder, NothingIsDelayedWithContentionOff) {
    const TraceCase& c = GetParam();
    FlatMachine m;
    m.cpu.FrameTStates = 1000;
    SetupFor(c)(m);
    m.cpu.PageContended = {1, 1, 1, 1};
    m.contention.fill(6);
    m.cpu.ContentionActive = 0;
    EXPECT_EQ(m.Step(), c.length);
    EXPECT_EQ(m.captures, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryGroup, BusAccessOrder, testing::ValuesIn(kTraceCases),
                         [](const testing::TestParamInfo<TraceCase>& info) { return info.param.name; });

// Each access looks the delay up at the T-state where it really starts, after
// the delays before it, and is delayed once.
TEST(ContentionDelay, LooksUpEachAccessAfterEarlierDelays) {
    FlatMachine m;
    m.Load(0x4000, {0x7E});  // LD A,(HL)
    m.ram[0x8000] = 0x42;
    m.cpu.PC.w = 0x4000;
    m.cpu.HL.w = 0x8000;
    m.cpu.PageContended = {1, 1, 1, 1};
    m.cpu.ContentionActive = 1;
    m.cpu.FrameTStates = 100;
    m.contention[100] = 3;  // the fetch waits until 103
    m.contention[103] = 4;  // ... and is not delayed again there
    m.contention[104] = 5;  // where the read would have started undelayed
    m.contention[107] = 2;  // where it does start
    EXPECT_EQ(m.Step(), 3 + 4 + 2 + 3);
    EXPECT_EQ(m.cpu.A(), 0x42);
}

TEST(ContentionDelay, UncontendedSlotIsNotDelayed) {
    FlatMachine m;
    m.cpu.PageContended = {0, 1, 0, 0};
    m.cpu.ContentionActive = 1;
    m.contention.fill(6);
    m.cpu.FrameTStates = 100;
    m.cpu.ReadByte(0x8000);
    m.cpu.WriteByte(0xC000, 1);
    EXPECT_EQ(m.cpu.FrameTStates, 100);
    m.cpu.ReadByte(0x4000);
    EXPECT_EQ(m.cpu.FrameTStates, 106);
    EXPECT_EQ(m.cpu.LastAccessTStates, 106);
}

TEST(ContentionDelay, ContentionOffLeavesTimeAndScreenAlone) {
    FlatMachine m;
    m.cpu.PageContended = {1, 1, 1, 1};
    m.contention.fill(6);
    m.cpu.FrameTStates = 100;
    m.cpu.LastAccessTStates = 50;
    m.cpu.WriteByte(0x4000, 0x12);
    EXPECT_EQ(m.cpu.ReadByte(0x4000), 0x12);
    EXPECT_EQ(m.cpu.FrameTStates, 100);
    EXPECT_EQ(m.cpu.LastAccessTStates, 50);
    EXPECT_EQ(m.captures, 0);
}

struct NearAccessCase {
    const char* name;
    bool write;
    int32_t gap;
    uint8_t nearRule;
    int32_t secondDelay;
};

TEST(NearAccessRule, OnlyAnAccessLessThanTwoTStatesAfterTheLastEscapes) {
    const NearAccessCase cases[] = {
        {"read 1 T after, rule on", false, 1, 1, 0},
        {"read 1 T after, rule off", false, 1, 0, 3},
        {"read 2 T after, rule on", false, 2, 1, 3},
        {"write 1 T after, rule on", true, 1, 1, 0},
        {"write 1 T after, rule off", true, 1, 0, 3},
    };
    for (const NearAccessCase& c : cases) {
        SCOPED_TRACE(c.name);
        FlatMachine m;
        m.cpu.PageContended = {0, 1, 0, 0};
        m.cpu.ContentionActive = 1;
        m.cpu.NearAccessRule = c.nearRule;
        m.contention.fill(3);
        m.cpu.FrameTStates = 100;
        m.cpu.LastAccessTStates = 0;
        m.cpu.ReadByte(0x4000);
        EXPECT_EQ(m.cpu.FrameTStates, 103);  // the first access is delayed
        m.cpu.FrameTStates += c.gap;
        const int32_t before = m.cpu.FrameTStates;
        if (c.write) m.cpu.WriteByte(0x4000, 0);
        else m.cpu.ReadByte(0x4000);
        EXPECT_EQ(m.cpu.FrameTStates - before, c.secondDelay);
    }
}

// The five bus cycles of a taken JR are 1 T-state apart: with the rule only
// the first of them waits.
TEST(NearAccessRule, AppliesToBusCyclesOfAnInstruction) {
    for (const uint8_t nearRule : {0, 1}) {
        SCOPED_TRACE(int(nearRule));
        FlatMachine m;
        m.Load(0x4000, {0x18, 0xFE});
        m.cpu.PC.w = 0x4000;
        m.cpu.PageContended = {0, 1, 0, 0};
        m.cpu.ContentionActive = 1;
        m.cpu.NearAccessRule = nearRule;
        m.contention.fill(2);
        m.cpu.FrameTStates = 1000;
        // Delayed: fetch, operand, first bus cycle; without the rule all 5 cycles.
        EXPECT_EQ(m.Step(), nearRule ? 12 + 3 * 2 : 12 + 7 * 2);
    }
}

struct NormalSpeedCase {
    const char* name;
    std::vector<uint8_t> code;
    uint8_t normalSpeed;
    int32_t length;
    int captures;
};

// While fast loading clears NormalSpeed, writes are neither delayed nor
// captured; reads, fetches included, still wait.
TEST(NormalSpeed, ClearOnlyFreesWrites) {
    const NormalSpeedCase cases[] = {
        {"write at normal speed", {0x77}, 1, 7 + 6, 1},
        {"write while fast", {0x77}, 0, 7, 0},
        {"read while fast", {0x7E}, 0, 7 + 6, 0},
    };
    for (const NormalSpeedCase& c : cases) {
        SCOPED_TRACE(c.name);
        FlatMachine m;
        for (size_t i = 0; i < c.code.size(); ++i) m.ram[0x8000 + i] = c.code[i];
        m.cpu.PC.w = 0x8000;
        m.cpu.HL.w = 0x4000;  // the first screen byte
        m.cpu.PageContended = {0, 1, 0, 0};
        m.cpu.ContentionActive = 1;
        m.cpu.NormalSpeed = c.normalSpeed;
        m.cpu.FrameTStates = 1000;
        m.contention[1004] = 6;
        EXPECT_EQ(m.Step(), c.length);
        EXPECT_EQ(m.captures, c.captures);
    }
}

TEST(NormalSpeed, ClearStillDelaysOpcodeFetch) {
    FlatMachine m;
    m.cpu.PC.w = 0x4000;
    m.cpu.PageContended = {0, 1, 0, 0};
    m.cpu.ContentionActive = 1;
    m.cpu.NormalSpeed = 0;
    m.cpu.FrameTStates = 1000;
    m.contention[1000] = 6;
    EXPECT_EQ(m.Step(), 10);
}

TEST(NormalSpeed, ClearWriteLeavesLastAccessTime) {
    FlatMachine m;
    m.cpu.PageContended = {0, 1, 0, 0};
    m.cpu.ContentionActive = 1;
    m.cpu.NormalSpeed = 0;
    m.cpu.FrameTStates = 100;
    m.cpu.LastAccessTStates = 40;
    m.cpu.WriteByte(0x4000, 1);
    EXPECT_EQ(m.cpu.LastAccessTStates, 40);
    EXPECT_EQ(m.ram[0x4000], 1);
}

struct ScreenWriteCase {
    uint16_t screen;  // where ScreenWatch points
    uint16_t address;
    uint8_t contention;
    bool captured;
};

// Only a contended write into the 6912 displayed screen bytes needs the screen
// latched first, wherever that screen is paged.
TEST(ScreenCapture, OnlyContendedWritesIntoTheScreenBytes) {
    const ScreenWriteCase cases[] = {
        {0x4000, 0x4000, 1, true},  {0x4000, 0x5AFF, 1, true},  {0x4000, 0x5B00, 1, false},
        {0x4000, 0x3FFF, 1, false}, {0x4000, 0x8000, 1, false}, {0x4000, 0x4000, 0, false},
        {0xC000, 0xC000, 1, true},  {0xC000, 0x4000, 1, false},
    };
    for (const ScreenWriteCase& c : cases) {
        SCOPED_TRACE("screen " + std::to_string(c.screen) + " write " + std::to_string(c.address) + " contention " +
                     std::to_string(c.contention));
        FlatMachine m;
        m.cpu.ScreenWatch = m.ram.data() + c.screen;
        m.cpu.ContentionActive = c.contention;
        m.cpu.FrameTStates = 100;
        m.cpu.WriteByte(c.address, 0x55);
        EXPECT_EQ(m.captureTimes, c.captured ? std::vector<int32_t>{100} : std::vector<int32_t>{});
        EXPECT_EQ(m.ram[c.address], 0x55);
    }
}

struct InvesCase {
    uint16_t address;
    uint8_t invesModel;
    bool captured;
};

// The Inves latches writes to the ROM slot at addresses ending in 0xFE; the
// write itself still goes to the write page of that slot.
TEST(InvesMask, CapturedOnlyFromRomSlotWritesEndingInFE) {
    const InvesCase cases[] = {
        {0x00FE, 1, true},  {0x3FFE, 1, true},  {0x12FE, 1, true},  {0x40FE, 1, false},
        {0x80FE, 1, false}, {0xFFFE, 1, false}, {0x00FD, 1, false}, {0x00FE, 0, false},
    };
    for (const uint8_t contention : {0, 1}) {
        for (const InvesCase& c : cases) {
            SCOPED_TRACE("address " + std::to_string(c.address) + " inves " + std::to_string(c.invesModel) +
                         " contention " + std::to_string(contention));
            FlatMachine m;
            std::array<uint8_t, 0x4000> romSink{};
            m.cpu.WritePages[0] = romSink.data();
            m.cpu.InvesModel = c.invesModel;
            m.cpu.InvesMask = 0xFF;
            m.cpu.ContentionActive = contention;
            m.Load(0x8000, {0x32, uint8_t(c.address), uint8_t(c.address >> 8)});  // LD (nn),A
            m.cpu.PC.w = 0x8000;
            m.cpu.A() = 0x5A;
            m.Step();
            EXPECT_EQ(m.cpu.InvesMask, c.captured ? 0x5A : 0xFF);
            const uint8_t landed = c.address < 0x4000 ? romSink[c.address] : m.ram[c.address];
            EXPECT_EQ(landed, 0x5A);
        }
    }
}

TEST(InvesMask, CapturedThroughWriteByte) {
    FlatMachine m;
    m.cpu.InvesModel = 1;
    m.cpu.WriteByte(0x00FE, 0x17);
    EXPECT_EQ(m.cpu.InvesMask, 0x17);
    m.cpu.WriteByte(0x41FE, 0x18);
    EXPECT_EQ(m.cpu.InvesMask, 0x17);
}

}  // namespace
}  // namespace tarvolinde::test
