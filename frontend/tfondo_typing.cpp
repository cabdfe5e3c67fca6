// "Teclado simbólico", "Pegar texto" and "Grabar sonido": typing and recording
// commands of the main window.

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>

#include "frontend/tfondo.h"
#include "machine/input/keyboard_typing.h"
#include "machine/sound/sound_recorder.h"
#include "machine/sp.h"

namespace tarvolinde {

void TFondo::CreateTypingActions() {
    QAction* symbols = NewAction("TecladoSimbolico", QT_TR_NOOP("Teclado simbólico"),
                                 QT_TR_NOOP("Las teclas de signos escriben el símbolo de su tecla"), true);
    symbols->setCheckable(true);
    symbols->setChecked(settings_.SymbolKeyboard);
    connect(symbols, &QAction::toggled, this, [this](bool on) { settings_.SymbolKeyboard = on; });
    optionsMenu_->insertAction(findChild<QAction*>("Reset1"), symbols);

    QAction* paste = NewAction("PegarTexto", QT_TR_NOOP("Pegar texto"),
                               QT_TR_NOOP("Escribe en el Spectrum el texto del portapapeles"), true);
    connect(paste, &QAction::triggered, this, [this] { PasteText(QApplication::clipboard()->text()); });
    optionsMenu_->insertAction(findChild<QAction*>("Reset1"), paste);

    recordSoundAction_ =
        NewAction("GrabarSonido", QT_TR_NOOP("Grabar sonido"), QT_TR_NOOP("Graba el sonido en un fichero WAV"), true);
    recordSoundAction_->setCheckable(true);
    connect(recordSoundAction_, &QAction::triggered, this, [this](bool on) {
        if (!on) return StopSoundRecording();
        const QString path = QFileDialog::getSaveFileName(this, tr("Grabar sonido"), QString(), "WAV (*.wav)");
        if (path.isEmpty() || !StartSoundRecording(path.toStdString())) recordSoundAction_->setChecked(false);
    });
    optionsMenu_->insertAction(findChild<QAction*>("Reset1"), recordSoundAction_);
}

bool TFondo::HandleSymbolKey(QKeyEvent* event, bool down) {
    if (!settings_.SymbolKeyboard) return false;
    const QString text = event->text();
    const char32_t character = text.size() == 1 ? text.at(0).unicode() : 0;
    // The scan code tells the physical key; without one (synthetic events) the key code does.
    const uint32_t physicalKey = event->nativeScanCode() ? event->nativeScanCode() : uint32_t(event->key()) | 0x80000000u;
    if (!input_.HandleSymbolKey(physicalKey, character, down, event->modifiers() & Qt::ShiftModifier)) return false;
    if (!running_ && machine_) input_.CopyTo(*machine_);
    return true;
}

void TFondo::PasteText(const QString& text) {
    const CommandPause pause(*this);
    std::string typed = text.toStdString();
    std::erase(typed, '\r');
    pasteTyping_ = std::make_unique<TypingSession>(std::move(typed));
    pasting_.store(true, std::memory_order_release);
}

void TFondo::TypePastedText(TSp& machine) {
    if (!pasteTyping_) return;
    pasteTyping_->BeforeFrame(machine.KeyRows);
    if (!pasteTyping_->Done()) return;
    pasteTyping_.reset();
    pasting_.store(false, std::memory_order_release);
}

bool TFondo::StartSoundRecording(const std::string& path) {
    const CommandPause pause(*this);
    StopSoundRecording();
    if (!output_.Format().HasSound()) {
        hintPanel_->setText(tr("Grabar sonido: sin sonido"));
        return false;
    }
    auto recorder = std::make_unique<SoundRecorder>(path, output_.Format().SampleRate, &output_);
    if (!recorder->Good()) {
        hintPanel_->setText(tr("Grabar sonido: no se puede escribir %1").arg(QString::fromStdString(path)));
        return false;
    }
    soundRecorder_ = std::move(recorder);
    if (machine_) machine_->Output = soundRecorder_.get();
    if (recordSoundAction_) recordSoundAction_->setChecked(true);
    return true;
}

void TFondo::StopSoundRecording() {
    if (!soundRecorder_) return;
    const CommandPause pause(*this);
    if (machine_) machine_->Output = &output_;
    soundRecorder_.reset();
    if (recordSoundAction_) recordSoundAction_->setChecked(false);
}

}  // namespace tarvolinde
