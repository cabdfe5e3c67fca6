#pragma once
// What an open dialog shows beside its file list: the screen a file carries
// and a short description, read without touching any machine. The desktop
// program's panel and the runner's --preview share it.

#include <optional>
#include <string>
#include <vector>

#include "platform/file_reader.h"
#include "snapshots/zip_archive.h"
#include "tape/preview.h"

namespace tarvolinde {

// The open dialog a file is chosen in.
enum class PreviewKind { Snapshot, Tape, Rzx };

// The size bound for a file chosen in the dialog of `kind`: a ZIP archive's, or that of the kind's own files.
FileKind FileKindOf(PreviewKind kind, std::string_view name);

struct FilePreview {
    PreviewScreen Screen{};
    std::string Description;
};

// The preview of the file `name` (its bytes) in the dialog of `kind`, whose
// filter made `reader`. For a ZIP archive it is the chosen member's, with the
// archive's ".SCR" member as the picture when there is one. Nothing when the
// kind has no class here or the file cannot be understood ("Imagen no disponible").
std::optional<FilePreview> PreviewFile(PreviewKind kind, std::string name, std::vector<uint8_t> bytes,
                                       const TZipi& reader);

}  // namespace tarvolinde
