#include "machine/sound/ay_registers.h"

namespace tarvolinde {

void AyRegisters::Reset() {
    AySelected = 0;
    AyRegs.fill(0);
    AyRegs[14] = 0xFF;
    AyRegs[15] = 0xFF;
    PortALatch = 0xFF;
    Synth.Reset();
}

uint8_t AyRegisters::Write(uint8_t value) {
    value &= RegisterMask(AySelected);
    // Port A only takes the value onto its pins while it is programmed as an output.
    if (AySelected == 14 && PortAIsOutput()) PortALatch = value;
    AyRegs[AySelected] = value;
    return value;
}

void AyRegisters::Replay(int32_t tstate) {
    if (!Synth.Logging) return;
    Synth.RestartLog();
    const uint32_t selected = AySelected;
    for (uint8_t reg = 0; reg < 14; ++reg) {
        AySelected = reg;
        Write(AyRegs[reg], tstate);
    }
    AySelected = selected;
}

uint8_t AyRegisters::Read() const {
    if (AySelected != 14) return AyRegs[AySelected];
    return PortAIsOutput() ? uint8_t(AyRegs[14] & PortALatch) : PortALatch;
}

}  // namespace tarvolinde
