#pragma once
// Runs one tape format over arbitrary bytes: the file is parsed (a format error
// is a fine outcome), then the deck is driven against the machine's clock for
// the equivalent of some eighty frames, with the ROM loader shortcut, stops,
// rewinds, browser jumps and the preview thrown in. Any crash, read outside a
// buffer, undefined behaviour or hang is a finding.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "machine/machine_factory.h"
#include "tape/tape_error.h"
#include "tape/tape_factory.h"

namespace tarvolinde::fuzz {

// A 48K machine on a made-up ROM that holds just the instructions the
// fast-load shortcut looks for: IN A,(0xFE) at 0x05F1 and RET at 0x05E2.
inline TSp& FuzzMachine() {
    static std::unique_ptr<TSp> machine = CreateMachine(kModel48K, [](std::string_view) {
        std::optional<std::vector<uint8_t>> rom(std::vector<uint8_t>(0x4000, 0x00));
        (*rom)[0x05F1] = 0xDB;
        (*rom)[0x05F2] = 0xFE;
        (*rom)[0x05E2] = 0xC9;
        return rom;
    });
    return *machine;
}

// A small generator, so that every input is driven the same way on every run.
class Steps {
public:
    explicit Steps(uint64_t seed) : state_(seed * 2862933555777941757ull + 3037000493ull) {}
    uint32_t Next(uint32_t bound) {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return uint32_t((state_ >> 33) % bound);
    }

private:
    uint64_t state_;
};

inline int RunTape(TapeKind kind, const uint8_t* data, size_t size) {
    std::unique_ptr<TCinta> tape;
    try {
        tape = CreateTape(kind, std::vector<uint8_t>(data, data + size));
    } catch (const TapeFormatError&) {
        return 0;
    }
    PreviewScreen screen{};
    PreviewBitmap bitmap{};
    tape->Preview(screen, bitmap);

    TSp& machine = FuzzMachine();
    machine.cpu.TotalTStates = 0;
    machine.AutoPlayStop = (size & 1) != 0;
    tape->FastLoad = (size & 2) != 0;
    tape->AutoRewind = (size & 4) != 0;
    tape->Attach(&machine);
    Steps steps(size);
    constexpr int kSteps = 20000;
    for (int i = 0; i < kSteps; ++i) {
        // Short gaps like a loader's port reads, now and then a long one.
        machine.cpu.TotalTStates += steps.Next(64) == 0 ? steps.Next(20000) : steps.Next(300);
        const uint32_t event = steps.Next(16000);
        if (event == 0) tape->Stop(true);
        else if (event == 1) tape->GoToBlock(int32_t(steps.Next(uint32_t(tape->Blocks().Count() + 2))) - 1);
        if (event < 800) {
            // Inside the ROM loader's sampling IN, with whatever it asks for.
            machine.cpu.PC.w = 0x05F3;
            machine.cpu.DE.w = uint16_t(steps.Next(0x10000));
            machine.cpu.IX.w = uint16_t(steps.Next(0x10000));
            machine.cpu.AF_.w = uint16_t(steps.Next(0x10000));
        } else {
            machine.cpu.PC.w = 0x8000;
        }
        if (tape->Playing()) tape->Update();
        else tape->Play();
    }
    tape->Attach(nullptr);
    return 0;
}

}  // namespace tarvolinde::fuzz
