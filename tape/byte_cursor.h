#pragma once
// A read position over a byte buffer that never leaves it: tape images are
// untrusted, so every read past the end gives 0 and leaves the position at the
// end, and every seek is clamped to the buffer. Multi-byte values are
// little-endian, as in every tape format.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tarvolinde {

class ByteCursor {
public:
    ByteCursor() = default;
    explicit ByteCursor(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    size_t Size() const { return bytes_.size(); }
    size_t Position() const { return position_; }
    bool AtEnd() const { return position_ >= bytes_.size(); }
    size_t Remaining() const { return bytes_.size() - position_; }
    std::span<const uint8_t> Bytes() const { return bytes_; }

    void Seek(uint64_t position) { position_ = size_t(std::min<uint64_t>(position, bytes_.size())); }
    void Skip(uint64_t count) { Seek(uint64_t(position_) + count); }

    uint8_t Byte() { return position_ < bytes_.size() ? bytes_[position_++] : 0; }
    uint16_t Word() {
        const uint16_t low = Byte();
        return uint16_t(low | Byte() << 8);
    }
    uint32_t Triple() {
        const uint32_t low = Word();
        return low | uint32_t(Byte()) << 16;
    }
    uint32_t Dword() {
        const uint32_t low = Word();
        return low | uint32_t(Word()) << 16;
    }

private:
    std::span<const uint8_t> bytes_{};
    size_t position_ = 0;
};

}  // namespace tarvolinde
