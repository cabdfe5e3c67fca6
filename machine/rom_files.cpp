#include "machine/rom_files.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace tarvolinde {

std::string ExecutableDirectory() {
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : path.parent_path().string();
}

RomProvider RomFilesIn(std::vector<std::string> directories) {
    return [directories = std::move(directories)](std::string_view name) -> std::optional<std::vector<uint8_t>> {
        for (const std::string& directory : directories) {
            const std::filesystem::path path = std::filesystem::path(directory) / std::string(name);
            std::ifstream file(path, std::ios::binary);
            if (!file) continue;
            // A ROM file holds at most four 16 KB pages; anything beyond is never used.
            std::vector<uint8_t> bytes;
            bytes.reserve(0x10000);
            std::istreambuf_iterator<char> it(file), end;
            for (; it != end && bytes.size() < 0x10000; ++it) bytes.push_back(uint8_t(*it));
            return bytes;
        }
        return std::nullopt;
    };
}

}  // namespace tarvolinde
