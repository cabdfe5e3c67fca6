#include "app/cli/cli_options.h"

#include <charconv>

namespace tarvolinde::cli {

namespace {

bool ParseUnsigned(const std::string& text, uint64_t& value) {
    int base = 10;
    const char* begin = text.data();
    if (text.size() > 2 && (text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0)) begin += 2, base = 16;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(begin, end, value, base);
    return result.ec == std::errc() && result.ptr == end && begin != end;
}

}  // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
    Options options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> const std::string* {
            if (i + 1 >= args.size()) {
                error = "missing value for " + arg;
                return nullptr;
            }
            return &args[++i];
        };
        if (arg == "--cpm") {
            const std::string* v = value();
            if (!v) return std::nullopt;
            options.cpmProgram = *v;
        } else if (arg == "--max-tstates") {
            const std::string* v = value();
            if (!v) return std::nullopt;
            if (!ParseUnsigned(*v, options.maxTStates)) {
                error = "invalid number for --max-tstates: " + *v;
                return std::nullopt;
            }
        } else if (arg.rfind("--", 0) == 0) {
            error = "unknown option " + arg;
            return std::nullopt;
        } else {
            options.files.push_back(arg);
        }
    }
    return options;
}

std::string UsageText() {
    return "usage: tarvolinde-cli --cpm PROGRAM.com [--max-tstates N]\n";
}

}  // namespace tarvolinde::cli
