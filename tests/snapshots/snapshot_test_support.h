#pragma once
// Helpers for the snapshot tests: machines to load into, a busy machine state
// to save, and the state as comparable text.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/cli/state_report.h"
#include "snapshots/snapshot.h"
#include "tests/machine/machine_test_support.h"

namespace tarvolinde::test {

// Owns the machine a snapshot is loaded into; each model switch builds a fresh one.
struct MachineSlot {
    RomProvider roms = AllMadeUpRoms();
    std::unique_ptr<TSp> machine;
    int switches = 0;
    ModelSelector Selector() {
        return [this](int model) -> TSp& { return ++switches, *(machine = CreateMachine(model, roms)); };
    }
};

// A byte pattern with runs of every length, lone and paired 0xED bytes and
// noise, different for every page.
inline void FillPage(std::span<uint8_t, kPageSize> page, int seed) {
    uint32_t state = 0x9E3779B9u * uint32_t(seed + 1);
    size_t i = 0;
    while (i < page.size()) {
        state = state * 1664525u + 1013904223u;
        const uint8_t value = (state >> 24) % 7 == 0 ? 0xED : uint8_t(state >> 16);
        const size_t run = 1 + (state >> 8) % ((state & 0x80) ? 300 : 4);
        for (size_t k = 0; k < run && i < page.size(); ++k) page[i++] = value;
    }
}

// Puts a state with no power-on values left into the machine: every register,
// every RAM page of the model, paging, border, AY and frame position. An
// `unlocked` page goes at 0xC000 instead of the locked page 3.
inline void MakeBusy(TSp& machine, int unlocked = -1) {
    for (int page = 0; page < int(std::max(machine.RamKb, 128u) / 16); ++page)
        if (machine.RamKb > 48 || page == 5 || (machine.RamKb == 48 && (page == 0 || page == 2)))
            FillPage(machine.RamPage(page), page);

    Z80& cpu = machine.cpu;
    cpu.SetProgramAF(0x1234);
    cpu.SetProgramAF_(0x5678);
    uint16_t value = 0x2345;
    for (RegisterPair* pair : {&cpu.BC, &cpu.DE, &cpu.HL, &cpu.BC_, &cpu.DE_, &cpu.HL_, &cpu.IX, &cpu.IY})
        pair->w = value += 0x1111;
    cpu.SP.w = 0xBF40, cpu.PC.w = 0x8123;
    cpu.I = 0x3F, cpu.RCounter = 0x35, cpu.RBit7 = 0x80;
    cpu.IM = 2, cpu.IFF1 = cpu.IFF2 = 1;
    machine.LastFE = machine.screen.BorderColour = 5;

    if (machine.RamKb >= 128) {
        const bool secondPort = TraitsOf(machine.Model().Family).NearAccessRule;
        const bool pentagon = machine.Model().Family == MachineFamily::Penta;
        // On the Pentagon a write to 0x1FFD reaches 0x7FFD.
        if (secondPort && !pentagon) machine.OutPort(0x1FFD, machine.RamKb == 256 ? 0x10 : 0x04);
        // Page 3 at 0xC000, the shadow screen, ROM 1 and the paging lock.
        machine.OutPort(0x7FFD, unlocked < 0 ? 0x3B : uint8_t(unlocked));
    }
    if (machine.AyPresent) {
        for (uint8_t reg = 0; reg < 16; ++reg) machine.Ay.Select(reg), machine.Ay.Write(uint8_t(0x5A + 17 * reg));
        machine.Ay.Select(9);
    }
    cpu.FrameTStates = 1234;
}

// The state as --dump-state prints it, with the border colour and the AY registers.
inline std::vector<std::string> StateLines(const TSp& machine, bool withTime = true, bool withAy = true) {
    std::vector<std::string> lines;
    for (const std::string& line : tarvolinde::cli::DumpState(machine))
        if (withTime || line.rfind("T=", 0) != 0) lines.push_back(line);
    lines.push_back("border=" + std::to_string(machine.screen.BorderColour));
    if (withAy) {
        lines.push_back("aySelected=" + std::to_string(machine.Ay.AySelected));
        for (int reg = 0; reg < 16; ++reg)
            lines.push_back("ay" + std::to_string(reg) + "=" + std::to_string(machine.Ay.AyRegs[size_t(reg)]));
    }
    return lines;
}

}  // namespace tarvolinde::test
