// The options dialog from the main window: each page's controls reach the
// settings file after "Aceptar" and not after "Cancelar"; the hard-disk page,
// "Asociar ahora" and the credits window.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <fstream>
#include <sstream>

#include "frontend/tcreditos.h"
#include "frontend/tfondo.h"
#include "frontend/topciones.h"
#include "machine/sp.h"
#include "platform/null_audio_sink.h"

namespace tarvolinde::test {
namespace {

namespace fs = std::filesystem;

// Runs `act` on the first dialog of its kind that becomes the active modal widget.
template <typename Dialog>
void OnModal(std::function<void(Dialog&)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            timer->deleteLater(), timer->stop();
            act(*dialog);
        }
    });
    timer->start(5);
}

void Click(QWidget* widget) { qobject_cast<QAbstractButton*>(widget)->click(); }

class OptionsTest : public testing::Test {
protected:
    void SetUp() override {
        const fs::path rom = "/usr/share/spectrum-roms/opense.rom";
        if (!fs::exists(rom)) GTEST_SKIP() << rom << " is missing (Debian package opense-basic)";
        fs::copy_file(rom, dir_ / "48.rom");
        // "Asociar ahora" and the association marks see only scratch directories.
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString((dir_ / "data").string()));
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((dir_ / "config").string()));
        const auto sound = [](Clock& clock) -> std::unique_ptr<AudioSink> { return std::make_unique<NullAudioSink>(clock); };
        window_ = std::make_unique<TFondo>(dir_, HostDevices{.MakeAudioSink = sound, .MakeJoystick = {}});
        window_->show();
        QCoreApplication::processEvents();
    }
    // Shows the options at `page`, lets `act` work on them and closes them with OK or Cancel.
    void Options(int page, bool ok, const std::function<void(TOpciones&)>& act) {
        OnModal<TOpciones>([=](TOpciones& dialog) {
            auto* tree = dialog.findChild<QTreeWidget*>("Ar_Op");
            tree->setCurrentItem(tree->topLevelItem(page));
            EXPECT_EQ(dialog.findChild<QStackedWidget*>("Libro")->currentIndex(), page);
            act(dialog);
            Click(dialog.findChild<QPushButton*>(ok ? "Ac" : "BitBtn2"));
        });
        window_->findChild<QAction*>("Hardware1")->trigger();
    }
    std::string Ini() const { return (std::stringstream() << std::ifstream(dir_ / kIniFileName).rdbuf()).str(); }

    QTemporaryDir temp_;
    const fs::path dir_ = temp_.path().toStdString();
    std::unique_ptr<TFondo> window_;
};

// A control of a page, what the user does to it, and the settings line after OK and after Cancel.
struct OptionCase {
    int Page;
    const char* Control;
    int Value;  // the radio button or item chosen, or the value set; check boxes are clicked
    const char* AfterOk;
    const char* AfterCancel;
};

class EveryPage : public OptionsTest, public testing::WithParamInterface<std::tuple<OptionCase, bool>> {};

TEST_P(EveryPage, ControlsReachTheFileOnlyAfterAceptarButTheSpeedActsAtOnce) {
    const auto [row, ok] = GetParam();
    Options(row.Page, ok, [row](TOpciones& dialog) {
        QWidget* control = dialog.findChild<QWidget*>(row.Control);
        ASSERT_TRUE(control && control->isVisible() && control->isEnabled()) << row.Control;
        if (auto* box = qobject_cast<QGroupBox*>(control))
            Click(box->findChildren<QRadioButton*>()[row.Value]);
        else if (auto* combo = qobject_cast<QComboBox*>(control))
            combo->setCurrentIndex(row.Value);
        else if (auto* spin = qobject_cast<QSpinBox*>(control))
            spin->setValue(row.Value);
        else
            Click(control);
    });
    window_->close();
    EXPECT_NE(Ini().find(std::string("\n") + (ok ? row.AfterOk : row.AfterCancel) + "\n"), std::string::npos) << Ini();
}

