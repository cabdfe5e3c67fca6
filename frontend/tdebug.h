#pragma once
// TDebug: the debugger window ("Monitor"). Modal, opened while the emulation
// thread is stopped: every step and run happens here, on the user-interface
// thread, through the debugger's logic (debugger/debugger.h). A run keeps the
// window answering (events are processed at each frame end) and is paced by
// the machine's own end-of-frame step.

#include <QDialog>
#include <array>
#include <functional>
#include <optional>

#include "debugger/debugger.h"
#include "frontend/captions.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QToolButton;
class QTreeWidget;

namespace tarvolinde {

class TSp;

// What the window needs from the main window.
struct DebugHost {
    std::function<void()> Redraw;      // draws the machine's screen (Renderer)
    std::function<void()> StartSound;  // the sound stream plays during a run
    std::function<void()> StopSound;
    std::function<void(QKeyEvent*, bool)> Key;  // the main window's key handling (down / up)
};

class TDebug : public QDialog {
    Q_OBJECT
public:
    TDebug(TSp& machine, DebugHost host, QWidget* parent = nullptr);
    ~TDebug() override;

    Debugger& Logic() { return debugger_; }
    // The input dialog, replaceable by tests: caption, prompt, initial text; nothing on cancel.
    std::function<std::optional<QString>(const QString&, const QString&, const QString&)> Ask;

    void Refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void reject() override;

private:
    QWidget* BuildZ80Page();
    QWidget* BuildHardwarePage();
    void DrawBreakpoints();
    void StepClick();
    void RunClick(bool stepOut = false);
    void RunToClick();
    void StepOverClick();
    void AddBreakpointClick(BreakKind kind);
    void RemoveBreakpointClick();
    void EditRegister(int part, int change);  // part 0 word, 1 high, 2 low; change +1, -1 or 0 (ask)
    std::optional<uint32_t> AskNumber(const QString& caption, const QString& prompt, const QString& initial);
    void Run(const std::function<RunResult()>& run);

    TSp& machine_;
    DebugHost host_;
    Debugger debugger_;
    bool closePending_ = false;
    int menuTag_ = 0;

    std::array<QLineEdit*, kRegisterCount> registers_{};
    std::array<QLabel*, 8> flags_{};
    std::array<QLabel*, 2> iffs_{};
    std::array<QLineEdit*, Debugger::kPortCount> ports_{};
    QLabel* im_ = nullptr;
    QListWidget* stack_ = nullptr;
    QListWidget* breakpoints_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QTreeWidget* ay_ = nullptr;
    QLineEdit* tstates_ = nullptr;
    QToolButton* run_ = nullptr;
    QToolButton* runTo_ = nullptr;
    std::array<QToolButton*, 3> add_{};  // address, write and port breakpoints
    QToolButton* remove_ = nullptr;
    QCheckBox* hexadecimal_ = nullptr;
    QComboBox* keys_ = nullptr;
    QMenu* menu_ = nullptr;
    CaptionMemory captions_;
};

}  // namespace tarvolinde
