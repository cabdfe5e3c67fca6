#pragma once
// Flag results precomputed for every 8-bit value, shared by all processors.

#include <array>
#include <cstdint>

namespace tarvolinde {

namespace flag {
inline constexpr uint8_t C = 0x01, N = 0x02, PV = 0x04, F3 = 0x08, H = 0x10, F5 = 0x20, Z = 0x40, S = 0x80;
}

struct FlagTables {
    std::array<uint8_t, 256> IncFlags{};     // flags of n+1 (no carry)
    std::array<uint8_t, 256> DecFlags{};     // flags of n-1 (no carry)
    std::array<uint8_t, 256> ParityFlags{};  // P/V for even parity
    std::array<uint8_t, 256> SZ53Flags{};
    std::array<uint8_t, 256> SZ53PFlags{};
};

constexpr FlagTables BuildFlagTables() {
    FlagTables t;
    for (int n = 0; n < 256; ++n) {
        const int inc = (n + 1) & 0xFF, dec = (n - 1) & 0xFF;
        t.IncFlags[n] = uint8_t((inc & 0xA8) | (n + 1 == 128 ? 0x04 : 0) | ((inc & 0x0F) == 0 ? 0x10 : 0));
        t.DecFlags[n] = uint8_t((dec & 0xA8) | 0x02 | (n - 1 == 127 ? 0x04 : 0) | ((dec & 0x0F) == 0x0F ? 0x10 : 0));
        uint8_t parity = 0x04;
        for (int bit = 0; bit < 8; ++bit)
            if (n & (1 << bit)) parity ^= 0x04;
        t.ParityFlags[n] = parity;
        t.SZ53Flags[n] = uint8_t(n & 0xA8);
        t.SZ53PFlags[n] = uint8_t((n & 0xA8) + parity);
    }
    t.SZ53Flags[0] += 0x40;
    t.SZ53PFlags[0] += 0x40;
    t.IncFlags[0xFF] += 0x40;
    t.DecFlags[0x01] += 0x40;
    return t;
}

inline constexpr FlagTables Flags = BuildFlagTables();

}  // namespace tarvolinde
