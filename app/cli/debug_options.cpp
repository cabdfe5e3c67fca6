#include "app/cli/debug_options.h"

#include <cstdio>

#include "app/cli/cli_options.h"
#include "machine/sp.h"

namespace tarvolinde::cli {

namespace {

// An option's number, at most `limit`.
std::optional<uint32_t> Number(std::string_view text, uint32_t limit) {
    uint64_t value = 0;
    if (!ParseUnsigned(text, value) || value > limit) return std::nullopt;
    return uint32_t(value);
}

// "A" or "A<separator>B", each part a number up to `limit`.
bool Pair(std::string_view text, char separator, uint32_t limit, uint32_t& first, std::optional<uint32_t>& second) {
    const size_t at = text.find(separator);
    const auto a = Number(text.substr(0, at), limit);
    if (!a) return false;
    first = *a;
    if (at == std::string_view::npos) return true;
    second = Number(text.substr(at + 1), limit);
    return second.has_value();
}

const char* KindName(BreakKind kind) {
    switch (kind) {
    case BreakKind::Address: return "address";
    case BreakKind::Write: return "write";
    default: return "port";
    }
}

}  // namespace

bool IsDebugOption(const std::string& arg) {
    return arg == "--break" || arg == "--break-write" || arg == "--break-port" || arg == "--disassemble";
}

bool ParseDebugOption(const std::string& arg, const std::string& value, DebugOptions& debug, std::string& error) {
    uint32_t first = 0;
    std::optional<uint32_t> second;
    Breakpoint breakpoint;
    bool valid = true;
    if (arg == "--disassemble") {
        valid = Pair(value, ':', 0xFFFF, first, second) && (!second || (*second >= 1 && *second <= 1000));
        if (!valid) {
            error = "invalid value for --disassemble: " + value + " (ADDR[:N], ADDR 0-0xFFFF, N 1-1000)";
            return false;
        }
        debug.disassembleAt = uint16_t(first);
        debug.disassembleLines = int(second.value_or(Debugger::kListLines));
        return true;
    }
    if (arg == "--break") {
        valid = Pair(value, '\0', 0xFFFF, first, second);
        breakpoint = {BreakKind::Address, uint16_t(first), uint16_t(first)};
    } else if (arg == "--break-write") {
        valid = Pair(value, '-', 0xFFFF, first, second) && second.value_or(first) >= first;
        breakpoint = {BreakKind::Write, uint16_t(first), uint16_t(second.value_or(first))};
    } else {
        valid = Pair(value, '/', 0xFFFF, first, second);
        breakpoint = {BreakKind::Port, uint16_t(first), uint16_t(second.value_or(0xFFFF))};
    }
    if (!valid) {
        error = "invalid value for " + arg + ": " + value +
                (arg == "--break"         ? " (an address 0-0xFFFF)"
                 : arg == "--break-write" ? " (ADDR or FIRST-LAST, addresses 0-0xFFFF, FIRST <= LAST)"
                                          : " (PORT or PORT/MASK, each 0-0xFFFF)");
        return false;
    }
    if (debug.breakpoints.size() >= Debugger::kMaxBreakpoints) {
        error = "at most " + std::to_string(Debugger::kMaxBreakpoints) + " breakpoints";
        return false;
    }
    debug.breakpoints.push_back(breakpoint);
    return true;
}

BreakWatch::BreakWatch(TSp& machine, const DebugOptions& options) : machine_(machine), options_(options) {
    if (options.breakpoints.empty() && !options.disassembleAt) return;
    // The debugger's Open sets the interrupt window, as every frame does anyway.
    debugger_ = std::make_unique<Debugger>(machine);
    for (const Breakpoint& breakpoint : options.breakpoints) debugger_->AddBreakpoint(breakpoint);
}

BreakWatch::~BreakWatch() = default;

bool BreakWatch::RunFrame() {
    if (hit_) return false;
    if (options_.breakpoints.empty()) {
        machine_.RunFrame();
        return true;
    }
    const RunResult result = debugger_->RunFrame();
    if (result.Reason == StopReason::Breakpoint) hit_ = result;
    return !hit_;
}

std::optional<std::string> BreakWatch::BreakLine() const {
    if (!hit_) return std::nullopt;
    char text[64];
    std::snprintf(text, sizeof text, "break: %s at PC=%04X", KindName(hit_->Kind), unsigned(hit_->PC));
    return text;
}

std::vector<std::string> BreakWatch::Listing() const {
    std::vector<std::string> lines;
    if (!options_.disassembleAt) return lines;
    uint16_t address = *options_.disassembleAt;
    for (int i = 0; i < options_.disassembleLines; ++i) {
        const Disassembly instruction = Disassemble(machine_.cpu, address, debugger_->Format);
        char text[96];
        std::snprintf(text, sizeof text, "%s  %-11s  %s", debugger_->Format.Word(address).c_str(),
                      InstructionBytes(machine_.cpu, address, instruction.Length, debugger_->Format).c_str(),
                      instruction.Text.c_str());
        lines.push_back(text);
        address = uint16_t(address + instruction.Length);
    }
    return lines;
}

}  // namespace tarvolinde::cli
