#pragma once
// TFondo: the main window. It owns the machine and the emulation thread that
// runs it, the sound output that paces it, the PC joystick, the picture, the
// settings, and every menu, tool button and status panel; each command hands
// its work to the part of the program that owns it.
//
// Threads: the user-interface thread changes the machine only while the
// emulation thread is stopped (StopEmulation ... StartEmulation, or a command's
// pause with the restart left to the idle handler). The emulation thread
// reaches the user-interface thread only by posting: the picture's repaint,
// the status bar's activity icons and the PC joystick's keys.

#include <QMainWindow>
#include <QTimer>
#include <array>
#include <atomic>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "frontend/captions.h"
#include "frontend/host_devices.h"
#include "frontend/language.h"
#include "frontend/picture_buffer.h"
#include "frontend/settings.h"
#include "machine/machine_factory.h"
#include "machine/input/pc_joystick.h"
#include "machine/input/pointer_devices.h"
#include "machine/input/keyboard_typing.h"
#include "machine/input/shared_input.h"
#include "machine/sound/sound_recorder.h"
#include "machine/model_table.h"
#include "machine/sound/sound_output.h"
#include "platform/audio_sink.h"
#include "platform/clock.h"
#include "platform/joystick_source.h"
#include "storage/hdf_image.h"

class QAction;
class QActionGroup;
class QKeyEvent;
class QLabel;
class QMenu;
class QToolBar;

namespace tarvolinde {

class ActivityPanel;
class EmulationThread;
class PictureView;
class TCinta;
class TFDC_3;
class TOpciones;
class TRZX;
class TSp;
struct LoadableFile;
struct MachineDevices;
enum class PreviewKind;

class TFondo : public QMainWindow {
    Q_OBJECT
public:
    // programDir: the directory of ROM files and "Tarvolinde.ini" (ProgramDir),
    // normally the executable's own. devices: where the sound goes and the PC
    // joystick comes from.
    explicit TFondo(const std::filesystem::path& programDir, const HostDevices& devices = SdlHostDevices(),
                    QWidget* parent = nullptr);
    ~TFondo() override;

    // --- Operations used by the other parts of the program ---------------------
    // Runs the machine (nothing without one, or once closing has begun).
    void StartEmulation();
    // Stops the machine after the frame in progress; returns once it has stopped.
    void StopEmulation();
    // Draws the picture again while stopped; `full` rebuilds it from memory first.
    void RedrawScreen(bool full);
    // "Calidad:" 0 (no sound) to 3; the index is kept for the settings file.
    // When the sound device cannot play, the machine runs on without sound and
    // the status bar says why.
    void SetSoundQuality(int index);
    // "Velocidad": 10 to 1000 percent of the real machine's speed.
    void SetSpeed(int percent);
    // Puts the interface in a language (its locale number, LanguageId) and keeps
    // the choice in the settings file at once. The machine runs on. Without the
    // language's translation file the interface stays as it was; the choice is kept.
    void SelectLanguage(uint32_t localeId);
    // Where translation files are looked for (the executable's folder, then the installed ones).
    void SetTranslationDirs(QStringList dirs) { language_.SetDirs(std::move(dirs)); }

    // --- Files -------------------------------------------------------------------
    // Puts a path at the top of "Recientes" (moving it there when it is listed
    // already); the oldest of more than ten entries goes. Paths are UTF-8.
    void AddRecent(const std::string& path);
    // The recent files, newest first.
    const std::vector<std::string>& RecentFiles() const { return settings_.RecentFiles; }
    // A file the next load command takes instead of asking with its dialog
    // (PendingFile); the command clears it.
    void SetPendingFile(const std::string& path) { pendingFile_ = path; }
    const std::string& PendingFile() const { return pendingFile_; }
    // The file named on the command line: opened as a recent file once the
    // settings have been applied at the first show.
    void SetCommandLineFile(const std::string& path) { commandLineFile_ = path; }
    // The inserted tape, or null (CurrentTape); change it only while stopped.
    TCinta* CurrentTape() { return tape_.get(); }
    // The RZX recording or playback in progress, or null (CurrentRzx).
    const TRZX* CurrentRzx() const { return rzx_.get(); }
    int RzxState() const { return rzxState_; }

    // --- State ---------------------------------------------------------------------
    bool Running() const { return running_; }
    bool ResumePending() const { return resumePending_; }
    bool FullScreen() const { return fullScreen_; }
    const std::string& ProgramDir() const { return programDir_; }
    const Settings& Config() const { return settings_; }
    // The machine; change it only while stopped. Null when no model could be built.
    TSp* Machine() { return machine_.get(); }
    const PictureBuffer& Picture() const { return picture_; }
    const SoundOutput& Sound() const { return output_; }
    // Frames the emulation thread has run so far.
    uint64_t FramesRun() const;
    // The item of a model in the model menu, and the menus, for the tests.
    QAction* ModelAction(int modelIndex) const { return modelActions_[size_t(modelIndex)]; }
    QAction* VolumeAction(int index) const { return volumeActions_[size_t(index)]; }
    const PointerInput& Pointer() const { return pointer_; }
    QMenu* FileMenu() const { return fileMenu_; }
    QMenu* RecentMenu() const { return recentMenu_; }
    QString StatusModelText() const;
    QString StatusHintText() const;

