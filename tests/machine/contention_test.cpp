// Delays the machines add to memory and port accesses, at a few chosen T-states,
// and where the beam paints a border change.

#include <gtest/gtest.h>

#include "machine_test_support.h"

namespace tarvolinde::test {
namespace {

constexpr int kModel128 = 4, kModelInves = 3, kModelPlus3 = 9, kModelPentagon = 15, kModelScorpion = 17;

struct Delay {
    int model;
    char access;  // 'r': LD A,(where) from uncontended RAM; 'i': IN; 'o': OUT
    uint16_t where;
    int32_t t;  // of the access itself
    int32_t delay;
    uint8_t port7FFD = 0;  // written first
};

const Delay kDelays[] = {
    {kModel48K, 'r', 0x4000, 14335, 6},        {kModel48K, 'r', 0x4000, 14340, 1},
    {kModel48K, 'r', 0x4000, 14341, 0},        {kModel48K, 'r', 0x4000, 14334, 0},
    {kModel48K, 'r', 0x5800, 14335 + 191 * 224 + 120, 6},        {kModel48K, 'r', 0x4000, 14335 + 128, 0},
    {kModel48K, 'r', 0x8000, 14335, 0},        {kModel48K, 'r', 0x0000, 14335, 0},
    {kModel128, 'r', 0x4000, 14347 + 228 + 2, 4}, {kModel128, 'r', 0xC000, 14347, 6, 1},
    {kModel128, 'r', 0xC000, 14347, 0, 4},     {kModelInves, 'r', 0x4000, 14347, 6},
    {kModelPlus3, 'r', 0x4000, 14363, 1},      {kModelPlus3, 'r', 0x4000, 14365, 7},
    {kModelPlus3, 'r', 0x4000, 14362, 0},      {kModelPlus3, 'r', 0xC000, 14365, 7, 4},
    {kModelPlus3, 'r', 0xC000, 14365, 0, 1},   {kModelPentagon, 'r', 0x4000, 17920, 0},
    {kModelScorpion, 'r', 0x4000, 14335, 0},
    {kModel48K, 'o', 0x00FE, 14335, 6},        {kModel48K, 'i', 0xFEFE, 14337, 4},
    {kModel48K, 'o', 0x00FF, 14335, 0},        {kModel48K, 'i', 0x40FF, 14335, 0},
    {kModel128, 'o', 0x7FFD, 14344, 9},  // delayed at T+3, then again at the new T
    {kModelInves, 'i', 0xFEFE, 14348, 5},      {kModelInves, 'i', 0x00DE, 14347, 0},
    {kModelPlus3, 'i', 0xFEFE, 14365, 7},      {kModelPlus3, 'o', 0x00FE, 14365, 0},
    {kModelPlus3, 'o', 0x1FFD, 14365, 7},      {kModelPlus3, 'o', 0x7FFD, 14365, 0},
    {kModelPentagon, 'o', 0x00FE, 14335, 0},   {kModelScorpion, 'i', 0xFEFE, 14335, 0},
};

TEST(Contention, DelaysAtChosenTStates) {
    for (const Delay& d : kDelays) {
        SCOPED_TRACE(testing::Message() << "model " << d.model << ' ' << d.access << ' ' << std::hex << d.where
                                        << std::dec << " at " << d.t);
        auto machine = MadeUpMachine(d.model);
        machine->OutPort(0x7FFD, d.port7FFD);
        machine->cpu.ContentionActive = 1;
        if (d.access == 'r') {
            Poke(*machine, 0x8000, {0x3A, uint8_t(d.where), uint8_t(d.where >> 8)});
            machine->cpu.PC.w = 0x8000;
            machine->cpu.FrameTStates = d.t - 10;  // opcode 4, operand 3 + 3
            EXPECT_EQ(Step(*machine) - 13, d.delay);
        } else {
            machine->cpu.FrameTStates = d.t;
            if (d.access == 'i') machine->InPort(d.where);
            else machine->OutPort(d.where, 0);
            EXPECT_EQ(machine->cpu.FrameTStates - d.t, d.delay);
        }
    }
}

TEST(Contention, ALockedPagingWriteCostsNothing) {
    auto machine = MadeUpMachine(kModel128);
    machine->OutPort(0x7FFD, 0x20);
    machine->cpu.FrameTStates = 14344;
    machine->OutPort(0x7FFD, 0);
    EXPECT_EQ(machine->cpu.FrameTStates, 14344);
}

TEST(BorderBeam, AChangeShowsFromTheBeamOn) {
    // The first T-state of each class's top border line.
    for (const auto [model, topT] : {std::pair{kModel48K, 8944}, {kModel128, 8871}, {kModelPentagon, 12560},
                                     {kModelScorpion, 8984}}) {
        SCOPED_TRACE(model);
        auto machine = MadeUpMachine(model);
        machine->cpu.FrameTStates = topT + 10 * machine->LineTStates + 20;  // line 10, 40 pixels in
        machine->OutPort(0x00FE, 2);
        machine->cpu.FrameTStates = machine->cpu.FrameLength;
        machine->EndFrame();
        const auto& border = machine->screen.BorderBitmap;
        EXPECT_EQ(border[10 * kPictureWidth + 39], 0);
        EXPECT_EQ(border[10 * kPictureWidth + 40], 2);
        EXPECT_EQ(border[kPicturePixels - 1], 2);
    }
}

}  // namespace
}  // namespace tarvolinde::test
