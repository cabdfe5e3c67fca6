// The interface language: the start-up choice, the language dialog, and a switch
// that re-captions every open window while the machine runs on.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "frontend/file_filters.h"
#include "frontend/messages.h"
#include "frontend/tdebug.h"
#include "frontend/teligel.h"
#include "frontend/tfondo.h"
#include "frontend/tnavegador.h"
#include "platform/null_audio_sink.h"
#include "tape/tap.h"
#include "tests/tape/tape_test_support.h"

namespace tarvolinde::test {
namespace {

namespace fs = std::filesystem;

TEST(LanguageTest, StartupTakesTheSavedChoiceElseTheSystemsElseAsks) {
    const std::pair<uint32_t, const char*> askNone[] = {{0, "de_DE"}, {0, "pt_BR"}};
    for (const auto& [saved, system] : askNone) EXPECT_FALSE(StartupLanguage(saved, QLocale(system))) << system;
    const std::tuple<uint32_t, const char*, uint32_t> chosen[] = {
        {0, "es_ES", 3082}, {0, "en_GB", 2057}, {0, "fr_CA", 1036}, {0, "C", 3082}, {1027, "de_DE", 1027}};
    for (const auto& [saved, system, language] : chosen) EXPECT_EQ(StartupLanguage(saved, QLocale(system)), language);
}

TEST(LanguageTest, EachButtonOfTheDialogChoosesItsLanguage) {
    const std::pair<const char*, uint32_t> buttons[] = {
        {"BitBtn1", 3082}, {"BitBtn2", 2057}, {"BitBtn3", 1036}, {"BitBtn4", 1027}};
    for (const auto& [name, language] : buttons) {
        TEligeL dialog;
        dialog.findChild<QPushButton*>(name)->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.Chosen(), language);
    }
}

TEST(LanguageTest, ASwitchRecaptionsEveryOpenWindowWhileTheMachineRuns) {
    const fs::path rom = "/usr/share/spectrum-roms/opense.rom";
    if (!fs::exists(rom)) GTEST_SKIP() << rom << " is missing (Debian package opense-basic)";
    const QTemporaryDir temp;
    const fs::path dir = temp.path().toStdString();
    fs::copy_file(rom, dir / "48.rom");
    std::ofstream(dir / kIniFileName) << "[Emulacion]\nIdioma=1036\nVelocidad=1000\n";
    const auto ini = [&] { return (std::stringstream() << std::ifstream(dir / kIniFileName).rdbuf()).str(); };

    const auto sound = [](Clock& clock) -> std::unique_ptr<AudioSink> {
        return std::make_unique<NullAudioSink>(clock);
    };
    TFondo window(dir, HostDevices{.MakeAudioSink = sound, .MakeJoystick = {}});
    window.SetTranslationDirs({TARVOLINDE_QM_DIR});
    window.show();  // in the saved language
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.FileMenu()->title() == "Fichier"; }, 10000));

    TTap tape(TapOf({RomBlock(0x00, HeaderBody(3, "datos", 2, 0x8000))}));  // a name that is a word too
    TNavegador browser(tape, &window);
    TDebug debugger(*window.Machine(), {}, &window);
    browser.show(), debugger.show();
    window.StartEmulation();
    const int model = window.Machine()->ModelIndex;

    struct Captions {
        uint32_t Language;
        const char *File, *LoadHint, *Browser, *Block, *Step, *QtFileName;
    };
    const Captions languages[] = {
        {2057, "File", "Loads a snapshot", "Tape browser", "ROM load, header, (Code, \"datos", "Step", "File &name:"},
        {1027, "Fitxer", "Carrega una instantània", "Navegador de cintes",
         "Càrrega ROM, capçalera, (Codi, \"datos", "Un pas", "&Nom de fitxer:"},
        {3082, "Archivo", "Carga snapshot", "Navegador de cintas", "Carga ROM, cabecera, (Código, \"datos",
         "Un paso", "&Nombre de fichero:"},
    };
    for (const Captions& c : languages) {
        window.SelectLanguage(c.Language);
        const uint64_t frames = window.FramesRun();
        QCoreApplication::processEvents();
        EXPECT_EQ(window.FileMenu()->title(), QString::fromUtf8(c.File));
        EXPECT_EQ(window.findChild<QAction*>("CargarS")->statusTip(), QString::fromUtf8(c.LoadHint));
        EXPECT_EQ(browser.windowTitle(), QString::fromUtf8(c.Browser));
        EXPECT_TRUE(browser.Arbol()->topLevelItem(0)->text(0).startsWith(QString::fromUtf8(c.Block)));
        EXPECT_EQ(debugger.findChild<QAbstractButton*>("SpeedButton1")->text(), QString::fromUtf8(c.Step));
        EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"), QString::fromUtf8(c.QtFileName));
        EXPECT_NE(ini().find("Idioma=" + std::to_string(c.Language)), std::string::npos);
        // Neither stopped nor reset: the frames go on, on the same model.
        EXPECT_TRUE(QTest::qWaitFor([&] { return window.FramesRun() > frames + 5; }, 10000));
        EXPECT_TRUE(window.Running() && window.ModelAction(model)->isChecked());
        if (c.Language != 2057) continue;
        // The texts the window shares with the runner are all in the catalogue.
        using namespace file_dialogs;
        for (const char* text : {kOpenSnapshotTitle, kOpenSnapshotFilter, kSaveSnapshotTitle, kSaveSnapshotFilter,
                                 kOpenTapeTitle, kOpenTapeFilter, kOpenRzxTitle, kOpenRzxFilter, kScreenshotTitle,
                                 kBadExtension, kSnapshotFailed, kTapeFailed, kZipFailed, kIncompatibleFormat})
            EXPECT_NE(Translated(text), QString::fromUtf8(text));
    }

    // Without the language's file nothing changes, but the choice is kept.
    window.SetTranslationDirs({temp.path()});
    window.SelectLanguage(2057);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.FileMenu()->title(), "Archivo");
    EXPECT_NE(ini().find("Idioma=2057"), std::string::npos);
}

}  // namespace
}  // namespace tarvolinde::test
