#include "frontend/qt_virtual_keys.h"

#include <gtest/gtest.h>

namespace tarvolinde {
namespace {

TEST(QtVirtualKeysTest, LettersDigitsAndTheSpectrumsOtherKeys) {
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_A, Qt::NoModifier), 0x41);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Z, Qt::ShiftModifier), 0x5A);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_0, Qt::NoModifier), 0x30);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_9, Qt::NoModifier), 0x39);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Return, Qt::NoModifier), 13);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Enter, Qt::KeypadModifier), 13);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Space, Qt::NoModifier), 32);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Shift, Qt::ShiftModifier), 16);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Control, Qt::ControlModifier), 17);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Alt, Qt::AltModifier), 18);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Backspace, Qt::NoModifier), 8);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Tab, Qt::NoModifier), 9);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Backtab, Qt::ShiftModifier), 9);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Left, Qt::NoModifier), 37);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Up, Qt::NoModifier), 38);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Right, Qt::NoModifier), 39);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Down, Qt::KeypadModifier), 40);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_F1, Qt::NoModifier), 0x70);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Escape, Qt::NoModifier), 27);
}

TEST(QtVirtualKeysTest, ShiftedSymbolsNameTheKeyTheyAreOn) {
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Exclam, Qt::ShiftModifier), '1');
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_At, Qt::ShiftModifier), '2');
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_ParenLeft, Qt::ShiftModifier), '9');
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_ParenRight, Qt::ShiftModifier), '0');
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Colon, Qt::ShiftModifier), VirtualKeyFromQt(Qt::Key_Semicolon, {}));
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Question, Qt::ShiftModifier), VirtualKeyFromQt(Qt::Key_Slash, {}));
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Ntilde, Qt::NoModifier), 0xC0);
}

TEST(QtVirtualKeysTest, TheNumericPadHasItsOwnCodes) {
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_0, Qt::KeypadModifier), 96);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_7, Qt::KeypadModifier), 103);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Insert, Qt::KeypadModifier), 96);  // pad 0 with Num Lock off
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Insert, Qt::NoModifier), 0x2D);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Plus, Qt::KeypadModifier), 0x6B);
}

TEST(QtVirtualKeysTest, KeysWithoutACodeGiveZero) {
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_VolumeUp, Qt::NoModifier), 0);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_unknown, Qt::NoModifier), 0);
    EXPECT_EQ(VirtualKeyFromQt(0, Qt::NoModifier), 0);
}

}  // namespace
}  // namespace tarvolinde
