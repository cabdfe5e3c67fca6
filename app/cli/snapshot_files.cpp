#include "app/cli/snapshot_files.h"

#include <cstdio>
#include <vector>

#include "app/cli/archive_files.h"
#include "app/cli/output_files.h"
#include "frontend/file_filters.h"
#include "snapshots/snapshot.h"

namespace tarvolinde::cli {

bool IsSnapshotFile(const std::string& path) { return SnapshotKindOf(path).has_value(); }

int LoadSnapshotFile(const std::string& path, std::unique_ptr<TSp>& machine, const RomProvider& roms) {
    std::string error;
    const std::optional<LoadableFile> file = ReadForDialog(path, PreviewKind::Snapshot, error);
    if (!file) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const std::optional<SnapshotKind> kind = SnapshotKindOf(file->Name);
    if (!kind) {
        std::fprintf(stderr, "%s: %s\n", file_dialogs::kBadExtension, path.c_str());
        return 2;
    }
    const ModelSelector select = [&](int modelIndex) -> TSp& {
        if (!machine || machine->ModelIndex != modelIndex) machine = CreateMachine(modelIndex, roms);
        return *machine;
    };
    try {
        MakeSnapshot(*kind)->Load(file->Bytes, select);
    } catch (const SnapshotError& error) {
        const std::string message = LoadFailure(PreviewKind::Snapshot, path, error.Problem(), error.what());
        std::fprintf(stderr, "%s\n", message.c_str());
        return 1;
    } catch (const MissingRomError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}

int CheckSnapshotSave(const std::string& path, int modelIndex) {
    const std::optional<SnapshotKind> kind = SnapshotKindOf(path);
    if (!kind) {
        std::fprintf(stderr, "%s: %s\n", file_dialogs::kBadExtension, path.c_str());
        return 2;
    }
    if (!MakeSnapshot(*kind)->CanSave(modelIndex)) {
        std::fprintf(stderr, "%s\n", file_dialogs::kIncompatibleFormat);
        return 1;
    }
    return 0;
}

int SaveSnapshotFile(const std::string& path, TSp& machine) {
    if (const int status = CheckSnapshotSave(path, machine.ModelIndex)) return status;
    const std::vector<uint8_t> bytes = MakeSnapshot(*SnapshotKindOf(path))->Save(machine);
    return WriteOutput(path, bytes);
}

}  // namespace tarvolinde::cli
