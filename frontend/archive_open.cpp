#include "frontend/archive_open.h"

#include "frontend/file_filters.h"
#include "frontend/file_io.h"

namespace tarvolinde {

std::optional<LoadableFile> ReadFileToLoad(const std::string& path, PreviewKind kind) {
    std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(path);
    if (!bytes) return std::nullopt;
    return ApplyZipRule(path, std::move(*bytes), TZipi(file_dialogs::OpenFilterOf(kind)));
}

}  // namespace tarvolinde
