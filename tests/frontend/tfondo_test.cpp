// The main window: its pauses and closing, keys, picture, settings file, snapshots, tapes and recent files.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QStatusTipEvent>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "frontend/activity_panel.h"
#include "frontend/keyboard_help.h"
#include "frontend/picture_view.h"
#include "frontend/snapshot_save_dialog.h"
#include "frontend/tfondo.h"
#include "frontend/tnavegador.h"
#include "machine/sp.h"
#include "machine/video/screen_text.h"
#include "platform/memory_surface.h"
#include "platform/null_audio_sink.h"
#include "storage/archivo_dsk.h"
#include "storage/fdc3.h"
#include "tape/cinta.h"
#include "tests/snapshots/zip_test_support.h"
#include "tests/tape/tape_test_support.h"

namespace tarvolinde::test {
namespace {

namespace fs = std::filesystem;

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 10000) { return QTest::qWaitFor(condition, timeoutMs); }
bool RunFrames(TFondo& window, uint64_t count) {
    const uint64_t target = window.FramesRun() + count;
    return WaitUntil([&] { return window.FramesRun() >= target; });
}

void WriteBytes(const fs::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// Runs `act` on every dialog of its kind that becomes the active modal widget.
template <typename Dialog>
struct OnModal : QTimer {
    explicit OnModal(std::function<void(Dialog&)> act) {
        connect(this, &QTimer::timeout, [this, act] {
            if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
                stop();  // acting may run nested event loops
                act(*dialog), ++Count, start(5);
            }
        });
        start(5);
    }
    int Count = 0;
};

// The messages shown, each answered with OK, while `act` runs.
QStringList Messages(const std::function<void()>& act) {
    QStringList texts;
    const OnModal<QMessageBox> answer([&](QMessageBox& box) { texts << box.text(), box.accept(); });
    act();
    return texts;
}

// The window on a scratch program directory holding OpenSE BASIC as 48.rom, with silent sound.
class WindowTest : public testing::Test {
protected:
    void SetUp() override {
        const fs::path rom = "/usr/share/spectrum-roms/opense.rom";
        if (!fs::exists(rom)) GTEST_SKIP() << rom << " is missing (Debian package opense-basic)";
        fs::create_directories(dir_ / "juegos");
        fs::copy_file(rom, dir_ / "48.rom");
    }
    void WriteIni(const std::string& text) const { std::ofstream(dir_ / kIniFileName, std::ios::binary) << text; }
    std::string Ini() const { return (std::stringstream() << std::ifstream(dir_ / kIniFileName).rdbuf()).str(); }
    TFondo& OpenWindow(const std::string& commandLine = {}) {
        const auto sound = [](Clock& clock) -> std::unique_ptr<AudioSink> { return std::make_unique<NullAudioSink>(clock); };
        window_.reset();
        window_ = std::make_unique<TFondo>(dir_, HostDevices{.MakeAudioSink = sound, .MakeJoystick = {}});
        if (!commandLine.empty()) window_->SetCommandLineFile(commandLine);
        window_->show();
        QCoreApplication::processEvents();
        return *window_;
    }
    QAction* Action(const char* name) const { return window_->findChild<QAction*>(name); }
    // Loads a file as the recent-files menu does, without a dialog.
    void Load(const char* command, const fs::path& path) {
        window_->SetPendingFile(path.string());
        Action(command)->trigger();
    }

