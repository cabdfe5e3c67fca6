// The instruction step and the six instruction tables. Each table is a switch
// over the opcode that the compiler turns into a jump table with every
// instruction inlined; the step loop is instantiated once with contention and
// once without, so uncontended code never tests for it.

#include "core/opcode_cases.h"
#include "core/z80_base_instructions.h"
#include "core/z80_prefixed_instructions.h"

namespace tarvolinde {

namespace {

using QEffect = Z80::QEffect;

// Which instructions write the flags, for Q. A prefix leaves Q to the table it leads to.
constexpr QEffect MainQ(int op) {
    const int x = op >> 6, y = (op >> 3) & 7, z = op & 7;
    if (op == 0xCB || op == 0xDD || op == 0xED || op == 0xFD) return QEffect::LeftToTable;
    const bool writes = (x == 0 && ((z == 1 && (y & 1)) || z == 4 || z == 5 || z == 7)) || x == 2 || (x == 3 && z == 6);
    return writes ? QEffect::Set : QEffect::Clear;
}

constexpr QEffect BitOperationQ(int op) { return op < 0x80 ? QEffect::Set : QEffect::Clear; }

constexpr QEffect EDQ(int op) {
    const int x = op >> 6, y = (op >> 3) & 7, z = op & 7;
    const bool writes = (x == 1 && (z == 0 || z == 2 || z == 4 || (z == 7 && y >= 2 && y <= 5))) ||
                        (x == 2 && y >= 4 && z <= 3);
    return writes ? QEffect::Set : QEffect::Clear;
}

}  // namespace

template <Z80::QEffect Effect>
TV_ALWAYS_INLINE void Z80::updateQ() {
    if constexpr (Effect == QEffect::Set) Q = AF.hi;
    else if constexpr (Effect == QEffect::Clear) Q = 0;
}

template <bool C>
TV_ALWAYS_INLINE void Z80::executeMain(uint8_t op) {
#define TV_CASE(n) \
    case n: baseInstruction<C, 0, n>(); updateQ<MainQ(n)>(); return;
    switch (op) { TV_OPCODES_256(TV_CASE) }
#undef TV_CASE
}

template <bool C>
void Z80::executeCB() {
    const uint8_t op = fetchOpcode<C>();
#define TV_CASE(n) \
    case n: cbInstruction<C, n>(); updateQ<BitOperationQ(n)>(); return;
    switch (op) { TV_OPCODES_256(TV_CASE) }
#undef TV_CASE
}

template <bool C>
void Z80::executeED() {
    const uint8_t op = fetchOpcode<C>();
#define TV_CASE(n) \
    case n: edInstruction<C, n>(); updateQ<EDQ(n)>(); return;
    switch (op) { TV_OPCODES_256(TV_CASE) }
#undef TV_CASE
}

// How far past the end of the frame a run of prefixes may go before it is cut;
// the timing tables cover this much beyond the longest frame.
constexpr int32_t kPrefixRunOverrun = 256;

// DD or FD has been fetched. Further prefixes are fetched in the same step,
// each as an opcode, and only the last one counts. A run that goes on well past
// the end of the frame is finished by later steps, so that even memory full of
// prefixes cannot hold a frame up; prefixPending_ keeps the interrupt out.
template <bool C>
void Z80::executeIndexed(int index) {
    for (uint8_t next = ReadByteFree(PC.w); next == 0xDD || next == 0xFD; next = ReadByteFree(PC.w)) {
        if (FrameTStates >= FrameLength + kPrefixRunOverrun) {
            prefixPending_ = true;
            return;
        }
        fetchOpcode<C>();
        index = next == 0xDD ? 1 : 2;
    }
    prefixPending_ = false;
    const uint8_t op = fetchOpcode<C>();
    if (index == 1) dispatchIndexed<C, 1>(op);
    else dispatchIndexed<C, 2>(op);
}

template <bool C, int X>
void Z80::dispatchIndexed(uint8_t op) {
#define TV_CASE(n) \
    case n: baseInstruction<C, X, n>(); updateQ<MainQ(n)>(); return;
    switch (op) { TV_OPCODES_256(TV_CASE) }
#undef TV_CASE
}

template <bool C>
void Z80::executeIndexedCB(uint16_t indexRegister) {
    const int8_t displacement = int8_t(fetchByte<C>());
    IndexAddress = WZ = uint16_t(indexRegister + displacement);
    const uint8_t op = read<C>(PC.w);
    ++PC.w;
    FrameTStates += 5;
#define TV_CASE(n) \
    case n: indexedCBInstruction<C, n>(); updateQ<BitOperationQ(n)>(); return;
    switch (op) { TV_OPCODES_256(TV_CASE) }
#undef TV_CASE
}

template <bool C>
TV_ALWAYS_INLINE void Z80::acceptInterrupt() {
    Halted = 0;
    // Straight after LD A,I or LD A,R the NMOS part clears P/V as it takes the interrupt.
    if (justRan(ldAirStamp_, ldAirR_)) AF.hi &= uint8_t(~flag::PV);
    ++RCounter;
    IFF1 = IFF2 = 0;
    Q = 0;
    FrameTStates += IM == 0 ? 6 : 7;
    push<C>(PC.w);
    if (IM == 2) {
        const uint16_t vector = uint16_t(I << 8 | 0xFF);
        const uint8_t low = read<C>(vector);
        FrameTStates += 3;
        const uint8_t high = read<C>(uint16_t(vector + 1));
        FrameTStates += 3;
        PC.w = WZ = uint16_t(low | high << 8);
    } else {
        PC.w = WZ = 0x0038;
    }
}

void Z80::AcceptInterrupt() {
    if (ContentionActive) acceptInterrupt<true>();
    else acceptInterrupt<false>();
}

// Pages the TR-DOS ROM in when the processor reaches 0x3Dxx and out again when
// it leaves the ROM area.
void Z80::trdosTrap() {
    if (PC.hi == 0x3D && !TrdosRomActive) machine_.OutPort(0xFFFF, 1);
    if (TrdosRomActive && PC.hi >= 0x40) machine_.OutPort(0xFFFF, 0);
}

// Steps 2 to 5 of an instruction step: TR-DOS trap, opcode fetch (none while
// halted) and the instruction. RZX playback skips the trap.
template <bool C, bool Trap>
TV_ALWAYS_INLINE void Z80::executeInstruction() {
    if (Trap) trdosTrap();
    uint8_t op = 0;
    if (!Halted) [[likely]] {
        op = read<C>(PC.w);
        ++PC.w;
    } else {
        // Halted, the processor keeps fetching (and ignoring) the byte after the
        // HALT: the fetches are contended like any other.
        read<C>(PC.w);
    }
    FrameTStates += 4;
    ++RCounter;
    executeMain<C>(op);
}

template <bool C, bool Trap>
void Z80::runLoop(int32_t target) {
    while (FrameTStates < target) {
        const int32_t start = FrameTStates;
        if (FrameTStates < IntWindowEnd && IFF1) {
            if (prefixPending_) prefixPending_ = false;
            else if (interruptAccepted()) acceptInterrupt<C>();
        }
        executeInstruction<C, Trap>();
        TotalTStates += uint32_t(FrameTStates - start);
    }
}

void Z80::RunUntil(int32_t target) {
    if (TrdosPaging) {
        if (ContentionActive) runLoop<true, true>(target);
        else runLoop<false, true>(target);
    } else {
        if (ContentionActive) runLoop<true, false>(target);
        else runLoop<false, false>(target);
    }
}

void Z80::RzxRecordFrame() {
    if (RzxRecorder) RzxRecorder->FrameBoundary();
    const auto counted = [this](int32_t target, bool interrupts) {
        while (FrameTStates < target) {
            const int32_t start = FrameTStates;
            if (interrupts && IFF1) {
                if (prefixPending_) prefixPending_ = false;
                else if (interruptAccepted()) AcceptInterrupt();
            }
            const uint8_t before = RCounter;
            if (TrdosPaging) trdosTrap();
            if (ContentionActive) executeInstruction<true, false>();
            else executeInstruction<false, false>();
            FetchCount += uint8_t(RCounter - before);
            TotalTStates += uint32_t(FrameTStates - start);
        }
    };
    counted(InterruptLength, true);
    counted(ScreenStartT, false);
    ContentionActive = 1;
    counted(ScreenEndT, false);
    machine_.CaptureScreen();
    ContentionActive = 0;
    counted(FrameLength, false);
}

void Z80::RzxPlayFrame() {
    using Place = RzxPlaybackHooks::InterruptPlace;
    const Place place = RzxPlayer ? RzxPlayer->Interrupt : Place::AtEnd;
    FrameTStates = 0;
    ContentionActive = 1;
    if (place == Place::AtStart && IFF1) AcceptInterrupt();
    while (RzxPlayer && RzxPlayer->FetchesRemaining > 0) {
        const int32_t start = FrameTStates;
        const uint8_t before = RCounter;
        executeInstruction<true, false>();
        TotalTStates += uint32_t(FrameTStates - start);
        if (FrameTStates >= FrameLength) FrameTStates -= FrameLength;
        RzxPlayer->FetchesRemaining -= uint8_t(RCounter - before);
    }
    machine_.CaptureScreen();
    ContentionActive = 0;
    if (place == Place::AtEnd && IFF1) AcceptInterrupt();
    if (RzxPlayer) RzxPlayer->NextFrame();
}

}  // namespace tarvolinde
