// The interrupt acknowledge, HALT, the interrupt window of each frame procedure,
// runs of prefixes, instructions at the end of a frame, and the TR-DOS trap.

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "tests/core/flat_machine.h"

namespace tarvolinde::test {
namespace {

constexpr uint16_t kCode = 0x6000;
constexpr uint16_t kStack = 0xF000;

// IFF1 set, inside the standard frame's window, at kCode with the stack at kStack.
void InterruptDue(FlatMachine& m, uint8_t mode) {
    m.cpu.FrameTStates = 0;
    m.cpu.IntWindowEnd = 32;
    m.cpu.IFF1 = m.cpu.IFF2 = 1;
    m.cpu.IM = mode;
    m.cpu.PC.w = kCode;
    m.cpu.SP.w = kStack;
}

// The acknowledge pushes PC and then fetches from the handler; with I = 0xFF
// the vector's two bytes are at 0xFFFF and, wrapping, 0x0000.
TEST(InterruptAcknowledge, PushesPcThenJumpsToTheHandler) {
    // Interrupt mode, the trace of the acknowledge and the handler's first NOP, the handler.
    const std::tuple<uint8_t, const char*, uint16_t> cases[] = {
        {0, "16: W3@6 W3@9 R0@12", 0x0038}, {1, "17: W3@7 W3@10 R0@13", 0x0038},
        {2, "23: W3@7 W3@10 R3@13 R0@16 R2@19", 0x9000}};
    for (const auto& [mode, trace, handler] : cases) {
        const auto setup = [mode](FlatMachine& m) {
            InterruptDue(m, mode);
            m.cpu.I = 0xFF;
            m.ram[0x0000] = 0x90;
            m.cpu.SetR(0x10);
        };
        EXPECT_EQ(TraceStep(setup), trace);
        FlatMachine m;
        setup(m);
        m.cpu.RunUntil(1);
        EXPECT_EQ(m.cpu.TotalTStates, uint64_t(m.cpu.FrameTStates));
        EXPECT_EQ(m.cpu.PC.w, handler + 1);
        EXPECT_EQ(m.cpu.SP.w, kStack - 2);
        EXPECT_EQ(m.StackedWord(), kCode);
        EXPECT_EQ(m.cpu.IFF1 | m.cpu.IFF2, 0);
        EXPECT_EQ(m.cpu.R(), 0x12);  // the acknowledge counts as well as the fetch
    }
}

// A halted processor runs 4 T-state steps with PC past the HALT to the end of
// the frame; the next frame's interrupt resumes it.
TEST(InterruptAcknowledge, ResumesAfterHalt) {
    FlatMachine m;
    m.Load(kCode, {0x76});
    InterruptDue(m, 1);
    m.cpu.FrameTStates = 40;  // past this frame's window
    m.cpu.StandardFrame();
    EXPECT_EQ(m.cpu.Halted, 1);
    EXPECT_EQ(m.cpu.PC.w, kCode + 1);
    EXPECT_EQ(m.cpu.FrameTStates, m.cpu.FrameLength);
    m.cpu.FrameTStates = 0;
    m.cpu.RunUntil(1);
    EXPECT_EQ(m.cpu.Halted, 0);
    EXPECT_EQ(m.cpu.PC.w, 0x0039);
    EXPECT_EQ(m.StackedWord(), kCode + 1);
}

// Power-on values: AF and SP all ones, everything else 0; the T-state counters run on.
TEST(ResetCpu, SetsPowerOnValues) {
    FlatMachine m;
    m.cpu.SP.w = m.cpu.PC.w = m.cpu.IX.w = 0x1234, m.cpu.IFF1 = m.cpu.Halted = 1, m.cpu.FrameTStates = 5;
    m.cpu.ResetCpu();
    EXPECT_TRUE(m.cpu.ProgramAF() == 0xFFFF && m.cpu.SP.w == 0xFFFF && !m.cpu.PC.w && !m.cpu.IX.w);
    EXPECT_TRUE(!m.cpu.IFF1 && !m.cpu.Halted && m.cpu.FrameTStates == 5);
}

// Runs of DD/FD prefixes, which neither FUSE's tests nor the single-step cases
// run: a run is one step in which each prefix costs 4 T-states and one R count
// and only the last chooses the index register; a prefix before ED is dropped.
// Undefined ED opcodes do nothing.
TEST(PrefixRuns, OnlyTheLastPrefixCounts) {
    struct Case {
        std::vector<uint8_t> code;
        int32_t tstates;
        uint16_t hl, de, ix, iy, pc;
        uint8_t r, halted, iff1;
    };
    const Case cases[] = {
        {{0xDD, 0xDD, 0x21, 0x34, 0x12}, 18, 0x7788, 0x5566, 0x1234, 0xBBCC, 0x6005, 3, 0, 0},
        {{0xFD, 0xDD, 0x21, 0x34, 0x12}, 18, 0x7788, 0x5566, 0x1234, 0xBBCC, 0x6005, 3, 0, 0},
        {{0xDD, 0xFD, 0x21, 0x34, 0x12}, 18, 0x7788, 0x5566, 0x99AA, 0x1234, 0x6005, 3, 0, 0},
        {{0xDD, 0xED, 0x45}, 18, 0x7788, 0x5566, 0x99AA, 0xBBCC, 0x1234, 3, 0, 1},  // RETN
        {{0xED, 0x00}, 8, 0x7788, 0x5566, 0x99AA, 0xBBCC, 0x6002, 2, 0, 0},
    };
    for (const Case& c : cases) {
        FlatMachine m;
        std::copy(c.code.begin(), c.code.end(), m.ram.begin() + kCode);
        m.Load(kStack, {0x34, 0x12});
        m.cpu.PC.w = kCode, m.cpu.SP.w = kStack;
        m.cpu.HL.w = 0x7788, m.cpu.DE.w = 0x5566, m.cpu.IX.w = 0x99AA, m.cpu.IY.w = 0xBBCC;
        m.cpu.IFF2 = 1;
        SCOPED_TRACE(testing::PrintToString(c.code));
        EXPECT_EQ(m.Step(), c.tstates);
        EXPECT_EQ(m.cpu.HL.w, c.hl);
        EXPECT_EQ(m.cpu.DE.w, c.de);
        EXPECT_EQ(m.cpu.IX.w, c.ix);
        EXPECT_EQ(m.cpu.IY.w, c.iy);
        EXPECT_EQ(m.cpu.PC.w, c.pc);
        EXPECT_EQ(m.cpu.R(), c.r);
        EXPECT_EQ(m.cpu.Halted, c.halted);
        EXPECT_EQ(m.cpu.IFF1, c.iff1);
    }
}

// An instruction, even a run of prefixes, that starts just before the end of
// the frame completes in it, and the next frame's interrupt comes after it.
TEST(StandardFrame, PrefixRunCompletesAcrossTheFrameEnd) {
    FlatMachine m;
    m.Load(kCode, {0xDD, 0xDD, 0x21, 0x34, 0x12, 0x18, 0xFE});
    InterruptDue(m, 1);
    m.cpu.FrameTStates = m.cpu.FrameLength - 2;
    m.cpu.StandardFrame();
    EXPECT_EQ(m.cpu.IX.w, 0x1234);
    EXPECT_EQ(m.cpu.FrameTStates, m.cpu.FrameLength - 2 + 18);
    m.cpu.FrameTStates -= m.cpu.FrameLength;
    m.cpu.StandardFrame();
    EXPECT_EQ(m.StackedWord(), kCode + 5);
}

// A run longer than the overrun allowed is cut and finished in the next frame
// without an interrupt between its prefixes; memory full of prefixes cannot
// hold a frame up.
TEST(StandardFrame, LongPrefixRunIsCutAndResumedWithoutAnInterrupt) {
    FlatMachine m;
    std::fill_n(m.ram.begin() + kCode, 80, 0xFD);
    m.Load(kCode + 80, {0x21, 0x34, 0x12, 0x18, 0xFE});
    InterruptDue(m, 1);
    m.cpu.FrameTStates = m.cpu.FrameLength - 2;
    m.cpu.StandardFrame();
    EXPECT_GE(m.cpu.FrameTStates, m.cpu.FrameLength + 256);
    EXPECT_LT(m.cpu.PC.w, kCode + 80);
    m.cpu.FrameTStates -= m.cpu.FrameLength;
    m.cpu.StandardFrame();
    EXPECT_EQ(m.cpu.IY.w, 0x1234);
    EXPECT_EQ(m.cpu.SP.w, kStack);

    FlatMachine endless;
    endless.ram.fill(0xDD);
    endless.cpu.FrameTStates = endless.cpu.FrameLength - 100;
    endless.cpu.StandardFrame();
    EXPECT_LT(endless.cpu.FrameTStates, endless.cpu.FrameLength + 300);
}

// Contention is on around the screen phase, up to ScreenEndT, where the screen
// is latched: a NOP sled in a contended slot runs 4 T-state NOPs outside and 5
// inside, and the delays outside the screen are never looked up.
TEST(StandardFrame, ContendsOnlyTheScreenPhase) {
    FlatMachine m;
    m.cpu.ScreenStartT = 400, m.cpu.ScreenEndT = 900, m.cpu.FrameLength = 1300;
    m.cpu.PageContended = {1, 0, 0, 0};
    m.contention.fill(1);
    std::fill_n(m.contention.begin() + 368, 32, 0);  // switched on a little early, where the table has no delay
    m.cpu.StandardFrame();
    EXPECT_EQ(m.cpu.PC.w, 100 + 100 + 100);
    EXPECT_EQ(m.cpu.FrameTStates, 1300);
    EXPECT_EQ(m.cpu.ContentionActive, 0);
    EXPECT_EQ(m.captureTimes, std::vector<int32_t>{900});
}

// The Inves takes its interrupt only in the 32 T-states from the start of its
// contended phase at 14364. It runs a NOP sled with EI somewhere (or IFF1 set
// from the start) and halts in the interrupt routine; the NOP after EI must end
// inside the window.
TEST(InvesFrame, WindowIsTheFirst32TStatesOfTheContendedPhase) {
    for (const int eiAt : {-1, 0, 3596, 3597}) {
        FlatMachine m;
        InterruptDue(m, 1);
        m.cpu.FrameRoutine = Z80::FrameProcedure::Inves;
        m.cpu.ScreenStartT = 14364, m.cpu.ScreenEndT = 57372;
        m.ram[0x0038] = 0x76;
        if (eiAt >= 0) m.cpu.IFF1 = m.cpu.IFF2 = 0, m.ram[kCode + eiAt] = 0xFB;
        m.cpu.RunFrame();
        EXPECT_EQ(m.StackedWord(), eiAt < 3597 ? kCode + std::max(eiAt + 2, 14364 / 4) : 0) << eiAt;
    }
}

// A TR-DOS interface double: port 0xFFFF pages its ROM into slot 0.
class TrdosMachine : public FlatMachine {
public:
    void OutPort(uint16_t port, uint8_t value) override {
        FlatMachine::OutPort(port, value);
        cpu.TrdosRomActive = value;
        cpu.ReadPages[0] = value ? trdosRom.data() : ram.data();
    }
    std::array<uint8_t, 0x4000> trdosRom{};
};

// The ROM is paged in before the fetch at 0x3Dxx, stays in through the rest of
// the ROM area and is paged out before the fetch above 0x3FFF.
TEST(TrdosTrap, PagesTheRomAroundTheFetch) {
    for (const uint8_t fitted : {1, 0}) {
        TrdosMachine m;
        m.cpu.TrdosPaging = fitted;
        m.Load(0x8000, {0xC3, 0x00, 0x3D});  // JP 0x3D00
        m.Load(0x3D00, {0x3E, 0x11});        // LD A,0x11 in the main ROM
        const uint8_t trdos[] = {0x3E, 0x22, 0xC3, 0x00, 0x01};  // LD A,0x22; JP 0x0100
        std::copy(std::begin(trdos), std::end(trdos), m.trdosRom.begin() + 0x3D00);
        m.trdosRom[0x0100] = 0xC3, m.trdosRom[0x0102] = 0x40;  // JP 0x4000
        m.cpu.PC.w = 0x8000, m.cpu.FrameTStates = 1000;
        for (int i = 0; i < 5; ++i) m.Step();
        EXPECT_EQ(m.cpu.A(), fitted ? 0x22 : 0x11);
        const std::vector<PortAccess> paging = {{true, 0xFFFF, 1, 1010}, {true, 0xFFFF, 0, 1037}};
        EXPECT_EQ(m.ports, fitted ? paging : std::vector<PortAccess>{});
    }
}

// However many EIs run in a row, the interrupt waits for the instruction after the last.
TEST(InterruptQuirks, AChainOfEisHoldsTheInterruptOff) {
    FlatMachine m;
    InterruptDue(m, 1);
    m.cpu.IFF1 = m.cpu.IFF2 = 0;
    m.Load(kCode, {0xFB, 0xFB, 0xFB, 0x00});
    for (int step = 1; step <= 4; ++step) {
        m.cpu.RunUntil(m.cpu.FrameTStates + 1);
        EXPECT_EQ(m.cpu.PC.w, kCode + step) << "interrupt taken too early";
    }
    m.cpu.RunUntil(m.cpu.FrameTStates + 1);
    EXPECT_EQ(m.StackedWord(), kCode + 4);
}

// An interrupt taken straight after LD A,I or LD A,R clears the P/V they set
// from IFF2 (NMOS parts); one instruction later it is kept.
TEST(InterruptQuirks, AnInterruptStraightAfterLdAIClearsPV) {
    for (const auto& [opcode, nopBetween] : {std::pair(0x57, 0), std::pair(0x5F, 0), std::pair(0x57, 1)}) {
        FlatMachine m;
        InterruptDue(m, 1);
        m.cpu.I = 0x80;
        m.Load(kCode, {0xED, uint8_t(opcode), 0x00});
        m.Step();
        if (nopBetween) m.Step();
        m.cpu.IntWindowEnd = 32;
        m.cpu.RunUntil(m.cpu.FrameTStates + 1);
        ASSERT_EQ(m.StackedWord(), kCode + 2 + nopBetween);
        EXPECT_EQ((m.cpu.F() & flag::PV) != 0, nopBetween == 1) << std::hex << opcode;
    }
}

}  // namespace
}  // namespace tarvolinde::test
