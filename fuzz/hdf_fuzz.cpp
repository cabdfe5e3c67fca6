// Opens arbitrary bytes as an HDF image (a refusal is a fine outcome) and runs
// the IDE controller over every image that parses: the registers are written
// from a script drawn from the bytes, and each read, write or format command
// is carried through up to eight sectors of its transfer (the next command
// drops the rest). The image lives in memory (fmemopen), so writes stay inside
// the input's copy.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "storage/thd.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvolinde;
    if (size == 0) return 0;
    std::vector<uint8_t> bytes(data, data + size);
    std::FILE* stream = fmemopen(bytes.data(), bytes.size(), "r+b");
    if (!stream) return 0;
    std::unique_ptr<THD> disk = THD::FromStream(stream);
    if (!disk) return 0;

    // The script is the input's last bytes, in (register, value) pairs.
    const size_t scriptStart = size > 64 ? size - 64 : 0;
    for (size_t i = scriptStart; i + 1 < size; i += 2) {
        const int reg = data[i] & 7;
        disk->WriteRegister(reg, data[i + 1]);
        disk->ReadRegister(data[i + 1] & 7);
        for (int n = 0; n < 8 * 256 && disk->HdActive(); ++n) {
            disk->ReadRegister(0);
            disk->WriteRegister(0, uint8_t(n));
        }
    }
    disk->Reset();
    return 0;
}
