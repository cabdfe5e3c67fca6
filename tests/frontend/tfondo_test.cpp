#include "frontend/tfondo.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QStatusTipEvent>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>
#include <unistd.h>

#include "frontend/host_devices.h"
#include "frontend/picture_buffer.h"
#include "frontend/picture_view.h"
#include "machine/sp.h"
#include "machine/video/screen_text.h"
#include "platform/memory_surface.h"
#include "platform/null_audio_sink.h"
#include "tests/frontend/event_loop_wait.h"

namespace tarvolinde {
namespace {

const std::filesystem::path kOpenSeRom = "/usr/share/spectrum-roms/opense.rom";
// Where the 48K ROMs keep their character set.
constexpr size_t kCharacterSetOffset = 0x3D00;
constexpr uint32_t kWhite = 0xD0D0D0;
constexpr uint32_t kBlack = 0x000000;

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool KeyDown(TSp& machine, SpectrumKey key) { return !(machine.KeyRows[KeyRow(key)] & KeyMask(key)); }

std::vector<std::string> TextOn(TSp& machine) {
    return ScreenText(machine.screen.PixelLatch, std::span<const uint8_t, kCharacterSetBytes>(
                                                     machine.RomPage(0).data() + kCharacterSetOffset,
                                                     kCharacterSetBytes));
}

int RowHolding(const std::vector<std::string>& rows, const std::string& text) {
    for (size_t row = 0; row < rows.size(); ++row)
        if (rows[row].find(text) != std::string::npos) return int(row);
    return -1;
}

// A joystick the test moves while the emulation thread reads it.
class MovableJoystick final : public JoystickSource {
public:
    bool Present() override { return true; }
    std::optional<JoystickReading> Read() override {
        ++Reads;
        return JoystickReading{.X = X.load(), .Y = Y.load(), .Button0 = Fire.load()};
    }

    std::atomic<int32_t> X{0};
    std::atomic<int32_t> Y{0};
    std::atomic<bool> Fire{false};
    std::atomic<int> Reads{0};
};

// Answers the next modal message box with OK and keeps its text.
class MessageBoxAnswerer {
public:
    MessageBoxAnswerer() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts_.push_back(box->text());
                box->accept();
            }
        });
        timer_.start();
    }
    const QStringList& Texts() const { return texts_; }

private:
    QTimer timer_;
    QStringList texts_;
};

class TFondoTest : public testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(kOpenSeRom))
            GTEST_SKIP() << kOpenSeRom << " is missing (Debian package opense-basic)";
        static int counter = 0;
        dir_ = std::filesystem::temp_directory_path() /
               ("tarvolinde-gui-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(dir_);
        std::filesystem::copy_file(kOpenSeRom, dir_ / "48.rom");
    }
    void TearDown() override {
        if (!dir_.empty()) std::filesystem::remove_all(dir_);
    }

    void WriteIni(const std::string& text) const { std::ofstream(dir_ / kIniFileName, std::ios::binary) << text; }
    std::string Ini() const { return ReadFile(dir_ / kIniFileName); }

    // Silent sound that plays in real time, and a joystick the test moves; both
    // stay reachable through sink_ and joystick_ while the window lives.
    HostDevices SilentDevices(bool soundFails = false) {
        return HostDevices{
            .MakeAudioSink = [this, soundFails](Clock& clock) -> std::unique_ptr<AudioSink> {
                auto sink = std::make_unique<NullAudioSink>(clock);
                sink->FailOpen = soundFails;
                sink_ = sink.get();
                return sink;
            },
            .MakeJoystick = [this]() -> std::unique_ptr<JoystickSource> {
                auto joystick = std::make_unique<MovableJoystick>();
                joystick_ = joystick.get();
                return joystick;
            },
        };
    }

    std::unique_ptr<TFondo> OpenWindow(const std::optional<HostDevices>& devices = std::nullopt) {
        auto window = std::make_unique<TFondo>(dir_, devices ? *devices : SilentDevices());
        window->show();
        QCoreApplication::processEvents();
        return window;
    }

    std::filesystem::path dir_;
    NullAudioSink* sink_ = nullptr;
    MovableJoystick* joystick_ = nullptr;
};

