#pragma once
// Reads the text on a Spectrum screen by matching its character cells against a
// character set, as the ROM prints it. Used to check what a program shows
// without looking at pixels.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "machine/video/screen_tables.h"

namespace tarvolinde {

inline constexpr int kTextRows = 24;
inline constexpr int kCharacterSetBytes = 96 * 8;  // characters 32 to 127, 8 bytes each

// pixels: the pixel bytes in display order (cell 32 * line + column), as in
// Screen::PixelLatch. characterSet: characters 32 to 127 of 8 bytes each (at
// 0x3D00 in the 48K ROM). Returns 24 rows of 32 characters. A cell shows a
// character when its 8 bytes equal the character's or their complement, whatever
// its colours; a cell that matches none reads '?'. Codes are returned as they
// stand in the set, so the 48K ROM's 0x60 (pound) and 0x7F (copyright) come back
// as '`' and '\x7f'.
std::vector<std::string> ScreenText(std::span<const uint8_t, kScreenCells> pixels,
                                    std::span<const uint8_t, kCharacterSetBytes> characterSet);

}  // namespace tarvolinde
