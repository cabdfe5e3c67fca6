#pragma once
// The picture beside the file list of the open dialogs: the screen a snapshot
// or a tape would show, with a short description, before the user commits to it.

#include <QImage>
#include <QString>
#include <QWidget>

class QFileDialog;
class QLabel;

namespace tarvolinde {

enum class PreviewKind { Snapshot, Tape, Rzx };

// The panel beside an open dialog's file list: a 256x192 picture and a caption.
class FilePreviewPanel : public QWidget {
    Q_OBJECT
public:
    explicit FilePreviewPanel(PreviewKind kind, QWidget* parent = nullptr);
    // Shows the preview of this file (empty path or a directory: the "Imagen no disponible" picture, no caption).
    void ShowFile(const QString& path);
    QString Caption() const;            // for tests
    const QImage& Picture() const;      // 256x192, for tests

protected:
    void changeEvent(QEvent* event) override;

private:
    void ShowUnavailable();
    void Refresh();

    PreviewKind kind_;
    QString path_;
    QImage picture_;
    QString caption_;
    QLabel* pictureLabel_;
    QLabel* captionLabel_;
};

// Adds the panel to a non-native QFileDialog (it sets QFileDialog::DontUseNativeDialog) and connects
// currentChanged to ShowFile. Returns the panel (owned by the dialog).
FilePreviewPanel* AttachPreviewPanel(QFileDialog& dialog, PreviewKind kind);

}  // namespace tarvolinde
