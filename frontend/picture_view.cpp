#include "frontend/picture_view.h"

#include <algorithm>
#include <span>

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include "frontend/picture_buffer.h"

namespace tarvolinde {

PictureView::PictureView(const PictureBuffer& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setMinimumSize(kPictureWidth, kPictureHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMouseTracking(true);
}

QRect PictureView::PictureRect() const {
    // The largest 4:3 rectangle that fits, centred.
    int w = std::min(width(), height() * kPictureWidth / kPictureHeight);
    if (!stretch_ && w >= kPictureWidth) w -= w % kPictureWidth;
    const int h = w * kPictureHeight / kPictureWidth;
    return QRect((width() - w) / 2, (height() - h) / 2, w, h);
}

void PictureView::SetStretch(bool stretch) {
    stretch_ = stretch;
    update();
    emit resized();  // the picture's rectangle has changed
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect target = PictureRect();
    const QRegion outside = QRegion(rect()).subtracted(QRegion(target));
    for (const QRect& band : outside) painter.fillRect(band, Qt::black);

    // Whole multiples stay sharp; other sizes are smoothed so that pixels do not
    // come out in two different widths.
    const bool wholeMultiple = target.width() % kPictureWidth == 0;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !wholeMultiple);
    picture_.ReadFront([&](std::span<const uint32_t> pixels) {
        const QImage image(reinterpret_cast<const uchar*>(pixels.data()), kPictureWidth, kPictureHeight,
                           PictureBuffer::kPitch, QImage::Format_RGB32);
        painter.drawImage(target, image);
    });
    if (!hint_.isEmpty()) PaintHint(painter, target);
}

void PictureView::SetHint(const QString& hint) {
    if (hint == hint_) return;
    hint_ = hint;
    update();
}

void PictureView::PaintHint(QPainter& painter, const QRect& target) const {
    // Sized to the picture, so that it reads the same at every window size.
    QFont font = painter.font();
    font.setPixelSize(std::max(10, target.height() / 22));
    font.setBold(true);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const int margin = metrics.height() / 2;
    QRect box = metrics.boundingRect(hint_).adjusted(-margin, -margin / 2, margin, margin / 2);
    box.moveCenter(target.center());
    painter.setRenderHint(QPainter::Antialiasing);
    // Outlined, so that it shows on a black picture too.
    painter.setPen(QPen(QColor(200, 200, 200), 1));
    painter.setBrush(QColor(0, 0, 0, 190));
    painter.drawRoundedRect(box, margin / 2, margin / 2);
    painter.setPen(Qt::white);
    painter.drawText(box, Qt::AlignCenter, hint_);
}

void PictureView::ReportPointer(const QMouseEvent& event) {
    const QPoint position = event.position().toPoint();
    emit pointerChanged(position - PictureRect().topLeft(), event.globalPosition().toPoint(),
                        event.buttons().testFlag(Qt::LeftButton));
}

void PictureView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) emit rightButtonPressed();
    ReportPointer(*event);
}

void PictureView::mouseReleaseEvent(QMouseEvent* event) { ReportPointer(*event); }

void PictureView::mouseMoveEvent(QMouseEvent* event) { ReportPointer(*event); }

void PictureView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit resized();
}

}  // namespace tarvolinde
