#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "../machine_test_support.h"
#include "machine/input/pointer_devices.h"
#include "machine/video/screen_tables.h"

namespace tarvolinde {
namespace {

constexpr int kModel128 = 4;

TEST(MouseScale, MulDivRoundsHalvesAwayFromZero) {
    EXPECT_EQ(MulDiv(1, 320, 640), 1);    // 0.5
    EXPECT_EQ(MulDiv(3, 320, 640), 2);    // 1.5
    EXPECT_EQ(MulDiv(2, 320, 960), 1);    // 0.67
    EXPECT_EQ(MulDiv(1, 320, 960), 0);    // 0.33
    EXPECT_EQ(MulDiv(-1, 320, 640), -1);  // -0.5
    EXPECT_EQ(MulDiv(1, -320, -640), 1);
    EXPECT_EQ(MulDiv(5, 320, 0), -1);
}

TEST(MouseScale, TablesMapTheControlOntoThePictureAndFollowResizes) {
    auto pointer = std::make_unique<PointerInput>();
    // Before the size is known nothing is over the picture.
    EXPECT_EQ(pointer->MouseMapX(10), -1);

    pointer->BuildMouseScale(640, 480);
    EXPECT_EQ(pointer->MouseMapX(0), 0);
    EXPECT_EQ(pointer->MouseMapX(1), 1);
    EXPECT_EQ(pointer->MouseMapX(321), 161);
    EXPECT_EQ(pointer->MouseMapX(640), 320);
    EXPECT_EQ(pointer->MouseMapY(479), 240);
    EXPECT_EQ(pointer->MouseMapY(480), 240);
    EXPECT_EQ(pointer->MouseMapY(100), 50);
    EXPECT_GT(pointer->MouseMapX(700), 320);  // past the control: past the picture
    EXPECT_EQ(pointer->MouseMapX(-1), -1);
    EXPECT_EQ(pointer->MouseMapX(kMouseMapSize), -1);
    EXPECT_EQ(pointer->MouseMapY(kMouseMapSize - 1), MulDiv(kMouseMapSize - 1, 240, 480));

    pointer->BuildMouseScale(320, 240);
    for (int i = 0; i <= 320; ++i) ASSERT_EQ(pointer->MouseMapX(i), i);
    for (int i = 0; i <= 240; ++i) ASSERT_EQ(pointer->MouseMapY(i), i);

    pointer->BuildMouseScale(0, 0);  // a collapsed control
    EXPECT_EQ(pointer->MouseMapX(0), -1);
}

TEST(PointerCursors, CrossHairForTheGunsHiddenForTheKempstonMouse) {
    EXPECT_EQ(CursorFor(MouseType::None), PointerCursor::Arrow);
    EXPECT_EQ(CursorFor(MouseType::GunStick), PointerCursor::CrossHair);
    EXPECT_EQ(CursorFor(MouseType::LightGun), PointerCursor::CrossHair);
    EXPECT_EQ(CursorFor(MouseType::KempstonMouse), PointerCursor::Hidden);
}

TEST(KempstonMouse, PortValuesByHighByte) {
    auto pointer = std::make_unique<PointerInput>();
    pointer->ScreenCursorMoved(200, 10);
    EXPECT_EQ(pointer->KempstonMouse(0xFA), 0xFF);
    EXPECT_EQ(pointer->KempstonMouse(0xFB), 0x90);  // 400 & 0xFF
    EXPECT_EQ(pointer->KempstonMouse(0xFF), 0xEC);  // -20 & 0xFF
    for (int high : {0x00, 0x7F, 0xF9, 0xFC, 0xFE}) EXPECT_FALSE(pointer->KempstonMouse(uint8_t(high)).has_value());
    pointer->MouseEvent(5, 5, true);
    EXPECT_EQ(pointer->KempstonMouse(0xFA), 0xFD);
    pointer->ScreenCursorMoved(-3, -2000000000);  // far off to the left and below: still a byte
    EXPECT_EQ(pointer->KempstonMouse(0xFB), 0xFA);
    EXPECT_EQ(pointer->KempstonMouse(0xFF), 0x00);
}

TEST(KempstonMouse, ReadThroughTheMachinePorts) {
    auto machine = test::MadeUpMachine(kModel48K);
    auto pointer = std::make_unique<PointerInput>();
    ConnectPointer(*machine, *pointer);
    machine->Mouse = MouseType::KempstonMouse;
    machine->Joystick = JoystickType::Kempston;
    machine->KempstonJoy = 0x10;
    pointer->ScreenCursorMoved(1, 1);
    EXPECT_EQ(machine->InPort(0xFBDF), 0x02);
    EXPECT_EQ(machine->InPort(0xFFDF), 0xFE);
    EXPECT_EQ(machine->InPort(0xFADF), 0xFF);
    // Other high bytes read what the joystick made of them.
    EXPECT_EQ(machine->InPort(0x001F), 0x10);
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
    // Attribute of screen character row `row`, column `column`.
    void Attribute(int row, int column, uint8_t value) {
        machine->RamPage(5)[size_t(kScreenCells + row * 32 + column)] = value;
    }
    // The pointer over screen pixel (x, y) of the 256 x 192 screen.
    void Aim(int x, int y, bool trigger) { pointer->MouseEvent(kScreenLeft + x, kScreenTop + y, trigger); }
};

TEST(GunStick, TriggerAndLightBitsOnHalfRowFour) {
    GunRig rig(kModel48K, MouseType::GunStick);
    rig.Attribute(5, 10, 0x07);  // white ink on black
    rig.Attribute(5, 11, 0x38);  // black ink on white
    rig.Attribute(5, 12, 0x16);  // yellow on red
    rig.Attribute(5, 13, 0x7A);  // bright red on bright white

    auto halfRowFour = [&] { return rig.machine->InPort(0xEFFE) & 0x05; };
    rig.Aim(10 * 8 + 3, 5 * 8 + 7, false);
    EXPECT_EQ(halfRowFour(), 0x05);  // no trigger, no light
    rig.Aim(10 * 8 + 3, 5 * 8 + 7, true);
    EXPECT_EQ(halfRowFour(), 0x00);
    rig.Aim(11 * 8, 5 * 8, true);
    EXPECT_EQ(halfRowFour(), 0x00);
    rig.Aim(12 * 8 + 7, 5 * 8, true);
    EXPECT_EQ(halfRowFour(), 0x04);  // trigger only
    rig.Aim(13 * 8, 5 * 8 + 2, true);
    EXPECT_EQ(halfRowFour(), 0x00);
    rig.Aim(10 * 8, 6 * 8, true);  // the row below is black
    EXPECT_EQ(halfRowFour(), 0x04);
    rig.Aim(-1, 0, true);  // over the border
    EXPECT_EQ(halfRowFour(), 0x04);

    // Other half-rows do not see the gun.
    rig.Aim(10 * 8, 5 * 8, true);
    EXPECT_EQ(rig.machine->InPort(0xFEFE) & 0x05, 0x05);
    EXPECT_EQ(rig.machine->InPort(0xEEFE) & 0x05, 0x00);
}

TEST(GunStick, ReadsTheScreenPageItIsGiven) {
    auto pointer = std::make_unique<PointerInput>();
    pointer->BuildMouseScale(640, 480);  // a picture shown twice its size
    std::vector<uint8_t> page(0x4000, 0x00);
    page[kScreenCells + 23 * 32 + 31] = 0x0F;  // the last cell: white ink
    pointer->MouseEvent(2 * (kScreenLeft + 255), 2 * (kScreenTop + 191), true);
    EXPECT_EQ(pointer->GunStick(0xBF, page.data()), 0xBA);
    page[kScreenCells + 23 * 32 + 31] = 0x0E;
    EXPECT_EQ(pointer->GunStick(0xBF, page.data()), 0xBE);
    pointer->MouseEvent(2 * (kScreenLeft + 256), 2 * (kScreenTop + 191), true);  // just right of the screen
    page[kScreenCells + 23 * 32 + 31] = 0x0F;
    EXPECT_EQ(pointer->GunStick(0xBF, page.data()), 0xBE);
}

// Reads AY register 14 at T-state t.
uint8_t PortAAt(TSp& machine, int32_t t) {
    machine.OutPort(0xFFFD, 14);
    machine.cpu.FrameTStates = t;
    return machine.InPort(0xFFFD);
}

// The T-state at which the beam passes picture point (x, y) of a screen line.
int32_t BeamAt(const TSp& machine, int pictureX, int screenLine) {
    return machine.LineTStates * screenLine + machine.cpu.ScreenStartT + pictureX / 2 - 40;
}

TEST(LightGun, SeesABrightColourOnlyWithin400TStatesAfterTheBeam) {
    for (int model : {kModel48K, kModel128}) {
        SCOPED_TRACE(model);
        GunRig rig(model, MouseType::LightGun);
        for (int column = 0; column < 32; ++column) rig.Attribute(8, column, 0x20);  // green paper
        const int line = 8 * 8 + 3;
        rig.Aim(128, line, false);
        const int32_t passed = BeamAt(*rig.machine, kScreenLeft + 128, line);

        EXPECT_EQ(PortAAt(*rig.machine, passed + 1) & 0x30, 0x30);  // trigger up, light seen
        EXPECT_EQ(PortAAt(*rig.machine, passed + 399) & 0x30, 0x30);
        EXPECT_EQ(PortAAt(*rig.machine, passed + 400) & 0x30, 0x20);
        EXPECT_EQ(PortAAt(*rig.machine, passed) & 0x30, 0x20);  // the beam is only there now
        EXPECT_EQ(PortAAt(*rig.machine, passed - 100) & 0x30, 0x20);

        rig.Aim(128, line, true);
        EXPECT_EQ(PortAAt(*rig.machine, passed + 10) & 0x30, 0x10);

        // Magenta (3), even bright, is too dark for the sensor.
        for (int column = 0; column < 32; ++column) rig.Attribute(8, column, 0x5B);
        EXPECT_EQ(PortAAt(*rig.machine, passed + 10) & 0x30, 0x00);
        // Flashing or not, the brighter of ink and paper counts.
        for (int column = 0; column < 32; ++column) rig.Attribute(8, column, 0x8C);
        EXPECT_EQ(PortAAt(*rig.machine, passed + 10) & 0x30, 0x10);
    }
}

TEST(LightGun, FollowsTheBeamThroughTheScreenCellTable) {
    GunRig rig(kModel48K, MouseType::LightGun);
    // On the 48K the beam timing puts the cell it reads four cells to the left
    // of the pointer: only that cell is lit here.
    rig.Attribute(2, 6, 0x07);
    rig.Aim(10 * 8 + 4, 2 * 8, false);
    const int32_t passed = BeamAt(*rig.machine, kScreenLeft + 10 * 8 + 4, 2 * 8);
    EXPECT_EQ(PortAAt(*rig.machine, passed + 5) & 0x10, 0x10);
    rig.Attribute(2, 6, 0x00);
    rig.Attribute(2, 10, 0x07);
    EXPECT_EQ(PortAAt(*rig.machine, passed + 5) & 0x10, 0x00);
}

TEST(LightGun, OutsideTheScreenColumnsOrBelowTheBorderItSeesNothing) {
    GunRig rig(kModel48K, MouseType::LightGun);
    for (int i = 0; i < kAttributeBytes; ++i) rig.machine->RamPage(5)[size_t(kScreenCells + i)] = 0x3F;
    for (int x : {-1, 256}) {
        rig.Aim(x, 50, false);
        EXPECT_EQ(PortAAt(*rig.machine, BeamAt(*rig.machine, kScreenLeft + x, 50) + 20) & 0x10, 0x00);
    }
    rig.pointer->MouseEvent(kScreenLeft + 100, kPictureHeight, false);
    EXPECT_EQ(PortAAt(*rig.machine, rig.machine->cpu.FrameLength - 1) & 0x10, 0x00);
    // The first column of the first line lies before the first fetch of the frame.
    rig.Aim(0, 0, false);
    EXPECT_EQ(PortAAt(*rig.machine, BeamAt(*rig.machine, kScreenLeft, 0) + 20) & 0x10, 0x10);
}

TEST(LightGun, PortAAsAnOutputIsAndedWithRegister14) {
    GunRig rig(kModel48K, MouseType::LightGun);
    for (int column = 0; column < 32; ++column) rig.Attribute(0, column, 0x38);
    rig.Aim(100, 4, false);
    const int32_t passed = BeamAt(*rig.machine, kScreenLeft + 100, 4);
    rig.machine->OutPort(0xFFFD, 7);
    rig.machine->OutPort(0xBFFD, 0x40);
    rig.machine->OutPort(0xFFFD, 14);
    rig.machine->OutPort(0xBFFD, 0xEF);
    EXPECT_EQ(PortAAt(*rig.machine, passed + 2), 0xEF);  // the light bit is masked away
    rig.machine->OutPort(0xBFFD, 0xFF);
    EXPECT_EQ(PortAAt(*rig.machine, passed + 2), 0xFF);
    rig.pointer->MouseEvent(kScreenLeft + 100, kScreenTop + 4, true);
    EXPECT_EQ(PortAAt(*rig.machine, passed + 2), 0xDF);
}

TEST(LightGun, WithoutAMachineOnlyTheTriggerIsReported) {
    auto pointer = std::make_unique<PointerInput>();
    pointer->BuildMouseScale(320, 240);
    pointer->MouseEvent(100, 100, true);
    EXPECT_EQ(pointer->LightGunLatch(0xFF), 0xCF);
    pointer->MouseEvent(100, 100, false);
    EXPECT_EQ(pointer->LightGunLatch(0x00), 0x20);
}

}  // namespace
}  // namespace tarvolinde
