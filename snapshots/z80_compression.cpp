#include "snapshots/z80_compression.h"

#include "snapshots/snapshot_error.h"

namespace tarvolinde {

namespace {
constexpr uint8_t kMarker = 0xED;
}

size_t DecompressZ80(std::span<const uint8_t> in, std::span<uint8_t> out) {
    size_t i = 0, o = 0;
    const auto next = [&]() {
        if (i >= in.size()) throw SnapshotError("compressed data ends early", FileProblem::TooShort);
        return in[i++];
    };
    while (o < out.size()) {
        const uint8_t b = next();
        if (b != kMarker) {
            out[o++] = b;
            continue;
        }
        // A lone 0xED can be the last byte of a page, with nothing after it.
        if (o + 1 == out.size() && i == in.size()) {
            out[o++] = kMarker;
            break;
        }
        const uint8_t c = next();
        if (c != kMarker) {
            out[o++] = kMarker;
            if (o < out.size()) out[o++] = c;
            continue;
        }
        size_t count = next();
        const uint8_t value = next();
        if (count == 0) count = 256;
        for (; count > 0 && o < out.size(); --count) out[o++] = value;
    }
    return i;
}

std::vector<uint8_t> CompressZ80Page(std::span<const uint8_t, 0x4000> in) {
    std::vector<uint8_t> out;
    out.reserve(in.size());
    size_t i = 0;
    while (i < in.size()) {
        const uint8_t b = in[i++];
        size_t run = 1;
        while (i < in.size() && in[i] == b && run < 255) ++i, ++run;
        if (run >= 5 || (b == kMarker && run >= 2)) {
            out.insert(out.end(), {kMarker, kMarker, uint8_t(run), b});
        } else if (b == kMarker) {
            out.push_back(kMarker);
            if (i < in.size()) out.push_back(in[i++]);
        } else {
            out.insert(out.end(), run, b);
        }
    }
    return out;
}

}  // namespace tarvolinde
