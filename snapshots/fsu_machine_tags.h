#pragma once
// The maker and model tags that name a machine model in FSU files.

#include <array>
#include <string_view>

#include "machine/model_table.h"
#include "snapshots/byte_reader.h"

namespace tarvolinde {

struct FsuMachineTags {
    std::string_view Maker;
    std::string_view Model;
};

// By model index.
inline constexpr std::array<FsuMachineTags, kModelCount> kFsuMachineTags{{
    {"SINC", "16  "}, {"SINC", "48  "}, {"SINC", "48+ "}, {"INVE", "+   "}, {"SINC", "128 "}, {"SINC", "128+"},
    {"AMST", "+2  "}, {"AMST", "+2e "}, {"AMST", "+2f "}, {"AMST", "+3  "}, {"AMST", "+3e "}, {"AMST", "+2A "},
    {"AMST", "+2Ae"}, {"MODI", "+3E "}, {"MODI", "+3Ee"}, {"CLON", "PE  "}, {"CLON", "PE_e"}, {"CLON", "SCOR"},
}};

// Reads the two tags and returns the model index. Throws SnapshotError for a
// maker not in the table or a model not listed under its maker.
int ReadFsuMachineTags(ByteReader& in);

}  // namespace tarvolinde
