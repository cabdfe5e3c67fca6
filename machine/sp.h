#pragma once
// TSp: the emulated computer. It owns the processor, the memory, the screen and
// the paging and port state, and answers the processor's port accesses. Each
// class derived from it decodes the ports and pages the memory of one family of
// models; everything else a model differs in is data from the model table,
// chosen when the machine is built.

#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "core/z80.h"
#include "machine/disk_ports.h"
#include "machine/input/keyboard_matrix.h"
#include "machine/model_table.h"
#include "machine/port_hooks.h"
#include "machine/sound/ay_registers.h"
#include "machine/sound/sound_format.h"
#include "machine/sound/sound_frame.h"
#include "machine/sound/sound_out.h"
#include "machine/timing_tables.h"
#include "machine/video/screen.h"

namespace tarvolinde {

inline constexpr size_t kPageSize = 0x4000;
inline constexpr int kRamPages = 16;
inline constexpr int kRomPages = 4;

// The hardware options that the models of the 48K family take from the options dialog.
struct MachineOptions {
    bool AyIn48 = true;   // "AY en 48Kb (128+fuller)"
    bool Issue2 = false;  // "Issue 2"
};

// Everything a machine is built from. The ROM bytes are only read during construction.
struct MachineSetup {
    int ModelIndex = kModel48K;
    MachineOptions Options{};
    std::span<const uint8_t> Rom{};       // the model's ROM file: its pages in order, at most 64 KB used
    std::span<const uint8_t> TrdosRom{};  // ROM page 3 of the Pentagon models
    std::unique_ptr<FloppyPorts> Floppy{};
    std::unique_ptr<IdePorts> Ide{};
};

class TSp : public MachineInterface {
public:
    ~TSp() override;
    TSp(const TSp&) = delete;
    TSp& operator=(const TSp&) = delete;

    Z80 cpu;
    Screen screen;
    FrameSound sound;

    // --- Identity and frame constants ---------------------------------------
    const int ModelIndex;
    const ModelInfo& Model() const { return Models[ModelIndex]; }
    uint32_t RamKb;
    int32_t LineTStates;
    const TimingTables& Tables() const { return *tables_; }

    // --- Memory ----------------------------------------------------------------
    // RAM pages 0-15 (only the Scorpion uses 8-15) and ROM pages 0-3, 16 KB each.
    std::span<uint8_t, kPageSize> RamPage(int page) { return PageOf(*ram_, page); }
    std::span<const uint8_t, kPageSize> RamPage(int page) const { return PageOf(*ram_, page); }
    std::span<uint8_t, kPageSize> RomPage(int page) { return PageOf(*rom_, page); }
    std::span<const uint8_t, kPageSize> RomPage(int page) const { return PageOf(*rom_, page); }
    // Takes every write to a slot that holds ROM; the processor never reads it.
    std::span<uint8_t, kPageSize> RomWriteSink() { return PageOf(*sink_, 0); }
    const uint8_t* ScreenPage() const { return screen.ScreenPage; }

    // --- Paging and port state --------------------------------------------------
    uint8_t Port7FFD = 0;
    uint8_t Port1FFD = 0;
    uint8_t LastFE = 0;          // last byte written to the ULA port
    uint8_t EarMask = 0xBF;      // ANDed into every ULA port read; bit 6 is the EAR input
    uint8_t IssueMode = 1;       // 0: EAR reads 1 after any OUT; 1: issue 3; 2: issue 2
    uint8_t AyPresent = 0;
    uint8_t BeeperLevel = 0;     // 0x00, 0x20, 0x40 or 0x60, from bits 3 and 4 of the ULA port
    uint8_t FloatingPending = 0; // no device has answered the port read in progress
    AyRegisters Ay;

    // --- Input devices ------------------------------------------------------------
    KeyboardRows KeyRows = kAllKeysUp;  // bit clear = key held
    uint8_t KempstonJoy = 0;     // bit set = pressed
    uint8_t FullerJoy = 0xFF;    // bit clear = pressed
    JoystickType Joystick = JoystickType::CursorProtekAgf;
    MouseType Mouse = MouseType::None;
    bool AutoPlayStop = false;   // "Auto play && stop"

