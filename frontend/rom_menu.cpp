// Where the main window finds ROM files, and the model menu's view of them: a
// model whose ROM file is nowhere to be found is greyed, and its tooltip says
// which file to put where.

#include <QAction>
#include <cstdlib>

#include "frontend/file_io.h"
#include "frontend/tfondo.h"
#include "machine/rom_files.h"

namespace tarvolinde {

std::vector<std::string> TFondo::RomDirectories() const {
    return RomSearchPath(programDir_, std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

void TFondo::ShowMissingRoms() {
    const std::vector<std::string> directories = RomDirectories();
    const QString userFolder = FromUtf8(UserRomDirectory(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")));
    for (int index = 0; index < kModelCount; ++index) {
        QAction* item = modelActions_[size_t(index)];
        const std::optional<std::string> missing = MissingRomOf(index, directories);
        item->setEnabled(!missing);
        item->setToolTip(missing ? tr("Falta el archivo %1: cópielo en %2").arg(FromUtf8(*missing), userFolder)
                                 : QString());
    }
}

}  // namespace tarvolinde
