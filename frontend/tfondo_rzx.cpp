// The RZX commands under "Acciones": "Tutorial" records, "Reproducir" plays a
// recording, "Detener" ends either. The recording or playback object is
// touched by the emulation thread every frame, so these commands change it
// only while the thread is stopped; playback that ends by itself (its last
// frame, or a damaged frame) is noticed on the emulation thread and handed
// here to put the menus and the status bar right.

#include <QAction>
#include <QFileDialog>
#include <QMetaObject>

#include "frontend/activity_panel.h"
#include "frontend/dialog_defaults.h"
#include "frontend/file_filters.h"
#include "frontend/file_io.h"
#include "frontend/messages.h"
#include "frontend/archive_open.h"
#include "frontend/preview_panel.h"
#include "frontend/tfondo.h"
#include "machine/sp.h"
#include "snapshots/rzx.h"

namespace tarvolinde {

namespace {

constexpr const char* kSaveRzxTitle = QT_TRANSLATE_NOOP("Mensajes", "Grabar Accion");
constexpr const char* kSaveRzxFilter = QT_TRANSLATE_NOOP("Mensajes", "Archivos rzx (*.rzx)");
// The values of RzxState that the status bar shows.
constexpr int kRzxNone = 0, kRzxPlaying = 1, kRzxRecording = 3;

}  // namespace

void TFondo::ShowRzxState(int state) {
    rzxState_ = state;
    rzxStopAction_->setEnabled(state != kRzxNone);
    activityPanel_->Show(activity_.load(), rzxState_);
}

void TFondo::Tutorial1Click() {
    if (!machine_ || !machine_->Model().RzxRecording) return;
    const CommandPause pause(*this);
    std::string path = std::exchange(pendingFile_, {});
    if (path.empty()) {
        const QString chosen = QFileDialog::getSaveFileName(
            this, Translated(kSaveRzxTitle), StartDirectory(settings_.RzxDir, programDir_), Translated(kSaveRzxFilter));
        if (chosen.isEmpty()) return;
        path = ToUtf8(chosen);
    }
    settings_.RzxDir = DirectoryOf(path);
    StopRzx();
    if (ExtensionKind(path) != "RZX") {
        ShowError(file_dialogs::kBadExtension);
        return;
    }
    rzx_ = TRZX::StartRecording(*machine_);
    rzxPath_ = path;
    ShowRzxState(kRzxRecording);
}

void TFondo::Reproducir2Click() {
    if (!machine_) return;
    const CommandPause pause(*this);
    const std::optional<std::string> path =
        ChooseFileToOpen("AbreAccion", Translated(file_dialogs::kOpenRzxTitle), Translated(file_dialogs::kOpenRzxFilter),
                         PreviewKind::Rzx, settings_.RzxDir);
    if (!path) return;
    // A file that cannot be played leaves the machine, and any recording, as they were.
    std::optional<LoadableFile> file = ReadFileOrReport(*path, PreviewKind::Rzx, file_dialogs::kRzxFailed, IsRzxName);
    if (!file) return;
    std::unique_ptr<TRZX> opened;
    try {
        opened = TRZX::Open(std::move(file->Bytes));
    } catch (const RzxError&) {
        ShowError(LoadFailureText(file_dialogs::kRzxFailed, *path, FileProblem::Damaged));
        return;
    }
    StopRzx();
    const ModelSelector select = [this](int modelIndex) -> TSp& {
        SelectModel(modelIndex);
        if (!machine_) throw RzxError("no machine could be built");
        return *machine_;
    };
    try {
        // A recording of a machine it does not carry starts from a snapshot the user picks.
        if (opened->NeedsSnapshot()) CargarSExecute();
        if (!machine_) throw RzxError("no machine");
        opened->StartPlayback(*machine_, select);
        rzx_ = std::move(opened);
    } catch (const RzxError&) {
        ShowError(file_dialogs::kRzxFailed);
        if (machine_) machine_->Reset();
        return;
    }
    ShowRzxState(rzx_->Status() == RzxStatus::Playing ? kRzxPlaying : kRzxNone);
    RedrawScreen(true);
}

void TFondo::DetenerAExecute() {
    const CommandPause pause(*this);
    StopRzx();
}

void TFondo::StopRzx() {
    if (!rzx_) return;
    if (rzx_->Status() == RzxStatus::Recording) {
        const std::vector<uint8_t> file = rzx_->FinishRecording();
        if (const std::optional<QString> failure = WriteWholeFile(rzxPath_, file))
            ShowError(tr("No se pudo grabar %1: %2").arg(FromUtf8(rzxPath_), *failure));
    }
    rzx_.reset();
    ShowRzxState(kRzxNone);
}

void TFondo::NoticeRzxEnd() {
    if (rzx_ && (rzx_->Status() == RzxStatus::Ended || rzx_->Status() == RzxStatus::Failed) &&
        !rzxEndPosted_.exchange(true))
        QMetaObject::invokeMethod(this, "RzxEnded", Qt::QueuedConnection);
}

void TFondo::RzxEnded() {
    rzxEndPosted_ = false;
    if (!rzx_ || rzx_->Status() == RzxStatus::Playing || rzx_->Status() == RzxStatus::Recording) return;
    const bool failed = rzx_->Status() == RzxStatus::Failed;
    {
        const CommandPause pause(*this);
        StopRzx();
    }
    if (failed) ShowError(file_dialogs::kRzxFailed);
}

}  // namespace tarvolinde
