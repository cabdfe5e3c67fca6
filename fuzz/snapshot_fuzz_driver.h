#pragma once
// Runs one snapshot format over arbitrary bytes: preview and parse (a format
// error is a fine outcome); a file that parses is loaded into a machine of its
// model, run for a moment, saved again where the format allows it, and the
// saved file must parse. Any crash, read outside a buffer, undefined behaviour,
// hang or unexpected exception is a finding.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "machine/machine_factory.h"
#include "snapshots/snapshot.h"

namespace tarvolinde::fuzz {

// One machine per model, on made-up ROMs of NOPs, built once: each load resets it.
inline TSp& MachineOfModel(int modelIndex) {
    static std::array<std::unique_ptr<TSp>, kModelCount> machines;
    auto& machine = machines[size_t(modelIndex)];
    if (!machine)
        machine = CreateMachine(modelIndex, [](std::string_view) {
            return std::optional<std::vector<uint8_t>>(std::vector<uint8_t>(0x10000, 0x00));
        });
    return *machine;
}

inline int RunSnapshot(SnapshotKind kind, const uint8_t* data, size_t size) {
    const std::span<const uint8_t> file(data, size);
    const std::unique_ptr<TSnapshot> format = MakeSnapshot(kind);
    try {
        format->Preview(file);
    } catch (const SnapshotError&) {
    }
    SnapshotImage image;
    try {
        image = format->Parse(file);
    } catch (const SnapshotError&) {
        return 0;
    }
    TSp& machine = ApplySnapshot(image, MachineOfModel);
    // Whatever the file held, the processor must run from it.
    machine.cpu.RunUntil(machine.cpu.FrameTStates + 500);
    if (machine.cpu.FrameTStates >= machine.cpu.FrameLength) machine.EndFrame();
    if (format->CanSave(machine.ModelIndex)) {
        const std::vector<uint8_t> again = format->Save(machine);
        try {
            format->Parse(again);
        } catch (const SnapshotError&) {
            std::abort();  // the saver wrote a file its own parser refuses
        }
    }
    return 0;
}

}  // namespace tarvolinde::fuzz
