#pragma once
// The screen previews of the open dialogs: a 6912-byte Spectrum screen that a
// tape or snapshot fills with the picture it carries, and its renderer into a
// 256 x 192 bitmap of palette indices 0-15 (flash ignored).

#include <array>
#include <cstdint>
#include <span>

#include "machine/video/screen_tables.h"

namespace tarvolinde {

inline constexpr int kPreviewWidth = 256;
inline constexpr int kPreviewHeight = 192;

using PreviewScreen = std::array<uint8_t, kScreenDumpBytes>;
using PreviewBitmap = std::array<uint8_t, kPreviewWidth * kPreviewHeight>;

void RenderPreview(const PreviewScreen& screen, PreviewBitmap& bitmap);

// Whether the 19 bytes of a ROM block (flag, type, name, length, parameter 1,
// parameter 2, checksum) are the header of a screen: a code header for 6912
// bytes or for the address 16384.
bool IsScreenHeader(std::span<const uint8_t> block);

}  // namespace tarvolinde
