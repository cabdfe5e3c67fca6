// The main window's file commands: snapshots in and out, tapes, screenshots,
// the recent files and the file named on the command line.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <QTreeWidget>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>
#include <unistd.h>

#include "frontend/activity_panel.h"
#include "frontend/host_devices.h"
#include "frontend/preview_panel.h"
#include "frontend/settings.h"
#include "frontend/tfondo.h"
#include "frontend/tnavegador.h"
#include "machine/sp.h"
#include "tests/frontend/event_loop_wait.h"
#include "platform/null_audio_sink.h"
#include "snapshots/snapshot.h"
#include "tape/cinta.h"

namespace tarvolinde {
namespace {

namespace fs = std::filesystem;

const fs::path kOpenSeRom = "/usr/share/spectrum-roms/opense.rom";
constexpr int k16K = 0;
constexpr int k48K = 1;
constexpr int kPentagon = 15;

std::vector<uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                std::streamsize(bytes.size()));
}

// A 48K SNA: registers that tell themselves apart, a screen pattern, a red
// border, and at 0x8000 a loop that counts in HL (INC HL; JR back) with
// interrupts off. PC 0x8000 waits on the stack at 0xFF00.
std::vector<uint8_t> Sna48() {
    std::vector<uint8_t> file(49179, 0);
    const auto word = [&](size_t offset, uint16_t value) {
        file[offset] = uint8_t(value);
        file[offset + 1] = uint8_t(value >> 8);
    };
    const auto ram = [&](uint16_t address) -> uint8_t& { return file[27 + (address - 0x4000)]; };
    file[0] = 0x3F;          // I
    word(1, 0x1111);         // HL'
    word(11, 0xD0DE);        // DE
    word(13, 0xB0BC);        // BC
    word(17, 0x1234);        // IX
    word(21, 0x42C3);        // F, A
    word(23, 0xFF00);        // SP
    file[25] = 1;            // IM 1
    file[26] = 2;            // red border
    for (uint16_t i = 0; i < 6144; ++i) ram(uint16_t(0x4000 + i)) = uint8_t(i * 7);
    for (uint16_t i = 0; i < 768; ++i) ram(uint16_t(0x5800 + i)) = uint8_t(0x38 + (i & 7));
    ram(0xFF00) = 0x00;
    ram(0xFF01) = 0x80;
    ram(0x8000) = 0x23;  // INC HL
    ram(0x8001) = 0x18;  // JR 0x8000
    ram(0x8002) = 0xFD;
    return file;
}

// A TAP of one standard header and a 3-byte data block.
std::vector<uint8_t> SmallTap() {
    std::vector<uint8_t> tap;
    const auto block = [&](std::vector<uint8_t> bytes) {
        uint8_t parity = 0;
        for (const uint8_t b : bytes) parity ^= b;
        bytes.push_back(parity);
        tap.push_back(uint8_t(bytes.size()));
        tap.push_back(0);
        for (const uint8_t b : bytes) tap.push_back(b);
    };
    block({0x00, 0x03, 'p', 'r', 'u', 'e', 'b', 'a', ' ', ' ', ' ', ' ', 3, 0, 0, 0x80, 0, 0});
    block({0xFF, 1, 2, 3});
    return tap;
}

// Answers every modal message box with OK and keeps its text.
class MessageBoxAnswerer {
public:
    MessageBoxAnswerer() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts_.push_back(box->text());
                box->accept();
            }
        });
        timer_.start(5);
    }
    const QStringList& Texts() const { return texts_; }

private:
    QTimer timer_;
    QStringList texts_;
};

// Runs `act` once on the first dialog of its kind to become the active modal widget.
template <typename Dialog>
class ModalDriver {
public:
    explicit ModalDriver(std::function<void(Dialog&)> act) : act_(std::move(act)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            timer_.stop();  // before acting: acting may run nested event loops
            act_(*dialog);
            done_ = true;
        });
        timer_.start(5);
    }
    bool Done() const { return done_; }

