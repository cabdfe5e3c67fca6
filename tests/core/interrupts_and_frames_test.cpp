// The interrupt acknowledge, the interrupt window of each frame procedure, the
// contended phase of the frame and the TR-DOS paging trap.

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>

#include "tests/core/bus_trace.h"

namespace tarvolinde::test {
namespace {

constexpr uint16_t kCode = 0x6000;
constexpr uint16_t kStack = 0xF000;

uint16_t StackedWord(const FlatMachine& m) {
    return uint16_t(m.ram[m.cpu.SP.w] | m.ram[uint16_t(m.cpu.SP.w + 1)] << 8);
}

// An interrupt is due at the first step: IFF1 set inside the window of the
// standard frame.
void InterruptDue(FlatMachine& m, uint8_t mode) {
    m.cpu.FrameTStates = 0;
    m.cpu.IntWindowEnd = 32;
    m.cpu.IFF1 = m.cpu.IFF2 = 1;
    m.cpu.IM = mode;
    m.cpu.PC.w = kCode;
    m.cpu.SP.w = kStack;
}

BusAccess R(int32_t at, int slot) { return {at, slot, false}; }
BusAccess W(int32_t at, int slot) { return {at, slot, true}; }

TEST(InterruptAcknowledge, Im1PushesThenFetchesFrom0038AtT13) {
    const BusTrace trace = TraceStep([](FlatMachine& m) { InterruptDue(m, 1); });
    EXPECT_EQ(trace.length, 13 + 4);
    EXPECT_EQ(trace.accesses, (std::vector<BusAccess>{W(7, 3), W(10, 3), R(13, 0)}));
}

TEST(InterruptAcknowledge, Im0TakesTwelveTStates) {
    const BusTrace trace = TraceStep([](FlatMachine& m) { InterruptDue(m, 0); });
    EXPECT_EQ(trace.length, 12 + 4);
    EXPECT_EQ(trace.accesses, (std::vector<BusAccess>{W(6, 3), W(9, 3), R(12, 0)}));
}

// With I = 0xFF the vector's two bytes are at 0xFFFF and, wrapping, 0x0000.
TEST(InterruptAcknowledge, Im2ReadsVectorAcrossTheTopOfMemory) {
    const auto setup = [](FlatMachine& m) {
        InterruptDue(m, 2);
        m.cpu.I = 0xFF;
        m.ram[0xFFFF] = 0x00;
        m.ram[0x0000] = 0x80;
    };
    const BusTrace trace = TraceStep(setup);
    EXPECT_EQ(trace.length, 19 + 4);
    EXPECT_EQ(trace.accesses, (std::vector<BusAccess>{W(7, 3), W(10, 3), R(13, 3), R(16, 0), R(19, 2)}));

    FlatMachine m;
    setup(m);
    m.cpu.RunUntil(1);
    EXPECT_EQ(m.cpu.PC.w, 0x8001);
}

struct AcknowledgeCase {
    uint8_t mode;
    int32_t tstates;
    uint16_t handler;
};

TEST(InterruptAcknowledge, PushesPcAndClearsFlipFlops) {
    const AcknowledgeCase cases[] = {{0, 12, 0x0038}, {1, 13, 0x0038}, {2, 19, 0x9000}};
    for (const AcknowledgeCase& c : cases) {
        SCOPED_TRACE("IM " + std::to_string(c.mode));
        FlatMachine m;
        InterruptDue(m, c.mode);
        m.cpu.I = 0x70;
        m.Load(0x70FF, {0x00, 0x90});
        m.cpu.SetR(0x10);
        m.cpu.RunUntil(1);  // the acknowledge and the NOP at the handler
        EXPECT_EQ(m.cpu.FrameTStates, c.tstates + 4);
        EXPECT_EQ(m.cpu.TotalTStates, uint64_t(c.tstates + 4));
        EXPECT_EQ(m.cpu.PC.w, c.handler + 1);
        EXPECT_EQ(m.cpu.SP.w, kStack - 2);
        EXPECT_EQ(StackedWord(m), kCode);
        EXPECT_EQ(m.cpu.IFF1, 0);
        EXPECT_EQ(m.cpu.IFF2, 0);
        EXPECT_EQ(m.cpu.R(), 0x12);  // the acknowledge counts as well as the fetch
    }
}

TEST(InterruptAcknowledge, ResumesAfterHalt) {
    FlatMachine m;
    m.Load(kCode, {0x76});
    m.cpu.PC.w = kCode;
    m.cpu.SP.w = kStack;
    m.cpu.IM = 1;
    m.cpu.IFF1 = m.cpu.IFF2 = 1;
    m.cpu.FrameTStates = 40;  // past this frame's window
    m.cpu.StandardFrame();
    EXPECT_EQ(m.cpu.Halted, 1);
    EXPECT_EQ(m.cpu.PC.w, kCode + 1);
    EXPECT_EQ(m.cpu.FrameTStates, m.cpu.FrameLength);  // halted steps are 4 T-states each
    EXPECT_EQ(m.cpu.SP.w, kStack);

    m.cpu.FrameTStates -= m.cpu.FrameLength;
    m.cpu.RunUntil(1);
    EXPECT_EQ(m.cpu.Halted, 0);
    EXPECT_EQ(m.cpu.PC.w, 0x0039);
    EXPECT_EQ(StackedWord(m), kCode + 1);
}

struct EnableCase {
    int nopsBeforeEi;
    bool accepted;
};

// IFF1 is tested at each instruction boundary below T-state 32; EI acts at
// once, so the boundary right after it counts.
TEST(StandardFrame, AcceptsOnlyAtABoundaryInsideTheWindow) {
    const EnableCase cases[] = {{0, true}, {6, true}, {7, false}, {10, false}};
    for (const EnableCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.nopsBeforeEi) + " NOPs before EI");
        FlatMachine m;
        const uint16_t loop = uint16_t(kCode + c.nopsBeforeEi + 1);
        m.ram[loop - 1] = 0xFB;                // EI
        m.Load(loop, {0x18, 0xFE});            // JR to itself
        m.cpu.PC.w = kCode;
        m.cpu.SP.w = kStack;
        m.cpu.IM = 1;
        m.cpu.StandardFrame();
        if (c.accepted) {
            EXPECT_EQ(m.cpu.SP.w, kStack - 2);
            EXPECT_EQ(StackedWord(m), loop);
        } else {
            EXPECT_EQ(m.cpu.SP.w, kStack);
            EXPECT_EQ(m.cpu.PC.w, loop);
            EXPECT_EQ(m.cpu.IFF1, 1);
        }
    }
}

