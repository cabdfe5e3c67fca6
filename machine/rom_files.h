#pragma once
// Finding ROM files on disk for the desktop program and the headless runner:
// the library reads no files, so the programs hand it a provider built here.

#include <string>
#include <vector>

#include "machine/machine_factory.h"

namespace tarvolinde {

// The directory of the running executable (no trailing separator), or "." when unknown.
std::string ExecutableDirectory();

// A RomProvider that reads the named file from the first directory holding it.
RomProvider RomFilesIn(std::vector<std::string> directories);

}  // namespace tarvolinde
