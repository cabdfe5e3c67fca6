#pragma once
// A snapshot file turned into plain data: what the parsers produce and what is
// put into a machine once the whole file has been checked.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/registers.h"
#include "machine/model_table.h"
#include "machine/sp.h"

namespace tarvolinde {

// The models that the SNA, Z80 and SP formats load into and save from: "48 Kb" and "128 Kb".
inline constexpr int kSnapshot48Model = kModel48K;
inline constexpr int kSnapshot128Model = 4;
static_assert(Models[kSnapshot128Model].Caption == "128 Kb");

// One 16 KB page of the file, put into RAM or ROM page `Page` of the machine.
struct SnapshotPage {
    bool Rom = false;
    uint8_t Page = 0;
    std::vector<uint8_t> Bytes;  // kPageSize bytes
};

struct SnapshotAy {
    uint8_t Selected = 0;
    std::array<uint8_t, 16> Registers{};
};

struct SnapshotImage {
    int ModelIndex = kModel48K;
    // Every register (the formats hold them all but the halt state).
    Registers Cpu{};
    uint8_t LastFE = 0;  // the border is its low three bits
    std::optional<int32_t> FrameTStates;  // within the model's frame
    std::optional<uint8_t> Port7FFD;
    std::optional<uint8_t> Port1FFD;
    std::optional<SnapshotAy> Ay;
    // Applied in this order, so a later page of the same number wins.
    std::vector<SnapshotPage> Pages;
    // The 48K SNA keeps PC on the stack: it is popped once memory is in place.
    bool PopPc = false;
    // Settings some formats keep with the machine (the "Issue 2" option, the joystick).
    std::optional<bool> Issue2;
    std::optional<JoystickType> Joystick;
};

}  // namespace tarvolinde
