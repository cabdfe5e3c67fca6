#include "tape/preview.h"

namespace tarvolinde {

void RenderPreview(const PreviewScreen& screen, PreviewBitmap& bitmap) {
    for (int y = 0; y < kPreviewHeight; ++y) {
        uint8_t* row = bitmap.data() + y * kPreviewWidth;
        for (int column = 0; column < kScreenColumns; ++column) {
            const uint8_t pixels = screen[PixelLineAddr[y] + column];
            const uint8_t attribute = screen[AttrLineAddr[y] + column];
            const uint8_t bright = (attribute & 0x40) ? 8 : 0;
            const uint8_t ink = uint8_t((attribute & 7) + bright);
            const uint8_t paper = uint8_t(((attribute >> 3) & 7) + bright);
            for (int bit = 0; bit < 8; ++bit) *row++ = (pixels & (0x80 >> bit)) ? ink : paper;
        }
    }
}

bool IsScreenHeader(std::span<const uint8_t> block) {
    if (block.size() < 19 || block[0] != 0 || block[1] != 3) return false;
    const unsigned length = block[12] | block[13] << 8;
    const unsigned start = block[14] | block[15] << 8;
    return length == kScreenDumpBytes || start == 16384;
}

}  // namespace tarvolinde
