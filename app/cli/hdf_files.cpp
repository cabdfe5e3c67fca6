#include "app/cli/hdf_files.h"

#include <cstdio>

#include "storage/thd.h"

namespace tarvolinde::cli {

int OpenHardDisk(const std::string& path, int modelIndex, std::unique_ptr<IdePorts>& disk) {
    if (path.empty()) return 0;
    if (!Models[modelIndex].HasIde) {
        std::fprintf(stderr, "%s has no IDE interface for %s\n", std::string(Models[modelIndex].Caption).c_str(), path.c_str());
        return 2;
    }
    THD::OpenError error = THD::OpenError::None;
    disk = THD::Open(path, &error);
    if (disk) return 0;
    std::fprintf(stderr, error == THD::OpenError::CannotOpen ? "cannot open %s for reading and writing\n"
                                                             : "%s is not an HDF hard-disk image\n",
                 path.c_str());
    return 1;
}

MachineDevices HardDiskDevices(std::unique_ptr<IdePorts>& disk) {
    MachineDevices devices;
    if (disk) devices.MakeIde = [&disk] { return std::move(disk); };
    return devices;
}

}  // namespace tarvolinde::cli
