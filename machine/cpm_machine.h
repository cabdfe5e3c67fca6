#pragma once
// A bare processor running CP/M programs: 64 KB of flat RAM without
// contention, the program at 0x0100 and just enough of the BDOS for test
// programs (function 2 prints E, function 9 prints the $-terminated string at
// DE). A jump to 0x0000 ends the run.

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "core/z80.h"

namespace tarvolinde {

class CpmMachine : public MachineInterface {
public:
    using OutputSink = std::function<void(std::string_view)>;

    // Copies the program to 0x0100 (at most 0xFD00 - 0x100 bytes are kept) and
    // prepares the BDOS entry and the warm-boot trap.
    CpmMachine(std::span<const uint8_t> program, OutputSink output);

    // Runs until the program ends or maxTStates have passed (0: no limit).
    // Returns true when the program ended by jumping to 0x0000.
    bool Run(uint64_t maxTStates = 0);

    // T-states executed when the program ended, or so far.
    uint64_t TStates() const { return finished_ ? endTStates_ : cpu.TotalTStates; }
    bool Finished() const { return finished_; }

    uint8_t InPort(uint16_t port) override;
    void OutPort(uint16_t port, uint8_t value) override;

    std::array<uint8_t, 0x10000> ram{};
    Z80 cpu;

private:
    void bdosCall();

    OutputSink output_;
    bool finished_ = false;
    uint64_t endTStates_ = 0;
};

}  // namespace tarvolinde
