#include <gtest/gtest.h>

#include "machine/input/keyboard_typing.h"

namespace tarvolinde {
namespace {

// Rows with the given (row, mask) keys pressed and all others up.
std::array<uint8_t, 8> Pressed(std::initializer_list<MatrixKey> keys) {
    std::array<uint8_t, 8> rows;
    rows.fill(0xFF);
    for (const MatrixKey& k : keys) rows[k.row] &= uint8_t(~k.mask);
    return rows;
}

TEST(KeyboardTyping, CharactersReachTheirKeysAndShifts) {
    struct Case {
        char c;
        std::array<uint8_t, 8> rows;
    };
    const Case cases[] = {
        {'a', Pressed({{1, 0x01}})},
        {'P', Pressed({{5, 0x01}, kCapsShift})},
        {'0', Pressed({{4, 0x01}})},
        {'\n', Pressed({{6, 0x01}})},
        {' ', Pressed({{7, 0x01}})},
        {'"', Pressed({{5, 0x01}, kSymbolShift})},
        {'+', Pressed({{6, 0x04}, kSymbolShift})},
        {'$', Pressed({{3, 0x08}, kSymbolShift})},
        {'<', Pressed({{2, 0x08}, kSymbolShift})},
        {',', Pressed({{7, 0x08}, kSymbolShift})},
        {'.', Pressed({{7, 0x04}, kSymbolShift})},
        {'b', Pressed({{7, 0x10}})},
    };
    for (const Case& c : cases) {
        TypingSession session(std::string(1, c.c), 1, 1);
        std::array<uint8_t, 8> rows;
        session.BeforeFrame(rows);
        EXPECT_EQ(rows, c.rows) << "character '" << c.c << "'";
    }
}

TEST(KeyboardTyping, HoldsThenReleasesEachKeyAndSkipsUntypable) {
    TypingSession session("a~b", 2, 3);
    std::array<uint8_t, 8> rows;
    std::vector<bool> anyPressed;
    while (!session.Done()) {
        session.BeforeFrame(rows);
        anyPressed.push_back(rows != Pressed({}));
    }
    const std::vector<bool> expected = {true, true, false, false, false, true, true, false, false, false};
    EXPECT_EQ(anyPressed, expected);
    EXPECT_FALSE(ChordForCharacter('~'));
    EXPECT_FALSE(ChordForCharacter('\x01'));
}

}  // namespace
}  // namespace tarvolinde
