#include "frontend/qt_virtual_keys.h"

#include <array>
#include <utility>

namespace tarvolinde {

namespace {

// Windows codes of keys that are neither letters nor digits. The symbol keys are
// those of the US layout; the Spanish layout's own keys (Ñ, Ç, º) take the codes
// Windows gives them there.
constexpr int kBackspace = 0x08, kTab = 0x09, kClear = 0x0C, kReturn = 0x0D, kShift = 0x10, kControl = 0x11,
              kMenu = 0x12, kPause = 0x13, kCapital = 0x14, kEscape = 0x1B, kSpace = 0x20, kPrior = 0x21,
              kNext = 0x22, kEnd = 0x23, kHome = 0x24, kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28,
              kInsert = 0x2D, kDelete = 0x2E, kNumPad0 = 0x60, kMultiply = 0x6A, kAdd = 0x6B, kSubtract = 0x6D,
              kDecimal = 0x6E, kDivide = 0x6F, kF1 = 0x70, kNumLock = 0x90, kScroll = 0x91, kOem1 = 0xBA,
              kOemPlus = 0xBB, kOemComma = 0xBC, kOemMinus = 0xBD, kOemPeriod = 0xBE, kOem2 = 0xBF,
              kOem3 = 0xC0, kOem4 = 0xDB, kOem5 = 0xDC, kOem6 = 0xDD, kOem7 = 0xDE;

constexpr std::array<std::pair<int, int>, 38> kNamedKeys{{
    {Qt::Key_Backspace, kBackspace}, {Qt::Key_Tab, kTab},          {Qt::Key_Backtab, kTab},
    {Qt::Key_Clear, kClear},         {Qt::Key_Return, kReturn},    {Qt::Key_Enter, kReturn},
    {Qt::Key_Shift, kShift},         {Qt::Key_Control, kControl},  {Qt::Key_Alt, kMenu},
    {Qt::Key_AltGr, kMenu},          {Qt::Key_Pause, kPause},      {Qt::Key_CapsLock, kCapital},
    {Qt::Key_Escape, kEscape},       {Qt::Key_Space, kSpace},      {Qt::Key_PageUp, kPrior},
    {Qt::Key_PageDown, kNext},       {Qt::Key_End, kEnd},          {Qt::Key_Home, kHome},
    {Qt::Key_Left, kLeft},           {Qt::Key_Up, kUp},            {Qt::Key_Right, kRight},
    {Qt::Key_Down, kDown},           {Qt::Key_Insert, kInsert},    {Qt::Key_Delete, kDelete},
    {Qt::Key_NumLock, kNumLock},     {Qt::Key_ScrollLock, kScroll}, {Qt::Key_Semicolon, kOem1},
    {Qt::Key_Colon, kOem1},          {Qt::Key_Equal, kOemPlus},    {Qt::Key_Plus, kOemPlus},
    {Qt::Key_Comma, kOemComma},      {Qt::Key_Less, kOemComma},    {Qt::Key_Minus, kOemMinus},
    {Qt::Key_Underscore, kOemMinus}, {Qt::Key_Period, kOemPeriod}, {Qt::Key_Greater, kOemPeriod},
    {Qt::Key_Slash, kOem2},          {Qt::Key_Question, kOem2},
}};

constexpr std::array<std::pair<int, int>, 13> kMoreSymbols{{
    {Qt::Key_QuoteLeft, kOem3},      {Qt::Key_AsciiTilde, kOem3},   {Qt::Key_Ntilde, kOem3},
    {Qt::Key_BracketLeft, kOem4},    {Qt::Key_BraceLeft, kOem4},    {Qt::Key_Backslash, kOem5},
    {Qt::Key_Bar, kOem5},            {Qt::Key_BracketRight, kOem6}, {Qt::Key_BraceRight, kOem6},
    {Qt::Key_Apostrophe, kOem7},     {Qt::Key_QuoteDbl, kOem7},     {Qt::Key_Ccedilla, kOem2},
    {Qt::Key_masculine, kOem5},
}};

// The digit key each shifted symbol of the US layout is typed on.
constexpr std::array<std::pair<int, char>, 10> kShiftedDigits{{
    {Qt::Key_ParenRight, '0'}, {Qt::Key_Exclam, '1'},      {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'}, {Qt::Key_Dollar, '4'},      {Qt::Key_Percent, '5'},
    {Qt::Key_AsciiCircum, '6'}, {Qt::Key_Ampersand, '7'},  {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'},
}};

int NumericPadKey(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return kNumPad0 + (qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Asterisk: return kMultiply;
    case Qt::Key_Plus: return kAdd;
    case Qt::Key_Minus: return kSubtract;
    case Qt::Key_Period: case Qt::Key_Comma: return kDecimal;
    case Qt::Key_Slash: return kDivide;
    // With Num Lock off the pad sends cursor keys; pad 0 is then Insert.
    case Qt::Key_Insert: return kNumPad0;
    case Qt::Key_Enter: return kReturn;
    default: return 0;
    }
}

}  // namespace

int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (const int padKey = NumericPadKey(qtKey)) return padKey;
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return '0' + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return kF1 + (qtKey - Qt::Key_F1);
    for (const auto& [key, code] : kShiftedDigits)
        if (key == qtKey) return code;
    for (const auto& [key, code] : kNamedKeys)
        if (key == qtKey) return code;
    for (const auto& [key, code] : kMoreSymbols)
        if (key == qtKey) return code;
    return 0;
}

}  // namespace tarvolinde
