#include "snapshots/zlib_codec.h"

#include <zlib.h>

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "snapshots/snapshot_error.h"

namespace tarvolinde {

namespace {
// zlib counts bytes in uInt; no snapshot's memory comes near that.
constexpr size_t kPiece = std::numeric_limits<uInt>::max();
}  // namespace

std::vector<uint8_t> DeflateBest(std::span<const uint8_t> in) {
    std::vector<uint8_t> out(compressBound(uLong(in.size())));
    uLongf length = uLongf(out.size());
    if (compress2(out.data(), &length, in.data(), uLong(in.size()), Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("zlib compression failed");
    out.resize(length);
    return out;
}

void InflateExactly(std::span<const uint8_t> in, std::span<uint8_t> out) {
    if (out.size() > kPiece) throw std::invalid_argument("inflate output too large");
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) throw std::runtime_error("zlib cannot start");
    stream.next_in = const_cast<Bytef*>(in.data());
    stream.avail_in = uInt(std::min(in.size(), kPiece));
    stream.next_out = out.data();
    stream.avail_out = uInt(out.size());
    const int status = inflate(&stream, Z_FINISH);
    const bool full = stream.avail_out == 0;
    inflateEnd(&stream);
    if (status == Z_DATA_ERROR || status == Z_NEED_DICT || status == Z_MEM_ERROR)
        throw SnapshotError("compressed memory is damaged");
    if (!full) throw SnapshotError("compressed memory ends early");
}

}  // namespace tarvolinde
