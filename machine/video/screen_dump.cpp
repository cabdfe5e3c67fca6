#include "machine/video/screen_dump.h"

#include <algorithm>

namespace tarvolinde {

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kPaletteEntries = 16;
constexpr uint32_t kPixelOffset = kFileHeaderSize + kInfoHeaderSize + kPaletteEntries * 4;
constexpr uint32_t kRowBytes = kPictureWidth / 2;  // two pixels a byte, already a multiple of 4
constexpr uint32_t kImageBytes = kRowBytes * kPictureHeight;

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// Colour indices of picture row y: the border, with the screen line over it.
std::array<uint8_t, kPictureWidth> PictureRow(const Screen& screen, int y) {
    std::array<uint8_t, kPictureWidth> row{};
    const auto* border = screen.BorderBitmap.data() + static_cast<size_t>(y) * kPictureWidth;
    std::transform(border, border + kPictureWidth, row.begin(), [](uint8_t c) { return c & 15; });
    const int line = y - kScreenTop;
    if (line < 0 || line >= kScreenLines) return row;
    for (int column = 0; column < kScreenColumns; ++column) {
        const int cell = line * kScreenColumns + column;
        const uint8_t attribute = screen.AttrLatch[cell];
        const uint8_t ink = (attribute & 7) | ((attribute >> 3) & 8);
        const uint8_t paper = (attribute >> 3) & 15;
        const uint8_t bits = screen.PixelLatch[cell];
        for (int bit = 0; bit < 8; ++bit)
            row[kScreenLeft + column * 8 + bit] = (bits << bit) & 0x80 ? ink : paper;
    }
    return row;
}

}  // namespace

std::vector<uint8_t> ScreenToBmp(const Screen& screen) {
    std::vector<uint8_t> out;
    out.reserve(kPixelOffset + kImageBytes);

    out.push_back('B');
    out.push_back('M');
    Put32(out, kPixelOffset + kImageBytes);  // file size
    Put32(out, 0);                           // reserved
    Put32(out, kPixelOffset);

    Put32(out, kInfoHeaderSize);
    Put32(out, kPictureWidth);
    Put32(out, kPictureHeight);  // positive: rows stored bottom-up
    Put16(out, 1);               // planes
    Put16(out, 4);               // bits per pixel
    Put32(out, 0);               // no compression
    Put32(out, kImageBytes);
    Put32(out, 0);  // horizontal resolution: unknown
    Put32(out, 0);  // vertical resolution: unknown
    Put32(out, kPaletteEntries);
    Put32(out, 0);  // all colours important

    for (const uint32_t rgb : Palette32) {
        out.push_back(static_cast<uint8_t>(rgb));        // blue
        out.push_back(static_cast<uint8_t>(rgb >> 8));   // green
        out.push_back(static_cast<uint8_t>(rgb >> 16));  // red
        out.push_back(0);
    }

    for (int y = kPictureHeight - 1; y >= 0; --y) {
        const auto row = PictureRow(screen, y);
        for (int x = 0; x < kPictureWidth; x += 2)
            out.push_back(static_cast<uint8_t>(row[x] << 4 | row[x + 1]));
    }
    return out;
}

std::vector<uint8_t> ScreenToScr(const Screen& screen) {
    if (screen.ScreenPage == nullptr) return {};
    return {screen.ScreenPage, screen.ScreenPage + kScreenDumpBytes};
}

}  // namespace tarvolinde
