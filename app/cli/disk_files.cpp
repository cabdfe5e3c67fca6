#include "app/cli/disk_files.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "app/cli/output_files.h"
#include "frontend/file_filters.h"
#include "platform/file_reader.h"
#include "storage/archivo_dsk.h"
#include "storage/fdc3.h"

namespace tarvolinde::cli {

namespace {

// The front end's messages, so that scripts see what a user would.
constexpr const char* kDiskError = "Error en el disco";

// The extension rule: the last three characters of the name, in any case.
bool IsDskFile(const std::string& path) { return EndsWithNoCase(path, "dsk"); }

int InsertDisk(const std::string& path, TUnidad& drive) {
    if (!IsDskFile(path)) {
        std::fprintf(stderr, "%s: %s\n", file_dialogs::kBadExtension, path.c_str());
        return 2;
    }
    const FileContents file = ReadFileOfKind(path, FileKind::Disk);
    if (!file) {
        std::fprintf(stderr, "%s: %s\n", kDiskError, DescribeProblem(path, file.Problem).c_str());
        return 1;
    }
    try {
        TArchivoDSK(drive).Cargar(*file.Bytes, false);
    } catch (const DiskFormatError& error) {
        std::fprintf(stderr, "%s: %s (%s)\n", kDiskError, DescribeProblem(path, FileProblem::Damaged).c_str(),
                     error.what());
        return 1;
    }
    return 0;
}

}  // namespace

int InsertDisks(const Options& options, TSp& machine) {
    // A machine built by a snapshot load has a stand-in where the controller goes.
    if (machine.Floppy && !FloppyOf(machine)) {
        const bool motor = machine.Floppy->MotorOn();
        machine.Floppy = std::make_unique<TFDC_3>();
        machine.Floppy->SetMotor(motor);
    }
    TFDC_3* controller = FloppyOf(machine);
    if (!controller && (!options.diskA.empty() || !options.diskB.empty() || !options.saveDisk.empty())) {
        std::fprintf(stderr, "this model has no disk drive: disks need a +3 or +3e model\n");
        return 2;
    }
    if (!options.diskA.empty())
        if (const int status = InsertDisk(options.diskA, controller->Drives[0])) return status;
    if (!options.diskB.empty())
        if (const int status = InsertDisk(options.diskB, controller->Drives[1])) return status;
    return 0;
}

int SaveDisk(const std::string& path, TSp& machine) {
    TFDC_3* controller = FloppyOf(machine);
    if (!controller || !controller->Drives[0].Present) {
        std::fprintf(stderr, "no disk in drive A to save\n");
        return 1;
    }
    if (!IsDskFile(path)) {
        std::fprintf(stderr, "%s: %s\n", file_dialogs::kBadExtension, path.c_str());
        return 2;
    }
    std::vector<uint8_t> bytes;
    try {
        bytes = TArchivoDSK(controller->Drives[0]).Grabar();
    } catch (const DiskFormatError& error) {
        std::fprintf(stderr, "%s: %s\n", kDiskError, error.what());
        return 1;
    }
    return WriteOutput(path, bytes);
}

std::vector<std::string> DiskState(const TSp& machine) {
    if (!machine.Floppy) return {};
    const TFDC_3* controller = FloppyOf(machine);
    const bool inserted = controller && controller->Drives[0].Present;
    const bool motor = machine.Floppy->MotorOn();
    return {std::string("disk_a=") + (inserted ? "inserted" : "empty"),
            std::string("disk_motor=") + (motor ? "1" : "0")};
}

}  // namespace tarvolinde::cli
