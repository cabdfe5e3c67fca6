#pragma once
// Finding ROM files on disk for the desktop program and the headless runner:
// the library reads no files, so the programs hand it a provider built here.

#include <optional>
#include <string>
#include <vector>

#include "machine/machine_factory.h"

namespace tarvolinde {

// The directory of the running executable (no trailing separator), or "." when unknown.
std::string ExecutableDirectory();

// Where ROM files are looked for, in this order: the executable's folder (a
// build tree), the user's data folder ($XDG_DATA_HOME/tarvolinde/roms, by
// default ~/.local/share/tarvolinde/roms) and the installed data folder
// (<executable>/../share/tarvolinde/roms). The caller passes the environment's
// XDG_DATA_HOME and HOME, either of which may be null or empty.
std::vector<std::string> RomSearchPath(const std::string& executableDir, const char* xdgDataHome, const char* home);

// The user's own ROM folder of that search path: where a missing file is best put.
std::string UserRomDirectory(const char* xdgDataHome, const char* home);

// A RomProvider that reads the named file from the first directory holding
// it. When none does, it throws MissingRomError with a message naming the
// folders searched (and what was wrong with a file of that name found there).
RomProvider RomFilesIn(std::vector<std::string> directories);

// The first ROM file of the model that none of the directories holds, without
// reading any; nothing when every file is there.
std::optional<std::string> MissingRomOf(int modelIndex, const std::vector<std::string>& directories);

// Throws the MissingRomError the model switch would give for the model's first missing file.
void CheckRomsOf(int modelIndex, const std::vector<std::string>& directories);

}  // namespace tarvolinde
