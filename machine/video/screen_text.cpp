#include "machine/video/screen_text.h"

#include <array>

namespace tarvolinde {

namespace {

constexpr int kFirstCharacter = 32;
constexpr int kCharacters = kCharacterSetBytes / 8;

using Glyph = std::array<uint8_t, 8>;

Glyph CellGlyph(std::span<const uint8_t, kScreenCells> pixels, int row, int column) {
    Glyph glyph{};
    for (int line = 0; line < 8; ++line)
        glyph[line] = pixels[(row * 8 + line) * kScreenColumns + column];
    return glyph;
}

bool Matches(const Glyph& glyph, std::span<const uint8_t, kCharacterSetBytes> set, int character,
             uint8_t invert) {
    for (int line = 0; line < 8; ++line)
        if ((glyph[line] ^ invert) != set[character * 8 + line]) return false;
    return true;
}

char Recognise(const Glyph& glyph, std::span<const uint8_t, kCharacterSetBytes> set) {
    // Normal video first, so that a glyph that is also another's inverse reads as itself.
    for (const uint8_t invert : {uint8_t{0x00}, uint8_t{0xFF}})
        for (int character = 0; character < kCharacters; ++character)
            if (Matches(glyph, set, character, invert))
                return static_cast<char>(kFirstCharacter + character);
    return '?';
}

}  // namespace

std::vector<std::string> ScreenText(std::span<const uint8_t, kScreenCells> pixels,
                                    std::span<const uint8_t, kCharacterSetBytes> characterSet) {
    std::vector<std::string> rows(kTextRows, std::string(kScreenColumns, ' '));
    for (int row = 0; row < kTextRows; ++row)
        for (int column = 0; column < kScreenColumns; ++column)
            rows[row][column] = Recognise(CellGlyph(pixels, row, column), characterSet);
    return rows;
}

}  // namespace tarvolinde
