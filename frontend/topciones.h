#pragma once
// TOpciones: the options dialog. A tree of seven pages (Audio, Video, Archivos,
// Cinta, Disco duro, Hardware, Emulacion) over the settings. The window loads
// the controls before each showing and takes them back only after "Aceptar";
// the speed, the hard-disk buttons and "Asociar ahora" act at once, so
// "Cancelar" does not undo them.

#include <QDialog>
#include <array>
#include <functional>
#include <string>

#include "frontend/settings.h"
#include "platform/file_associations.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QToolButton;
class QTreeWidget;

namespace tarvolinde {

// What the dialog needs to know of the machine and the host.
struct OptionsContext {
    int ModelIndex = 1;
    uint32_t RamKb = 48;
    bool JoystickPresent = false;
};

class TOpciones : public QDialog {
    Q_OBJECT
public:
    explicit TOpciones(QWidget* parent = nullptr);

    // Every control from the settings (FormShow); the first page is shown.
    void Load(const Settings& settings, const OptionsContext& context);
    // Every control back into the settings (after "Aceptar").
    void Store(Settings& settings) const;

    // "..." on the hard-disk page: the window fits the image; false when it is no hard disk.
    void SetHardDiskHandler(std::function<bool(const std::string& path)> attach) { attachHardDisk_ = std::move(attach); }
    // A file the next "..." or "Crear" takes instead of asking.
    void SetPendingFile(const std::string& path) { pendingFile_ = path; }

    // "640 x 480" and the like: the screen's size and the usual smaller ones.
    static QStringList VideoModes(QSize screen);

signals:
    // "Velocidad" changed by the user, in percent.
    void speedChanged(int percent);

protected:
    void changeEvent(QEvent* event) override;

private:
    void Retranslate();
    QWidget* AudioPage();
    QWidget* VideoPage();
    QWidget* FilesPage();
    QWidget* TapePage();
    QWidget* HardDiskPage();
    QWidget* HardwarePage();
    QWidget* EmulationPage();
    std::string ChooseFile(const QString& title, bool save);
    void ChooseHardDisk();    // SpeedButton1Click
    void CreateHardDisk();    // SpeedButton2Click
    void ShowCapacity();
    void ShowAssociations();
    void AssociateNow();      // SpeedButton3Click

    QTreeWidget* tree_;       // Ar_Op
    QStackedWidget* book_;    // Libro
    QPushButton* ok_;         // Ac
    QPushButton* cancel_;     // BitBtn2
    // Audio
    QCheckBox* ay_;           // AY
    QCheckBox* filter_;       // Fil
    QGroupBox* qualityBox_;   // Sonido_RG
    QButtonGroup* quality_;
    // Video
    QCheckBox* chooseMode_;   // Mo_Al
    QCheckBox* stretch_;      // Scan
    QLabel* modeLabel_;
    QComboBox* modes_;        // Modos_V
    QCheckBox* softwareScaling_;  // AceH
    // Archivos
    QCheckBox* saveOnExit_;   // Conf
    QLabel* extensionsLabel_;
    QListWidget* extensions_; // FLST
    QPushButton* associate_;  // SpeedButton3
    // Cinta
    QCheckBox* fastLoad_;     // CR
    QCheckBox* autoPlay_;     // AP
    QCheckBox* autoRewind_;   // AR
    // Disco duro
    QLabel* imageLabel_;
    QLineEdit* image_;        // E_HD
    QToolButton* chooseImage_;   // SpeedButton1
    QLabel* cylindersLabel_;
    QLabel* headsLabel_;
    QLabel* sectorsLabel_;
    QSpinBox* cylinders_;     // U_Cil
    QSpinBox* heads_;         // U_Cab
    QSpinBox* sectors_;       // U_Sec
    QLabel* capacity_;        // L_Cap
    QCheckBox* halved_;       // C_Semi
    QPushButton* create_;     // SpeedButton2
    // Hardware
    QLabel* joystickLabel_;
    QComboBox* joystick_;     // Jo
    QCheckBox* pcJoystick_;   // JPC
    QGroupBox* mouseBox_;     // RA_G
    QButtonGroup* mouse_;
    QCheckBox* cursorShift_;  // CM
    QCheckBox* issue2_;       // Iss2
    // Emulacion
    QCheckBox* startRunning_;     // Ar_En
    QCheckBox* startFullScreen_;  // Ar_Pa
    QLabel* speedLabel_;
    QSpinBox* speed_;             // Velo

    std::function<bool(const std::string&)> attachHardDisk_;
    std::string pendingFile_;
    std::string hardDiskDir_;
    XdgDirs xdg_ = XdgDirs::FromEnvironment();  // where "Asociar ahora" registers the program
};

}  // namespace tarvolinde
