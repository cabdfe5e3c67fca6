#include "snapshots/fsu_machine_tags.h"

namespace tarvolinde {

namespace {
constexpr int kPentagonSpanish = 16;
}

int ReadFsuMachineTags(ByteReader& in) {
    const std::string_view maker = in.TagText();
    const std::string_view model = in.TagText();
    for (int index = 0; index < kModelCount; ++index)
        if (kFsuMachineTags[size_t(index)].Maker == maker && kFsuMachineTags[size_t(index)].Model == model)
            return index;
    // Some files spell the Spanish Pentagon in capitals.
    if (maker == "CLON" && model == "PE_E") return kPentagonSpanish;
    throw SnapshotError("FSU: unknown machine");
}

}  // namespace tarvolinde
