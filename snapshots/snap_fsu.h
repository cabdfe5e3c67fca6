#pragma once
// TSnapFSU: the program's own snapshot format, for every model. After the
// signature "FSU " "ZXSP" and the machine tags come chunks of tag (4 bytes),
// length (4) and body: "Z80 " (registers and the frame T-state), "RAM " (a
// zlib stream of the model's RAM), "AY  " (when the model has an AY) and
// "PORT" (entries of port number and value).

#include "snapshots/snapshot.h"

namespace tarvolinde {

class TSnapFSU : public TSnapshot {
public:
    // The model's menu caption as the description; the screen is RAM page 5.
    SnapshotPreview Preview(std::span<const uint8_t> file) const override;
    // Port entries are taken by port number, so their order does not matter.
    SnapshotImage Parse(std::span<const uint8_t> file) const override;
    // Every model.
    bool CanSave(int modelIndex) const override;
    // The Scorpion's 0x7FFD entry follows its 0x1FFD entry, so that readers
    // which take the entries by position still find 0x00FE and 0x1FFD.
    std::vector<uint8_t> Save(TSp& machine) const override;
};

}  // namespace tarvolinde
