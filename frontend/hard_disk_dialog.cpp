// The hard-disk commands of the main window ("Disco duro" in "Archivo") and the
// geometry dialog of a new image.

#include "frontend/hard_disk_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <filesystem>

#include "frontend/file_io.h"
#include "frontend/messages.h"
#include "frontend/tfondo.h"
#include "machine/sp.h"
#include "storage/thd.h"

namespace tarvolinde {

namespace {

constexpr const char* kOpenHardDiskTitle = QT_TRANSLATE_NOOP("Mensajes", "Abrir disco duro");
constexpr const char* kCreateHardDiskTitle = QT_TRANSLATE_NOOP("Mensajes", "Crear disco duro");
constexpr const char* kHardDiskFilter = QT_TRANSLATE_NOOP("Mensajes", "Discos duros (*.hdf)");
constexpr const char* kNotHardDisk = QT_TRANSLATE_NOOP("Mensajes", "El archivo no es un disco duro HDF");
constexpr const char* kCannotCreate = QT_TRANSLATE_NOOP("Mensajes", "No se puede crear el disco duro");

QSpinBox* NewSpinBox(const char* name, int maximum, uint32_t value, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(1, maximum);
    box->setValue(int(value));
    return box;
}

}  // namespace

HardDiskDialog::HardDiskDialog(const HdfGeometry& geometry, bool halved, QWidget* parent) : QDialog(parent) {
    setObjectName("DiscoDuro");
    setWindowTitle(Translated(kCreateHardDiskTitle));
    auto* form = new QFormLayout(this);
    cylinders_ = NewSpinBox("U_Cil", int(kHdfMaxGeometry.Cylinders), geometry.Cylinders, this);
    heads_ = NewSpinBox("U_Cab", int(kHdfMaxGeometry.Heads), geometry.Heads, this);
    sectors_ = NewSpinBox("U_Sec", int(kHdfMaxGeometry.Sectors), geometry.Sectors, this);
    capacity_ = new QLabel(this);
    capacity_->setObjectName("L_Cap");
    halved_ = new QCheckBox(tr("Capacidad seminominal"), this);
    halved_->setObjectName("C_Semi");
    halved_->setChecked(halved);
    form->addRow(tr("Cilindros:"), cylinders_);
    form->addRow(tr("Cabezas:"), heads_);
    form->addRow(tr("Sectores:"), sectors_);
    form->addRow("", capacity_);
    form->addRow("", halved_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Crear"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancelar"));
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QSpinBox* box : {cylinders_, heads_, sectors_})
        connect(box, &QSpinBox::valueChanged, this, &HardDiskDialog::ShowCapacity);
    ShowCapacity();
}

HdfGeometry HardDiskDialog::Geometry() const {
    return {uint32_t(cylinders_->value()), uint32_t(heads_->value()), uint32_t(sectors_->value())};
}

bool HardDiskDialog::Halved() const { return halved_->isChecked(); }

void HardDiskDialog::ShowCapacity() {
    capacity_->setText(QString::asprintf("%f Mb", HdfCapacityMegabytes(Geometry())));
}

std::unique_ptr<IdePorts> OpenHardDiskImage(const std::string& path) {
    if (path.empty()) return nullptr;
    return THD::Open(path);
}

// --- The main window's commands ---------------------------------------------------------

void TFondo::CreateHardDiskMenu(QMenu* parent) {
    QMenu* menu = parent->addMenu(QT_TR_NOOP("Disco duro"));
    menu->setObjectName("DiscoDuro1");
    QAction* attach =
        NewAction("ConectaHD", QT_TR_NOOP("Conectar..."), QT_TR_NOOP("Conecta una imagen de disco duro"), true);
    connect(attach, &QAction::triggered, this, &TFondo::AttachHardDisk);
    menu->addAction(attach);
    QAction* detach = NewAction("QuitaHD", QT_TR_NOOP("Desconectar"), QT_TR_NOOP("Desconecta el disco duro"), true);
    connect(detach, &QAction::triggered, this, &TFondo::DetachHardDisk);
    menu->addAction(detach);
    QAction* create =
        NewAction("CreaHD", QT_TR_NOOP("Crear..."), QT_TR_NOOP("Crea una imagen de disco duro vacía"), true);
    connect(create, &QAction::triggered, this, &TFondo::CreateHardDisk);
    menu->addAction(create);
}

MachineDevices TFondo::HardDiskDevices() const {
    MachineDevices devices;
    devices.MakeIde = [path = settings_.HardDiskImage] { return OpenHardDiskImage(path); };
    return devices;
}

void TFondo::AttachHardDisk() {
    std::string path = std::exchange(pendingFile_, {});
    if (path.empty()) {
        const CommandPause pause(*this);
        const QString chosen = QFileDialog::getOpenFileName(this, Translated(kOpenHardDiskTitle),
                                                            FromUtf8(DirectoryOf(settings_.HardDiskImage)),
                                                            Translated(kHardDiskFilter));
        if (chosen.isEmpty()) return;
        path = ToUtf8(chosen);
    }
    std::unique_ptr<THD> disk = THD::Open(path);
    if (!disk) return ShowError(kNotHardDisk);
    settings_.HardDiskImage = path;
    hardDiskGeometry_ = disk->Header().Geometry;
    hardDiskHalved_ = disk->Header().Halved;
    ReplaceHardDisk(std::move(disk));
}

void TFondo::DetachHardDisk() {
    settings_.HardDiskImage.clear();
    ReplaceHardDisk(nullptr);
}

void TFondo::ReplaceHardDisk(std::unique_ptr<IdePorts> disk) {
    if (!machine_ || !machine_->Model().HasIde) return;
    const CommandPause pause(*this);
    machine_->Ide = std::move(disk);
    machine_->Reset();
}

void TFondo::CreateHardDisk() {
    const CommandPause pause(*this);
    HardDiskDialog dialog(hardDiskGeometry_, hardDiskHalved_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    hardDiskGeometry_ = dialog.Geometry();
    hardDiskHalved_ = dialog.Halved();
    std::string path = std::exchange(pendingFile_, {});
    if (path.empty()) {
        const QString chosen = QFileDialog::getSaveFileName(this, Translated(kCreateHardDiskTitle),
                                                            FromUtf8(DirectoryOf(settings_.HardDiskImage)),
                                                            Translated(kHardDiskFilter));
        if (chosen.isEmpty()) return;
        path = ToUtf8(chosen);
    }
    if (!CreateHdfImage(path, hardDiskGeometry_, hardDiskHalved_)) ShowError(kCannotCreate);
}

}  // namespace tarvolinde