private:
    QTimer timer_;
    std::function<void(Dialog&)> act_;
    bool done_ = false;
};
using FileDialogDriver = ModalDriver<QFileDialog>;

// The user presses the dialog's "Save" or "Open" button.
void PressAccept(QFileDialog& dialog) {
    auto* buttons = dialog.findChild<QDialogButtonBox*>("buttonBox");
    ASSERT_NE(buttons, nullptr);
    for (QAbstractButton* button : buttons->buttons())
        if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole) return button->click();
    FAIL() << "no accept button";
}

// The user picks a type in the dialog's list, as with the mouse.
void ChooseType(QFileDialog& dialog, int index) {
    auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    ASSERT_NE(types, nullptr);
    types->setCurrentIndex(index);
    emit types->activated(index);
    emit types->textActivated(types->itemText(index));
}

class FileCommandsTest : public testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(kOpenSeRom)) GTEST_SKIP() << kOpenSeRom << " is missing (Debian package opense-basic)";
        static int counter = 0;
        dir_ = fs::temp_directory_path() /
               ("tarvolinde-files-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
        fs::create_directories(dir_ / "juegos");
        fs::copy_file(kOpenSeRom, dir_ / "48.rom");
    }
    void TearDown() override {
        window_.reset();
        if (!dir_.empty()) fs::remove_all(dir_);
    }

    void WriteIni(const std::string& text) const { std::ofstream(dir_ / kIniFileName, std::ios::binary) << text; }

    TFondo& OpenWindow(const std::string& commandLine = {}) {
        const HostDevices devices{
            .MakeAudioSink = [](Clock& clock) -> std::unique_ptr<AudioSink> {
                return std::make_unique<NullAudioSink>(clock);
            },
            .MakeJoystick = {},
        };
        window_ = std::make_unique<TFondo>(dir_, devices);
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

    QStringList RecentCaptions() const {
        QStringList captions;
        for (const QAction* item : window_->RecentMenu()->actions()) captions << item->text();
        return captions;
    }

    fs::path dir_;
    std::unique_ptr<TFondo> window_;
};

// A fast machine keeps the tests short: 1000 % gives 2 ms frames.
constexpr const char* kFast = "[Emulacion]\nVelocidad=1000\n";

TEST_F(FileCommandsTest, ASnapshotLoadedWhilePausedSwitchesTheModelAndShowsAtOnce) {
    WriteIni("[Hardware]\nModelo Spectrum=0\n");
    const fs::path file = dir_ / "juegos" / "JUEGO.SNA";
    WriteBytes(file, Sna48());
    TFondo& window = OpenWindow();
    ASSERT_EQ(window.Machine()->ModelIndex, k16K);

    const MessageBoxAnswerer answerer;
    Load("CargarS", file);
    EXPECT_TRUE(answerer.Texts().isEmpty()) << answerer.Texts().join('|').toStdString();
    TSp& machine = *window.Machine();
    EXPECT_EQ(machine.ModelIndex, k48K);
    EXPECT_EQ(window.StatusModelText(), "48 Kb");
    EXPECT_TRUE(window.ModelAction(k48K)->isChecked());
    EXPECT_EQ(machine.cpu.PC.w, 0x8000);
    EXPECT_EQ(machine.cpu.SP.w, 0xFF02);
    EXPECT_EQ(machine.cpu.BC.w, 0xB0BC);
    EXPECT_EQ(machine.cpu.DE.w, 0xD0DE);
    EXPECT_EQ(machine.cpu.IX.w, 0x1234);
    EXPECT_EQ(machine.cpu.HL_.w, 0x1111);
    EXPECT_EQ(machine.cpu.A(), 0x42);
    EXPECT_EQ(machine.cpu.I, 0x3F);
    EXPECT_EQ(machine.cpu.IM, 1);
    EXPECT_EQ(machine.cpu.HL.w, 0);  // paused: nothing ran
    EXPECT_FALSE(window.Running());

    // The loaded picture is on show: the screen bytes and the red border.
    for (int cell = 0; cell < kScreenCells; ++cell)
        ASSERT_EQ(machine.screen.PixelLatch[size_t(cell)], machine.ScreenPage()[CellPixelAddr[size_t(cell)]]);
    EXPECT_EQ(window.Picture().FrontCopy().front() & 0xFFFFFF, Palette32[2]);

    EXPECT_EQ(window.RecentFiles(), std::vector<std::string>{file.string()});
    EXPECT_EQ(RecentCaptions(), QStringList{"JUEGO.SNA"});
    EXPECT_TRUE(window.RecentMenu()->isEnabled());
    EXPECT_TRUE(window.PendingFile().empty());
    EXPECT_EQ(window.Config().SnapLoadDir, (dir_ / "juegos").string() + "/");
}

