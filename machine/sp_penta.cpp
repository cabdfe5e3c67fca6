#include "machine/sp_penta.h"

namespace tarvolinde {

TSp_Penta::TSp_Penta(MachineSetup setup) : TSp(MachineFamily::Penta, std::move(setup)) { Reset(); }

void TSp_Penta::Reset() {
    TSp::Reset();
    OutPort(0x7FFD, 0);
    Ay.Reset();
}

void TSp_Penta::OutPort(uint16_t port, uint8_t value) {
    BaseOutPort(port, value);
    // Port 0xFFFF is how the processor's TR-DOS trap pages the TR-DOS ROM.
    if (port == 0xFFFF) {
        cpu.TrdosRomActive = value != 0;
        Repage();
    }
    if (port & 0x02) return;
    switch (port >> 14) {
    case 0:
    case 1:
        if (!PagingLocked()) {
            Port7FFD = value;
            Repage();
        }
        break;
    case 2: AyWrite(value); break;
    case 3: Ay.Select(value); break;
    default: break;
    }
}

uint8_t TSp_Penta::InPort(uint16_t port) {
    uint8_t result = BaseInPort(port);
    if (!(port & 0x02) && (port >> 14) == 3) result = AyRead();
    return result;
}

void TSp_Penta::Repage() {
    cpu.ReadPages[0] = RomPage(cpu.TrdosRomActive ? 3 : (Port7FFD & 0x10) ? 1 : 0).data();
    const int page = Port7FFD & 7;
    MapReadWrite(3, RamPage(page).data());
    cpu.PageContended[3] = page > 3;
    CaptureBeforeRepaging();
    ShowScreenPage(Port7FFD & 0x08);
}

}  // namespace tarvolinde
