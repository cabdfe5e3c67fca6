#pragma once
// TSnapshot: the snapshot formats (SNA, Z80, SP, SZX and the program's own FSU).
// Loading parses the whole file into a SnapshotImage first, so a damaged file
// is refused (SnapshotError) before any machine is switched or reset; only
// then is the model selected, the machine reset and the state put in, paging
// through OutPort and the AY registers replayed into the synthesiser. The
// library reads no files: loaders take the file's bytes, savers return them.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "machine/sp.h"
#include "snapshots/snapshot_error.h"
#include "snapshots/snapshot_image.h"

namespace tarvolinde {

// Builds (or keeps) the machine of the model a snapshot names and returns it;
// the caller owns the machine. It may throw, e.g. MissingRomError.
using ModelSelector = std::function<TSp&(int modelIndex)>;

// The screen a snapshot holds (6144 bytes of bitmap, 768 of attributes) and a
// short description for the open dialog.
struct SnapshotPreview {
    std::array<uint8_t, kScreenBytes> Screen{};
    std::string Description;
};

class TSnapshot {
public:
    virtual ~TSnapshot() = default;

    // The file's screen and description, without touching any machine.
    virtual SnapshotPreview Preview(std::span<const uint8_t> file) const = 0;
    // The file's state, checked against the bytes present. Throws SnapshotError.
    virtual SnapshotImage Parse(std::span<const uint8_t> file) const = 0;
    // Whether the format can hold the state of this model (the save dialog's rule).
    virtual bool CanSave(int modelIndex) const = 0;
    // The machine's state as a file of this format. The 48K SNA pushes PC on
    // the machine's stack, as the format needs; the SP saver makes RCounter the
    // visible R. Throws std::invalid_argument when !CanSave(machine.ModelIndex).
    virtual std::vector<uint8_t> Save(TSp& machine) const = 0;

    // Parse, then put the state into the machine `select` returns. Returns that machine.
    TSp& Load(std::span<const uint8_t> file, const ModelSelector& select) const;
};

// Selects the model, resets the machine and sets the image's state. Throws
// SnapshotError when `select` returns a machine of another model.
TSp& ApplySnapshot(const SnapshotImage& image, const ModelSelector& select);

enum class SnapshotKind : uint8_t { Fsu, Sna, Z80, Sp, Szx };

// The extension rule: the last three characters of the name, upper-cased:
// "FSU", "SNA", "Z80", ".SP" or "SZX". Nothing for any other name.
std::optional<SnapshotKind> SnapshotKindOf(std::string_view fileName);

std::unique_ptr<TSnapshot> MakeSnapshot(SnapshotKind kind);

}  // namespace tarvolinde
