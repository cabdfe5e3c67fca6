#pragma once
// Typing text on the Spectrum keyboard matrix, one key (with its shifts) at a
// time, as a person at the keyboard would: used by the headless runner.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvolinde {

// One key of the matrix: the half-row (0-7) and the bit in it.
struct MatrixKey {
    uint8_t row;
    uint8_t mask;
};

// The key that types a character, and whether CAPS SHIFT or SYMBOL SHIFT is held with it.
struct KeyChord {
    MatrixKey key;
    bool capsShift;
    bool symbolShift;
};

inline constexpr MatrixKey kCapsShift{0, 0x01};
inline constexpr MatrixKey kSymbolShift{7, 0x02};

// The chord for a character: letters, digits, space, '\n' (ENTER) and the
// symbols printed on the keys in red, reached through SYMBOL SHIFT.
std::optional<KeyChord> ChordForCharacter(char c);

// The keys held together for one step of typing: a set bit is a key held, in
// the half-rows of the matrix.
using KeyPress = std::array<uint8_t, 8>;

// The presses that type a text. Besides characters, names in braces press
// keys: {ENTER}, {UP}, {DOWN}, {LEFT}, {RIGHT}, {DELETE}, {EDIT}, {BREAK},
// {CAPS}, {SYMBOL}, {SPACE}, and several names or single keys joined with '+'
// press them together ({SYMBOL+P}, {CAPS+SYMBOL}). Characters no key types are
// passed over. An unknown name gives nothing, with the reason in `error`.
std::optional<std::vector<KeyPress>> KeyPressesForText(std::string_view text, std::string& error);

// Presses keys one step after another: each step is held for `holdFrames`
// frames, then all keys are up for `releaseFrames` frames.
class TypingSession {
public:
    explicit TypingSession(std::string_view text, int holdFrames = 5, int releaseFrames = 5);
    explicit TypingSession(std::vector<KeyPress> presses, int holdFrames = 5, int releaseFrames = 5);

    // Sets the key rows (bit clear = pressed) for the next frame.
    void BeforeFrame(std::array<uint8_t, 8>& keyRows);
    bool Done() const { return position_ >= presses_.size(); }

private:
    std::vector<KeyPress> presses_;
    size_t position_ = 0;
    int frame_ = 0;
    int holdFrames_;
    int releaseFrames_;
};

}  // namespace tarvolinde
