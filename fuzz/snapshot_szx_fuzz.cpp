#include "fuzz/snapshot_fuzz_driver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return tarvolinde::fuzz::RunSnapshot(tarvolinde::SnapshotKind::Szx, data, size);
}
