#pragma once
// What the port operations of a machine reach outside it: the tape deck's EAR
// signal, the RZX recorder and player, and the mouse-driven input devices. The
// machine holds plain pointers to them (they are owned by the front end) and
// treats a null pointer as "not present".

#include <cstdint>
#include <optional>

namespace tarvolinde {

// The tape deck as the ULA port sees it.
class TapePort {
public:
    virtual ~TapePort() = default;
    virtual bool Playing() const = 0;
    // Brings the EAR level (bit 6 of the machine's EarMask) up to the present T-state.
    virtual void Update() = 0;
    // Starts the tape (the automatic start when a loader is seen polling the EAR bit).
    virtual void Play() = 0;
};

// The port bytes of an RZX recording: replayed in place of the hardware, or recorded.
class RzxPortLog {
public:
    virtual ~RzxPortLog() = default;
    virtual uint8_t GetIn() = 0;
    virtual void PutIn(uint8_t value) = 0;
};

// The option "JoyStick:"; the first three map the PC keys onto the keyboard.
enum class JoystickType : uint8_t { CursorProtekAgf, Sinclair1, Sinclair2, Fuller, Kempston };

// The option "Ratón:".
enum class MouseType : uint8_t { None, GunStick, LightGun, KempstonMouse };

// Devices driven by the PC mouse, which read the emulated screen or the beam.
class PointerDevices {
public:
    virtual ~PointerDevices() = default;
    // GunStick, on a ULA port read of half-row 4: the read value with the trigger
    // (bit 0) and light (bit 2) bits applied.
    virtual uint8_t GunStick(uint8_t value, const uint8_t* screenPage) = 0;
    // LightGun: the AY port A input latch as the gun drives it, before register 14 is read.
    virtual uint8_t LightGunLatch(uint8_t latch) = 0;
    // Kempston mouse: the value of the mouse port with this high byte, or nothing
    // when the mouse does not answer at it.
    virtual std::optional<uint8_t> KempstonMouse(uint8_t portHigh) = 0;
};

}  // namespace tarvolinde
