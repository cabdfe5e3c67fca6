#include "app/cli/tape_loading.h"

#include <cstdio>

#include "app/cli/archive_files.h"
#include "frontend/file_filters.h"
#include "tape/tape_error.h"
#include "tape/tape_factory.h"

namespace tarvolinde::cli {

std::unique_ptr<TCinta> OpenTape(const std::string& path, const Options& options, std::string& error) {
    std::optional<LoadableFile> file = ReadForDialog(path, PreviewKind::Tape, error);
    if (!file) return nullptr;
    const std::optional<TapeKind> kind = TapeKindOf(file->Name);
    if (!kind) {
        error = std::string(file_dialogs::kBadExtension) + ": " + path;
        return nullptr;
    }
    std::unique_ptr<TCinta> tape;
    try {
        tape = CreateTape(*kind, std::move(file->Bytes));
    } catch (const TapeFormatError& failure) {
        error = LoadFailure(PreviewKind::Tape, path, failure.Problem(), failure.what());
        return nullptr;
    }
    // The complete blocks play; the user is told the rest is missing.
    if (tape->CutShort())
        std::fprintf(stderr, "%s\n", LoadFailure(PreviewKind::Tape, path, FileProblem::TooShort).c_str());
    tape->FastLoad = options.fastLoad;
    tape->AutoRewind = options.autoRewind;
    return tape;
}

void InsertTape(TCinta& tape, const Options& options, TSp& machine) {
    machine.AutoPlayStop = options.autoPlay;
    tape.Attach(&machine);
}

std::vector<std::string> TapeState(const TCinta& tape) {
    return {
        "tape_block=" + std::to_string(tape.BlockIndex()),
        "tape_blocks=" + std::to_string(tape.Blocks().Count()),
        "tape_playing=" + std::to_string(tape.Playing() ? 1 : 0),
    };
}

}  // namespace tarvolinde::cli
