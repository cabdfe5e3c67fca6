#include "snapshots/snapshot.h"

#include <algorithm>
#include <cctype>

#include "snapshots/snap_fsu.h"
#include "snapshots/snap_sna.h"
#include "snapshots/snap_sp.h"
#include "snapshots/snap_szx.h"
#include "snapshots/snap_z80.h"

namespace tarvolinde {

namespace {

void PutPages(TSp& machine, const std::vector<SnapshotPage>& pages) {
    for (const SnapshotPage& page : pages) {
        if (page.Bytes.size() != kPageSize) continue;
        if (page.Rom) {
            if (page.Page < kRomPages) std::copy(page.Bytes.begin(), page.Bytes.end(), machine.RomPage(page.Page).begin());
        } else if (page.Page < kRamPages) {
            std::copy(page.Bytes.begin(), page.Bytes.end(), machine.RamPage(page.Page).begin());
        }
    }
}

// The paging registers go through OutPort so that the page tables follow. The
// stored values are cleared first, which lifts the paging lock (bit 5 of
// 0x7FFD); 0x1FFD goes first because the lock also guards it.
void PutPaging(TSp& machine, const SnapshotImage& image) {
    // Port writes may add contention; the snapshot's time is set afterwards.
    const int32_t tstates = machine.cpu.FrameTStates;
    if (image.Port1FFD) {
        machine.Port7FFD = 0;
        machine.Port1FFD = 0;
        machine.OutPort(0x1FFD, *image.Port1FFD);
    }
    if (image.Port7FFD) {
        machine.Port7FFD = 0;
        machine.OutPort(0x7FFD, *image.Port7FFD);
    }
    machine.cpu.FrameTStates = tstates;
}

}  // namespace

TSp& TSnapshot::Load(std::span<const uint8_t> file, const ModelSelector& select) const {
    return ApplySnapshot(Parse(file), select);
}

TSp& ApplySnapshot(const SnapshotImage& image, const ModelSelector& select) {
    TSp& machine = select(image.ModelIndex);
    if (machine.ModelIndex != image.ModelIndex) throw SnapshotError("the snapshot's model could not be selected");
    machine.Reset();

    PutPages(machine, image.Pages);
    Z80& cpu = machine.cpu;
    static_cast<Registers&>(cpu) = image.Cpu;
    machine.LastFE = image.LastFE;
    machine.screen.BorderColour = image.LastFE & 7;
    PutPaging(machine, image);
    if (image.FrameTStates) cpu.FrameTStates = *image.FrameTStates;

    if (image.Ay) {
        machine.Ay.AySelected = image.Ay->Selected & 15u;
        for (uint32_t reg = 0; reg < 16; ++reg)
            machine.Ay.AyRegs[reg] = image.Ay->Registers[reg] & AyRegisters::RegisterMask(reg);
        machine.ReplayAy();
    }

    // Models whose ULA ignores the issue setting keep their own.
    if (image.Issue2 && machine.IssueMode != 0) machine.IssueMode = *image.Issue2 ? 2 : 1;
    if (image.Joystick) machine.Joystick = *image.Joystick;

    if (image.PopPc) {
        // As RETN pops it; the two bytes stay in memory below the new SP.
        cpu.PC.lo = cpu.ReadByte(cpu.SP.w++);
        cpu.FrameTStates += 3;
        cpu.PC.hi = cpu.ReadByte(cpu.SP.w++);
        cpu.FrameTStates += 3;
    }
    return machine;
}

std::optional<SnapshotKind> SnapshotKindOf(std::string_view fileName) {
    if (fileName.size() < 3) return std::nullopt;
    std::string ending(fileName.substr(fileName.size() - 3));
    for (char& c : ending) c = char(std::toupper(static_cast<unsigned char>(c)));
    if (ending == "FSU") return SnapshotKind::Fsu;
    if (ending == "SNA") return SnapshotKind::Sna;
    if (ending == "Z80") return SnapshotKind::Z80;
    if (ending == ".SP") return SnapshotKind::Sp;
    if (ending == "SZX") return SnapshotKind::Szx;
    return std::nullopt;
}

std::unique_ptr<TSnapshot> MakeSnapshot(SnapshotKind kind) {
    switch (kind) {
    case SnapshotKind::Fsu: return std::make_unique<TSnapFSU>();
    case SnapshotKind::Sna: return std::make_unique<TSnapSNA>();
    case SnapshotKind::Z80: return std::make_unique<TSnapZ80>();
    case SnapshotKind::Sp: return std::make_unique<TSnapSP>();
    case SnapshotKind::Szx: return std::make_unique<TSnapSZX>();
    }
    return nullptr;
}

}  // namespace tarvolinde
