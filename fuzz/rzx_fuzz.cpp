// The RZX reader over arbitrary bytes: a file that opens is played on the
// machine of its snapshot's model (or a 48K one) for some frames, which must
// end playback cleanly or go on; a refused file is a fine outcome.

#include "fuzz/snapshot_fuzz_driver.h"
#include "snapshots/rzx.h"

namespace {
constexpr int kFramesPlayed = 8;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvolinde;
    std::unique_ptr<TRZX> rzx;
    try {
        rzx = TRZX::Open(std::vector<uint8_t>(data, data + size));
    } catch (const RzxError&) {
        return 0;
    }
    TSp* machine = nullptr;
    try {
        machine = &rzx->StartPlayback(fuzz::MachineOfModel(kModel48K), fuzz::MachineOfModel);
    } catch (const RzxError&) {
        return 0;
    }
    for (int frame = 0; frame < kFramesPlayed && rzx->Status() == RzxStatus::Playing; ++frame) machine->RunFrame();
    rzx->Stop();
    if (machine->RzxPlayback || machine->cpu.RzxPlayer) std::abort();  // the machine was not given back
    return 0;
}
