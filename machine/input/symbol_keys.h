#pragma once
// "Teclado simbólico": PC keys that type a punctuation character the key
// mapping has no key for type the Spectrum symbol their cap shows: SYMBOL
// SHIFT with the key that carries it, with CAPS SHIFT lifted while it is held,
// since the PC shift that reached the character means nothing on the Spectrum.

#include <array>
#include <cstdint>

#include "machine/input/key_mapping.h"

namespace tarvolinde {

class SymbolKeys {
public:
    // Whether `character` is one of the symbols typed this way.
    static bool IsSymbol(char32_t character);

    // A PC key going down with the text `character`, or up. Keys are told
    // apart by `physicalKey` (the toolkit's scan code), since the text of a key
    // going up may differ from the text it went down with. Returns false for a
    // key this does not handle (not a symbol going down, or not held going up).
    bool Apply(InputBytes& input, uint32_t physicalKey, char32_t character, bool down, bool pcShiftHeld);

    // Keys held: at most this many symbol keys at once; more are ignored.
    static constexpr size_t kMaxHeld = 4;

private:
    struct Held {
        uint32_t PhysicalKey = 0;
        int8_t Row = -1;
        uint8_t Mask = 0;
    };
    std::array<Held, kMaxHeld> held_{};
};

}  // namespace tarvolinde
