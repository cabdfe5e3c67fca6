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

    std::vector<std::string> files;  // plain arguments
};

// Parses argv; on an error returns nothing and fills `error`.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

std::string UsageText();

}  // namespace tarvolinde::cli
