#pragma once
// PNG pictures of the emulated screen for --screenshot, and of previews for --preview.

#include <string>

#include "tape/preview.h"

namespace tarvolinde {
class Screen;
}

namespace tarvolinde::cli {

// Renders the latched frame (320 x 240) and writes it as an RGB PNG file.
// Returns false when the file cannot be written.
bool WriteScreenPng(const Screen& screen, const std::string& path);

// Writes an open dialog's 256 x 192 preview (palette indices) as an RGB PNG file.
bool WritePreviewPng(const PreviewBitmap& bitmap, const std::string& path);

}  // namespace tarvolinde::cli
