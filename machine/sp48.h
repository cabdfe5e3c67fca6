#pragma once
// The 16K, 48K and 48K+ Spectrums: fixed memory map, the ULA port, and the AY at
// the 128K ports when the "AY en 48Kb" option fits one.

#include "machine/sp.h"

namespace tarvolinde {

class TSp48 final : public TSp {
public:
    explicit TSp48(MachineSetup setup);
    void OutPort(uint16_t port, uint8_t value) override;
    uint8_t InPort(uint16_t port) override;
};

}  // namespace tarvolinde
