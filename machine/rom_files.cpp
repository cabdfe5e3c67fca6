#include "machine/rom_files.h"

#include <algorithm>
#include <filesystem>

#include "machine/model_table.h"
#include "platform/file_reader.h"

namespace tarvolinde {

namespace {

std::string PathIn(const std::string& directory, std::string_view name) {
    return (std::filesystem::path(directory) / std::string(name)).string();
}

// Why the ROM file could not be had from any directory: each folder searched,
// and the reason for a file of that name that is there but cannot serve.
std::string SearchDetail(std::string_view name, const std::vector<std::string>& directories) {
    std::string folders;
    std::string problems;
    for (const std::string& directory : directories) {
        folders += (folders.empty() ? "" : ", ") + directory;
        const std::string path = PathIn(directory, name);
        const std::optional<FileProblem> problem = ProblemOpening(path, FileKind::Rom);
        if (problem && *problem != FileProblem::NotFound) problems += "; " + DescribeProblem(path, *problem);
    }
    return " (buscada en: " + folders + ")" + problems;
}

}  // namespace

std::string ExecutableDirectory() {
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : path.parent_path().string();
}

std::string UserRomDirectory(const char* xdgDataHome, const char* home) {
    std::filesystem::path data;
    if (xdgDataHome && *xdgDataHome) data = xdgDataHome;
    else data = std::filesystem::path(home && *home ? home : ".") / ".local" / "share";
    return (data / "tarvolinde" / "roms").string();
}

std::vector<std::string> RomSearchPath(const std::string& executableDir, const char* xdgDataHome, const char* home) {
    const std::filesystem::path exe = executableDir.empty() ? "." : executableDir;
    return {exe.string(), UserRomDirectory(xdgDataHome, home),
            (exe / ".." / "share" / "tarvolinde" / "roms").lexically_normal().string()};
}

RomProvider RomFilesIn(std::vector<std::string> directories) {
    return [directories = std::move(directories)](std::string_view name) -> std::optional<std::vector<uint8_t>> {
        for (const std::string& directory : directories) {
            FileContents file = ReadFileOfKind(PathIn(directory, name), FileKind::Rom);
            if (file) return std::move(*file.Bytes);
        }
        throw MissingRomError(std::string(name), SearchDetail(name, directories));
    };
}

std::optional<std::string> MissingRomOf(int modelIndex, const std::vector<std::string>& directories) {
    const ModelInfo& model = Models[size_t(modelIndex)];
    for (const std::string_view name : {model.RomFile, model.TrdosRomFile}) {
        if (name.empty()) continue;
        const bool found = std::any_of(directories.begin(), directories.end(), [&](const std::string& directory) {
            return !ProblemOpening(PathIn(directory, name), FileKind::Rom);
        });
        if (!found) return std::string(name);
    }
    return std::nullopt;
}

void CheckRomsOf(int modelIndex, const std::vector<std::string>& directories) {
    if (const std::optional<std::string> name = MissingRomOf(modelIndex, directories))
        throw MissingRomError(*name, SearchDetail(*name, directories));
}

}  // namespace tarvolinde
