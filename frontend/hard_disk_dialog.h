#pragma once
// The hard disk of the +3e models: the opening of the image the settings name
// ("IDE8") when a +3e machine is built. The image is chosen and new images are
// created on the "Disco duro" page of the options dialog.

#include <memory>
#include <string>

#include "machine/disk_ports.h"

namespace tarvolinde {

// The hard disk on the image at `path`, or null when the path is empty or names
// no readable and writable HDF image.
std::unique_ptr<IdePorts> OpenHardDiskImage(const std::string& path);

}  // namespace tarvolinde
