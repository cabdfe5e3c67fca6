#include "frontend/tfondo.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusTipEvent>

#include "frontend/activity_panel.h"
#include "frontend/emulation_thread.h"
#include "frontend/function_keys.h"
#include "frontend/ini_file.h"
#include "frontend/picture_view.h"
#include "frontend/qt_virtual_keys.h"
#include "frontend/run_state.h"
#include "frontend/status_hint.h"
#include "frontend/window_geometry.h"
#include "machine/sp.h"
#include "snapshots/rzx.h"
#include "tape/cinta.h"

namespace tarvolinde {

namespace {

// The start-up message: parameter 0 starts the emulation, 1 toggles full screen.
constexpr QEvent::Type kStartupMessage = QEvent::Type(QEvent::User + 105);

class StartupMessage final : public QEvent {
public:
    explicit StartupMessage(int parameter) : QEvent(kStartupMessage), parameter_(parameter) {}
    int Parameter() const { return parameter_; }

private:
    int parameter_;
};

std::string WithTrailingSeparator(const std::filesystem::path& dir) {
    std::string text = dir.string();
    if (text.empty() || text.back() != '/') text += '/';
    return text;
}

std::unique_ptr<AudioSink> MakeAudioSink(const HostDevices& devices, Clock& clock) {
    return devices.MakeAudioSink ? devices.MakeAudioSink(clock) : nullptr;
}

std::unique_ptr<JoystickSource> MakeJoystick(const HostDevices& devices) {
    std::unique_ptr<JoystickSource> joystick = devices.MakeJoystick ? devices.MakeJoystick() : nullptr;
    return joystick ? std::move(joystick) : std::make_unique<NoJoystick>();
}

ShiftState ShiftOf(Qt::KeyboardModifiers modifiers) {
    return ShiftState{.Shift = modifiers.testFlag(Qt::ShiftModifier),
                      .Alt = modifiers.testFlag(Qt::AltModifier),
                      .Control = modifiers.testFlag(Qt::ControlModifier)};
}

}  // namespace

TFondo::TFondo(const std::filesystem::path& programDir, const HostDevices& devices, QWidget* parent)
    : QMainWindow(parent),
      programDir_(WithTrailingSeparator(programDir)),
      settings_(Settings::Defaults(programDir_)),
      language_(TranslationDirs(QCoreApplication::applicationDirPath())),
      audioSink_(MakeAudioSink(devices, clock_)),
      output_(audioSink_.get(), clock_),
      joystick_(MakeJoystick(devices)),
      pcJoystick_([this](bool down, int virtualKey) {
          // Posted, never sent: the emulation thread does not wait for this one.
          // (By name, so that Qt copies the arguments: nothing built on this
          // thread is left for the other one to read.)
          QMetaObject::invokeMethod(this, "JoystickKey", Qt::QueuedConnection, Q_ARG(bool, down),
                                    Q_ARG(int, virtualKey));
      }) {
    // The joystick plays only while the window is active, which it is not yet.
    pcJoystick_.SetWindowActive(false);
    displayBusy_ = true;
    setWindowTitle("Tarvolinde");
    setObjectName("Fondo");

    pictureView_ = new PictureView(picture_, this);
    setCentralWidget(pictureView_);
    connect(pictureView_, &PictureView::rightButtonPressed, this, &TFondo::PictureRightButton);
    connect(pictureView_, &PictureView::pointerChanged, this, &TFondo::PointerChanged);
    connect(pictureView_, &PictureView::resized, this, &TFondo::BuildMouseScale);
    connect(this, &TFondo::picturePresented, pictureView_, [this] {
        picturePosted_ = false;
        pictureView_->update();
    }, Qt::QueuedConnection);
    picture_.SetPresentedHandler([this] {
        // Coalesced: one repaint waiting is enough however many frames are presented.
        if (!picturePosted_.exchange(true)) emit picturePresented();
    });

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    AssignFunctionKeys(*this);
    SizeWindow();
    ShowRunState(*this, *pictureView_, *playAction_, false);
    connect(this, &TFondo::activityChanged, activityPanel_, [this] {
        activityPosted_ = false;
        activityPanel_->Show(activity_.load(), rzxState_);
    }, Qt::QueuedConnection);

    idleTimer_.setSingleShot(true);
    connect(&idleTimer_, &QTimer::timeout, this, &TFondo::ApplicationIdle);
    // Keys are seen before any widget gets them, as the Spectrum keyboard owns them all.
    qApp->installEventFilter(this);

    thread_ = std::make_unique<EmulationThread>([this] { EmulationFrame(); });
    displayBusy_ = false;
    captions_.Remember(this, staticMetaObject.className());
    captions_.Apply();
}

TFondo::~TFondo() {
    qApp->removeEventFilter(this);
    if (!closing_) {
        closing_ = true;
        StopEmulation();
    }
    thread_->End(std::chrono::milliseconds(4 * output_.Format().FrameMs));
    // Releases the sound device.
    output_.SetQuality(0);
}

uint64_t TFondo::FramesRun() const { return thread_->FramesRun(); }

std::filesystem::path TFondo::IniPath() const { return std::filesystem::path(programDir_) / kIniFileName; }

// --- Start-up and closing ------------------------------------------------------------

void TFondo::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_) return;
    shown_ = true;
    LeeConfiguracion();
}

