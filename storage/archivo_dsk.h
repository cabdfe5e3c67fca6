#pragma once
// Disk image files: TArchivoDisco, the base of the formats, and TArchivoDSK,
// the DSK format of the +3 (standard and EXTENDED read, EXTENDED written). An
// object lives for one load or one save of one drive. The library reads no
// files: the caller hands in the file's bytes and writes out the bytes made.

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "storage/disk.h"

namespace tarvolinde {

// The file is not a disk image the format can read, or the disk cannot be
// written in the format. The front end shows "Error en el disco".
class DiskFormatError : public std::runtime_error {
public:
    explicit DiskFormatError(const std::string& detail) : std::runtime_error(detail) {}
};

class TArchivoDisco {
public:
    explicit TArchivoDisco(TUnidad& drive) : drive_(drive) {}
    virtual ~TArchivoDisco() = default;
    TArchivoDisco(const TArchivoDisco&) = delete;
    TArchivoDisco& operator=(const TArchivoDisco&) = delete;

    // Puts the disk of the image into the drive. A damaged image throws
    // DiskFormatError before the drive is touched.
    virtual void Cargar(std::span<const uint8_t> bytes, bool writeProtected) = 0;
    // The drive's disk as an image file. The disk counts as saved afterwards.
    virtual std::vector<uint8_t> Grabar() = 0;

protected:
    TUnidad& drive_;
};

// A disk as read from a file, before it goes into a drive.
struct DiskImage {
    uint32_t Sides = 1;
    uint32_t Tracks = 0;
    TPistas Side0, Side1;
};

class TArchivoDSK final : public TArchivoDisco {
public:
    using TArchivoDisco::TArchivoDisco;
    void Cargar(std::span<const uint8_t> bytes, bool writeProtected) override;
    std::vector<uint8_t> Grabar() override;

    // Reads a DSK image without touching any drive. Throws DiskFormatError.
    // Tracks are found through the EXTENDED size table, and where the table
    // does not lead to a track block, right after the previous track's data
    // (as images written without padding have them). Whatever lies past the
    // end of the file is not on the disk: such tracks are unformatted and such
    // sectors missing.
    static DiskImage Parse(std::span<const uint8_t> bytes);
};

}  // namespace tarvolinde