TEST(StandardFrame, WindowEndsBeforeTStateThirtyTwo) {
    for (const int32_t start : {0, 31, 32}) {
        SCOPED_TRACE(start);
        FlatMachine m;
        m.Load(kCode, {0x18, 0xFE});
        m.cpu.PC.w = kCode;
        m.cpu.SP.w = kStack;
        m.cpu.IM = 1;
        m.cpu.IFF1 = m.cpu.IFF2 = 1;
        m.cpu.FrameTStates = start;
        m.cpu.StandardFrame();
        EXPECT_EQ(m.cpu.SP.w, start < 32 ? kStack - 2 : kStack);
    }
}

// A run of prefixes split by the end of a frame resumes in the next frame's
// window without an interrupt between the prefixes; the interrupt follows the
// whole instruction.
// A run of prefixes is one instruction: one that starts just before the end of
// the frame completes in it, and the next frame's interrupt comes after it.
TEST(StandardFrame, PrefixRunCompletesAcrossTheFrameEnd) {
    FlatMachine m;
    m.Load(kCode, {0xDD, 0xDD, 0x21, 0x34, 0x12, 0x18, 0xFE});
    m.cpu.PC.w = kCode;
    m.cpu.SP.w = kStack;
    m.cpu.IM = 1;
    m.cpu.IFF1 = m.cpu.IFF2 = 1;
    m.cpu.FrameTStates = m.cpu.FrameLength - 2;
    m.cpu.StandardFrame();
    EXPECT_EQ(m.cpu.PC.w, kCode + 5);
    EXPECT_EQ(m.cpu.IX.w, 0x1234);
    EXPECT_EQ(m.cpu.FrameTStates, m.cpu.FrameLength - 2 + 18);
    m.cpu.FrameTStates -= m.cpu.FrameLength;

    m.cpu.RunUntil(m.cpu.FrameTStates + 1);
    EXPECT_EQ(m.cpu.SP.w, kStack - 2);
    EXPECT_EQ(StackedWord(m), kCode + 5);
}

