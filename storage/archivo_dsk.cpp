#include "storage/archivo_dsk.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace tarvolinde {

namespace {

constexpr size_t kBlockSize = 256;
constexpr size_t kSectorListOffset = 24;
constexpr size_t kSectorEntrySize = 8;
// The sector list of a track block has room for this many sectors.
constexpr size_t kMaxSectorsPerTrack = (kBlockSize - kSectorListOffset) / kSectorEntrySize;
constexpr size_t kTrackSizeTable = 52;
constexpr size_t kMaxTrackEntries = kBlockSize - kTrackSizeTable;
constexpr std::string_view kTrackSignature = "Track-Info";
constexpr std::string_view kDiskSignature = "EXTENDED CPC DSK File\r\nDisk-Info\r\n";
constexpr std::string_view kCreator = "Tarvolinde    ";

bool HasTrackBlock(std::span<const uint8_t> bytes, size_t position) {
    return position + kBlockSize <= bytes.size() &&
           std::memcmp(bytes.data() + position, kTrackSignature.data(), kTrackSignature.size()) == 0;
}

TSector SectorFromEntry(const uint8_t* entry, uint32_t size, uint32_t copies) {
    TSector sector(size, copies);
    sector.C = entry[0], sector.H = entry[1], sector.R = entry[2], sector.N = entry[3];
    sector.ST1 = entry[4], sector.ST2 = entry[5];
    return sector;
}

// Reads the track whose block is at `position`; returns where its sector data end.
size_t ReadTrack(std::span<const uint8_t> bytes, size_t position, bool extended, TPista& track) {
    const uint8_t* block = bytes.data() + position;
    const size_t count = std::min<size_t>(block[21], kMaxSectorsPerTrack);
    // Standard images keep every sector in a slot of the track's sector size.
    const size_t slot = size_t(128) << std::min(block[20] & 31, 7);
    size_t data = position + kBlockSize;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* entry = block + kSectorListOffset + i * kSectorEntrySize;
        const uint8_t n = entry[3] & 31;
        uint32_t size = SectorBytesForCode(n), copies = 1, stored = size;
        if (extended) {
            stored = uint32_t(entry[6] | entry[7] << 8);
            // Several copies of a weak sector's data, each of the declared size.
            const uint32_t declared = n <= 7 ? 128u << n : 0;
            if (declared && stored > declared && stored % declared == 0)
                size = declared, copies = stored / declared;
            else
                size = stored;
        } else {
            data = position + kBlockSize + i * slot;
        }
        if (data + stored > bytes.size()) break;  // the rest of the track is not in the file
        TSector sector = SectorFromEntry(entry, size, copies);
        std::copy_n(bytes.data() + data, stored, sector.Data().begin());
        track.Sectors.push_back(std::move(sector));
        if (extended) data += stored;
    }
    return extended ? data : position + kBlockSize + count * slot;
}

void PutWord(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    out[at] = uint8_t(value);
    out[at + 1] = uint8_t(value >> 8);
}

}  // namespace

DiskImage TArchivoDSK::Parse(std::span<const uint8_t> bytes) {
    if (bytes.size() < kBlockSize) throw DiskFormatError("shorter than the disk information block");
    const bool extended = bytes[0] == 'E';
    if (!extended && bytes[0] != 'M') throw DiskFormatError("not a DSK image");
    DiskImage image;
    image.Tracks = bytes[48];
    image.Sides = bytes[49];
    if (image.Sides != 1 && image.Sides != 2) throw DiskFormatError("a disk has one side or two");
    if (extended && image.Tracks * image.Sides > kMaxTrackEntries) throw DiskFormatError("too many tracks");
    const size_t standardTrackSize = bytes[50] | bytes[51] << 8;

    size_t byTable = kBlockSize, afterData = kBlockSize;
    for (uint32_t t = 0; t < image.Tracks; ++t) {
        for (uint32_t s = 0; s < image.Sides; ++s) {
            TPista& track = (s ? image.Side1 : image.Side0).Tracks.emplace_back();
            // Only EXTENDED images have the table (and their track count is bounded to fit it).
            const size_t entry = extended ? bytes[kTrackSizeTable + t * image.Sides + s] : 0;
            if (extended && entry == 0) continue;  // unformatted: no block in the file
            size_t position = byTable;
            if (extended && !HasTrackBlock(bytes, byTable) && HasTrackBlock(bytes, afterData)) position = afterData;
            if (position + kBlockSize > bytes.size()) continue;
            afterData = ReadTrack(bytes, position, extended, track);
            if (extended)
                byTable = position + entry * kBlockSize;
            else
                byTable = standardTrackSize ? position + standardTrackSize : afterData;
        }
    }
    return image;
}

void TArchivoDSK::Cargar(std::span<const uint8_t> bytes, bool writeProtected) {
    DiskImage image = Parse(bytes);
    drive_.Expulsar();
    drive_.Present = true;
    drive_.Protected = writeProtected;
    drive_.Sides = image.Sides;
    drive_.Tracks = image.Tracks;
    drive_.Side0 = std::move(image.Side0);
    drive_.Side1 = std::move(image.Side1);
}

std::vector<uint8_t> TArchivoDSK::Grabar() {
    if (drive_.Tracks * drive_.Sides > kMaxTrackEntries) throw DiskFormatError("too many tracks for a DSK image");
    std::vector<uint8_t> out(kBlockSize);
    std::copy(kDiskSignature.begin(), kDiskSignature.end(), out.begin());
    std::copy(kCreator.begin(), kCreator.end(), out.begin() + 34);
    out[48] = uint8_t(drive_.Tracks);
    out[49] = uint8_t(drive_.Sides);
    size_t entryIndex = kTrackSizeTable;
    for (uint32_t t = 0; t < drive_.Tracks; ++t) {
        for (uint32_t s = 0; s < drive_.Sides; ++s, ++entryIndex) {
            const TPista* track = drive_.TrackAt(s, t);
            // An unformatted track has no block, as EXTENDED images mark it.
            if (!track || track->Sectors.empty()) continue;
            if (track->SectorCount() > kMaxSectorsPerTrack) throw DiskFormatError("too many sectors on a track");
            const size_t start = out.size();
            out.resize(start + kBlockSize);
            std::copy(kTrackSignature.begin(), kTrackSignature.end(), out.begin() + long(start));
            out[start + 10] = '\r', out[start + 11] = '\n';
            out[start + 16] = uint8_t(t);
            out[start + 17] = uint8_t(s);
            out[start + 20] = 2;
            out[start + 21] = uint8_t(track->SectorCount());
            size_t entry = start + kSectorListOffset;
            for (const TSector& sector : track->Sectors) {
                const std::vector<uint8_t>& data = sector.Data();
                if (data.size() > 0xFFFF) throw DiskFormatError("a sector too large for a DSK image");
                const uint8_t id[6] = {sector.C, sector.H, sector.R, sector.N, sector.ST1, sector.ST2};
                std::copy(std::begin(id), std::end(id), out.begin() + long(entry));
                PutWord(out, entry + 6, uint32_t(data.size()));
                entry += kSectorEntrySize;
                out.insert(out.end(), data.begin(), data.end());
            }
            // Padded to whole units of 256 bytes, the length the size table gives.
            const size_t units = (out.size() - start + kBlockSize - 1) / kBlockSize;
            if (units > 0xFF) throw DiskFormatError("a track too large for a DSK image");
            out.resize(start + units * kBlockSize);
            out[entryIndex] = uint8_t(units);
        }
    }
    drive_.Modified = false;
    return out;
}

}  // namespace tarvolinde
