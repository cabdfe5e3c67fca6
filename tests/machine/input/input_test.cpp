// Input: PC keys onto the keyboard matrix and the joysticks, the input shared
// with the emulation thread, and the pointer devices (Kempston mouse, GunStick,
// LightGun), read through the machine's ports.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string_view>
#include <thread>

#include "../machine_test_support.h"
#include "machine/input/key_mapping.h"
#include "machine/input/keyboard_typing.h"
#include "machine/input/pointer_devices.h"
#include "machine/input/shared_input.h"
#include "machine/video/screen_tables.h"

namespace tarvolinde {
namespace {

// The rows with exactly the named keys held, by the matrix as printed on the
// keyboard from bit 0: '^' CAPS SHIFT, '$' SYMBOL SHIFT, '\n' ENTER.
KeyboardRows Held(std::string_view keys) {
    constexpr std::string_view kMatrix[8] = {"^ZXCV", "ASDFG", "QWERT", "12345", "09876", "POIUY", "\nLKJH", " $MNB"};
    KeyboardRows rows = kAllKeysUp;
    for (char key : keys)
        for (size_t row = 0; row < 8; ++row)
            if (const size_t bit = kMatrix[row].find(key); bit != std::string_view::npos) rows[row] &= ~(1u << bit);
    return rows;
}

KeyEvent Down(int key, ShiftState shift = {}) { return {true, key, shift}; }
KeyEvent Up(int key, ShiftState shift = {}) { return {false, key, shift}; }

TEST(KeyMapping, KeysTheSpectrumDoesNotHaveChangeNothing) {
    for (int key : {0, 27, 112, 255, 256, -1, 0x10000}) {
        InputBytes input;
        EXPECT_EQ(ApplyKeyEvent(input, Down(key), {}), KeyEventResult::Ignored) << key;
        EXPECT_EQ(input, InputBytes{}) << key;
    }
}

TEST(KeyMapping, ShiftHeldKeepsCapsShiftDownAfterAnExtraCapsShiftKeyAndAltEnterIsTheWindows) {
    constexpr ShiftState shift{.Shift = true};
    InputBytes input;
    ApplyKeyEvent(input, Down(virtual_key::Shift, shift), {});
    ApplyKeyEvent(input, Down(virtual_key::Backspace, shift), {});
    EXPECT_EQ(input.KeyRows, Held("^0"));
    ApplyKeyEvent(input, Up(virtual_key::Backspace, shift), {});
    EXPECT_EQ(input.KeyRows, Held("^"));
    ApplyKeyEvent(input, Up(virtual_key::Shift), {});
    // Tab is extended mode: without PC shift CAPS SHIFT goes with it, with it it stays.
    ApplyKeyEvent(input, Down(virtual_key::Tab), {});
    EXPECT_EQ(input.KeyRows, Held("^$"));
    ApplyKeyEvent(input, Up(virtual_key::Tab), {});
    EXPECT_EQ(input.KeyRows, kAllKeysUp);
    ApplyKeyEvent(input, Down(virtual_key::Tab, shift), {});
    ApplyKeyEvent(input, Up(virtual_key::Tab, shift), {});
    EXPECT_EQ(input.KeyRows, Held("^"));

    InputBytes enter;
    EXPECT_EQ(ApplyKeyEvent(enter, Down(virtual_key::Enter, {.Alt = true}), {}), KeyEventResult::ToggleFullScreen);
    EXPECT_EQ(enter, InputBytes{});
    ApplyKeyEvent(enter, Down(virtual_key::Enter), {});
    ApplyKeyEvent(enter, Up(virtual_key::Enter, {.Alt = true}), {});  // ENTER held before Alt still comes up
    EXPECT_EQ(enter, InputBytes{});
}

TEST(KeyMapping, CursorKeysAndFireReachTheJoystickPorts) {
    auto machine = test::MadeUpMachine(kModel48K);
    const auto key = [&](bool down, int vk, bool cursorShift = false) {
        ApplyKeyEvent(*machine, {down, vk, {}}, cursorShift);
    };
    key(true, virtual_key::Left, true);  // the cursor joystick with CAPS SHIFT: the Spectrum's own cursor key
    EXPECT_EQ(machine->InPort(0xF6FE) & 0x1F, 0x0E);
    key(false, virtual_key::Left, true);
    EXPECT_EQ(machine->InPort(0x00FE) & 0x1F, 0x1F);
    machine->Joystick = JoystickType::Sinclair1;
    key(true, virtual_key::Left, true);  // the option means nothing to the other joysticks
    EXPECT_EQ(machine->KeyRows, Held("6"));
    key(false, virtual_key::Left);
    machine->Joystick = JoystickType::Kempston;  // bits set when pressed, at A5 low
    key(true, virtual_key::Left);
    key(true, virtual_key::NumPad0);
    EXPECT_EQ(machine->InPort(0x00DF), 0x12);
    machine->Joystick = JoystickType::Fuller;  // bits clear when pressed, at A7 low
    EXPECT_EQ(machine->InPort(0x007F), 0xFF);
    key(true, virtual_key::Left);
    key(true, virtual_key::Down);
    key(true, virtual_key::NumPad0);
    EXPECT_EQ(machine->InPort(0x001F), 0x79);
    EXPECT_EQ(machine->KempstonJoy, 0x12);  // kept while the Fuller joystick was chosen
}

// Typing tools press and release within a frame: each press is seen for frames, then its release, in order.
TEST(SharedInput, KeysPressedAndReleasedWithinOneFrameAreAllSeenInOrder) {
    SharedInput input;
    auto machine = test::MadeUpMachine(kModel48K);
    std::string expected, seen;
    for (int round = 0; round < 100; ++round) expected += "LOOAD";  // 1000 states: the ring holds them all
    std::thread reader([&] {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        for (char down = 0; seen.size() < expected.size() && std::chrono::steady_clock::now() < giveUp;) {
            input.NextFrameTo(*machine);
            char now = 0;
            for (const char c : std::string("LOAD"))
                if (const MatrixKey key = ChordForCharacter(char(c + 32))->key; !(machine->KeyRows[key.row] & key.mask)) now = c;
            if (now && now != down) seen += now;
            down = now;
        }
    });
    for (const char c : expected) input.HandleKey(Down(c), {}), input.HandleKey(Up(c), {});
    reader.join();
    EXPECT_EQ(seen, expected);
    // A stopped machine, or the one a model switch builds, takes the latest state at once.
    input.HandleKey(Down('Q'), {}), input.HandleKey(Down(virtual_key::Right), {JoystickType::Kempston, false});
    auto other = test::MadeUpMachine(4);
    input.CopyTo(*other);
    EXPECT_TRUE((other->InPort(0xFBFE) & 0x1F) == 0x1E && other->KempstonJoy == 0x01);
}

TEST(KeyboardTyping, CharactersWithoutAKeyAreSkipped) {
    TypingSession session("~~a");  // the runner's typing is proven by cli.type.* and the real tapes
    std::array<uint8_t, 8> rows;
    session.BeforeFrame(rows);
    EXPECT_EQ(rows, Held("A"));
}

// A machine with a pointer device on a picture of 320 x 240 control pixels.
struct PointerRig {
    std::unique_ptr<TSp> machine;
    std::unique_ptr<PointerInput> pointer = std::make_unique<PointerInput>();
    PointerRig(MouseType type, int model = kModel48K) : machine(test::MadeUpMachine(model)) {
        ConnectPointer(*machine, *pointer);
        machine->Mouse = type;
        pointer->BuildMouseScale(320, 240);
    }
    void Attributes(int row, uint8_t value, int from = 0, int to = 32) {
        for (int column = from; column < to; ++column) machine->RamPage(5)[kScreenCells + row * 32 + column] = value;
    }
    // The pointer over screen pixel (x, y) of the 256 x 192 screen, and when the beam passes there.
    void Aim(int x, int y, bool trigger) { pointer->MouseEvent(kScreenLeft + x, kScreenTop + y, trigger); }
    int32_t BeamAt(int x, int y) const {
        return machine->LineTStates * y + machine->cpu.ScreenStartT + (kScreenLeft + x) / 2 - 40;
    }
    uint8_t Ay(uint8_t reg, int value = -1, int32_t t = 0) {  // writes the register, or reads it at t
        machine->OutPort(0xFFFD, reg);
        if (value >= 0) machine->OutPort(0xBFFD, uint8_t(value));
        machine->cpu.FrameTStates = t;
        return machine->InPort(0xFFFD);
    }
};

TEST(KempstonMouse, PortValuesByHighByte) {
    PointerRig rig(MouseType::KempstonMouse);
    rig.machine->Joystick = JoystickType::Kempston;
    rig.machine->KempstonJoy = 0x10;
    rig.pointer->ScreenCursorMoved(200, 10);
    EXPECT_EQ(rig.machine->InPort(0xFADF), 0xFF);
    EXPECT_EQ(rig.machine->InPort(0xFBDF), 0x90);  // 400 & 0xFF
    EXPECT_EQ(rig.machine->InPort(0xFFDF), 0xEC);  // -20 & 0xFF
    EXPECT_EQ(rig.machine->InPort(0x001F), 0x10);  // other high bytes: the joystick
    rig.pointer->MouseEvent(5, 5, true);
    rig.pointer->ScreenCursorMoved(-3, -2000000000);  // far off to the left and below: still a byte
    EXPECT_EQ(rig.machine->InPort(0xFADF), 0xFD);
    EXPECT_EQ(rig.machine->InPort(0xFBDF), 0xFA);
    EXPECT_EQ(rig.machine->InPort(0xFFDF), 0x00);
}

TEST(GunStick, TriggerAndLightBitsOnHalfRowFour) {
    PointerRig rig(MouseType::GunStick);
    rig.Attributes(5, 0x07, 10, 11);  // white ink on black
    rig.Attributes(5, 0x38, 11, 12);  // black ink on white
    rig.Attributes(5, 0x16, 12, 13);  // yellow on red
    // Trigger 0x01, light 0x04: clear when on.
    for (const auto& [x, y, trigger, bits] : {std::tuple{83, 47, false, 0x05}, {83, 47, true, 0x00}, {88, 40, true, 0x00},
                                             {103, 40, true, 0x04}, {80, 48, true, 0x04}, {-1, 0, true, 0x04}}) {
        rig.Aim(x, y, trigger);
        EXPECT_EQ(rig.machine->InPort(0xEFFE) & 0x05, bits) << x << ',' << y;
    }
    EXPECT_EQ(rig.machine->InPort(0xFEFE) & 0x05, 0x05);  // other half-rows do not see the gun
    rig.pointer->BuildMouseScale(640, 480);  // a picture shown twice its size
    rig.Attributes(23, 0x0F, 31, 32);
    rig.pointer->MouseEvent(2 * (kScreenLeft + 255), 2 * (kScreenTop + 191), true);
    EXPECT_EQ(rig.machine->InPort(0xEFFE) & 0x05, 0x00);
}

TEST(LightGun, SeesABrightColourOnlyWithin400TStatesAfterTheBeam) {
    for (int model : {kModel48K, 4}) {
        PointerRig rig(MouseType::LightGun, model);
        rig.Attributes(8, 0x20);  // green paper
        rig.Aim(128, 67, false);
        const int32_t passed = rig.BeamAt(128, 67);
        rig.Ay(14, 0x00);  // port A is an input: the write does not reach the pins
        for (const auto& [after, bits] : {std::pair{1, 0xFF}, {399, 0xFF}, {400, 0xEF}, {0, 0xEF}, {-100, 0xEF}})
            EXPECT_EQ(rig.Ay(14, -1, passed + after), bits) << model << ' ' << after;  // trigger up 0x20, light 0x10
        rig.Aim(128, 67, true);
        // Magenta, even bright, is too dark; flashing or not, the brighter of ink and paper counts.
        for (const auto& [attribute, bits] : {std::pair<uint8_t, int>{0x20, 0x10}, {0x5B, 0x00}, {0x8C, 0x10}}) {
            rig.Attributes(8, attribute);
            EXPECT_EQ(rig.Ay(14, -1, passed + 10) & 0x30, bits) << model << ' ' << int(attribute);
        }
    }
    PointerRig rig(MouseType::LightGun);
    for (int row = 0; row < 24; ++row) rig.Attributes(row, 0x3F);
    for (int x : {-1, 256}) {  // off the screen's columns
        rig.Aim(x, 50, false);
        EXPECT_EQ(rig.Ay(14, -1, rig.BeamAt(x, 50) + 20) & 0x10, 0x00) << x;
    }
    rig.Aim(0, 0, false);  // before the first fetch of the frame
    EXPECT_EQ(rig.Ay(14, -1, rig.BeamAt(0, 0) + 20) & 0x10, 0x10);
    auto alone = std::make_unique<PointerInput>();  // without a machine only the trigger is reported
    alone->MouseEvent(100, 100, true);
    EXPECT_EQ(alone->LightGunLatch(0xFF), 0xCF);
}

TEST(LightGun, FollowsTheBeamThroughTheScreenCellTableAndPortAAsAnOutputIsAndedWithRegister14) {
    PointerRig rig(MouseType::LightGun);
    // On the 48K the beam timing puts the cell it reads four cells to the left of
    // the pointer: only that cell is lit here.
    rig.Attributes(2, 0x07, 6, 7);
    rig.Aim(84, 16, false);
    EXPECT_EQ(rig.Ay(14, -1, rig.BeamAt(84, 16) + 5) & 0x10, 0x10);
    rig.Attributes(2, 0x00, 6, 7);
    rig.Attributes(2, 0x07, 10, 11);
    EXPECT_EQ(rig.Ay(14, -1, rig.BeamAt(84, 16) + 5) & 0x10, 0x00);
    rig.Attributes(0, 0x38);
    rig.Aim(100, 4, true);
    rig.Ay(7, 0x40);
    EXPECT_EQ(rig.Ay(14, 0xEF, rig.BeamAt(100, 4) + 2), 0xCF);  // the light bit is masked away
    EXPECT_EQ(rig.Ay(14, 0xFF, rig.BeamAt(100, 4) + 2), 0xDF);
}

}  // namespace
}  // namespace tarvolinde
