#pragma once
// The Inves Spectrum+: a 48K machine with the 128K frame timing, whose ULA port
// writes pass through a mask latched by writes to the ROM at 0x??FE, and which
// reads 0 from every port with A5 low.

#include "machine/sp.h"

namespace tarvolinde {

class TSpInves final : public TSp {
public:
    explicit TSpInves(MachineSetup setup);
    void Reset() override;
    void OutPort(uint16_t port, uint8_t value) override;
    uint8_t InPort(uint16_t port) override;
};

}  // namespace tarvolinde
