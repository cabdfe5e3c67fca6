// "Idioma": the language dialog, the switch of the interface's language while
// the machine runs, and the language check at start-up.

#include <QEvent>
#include <QLocale>
#include <QTimer>

#include "frontend/ini_file.h"
#include "frontend/teligel.h"
#include "frontend/tfondo.h"

namespace tarvolinde {

void TFondo::Idioma1Click() {
    const CommandPause pause(*this);
    TEligeL dialog(this);
    if (dialog.exec() == QDialog::Accepted && dialog.Chosen() != 0) SelectLanguage(dialog.Chosen());
}

void TFondo::SelectLanguage(uint32_t localeId) {
    settings_.LanguageId = localeId;
    // An explicit choice: kept whether or not the settings are saved on exit.
    IniStore ini = LoadIniFile(IniPath());
    WriteLanguage(localeId, ini);
    SaveIniFile(IniPath(), ini);
    // The translators tell every window (QEvent::LanguageChange), each of which
    // re-reads its captions; nothing is rebuilt, and the machine is not stopped.
    language_.Apply(localeId);
}

void TFondo::CheckLanguage() {
    if (const std::optional<uint32_t> language = StartupLanguage(settings_.LanguageId, QLocale::system()))
        language_.Apply(*language);
    else  // once the window is on the screen, so that the dialog shows over it
        QTimer::singleShot(0, this, &TFondo::Idioma1Click);
}

void TFondo::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) captions_.Apply();
    QMainWindow::changeEvent(event);
}

}  // namespace tarvolinde
