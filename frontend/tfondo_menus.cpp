// The main window's menus, tool buttons and status bar: captions and hints as
// the user sees them, written in the source language (QT_TR_NOOP) and shown
// translated by the window's caption memory. Commands whose work is not in the program yet are shown
// disabled.

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>

#include "frontend/activity_panel.h"
#include "frontend/icons.h"
#include "frontend/keyboard_help.h"
#include "frontend/picture_view.h"
#include "frontend/tfondo.h"

namespace tarvolinde {

namespace {

constexpr std::array<const char*, 7> kVolumeCaptions{"10 %", "25 %", "33%", "50 %", "66 %", "75 %", "100 %"};

// Widths of status panels 0 and 1.
constexpr int kModelPanelWidth = 80;

}  // namespace

QAction* TFondo::NewAction(const char* name, const QString& caption, const QString& hint, bool enabled) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setStatusTip(hint);
    action->setToolTip(hint.isEmpty() ? caption : hint);
    action->setEnabled(enabled);
    return action;
}

void TFondo::CreateActions() {
    playAction_ = NewAction("PausaB", QT_TR_NOOP("Play/Stop"), QT_TR_NOOP("Arranca o detiene la emulación"), true);
    // Held down while the machine runs, like the play key of a tape recorder.
    playAction_->setCheckable(true);
    playAction_->setIcon(icons::Play());
    connect(playAction_, &QAction::triggered, this, &TFondo::PausaBExecute);

    fullScreenAction_ =
        NewAction("P_Pant", QT_TR_NOOP("Pantalla completa"), QT_TR_NOOP("Ventana/pantalla completa"), true);
    fullScreenAction_->setIcon(icons::FullScreen());
    connect(fullScreenAction_, &QAction::triggered, this, &TFondo::P_PantClick);
}

