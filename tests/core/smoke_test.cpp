#include <gtest/gtest.h>

#include "tests/core/flat_machine.h"

namespace tarvolinde::test {

TEST(Smoke, LoadsAndAdds) {
    FlatMachine m;
    m.cpu.ResetCpu();
    m.Load(0, {0x3E, 0x12, 0xC6, 0x34});  // LD A,0x12; ADD A,0x34
    EXPECT_EQ(m.Step(), 7);
    EXPECT_EQ(m.Step(), 7);
    EXPECT_EQ(m.cpu.A(), 0x46);
}

}  // namespace tarvolinde::test