TEST_F(FileCommandsTest, ASnapshotLoadedWhileRunningGoesOnFromTheStartOfAFrame) {
    WriteIni(kFast);
    const fs::path file = dir_ / "juego.sna";
    WriteBytes(file, Sna48());
    TFondo& window = OpenWindow();
    window.StartEmulation();
    Load("CargarS", file);
    // Before the idle handler lets it go on: one frame has run to its end.
    TSp& machine = *window.Machine();
    EXPECT_FALSE(window.Running());
    EXPECT_TRUE(window.ResumePending());
    EXPECT_GT(machine.cpu.HL.w, 3000);  // about one frame of INC HL; JR at 18 T-states a turn
    EXPECT_LT(machine.cpu.HL.w, 4000);
    EXPECT_GE(machine.cpu.FrameTStates, 0);
    EXPECT_LT(machine.cpu.FrameTStates, 32);
    ASSERT_TRUE(WaitUntil([&] { return window.Running(); }));
}

TEST_F(FileCommandsTest, RecentFilesKeepTheNewestTenMoveToTopAndAreSavedWithTheSettings) {
    TFondo& window = OpenWindow();
    std::vector<std::string> paths;
    for (int i = 0; i < 11; ++i) {
        paths.push_back((dir_ / ("juego" + std::to_string(i) + ".sna")).string());
        WriteBytes(paths.back(), Sna48());
        Load("CargarS", paths.back());
    }
    ASSERT_EQ(window.RecentFiles().size(), 10u);
    EXPECT_EQ(window.RecentFiles().front(), paths[10]);
    EXPECT_EQ(window.RecentFiles().back(), paths[1]);  // juego0 has gone
    EXPECT_EQ(RecentCaptions().size(), 10);
    EXPECT_EQ(RecentCaptions().front(), "juego10.sna");
    EXPECT_EQ(RecentCaptions().back(), "juego1.sna");

    // Loading a listed file moves it up, entry and item alike.
    window.AddRecent(paths[4]);
    ASSERT_EQ(window.RecentFiles().size(), 10u);
    EXPECT_EQ(window.RecentFiles()[0], paths[4]);
    EXPECT_EQ(window.RecentFiles()[1], paths[10]);
    EXPECT_EQ(RecentCaptions()[0], "juego4.sna");
    EXPECT_EQ(RecentCaptions()[1], "juego10.sna");
    EXPECT_EQ(RecentCaptions().count("juego4.sna"), 1);

    // Clicking an item loads its file.
    window.Machine()->cpu.PC.w = 0;
    window.RecentMenu()->actions()[3]->trigger();
    EXPECT_EQ(window.Machine()->cpu.PC.w, 0x8000);
    EXPECT_EQ(window.RecentFiles()[0], paths[8]);

    const std::vector<std::string> saved = window.RecentFiles();
    const QStringList captions = RecentCaptions();
    window.close();
    TFondo& again = OpenWindow();
    EXPECT_EQ(again.RecentFiles(), saved);
    EXPECT_EQ(RecentCaptions(), captions);
}

