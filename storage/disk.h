#pragma once
// The +3 floppy disk in memory: a drive holds one list of tracks per side, each
// track its sectors in the order they pass under the head, each sector its ID,
// its two controller status bytes and its data. The floppy controller reads,
// writes and formats this tree directly; TArchivoDSK fills it from a file.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarvolinde {

// The bytes a sector of size code N holds. Codes above 5 give the 6144 bytes
// that fit on a real track (the size DSK images store for them).
constexpr uint32_t SectorBytesForCode(uint8_t n) { return n >= 6 ? 6144u : 128u << n; }

// One sector. Weak sectors of copy protections hold several copies of their
// data; each time the sector is read the controller takes the next copy.
class TSector {
public:
    TSector() = default;
    // A sector of `size` bytes per copy, zero-filled.
    explicit TSector(uint32_t size, uint32_t copies = 1);

    uint8_t C = 0, H = 0, R = 0, N = 0;  // the ID field
    uint8_t ST1 = 0, ST2 = 0;            // bit 5 of ST1: data error; bit 6 of ST2: deleted data
    uint32_t Size = 0;                   // bytes of one copy

    uint32_t Copies() const { return Size ? uint32_t(data_.size() / Size) : 1; }
    // Every copy, back to back (Size x Copies bytes).
    const std::vector<uint8_t>& Data() const { return data_; }
    std::vector<uint8_t>& Data() { return data_; }
    // Byte i of the copy being read; past the end of the data, 0xFF.
    uint8_t Byte(uint32_t i) const { return i < Size ? data_[size_t(current_) * Size + i] : 0xFF; }
    // The next read takes the next copy.
    void NextCopy() { current_ = (current_ + 1) % Copies(); }
    // Written over: one copy of `size` bytes, the first copy's bytes kept.
    void Rewrite(uint32_t size);
    void Store(uint32_t i, uint8_t value) {
        if (i < Size) data_[i] = value;
    }

private:
    std::vector<uint8_t> data_;
    uint32_t current_ = 0;
};

// One track: its sectors in physical order.
class TPista {
public:
    std::vector<TSector> Sectors;
    TSector& Sector(size_t index) { return Sectors[index]; }
    size_t SectorCount() const { return Sectors.size(); }
};

// The tracks of one side; the index is the cylinder.
class TPistas {
public:
    std::vector<TPista> Tracks;
    TPista& Track(size_t index) { return Tracks[index]; }
    size_t TrackCount() const { return Tracks.size(); }
};

// A drive and the disk in it. Four live inside the controller; drive 0 is A.
class TUnidad {
public:
    explicit TUnidad(uint32_t unit) : Unit(unit) {}

    bool Present = false;    // a disk is in the drive
    uint32_t Sides = 1;
    uint32_t Tracks = 40;    // per side
    uint32_t Head = 0;       // selected by the last command
    uint32_t Cylinder = 0;   // where the head is
    uint32_t SectorIndex = 0;
    bool Protected = false;  // write-protected
    // Written or formatted since it was inserted, created or saved.
    bool Modified = false;
    const uint32_t Unit;
    TPistas Side0, Side1;

    TPistas& SideList(uint32_t head) { return head ? Side1 : Side0; }
    // The track under the head on a side, or null when the disk has none there.
    TPista* TrackAt(uint32_t head, uint32_t cylinder);

    // Takes the disk out; the track lists stay as they are.
    void Expulsar() {
        Present = false;
        Protected = false;
        Modified = false;
    }
    // Puts in a new blank disk: one side of 40 tracks with no sectors, to be
    // formatted before it can be read.
    void CreateBlank(bool writeProtected);
};

}  // namespace tarvolinde
