#pragma once
// Helpers for the machine model tests: machines built on made-up ROMs, the real
// ROMs of the test corpus, and single-stepping code placed in memory.

#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "machine/input/keyboard_matrix.h"
#include "machine/input/keyboard_typing.h"
#include "machine/machine_factory.h"
#include "machine/sp.h"

namespace tarvolinde::test {

// Four ROM pages, each filled with 0xC0 + its page number, so that a read from
// slot 0 tells which ROM page is mapped.
inline std::vector<uint8_t> MarkedRom() {
    std::vector<uint8_t> rom(kRomPages * kPageSize);
    for (size_t i = 0; i < rom.size(); ++i) rom[i] = uint8_t(0xC0 + i / kPageSize);
    return rom;
}

// A ROM provider over made-up ROMs: every file name in `present` gives MarkedRom().
inline RomProvider MadeUpRoms(std::vector<std::string> present) {
    return [present](std::string_view name) -> std::optional<std::vector<uint8_t>> {
        for (const std::string& file : present)
            if (file == name) return MarkedRom();
        return std::nullopt;
    };
}

// Every model's ROM files, made up. "Trdos.rom" is filled with 0xC3, so that
// ROM page 3 reads the same on every model.
inline RomProvider AllMadeUpRoms() {
    return [](std::string_view name) -> std::optional<std::vector<uint8_t>> {
        if (name == "Trdos.rom") return std::vector<uint8_t>(kPageSize, 0xC3);
        return MarkedRom();
    };
}

inline std::string RomDir() { return TESTDATA_DIR "/roms/"; }

// The ROM files of the test corpus.
inline RomProvider CorpusRoms() {
    return [](std::string_view name) -> std::optional<std::vector<uint8_t>> {
        std::ifstream file(RomDir() + std::string(name), std::ios::binary);
        if (!file) return std::nullopt;
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    };
}

inline bool CorpusHas(std::string_view name) { return CorpusRoms()(name).has_value(); }

inline std::unique_ptr<TSp> MadeUpMachine(int modelIndex, MachineOptions options = {}, MachineDevices devices = {}) {
    return CreateMachine(modelIndex, AllMadeUpRoms(), options, devices);
}

// Stores bytes with no timing, through the machine's current page tables.
inline void Poke(TSp& machine, uint16_t address, std::initializer_list<uint8_t> bytes) {
    for (uint8_t b : bytes) machine.cpu.WriteByteFree(address++, b);
}

// Runs exactly one instruction (no interrupt) and returns the T-states it took.
inline int32_t Step(TSp& machine) {
    const int32_t start = machine.cpu.FrameTStates;
    machine.cpu.IntWindowEnd = -1;
    machine.cpu.RunUntil(start + 1);
    return machine.cpu.FrameTStates - start;
}

// Addresses at which an instruction started during one frame, stepped with the
// frame's own phases so that the interrupt and contention are as in a normal frame.
inline std::set<uint16_t> AddressesRunInOneFrame(TSp& machine) {
    std::set<uint16_t> addresses;
    Z80& cpu = machine.cpu;
    const auto runTo = [&](int32_t end) {
        while (cpu.FrameTStates < end) {
            addresses.insert(cpu.PC.w);
            cpu.RunUntil(cpu.FrameTStates + 1);
        }
    };
    cpu.IntWindowEnd = 32;
    runTo(cpu.ScreenStartT);
    cpu.IntWindowEnd = cpu.FrameRoutine == Z80::FrameProcedure::Inves ? 14396 : 32;
    cpu.ContentionActive = 1;
    runTo(cpu.ScreenEndT);
    machine.CaptureScreen();
    cpu.ContentionActive = 0;
    runTo(cpu.FrameLength);
    machine.EndFrame();
    return addresses;
}

// Runs `frames` frames (to boot), then types `text` as the runner's --type does.
inline void BootAndType(TSp& machine, const std::string& text, int frames = 100) {
    for (int i = 0; i < frames; ++i) machine.RunFrame();
    for (TypingSession typing(text); !typing.Done(); machine.RunFrame()) typing.BeforeFrame(machine.KeyRows);
    machine.KeyRows = kAllKeysUp;
}

}  // namespace tarvolinde::test
