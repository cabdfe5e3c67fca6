// The tape deck's commands under "Cinta": insert, eject, play, stop and browse,
// and the actions that follow the deck's state.

#include <QAction>
#include <QThread>

#include "frontend/activity_panel.h"
#include "frontend/archive_open.h"
#include "frontend/file_filters.h"
#include "frontend/file_io.h"
#include "frontend/messages.h"
#include "frontend/preview_panel.h"
#include "frontend/tfondo.h"
#include "frontend/tnavegador.h"
#include "frontend/window_geometry.h"
#include "machine/sp.h"
#include "tape/cinta.h"
#include "tape/tape_error.h"
#include "tape/tape_factory.h"

namespace tarvolinde {

void TFondo::CargaCExecute() {
    const CommandPause pause(*this);
    const std::optional<std::string> path =
        ChooseFileToOpen("AbreCinta", Translated(file_dialogs::kOpenTapeTitle), Translated(file_dialogs::kOpenTapeFilter),
                         PreviewKind::Tape, settings_.TapeLoadDir);
    if (path) InsertTape(*path);
}

void TFondo::InsertTape(const std::string& path) {
    // The old tape stays in until the new one has been read and checked: a file
    // that fails leaves the deck as it was.
    std::optional<LoadableFile> file =
        ReadFileOrReport(path, PreviewKind::Tape, file_dialogs::kTapeFailed,
                         [](std::string_view name) { return TapeKindOf(name).has_value(); });
    if (!file) return;
    std::unique_ptr<TCinta> tape;
    try {
        tape = CreateTape(*TapeKindOf(file->Name), std::move(file->Bytes));
    } catch (const TapeFormatError& failure) {
        ShowError(LoadFailureText(file_dialogs::kTapeFailed, path, failure.Problem()));
        return;
    }
    EjectTape();
    // A tape cut short goes in with its complete blocks; the user is told.
    if (tape->CutShort()) ShowError(LoadFailureText(file_dialogs::kTapeFailed, path, FileProblem::TooShort));
    tape->FastLoad = settings_.FastLoad;
    tape->AutoRewind = settings_.AutoRewind;
    tape->PlayingChanged = [this](bool playing) {
        const uint64_t change = ++tapeChanges_;
        if (QThread::currentThread() == thread()) {
            ShowTapePlaying(playing);
            return;
        }
        // Auto play and the tape's own stops happen on the emulation thread,
        // which never waits for this one: the notice is posted.
        QMetaObject::invokeMethod(this, "TapePlayingChanged", Qt::QueuedConnection, Q_ARG(quint64, change),
                                  Q_ARG(bool, playing));
    };
    tape->Attach(machine_.get());
    tape_ = std::move(tape);
    ShowTapeInserted(true);
    if (!file->FromArchive) AddRecent(path);
}

void TFondo::EjectTape() {
    if (!tape_) return;
    // Notices of the old tape still on their way are stale from now on.
    ++tapeChanges_;
    tape_.reset();
    ShowTapeInserted(false);
}

void TFondo::SacaCExecute() {
    const CommandPause pause(*this);
    EjectTape();
}

void TFondo::TocaCExecute() {
    if (!tape_) return;
    const CommandPause pause(*this);
    tape_->Play();
}

void TFondo::PausaCExecute() {
    if (!tape_) return;
    const CommandPause pause(*this);
    tape_->Stop(true);
}

void TFondo::NavegaCExecute() {
    if (!tape_) return;
    const CommandPause pause(*this);
    TNavegador browser(*tape_, this);
    RestoreBrowserSize(browser, settings_);
    browser.exec();
    KeepBrowserSize(browser, settings_);
}

void TFondo::ShowTapeInserted(bool inserted) {
    tapeEjectAction_->setEnabled(inserted);
    tapeBrowseAction_->setEnabled(inserted);
    tapePlayAction_->setEnabled(inserted && !tape_->Playing());
    tapeStopAction_->setEnabled(inserted && tape_->Playing());
    if (!inserted) ShowTapePlaying(false);
}

void TFondo::TapePlayingChanged(quint64 change, bool playing) {
    if (tape_ && change == tapeChanges_.load()) ShowTapePlaying(playing);
}

void TFondo::ShowTapePlaying(bool playing) {
    if (tape_) {
        tapeStopAction_->setEnabled(playing);
        tapePlayAction_->setEnabled(!playing);
    }
    // While the machine runs, its frames report the tape; stopped, it is shown here.
    if (running_) return;
    const uint8_t was = activity_.load();
    const uint8_t now = playing ? uint8_t(was | kTapePlaying) : uint8_t(was & ~kTapePlaying);
    activity_ = now;
    activityPanel_->Show(now, rzxState_);
}

}  // namespace tarvolinde
