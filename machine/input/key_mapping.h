#pragma once
// The PC keyboard on the Spectrum: which matrix key, joystick bit or pair of
// keys each PC key stands for. Keys are named by Windows virtual-key codes; the
// front end translates its toolkit's key events into these codes in one place.

#include <cstdint>

#include "machine/input/keyboard_matrix.h"
#include "machine/port_hooks.h"

namespace tarvolinde {

class TSp;

// The virtual-key codes that are not simply a letter (0x41-0x5A) or a digit (0x30-0x39).
namespace virtual_key {
inline constexpr int Backspace = 8;
inline constexpr int Tab = 9;
inline constexpr int Enter = 13;
inline constexpr int Shift = 16;
inline constexpr int Control = 17;
inline constexpr int ExtendedMode = 21;
inline constexpr int Space = 32;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int NumPad0 = 96;
}  // namespace virtual_key

// Modifier keys held when the event happened.
struct ShiftState {
    bool Shift = false;
    bool Alt = false;
    bool Control = false;
};

struct KeyEvent {
    bool Down = true;
    int VirtualKey = 0;
    ShiftState Shift{};
};

// What one PC key does: a matrix key (half-row and bit), possibly CAPS SHIFT as
// well, or bits of the Kempston or Fuller joystick byte.
struct KeyAction {
    int8_t Row = -1;              // -1: no matrix key
    uint8_t Mask = 0;
    bool ExtraCapsShift = false;  // CAPS SHIFT goes down with the key
    uint8_t KempstonBits = 0;     // set while held
    uint8_t FullerBits = 0;       // clear while held

    constexpr bool Ignored() const { return Row < 0 && KempstonBits == 0 && FullerBits == 0; }
    friend constexpr bool operator==(const KeyAction&, const KeyAction&) = default;
};

// The options that decide what the cursor keys and numeric-pad 0 do.
struct KeyOptions {
    JoystickType Joystick = JoystickType::CursorProtekAgf;  // "JoyStick:"
    bool CursorShift = false;                               // "Cursor + Mays"
};

// The action of a virtual key (Tab already turned into extended mode); Ignored()
// for keys the Spectrum does not have.
KeyAction MapKey(int virtualKey, const KeyOptions& options);

// The state the keys drive, as the ports read it.
struct InputBytes {
    KeyboardRows KeyRows = kAllKeysUp;  // bit clear = key held
    uint8_t KempstonJoy = 0;            // bit set = pressed
    uint8_t FullerJoy = 0xFF;           // bit clear = pressed
    friend bool operator==(const InputBytes&, const InputBytes&) = default;
};

enum class KeyEventResult : uint8_t {
    Ignored,           // not a Spectrum key
    Applied,           // the matrix or a joystick byte changed
    ToggleFullScreen,  // Alt+Enter: the window switches between window and full screen
};

// A key going down or up. Alt+Enter going down is left to the window; Enter
// going up with Alt held still releases ENTER, so that it cannot stick.
KeyEventResult ApplyKeyEvent(InputBytes& input, const KeyEvent& event, const KeyOptions& options);

// The same on a machine's own bytes, with the machine's joystick type. Only for
// a machine that is not running on another thread (tests, the headless runner).
KeyEventResult ApplyKeyEvent(TSp& machine, const KeyEvent& event, bool cursorShift);

}  // namespace tarvolinde
