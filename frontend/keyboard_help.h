#pragma once
// "Ayuda": a drawing of the Spectrum's forty keys with, on each, the PC keys
// that press it under the current options (the arrows follow "JoyStick:").

#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>

#include "machine/input/key_mapping.h"

namespace tarvolinde {

class KeyboardHelp : public QWidget {
    Q_OBJECT
public:
    explicit KeyboardHelp(QWidget* parent = nullptr);

    // The options the PC keys are drawn for.
    void SetOptions(const KeyOptions& options);
    // The PC keys drawn on a Spectrum key, and the line under the keyboard.
    const QStringList& PcKeysOn(SpectrumKey key) const { return pcKeys_[size_t(key)]; }
    const QString& JoystickNote() const { return joystickNote_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Retranslate();

    KeyOptions options_;
    std::array<QStringList, 40> pcKeys_;
    QString joystickNote_;
};

// Shows the window's keyboard help (made the first time), drawn for `options`.
void ShowKeyboardHelp(QWidget& window, const KeyOptions& options);

}  // namespace tarvolinde
