// The main window's own commands: the model switch, reset, volume, play/stop,
// window and full screen.

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>

#include "frontend/picture_view.h"
#include "frontend/tfondo.h"
#include "machine/machine_factory.h"
#include "machine/rom_files.h"
#include "machine/sp.h"
#include "tape/cinta.h"

namespace tarvolinde {

void TFondo::SelectModel(int modelIndex) {
    if (modelIndex < 0 || modelIndex >= kModelCount) return;
    // Choosing the model that is running changes nothing (no reset).
    if (machine_ && machine_->ModelIndex == modelIndex) {
        ShowModel();
        return;
    }
    // The machine is replaced between two frames; the idle handler restarts it.
    const CommandPause pause(*this);
    if (!KeepDiskThroughSwitch(modelIndex)) return ShowModel();
    StopRzx();  // it runs on the machine that goes
    ModelSwitchResult result =
        SwitchModel(modelIndex, RomFilesIn(RomDirectories()),
                    MachineOptions{.AyIn48 = settings_.AyIn48, .Issue2 = settings_.Issue2}, 
                    MachineDevices{.MakeFloppy = DiskDevices().MakeFloppy, .MakeIde = HardDiskDevices().MakeIde});
    for (const MissingRomError& error : result.Errors)
        QMessageBox::critical(this, "Error", QString::fromUtf8(error.what()));
    if (result.Machine) {
        // The tape lets go of the old machine before it is destroyed, and plays into the new one.
        if (tape_) tape_->Attach(nullptr);
        machine_ = std::move(result.Machine);
        if (tape_) tape_->Attach(machine_.get());
        machine_->Joystick = JoystickType(settings_.JoystickType);
        machine_->Mouse = MouseType(settings_.MouseType);
        machine_->AutoPlayStop = settings_.AutoPlayStop;
        // Its frames go to the sound output, with the samples of its frame length.
        machine_->Output = &output_;
        machine_->SetSoundFormat(output_.Format());
        if (soundRecorder_) machine_->Output = soundRecorder_.get();
        machine_->sound.Filter = settings_.Filter;
        ConnectPointer(*machine_, pointer_);
        input_.CopyTo(*machine_);
    }
    // When no machine could be built the previous one goes on, and so do its
    // menu mark and status caption.
    ShowModel();
    BuildMouseScale();
}

void TFondo::ShowModel() {
    for (QAction* item : modelActions_) item->setChecked(false);
    if (!machine_) {
        modelPanel_->clear();
        diskMenu_->setEnabled(false);
        rzxRecordMenu_->setEnabled(false);
        ShowDiskInserted();
        return;
    }
    const ModelInfo& model = machine_->Model();
    modelActions_[size_t(machine_->ModelIndex)]->setChecked(true);
    modelPanel_->setText(modelActions_[size_t(machine_->ModelIndex)]->text());
    diskMenu_->setEnabled(model.HasFloppy);
    rzxRecordMenu_->setEnabled(model.RzxRecording);
    ShowDiskInserted();
}

void TFondo::ResetMachine() {
    if (!machine_) return;
    const CommandPause pause(*this);
    machine_->Reset();
}

void TFondo::SelectVolume(int index) {
    if (index < 0 || index >= int(volumeActions_.size())) return;
    volumeActions_[size_t(index)]->setChecked(true);
    settings_.VolumeIndex = index;
    output_.SetVolume(index);
}

void TFondo::PausaBExecute() {
    if (running_ || resumePending_) {
        StopEmulation();
        return;
    }
    if (fullScreen_ && panel_->isVisible()) {
        panel_->hide();
        menuBar()->hide();
    }
    StartEmulation();
    // The button stays up when there is no machine to run.
    playAction_->setChecked(running_);
}

void TFondo::P_PantClick() {
    if (fullScreen_)
        LeaveFullScreen();
    else
        EnterFullScreen();
}

void TFondo::EnterFullScreen() {
    if (fullScreen_) return;
    displayBusy_ = true;
    const bool was = resumePending_ || running_;
    StopEmulation();
    fullScreen_ = true;
    menuBar()->hide();
    panel_->hide();
    statusBar()->hide();
    showFullScreen();
    displayBusy_ = false;
    if (was)
        StartEmulation();
    else
        RedrawScreen(false);
}

void TFondo::LeaveFullScreen() {
    if (!fullScreen_) return;
    displayBusy_ = true;
    const bool was = resumePending_ || running_;
    StopEmulation();
    fullScreen_ = false;
    showNormal();
    menuBar()->show();
    panel_->show();
    statusBar()->show();
    displayBusy_ = false;
    if (was)
        StartEmulation();
    else
        RedrawScreen(false);
}

void TFondo::PictureRightButton() {
    // In full screen the right button brings back the menus and the tool buttons.
    if (!fullScreen_ || panel_->isVisible()) return;
    StopEmulation();
    menuBar()->show();
    panel_->show();
}

void TFondo::PointerChanged(QPoint inPicture, QPoint onDesktop, bool leftButton) {
    if (MouseType(settings_.MouseType) == MouseType::None) return;
    pointer_.MouseEvent(inPicture.x(), inPicture.y(), leftButton);
    pointer_.ScreenCursorMoved(onDesktop.x(), onDesktop.y());
}

void TFondo::BuildMouseScale() {
    const QRect picture = pictureView_->PictureRect();
    pointer_.BuildMouseScale(picture.width(), picture.height());
}

void TFondo::AplicaCursor() {
    switch (CursorFor(MouseType(settings_.MouseType))) {
    case PointerCursor::Arrow: pictureView_->setCursor(Qt::ArrowCursor); break;
    case PointerCursor::CrossHair: pictureView_->setCursor(Qt::CrossCursor); break;
    case PointerCursor::Hidden: pictureView_->setCursor(Qt::BlankCursor); break;
    }
}

}  // namespace tarvolinde
