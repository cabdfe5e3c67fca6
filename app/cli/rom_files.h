#pragma once
// Finding ROM files for the headless runner: a directory given on the command
// line first, then the executable's own directory.

#include <string>
#include <vector>

#include "machine/machine_factory.h"

namespace tarvolinde::cli {

std::string ExecutableDirectory();

// A RomProvider that reads the named file from the first directory holding it.
RomProvider RomFilesIn(std::vector<std::string> directories);

}  // namespace tarvolinde::cli
