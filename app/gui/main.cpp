// The desktop program: the main window over the machine, with the ROM files
// and the settings file beside the executable.

#include <QApplication>
#include <QStringList>
#include <cstdio>
#include <cstring>
#include <exception>

#include "app/version.h"
#include "frontend/tfondo.h"
#include "machine/rom_files.h"

namespace {

int Run(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Tarvolinde");
    QApplication::setApplicationVersion(tarvolinde::kVersion);
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
    // Answered before QApplication exists, so that it needs no display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("tarvolinde %s\n", tarvolinde::kVersion);
        return 0;
    }
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
