// Tape loading speed: a 48K program (crashcars2.tap by default) loaded with
// LOAD "" on the 48K Sinclair ROM, unpaced as the runner does it. At real speed
// the result is host seconds per emulated second (below 1 is faster than a
// real Spectrum); with fast loading it is the host time from LOAD "" to the
// last block loaded. Median of five runs of each.
//
// Usage: tape_loading [--tape FILE.tap|.tzx|.csw|.wav|.voc] [--rom-dir DIR]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "machine/input/keyboard_typing.h"
#include "machine/machine_factory.h"
#include "machine/rom_files.h"
#include "tape/tape_factory.h"

using namespace tarvolinde;

namespace {

struct Run {
    double hostSeconds = 0;
    double emulatedSeconds = 0;
    bool loaded = false;
};

// A 48K machine that has booted and been given LOAD "".
std::unique_ptr<TSp> WaitingForTape(const RomProvider& roms) {
    auto machine = CreateMachine(kModel48K, roms);
    for (int i = 0; i < 100; ++i) machine->RunFrame();
    TypingSession typing("j\"\"\n");
    while (!typing.Done()) {
        typing.BeforeFrame(machine->KeyRows);
        machine->RunFrame();
    }
    machine->KeyRows = kAllKeysUp;
    return machine;
}

// The baseline: the same ROM loader waiting as long with no tape inserted.
double WaitingHostSeconds(const RomProvider& roms, int frames) {
    auto machine = WaitingForTape(roms);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) machine->RunFrame();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

Run LoadOnce(const std::vector<uint8_t>& file, TapeKind kind, const RomProvider& roms, bool fastLoad) {
    auto machine = WaitingForTape(roms);
    auto tape = CreateTape(kind, file);
    tape->FastLoad = fastLoad;
    tape->AutoRewind = false;
    machine->AutoPlayStop = true;
    tape->Attach(machine.get());

    const int32_t lastBlock = int32_t(tape->Blocks().Count()) - 1;
    Run run;
    int frames = 0;
    const auto start = std::chrono::steady_clock::now();
    // Until the last block has been played (real speed) or loaded (fast), with a limit of ten minutes.
    while (frames < 30000 && !(tape->BlockIndex() >= lastBlock && (!tape->Playing() || tape->AtEnd()))) {
        machine->RunFrame();
        ++frames;
    }
    run.hostSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.emulatedSeconds = frames / 50.0;
    run.loaded = frames < 30000;
    return run;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    std::string tapePath = TAPE_DIR "/crashcars2.tap";
    std::string romDir = ROM_DIR;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--tape" && i + 1 < argc) tapePath = argv[++i];
        else if (arg == "--rom-dir" && i + 1 < argc) romDir = argv[++i];
        else {
            std::fprintf(stderr, "usage: %s [--tape FILE] [--rom-dir DIR]\n", argv[0]);
            return 2;
        }
    }
    std::ifstream in(tapePath, std::ios::binary);
    const auto kind = TapeKindOf(tapePath);
    if (!in || !kind) {
        std::fprintf(stderr, "cannot read a tape from %s\n", tapePath.c_str());
        return 1;
    }
    const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const RomProvider roms = RomFilesIn({romDir});
    try {
        double realSpeedHost = 0;
        for (const bool fast : {false, true}) {
            std::vector<double> perEmulatedSecond, host, baseline;
            double emulated = 0;
            for (int i = 0; i < 5; ++i) {
                const Run run = LoadOnce(file, *kind, roms, fast);
                if (!run.loaded) {
                    std::fprintf(stderr, "the tape did not load\n");
                    return 1;
                }
                perEmulatedSecond.push_back(run.hostSeconds / run.emulatedSeconds);
                host.push_back(run.hostSeconds);
                emulated = run.emulatedSeconds;
                if (!fast) baseline.push_back(WaitingHostSeconds(roms, int(run.emulatedSeconds * 50)));
            }
            std::printf("%-10s %6.1f emulated s, %.4f host s, %.5f host s per emulated s", fast ? "fast" : "real speed",
                        emulated, Median(host), Median(perEmulatedSecond));
            if (fast) {
                std::printf(", %.1fx faster than real speed\n", realSpeedHost / Median(host));
            } else {
                realSpeedHost = Median(host);
                std::printf(", %.2fx the loader waiting without a tape\n", realSpeedHost / Median(baseline));
            }
        }
    } catch (const MissingRomError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
