#pragma once
// The 128K, 128+ and +2: RAM page in slot 3, screen and ROM selected by port
// 0x7FFD (any port with A1 and A15 low), the AY at 0xFFFD/0xBFFD.

#include "machine/sp.h"

namespace tarvolinde {

class TSp128 final : public TSp {
public:
    explicit TSp128(MachineSetup setup);
    void Reset() override;
    void OutPort(uint16_t port, uint8_t value) override;
    uint8_t InPort(uint16_t port) override;

private:
    void WritePort7FFD(uint8_t value);
};

}  // namespace tarvolinde
