#include "frontend/topciones.h"

#include <algorithm>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "frontend/file_io.h"
#include "storage/hdf_image.h"

namespace tarvolinde {

namespace {

constexpr int kPageCount = 7;

// The usual display sizes; those that fit the screen are offered besides its own.
constexpr std::array<QSize, 11> kUsualSizes{{{320, 240}, {640, 480}, {800, 600}, {1024, 768}, {1280, 720},
                                             {1280, 1024}, {1366, 768}, {1600, 900}, {1600, 1200}, {1920, 1080},
                                             {2560, 1440}}};

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

QCheckBox* NewCheckBox(const char* name, QLayout* layout) {
    auto* box = Named(new QCheckBox, name);
    layout->addWidget(box);
    return box;
}

QSpinBox* NewSpinBox(const char* name, int minimum, int maximum) {
    auto* box = Named(new QSpinBox, name);
    box->setRange(minimum, maximum);
    return box;
}

// A group of radio buttons whose ids are their indexes.
QButtonGroup* NewRadioGroup(QGroupBox* box, int count) {
    auto* group = new QButtonGroup(box);
    auto* layout = new QVBoxLayout(box);
    for (int i = 0; i < count; ++i) {
        auto* button = new QRadioButton(box);
        group->addButton(button, i);
        layout->addWidget(button);
    }
    return group;
}

void SetChecked(QButtonGroup* group, int id) {
    if (QAbstractButton* button = group->button(id)) button->setChecked(true);
}

QWidget* PageOf(QLayout* layout) {
    auto* page = new QWidget;
    layout->setAlignment(Qt::AlignTop);
    page->setLayout(layout);
    return page;
}

}  // namespace

TOpciones::TOpciones(QWidget* parent) : QDialog(parent) {
    setObjectName("Opciones");
    tree_ = Named(new QTreeWidget, "Ar_Op");
    tree_->setHeaderHidden(true);
    tree_->setRootIsDecorated(false);
    tree_->setFixedWidth(130);
    book_ = Named(new QStackedWidget, "Libro");
    for (QWidget* page : {AudioPage(), VideoPage(), FilesPage(), TapePage(), HardDiskPage(), HardwarePage(),
                          EmulationPage()}) {
        book_->addWidget(page);
        tree_->addTopLevelItem(new QTreeWidgetItem);
    }
    connect(tree_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { book_->setCurrentIndex(std::max(0, tree_->indexOfTopLevelItem(item))); });

    ok_ = Named(new QPushButton, "Ac");
    ok_->setDefault(true);
    cancel_ = Named(new QPushButton, "BitBtn2");
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* pages = new QHBoxLayout;
    pages->addWidget(tree_);
    pages->addWidget(book_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pages);
    layout->addLayout(buttons);
    Retranslate();
    tree_->setCurrentItem(tree_->topLevelItem(0));
}

QWidget* TOpciones::AudioPage() {
    auto* layout = new QVBoxLayout;
    ay_ = NewCheckBox("AY", layout);
    filter_ = NewCheckBox("Fil", layout);
    qualityBox_ = Named(new QGroupBox, "Sonido_RG");
    quality_ = NewRadioGroup(qualityBox_, kSoundQualities);
    layout->addWidget(qualityBox_);
    return PageOf(layout);
}

QWidget* TOpciones::VideoPage() {
    auto* layout = new QVBoxLayout;
    chooseMode_ = NewCheckBox("Mo_Al", layout);
    stretch_ = NewCheckBox("Scan", layout);
    modeLabel_ = new QLabel;
    layout->addWidget(modeLabel_);
    modes_ = Named(new QComboBox, "Modos_V");
    const QStringList modes = VideoModes(screen() ? screen()->size() : QSize(640, 480));
    modes_->addItems(modes);
    modes_->setCurrentIndex(std::max(0, int(modes.indexOf("640 x 480"))));
    modes_->setEnabled(false);
    layout->addWidget(modes_);
    connect(chooseMode_, &QCheckBox::toggled, modes_, &QWidget::setEnabled);
    softwareScaling_ = NewCheckBox("AceH", layout);
    return PageOf(layout);
}

QWidget* TOpciones::FilesPage() {
    auto* layout = new QVBoxLayout;
    saveOnExit_ = NewCheckBox("Conf", layout);
    extensionsLabel_ = new QLabel;
    layout->addWidget(extensionsLabel_);
    extensions_ = Named(new QListWidget, "FLST");
    for (const AssociatedType& type : kAssociatedTypes) {
        auto* item = new QListWidgetItem("." + QString::fromLatin1(type.Extension.data(), qsizetype(type.Extension.size())).toUpper(),
                                         extensions_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    layout->addWidget(extensions_);
    associate_ = Named(new QPushButton, "SpeedButton3");
    connect(associate_, &QPushButton::clicked, this, &TOpciones::AssociateNow);
    layout->addWidget(associate_, 0, Qt::AlignLeft);
    return PageOf(layout);
}

QWidget* TOpciones::TapePage() {
    auto* layout = new QVBoxLayout;
    fastLoad_ = NewCheckBox("CR", layout);
    autoPlay_ = NewCheckBox("AP", layout);
    autoRewind_ = NewCheckBox("AR", layout);
    return PageOf(layout);
}

QWidget* TOpciones::HardDiskPage() {
    auto* layout = new QVBoxLayout;
    imageLabel_ = new QLabel;
    layout->addWidget(imageLabel_);
    image_ = Named(new QLineEdit, "E_HD");
    image_->setReadOnly(true);
    chooseImage_ = Named(new QToolButton, "SpeedButton1");
    connect(chooseImage_, &QToolButton::clicked, this, &TOpciones::ChooseHardDisk);
    auto* imageRow = new QHBoxLayout;
    imageRow->addWidget(image_);
    imageRow->addWidget(chooseImage_);
    layout->addLayout(imageRow);

    auto* geometry = new QFormLayout;
    cylinders_ = NewSpinBox("U_Cil", 1, int(kHdfMaxGeometry.Cylinders));
    heads_ = NewSpinBox("U_Cab", 1, int(kHdfMaxGeometry.Heads));
    sectors_ = NewSpinBox("U_Sec", 1, int(kHdfMaxGeometry.Sectors));
    cylinders_->setValue(80), heads_->setValue(16), sectors_->setValue(63);
    cylindersLabel_ = new QLabel, headsLabel_ = new QLabel, sectorsLabel_ = new QLabel;
    geometry->addRow(cylindersLabel_, cylinders_);
    geometry->addRow(headsLabel_, heads_);
    geometry->addRow(sectorsLabel_, sectors_);
    layout->addLayout(geometry);
    capacity_ = Named(new QLabel, "L_Cap");
    layout->addWidget(capacity_);
    halved_ = NewCheckBox("C_Semi", layout);
    halved_->setChecked(true);
    create_ = Named(new QPushButton, "SpeedButton2");
    connect(create_, &QPushButton::clicked, this, &TOpciones::CreateHardDisk);
    layout->addWidget(create_, 0, Qt::AlignLeft);
    for (QSpinBox* box : {cylinders_, heads_, sectors_})
        connect(box, &QSpinBox::valueChanged, this, &TOpciones::ShowCapacity);
    ShowCapacity();
    return PageOf(layout);
}

QWidget* TOpciones::HardwarePage() {
    auto* layout = new QVBoxLayout;
    joystickLabel_ = new QLabel;
    layout->addWidget(joystickLabel_);
    joystick_ = Named(new QComboBox, "Jo");
    for (int i = 0; i < kJoystickTypes; ++i) joystick_->addItem({});
    layout->addWidget(joystick_);
    pcJoystick_ = NewCheckBox("JPC", layout);
    mouseBox_ = Named(new QGroupBox, "RA_G");
    mouse_ = NewRadioGroup(mouseBox_, kMouseTypes);
    layout->addWidget(mouseBox_);
    cursorShift_ = NewCheckBox("CM", layout);
    issue2_ = NewCheckBox("Iss2", layout);
    return PageOf(layout);
}

QWidget* TOpciones::EmulationPage() {
    auto* layout = new QVBoxLayout;
    startRunning_ = NewCheckBox("Ar_En", layout);
    startFullScreen_ = NewCheckBox("Ar_Pa", layout);
    speedLabel_ = new QLabel;
    layout->addWidget(speedLabel_);
    speed_ = NewSpinBox("Velo", kMinSpeed, kMaxSpeed);
    speed_->setSuffix(" %");
    speed_->setKeyboardTracking(false);  // typing "250" does not pass through 25 %
    connect(speed_, &QSpinBox::valueChanged, this, &TOpciones::speedChanged);
    layout->addWidget(speed_, 0, Qt::AlignLeft);
    return PageOf(layout);
}

void TOpciones::Retranslate() {
    setWindowTitle(tr("Opciones"));
    const std::array<QString, kPageCount> pages{tr("Audio"), tr("Video"), tr("Archivos"), tr("Cinta"),
                                                tr("Disco duro"), tr("Hardware"), tr("Emulacion")};
    for (int i = 0; i < kPageCount; ++i) tree_->topLevelItem(i)->setText(0, pages[size_t(i)]);
    ok_->setText(tr("Aceptar"));
    cancel_->setText(tr("Cancelar"));

    ay_->setText(tr("AY en 48Kb (128+fuller)"));
    filter_->setText(tr("Filtrado"));
    qualityBox_->setTitle(tr("Calidad:"));
    const std::array<QString, kSoundQualities> qualities{tr("Sin sonido"), tr("11025 Hz"), tr("22050 Hz"),
                                                         tr("44100 Hz")};
    for (int i = 0; i < kSoundQualities; ++i) quality_->button(i)->setText(qualities[size_t(i)]);

    chooseMode_->setText(tr("Elegir modo de video"));
    stretch_->setText(tr("Estirar la imagen"));
    modeLabel_->setText(tr("Modo de video:"));
    softwareScaling_->setText(tr("Escalar por software"));

    saveOnExit_->setText(tr("Guardar configuración al salir"));
    extensionsLabel_->setText(tr("Asociación de extensiones:"));
    associate_->setText(tr("Asociar ahora"));

    fastLoad_->setText(tr("Carga de cintas rápida"));
    autoPlay_->setText(tr("Auto play && stop"));
    autoRewind_->setText(tr("Auto-rebobinado"));

    imageLabel_->setText(tr("Imagen de disco duro:"));
    chooseImage_->setText(tr("..."));
    cylindersLabel_->setText(tr("Cilindros:"));
    headsLabel_->setText(tr("Cabezas:"));
    sectorsLabel_->setText(tr("Sectores:"));
    halved_->setText(tr("Capacidad seminominal"));
    create_->setText(tr("Crear"));

    joystickLabel_->setText(tr("JoyStick:"));
    const std::array<QString, kJoystickTypes> joysticks{tr("Cursor/Protek/AGF"), tr("Sinclair 1"),
                                                        tr("Sinclair 2"), tr("Fuller"), tr("Kempston")};
    for (int i = 0; i < kJoystickTypes; ++i) joystick_->setItemText(i, joysticks[size_t(i)]);
    pcJoystick_->setText(tr("JoyStick de PC"));
    mouseBox_->setTitle(tr("Ratón:"));
    const std::array<QString, kMouseTypes> mice{tr("Nada"), tr("GunStick"), tr("LightGun"), tr("Kempston")};
    for (int i = 0; i < kMouseTypes; ++i) mouse_->button(i)->setText(mice[size_t(i)]);
    cursorShift_->setText(tr("Cursor + Mays"));
    issue2_->setText(tr("Issue 2"));

    startRunning_->setText(tr("Arrancar encendido"));
    startFullScreen_->setText(tr("Arrancar a pantalla completa"));
    speedLabel_->setText(tr("Velocidad:"));
}

void TOpciones::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) Retranslate();
    QDialog::changeEvent(event);
}

QStringList TOpciones::VideoModes(QSize screen) {
    std::vector<QSize> sizes;
    for (const QSize size : kUsualSizes)
        if (size.width() <= screen.width() && size.height() <= screen.height()) sizes.push_back(size);
    if (screen.width() >= 320 && screen.height() >= 240 && std::ranges::find(sizes, screen) == sizes.end())
        sizes.push_back(screen);
    QStringList modes;
    for (const QSize size : sizes) modes << QString::asprintf("%d x %d", size.width(), size.height());
    return modes;
}

void TOpciones::Load(const Settings& s, const OptionsContext& context) {
    ay_->setChecked(s.AyIn48);
    ay_->setEnabled(context.RamKb < 128);
    filter_->setChecked(s.Filter);
    SetChecked(quality_, s.SoundQuality);

    chooseMode_->setChecked(s.ChooseVideoMode);
    modes_->setEnabled(s.ChooseVideoMode);
    stretch_->setChecked(s.StretchPicture);
    if (const int mode = modes_->findText(QString::fromStdString(s.VideoMode)); mode >= 0) modes_->setCurrentIndex(mode);
    softwareScaling_->setChecked(s.SoftwareScaling);

    saveOnExit_->setChecked(s.SaveOnExit);
    ShowAssociations();

    fastLoad_->setChecked(s.FastLoad);
    autoPlay_->setChecked(s.AutoPlayStop);
    autoRewind_->setChecked(s.AutoRewind);

    image_->setText(FromUtf8(s.HardDiskImage));
    hardDiskDir_ = s.HardDiskImage.empty() ? s.DiskLoadDir : DirectoryOf(s.HardDiskImage);

    joystick_->setCurrentIndex(s.JoystickType);
    pcJoystick_->setEnabled(context.JoystickPresent);
    pcJoystick_->setChecked(s.PcJoystick && context.JoystickPresent);
    SetChecked(mouse_, s.MouseType);
    cursorShift_->setChecked(s.CursorShift);
    issue2_->setChecked(s.Issue2);
    issue2_->setEnabled(context.ModelIndex == 0 || context.ModelIndex == 1);

    startRunning_->setChecked(s.StartRunning);
    startFullScreen_->setChecked(s.StartFullScreen);
    const QSignalBlocker quiet(speed_);  // showing the speed is no change of it
    speed_->setValue(s.Speed);

    tree_->setCurrentItem(tree_->topLevelItem(0));
}

void TOpciones::Store(Settings& s) const {
    s.AyIn48 = ay_->isChecked();
    s.Filter = filter_->isChecked();
    s.SoundQuality = std::max(0, quality_->checkedId());
    s.ChooseVideoMode = chooseMode_->isChecked();
    s.StretchPicture = stretch_->isChecked();
    s.VideoMode = modes_->currentText().toStdString();
    s.SoftwareScaling = softwareScaling_->isChecked();
    s.SaveOnExit = saveOnExit_->isChecked();
    s.FastLoad = fastLoad_->isChecked();
    s.AutoPlayStop = autoPlay_->isChecked();
    s.AutoRewind = autoRewind_->isChecked();
    s.JoystickType = joystick_->currentIndex();
    s.PcJoystick = pcJoystick_->isChecked();
    s.MouseType = std::max(0, mouse_->checkedId());
    s.CursorShift = cursorShift_->isChecked();
    s.Issue2 = issue2_->isChecked();
    s.StartRunning = startRunning_->isChecked();
    s.StartFullScreen = startFullScreen_->isChecked();
    s.Speed = speed_->value();
}

std::string TOpciones::ChooseFile(const QString& title, bool save) {
    if (!pendingFile_.empty()) return std::exchange(pendingFile_, {});
    const QString filter = tr("Discos duros (*.hdf)");
    const QString chosen = save ? QFileDialog::getSaveFileName(this, title, FromUtf8(hardDiskDir_), filter)
                                : QFileDialog::getOpenFileName(this, title, FromUtf8(hardDiskDir_), filter);
    if (!chosen.isEmpty()) hardDiskDir_ = DirectoryOf(ToUtf8(chosen));
    return ToUtf8(chosen);
}

void TOpciones::ChooseHardDisk() {
    const std::string path = ChooseFile(tr("Abrir disco duro"), false);
    if (path.empty() || !attachHardDisk_ || !attachHardDisk_(path)) return;
    image_->setText(FromUtf8(path));
}

void TOpciones::CreateHardDisk() {
    const std::string path = ChooseFile(tr("Crear disco duro"), true);
    if (path.empty()) return;
    const HdfGeometry geometry{uint32_t(cylinders_->value()), uint32_t(heads_->value()), uint32_t(sectors_->value())};
    if (!CreateHdfImage(path, geometry, halved_->isChecked()))
        QMessageBox::critical(this, tr("Error"), tr("No se puede crear el disco duro"));
}

void TOpciones::ShowCapacity() {
    const HdfGeometry geometry{uint32_t(cylinders_->value()), uint32_t(heads_->value()), uint32_t(sectors_->value())};
    capacity_->setText(QString::asprintf("%f Mb", HdfCapacityMegabytes(geometry)));
}

void TOpciones::ShowAssociations() {
    const AssociationFlags associated = AssociatedTypes(xdg_);
    for (int i = 0; i < extensions_->count(); ++i)
        extensions_->item(i)->setCheckState(associated[size_t(i)] ? Qt::Checked : Qt::Unchecked);
}

void TOpciones::AssociateNow() {
    AssociationFlags wanted{};
    for (int i = 0; i < extensions_->count(); ++i) wanted[size_t(i)] = extensions_->item(i)->checkState() == Qt::Checked;
    if (!ApplyAssociations(xdg_, wanted, ToUtf8(QCoreApplication::applicationFilePath())))
        QMessageBox::critical(this, tr("Error"), tr("No se pudieron asociar las extensiones"));
    ShowAssociations();
}

}  // namespace tarvolinde