TEST_F(FileCommandsTest, ABadSnapshotIsReportedAndTheMachineIsReset) {
    TFondo& window = OpenWindow();
    const fs::path bad = dir_ / "roto.z80";
    WriteBytes(bad, std::vector<uint8_t>(20, 0xAA));
    window.Machine()->cpu.PC.w = 0x1234;
    {
        const MessageBoxAnswerer answerer;
        Load("CargarS", bad);
        EXPECT_EQ(answerer.Texts(), QStringList{"Error en el snapshot"});
    }
    EXPECT_EQ(window.Machine()->cpu.PC.w, 0);
    EXPECT_TRUE(window.RecentFiles().empty());

    // Another extension is not a snapshot at all, and the load fails the same way.
    const fs::path text = dir_ / "notas.txt";
    WriteBytes(text, Sna48());
    window.Machine()->cpu.PC.w = 0x1234;
    {
        const MessageBoxAnswerer answerer;
        Load("CargarS", text);
        EXPECT_EQ(answerer.Texts(), (QStringList{"Extensión no válida", "Error en el snapshot"}));
    }
    EXPECT_EQ(window.Machine()->cpu.PC.w, 0);
    EXPECT_TRUE(window.RecentFiles().empty());
    EXPECT_FALSE(window.RecentMenu()->isEnabled());
}

TEST_F(FileCommandsTest, ASnapshotSavedAsZ80LoadsBackIntoTheSameState) {
    TFondo& window = OpenWindow();
    TSp& machine = *window.Machine();
    machine.cpu.PC.w = 0x8000;
    machine.cpu.BC.w = 0x5A5A;
    machine.cpu.IY.w = 0x0BB0;
    machine.RamPage(2)[0x1000] = 0x77;  // 0x9000
    const fs::path chosen = dir_ / "juegos" / "partida";
    FileDialogDriver driver([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Grabar Snapshot");
        EXPECT_EQ(dialog.nameFilters(), (QStringList{"Archivos FSU (*.fsu)", "Archivos SNA (*.sna)",
                                                     "Archivos Z80 (*.z80)", "Archivos SP (*.sp)"}));
        ChooseType(dialog, 2);
        dialog.selectFile(QString::fromStdString(chosen.string()));
        PressAccept(dialog);
    });
    Action("Grabar1")->trigger();
    ASSERT_TRUE(driver.Done());
    const fs::path written = dir_ / "juegos" / "partida.z80";
    ASSERT_TRUE(fs::exists(written));
    EXPECT_EQ(window.RecentFiles(), std::vector<std::string>{written.string()});
    EXPECT_EQ(window.Config().SnapSaveDir, (dir_ / "juegos").string() + "/");

    machine.cpu.BC.w = 0;
    machine.RamPage(2)[0x1000] = 0;
    window.RecentMenu()->actions()[0]->trigger();
    EXPECT_EQ(window.Machine()->cpu.PC.w, 0x8000);
    EXPECT_EQ(window.Machine()->cpu.BC.w, 0x5A5A);
    EXPECT_EQ(window.Machine()->cpu.IY.w, 0x0BB0);
    EXPECT_EQ(window.Machine()->RamPage(2)[0x1000], 0x77);
}

