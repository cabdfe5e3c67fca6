#pragma once
// Constant tables of the Spectrum display: where each screen line and cell lives
// in the screen page, which colour an attribute gives, and the colour values the
// renderers write.

#include <array>
#include <cstdint>

namespace tarvolinde {

inline constexpr int kScreenLines = 192;
inline constexpr int kScreenColumns = 32;          // character cells per line
inline constexpr int kScreenCells = kScreenLines * kScreenColumns;  // 6144
inline constexpr int kAttributeBytes = 768;
inline constexpr int kScreenDumpBytes = kScreenCells + kAttributeBytes;  // 6912

// The visible picture: the 256 x 192 screen with a 32-pixel border left and right
// and 24 lines above and below.
inline constexpr int kPictureWidth = 320;
inline constexpr int kPictureHeight = 240;
inline constexpr int kPicturePixels = kPictureWidth * kPictureHeight;  // 76800
inline constexpr int kScreenLeft = 32;
inline constexpr int kScreenTop = 24;

// One entry more than there are lines, so that a cell count of 6144 still
// indexes the tables.
inline constexpr std::array<uint16_t, kScreenLines + 1> PixelLineAddr = [] {
    std::array<uint16_t, kScreenLines + 1> table{};
    for (int y = 0; y <= kScreenLines; ++y)
        table[y] = static_cast<uint16_t>(((y & 0xC0) + ((y & 7) << 3) + ((y >> 3) & 7)) * 32);
    return table;
}();

inline constexpr std::array<uint16_t, kScreenLines + 1> AttrLineAddr = [] {
    std::array<uint16_t, kScreenLines + 1> table{};
    for (int y = 0; y <= kScreenLines; ++y)
        table[y] = static_cast<uint16_t>(kScreenCells + (y >> 3) * 32);
    return table;
}();

inline constexpr std::array<uint16_t, (kScreenLines + 1) * kScreenColumns> CellPixelAddr = [] {
    std::array<uint16_t, (kScreenLines + 1) * kScreenColumns> table{};
    for (int i = 0; i < static_cast<int>(table.size()); ++i)
        table[i] = static_cast<uint16_t>(PixelLineAddr[i / kScreenColumns] + i % kScreenColumns);
    return table;
}();

inline constexpr std::array<uint16_t, (kScreenLines + 1) * kScreenColumns> CellAttrAddr = [] {
    std::array<uint16_t, (kScreenLines + 1) * kScreenColumns> table{};
    for (int i = 0; i < static_cast<int>(table.size()); ++i)
        table[i] = static_cast<uint16_t>(AttrLineAddr[i / kScreenColumns] + i % kScreenColumns);
    return table;
}();

// Colour index 0-15 (Spectrum colour plus 8 for bright) of set pixel bits. An
// attribute that still has its flash bit after the flash mask shows ink and paper
// swapped.
inline constexpr std::array<uint8_t, 256> InkTable = [] {
    std::array<uint8_t, 256> table{};
    for (int a = 0; a < 256; ++a)
        table[a] = static_cast<uint8_t>(a < 128 ? (a & 7) + ((a >> 6) & 1) * 8 : (a >> 3) & 15);
    return table;
}();

// Colour index of clear pixel bits.
inline constexpr std::array<uint8_t, 256> PaperTable = [] {
    std::array<uint8_t, 256> table{};
    for (int a = 0; a < 256; ++a)
        table[a] = static_cast<uint8_t>(a < 128 ? (a >> 3) & 15 : (a & 7) + ((a >> 6) & 1) * 8);
    return table;
}();

// 0x00RRGGBB; lit components are 208 for normal colours and 255 for bright ones.
inline constexpr std::array<uint32_t, 16> Palette32 = {
    0x000000, 0x0000D0, 0xD00000, 0xD000D0, 0x00D000, 0x00D0D0, 0xD0D000, 0xD0D0D0,
    0x000000, 0x0000FF, 0xFF0000, 0xFF00FF, 0x00FF00, 0x00FFFF, 0xFFFF00, 0xFFFFFF,
};

// RGB 5-6-5.
inline constexpr std::array<uint16_t, 16> Palette16 = {
    0x0000, 0x001A, 0xD000, 0xD01A, 0x0680, 0x069A, 0xD680, 0xD69A,
    0x0000, 0x001F, 0xF800, 0xF81F, 0x07E0, 0x07FF, 0xFFE0, 0xFFFF,
};

// 8-bit surfaces show colour index i through palette entry i + 32.
inline constexpr uint8_t kPaletteBase = 32;

}  // namespace tarvolinde
