#include "frontend/run_state.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QPainter>
#include <QWidget>

#include "frontend/icons.h"
#include "frontend/picture_view.h"

namespace tarvolinde {

namespace {

// Two bars: what the button does while the machine runs.
QIcon StopIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(2, 2);
    p.setPen(QPen(QColor(120, 20, 20), 0.8));
    p.setBrush(QColor(210, 50, 45));
    p.drawRoundedRect(QRectF(3.5, 2.5, 3.5, 11), 0.8, 0.8);
    p.drawRoundedRect(QRectF(9, 2.5, 3.5, 11), 0.8, 0.8);
    return QIcon(pixmap);
}

// Keeps what was last shown, to show it again in a newly chosen language.
class RunStateView final : public QObject {
public:
    RunStateView(QWidget& window, PictureView& picture, QAction& play)
        : QObject(&window), window_(window), picture_(picture), play_(play) {
        setObjectName("RunStateView");
        window.installEventFilter(this);
    }

    void Show(bool running) {
        running_ = running;
        window_.setWindowTitle(RunStateTitle(running));
        picture_.SetHint(running ? QString()
                                 : QCoreApplication::translate("TFondo", "Emulación detenida — pulse ▶ o F5"));
        play_.setChecked(running);
        play_.setIcon(running ? StopIcon() : icons::Play());
        play_.setToolTip(running ? QCoreApplication::translate("TFondo", "Detiene la emulación (F5)")
                                 : QCoreApplication::translate("TFondo", "Arranca la emulación (F5)"));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // After the window's own handling, which may set the plain caption again.
        if (watched == &window_ && event->type() == QEvent::LanguageChange)
            QMetaObject::invokeMethod(this, [this] { Show(running_); }, Qt::QueuedConnection);
        return false;
    }

private:
    QWidget& window_;
    PictureView& picture_;
    QAction& play_;
    bool running_ = false;
};

}  // namespace

QString RunStateTitle(bool running) {
    return running ? QStringLiteral("Tarvolinde")
                   : QStringLiteral("Tarvolinde ") + QCoreApplication::translate("TFondo", "— detenido");
}

void ShowRunState(QWidget& window, PictureView& picture, QAction& play, bool running) {
    auto* view = window.findChild<RunStateView*>("RunStateView", Qt::FindDirectChildrenOnly);
    if (!view) view = new RunStateView(window, picture, play);
    view->Show(running);
}

}  // namespace tarvolinde
