// The screen: what the beam latches from the page, the border it paints, the
// flash, the renderers for each surface depth and the BMP and SCR dumps.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/z80.h"
#include "machine/video/screen.h"
#include "machine/video/screen_dump.h"
#include "platform/memory_surface.h"

namespace tarvolinde::test {
namespace {

// A made-up frame: the beam fetches one screen cell per T-state from T-state 1000,
// and paints the border 8 pixels every 4 T-states from T-state 100 (160 T-states
// a picture row), so that positions are easy to work out by hand.
constexpr int32_t kFirstCellT = 1000, kBorderStartT = 100, kRowT = 160;

class ScreenTest : public ::testing::Test {
protected:
    ScreenTest() : page(16384), cellTable(kTimingTableSize), borderTable(kTimingTableSize) {
        for (int32_t t = 0; t < kTimingTableSize; ++t) {
            cellTable[t] = std::clamp(t - kFirstCellT, 0, kScreenCells);
            borderTable[t] = t < kBorderStartT ? 0 : std::min((t - kBorderStartT) / 4 * 8, kPicturePixels);
        }
        screen.ScreenPage = page.data();
        screen.ScreenCellTable = cellTable.data();
        screen.BorderPosTable = borderTable.data();
    }
    static int32_t BorderT(int x, int y) { return kBorderStartT + y * kRowT + x / 2; }
    uint8_t BorderAt(int x, int y) const { return screen.BorderBitmap[y * kPictureWidth + x]; }

