#pragma once
// The AY-3-8912 as the processor sees it through the ports: register select, data
// write with the chip's register widths, data read and the input latch of I/O
// port A (register 14). It carries the synthesiser that plays the registers,
// which logs the writes of each frame to render them after it.

#include <array>
#include <cstdint>

#include "machine/sound/ay_sound.h"

namespace tarvolinde {

class AyRegisters {
public:
    uint32_t AySelected = 0;              // selected register 0-15
    std::array<uint8_t, 16> AyRegs{};     // as written, after masking
    uint8_t PortALatch = 0xFF;            // what port A drives when it is an output
    AySound Synth;

    AyRegisters() { Reset(); }

    // The chip reset: registers, port A latch and synthesiser.
    void Reset();
    void Select(uint8_t value) { AySelected = value & 15u; }
    // Writes the selected register and returns the value stored.
    uint8_t Write(uint8_t value);
    // The same, made at this T-state of the frame: logged for the synthesiser
    // while the sound is on.
    uint8_t Write(uint8_t value, int32_t tstate) {
        const uint8_t stored = Write(value);
        Synth.LogWrite(tstate, uint8_t(AySelected), stored);
        return stored;
    }
    uint8_t Read() const;

    // Rebuilds the synthesiser from the registers (after a snapshot has set them,
    // or when the sound is switched on): registers 0-13 are written again at this
    // T-state, so that the next frame rendering applies them. Nothing happens
    // while the sound is off.
    void Replay(int32_t tstate);

    // Bit 6 of the mixer register: I/O port A is an output.
    bool PortAIsOutput() const { return (AyRegs[7] & 0x40) != 0; }

    // The bits a register keeps: 4 for the coarse tone periods and the envelope
    // shape, 5 for the noise period and the amplitudes, 8 for the rest.
    static constexpr uint8_t RegisterMask(uint32_t reg) {
        switch (reg) {
        case 1: case 3: case 5: case 13: return 0x0F;
        case 6: case 8: case 9: case 10: return 0x1F;
        default: return 0xFF;
        }
    }
};

}  // namespace tarvolinde