// Runs the window for a few more frames than it has run so far.
bool RunFrames(TFondo& window, uint64_t count) {
    const uint64_t target = window.FramesRun() + count;
    return WaitUntil([&] { return window.FramesRun() >= target; });
}

// A fast machine keeps the tests short: 1000 % gives 2 ms frames.
constexpr const char* kFast = "[Emulacion]\nVelocidad=1000\n";

TEST_F(TFondoTest, StartsOnThe48KRuns100FramesAndShowsTheStartUpScreen) {
    // At the real machine's speed, so that frames are drawn even on a slow host.
    const auto window = OpenWindow();
    ASSERT_NE(window->Machine(), nullptr);
    EXPECT_EQ(window->Machine()->ModelIndex, 1);
    EXPECT_TRUE(window->ModelAction(1)->isChecked());
    EXPECT_EQ(window->StatusModelText(), "48 Kb");
    EXPECT_FALSE(window->Running());  // "Arrancar encendido" is off by default

    auto* play = window->findChild<QAction*>("PausaB");
    EXPECT_FALSE(play->isChecked());
    play->trigger();
    EXPECT_TRUE(window->Running());
    EXPECT_TRUE(play->isChecked());  // held down while running
    ASSERT_TRUE(WaitUntil([&] { return window->FramesRun() >= 100; }));
    play->trigger();
    EXPECT_FALSE(window->Running());
    EXPECT_FALSE(play->isChecked());
    const uint64_t frames = window->FramesRun();
    Spin(30);
    EXPECT_EQ(window->FramesRun(), frames);

    TSp& machine = *window->Machine();
    const std::vector<std::string> text = TextOn(machine);
    const int row = RowHolding(text, "1981 Nine Tiles Networks Ltd");
    ASSERT_GE(row, 0);

    // The picture in the window shows that line as the renderer draws it, on a white border.
    MemorySurface expected(4);
    machine.screen.Render(expected);
    const std::vector<uint32_t> picture = window->Picture().FrontCopy();
    int ink = 0;
    for (int y = kScreenTop + 8 * row; y < kScreenTop + 8 * row + 8; ++y)
        for (int x = 0; x < kPictureWidth; ++x) {
            const uint32_t pixel = picture[size_t(y * kPictureWidth + x)] & 0xFFFFFF;
            ASSERT_EQ(pixel, expected.PixelAt(x, y)) << x << "," << y;
            ink += pixel == kBlack;
        }
    EXPECT_GT(ink, 100);
    EXPECT_EQ(picture[0] & 0xFFFFFF, kWhite);
    EXPECT_EQ(picture.back() & 0xFFFFFF, kWhite);
}

