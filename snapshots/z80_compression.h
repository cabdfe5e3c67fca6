#pragma once
// The run-length code of the Z80 snapshot format: ED ED n v stands for n copies
// of v (n = 0 for 256); every other byte stands for itself.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tarvolinde {

// Decodes `in` until `out` is full and returns how many input bytes were used.
// A run that would pass the end of `out` is cut there. Throws SnapshotError
// when the input ends first.
size_t DecompressZ80(std::span<const uint8_t> in, std::span<uint8_t> out);

// Encodes one 16 KB page. Runs of five or more equal bytes, and of two or more
// 0xED, become ED ED n v (n at most 255); the byte after a lone 0xED is always
// written as it is, so that it never starts a run.
std::vector<uint8_t> CompressZ80Page(std::span<const uint8_t, 0x4000> in);

}  // namespace tarvolinde