TEST_F(FileCommandsTest, FormatsThatCannotHoldThePentagonAreRefused) {
    WriteBytes(dir_ / "Pentagon.rom", std::vector<uint8_t>(0x8000, 0));
    WriteBytes(dir_ / "Trdos.rom", std::vector<uint8_t>(0x4000, 0));
    WriteIni("[Hardware]\nModelo Spectrum=15\n");
    TFondo& window = OpenWindow();
    ASSERT_EQ(window.Machine()->ModelIndex, kPentagon);

    const MessageBoxAnswerer answerer;
    bool stayedOpen = false;
    FileDialogDriver driver([&](QFileDialog& dialog) {
        dialog.selectFile(QString::fromStdString((dir_ / "penta").string()));
        ChooseType(dialog, 1);  // SNA
        EXPECT_EQ(answerer.Texts(), QStringList{"El formato elegido no es compatible con el hardware"});
        PressAccept(dialog);
        stayedOpen = dialog.isVisible() && dialog.result() != QDialog::Accepted;
        ChooseType(dialog, 0);  // FSU holds any model
        dialog.selectFile(QString::fromStdString((dir_ / "penta").string()));
        PressAccept(dialog);
    });
    Action("Grabar1")->trigger();
    ASSERT_TRUE(driver.Done());
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(answerer.Texts().size(), 2);
    EXPECT_FALSE(fs::exists(dir_ / "penta.sna"));
    EXPECT_TRUE(fs::exists(dir_ / "penta.fsu"));

    // A name that says SNA under the FSU type would be written by the SNA saver:
    // it is refused too, and nothing is written.
    FileDialogDriver byName([&](QFileDialog& dialog) {
        dialog.selectFile(QString::fromStdString((dir_ / "otra.sna").string()));
        PressAccept(dialog);
    });
    Action("Grabar1")->trigger();
    ASSERT_TRUE(byName.Done());
    EXPECT_EQ(answerer.Texts().size(), 3);
    EXPECT_EQ(answerer.Texts().back(), "El formato elegido no es compatible con el hardware");
    EXPECT_FALSE(fs::exists(dir_ / "otra.sna"));
    EXPECT_EQ(window.RecentFiles(), std::vector<std::string>{(dir_ / "penta.fsu").string()});
}

TEST_F(FileCommandsTest, ATapeGoesInPlaysStopsAndComesOutWithItsCommandsFollowing) {
    const fs::path file = dir_ / "juegos" / "cinta.tap";
    WriteBytes(file, SmallTap());
    TFondo& window = OpenWindow();
    const auto enabled = [&](const char* name) { return Action(name)->isEnabled(); };

    Load("CargaC", file);
    TCinta* tape = window.CurrentTape();
    ASSERT_NE(tape, nullptr);
    EXPECT_EQ(tape->Blocks().Count(), 2u);
    EXPECT_EQ(tape->Machine(), window.Machine());
    EXPECT_EQ(window.Machine()->Tape, static_cast<TapePort*>(tape));
    EXPECT_TRUE(tape->FastLoad);
    EXPECT_TRUE(tape->AutoRewind);
    EXPECT_TRUE(enabled("SacaC") && enabled("TocaC") && enabled("NavegaC"));
    EXPECT_FALSE(enabled("PausaC"));
    EXPECT_EQ(window.RecentFiles(), std::vector<std::string>{file.string()});
    EXPECT_EQ(window.Config().TapeLoadDir, (dir_ / "juegos").string() + "/");

    auto* activity = window.findChild<ActivityPanel*>();
    Action("TocaC")->trigger();
    EXPECT_TRUE(tape->Playing());
    EXPECT_TRUE(enabled("PausaC"));
    EXPECT_FALSE(enabled("TocaC"));
    EXPECT_TRUE(activity->Activity() & kTapePlaying);
    Action("PausaC")->trigger();
    EXPECT_FALSE(tape->Playing());
    EXPECT_FALSE(enabled("PausaC"));
    EXPECT_TRUE(enabled("TocaC"));
    EXPECT_FALSE(activity->Activity() & kTapePlaying);

    // The browser shows the tape's blocks while the machine waits.
    window.StartEmulation();
    ModalDriver<TNavegador> browse([&](TNavegador& browser) {
        EXPECT_FALSE(window.Running());
        EXPECT_EQ(browser.Arbol()->topLevelItemCount(), 2);
        browser.reject();
    });
    Action("NavegaC")->trigger();
    ASSERT_TRUE(browse.Done());
    EXPECT_TRUE(WaitUntil([&] { return window.Running(); }));
    window.StopEmulation();

    // A model switch takes the tape along to the new machine.
    window.ModelAction(k16K)->trigger();
    EXPECT_EQ(tape->Machine(), window.Machine());
    EXPECT_EQ(window.Machine()->Tape, static_cast<TapePort*>(tape));

    Action("SacaC")->trigger();
    EXPECT_EQ(window.CurrentTape(), nullptr);
    EXPECT_EQ(window.Machine()->Tape, nullptr);
    for (const char* name : {"SacaC", "TocaC", "PausaC", "NavegaC"}) EXPECT_FALSE(enabled(name)) << name;
}

