// Construction, reset, the frame loop and the options of the machine models.

#include <gtest/gtest.h>

#include "machine_test_support.h"

namespace tarvolinde::test {
namespace {

TEST(MachineLifecycle, ResetReturnsToPowerOn) {
    for (int model : {1, 3, 4, 9, 15, 17}) {
        SCOPED_TRACE(model);
        auto machine = MadeUpMachine(model);
        machine->OutPort(0x7FFD, 0x17);
        machine->OutPort(0x1FFD, 0x04);
        machine->OutPort(0x00FE, 0x10);
        machine->OutPort(0xFFFD, 3);
        machine->OutPort(0xBFFD, 9);
        machine->cpu.PC.w = 0x1234;
        machine->cpu.FrameTStates = 500;
        machine->Reset();
        EXPECT_EQ(machine->Port7FFD, 0);
        EXPECT_EQ(machine->Port1FFD, 0);
        EXPECT_EQ(machine->EarMask, 0xBF);
        EXPECT_EQ(machine->cpu.PC.w, 0);
        EXPECT_EQ(machine->cpu.FrameTStates, 0);
        EXPECT_EQ(machine->Ay.AyRegs[3], 0);
        EXPECT_EQ(machine->ScreenPage(), machine->RamPage(5).data());
        EXPECT_EQ(machine->cpu.ReadByteFree(0x0000), 0xC0);
    }
}

TEST(MachineLifecycle, EndFrameCarriesTheOverrun) {
    auto machine = MadeUpMachine(4);
    machine->cpu.FrameTStates = 70908 + 7;
    machine->EndFrame();
    EXPECT_EQ(machine->cpu.FrameTStates, 7);

    // A frame of HALT with interrupts off: the carry is what the last NOP overran.
    machine->cpu.FrameTStates = 0;
    Poke(*machine, 0x8000, {0xF3, 0x76});  // DI; HALT
    machine->cpu.PC.w = 0x8000;
    machine->RunFrame();
    EXPECT_GE(machine->cpu.FrameTStates, 0);
    EXPECT_LT(machine->cpu.FrameTStates, 4);
    EXPECT_EQ(machine->cpu.ContentionActive, 0);
}

TEST(MachineLifecycle, OptionsReachOnlyTheModelsThatTakeThem) {
    const MachineOptions noAyIssue2{.AyIn48 = false, .Issue2 = true};
    auto m48 = MadeUpMachine(kModel48K, noAyIssue2);
    EXPECT_EQ(m48->AyPresent, 0);
    EXPECT_EQ(m48->IssueMode, 2);
    auto inves = MadeUpMachine(3, noAyIssue2);
    EXPECT_EQ(inves->AyPresent, 0);
    EXPECT_EQ(inves->IssueMode, 0);
    auto m128 = MadeUpMachine(4, noAyIssue2);
    EXPECT_EQ(m128->AyPresent, 1);
    EXPECT_EQ(m128->IssueMode, 1);

    m48->ApplyOptions({.AyIn48 = true, .Issue2 = false});
    EXPECT_EQ(m48->AyPresent, 1);
    EXPECT_EQ(m48->IssueMode, 1);
}

}  // namespace
}  // namespace tarvolinde::test
