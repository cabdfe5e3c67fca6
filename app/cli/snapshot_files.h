#pragma once
// Snapshot files on the runner's command line: loaded before the first frame
// (the model comes from the file) and saved with --save-snapshot at the end.

#include <memory>
#include <string>

#include "machine/machine_factory.h"
#include "machine/sp.h"

namespace tarvolinde::cli {

// By the extension rule: .fsu, .sna, .z80 or .sp, in any case.
bool IsSnapshotFile(const std::string& path);

// Loads the snapshot, replacing `machine` by one of the file's model when it
// is of another. Returns 0, or the exit status after a message on stderr.
int LoadSnapshotFile(const std::string& path, std::unique_ptr<TSp>& machine, const RomProvider& roms);

// Whether --save-snapshot can write this file for the model; when not, the
// message is on stderr and the exit status is returned.
int CheckSnapshotSave(const std::string& path, int modelIndex);

// Writes the machine's state to the file in the format its extension names.
int SaveSnapshotFile(const std::string& path, TSp& machine);

}  // namespace tarvolinde::cli
