#include "frontend/preview_panel.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "machine/video/screen_tables.h"
#include "frontend/file_io.h"
#include "snapshots/rzx.h"
#include "snapshots/snapshot.h"
#include "tape/preview.h"
#include "tape/tape_factory.h"

namespace tarvolinde {

namespace {

// Larger than any tape or snapshot worth previewing; the dialog must not stall
// reading whatever huge file the user passes over.
constexpr qint64 kMaxPreviewFileBytes = 16 * 1024 * 1024;

std::optional<std::vector<uint8_t>> ReadBounded(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxPreviewFileBytes) return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    // The size may have changed since it was asked for: never read past the limit.
    const QByteArray data = file.read(kMaxPreviewFileBytes + 1);
    if (data.size() > kMaxPreviewFileBytes) return std::nullopt;
    return std::vector<uint8_t>(data.begin(), data.end());
}

// The screen and description a file carries, or nothing when its kind has no
// class here or the file cannot be read or understood.
std::optional<std::string> PreviewOf(PreviewKind kind, const QString& path, PreviewScreen& screen,
                                     PreviewBitmap& bitmap) {
    const std::string name = QFileInfo(path).fileName().toStdString();
    if (kind == PreviewKind::Tape) {
        const auto tapeKind = TapeKindOf(name);
        if (!tapeKind) return std::nullopt;
        auto bytes = ReadBounded(path);
        if (!bytes) return std::nullopt;
        const auto tape = CreateTape(*tapeKind, std::move(*bytes));
        return tape->Preview(screen, bitmap);
    }
    if (kind == PreviewKind::Rzx) {
        // The blocks are checked, but nothing is loaded into any machine.
        auto bytes = ExtensionKind(name) == "RZX" ? ReadBounded(path) : std::nullopt;
        if (!bytes) return std::nullopt;
        TRZX::Open(std::move(*bytes));
        const SnapshotPreview preview = TRZX::Preview();
        std::copy(preview.Screen.begin(), preview.Screen.end(), screen.begin());
        RenderPreview(screen, bitmap);
        return preview.Description;
    }
    const auto snapshotKind = SnapshotKindOf(name);
    if (!snapshotKind) return std::nullopt;
    const auto bytes = ReadBounded(path);
    if (!bytes) return std::nullopt;
    const SnapshotPreview preview = MakeSnapshot(*snapshotKind)->Preview(*bytes);
    std::copy(preview.Screen.begin(), preview.Screen.end(), screen.begin());
    RenderPreview(screen, bitmap);
    return preview.Description;
}

}  // namespace

FilePreviewPanel::FilePreviewPanel(PreviewKind kind, QWidget* parent)
    : QWidget(parent),
      kind_(kind),
      picture_(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32),
      pictureLabel_(new QLabel(this)),
      captionLabel_(new QLabel(this)) {
    pictureLabel_->setFixedSize(kPreviewWidth, kPreviewHeight);
    captionLabel_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    captionLabel_->setWordWrap(true);
    captionLabel_->setFixedWidth(kPreviewWidth);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pictureLabel_);
    layout->addWidget(captionLabel_);
    layout->addStretch();
    ShowFile(QString());
}

void FilePreviewPanel::ShowFile(const QString& path) {
    path_ = path;
    PreviewScreen screen{};
    PreviewBitmap bitmap{};
    std::optional<std::string> description;
    if (!path.isEmpty()) {
        try {
            description = PreviewOf(kind_, path, screen, bitmap);
        } catch (const std::exception&) {
            // Any file may pass under the cursor: a damaged one just has no picture.
        }
    }
    if (!description) {
        ShowUnavailable();
        return;
    }
    for (int y = 0; y < kPreviewHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture_.scanLine(y));
        for (int x = 0; x < kPreviewWidth; ++x) line[x] = 0xFF000000u | Palette32[bitmap[y * kPreviewWidth + x] & 15];
    }
    caption_ = description->empty()
                   ? QString()
                   : QString("(%1, %2)").arg(QFileInfo(path).fileName(), QString::fromStdString(*description));
    Refresh();
}

void FilePreviewPanel::ShowUnavailable() {
    picture_.fill(QColor::fromRgb(Palette32[0]));
    QPainter painter(&picture_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::red, 10));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRect(QPoint(42, 10), QPoint(213, 181)));
    QFont font("Arial");
    font.setPointSize(10);
    painter.setFont(font);
    painter.setPen(Qt::green);
    painter.drawText(picture_.rect(), Qt::AlignCenter, tr("Imagen no disponible"));
    painter.end();
    caption_.clear();
    Refresh();
}

void FilePreviewPanel::Refresh() {
    pictureLabel_->setPixmap(QPixmap::fromImage(picture_));
    captionLabel_->setText(caption_);
}

void FilePreviewPanel::changeEvent(QEvent* event) {
    // The "no picture" text is drawn into the image: draw it again in the new language.
    if (event->type() == QEvent::LanguageChange) ShowFile(path_);
    QWidget::changeEvent(event);
}

QString FilePreviewPanel::Caption() const { return caption_; }

const QImage& FilePreviewPanel::Picture() const { return picture_; }

FilePreviewPanel* AttachPreviewPanel(QFileDialog& dialog, PreviewKind kind) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* panel = new FilePreviewPanel(kind, &dialog);
    // The non-native dialog lays itself out on a grid: the panel takes a column of its own.
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addWidget(panel, 0, grid->columnCount(), grid->rowCount(), 1);
    QObject::connect(&dialog, &QFileDialog::currentChanged, panel, &FilePreviewPanel::ShowFile);
    return panel;
}

}  // namespace tarvolinde
