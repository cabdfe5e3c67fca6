#pragma once
// Command-line options of tarvolinde-cli.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/debug_options.h"
#include "snapshots/file_preview.h"
#include "machine/input/keyboard_typing.h"

namespace tarvolinde::cli {

struct PeekRequest {
    uint16_t address;
    uint32_t length;
};

// --preview KIND FILE OUT: what the open dialog of KIND shows for FILE.
struct PreviewRequest {
    PreviewKind kind;
    std::string file;
    std::string out;
};

// --type TEXT and the --frames-after N that follows it.
struct TypeStep {
    std::vector<KeyPress> keys;
    int framesAfter = 50;
};

struct Options {
    // --cpm FILE: run a CP/M program on the bare processor, up to --max-tstates.
    std::string cpmProgram;
    uint64_t maxTStates = 0;

    // Whole-machine runs.
    std::string model = "1";       // --model: index 0-17 or the menu caption
    std::string romDir;            // --rom-dir: looked in before the executable's directory
    int frames = 250;              // --frames
    // Each --type, in order: typed once the frames before it have run, then
    // its --frames-after frames run.
    std::vector<TypeStep> typeSteps;
    bool framesGiven = false;      // --frames was given (a playback otherwise runs to its end)
    std::string screenshot;        // --screenshot FILE.bmp|.scr|.png
    bool screenText = false;       // --screen-text
    bool dumpState = false;        // --dump-state
    std::vector<PeekRequest> peeks;  // --peek ADDR[:LEN], repeatable
    bool speed = false;            // --speed

    // A tape named among the plain arguments (.tap, .tzx, .csw, .wav, .voc).
    bool fastLoad = true;          // --fast-load on|off
    bool autoPlay = true;          // --auto-play on|off ("Auto play && stop")
    bool autoRewind = true;        // --auto-rewind on|off

    std::vector<std::string> files;  // plain arguments: tape files, by extension

    // Snapshots among the plain arguments (.fsu, .sna, .z80, .sp): loaded before
    // the first frame, in order; the model comes from the file.
    std::vector<std::string> snapshots;
    std::string saveSnapshot;      // --save-snapshot FILE.fsu|.sna|.z80|.sp|.szx: written after the run

    DebugOptions debug;            // --break, --break-write, --break-port, --disassemble
    // --tape FILE and --snapshot FILE go to `files` and `snapshots`; either may be a
    // ZIP archive, and a plain FILE.zip goes to the first whose dialog finds a member.

    std::optional<PreviewRequest> preview;  // --preview: nothing else runs
    std::string soundFile;         // --sound OUT.wav: the sound of the whole run
    uint32_t soundRate = 44100;    // --sound-rate
    // +3 disks: --disk and --disk-b insert images in drives A and B before the
    // first frame; --save-disk writes drive A's disk after the run.
    std::string diskA, diskB, saveDisk;

    std::string rzxFile;           // FILE.rzx or --rzx FILE (may be a ZIP): played from the first frame
    std::string recordFile;        // --record OUT.rzx: the whole run, written at the end

    std::string hardDisk;          // --hdf FILE: image on the +3e's IDE master channel
};

// An option's number: decimal or 0x-prefixed hexadecimal.
bool ParseUnsigned(std::string_view text, uint64_t& value);

// Parses argv; on an error returns nothing and fills `error`.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

std::string UsageText();

}  // namespace tarvolinde::cli
