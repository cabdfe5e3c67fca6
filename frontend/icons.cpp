#include "frontend/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace tarvolinde::icons {

namespace {

// Every picture is drawn on a 16 x 16 grid and scaled to the size asked for.
QPixmap Draw(int size, const std::function<void(QPainter&)>& paint) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    paint(painter);
    return pixmap;
}

}  // namespace

QIcon IconOf(const std::function<void(QPainter&)>& paint) {
    QIcon icon;
    for (const int size : {16, 24, 32}) icon.addPixmap(Draw(size, paint));
    return icon;
}

namespace {

void PaintCassette(QPainter& p) {
    p.setPen(QPen(kOutline, 0.8));
    p.setBrush(QColor(70, 70, 82));
    p.drawRoundedRect(QRectF(1, 3.5, 14, 9.5), 1.2, 1.2);
    p.setBrush(QColor(236, 200, 90));
    p.drawRect(QRectF(2.5, 5, 11, 4.5));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(5.5, 7.25), 1.5, 1.5);
    p.drawEllipse(QPointF(10.5, 7.25), 1.5, 1.5);
    p.setBrush(QColor(110, 110, 124));
    p.drawRect(QRectF(4.5, 10.5, 7, 2.5));
}

void PaintFloppy(QPainter& p) {
    p.setPen(QPen(kOutline, 0.8));
    p.setBrush(QColor(50, 90, 170));
    QPainterPath body;
    body.moveTo(1.5, 1.5);
    body.lineTo(12.5, 1.5);
    body.lineTo(14.5, 3.5);
    body.lineTo(14.5, 14.5);
    body.lineTo(1.5, 14.5);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(QColor(200, 205, 215));
    p.drawRect(QRectF(4, 1.5, 7, 4.5));
    p.setBrush(QColor(50, 90, 170));
    p.drawRect(QRectF(8.5, 2.3, 1.6, 3));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 8.5, 9, 6));
}

}  // namespace

QIcon Snapshot() {
    return IconOf([](QPainter& p) {
        // A camera: the snapshot holds the whole machine at one moment.
        p.setPen(QPen(kOutline, 0.8));
        p.setBrush(QColor(90, 90, 100));
        p.drawRoundedRect(QRectF(1, 4.5, 14, 9.5), 1.5, 1.5);
        p.drawRect(QRectF(5, 2.5, 5, 2.5));
        p.setBrush(QColor(120, 190, 240));
        p.drawEllipse(QPointF(8, 9.25), 3.2, 3.2);
        p.setBrush(QColor(30, 60, 110));
        p.drawEllipse(QPointF(8, 9.25), 1.5, 1.5);
        p.setBrush(QColor(240, 90, 60));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(12.5, 6.5), 0.8, 0.8);
    });
}

QIcon Tape() { return IconOf(PaintCassette); }

QIcon Disk() { return IconOf(PaintFloppy); }

QIcon Play() {
    return IconOf([](QPainter& p) {
        p.setPen(QPen(QColor(20, 100, 30), 0.8));
        p.setBrush(QColor(60, 180, 75));
        const QPointF triangle[] = {{4, 2}, {14, 8}, {4, 14}};
        p.drawPolygon(triangle, 3);
    });
}

QIcon FullScreen() {
    return IconOf([](QPainter& p) {
        p.setPen(QPen(kOutline, 0.8));
        p.setBrush(QColor(60, 60, 70));
        p.drawRoundedRect(QRectF(1, 2, 14, 10), 1, 1);
        p.setBrush(QColor(120, 190, 240));
        p.drawRect(QRectF(2.5, 3.5, 11, 7));
        p.setBrush(QColor(60, 60, 70));
        p.drawRect(QRectF(6, 12, 4, 1.5));
        p.drawRect(QRectF(4, 13.5, 8, 1.2));
        // Arrows out to the corners.
        p.setPen(QPen(Qt::white, 1.1));
        p.drawLine(QPointF(4, 5), QPointF(6.3, 7));
        p.drawLine(QPointF(4, 5), QPointF(5.8, 5));
        p.drawLine(QPointF(4, 5), QPointF(4, 6.6));
        p.drawLine(QPointF(12, 9), QPointF(9.7, 7));
        p.drawLine(QPointF(12, 9), QPointF(10.2, 9));
        p.drawLine(QPointF(12, 9), QPointF(12, 7.4));
    });
}

QPixmap TapeActivity() { return Draw(16, PaintCassette); }

QPixmap DiskActivity() { return Draw(16, PaintFloppy); }

QPixmap HardDiskActivity() {
    return Draw(16, [](QPainter& p) {
        p.setPen(QPen(kOutline, 0.8));
        p.setBrush(QColor(150, 150, 160));
        p.drawRoundedRect(QRectF(1, 4, 14, 8), 1.2, 1.2);
        p.setBrush(QColor(90, 90, 100));
        p.drawRect(QRectF(2.5, 9, 8, 1.5));
        p.setBrush(QColor(60, 220, 60));
        p.drawEllipse(QPointF(12.5, 9.75), 1, 1);
    });
}

QPixmap RzxPlayback() {
    return Draw(16, [](QPainter& p) {
        p.setPen(QPen(QColor(20, 100, 30), 0.8));
        p.setBrush(QColor(60, 180, 75));
        const QPointF triangle[] = {{4, 3}, {13, 8}, {4, 13}};
        p.drawPolygon(triangle, 3);
    });
}

QPixmap RzxRecording() {
    return Draw(16, [](QPainter& p) {
        p.setPen(QPen(QColor(120, 20, 20), 0.8));
        p.setBrush(QColor(220, 40, 40));
        p.drawEllipse(QPointF(8, 8), 5, 5);
    });
}

}  // namespace tarvolinde::icons