    // --- Typing and recording (tfondo_typing.cpp) ------------------------------------
    // "Pegar texto": types `text` into the machine, one key a few frames at a time.
    void PasteText(const QString& text);
    bool Pasting() const { return pasting_.load(std::memory_order_acquire); }
    // "Grabar sonido": the sound of the frames from now on goes to a WAV file too.
    // False, with the reason in the status bar, without sound or a writable file.
    bool StartSoundRecording(const std::string& path);
    void StopSoundRecording();

signals:
    // Emitted on the emulation thread; connected queued, so the slots run on the
    // user-interface thread. (A signal rather than a posted functor: nothing is
    // built on the emulation thread for the other thread to read.)
    void picturePresented();
    void activityChanged();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void customEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Stops the machine for a command's modal work; when it goes out of scope,
    // the machine is left to restart on the next idle if it was running.
    class CommandPause {
    public:
        explicit CommandPause(TFondo& window);
        ~CommandPause();
        CommandPause(const CommandPause&) = delete;
        CommandPause& operator=(const CommandPause&) = delete;
        // Whether the machine runs again once the command is over.
        bool Resumes() const { return was_; }

    private:
        TFondo& window_;
        bool was_;
    };

    // Construction (tfondo_menus.cpp).
    QAction* NewAction(const char* name, const QString& caption, const QString& hint, bool enabled = false);
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void SizeWindow();

    // Emulation (tfondo_emulation.cpp).
    void EmulationFrame();
    void PublishActivity(const TSp& machine);
    void ShowSoundNotice();
    void ScheduleIdle();
    void ApplicationIdle();
    void PauseForMenu();

    // Commands (tfondo_commands.cpp).
    void SelectModel(int modelIndex);
    void ShowModel();
    void ResetMachine();
    void SelectVolume(int index);
    void PausaBExecute();
    void P_PantClick();
    void EnterFullScreen();
    void LeaveFullScreen();
    void PictureRightButton();
    void ShowCredits();
    // The language (tfondo_language.cpp).
    void Idioma1Click();
    void CheckLanguage();
    // ROM files (rom_menu.cpp): the folders searched, and the model menu greying
    // the models whose ROM file is missing.
    std::vector<std::string> RomDirectories() const;
    void ShowMissingRoms();
    void MonitorClick();  // tfondo_debug.cpp

    // Files: dialogs, recent files, screenshots (tfondo_files.cpp).
    std::optional<std::string> ChooseFileToOpen(const char* dialogName, const QString& title, const QString& filter,
                                                PreviewKind preview, std::string& lastDir);
    // A file for a load command, or nothing once the user has been told why:
    // a damaged archive, a name not of the command's kind (`nameFits`), or the
    // file itself, under the command's message `failed`.
    std::optional<LoadableFile> ReadFileOrReport(const std::string& path, PreviewKind kind, const char* failed,
                                                 bool (*nameFits)(std::string_view));
    void ShowError(const QString& text);
    // A fixed message (file_filters.h and the like), shown translated.
    void ShowError(const char* message);
    void RecentClick(QAction* item);
    void BuildRecentMenu();
    void OpenCommandLineFile();
    void SaveScreenshot(bool bmp);
    std::vector<uint8_t> ScreenBytes(bool bmp);

    // Snapshots (tfondo_snapshots.cpp).
    void CargarSExecute();
    bool LoadSnapshot(const std::string& path);
    void FinishSnapshotLoad(bool resumes);
    void Grabar1Click();

    // The tape deck (tfondo_tape.cpp).
    void CargaCExecute();
    void InsertTape(const std::string& path);
    void EjectTape();
    void SacaCExecute();
    void TocaCExecute();
    void PausaCExecute();
    void NavegaCExecute();
    void ShowTapeInserted(bool inserted);
    void ShowTapePlaying(bool playing);
    // A Play or Stop made on the emulation thread (auto play, the end of the
    // tape), posted here; `change` tells a stale notice from the latest one.
    Q_INVOKABLE void TapePlayingChanged(quint64 change, bool playing);

    // +3 disks in drive A (tfondo_disks.cpp).
    void ConnectDiskMenu();
    TFDC_3* FloppyController();
    MachineDevices DiskDevices();
    bool KeepDiskThroughSwitch(int modelIndex);
    void ShowDiskInserted();
    // Asks whether to save drive A's changed disk; false when the user cancels.
    bool OfferToSaveDisk();
    void CargaDExecute();
    bool Grabar4Click();
    void Extraer1Click();
    void Crear1Click();
    void Protegido1Click();
    // RZX recording and playback (tfondo_rzx.cpp).
    void Tutorial1Click();
    void Reproducir2Click();
    void DetenerAExecute();
    void StopRzx();
    void ShowRzxState(int state);
    // On the emulation thread, after a frame: posts RzxEnded once playback has ended by itself.
    void NoticeRzxEnd();
    Q_INVOKABLE void RzxEnded();