    std::vector<uint8_t> page;
    std::vector<int32_t> cellTable, borderTable;
    Screen screen;
    MemorySurface surface{1};
};

TEST_F(ScreenTest, CaptureFetchesFromTheInterleavedPageAndLaterWritesOnlyReachCellsNotYetLatched) {
    page[0x000] = page[0x400] = 0xFF;  // lines 0 and 4
    page[0x020 + 3] = 0xBB;            // line 8, column 3
    page[0x800] = 0xCC;                // line 64
    page[kScreenCells] = 0x07;         // attribute of character row 0, column 0
    page[kScreenCells + 32] = 0x47;    // row 1
    screen.Capture(kFirstCellT + 4 * 32);  // lines 0 to 3 fetched
    page[kScreenCells] = 0x02;
    page[0x000] = 0x00;  // already latched: must not show
    screen.Capture(kFirstCellT + kScreenCells);
    EXPECT_EQ(screen.PixelLatch[0], 0xFF);
    EXPECT_EQ(screen.PixelLatch[8 * 32 + 3], 0xBB);
    EXPECT_EQ(screen.PixelLatch[64 * 32], 0xCC);
    for (int line = 0; line < 17; ++line)
        EXPECT_EQ(screen.AttrLatch[line * 32], line < 4 ? 0x07 : line < 8 ? 0x02 : line < 16 ? 0x47 : 0) << line;
    ASSERT_EQ(screen.Render(surface), Screen::RenderResult::Drawn);
    EXPECT_EQ(surface.PixelAt(kScreenLeft, kScreenTop + 0), kPaletteBase + 7u);
    EXPECT_EQ(surface.PixelAt(kScreenLeft, kScreenTop + 4), kPaletteBase + 2u);
}

TEST_F(ScreenTest, TStatesAndTableEntriesOutOfRangeAreClamped) {
    std::fill(page.begin(), page.end(), 0x99);
    cellTable[0] = -7;
    cellTable[kTimingTableSize - 1] = 100000;
    screen.Capture(-500);
    EXPECT_EQ(screen.CellsLatched, 0u);
    screen.Capture(1 << 30);
    EXPECT_EQ(screen.AttrLatch[kScreenCells - 1], 0x99);
    borderTable[0] = -40;
    borderTable[kTimingTableSize - 1] = 10'000'000;
    screen.BorderWrite(-3, 4);
    EXPECT_EQ(screen.BorderPos, 0u);
    screen.BorderWrite(1 << 30, 0xFB);
    EXPECT_EQ(screen.BorderColour, 3);  // only the colour bits
    EXPECT_EQ(BorderAt(319, 239), 4);
    Screen unattached;
    unattached.Capture(5000);  // no page or tables yet: nothing to fetch
    unattached.BorderWrite(5000, 1);
    EXPECT_EQ(unattached.CellsLatched, 0u);
}

TEST_F(ScreenTest, BorderStripesFollowTheBeamAtEightPixelSteps) {
    screen.BorderWrite(0, 1);  // before the picture: only the colour changes
    screen.BorderWrite(BorderT(0, 10), 2);
    screen.BorderWrite(BorderT(27, 20), 5);  // mid-row: takes effect at x = 24
    screen.EndFrame(true);                   // completes the rest with the last colour
    for (const auto& [x, y, colour] : {std::tuple{0, 0, 1}, {319, 9, 1}, {0, 10, 2}, {23, 20, 2}, {24, 20, 5}})
        EXPECT_EQ(BorderAt(x, y), colour) << x << ',' << y;
    ASSERT_EQ(screen.Render(surface), Screen::RenderResult::Drawn);
    EXPECT_EQ(surface.PixelAt(319, 239), kPaletteBase + 5u);
    screen.BorderWrite(BorderT(0, 2), 6);  // the next frame paints from the top again
    EXPECT_EQ(BorderAt(0, 2), 1);          // not painted yet in this frame
    screen.EndFrame(true);
    EXPECT_EQ(BorderAt(0, 1), 5);
    EXPECT_EQ(BorderAt(0, 2), 6);
}

TEST_F(ScreenTest, FlashSwapsEvery16FramesAndFastLoadingDrawsOneFrameIn256) {
    screen.PixelLatch[0] = 0xF0;
    screen.AttrLatch[0] = 0x87;  // flashing white ink on black paper
    std::vector<int> swaps;
    bool inkShown = true;
    for (int frame = 0; frame < 34; ++frame) {
        screen.Render(surface);
        if ((surface.PixelAt(kScreenLeft, kScreenTop) == kPaletteBase + 7u) != inkShown) swaps.push_back(frame);
        inkShown = surface.PixelAt(kScreenLeft, kScreenTop) == kPaletteBase + 7u;
        screen.EndFrame(frame != 5);  // fast-loading frames do not count
    }
    EXPECT_EQ(swaps, (std::vector<int>{17, 33}));
    screen.FlashCounter = 0;  // as a snapshot may restore it
    screen.EndFrame(true);
    EXPECT_EQ(screen.FlashCounter, 16u);

    Screen fast;
    fast.BorderColour = 3;
    std::vector<int> drawn;
    for (int frame = 1; frame <= 512; ++frame) {
        fast.EndFrame(false);
        if (fast.DrawFlag) drawn.push_back(frame);
    }
    EXPECT_EQ(drawn, (std::vector<int>{256, 512}));
    EXPECT_EQ(fast.BorderBitmap[0], 0);  // the border is not completed
}

// Colour values each depth must write, worked out by hand.
struct DepthCase {
    int bytesPerPixel, padding;
    uint32_t yellow, blue, red, brightRed, brightBlue;
};

class RendererTest : public ::testing::TestWithParam<DepthCase> {};

TEST_P(RendererTest, DrawsBorderAndCellsAtTheirPlacesAndLeavesThePadding) {
    const DepthCase c = GetParam();
    Screen screen;
    screen.BorderBitmap.fill(6);
    screen.BorderBitmap[kPicturePixels - 1] = 1;
    screen.PixelLatch[0] = 0x80;                 // leftmost pixel set
    screen.AttrLatch[0] = 0x4A;                  // bright red on bright blue
    screen.PixelLatch[kScreenCells - 1] = 0x01;  // rightmost pixel set
    screen.AttrLatch[kScreenCells - 1] = 0x11;   // blue on red
    MemorySurface surface(c.bytesPerPixel, kPictureWidth * c.bytesPerPixel + c.padding);
    std::fill(surface.Bytes().begin(), surface.Bytes().end(), 0xAB);
    ASSERT_EQ(screen.Render(surface), Screen::RenderResult::Drawn);
    for (const auto& [x, y, colour] : {std::tuple{0, 0, c.yellow}, {319, 239, c.blue}, {31, 24, c.yellow},
                                      {32, 24, c.brightRed}, {33, 24, c.brightBlue}, {286, 215, c.red},
                                      {287, 215, c.blue}, {288, 215, c.yellow}})
        EXPECT_EQ(surface.PixelAt(x, y), colour) << x << ',' << y;
    for (int y = 0; y < kPictureHeight; ++y)
        for (int i = kPictureWidth * c.bytesPerPixel; i < surface.Pitch(); ++i)
            ASSERT_EQ(surface.Bytes()[y * surface.Pitch() + i], 0xAB) << y << "," << i;
}

INSTANTIATE_TEST_SUITE_P(Depths, RendererTest,
                         ::testing::Values(DepthCase{1, 13, 38, 33, 34, 42, 41},
                                           DepthCase{4, 64, 0xD0D000, 0x0000D0, 0xD00000, 0xFF0000, 0x0000FF}));

TEST(Renderer, UnsupportedDepthAndLostSurfaceDrawNothing) {
    Screen screen;
    screen.BorderBitmap.fill(7);
    MemorySurface wide(5), lost(1);
    lost.LockFails = true;
    EXPECT_EQ(screen.Render(wide), Screen::RenderResult::UnsupportedDepth);
    EXPECT_FALSE(wide.Locked());
    EXPECT_TRUE(std::all_of(wide.Bytes().begin(), wide.Bytes().end(), [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(screen.Render(lost), Screen::RenderResult::Skipped);
    EXPECT_EQ(wide.PresentCount + lost.PresentCount, 0);
}

TEST(ScreenDump, ABottomUp4BitBmpAndTheScrPage) {
    Screen screen;
    screen.BorderBitmap.fill(2);
    screen.BorderBitmap[0] = 5;  // top-left corner
    screen.PixelLatch[191 * 32 + 31] = 0x01;
    screen.AttrLatch[191 * 32 + 31] = 0xCA;  // flashing bright red on blue: flash ignored
    screen.FlashMask = 0xFF;
    const std::vector<uint8_t> bmp = ScreenToBmp(screen);
    ASSERT_EQ(bmp.size(), 118u + 160u * 240u);  // pixels right after the 16-colour palette
    EXPECT_EQ(bmp[10], 118);
    EXPECT_EQ(bmp[54 + 4 * 10 + 2], 0xFF);         // palette entries are blue, green, red, 0
    EXPECT_EQ(bmp[118 + 239 * 160], 0x52);         // the top row last, x = 0 in the high nibble
    EXPECT_EQ(bmp[118 + 24 * 160 + 143], 0x9A);    // pixels (286, 215) and (287, 215)
    EXPECT_EQ(bmp[118 + 24 * 160 + 144] >> 4, 2);  // (288, 215): border

    std::vector<uint8_t> page(16384, 0x5A);
    EXPECT_TRUE(ScreenToScr(screen).empty());  // the page, not the latches
    screen.ScreenPage = page.data();
    EXPECT_EQ(ScreenToScr(screen), std::vector<uint8_t>(6912, 0x5A));
}

}  // namespace
}  // namespace tarvolinde::test
