#include "core/z80.h"

#include "core/z80_access.h"

namespace tarvolinde {

const std::array<uint8_t, 0x4000> Z80::EmptyPage = [] {
    std::array<uint8_t, 0x4000> page;
    page.fill(0xFF);
    return page;
}();

Z80::Z80(MachineInterface& machine) : machine_(machine) {
    for (int slot = 0; slot < 4; ++slot) ReadPages[slot] = EmptyPage.data();
}

void Z80::ResetCpu() {
    static_cast<Registers&>(*this) = Registers{};
    AF.w = 0xFFFF;
    SP.w = 0xFFFF;
    prefixPending_ = false;
    ldAirStamp_ = eiStamp_ = kNoStamp;
}

uint8_t Z80::ReadByte(uint16_t address) {
    return ContentionActive ? read<true>(address) : read<false>(address);
}

void Z80::WriteByte(uint16_t address, uint8_t value) {
    if (ContentionActive) write<true>(address, value);
    else write<false>(address, value);
}

void Z80::RunFrame() {
    switch (FrameRoutine) {
    case FrameProcedure::Standard: StandardFrame(); break;
    case FrameProcedure::Inves: InvesFrame(); break;
    case FrameProcedure::RzxRecord: RzxRecordFrame(); break;
    case FrameProcedure::RzxPlay: RzxPlayFrame(); break;
    }
}

void Z80::StandardFrame() {
    IntWindowEnd = InterruptLength;
    RunUntil(ScreenStartT - kContentionLead);
    ContentionActive = 1;
    RunUntil(ScreenEndT);
    machine_.CaptureScreen();
    ContentionActive = 0;
    RunUntil(FrameLength);
}

// The Inves takes its interrupt in the 32 T-states from the start of the
// contended part of the frame.
void Z80::InvesFrame() {
    IntWindowEnd = -1;
    RunUntil(ScreenStartT - kContentionLead);
    ContentionActive = 1;
    RunUntil(ScreenStartT);
    IntWindowEnd = kInvesInterruptEnd;
    RunUntil(ScreenEndT);
    machine_.CaptureScreen();
    ContentionActive = 0;
    RunUntil(FrameLength);
}

}  // namespace tarvolinde
