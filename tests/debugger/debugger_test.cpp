// The debugger's runs, breakpoints and views on a 48K machine with code in RAM.

#include "debugger/debugger.h"

#include <gtest/gtest.h>

#include "../machine/machine_test_support.h"

namespace tarvolinde {
namespace {

class DebuggerTest : public testing::Test {
protected:
    DebuggerTest() : machine(CreateMachine(kModel48K, test::AllMadeUpRoms())), debugger(*machine) {
        machine->cpu.IFF1 = 0;
        machine->cpu.PC.w = 0x8000;
        machine->cpu.SP.w = 0xF000;
        // CALL 9000h; NOP; ... 9000h: LD A,5; OUT (FEh),A; LD HL,4000h; LD (HL),A; RET
        Load(0x8000, {0xCD, 0x00, 0x90, 0x00, 0x00});
        Load(0x9000, {0x3E, 0x05, 0xD3, 0xFE, 0x21, 0x00, 0x40, 0x77, 0xC9});
    }
    void Load(uint16_t address, std::initializer_list<uint8_t> bytes) {
        for (uint8_t b : bytes) machine->cpu.WriteByteFree(address++, b);
    }
    RunResult Run(bool stepOut = false) { return debugger.Run([] {}, stepOut); }

    std::unique_ptr<TSp> machine;
    Debugger debugger;
};

TEST_F(DebuggerTest, StepOverACallStopsAfterItReturnsUnlessABreakpointInsideIsHit) {
    debugger.Listing();
    RunResult result = debugger.StepOver([] {});
    EXPECT_EQ(result.Reason, StopReason::RunTo);
    EXPECT_EQ(machine->cpu.PC.w, 0x8003);
    EXPECT_EQ(machine->cpu.A(), 5);
    EXPECT_EQ(debugger.RunToAddress, -1);

    machine->cpu.PC.w = 0x8000;
    debugger.AddBreakpoint({BreakKind::Address, 0x9002, 0x9002});
    debugger.Listing();
    result = debugger.StepOver([] {});
    EXPECT_EQ(result.Reason, StopReason::Breakpoint);
    EXPECT_EQ(machine->cpu.PC.w, 0x9002);
}

TEST_F(DebuggerTest, WriteAndPortBreakpointsStopBeforeTheInstruction) {
    debugger.AddBreakpoint({BreakKind::Port, 0x00FE, 0x00FF});
    debugger.AddBreakpoint({BreakKind::Write, 0x4000, 0x57FF});
    RunResult result = Run();
    EXPECT_EQ(result.Kind, BreakKind::Port);
    EXPECT_EQ(result.PC, 0x9002);
    debugger.RemoveBreakpoint(0);
    result = Run();
    EXPECT_EQ(result.Reason, StopReason::Breakpoint);
    EXPECT_EQ(result.Kind, BreakKind::Write);
    EXPECT_EQ(machine->cpu.PC.w, 0x9007);
    EXPECT_EQ(machine->cpu.ReadByteFree(0x4000), 0);  // not yet written
}

TEST_F(DebuggerTest, StepOutRunsUntilTheRoutineReturns) {
    debugger.Step();
    ASSERT_EQ(machine->cpu.PC.w, 0x9000);
    EXPECT_EQ(Run(true).Reason, StopReason::Returned);
    EXPECT_EQ(machine->cpu.PC.w, 0x8003);
    EXPECT_EQ(machine->cpu.ReadByteFree(0x4000), 5);
}

TEST_F(DebuggerTest, ARunLeavesTheBreakpointItStandsOnAndAStopRequestEndsIt) {
    debugger.AddBreakpoint({BreakKind::Address, 0x8000, 0x8000});
    Load(0x8003, {0xC3, 0x00, 0x80});  // JP 8000h
    EXPECT_EQ(Run().PC, 0x8000);
    EXPECT_GT(machine->cpu.FrameTStates, 40);
    int frames = 0;
    debugger.RemoveBreakpoint(0);
    const RunResult result = debugger.Run([&] { debugger.StopRequest = ++frames == 3; });
    EXPECT_EQ(result.Reason, StopReason::Request);
    EXPECT_EQ(frames, 3);
}

TEST_F(DebuggerTest, BreakpointListKeepsOrderAndHoldsTen) {
    for (uint16_t a = 1; a <= 3; ++a) debugger.AddBreakpoint({BreakKind::Address, a, a});
    debugger.RemoveBreakpoint(0);
    EXPECT_EQ(debugger.Breakpoints(), (std::vector<Breakpoint>{{BreakKind::Address, 2, 2}, {BreakKind::Address, 3, 3}}));
    for (int i = 0; i < 8; ++i) EXPECT_TRUE(debugger.AddBreakpoint({}));
    EXPECT_FALSE(debugger.AddBreakpoint({}));
    EXPECT_EQ(debugger.BreakpointText({BreakKind::Write, 0x4000, 0x57ff}), "W 4000-57ff");
}

TEST_F(DebuggerTest, NumbersAndChangeHighlighting) {
    EXPECT_EQ(debugger.ParseNumber("10"), 16u);
    EXPECT_EQ(debugger.ParseNumber("1g"), std::nullopt);
    debugger.Format.Hexadecimal = false;
    EXPECT_EQ(debugger.ParseNumber("10"), 10u);

    for (const auto& shown : debugger.RefreshRegisters()) EXPECT_TRUE(shown.Changed);
    debugger.SetRegister(kIR, 0x1285);
    EXPECT_EQ(machine->cpu.R(), 0x85);
    const auto shown = debugger.RefreshRegisters();
    for (int tag = 0; tag < kRegisterCount; ++tag) EXPECT_EQ(shown[size_t(tag)].Changed, tag == kIR);
    EXPECT_EQ(shown[kPC].Text, "32768");
}

TEST_F(DebuggerTest, AStepAtTheFrameEndWrapsTheCounterWithoutAFrame) {
    Z80& cpu = machine->cpu;
    cpu.FrameTStates = cpu.FrameLength - 1;
    const uint32_t flash = machine->screen.FlashCounter;
    debugger.Step();
    EXPECT_GE(cpu.FrameTStates, 0);
    EXPECT_LT(cpu.FrameTStates, 20);
    EXPECT_EQ(machine->screen.FlashCounter, flash);
}

}  // namespace
}  // namespace tarvolinde
