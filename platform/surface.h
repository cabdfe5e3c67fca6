#pragma once
// A lockable picture the screen is drawn on: the window's video surface, or a
// plain memory buffer for tests and the headless runner.

#include <cstdint>

namespace tarvolinde {

class Surface {
public:
    virtual ~Surface() = default;
    // Gives the first byte of the top row, the distance in bytes between rows and
    // the bytes per pixel. Returns false when the surface cannot be drawn on now
    // (lost or being recreated): the frame is then skipped.
    virtual bool Lock(uint8_t*& pixels, int& pitch, int& bytesPerPixel) = 0;
    virtual void Unlock() = 0;
    // Shows what was drawn since the last Lock.
    virtual void Present() = 0;
};

}  // namespace tarvolinde
