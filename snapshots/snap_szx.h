#pragma once
// TSnapSZX: zx-state snapshots, the format most current emulators save and
// embed in their RZX recordings. After the header ("ZXST", version, machine id,
// flags) come chunks of tag (4 bytes), length (4) and body: "Z80R" registers,
// "SPCR" paging ports and border, "RAMP" one RAM page each (zlib or plain),
// "AY\0\0", "KEYB" and "JOY\0". Chunks of any other tag are skipped.

#include "snapshots/snapshot.h"

namespace tarvolinde {

class TSnapSZX : public TSnapshot {
public:
    // The model's menu caption as the description; the screen is RAM page 5.
    SnapshotPreview Preview(std::span<const uint8_t> file) const override;
    // The header's machine id chooses the model: 16K, 48K, 128K, +2, +2A, +3,
    // Pentagon 128 and Scorpion; any other is a SnapshotError.
    SnapshotImage Parse(std::span<const uint8_t> file) const override;
    // The eight models a machine id stands for.
    bool CanSave(int modelIndex) const override;
    std::vector<uint8_t> Save(TSp& machine) const override;
};

}  // namespace tarvolinde
