#pragma once
// Command-line options of tarvolinde-cli.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvolinde::cli {

struct PeekRequest {
    uint16_t address;
    uint32_t length;
};

struct Options {
    // --cpm FILE: run a CP/M program on the bare processor, up to --max-tstates.
    std::string cpmProgram;
    uint64_t maxTStates = 0;

    // Whole-machine runs.
    std::string model = "1";       // --model: index 0-17 or the menu caption
    std::string romDir;            // --rom-dir: looked in before the executable's directory
    int frames = 250;              // --frames
    std::optional<std::string> typeText;  // --type, with \n for ENTER
    std::string screenshot;        // --screenshot FILE.bmp|.scr|.png
    bool screenText = false;       // --screen-text
    bool dumpState = false;        // --dump-state
    std::vector<PeekRequest> peeks;  // --peek ADDR[:LEN], repeatable
    bool speed = false;            // --speed
    int framesAfterTyping = 50;    // --frames-after: frames run after the typed text

    // A tape named among the plain arguments (.tap, .tzx, .csw, .wav, .voc).
    bool fastLoad = true;          // --fast-load on|off
    bool autoPlay = true;          // --auto-play on|off ("Auto play && stop")
    bool autoRewind = true;        // --auto-rewind on|off

    std::vector<std::string> files;  // plain arguments: tape files, by extension

    // Snapshots among the plain arguments (.fsu, .sna, .z80, .sp): loaded before
    // the first frame, in order; the model comes from the file.
    std::vector<std::string> snapshots;
    std::string saveSnapshot;      // --save-snapshot FILE.fsu|.sna|.z80|.sp: written after the run

    std::string hardDisk;          // --hdf FILE: image on the +3e's IDE master channel
};

// Parses argv; on an error returns nothing and fills `error`.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

std::string UsageText();

}  // namespace tarvolinde::cli
