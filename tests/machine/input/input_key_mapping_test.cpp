// PC keys onto the Spectrum's keyboard matrix and joysticks, the input shared
// with the emulation thread, and text typed key by key.

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <set>
#include <string_view>
#include <thread>

#include "../machine_test_support.h"
#include "machine/input/key_mapping.h"
#include "machine/input/keyboard_typing.h"
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

constexpr ShiftState kShiftHeld{.Shift = true};

TEST(KeyMapping, LettersAndDigitsEachHoldOneKeyOfTheirOwn) {
    std::set<KeyboardRows> seen;
    for (int key : std::string_view("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789")) {
        SCOPED_TRACE(char(key));
        InputBytes input;
        EXPECT_EQ(ApplyKeyEvent(input, Down(key), {}), KeyEventResult::Applied);
        int held = 0;
        for (uint8_t row : input.KeyRows) held += __builtin_popcount(uint8_t(~row));
        EXPECT_EQ(held, 1);
        seen.insert(input.KeyRows);
        ApplyKeyEvent(input, Up(key), {});
        EXPECT_EQ(input, InputBytes{});
    }
    EXPECT_EQ(seen.size(), 36u);
}

TEST(KeyMapping, KeysTheSpectrumDoesNotHaveChangeNothing) {
    for (int key : {0, 27, 112, 255, 256, -1, 0x10000}) {
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

    // Tab is extended mode: without PC shift CAPS SHIFT goes with it, with it it stays.
    ApplyKeyEvent(input, Down(virtual_key::Tab), {});
    EXPECT_EQ(input.KeyRows, Held("^$"));
    ApplyKeyEvent(input, Up(virtual_key::Tab), {});
    EXPECT_EQ(input.KeyRows, kAllKeysUp);
    ApplyKeyEvent(input, Down(virtual_key::Tab, kShiftHeld), {});
    ApplyKeyEvent(input, Up(virtual_key::Tab, kShiftHeld), {});
    EXPECT_EQ(input.KeyRows, Held("^"));
}

TEST(KeyMapping, AltEnterIsLeftToTheWindow) {
    InputBytes input;
    EXPECT_EQ(ApplyKeyEvent(input, Down(virtual_key::Enter, {.Alt = true}), {}), KeyEventResult::ToggleFullScreen);
    EXPECT_EQ(input, InputBytes{});
    // ENTER held before Alt still comes up.
    ApplyKeyEvent(input, Down(virtual_key::Enter), {});
    EXPECT_EQ(ApplyKeyEvent(input, Up(virtual_key::Enter, {.Alt = true}), {}), KeyEventResult::Applied);
    EXPECT_EQ(input, InputBytes{});
}

TEST(KeyMapping, CursorShiftAddsCapsShiftToTheCursorJoystickDirectionsOnly) {
    auto machine = test::MadeUpMachine(kModel48K);
    EXPECT_EQ(ApplyKeyEvent(*machine, Down(virtual_key::Left), true), KeyEventResult::Applied);
    EXPECT_EQ(machine->InPort(0xF6FE) & 0x1F, 0x0E);  // CAPS SHIFT and 5, both half-rows at once
    ApplyKeyEvent(*machine, Up(virtual_key::Left), true);
    EXPECT_EQ(machine->InPort(0x00FE) & 0x1F, 0x1F);
    ApplyKeyEvent(*machine, Down(virtual_key::NumPad0), true);
    EXPECT_EQ(machine->KeyRows, Held("0"));
    ApplyKeyEvent(*machine, Up(virtual_key::NumPad0), true);

    InputBytes input;  // the option means nothing to the other joysticks
    ApplyKeyEvent(input, Down(virtual_key::Left), {JoystickType::Sinclair1, true});
    EXPECT_EQ(input.KeyRows, Held("6"));
}

TEST(SharedInput, KeyEventsReachTheMachineBetweenFramesAndSurviveAModelSwitch) {
    SharedInput input;
    EXPECT_EQ(input.HandleKey(Down('Q'), {}), KeyEventResult::Applied);
    EXPECT_EQ(input.HandleKey(Down(virtual_key::Right), {JoystickType::Kempston, false}), KeyEventResult::Applied);
    auto machine = test::MadeUpMachine(kModel48K);
    input.CopyTo(*machine);
    EXPECT_EQ(machine->KeyRows, Held("Q"));
    EXPECT_EQ(machine->KempstonJoy, 0x01);
    auto other = test::MadeUpMachine(4);
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
            if ((bytes.KeyRows[3] != 0xFF && bytes.KeyRows[3] != 0xFE) || bytes.KeyRows[0] != 0xFF) ++badReads;
        }
    });
    for (int i = 0; i < 20000; ++i) input.HandleKey({i % 2 == 0, '1', {}}, {});
    done = true;
    reader.join();
    EXPECT_EQ(badReads.load(), 0);
    EXPECT_EQ(input.Current(), InputBytes{});
}

TEST(KeyboardTyping, CharactersReachTheirKeysAndShiftsHeldThenReleased) {
    for (const auto [c, held] : {std::pair{'a', "A"}, {'P', "^P"}, {'\n', "\n"}, {'"', "$P"}, {'<', "$R"}}) {
        TypingSession session(std::string(1, c), 1, 1);
        std::array<uint8_t, 8> rows;
        session.BeforeFrame(rows);
        EXPECT_EQ(rows, Held(held)) << "character '" << c << "'";
    }
    TypingSession session("a~b", 2, 3);  // '~' has no key: skipped
    std::array<uint8_t, 8> rows;
    std::vector<bool> anyPressed;
    while (!session.Done()) {
        session.BeforeFrame(rows);
        anyPressed.push_back(rows != kAllKeysUp);
    }
    EXPECT_EQ(anyPressed, (std::vector<bool>{true, true, false, false, false, true, true, false, false, false}));
}

}  // namespace
}  // namespace tarvolinde