void TFondo::CreateMenus() {
    QMenuBar* menus = menuBar();
    menus->setObjectName("Menuses");

    // --- Archivo -------------------------------------------------------------------
    fileMenu_ = menus->addMenu(QT_TR_NOOP("Archivo"));
    fileMenu_->setObjectName("Archivo1");

    QMenu* snapshot = fileMenu_->addMenu(QT_TR_NOOP("Snapshot"));
    snapshot->setObjectName("Snapshot1");
    QAction* loadSnapshot = NewAction("CargarS", QT_TR_NOOP("Cargar"), QT_TR_NOOP("Carga snapshot"), true);
    loadSnapshot->setIcon(icons::Snapshot());
    connect(loadSnapshot, &QAction::triggered, this, &TFondo::CargarSExecute);
    snapshot->addAction(loadSnapshot);
    QAction* saveSnapshot = NewAction("Grabar1", QT_TR_NOOP("Grabar"), QT_TR_NOOP("Graba snapshot"), true);
    connect(saveSnapshot, &QAction::triggered, this, &TFondo::Grabar1Click);
    snapshot->addAction(saveSnapshot);

    QMenu* tape = fileMenu_->addMenu(QT_TR_NOOP("Cinta"));
    tape->setObjectName("Cinta1");
    QAction* insertTape = NewAction("CargaC", QT_TR_NOOP("Introducir"), QT_TR_NOOP("Introduce cinta"), true);
    insertTape->setIcon(icons::Tape());
    connect(insertTape, &QAction::triggered, this, &TFondo::CargaCExecute);
    tape->addAction(insertTape);
    // Enabled while a tape is in (and playing, or not), as the deck says.
    tapeEjectAction_ = NewAction("SacaC", QT_TR_NOOP("Extraer"), QT_TR_NOOP("Extrae cinta"));
    connect(tapeEjectAction_, &QAction::triggered, this, &TFondo::SacaCExecute);
    tape->addAction(tapeEjectAction_);
    tapePlayAction_ = NewAction("TocaC", QT_TR_NOOP("Reproducir"), QT_TR_NOOP("Reproduce cinta"));
    connect(tapePlayAction_, &QAction::triggered, this, &TFondo::TocaCExecute);
    tape->addAction(tapePlayAction_);
    tapeStopAction_ = NewAction("PausaC", QT_TR_NOOP("Detener"), QT_TR_NOOP("Detiene cinta"));
    connect(tapeStopAction_, &QAction::triggered, this, &TFondo::PausaCExecute);
    tape->addAction(tapeStopAction_);
    tape->addSeparator();
    tapeBrowseAction_ = NewAction("NavegaC", QT_TR_NOOP("Navegar"), QT_TR_NOOP("Navegador de cinta"));
    connect(tapeBrowseAction_, &QAction::triggered, this, &TFondo::NavegaCExecute);
    tape->addAction(tapeBrowseAction_);

    diskMenu_ = fileMenu_->addMenu(QT_TR_NOOP("Disco"));
    diskMenu_->setObjectName("Disco1");
    QAction* insertDisk = NewAction("CargaD", QT_TR_NOOP("Introducir"), QT_TR_NOOP("Introduce disco"));
    insertDisk->setIcon(icons::Disk());
    diskMenu_->addAction(insertDisk);
    diskMenu_->addAction(NewAction("Extraer1", QT_TR_NOOP("Extraer"), QT_TR_NOOP("Extrae disco")));
    diskMenu_->addAction(NewAction("Grabar4", QT_TR_NOOP("Grabar"), QT_TR_NOOP("Graba disco")));
    diskMenu_->addAction(NewAction("Crear1", QT_TR_NOOP("Crear..."), QT_TR_NOOP("Crea disco vacío")));
    diskMenu_->addSeparator();
    QAction* writeProtected =
        NewAction("Protegido1", QT_TR_NOOP("Protegido"), QT_TR_NOOP("Protege el disco contra escritura"));
    writeProtected->setCheckable(true);
    writeProtected->setChecked(true);
    diskMenu_->addAction(writeProtected);
    ConnectDiskMenu();

    QMenu* screen = fileMenu_->addMenu(QT_TR_NOOP("Pantalla"));
    screen->setObjectName("Pantalla1");
    QAction* saveBmp = NewAction("Grabar2", QT_TR_NOOP("Grabar bmp"), QT_TR_NOOP("Graba la pantalla como bmp"), true);
    connect(saveBmp, &QAction::triggered, this, [this] { SaveScreenshot(true); });
    screen->addAction(saveBmp);
    QAction* saveScr = NewAction("Grabar3", QT_TR_NOOP("Grabar scr"), QT_TR_NOOP("Graba la pantalla como scr"), true);
    connect(saveScr, &QAction::triggered, this, [this] { SaveScreenshot(false); });
    screen->addAction(saveScr);

    QMenu* actions = fileMenu_->addMenu(QT_TR_NOOP("Acciones"));
    actions->setObjectName("Acciones1");
    rzxRecordMenu_ = actions->addMenu(QT_TR_NOOP("Grabar"));
    rzxRecordMenu_->setObjectName("Grabar_A");
    QAction* record = NewAction("Tutorial1", QT_TR_NOOP("Tutorial"), QT_TR_NOOP("Graba las acciones"), true);
    connect(record, &QAction::triggered, this, &TFondo::Tutorial1Click);
    rzxRecordMenu_->addAction(record);
    rzxRecordMenu_->addAction(NewAction("Modocompeticin1", QT_TR_NOOP("Competición"), ""));
    rzxRecordMenu_->addAction(NewAction("Comentario1", QT_TR_NOOP("Comentario"), ""));
    QAction* play = NewAction("Reproducir2", QT_TR_NOOP("Reproducir"), QT_TR_NOOP("Reproduce acciones"), true);
    connect(play, &QAction::triggered, this, &TFondo::Reproducir2Click);
    actions->addAction(play);
    rzxStopAction_ = NewAction("Detener_A", QT_TR_NOOP("Detener"), QT_TR_NOOP("Detiene las acciones"));
    connect(rzxStopAction_, &QAction::triggered, this, &TFondo::DetenerAExecute);
    actions->addAction(rzxStopAction_);

    recentMenu_ = fileMenu_->addMenu(QT_TR_NOOP("Recientes"));
    recentMenu_->setObjectName("Recientes1");
    recentMenu_->setEnabled(false);  // until it holds a file
    fileMenu_->addSeparator();
    QAction* quit = NewAction("Salir1", QT_TR_NOOP("Salir"), QT_TR_NOOP("Sale del programa"), true);
    connect(quit, &QAction::triggered, this, &QWidget::close);
    fileMenu_->addAction(quit);

    // --- Opciones ------------------------------------------------------------------
    optionsMenu_ = menus->addMenu(QT_TR_NOOP("Opciones"));
    optionsMenu_->setObjectName("Opciones1");

    QMenu* models = optionsMenu_->addMenu(QT_TR_NOOP("Modelo"));
    models->setObjectName("Modelo1");
    modelGroup_ = new QActionGroup(this);
    // The mark is set by the switch itself, which may fall back to another model.
    modelGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (int index = 0; index < kModelCount; ++index) {
        const std::string_view caption = Models[size_t(index)].Caption;
        QAction* item = NewAction("", QString::fromUtf8(caption.data(), qsizetype(caption.size())),
                                  QT_TR_NOOP("Cambia el modelo de Spectrum"), true);
        item->setCheckable(true);
        modelGroup_->addAction(item);
        models->addAction(item);
        connect(item, &QAction::triggered, this, [this, index] { SelectModel(index); });
        modelActions_[size_t(index)] = item;
    }
    // The ROM files are looked for again each time the menu opens.
    models->setToolTipsVisible(true);
    connect(models, &QMenu::aboutToShow, this, &TFondo::ShowMissingRoms);
    ShowMissingRoms();

    QMenu* volume = optionsMenu_->addMenu(QT_TR_NOOP("Volumen"));
    volume->setObjectName("Volumen1");
    auto* volumeGroup = new QActionGroup(this);
    for (int index = 0; index < int(kVolumeCaptions.size()); ++index) {
        QAction* item = NewAction("", kVolumeCaptions[size_t(index)], QT_TR_NOOP("Volumen del sonido"), true);
        item->setCheckable(true);
        volumeGroup->addAction(item);
        volume->addAction(item);
        connect(item, &QAction::triggered, this, [this, index] { SelectVolume(index); });
        volumeActions_[size_t(index)] = item;
    }
    volumeActions_.back()->setChecked(true);

    QAction* language = NewAction("Idioma1", QT_TR_NOOP("Idioma"), QT_TR_NOOP("Elige el idioma"), true);
    connect(language, &QAction::triggered, this, &TFondo::Idioma1Click);
    optionsMenu_->addAction(language);
    QAction* options = NewAction("Hardware1", QT_TR_NOOP("Opciones"), QT_TR_NOOP("Opciones del emulador"), true);
    connect(options, &QAction::triggered, this, &TFondo::Hardware1Click);
    optionsMenu_->addAction(options);
    QAction* monitor = NewAction("Monitor1", QT_TR_NOOP("Debug"), QT_TR_NOOP("Depurador"), true);
    connect(monitor, &QAction::triggered, this, &TFondo::MonitorClick);
    optionsMenu_->addAction(monitor);
    optionsMenu_->addSeparator();
    QAction* reset = NewAction("Reset1", QT_TR_NOOP("Reset"), QT_TR_NOOP("Reinicia el Spectrum"), true);
    connect(reset, &QAction::triggered, this, &TFondo::ResetMachine);
    // In the menu too, to show its key; from there it stops a machine that ran
    // before the menu paused it.
    optionsMenu_->addAction(playAction_);
    optionsMenu_->addAction(reset);
    CreateTypingActions();

    // --- Ayuda ---------------------------------------------------------------------
    helpMenu_ = menus->addMenu(QT_TR_NOOP("Ayuda"));
    helpMenu_->setObjectName("Ayuda1");
    QAction* keyboardHelp =
        NewAction("Ayuda2", QT_TR_NOOP("Ayuda"), QT_TR_NOOP("Teclado del Spectrum y teclas del PC"), true);
    connect(keyboardHelp, &QAction::triggered, this, [this] { ShowKeyboardHelp(*this, CurrentKeyOptions()); });
    helpMenu_->addAction(keyboardHelp);
    QAction* credits = NewAction("Crditos1", QT_TR_NOOP("Créditos"), QT_TR_NOOP("Créditos del programa"), true);
    connect(credits, &QAction::triggered, this, &TFondo::ShowCredits);
    helpMenu_->addAction(credits);

    // Opening a menu pauses the machine until the menu is closed.
    for (QMenu* top : {fileMenu_, optionsMenu_, helpMenu_}) {
        connect(top, &QMenu::aboutToShow, this, &TFondo::PauseForMenu);
        connect(top, &QMenu::aboutToHide, this, &TFondo::ScheduleIdle);
    }
}

