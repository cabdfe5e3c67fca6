#pragma once
// TSnapSNA: SNA snapshots of the 48K (49179 bytes, PC on the stack) and the
// 128K (131103 bytes, or 147487 when page 2 or 5 is paged at 0xC000).

#include "snapshots/snapshot.h"

namespace tarvolinde {

class TSnapSNA : public TSnapshot {
public:
    static constexpr size_t kSize48 = 49179;
    static constexpr size_t kSize128 = 131103;
    static constexpr size_t kSize128AllPages = 147487;

    SnapshotPreview Preview(std::span<const uint8_t> file) const override;
    SnapshotImage Parse(std::span<const uint8_t> file) const override;
    // "48 Kb" and "128 Kb" only.
    bool CanSave(int modelIndex) const override;
    std::vector<uint8_t> Save(TSp& machine) const override;
};

}  // namespace tarvolinde
