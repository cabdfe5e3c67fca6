// The +3 disk commands under "Disco": insert, eject, save, create and write
// protection of drive A, and the question that keeps a changed disk from being
// lost unsaved (on eject, insert, create, a switch to a model without a drive,
// and closing the program).

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <utility>

#include "frontend/dialog_defaults.h"
#include "frontend/file_filters.h"
#include "frontend/file_io.h"
#include "frontend/messages.h"
#include "frontend/tfondo.h"
#include "machine/machine_factory.h"
#include "storage/archivo_dsk.h"
#include "storage/fdc3.h"

namespace tarvolinde {

namespace {

constexpr const char* kOpenDiskTitle = QT_TRANSLATE_NOOP("Mensajes", "Abrir disco");
constexpr const char* kOpenDiskFilter = QT_TRANSLATE_NOOP(
    "Mensajes",
    "Todos los Discos (*.dsk *.trd *.scl *.zip);;Archivos DSK (*.dsk);;Archivos TRD (*.trd);;"
    "Archivos SCL (*.scl);;Archivos comprimidos (*.zip)");
constexpr const char* kSaveDiskTitle = QT_TRANSLATE_NOOP("Mensajes", "Grabar Disco");
constexpr const char* kSaveDiskFilter =
    QT_TRANSLATE_NOOP("Mensajes", "Archivos DSK (*.dsk);;Archivos TRD (*.trd);;Archivos SCL (*.scl)");
constexpr const char* kDiskFailed = QT_TRANSLATE_NOOP("Mensajes", "Error en el disco");
constexpr const char* kReadOnly = QT_TRANSLATE_NOOP("Mensajes", "Sólo lectura");
constexpr const char* kDiskChanged =
    QT_TRANSLATE_NOOP("Mensajes", "El disco de la unidad A ha cambiado y no se ha grabado. ¿Grabarlo?");

}  // namespace

void TFondo::ConnectDiskMenu() {
    connect(findChild<QAction*>("CargaD"), &QAction::triggered, this, &TFondo::CargaDExecute);
    connect(findChild<QAction*>("Extraer1"), &QAction::triggered, this, &TFondo::Extraer1Click);
    connect(findChild<QAction*>("Grabar4"), &QAction::triggered, this, [this] { Grabar4Click(); });
    connect(findChild<QAction*>("Crear1"), &QAction::triggered, this, &TFondo::Crear1Click);
    connect(findChild<QAction*>("Protegido1"), &QAction::triggered, this, &TFondo::Protegido1Click);
    findChild<QAction*>("Crear1")->setEnabled(true);
    findChild<QAction*>("Protegido1")->setEnabled(true);
}

TFDC_3* TFondo::FloppyController() { return machine_ ? FloppyOf(*machine_) : nullptr; }

MachineDevices TFondo::DiskDevices() {
    // The disks stay in the drives when one +3 model is switched for another.
    return MachineDevices{.MakeFloppy = [this]() -> std::unique_ptr<FloppyPorts> {
                              auto controller = std::make_unique<TFDC_3>();
                              if (TFDC_3* old = FloppyController()) controller->TakeDisksFrom(*old);
                              return controller;
                          },
                          .MakeIde = {}};
}

bool TFondo::KeepDiskThroughSwitch(int modelIndex) {
    return modelIndex < 0 || modelIndex >= kModelCount || Models[size_t(modelIndex)].HasFloppy || OfferToSaveDisk();
}

void TFondo::ShowDiskInserted() {
    TFDC_3* controller = FloppyController();
    const bool inserted = controller && controller->Drives[0].Present;
    findChild<QAction*>("CargaD")->setEnabled(controller != nullptr);
    findChild<QAction*>("Extraer1")->setEnabled(inserted);
    findChild<QAction*>("Grabar4")->setEnabled(inserted);
}

bool TFondo::OfferToSaveDisk() {
    TFDC_3* controller = FloppyController();
    if (!controller) return true;
    // The flag changes while the machine runs: read it with the machine stopped.
    const CommandPause pause(*this);
    if (!controller->Drives[0].Present || !controller->Drives[0].Modified) return true;
    QMessageBox box(QMessageBox::Question, "Tarvolinde", Translated(kDiskChanged),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    // The interface's language whether or not Qt's own translations are installed.
    box.button(QMessageBox::Yes)->setText(tr("Sí"));
    box.button(QMessageBox::No)->setText(tr("No"));
    box.button(QMessageBox::Cancel)->setText(tr("Cancelar"));
    box.setDefaultButton(QMessageBox::Yes);
    const int answer = box.exec();
    if (answer == QMessageBox::No) return true;
    return answer == QMessageBox::Yes && Grabar4Click();
}

void TFondo::CargaDExecute() {
    if (!FloppyController()) return;
    const CommandPause pause(*this);
    if (!OfferToSaveDisk()) return;
    QAction* protect = findChild<QAction*>("Protegido1");
    bool readOnly = protect->isChecked();
    std::string path = std::exchange(pendingFile_, {});
    if (path.empty()) {
        QFileDialog dialog(this, Translated(kOpenDiskTitle), FromUtf8(settings_.DiskLoadDir),
                           Translated(kOpenDiskFilter));
        dialog.setObjectName("AbreDisco");
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        auto* readOnlyBox = new QCheckBox(Translated(kReadOnly), &dialog);
        readOnlyBox->setObjectName("SoloLectura");
        readOnlyBox->setChecked(readOnly);
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
            grid->addWidget(readOnlyBox, grid->rowCount(), 0, 1, -1);
        PrepareFileDialog(dialog, programDir_);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
        path = ToUtf8(dialog.selectedFiles().front());
        readOnly = readOnlyBox->isChecked();
    }
    settings_.DiskLoadDir = DirectoryOf(path);
    if (ExtensionKind(path) != "DSK") {
        ShowError(file_dialogs::kBadExtension);
        return;
    }
    TFDC_3* controller = FloppyController();
    const FileContents file = ReadFileOfKind(path, FileKind::Disk);
    if (!file) {
        ShowError(LoadFailureText(kDiskFailed, path, file.Problem));
        return;
    }
    try {
        TArchivoDSK(controller->Drives[0]).Cargar(*file.Bytes, readOnly);
    } catch (const DiskFormatError&) {
        ShowError(LoadFailureText(kDiskFailed, path, FileProblem::Damaged));
        return;
    }
    protect->setChecked(readOnly);
    ShowDiskInserted();
    AddRecent(path);
}

bool TFondo::Grabar4Click() {
    TFDC_3* controller = FloppyController();
    if (!controller || !controller->Drives[0].Present) return false;
    const CommandPause pause(*this);
    QFileDialog dialog(this, Translated(kSaveDiskTitle), FromUtf8(settings_.DiskSaveDir), Translated(kSaveDiskFilter));
    dialog.setObjectName("GrabaDisco");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix("dsk");
    PrepareFileDialog(dialog, programDir_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    const std::string path = ToUtf8(dialog.selectedFiles().front());
    settings_.DiskSaveDir = DirectoryOf(path);
    if (ExtensionKind(path) != "DSK") {
        ShowError(file_dialogs::kBadExtension);
        return false;
    }
    TUnidad& drive = controller->Drives[0];
    std::vector<uint8_t> bytes;
    try {
        bytes = TArchivoDSK(drive).Grabar();
    } catch (const DiskFormatError&) {
        ShowError(kDiskFailed);
        return false;
    }
    if (const std::optional<QString> failure = WriteWholeFile(path, bytes)) {
        drive.Modified = true;  // not on any file yet
        ShowError(tr("No se pudo grabar %1: %2").arg(FromUtf8(path), *failure));
        return false;
    }
    AddRecent(path);
    return true;
}

void TFondo::Extraer1Click() {
    TFDC_3* controller = FloppyController();
    if (!controller) return;
    const CommandPause pause(*this);
    if (!OfferToSaveDisk()) return;
    controller->Drives[0].Expulsar();
    ShowDiskInserted();
}

void TFondo::Crear1Click() {
    TFDC_3* controller = FloppyController();
    if (!controller) return;
    const CommandPause pause(*this);
    if (!OfferToSaveDisk()) return;
    controller->Drives[0].CreateBlank(findChild<QAction*>("Protegido1")->isChecked());
    ShowDiskInserted();
}

void TFondo::Protegido1Click() {
    // The item's own check mark has already changed.
    const bool protect = findChild<QAction*>("Protegido1")->isChecked();
    TFDC_3* controller = FloppyController();
    if (!controller) return;
    const CommandPause pause(*this);
    controller->Drives[0].Protected = protect;
}

}  // namespace tarvolinde
