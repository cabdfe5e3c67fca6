// The pointer devices: the Kempston mouse, the GunStick and the LightGun, read
// through the machine's ports from where the PC mouse is over the picture.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "../machine_test_support.h"
#include "machine/input/pointer_devices.h"
#include "machine/video/screen_tables.h"

namespace tarvolinde {
namespace {

TEST(MouseScale, TablesMapTheControlOntoThePictureRoundingHalvesAwayFromZero) {
    EXPECT_EQ(MulDiv(3, 320, 640), 2);    // 1.5
    EXPECT_EQ(MulDiv(1, 320, 960), 0);    // 0.33
    EXPECT_EQ(MulDiv(-1, 320, 640), -1);  // -0.5
    EXPECT_EQ(MulDiv(5, 320, 0), -1);

    auto pointer = std::make_unique<PointerInput>();
    EXPECT_EQ(pointer->MouseMapX(10), -1);  // before the size is known
    pointer->BuildMouseScale(640, 480);
    EXPECT_EQ(pointer->MouseMapX(321), 161);
    EXPECT_EQ(pointer->MouseMapY(479), 240);
    EXPECT_GT(pointer->MouseMapX(700), 320);  // past the control: past the picture
    EXPECT_EQ(pointer->MouseMapX(-1), -1);
    EXPECT_EQ(pointer->MouseMapX(kMouseMapSize), -1);
    pointer->BuildMouseScale(0, 0);  // a collapsed control
    EXPECT_EQ(pointer->MouseMapX(0), -1);
}

TEST(KempstonMouse, PortValuesByHighByteThroughTheMachine) {
    auto machine = test::MadeUpMachine(kModel48K);
    auto pointer = std::make_unique<PointerInput>();
    ConnectPointer(*machine, *pointer);
    machine->Mouse = MouseType::KempstonMouse;
    machine->Joystick = JoystickType::Kempston;
    machine->KempstonJoy = 0x10;
    pointer->ScreenCursorMoved(200, 10);
    EXPECT_EQ(machine->InPort(0xFADF), 0xFF);
    EXPECT_EQ(machine->InPort(0xFBDF), 0x90);  // 400 & 0xFF
    EXPECT_EQ(machine->InPort(0xFFDF), 0xEC);  // -20 & 0xFF
    EXPECT_EQ(machine->InPort(0x001F), 0x10);  // other high bytes: the joystick
    pointer->MouseEvent(5, 5, true);
    pointer->ScreenCursorMoved(-3, -2000000000);  // far off to the left and below: still a byte
    EXPECT_EQ(machine->InPort(0xFADF), 0xFD);
    EXPECT_EQ(machine->InPort(0xFBDF), 0xFA);
    EXPECT_EQ(machine->InPort(0xFFDF), 0x00);
}

// A machine with a GunStick or LightGun on a picture of 320 x 240 control pixels.
struct GunRig {
    std::unique_ptr<TSp> machine;
    std::unique_ptr<PointerInput> pointer = std::make_unique<PointerInput>();

