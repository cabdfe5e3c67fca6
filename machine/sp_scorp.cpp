#include "machine/sp_scorp.h"

namespace tarvolinde {

TSp_Scorp::TSp_Scorp(MachineSetup setup) : TSp(MachineFamily::Scorp, std::move(setup)) { Reset(); }

void TSp_Scorp::Reset() {
    TSp::Reset();
    OutPort(0x7FFD, 0);
    OutPort(0x1FFD, 0);
    Ay.Reset();
}

void TSp_Scorp::OutPort(uint16_t port, uint8_t value) {
    BaseOutPort(port, value);
    switch (port) {
    case 0x1FFD:
        if (!PagingLocked()) Port1FFD = value;
        Repage();
        break;
    case 0x7FFD:
        if (!PagingLocked()) Port7FFD = value;
        Repage();
        break;
    case 0xBFFD: AyWrite(value); break;
    case 0xFFFD: Ay.Select(value); break;
    case 0xFFFF:
        cpu.TrdosRomActive = value != 0;
        Repage();
        break;
    default: break;
    }
}

uint8_t TSp_Scorp::InPort(uint16_t port) {
    uint8_t result = BaseInPort(port);
    if (!(port & 0x02) && (port >> 14) == 3) result = AyRead();
    if (port == 0x00FF) result = FloatingBusValue();
    return result;
}

void TSp_Scorp::Repage() {
    const int page = (Port7FFD & 7) + 8 * ((Port1FFD >> 4) & 1);
    MapReadWrite(3, RamPage(page).data());
    ShowScreenPage(Port7FFD & 0x08);
    if (cpu.TrdosRomActive) {
        MapRom(0, 3);
    } else if (Port1FFD & 0x01) {
        MapReadWrite(0, RamPage(0).data());
    } else {
        MapRom(0, (Port1FFD & 0x02) ? 2 : (Port7FFD & 0x10) ? 1 : 0);
    }
}

}  // namespace tarvolinde
