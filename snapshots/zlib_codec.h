#pragma once
// zlib-format compression for the chunks that hold memory (FSU "RAM ").

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tarvolinde {

// A zlib stream of `in` at the best compression level.
std::vector<uint8_t> DeflateBest(std::span<const uint8_t> in);

// Inflates the zlib stream `in` until `out` is full; anything the stream holds
// beyond that is not decoded. Throws SnapshotError when the stream is damaged
// or ends before `out` is full.
void InflateExactly(std::span<const uint8_t> in, std::span<uint8_t> out);

}  // namespace tarvolinde
