#pragma once
// The program's small pictures, drawn in code: the tool buttons and the
// activity icons of the status bar.

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <functional>

class QPainter;

namespace tarvolinde::icons {

// An icon painted on a 16 x 16 grid, rendered at 16, 24 and 32 pixels.
QIcon IconOf(const std::function<void(QPainter&)>& paint);
// The stroke colour every picture shares.
inline const QColor kOutline(40, 40, 48);

QIcon Snapshot();     // load a snapshot
QIcon Tape();         // insert a tape
QIcon Disk();         // insert a disk
QIcon Play();         // start and stop emulation
QIcon FullScreen();   // window / full screen

// Status bar activity, 16 x 16 pixels.
QPixmap TapeActivity();
QPixmap DiskActivity();
QPixmap HardDiskActivity();
QPixmap RzxPlayback();
QPixmap RzxRecording();

}  // namespace tarvolinde::icons
