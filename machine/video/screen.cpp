#include "machine/video/screen.h"

#include <algorithm>
#include <cstring>

#include "core/z80.h"

namespace tarvolinde {

namespace {

// Frame tables are indexed by the frame's T-state, which may run a little past
// the frame end (the last instruction's overrun) or, in theory, below zero.
int32_t TableIndex(int32_t tstate) {
    return std::clamp<int32_t>(tstate, 0, kTimingTableSize - 1);
}

// The colour value each renderer writes for colour index 0-15.
template <int BytesPerPixel>
constexpr std::array<uint32_t, 16> SurfaceColours() {
    std::array<uint32_t, 16> colours{};
    for (int i = 0; i < 16; ++i) {
        if constexpr (BytesPerPixel == 1)
            colours[i] = static_cast<uint32_t>(i + kPaletteBase);
        else if constexpr (BytesPerPixel == 2)
            colours[i] = Palette16[i];
        else
            colours[i] = Palette32[i];
    }
    return colours;
}

template <int BytesPerPixel>
inline void Store(uint8_t* destination, uint32_t value) {
    if constexpr (BytesPerPixel == 1) {
        *destination = static_cast<uint8_t>(value);
    } else if constexpr (BytesPerPixel == 2) {
        const auto v = static_cast<uint16_t>(value);
        std::memcpy(destination, &v, 2);
    } else if constexpr (BytesPerPixel == 3) {
        destination[0] = static_cast<uint8_t>(value);
        destination[1] = static_cast<uint8_t>(value >> 8);
        destination[2] = static_cast<uint8_t>(value >> 16);
    } else {
        std::memcpy(destination, &value, 4);
    }
}

}  // namespace

void Screen::Capture(int32_t tstate) {
    if (ScreenCellTable == nullptr || ScreenPage == nullptr) return;
    const auto target = static_cast<uint32_t>(
        std::clamp<int32_t>(ScreenCellTable[TableIndex(tstate)], 0, kScreenCells));
    for (uint32_t i = CellsLatched; i < target; ++i) {
        PixelLatch[i] = ScreenPage[CellPixelAddr[i]];
        AttrLatch[i] = ScreenPage[CellAttrAddr[i]];
    }
    // Also when the beam count went backwards: the frame start resets it this way.
    CellsLatched = target;
}

void Screen::FillBorder(uint32_t from, uint32_t to, uint8_t colour) {
    to = std::min<uint32_t>(to, kPicturePixels);
    if (from < to) std::fill(BorderBitmap.begin() + from, BorderBitmap.begin() + to, colour);
}

void Screen::BorderWrite(int32_t tstate, uint8_t value) {
    if (BorderPosTable != nullptr) {
        const auto beam = static_cast<uint32_t>(
            std::clamp<int32_t>(BorderPosTable[TableIndex(tstate)], 0, kPicturePixels));
        // Zero means the beam has not reached the visible picture yet.
        if (beam > 0) {
            FillBorder(BorderPos, beam, BorderColour);
            BorderPos = beam;
        }
    }
    BorderColour = value & 7;
}

void Screen::EndFrame(bool normalSpeed) {
    if (normalSpeed) {
        FillBorder(BorderPos, kPicturePixels, BorderColour);
        // Counting down from a restored value of 0 must not wait 2^32 frames.
        if (FlashCounter <= 1) {
            FlashCounter = 16;
            FlashMask ^= 0x80;
        } else {
            --FlashCounter;
        }
    } else {
        ++FastFrameCounter;
        DrawFlag = FastFrameCounter == 0;
    }
    BorderPos = 0;
    CellsLatched = 0;
}

void Screen::Reset() {
    FlashMask = 0x7F;
    FlashCounter = 16;
}

template <int BytesPerPixel>
void Screen::Draw(uint8_t* pixels, int pitch) const {
    static constexpr std::array<uint32_t, 16> colours = SurfaceColours<BytesPerPixel>();

    const uint8_t* border = BorderBitmap.data();
    for (int y = 0; y < kPictureHeight; ++y) {
        uint8_t* row = pixels + static_cast<size_t>(y) * pitch;
        for (int x = 0; x < kPictureWidth; ++x, row += BytesPerPixel)
            Store<BytesPerPixel>(row, colours[*border++ & 15]);
    }

    const uint8_t* pixelBytes = PixelLatch.data();
    const uint8_t* attributes = AttrLatch.data();
    for (int y = 0; y < kScreenLines; ++y) {
        uint8_t* row = pixels + static_cast<size_t>(y + kScreenTop) * pitch + kScreenLeft * BytesPerPixel;
        for (int column = 0; column < kScreenColumns; ++column) {
            const uint8_t attribute = *attributes++ & FlashMask;
            const uint32_t ink = colours[InkTable[attribute]];
            const uint32_t paper = colours[PaperTable[attribute]];
            const uint8_t bits = *pixelBytes++;
            for (int bit = 7; bit >= 0; --bit, row += BytesPerPixel)
                Store<BytesPerPixel>(row, (bits >> bit) & 1 ? ink : paper);
        }
    }
}

Screen::RenderResult Screen::Render(Surface& surface) const {
    uint8_t* pixels = nullptr;
    int pitch = 0;
    int bytesPerPixel = 0;
    if (!surface.Lock(pixels, pitch, bytesPerPixel)) return RenderResult::Skipped;
    if (!IsSupportedDepth(bytesPerPixel)) {
        surface.Unlock();
        return RenderResult::UnsupportedDepth;
    }
    if (pixels == nullptr || pitch < kPictureWidth * bytesPerPixel) {
        surface.Unlock();
        return RenderResult::Skipped;
    }
    switch (bytesPerPixel) {
    case 1: Draw<1>(pixels, pitch); break;
    case 2: Draw<2>(pixels, pitch); break;
    case 3: Draw<3>(pixels, pitch); break;
    default: Draw<4>(pixels, pitch); break;
    }
    surface.Unlock();
    surface.Present();
    return RenderResult::Drawn;
}

}  // namespace tarvolinde