INSTANTIATE_TEST_SUITE_P(Pages, EveryPage, testing::Combine(testing::Values(
    OptionCase{0, "AY", 0, "AY en 48=0", "AY en 48=1"},
    OptionCase{0, "Fil", 0, "Filtro=1", "Filtro=0"},
    OptionCase{0, "Sonido_RG", 3, "Hz=3", "Hz=2"},
    OptionCase{2, "Conf", 0, "Guardar configuración=0", "Guardar configuración=1"},
    OptionCase{3, "CR", 0, "Carga Rápida=0", "Carga Rápida=1"},
    OptionCase{3, "AP", 0, "Auto Play & Stop=0", "Auto Play & Stop=1"},
    OptionCase{3, "AR", 0, "Auto Rebobinado=0", "Auto Rebobinado=1"},
    OptionCase{5, "Jo", 4, "JoyStick=4", "JoyStick=0"},
    OptionCase{5, "RA_G", 3, "Raton=3", "Raton=0"},
    OptionCase{5, "CM", 0, "Cursor + Mays=1", "Cursor + Mays=0"},
    OptionCase{5, "Iss2", 0, "Issue 2=1", "Issue 2=0"},
    OptionCase{6, "Ar_En", 0, "Arrancar encendido=1", "Arrancar encendido=0"},
    OptionCase{6, "Ar_Pa", 0, "Arrancar pantalla=1", "Arrancar pantalla=0"},
    OptionCase{6, "Velo", 250, "Velocidad=250", "Velocidad=250"}), testing::Bool()));

TEST_F(OptionsTest, VideoIsForTheRunAndTheMachineTakesTheHardwareAtOnce) {
    Options(1, true, [](TOpciones& dialog) { Click(dialog.findChild<QCheckBox*>("Scan")); });
    EXPECT_FALSE(window_->Config().StretchPicture);
    EXPECT_EQ(window_->Machine()->AyPresent, 1);
    Options(0, true, [](TOpciones& dialog) {
        EXPECT_FALSE(dialog.findChild<QCheckBox*>("JPC")->isEnabled());  // no joystick here
        Click(dialog.findChild<QCheckBox*>("AY"));
    });
    EXPECT_EQ(window_->Machine()->AyPresent, 0);
    EXPECT_TRUE(TOpciones::VideoModes({800, 600}) == QStringList({"320 x 240", "640 x 480", "800 x 600"}));
    EXPECT_TRUE(TOpciones::VideoModes({700, 500}).endsWith("700 x 500"));
}

TEST_F(OptionsTest, HardDiskAndAssociationActAtOnceEvenWhenCancelled) {
    fs::copy_file(dir_ / "48.rom", dir_ / "+3Ei.rom");  // any ROM: nothing runs
    std::ofstream(dir_ / "roto.hdf") << std::string(600, '\0');
    emit window_->findChild<QMenu*>("Modelo1")->aboutToShow();  // the menu sees the new ROM
    window_->ModelAction(13)->trigger();
    QStringList messages;
    Options(4, false, [&](TOpciones& dialog) {
        dialog.findChild<QSpinBox*>("U_Cil")->setValue(3);
        dialog.SetPendingFile((dir_ / "nuevo.hdf").string());
        Click(dialog.findChild<QPushButton*>("SpeedButton2"));
        OnModal<QMessageBox>([&](QMessageBox& box) { messages << box.text(), box.accept(); });
        dialog.SetPendingFile((dir_ / "roto.hdf").string());
        Click(dialog.findChild<QWidget*>("SpeedButton1"));
        dialog.SetPendingFile((dir_ / "nuevo.hdf").string());
        Click(dialog.findChild<QWidget*>("SpeedButton1"));
        EXPECT_EQ(dialog.findChild<QLineEdit*>("E_HD")->text().toStdString(), (dir_ / "nuevo.hdf").string());
        dialog.findChild<QListWidget*>("FLST")->item(5)->setCheckState(Qt::Checked);
        Click(dialog.findChild<QPushButton*>("SpeedButton3"));
    });
    EXPECT_EQ(fs::file_size(dir_ / "nuevo.hdf"), 128u + 3 * 16 * 63 * 256);
    EXPECT_EQ(messages, QStringList{"El archivo no es un disco duro HDF"});
    EXPECT_TRUE(window_->Machine()->Ide && window_->Config().HardDiskImage == (dir_ / "nuevo.hdf").string());
    EXPECT_TRUE(AssociatedTypes(XdgDirs{dir_ / "data", dir_ / "config"})[5]);
}

TEST_F(OptionsTest, TheCreditsShowTheProgramsVersion) {
    QCoreApplication::setApplicationVersion("9.8.7");
    QString shown;
    OnModal<TCreditos>([&](TCreditos& credits) { shown = credits.findChild<QLabel*>("Version")->text(), credits.accept(); });
    window_->findChild<QAction*>("Crditos1")->trigger();
    QCoreApplication::setApplicationVersion({});
    EXPECT_TRUE(shown.contains("9.8.7"));
}

}  // namespace
}  // namespace tarvolinde::test
