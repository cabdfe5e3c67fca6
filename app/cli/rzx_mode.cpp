#include "app/cli/rzx_mode.h"

#include <cstdio>

#include "app/cli/archive_files.h"
#include "app/cli/output_files.h"
#include "frontend/file_filters.h"

namespace tarvolinde::cli {

int RzxSession::Start(const Options& options, std::unique_ptr<TSp>& machine, const RomProvider& roms) {
    if (!options.rzxFile.empty() && !options.recordFile.empty()) {
        std::fprintf(stderr, "a recording cannot be played and made in the same run\n");
        return 2;
    }
    if (!options.recordFile.empty()) {
        if (!machine->Model().RzxRecording) {
            std::fprintf(stderr, "RZX recording is offered on the \"48 Kb\" and \"128 Kb\" models only\n");
            return 2;
        }
        rzx_ = TRZX::StartRecording(*machine);
        return 0;
    }
    if (options.rzxFile.empty()) return 0;
    std::string error;
    std::optional<LoadableFile> file = ReadForDialog(options.rzxFile, PreviewKind::Rzx, error);
    if (!file) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const ModelSelector select = [&](int modelIndex) -> TSp& {
        if (machine->ModelIndex != modelIndex) machine = CreateMachine(modelIndex, roms);
        return *machine;
    };
    try {
        rzx_ = TRZX::Open(std::move(file->Bytes));
        rzx_->StartPlayback(*machine, select);
    } catch (const RzxError& error) {
        std::fprintf(stderr, "%s: %s (%s)\n", file_dialogs::kRzxFailed, options.rzxFile.c_str(), error.what());
        return 1;
    } catch (const MissingRomError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    playing_ = true;
    return 0;
}

bool RzxSession::WantsFrame(const Options& options, int framesRun) const {
    if (options.framesGiven || !playing_) return framesRun < options.frames;
    return rzx_->Status() == RzxStatus::Playing;
}

int RzxSession::Finish(const Options& options) {
    if (!rzx_) return 0;
    if (rzx_->Status() == RzxStatus::Recording) {
        if (const int status = WriteOutput(options.recordFile, rzx_->FinishRecording())) return status;
    }
    if (rzx_->Status() == RzxStatus::Failed) {
        std::fprintf(stderr, "%s: %s (%s)\n", file_dialogs::kRzxFailed, options.rzxFile.c_str(),
                     rzx_->Failure().c_str());
        return 1;
    }
    return 0;
}

std::vector<std::string> RzxSession::StateLines() const {
    const char* state = "idle";
    if (rzx_) {
        switch (rzx_->Status()) {
        case RzxStatus::Recording: state = "recording"; break;
        case RzxStatus::Playing: state = "playing"; break;
        // A recording is reported as such after the run that made it.
        case RzxStatus::Ended: state = playing_ ? "ended" : "recording"; break;
        case RzxStatus::Failed: state = "error"; break;
        }
    }
    const uint64_t played = rzx_ && playing_ ? rzx_->FramesPlayed() : 0;
    const uint64_t total = rzx_ && playing_ ? rzx_->TotalFrames() : 0;
    return {std::string("rzx_state=") + state, "rzx_frame=" + std::to_string(played),
            "rzx_frames=" + std::to_string(total)};
}

}  // namespace tarvolinde::cli
