#include "frontend/keyboard_help.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPainter>

namespace tarvolinde {

namespace {

using K = SpectrumKey;

// The keyboard as it is laid out, row by row, and the legend printed on each key.
constexpr std::array<std::array<K, 10>, 4> kRows{{
    {K::Digit1, K::Digit2, K::Digit3, K::Digit4, K::Digit5, K::Digit6, K::Digit7, K::Digit8, K::Digit9, K::Digit0},
    {K::Q, K::W, K::E, K::R, K::T, K::Y, K::U, K::I, K::O, K::P},
    {K::A, K::S, K::D, K::F, K::G, K::H, K::J, K::K, K::L, K::Enter},
    {K::CapsShift, K::Z, K::X, K::C, K::V, K::B, K::N, K::M, K::SymbolShift, K::Space},
}};

constexpr std::array<const char*, 40> kLegends{
    "CAPS\nSHIFT", "Z", "X", "C", "V", "A", "S", "D", "F", "G", "Q", "W", "E", "R", "T",
    "1", "2", "3", "4", "5", "0", "9", "8", "7", "6", "P", "O", "I", "U", "Y",
    "ENTER", "L", "K", "J", "H", "BREAK\nSPACE", "SYMBOL\nSHIFT", "M", "N", "B"};

// Keyword of each key in K mode, as printed above it (matrix order).
constexpr std::array<const char*, 40> kKeywords{
    "", "COPY", "CLEAR", "CONT", "CLS", "NEW", "SAVE", "DIM", "FOR", "GOTO", "PLOT", "DRAW", "REM", "RUN",
    "RAND", "EDIT", "CAPS", "TRUE", "INV", "\u2190", "DELETE", "GRAPH", "\u2192", "\u2191", "\u2193", "PRINT",
    "POKE", "INPUT", "IF", "RETURN", "", "LET", "LIST", "LOAD", "GOSUB", "", "", "PAUSE", "NEXT", "BORDER"};

struct PcKey {
    int VirtualKey;
    const char* Name;  // translated with the window's context
};

// The PC keys whose Spectrum key is not written on them; letters and digits are.
constexpr std::array<PcKey, 10> kPcKeys{{
    {virtual_key::Shift, QT_TRANSLATE_NOOP("tarvolinde::KeyboardHelp", "Mayús")},
    {virtual_key::Control, "Ctrl"},
    {virtual_key::Enter, QT_TRANSLATE_NOOP("tarvolinde::KeyboardHelp", "Intro")},
    {virtual_key::Space, QT_TRANSLATE_NOOP("tarvolinde::KeyboardHelp", "Espacio")},
    {virtual_key::Backspace, QT_TRANSLATE_NOOP("tarvolinde::KeyboardHelp", "Retroceso")},
    {virtual_key::ExtendedMode, "Tab"},
    {virtual_key::Left, "\u2190"},
    {virtual_key::Up, "\u2191"},
    {virtual_key::Right, "\u2192"},
    {virtual_key::Down, "\u2193"},
}};

constexpr std::array<const char*, 5> kJoystickNames{"Cursor/Protek/AGF", "Sinclair 1", "Sinclair 2", "Fuller",
                                                    "Kempston"};

constexpr int kKeyWidth = 66, kKeyHeight = 62, kGap = 8, kMargin = 16, kRowShift = 16, kNoteHeight = 70;

QString HelpText(const char* text) { return KeyboardHelp::tr(text); }

}  // namespace

KeyboardHelp::KeyboardHelp(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("AyudaTeclado");
    const int width = 2 * kMargin + 10 * kKeyWidth + 9 * kGap + 3 * kRowShift;
    const int height = 2 * kMargin + 4 * kKeyHeight + 3 * kGap + kNoteHeight;
    setFixedSize(width, height);
    Retranslate();
}

void KeyboardHelp::SetOptions(const KeyOptions& options) {
    options_ = options;
    Retranslate();
}

void KeyboardHelp::Retranslate() {
    setWindowTitle(tr("Teclado del Spectrum"));
    for (QStringList& names : pcKeys_) names.clear();
    bool arrowsPressKeys = false;
    for (const PcKey& pc : kPcKeys) {
        const KeyAction action = MapKey(pc.VirtualKey, options_);
        if (action.Row < 0) continue;
        for (int bit = 0; bit < 5; ++bit) {
            if (!(action.Mask & (1u << bit))) continue;
            // Keys that also press CAPS SHIFT say so.
            const QString name = HelpText(pc.Name) + (action.ExtraCapsShift ? "*" : "");
            pcKeys_[size_t(action.Row * 5 + bit)] << name;
        }
        arrowsPressKeys |= pc.VirtualKey == virtual_key::Left;
    }
    const QString joystick = kJoystickNames[std::min<size_t>(size_t(options_.Joystick), kJoystickNames.size() - 1)];
    joystickNote_ =
        (arrowsPressKeys ? tr("Flechas y 0 del teclado numérico: joystick %1.")
                         : tr("Flechas y 0 del teclado numérico: joystick %1, no pulsan teclas."))
            .arg(joystick);
    update();
}

void KeyboardHelp::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) Retranslate();
    QWidget::changeEvent(event);
}

