#pragma once
// The per-T-state tables of a machine model: memory contention, the byte the ULA
// is fetching (floating bus), and where the beam is for the border and for the
// screen bytes. Built once when a machine is constructed; every use during
// emulation is a single lookup by the frame's T-state.

#include <array>
#include <cstdint>

#include "core/z80.h"
#include "machine/model_table.h"

namespace tarvolinde {

struct TimingTables {
    // Extra T-states for a contended access starting at that T-state.
    std::array<int32_t, kTimingTableSize> ContentionTable;
    // Offset in the screen page of the byte the ULA fetches then, or -1.
    std::array<int32_t, kTimingTableSize> FloatingBusTable;
    // Index in the 320 x 240 border bitmap the beam has reached, or -1 outside the frame.
    std::array<int32_t, kTimingTableSize> BorderPosTable;
    // Screen cells (in display order) whose bytes the beam has fetched, or -1 outside the frame.
    std::array<int32_t, kTimingTableSize> ScreenCellTable;
};

// Fills all four tables as the machines of this class time their frames.
void BuildTimingTables(MachineFamily family, TimingTables& tables);

}  // namespace tarvolinde