// Memory full of prefixes cannot hold a frame up: the run is cut a little past
// the end of the frame and goes on in the next one.
TEST(StandardFrame, EndlessPrefixRunStillEndsTheFrame) {
    FlatMachine m;
    m.ram.fill(0xDD);
    m.cpu.FrameTStates = m.cpu.FrameLength - 100;
    m.cpu.StandardFrame();
    EXPECT_GE(m.cpu.FrameTStates, m.cpu.FrameLength);
    EXPECT_LT(m.cpu.FrameTStates, m.cpu.FrameLength + 300);
    m.cpu.FrameTStates -= m.cpu.FrameLength;
    const uint16_t pc = m.cpu.PC.w;
    m.cpu.StandardFrame();
    EXPECT_NE(m.cpu.PC.w, pc);
}

TEST(StandardFrame, LongPrefixRunOutlastsTheWindow) {
    FlatMachine m;
    for (int i = 0; i < 40; ++i) m.ram[kCode + i] = 0xFD;
    m.Load(kCode + 40, {0x21, 0x34, 0x12, 0x18, 0xFE});
    m.cpu.PC.w = kCode;
    m.cpu.SP.w = kStack;
    m.cpu.IM = 1;
    m.cpu.IFF1 = m.cpu.IFF2 = 1;
    m.cpu.FrameTStates = m.cpu.FrameLength - 2;
    m.cpu.StandardFrame();
    m.cpu.FrameTStates -= m.cpu.FrameLength;
    m.cpu.StandardFrame();
    EXPECT_EQ(m.cpu.IY.w, 0x1234);
    EXPECT_EQ(m.cpu.SP.w, kStack);
    EXPECT_EQ(m.cpu.PC.w, kCode + 43);
}

// Contention is on only between ScreenStartT and ScreenEndT: a NOP sled in a
// contended slot runs 4 T-state NOPs outside and 5 T-state NOPs inside.
TEST(StandardFrame, ContendsOnlyTheScreenPhase) {
    FlatMachine m;
    m.cpu.ScreenStartT = 400;
    m.cpu.ScreenEndT = 900;
    m.cpu.FrameLength = 1300;
    m.cpu.PageContended = {1, 0, 0, 0};
    m.contention.fill(1);
    m.cpu.StandardFrame();
    EXPECT_EQ(m.cpu.PC.w, 100 + 100 + 100);
    EXPECT_EQ(m.cpu.FrameTStates, 1300);
    EXPECT_EQ(m.cpu.TotalTStates, 1300u);
    EXPECT_EQ(m.cpu.ContentionActive, 0);
    EXPECT_EQ(m.captureTimes, std::vector<int32_t>{900});
}

