// The snapshot commands: "Cargar" and "Grabar" under "Snapshot".

#include <QAction>
#include <QFileDialog>
#include <stdexcept>

#include "frontend/archive_open.h"
#include "frontend/dialog_defaults.h"
#include "frontend/file_filters.h"
#include "frontend/file_io.h"
#include "frontend/messages.h"
#include "frontend/preview_panel.h"
#include "frontend/snapshot_save_dialog.h"
#include "frontend/tfondo.h"
#include "machine/rom_files.h"
#include "machine/sp.h"
#include "snapshots/snapshot.h"

namespace tarvolinde {

namespace {

// The saver goes by the chosen name: FSU, SNA, Z80 and SZX by their endings, SP for anything else.
SnapshotKind SaveKindOf(const std::string& path) {
    const std::optional<SnapshotKind> kind = SnapshotKindOf(path);
    return kind ? *kind : SnapshotKind::Sp;
}

}  // namespace

void TFondo::CargarSExecute() {
    const CommandPause pause(*this);
    const std::optional<std::string> path =
        ChooseFileToOpen("AbreSnap", Translated(file_dialogs::kOpenSnapshotTitle),
                         Translated(file_dialogs::kOpenSnapshotFilter),
                         PreviewKind::Snapshot, settings_.SnapLoadDir);
    if (!path) return;
    // A file taken from an archive is not added to the recent files.
    if (LoadSnapshot(*path) && !IsZipName(*path)) AddRecent(*path);
    FinishSnapshotLoad(pause.Resumes());
}

bool TFondo::LoadSnapshot(const std::string& path) {
    // The whole file is read and checked before anything changes: a file that
    // fails leaves the machine, its model and any recording as they were.
    const std::optional<LoadableFile> file =
        ReadFileOrReport(path, PreviewKind::Snapshot, file_dialogs::kSnapshotFailed,
                         [](std::string_view name) { return SnapshotKindOf(name).has_value(); });
    if (!file) return false;
    SnapshotImage image;
    try {
        image = MakeSnapshot(*SnapshotKindOf(file->Name))->Parse(file->Bytes);
    } catch (const SnapshotError& failure) {
        ShowError(LoadFailureText(file_dialogs::kSnapshotFailed, path, failure.Problem()));
        return false;
    }
    // Without the ROM of the snapshot's model the switch would fall back to the 48K.
    if (!machine_ || machine_->ModelIndex != image.ModelIndex) {
        try {
            CheckRomsOf(image.ModelIndex, RomDirectories());
        } catch (const MissingRomError& missing) {
            ShowError(QString::fromUtf8(missing.what()));
            return false;
        }
    }
    // The snapshot names its model; the switch goes the way of the model menu,
    // so that the menus, the status bar, the sound and the tape follow it.
    const ModelSelector select = [this](int modelIndex) -> TSp& {
        SelectModel(modelIndex);
        if (!machine_) throw SnapshotError("no machine could be built");
        return *machine_;
    };
    StopRzx();  // a recording goes on from its own state only
    try {
        ApplySnapshot(image, select);
        return true;
    } catch (const SnapshotError&) {
        // The switch was refused (a changed disk kept): the machine is as it was.
        ShowError(LoadFailureText(file_dialogs::kSnapshotFailed, path, FileProblem::Damaged));
        return false;
    }
}

void TFondo::FinishSnapshotLoad(bool resumes) {
    if (!machine_) return;
    if (resumes) {
        // The machine goes on from the start of a frame.
        machine_->cpu.RunUntil(machine_->cpu.FrameLength);
        machine_->EndFrame();
    } else {
        // Paused: the loaded picture shows at once.
        RedrawScreen(true);
    }
}

void TFondo::Grabar1Click() {
    if (!machine_) return;
    const CommandPause pause(*this);
    SnapshotSaveDialog dialog(machine_->ModelIndex, FromUtf8(settings_.SnapSaveDir), this);
    PrepareFileDialog(dialog, programDir_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty() || !machine_) return;
    const std::string path = ToUtf8(dialog.selectedFiles().front());
    settings_.SnapSaveDir = DirectoryOf(path);
    // The name may say another format than the type chosen; one that cannot hold
    // the model is refused rather than written wrong.
    const std::unique_ptr<TSnapshot> format = MakeSnapshot(SaveKindOf(path));
    if (!format->CanSave(machine_->ModelIndex)) {
        ShowIncompatibleFormat(this, machine_->ModelIndex);
        return;
    }
    const std::vector<uint8_t> bytes = format->Save(*machine_);
    if (const std::optional<QString> failure = WriteWholeFile(path, bytes)) {
        ShowError(tr("No se pudo grabar %1: %2").arg(FromUtf8(path), *failure));
        return;
    }
    AddRecent(path);
}

}  // namespace tarvolinde
