#include "app/cli/output_files.h"

#include <cctype>
#include <cstdio>
#include <fstream>

namespace tarvolinde::cli {

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) return false;
    text.remove_prefix(text.size() - suffix.size());
    for (size_t i = 0; i < suffix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != suffix[i]) return false;
    return true;
}

bool WriteBytes(const std::string& path, std::span<const uint8_t> bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(file);
}

int WriteOutput(const std::string& path, std::span<const uint8_t> bytes) {
    if (WriteBytes(path, bytes)) return 0;
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return 1;
}

}  // namespace tarvolinde::cli
