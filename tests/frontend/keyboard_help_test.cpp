#include "frontend/keyboard_help.h"

#include <gtest/gtest.h>

namespace tarvolinde {
namespace {

struct JoystickCase {
    JoystickType Joystick;
    SpectrumKey LeftArrowKey;  // CapsShift when the arrows press no key
};

class KeyboardHelpTest : public testing::TestWithParam<JoystickCase> {};

TEST_P(KeyboardHelpTest, TheArrowsAreDrawnOnTheKeysTheJoystickOptionGivesThem) {
    KeyboardHelp help;
    help.SetOptions(KeyOptions{.Joystick = GetParam().Joystick, .CursorShift = false});
    EXPECT_TRUE(help.PcKeysOn(SpectrumKey::SymbolShift).contains("Ctrl"));
    EXPECT_TRUE(help.PcKeysOn(SpectrumKey::CapsShift).contains("Mayús"));
    EXPECT_TRUE(help.PcKeysOn(SpectrumKey::Digit0).contains("Retroceso*"));  // DELETE is CAPS SHIFT + 0
    int arrows = 0;
    for (int key = 0; key < 40; ++key) arrows += int(help.PcKeysOn(SpectrumKey(key)).contains("\u2190"));
    const bool pressesKeys = GetParam().LeftArrowKey != SpectrumKey::CapsShift;
    EXPECT_EQ(arrows, pressesKeys ? 1 : 0);
    if (pressesKeys) {
        EXPECT_TRUE(help.PcKeysOn(GetParam().LeftArrowKey).contains("\u2190"));
    }
    EXPECT_EQ(help.JoystickNote().contains("no pulsan"), !pressesKeys) << help.JoystickNote().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Joysticks, KeyboardHelpTest,
                         testing::Values(JoystickCase{JoystickType::CursorProtekAgf, SpectrumKey::Digit5},
                                         JoystickCase{JoystickType::Sinclair1, SpectrumKey::Digit6},
                                         JoystickCase{JoystickType::Sinclair2, SpectrumKey::Digit1},
                                         JoystickCase{JoystickType::Kempston, SpectrumKey::CapsShift}),
                         [](const auto& info) { return "Type" + std::to_string(int(info.param.Joystick)); });

}  // namespace
}  // namespace tarvolinde
