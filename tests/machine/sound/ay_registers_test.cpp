#include <gtest/gtest.h>

#include "machine/sound/ay_registers.h"

namespace tarvolinde::test {
namespace {

TEST(AyRegisters, WritesKeepOnlyTheRegisterWidth) {
    AyRegisters ay;
    for (uint8_t reg = 0; reg < 16; ++reg) {
        ay.Select(uint8_t(0xF0 | reg));  // the select takes the low four bits
        EXPECT_EQ(ay.AySelected, reg);
        ay.Write(0xFF);
    }
    const uint8_t expected[16] = {0xFF, 0x0F, 0xFF, 0x0F, 0xFF, 0x0F, 0x1F, 0xFF,
                                  0x1F, 0x1F, 0x1F, 0xFF, 0xFF, 0x0F, 0xFF, 0xFF};
    for (uint8_t reg = 0; reg < 16; ++reg) {
        EXPECT_EQ(ay.AyRegs[reg], expected[reg]) << int(reg);
        ay.Select(reg);
        if (reg != 14) {
            EXPECT_EQ(ay.Read(), expected[reg]) << int(reg);
        }
    }
}

TEST(AyRegisters, PortALatchesOnlyAsAnOutput) {
    AyRegisters ay;
    ay.Select(14);
    ay.Write(0x5A);  // port A is an input after reset
    EXPECT_EQ(ay.AyRegs[14], 0x5A);
    EXPECT_EQ(ay.PortALatch, 0xFF);
    EXPECT_EQ(ay.Read(), 0xFF);  // an input reads the pins
    ay.Select(7);
    ay.Write(0x40);
    ay.Select(14);
    ay.Write(0x3C);
    EXPECT_EQ(ay.PortALatch, 0x3C);
    ay.PortALatch = 0x0F;  // something outside pulls pins low
    EXPECT_EQ(ay.Read(), 0x0C);
}

TEST(AyRegisters, ResetValues) {
    AyRegisters ay;
    ay.Select(3);
    for (uint8_t reg = 0; reg < 16; ++reg) {
        ay.Select(reg);
        ay.Write(0x0A);
    }
    ay.PortALatch = 0;
    ay.Reset();
    EXPECT_EQ(ay.AySelected, 0u);
    for (uint8_t reg = 0; reg < 14; ++reg) EXPECT_EQ(ay.AyRegs[reg], 0) << int(reg);
    EXPECT_EQ(ay.AyRegs[14], 0xFF);
    EXPECT_EQ(ay.AyRegs[15], 0xFF);
    EXPECT_EQ(ay.PortALatch, 0xFF);
}

}  // namespace
}  // namespace tarvolinde::test
