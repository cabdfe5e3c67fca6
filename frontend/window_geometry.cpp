#include "frontend/window_geometry.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "frontend/settings.h"

namespace tarvolinde {

namespace {

// A title bar's worth of the window must show for the user to reach it.
constexpr int kMinimumVisible = 48;

bool OnSomeScreen(const QRect& place) {
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect shown = screen->availableGeometry().intersected(place);
        if (shown.width() >= kMinimumVisible && shown.height() >= kMinimumVisible) return true;
    }
    return false;
}

}  // namespace

void RestoreWindowGeometry(QWidget& window, const Settings& settings) {
    if (settings.WindowWidth > 0 && settings.WindowHeight > 0) {
        const QRect place(settings.WindowLeft, settings.WindowTop, settings.WindowWidth, settings.WindowHeight);
        if (OnSomeScreen(place)) window.setGeometry(place);
    }
    if (settings.WindowMaximized) window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void KeepWindowGeometry(const QWidget& window, Settings& settings) {
    const bool normal = !(window.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
    const QRect place = normal ? window.geometry() : window.normalGeometry();
    if (place.isValid()) {
        settings.WindowLeft = place.x(), settings.WindowTop = place.y();
        settings.WindowWidth = place.width(), settings.WindowHeight = place.height();
    }
    settings.WindowMaximized = window.windowState().testFlag(Qt::WindowMaximized);
}

void RestoreBrowserSize(QDialog& browser, const Settings& settings) {
    if (settings.BrowserWidth > 0 && settings.BrowserHeight > 0)
        browser.resize(QSize(settings.BrowserWidth, settings.BrowserHeight).expandedTo(browser.minimumSizeHint()));
}

void KeepBrowserSize(const QDialog& browser, Settings& settings) {
    settings.BrowserWidth = browser.width();
    settings.BrowserHeight = browser.height();
}

}  // namespace tarvolinde
