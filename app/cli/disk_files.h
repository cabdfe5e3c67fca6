#pragma once
// +3 disks on the runner's command line: --disk and --disk-b insert DSK images
// before the first frame, --save-disk writes drive A's disk after the run, and
// --dump-state reports the drive and the motor.

#include <string>
#include <vector>

#include "app/cli/cli_options.h"
#include "machine/sp.h"

namespace tarvolinde::cli {

// Fits the floppy controller into a machine that has a place for one, then
// inserts the images named. Returns 0, or the exit status after a message on stderr.
int InsertDisks(const Options& options, TSp& machine);

// Writes drive A's disk as an EXTENDED DSK image. Returns 0 or the exit status.
int SaveDisk(const std::string& path, TSp& machine);

// "disk_a=inserted|empty" and "disk_motor=0|1"; nothing on a model without a disk drive.
std::vector<std::string> DiskState(const TSp& machine);

}  // namespace tarvolinde::cli
