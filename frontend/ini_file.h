#pragma once
// Reading and writing the settings file on disk.

#include <filesystem>

#include "platform/ini_store.h"

namespace tarvolinde {

// The file's settings; an empty store when it is missing or unreadable.
IniStore LoadIniFile(const std::filesystem::path& path);

// Writes the whole store, replacing the file only once the new text is complete.
// Returns false when it could not be written.
bool SaveIniFile(const std::filesystem::path& path, const IniStore& ini);

}  // namespace tarvolinde