    GunRig(int model, MouseType type) : machine(test::MadeUpMachine(model)) {
        ConnectPointer(*machine, *pointer);
        machine->Mouse = type;
        pointer->BuildMouseScale(320, 240);
    }
    void Attributes(int row, uint8_t value, int from = 0, int to = 32) {
        for (int column = from; column < to; ++column) machine->RamPage(5)[size_t(kScreenCells + row * 32 + column)] = value;
    }
    // The pointer over screen pixel (x, y) of the 256 x 192 screen.
    void Aim(int x, int y, bool trigger) { pointer->MouseEvent(kScreenLeft + x, kScreenTop + y, trigger); }
    // The T-state at which the beam passes screen pixel (x, y).
    int32_t BeamAt(int x, int y) const {
        return machine->LineTStates * y + machine->cpu.ScreenStartT + (kScreenLeft + x) / 2 - 40;
    }
    // AY register 14 read at T-state t.
    uint8_t PortAAt(int32_t t) {
        machine->OutPort(0xFFFD, 14);
        machine->cpu.FrameTStates = t;
        return machine->InPort(0xFFFD);
    }
};

TEST(GunStick, TriggerAndLightBitsOnHalfRowFour) {
    GunRig rig(kModel48K, MouseType::GunStick);
    rig.Attributes(5, 0x07, 10, 11);  // white ink on black
    rig.Attributes(5, 0x38, 11, 12);  // black ink on white
    rig.Attributes(5, 0x16, 12, 13);  // yellow on red
    struct Aim {
        int x, y;
        bool trigger;
        uint8_t bits;  // trigger 0x01, light 0x04: clear when on
    };
    for (const Aim& a : {Aim{83, 47, false, 0x05}, {83, 47, true, 0x00}, {88, 40, true, 0x00},
                         {103, 40, true, 0x04}, {80, 48, true, 0x04}, {-1, 0, true, 0x04}}) {
        rig.Aim(a.x, a.y, a.trigger);
        EXPECT_EQ(rig.machine->InPort(0xEFFE) & 0x05, a.bits) << a.x << ',' << a.y;
    }
    EXPECT_EQ(rig.machine->InPort(0xFEFE) & 0x05, 0x05);  // other half-rows do not see the gun

    rig.pointer->BuildMouseScale(640, 480);  // a picture shown twice its size
    rig.Attributes(23, 0x0F, 31, 32);
    rig.pointer->MouseEvent(2 * (kScreenLeft + 255), 2 * (kScreenTop + 191), true);
    EXPECT_EQ(rig.machine->InPort(0xEFFE) & 0x05, 0x00);
    rig.pointer->MouseEvent(2 * (kScreenLeft + 256), 2 * (kScreenTop + 191), true);  // just right of the screen
    EXPECT_EQ(rig.machine->InPort(0xEFFE) & 0x05, 0x04);
}

TEST(LightGun, SeesABrightColourOnlyWithin400TStatesAfterTheBeam) {
    for (int model : {kModel48K, 4}) {
        SCOPED_TRACE(model);
        GunRig rig(model, MouseType::LightGun);
        rig.Attributes(8, 0x20);  // green paper
        const int line = 8 * 8 + 3;
        rig.Aim(128, line, false);
        const int32_t passed = rig.BeamAt(128, line);
        for (const auto [after, bits] : {std::pair{1, 0x30}, {399, 0x30}, {400, 0x20}, {0, 0x20}, {-100, 0x20}})
            EXPECT_EQ(rig.PortAAt(passed + after) & 0x30, bits) << after;  // trigger up 0x20, light 0x10
        rig.Aim(128, line, true);
        EXPECT_EQ(rig.PortAAt(passed + 10) & 0x30, 0x10);
        rig.Attributes(8, 0x5B);  // magenta, even bright, is too dark for the sensor
        EXPECT_EQ(rig.PortAAt(passed + 10) & 0x30, 0x00);
        rig.Attributes(8, 0x8C);  // flashing or not, the brighter of ink and paper counts
        EXPECT_EQ(rig.PortAAt(passed + 10) & 0x30, 0x10);
    }
}

TEST(LightGun, FollowsTheBeamThroughTheScreenCellTableAndSeesNothingOffTheScreen) {
    GunRig rig(kModel48K, MouseType::LightGun);
    // On the 48K the beam timing puts the cell it reads four cells to the left of
    // the pointer: only that cell is lit here.
    rig.Attributes(2, 0x07, 6, 7);
    rig.Aim(84, 16, false);
    EXPECT_EQ(rig.PortAAt(rig.BeamAt(84, 16) + 5) & 0x10, 0x10);
    rig.Attributes(2, 0x00, 6, 7);
    rig.Attributes(2, 0x07, 10, 11);
    EXPECT_EQ(rig.PortAAt(rig.BeamAt(84, 16) + 5) & 0x10, 0x00);

    for (int row = 0; row < 24; ++row) rig.Attributes(row, 0x3F);
    for (int x : {-1, 256}) {
        rig.Aim(x, 50, false);
        EXPECT_EQ(rig.PortAAt(rig.BeamAt(x, 50) + 20) & 0x10, 0x00) << x;
    }
    rig.pointer->MouseEvent(kScreenLeft + 100, kPictureHeight, false);
    EXPECT_EQ(rig.PortAAt(rig.machine->cpu.FrameLength - 1) & 0x10, 0x00);
    rig.Aim(0, 0, false);  // before the first fetch of the frame
    EXPECT_EQ(rig.PortAAt(rig.BeamAt(0, 0) + 20) & 0x10, 0x10);
}

TEST(LightGun, PortAAsAnOutputIsAndedWithRegister14) {
    GunRig rig(kModel48K, MouseType::LightGun);
    rig.Attributes(0, 0x38);
    rig.Aim(100, 4, false);
    const int32_t passed = rig.BeamAt(100, 4);
    rig.machine->OutPort(0xFFFD, 7);
    rig.machine->OutPort(0xBFFD, 0x40);
    rig.machine->OutPort(0xFFFD, 14);
    rig.machine->OutPort(0xBFFD, 0xEF);
    EXPECT_EQ(rig.PortAAt(passed + 2), 0xEF);  // the light bit is masked away
    rig.machine->OutPort(0xBFFD, 0xFF);
    EXPECT_EQ(rig.PortAAt(passed + 2), 0xFF);
    rig.Aim(100, 4, true);
    EXPECT_EQ(rig.PortAAt(passed + 2), 0xDF);

    auto alone = std::make_unique<PointerInput>();  // without a machine only the trigger is reported
    alone->MouseEvent(100, 100, true);
    EXPECT_EQ(alone->LightGunLatch(0xFF), 0xCF);
    alone->MouseEvent(100, 100, false);
    EXPECT_EQ(alone->LightGunLatch(0x00), 0x20);
}

}  // namespace
}  // namespace tarvolinde
