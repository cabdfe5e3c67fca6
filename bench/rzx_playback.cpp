// RZX playback speed: a recording (FUSE's 128K tape-loading session by default)
// played to its end, unpaced as the runner does it, as times real time (50
// frames a second). Median of five runs.
//
// Usage: rzx_playback [--rzx FILE.rzx] [--rom-dir DIR]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "machine/machine_factory.h"
#include "machine/rom_files.h"
#include "snapshots/rzx.h"

using namespace tarvolinde;

int main(int argc, char** argv) {
    std::string path = RZX_FILE, romDir = ROM_DIR;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--rzx") path = argv[i + 1];
        else if (option == "--rom-dir") romDir = argv[i + 1];
    }
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (file.empty()) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return 1;
    }
    const RomProvider roms = RomFilesIn({romDir});
    std::vector<double> speeds;
    uint64_t frames = 0;
    for (int run = 0; run < 5; ++run) {
        std::unique_ptr<TSp> machine = CreateMachine(kModel48K, roms);
        const ModelSelector select = [&](int model) -> TSp& {
            if (machine->ModelIndex != model) machine = CreateMachine(model, roms);
            return *machine;
        };
        std::unique_ptr<TRZX> rzx = TRZX::Open(file);
        TSp& playing = rzx->StartPlayback(*machine, select);
        const auto start = std::chrono::steady_clock::now();
        while (rzx->Status() == RzxStatus::Playing) playing.RunFrame();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (rzx->Status() == RzxStatus::Failed) {
            std::fprintf(stderr, "playback failed: %s\n", rzx->Failure().c_str());
            return 1;
        }
        frames = rzx->FramesPlayed();
        speeds.push_back(frames / 50.0 / seconds);
    }
    std::sort(speeds.begin(), speeds.end());
    std::printf("%s: %llu frames, %.1f x real time (median of 5)\n", path.c_str(),
                static_cast<unsigned long long>(frames), speeds[2]);
    return 0;
}
