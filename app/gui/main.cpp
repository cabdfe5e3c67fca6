// The desktop program: the main window over the machine, with the ROM files
// and the settings file beside the executable.

#include <QApplication>
#include <QStringList>
#include <cstdio>
#include <exception>

#include "frontend/tfondo.h"
#include "machine/rom_files.h"

namespace {

int Run(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Tarvolinde");
    tarvolinde::TFondo window(tarvolinde::ExecutableDirectory());
    // All the arguments are one path, so that a path with blanks needs no quotes.
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    if (!arguments.isEmpty()) window.SetCommandLineFile(arguments.join(' ').toStdString());
    window.show();
    return QApplication::exec();
}

}  // namespace

int main(int argc, char* argv[]) {
    // The commands turn bad files into messages; this is for what nobody foresaw.
    try {
        return Run(argc, argv);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "tarvolinde: %s\n", failure.what());
    } catch (...) {
        std::fprintf(stderr, "tarvolinde: unexpected failure\n");
    }
    return 1;
}