void TFondo::LeeConfiguracion() {
    settings_ = ReadSettings(LoadIniFile(IniPath()), programDir_);
    CheckLanguage();  // first, so that the messages of start-up speak it
    RestoreWindowGeometry(*this, settings_);
    settings_.PcJoystick = settings_.PcJoystick && joystick_->Present();
    // The speed first, so that the sound device opens once, with the buffer for it.
    SetSpeed(settings_.Speed);
    SetSoundQuality(settings_.SoundQuality);
    SelectVolume(settings_.VolumeIndex);
    SelectModel(settings_.ModelIndex);
    AplicaCursor();
    BuildRecentMenu();
    // Handled once start-up is over, in this order.
    if (settings_.StartRunning) QCoreApplication::postEvent(this, new StartupMessage(0));
    if (settings_.StartFullScreen) QCoreApplication::postEvent(this, new StartupMessage(1));
    OpenCommandLineFile();
}

void TFondo::GrabaConfiguracion(bool force) {
    if (!settings_.SaveOnExit && !force) return;
    if (machine_) settings_.ModelIndex = machine_->ModelIndex;
    settings_.SoundQuality = soundQuality_;
    KeepWindowGeometry(*this, settings_);
    IniStore ini = LoadIniFile(IniPath());
    WriteSettings(settings_, ini);
    SaveIniFile(IniPath(), ini);
}

void TFondo::customEvent(QEvent* event) {
    if (event->type() != kStartupMessage) return QMainWindow::customEvent(event);
    if (static_cast<StartupMessage*>(event)->Parameter() == 0)
        PausaBExecute();
    else
        P_PantClick();
}

void TFondo::closeEvent(QCloseEvent* event) {
    if (!closing_ && !OfferToSaveDisk()) return event->ignore();
    if (!closing_) {
        displayBusy_ = true;
        StopEmulation();
        StopRzx();  // a recording in progress is written
        closing_ = true;
        // Suspended between frames, the thread sees the end request as soon as it wakes.
        thread_->End(std::chrono::milliseconds(4 * output_.Format().FrameMs));
        GrabaConfiguracion(false);
    }
    event->accept();
}

// --- Events --------------------------------------------------------------------------

bool TFondo::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::StatusTip:
        // The hint of the item under the mouse goes to panel 2, not over the panels.
        hintPanel_->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    case QEvent::WindowActivate:
        pcJoystick_.SetWindowActive(true);
        break;
    case QEvent::WindowDeactivate:
        pcJoystick_.SetWindowActive(false);
        ReleaseHeldKeys();
        break;
    default:
        break;
    }
    return QMainWindow::event(event);
}

bool TFondo::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // The hint of a button or menu item goes when the pointer leaves it.
    if (type == QEvent::Leave && HintLeftBehind(watched, *this)) hintPanel_->clear();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this || QApplication::activePopupWidget()) return false;
    return HandleKey(static_cast<QKeyEvent*>(event), type == QEvent::KeyPress);
}

// --- Keys ----------------------------------------------------------------------------

KeyOptions TFondo::CurrentKeyOptions() const {
    return KeyOptions{.Joystick = JoystickType(settings_.JoystickType), .CursorShift = settings_.CursorShift};
}

bool TFondo::HandleKey(QKeyEvent* event, bool down) {
    // The PC's own repeat would lift the key between repeats; the Spectrum repeats by itself.
    if (event->isAutoRepeat()) return true;
    if (IsFunctionKey(event->key())) return true;  // a command's key, or one with no command now
    if (HandleSymbolKey(event, down)) return true;
    int virtualKey = VirtualKeyFromQt(event->key(), event->modifiers());
    // Tab is the extended-mode key, never a move of the focus.
    if (virtualKey == virtual_key::Tab) virtualKey = virtual_key::ExtendedMode;
    if (virtualKey == 0) return true;

    const KeyEvent keyEvent{.Down = down, .VirtualKey = virtualKey, .Shift = ShiftOf(event->modifiers())};
    const KeyEventResult result = input_.HandleKey(keyEvent, CurrentKeyOptions());
    if (result == KeyEventResult::ToggleFullScreen) {
        P_PantClick();
        return true;
    }
    if (down)
        heldKeys_.insert(virtualKey);
    else
        heldKeys_.erase(virtualKey);
    // A stopped machine takes the keys at once; a running one at its next frame.
    if (!running_ && machine_) input_.CopyTo(*machine_);
    return true;
}

void TFondo::JoystickKey(bool down, int virtualKey) {
    // The PC's shift keys as they are now decide the extra CAPS SHIFT, as for a key.
    const KeyEvent keyEvent{
        .Down = down, .VirtualKey = virtualKey, .Shift = ShiftOf(QGuiApplication::keyboardModifiers())};
    input_.HandleKey(keyEvent, CurrentKeyOptions());
    if (!running_ && machine_) input_.CopyTo(*machine_);
}

void TFondo::ReleaseHeldKeys() {
    // A key let go while another window has the keyboard would otherwise stay down.
    for (const int virtualKey : heldKeys_)
        input_.HandleKey(KeyEvent{.Down = false, .VirtualKey = virtualKey, .Shift = {}}, CurrentKeyOptions());
    heldKeys_.clear();
    if (!running_ && machine_) input_.CopyTo(*machine_);
}

}  // namespace tarvolinde
