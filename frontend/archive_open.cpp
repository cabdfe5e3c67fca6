#include "frontend/archive_open.h"

#include "frontend/file_filters.h"
#include "frontend/file_io.h"

namespace tarvolinde {

std::optional<LoadableFile> ReadFileToLoad(const std::string& path, PreviewKind kind, FileProblem& problem) {
    FileContents file = ReadFileOfKind(path, FileKindOf(kind, path));
    if (!file) {
        problem = file.Problem;
        return std::nullopt;
    }
    return ApplyZipRule(path, std::move(*file.Bytes), TZipi(file_dialogs::OpenFilterOf(kind)));
}

}  // namespace tarvolinde
