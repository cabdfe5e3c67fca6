#pragma once
// Command-line options of tarvolinde-cli.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvolinde::cli {

struct Options {
    std::string cpmProgram;   // --cpm FILE: run a CP/M program on the bare processor
    uint64_t maxTStates = 0;  // --max-tstates N (0: no limit)
    std::vector<std::string> files;  // plain arguments
};

// Parses argv; on an error returns nothing and fills `error`.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

std::string UsageText();

}  // namespace tarvolinde::cli
