#pragma once
// What the debugger's next step (an instruction, or the acceptance of an
// interrupt) will do on the bus, worked out from the registers and the bytes at
// PC before it runs. The debugger's watched runs use it to stop before a write
// or a port access, so that the processor's own loop carries no check at all.

#include <array>
#include <cstdint>

#include "core/z80.h"

namespace tarvolinde {

struct BusPrediction {
    std::array<uint16_t, 2> Writes{};  // memory addresses written
    int WriteCount = 0;
    bool PortRead = false;
    bool PortWrite = false;
    uint16_t Port = 0;
    bool Return = false;  // a return instruction that is taken

    void Write(uint16_t address) { Writes[size_t(WriteCount++)] = address; }
};

BusPrediction PredictStep(const Z80& cpu);

}  // namespace tarvolinde