TEST_F(FileCommandsTest, ATapeThatCannotBeReadLeavesNoTapeIn) {
    WriteBytes(dir_ / "buena.tap", SmallTap());
    WriteBytes(dir_ / "rota.wav", {'N', 'o', ' ', 'e', 's', ' ', 'W', 'A', 'V', 'E', 0, 0});
    TFondo& window = OpenWindow();
    Load("CargaC", dir_ / "buena.tap");
    ASSERT_NE(window.CurrentTape(), nullptr);
    {
        const MessageBoxAnswerer answerer;
        Load("CargaC", dir_ / "rota.wav");
        EXPECT_EQ(answerer.Texts(), QStringList{"Error en la cinta"});
    }
    EXPECT_EQ(window.CurrentTape(), nullptr);
    EXPECT_EQ(window.Machine()->Tape, nullptr);
    EXPECT_FALSE(Action("SacaC")->isEnabled());
    {
        const MessageBoxAnswerer answerer;
        Load("CargaC", dir_ / "cinta.mp3");
        EXPECT_EQ(answerer.Texts(), QStringList{"Extensión no válida"});
    }
    EXPECT_EQ(window.RecentFiles(), std::vector<std::string>{(dir_ / "buena.tap").string()});
}

TEST_F(FileCommandsTest, AutoPlayOnTheEmulationThreadReachesTheTapeCommands) {
    // A slow tape (no fast loading) that the machine starts by itself.
    WriteIni(std::string(kFast) + "[Cinta]\nCarga Rápida=0\nAuto Play & Stop=1\n");
    const fs::path file = dir_ / "cinta.tap";
    WriteBytes(file, SmallTap());
    TFondo& window = OpenWindow();
    Load("CargaC", file);
    ASSERT_NE(window.CurrentTape(), nullptr);
    EXPECT_FALSE(window.CurrentTape()->FastLoad);

    // With interrupts off, a port read beside an AND 0x20 starts the tape; then
    // a loop reads the port (so the tape plays on) with no AND near it, so that
    // the tape, once stopped at its end, stays stopped.
    TSp& machine = *window.Machine();
    const uint8_t start[] = {0xF3, 0xDB, 0xFE, 0xE6, 0x20};  // DI; IN A,(0xFE); AND 0x20
    const uint8_t loop[] = {0xDB, 0xFE, 0x18, 0xFC};         // 0x8010: IN A,(0xFE); JR 0x8010
    std::fill_n(machine.RamPage(2).begin(), 0x20, 0x00);
    std::copy(std::begin(start), std::end(start), machine.RamPage(2).begin());
    std::copy(std::begin(loop), std::end(loop), machine.RamPage(2).begin() + 0x10);
    machine.cpu.PC.w = 0x8000;
    window.StartEmulation();
    ASSERT_TRUE(WaitUntil([&] { return Action("PausaC")->isEnabled(); }));
    EXPECT_FALSE(Action("TocaC")->isEnabled());
    auto* activity = window.findChild<ActivityPanel*>();
    EXPECT_TRUE(WaitUntil([&] { return (activity->Activity() & kTapePlaying) != 0; }));
    // The tape stops by itself at its end (about nine seconds of tape).
    ASSERT_TRUE(WaitUntil([&] { return Action("TocaC")->isEnabled(); }, 30000));
    EXPECT_FALSE(Action("PausaC")->isEnabled());
    window.StopEmulation();
    EXPECT_FALSE(window.CurrentTape()->Playing());
    EXPECT_EQ(window.CurrentTape()->BlockIndex(), -1);  // rewound
    EXPECT_TRUE(WaitUntil([&] { return (activity->Activity() & kTapePlaying) == 0; }));
}

