#include "frontend/run_state.h"

#include <QAction>
#include <QCoreApplication>
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

}  // namespace

QString RunStateTitle(bool running) {
    return running ? QStringLiteral("Tarvolinde")
                   : QStringLiteral("Tarvolinde ") + QCoreApplication::translate("TFondo", "— detenido");
}

void ShowRunState(QWidget& window, PictureView& picture, QAction& play, bool running) {
    window.setWindowTitle(RunStateTitle(running));
    picture.SetHint(running ? QString() : QCoreApplication::translate("TFondo", "Emulación detenida — pulse ▶ o F5"));
    play.setChecked(running);
    play.setIcon(running ? StopIcon() : icons::Play());
    play.setToolTip(running ? QCoreApplication::translate("TFondo", "Detiene la emulación (F5)")
                            : QCoreApplication::translate("TFondo", "Arranca la emulación (F5)"));
}

}  // namespace tarvolinde
