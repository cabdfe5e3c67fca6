#pragma once
// The status bar's hint panel shows the hint of the menu item or button under
// the pointer; this tells when the pointer has left the thing that gave it.

class QObject;
class QWidget;

namespace tarvolinde {

// Whether `left` (a widget the pointer has just left) is one of `window`'s
// menus, its menu bar or a button of its tool bar.
bool HintLeftBehind(const QObject* left, const QWidget& window);

}  // namespace tarvolinde
