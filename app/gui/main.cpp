// The desktop program: the main window over the machine, with the ROM files
// and the settings file beside the executable.

#include <QApplication>

#include "app/common/rom_files.h"
#include "frontend/tfondo.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Tarvolinde");
    tarvolinde::TFondo window(tarvolinde::ExecutableDirectory());
    window.show();
    return QApplication::exec();
}
