#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

#include "core/z80.h"
#include "machine/video/screen.h"
#include "platform/memory_surface.h"

namespace tarvolinde::test {
namespace {

// A made-up frame: the beam fetches one screen cell per T-state from T-state 1000,
// and paints the border 8 pixels every 4 T-states from T-state 100 (160 T-states
// a picture row), so that positions are easy to work out by hand.
constexpr int32_t kFirstCellT = 1000;
constexpr int32_t kBorderStartT = 100;
constexpr int32_t kRowT = 160;

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

    static int32_t CellT(int cell) { return kFirstCellT + cell; }
    static int32_t BorderT(int x, int y) { return kBorderStartT + y * kRowT + x / 2; }
    uint8_t BorderAt(int x, int y) const { return screen.BorderBitmap[y * kPictureWidth + x]; }

    std::vector<uint8_t> page;
    std::vector<int32_t> cellTable, borderTable;
    Screen screen;
};

TEST(ScreenTables, AddressesFollowTheSpectrumLayout) {
    EXPECT_EQ(PixelLineAddr[0], 0);
    EXPECT_EQ(PixelLineAddr[1], 0x100);   // pixel lines of a character row are 256 bytes apart
    EXPECT_EQ(PixelLineAddr[8], 0x20);    // character rows 32 bytes apart
    EXPECT_EQ(PixelLineAddr[64], 0x800);  // thirds 2 KB apart
    EXPECT_EQ(PixelLineAddr[191], 0x17E0);
    EXPECT_EQ(AttrLineAddr[191], 0x1AE0);
    EXPECT_EQ(CellPixelAddr[32 * 9 + 5], 0x125);
    EXPECT_EQ(CellAttrAddr[32 * 9 + 5], 0x1825);

    // Every pixel and attribute byte of the page is fetched for exactly the right number of cells.
    std::vector<int> pixelUses(kScreenCells), attributeUses(kAttributeBytes);
    for (int i = 0; i < kScreenCells; ++i) {
        ++pixelUses.at(CellPixelAddr[i]);
        ++attributeUses.at(CellAttrAddr[i] - kScreenCells);
    }
    EXPECT_TRUE(std::all_of(pixelUses.begin(), pixelUses.end(), [](int n) { return n == 1; }));
    EXPECT_TRUE(std::all_of(attributeUses.begin(), attributeUses.end(), [](int n) { return n == 8; }));
}

TEST(ScreenTables, InkAndPaperWithBrightAndFlash) {
    EXPECT_EQ(InkTable[0x4A], 10);    // bright red ink
    EXPECT_EQ(PaperTable[0x4A], 9);   // on bright blue paper
    EXPECT_EQ(InkTable[0x0F], 7);
    EXPECT_EQ(PaperTable[0x0F], 1);
    EXPECT_EQ(InkTable[0xCA], 9);     // flash bit still set: swapped
    EXPECT_EQ(PaperTable[0xCA], 10);
}

TEST_F(ScreenTest, CaptureFetchesFromTheInterleavedPage) {
    page[0x100] = 0xAA;               // line 1, column 0
    page[0x020 + 3] = 0xBB;           // line 8, column 3
    page[0x800] = 0xCC;               // line 64
    page[kScreenCells + 32] = 0x47;   // attribute of character row 1, column 0
    screen.Capture(CellT(kScreenCells));
    EXPECT_EQ(screen.CellsLatched, static_cast<uint32_t>(kScreenCells));
    EXPECT_EQ(screen.PixelLatch[32], 0xAA);
    EXPECT_EQ(screen.PixelLatch[8 * 32 + 3], 0xBB);
    EXPECT_EQ(screen.PixelLatch[64 * 32], 0xCC);
    EXPECT_EQ(screen.AttrLatch[7 * 32], 0x00);
    for (int line = 8; line < 16; ++line) EXPECT_EQ(screen.AttrLatch[line * 32], 0x47) << line;
    EXPECT_EQ(screen.AttrLatch[16 * 32], 0x00);
}

TEST_F(ScreenTest, AttributeWrittenMidRowChangesOnlyCellsNotYetLatched) {
    page[kScreenCells] = 0x07;  // white on black
    page[0x000] = 0xFF;         // line 0
    page[0x400] = 0xFF;         // line 4
    screen.Capture(CellT(4 * 32));  // the beam has fetched lines 0 to 3 of character row 0
    page[kScreenCells] = 0x02;      // red on black
    page[0x000] = 0x00;             // already latched: must not show
    screen.Capture(CellT(kScreenCells));
    for (int line = 0; line < 4; ++line) EXPECT_EQ(screen.AttrLatch[line * 32], 0x07) << line;
    for (int line = 4; line < 8; ++line) EXPECT_EQ(screen.AttrLatch[line * 32], 0x02) << line;
    EXPECT_EQ(screen.PixelLatch[0], 0xFF);

    MemorySurface surface(1);
    ASSERT_EQ(screen.Render(surface), Screen::RenderResult::Drawn);
    EXPECT_EQ(surface.PixelAt(kScreenLeft, kScreenTop + 0), kPaletteBase + 7u);
    EXPECT_EQ(surface.PixelAt(kScreenLeft, kScreenTop + 4), kPaletteBase + 2u);
    EXPECT_EQ(surface.PixelAt(kScreenLeft, kScreenTop + 5), kPaletteBase + 0u);
}

TEST_F(ScreenTest, ScreenPageSwitchedMidFrameShowsOldPageAboveTheBeam) {
    std::vector<uint8_t> other(16384, 0x55);
    std::fill(page.begin(), page.begin() + 6912, 0x11);
    screen.Capture(CellT(100 * 32));
    screen.ScreenPage = other.data();
    screen.Capture(CellT(kScreenCells));
    EXPECT_EQ(screen.PixelLatch[99 * 32 + 31], 0x11);
    EXPECT_EQ(screen.PixelLatch[100 * 32], 0x55);
    EXPECT_EQ(screen.AttrLatch[100 * 32], 0x55);
}

TEST_F(ScreenTest, CaptureClampsTStatesAndCellCounts) {
    std::fill(page.begin(), page.end(), 0x99);
    cellTable[0] = -7;
    cellTable[kTimingTableSize - 1] = 100000;
    screen.Capture(-500);
    EXPECT_EQ(screen.CellsLatched, 0u);
    screen.Capture(1 << 30);
    EXPECT_EQ(screen.CellsLatched, static_cast<uint32_t>(kScreenCells));
    EXPECT_EQ(screen.PixelLatch[kScreenCells - 1], 0x99);
    EXPECT_EQ(screen.AttrLatch[kScreenCells - 1], 0x99);

    Screen unattached;
    unattached.Capture(5000);  // no page or tables yet: nothing to fetch
    EXPECT_EQ(unattached.CellsLatched, 0u);
}

TEST_F(ScreenTest, BorderStripesFollowTheBeamAtEightPixelSteps) {
    screen.BorderWrite(0, 1);  // before the picture: only the colour changes
    EXPECT_EQ(screen.BorderPos, 0u);
    screen.BorderWrite(BorderT(0, 10), 2);
    screen.BorderWrite(BorderT(27, 20), 5);  // mid-row: takes effect at x = 24
    EXPECT_EQ(screen.BorderPos, static_cast<uint32_t>(20 * kPictureWidth + 24));
    screen.EndFrame(true);  // completes the rest with the last colour

    EXPECT_EQ(BorderAt(0, 0), 1);
    EXPECT_EQ(BorderAt(319, 9), 1);
    EXPECT_EQ(BorderAt(0, 10), 2);
    EXPECT_EQ(BorderAt(23, 20), 2);
    EXPECT_EQ(BorderAt(24, 20), 5);
    EXPECT_EQ(BorderAt(319, 239), 5);
    EXPECT_EQ(screen.BorderPos, 0u);

    MemorySurface surface(1);
    ASSERT_EQ(screen.Render(surface), Screen::RenderResult::Drawn);
    EXPECT_EQ(surface.PixelAt(5, 3), kPaletteBase + 1u);
    EXPECT_EQ(surface.PixelAt(23, 20), kPaletteBase + 2u);
    EXPECT_EQ(surface.PixelAt(24, 20), kPaletteBase + 5u);
    EXPECT_EQ(surface.PixelAt(0, 239), kPaletteBase + 5u);

    // The next frame paints from the top again.
    screen.BorderWrite(BorderT(0, 2), 6);
    EXPECT_EQ(BorderAt(0, 0), 5);
    EXPECT_EQ(BorderAt(0, 2), 1);  // not painted yet in this frame: still the last frame's
    screen.EndFrame(true);
    EXPECT_EQ(BorderAt(0, 2), 6);
    EXPECT_EQ(BorderAt(0, 1), 5);
}

TEST_F(ScreenTest, BorderWriteClampsTheBeamPosition) {
    borderTable[0] = -40;
    borderTable[kTimingTableSize - 1] = 10'000'000;
    screen.BorderWrite(-3, 4);
    EXPECT_EQ(screen.BorderPos, 0u);
    EXPECT_EQ(screen.BorderColour, 4);
    screen.BorderWrite(1 << 30, 0xFB);
    EXPECT_EQ(screen.BorderPos, static_cast<uint32_t>(kPicturePixels));
    EXPECT_EQ(screen.BorderColour, 3);  // only the colour bits
    EXPECT_EQ(BorderAt(319, 239), 4);
}

TEST_F(ScreenTest, FlashSwapsInkAndPaperEvery16Frames) {
    screen.PixelLatch[0] = 0xF0;
    screen.AttrLatch[0] = 0x87;  // flashing white ink on black paper
    MemorySurface surface(4);
    auto leftPixel = [&] {
        EXPECT_EQ(screen.Render(surface), Screen::RenderResult::Drawn);
        return surface.PixelAt(kScreenLeft, kScreenTop);
    };
    constexpr uint32_t white = 0xD0D0D0, black = 0;

    EXPECT_EQ(leftPixel(), white);
    for (int frame = 1; frame < 16; ++frame) screen.EndFrame(true);
    EXPECT_EQ(leftPixel(), white);
    screen.EndFrame(false);  // fast-loading frames do not count
    EXPECT_EQ(leftPixel(), white);
    screen.EndFrame(true);
    EXPECT_EQ(leftPixel(), black);
    EXPECT_EQ(surface.PixelAt(kScreenLeft + 4, kScreenTop), white);
    for (int frame = 0; frame < 15; ++frame) screen.EndFrame(true);
    EXPECT_EQ(leftPixel(), black);
    screen.EndFrame(true);
    EXPECT_EQ(leftPixel(), white);

    screen.EndFrame(true);
    screen.Reset();
    EXPECT_EQ(screen.FlashMask, 0x7F);
    EXPECT_EQ(screen.FlashCounter, 16u);
}

TEST_F(ScreenTest, FastLoadingDrawsOneFrameIn256AndLeavesTheBorder) {
    screen.BorderColour = 3;
    screen.CellsLatched = 77;
    for (int frame = 1; frame < 256; ++frame) {
        screen.EndFrame(false);
        ASSERT_EQ(screen.DrawFlag, 0) << frame;
    }
    EXPECT_EQ(screen.CellsLatched, 0u);
    screen.EndFrame(false);
    EXPECT_EQ(screen.DrawFlag, 1);
    screen.EndFrame(false);
    EXPECT_EQ(screen.DrawFlag, 0);
    EXPECT_EQ(BorderAt(0, 0), 0);  // no border completion at fast speed
    EXPECT_EQ(screen.FlashMask, 0x7F);
}

// Colour values each depth must write, worked out by hand.
struct DepthCase {
    int bytesPerPixel;
    int padding;
    uint32_t yellow, blue, red, brightRed, brightBlue;
};

class RendererTest : public ::testing::TestWithParam<DepthCase> {};

TEST_P(RendererTest, DrawsBorderAndCellsAtTheirPlaces) {
    const DepthCase c = GetParam();
    Screen screen;
    screen.BorderBitmap.fill(6);
    screen.BorderBitmap[kPicturePixels - 1] = 1;
    screen.PixelLatch[0] = 0x80;  // leftmost pixel set
    screen.AttrLatch[0] = 0x4A;   // bright red on bright blue
    screen.PixelLatch[kScreenCells - 1] = 0x01;  // rightmost pixel set
    screen.AttrLatch[kScreenCells - 1] = 0x11;   // blue on red

    MemorySurface surface(c.bytesPerPixel, kPictureWidth * c.bytesPerPixel + c.padding);
    std::fill(surface.Bytes().begin(), surface.Bytes().end(), 0xAB);
    ASSERT_EQ(screen.Render(surface), Screen::RenderResult::Drawn);
    EXPECT_EQ(surface.PresentCount, 1);
    EXPECT_EQ(surface.UnlockCount, 1);

    EXPECT_EQ(surface.PixelAt(0, 0), c.yellow);
    EXPECT_EQ(surface.PixelAt(319, 239), c.blue);
    EXPECT_EQ(surface.PixelAt(31, 24), c.yellow);
    EXPECT_EQ(surface.PixelAt(32, 24), c.brightRed);
    EXPECT_EQ(surface.PixelAt(33, 24), c.brightBlue);
    EXPECT_EQ(surface.PixelAt(286, 215), c.red);
    EXPECT_EQ(surface.PixelAt(287, 215), c.blue);
    EXPECT_EQ(surface.PixelAt(288, 215), c.yellow);
    EXPECT_EQ(surface.PixelAt(32, 216), c.yellow);

    // Row padding is left alone.
    for (int y = 0; y < kPictureHeight; ++y)
        for (int i = kPictureWidth * c.bytesPerPixel; i < surface.Pitch(); ++i)
            ASSERT_EQ(surface.Bytes()[y * surface.Pitch() + i], 0xAB) << y << "," << i;
}

INSTANTIATE_TEST_SUITE_P(
    Depths, RendererTest,
    ::testing::Values(DepthCase{1, 0, 38, 33, 34, 42, 41}, DepthCase{1, 13, 38, 33, 34, 42, 41},
                      DepthCase{2, 0, 0xD680, 0x001A, 0xD000, 0xF800, 0x001F},
                      DepthCase{2, 6, 0xD680, 0x001A, 0xD000, 0xF800, 0x001F},
                      DepthCase{3, 7, 0xD0D000, 0x0000D0, 0xD00000, 0xFF0000, 0x0000FF},
                      DepthCase{4, 0, 0xD0D000, 0x0000D0, 0xD00000, 0xFF0000, 0x0000FF},
                      DepthCase{4, 64, 0xD0D000, 0x0000D0, 0xD00000, 0xFF0000, 0x0000FF}));

TEST(Renderer, ThreeBytePixelsAreBlueGreenRedInMemory) {
    Screen screen;
    screen.BorderBitmap.fill(6);  // yellow: red and green lit
    MemorySurface surface(3);
    ASSERT_EQ(screen.Render(surface), Screen::RenderResult::Drawn);
    EXPECT_EQ(surface.Bytes()[0], 0x00);
    EXPECT_EQ(surface.Bytes()[1], 0xD0);
    EXPECT_EQ(surface.Bytes()[2], 0xD0);
}

TEST(Renderer, UnsupportedDepthAndLostSurfaceDrawNothing) {
    Screen screen;
    screen.BorderBitmap.fill(7);

    MemorySurface wide(5);
    EXPECT_FALSE(Screen::IsSupportedDepth(5));
    EXPECT_EQ(screen.Render(wide), Screen::RenderResult::UnsupportedDepth);
    EXPECT_EQ(wide.UnlockCount, 1);
    EXPECT_FALSE(wide.Locked());
    EXPECT_EQ(wide.PresentCount, 0);
    EXPECT_TRUE(std::all_of(wide.Bytes().begin(), wide.Bytes().end(), [](uint8_t b) { return b == 0; }));

    MemorySurface lost(1);
    lost.LockFails = true;
    EXPECT_EQ(screen.Render(lost), Screen::RenderResult::Skipped);
    EXPECT_EQ(lost.PresentCount, 0);
    EXPECT_EQ(lost.PixelAt(0, 0), 0u);
}

}  // namespace
}  // namespace tarvolinde::test
