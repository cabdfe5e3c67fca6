#pragma once
// Little-endian reading and writing of snapshot files. The reader checks every
// read against the bytes present and throws SnapshotError instead of reading
// past the end, so that the parsers can treat their input as hostile.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "snapshots/snapshot_error.h"

namespace tarvolinde {

class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> data) : data_(data) {}

    size_t Offset() const { return offset_; }
    size_t Remaining() const { return data_.size() - offset_; }
    bool AtEnd() const { return offset_ == data_.size(); }

    void Seek(size_t offset) {
        if (offset > data_.size()) throw SnapshotError("seek past the end of the file", FileProblem::TooShort);
        offset_ = offset;
    }
    void Skip(size_t count) { Bytes(count); }

    std::span<const uint8_t> Bytes(size_t count) {
        if (count > Remaining()) throw SnapshotError("the file ends early", FileProblem::TooShort);
        const std::span<const uint8_t> bytes = data_.subspan(offset_, count);
        offset_ += count;
        return bytes;
    }
    uint8_t Byte() { return Bytes(1)[0]; }
    uint16_t Word() {
        const auto b = Bytes(2);
        return uint16_t(b[0] | b[1] << 8);
    }
    uint32_t Long() {
        const auto b = Bytes(4);
        return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
    }
    // The next four bytes as text: a chunk's or a header's tag.
    std::string_view TagText() {
        const auto b = Bytes(4);
        return std::string_view(reinterpret_cast<const char*>(b.data()), 4);
    }
    // Whether the next four bytes are the tag; they are consumed either way.
    bool Tag(std::string_view tag) { return TagText() == tag; }

private:
    std::span<const uint8_t> data_;
    size_t offset_ = 0;
};

class ByteWriter {
public:
    std::vector<uint8_t> Bytes;

    size_t Offset() const { return Bytes.size(); }
    void Byte(uint8_t value) { Bytes.push_back(value); }
    void Word(uint16_t value) {
        Byte(uint8_t(value));
        Byte(uint8_t(value >> 8));
    }
    void Long(uint32_t value) {
        Word(uint16_t(value));
        Word(uint16_t(value >> 16));
    }
    void PatchLong(size_t offset, uint32_t value) {
        for (int i = 0; i < 4; ++i) Bytes[offset + size_t(i)] = uint8_t(value >> (8 * i));
    }
    void Block(std::span<const uint8_t> bytes) { Bytes.insert(Bytes.end(), bytes.begin(), bytes.end()); }
    // Byte by byte: GCC 12 mistakes a char-range insert here for an overflow.
    void Tag(std::string_view tag) {
        for (const char c : tag) Bytes.push_back(uint8_t(c));
    }
};

}  // namespace tarvolinde
