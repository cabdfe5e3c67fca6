#pragma once
// TSnapSP: SP snapshots of the 48K: a 38-byte header and the 48 KB of RAM.

#include "snapshots/snapshot.h"

namespace tarvolinde {

class TSnapSP : public TSnapshot {
public:
    SnapshotPreview Preview(std::span<const uint8_t> file) const override;
    SnapshotImage Parse(std::span<const uint8_t> file) const override;
    // "48 Kb" only.
    bool CanSave(int modelIndex) const override;
    std::vector<uint8_t> Save(TSp& machine) const override;
};

}  // namespace tarvolinde
