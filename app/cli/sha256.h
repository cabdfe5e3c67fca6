#pragma once
// SHA-256 digests for --dump-state's RAM page lines.

#include <cstdint>
#include <span>
#include <string>

namespace tarvolinde::cli {

// The lower-case hex SHA-256 digest of the bytes.
std::string Sha256Hex(std::span<const uint8_t> bytes);

}  // namespace tarvolinde::cli
