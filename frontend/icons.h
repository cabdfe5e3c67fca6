#pragma once
// The program's small pictures, drawn in code: the tool buttons and the
// activity icons of the status bar.

#include <QIcon>
#include <QPixmap>

namespace tarvolinde::icons {

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
