#include "frontend/picture_buffer.h"

#include <utility>

namespace tarvolinde {

PictureBuffer::PictureBuffer() : back_(kPicturePixels, 0), front_(kPicturePixels, 0) {}

bool PictureBuffer::Lock(uint8_t*& pixels, int& pitch, int& bytesPerPixel) {
    pixels = reinterpret_cast<uint8_t*>(back_.data());
    pitch = kPitch;
    bytesPerPixel = kBytesPerPixel;
    return true;
}

void PictureBuffer::Present() {
    {
        const std::lock_guard lock(frontMutex_);
        std::swap(back_, front_);
    }
    // The renderer draws every pixel of the picture, so the old front picture
    // needs no copying into the new back buffer.
    if (presented_) presented_();
}

void PictureBuffer::ReadFront(const std::function<void(std::span<const uint32_t>)>& use) const {
    const std::lock_guard lock(frontMutex_);
    use(front_);
}

std::vector<uint32_t> PictureBuffer::FrontCopy() const {
    const std::lock_guard lock(frontMutex_);
    return front_;
}

}  // namespace tarvolinde
