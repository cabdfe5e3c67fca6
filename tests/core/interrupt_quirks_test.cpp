// When the processor takes an interrupt, as on real parts: not straight after
// EI, P/V cleared straight after LD A,I or LD A,R, and halted fetches that are
// contended like any other.

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <memory>

#include "core/z80.h"

namespace tarvolinde::test {
namespace {

struct Bus : MachineInterface {
    Bus() : cpu(*this) {
        for (int slot = 0; slot < 4; ++slot) cpu.ReadPages[slot] = cpu.WritePages[slot] = ram.data() + slot * 0x4000;
        cpu.ContentionTable = contention.data();
        cpu.IM = 1;
        cpu.SP.w = 0xF000;
        cpu.PC.w = 0x8000;
        cpu.FrameTStates = 100;
    }
    uint8_t InPort(uint16_t) override { return 0xFF; }
    void OutPort(uint16_t, uint8_t) override {}
    void Load(uint16_t address, std::initializer_list<uint8_t> bytes) {
        for (const uint8_t b : bytes) ram[address++] = b;
    }
    // One step: an interrupt if one is due and accepted, then one instruction.
    int32_t Step(bool interruptDue) {
        const int32_t start = cpu.FrameTStates;
        cpu.IntWindowEnd = interruptDue ? 0x7FFFFFFF : -1;
        cpu.RunUntil(start + 1);
        return cpu.FrameTStates - start;
    }
    std::array<uint8_t, 0x10000> ram{};
    std::array<int32_t, kTimingTableSize> contention{};
    Z80 cpu;
};

TEST(InterruptQuirks, NoInterruptIsTakenStraightAfterAChainOfEIs) {
    auto bus = std::make_unique<Bus>();
    bus->Load(0x8000, {0xFB, 0xFB, 0xFB, 0x00, 0x00});  // EI, EI, EI, NOP, NOP
    bus->Load(0x0038, {0x00});
    for (const uint16_t pc : {0x8001, 0x8002, 0x8003, 0x8004}) {
        bus->Step(true);
        EXPECT_EQ(bus->cpu.PC.w, pc) << "the interrupt was taken too early";
    }
    bus->Step(true);
    EXPECT_EQ(bus->cpu.PC.w, 0x0039);
    EXPECT_EQ(bus->ram[0xEFFE] | bus->ram[0xEFFF] << 8, 0x8004);
}

TEST(InterruptQuirks, AnInterruptStraightAfterLdAIOrLdARClearsPV) {
    struct Case {
        uint8_t opcode;  // ED 57 or ED 5F
        bool nopBetween;
        bool pvAfter;
    };
    for (const Case c : {Case{0x57, false, false}, Case{0x5F, false, false}, Case{0x57, true, true},
                         Case{0x5F, true, true}}) {
        auto bus = std::make_unique<Bus>();
        bus->Load(0x8000, {0xED, c.opcode, 0x00});
        bus->Load(0x0038, {0x00});
        bus->cpu.IFF1 = bus->cpu.IFF2 = 1;
        bus->cpu.I = 0x80;
        bus->Step(false);
        ASSERT_TRUE(bus->cpu.F() & flag::PV);
        if (c.nopBetween) bus->Step(false);
        bus->Step(true);
        ASSERT_EQ(bus->cpu.PC.w, 0x0039);
        EXPECT_EQ((bus->cpu.F() & flag::PV) != 0, c.pvAfter) << std::hex << int(c.opcode) << " " << c.nopBetween;
    }
}

TEST(InterruptQuirks, HaltedFetchesAreContended) {
    for (const uint16_t halt : {0x4000, 0x7FFF}) {
        auto bus = std::make_unique<Bus>();
        bus->ram[halt] = 0x76;
        bus->cpu.PC.w = halt;
        bus->cpu.ContentionActive = 1;
        bus->cpu.PageContended[1] = 1;
        bus->Step(false);
        ASSERT_TRUE(bus->cpu.Halted);
        bus->contention[bus->cpu.FrameTStates] = 3;
        // The fetch after the HALT at 0x7FFF is at 0x8000, which is not contended.
        EXPECT_EQ(bus->Step(false), halt == 0x4000 ? 7 : 4) << std::hex << halt;
        EXPECT_EQ(bus->cpu.PC.w, halt + 1);
    }
}

}  // namespace
}  // namespace tarvolinde::test
