#include "machine/machine_factory.h"

#include "machine/sp128.h"
#include "machine/sp48.h"
#include "machine/sp_ams.h"
#include "machine/sp_inves.h"
#include "machine/sp_penta.h"
#include "machine/sp_scorp.h"

namespace tarvolinde {

namespace {

constexpr size_t kRomFileLimit = kRomPages * kPageSize;

std::vector<uint8_t> ReadRom(const RomProvider& roms, std::string_view fileName, size_t limit) {
    std::optional<std::vector<uint8_t>> bytes = roms ? roms(fileName) : std::nullopt;
    if (!bytes) throw MissingRomError(std::string(fileName));
    if (bytes->size() > limit) bytes->resize(limit);
    return std::move(*bytes);
}

std::unique_ptr<TSp> Construct(MachineFamily family, MachineSetup&& setup) {
    switch (family) {
    case MachineFamily::Sp48: return std::make_unique<TSp48>(std::move(setup));
    case MachineFamily::Inves: return std::make_unique<TSpInves>(std::move(setup));
    case MachineFamily::Sp128: return std::make_unique<TSp128>(std::move(setup));
    case MachineFamily::Ams: return std::make_unique<TSp_Ams>(std::move(setup));
    case MachineFamily::Penta: return std::make_unique<TSp_Penta>(std::move(setup));
    case MachineFamily::Scorp: return std::make_unique<TSp_Scorp>(std::move(setup));
    }
    return nullptr;
}

}  // namespace

MissingRomError::MissingRomError(std::string fileName, const std::string& detail)
    : std::runtime_error("No existe la ROM \"" + fileName + "\"" + detail), fileName_(std::move(fileName)) {}

std::unique_ptr<TSp> CreateMachine(int modelIndex, const RomProvider& roms, const MachineOptions& options,
                                   const MachineDevices& devices) {
    if (modelIndex < 0 || modelIndex >= kModelCount) throw std::out_of_range("no such machine model");
    const ModelInfo& model = Models[modelIndex];

    // Both files are read before anything is built, so a missing one changes nothing.
    const std::vector<uint8_t> rom = ReadRom(roms, model.RomFile, kRomFileLimit);
    std::vector<uint8_t> trdos;
    if (!model.TrdosRomFile.empty()) trdos = ReadRom(roms, model.TrdosRomFile, kPageSize);

    MachineSetup setup{.ModelIndex = modelIndex, .Options = options, .Rom = rom, .TrdosRom = trdos};
    if (model.HasFloppy)
        setup.Floppy = devices.MakeFloppy ? devices.MakeFloppy() : std::make_unique<NullFloppyPorts>();
    if (model.HasIde && devices.MakeIde) setup.Ide = devices.MakeIde();
    return Construct(model.Family, std::move(setup));
}

ModelSwitchResult SwitchModel(int modelIndex, const RomProvider& roms, const MachineOptions& options,
                              const MachineDevices& devices) {
    ModelSwitchResult result;
    try {
        result.Machine = CreateMachine(modelIndex, roms, options, devices);
        return result;
    } catch (const MissingRomError& error) {
        result.Errors.push_back(error);
    }
    if (modelIndex == kModel48K) return result;
    try {
        result.Machine = CreateMachine(kModel48K, roms, options, devices);
    } catch (const MissingRomError& error) {
        result.Errors.push_back(error);
    }
    return result;
}

}  // namespace tarvolinde
