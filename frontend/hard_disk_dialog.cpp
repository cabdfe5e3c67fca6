// The main window's hard disk: the image of the settings on the +3e models.

#include "frontend/hard_disk_dialog.h"

#include "frontend/tfondo.h"
#include "machine/sp.h"
#include "storage/thd.h"

namespace tarvolinde {

std::unique_ptr<IdePorts> OpenHardDiskImage(const std::string& path) {
    if (path.empty()) return nullptr;
    return THD::Open(path);
}

MachineDevices TFondo::HardDiskDevices() const {
    MachineDevices devices;
    devices.MakeIde = [path = settings_.HardDiskImage] { return OpenHardDiskImage(path); };
    return devices;
}

bool TFondo::AttachHardDisk(const std::string& path) {
    std::unique_ptr<THD> disk = THD::Open(path);
    if (!disk) {
        ShowError(tr("El archivo no es un disco duro HDF"));
        return false;
    }
    settings_.HardDiskImage = path;
    ReplaceHardDisk(std::move(disk));
    return true;
}

void TFondo::ReplaceHardDisk(std::unique_ptr<IdePorts> disk) {
    if (!machine_ || !machine_->Model().HasIde) return;
    const CommandPause pause(*this);
    machine_->Ide = std::move(disk);
    machine_->Reset();
}

}  // namespace tarvolinde
