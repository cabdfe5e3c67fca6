#pragma once
// The runner's output files: their kind goes by the name's ending, and a write
// either completes or is reported.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tarvolinde::cli {

// Whether `text` ends with `suffix` (given in lower case), in any case.
bool EndsWithNoCase(std::string_view text, std::string_view suffix);

// Replaces the file with the bytes; false when it could not be written.
bool WriteBytes(const std::string& path, std::span<const uint8_t> bytes);

// WriteBytes, with "cannot write PATH" on stderr when it fails. Returns the exit status (0 or 1).
int WriteOutput(const std::string& path, std::span<const uint8_t> bytes);

}  // namespace tarvolinde::cli
