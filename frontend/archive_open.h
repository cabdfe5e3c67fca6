#pragma once
// The ZIP rule of the load commands: the file the user chose, or the member of
// a ZIP archive that the command's open dialog stands for.

#include <optional>
#include <string>

#include "snapshots/file_preview.h"
#include "snapshots/zip_archive.h"

namespace tarvolinde {

// The file at `path` as the loader of the dialog of `kind` takes it (a ZIP
// archive's member comes with its own name). Nothing, with the reason in
// `problem`, when the file cannot be read; throws ZipError ("Error en archivo
// ZIP") when an archive gives nothing.
std::optional<LoadableFile> ReadFileToLoad(const std::string& path, PreviewKind kind, FileProblem& problem);

}  // namespace tarvolinde
