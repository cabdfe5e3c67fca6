#include "debugger/debugger.h"

#include <algorithm>
#include <charconv>

#include "debugger/bus_prediction.h"
#include "machine/sp.h"

namespace tarvolinde {

namespace {

std::string Binary(uint8_t value) {
    std::string text(8, '0');
    for (int bit = 0; bit < 8; ++bit)
        if (value & (0x80 >> bit)) text[size_t(bit)] = '1';
    return text;
}

}  // namespace

Debugger::Debugger(TSp& machine) : machine_(machine) { Open(); }

void Debugger::Open() {
    machine_.cpu.IntWindowEnd = machine_.cpu.InterruptLength;
    prevRegs_.fill(~0u);
    prevPorts_.fill(~0u);
    RunToAddress = -1;
    breakpoints_.clear();
    watchesBus_ = false;
}

// --- Views -------------------------------------------------------------------------------

std::vector<Debugger::Line> Debugger::Listing() {
    const Z80& cpu = machine_.cpu;
    uint16_t address = cpu.Halted ? uint16_t(cpu.PC.w - 1) : cpu.PC.w;
    std::vector<Line> lines;
    for (int i = 0; i < kListLines; ++i) {
        Disassembly instruction = Disassemble(cpu, address, Format);
        lines.push_back({address, instruction.Length, Format.Word(address),
                         InstructionBytes(cpu, address, instruction.Length, Format), std::move(instruction.Text)});
        address = uint16_t(address + instruction.Length);
    }
    FirstLength = lines.front().Length;
    return lines;
}

std::array<Debugger::Shown, kRegisterCount> Debugger::RefreshRegisters() {
    std::array<Shown, kRegisterCount> shown;
    for (int tag = 0; tag < kRegisterCount; ++tag) {
        const uint16_t value = Register(tag);
        shown[size_t(tag)] = {Format.Word(value), value != prevRegs_[size_t(tag)]};
        prevRegs_[size_t(tag)] = value;
    }
    return shown;
}

std::array<Debugger::Shown, Debugger::kPortCount> Debugger::RefreshPorts() {
    const std::array<uint8_t, kPortCount> values{machine_.LastFE, machine_.Port7FFD, machine_.Port1FFD};
    std::array<Shown, kPortCount> shown;
    for (size_t i = 0; i < values.size(); ++i) {
        shown[i] = {Binary(values[i]), values[i] != prevPorts_[i]};
        prevPorts_[i] = values[i];
    }
    return shown;
}

std::array<std::string, Debugger::kStackWords> Debugger::Stack() const {
    const Z80& cpu = machine_.cpu;
    std::array<std::string, kStackWords> words;
    for (int i = 0; i < kStackWords; ++i) words[size_t(i)] = Format.Word(cpu.ReadWordFree(uint16_t(cpu.SP.w + 2 * i)));
    return words;
}

std::array<std::string, 16> Debugger::AyRegisters() const {
    std::array<std::string, 16> values;
    for (size_t i = 0; i < values.size(); ++i) values[i] = Format.Byte(machine_.Ay.AyRegs[i]);
    return values;
}

// --- Editing -------------------------------------------------------------------------------

uint16_t Debugger::Register(int tag) const {
    const Z80& cpu = machine_.cpu;
    switch (tag) {
    case kAF: return cpu.ProgramAF();
    case kAF2: return cpu.ProgramAF_();
    case kBC: return cpu.BC.w;
    case kBC2: return cpu.BC_.w;
    case kDE: return cpu.DE.w;
    case kDE2: return cpu.DE_.w;
    case kHL: return cpu.HL.w;
    case kHL2: return cpu.HL_.w;
    case kIX: return cpu.IX.w;
    case kIY: return cpu.IY.w;
    case kPC: return cpu.PC.w;
    case kSP: return cpu.SP.w;
    default: return uint16_t(cpu.I << 8 | cpu.R());
    }
}

void Debugger::SetRegister(int tag, uint16_t value) {
    Z80& cpu = machine_.cpu;
    switch (tag) {
    case kAF: cpu.SetProgramAF(value); break;
    case kAF2: cpu.SetProgramAF_(value); break;
    case kBC: cpu.BC.w = value; break;
    case kBC2: cpu.BC_.w = value; break;
    case kDE: cpu.DE.w = value; break;
    case kDE2: cpu.DE_.w = value; break;
    case kHL: cpu.HL.w = value; break;
    case kHL2: cpu.HL_.w = value; break;
    case kIX: cpu.IX.w = value; break;
    case kIY: cpu.IY.w = value; break;
    case kPC: cpu.PC.w = value; break;
    case kSP: cpu.SP.w = value; break;
    default:
        cpu.I = uint8_t(value >> 8);
        cpu.SetR(uint8_t(value));
        break;
    }
}

void Debugger::ToggleIff(int which) {
    uint8_t& iff = which == 0 ? machine_.cpu.IFF1 : machine_.cpu.IFF2;
    iff = !iff;
}

void Debugger::NextInterruptMode() { machine_.cpu.IM = uint8_t((machine_.cpu.IM + 1) % 3); }

std::optional<uint32_t> Debugger::ParseNumber(const std::string& text) const {
    std::string_view digits = text;
    const bool negative = !Format.Hexadecimal && !digits.empty() && digits.front() == '-';
    if (negative) digits.remove_prefix(1);
    uint32_t value = 0;
    const char* end = digits.data() + digits.size();
    const auto result = std::from_chars(digits.data(), end, value, Format.Hexadecimal ? 16 : 10);
    if (digits.empty() || result.ec != std::errc() || result.ptr != end) return std::nullopt;
    return negative ? 0u - value : value;
}

// --- Breakpoints -----------------------------------------------------------------------------

bool Debugger::AddBreakpoint(const Breakpoint& breakpoint) {
    if (breakpoints_.size() >= kMaxBreakpoints) return false;
    breakpoints_.push_back(breakpoint);
    watchesBus_ = watchesBus_ || breakpoint.Kind != BreakKind::Address;
    return true;
}

void Debugger::RemoveBreakpoint(size_t index) {
    if (index >= breakpoints_.size()) return;
    breakpoints_.erase(breakpoints_.begin() + ptrdiff_t(index));
    watchesBus_ = std::any_of(breakpoints_.begin(), breakpoints_.end(),
                              [](const Breakpoint& b) { return b.Kind != BreakKind::Address; });
}

std::string Debugger::BreakpointText(const Breakpoint& breakpoint) const {
    switch (breakpoint.Kind) {
    case BreakKind::Address: return Format.Word(breakpoint.First);
    case BreakKind::Write:
        if (breakpoint.First == breakpoint.Last) return "W " + Format.Word(breakpoint.First);
        return "W " + Format.Word(breakpoint.First) + "-" + Format.Word(breakpoint.Last);
    default: return "P " + Format.Word(breakpoint.First) + "/" + Format.Word(breakpoint.Last);
    }
}

// --- Execution ---------------------------------------------------------------------------------

// One step on the frame's schedule: contended over the screen (with
// the screen latched as the beam leaves it) and the model's interrupt window.
void Debugger::ExecuteOne() {
    Z80& cpu = machine_.cpu;
    const int32_t t = cpu.FrameTStates;
    const bool contended = t >= cpu.ScreenStartT - Z80::kContentionLead && t < cpu.ScreenEndT;
    if (cpu.ContentionActive && !contended) machine_.CaptureScreen();
    cpu.ContentionActive = contended;
    if (cpu.FrameRoutine == Z80::FrameProcedure::Inves)
        cpu.IntWindowEnd = t < cpu.ScreenStartT ? -1 : Z80::kInvesInterruptEnd;
    else
        cpu.IntWindowEnd = cpu.InterruptLength;
    // An interrupt is a step of its own, so that runs and steps stop at its handler.
    if (cpu.InterruptDue()) {
        cpu.AcceptInterrupt();
        cpu.TotalTStates += uint32_t(cpu.FrameTStates - t);
    } else {
        cpu.RunUntil(t + 1);
    }
}

void Debugger::Step() {
    ExecuteOne();
    Z80& cpu = machine_.cpu;
    if (cpu.FrameTStates >= cpu.FrameLength) {
        cpu.FrameTStates -= cpu.FrameLength;
        cpu.ContentionActive = 0;
        // No frame is produced, but the next one latches and sounds from its start.
        machine_.screen.BorderPos = 0;
        machine_.screen.CellsLatched = 0;
        machine_.sound.StartFrame();
    }
}

RunResult Debugger::Run(const std::function<void()>& frameEnded, bool stepOut) {
    Running = true;
    StopRequest = false;
    const RunResult result = Advance(&frameEnded, stepOut);
    RunToAddress = -1;
    Running = false;
    return result;
}

RunResult Debugger::RunFrame() { return Advance(nullptr, false); }

RunResult Debugger::StepOver(const std::function<void()>& frameEnded) {
    const Z80& cpu = machine_.cpu;
    RunToAddress = uint16_t((cpu.Halted ? cpu.PC.w - 1 : cpu.PC.w) + FirstLength);
    return Run(frameEnded);
}

// A run from the debugger always makes its first step, so that it can leave the
// breakpoint it stands on; the emulation's frames check every step.
RunResult Debugger::Advance(const std::function<void()>* frameEnded, bool stepOut) {
    Z80& cpu = machine_.cpu;
    const uint16_t startSp = cpu.SP.w;
    bool first = frameEnded != nullptr;
    for (;;) {
        const uint16_t pc = cpu.PC.w;
        if (StopRequest) return {StopReason::Request, BreakKind::Address, pc};
        if (!first) {
            if (RunToAddress == pc) return {StopReason::RunTo, BreakKind::Address, pc};
            for (const Breakpoint& b : breakpoints_)
                if (b.Kind == BreakKind::Address && b.First == pc) return {StopReason::Breakpoint, b.Kind, pc};
        }
        BusPrediction next;
        if (watchesBus_ || stepOut) next = PredictStep(cpu);
        if (!first && watchesBus_) {
            for (const Breakpoint& b : breakpoints_) {
                bool hit = false;
                if (b.Kind == BreakKind::Write) {
                    for (int i = 0; i < next.WriteCount; ++i)
                        hit = hit || uint16_t(next.Writes[size_t(i)] - b.First) <= uint16_t(b.Last - b.First);
                } else if (b.Kind == BreakKind::Port) {
                    hit = (next.PortRead || next.PortWrite) && ((next.Port ^ b.First) & b.Last) == 0;
                }
                if (hit) return {StopReason::Breakpoint, b.Kind, pc};
            }
        }
        first = false;
        ExecuteOne();
        if (stepOut && next.Return && cpu.SP.w > startSp) return {StopReason::Returned, BreakKind::Address, cpu.PC.w};
        if (cpu.FrameTStates >= cpu.FrameLength) {
            machine_.CaptureScreen();
            cpu.ContentionActive = 0;
            if (frameEnded && *frameEnded) (*frameEnded)();
            machine_.EndFrame();
            if (!frameEnded) return {StopReason::FrameEnd, BreakKind::Address, cpu.PC.w};
        }
    }
}

}  // namespace tarvolinde
