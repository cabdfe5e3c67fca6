#pragma once
// The Pentagon 128: 128K paging at any port with A1 and A15 low, no contention,
// and the TR-DOS ROM (ROM page 3) paged in automatically at 0x3Dxx.

#include "machine/sp.h"

namespace tarvolinde {

class TSp_Penta final : public TSp {
public:
    explicit TSp_Penta(MachineSetup setup);
    void Reset() override;
    void OutPort(uint16_t port, uint8_t value) override;
    uint8_t InPort(uint16_t port) override;

private:
    void Repage();
};

}  // namespace tarvolinde
