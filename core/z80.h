#pragma once
// The Z80 processor: registers, contended memory access through four 16 KB
// pages, the whole instruction set with exact flags and T-states, interrupts
// and the frame procedures that run one video frame at a time.
//
// A machine model owns one Z80, fills its page tables and frame parameters and
// answers its port accesses through MachineInterface. The processor never asks
// which model it runs on.
//
// Flags, MEMPTR (WZ) and Q follow a Zilog NMOS part, as the published
// single-step cases measured on real chips give them.
//
// Known differences from the real chip:
// - EI takes effect at once: an interrupt may be accepted right after it;
// - while halted, PC already points past the HALT opcode (the pushed PC is the
//   same either way).

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/flag_tables.h"
#include "core/machine_interface.h"
#include "core/registers.h"

namespace tarvolinde {

// One entry per T-state of the longest frame of any model.
inline constexpr int kTimingTableSize = 72000;
// Pixel and attribute bytes of the Spectrum screen.
inline constexpr size_t kScreenBytes = 6912;

class Z80 : public Registers {
public:
    enum class FrameProcedure : uint8_t { Standard, Inves, RzxRecord, RzxPlay };
    // What an instruction does to Q: sets it to the flags, clears it, or leaves
    // it to the table that a prefix leads to.
    enum class QEffect : uint8_t { Clear, Set, LeftToTable };

    explicit Z80(MachineInterface& machine);
    Z80(const Z80&) = delete;
    Z80& operator=(const Z80&) = delete;

    // --- T-state counters -------------------------------------------------
    int32_t FrameTStates = 0;    // T-states since the start of the frame
    uint64_t TotalTStates = 0;   // running total, also the tape's clock
    int32_t IntWindowEnd = 32;   // interrupts are accepted while FrameTStates is below this

    // --- Bus access state, set by the machine model ------------------------
    std::array<const uint8_t*, 4> ReadPages{};
    std::array<uint8_t*, 4> WritePages{};
    std::array<uint8_t, 4> PageContended{};
    const int32_t* ContentionTable = nullptr;  // kTimingTableSize delays indexed by FrameTStates
    uint8_t ContentionActive = 0;
    uint8_t NormalSpeed = 1;      // clear during fast tape loading: writes are then not contended
    uint8_t NearAccessRule = 0;   // an access less than 2 T-states after the last one is never delayed
    int32_t LastAccessTStates = 0;
    uint8_t InvesModel = 0;
    uint8_t InvesMask = 0xFF;     // last value written to 0x??FE in the ROM slot on the Inves
    uint16_t IndexAddress = 0;    // IX+d or IY+d of the DD CB / FD CB instruction running
    // The displayed screen bytes (6912 from here, in whatever page is shown):
    // only a contended write into them needs the screen latched first.
    const uint8_t* ScreenWatch = nullptr;

    // --- Frame parameters of the model -------------------------------------
    int32_t ScreenStartT = 14336;
    int32_t ScreenEndT = 57344;
    int32_t FrameLength = 69888;
    int32_t InterruptLength = 32;
    FrameProcedure FrameRoutine = FrameProcedure::Standard;
    // Contention is switched on this many T-states before the screen starts, so an
    // instruction that starts just before it still has its accesses delayed.
    static constexpr int32_t kContentionLead = 32;
    // The Inves takes its interrupt from ScreenStartT up to this T-state.
    static constexpr int32_t kInvesInterruptEnd = 14396;

    // --- TR-DOS paging trap and RZX hooks -----------------------------------
    uint8_t TrdosPaging = 0;      // the TR-DOS interface is fitted
    uint8_t TrdosRomActive = 0;   // kept up to date by the machine's OutPort(0xFFFF, ...)
    uint32_t FetchCount = 0;      // opcode fetches counted while recording RZX
    RzxRecordHooks* RzxRecorder = nullptr;
    RzxPlaybackHooks* RzxPlayer = nullptr;

    // 16 KB of 0xFF for absent memory.
    static const std::array<uint8_t, 0x4000> EmptyPage;

    // Registers to their power-on values; T-state counters are left alone.
    void ResetCpu();

    // Contended accesses as an instruction makes them; the caller adds the T-states.
    uint8_t ReadByte(uint16_t address);
    void WriteByte(uint16_t address, uint8_t value);
    // Plain page-table accesses with no timing, for code outside instruction execution.
    uint8_t ReadByteFree(uint16_t address) const { return ReadPages[address >> 14][address & 0x3FFF]; }
    void WriteByteFree(uint16_t address, uint8_t value) { WritePages[address >> 14][address & 0x3FFF] = value; }
    uint16_t ReadWordFree(uint16_t address) const {
        return uint16_t(ReadByteFree(address) | ReadByteFree(uint16_t(address + 1)) << 8);
    }

