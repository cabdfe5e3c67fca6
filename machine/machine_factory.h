#pragma once
// The model switch: builds the machine of a model from its ROM files. The
// library reads no files: the caller hands in a RomProvider that returns the
// bytes of a ROM file by name (the front end looks beside the executable).

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "machine/disk_ports.h"
#include "machine/sp.h"

namespace tarvolinde {

// The bytes of the named ROM file, or nothing when there is no such file. It
// may instead throw MissingRomError with a fuller message of its own.
using RomProvider = std::function<std::optional<std::vector<uint8_t>>(std::string_view fileName)>;

// A model's ROM file does not exist. what() is the message the user is shown.
class MissingRomError : public std::runtime_error {
public:
    // detail: what follows the file's name in the message (where it was looked for).
    explicit MissingRomError(std::string fileName, const std::string& detail = {});
    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
};

// Builders of the storage devices a model may have. Without a floppy builder the
// +3 models get a controller with no drive; the IDE builder may return null (no
// hard-disk image chosen), and without one no IDE interface is fitted.
struct MachineDevices {
    std::function<std::unique_ptr<FloppyPorts>()> MakeFloppy;
    std::function<std::unique_ptr<IdePorts>()> MakeIde;
};

// Builds and resets the machine of model modelIndex (0-17).
// Throws MissingRomError when a ROM file is absent, std::out_of_range for a bad index.
std::unique_ptr<TSp> CreateMachine(int modelIndex, const RomProvider& roms, const MachineOptions& options = {},
                                   const MachineDevices& devices = {});

struct ModelSwitchResult {
    // The new machine, or null when none could be built: the previous one stays.
    std::unique_ptr<TSp> Machine;
    // The ROM files found missing, in the order their messages are shown.
    std::vector<MissingRomError> Errors;
};

// The model switch: the requested model, or the 48K model when one of its ROM
// files is missing (unless the 48K model was the one requested).
ModelSwitchResult SwitchModel(int modelIndex, const RomProvider& roms, const MachineOptions& options = {},
                              const MachineDevices& devices = {});

}  // namespace tarvolinde
