#pragma once
// Helpers for the tape tests: tape images built in the test, a 48K machine to
// play them into, and a recorder of the EAR edges the deck makes.

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "machine/machine_factory.h"
#include "machine/sp.h"
#include "tape/cinta.h"

namespace tarvolinde::test {

using Bytes = std::vector<uint8_t>;

// Byte by byte: GCC 12 warns falsely about vector::insert of small ranges.
inline void Append(Bytes& out, std::initializer_list<uint8_t> bytes) {
    for (uint8_t b : bytes) out.push_back(b);
}
inline void AppendWord(Bytes& out, uint32_t value) { Append(out, {uint8_t(value), uint8_t(value >> 8)}); }
inline void AppendDword(Bytes& out, uint32_t value) { AppendWord(out, value & 0xFFFF), AppendWord(out, value >> 16); }
inline void AppendText(Bytes& out, const std::string& text) {
    for (char c : text) out.push_back(uint8_t(c));
}

// Flag, data and the XOR checksum, as the ROM saves a block.
inline Bytes RomBlock(uint8_t flag, const Bytes& data) {
    Bytes block{flag};
    uint8_t parity = flag;
    for (uint8_t b : data) {
        block.push_back(b);
        parity ^= b;
    }
    block.push_back(parity);
    return block;
}

// The 17 bytes after the flag of a ROM header.
inline Bytes HeaderBody(uint8_t type, const std::string& name, uint16_t length, uint16_t param1, uint16_t param2 = 32768) {
    Bytes body{type};
    AppendText(body, (name + "          ").substr(0, 10));
    for (uint16_t word : {length, param1, param2}) AppendWord(body, word);
    return body;
}

inline Bytes TapOf(std::initializer_list<Bytes> blocks) {
    Bytes tap;
    for (const Bytes& block : blocks) {
        AppendWord(tap, uint32_t(block.size()));
        tap.insert(tap.end(), block.begin(), block.end());
    }
    return tap;
}

inline Bytes TzxHeader() {
    Bytes header;
    AppendText(header, "ZXTape!");
    Append(header, {0x1A, 1, 20});
    return header;
}

inline Bytes TzxOf(std::initializer_list<Bytes> blocks) {
    Bytes tzx = TzxHeader();
    for (const Bytes& block : blocks) tzx.insert(tzx.end(), block.begin(), block.end());
    return tzx;
}

inline Bytes Csw(uint8_t version, uint8_t compression, const Bytes& data, uint16_t rate = 44100) {
    Bytes file;
    AppendText(file, "Compressed Square Wave");
    Append(file, {0x1A, version, 0});
    if (version == 1) {
        AppendWord(file, rate);
        Append(file, {compression, 0, 0, 0, 0});
    } else {
        AppendDword(file, rate);
        AppendDword(file, 0);
        Append(file, {compression, 0, 0});
        file.resize(52);
    }
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

// A RIFF WAVE file of PCM samples, with a chunk the reader must step over.
inline Bytes Wav(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, const Bytes& samples, uint32_t formatSize = 16) {
    Bytes file;
    AppendText(file, "RIFF");
    AppendDword(file, uint32_t(48 + formatSize + samples.size()));
    AppendText(file, "WAVEfmt ");
    AppendDword(file, formatSize);
    AppendWord(file, tag);
    AppendWord(file, channels);
    AppendDword(file, rate);
    AppendDword(file, rate * channels * bits / 8);
    AppendWord(file, channels * bits / 8);
    AppendWord(file, bits);
    file.resize(file.size() + formatSize - 16);
    AppendText(file, "LIST");
    Append(file, {3, 0, 0, 0, 1, 2, 3, 0});
    AppendText(file, "data");
    AppendDword(file, uint32_t(samples.size()));
    file.insert(file.end(), samples.begin(), samples.end());
    return file;
}

// A machine whose ROM holds what the fast-load shortcut and auto play look for
// and nothing else: RET at 0x05E2, and IN A,(0xFE) / RRA / RET NC / XOR C /
// AND 0x20 from 0x05F1, as in the ROM's edge-sampling loop.
inline std::unique_ptr<TSp> DeckMachine(int modelIndex = kModel48K) {
    auto machine = CreateMachine(modelIndex, [](std::string_view name) -> std::optional<std::vector<uint8_t>> {
        Bytes rom(name == "Trdos.rom" ? 0x4000 : 0x10000, 0x00);
        for (size_t page = 0; page < rom.size(); page += 0x4000) {
            const uint8_t sampling[] = {0xDB, 0xFE, 0x1F, 0xD0, 0xA9, 0xE6, 0x20};
            std::copy(std::begin(sampling), std::end(sampling), rom.begin() + long(page + 0x05F1));
            rom[page + 0x05E2] = 0xC9;
        }
        return rom;
    });
    machine->cpu.PC.w = 0x8000;
    return machine;
}

// Plays the attached, playing tape T-state by T-state and returns the T-states
// at which the EAR level changed, until it stops or `limit` T-states have passed.
inline std::vector<uint64_t> EdgeTimes(TCinta& tape, TSp& machine, uint64_t limit) {
    std::vector<uint64_t> edges;
    uint8_t level = machine.EarMask & 0x40;
    for (uint64_t t = machine.cpu.TotalTStates; t < limit && tape.Playing(); ++t) {
        machine.cpu.TotalTStates = t;
        tape.Update();
        if ((machine.EarMask & 0x40) != level) {
            level = machine.EarMask & 0x40;
            edges.push_back(t);
        }
    }
    return edges;
}

#ifdef TESTDATA_DIR
inline std::string TapeDir() { return TESTDATA_DIR "/tapes/"; }
#endif
// A test name made of the letters and digits of a file name.
inline std::string FileTestName(std::string name) {
    std::replace_if(name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
    return name;
}

inline std::optional<Bytes> ReadTestFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace tarvolinde::test
