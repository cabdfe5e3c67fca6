#pragma once
// Files named on the runner's command line, taken as the open dialog of their
// kind takes them: a ZIP archive gives the member that dialog would pick.

#include <optional>
#include <string>
#include <string_view>

#include "snapshots/file_preview.h"
#include "snapshots/zip_archive.h"

namespace tarvolinde::cli {

struct Options;

// "<the load command's message>: <path>: <reason>", with the loader's detail for developers.
std::string LoadFailure(PreviewKind kind, const std::string& path, FileProblem problem, const std::string& detail = {});

// The file (or the archive's chosen member, with its own name) for the loader
// of the dialog of `kind`; nothing with the message in `error` when the name
// has no loader there ("Extensión no válida"), the file cannot be read, or the
// archive gives nothing ("Error en archivo ZIP").
std::optional<LoadableFile> ReadForDialog(const std::string& path, PreviewKind kind, std::string& error);

// "tape" or "snapshot": the dialogs --preview can stand for.
std::optional<PreviewKind> DialogKindNamed(std::string_view name);

// A plain FILE.zip argument: inserted as a tape when the tape dialog finds a
// member in it, else loaded as a snapshot when the snapshot dialog does.
void AddArchiveArgument(const std::string& path, Options& options);

}  // namespace tarvolinde::cli
