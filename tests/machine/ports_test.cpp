// Which port addresses reach which device on each class, and what the ULA, the
// floating bus and the hooks to the tape, the disks and RZX see.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "machine_test_support.h"

namespace tarvolinde::test {
namespace {

constexpr int kModelInves = 3, kModel128 = 4, kModelPlus3 = 9, kModelPlus2A = 11, kModelPlus3e = 13,
              kModelPentagon = 15, kModelScorpion = 17;

TEST(UlaPort, EvenPortsSetTheBorderAndHalfRowsAreSelectedByTheHighByte) {
    for (int model : {kModel48K, kModelInves, kModel128, kModelPlus3, kModelPentagon, kModelScorpion}) {
        SCOPED_TRACE(model);
        auto machine = MadeUpMachine(model);
        machine->OutPort(0xA0EA, 0x15);  // EAR bit reads 1 on every class now
        machine->OutPort(0x00FF, 0x06);
        EXPECT_EQ(machine->screen.BorderColour, 5);
        EXPECT_EQ(machine->LastFE, 0x15);
        EXPECT_EQ(machine->InPort(0xFEFE), 0xFF);
        PressKey(machine->KeyRows, SpectrumKey::Q);
        PressKey(machine->KeyRows, SpectrumKey::SymbolShift);
        EXPECT_EQ(machine->InPort(0xFBFE), 0xFE);
        EXPECT_EQ(machine->InPort(0xFDFE), 0xFF);
        EXPECT_EQ(machine->InPort(0x7BFE), 0xFC);  // two half-rows at once
    }
}

TEST(UlaPort, EarBitFollowsTheOutputByIssueAndTheBeeperSoundsMicAndEar) {
    struct Case {
        int model;
        bool issue2;
        uint8_t out, ear, beeper;
    };
    const Case cases[] = {
        {kModel48K, false, 0x08, 0, 0x20},   {kModel48K, false, 0x10, 0x40, 0x40},  {kModel48K, true, 0x08, 0x40, 0x20},
        {kModel48K, true, 0x18, 0x40, 0x60}, {kModel48K, true, 0x00, 0, 0},         {kModel128, true, 0x08, 0, 0x20},
        {kModelPlus3, false, 0, 0x40, 0},    {kModelInves, false, 0x08, 0x40, 0x40},
        {kModelInves, false, 0x18, 0x40, 0},  // EAR XOR MIC
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "model " << c.model << " issue 2 " << c.issue2 << " out " << int(c.out));
        auto machine = MadeUpMachine(c.model, {.AyIn48 = true, .Issue2 = c.issue2});
        EXPECT_EQ(machine->InPort(0xFEFE) & 0x40, 0);
        machine->OutPort(0x00FE, c.out);
        EXPECT_EQ(machine->InPort(0xFEFE) & 0x40, c.ear);
        EXPECT_EQ(machine->BeeperLevel, c.beeper);
    }
}

struct FakeTape : TapePort {
    explicit FakeTape(TSp& machine) : machine_(machine) { machine.Tape = this; }
    bool Playing() const override { return playing; }
    void Update() override { ++updates, machine_.EarMask = earHigh ? 0xFF : 0xBF; }
    void Play() override { ++plays; }
    bool playing = false, earHigh = true;
    int updates = 0, plays = 0;
    TSp& machine_;
};

TEST(UlaPort, APlayingTapeDrivesEarAndIsHeardAndALoaderStartsAStoppedOne) {
    auto machine = MadeUpMachine(kModel48K);
    FakeTape tape(*machine);
    tape.playing = true;
    EXPECT_EQ(machine->InPort(0xFEFE) & 0x40, 0x40);
    machine->InPort(0x40FF);  // not the ULA
    EXPECT_EQ(tape.updates, 1);
    machine->OutPort(0x00FE, 0x00);  // leaves the EAR input to the tape, mixes its level in
    EXPECT_EQ(machine->BeeperLevel, 0x20);
    tape.earHigh = false;
    machine->InPort(0xFEFE);
    machine->OutPort(0x00FE, 0x10);
    EXPECT_EQ(machine->BeeperLevel, 0x40);

    // Stopped, it starts when the code about to run tests the EAR bit: AND 0x20 or 0x40 up to PC + 6.
    tape.playing = false;
    machine->cpu.PC.w = 0x8000;
    Poke(*machine, 0x8000, {0x00, 0x00, 0x00, 0x00, 0x00, 0xE6, 0x40});
    machine->InPort(0xFEFE);
    machine->AutoPlayStop = true;  // the option
    machine->InPort(0xFEFE);
    Poke(*machine, 0x8006, {0x10});
    machine->InPort(0xFEFE);
    EXPECT_EQ(tape.plays, 1);
}

TEST(InvesPorts, MaskedUlaWritesAndZeroReadsWhereA5IsLow) {
    auto machine = MadeUpMachine(kModelInves);
    machine->cpu.WriteByte(0x12FE, 0x03);  // a write to the ROM at 0x??FE latches the mask
    machine->OutPort(0x00FE, 0xFE);
    EXPECT_EQ(machine->LastFE, 0x02);
    machine->Joystick = JoystickType::Kempston;
    machine->KempstonJoy = 0x12;
    EXPECT_EQ(machine->InPort(0x001F) | machine->InPort(0xFEDE), 0x00);
}

TEST(AyPorts, DecodedByA1AndTheTopBitsExceptOnTheScorpion) {
    for (const auto& [model, partial] : {std::pair{kModel48K, true}, {kModel128, true}, {kModelPlus3, true},
                                        {kModelPentagon, true}, {kModelScorpion, false}}) {
        SCOPED_TRACE(model);
        auto machine = MadeUpMachine(model);
        machine->OutPort(0xFFFD, 8);
        machine->OutPort(0xBFFD, 0xFF);
        EXPECT_EQ(machine->InPort(0xFFFD), 0x1F);
        machine->OutPort(0xFFF9, 9);
        machine->OutPort(0xBFF9, 0x0A);
        EXPECT_EQ(machine->Ay.AyRegs[9], partial ? 0x0A : 0x00);
        machine->OutPort(0xFFFF, 2);  // A1 set: not the AY
        EXPECT_NE(machine->Ay.AySelected, 2u);
    }
    for (int model : {kModel48K, kModelInves}) {  // no AY: the 48K without the option, and the Inves
        auto none = MadeUpMachine(model, {.AyIn48 = false, .Issue2 = false});
        none->OutPort(0xFFFD, 8);
        none->OutPort(0xBFFD, 0x0F);
        EXPECT_EQ(none->Ay.AyRegs[8], 0);
        EXPECT_EQ(none->InPort(0xFFFD) & 0x1F, 0x1F);
    }
}

TEST(FloatingBus, UnansweredPortsReadTheByteTheUlaFetches) {
    // Model, T-state, offset read in the screen page (-1: nothing fetched, 0xFF), port 0x7FFD.
    for (const auto& [model, t, offset, port7FFD] :
         {std::tuple<int, int32_t, int, uint8_t>{kModel48K, 14335, -1, 0}, {kModel48K, 14336, 0, 0},
          {kModel48K, 14337, 6144, 0}, {kModel48K, 14339, 6145, 0}, {kModel48K, 14340, -1, 0},
          {kModel48K, 14335 + 191 * 224 + 123, 6143, 0}, {kModel128, 14362, 0, 0}, {kModel128, 14364, 1, 0x08},
          {kModelPlus3, 14365, -1, 0}, {kModelPentagon, 17921, -1, 0}, {kModelScorpion, 14336, -1, 0}}) {
        auto machine = MadeUpMachine(model);
        machine->OutPort(0x7FFD, port7FFD);
        const auto page = machine->RamPage(port7FFD ? 7 : 5);  // the page being shown
        for (size_t i = 0; i < kPageSize; ++i) page[i] = uint8_t(i * 7 + 1);
        machine->cpu.FrameTStates = t;
        // The high byte is not a contended address, so the read is not delayed.
        EXPECT_EQ(machine->InPort(0x80FF), offset < 0 ? 0xFF : page[offset]) << model << " T " << t;
    }
}

struct FakeFloppy : FloppyPorts {
    uint8_t ReadStatus() override { return 0x91; }
    uint8_t ReadData() override { return 0x42; }
    void WriteData(uint8_t value) override { written.push_back(value); }
    void Reset() override {}
    bool MotorOn() const override { return motor; }
    void SetMotor(bool on) override { motor = on, ++motorChanges; }
    std::vector<uint8_t> written;
    int motorChanges = 0;
    bool motor = false;
};

struct FakeIde : IdePorts {
    uint8_t ReadRegister(int reg) override { return uint8_t(0xA0 + reg); }
    void WriteRegister(int reg, uint8_t value) override { writes.emplace_back(reg, value); }
    void Reset() override {}
    std::vector<std::pair<int, uint8_t>> writes;
};

TEST(DiskPorts, TheFloppyControllerAndTheIdeInterface) {
    FakeFloppy* floppy = nullptr;
    FakeIde* ide = nullptr;
    MachineDevices devices;
    devices.MakeFloppy = [&] { return std::unique_ptr<FakeFloppy>(floppy = new FakeFloppy); };
    devices.MakeIde = [&] { return std::unique_ptr<FakeIde>(ide = new FakeIde); };
    auto plus3 = MadeUpMachine(kModelPlus3, {}, devices);
    ASSERT_NE(floppy, nullptr);
    EXPECT_EQ(plus3->InPort(0x2FFD), 0x91);
    EXPECT_EQ(plus3->InPort(0x3FFD), 0x42);
    plus3->OutPort(0x3FFD, 0x03);
    plus3->OutPort(0x2FFD, 0x04);  // no register to write there
    EXPECT_EQ(floppy->written, std::vector<uint8_t>{0x03});
    const int changesAtReset = floppy->motorChanges;
    plus3->OutPort(0x1FFD, 0x08);
    plus3->OutPort(0x1FFD, 0x0C);
    EXPECT_TRUE(floppy->motor);
    EXPECT_EQ(floppy->motorChanges, changesAtReset + 1);
    EXPECT_EQ(MadeUpMachine(kModelPlus2A, {}, devices)->InPort(0x3FFD), 0xFF);  // no controller

    // IDE registers from A8, A12 and A13 while A4 is low.
    auto plus3e = MadeUpMachine(kModelPlus3e, {}, devices);
    ASSERT_NE(ide, nullptr);
    for (const auto& [port, reg] : {std::pair<uint16_t, int>{0x00EF, 0}, {0x01EF, 1}, {0x10EF, 2}, {0x31EF, 7}}) {
        EXPECT_EQ(plus3e->InPort(port), 0xA0 + reg) << port;
        plus3e->OutPort(port, uint8_t(reg));
    }
    EXPECT_EQ(ide->writes, (std::vector<std::pair<int, uint8_t>>{{0, 0}, {1, 1}, {2, 2}, {7, 7}}));
    EXPECT_EQ(plus3e->InPort(0x31FF), 0xFF);
    EXPECT_EQ(MadeUpMachine(kModelPlus3e)->Ide, nullptr);  // no hard-disk image
}

struct FakeRzx : RzxPortLog {
    uint8_t GetIn() override { return next++; }
    void PutIn(uint8_t value) override { recorded.push_back(value); }
    uint8_t next = 0x40;
    std::vector<uint8_t> recorded;
};

TEST(RzxPorts, PlaybackReplacesTheHardwareAndRecordingLogsEveryRead) {
    for (int model : {kModel48K, kModel128}) {
        SCOPED_TRACE(model);
        auto machine = MadeUpMachine(model);
        FakeRzx rzx;
        machine->RzxRecording = &rzx;
        PressKey(machine->KeyRows, SpectrumKey::A);
        machine->InPort(0xFDFE);
        machine->InPort(0x40FF);
        EXPECT_EQ(rzx.recorded, (std::vector<uint8_t>{0xBE, 0xFF}));
        machine->RzxRecording = nullptr;
        machine->RzxPlayback = &rzx;
        EXPECT_EQ(machine->InPort(0xFDFE), 0x40);
        EXPECT_EQ(machine->InPort(0xFFFD), 0x41);
        EXPECT_EQ(machine->InPort(0x7FFD), 0x42);
        EXPECT_EQ(machine->Port7FFD, 0);  // a replayed read does not page
    }
}

}  // namespace
}  // namespace tarvolinde::test
