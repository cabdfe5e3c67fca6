// The disassembler: its edge cases, every opcode form against the processor's
// own instruction lengths, and the 48K ROM against z80dasm's instruction boundaries.

#include "debugger/disassembler.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <regex>
#include <set>

#include "../core/flat_machine.h"

namespace tarvolinde {
namespace {

struct Case {
    std::vector<uint8_t> bytes;
    uint16_t address;
    bool hexadecimal;
    const char* text;
    int length;
};

class DisassemblerCases : public testing::TestWithParam<Case> {};

TEST_P(DisassemblerCases, GiveTheirTextAndLength) {
    const Case& c = GetParam();
    test::FlatMachine machine;
    for (size_t i = 0; i < c.bytes.size(); ++i) machine.ram[uint16_t(c.address + i)] = c.bytes[i];
    const Disassembly result = Disassemble(machine.cpu, c.address, NumberFormat{c.hexadecimal});
    EXPECT_EQ(result.Text, c.text);
    EXPECT_EQ(result.Length, c.length);
}

INSTANTIATE_TEST_SUITE_P(EdgeCases, DisassemblerCases, testing::Values(
    Case{{0xDD, 0x21, 0x34, 0x12}, 0, true, "LD IX,1234", 4},
    Case{{0xDD, 0x7E, 0xFE}, 0, true, "LD A,(IX-02)", 3},
    Case{{0xFD, 0x36, 0x05, 0x20}, 0, true, "LD (IY+05),20", 4},
    Case{{0xDD, 0xE9}, 0, true, "JP IX", 2},
    Case{{0xDD, 0xEB}, 0, true, "EX DE,HL", 2},
    Case{{0xDD, 0xE3}, 0, true, "EX (SP),IX", 2},
    Case{{0xED, 0x70}, 0, true, "IN (C)", 2},
    Case{{0xED, 0x71}, 0, true, "OUT (C),0", 2},
    Case{{0xED, 0x4D}, 0, true, "RETI", 2},
    Case{{0xED, 0xFF}, 0, true, "NOP", 2},
    Case{{0xED, 0xAB}, 0, true, "OUTD", 2},
    Case{{0x18, 0xFE}, 0x8000, true, "JR 8000", 2},
    Case{{0xCB, 0x7E}, 0, true, "BIT 07,(HL)", 2},
    Case{{0xCB, 0x7E}, 0, false, "BIT 007,(HL)", 2},
    Case{{0xC7}, 0, true, "RST 00", 1},
    Case{{0xFF}, 0, true, "RST 38", 1},
    Case{{0xFF}, 0, false, "RST 056", 1},
    Case{{0xFD, 0xCB, 0x03, 0x04}, 0, true, "RLC YH,(IY+03)", 4},
    Case{{0xDD, 0xDD, 0xFD, 0x2D}, 0, true, "DEC YL", 4},
    Case{{0xDD, 0x66, 0x80}, 0, false, "LD XH,(IX-128)", 3},
    Case{{0xED, 0x7E}, 0, true, "IM 2", 2},
    Case{{0x3A, 0x01, 0x00}, 0xFFFF, true, "LD A,(0001)", 3}));

// Every form of the seven tables, placed at 0x8000 and followed by zeros, runs on
// the processor with F = 0 (so conditional jumps on Z, C, PE and M fall through)
// and moves PC by the disassembled length, unless it jumps, calls, returns or repeats.
TEST(Disassembler, AllOpcodeFormsAgreeWithTheProcessorsLengths) {
    const std::vector<std::vector<uint8_t>> prefixes{{}, {0xCB}, {0xED}, {0xDD}, {0xFD}, {0xDD, 0xCB, 0}, {0xFD, 0xCB, 0}};
    std::set<std::string> texts;
    for (const auto& prefix : prefixes) {
        for (int op = 0; op < 256; ++op) {
            test::FlatMachine machine;
            std::vector<uint8_t> bytes = prefix;
            bytes.push_back(uint8_t(op));
            for (size_t i = 0; i < bytes.size(); ++i) machine.ram[0x8000 + i] = bytes[i];
            machine.cpu.PC.w = 0x8000;
            machine.cpu.SP.w = 0xC000;
            machine.cpu.AF.hi = 0;
            const Disassembly d = Disassemble(machine.cpu, 0x8000, NumberFormat{});
            texts.insert(d.Text);
            machine.Step();
            const bool transfer = std::regex_search(d.Text, std::regex("^(JP|CALL|RET|RST)|[ID]R$"));
            if (!transfer) {
                EXPECT_EQ(machine.cpu.PC.w, 0x8000 + d.Length) << d.Text << " prefix " << prefix.size() << " op " << op;
            }
        }
    }
    EXPECT_GT(texts.size(), 1000u);  // the forms are told apart
}

// z80dasm lists the ROM as "<instruction> ;ADDR <bytes>"; wherever it decodes an
// instruction (not "defb"), the disassembler must take the same number of bytes.
TEST(Disassembler, RomInstructionBoundariesAgreeWithZ80dasm) {
    const std::string rom = TESTDATA_DIR "/roms/48.rom";
    std::ifstream file(rom, std::ios::binary);
    if (!file) GTEST_SKIP() << "SKIP: no " << rom;
    if (std::system("z80dasm -V >/dev/null 2>&1") != 0) GTEST_SKIP() << "SKIP: z80dasm is not installed";
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    test::FlatMachine machine;
    std::copy(bytes.begin(), bytes.end(), machine.ram.begin());

    std::unique_ptr<FILE, int (*)(FILE*)> listing(popen(("z80dasm -u -a -t -g 0 " + rom + " 2>/dev/null").c_str(), "r"), pclose);
    ASSERT_TRUE(listing);
    const std::regex line(R"(^\t(\S+).*;([0-9a-f]{4})\t((?:[0-9a-f]{2} )+))");
    char buffer[512];
    int compared = 0;
    while (fgets(buffer, sizeof buffer, listing.get())) {
        std::cmatch m;
        if (!std::regex_search(buffer, m, line) || m[1] == "defb") continue;
        const uint16_t address = uint16_t(std::stoul(m[2], nullptr, 16));
        const int length = int(m[3].length() / 3);
        ASSERT_EQ(Disassemble(machine.cpu, address, NumberFormat{}).Length, length) << buffer;
        ++compared;
    }
    EXPECT_GT(compared, 9000);
}

}  // namespace
}  // namespace tarvolinde
