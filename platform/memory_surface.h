#pragma once
// A Surface over a buffer it owns: 320 x 240 pixels of a chosen size and pitch.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "platform/surface.h"

namespace tarvolinde {

class MemorySurface final : public Surface {
public:
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 240;

    // A pitch below one row of pixels is raised to it; 0 asks for rows without padding.
    // Any bytes per pixel is accepted, so that unsupported depths can be exercised.
    explicit MemorySurface(int bytesPerPixel, int pitch = 0)
        : bytesPerPixel_(std::max(bytesPerPixel, 1)),
          pitch_(std::max(pitch, kWidth * bytesPerPixel_)),
          pixels_(static_cast<size_t>(pitch_) * kHeight) {}

    bool Lock(uint8_t*& pixels, int& pitch, int& bytesPerPixel) override {
        if (LockFails) return false;
        pixels = pixels_.data();
        pitch = pitch_;
        bytesPerPixel = bytesPerPixel_;
        locked_ = true;
        return true;
    }
    void Unlock() override {
        locked_ = false;
        ++UnlockCount;
    }
    void Present() override { ++PresentCount; }

    // The pixel value at (x, y): the palette index + 32 on 1-byte surfaces, RGB 5-6-5
    // on 2-byte ones, 0x00RRGGBB on 3- and 4-byte ones.
    uint32_t PixelAt(int x, int y) const {
        const uint8_t* p = pixels_.data() + static_cast<size_t>(y) * pitch_ +
                           static_cast<size_t>(x) * bytesPerPixel_;
        switch (bytesPerPixel_) {
        case 1: return p[0];
        case 2: { uint16_t v; std::memcpy(&v, p, 2); return v; }
        case 3: return p[0] | (p[1] << 8) | (p[2] << 16);
        default: { uint32_t v; std::memcpy(&v, p, 4); return v; }
        }
    }

    int Pitch() const { return pitch_; }
    int BytesPerPixel() const { return bytesPerPixel_; }
    bool Locked() const { return locked_; }
    std::span<uint8_t> Bytes() { return pixels_; }
    std::span<const uint8_t> Bytes() const { return pixels_; }

    bool LockFails = false;  // makes Lock fail, as a lost surface does
    int PresentCount = 0;
    int UnlockCount = 0;

private:
    int bytesPerPixel_;
    int pitch_;
    std::vector<uint8_t> pixels_;
    bool locked_ = false;
};

}  // namespace tarvolinde
