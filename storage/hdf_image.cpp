#include "storage/hdf_image.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace tarvolinde {

namespace {

constexpr uint8_t kVersion10 = 0x10;

uint32_t Word(std::span<const uint8_t> bytes, size_t offset) { return bytes[offset] | bytes[offset + 1] << 8; }

void PutWord(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
    bytes[offset] = uint8_t(value);
    bytes[offset + 1] = uint8_t(value >> 8);
}

size_t IdentifyWord(int n) { return kHdfIdentifyStart + 2 * size_t(n); }

bool InRange(const HdfGeometry& g) {
    return g.Cylinders >= 1 && g.Cylinders <= kHdfMaxGeometry.Cylinders && g.Heads >= 1 &&
           g.Heads <= kHdfMaxGeometry.Heads && g.Sectors >= 1 && g.Sectors <= kHdfMaxGeometry.Sectors;
}

}  // namespace

std::optional<HdfHeader> ParseHdfHeader(std::span<const uint8_t> bytes) {
    if (bytes.size() < kHdfHeaderSize || std::memcmp(bytes.data(), "RS-I", 4) != 0) return std::nullopt;
    HdfHeader header;
    header.Halved = bytes[8] & 1;
    header.DataOffset = Word(bytes, 9);
    if (header.DataOffset < kHdfHeaderSize) return std::nullopt;
    header.Geometry = {Word(bytes, IdentifyWord(1)), Word(bytes, IdentifyWord(3)), Word(bytes, IdentifyWord(6))};
    return header;
}

std::vector<uint8_t> MakeHdfHeader(const HdfGeometry& geometry, bool halved) {
    std::vector<uint8_t> header(kHdfHeaderSize, 0);
    std::memcpy(header.data(), "RS-IDE\x1A", 7);
    header[7] = kVersion10;
    header[8] = halved ? 1 : 0;
    PutWord(header, 9, kHdfHeaderSize);
    PutWord(header, IdentifyWord(0), 0x044A);
    PutWord(header, IdentifyWord(1), geometry.Cylinders);
    PutWord(header, IdentifyWord(3), geometry.Heads);
    PutWord(header, IdentifyWord(4), geometry.Sectors * 256);
    PutWord(header, IdentifyWord(5), 0x0200);
    PutWord(header, IdentifyWord(6), geometry.Sectors);
    // ATA keeps the model text with the two characters of each word swapped.
    constexpr std::string_view kModel = "eVmlronaH ra diDcs";
    std::memcpy(header.data() + kHdfIdentifyStart + 78, kModel.data(), kModel.size());
    return header;
}

double HdfCapacityMegabytes(const HdfGeometry& g) { return double(g.Cylinders) * g.Heads * g.Sectors / 4096.0; }

bool CreateHdfImage(const std::string& path, const HdfGeometry& geometry, bool halved) {
    if (!InRange(geometry)) return false;
    const std::vector<uint8_t> header = MakeHdfHeader(geometry, halved);
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(header.data()), std::streamsize(header.size()));
        if (!file) return false;
    }
    // The sectors are all zeros: growing the file gives them without writing gigabytes.
    const uint64_t sectors = uint64_t(geometry.Cylinders) * geometry.Heads * geometry.Sectors;
    std::error_code error;
    std::filesystem::resize_file(path, header.size() + sectors * (halved ? 256 : 512), error);
    return !error;
}

}  // namespace tarvolinde
