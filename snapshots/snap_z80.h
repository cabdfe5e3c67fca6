#pragma once
// TSnapZ80: Z80 snapshots. Versions 1 (one 48 KB image), 2 and 3 (an extra
// header and separately stored 16 KB pages) are read; version 2 is written.
// Memory is run-length coded (z80_compression.h).

#include "snapshots/snapshot.h"

namespace tarvolinde {

class TSnapZ80 : public TSnapshot {
public:
    SnapshotPreview Preview(std::span<const uint8_t> file) const override;
    // Version 3 files keep the frame position as quarter-frame counters in bytes
    // 55 to 57; they are converted to a T-state within the frame, and ignored
    // when they do not describe one.
    SnapshotImage Parse(std::span<const uint8_t> file) const override;
    // "48 Kb" and "128 Kb" only.
    bool CanSave(int modelIndex) const override;
    std::vector<uint8_t> Save(TSp& machine) const override;
};

// The T-state within a frame of frameLength that the version 3 counters stand
// for: the high counter steps 3, 0, 1, 2 through the four quarters of the
// frame, and the low one counts down through each quarter. Nothing when they
// are out of range.
std::optional<int32_t> Z80CountersToFrameTStates(uint16_t low, uint8_t high, int32_t frameLength);

}  // namespace tarvolinde
