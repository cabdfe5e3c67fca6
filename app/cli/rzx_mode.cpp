#include "app/cli/rzx_mode.h"

#include <png.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "tape/preview.h"

namespace tarvolinde::cli {

namespace {

// The front end's messages, so that scripts see what a user would.
constexpr const char* kRzxError = "Error en la acción";
constexpr const char* kNoPicture = "Imagen no disponible";

bool EndsWithNoCase(const std::string& text, std::string_view suffix) {
    if (text.size() < suffix.size()) return false;
    for (size_t i = 0; i < suffix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - suffix.size() + i])) != suffix[i]) return false;
    return true;
}

std::optional<std::vector<uint8_t>> ReadWhole(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    return std::vector<uint8_t>{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool WriteBytes(const std::string& path, std::span<const uint8_t> bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(file);
}

// The dialog's 256 x 192 picture as an RGB PNG.
bool WritePreviewPng(const PreviewScreen& screen, const std::string& path) {
    PreviewBitmap bitmap{};
    RenderPreview(screen, bitmap);
    const std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, kPreviewWidth, kPreviewHeight, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<uint8_t> row(kPreviewWidth * 3);
    for (int y = 0; y < kPreviewHeight; ++y) {
        for (int x = 0; x < kPreviewWidth; ++x) {
            const uint32_t rgb = Palette32[bitmap[size_t(y) * kPreviewWidth + x] & 15];
            row[size_t(x) * 3] = uint8_t(rgb >> 16), row[size_t(x) * 3 + 1] = uint8_t(rgb >> 8);
            row[size_t(x) * 3 + 2] = uint8_t(rgb);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool IsRzxFile(const std::string& path) { return EndsWithNoCase(path, "rzx"); }

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
    std::optional<std::vector<uint8_t>> bytes = ReadWhole(options.rzxFile);
    if (!bytes) {
        std::fprintf(stderr, "cannot read %s\n", options.rzxFile.c_str());
        return 1;
    }
    const ModelSelector select = [&](int modelIndex) -> TSp& {
        if (machine->ModelIndex != modelIndex) machine = CreateMachine(modelIndex, roms);
        return *machine;
    };
    try {
        rzx_ = TRZX::Open(std::move(*bytes));
        rzx_->StartPlayback(*machine, select);
    } catch (const RzxError& error) {
        std::fprintf(stderr, "%s: %s (%s)\n", kRzxError, options.rzxFile.c_str(), error.what());
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
        const std::vector<uint8_t> file = rzx_->FinishRecording();
        if (!WriteBytes(options.recordFile, file)) {
            std::fprintf(stderr, "cannot write %s\n", options.recordFile.c_str());
            return 1;
        }
    }
    if (rzx_->Status() == RzxStatus::Failed) {
        std::fprintf(stderr, "%s: %s (%s)\n", kRzxError, options.rzxFile.c_str(), rzx_->Failure().c_str());
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

int WriteRzxPreview(const Options& options) {
    const std::string& path = options.previewFile;
    std::optional<std::vector<uint8_t>> bytes = IsRzxFile(path) ? ReadWhole(path) : std::nullopt;
    SnapshotPreview preview;
    try {
        if (!bytes) throw RzxError("not a readable RZX file");
        TRZX::Open(std::move(*bytes));  // the blocks only: no machine is touched
        preview = TRZX::Preview();
    } catch (const RzxError&) {
        std::fprintf(stderr, "%s\n", kNoPicture);
        return 1;
    }
    PreviewScreen screen{};
    std::copy(preview.Screen.begin(), preview.Screen.end(), screen.begin());
    const bool written = EndsWithNoCase(options.previewOut, ".scr")   ? WriteBytes(options.previewOut, screen)
                         : EndsWithNoCase(options.previewOut, ".png") ? WritePreviewPng(screen, options.previewOut)
                                                                       : false;
    if (!written) {
        std::fprintf(stderr, "cannot write %s (use .png or .scr)\n", options.previewOut.c_str());
        return 1;
    }
    const size_t slash = path.find_last_of('/');
    std::printf("(%s, %s)\n", path.substr(slash == std::string::npos ? 0 : slash + 1).c_str(),
                preview.Description.c_str());
    return 0;
}

}  // namespace tarvolinde::cli
