#include "app/cli/state_report.h"

#include <cstdio>

#include "app/cli/sha256.h"
#include "machine/video/screen_text.h"

namespace tarvolinde::cli {

namespace {

std::string Hex(unsigned value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*X", digits, value);
    return buffer;
}

// The character set of the Spectrum ROMs: 96 characters at 0x3D00 of the ROM page.
constexpr size_t kCharacterSetOffset = 0x3D00;
constexpr size_t kCharacterSetSize = 768;

// A real character set has a blank space and no other blank glyph; other ROM
// code at the same place would match blank cells as letters.
bool LooksLikeCharacterSet(const uint8_t* set) {
    const auto blank = [set](int glyph) {
        for (int row = 0; row < 8; ++row)
            if (set[glyph * 8 + row]) return false;
        return true;
    };
    if (!blank(0)) return false;
    for (int glyph = 1; glyph < 96; ++glyph)
        if (blank(glyph)) return false;
    return true;
}

}  // namespace

std::vector<int> RamPagesOf(const TSp& machine) {
    if (machine.RamKb <= 48) return {0, 2, 5};
    std::vector<int> pages;
    for (int page = 0; page < int(machine.RamKb / 16); ++page) pages.push_back(page);
    return pages;
}

std::vector<std::string> DumpState(const TSp& machine) {
    const Z80& cpu = machine.cpu;
    std::vector<std::string> lines = {
        "model=" + std::to_string(machine.ModelIndex),
        "AF=" + Hex(cpu.ProgramAF(), 4),   "BC=" + Hex(cpu.BC.w, 4),   "DE=" + Hex(cpu.DE.w, 4),
        "HL=" + Hex(cpu.HL.w, 4),          "AF'=" + Hex(cpu.ProgramAF_(), 4),
        "BC'=" + Hex(cpu.BC_.w, 4),        "DE'=" + Hex(cpu.DE_.w, 4), "HL'=" + Hex(cpu.HL_.w, 4),
        "IX=" + Hex(cpu.IX.w, 4),          "IY=" + Hex(cpu.IY.w, 4),   "SP=" + Hex(cpu.SP.w, 4),
        "PC=" + Hex(cpu.PC.w, 4),          "I=" + Hex(cpu.I, 2),       "R=" + Hex(cpu.R(), 2),
        "IM=" + std::to_string(cpu.IM),    "IFF1=" + std::to_string(cpu.IFF1),
        "IFF2=" + std::to_string(cpu.IFF2),
        "7FFD=" + Hex(machine.Port7FFD, 2), "1FFD=" + Hex(machine.Port1FFD, 2), "FE=" + Hex(machine.LastFE, 2),
        "T=" + std::to_string(cpu.FrameTStates),
    };
    for (int page : RamPagesOf(machine))
        lines.push_back("page" + std::to_string(page) + "=" + Sha256Hex(machine.RamPage(page)));
    return lines;
}

std::string PeekLine(const TSp& machine, const PeekRequest& peek) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "peek 0x%04x:", peek.address);
    std::string line = buffer;
    for (uint32_t i = 0; i < peek.length; ++i) {
        std::snprintf(buffer, sizeof buffer, " %02x", machine.cpu.ReadByteFree(uint16_t(peek.address + i)));
        line += buffer;
    }
    return line;
}

std::vector<std::string> ScreenAsText(const TSp& machine) {
    std::vector<std::string> rows(24, std::string(32, '?'));
    bool first = true;
    const std::span<const uint8_t, kScreenCells> pixels(machine.screen.PixelLatch);
    // Every ROM page's character set is tried, the paged one first; a cell keeps the first match.
    std::vector<const uint8_t*> sets = {machine.cpu.ReadPages[0] + kCharacterSetOffset};
    for (int page = 0; page < kRomPages; ++page) sets.push_back(machine.RomPage(page).data() + kCharacterSetOffset);
    for (const uint8_t* set : sets) {
        if (!LooksLikeCharacterSet(set)) continue;
        const auto text = ScreenText(pixels, std::span<const uint8_t, kCharacterSetSize>(set, kCharacterSetSize));
        if (first) {
            rows = text, first = false;
            continue;
        }
        for (size_t row = 0; row < rows.size(); ++row)
            for (size_t column = 0; column < rows[row].size(); ++column)
                if (rows[row][column] == '?') rows[row][column] = text[row][column];
    }
    return rows;
}

}  // namespace tarvolinde::cli
