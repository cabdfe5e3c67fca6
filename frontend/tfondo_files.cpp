// The main window's file commands that are not about one kind of file: the
// open dialogs' common frame, the recent files, the file named on the command
// line and the screenshots.

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <algorithm>
#include <utility>

#include "frontend/archive_open.h"
#include "frontend/dialog_defaults.h"
#include "frontend/file_filters.h"
#include "frontend/file_io.h"
#include "frontend/messages.h"
#include "frontend/preview_panel.h"
#include "frontend/tfondo.h"
#include "machine/sp.h"
#include "machine/video/screen_dump.h"
#include "snapshots/snapshot.h"
#include "tape/tape_factory.h"

namespace tarvolinde {

namespace {

// The +3, chosen when a disk is opened on a model without a floppy controller.
constexpr int kPlus3Model = 9;

// A menu caption shows '&' only doubled.
QString RecentCaption(const std::string& path) { return FromUtf8(FileNameOf(path)).replace('&', "&&"); }

}  // namespace

std::optional<std::string> TFondo::ChooseFileToOpen(const char* dialogName, const QString& title,
                                                    const QString& filter, PreviewKind preview,
                                                    std::string& lastDir) {
    std::string path = std::exchange(pendingFile_, {});
    if (path.empty()) {
        QFileDialog dialog(this, title, FromUtf8(lastDir), filter);
        dialog.setObjectName(dialogName);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        AttachPreviewPanel(dialog, preview);
        PrepareFileDialog(dialog, programDir_);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
        path = ToUtf8(dialog.selectedFiles().front());
    }
    lastDir = DirectoryOf(path);
    return path;
}

std::optional<LoadableFile> TFondo::ReadFileOrReport(const std::string& path, PreviewKind kind, const char* failed,
                                                     bool (*nameFits)(std::string_view)) {
    std::optional<LoadableFile> file;
    FileProblem problem = FileProblem::Unreadable;
    try {
        file = ReadFileToLoad(path, kind, problem);
    } catch (const ZipError&) {
        ShowError(LoadFailureText(file_dialogs::kZipFailed, path, FileProblem::Damaged));
        return std::nullopt;
    }
    if (!nameFits(file ? file->Name : path)) {
        ShowError(file_dialogs::kBadExtension);
        return std::nullopt;
    }
    if (!file) ShowError(LoadFailureText(failed, path, problem));
    return file;
}

void TFondo::ShowError(const QString& text) { QMessageBox::critical(this, tr("Error"), text); }

void TFondo::ShowError(const char* message) { ShowError(Translated(message)); }

// --- Recent files ----------------------------------------------------------------------

void TFondo::AddRecent(const std::string& path) {
    std::vector<std::string>& recent = settings_.RecentFiles;
    const QList<QAction*> items = recentMenu_->actions();
    const auto listed = std::find(recent.begin(), recent.end(), path);
    if (listed != recent.end()) {
        const qsizetype index = listed - recent.begin();
        std::rotate(recent.begin(), listed, listed + 1);
        QAction* item = items[index];
        recentMenu_->removeAction(item);
        recentMenu_->insertAction(recentMenu_->actions().value(0), item);
        return;
    }
    auto* item = new QAction(RecentCaption(path), recentMenu_);
    item->setStatusTip(FromUtf8(path));
    connect(item, &QAction::triggered, this, [this, item] { RecentClick(item); });
    recentMenu_->insertAction(items.value(0), item);
    recent.insert(recent.begin(), path);
    while (recent.size() > size_t(kMaxRecentFiles)) {
        recent.pop_back();
        QAction* oldest = recentMenu_->actions().back();
        recentMenu_->removeAction(oldest);
        oldest->deleteLater();
    }
    recentMenu_->setEnabled(true);
}

void TFondo::BuildRecentMenu() {
    // The settings file lists the newest first: adding from the oldest rebuilds that order.
    const std::vector<std::string> saved = std::exchange(settings_.RecentFiles, {});
    for (QAction* item : recentMenu_->actions()) {
        recentMenu_->removeAction(item);
        item->deleteLater();
    }
    recentMenu_->setEnabled(false);
    for (auto path = saved.rbegin(); path != saved.rend(); ++path) AddRecent(*path);
}

void TFondo::RecentClick(QAction* item) {
    const qsizetype index = recentMenu_->actions().indexOf(item);
    if (index < 0 || size_t(index) >= settings_.RecentFiles.size()) return;
    const std::string path = settings_.RecentFiles[size_t(index)];
    // A file deleted or moved since is no use in the list: it goes, and the user is told.
    if (ProblemOpening(path, FileKind::Archive) == FileProblem::NotFound) {
        settings_.RecentFiles.erase(settings_.RecentFiles.begin() + index);
        recentMenu_->removeAction(item);
        item->deleteLater();
        recentMenu_->setEnabled(!settings_.RecentFiles.empty());
        ShowError(tr("No se encuentra %1.\nSe quita de los archivos recientes.").arg(FromUtf8(path)));
        return;
    }
    pendingFile_ = path;
    const std::string kind = ExtensionKind(pendingFile_);
    if (SnapshotKindOf(pendingFile_)) {
        findChild<QAction*>("CargarS")->trigger();
    } else if (TapeKindOf(pendingFile_)) {
        findChild<QAction*>("CargaC")->trigger();
    } else if (kind == "DSK") {
        if (machine_ && !machine_->Model().HasFloppy) SelectModel(kPlus3Model);
        findChild<QAction*>("CargaD")->trigger();
    }
    pendingFile_.clear();
}

void TFondo::OpenCommandLineFile() {
    if (commandLineFile_.empty()) return;
    AddRecent(std::exchange(commandLineFile_, {}));
    recentMenu_->actions().front()->trigger();
}

// --- Screenshots --------------------------------------------------------------------------

void TFondo::SaveScreenshot(bool bmp) {
    if (!machine_) return;
    // The machine runs on while the user chooses the file.
    const QString format = bmp ? "bmp" : "scr";
    QFileDialog dialog(this, Translated(file_dialogs::kScreenshotTitle).arg(format), QString(),
                       QString("%1 (*.%1)").arg(format));
    dialog.setObjectName("GrabaD");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(format);
    PrepareFileDialog(dialog, programDir_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty() || !machine_) return;
    const std::string path = ToUtf8(dialog.selectedFiles().front());
    const std::vector<uint8_t> bytes = ScreenBytes(bmp);
    if (const std::optional<QString> failure = WriteWholeFile(path, bytes))
        ShowError(tr("No se pudo grabar %1: %2").arg(FromUtf8(path), *failure));
}

std::vector<uint8_t> TFondo::ScreenBytes(bool bmp) {
    // The emulation thread draws into the picture and the border as it runs:
    // they are read between two frames, and the machine goes on at once.
    const bool wasRunning = running_;
    const bool pending = resumePending_;
    StopEmulation();
    std::vector<uint8_t> bytes = bmp ? ScreenToBmp(machine_->screen) : ScreenToScr(machine_->screen);
    if (wasRunning)
        StartEmulation();
    else
        resumePending_ = pending;
    return bytes;
}

}  // namespace tarvolinde
