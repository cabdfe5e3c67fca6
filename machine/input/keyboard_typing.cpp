#include "machine/input/keyboard_typing.h"

#include <cctype>
#include <string_view>
#include <utility>

namespace tarvolinde {

namespace {

// The characters of each half-row, bit 0 first, as printed on the keys.
constexpr std::string_view kRowKeys[8] = {"\x01zxcv", "asdfg", "qwert", "12345", "09876", "poiuy", "\nlkjh", " \x02mnb"};

// Symbols on the keys, typed with SYMBOL SHIFT: symbol, then its key.
constexpr std::pair<char, char> kSymbols[] = {
    {'!', '1'}, {'@', '2'}, {'#', '3'}, {'$', '4'}, {'%', '5'}, {'&', '6'}, {'\'', '7'}, {'(', '8'},
    {')', '9'}, {'_', '0'}, {'<', 'r'}, {'>', 't'}, {';', 'o'}, {'"', 'p'}, {'^', 'h'}, {'-', 'j'},
    {'+', 'k'}, {'=', 'l'}, {':', 'z'}, {'?', 'c'}, {'/', 'v'}, {'*', 'b'}, {',', 'n'}, {'.', 'm'},
};

std::optional<MatrixKey> KeyFor(char c) {
    for (uint8_t row = 0; row < 8; ++row) {
        const size_t bit = kRowKeys[row].find(c);
        if (bit != std::string_view::npos) return MatrixKey{row, uint8_t(1 << bit)};
    }
    return std::nullopt;
}

}  // namespace

std::optional<KeyChord> ChordForCharacter(char c) {
    if (c >= 'A' && c <= 'Z') {
        return KeyChord{*KeyFor(char(std::tolower(static_cast<unsigned char>(c)))), true, false};
    }
    if (const auto key = KeyFor(c); key && c != '\x01' && c != '\x02') return KeyChord{*key, false, false};
    for (const auto& [symbol, keyChar] : kSymbols)
        if (symbol == c) return KeyChord{*KeyFor(keyChar), false, true};
    return std::nullopt;
}

TypingSession::TypingSession(std::string text, int holdFrames, int releaseFrames)
    : text_(std::move(text)), holdFrames_(holdFrames), releaseFrames_(releaseFrames) {}

void TypingSession::BeforeFrame(std::array<uint8_t, 8>& keyRows) {
    keyRows.fill(0xFF);
    // Characters that no key types are skipped.
    while (!Done() && !ChordForCharacter(text_[position_])) ++position_;
    if (Done()) return;
    if (frame_ < holdFrames_) {
        const KeyChord chord = *ChordForCharacter(text_[position_]);
        keyRows[chord.key.row] &= uint8_t(~chord.key.mask);
        if (chord.capsShift) keyRows[kCapsShift.row] &= uint8_t(~kCapsShift.mask);
        if (chord.symbolShift) keyRows[kSymbolShift.row] &= uint8_t(~kSymbolShift.mask);
    }
    if (++frame_ >= holdFrames_ + releaseFrames_) {
        frame_ = 0;
        ++position_;
    }
}

}  // namespace tarvolinde
