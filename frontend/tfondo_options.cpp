// The main window's options dialog ("Opciones") and credits window ("Créditos").

#include "frontend/picture_view.h"
#include "frontend/tcreditos.h"
#include "frontend/tfondo.h"
#include "frontend/topciones.h"
#include "machine/sp.h"
#include "tape/cinta.h"

namespace tarvolinde {

void TFondo::Hardware1Click() {
    const CommandPause pause(*this);
    if (!opciones_) {
        opciones_ = new TOpciones(this);
        connect(opciones_, &TOpciones::speedChanged, this, &TFondo::SetSpeed);
        opciones_->SetHardDiskHandler([this](const std::string& path) { return AttachHardDisk(path); });
    }
    Settings shown = settings_;
    shown.SoundQuality = soundQuality_;
    opciones_->Load(shown, OptionsContext{.ModelIndex = machine_ ? machine_->ModelIndex : settings_.ModelIndex,
                                          .RamKb = machine_ ? machine_->Model().RamKb : 48,
                                          .JoystickPresent = joystick_->Present()});
    if (opciones_->exec() != QDialog::Accepted) return;
    // Only what the dialog edits: the speed and the hard disk have been applied already.
    opciones_->Store(settings_);
    ApplyOptions();
}

void TFondo::ApplyOptions() {
    if (machine_) {
        machine_->ApplyOptions(MachineOptions{.AyIn48 = settings_.AyIn48, .Issue2 = settings_.Issue2});
        machine_->Joystick = JoystickType(settings_.JoystickType);
        machine_->Mouse = MouseType(settings_.MouseType);
        machine_->AutoPlayStop = settings_.AutoPlayStop;
        machine_->sound.Filter = settings_.Filter;
    }
    if (tape_) {
        tape_->FastLoad = settings_.FastLoad;
        tape_->AutoRewind = settings_.AutoRewind;
    }
    pictureView_->SetStretch(settings_.StretchPicture);
    AplicaCursor();
    if (settings_.SoundQuality != soundQuality_) SetSoundQuality(settings_.SoundQuality);
    // With saving at exit turned off, that choice itself has to reach the file now.
    if (!settings_.SaveOnExit) GrabaConfiguracion(true);
}

void TFondo::ShowCredits() {
    const CommandPause pause(*this);
    TCreditos credits(this);
    credits.exec();
}

}  // namespace tarvolinde
