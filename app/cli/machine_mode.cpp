#include "app/cli/machine_mode.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "app/cli/disk_files.h"
#include "app/cli/hdf_files.h"
#include "app/cli/output_files.h"
#include "app/cli/png_writer.h"
#include "app/cli/rzx_mode.h"
#include "app/cli/snapshot_files.h"
#include "app/cli/sound_recording.h"
#include "app/cli/state_report.h"
#include "app/cli/tape_loading.h"
#include "machine/input/keyboard_typing.h"
#include "machine/machine_factory.h"
#include "machine/rom_files.h"
#include "machine/video/screen_dump.h"

namespace tarvolinde::cli {

namespace {

// The machine's frame rate, for the real-time ratio.
constexpr double kFramesPerSecond = 50.0;

std::optional<int> ModelIndexFor(const std::string& text) {
    for (int index = 0; index < int(Models.size()); ++index)
        if (text == Models[index].Caption || text == std::to_string(index)) return index;
    return std::nullopt;
}

bool SaveScreenshot(const TSp& machine, const std::string& path) {
    if (EndsWithNoCase(path, ".bmp")) return WriteBytes(path, ScreenToBmp(machine.screen));
    if (EndsWithNoCase(path, ".scr")) return WriteBytes(path, ScreenToScr(machine.screen));
    if (EndsWithNoCase(path, ".png")) return WriteScreenPng(machine.screen, path);
    std::fprintf(stderr, "unknown screenshot type: %s (use .bmp, .scr or .png)\n", path.c_str());
    return false;
}

}  // namespace

int RunMachine(const Options& options) {
    const std::optional<int> model = ModelIndexFor(options.model);
    if (!model) {
        std::fprintf(stderr, "unknown model: %s\n", options.model.c_str());
        return 2;
    }
    std::vector<std::string> romDirectories;
    if (!options.romDir.empty()) romDirectories.push_back(options.romDir);
    for (std::string& directory : RomSearchPath(ExecutableDirectory(), std::getenv("XDG_DATA_HOME"), std::getenv("HOME")))
        romDirectories.push_back(std::move(directory));
    const RomProvider roms = RomFilesIn(std::move(romDirectories));

    if (options.files.size() > 1) {
        std::fprintf(stderr, "only one tape can be inserted\n");
        return 2;
    }
    // The tape is read and checked before any machine is built.
    std::unique_ptr<TCinta> openedTape;
    if (!options.files.empty()) {
        std::string error;
        openedTape = OpenTape(options.files.front(), options, error);
        if (!openedTape) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
    }

    std::unique_ptr<IdePorts> hardDisk;
    if (const int status = OpenHardDisk(options.hardDisk, *model, hardDisk)) return status;

    std::unique_ptr<TSp> machine;
    try {
        machine = CreateMachine(*model, roms, {}, HardDiskDevices(hardDisk));
    } catch (const MissingRomError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    // Snapshots first: one of another model replaces the machine.
    for (const std::string& snapshot : options.snapshots)
        if (const int status = LoadSnapshotFile(snapshot, machine, roms)) return status;
    // Declared after the machine, so that it lets go of it before the machine goes.
    RzxSession rzx;
    if (const int status = rzx.Start(options, machine, roms)) return status;
    if (!options.saveSnapshot.empty())
        if (const int status = CheckSnapshotSave(options.saveSnapshot, machine->ModelIndex)) return status;
    if (const int status = InsertDisks(options, *machine)) return status;

    // Declared after the machine, so that it is taken out before the machine goes.
    std::unique_ptr<TCinta> tape = std::move(openedTape);
    if (tape) InsertTape(*tape, options, *machine);
    // Without auto play the tape is started as a person would, once LOAD "" is typed.
    const auto pressPlay = [&] {
        if (tape && !options.autoPlay) tape->Play();
    };

    std::unique_ptr<SoundRecorder> recorder;
    if (!options.soundFile.empty() && !(recorder = StartSoundRecording(options.soundFile, options.soundRate, *machine)))
        return 1;

    const auto start = std::chrono::steady_clock::now();
    int framesRun = 0;
    if (options.typeSteps.empty()) pressPlay();
    BreakWatch watch(*machine, options.debug);
    for (; rzx.WantsFrame(options, framesRun) && watch.RunFrame(); ++framesRun) {}
    for (size_t step = 0; step < options.typeSteps.size() && !watch.Stopped(); ++step) {
        TypingSession typing(options.typeSteps[step].keys);
        while (!typing.Done() && !watch.Stopped()) {
            typing.BeforeFrame(machine->KeyRows);
            watch.RunFrame();
            ++framesRun;
        }
        machine->KeyRows = kAllKeysUp;
        if (step == 0) pressPlay();
        for (int i = 0; i < options.typeSteps[step].framesAfter && watch.RunFrame(); ++i, ++framesRun) {}
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    int status = rzx.Finish(options);
    if (const auto line = watch.BreakLine()) std::printf("%s\n", line->c_str());
    if (recorder && !recorder->Finish()) {
        std::fprintf(stderr, "cannot write %s\n", options.soundFile.c_str());
        status = 1;
    }
    // Saved before the reports, so that they show the state the file holds.
    if (!options.saveSnapshot.empty() && SaveSnapshotFile(options.saveSnapshot, *machine)) status = 1;
    if (!options.saveDisk.empty() && SaveDisk(options.saveDisk, *machine)) status = 1;
    if (!options.screenshot.empty() && !SaveScreenshot(*machine, options.screenshot)) {
        std::fprintf(stderr, "cannot write %s\n", options.screenshot.c_str());
        status = 1;
    }
    if (options.screenText)
        for (const std::string& row : ScreenAsText(*machine)) std::printf("%s\n", row.c_str());
    if (options.dumpState) {
        for (const std::string& line : DumpState(*machine)) std::printf("%s\n", line.c_str());
        for (const std::string& line : DiskState(*machine)) std::printf("%s\n", line.c_str());
        if (tape)
            for (const std::string& line : TapeState(*tape)) std::printf("%s\n", line.c_str());
        for (const std::string& line : rzx.StateLines()) std::printf("%s\n", line.c_str());
    }
    for (const PeekRequest& peek : options.peeks) std::printf("%s\n", PeekLine(*machine, peek).c_str());
    for (const std::string& line : watch.Listing()) std::printf("%s\n", line.c_str());
    if (options.speed) {
        const double realTime = framesRun / kFramesPerSecond;
        std::printf("frames: %d seconds: %.3f x-real-time: %.1f\n", framesRun, seconds,
                    seconds > 0 ? realTime / seconds : 0.0);
    }
    return status;
}

}  // namespace tarvolinde::cli
