#include "frontend/block_icons.h"

#include "frontend/icons.h"

#include <QPainter>
#include <QPainterPath>

namespace tarvolinde::block_icons {

namespace {

using icons::kOutline;

// A waveform over a coloured tile: the signal blocks differ by colour and shape.
QIcon Signal(const QColor& tile, const std::function<void(QPainterPath&)>& wave) {
    return icons::IconOf([=](QPainter& p) {
        p.setPen(QPen(kOutline, 0.8));
        p.setBrush(tile);
        p.drawRoundedRect(QRectF(1, 2, 14, 12), 2, 2);
        QPainterPath path;
        wave(path);
        p.setPen(QPen(Qt::white, 1.4, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    });
}

// A square wave starting at x = 3 whose half-periods have these widths.
void SquareWave(QPainterPath& path, std::initializer_list<double> widths) {
    double x = 3;
    bool high = true;
    path.moveTo(x, 11);
    path.lineTo(x, 5);
    for (const double w : widths) {
        x += w;
        path.lineTo(x, high ? 5 : 11);
        high = !high;
        path.lineTo(x, high ? 5 : 11);
    }
}

// A bracket with a bar: "[-" opens a group, "-]" closes a group or a loop.
QIcon Bracket(const QColor& colour, bool opening) {
    return icons::IconOf([=](QPainter& p) {
        p.setPen(QPen(kOutline, 0.8));
        p.setBrush(colour);
        p.drawRoundedRect(QRectF(1, 2, 14, 12), 2, 2);
        p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        const double edge = opening ? 4.5 : 11.5;
        const double tip = opening ? 7 : 9;
        QPainterPath path;
        path.moveTo(tip, 4.5);
        path.lineTo(edge, 4.5);
        path.lineTo(edge, 11.5);
        path.lineTo(tip, 11.5);
        p.drawPath(path);
        p.drawLine(QPointF(opening ? 7 : 3.5, 8), QPointF(opening ? 12.5 : 9, 8));
    });
}

}  // namespace

QIcon Block(BlockImage image) {
    switch (image) {
        case BlockImage::RomBlock:
            return Signal(QColor(40, 120, 200), [](QPainterPath& w) { SquareWave(w, {2, 2, 1, 1, 2, 2}); });
        case BlockImage::TurboBlock:
            return Signal(QColor(210, 80, 40), [](QPainterPath& w) { SquareWave(w, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}); });
        case BlockImage::PureTone:
            return Signal(QColor(60, 150, 80), [](QPainterPath& w) { SquareWave(w, {2.5, 2.5, 2.5, 2.5}); });
        case BlockImage::PulseSequence:
            return Signal(QColor(120, 90, 170), [](QPainterPath& w) { SquareWave(w, {1, 3, 2, 1, 3}); });
        case BlockImage::PureData:
            return Signal(QColor(30, 140, 150), [](QPainterPath& w) {
                // A sampled wave: the form of the single block of WAV, CSW and VOC tapes too.
                w.moveTo(3, 8);
                w.cubicTo(5, 2, 6, 2, 8, 8);
                w.cubicTo(10, 14, 11, 14, 13, 8);
            });
        case BlockImage::DirectRecording:
            return Signal(QColor(200, 160, 30), [](QPainterPath& w) {
                const double ys[] = {8, 4, 11, 6, 12, 5, 9, 7, 10, 8, 8};
                w.moveTo(3, ys[0]);
                for (int i = 1; i < 11; ++i) w.lineTo(3 + i, ys[i]);
            });
        case BlockImage::GroupStart:
            return Bracket(QColor(90, 100, 115), true);
        case BlockImage::GroupOrLoop:
            return Bracket(QColor(150, 110, 90), false);
        case BlockImage::Other:
            break;
    }
    return icons::IconOf([](QPainter& p) {
        // An information sheet: text, pauses, jumps and every other control block.
        p.setPen(QPen(kOutline, 0.8));
        p.setBrush(QColor(235, 235, 225));
        p.drawRect(QRectF(3, 1.5, 10, 13));
        p.setPen(QPen(QColor(110, 110, 120), 1));
        for (const double y : {4.5, 7.0, 9.5, 12.0}) p.drawLine(QPointF(5, y), QPointF(11, y));
    });
}

}  // namespace tarvolinde::block_icons
