#include "frontend/dialog_defaults.h"

#include <QDir>
#include <QFileDialog>
#include <QScreen>

#include "frontend/file_io.h"

namespace tarvolinde {

namespace {

constexpr QSize kDialogSize{960, 600};

}  // namespace

void PrepareFileDialog(QFileDialog& dialog, const std::string& programDir) {
    const QDir start = dialog.directory();
    if (!start.exists() || start.canonicalPath() == QDir(FromUtf8(programDir)).canonicalPath()) dialog.setDirectory(QDir::home());
    QSize size = kDialogSize;
    if (const QScreen* screen = dialog.screen()) size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    dialog.resize(size.expandedTo(dialog.minimumSizeHint()));
}

}  // namespace tarvolinde
