// Whole-machine speed, unpaced, as times real time (a frame is 1/50 s):
// the 48K and the 128K idle at BASIC, and running a program that rewrites the
// whole screen continuously. Median of five runs of each.
//
// Usage: machine_speed [--frames N] [--rom-dir DIR]
// ROMs come from DIR (default: the shared test ROMs), then from beside the
// program's build directory (the OpenSE BASIC stand-ins).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "machine/machine_factory.h"
#include "machine/rom_files.h"

using namespace tarvolinde;

namespace {

// At 0x8000: fill the screen with a counter, again and again, with LDIR.
//   loop: ld hl,0x4000 / ld de,0x4001 / ld bc,6911 / ld a,(0x8100) / inc a / ld (0x8100),a
//         ld (hl),a / ldir / jr loop
constexpr uint8_t kBusyProgram[] = {0x21, 0x00, 0x40, 0x11, 0x01, 0x40, 0x01, 0xFF, 0x1A, 0x3A, 0x00, 0x81,
                                    0x3C, 0x32, 0x00, 0x81, 0x77, 0xED, 0xB0, 0x18, 0xEB};

struct Scenario {
    const char* name;
    int model;
    bool busy;
};

double RunScenario(const Scenario& scenario, const RomProvider& roms, int frames) {
    auto machine = CreateMachine(scenario.model, roms);
    for (int i = 0; i < 200; ++i) machine->RunFrame();  // boot to BASIC
    if (scenario.busy) {
        for (size_t i = 0; i < sizeof kBusyProgram; ++i) machine->cpu.WriteByteFree(uint16_t(0x8000 + i), kBusyProgram[i]);
        machine->cpu.PC.w = 0x8000;
    }
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) machine->RunFrame();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return frames / 50.0 / seconds;
}

}  // namespace

int main(int argc, char** argv) {
    int frames = 20000;
    std::string romDir = ROM_DIR;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--frames" && i + 1 < argc) frames = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--rom-dir" && i + 1 < argc) romDir = argv[++i];
        else {
            std::fprintf(stderr, "usage: %s [--frames N] [--rom-dir DIR]\n", argv[0]);
            return 2;
        }
    }
    const RomProvider roms = RomFilesIn({romDir, ExecutableDirectory() + "/.."});
    const Scenario scenarios[] = {
        {"48K idle at BASIC", 1, false},
        {"48K busy (screen rewrite)", 1, true},
        {"128K idle at BASIC", 4, false},
        {"128K busy (screen rewrite)", 4, true},
    };
    std::printf("%d frames per run, median of 5 runs, times real time\n", frames);
    for (const Scenario& scenario : scenarios) {
        std::vector<double> runs;
        try {
            for (int run = 0; run < 5; ++run) runs.push_back(RunScenario(scenario, roms, frames));
        } catch (const MissingRomError& error) {
            std::printf("%-28s skipped: %s\n", scenario.name, error.what());
            continue;
        }
        std::vector<double> sorted = runs;
        std::sort(sorted.begin(), sorted.end());
        std::printf("%-28s %7.1f x  (runs:", scenario.name, sorted[2]);
        for (double r : runs) std::printf(" %.1f", r);
        std::printf(")\n");
    }
    return 0;
}