void TFondo::CreateToolBar() {
    panel_ = new QToolBar(QT_TR_NOOP("Panel"), this);
    panel_->setObjectName("Panel");
    panel_->setMovable(false);
    panel_->setFloatable(false);
    panel_->setIconSize(QSize(24, 24));
    panel_->setContextMenuPolicy(Qt::PreventContextMenu);
    panel_->addAction(findChild<QAction*>("CargarS"));
    panel_->addAction(findChild<QAction*>("CargaC"));
    panel_->addAction(findChild<QAction*>("CargaD"));
    panel_->addSeparator();
    panel_->addAction(playAction_);
    panel_->addAction(fullScreenAction_);
    addToolBar(Qt::BottomToolBarArea, panel_);
    // Keys belong to the Spectrum: no button takes the focus.
    for (QWidget* button : panel_->findChildren<QWidget*>()) button->setFocusPolicy(Qt::NoFocus);
}

void TFondo::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("Barra");
    bar->setSizeGripEnabled(true);

    modelPanel_ = new QLabel(bar);
    modelPanel_->setFixedWidth(kModelPanelWidth);
    modelPanel_->setFrameShape(QFrame::StyledPanel);
    modelPanel_->setFrameShadow(QFrame::Sunken);
    activityPanel_ = new ActivityPanel(bar);
    hintPanel_ = new QLabel(bar);
    hintPanel_->setFrameShape(QFrame::StyledPanel);
    hintPanel_->setFrameShadow(QFrame::Sunken);
    hintPanel_->setMinimumWidth(54);
    bar->addWidget(modelPanel_);
    bar->addWidget(activityPanel_);
    bar->addWidget(hintPanel_, 1);
}

void TFondo::SizeWindow() {
    menuBar()->setFocusPolicy(Qt::NoFocus);
    // The smallest window shows the picture at its own size; the window opens
    // at twice that, a comfortable size on today's screens. No margin: at that
    // size the picture fills its area, with no black lines around it.
    pictureView_->setMinimumSize(kPictureWidth, kPictureHeight);
    setMinimumSize(minimumSizeHint());
    resize(std::max(minimumSizeHint().width(), 2 * kPictureWidth), minimumSizeHint().height() + kPictureHeight);
}

QString TFondo::StatusModelText() const { return modelPanel_->text(); }

QString TFondo::StatusHintText() const { return hintPanel_->text(); }

}  // namespace tarvolinde
