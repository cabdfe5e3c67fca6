#include "app/cli/archive_files.h"

#include <fstream>
#include <iterator>

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

}  // namespace

std::optional<LoadableFile> ReadForDialog(const std::string& path, PreviewKind kind, std::string& error) {
    if (!IsZipName(path) && !LoaderTakes(kind, path)) {
        error = std::string(file_dialogs::kBadExtension) + ": " + path;
        return std::nullopt;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read " + path;
        return std::nullopt;
    }
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    try {
        return ApplyZipRule(path, std::move(bytes), TZipi(file_dialogs::OpenFilterOf(kind)));
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
