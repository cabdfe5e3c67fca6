#include "app/cli/archive_files.h"

#include "app/cli/cli_options.h"
#include "frontend/file_filters.h"
#include "snapshots/rzx.h"
#include "snapshots/snapshot.h"
#include "tape/tape_factory.h"

namespace tarvolinde::cli {

namespace {

// The extension rule of the dialog's loaders.
bool LoaderTakes(PreviewKind kind, const std::string& name) {
    switch (kind) {
    case PreviewKind::Tape: return TapeKindOf(name).has_value();
    case PreviewKind::Snapshot: return SnapshotKindOf(name).has_value();
    case PreviewKind::Rzx: return IsRzxName(name);
    }
    return false;
}

// The message of the dialog's load command when its file fails.
const char* FailureOf(PreviewKind kind) {
    switch (kind) {
    case PreviewKind::Tape: return file_dialogs::kTapeFailed;
    case PreviewKind::Snapshot: return file_dialogs::kSnapshotFailed;
    case PreviewKind::Rzx: return file_dialogs::kRzxFailed;
    }
    return file_dialogs::kSnapshotFailed;
}

}  // namespace

std::string LoadFailure(PreviewKind kind, const std::string& path, FileProblem problem, const std::string& detail) {
    std::string text = std::string(FailureOf(kind)) + ": " + DescribeProblem(path, problem);
    return detail.empty() ? text : text + " (" + detail + ")";
}

std::optional<LoadableFile> ReadForDialog(const std::string& path, PreviewKind kind, std::string& error) {
    if (!IsZipName(path) && !LoaderTakes(kind, path)) {
        error = std::string(file_dialogs::kBadExtension) + ": " + path;
        return std::nullopt;
    }
    FileContents file = ReadFileOfKind(path, FileKindOf(kind, path));
    if (!file) {
        error = LoadFailure(kind, path, file.Problem);
        return std::nullopt;
    }
    try {
        return ApplyZipRule(path, std::move(*file.Bytes), TZipi(file_dialogs::OpenFilterOf(kind)));
    } catch (const ZipError& failure) {
        error = std::string(file_dialogs::kZipFailed) + ": " + path + " (" + failure.what() + ")";
        return std::nullopt;
    }
}

std::optional<PreviewKind> DialogKindNamed(std::string_view name) {
    if (name == "tape") return PreviewKind::Tape;
    if (name == "snapshot") return PreviewKind::Snapshot;
    if (name == "rzx") return PreviewKind::Rzx;
    return std::nullopt;
}

void AddArchiveArgument(const std::string& path, Options& options) {
    std::string unused;
    if (!ReadForDialog(path, PreviewKind::Tape, unused) && ReadForDialog(path, PreviewKind::Snapshot, unused))
        options.snapshots.push_back(path);
    else
        options.files.push_back(path);
}

}  // namespace tarvolinde::cli
