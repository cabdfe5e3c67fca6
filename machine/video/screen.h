#pragma once
// The ULA's picture: screen bytes latched as the beam fetches them, border colour
// changes painted at the beam position where they happen, and the renderers that
// turn both into pixels once the frame is over. Programs that change attributes
// or the border during the frame thus show their stripes and multicolour effects.

#include <array>
#include <cstdint>

#include "machine/video/screen_tables.h"
#include "platform/surface.h"

namespace tarvolinde {

// Beam-following screen latches and the border bitmap of one machine.
class Screen {
public:
    // What Render did with the frame.
    enum class RenderResult : uint8_t {
        Drawn,             // drawn and presented
        Skipped,           // the surface could not be locked (or its pitch is shorter than a row)
        UnsupportedDepth,  // bytes per pixel not 1 to 4: nothing drawn ("Modo de video no soportado")
    };

    // Set by the machine when it is built and when it pages.
    const uint8_t* ScreenPage = nullptr;       // the 16 KB RAM page shown (page 5 or 7)
    const int32_t* ScreenCellTable = nullptr;  // per T-state: cells the beam has fetched (kTimingTableSize entries)
    const int32_t* BorderPosTable = nullptr;   // per T-state: border bitmap index of the beam (kTimingTableSize entries)
    uint8_t BorderColour = 0;

    // Cell i = 32 * line + column, in display order.
    std::array<uint8_t, kScreenCells> PixelLatch{}, AttrLatch{};
    uint32_t CellsLatched = 0;
    // Colour 0-7 of every pixel of the 320 x 240 picture, row-major; the part under
    // the screen is never shown.
    std::array<uint8_t, kPicturePixels> BorderBitmap{};
    uint32_t BorderPos = 0;    // BorderBitmap is painted up to here in this frame
    uint8_t FlashMask = 0x7F;  // ANDed with every attribute: 0xFF in the swapped flash phase
    uint32_t FlashCounter = 16;
    uint8_t DrawFlag = 1;      // the next frame is to be drawn
    uint8_t FastFrameCounter = 0;

    // Latches the cells the beam has fetched up to this T-state. T-states outside
    // the frame tables and cell counts outside 0..6144 are clamped; without tables
    // or a screen page it does nothing.
    void Capture(int32_t tstate);

    // A write to the ULA port: paints the border up to the beam with the old
    // colour, then takes value & 7 as the new colour.
    void BorderWrite(int32_t tstate, uint8_t value);

    // End of frame. At normal speed: completes the border with the current colour
    // and steps the flash phase (every 16 frames). During fast tape loading: draws
    // only one frame in 256 (DrawFlag). Then the next frame starts latching and
    // painting from the top.
    void EndFrame(bool normalSpeed);

    // The flash phase of a newly built machine.
    void Reset();

    // Draws the latched frame (320 x 240) at the surface's origin on a surface of
    // 1 (palette index + 32), 2 (RGB 5-6-5), 3 or 4 (0x00RRGGBB) bytes per pixel,
    // and presents it. Any other depth is unlocked without drawing and reported,
    // so that the front end can say so.
    RenderResult Render(Surface& surface) const;

    static bool IsSupportedDepth(int bytesPerPixel) { return bytesPerPixel >= 1 && bytesPerPixel <= 4; }

private:
    template <int BytesPerPixel>
    void Draw(uint8_t* pixels, int pitch) const;
    void FillBorder(uint32_t from, uint32_t to, uint8_t colour);
};

}  // namespace tarvolinde
