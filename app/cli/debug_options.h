#pragma once
// The runner's debugger options: breakpoints that stop the run at their first
// hit, and a disassembly listing after the run.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "debugger/debugger.h"

namespace tarvolinde {
class TSp;
}

namespace tarvolinde::cli {

struct DebugOptions {
    std::vector<Breakpoint> breakpoints;  // --break, --break-write, --break-port
    std::optional<uint16_t> disassembleAt;  // --disassemble ADDR[:N]
    int disassembleLines = Debugger::kListLines;
};

// Whether `arg` is one of the options above (each takes a value).
bool IsDebugOption(const std::string& arg);
// Takes the option's value; false with `error` filled when it is not valid.
bool ParseDebugOption(const std::string& arg, const std::string& value, DebugOptions& debug, std::string& error);

// The machine's frames, run under the breakpoints when there are any.
class BreakWatch {
public:
    BreakWatch(TSp& machine, const DebugOptions& options);
    ~BreakWatch();
    // Runs one frame; false (and no more frames) once a breakpoint has stopped the run.
    bool RunFrame();
    bool Stopped() const { return hit_.has_value(); }
    // "break: <kind> at PC=<hex>" when the run was stopped.
    std::optional<std::string> BreakLine() const;
    // The --disassemble listing, as the debugger's instruction list shows it.
    std::vector<std::string> Listing() const;

private:
    TSp& machine_;
    const DebugOptions& options_;
    std::unique_ptr<Debugger> debugger_;
    std::optional<RunResult> hit_;
};

}  // namespace tarvolinde::cli
