#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/z80.h"
#include "machine/video/screen.h"
#include "machine/video/screen_text.h"

namespace tarvolinde::test {
namespace {

// A made-up character set in the ROM's shape: every glyph has an empty top line
// (so no glyph is another's inverse) and the space is blank.
std::array<uint8_t, kCharacterSetBytes> MadeUpCharacterSet() {
    std::array<uint8_t, kCharacterSetBytes> set{};
    for (int c = 1; c < 96; ++c)
        for (int line = 1; line < 8; ++line) set[c * 8 + line] = static_cast<uint8_t>(c * 7 + line * 13);
    return set;
}

void PutText(std::array<uint8_t, kScreenCells>& pixels, const std::array<uint8_t, kCharacterSetBytes>& set,
             int row, int column, const std::string& text, bool inverse = false) {
    for (const char ch : text) {
        for (int line = 0; line < 8; ++line) {
            const uint8_t glyphByte = set[(ch - 32) * 8 + line];
            pixels[(row * 8 + line) * 32 + column] = inverse ? static_cast<uint8_t>(~glyphByte) : glyphByte;
        }
        ++column;
    }
}

std::string Padded(const std::string& text) { return text + std::string(32 - text.size(), ' '); }

TEST(ScreenText, ReadsNormalAndInverseTextAndMarksUnknownCells) {
    const auto set = MadeUpCharacterSet();
    std::array<uint8_t, kScreenCells> pixels{};
    PutText(pixels, set, 2, 3, "HELLO, World 42");
    PutText(pixels, set, 5, 0, "ab~", true);
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

TEST(ScreenText, ReadsWhatTheBeamLatchedFromASpectrumPage) {
    const auto set = MadeUpCharacterSet();
    std::vector<uint8_t> page(16384);
    const std::string text = "LOAD \"\"";
    for (size_t i = 0; i < text.size(); ++i)
        for (int line = 0; line < 8; ++line)
            page[PixelLineAddr[21 * 8 + line] + i] = set[(text[i] - 32) * 8 + line];

    std::vector<int32_t> cells(kTimingTableSize, kScreenCells);
    Screen screen;
    screen.ScreenPage = page.data();
    screen.ScreenCellTable = cells.data();
    screen.Capture(0);
    EXPECT_EQ(ScreenText(screen.PixelLatch, set)[21], Padded(text));
}

TEST(ScreenText, RecognisesTheRomCharacterSet) {
    std::ifstream file(std::string(TESTDATA_DIR) + "/roms/48.rom", std::ios::binary);
    if (!file) GTEST_SKIP() << "48.rom not found in " << TESTDATA_DIR << "/roms";
    const std::vector<uint8_t> rom{std::istreambuf_iterator<char>(file), {}};
    ASSERT_EQ(rom.size(), 16384u);
    const std::span<const uint8_t, kCharacterSetBytes> set(rom.data() + 0x3D00, kCharacterSetBytes);

    std::array<uint8_t, kScreenCells> pixels{};
    const std::string message = "(C) 1982 Sinclair Research Ltd";
    for (size_t i = 0; i < message.size(); ++i)
        for (int line = 0; line < 8; ++line)
            pixels[(23 * 8 + line) * 32 + i] =
                static_cast<uint8_t>(set[(message[i] - 32) * 8 + line] ^ (i % 2 ? 0xFF : 0x00));
    EXPECT_EQ(ScreenText(pixels, set)[23], Padded(message));
}

}  // namespace
}  // namespace tarvolinde::test