TEST_F(TFondoTest, KeysTypedInTheWindowReachTheMatrix) {
    const auto window = OpenWindow();
    TSp& machine = *window->Machine();

    QTest::keyPress(window.get(), Qt::Key_A);
    EXPECT_TRUE(KeyDown(machine, SpectrumKey::A));
    QTest::keyRelease(window.get(), Qt::Key_A);
    EXPECT_FALSE(KeyDown(machine, SpectrumKey::A));

    QTest::keyPress(window.get(), Qt::Key_Shift);
    QTest::keyPress(window.get(), Qt::Key_Control);
    QTest::keyPress(window.get(), Qt::Key_1);
    QTest::keyPress(window.get(), Qt::Key_Space);
    QTest::keyPress(window.get(), Qt::Key_Return);
    EXPECT_TRUE(KeyDown(machine, SpectrumKey::CapsShift));
    EXPECT_TRUE(KeyDown(machine, SpectrumKey::SymbolShift));
    EXPECT_TRUE(KeyDown(machine, SpectrumKey::Digit1));
    EXPECT_TRUE(KeyDown(machine, SpectrumKey::Space));
    EXPECT_TRUE(KeyDown(machine, SpectrumKey::Enter));
    for (const Qt::Key key : {Qt::Key_Shift, Qt::Key_Control, Qt::Key_1, Qt::Key_Space, Qt::Key_Return})
        QTest::keyRelease(window.get(), key);
    EXPECT_EQ(machine.KeyRows, kAllKeysUp);

    // Tab is extended mode (both shifts), and the focus stays where it was.
    QWidget* focus = QApplication::focusWidget();
    QTest::keyPress(window.get(), Qt::Key_Tab);
    EXPECT_TRUE(KeyDown(machine, SpectrumKey::CapsShift));
    EXPECT_TRUE(KeyDown(machine, SpectrumKey::SymbolShift));
    QTest::keyRelease(window.get(), Qt::Key_Tab);
    EXPECT_EQ(machine.KeyRows, kAllKeysUp);
    EXPECT_EQ(QApplication::focusWidget(), focus);

    // Keys on a PC's repeat are not let go between repeats.
    QTest::keyPress(window.get(), Qt::Key_Q);
    QKeyEvent repeatUp(QEvent::KeyRelease, Qt::Key_Q, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(window.get(), &repeatUp);
    EXPECT_TRUE(KeyDown(machine, SpectrumKey::Q));
    QTest::keyRelease(window.get(), Qt::Key_Q);
    EXPECT_FALSE(KeyDown(machine, SpectrumKey::Q));
}

TEST_F(TFondoTest, ALetterTypedWhileRunningReachesBasic) {
    WriteIni(kFast);
    const auto window = OpenWindow();
    window->StartEmulation();
    ASSERT_TRUE(WaitUntil([&] { return window->FramesRun() >= 60; }));
    QTest::keyPress(window.get(), Qt::Key_P);
    const uint64_t pressed = window->FramesRun();
    ASSERT_TRUE(WaitUntil([&] { return window->FramesRun() >= pressed + 10; }));
    QTest::keyRelease(window.get(), Qt::Key_P);
    const uint64_t released = window->FramesRun();
    ASSERT_TRUE(WaitUntil([&] { return window->FramesRun() >= released + 10; }));
    window->StopEmulation();
    const std::vector<std::string> text = TextOn(*window->Machine());
    EXPECT_EQ(text.back().substr(0, 1), "p") << text.back();
}

TEST_F(TFondoTest, AnOpenMenuPausesTheMachineUntilItCloses) {
    WriteIni(kFast);
    const auto window = OpenWindow();
    window->StartEmulation();
    ASSERT_TRUE(WaitUntil([&] { return window->FramesRun() >= 5; }));

    window->FileMenu()->popup(window->mapToGlobal(QPoint(0, 0)));
    ASSERT_TRUE(WaitUntil([&] { return window->FileMenu()->isVisible(); }));
    EXPECT_FALSE(window->Running());
    EXPECT_TRUE(window->ResumePending());
    const uint64_t frames = window->FramesRun();
    Spin(60);
    EXPECT_EQ(window->FramesRun(), frames);
    EXPECT_FALSE(window->Running());

    window->FileMenu()->hide();
    ASSERT_TRUE(WaitUntil([&] { return window->Running(); }));
    ASSERT_TRUE(WaitUntil([&] { return window->FramesRun() > frames + 5; }));

    // A menu opened while stopped leaves the machine stopped.
    window->StopEmulation();
    window->FileMenu()->popup(window->mapToGlobal(QPoint(0, 0)));
    ASSERT_TRUE(WaitUntil([&] { return window->FileMenu()->isVisible(); }));
    window->FileMenu()->hide();
    Spin(40);
    EXPECT_FALSE(window->Running());
    EXPECT_FALSE(window->ResumePending());
}

TEST_F(TFondoTest, AMissingRomIsReportedAndThe48KIsBuiltInstead) {
    WriteIni(kFast);
    const auto window = OpenWindow();
    window->StartEmulation();
    const TSp* before = window->Machine();

    // Choosing the model already running changes nothing.
    window->ModelAction(1)->trigger();
    EXPECT_EQ(window->Machine(), before);
    EXPECT_TRUE(window->ModelAction(1)->isChecked());

    const MessageBoxAnswerer answerer;
    window->ModelAction(4)->trigger();  // "128 Kb": there is no 128.rom here
    ASSERT_EQ(answerer.Texts(), QStringList{"No existe la ROM \"128.rom"});
    ASSERT_NE(window->Machine(), nullptr);
    EXPECT_EQ(window->Machine()->ModelIndex, 1);
    EXPECT_TRUE(window->ModelAction(1)->isChecked());
    EXPECT_FALSE(window->ModelAction(4)->isChecked());
    EXPECT_EQ(window->StatusModelText(), "48 Kb");
    // The machine was running: it runs again once the command is over.
    ASSERT_TRUE(WaitUntil([&] { return window->Running(); }));

    window->ModelAction(0)->trigger();  // "16 Kb" runs from 48.rom too
    EXPECT_EQ(window->Machine()->ModelIndex, 0);
    EXPECT_EQ(window->StatusModelText(), "16 Kb");
    EXPECT_EQ(window->Machine()->cpu.ReadPages[3][0], 0xFF);
}

TEST_F(TFondoTest, SettingsAreReadAtTheFirstShowAndWrittenAtClose) {
    WriteIni("; mis ajustes\n"
             "[Hardware]\nModelo Spectrum=0\nOtra clave=7\n"
             "[Audio]\nVolumen=3\nHz=0\n"
             "[Emulacion]\nArrancar encendido=1\nVelocidad=1000\n");
    auto window = OpenWindow();
    EXPECT_EQ(window->Machine()->ModelIndex, 0);
    EXPECT_TRUE(window->VolumeAction(3)->isChecked());
    // The start-up message starts the machine once start-up is over.
    ASSERT_TRUE(WaitUntil([&] { return window->Running(); }));
    ASSERT_TRUE(WaitUntil([&] { return window->FramesRun() >= 3; }));

    window->VolumeAction(5)->trigger();
    window->ModelAction(1)->trigger();
    EXPECT_TRUE(window->close());
    const std::string ini = Ini();
    for (const char* line : {"; mis ajustes\n", "[Hardware]\nModelo Spectrum=1\nOtra clave=7\n", "Volumen=5\n",
                             "Hz=0\n", "Arrancar encendido=1\n", "Velocidad=1000\n", "[Archivos]\n",
                             "Guardar configuración=1\n", "Carga Rápida=1\n", "Auto Play & Stop=1\n"})
        EXPECT_NE(ini.find(line), std::string::npos) << line << "\nin:\n" << ini;
    window.reset();

    // With "Guardar configuración" off nothing is written at close.
    const std::string quiet = "[Archivos]\nGuardar configuración=0\n[Hardware]\nModelo Spectrum=0\n";
    WriteIni(quiet);
    window = OpenWindow();
    window->ModelAction(1)->trigger();
    window->close();
    EXPECT_EQ(Ini(), quiet);
}

TEST_F(TFondoTest, StartingStoppingAndClosingRepeatedlyEndsTheThreadEveryTime) {
    WriteIni(kFast);
    for (int round = 0; round < 8; ++round) {
        auto window = OpenWindow();
        for (int run = 0; run < 5; ++run) {
            const uint64_t frames = window->FramesRun();
            window->StartEmulation();
            ASSERT_TRUE(WaitUntil([&] { return window->FramesRun() > frames + 1; }));
            window->StopEmulation();
            // Stopped: the machine is ours to change.
            window->Machine()->RamPage(5)[0] = uint8_t(run);
        }
        window->StartEmulation();
        const auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(window->close());  // while running
        // Closing waits at most four frame periods for the thread, and the thread is parked.
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
        const uint64_t frames = window->FramesRun();
        window->StartEmulation();  // too late: nothing runs any more
        EXPECT_FALSE(window->Running());
        Spin(10);
        EXPECT_EQ(window->FramesRun(), frames);
        window.reset();
    }
    EXPECT_NE(Ini().find("Velocidad=1000"), std::string::npos);
}

TEST_F(TFondoTest, AltEnterAndTheToolButtonSwitchToFullScreenAndBack) {
    WriteIni(kFast);
    const auto window = OpenWindow();
    window->StartEmulation();
    QTest::keyClick(window.get(), Qt::Key_Return, Qt::AltModifier);
    EXPECT_TRUE(window->FullScreen());
    EXPECT_FALSE(window->menuBar()->isVisible());
    EXPECT_TRUE(window->Running());  // it was running, so it runs on
    EXPECT_FALSE(KeyDown(*window->Machine(), SpectrumKey::Enter));

    // Play/Stop in full screen hides the tool buttons again.
    auto* panel = window->findChild<QToolBar*>("Panel");
    auto* play = window->findChild<QAction*>("PausaB");
    play->trigger();
    EXPECT_FALSE(window->Running());
    panel->show();
    play->trigger();
    EXPECT_TRUE(window->Running());
    EXPECT_FALSE(panel->isVisible());

    window->findChild<QAction*>("P_Pant")->trigger();
    EXPECT_FALSE(window->FullScreen());
    EXPECT_TRUE(window->menuBar()->isVisible());
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(window->Running());

    window->StopEmulation();
    QTest::keyPress(window.get(), Qt::Key_Return);  // Enter without Alt is the Spectrum's
    EXPECT_TRUE(KeyDown(*window->Machine(), SpectrumKey::Enter));
    EXPECT_FALSE(window->FullScreen());
}

TEST_F(TFondoTest, MenusShowTheirCaptionsHintsAndWhatIsNotThereYet) {
    const auto window = OpenWindow();
    const auto action = [&](const char* name) { return window->findChild<QAction*>(name); };
    EXPECT_EQ(action("CargarS")->text(), "Cargar");
    EXPECT_EQ(action("CargarS")->statusTip(), "Carga snapshot");
    EXPECT_EQ(action("CargaC")->statusTip(), "Introduce cinta");
    EXPECT_EQ(action("CargaD")->statusTip(), "Introduce disco");
    EXPECT_EQ(action("Crear1")->text(), "Crear...");
    EXPECT_EQ(action("P_Pant")->statusTip(), "Ventana/pantalla completa");
    EXPECT_EQ(action("Crditos1")->text(), "Créditos");
    // The tape's own commands wait for a tape.
    for (const char* later : {"SacaC", "TocaC", "PausaC", "NavegaC", "CargaD", "Tutorial1", "Reproducir2",
                              "Detener_A", "Idioma1", "Hardware1", "Monitor1", "Ayuda2", "Modocompeticin1",
                              "Comentario1"})
        EXPECT_FALSE(action(later)->isEnabled()) << later;
    for (const char* now : {"Salir1", "Reset1", "PausaB", "P_Pant", "Crditos1", "CargarS", "Grabar1", "CargaC",
                            "Grabar2", "Grabar3"})
        EXPECT_TRUE(action(now)->isEnabled()) << now;
    EXPECT_TRUE(action("Protegido1")->isChecked());

    QStringList models;
    for (int i = 0; i < kModelCount; ++i) models << window->ModelAction(i)->text();
    EXPECT_EQ(models, (QStringList{"16 Kb", "48 Kb", "48 Kb +", "Inves +", "128 Kb", "128+", "+2", "+2 Español",
                                   "+2 Francés", "+3", "+3 Español", "+2a", "+2a Español", "+3e", "+3e Español",
                                   "Pentagon", "Pentagon Español", "Scorpion"}));
    QStringList volumes;
    for (int i = 0; i < 7; ++i) volumes << window->VolumeAction(i)->text();
    EXPECT_EQ(volumes, (QStringList{"10 %", "25 %", "33%", "50 %", "66 %", "75 %", "100 %"}));
    EXPECT_TRUE(window->VolumeAction(6)->isChecked());

    // The hint of the item under the mouse shows in the last status panel.
    QStatusTipEvent tip(action("CargarS")->statusTip());
    QApplication::sendEvent(window->menuBar(), &tip);
    EXPECT_EQ(window->StatusHintText(), "Carga snapshot");

    // The disk menu is there only on the models with a floppy controller; RZX recording on the 48K and 128K.
    auto* disk = window->findChild<QMenu*>("Disco1");
    auto* rzx = window->findChild<QMenu*>("Grabar_A");
    EXPECT_FALSE(disk->isEnabled());
    EXPECT_TRUE(rzx->isEnabled());
    window->ModelAction(0)->trigger();
    EXPECT_FALSE(rzx->isEnabled());
}

TEST_F(TFondoTest, ResetWhileRunningRestartsTheMachineFromTheRom) {
    WriteIni(kFast);
    const auto window = OpenWindow();
    window->StartEmulation();
    ASSERT_TRUE(WaitUntil([&] { return window->FramesRun() >= 100; }));
    window->StopEmulation();
    window->Machine()->RamPage(5)[0] = 0xAA;  // a dot on the screen, which the ROM clears at start
    window->StartEmulation();
    window->findChild<QAction*>("Reset1")->trigger();
    EXPECT_FALSE(window->Running());
    EXPECT_EQ(window->Machine()->cpu.PC.w, 0);
    ASSERT_TRUE(WaitUntil([&] { return window->Running(); }));
    const uint64_t frames = window->FramesRun();
    ASSERT_TRUE(WaitUntil([&] { return window->FramesRun() >= frames + 100; }));
    window->StopEmulation();
    EXPECT_EQ(window->Machine()->RamPage(5)[0], 0x00);
    EXPECT_GE(RowHolding(TextOn(*window->Machine()), "1981 Nine Tiles Networks Ltd"), 0);
}

TEST_F(TFondoTest, TheMouseOverThePictureDrivesThePointerDevices) {
    WriteIni("[Hardware]\nRaton=1\n");  // GunStick
    const auto window = OpenWindow();
    auto* view = window->findChild<PictureView*>();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(window->Machine()->Pointer, static_cast<const PointerDevices*>(&window->Pointer()));

    // The mouse tables cover the picture as it is scaled in the window.
    const QRect picture = view->PictureRect();
    EXPECT_EQ(window->Pointer().MouseMapX(picture.width()), kPictureWidth);
    EXPECT_EQ(window->Pointer().MouseMapY(picture.height()), kPictureHeight);

    const auto mouse = [&](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        const QPointF local = picture.topLeft() + at;
        QMouseEvent event(type, local, view->mapToGlobal(local), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(view, &event);
    };
    mouse(QEvent::MouseMove, QPoint(10, 20), Qt::NoButton);
    EXPECT_EQ(window->Pointer().MouseX(), 10);
    EXPECT_EQ(window->Pointer().MouseY(), 20);
    EXPECT_FALSE(window->Pointer().MouseButton());
    mouse(QEvent::MouseButtonPress, QPoint(30, 40), Qt::LeftButton);
    EXPECT_EQ(window->Pointer().MouseX(), 30);
    EXPECT_TRUE(window->Pointer().MouseButton());
    mouse(QEvent::MouseButtonRelease, QPoint(30, 40), Qt::NoButton);
    EXPECT_FALSE(window->Pointer().MouseButton());
}

TEST_F(TFondoTest, WithoutAMouseDeviceTheMouseIsLeftAlone) {
    const auto window = OpenWindow();
    auto* view = window->findChild<PictureView*>();
    EXPECT_EQ(view->cursor().shape(), Qt::ArrowCursor);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(50, 60), view->mapToGlobal(QPointF(50, 60)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &press);
    EXPECT_FALSE(window->Pointer().MouseButton());
    EXPECT_EQ(window->Pointer().MouseX(), 0);
}

TEST_F(TFondoTest, WithoutAnyRomThereIsNoMachineAndNothingRuns) {
    std::filesystem::remove(dir_ / "48.rom");
    const MessageBoxAnswerer answerer;
    const auto window = OpenWindow();
    EXPECT_EQ(answerer.Texts(), QStringList{"No existe la ROM \"48.rom"});
    EXPECT_EQ(window->Machine(), nullptr);
    EXPECT_EQ(window->StatusModelText(), "");
    auto* play = window->findChild<QAction*>("PausaB");
    play->trigger();
    EXPECT_FALSE(window->Running());
    EXPECT_FALSE(play->isChecked());
    window->findChild<QAction*>("Reset1")->trigger();
    EXPECT_TRUE(window->close());
}

TEST_F(TFondoTest, EveryMachineHandsItsFramesToTheSoundOutputAtTheChosenQuality) {
    WriteIni("[Audio]\nHz=3\nVolumen=2\nFiltro=1\n");
    const auto window = OpenWindow();
    const SoundOut* output = &window->Sound();
    EXPECT_EQ(window->Sound().Format(), (SoundFormat{44100, 20}));
    ASSERT_TRUE(sink_->IsOpen());
    EXPECT_EQ(sink_->SampleRate(), 44100u);
    EXPECT_EQ(sink_->Buffer().size(), 10584u);
    EXPECT_EQ(sink_->Volume(), -1109);  // "33%"
    EXPECT_EQ(window->Machine()->Output, output);
    EXPECT_EQ(window->Machine()->sound.SamplesPerFrame(), 882u);
    EXPECT_TRUE(window->Machine()->sound.Filter);

    // The stream plays in a loop while the machine runs, and stops with it. (The
    // sink is the emulation thread's while it runs: look only once it has stopped.)
    EXPECT_FALSE(sink_->Looping());
    window->StartEmulation();
    ASSERT_TRUE(RunFrames(*window, 10));
    window->StopEmulation();
    EXPECT_TRUE(sink_->Looping());
    EXPECT_FALSE(sink_->Playing());

    window->VolumeAction(0)->trigger();
    EXPECT_EQ(sink_->Volume(), -2303);  // "10 %"

    // A new machine gets the output, its frame's samples and the smoothing.
    window->ModelAction(0)->trigger();
    ASSERT_EQ(window->Machine()->ModelIndex, 0);
    EXPECT_EQ(window->Machine()->Output, output);
    EXPECT_EQ(window->Machine()->sound.SamplesPerFrame(), 882u);
    EXPECT_TRUE(window->Machine()->sound.Filter);

    window->SetSpeed(200);
    EXPECT_EQ(window->Sound().Format(), (SoundFormat{44100, 10}));
    EXPECT_EQ(window->Machine()->sound.SamplesPerFrame(), 441u);
    EXPECT_EQ(sink_->Buffer().size(), 12u * 441u);
    EXPECT_EQ(sink_->Volume(), -2303);  // the new buffer keeps the volume
    window->SetSoundQuality(1);
    EXPECT_EQ(sink_->SampleRate(), 11025u);
    EXPECT_EQ(window->Machine()->sound.SamplesPerFrame(), 110u);

    // Without sound the device is released and the timer paces the frames.
    window->SetSoundQuality(0);
    EXPECT_FALSE(sink_->IsOpen());
    EXPECT_FALSE(window->Machine()->sound.Enabled());
    window->StartEmulation();
    ASSERT_TRUE(RunFrames(*window, 10));
    EXPECT_TRUE(window->close());
    EXPECT_NE(Ini().find("Hz=0\n"), std::string::npos);
    EXPECT_NE(Ini().find("Velocidad=200\n"), std::string::npos);
}

TEST_F(TFondoTest, SwitchingTheSoundOnRebuildsTheAyFromItsRegisters) {
    WriteIni("[Audio]\nHz=0\n");
    const auto window = OpenWindow();
    TSp& machine = *window->Machine();
    ASSERT_TRUE(machine.AyPresent);
    machine.OutPort(0xFFFD, 8);  // channel A's volume
    machine.OutPort(0xBFFD, 12);
    EXPECT_EQ(machine.Ay.Synth.AyLogCount, 0u);  // nothing is logged without sound

    window->SetSoundQuality(2);
    // Registers 0 to 13 are written again, each logged for the synthesiser.
    ASSERT_EQ(machine.Ay.Synth.AyLogCount, 14u);
    EXPECT_EQ(machine.Ay.Synth.AyLog()[8].Value, 12);
}

TEST_F(TFondoTest, ASoundDeviceThatCannotPlayLeavesTheMachineOnTheTimerWithANotice) {
    WriteIni(std::string(kFast) + "[Audio]\nHz=3\n");
    const auto window = OpenWindow(SilentDevices(/*soundFails=*/true));
    EXPECT_FALSE(window->Sound().Format().HasSound());
    EXPECT_EQ(window->StatusHintText(), "Sin sonido: no sound device");
    EXPECT_FALSE(window->Machine()->sound.Enabled());

    window->StartEmulation();
    ASSERT_TRUE(RunFrames(*window, 20));
    window->StopEmulation();
    const uint64_t frames = window->FramesRun();
    Spin(20);
    EXPECT_EQ(window->FramesRun(), frames);
    // The choice is kept, so that the next run tries the device again.
    EXPECT_TRUE(window->close());
    EXPECT_NE(Ini().find("Hz=3\n"), std::string::npos);
}

TEST_F(TFondoTest, PlaysThroughSdlAndCarriesOnWhenSdlHasNoDevice) {
    // SDL's dummy driver plays in real time without a sound card.
    const std::string driver = std::getenv("SDL_AUDIODRIVER") ? std::getenv("SDL_AUDIODRIVER") : "";
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    WriteIni(std::string(kFast) + "[Audio]\nHz=1\n");
    {
        const auto window = OpenWindow(SdlHostDevices());
        EXPECT_TRUE(window->Sound().Format().HasSound());
        window->StartEmulation();
        EXPECT_TRUE(RunFrames(*window, 20));
        window->close();
    }
    setenv("SDL_AUDIODRIVER", "tarvolinde-no-such-driver", 1);
    {
        const auto window = OpenWindow(SdlHostDevices());
        EXPECT_FALSE(window->Sound().Format().HasSound());
        EXPECT_TRUE(window->StatusHintText().startsWith("Sin sonido: ")) << window->StatusHintText().toStdString();
        window->StartEmulation();
        EXPECT_TRUE(RunFrames(*window, 20));
        window->close();
    }
    if (driver.empty())
        unsetenv("SDL_AUDIODRIVER");
    else
        setenv("SDL_AUDIODRIVER", driver.c_str(), 1);
}

TEST_F(TFondoTest, ThePcJoystickPlaysTheKempstonThroughTheKeysWhileTheWindowIsActive) {
    // Without "JoyStick de PC" the joystick is not even read.
    WriteIni(std::string(kFast) + "[Hardware]\nJoyStick=4\n");
    {
        const auto window = OpenWindow();
        window->StartEmulation();
        ASSERT_TRUE(RunFrames(*window, 5));
        window->StopEmulation();
        EXPECT_EQ(joystick_->Reads.load(), 0);
    }

    WriteIni(std::string(kFast) + "[Hardware]\nJoyStick=4\nJoyStick de PC=1\n");
    const auto window = OpenWindow();
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(window.get(), &activate);
    // After two more frames the change has been read and its keys posted to this thread.
    const auto kempstonAfterTwoFrames = [&] {
        window->StartEmulation();
        EXPECT_TRUE(RunFrames(*window, 2));
        QCoreApplication::processEvents();
        window->StopEmulation();
        return window->Machine()->KempstonJoy;
    };
    joystick_->X = -1000;
    joystick_->Fire = true;
    EXPECT_EQ(kempstonAfterTwoFrames(), 0x12);  // left and fire
    EXPECT_GT(joystick_->Reads.load(), 0);
    joystick_->X = 50;  // within the middle
    joystick_->Y = 101;
    EXPECT_EQ(kempstonAfterTwoFrames(), 0x14);  // down and fire

    // Another window active: everything held is let go, whatever the joystick says.
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(window.get(), &deactivate);
    EXPECT_EQ(kempstonAfterTwoFrames(), 0x00);
    QApplication::sendEvent(window.get(), &activate);
    EXPECT_EQ(kempstonAfterTwoFrames(), 0x14);
}

}  // namespace
}  // namespace tarvolinde
