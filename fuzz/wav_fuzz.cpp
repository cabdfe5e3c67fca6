#include "fuzz/tape_fuzz_driver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return tarvolinde::fuzz::RunTape(tarvolinde::TapeKind::Wav, data, size);
}
