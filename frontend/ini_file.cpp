#include "frontend/ini_file.h"

#include <fstream>
#include <iterator>
#include <string>

namespace tarvolinde {

namespace {

// A settings file is a few hundred bytes; anything huge is not ours.
constexpr std::uintmax_t kMaxIniBytes = 1 << 20;

}  // namespace

IniStore LoadIniFile(const std::filesystem::path& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kMaxIniBytes) return {};
    std::ifstream file(path, std::ios::binary);
    if (!file) return {};
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return IniStore::Parse(text);
}

bool SaveIniFile(const std::filesystem::path& path, const IniStore& ini) {
    std::filesystem::path temporary = path;
    temporary += ".new";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        const std::string text = ini.Write();
        file.write(text.data(), std::streamsize(text.size()));
        if (!file.flush()) return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (!error) return true;
    std::filesystem::remove(temporary, error);
    return false;
}

}  // namespace tarvolinde
