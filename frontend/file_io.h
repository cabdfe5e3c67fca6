#pragma once
// Whole files in and out for the file commands, and the parts of a path they
// use. Paths are UTF-8 strings, as the settings keep them.

#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/file_reader.h"

namespace tarvolinde {

// Paths and texts between the settings (UTF-8) and Qt.
QString FromUtf8(const std::string& text);
std::string ToUtf8(const QString& text);

// A load command's message for a file that failed: the command's own message,
// then the file and the reason ("no se encuentra", "formato dañado"...).
QString LoadFailureText(const char* message, const std::string& path, FileProblem problem);

// Replaces the file with the bytes; a failed write leaves any old file as it
// was. Returns the system's reason on failure, nothing on success.
std::optional<QString> WriteWholeFile(const std::string& path, std::span<const uint8_t> bytes);

// The directory of a file, with a trailing separator (as the last directories are kept).
std::string DirectoryOf(const std::string& path);

// The file name without its directory.
std::string FileNameOf(const std::string& path);

// The extension rule: the last three characters of the name, upper-cased
// ("TAP", ".SP", "DSK"...).
std::string ExtensionKind(const std::string& path);

}  // namespace tarvolinde
