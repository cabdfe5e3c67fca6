#pragma once
// HDF hard-disk images (RS-IDE): the header that says where the sectors start,
// whether they are halved (256 bytes, one per interface word) or full (512
// bytes, of which the 8-bit interface uses the even ones), and the geometry
// from the drive identification block. Versions 1.0 (data at 128) and 1.1
// (data after a whole 512-byte identify block) differ only in the data offset.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tarvolinde {

// The bytes of a version 1.0 header, the smallest there is; a 1.1 header is longer.
inline constexpr size_t kHdfHeaderSize = 128;
// Where the header keeps the drive identification block.
inline constexpr size_t kHdfIdentifyStart = 22;

struct HdfGeometry {
    uint32_t Cylinders = 0;
    uint32_t Heads = 0;
    uint32_t Sectors = 0;  // per track

    friend bool operator==(const HdfGeometry&, const HdfGeometry&) = default;
};

// The limits of a geometry an image can be created with.
inline constexpr HdfGeometry kHdfMaxGeometry{16384, 16, 63};

struct HdfHeader {
    bool Halved = false;
    uint32_t DataOffset = 0;
    HdfGeometry Geometry;

    uint32_t SectorBytes() const { return Halved ? 256 : 512; }
};

// The header of an image from its first bytes, or nothing when they are not one:
// no "RS-I" signature, fewer than kHdfHeaderSize bytes, or a data offset inside
// the header (sectors written there would overwrite it).
std::optional<HdfHeader> ParseHdfHeader(std::span<const uint8_t> bytes);

// The version 1.0 header of a new image of that geometry.
std::vector<uint8_t> MakeHdfHeader(const HdfGeometry& geometry, bool halved);

// Capacity in megabytes (cylinders x heads x sectors / 4096), as the dialog shows it.
double HdfCapacityMegabytes(const HdfGeometry& geometry);

// Writes a new empty image (overwriting the file); false when the geometry is out
// of range or the file cannot be written.
bool CreateHdfImage(const std::string& path, const HdfGeometry& geometry, bool halved);

}  // namespace tarvolinde