    QTemporaryDir temp_;
    const fs::path dir_ = temp_.path().toStdString();
    std::unique_ptr<TFondo> window_;
};

// A fast machine keeps the tests short: 1000 % gives 2 ms frames.
constexpr const char* kFast = "[Emulacion]\nVelocidad=1000\n";

bool KeyDown(TSp& machine, SpectrumKey key) { return !(machine.KeyRows[KeyRow(key)] & KeyMask(key)); }

// A 48K SNA with a red border, a screen pattern and, at 0x8000, a loop that
// counts in HL (INC HL; JR back) with interrupts off; PC 0x8000 waits on the stack at 0xFF00.
Bytes Sna48() {
    Bytes file(49179, 0);
    const auto ram = [&](uint16_t address) -> uint8_t& { return file[27 + (address - 0x4000)]; };
    file[24] = 0xFF, file[25] = 1, file[26] = 2;  // SP, IM 1, border
    for (uint16_t i = 0; i < 6912; ++i) ram(uint16_t(0x4000 + i)) = uint8_t(i * 7);
    ram(0xFF01) = 0x80;
    ram(0x8000) = 0x23, ram(0x8001) = 0x18, ram(0x8002) = 0xFD;
    return file;
}

Bytes SmallTap() { return TapOf({RomBlock(0x00, HeaderBody(3, "prueba", 3, 0x8000)), RomBlock(0xFF, {1, 2, 3})}); }

TEST_F(WindowTest, KeysReachTheMatrixAndTheFramesDrawThePicture) {
    // At the real machine's speed, so that frames are drawn even on a slow host.
    TFondo& window = OpenWindow();
    TSp& machine = *window.Machine();
    QTest::keyPress(&window, Qt::Key_Tab);  // extended mode (both shifts), never a move of the focus
    EXPECT_TRUE(KeyDown(machine, SpectrumKey::CapsShift) && KeyDown(machine, SpectrumKey::SymbolShift));
    QTest::keyRelease(&window, Qt::Key_Tab);
    QTest::keyPress(&window, Qt::Key_Q);
    QKeyEvent repeatUp(QEvent::KeyRelease, Qt::Key_Q, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&window, &repeatUp);  // the PC's repeat does not lift the key
    EXPECT_TRUE(KeyDown(machine, SpectrumKey::Q) && !KeyDown(machine, SpectrumKey::CapsShift));

    Action("PausaB")->trigger();
    EXPECT_TRUE(window.Running() && Action("PausaB")->isChecked());
    ASSERT_TRUE(RunFrames(window, 100));
    Action("PausaB")->trigger();
    EXPECT_FALSE(window.Running() || Action("PausaB")->isChecked());
    // The top of the start-up screen, as the renderer draws it (the flashing cursor is below).
    MemorySurface expected(4);
    machine.screen.Render(expected);
    const std::vector<uint32_t> picture = window.Picture().FrontCopy();
    for (int y = 0; y < kScreenTop + 96; ++y)
        for (int x = 0; x < kPictureWidth; ++x)
            ASSERT_EQ(picture[size_t(y * kPictureWidth + x)] & 0xFFFFFF, expected.PixelAt(x, y)) << x << "," << y;
}

// Keys pressed and released at once, '*' and '+' by "Teclado simbólico", and "Pegar texto": lines that run.
TEST_F(WindowTest, QuickKeysSymbolsAndPastedTextTypeLinesThatRun) {
    TFondo& window = OpenWindow();
    window.SetSpeed(1000);
    Action("PausaB")->trigger();
    ASSERT_TRUE(RunFrames(window, 200));
    QTest::keyClicks(&window, "print 6*7");
    QTest::keyClick(&window, Qt::Key_Return);
    ASSERT_TRUE(RunFrames(window, 100));  // ten keys queued, five frames each
    window.PasteText("print 2+3\r\n");
    ASSERT_TRUE(WaitUntil([&] { return !window.Pasting(); }) && RunFrames(window, 50));
    Action("PausaB")->trigger();
    const TSp& machine = *window.Machine();
    std::string text = "|";
    for (const std::string& row : ScreenText(std::span<const uint8_t, kScreenCells>(machine.screen.PixelLatch),
                                             machine.RomPage(0).subspan<0x3D00, kCharacterSetBytes>()))
        text += row.substr(0, row.find_last_not_of(' ') + 1) + "|";
    EXPECT_TRUE(text.find("|42|") != std::string::npos && text.find("|5|") != std::string::npos) << text;
}

TEST_F(WindowTest, AnOpenMenuPausesTheMachineAndLetsGoOfTheKeysUntilItCloses) {
    WriteIni(kFast);
    TFondo& window = OpenWindow();
    const auto openMenu = [&] {
        window.FileMenu()->popup(window.mapToGlobal(QPoint(0, 0)));
        return WaitUntil([&] { return window.FileMenu()->isVisible(); });
    };
    window.StartEmulation();
    QTest::keyPress(&window, Qt::Key_A);  // the menu takes the keyboard: its release would never come
    ASSERT_TRUE(RunFrames(window, 5));
    ASSERT_TRUE(openMenu());
    EXPECT_TRUE(!window.Running() && window.ResumePending());
    EXPECT_FALSE(KeyDown(*window.Machine(), SpectrumKey::A));
    const uint64_t frames = window.FramesRun();
    QTest::qWait(60);
    EXPECT_EQ(window.FramesRun(), frames);
    window.FileMenu()->hide();
    ASSERT_TRUE(WaitUntil([&] { return window.FramesRun() > frames + 5; }));

    window.StopEmulation();  // a menu opened while stopped leaves the machine stopped
    ASSERT_TRUE(openMenu());
    window.FileMenu()->hide();
    QTest::qWait(40);
    EXPECT_FALSE(window.Running() || window.ResumePending());
}

TEST_F(WindowTest, StartingStoppingResettingAndClosingRepeatedlyEndsTheThreadEveryTime) {
    WriteIni(kFast);
    for (int round = 0; round < 8; ++round) {
        TFondo& window = OpenWindow();
        window.StartEmulation();
        ASSERT_TRUE(RunFrames(window, 2));
        window.StopEmulation();
        window.Machine()->RamPage(5)[0] = 0xAA;  // stopped: the machine is ours to change
        // Reset stops the machine first; the ROM then clears the screen.
        window.StartEmulation();
        Action("Reset1")->trigger();
        EXPECT_FALSE(window.Running());
        EXPECT_EQ(window.Machine()->cpu.PC.w, 0);
        ASSERT_TRUE(WaitUntil([&] { return window.Running(); }));
        ASSERT_TRUE(RunFrames(window, 100));
        const auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(window.close());  // while running
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
        EXPECT_EQ(window.Machine()->RamPage(5)[0], 0x00);
        window.StartEmulation();  // too late: nothing runs any more
        EXPECT_FALSE(window.Running());
    }
}

TEST_F(WindowTest, SettingsAreReadAtTheFirstShowAndWrittenAtCloseAndAMissingRomGivesThe48K) {
    WriteIni("; mis ajustes\n[Hardware]\nModelo Spectrum=4\nOtra clave=7\n[Audio]\nVolumen=3\nHz=0\n"
             "[Emulacion]\nArrancar encendido=1\nVelocidad=1000\n");
    EXPECT_TRUE(Messages([&] { OpenWindow(); }).value(0).startsWith("No existe la ROM \"128.rom\" (buscada en: "));
    TFondo& window = *window_;
    EXPECT_TRUE(window.VolumeAction(3)->isChecked());
    ASSERT_TRUE(WaitUntil([&] { return window.Running(); }));  // once start-up is over
    EXPECT_FALSE(window.ModelAction(4)->isEnabled());  // greyed: its ROM is nowhere
    EXPECT_EQ(window.Machine()->ModelIndex, 1);
    EXPECT_TRUE(window.ModelAction(1)->isChecked() && !window.ModelAction(4)->isChecked());
    EXPECT_EQ(window.StatusModelText(), "48 Kb");
    window.VolumeAction(5)->trigger();
    EXPECT_TRUE(window.close());
    for (const char* line : {"; mis ajustes\n", "[Hardware]\nModelo Spectrum=1\nOtra clave=7\n", "Volumen=5\n",
                             "Hz=0\n", "Arrancar encendido=1\n", "Velocidad=1000\n", "Guardar configuración=1\n"})
        EXPECT_NE(Ini().find(line), std::string::npos) << line << "\nin:\n" << Ini();

    const std::string quiet = "[Archivos]\nGuardar configuración=0\n";
    WriteIni(quiet);
    fs::remove(dir_ / "48.rom");
    EXPECT_TRUE(Messages([&] { OpenWindow(); }).value(0).startsWith("No existe la ROM \"48.rom\" (buscada en: "));
    EXPECT_EQ(window_->Machine(), nullptr);
    Action("PausaB")->trigger();
    Action("Reset1")->trigger();
    EXPECT_FALSE(window_->Running() || Action("PausaB")->isChecked());
    EXPECT_TRUE(window_->close());
    EXPECT_EQ(Ini(), quiet);  // nothing is written
}

TEST_F(WindowTest, ASnapshotSwitchesTheModelAndShowsPausedOrGoesOnFromTheStartOfAFrame) {
    WriteIni(std::string(kFast) + "[Hardware]\nModelo Spectrum=0\n");
    const fs::path file = dir_ / "juegos" / "JUEGO.SNA";
    WriteBytes(file, Sna48());
    TFondo& window = OpenWindow();
    EXPECT_TRUE(Messages([&] { Load("CargarS", file); }).isEmpty());
    TSp* machine = window.Machine();
    EXPECT_TRUE(machine->ModelIndex == 1 && window.ModelAction(1)->isChecked());
    EXPECT_EQ(machine->cpu.PC.w, 0x8000);
    EXPECT_EQ(machine->cpu.HL.w, 0);  // paused: nothing ran, and the loaded picture shows
    for (int cell = 0; cell < kScreenCells; ++cell)
        ASSERT_EQ(machine->screen.PixelLatch[size_t(cell)], machine->ScreenPage()[CellPixelAddr[size_t(cell)]]);
    EXPECT_EQ(window.Picture().FrontCopy().front() & 0xFFFFFF, Palette32[2]);
    EXPECT_EQ(window.Config().SnapLoadDir, (dir_ / "juegos").string() + "/");

    window.StartEmulation();
    Load("CargarS", file);
    // Before the idle handler lets it go on: one frame has run to its end.
    EXPECT_TRUE(!window.Running() && window.ResumePending());
    EXPECT_GT(window.Machine()->cpu.HL.w, 3000);  // about one frame of INC HL; JR at 18 T-states a turn
    EXPECT_LT(window.Machine()->cpu.HL.w, 4000);
    EXPECT_LT(window.Machine()->cpu.FrameTStates, 32);
    ASSERT_TRUE(WaitUntil([&] { return window.Running(); }));
}

TEST_F(WindowTest, RecentFilesKeepTheNewestTenMoveToTopAndAreSavedWithTheSettings) {
    std::vector<std::string> paths;
    for (int i = 0; i < 11; ++i) WriteBytes(paths.emplace_back(dir_ / ("juego&" + std::to_string(i) + ".sna")), Sna48());
    WriteBytes(dir_ / "cinta.tap", SmallTap());
    OpenWindow((dir_ / "cinta.tap").string());  // opened at start, as a recent file
    ASSERT_NE(window_->CurrentTape(), nullptr);
    for (const std::string& path : paths) Load("CargarS", path);
    // The menu lists the file names, newest first, with '&' doubled to show.
    const auto expectMenu = [&](const std::vector<int>& newestFirst) {
        QStringList names;
        for (const QAction* item : window_->RecentMenu()->actions()) names << item->text();
        ASSERT_EQ(window_->RecentFiles().size(), newestFirst.size());
        for (size_t i = 0; i < newestFirst.size(); ++i) {
            EXPECT_EQ(window_->RecentFiles()[i], paths[size_t(newestFirst[i])]);
            EXPECT_EQ(names.value(qsizetype(i)), QString("juego&&%1.sna").arg(newestFirst[i]));
        }
    };
    expectMenu({10, 9, 8, 7, 6, 5, 4, 3, 2, 1});
    window_->AddRecent(paths[4]);  // moves up, entry and item alike
    expectMenu({4, 10, 9, 8, 7, 6, 5, 3, 2, 1});
    window_->Machine()->cpu.PC.w = 0;
    window_->RecentMenu()->actions()[3]->trigger();  // clicking an item loads its file
    EXPECT_EQ(window_->Machine()->cpu.PC.w, 0x8000);
    expectMenu({8, 4, 10, 9, 7, 6, 5, 3, 2, 1});
    window_->close();
    OpenWindow();
    expectMenu({8, 4, 10, 9, 7, 6, 5, 3, 2, 1});
}

// The user picks a type in the save dialog's list, as with the mouse, names a file and presses "Save".
void Choose(QFileDialog& dialog, int type, const fs::path& name) {
    auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    if (type >= 0)
        types->setCurrentIndex(type), emit types->activated(type), emit types->textActivated(types->itemText(type));
    dialog.selectFile(QString::fromStdString(name.string()));
    static_cast<QDialog&>(dialog).accept();  // as the "Save" button does
}

TEST_F(WindowTest, FormatsThatCannotHoldThePentagonAreRefused) {
    WriteBytes(dir_ / "Pentagon.rom", Bytes(0x8000, 0));
    WriteBytes(dir_ / "Trdos.rom", Bytes(0x4000, 0));
    WriteIni("[Hardware]\nModelo Spectrum=15\n");
    TFondo& window = OpenWindow();
    ASSERT_EQ(window.Machine()->ModelIndex, 15);
    bool stayedOpen = false;
    // SNA is refused as soon as it is chosen and again when saved; FSU holds any model.
    // A name that says SNA under the FSU type would be written by the SNA saver: refused too.
    const QStringList messages = Messages([&] {
        OnModal<QFileDialog> driver([&](QFileDialog& dialog) {
            if (driver.Count == 1) return Choose(dialog, -1, dir_ / "otra.sna");
            Choose(dialog, 1, dir_ / "penta");
            stayedOpen = dialog.isVisible() && dialog.result() != QDialog::Accepted;
            Choose(dialog, 0, dir_ / "penta");
        });
        Action("Grabar1")->trigger();
        Action("Grabar1")->trigger();
        EXPECT_EQ(driver.Count, 2);
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(messages, QStringList(3, "El formato elegido no es compatible con el hardware"));
    EXPECT_FALSE(fs::exists(dir_ / "penta.sna") || fs::exists(dir_ / "otra.sna"));
    EXPECT_EQ(window.RecentFiles(), std::vector<std::string>{(dir_ / "penta.fsu").string()});
    EXPECT_EQ(window.Config().SnapSaveDir, dir_.string() + "/");
}

TEST_F(WindowTest, TheTapeActionsFollowTheDeckThroughInsertPlayStopBrowseAutoPlayAndEject) {
    const fs::path file = dir_ / "juegos" / "cinta.tap";
    WriteBytes(file, SmallTap());
    // A slow tape (no fast loading) that the machine may start by itself.
    WriteIni(std::string(kFast) + "[Cinta]\nCarga Rápida=0\nAuto Play & Stop=1\n");
    TFondo& window = OpenWindow();
    auto* activity = window.findChild<ActivityPanel*>();
    const auto expectState = [&](const char* step, bool in, bool play, bool stop) {
        SCOPED_TRACE(step);
        EXPECT_EQ(Action("SacaC")->isEnabled(), in);
        EXPECT_EQ(Action("NavegaC")->isEnabled(), in);
        EXPECT_EQ(Action("TocaC")->isEnabled(), play);
        EXPECT_EQ(Action("PausaC")->isEnabled(), stop);
        EXPECT_EQ((activity->Activity() & kTapePlaying) != 0, stop);
    };
    expectState("empty", false, false, false);
    Load("CargaC", file);
    TCinta* tape = window.CurrentTape();
    ASSERT_NE(tape, nullptr);
    expectState("inserted", true, true, false);
    Action("TocaC")->trigger();
    expectState("playing", true, false, true);
    Action("PausaC")->trigger();
    expectState("stopped", true, true, false);

    window.StartEmulation();
    OnModal<TNavegador> browse([&](TNavegador& browser) {  // the machine waits while it shows
        EXPECT_FALSE(window.Running());
        EXPECT_EQ(browser.Arbol()->topLevelItemCount(), 2);
        browser.reject();
    });
    Action("NavegaC")->trigger();
    ASSERT_EQ(browse.Count, 1);
    EXPECT_TRUE(WaitUntil([&] { return window.Running(); }));
    window.StopEmulation();

    // With interrupts off, a port read beside an AND 0x20 starts the tape; then a loop reads
    // the port (so the tape plays on) with no AND near it, so that the tape stays stopped at its end.
    const Bytes program = {0xF3, 0xDB, 0xFE, 0xE6, 0x20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xDB, 0xFE, 0x18, 0xFC};
    std::copy(program.begin(), program.end(), window.Machine()->RamPage(2).begin());
    window.Machine()->cpu.PC.w = 0x8000;
    window.StartEmulation();
    ASSERT_TRUE(WaitUntil([&] { return Action("PausaC")->isEnabled() && !Action("TocaC")->isEnabled(); }));
    EXPECT_TRUE(WaitUntil([&] { return (activity->Activity() & kTapePlaying) != 0; }));
    // The tape stops by itself at its end (about nine seconds of tape), and rewinds.
    ASSERT_TRUE(WaitUntil([&] { return Action("TocaC")->isEnabled(); }, 30000));
    window.StopEmulation();
    EXPECT_TRUE(WaitUntil([&] { return (activity->Activity() & kTapePlaying) == 0; }));
    expectState("played to its end", true, true, false);
    EXPECT_EQ(tape->BlockIndex(), -1);

    window.ModelAction(0)->trigger();  // a model switch takes the tape along
    EXPECT_EQ(window.Machine()->Tape, static_cast<TapePort*>(tape));
    Action("SacaC")->trigger();
    EXPECT_EQ(window.Machine()->Tape, nullptr);
    expectState("ejected", false, false, false);
}

// A file that fails is reported once, naming it and why, and changes nothing:
// the tape stays in, the machine keeps its model and memory and runs on.
TEST_F(WindowTest, AFailedLoadIsReportedOnceAndLeavesTheTapeAndTheRunningMachineAsTheyWere) {
    WriteIni(kFast);
    WriteBytes(dir_ / "buena.tap", SmallTap());
    WriteBytes(dir_ / "rota.wav", {'N', 'o', ' ', 'e', 's', ' ', 'W', 'A', 'V', 'E', 0, 0});
    WriteBytes(dir_ / "texto.tzx", {'a', 'b', 'c', 'd', 'e', 'f', 'g'});
    WriteBytes(dir_ / "roto.z80", Bytes(20, 0xAA));
    WriteBytes(dir_ / "larga.sp", Bytes(49190 + 1, 0));
    Bytes sna128(131103, 0);
    WriteBytes(dir_ / "otra.sna", sna128);  // no 128.rom: the 128K cannot be built
    WriteBytes(dir_ / "notas.txt", Sna48());
    WriteBytes(dir_ / "notas.zip", MakeZip({{"notas.txt", SmallTap()}}));
    fs::create_directories(dir_ / "carpeta.sna");
    fs::create_symlink("/dev/zero", dir_ / "cero.tap");
    TFondo& window = OpenWindow();
    Load("CargaC", dir_ / "buena.tap");
    window.StartEmulation();  // past the ROM's memory test, which writes everywhere
    ASSERT_TRUE(RunFrames(window, 150));
    window.StopEmulation();
    const auto failure = [&](const char* message, const char* file, const char* reason) {
        return QStringList{QString("%1\n%2: %3").arg(message, QString::fromStdString((dir_ / file).string()), reason)};
    };
    const struct {
        const char* command;
        const char* file;
        QStringList messages;
    } cases[] = {{"CargaC", "rota.wav", failure("Error en la cinta", "rota.wav", "formato dañado")},
                 {"CargaC", "texto.tzx", failure("Error en la cinta", "texto.tzx", "demasiado corto")},
                 {"CargaC", "cero.tap", failure("Error en la cinta", "cero.tap", "no es un archivo normal")},
                 {"CargaC", "cinta.mp3", {"Extensión no válida"}},
                 {"CargaC", "notas.zip", failure("Error en archivo ZIP", "notas.zip", "formato dañado")},
                 {"CargarS", "roto.z80", failure("Error en el snapshot", "roto.z80", "demasiado corto")},
                 {"CargarS", "larga.sp", failure("Error en el snapshot", "larga.sp", "formato dañado")},
                 {"CargarS", "carpeta.sna", failure("Error en el snapshot", "carpeta.sna", "es una carpeta")},
                 {"CargarS", "falta.sna", failure("Error en el snapshot", "falta.sna", "no se encuentra")},
                 {"CargarS", "notas.txt", {"Extensión no válida"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        window.StartEmulation();
        ASSERT_TRUE(RunFrames(window, 2));
        window.StopEmulation();
        window.Machine()->RamPage(2)[0] = 0x5A;
        const auto before = window.Machine()->RamPage(2);
        const std::vector<uint8_t> memory(before.begin(), before.end());
        window.StartEmulation();
        EXPECT_EQ(Messages([&] { Load(c.command, dir_ / c.file); }), c.messages);
        ASSERT_TRUE(RunFrames(window, 3));  // it was running before the command, and goes on
        window.StopEmulation();
        EXPECT_TRUE(Action("SacaC")->isEnabled() && window.Machine()->Tape);
        EXPECT_EQ(window.Machine()->ModelIndex, 1);
        const auto after = window.Machine()->RamPage(2);
        EXPECT_TRUE(std::equal(memory.begin(), memory.end(), after.begin()));  // no ROM code writes there
        EXPECT_EQ(window.RecentFiles(), std::vector<std::string>{(dir_ / "buena.tap").string()});
    }
    EXPECT_TRUE(Messages([&] { Load("CargarS", dir_ / "otra.sna"); }).value(0).startsWith("No existe la ROM \"128.rom\" (buscada"));
    EXPECT_EQ(window.Machine()->ModelIndex, 1);

    // A TZX cut short inside a block goes in with the blocks before it, and the user is told.
    Bytes cut = TzxOf({{0x10, 0, 0, 3, 0, 1, 2, 3}, {0x10, 0, 0, 3, 0, 4, 5, 6}});
    cut.pop_back();
    WriteBytes(dir_ / "corta.tzx", cut);
    EXPECT_EQ(Messages([&] { Load("CargaC", dir_ / "corta.tzx"); }), failure("Error en la cinta", "corta.tzx", "demasiado corto"));
    EXPECT_EQ(window.CurrentTape()->Blocks().Count(), 2);  // the header and the complete block

    // A recent file deleted since is taken off the list when chosen.
    fs::remove(dir_ / "corta.tzx");
    EXPECT_EQ(Messages([&] { window.RecentMenu()->actions().front()->trigger(); }),
              QStringList{QString("No se encuentra %1.\nSe quita de los archivos recientes.")
                              .arg(QString::fromStdString((dir_ / "corta.tzx").string()))});
    EXPECT_EQ(window.RecentFiles(), std::vector<std::string>{(dir_ / "buena.tap").string()});
    EXPECT_EQ(window.RecentMenu()->actions().size(), 1);
}

// ROM files are looked for beside the executable, in the user's data folder and
// in the installed data folder; the models whose ROM is nowhere are greyed.
TEST_F(WindowTest, RomsAreFoundAlongTheSearchPathAndModelsWithoutOneAreGreyed) {
    const fs::path exe = dir_ / "bin", user = dir_ / "datos", installed = dir_ / "share" / "tarvolinde" / "roms";
    for (const fs::path& folder : {exe, user / "tarvolinde" / "roms", installed}) fs::create_directories(folder);
    fs::rename(dir_ / "48.rom", exe / "48.rom");
    WriteBytes(user / "tarvolinde" / "roms" / "128.rom", Bytes(0x8000, 0));
    WriteBytes(installed / "Inves.rom", Bytes(0x4000, 0));
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(user.string()));
    TFondo window(exe, HostDevices{});
    window.show();
    for (const int model : {1, 3, 4}) EXPECT_TRUE(window.ModelAction(model)->isEnabled()) << model;
    window.ModelAction(3)->trigger();
    EXPECT_EQ(window.Machine()->ModelIndex, 3);
    QAction* scorpion = window.ModelAction(17);
    EXPECT_FALSE(scorpion->isEnabled());
    EXPECT_EQ(scorpion->toolTip(), QString("Falta el archivo Scorpion.rom: cópielo en %1")
                                       .arg(QString::fromStdString((user / "tarvolinde" / "roms").string())));
    // The menu looks again as it opens: a file put there since makes its model available.
    WriteBytes(exe / "Scorpion.rom", Bytes(0x10000, 0));
    emit window.findChild<QMenu*>("Modelo1")->aboutToShow();
    EXPECT_TRUE(scorpion->isEnabled() && !scorpion->toolTip().startsWith("Falta"));
    qputenv("XDG_DATA_HOME", saved);
}

TEST_F(WindowTest, ArchivesGiveTheDialogsMembersAndAreNotRecentFiles) {
    WriteBytes(dir_ / "juegos.zip", MakeZip({{"fotos/foto.sna", Sna48()}, {"cinta.tap", SmallTap()}}));
    TFondo& window = OpenWindow();
    Load("CargaC", dir_ / "juegos.zip");
    Load("CargarS", dir_ / "juegos.zip");
    EXPECT_TRUE(Action("SacaC")->isEnabled() && window.Machine()->cpu.PC.w == 0x8000 && window.RecentFiles().empty());
}

TEST_F(WindowTest, DisksGoInAndOutOfDriveAAndAChangedDiskIsNeverDroppedUnasked) {
    for (const char* rom : {"+3.rom", "+3e.rom"}) WriteBytes(dir_ / rom, Bytes(0x10000, 0));  // NOPs will do
    TUnidad blank(0);
    blank.CreateBlank(false);
    WriteBytes(dir_ / "a.dsk", TArchivoDSK(blank).Grabar());
    WriteBytes(dir_ / "rota.dsk", Bytes(300, 'E'));
    TFondo& window = OpenWindow();
    EXPECT_FALSE(Action("CargaD")->isEnabled());
    window.ModelAction(9)->trigger();
    const auto drive = [&]() -> TUnidad& { return FloppyOf(*window.Machine())->Drives[0]; };
    Load("CargaD", dir_ / "a.dsk");
    EXPECT_TRUE(drive().Present && drive().Protected && Action("Extraer1")->isEnabled());
    EXPECT_EQ(Messages([&] { Load("CargaD", dir_ / "juego.trd"); }), QStringList{"Extensión no válida"});
    EXPECT_EQ(Messages([&] { Load("CargaD", dir_ / "rota.dsk"); }),
              QStringList{QString::fromStdString("Error en el disco\n" + (dir_ / "rota.dsk").string() + ": formato dañado")});
    EXPECT_TRUE(drive().Present);

    // Each way of losing a changed disk asks first; the answer decides.
    const auto answering = [&](QMessageBox::StandardButton button, const std::function<void()>& act) {
        const OnModal<QMessageBox> answer([&](QMessageBox& box) { box.button(button)->click(); });
        act();
        return answer.Count;
    };
    drive().Modified = true;
    EXPECT_EQ(answering(QMessageBox::Cancel, [&] { Action("Extraer1")->trigger(); }), 1);
    EXPECT_TRUE(drive().Present);
    EXPECT_EQ(answering(QMessageBox::Cancel, [&] { window.ModelAction(1)->trigger(); }), 1);
    EXPECT_EQ(window.Machine()->ModelIndex, 9);
    EXPECT_EQ(answering(QMessageBox::Cancel, [&] { window.close(); }), 1);
    EXPECT_TRUE(window.isVisible());
    // Another +3 model takes the disk over, changes and all.
    window.ModelAction(10)->trigger();
    EXPECT_TRUE(drive().Present && drive().Modified);
    EXPECT_EQ(answering(QMessageBox::No, [&] { Action("Extraer1")->trigger(); }), 1);
    EXPECT_FALSE(drive().Present || Action("Extraer1")->isEnabled());
    Action("Crear1")->trigger();
    EXPECT_EQ(drive().Side0.TrackCount(), 40u);
    EXPECT_EQ(answering(QMessageBox::No, [&] { window.close(); }), 0);
}

// "Tutorial" records until "Detener" writes the file; "Reproducir" plays it
// to its end, which gives the menus and the status bar back by itself.
TEST_F(WindowTest, TutorialRecordsReproducirPlaysToTheEndAndDetenerStopsEither) {
    WriteIni(kFast);
    TFondo& window = OpenWindow();
    const fs::path session = dir_ / "sesion.rzx";
    Load("Tutorial1", session);
    EXPECT_TRUE(window.RzxState() == 3 && Action("Detener_A")->isEnabled());
    window.StartEmulation();
    ASSERT_TRUE(RunFrames(window, 30));
    Action("Detener_A")->trigger();
    EXPECT_TRUE(window.RzxState() == 0 && !Action("Detener_A")->isEnabled() && !window.CurrentRzx());
    ASSERT_GT(fs::file_size(session), 100u);

    Load("Reproducir2", session);
    EXPECT_TRUE(window.RzxState() == 1 && Action("Detener_A")->isEnabled());
    ASSERT_TRUE(WaitUntil([&] { return window.RzxState() == 0; }));
    EXPECT_FALSE(Action("Detener_A")->isEnabled());
    EXPECT_EQ(window.Machine()->cpu.FrameRoutine, Z80::FrameProcedure::Standard);

    WriteBytes(dir_ / "rota.rzx", Bytes(12, 0));
    EXPECT_EQ(Messages([&] { Load("Reproducir2", dir_ / "rota.rzx"); }),
              QStringList{QString::fromStdString("Error en la acción\n" + (dir_ / "rota.rzx").string() + ": formato dañado")});
    EXPECT_EQ(window.RzxState(), 0);
}

TEST_F(WindowTest, FunctionKeysRunTheirCommandsWhateverHasTheFocusAndNeverReachTheSpectrum) {
    const fs::path file = dir_ / "cinta.tap";
    WriteBytes(file, SmallTap());
    WriteIni(kFast);
    TFondo& window = OpenWindow();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    Load("CargaC", file);
    TSp& machine = *window.Machine();
    machine.cpu.PC.w = 0x8000;
    const struct {
        Qt::Key Key;
        const char* What;
        std::function<bool()> Done;
    } steps[] = {
        {Qt::Key_F5, "runs", [&] { return window.Running(); }},
        {Qt::Key_F5, "stops", [&] { return !window.Running(); }},
        {Qt::Key_F8, "plays the tape", [&] { return window.CurrentTape()->Playing(); }},
        {Qt::Key_F8, "stops the tape", [&] { return !window.CurrentTape()->Playing(); }},
        {Qt::Key_F9, "resets", [&] { return machine.cpu.PC.w == 0; }},
        {Qt::Key_F11, "goes full screen", [&] { return window.FullScreen(); }},
        {Qt::Key_F11, "comes back", [&] { return !window.FullScreen(); }},
        {Qt::Key_F1, "shows the keyboard", [&] { auto* help = window.findChild<KeyboardHelp*>(); return help && help->isVisible(); }},
    };
    for (const auto& step : steps) {
        QTest::keyClick(window.findChild<PictureView*>(), step.Key);
        EXPECT_TRUE(step.Done()) << step.What;
        EXPECT_EQ(machine.KeyRows, kAllKeysUp) << step.What;
    }
}

TEST_F(WindowTest, AStoppedMachineSaysSoAndThePictureFillsItsAreaAtTheOpeningSize) {
    TFondo& window = OpenWindow();
    const auto* view = window.findChild<PictureView*>();
    const QImage stoppedIcon = Action("PausaB")->icon().pixmap(16).toImage();
    EXPECT_EQ(window.windowTitle(), "Tarvolinde — detenido");
    EXPECT_EQ(view->Hint(), "Emulación detenida — pulse ▶ o F5");
    window.StartEmulation();
    EXPECT_EQ(window.windowTitle(), "Tarvolinde");
    EXPECT_TRUE(view->Hint().isEmpty());
    EXPECT_NE(Action("PausaB")->icon().pixmap(16).toImage(), stoppedIcon);
    window.StopEmulation();
    EXPECT_FALSE(view->Hint().isEmpty());
    EXPECT_EQ(view->PictureRect(), view->rect());
    EXPECT_EQ(view->size(), QSize(2 * kPictureWidth, 2 * kPictureHeight));
    window.setWindowTitle("Tarvolinde");  // as a change of language sets the plain caption
    QEvent change(QEvent::LanguageChange);
    QApplication::sendEvent(&window, &change);
    EXPECT_TRUE(WaitUntil([&] { return window.windowTitle() == "Tarvolinde — detenido"; }, 1000));

    // The hint of a tool button goes when the pointer leaves it.
    QStatusTipEvent tip("Carga snapshot");
    QApplication::sendEvent(&window, &tip);
    EXPECT_EQ(window.StatusHintText(), "Carga snapshot");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(window.findChild<QToolButton*>(), &leave);
    EXPECT_TRUE(window.StatusHintText().isEmpty());
}

TEST_F(WindowTest, TheWindowAndTheTapeBrowserOpenAsTheyWereLeft) {
    const fs::path file = dir_ / "cinta.tap";
    WriteBytes(file, SmallTap());
    WriteIni("[Ventana]\nIzquierda=30\nArriba=40\nAncho=700\nAlto=540\nNavegador ancho=500\nNavegador alto=400\n");
    TFondo& window = OpenWindow();
    EXPECT_EQ(window.geometry(), QRect(30, 40, 700, 540));
    Load("CargaC", file);
    OnModal<TNavegador> browse([&](TNavegador& browser) {
        EXPECT_EQ(browser.size(), QSize(500, 400));
        browser.resize(520, 410);
        browser.reject();
    });
    Action("NavegaC")->trigger();
    ASSERT_EQ(browse.Count, 1);
    window.setGeometry(50, 60, 720, 500);
    EXPECT_TRUE(window.close());
    for (const char* line : {"[Ventana]\n", "Izquierda=50\n", "Arriba=60\n", "Ancho=720\n", "Alto=500\n",
                             "Maximizada=0\n", "Navegador ancho=520\n", "Navegador alto=410\n"})
        EXPECT_NE(Ini().find(line), std::string::npos) << line << "\nin:\n" << Ini();
}

TEST_F(WindowTest, FileDialogsStartAtHomeUntilAFolderIsKeptAndRefusalsNameTheFormatsThatFit) {
    TFondo& window = OpenWindow();
    QSize size;
    OnModal<QFileDialog> look([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.directory().absolutePath(), QDir::homePath());
        size = dialog.size();
        dialog.reject();
    });
    Action("CargarS")->trigger();
    ASSERT_EQ(look.Count, 1);
    EXPECT_GT(size.width(), 700);
    EXPECT_EQ(FormatsForModel(window.Machine()->ModelIndex), "FSU, SNA, Z80, SP o SZX");
    EXPECT_EQ(FormatsForModel(15), "FSU o SZX");  // the Pentagon
}

}  // namespace
}  // namespace tarvolinde::test
