#include "machine/sp.h"

#include <algorithm>
#include <stdexcept>

namespace tarvolinde {

namespace {

int CheckedModelIndex(MachineFamily family, int modelIndex) {
    if (modelIndex < 0 || modelIndex >= kModelCount || Models[modelIndex].Family != family)
        throw std::invalid_argument("the model index does not belong to this machine class");
    return modelIndex;
}

// IDE register number from the address lines A8, A12 and A13.
int IdeRegister(uint16_t port) { return ((port >> 8) & 1) | ((port >> 11) & 6); }

}  // namespace

TSp::TSp(MachineFamily family, MachineSetup&& setup)
    : cpu(*this),
      ModelIndex(CheckedModelIndex(family, setup.ModelIndex)),
      RamKb(Models[ModelIndex].RamKb),
      LineTStates(Models[ModelIndex].Frame.LineTStates),
      Floppy(std::move(setup.Floppy)),
      Ide(std::move(setup.Ide)),
      ram_(std::make_unique<std::array<uint8_t, kRamPages * kPageSize>>()),
      rom_(std::make_unique<std::array<uint8_t, kRomPages * kPageSize>>()),
      sink_(std::make_unique<std::array<uint8_t, kPageSize>>()),
      tables_(std::make_unique<TimingTables>()),
      family_(family) {
    const ModelInfo& model = Model();

    // ROM pages a file does not provide read as an unpopulated socket.
    rom_->fill(0xFF);
    std::copy_n(setup.Rom.begin(), std::min(setup.Rom.size(), rom_->size()), rom_->begin());
    if (!setup.TrdosRom.empty())
        std::copy_n(setup.TrdosRom.begin(), std::min(setup.TrdosRom.size(), kPageSize), RomPage(3).begin());

    BuildTimingTables(family, *tables_);
    cpu.FrameLength = model.Frame.FrameLength;
    cpu.ScreenStartT = model.Frame.ScreenStartT;
    cpu.ScreenEndT = model.Frame.ScreenEndT;
    cpu.InterruptLength = model.Frame.InterruptLength;
    cpu.ContentionTable = tables_->ContentionTable.data();
    cpu.FrameRoutine = Z80::FrameProcedure::Standard;
    screen.ScreenCellTable = tables_->ScreenCellTable.data();
    screen.BorderPosTable = tables_->BorderPosTable.data();

    ApplyOptions(setup.Options);
    const FamilyTraits traits = TraitsOf(family);
    cpu.NearAccessRule = traits.NearAccessRule;
    cpu.TrdosPaging = traits.TrdosPaging;
    cpu.InvesModel = 0;
    cpu.TrdosRomActive = 0;
    cpu.FrameTStates = 0;
    LastFE = 0;
    screen.BorderColour = 0;
    screen.Reset();

    // The 48K layout; the paging classes set their own in Reset.
    MapRom(0, 0);
    MapReadWrite(1, RamPage(5).data());
    MapReadWrite(2, RamPage(2).data());
    MapReadWrite(3, RamPage(0).data());
    cpu.PageContended = {0, 1, 0, 0};
    if (model.EmptyUpperMemory) {
        // Writes still reach pages 2 and 0; nothing reads them back.
        cpu.ReadPages[2] = Z80::EmptyPage.data();
        cpu.ReadPages[3] = Z80::EmptyPage.data();
    }
    ShowScreenPage(false);
}

TSp::~TSp() = default;

void TSp::ApplyOptions(const MachineOptions& options) {
    const FamilyTraits traits = TraitsOf(family_);
    AyPresent = traits.Ay == AyFitting::Always || options.AyIn48;
    IssueMode = traits.IssueMode == kIssueFromOption ? (options.Issue2 ? 2 : 1) : uint8_t(traits.IssueMode);
}

void TSp::Reset() {
    cpu.FrameTStates = cpu.FrameLength;
    EndFrame();
    Port7FFD = 0;
    Port1FFD = 0;
    ShowScreenPage(false);
    EarMask = 0xBF;
    if (AyPresent) Ay.Reset();
    if (Floppy) Floppy->Reset();
    if (Ide) Ide->Reset();
    cpu.ResetCpu();
}

void TSp::EndFrame() {
    // A tape plays on whether or not the program reads it: one step a frame
    // brings it to its end (and stops it) when nothing reads the port.
    if (Tape && Tape->Playing()) Tape->Update();
    // Fast tape loading runs frames with no sound and no pacing.
    if (cpu.NormalSpeed) {
        const std::span<const uint8_t> samples = sound.CompleteFrame(AyPresent ? &Ay.Synth : nullptr);
        if (Output) screen.DrawFlag = Output->FrameDone(samples);
    }
    screen.EndFrame(cpu.NormalSpeed != 0);
    sound.StartFrame();
    cpu.FrameTStates -= cpu.FrameLength;
}

uint8_t TSp::FloatingBusValue() const {
    const int32_t t = cpu.FrameTStates;
    if (t < 0 || t >= kTimingTableSize) return 0xFF;
    const int32_t offset = tables_->FloatingBusTable[t];
    return offset < 0 ? 0xFF : ScreenPage()[offset];
}

int32_t TSp::ContentionAt(int32_t t) const {
    return t >= 0 && t < kTimingTableSize ? tables_->ContentionTable[t] : 0;
}

void TSp::ContendPort() { cpu.FrameTStates += ContentionAt(cpu.FrameTStates); }

void TSp::ContendIo(uint16_t port) {
    int32_t t = cpu.FrameTStates - 1;
    const bool highContended = cpu.PageContended[port >> 14] != 0;
    if (!(port & 0x01)) {
        if (highContended) t += ContentionAt(t);
        t += 1;
        t += ContentionAt(t) + 3;
    } else if (highContended) {
        for (int i = 0; i < 4; ++i) t += ContentionAt(t) + 1;
    } else {
        t += 4;
    }
    cpu.FrameTStates = t - 3;
}

void TSp::BaseOutPort(uint16_t port, uint8_t value) {
    if (!(port & 0x01)) UlaWrite(value);
    if (!(port & 0x10) && Ide) Ide->WriteRegister(IdeRegister(port), value);
}

void TSp::UlaWrite(uint8_t value) {
    LastFE = value;
    screen.BorderWrite(cpu.FrameTStates, value);
    uint8_t level = value & 0x18;  // MIC and EAR
    if (Tape && Tape->Playing()) {
        // The tape signal is heard through the speaker.
        level ^= (EarMask & 0x40) >> 3;
    } else {
        // With no tape the EAR input follows the output bits, by board issue.
        switch (IssueMode) {
        case 0: EarMask = 0xFF; break;
        case 1: EarMask = (value & 0x10) ? 0xFF : 0xBF; break;
        case 2: EarMask = (value & 0x18) ? 0xFF : 0xBF; break;
        default: break;
        }
    }
    if (cpu.InvesModel) {
        if (level & 0x08) level ^= 0x10;
        level &= 0x10;
    }
    BeeperLevel = uint8_t(level * 4);
    sound.BeeperChange(cpu.FrameTStates, BeeperLevel);
}

uint8_t TSp::BaseInPort(uint16_t port) {
    if (RzxPlayback) {
        FloatingPending = 0;
        return RzxPlayback->GetIn();
    }
    uint8_t result = 0xFF;
    FloatingPending = 1;
    if (!(port & 0x01)) {
        result = UlaRead(port);
        FloatingPending = 0;
    }
    if (!(port & 0x10) && Ide) {
        result = Ide->ReadRegister(IdeRegister(port));
        FloatingPending = 0;
    }
    if (!(port & 0x20)) {
        if (Joystick == JoystickType::Kempston) {
            result = KempstonJoy;
            FloatingPending = 0;
        }
        if (Mouse == MouseType::KempstonMouse) {
            if (Pointer) {
                if (const auto value = Pointer->KempstonMouse(uint8_t(port >> 8))) result = *value;
            }
            FloatingPending = 0;
        }
    }
    if (!(port & 0x80) && Joystick == JoystickType::Fuller) {
        result = FullerJoy;
        FloatingPending = 0;
    }
    return result;
}

uint8_t TSp::UlaRead(uint16_t port) {
    const auto high = uint8_t(port >> 8);
    uint8_t result = ReadKeyRows(KeyRows, high);
    if (Mouse == MouseType::GunStick && Pointer && !(high & 0x10)) result = Pointer->GunStick(result, ScreenPage());
    if (Tape && Tape->Playing()) Tape->Update();
    else if (AutoPlayStop) AutoPlay();
    return result & EarMask;
}

// A stopped tape starts when the program about to run tests the EAR bit
// (AND 0x20 or AND 0x40 within the next few bytes).
void TSp::AutoPlay() {
    if (!Tape) return;
    for (int i = 0; i < 6; ++i) {
        const auto address = uint16_t(cpu.PC.w + i);
        if (cpu.ReadByteFree(address) != 0xE6) continue;
        const uint8_t operand = cpu.ReadByteFree(uint16_t(address + 1));
        if (operand == 0x20 || operand == 0x40) Tape->Play();
    }
}

uint8_t TSp::AyRead() {
    if (Ay.AySelected == 14 && Mouse == MouseType::LightGun && Pointer)
        Ay.PortALatch = Pointer->LightGunLatch(Ay.PortALatch);
    return Ay.Read();
}

}  // namespace tarvolinde
