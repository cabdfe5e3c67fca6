#include "machine/sp_ams.h"

namespace tarvolinde {

namespace {

// RAM pages of slots 0-3 and their contention in the four all-RAM modes.
struct AllRamMode {
    std::array<uint8_t, 4> pages;
    std::array<uint8_t, 4> contended;
};
constexpr std::array<AllRamMode, 4> kAllRamModes{{
    {{0, 1, 2, 3}, {0, 0, 0, 0}},
    {{4, 5, 6, 7}, {1, 1, 1, 1}},
    {{4, 5, 6, 3}, {1, 1, 1, 0}},
    {{4, 7, 6, 3}, {1, 1, 1, 0}},
}};

}  // namespace

TSp_Ams::TSp_Ams(MachineSetup setup) : TSp(MachineFamily::Ams, std::move(setup)) { Reset(); }

void TSp_Ams::Reset() {
    TSp::Reset();
    OutPort(0x7FFD, 0);
    OutPort(0x1FFD, 0);
    Ay.Reset();
}

void TSp_Ams::OutPort(uint16_t port, uint8_t value) {
    BaseOutPort(port, value);
    if (port & 0x02) return;
    switch (port >> 14) {
    case 0:
        switch ((port >> 12) & 3) {
        case 1: WritePort1FFD(value); break;
        case 3:
            if (Floppy) Floppy->WriteData(value);
            break;
        default: break;
        }
        break;
    case 1: WritePort7FFD(value); break;
    case 2: AyWrite(value); break;
    case 3: Ay.Select(value); break;
    default: break;
    }
}

// The +2A/+3 gate array contends memory only: port accesses are never delayed.
uint8_t TSp_Ams::InPort(uint16_t port) {
    uint8_t result = BaseInPort(port);
    if (port & 0x02) return result;
    switch (port >> 14) {
    case 0:
        switch ((port >> 12) & 3) {
        case 0: result = FloatingBusValue(); break;
        case 2:
            if (Floppy) result = Floppy->ReadStatus();
            break;
        case 3:
            if (Floppy) result = Floppy->ReadData();
            break;
        default: break;
        }
        break;
    case 3: result = AyRead(); break;
    default: break;
    }
    return result;
}

void TSp_Ams::WritePort7FFD(uint8_t value) {
    if (PagingLocked()) return;
    Port7FFD = value;
    Repage();
}

void TSp_Ams::WritePort1FFD(uint8_t value) {
    if (PagingLocked()) return;
    const bool motor = (value & 0x08) != 0;
    if (Floppy && motor != Floppy->MotorOn()) Floppy->SetMotor(motor);
    Port1FFD = value;
    Repage();
}

void TSp_Ams::Repage() {
    CaptureBeforeRepaging();
    ShowScreenPage(Port7FFD & 0x08);
    if (Port1FFD & 0x01) {
        const AllRamMode& mode = kAllRamModes[(Port1FFD >> 1) & 3];
        for (int slot = 0; slot < 4; ++slot) MapReadWrite(slot, RamPage(mode.pages[slot]).data());
        cpu.PageContended = mode.contended;
        return;
    }
    const int page = Port7FFD & 7;
    MapRom(0, ((Port7FFD >> 4) & 1) + 2 * ((Port1FFD >> 2) & 1));
    MapReadWrite(1, RamPage(5).data());
    MapReadWrite(2, RamPage(2).data());
    MapReadWrite(3, RamPage(page).data());
    cpu.PageContended = {0, 1, 0, uint8_t(page > 3)};
}

}  // namespace tarvolinde
