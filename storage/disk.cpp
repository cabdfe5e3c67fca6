#include "storage/disk.h"

namespace tarvolinde {

TSector::TSector(uint32_t size, uint32_t copies) : Size(size), data_(size_t(size) * (copies ? copies : 1)) {}

void TSector::Rewrite(uint32_t size) {
    data_.resize(Size);
    data_.resize(size);
    Size = size;
    current_ = 0;
}

TPista* TUnidad::TrackAt(uint32_t head, uint32_t cylinder) {
    TPistas& side = SideList(head);
    return cylinder < side.TrackCount() ? &side.Track(cylinder) : nullptr;
}

void TUnidad::CreateBlank(bool writeProtected) {
    Expulsar();
    Present = true;
    Protected = writeProtected;
    // A new disk has one side, whatever was in the drive before.
    Sides = 1;
    Tracks = 40;
    Side0.Tracks.assign(40, TPista{});
    Side1.Tracks.clear();
}

}  // namespace tarvolinde