TEST_F(FileCommandsTest, TheOpenDialogsStartInTheirLastDirectoryWithAPreview) {
    WriteIni("[Archivos]\nCargar Cinta=" + (dir_ / "juegos").string() + "/\n");
    TFondo& window = OpenWindow();
    FileDialogDriver driver([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Abrir cinta");
        EXPECT_EQ(dialog.nameFilters().front(), "Todas las Cintas (*.tap *.tzx *.wav *.voc *.csw *.zip)");
        EXPECT_EQ(dialog.nameFilters().size(), 7);
        EXPECT_EQ(dialog.directory().absolutePath().toStdString(), (dir_ / "juegos").string());
        EXPECT_NE(dialog.findChild<FilePreviewPanel*>(), nullptr);
        dialog.reject();
    });
    Action("CargaC")->trigger();
    ASSERT_TRUE(driver.Done());
    EXPECT_EQ(window.CurrentTape(), nullptr);

    FileDialogDriver snapshots([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Abrir Snapshot");
        EXPECT_EQ(dialog.nameFilters().front(), "Todos los Snapshots (*.fsu *.z80 *.sna *.sp *.zip)");
        EXPECT_NE(dialog.findChild<FilePreviewPanel*>(), nullptr);
        dialog.reject();
    });
    Action("CargarS")->trigger();
    ASSERT_TRUE(snapshots.Done());
    EXPECT_TRUE(window.RecentFiles().empty());
}

TEST_F(FileCommandsTest, ScreenshotsHoldTheScreenBytesAndTheBorderedPicture) {
    TFondo& window = OpenWindow();
    TSp& machine = *window.Machine();
    for (size_t i = 0; i < kScreenDumpBytes; ++i) machine.RamPage(5)[i] = uint8_t(i * 13 + 1);

    FileDialogDriver scr([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Grabar pantalla como scr");
        EXPECT_EQ(dialog.nameFilters(), QStringList{"scr (*.scr)"});
        dialog.selectFile(QString::fromStdString((dir_ / "pantalla").string()));
        PressAccept(dialog);
    });
    Action("Grabar3")->trigger();
    ASSERT_TRUE(scr.Done());
    const std::vector<uint8_t> dump = ReadBytes(dir_ / "pantalla.scr");
    ASSERT_EQ(dump.size(), size_t(kScreenDumpBytes));
    EXPECT_TRUE(std::equal(dump.begin(), dump.end(), machine.RamPage(5).begin()));

    // While running: the picture is taken between two frames and the machine runs on.
    window.StartEmulation();
    FileDialogDriver bmp([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Grabar pantalla como bmp");
        dialog.selectFile(QString::fromStdString((dir_ / "pantalla").string()));
        PressAccept(dialog);
    });
    Action("Grabar2")->trigger();
    ASSERT_TRUE(bmp.Done());
    EXPECT_TRUE(window.Running());
    const std::vector<uint8_t> picture = ReadBytes(dir_ / "pantalla.bmp");
    ASSERT_EQ(picture.size(), 14u + 40u + 64u + 160u * 240u);
    EXPECT_EQ(picture[0], 'B');
    EXPECT_EQ(picture[28], 4);  // bits per pixel
    EXPECT_TRUE(window.RecentFiles().empty());
}

TEST_F(FileCommandsTest, TheFileOnTheCommandLineOpensAtStartAsARecentFile) {
    const fs::path tape = dir_ / "juegos" / "mi cinta.tap";
    WriteBytes(tape, SmallTap());
    TFondo& window = OpenWindow(tape.string());
    ASSERT_NE(window.CurrentTape(), nullptr);
    EXPECT_EQ(window.RecentFiles(), std::vector<std::string>{tape.string()});
    EXPECT_EQ(RecentCaptions(), QStringList{"mi cinta.tap"});
    EXPECT_TRUE(window.PendingFile().empty());
}

}  // namespace
}  // namespace tarvolinde
