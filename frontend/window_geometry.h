#pragma once
// The main window and the tape browser open where and as large as the user
// left them, as kept in the "Ventana" section of the settings.

class QDialog;
class QWidget;

namespace tarvolinde {

struct Settings;

// Places the main window as the settings say, when that place still shows on
// one of the screens (a screen may have gone since); otherwise leaves it be.
void RestoreWindowGeometry(QWidget& window, const Settings& settings);
// Keeps the main window's place: its normal one while full screen or maximised.
void KeepWindowGeometry(const QWidget& window, Settings& settings);

// The same for the tape browser's size.
void RestoreBrowserSize(QDialog& browser, const Settings& settings);
void KeepBrowserSize(const QDialog& browser, Settings& settings);

}  // namespace tarvolinde
