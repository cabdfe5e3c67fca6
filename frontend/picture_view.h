#pragma once
// The emulator's picture in the window: the front picture of the buffer, scaled
// to the widget with its 4:3 shape kept, on black.

#include <QString>
#include <QWidget>

class QPainter;

namespace tarvolinde {

class PictureBuffer;

class PictureView : public QWidget {
    Q_OBJECT
public:
    PictureView(const PictureBuffer& picture, QWidget* parent = nullptr);

    // Where the 320 x 240 picture lies in the widget.
    QRect PictureRect() const;
    // "Estirar la imagen": off, the picture grows by whole multiples only.
    void SetStretch(bool stretch);

    // A line shown centred over the picture (none when empty).
    void SetHint(const QString& hint);
    const QString& Hint() const { return hint_; }

signals:
    void rightButtonPressed();
    // The mouse moved or a button changed over the widget: the position relative
    // to the picture's top left corner, the position on the desktop, and whether
    // the left button is held.
    void pointerChanged(QPoint inPicture, QPoint onDesktop, bool leftButton);
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ReportPointer(const QMouseEvent& event);

    void PaintHint(QPainter& painter, const QRect& target) const;

    const PictureBuffer& picture_;
    QString hint_;
    bool stretch_ = true;
};

}  // namespace tarvolinde
