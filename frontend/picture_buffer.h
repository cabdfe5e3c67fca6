#pragma once
// The 320 x 240 picture between the two threads: the renderer draws into a back
// buffer on the emulation thread, Present swaps it with the front buffer, and the
// window paints the front buffer on the user-interface thread. Pixels are
// 0x00RRGGBB, four bytes each.

#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <vector>

#include "machine/video/screen_tables.h"
#include "platform/surface.h"

namespace tarvolinde {

class PictureBuffer final : public Surface {
public:
    static constexpr int kBytesPerPixel = 4;
    static constexpr int kPitch = kPictureWidth * kBytesPerPixel;

    PictureBuffer();

    // Surface, for the renderer: one thread at a time draws (the emulation
    // thread, or the user-interface thread while the emulation thread is suspended).
    bool Lock(uint8_t*& pixels, int& pitch, int& bytesPerPixel) override;
    void Unlock() override {}
    void Present() override;

    // Called after every Present on the presenting thread; it must not wait for
    // the user-interface thread (posting a repaint is what it is for).
    void SetPresentedHandler(std::function<void()> handler) { presented_ = std::move(handler); }

    // Gives the front picture (kPictureWidth x kPictureHeight pixels, row-major)
    // to `use` while no Present can swap it.
    void ReadFront(const std::function<void(std::span<const uint32_t>)>& use) const;
    // A copy of the front picture.
    std::vector<uint32_t> FrontCopy() const;

private:
    std::vector<uint32_t> back_;
    std::vector<uint32_t> front_;
    mutable std::mutex frontMutex_;
    std::function<void()> presented_;
};

}  // namespace tarvolinde