    // --- Devices ----------------------------------------------------------------
    std::unique_ptr<FloppyPorts> Floppy;  // +3 models only
    std::unique_ptr<IdePorts> Ide;        // +3e models with a hard-disk image
    TapePort* Tape = nullptr;
    RzxPortLog* RzxPlayback = nullptr;
    RzxPortLog* RzxRecording = nullptr;
    PointerDevices* Pointer = nullptr;
    // The sound writer or the timer pacer that each frame run at normal speed is
    // handed to; it paces the machine and decides whether the next frame is drawn.
    // Null: frames are neither paced nor their sound played (tests, headless runs).
    SoundOut* Output = nullptr;

    // --- Operations ---------------------------------------------------------------
    // Power-on state: paging registers cleared, AY and disk devices reset, processor reset.
    virtual void Reset();
    // The processor's OUT and IN, with the full 16-bit port address.
    void OutPort(uint16_t port, uint8_t value) override = 0;
    uint8_t InPort(uint16_t port) override = 0;
    void CaptureScreen() override { screen.Capture(cpu.FrameTStates); }

    // Runs the processor for one frame with the current frame routine.
    void ExecuteFrame() { cpu.RunFrame(); }
    // After the frame (and its drawing): makes the frame's sound and hands it to
    // Output, completes the border, steps the flash and carries the overrun into
    // the next frame.
    void EndFrame();
    // ExecuteFrame and EndFrame, for callers that draw outside the frame loop.
    void RunFrame() {
        ExecuteFrame();
        EndFrame();
    }

    // Takes the options dialog's hardware settings as this model's constructor would.
    void ApplyOptions(const MachineOptions& options);

    // The sound buffer set-up for this machine's frame (after a model switch, a
    // speed change or a quality change); AY writes are logged while it has sound.
    void SetSoundFormat(const SoundFormat& format) {
        sound.Setup(format, cpu.FrameLength);
        Ay.Synth.Logging = sound.Enabled();
    }
    // Rebuilds the AY synthesiser from its registers: after a snapshot has set
    // them, and after the sound quality changes.
    void ReplayAy() { Ay.Replay(cpu.FrameTStates); }

    // The byte the ULA is fetching now, or 0xFF when it fetches nothing.
    uint8_t FloatingBusValue() const;

protected:
    TSp(MachineFamily family, MachineSetup&& setup);

    // Parts of the port operations shared by every class.
    void BaseOutPort(uint16_t port, uint8_t value);
    uint8_t BaseInPort(uint16_t port);

    // The delay of the contention table at T-state t (none outside the table).
    int32_t ContentionAt(int32_t t) const;
    // Delays the processor by the contention at the present T-state (the Inves's ULA port).
    void ContendPort();
    // The contention of a whole I/O cycle on the 48K and 128K ULAs, by whether
    // the port's high byte looks like a contended address and whether the ULA
    // answers (A0 low). Called one T-state into the cycle, as the processor
    // makes its port accesses; leaves the processor three T-states before the
    // cycle ends, where the processor takes it on.
    void ContendIo(uint16_t port);
    // Before the screen page changes in the contended part of the frame.
    void CaptureBeforeRepaging() {
        if (cpu.ContentionActive) CaptureScreen();
    }
    void ShowScreenPage(bool shadow) {
        screen.ScreenPage = RamPage(shadow ? 7 : 5).data();
        // Contended writes into the shown bytes must latch the screen first.
        cpu.ScreenWatch = screen.ScreenPage;
    }
    void AyWrite(uint8_t value) { Ay.Write(value, cpu.FrameTStates); }
    uint8_t AyRead();
    bool PagingLocked() const { return (Port7FFD & 0x20) != 0; }

    void MapReadWrite(int slot, uint8_t* page) {
        cpu.ReadPages[slot] = page;
        cpu.WritePages[slot] = page;
    }
    void MapRom(int slot, int romPage) {
        cpu.ReadPages[slot] = RomPage(romPage).data();
        cpu.WritePages[slot] = RomWriteSink().data();
    }

private:
    template <size_t N>
    static std::span<uint8_t, kPageSize> PageOf(std::array<uint8_t, N>& area, int page) {
        return std::span<uint8_t, kPageSize>(area.data() + size_t(page) * kPageSize, kPageSize);
    }
    void UlaWrite(uint8_t value);
    uint8_t UlaRead(uint16_t port);
    void AutoPlay();

    std::unique_ptr<std::array<uint8_t, kRamPages * kPageSize>> ram_;
    std::unique_ptr<std::array<uint8_t, kRomPages * kPageSize>> rom_;
    std::unique_ptr<std::array<uint8_t, kPageSize>> sink_;
    std::unique_ptr<TimingTables> tables_;
    const MachineFamily family_;
};

}  // namespace tarvolinde
