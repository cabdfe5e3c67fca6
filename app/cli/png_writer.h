#pragma once
// PNG pictures of the emulated screen for --screenshot.

#include <string>

namespace tarvolinde {
class Screen;
}

namespace tarvolinde::cli {

// Renders the latched frame (320 x 240) and writes it as an RGB PNG file.
// Returns false when the file cannot be written.
bool WriteScreenPng(const Screen& screen, const std::string& path);

}  // namespace tarvolinde::cli
