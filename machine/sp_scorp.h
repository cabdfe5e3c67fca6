#pragma once
// The Scorpion ZS-256: 256 KB of RAM, paging at the exact ports 0x7FFD and
// 0x1FFD, four ROMs (the fourth is TR-DOS, paged in automatically at 0x3Dxx), no
// contention.

#include "machine/sp.h"

namespace tarvolinde {

class TSp_Scorp final : public TSp {
public:
    explicit TSp_Scorp(MachineSetup setup);
    void Reset() override;
    void OutPort(uint16_t port, uint8_t value) override;
    uint8_t InPort(uint16_t port) override;

private:
    void Repage();
};

}  // namespace tarvolinde