    // The mouse over the picture (tfondo_commands.cpp).
    void PointerChanged(QPoint inPicture, QPoint onDesktop, bool leftButton);
    void BuildMouseScale();
    void AplicaCursor();

    // The hard disk of the +3e models (hard_disk_dialog.cpp).
    MachineDevices HardDiskDevices() const;
    bool AttachHardDisk(const std::string& path);
    void ReplaceHardDisk(std::unique_ptr<IdePorts> disk);

    // The options dialog (tfondo_options.cpp).
    void Hardware1Click();
    void ApplyOptions();

    // Settings (tfondo.cpp).
    void LeeConfiguracion();
    void GrabaConfiguracion(bool force);
    std::filesystem::path IniPath() const;

    // Keys (tfondo.cpp).
    bool HandleKey(QKeyEvent* event, bool down);
    // A key of the PC joystick, posted by the emulation thread.
    Q_INVOKABLE void JoystickKey(bool down, int virtualKey);
    void ReleaseHeldKeys();
    KeyOptions CurrentKeyOptions() const;
    // "Teclado simbólico": true when the key typed a symbol.
    bool HandleSymbolKey(QKeyEvent* event, bool down);
    void CreateTypingActions();
    // Emulation thread, before a frame: the next keys of a pasted text.
    void TypePastedText(TSp& machine);

    const std::string programDir_;
    Settings settings_;
    LanguageSwitch language_;
    CaptionMemory captions_;  // the menus', tool buttons' and status bar's

    // --- Emulation ----------------------------------------------------------------
    // Before the machine, which points at them.
    PointerInput pointer_;
    SteadyClock clock_;
    std::unique_ptr<AudioSink> audioSink_;  // before the output, whose destructor closes it
    SoundOutput output_;                    // the sound writer, or the timer pacer without sound
    std::unique_ptr<TSp> machine_;
    // After the machine: the tape lets go of the machine it is attached to when destroyed.
    std::unique_ptr<TCinta> tape_;
    // After the machine, which it lets go of when destroyed.
    std::unique_ptr<TRZX> rzx_;
    std::string rzxPath_;  // where the recording is written when it ends
    std::atomic<bool> rzxEndPosted_{false};
    // Counts the tape's Play and Stop notices, on whichever thread they happen.
    std::atomic<uint64_t> tapeChanges_{0};
    PictureBuffer picture_;
    std::unique_ptr<JoystickSource> joystick_;
    PcJoystick pcJoystick_;  // polled by the emulation thread, posting keys to this one
    SharedInput input_;
    std::set<int> heldKeys_;
    // Set while stopped, used by the emulation thread while it runs.
    std::unique_ptr<TypingSession> pasteTyping_;
    std::atomic<bool> pasting_{false};  // any thread may ask whether the paste is still typing
    std::unique_ptr<SoundRecorder> soundRecorder_;
    QAction* recordSoundAction_ = nullptr;
    int soundQuality_ = 2;
    bool running_ = false;
    bool resumePending_ = false;
    bool displayBusy_ = true;
    bool fullScreen_ = false;
    bool closing_ = false;
    bool shown_ = false;
    int rzxState_ = 0;
    std::string pendingFile_;
    std::string commandLineFile_;
    std::atomic<uint8_t> activity_{0};
    std::atomic<bool> picturePosted_{false};
    std::atomic<bool> activityPosted_{false};
    QTimer idleTimer_;
    TOpciones* opciones_ = nullptr;  // made at its first showing, kept with its controls

    // --- Widgets and commands -------------------------------------------------------
    PictureView* pictureView_ = nullptr;
    QToolBar* panel_ = nullptr;   // the tool buttons ("Panel")
    QLabel* modelPanel_ = nullptr;
    ActivityPanel* activityPanel_ = nullptr;
    QLabel* hintPanel_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* optionsMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QMenu* diskMenu_ = nullptr;
    QMenu* rzxRecordMenu_ = nullptr;
    QMenu* recentMenu_ = nullptr;         // Recientes1
    QAction* tapeEjectAction_ = nullptr;  // SacaC
    QAction* tapePlayAction_ = nullptr;   // TocaC
    QAction* tapeStopAction_ = nullptr;   // PausaC
    QAction* tapeBrowseAction_ = nullptr; // NavegaC
    QAction* rzxStopAction_ = nullptr;    // Detener_A
    QAction* playAction_ = nullptr;        // PausaB
    QAction* fullScreenAction_ = nullptr;  // P_Pant
    QActionGroup* modelGroup_ = nullptr;
    std::array<QAction*, kModelCount> modelActions_{};
    std::array<QAction*, 7> volumeActions_{};

    // Last, so that the thread ends before anything its frames use is destroyed.
    std::unique_ptr<EmulationThread> thread_;
};

}  // namespace tarvolinde
