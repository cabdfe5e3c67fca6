#pragma once
// The emulator's own commands on the PC's function keys, which the Spectrum
// does not have: F1 help, F2 save snapshot, F3 open snapshot, F5 start/stop,
// F7 insert tape, F8 play/stop tape, F9 reset, F10 menu bar, F11 full screen,
// F12 screenshot.

#include <Qt>

class QMainWindow;

namespace tarvolinde {

// Gives the window's commands their keys (shown beside them in the menus) and
// makes them work wherever the focus is inside the window, the menu bar
// hidden or not.
void AssignFunctionKeys(QMainWindow& window);

// The function keys are commands: none of them ever reaches the Spectrum.
constexpr bool IsFunctionKey(int qtKey) { return qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F35; }

}  // namespace tarvolinde
