// The screen saved as a 4-bit BMP picture and as a .SCR page dump.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "machine/video/screen_dump.h"

namespace tarvolinde::test {
namespace {

uint32_t Read32(const std::vector<uint8_t>& data, size_t at) {
    return data[at] | data[at + 1] << 8 | data[at + 2] << 16 | static_cast<uint32_t>(data[at + 3]) << 24;
}

TEST(ScreenBmp, ABottomUp4BitPictureWithItsPalette) {
    Screen screen;
    screen.BorderBitmap.fill(2);
    screen.BorderBitmap[0] = 5;                // top-left corner
    screen.BorderBitmap[239 * 320 + 319] = 3;  // bottom-right corner
    screen.PixelLatch[0] = 0x80;
    screen.AttrLatch[0] = 0x4A;  // bright red ink, bright blue paper
    screen.PixelLatch[191 * 32 + 31] = 0x01;
    screen.AttrLatch[191 * 32 + 31] = 0xB9;  // flashing blue on white: flash ignored
    screen.FlashMask = 0xFF;

    const std::vector<uint8_t> bmp = ScreenToBmp(screen);
    ASSERT_EQ(bmp.size(), 14u + 40u + 64u + 160u * 240u);
    EXPECT_EQ(std::string(bmp.begin(), bmp.begin() + 2), "BM");
    EXPECT_EQ(Read32(bmp, 2), bmp.size());
    EXPECT_EQ(Read32(bmp, 10), 118u);  // pixels right after the 16-colour palette
    EXPECT_EQ(Read32(bmp, 18), 320u);
    EXPECT_EQ(Read32(bmp, 22), 240u);  // positive height: bottom-up rows
    EXPECT_EQ(bmp[28], 4);
    EXPECT_EQ(Read32(bmp, 54 + 4 * 1), 0x0000D0u);  // palette entries are blue, green, red, 0
    EXPECT_EQ(Read32(bmp, 54 + 4 * 10), 0xFF0000u);

    // Picture pixel (x, y): the top row is stored last, x = 0 in the high nibble.
    const auto pixel = [&](int x, int y) {
        const uint8_t pair = bmp.at(118 + static_cast<size_t>(239 - y) * 160 + x / 2);
        return x % 2 == 0 ? pair >> 4 : pair & 15;
    };
    const int expected[][3] = {{0, 0, 5},     {1, 0, 2},     {319, 239, 3}, {31, 24, 2}, {32, 24, 10},
                               {33, 24, 9},   {286, 215, 7}, {287, 215, 1}, {288, 215, 2}};
    for (const auto& [x, y, colour] : expected) EXPECT_EQ(pixel(x, y), colour) << x << ',' << y;
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
}

}  // namespace
}  // namespace tarvolinde::test