    // Runs instruction steps while FrameTStates < target, accepting an interrupt
    // at a step boundary while FrameTStates < IntWindowEnd and IFF1 is set.
    void RunUntil(int32_t target);
    // Runs one frame with the current FrameRoutine.
    void RunFrame();
    void StandardFrame();
    void InvesFrame();
    void RzxRecordFrame();
    void RzxPlayFrame();
    // The interrupt acknowledge sequence of the current interrupt mode.
    void AcceptInterrupt();
    // Whether the next instruction step starts by accepting an interrupt.
    bool InterruptDue() const { return FrameTStates < IntWindowEnd && IFF1 && !prefixPending_ && interruptAccepted(); }

private:
    template <bool Contended> uint8_t read(uint16_t address);
    template <bool Contended> void write(uint16_t address, uint8_t value);
    template <bool Contended> void contend(uint16_t address);
    template <bool Contended> uint8_t fetchByte();
    template <bool Contended> uint16_t fetchWord();
    template <bool Contended> uint8_t fetchOpcode();
    template <bool Contended> void busCycles(uint16_t address, int count);
    template <bool Contended> void push(uint16_t value);
    template <bool Contended> uint16_t pop();

    template <bool Contended, bool TrdosTrap> void runLoop(int32_t target);
    template <bool Contended, bool TrdosTrap> void executeInstruction();
    template <bool Contended> void acceptInterrupt();
    void trdosTrap();

    // Instruction tables: each runs one instruction whose opcode has been fetched.
    template <bool Contended> void executeMain(uint8_t op);
    template <bool Contended> void executeCB();
    template <bool Contended> void executeED();
    template <bool Contended> void executeIndexed(int index);
    template <bool Contended, int Index> void dispatchIndexed(uint8_t op);
    template <bool Contended> void executeIndexedCB(uint16_t indexRegister);
    template <bool Contended, int Index, int Op> void baseInstruction();
    template <bool Contended, int Op> void cbInstruction();
    template <bool Contended, int Op> void edInstruction();
    template <bool Contended, int Op> void indexedCBInstruction();

    // Operand helpers, Index 0 = HL, 1 = IX, 2 = IY.
    template <int Index, int R> uint8_t& reg8();
    template <int Index, int P> uint16_t& reg16();
    template <int Index> uint16_t& indexPair();
    template <bool Contended, int Index> uint16_t memoryOperandAddress(int internalCycles);

    // Arithmetic and logic shared by several tables.
    template <int Operation> void alu(uint8_t value);
    template <int Operation> uint8_t rotateShift(uint8_t value);
    template <int Bit> void bitTest(uint8_t value, uint8_t undocumented);
    uint16_t add16(uint16_t a, uint16_t b);
    void adc16(uint16_t value);
    void sbc16(uint16_t value);
    void daa();
    template <bool Contended, int Condition> bool condition() const;

    template <bool Contended, int Step, bool Repeat> void blockLoad();
    template <bool Contended, int Step, bool Repeat> void blockCompare();
    template <bool Contended, int Step, bool Repeat> void blockIn();
    template <bool Contended, int Step, bool Repeat> void blockOut();
    template <bool Contended, bool Repeat> void blockIoFlags(uint8_t value, unsigned k, uint16_t busAddress);
    void repeatStep(uint8_t& flags);
    template <QEffect Effect> void updateQ();

    MachineInterface& machine_;
    // Set when a run of DD/FD prefixes is cut at the end of a frame: no
    // interrupt is accepted before the run ends.
    bool prefixPending_ = false;
    // When LD A,I or LD A,R last ran (TotalTStates at its step and R after
    // it): an interrupt accepted right after it clears P/V, as on NMOS parts.
    static constexpr uint64_t kNoStamp = ~uint64_t(0) >> 1;
    uint64_t ldAirStamp_ = kNoStamp;
    uint8_t ldAirR_ = 0;
    // When EI last ran, the same way: no interrupt is accepted straight after it.
    uint64_t eiStamp_ = kNoStamp;
    uint8_t eiR_ = 0;
    // Whether the instruction stamped so is the one that has just run: nothing
    // has been fetched since and less than any two instructions' time has passed.
    bool justRan(uint64_t stamp, uint8_t r) const { return RCounter == r && TotalTStates - stamp < 64; }
    bool interruptAccepted() const { return !justRan(eiStamp_, eiR_); }
};

}  // namespace tarvolinde
