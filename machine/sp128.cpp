#include "machine/sp128.h"

namespace tarvolinde {

TSp128::TSp128(MachineSetup setup) : TSp(MachineFamily::Sp128, std::move(setup)) { Reset(); }

void TSp128::Reset() {
    TSp::Reset();
    OutPort(0x7FFD, 0);
    Ay.Reset();
}

void TSp128::OutPort(uint16_t port, uint8_t value) {
    ContendIo(port);
    BaseOutPort(port, value);
    if (port & 0x02) return;
    switch (port >> 14) {
    case 0:
    case 1: WritePort7FFD(value); break;
    case 2: AyWrite(value); break;
    case 3: Ay.Select(value); break;
    default: break;
    }
}

uint8_t TSp128::InPort(uint16_t port) {
    ContendIo(port);
    uint8_t result = BaseInPort(port);
    if (!(port & 0x02) && !RzxPlayback) {
        switch (port >> 14) {
        // The paging latch is clocked by reads too: it takes whatever the
        // data bus holds, the floating bus when nothing else answers.
        case 0:
        case 1:
            if (FloatingPending) result = FloatingBusValue();
            FloatingPending = 0;
            WritePort7FFD(result);
            break;
        case 3:
            FloatingPending = 0;
            result &= AyRead();
            break;
        default: break;
        }
    }
    if (FloatingPending) result = FloatingBusValue();
    if (RzxRecording) RzxRecording->PutIn(result);
    return result;
}

void TSp128::WritePort7FFD(uint8_t value) {
    if (PagingLocked()) return;
    Port7FFD = value;
    const int page = value & 7;
    MapReadWrite(3, RamPage(page).data());
    // The 128K and +2 ULA contends the odd pages (the +2A/+3 contend pages 4 to 7).
    cpu.PageContended[3] = page & 1;
    CaptureBeforeRepaging();
    ShowScreenPage(value & 0x08);
    cpu.ReadPages[0] = RomPage((value & 0x10) ? 1 : 0).data();
}

}  // namespace tarvolinde