// Writes capture the screen only in the contended phase; the frame adds one
// capture when the phase ends.
TEST(StandardFrame, CapturesTheScreenOnceAtScreenEnd) {
    FlatMachine m;
    m.cpu.ScreenStartT = 400;
    m.cpu.ScreenEndT = 900;
    m.cpu.FrameLength = 1300;
    m.Load(0, {0x77, 0x18, 0xFD});  // LD (HL),A; JR back: one screen write every 19 T-states
    m.cpu.HL.w = 0x5800;
    m.cpu.StandardFrame();
    const std::vector<int32_t>& times = m.captureTimes;
    ASSERT_GE(times.size(), 3u);
    // Every write of the phase, and none outside it...
    EXPECT_GE(times.front(), 400);
    EXPECT_LT(times.front(), 400 + 19 + 4);
    for (size_t i = 1; i + 1 < times.size(); ++i) EXPECT_EQ(times[i] - times[i - 1], 19);
    EXPECT_LT(times[times.size() - 2], 900);
    EXPECT_GE(times[times.size() - 2], 900 - 19);
    // ... then the end of the phase.
    EXPECT_GE(times.back(), 900);
    EXPECT_LT(times.back(), 900 + 19);
}

TEST(StandardFrame, InstructionAtFrameEndCompletesAndOverruns) {
    FlatMachine m;
    m.Load(kCode, {0xDD, 0xCB, 0x05, 0x06});  // RLC (IX+5), 23 T-states
    m.cpu.PC.w = kCode;
    m.cpu.IX.w = 0x8000;
    m.ram[0x8005] = 0x81;
    m.cpu.FrameTStates = m.cpu.FrameLength - 1;
    m.cpu.RunFrame();
    EXPECT_EQ(m.cpu.FrameTStates, m.cpu.FrameLength - 1 + 23);
    EXPECT_EQ(m.ram[0x8005], 0x03);
    EXPECT_EQ(m.cpu.ContentionActive, 0);
}

TEST(StandardFrame, TotalTStatesCountsEveryFrameAndAcknowledge) {
    FlatMachine m;
    m.Load(kCode, {0x18, 0xFE});  // JR to itself
    m.Load(0x0038, {0xFB, 0xC9});  // EI; RET
    m.cpu.PC.w = kCode;
    m.cpu.SP.w = kStack;
    m.cpu.IM = 1;
    m.cpu.IFF1 = m.cpu.IFF2 = 1;
    m.cpu.TotalTStates = 1000;
    m.cpu.StandardFrame();
    const int32_t first = m.cpu.FrameTStates;
    EXPECT_EQ(m.cpu.TotalTStates, 1000u + uint64_t(first));
    m.cpu.FrameTStates -= m.cpu.FrameLength;
    const int32_t carried = m.cpu.FrameTStates;
    m.cpu.StandardFrame();
    EXPECT_EQ(m.cpu.TotalTStates, 1000u + uint64_t(first) + uint64_t(m.cpu.FrameTStates - carried));
    EXPECT_EQ(m.cpu.SP.w, kStack);  // every interrupt taken has returned
    EXPECT_EQ(m.cpu.PC.w, kCode);
}

TEST(RunUntil, DoesNothingWhenTheTargetIsReached) {
    FlatMachine m;
    m.cpu.FrameTStates = 500;
    m.cpu.RunUntil(500);
    EXPECT_EQ(m.cpu.FrameTStates, 500);
    EXPECT_EQ(m.cpu.PC.w, 0);
}

// The Inves model's window is the 32 T-states from the start of its contended
// phase at 14364; nothing is accepted at the start of the frame. The machine
// runs a NOP sled from 0x4000 and halts in the interrupt routine.
std::unique_ptr<FlatMachine> InvesMachine() {
    auto m = std::make_unique<FlatMachine>();
    m->cpu.FrameRoutine = Z80::FrameProcedure::Inves;
    m->cpu.ScreenStartT = 14364;
    m->cpu.ScreenEndT = 57372;
    m->cpu.PC.w = 0x4000;
    m->cpu.SP.w = kStack;
    m->cpu.IM = 1;
    m->ram[0x0038] = 0x76;
    return m;
}

TEST(InvesFrame, AcceptsAtTheStartOfTheContendedPhase) {
    const auto m = InvesMachine();
    m->cpu.IFF1 = m->cpu.IFF2 = 1;
    m->cpu.RunFrame();
    ASSERT_EQ(m->cpu.SP.w, kStack - 2);
    EXPECT_EQ(StackedWord(*m), 0x4000 + 14364 / 4);
    EXPECT_EQ(m->cpu.ContentionActive, 0);
}

