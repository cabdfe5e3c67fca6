#pragma once
// The hard-disk image of --hdf: opened and checked before any machine is built,
// then fitted to the +3e's IDE channel when the machine is.

#include <memory>
#include <string>

#include "machine/machine_factory.h"

namespace tarvolinde::cli {

// Opens the image for the model; returns 0, or the exit status after a message
// on stderr (no such file, not an HDF image, a model without IDE).
int OpenHardDisk(const std::string& path, int modelIndex, std::unique_ptr<IdePorts>& disk);

// Devices that fit `disk` (taken when the machine is built) to the master channel.
MachineDevices HardDiskDevices(std::unique_ptr<IdePorts>& disk);

}  // namespace tarvolinde::cli
