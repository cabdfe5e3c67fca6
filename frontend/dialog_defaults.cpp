#include "frontend/dialog_defaults.h"

#include <QDir>
#include <QFileDialog>
#include <QScreen>

#include "frontend/file_io.h"

namespace tarvolinde {

namespace {

constexpr QSize kDialogSize{960, 600};

}  // namespace

QString StartDirectory(const std::string& lastDir, const std::string& programDir) {
    const QDir start(FromUtf8(lastDir));
    const bool remembered =
        !lastDir.empty() && start.exists() && start.canonicalPath() != QDir(FromUtf8(programDir)).canonicalPath();
    return remembered ? start.absolutePath() : QDir::homePath();
}

void PrepareFileDialog(QFileDialog& dialog, const std::string& programDir) {
    dialog.setDirectory(StartDirectory(ToUtf8(dialog.directory().absolutePath()), programDir));
    QSize size = kDialogSize;
    if (const QScreen* screen = dialog.screen()) size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    dialog.resize(size.expandedTo(dialog.minimumSizeHint()));
}

}  // namespace tarvolinde