TEST(InvesFrame, WindowEndsAt14396) {
    const EnableCase cases[] = {{0, true}, {3597, true}, {3598, false}};
    for (const EnableCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.nopsBeforeEi) + " NOPs before EI");
        const auto m = InvesMachine();
        m->ram[0x4000 + c.nopsBeforeEi] = 0xFB;
        m->cpu.RunFrame();
        if (c.accepted) {
            ASSERT_EQ(m->cpu.SP.w, kStack - 2);
            EXPECT_EQ(StackedWord(*m), 0x4000 + std::max(c.nopsBeforeEi + 1, 14364 / 4));
        } else {
            EXPECT_EQ(m->cpu.SP.w, kStack);
        }
    }
}

// A TR-DOS interface double: port 0xFFFF pages its ROM into slot 0, as the
// machine models with the interface do.
class TrdosMachine : public FlatMachine {
public:
    void OutPort(uint16_t port, uint8_t value) override {
        FlatMachine::OutPort(port, value);
        if (port != 0xFFFF) return;
        cpu.TrdosRomActive = value;
        cpu.ReadPages[0] = value ? trdosRom.data() : ram.data();
    }
    std::array<uint8_t, 0x4000> trdosRom{};
};

class TrdosTrap : public testing::Test {
protected:
    void SetUp() override {
        m.cpu.TrdosPaging = 1;
        m.Load(0x8000, {0xC3, 0x00, 0x3D});  // JP 0x3D00
        m.Load(0x3D00, {0x3E, 0x11});        // LD A,0x11 in the main ROM
        const uint8_t trdos[] = {0x3E, 0x22, 0xC3, 0x00, 0x40};  // LD A,0x22; JP 0x4000
        std::copy(std::begin(trdos), std::end(trdos), m.trdosRom.begin() + 0x3D00);
        m.cpu.PC.w = 0x8000;
        m.cpu.FrameTStates = 1000;
    }
    TrdosMachine m;
};

TEST_F(TrdosTrap, PagesInBeforeFetchingAt3DxxAndOutAbove3FFF) {
    m.Step();  // JP 0x3D00
    EXPECT_TRUE(m.ports.empty());
    m.Step();  // paged in first, so this is the TR-DOS ROM's LD A,0x22
    EXPECT_EQ(m.cpu.A(), 0x22);
    ASSERT_EQ(m.ports.size(), 1u);
    EXPECT_EQ(m.ports[0], (PortAccess{true, 0xFFFF, 1, 1010}));
    m.Step();  // JP 0x4000, still in 0x3Dxx: no second page-in
    EXPECT_EQ(m.ports.size(), 1u);
    m.Step();  // at 0x4000, the first address above the ROM: paged out before the fetch
    ASSERT_EQ(m.ports.size(), 2u);
    EXPECT_EQ(m.ports[1], (PortAccess{true, 0xFFFF, 0, 1027}));
    EXPECT_EQ(m.cpu.TrdosRomActive, 0);
}

TEST_F(TrdosTrap, StaysPagedInElsewhereInTheRomArea) {
    m.trdosRom[0x3D02] = 0xC3;  // JP 0x0100 inside the TR-DOS ROM
    m.trdosRom[0x3D03] = 0x00;
    m.trdosRom[0x3D04] = 0x01;
    for (int i = 0; i < 4; ++i) m.Step();
    EXPECT_EQ(m.ports.size(), 1u);
    EXPECT_EQ(m.cpu.TrdosRomActive, 1);
    EXPECT_EQ(m.cpu.PC.w, 0x0101);
}

TEST_F(TrdosTrap, NothingWithoutTheInterface) {
    m.cpu.TrdosPaging = 0;
    m.Step();
    m.Step();
    EXPECT_EQ(m.cpu.A(), 0x11);
    EXPECT_TRUE(m.ports.empty());
}

}  // namespace
}  // namespace tarvolinde::test
