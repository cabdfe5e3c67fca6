// Running the machine: the frame the emulation thread repeats, the start and
// stop of the emulation, the idle handler that restarts it after commands, and
// the sound settings that pace it.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <algorithm>

#include "frontend/activity_panel.h"
#include "frontend/emulation_thread.h"
#include "frontend/picture_view.h"
#include "frontend/run_state.h"
#include "frontend/screen_rebuild.h"
#include "frontend/tfondo.h"
#include "machine/sp.h"

namespace tarvolinde {

namespace {

// While a menu is still open the idle handler looks again this much later.
constexpr int kIdleRetryMs = 20;

}  // namespace

// --- Emulation thread ------------------------------------------------------------------

void TFondo::EmulationFrame() {
    TSp& machine = *machine_;
    input_.NextFrameTo(machine);
    TypePastedText(machine);
    machine.ExecuteFrame();
    if (machine.screen.DrawFlag) machine.screen.Render(picture_);
    // Hands the frame's sound to the output, which holds the machine to real time
    // and decides whether the next frame is drawn.
    machine.EndFrame();
    if (settings_.PcJoystick) pcJoystick_.Poll(*joystick_);
    PublishActivity(machine);
    NoticeRzxEnd();
}

void TFondo::PublishActivity(const TSp& machine) {
    uint8_t activity = 0;
    if (machine.Tape && machine.Tape->Playing()) activity |= kTapePlaying;
    if (machine.Floppy && machine.Floppy->MotorOn()) activity |= kDiskMotorOn;
    if (machine.Ide && machine.Ide->HdActive()) activity |= kHardDiskAccess;
    if (activity_.exchange(activity) != activity && !activityPosted_.exchange(true)) emit activityChanged();
}

// --- User-interface thread ---------------------------------------------------------------

void TFondo::StartEmulation() {
    if (running_ || !machine_ || closing_) return;
    running_ = true;
    ShowRunState(*this, *pictureView_, *playAction_, true);
    resumePending_ = false;
    output_.StartEmulation();
    thread_->Resume();
}

void TFondo::StopEmulation() {
    resumePending_ = false;
    if (running_) {
        running_ = false;
        thread_->Suspend();
        output_.StopEmulation();
        // Keys typed during the last frame reach the matrix now.
        if (machine_) input_.CopyTo(*machine_);
    }
    ShowRunState(*this, *pictureView_, *playAction_, false);
}

TFondo::CommandPause::CommandPause(TFondo& window)
    : window_(window), was_(window.resumePending_ || window.running_) {
    window_.StopEmulation();
}

TFondo::CommandPause::~CommandPause() {
    window_.resumePending_ = was_;
    ShowRunState(window_, *window_.pictureView_, *window_.playAction_, was_);
    window_.ScheduleIdle();
}

void TFondo::PauseForMenu() {
    const bool was = resumePending_ || running_;
    StopEmulation();
    resumePending_ = was;
    ShowRunState(*this, *pictureView_, *playAction_, was);
    // The menu takes the keyboard: keys held now would never see their release.
    ReleaseHeldKeys();
}

void TFondo::ScheduleIdle() {
    if (resumePending_ && !running_) idleTimer_.start(0);
}

void TFondo::ApplicationIdle() {
    if (running_ || !resumePending_) return;
    // A menu still open or a dialog still showing keeps the machine paused.
    if (QApplication::activePopupWidget() || QApplication::activeModalWidget()) {
        idleTimer_.start(kIdleRetryMs);
        return;
    }
    StartEmulation();
}

void TFondo::RedrawScreen(bool full) {
    if (displayBusy_ || running_ || !machine_) return;
    if (full) RebuildFromMemory(machine_->screen);
    machine_->screen.Render(picture_);
}

void TFondo::SetSoundQuality(int index) {
    // The sound buffer is replaced between two frames.
    const CommandPause pause(*this);
    StopSoundRecording();  // its file's rate is the old one
    soundQuality_ = index;
    if (machine_) machine_->screen.DrawFlag = 0;
    // Without a device that plays, the output has fallen back to the timer pacer.
    if (!output_.SetQuality(index)) ShowSoundNotice();
    if (machine_) {
        machine_->SetSoundFormat(output_.Format());
        // The AY's registers rebuild the synthesiser that runs at the new rate.
        machine_->ReplayAy();
    }
}

void TFondo::SetSpeed(int percent) {
    const CommandPause pause(*this);
    settings_.Speed = std::clamp(percent, kMinSpeed, kMaxSpeed);
    if (!output_.SetSpeed(settings_.Speed)) ShowSoundNotice();
    if (machine_) machine_->SetSoundFormat(output_.Format());
}

void TFondo::ShowSoundNotice() {
    const QString notice = tr("Sin sonido: %1").arg(QString::fromStdString(output_.LastError()));
    hintPanel_->setText(notice);
    qWarning("%s", qUtf8Printable(notice));
}

}  // namespace tarvolinde
