// Reading the screen's pixels back as text, by the ROM's character set.

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "machine/video/screen_text.h"

namespace tarvolinde::test {
namespace {

void PutText(std::array<uint8_t, kScreenCells>& pixels, std::span<const uint8_t, kCharacterSetBytes> set, int row,
             int column, const std::string& text, uint8_t invertEvery = 0) {
    for (size_t i = 0; i < text.size(); ++i)
        for (int line = 0; line < 8; ++line)
            pixels[(row * 8 + line) * 32 + column + i] =
                uint8_t(set[(text[i] - 32) * 8 + line] ^ (invertEvery && i % invertEvery == 0 ? 0xFF : 0));
}

std::string Padded(const std::string& text) { return text + std::string(32 - text.size(), ' '); }

TEST(ScreenText, ReadsNormalAndInverseTextAndMarksUnknownCells) {
    // A made-up set: every glyph has an empty top line (so none is another's
    // inverse) and the space is blank.
    std::array<uint8_t, kCharacterSetBytes> set{};
    for (int c = 1; c < 96; ++c)
        for (int line = 1; line < 8; ++line) set[c * 8 + line] = static_cast<uint8_t>(c * 7 + line * 13);
    std::array<uint8_t, kScreenCells> pixels{};
    PutText(pixels, set, 2, 3, "HELLO, World 42");
    PutText(pixels, set, 5, 0, "ab~", 1);
    PutText(pixels, set, 23, 31, "Z");
    pixels[(10 * 8 + 0) * 32 + 7] = 0x55;  // a cell that is no character

    const std::vector<std::string> rows = ScreenText(pixels, set);
    ASSERT_EQ(rows.size(), 24u);
    EXPECT_EQ(rows[0], Padded(""));
    EXPECT_EQ(rows[2], Padded("   HELLO, World 42"));
    EXPECT_EQ(rows[5], Padded("ab~"));
    EXPECT_EQ(rows[10], Padded("       ?"));
    EXPECT_EQ(rows[23], std::string(31, ' ') + "Z");
}

TEST(ScreenText, RecognisesTheRomCharacterSet) {
    std::ifstream file(std::string(TESTDATA_DIR) + "/roms/48.rom", std::ios::binary);
    if (!file) GTEST_SKIP() << "48.rom not found in " << TESTDATA_DIR << "/roms";
    const std::vector<uint8_t> rom{std::istreambuf_iterator<char>(file), {}};
    ASSERT_EQ(rom.size(), 16384u);
    const std::span<const uint8_t, kCharacterSetBytes> set(rom.data() + 0x3D00, kCharacterSetBytes);
    std::array<uint8_t, kScreenCells> pixels{};
    const std::string message = "(C) 1982 Sinclair Research Ltd";
    PutText(pixels, set, 23, 0, message, 2);
    EXPECT_EQ(ScreenText(pixels, set)[23], Padded(message));
}

}  // namespace
}  // namespace tarvolinde::test
