#include "machine/input/keyboard_typing.h"

#include <algorithm>
#include <cctype>
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

// Named keys, as the keys of the matrix they hold (\x01 CAPS SHIFT, \x02 SYMBOL SHIFT).
constexpr std::pair<std::string_view, std::string_view> kNamedKeys[] = {
    {"ENTER", "\n"}, {"UP", "\x01" "7"}, {"DOWN", "\x01" "6"}, {"LEFT", "\x01" "5"}, {"RIGHT", "\x01" "8"},
    {"DELETE", "\x01" "0"}, {"EDIT", "\x01" "1"}, {"BREAK", "\x01 "}, {"CAPS", "\x01"}, {"SYMBOL", "\x02"},
    {"SPACE", " "},
};

std::optional<MatrixKey> KeyFor(char c) {
    for (uint8_t row = 0; row < 8; ++row) {
        const size_t bit = kRowKeys[row].find(c);
        if (bit != std::string_view::npos) return MatrixKey{row, uint8_t(1 << bit)};
    }
    return std::nullopt;
}

void Hold(KeyPress& press, MatrixKey key) { press[key.row] |= key.mask; }

KeyPress PressOf(const KeyChord& chord) {
    KeyPress press{};
    Hold(press, chord.key);
    if (chord.capsShift) Hold(press, kCapsShift);
    if (chord.symbolShift) Hold(press, kSymbolShift);
    return press;
}

// One name between braces, or one key of the matrix by its character.
bool AddNamedKeys(std::string_view name, KeyPress& press) {
    std::string upper(name);
    for (char& c : upper) c = char(std::toupper(static_cast<unsigned char>(c)));
    for (const auto& [keyName, keys] : kNamedKeys) {
        if (upper != keyName) continue;
        for (const char key : keys) Hold(press, *KeyFor(key));
        return true;
    }
    if (name.size() != 1) return false;
    const std::optional<MatrixKey> key = KeyFor(char(std::tolower(static_cast<unsigned char>(name[0]))));
    if (key) Hold(press, *key);
    return key.has_value();
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

std::optional<std::vector<KeyPress>> KeyPressesForText(std::string_view text, std::string& error) {
    std::vector<KeyPress> presses;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '{') {
            if (const std::optional<KeyChord> chord = ChordForCharacter(text[i])) presses.push_back(PressOf(*chord));
            continue;
        }
        const size_t close = text.find('}', i);
        if (close == std::string_view::npos) {
            error = "unclosed key name in typed text: " + std::string(text.substr(i));
            return std::nullopt;
        }
        const std::string_view names = text.substr(i + 1, close - i - 1);
        KeyPress press{};
        for (size_t start = 0;;) {
            // A '+' right after a '+' or at the start is the key itself, not a separator.
            size_t plus = names.find('+', start + 1);
            if (plus == std::string_view::npos) plus = names.size();
            if (!AddNamedKeys(names.substr(start, plus - start), press)) {
                error = "unknown key name {" + std::string(names) + "} in typed text";
                return std::nullopt;
            }
            if (plus >= names.size()) break;
            start = plus + 1;
        }
        presses.push_back(press);
        i = close;
    }
    return presses;
}

TypingSession::TypingSession(std::string_view text, int holdFrames, int releaseFrames)
    : holdFrames_(holdFrames), releaseFrames_(releaseFrames) {
    for (const char c : text)
        if (const std::optional<KeyChord> chord = ChordForCharacter(c)) presses_.push_back(PressOf(*chord));
}

TypingSession::TypingSession(std::vector<KeyPress> presses, int holdFrames, int releaseFrames)
    : presses_(std::move(presses)), holdFrames_(holdFrames), releaseFrames_(releaseFrames) {}

void TypingSession::BeforeFrame(std::array<uint8_t, 8>& keyRows) {
    keyRows.fill(0xFF);
    if (Done()) return;
    if (frame_ < holdFrames_)
        for (size_t row = 0; row < keyRows.size(); ++row) keyRows[row] &= uint8_t(~presses_[position_][row]);
    if (++frame_ >= holdFrames_ + releaseFrames_) {
        frame_ = 0;
        ++position_;
    }
}

}  // namespace tarvolinde
