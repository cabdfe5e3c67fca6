#include "machine/sp_inves.h"

#include <algorithm>

namespace tarvolinde {

TSpInves::TSpInves(MachineSetup setup) : TSp(MachineFamily::Inves, std::move(setup)) {
    cpu.InvesModel = 1;
    cpu.InvesMask = 0xFF;
    cpu.FrameRoutine = Z80::FrameProcedure::Inves;
    Reset();
}

void TSpInves::Reset() {
    TSp::Reset();
    std::fill(RomWriteSink().begin(), RomWriteSink().end(), uint8_t(0xFF));
}

void TSpInves::OutPort(uint16_t port, uint8_t value) {
    if (!(port & 0x01)) {
        ContendPort();
        value &= cpu.InvesMask;
    }
    BaseOutPort(port, value);
}

uint8_t TSpInves::InPort(uint16_t port) {
    if (!(port & 0x20)) return 0;
    if (!(port & 0x01)) ContendPort();
    return BaseInPort(port);
}

}  // namespace tarvolinde
