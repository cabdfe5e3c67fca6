#include "frontend/screen_rebuild.h"

#include <cstddef>

#include "machine/video/screen.h"

namespace tarvolinde {

void RebuildFromMemory(Screen& screen) {
    screen.BorderBitmap.fill(screen.BorderColour);
    if (!screen.ScreenPage) return;
    for (int cell = 0; cell < kScreenCells; ++cell) {
        screen.PixelLatch[std::size_t(cell)] = screen.ScreenPage[CellPixelAddr[std::size_t(cell)]];
        screen.AttrLatch[std::size_t(cell)] = screen.ScreenPage[CellAttrAddr[std::size_t(cell)]];
    }
}

}  // namespace tarvolinde
