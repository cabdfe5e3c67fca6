#include "machine/input/symbol_keys.h"

#include <algorithm>
#include <string_view>

#include "machine/input/keyboard_typing.h"

namespace tarvolinde {

namespace {

constexpr std::string_view kSymbols = "\"+-*/=;:,.<>?()$";

}  // namespace

bool SymbolKeys::IsSymbol(char32_t character) {
    return character < 0x80 && kSymbols.find(char(character)) != std::string_view::npos;
}

bool SymbolKeys::Apply(InputBytes& input, uint32_t physicalKey, char32_t character, bool down, bool pcShiftHeld) {
    auto& capsRow = input.KeyRows[kCapsShift.row];
    auto& symbolRow = input.KeyRows[kSymbolShift.row];
    const auto same = std::find_if(held_.begin(), held_.end(), [&](const Held& h) { return h.Row >= 0 && h.PhysicalKey == physicalKey; });
    if (down) {
        if (!IsSymbol(character)) return false;
        const auto chord = ChordForCharacter(char(character));
        const auto slot = same != held_.end() ? same : std::find_if(held_.begin(), held_.end(), [](const Held& h) { return h.Row < 0; });
        if (!chord || slot == held_.end()) return true;
        *slot = {physicalKey, int8_t(chord->key.row), chord->key.mask};
        input.KeyRows[chord->key.row] &= uint8_t(~chord->key.mask);
        symbolRow &= uint8_t(~kSymbolShift.mask);
        capsRow |= kCapsShift.mask;
        return true;
    }
    if (same == held_.end()) return false;
    input.KeyRows[size_t(same->Row)] |= same->Mask;
    same->Row = -1;
    if (std::none_of(held_.begin(), held_.end(), [](const Held& h) { return h.Row >= 0; })) {
        symbolRow |= kSymbolShift.mask;
        if (pcShiftHeld) capsRow &= uint8_t(~kCapsShift.mask);
    }
    return true;
}

}  // namespace tarvolinde
