#pragma once
// Panel 1 of the status bar: icons for the tape playing, the hard disk being
// accessed, the disk motor running and RZX playback or recording.

#include <QPixmap>
#include <QFrame>
#include <cstdint>

namespace tarvolinde {

// Bits of the activity word the emulation thread publishes after every frame.
enum ActivityBits : uint8_t {
    kTapePlaying = 0x01,
    kHardDiskAccess = 0x02,
    kDiskMotorOn = 0x04,
};

class ActivityPanel : public QFrame {
    Q_OBJECT
public:
    explicit ActivityPanel(QWidget* parent = nullptr);

    // The state to show at the next repaint; repaints only when something changed.
    void Show(uint8_t activity, int rzxState);
    uint8_t Activity() const { return activity_; }
    int RzxState() const { return rzxState_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    uint8_t activity_ = 0;
    int rzxState_ = 0;
    QPixmap tape_, hardDisk_, disk_, rzxPlayback_, rzxRecording_;
};

}  // namespace tarvolinde
