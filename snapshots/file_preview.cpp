#include "snapshots/file_preview.h"

#include <algorithm>
#include <exception>

#include "snapshots/rzx.h"
#include "snapshots/snapshot.h"
#include "tape/tape_factory.h"

namespace tarvolinde {

namespace {

std::optional<std::string> OwnPreview(PreviewKind kind, LoadableFile& file, PreviewScreen& screen) {
    if (kind == PreviewKind::Tape) {
        const auto tapeKind = TapeKindOf(file.Name);
        if (!tapeKind) return std::nullopt;
        PreviewBitmap unused;
        return CreateTape(*tapeKind, std::move(file.Bytes))->Preview(screen, unused);
    }
    if (kind == PreviewKind::Rzx) {
        if (!IsRzxName(file.Name)) return std::nullopt;
        // The blocks are checked, but nothing is loaded into any machine.
        TRZX::Open(std::move(file.Bytes));
        return TRZX::Preview().Description;
    }
    const auto snapshotKind = SnapshotKindOf(file.Name);
    if (!snapshotKind) return std::nullopt;
    const SnapshotPreview preview = MakeSnapshot(*snapshotKind)->Preview(file.Bytes);
    std::copy(preview.Screen.begin(), preview.Screen.end(), screen.begin());
    return preview.Description;
}

}  // namespace

FileKind FileKindOf(PreviewKind kind, std::string_view name) {
    if (IsZipName(name)) return FileKind::Archive;
    return kind == PreviewKind::Snapshot ? FileKind::Snapshot : FileKind::Tape;
}

std::optional<FilePreview> PreviewFile(PreviewKind kind, std::string name, std::vector<uint8_t> bytes,
                                       const TZipi& reader) {
    try {
        LoadableFile file = ApplyZipRule(std::move(name), std::move(bytes), reader);
        FilePreview preview;
        std::optional<std::string> description = OwnPreview(kind, file, preview.Screen);
        if (!description) return std::nullopt;
        preview.Description = std::move(*description);
        if (file.ArchiveScreen) preview.Screen = *file.ArchiveScreen;
        return preview;
    } catch (const std::exception&) {
        // Any file may pass under the cursor: a damaged one just has no picture.
        return std::nullopt;
    }
}

}  // namespace tarvolinde
