#include "machine/cpm_machine.h"

#include <algorithm>
#include <string>

namespace tarvolinde {

namespace {
constexpr uint16_t kProgramStart = 0x0100;
constexpr uint16_t kBdosCode = 0xFE00;
// Ports used by the traps; the operand byte of OUT (n),A selects the service.
constexpr uint8_t kBdosPort = 0x01;
constexpr uint8_t kExitPort = 0x00;
// The run is split into slices so that FrameTStates stays small.
constexpr int32_t kSlice = 1 << 20;
}  // namespace

CpmMachine::CpmMachine(std::span<const uint8_t> program, OutputSink output)
    : cpu(*this), output_(std::move(output)) {
    for (int slot = 0; slot < 4; ++slot) {
        cpu.ReadPages[slot] = ram.data() + slot * 0x4000;
        cpu.WritePages[slot] = ram.data() + slot * 0x4000;
    }
    const size_t size = std::min<size_t>(program.size(), kBdosCode - kProgramStart);
    std::copy_n(program.begin(), size, ram.begin() + kProgramStart);

    // 0x0000: OUT (0),A; HALT       -- warm boot ends the run
    // 0x0005: JP 0xFE00             -- programs read the top of memory at 0x0006
    // 0xFE00: OUT (1),A; RET        -- the BDOS services
    const uint8_t warmBoot[] = {0xD3, kExitPort, 0x76};
    std::copy(std::begin(warmBoot), std::end(warmBoot), ram.begin());
    const uint8_t bdosEntry[] = {0xC3, uint8_t(kBdosCode), uint8_t(kBdosCode >> 8)};
    std::copy(std::begin(bdosEntry), std::end(bdosEntry), ram.begin() + 5);
    const uint8_t bdos[] = {0xD3, kBdosPort, 0xC9};
    std::copy(std::begin(bdos), std::end(bdos), ram.begin() + kBdosCode);

    cpu.ResetCpu();
    cpu.PC.w = kProgramStart;
    cpu.SP.w = kBdosCode;
    cpu.IntWindowEnd = -1;  // no interrupts
    cpu.FrameTStates = 0;
}

bool CpmMachine::Run(uint64_t maxTStates) {
    while (!finished_) {
        int32_t slice = kSlice;
        if (maxTStates) {
            if (cpu.TotalTStates >= maxTStates) break;
            slice = int32_t(std::min<uint64_t>(kSlice, maxTStates - cpu.TotalTStates));
        }
        cpu.RunUntil(slice);
        cpu.FrameTStates -= std::min(cpu.FrameTStates, slice);
    }
    return finished_;
}

uint8_t CpmMachine::InPort(uint16_t) { return 0xFF; }

void CpmMachine::OutPort(uint16_t port, uint8_t) {
    switch (port & 0xFF) {
    case kBdosPort: bdosCall(); break;
    case kExitPort:
        if (!finished_) {
            finished_ = true;
            endTStates_ = cpu.TotalTStates;
        }
        break;
    default: break;
    }
}

void CpmMachine::bdosCall() {
    switch (cpu.BC.lo) {
    case 2: {
        const char c = char(cpu.DE.lo);
        output_(std::string_view(&c, 1));
        break;
    }
    case 9: {
        std::string text;
        for (uint16_t address = cpu.DE.w; ram[address] != '$' && text.size() < 0x10000; ++address)
            text.push_back(char(ram[address]));
        output_(text);
        break;
    }
    default: break;
    }
}

}  // namespace tarvolinde
