#pragma once
// The +2A, +3 and +3e: the 128K paging of port 0x7FFD plus port 0x1FFD, which
// selects one of four ROMs, the all-RAM modes and the floppy motor; the floppy
// controller at 0x2FFD/0x3FFD on the +3 models.

#include "machine/sp.h"

namespace tarvolinde {

class TSp_Ams final : public TSp {
public:
    explicit TSp_Ams(MachineSetup setup);
    void Reset() override;
    void OutPort(uint16_t port, uint8_t value) override;
    uint8_t InPort(uint16_t port) override;

private:
    void WritePort7FFD(uint8_t value);
    void WritePort1FFD(uint8_t value);
    void Repage();
};

}  // namespace tarvolinde
