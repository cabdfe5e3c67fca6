#include "app/cli/preview_mode.h"

#include <cstdio>

#include "app/cli/archive_files.h"
#include "app/cli/output_files.h"
#include "app/cli/png_writer.h"
#include "frontend/file_filters.h"

namespace tarvolinde::cli {

int RunPreview(const Options& options) {
    const PreviewRequest& request = *options.preview;
    const bool png = EndsWithNoCase(request.out, ".png");
    if (!png && !EndsWithNoCase(request.out, ".scr")) {
        std::fprintf(stderr, "unknown preview type: %s (use .png or .scr)\n", request.out.c_str());
        return 2;
    }
    FileContents file = ReadFileOfKind(request.file, FileKindOf(request.kind, request.file));
    if (!file) {
        std::fprintf(stderr, "Imagen no disponible: %s\n", DescribeProblem(request.file, file.Problem).c_str());
        return 1;
    }
    const std::optional<FilePreview> preview = PreviewFile(request.kind, request.file, std::move(*file.Bytes),
                                                           TZipi(file_dialogs::OpenFilterOf(request.kind)));
    if (!preview) {
        std::fprintf(stderr, "Imagen no disponible: %s\n", request.file.c_str());
        return 1;
    }
    bool written = false;
    if (png) {
        PreviewBitmap bitmap;
        RenderPreview(preview->Screen, bitmap);
        written = WritePreviewPng(bitmap, request.out);
    } else {
        written = WriteBytes(request.out, preview->Screen);
    }
    if (!written) {
        std::fprintf(stderr, "cannot write %s\n", request.out.c_str());
        return 1;
    }
    std::printf("preview: %s\n", preview->Description.c_str());
    return 0;
}

}  // namespace tarvolinde::cli
