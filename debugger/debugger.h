#pragma once
// The debugger's logic, free of any interface toolkit: the processor and paging
// state as the "Monitor" window shows it (with what changed since the last
// look), register and flag editing, the instruction list, breakpoints, and the
// runs that step, step over, run to an address, run to a breakpoint or step out.
//
// Runs go one instruction step at a time through the processor's RunUntil,
// keeping the frame's contention and interrupt schedule, so a run here is the
// same run as the emulation's. Write and port breakpoints are checked against
// what the next step will do (bus_prediction.h): the processor's loop is the
// emulation's own and costs the same whether breakpoints exist or not.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "debugger/disassembler.h"

namespace tarvolinde {

class TSp;

enum class BreakKind : uint8_t { Address, Write, Port };

struct Breakpoint {
    BreakKind Kind = BreakKind::Address;
    uint16_t First = 0;  // the address, the first address written, or the port
    uint16_t Last = 0;   // the last address written, or the port's mask
    bool operator==(const Breakpoint&) const = default;
};

// Why a run ended.
enum class StopReason : uint8_t { FrameEnd, Request, RunTo, Breakpoint, Returned };

struct RunResult {
    StopReason Reason = StopReason::FrameEnd;
    BreakKind Kind = BreakKind::Address;  // of the breakpoint hit
    uint16_t PC = 0;                      // where the run stopped
};

// Register tags, as the register boxes carry them.
enum RegisterTag { kAF, kAF2, kBC, kBC2, kDE, kDE2, kHL, kHL2, kIX, kIY, kPC, kSP, kIR, kRegisterCount };

class Debugger {
public:
    static constexpr size_t kMaxBreakpoints = 10;
    static constexpr int kListLines = 12;
    static constexpr int kStackWords = 5;
    static constexpr int kPortCount = 3;  // LastFE, Port7FFD, Port1FFD

    explicit Debugger(TSp& machine);

    // The first show: every value shows as changed, no breakpoints, no run-to address.
    void Open();

    NumberFormat Format;

    // --- Views ------------------------------------------------------------------
    struct Line {
        uint16_t Address;
        int Length;
        std::string AddressText, Bytes, Text;
    };
    // The instruction list from PC (from the HALT while halted); records FirstLength.
    std::vector<Line> Listing();
    struct Shown {
        std::string Text;
        bool Changed;  // differs from the last refresh (shown in red)
    };
    // The 13 register boxes and the three port boxes (8 binary digits); each call
    // is one refresh: the values become the ones compared next time.
    std::array<Shown, kRegisterCount> RefreshRegisters();
    std::array<Shown, kPortCount> RefreshPorts();
    std::array<std::string, kStackWords> Stack() const;
    std::array<std::string, 16> AyRegisters() const;

    // --- Editing ------------------------------------------------------------------
    // AF and AF' with A high and F low; IR with I high and R (bit 7 as written) low.
    uint16_t Register(int tag) const;
    void SetRegister(int tag, uint16_t value);
    void ToggleFlag(int bit) { SetRegister(kAF, uint16_t(Register(kAF) ^ (1u << bit))); }
    void ToggleIff(int which);
    void NextInterruptMode();
    // Reads a typed value as hexadecimal when the format is; nothing when it is not a number.
    std::optional<uint32_t> ParseNumber(const std::string& text) const;

    // --- Breakpoints ----------------------------------------------------------------
    const std::vector<Breakpoint>& Breakpoints() const { return breakpoints_; }
    bool AddBreakpoint(const Breakpoint& breakpoint);  // false when the list is full
    void RemoveBreakpoint(size_t index);
    std::string BreakpointText(const Breakpoint& breakpoint) const;

    // --- Execution -----------------------------------------------------------------
    // One instruction; at the end of the frame the T-state counter wraps with no
    // frame produced (no sound, no border, no flash).
    void Step();
    // Runs until RunToAddress, a breakpoint, a stop request or (with `stepOut`)
    // the return from the routine now running. `frameEnded` is called at every
    // frame end after the screen capture and before the end-of-frame step, which
    // paces the run; the caller draws and takes its input there.
    RunResult Run(const std::function<void()>& frameEnded, bool stepOut = false);
    // The emulation's frame under the breakpoints: runs to the frame's end (with
    // its end-of-frame step) unless a breakpoint stops it first.
    RunResult RunFrame();
    // "Siguiente": runs to the instruction after the one at the top of the list.
    RunResult StepOver(const std::function<void()>& frameEnded);

    int32_t RunToAddress = -1;
    bool Running = false;
    bool StopRequest = false;
    int FirstLength = 1;

private:
    void ExecuteOne();
    std::optional<BreakKind> HitBefore(bool stepOut, bool& returns) const;
    RunResult Advance(const std::function<void()>* frameEnded, bool stepOut);

    TSp& machine_;
    std::vector<Breakpoint> breakpoints_;
    std::array<uint32_t, kRegisterCount> prevRegs_{};
    std::array<uint32_t, kPortCount> prevPorts_{};
    bool watchesBus_ = false;
};

}  // namespace tarvolinde
