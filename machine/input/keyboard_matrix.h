#pragma once
// The Spectrum keyboard as the ULA reads it: eight half-rows of five keys, a bit
// clear for a key held down. Half-row k is read when bit k of the port's high
// byte is 0.

#include <array>
#include <cstdint>

namespace tarvolinde {

using KeyboardRows = std::array<uint8_t, 8>;

inline constexpr KeyboardRows kAllKeysUp{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

// Keys in matrix order: half-row (value / 5), bit (value % 5).
enum class SpectrumKey : uint8_t {
    CapsShift, Z, X, C, V,                   // 0xFEFE
    A, S, D, F, G,                           // 0xFDFE
    Q, W, E, R, T,                           // 0xFBFE
    Digit1, Digit2, Digit3, Digit4, Digit5,  // 0xF7FE
    Digit0, Digit9, Digit8, Digit7, Digit6,  // 0xEFFE
    P, O, I, U, Y,                           // 0xDFFE
    Enter, L, K, J, H,                       // 0xBFFE
    Space, SymbolShift, M, N, B,             // 0x7FFE
};

constexpr int KeyRow(SpectrumKey key) { return static_cast<int>(key) / 5; }
constexpr uint8_t KeyMask(SpectrumKey key) { return uint8_t(1u << (static_cast<int>(key) % 5)); }

inline void PressKey(KeyboardRows& rows, SpectrumKey key) { rows[KeyRow(key)] &= uint8_t(~KeyMask(key)); }
inline void ReleaseKey(KeyboardRows& rows, SpectrumKey key) { rows[KeyRow(key)] |= KeyMask(key); }

// The AND of every half-row whose address line is low in the port's high byte.
inline uint8_t ReadKeyRows(const KeyboardRows& rows, uint8_t portHigh) {
    uint8_t value = 0xFF;
    for (int row = 0; row < 8; ++row)
        if (!(portHigh & (1u << row))) value &= rows[row];
    return value;
}

}  // namespace tarvolinde
