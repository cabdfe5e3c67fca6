#include "machine/sp48.h"

namespace tarvolinde {

TSp48::TSp48(MachineSetup setup) : TSp(MachineFamily::Sp48, std::move(setup)) { Reset(); }

void TSp48::OutPort(uint16_t port, uint8_t value) {
    ContendIo(port);
    BaseOutPort(port, value);
    if (AyPresent && !(port & 0x02)) {
        switch (port >> 14) {
        case 2: AyWrite(value); break;
        case 3: Ay.Select(value); break;
        default: break;
        }
    }
}

uint8_t TSp48::InPort(uint16_t port) {
    ContendIo(port);
    uint8_t result = BaseInPort(port);
    if (AyPresent && !RzxPlayback && !(port & 0x02) && (port >> 14) == 3) {
        result &= AyRead();
        FloatingPending = 0;
    }
    if (FloatingPending) result = FloatingBusValue();
    if (RzxRecording) RzxRecording->PutIn(result);
    return result;
}

}  // namespace tarvolinde
