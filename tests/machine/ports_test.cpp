// Which port addresses reach which device on each class, and what the ULA, the
// joysticks, the floating bus and the hooks to the tape and RZX see.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "machine/input/keyboard_matrix.h"
#include "machine_test_support.h"

namespace tarvolinde::test {
namespace {

constexpr int kModelInves = 3, kModel128 = 4, kModelPlus3 = 9, kModelPlus2A = 11, kModelPlus3e = 13,
              kModelPentagon = 15, kModelScorpion = 17;
// One model of every class.
constexpr int kOnePerClass[] = {kModel48K, kModelInves, kModel128, kModelPlus3, kModelPentagon, kModelScorpion};

TEST(UlaPort, EvenPortsSetBorderAndLastFEOnEveryClass) {
    for (int model : kOnePerClass) {
        SCOPED_TRACE(model);
        auto machine = MadeUpMachine(model);
        machine->OutPort(0x00FE, 0x05);
        EXPECT_EQ(machine->screen.BorderColour, 5);
        EXPECT_EQ(machine->LastFE, 0x05);
        machine->OutPort(0xA0EA, 0x13);
        EXPECT_EQ(machine->screen.BorderColour, 3);
        machine->OutPort(0x00FF, 0x06);
        EXPECT_EQ(machine->screen.BorderColour, 3);
        EXPECT_EQ(machine->LastFE, 0x13);
    }
}

TEST(UlaPort, KeyboardHalfRowsAreSelectedByTheHighByte) {
    for (int model : kOnePerClass) {
        SCOPED_TRACE(model);
        auto machine = MadeUpMachine(model);
        machine->OutPort(0x00FE, 0x10);  // EAR bit reads 1 on every class now
        EXPECT_EQ(machine->InPort(0xFEFE), 0xFF);
        PressKey(machine->KeyRows, SpectrumKey::Q);
        PressKey(machine->KeyRows, SpectrumKey::SymbolShift);
        PressKey(machine->KeyRows, SpectrumKey::Digit6);
        EXPECT_EQ(machine->InPort(0xFBFE), 0xFE);
        EXPECT_EQ(machine->InPort(0x7FFE), 0xFD);
        EXPECT_EQ(machine->InPort(0xEFFE), 0xEF);
        EXPECT_EQ(machine->InPort(0xFDFE), 0xFF);
        EXPECT_EQ(machine->InPort(0x7BFE), 0xFC);  // two rows at once
        EXPECT_EQ(machine->InPort(0x00FE), 0xEC);  // all rows
        ReleaseKey(machine->KeyRows, SpectrumKey::Q);
        EXPECT_EQ(machine->InPort(0xFBFE), 0xFF);
    }
}

uint8_t EarBitAfter(TSp& machine, uint8_t outValue) {
    machine.OutPort(0x00FE, outValue);
    return machine.InPort(0xFEFE) & 0x40;
}

TEST(UlaPort, EarBitFollowsTheOutputByIssue) {
    auto issue3 = MadeUpMachine(kModel48K);
    EXPECT_EQ(issue3->IssueMode, 1);
    EXPECT_EQ(issue3->InPort(0xFEFE) & 0x40, 0);
    EXPECT_EQ(EarBitAfter(*issue3, 0x08), 0);
    EXPECT_EQ(EarBitAfter(*issue3, 0x10), 0x40);
    EXPECT_EQ(EarBitAfter(*issue3, 0x00), 0);

    auto issue2 = MadeUpMachine(kModel48K, {.AyIn48 = true, .Issue2 = true});
    EXPECT_EQ(issue2->IssueMode, 2);
    EXPECT_EQ(EarBitAfter(*issue2, 0x08), 0x40);
    EXPECT_EQ(EarBitAfter(*issue2, 0x10), 0x40);
    EXPECT_EQ(EarBitAfter(*issue2, 0x00), 0);

    // The later machines read 1 once anything has been written.
    for (int model : {kModelInves, kModelPlus3, kModelPentagon, kModelScorpion}) {
        auto machine = MadeUpMachine(model);
        EXPECT_EQ(machine->IssueMode, 0);
        EXPECT_EQ(machine->InPort(0xFEFE) & 0x40, 0);
        EXPECT_EQ(EarBitAfter(*machine, 0x00), 0x40);
    }
    EXPECT_EQ(MadeUpMachine(kModel128, {.AyIn48 = true, .Issue2 = true})->IssueMode, 1);
}

TEST(UlaPort, BeeperLevelFromMicAndEar) {
    auto machine = MadeUpMachine(kModel48K);
    const std::vector<std::pair<uint8_t, uint8_t>> levels{{0x00, 0x00}, {0x08, 0x20}, {0x10, 0x40}, {0x1F, 0x60}};
    for (const auto& [value, level] : levels) {
        machine->OutPort(0x00FE, value);
        EXPECT_EQ(machine->BeeperLevel, level) << int(value);
    }
    // The Inves sounds EAR XOR MIC.
    auto inves = MadeUpMachine(kModelInves);
    const std::vector<std::pair<uint8_t, uint8_t>> invesLevels{{0x00, 0x00}, {0x08, 0x40}, {0x10, 0x40}, {0x18, 0x00}};
    for (const auto& [value, level] : invesLevels) {
        inves->OutPort(0x00FE, value);
        EXPECT_EQ(inves->BeeperLevel, level) << int(value);
    }
}

class FakeTape : public TapePort {
public:
    explicit FakeTape(TSp& machine) : machine_(machine) {}
    bool Playing() const override { return playing; }
    void Update() override {
        ++updates;
        machine_.EarMask = earHigh ? 0xFF : 0xBF;
    }
    void Play() override { ++plays; }
    bool playing = false;
    bool earHigh = true;
    int updates = 0;
    int plays = 0;

private:
    TSp& machine_;
};

TEST(UlaPort, APlayingTapeDrivesEarAndIsHeard) {
    auto machine = MadeUpMachine(kModel48K);
    FakeTape tape(*machine);
    machine->Tape = &tape;
    tape.playing = true;
    EXPECT_EQ(machine->InPort(0xFEFE) & 0x40, 0x40);
    EXPECT_EQ(tape.updates, 1);
    machine->InPort(0x40FF);  // not the ULA
    EXPECT_EQ(tape.updates, 1);
    // Writes leave the EAR input to the tape and mix its level into the speaker.
    machine->OutPort(0x00FE, 0x00);
    EXPECT_EQ(machine->EarMask, 0xFF);
    EXPECT_EQ(machine->BeeperLevel, 0x20);
    tape.earHigh = false;
    machine->InPort(0xFEFE);
    machine->OutPort(0x00FE, 0x10);
    EXPECT_EQ(machine->BeeperLevel, 0x40);
}

TEST(UlaPort, AutoPlayStartsTheTapeWhenALoaderTestsTheEarBit) {
    auto machine = MadeUpMachine(kModel48K);
    FakeTape tape(*machine);
    machine->Tape = &tape;
    machine->cpu.PC.w = 0x8000;
    Poke(*machine, 0x8000, {0x00, 0x00, 0x00, 0x00, 0xE6, 0x20});
    machine->InPort(0xFEFE);
    EXPECT_EQ(tape.plays, 0);  // option off
    machine->AutoPlayStop = true;
    machine->InPort(0xFEFE);
    EXPECT_EQ(tape.plays, 1);
    Poke(*machine, 0x8005, {0x10});  // AND 0x10 is not the EAR bit
    machine->InPort(0xFEFE);
    EXPECT_EQ(tape.plays, 1);
    Poke(*machine, 0x8004, {0x00, 0xE6, 0x40});  // the operand may lie at PC + 6
    machine->InPort(0xFEFE);
    EXPECT_EQ(tape.plays, 2);
}

TEST(InvesPorts, MaskedUlaWritesAndZeroReads) {
    auto machine = MadeUpMachine(kModelInves);
    EXPECT_EQ(machine->cpu.FrameRoutine, Z80::FrameProcedure::Inves);
    EXPECT_EQ(machine->cpu.InvesModel, 1);
    // A write to the ROM at 0x??FE latches the mask.
    machine->cpu.WriteByte(0x12FE, 0x03);
    EXPECT_EQ(machine->cpu.InvesMask, 0x03);
    machine->OutPort(0x00FE, 0xFE);
    EXPECT_EQ(machine->LastFE, 0x02);
    EXPECT_EQ(machine->screen.BorderColour, 2);
    // A5 low: 0, whatever else the port would decode.
    machine->Joystick = JoystickType::Kempston;
    machine->KempstonJoy = 0x12;
    EXPECT_EQ(machine->InPort(0x001F), 0x00);
    EXPECT_EQ(machine->InPort(0xFEDE), 0x00);
    EXPECT_NE(machine->InPort(0xFEFE), 0x00);
    // No AY ports.
    machine->OutPort(0xFFFD, 7);
    EXPECT_EQ(machine->Ay.AySelected, 0u);
}

TEST(AyPorts, DecodedByA1AndTheTopBitsOnThe128KFamilyAndExactlyOnTheScorpion) {
    struct Case {
        int model;
        bool partialDecoding;
    };
    for (const Case& c : {Case{kModel48K, true}, Case{kModel128, true}, Case{kModelPlus3, true},
                          Case{kModelPentagon, true}, Case{kModelScorpion, false}}) {
        SCOPED_TRACE(c.model);
        auto machine = MadeUpMachine(c.model);
        machine->OutPort(0xFFFD, 8);
        machine->OutPort(0xBFFD, 0xFF);
        EXPECT_EQ(machine->Ay.AyRegs[8], 0x1F);
        EXPECT_EQ(machine->InPort(0xFFFD), 0x1F);
        machine->OutPort(0xFFF9, 9);
        machine->OutPort(0xBFF9, 0x0A);
        EXPECT_EQ(machine->Ay.AySelected, c.partialDecoding ? 9u : 8u);
        EXPECT_EQ(machine->Ay.AyRegs[9], c.partialDecoding ? 0x0A : 0x00);
        machine->OutPort(0xFFFF, 2);  // A1 set: not the AY
        EXPECT_NE(machine->Ay.AySelected, 2u);
    }
    // The 48K without the AY option has none.
    auto machine = MadeUpMachine(kModel48K, {.AyIn48 = false, .Issue2 = false});
    machine->OutPort(0xFFFD, 8);
    machine->OutPort(0xBFFD, 0x0F);
    EXPECT_EQ(machine->Ay.AyRegs[8], 0);
    EXPECT_EQ(machine->InPort(0xFFFD), 0xFF);
}

TEST(JoystickPorts, KempstonAtA5AndFullerAtA7) {
    auto machine = MadeUpMachine(kModel48K);
    machine->KempstonJoy = 0x12;
    machine->FullerJoy = 0xFB;
    EXPECT_EQ(machine->InPort(0x001F), 0xFF);  // cursor joystick: nothing answers
    machine->Joystick = JoystickType::Kempston;
    EXPECT_EQ(machine->InPort(0x001F), 0x12);
    EXPECT_EQ(machine->InPort(0x00DF), 0x12);
    EXPECT_EQ(machine->InPort(0x007F), 0xFF);  // A5 high
    machine->Joystick = JoystickType::Fuller;
    EXPECT_EQ(machine->InPort(0x007F), 0xFB);
    EXPECT_EQ(machine->InPort(0x001F), 0xFB);  // A7 is low in 0x1F too
    EXPECT_EQ(machine->InPort(0x00FF), 0xFF);
}

// Fills the screen page with a pattern of its offsets.
void PatternScreen(TSp& machine, int page) {
    for (size_t i = 0; i < kPageSize; ++i) machine.RamPage(page)[i] = uint8_t(i * 7 + page);
}

uint8_t PortAt(TSp& machine, int32_t t, uint16_t port) {
    machine.cpu.FrameTStates = t;
    return machine.InPort(port);
}

TEST(FloatingBus, UnansweredPortsReadTheByteTheUlaFetches) {
    auto machine = MadeUpMachine(kModel48K);
    PatternScreen(*machine, 5);
    const auto screenByte = [&](int offset) { return machine->RamPage(5)[offset]; };
    EXPECT_EQ(PortAt(*machine, 14335, 0x40FF), 0xFF);
    EXPECT_EQ(PortAt(*machine, 14336, 0x40FF), screenByte(0));
    EXPECT_EQ(PortAt(*machine, 14337, 0x40FF), screenByte(6144));
    EXPECT_EQ(PortAt(*machine, 14339, 0x40FF), screenByte(6145));
    EXPECT_EQ(PortAt(*machine, 14340, 0x40FF), 0xFF);
    EXPECT_EQ(PortAt(*machine, 14335 + 191 * 224 + 8 * 15 + 3, 0x40FF), screenByte(6143));

    auto m128 = MadeUpMachine(kModel128);
    PatternScreen(*m128, 5);
    PatternScreen(*m128, 7);
    EXPECT_EQ(PortAt(*m128, 14348, 0x40FF), m128->RamPage(5)[0]);
    m128->OutPort(0x7FFD, 0x08);
    EXPECT_EQ(PortAt(*m128, 14350, 0x40FF), m128->RamPage(7)[1]);

    // The later machines have no floating bus.
    for (int model : {kModelPlus3, kModelPentagon, kModelScorpion}) {
        auto other = MadeUpMachine(model);
        PatternScreen(*other, 5);
        for (int32_t t : {14336, 14348, 14365, 17921}) {
            EXPECT_EQ(PortAt(*other, t, 0x40FF), 0xFF);
            EXPECT_EQ(PortAt(*other, t, 0x00FF), 0xFF);
        }
        if (model == kModelPlus3) {
            EXPECT_EQ(PortAt(*other, 14365, 0x0FFD), 0xFF);
        }
    }
}

class FakeFloppy : public FloppyPorts {
public:
    uint8_t ReadStatus() override { return 0x91; }
    uint8_t ReadData() override { return 0x42; }
    void WriteData(uint8_t value) override { written.push_back(value); }
    void Reset() override { ++resets; }
    bool MotorOn() const override { return motor; }
    void SetMotor(bool on) override {
        motor = on;
        ++motorChanges;
    }
    std::vector<uint8_t> written;
    int resets = 0;
    bool motor = false;
    int motorChanges = 0;
};

TEST(DiskPorts, FloppyControllerOfThePlus3) {
    FakeFloppy* floppy = nullptr;
    MachineDevices devices;
    devices.MakeFloppy = [&floppy] {
        auto made = std::make_unique<FakeFloppy>();
        floppy = made.get();
        return made;
    };
    auto machine = MadeUpMachine(kModelPlus3, {}, devices);
    ASSERT_NE(floppy, nullptr);
    EXPECT_EQ(floppy->resets, 1);
    EXPECT_EQ(machine->InPort(0x2FFD), 0x91);
    EXPECT_EQ(machine->InPort(0x3FFD), 0x42);
    machine->OutPort(0x3FFD, 0x03);
    machine->OutPort(0x2FFD, 0x04);  // no register to write there
    EXPECT_EQ(floppy->written, std::vector<uint8_t>{0x03});
    const int changesAtReset = floppy->motorChanges;
    machine->OutPort(0x1FFD, 0x08);
    machine->OutPort(0x1FFD, 0x0C);
    EXPECT_TRUE(floppy->motor);
    EXPECT_EQ(floppy->motorChanges, changesAtReset + 1);
    machine->OutPort(0x1FFD, 0x00);
    EXPECT_FALSE(floppy->motor);

    // The +2A has no controller: the ports read FF.
    auto plus2a = MadeUpMachine(kModelPlus2A, {}, devices);
    EXPECT_EQ(plus2a->Floppy, nullptr);
    EXPECT_EQ(plus2a->InPort(0x2FFD), 0xFF);
    EXPECT_EQ(plus2a->InPort(0x3FFD), 0xFF);
}

class FakeIde : public IdePorts {
public:
    uint8_t ReadRegister(int reg) override { return uint8_t(0xA0 + reg); }
    void WriteRegister(int reg, uint8_t value) override { writes.emplace_back(reg, value); }
    void Reset() override {}
    std::vector<std::pair<int, uint8_t>> writes;
};

TEST(DiskPorts, IdeRegistersFromA8A12A13WhenA4IsLow) {
    FakeIde* ide = nullptr;
    MachineDevices devices;
    devices.MakeIde = [&ide] {
        auto made = std::make_unique<FakeIde>();
        ide = made.get();
        return made;
    };
    auto machine = MadeUpMachine(kModelPlus3e, {}, devices);
    ASSERT_NE(ide, nullptr);
    const std::vector<std::pair<uint16_t, int>> ports{{0x00EF, 0}, {0x01EF, 1}, {0x10EF, 2}, {0x20EF, 4}, {0x31EF, 7}};
    for (const auto& [port, reg] : ports) {
        EXPECT_EQ(machine->InPort(port), 0xA0 + reg) << port;
        machine->OutPort(port, uint8_t(reg));
    }
    EXPECT_EQ(ide->writes, (std::vector<std::pair<int, uint8_t>>{{0, 0}, {1, 1}, {2, 2}, {4, 4}, {7, 7}}));
    EXPECT_EQ(machine->InPort(0x31FF), 0xFF);  // A4 high

    // Without a hard-disk image there is no interface.
    EXPECT_EQ(MadeUpMachine(kModelPlus3e)->Ide, nullptr);
}

class FakeRzx : public RzxPortLog {
public:
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
