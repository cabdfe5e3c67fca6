#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "machine/video/screen_dump.h"

namespace tarvolinde::test {
namespace {

uint32_t Read32(const std::vector<uint8_t>& data, size_t at) {
    return data[at] | data[at + 1] << 8 | data[at + 2] << 16 | static_cast<uint32_t>(data[at + 3]) << 24;
}
uint32_t Read16(const std::vector<uint8_t>& data, size_t at) { return data[at] | data[at + 1] << 8; }

// The colour index of picture pixel (x, y) in a 4-bit bottom-up bitmap.
int BmpPixel(const std::vector<uint8_t>& bmp, int x, int y) {
    const size_t row = Read32(bmp, 10) + static_cast<size_t>(239 - y) * 160;
    const uint8_t pair = bmp.at(row + x / 2);
    return x % 2 == 0 ? pair >> 4 : pair & 15;
}

TEST(ScreenBmp, HeaderAndPaletteDescribeA4BitPicture) {
    const Screen screen;
    const std::vector<uint8_t> bmp = ScreenToBmp(screen);
    ASSERT_EQ(bmp.size(), 14u + 40u + 64u + 160u * 240u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(Read32(bmp, 2), bmp.size());
    EXPECT_EQ(Read32(bmp, 10), 118u);  // pixels right after the 16-colour palette
    EXPECT_EQ(Read32(bmp, 14), 40u);
    EXPECT_EQ(Read32(bmp, 18), 320u);
    EXPECT_EQ(Read32(bmp, 22), 240u);  // positive height: bottom-up rows
    EXPECT_EQ(Read16(bmp, 26), 1u);
    EXPECT_EQ(Read16(bmp, 28), 4u);
    EXPECT_EQ(Read32(bmp, 30), 0u);    // uncompressed
    EXPECT_EQ(Read32(bmp, 34), 160u * 240u);
    EXPECT_EQ(Read32(bmp, 46), 16u);

    // Palette entries are blue, green, red, 0.
    const auto entry = [&](int i) { return Read32(bmp, 54 + 4 * i); };
    EXPECT_EQ(entry(0), 0x000000u);
    EXPECT_EQ(entry(1), 0x0000D0u);
    EXPECT_EQ(entry(6), 0xD0D000u);
    EXPECT_EQ(entry(10), 0xFF0000u);
    EXPECT_EQ(entry(15), 0xFFFFFFu);
    EXPECT_EQ(bmp[54 + 4 * 2 + 2], 0xD0);  // red of entry 2 is the third byte
}

TEST(ScreenBmp, PixelsSitInTheirNibbles) {
    Screen screen;
    screen.BorderBitmap.fill(2);
    screen.BorderBitmap[0] = 5;                   // top-left corner
    screen.BorderBitmap[239 * 320 + 319] = 3;     // bottom-right corner
    screen.PixelLatch[0] = 0x80;
    screen.AttrLatch[0] = 0x4A;                   // bright red ink, bright blue paper
    screen.PixelLatch[191 * 32 + 31] = 0x01;
    screen.AttrLatch[191 * 32 + 31] = 0xB9;       // flashing blue on white: flash ignored
    screen.FlashMask = 0xFF;

    const std::vector<uint8_t> bmp = ScreenToBmp(screen);
    // The top row is stored last; its first byte holds x = 0 in the high nibble.
    EXPECT_EQ(bmp[118 + 239 * 160], 0x52);
    EXPECT_EQ(bmp[118 + 159], 0x23);  // bottom row is stored first
    EXPECT_EQ(BmpPixel(bmp, 31, 24), 2);
    EXPECT_EQ(BmpPixel(bmp, 32, 24), 10);
    EXPECT_EQ(BmpPixel(bmp, 33, 24), 9);
    EXPECT_EQ(BmpPixel(bmp, 286, 215), 7);
    EXPECT_EQ(BmpPixel(bmp, 287, 215), 1);
    EXPECT_EQ(BmpPixel(bmp, 288, 215), 2);
    EXPECT_EQ(BmpPixel(bmp, 100, 216), 2);
}

TEST(ScreenScr, DumpsThePageNotTheLatches) {
    std::vector<uint8_t> page(16384);
    for (size_t i = 0; i < page.size(); ++i) page[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
    Screen screen;
    screen.PixelLatch.fill(0xEE);
    EXPECT_TRUE(ScreenToScr(screen).empty());

    screen.ScreenPage = page.data();
    const std::vector<uint8_t> scr = ScreenToScr(screen);
    ASSERT_EQ(scr.size(), 6912u);
    EXPECT_TRUE(std::equal(scr.begin(), scr.end(), page.begin()));
    EXPECT_EQ(scr[6144], page[0x1800]);  // attributes follow the interleaved bitmap
}

}  // namespace
}  // namespace tarvolinde::test
