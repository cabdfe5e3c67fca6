#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <string>
#include <string_view>
#include <thread>

#include "../machine_test_support.h"
#include "machine/input/key_mapping.h"
#include "machine/input/shared_input.h"

namespace tarvolinde {
namespace {

// The matrix as printed on the keyboard, half-row by half-row from bit 0:
// '^' CAPS SHIFT, '$' SYMBOL SHIFT, '\n' ENTER.
constexpr std::array<std::string_view, 8> kMatrix{"^ZXCV", "ASDFG", "QWERT", "12345",
                                                  "09876", "POIUY", "\nLKJH", " $MNB"};

// The rows with exactly the named keys held.
KeyboardRows Held(std::string_view keys) {
    KeyboardRows rows = kAllKeysUp;
    for (char key : keys)
        for (size_t row = 0; row < kMatrix.size(); ++row)
            if (const size_t bit = kMatrix[row].find(key); bit != std::string_view::npos)
                rows[row] &= uint8_t(~(1u << bit));
    return rows;
}

KeyEvent Down(int key, ShiftState shift = {}) { return {true, key, shift}; }
KeyEvent Up(int key, ShiftState shift = {}) { return {false, key, shift}; }

constexpr int kModel128 = 4;

constexpr ShiftState kShiftHeld{.Shift = true};
constexpr ShiftState kAltHeld{.Alt = true};

TEST(KeyMapping, LettersAndDigitsPressTheirOwnKeyAndReleaseIt) {
    for (int key = 0; key < 256; ++key) {
        const bool letter = key >= 'A' && key <= 'Z';
        const bool digit = key >= '0' && key <= '9';
        if (!letter && !digit) continue;
        SCOPED_TRACE(char(key));
        InputBytes input;
        EXPECT_EQ(ApplyKeyEvent(input, Down(key), {}), KeyEventResult::Applied);
        EXPECT_EQ(input.KeyRows, Held(std::string(1, char(key))));
        EXPECT_EQ(ApplyKeyEvent(input, Up(key), {}), KeyEventResult::Applied);
        EXPECT_EQ(input, InputBytes{});
    }
}

TEST(KeyMapping, EditingAndShiftKeys) {
    struct Case {
        int key;
        std::string_view held;
    };
    for (const Case& c : {Case{virtual_key::Backspace, "^0"}, Case{virtual_key::Enter, "\n"},
                          Case{virtual_key::Shift, "^"}, Case{virtual_key::Control, "$"},
                          Case{virtual_key::ExtendedMode, "^$"}, Case{virtual_key::Tab, "^$"},
                          Case{virtual_key::Space, " "}}) {
        SCOPED_TRACE(c.key);
        InputBytes input;
        EXPECT_EQ(ApplyKeyEvent(input, Down(c.key), {}), KeyEventResult::Applied);
        EXPECT_EQ(input.KeyRows, Held(c.held));
        ApplyKeyEvent(input, Up(c.key), {});
        EXPECT_EQ(input, InputBytes{});
    }
}

TEST(KeyMapping, KeysTheSpectrumDoesNotHaveChangeNothing) {
    for (int key : {0, 1, 18, 20, 27, 46, 47, 91, 95, 97, 112, 0xBA, 255, 256, -1, 0x10000}) {
        SCOPED_TRACE(key);
        InputBytes input;
        input.KeyRows[2] = 0xFE;  // Q held
        const InputBytes before = input;
        EXPECT_EQ(ApplyKeyEvent(input, Down(key), {}), KeyEventResult::Ignored);
        EXPECT_EQ(ApplyKeyEvent(input, Up(key), {}), KeyEventResult::Ignored);
        EXPECT_EQ(input, before);
    }
}

TEST(KeyMapping, ShiftHeldKeepsCapsShiftDownAfterAnExtraCapsShiftKey) {
    InputBytes input;
    ApplyKeyEvent(input, Down(virtual_key::Shift, kShiftHeld), {});
    ApplyKeyEvent(input, Down(virtual_key::Backspace, kShiftHeld), {});
    EXPECT_EQ(input.KeyRows, Held("^0"));
    ApplyKeyEvent(input, Up(virtual_key::Backspace, kShiftHeld), {});
    EXPECT_EQ(input.KeyRows, Held("^"));
    ApplyKeyEvent(input, Up(virtual_key::Shift), {});
    EXPECT_EQ(input.KeyRows, kAllKeysUp);

    // Extended mode without PC shift lets CAPS SHIFT go with it.
    ApplyKeyEvent(input, Down(virtual_key::Tab), {});
    ApplyKeyEvent(input, Up(virtual_key::Tab), {});
    EXPECT_EQ(input.KeyRows, kAllKeysUp);
    // With PC shift held, the extended-mode key leaves CAPS SHIFT down.
    ApplyKeyEvent(input, Down(virtual_key::Tab, kShiftHeld), {});
    ApplyKeyEvent(input, Up(virtual_key::Tab, kShiftHeld), {});
    EXPECT_EQ(input.KeyRows, Held("^"));
}

TEST(KeyMapping, AltEnterIsLeftToTheWindow) {
    InputBytes input;
    EXPECT_EQ(ApplyKeyEvent(input, Down(virtual_key::Enter, kAltHeld), {}), KeyEventResult::ToggleFullScreen);
    EXPECT_EQ(input, InputBytes{});
    // ENTER held before Alt still comes up.
    ApplyKeyEvent(input, Down(virtual_key::Enter), {});
    EXPECT_EQ(ApplyKeyEvent(input, Up(virtual_key::Enter, kAltHeld), {}), KeyEventResult::Applied);
    EXPECT_EQ(input, InputBytes{});
}

TEST(KeyMapping, CursorKeysAndNumPadZeroFollowTheJoystickType) {
    // Left, up, right, down, fire.
    constexpr std::array<int, 5> keys{virtual_key::Left, virtual_key::Up, virtual_key::Right, virtual_key::Down,
                                      virtual_key::NumPad0};
    struct Case {
        JoystickType type;
        std::array<std::string_view, 5> held;
        std::array<uint8_t, 5> kempston;
        std::array<uint8_t, 5> fuller;  // the byte while held
    };
    const std::array<Case, 5> cases{{
        {JoystickType::CursorProtekAgf, {"5", "7", "8", "6", "0"}, {}, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {JoystickType::Sinclair1, {"6", "9", "7", "8", "0"}, {}, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {JoystickType::Sinclair2, {"1", "4", "2", "3", "5"}, {}, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {JoystickType::Fuller, {"", "", "", "", ""}, {}, {0xFB, 0xFE, 0xF7, 0xFD, 0x7F}},
        {JoystickType::Kempston, {"", "", "", "", ""}, {0x02, 0x08, 0x01, 0x04, 0x10}, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
    }};
    for (const Case& c : cases) {
        for (size_t i = 0; i < keys.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "type " << int(c.type) << " key " << keys[i]);
            const KeyOptions options{c.type, false};
            InputBytes input;
            EXPECT_EQ(ApplyKeyEvent(input, Down(keys[i]), options), KeyEventResult::Applied);
            EXPECT_EQ(input.KeyRows, Held(c.held[i]));
            EXPECT_EQ(input.KempstonJoy, c.kempston[i]);
            EXPECT_EQ(input.FullerJoy, c.fuller[i]);
            ApplyKeyEvent(input, Up(keys[i]), options);
            EXPECT_EQ(input, InputBytes{});
        }
    }
}

TEST(KeyMapping, CursorShiftAddsCapsShiftToTheCursorJoystickDirectionsOnly) {
    const KeyOptions cursorShift{JoystickType::CursorProtekAgf, true};
    InputBytes input;
    ApplyKeyEvent(input, Down(virtual_key::Left), cursorShift);
    EXPECT_EQ(input.KeyRows, Held("^5"));
    ApplyKeyEvent(input, Up(virtual_key::Left), cursorShift);
    EXPECT_EQ(input.KeyRows, kAllKeysUp);
    ApplyKeyEvent(input, Down(virtual_key::Down), cursorShift);
    EXPECT_EQ(input.KeyRows, Held("^6"));
    ApplyKeyEvent(input, Up(virtual_key::Down), cursorShift);

    ApplyKeyEvent(input, Down(virtual_key::NumPad0), cursorShift);
    EXPECT_EQ(input.KeyRows, Held("0"));
    ApplyKeyEvent(input, Up(virtual_key::NumPad0), cursorShift);

    // The option means nothing to the other joysticks.
    ApplyKeyEvent(input, Down(virtual_key::Left), {JoystickType::Sinclair1, true});
    EXPECT_EQ(input.KeyRows, Held("6"));
}

TEST(KeyMapping, MachineReadsCapsShiftAndFiveForTheLeftArrowWithCursorShift) {
    auto machine = test::MadeUpMachine(kModel48K);
    EXPECT_EQ(ApplyKeyEvent(*machine, Down(virtual_key::Left), true), KeyEventResult::Applied);
    EXPECT_EQ(machine->InPort(0xFEFE) & 0x1F, 0x1E);
    EXPECT_EQ(machine->InPort(0xF7FE) & 0x1F, 0x0F);
    EXPECT_EQ(machine->InPort(0xF6FE) & 0x1F, 0x0E);  // both half-rows at once
    ApplyKeyEvent(*machine, Up(virtual_key::Left), true);
    EXPECT_EQ(machine->InPort(0x00FE) & 0x1F, 0x1F);
}

TEST(SharedInput, KeyEventsReachTheMachineBetweenFramesAndSurviveAModelSwitch) {
    SharedInput input;
    EXPECT_EQ(input.HandleKey(Down('Q'), {}), KeyEventResult::Applied);
    EXPECT_EQ(input.HandleKey(Down(virtual_key::Right), {JoystickType::Kempston, false}), KeyEventResult::Applied);
    EXPECT_EQ(input.HandleKey(Down(virtual_key::Enter, kAltHeld), {}), KeyEventResult::ToggleFullScreen);

    auto machine = test::MadeUpMachine(kModel48K);
    input.CopyTo(*machine);
    EXPECT_EQ(machine->KeyRows, Held("Q"));
    EXPECT_EQ(machine->KempstonJoy, 0x01);

    auto other = test::MadeUpMachine(kModel128);
    input.CopyTo(*other);
    EXPECT_EQ(other->InPort(0xFBFE) & 0x1F, 0x1E);
    input.HandleKey(Up('Q'), {});
    input.CopyTo(*other);
    EXPECT_EQ(other->InPort(0xFBFE) & 0x1F, 0x1F);
}

TEST(SharedInput, AReaderOnAnotherThreadSeesOnlyWholeStates) {
    SharedInput input;
    std::atomic<bool> done{false};
    std::atomic<int> badReads{0};
    std::thread reader([&] {
        while (!done.load()) {
            const InputBytes bytes = input.Current();
            if (bytes.KeyRows[3] != 0xFF && bytes.KeyRows[3] != 0xFE) ++badReads;
            if (bytes.KeyRows[0] != 0xFF) ++badReads;
        }
    });
    for (int i = 0; i < 20000; ++i) input.HandleKey({i % 2 == 0, '1', {}}, {});
    done = true;
    reader.join();
    EXPECT_EQ(badReads.load(), 0);
    EXPECT_EQ(input.Current(), InputBytes{});
}

}  // namespace
}  // namespace tarvolinde