void KeyboardHelp::keyPressEvent(QKeyEvent* event) {
    // Esc or the key that opened it puts it away.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F1) return void(close());
    QWidget::keyPressEvent(event);
}

void KeyboardHelp::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(24, 24, 26));
    QFont legendFont = font(), smallFont = font(), pcFont = font();
    legendFont.setPixelSize(15), legendFont.setBold(true);
    smallFont.setPixelSize(9);
    pcFont.setPixelSize(11), pcFont.setBold(true);

    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 10; ++column) {
            const auto key = size_t(kRows[size_t(row)][size_t(column)]);
            const QRect box(kMargin + row * kRowShift + column * (kKeyWidth + kGap),
                            kMargin + row * (kKeyHeight + kGap), kKeyWidth, kKeyHeight);
            p.setPen(QPen(QColor(90, 90, 96), 1));
            p.setBrush(QColor(58, 58, 64));
            p.drawRoundedRect(box, 6, 6);
            p.setFont(smallFont);
            p.setPen(QColor(235, 235, 235));
            p.drawText(box.adjusted(4, 3, -4, 0), Qt::AlignTop | Qt::AlignHCenter, kKeywords[key]);
            p.setFont(legendFont);
            const bool twoLines = QString(kLegends[key]).contains('\n');
            if (twoLines) legendFont.setPixelSize(11), p.setFont(legendFont);
            p.drawText(box.adjusted(2, 12, -2, -20), Qt::AlignCenter, kLegends[key]);
            if (twoLines) legendFont.setPixelSize(15);
            if (!pcKeys_[key].isEmpty()) {
                // Long names get a smaller font rather than spilling off the key.
                const QString names = pcKeys_[key].join(' ');
                QFont fitted = pcFont;
                while (QFontMetrics(fitted).horizontalAdvance(names) > kKeyWidth - 6 && fitted.pixelSize() > 7)
                    fitted.setPixelSize(fitted.pixelSize() - 1);
                p.setFont(fitted);
                p.setPen(QColor(250, 200, 60));
                p.drawText(box.adjusted(2, 0, -2, -4), Qt::AlignBottom | Qt::AlignHCenter, names);
            }
        }
    }
    QFont noteFont = font();
    noteFont.setPixelSize(13);
    p.setFont(noteFont);
    p.setPen(QColor(230, 230, 230));
    const QRect note(kMargin, height() - kMargin - kNoteHeight + kGap, width() - 2 * kMargin, kNoteHeight - kGap);
    p.drawText(note, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
               tr("En amarillo, las teclas del PC que pulsan cada tecla (* también pulsa CAPS SHIFT). "
                  "Letras y números, en su tecla. Ctrl = SYMBOL SHIFT, Mayús = CAPS SHIFT.") +
                   "\n" + joystickNote_);
}

void ShowKeyboardHelp(QWidget& window, const KeyOptions& options) {
    auto* help = window.findChild<KeyboardHelp*>();
    if (!help) help = new KeyboardHelp(&window);
    help->SetOptions(options);
    help->show();
    help->raise();
    help->activateWindow();
}

}  // namespace tarvolinde
