#include "frontend/activity_panel.h"

#include <QPainter>

#include "frontend/icons.h"

namespace tarvolinde {

namespace {

constexpr int kPanelWidth = 54;
constexpr int kIconSize = 16;

}  // namespace

ActivityPanel::ActivityPanel(QWidget* parent)
    : QFrame(parent),
      tape_(icons::TapeActivity()),
      hardDisk_(icons::HardDiskActivity()),
      disk_(icons::DiskActivity()),
      rzxPlayback_(icons::RzxPlayback()),
      rzxRecording_(icons::RzxRecording()) {
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setFixedWidth(kPanelWidth);
    setMinimumHeight(kIconSize);
}

void ActivityPanel::Show(uint8_t activity, int rzxState) {
    if (activity == activity_ && rzxState == rzxState_) return;
    activity_ = activity;
    rzxState_ = rzxState;
    update();
}

void ActivityPanel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const int x = contentsRect().left() + 1;
    const int y = (height() - kIconSize) / 2;
    if (activity_ & kTapePlaying) painter.drawPixmap(x, y, tape_);
    if (activity_ & kHardDiskAccess) painter.drawPixmap(x, y, hardDisk_);
    if (activity_ & kDiskMotorOn) painter.drawPixmap(x + kIconSize, y, disk_);
    if (rzxState_ == 1) painter.drawPixmap(x + 2 * kIconSize, y, rzxPlayback_);
    if (rzxState_ > 1) painter.drawPixmap(x + 2 * kIconSize, y, rzxRecording_);
}

}  // namespace tarvolinde
