#pragma once
// Screenshots of the emulated screen: "Grabar bmp" and "Grabar scr".

#include <cstdint>
#include <vector>

#include "machine/video/screen.h"

namespace tarvolinde {

// A 320 x 240 Windows bitmap of 4 bits per pixel with the 16 Spectrum colours as
// its palette: the border bitmap with the latched screen at (32, 24). Flash is not
// applied: cells show their ink and paper as the attribute gives them.
std::vector<uint8_t> ScreenToBmp(const Screen& screen);

// The 6912 bytes of the screen page as they stand in memory: bitmap in the
// Spectrum's interleaved order, then attributes; no header. Empty when the
// screen has no page yet.
std::vector<uint8_t> ScreenToScr(const Screen& screen);

}  // namespace tarvolinde
