// The DSK reader over arbitrary bytes; every image it accepts is then put in a
// drive and worked by the floppy controller (seek, read ID, read data, read
// track, scan, write, format), saved, and the saved image read back.

#include <cstdint>
#include <initializer_list>
#include <span>

#include "storage/archivo_dsk.h"
#include "storage/fdc3.h"

namespace {

using tarvolinde::TFDC_3;

// Sends a command; moves up to `transfer` bytes of its execution phase
// (reading, or writing `fill`); reads its result.
void Run(TFDC_3& fdc, std::initializer_list<uint8_t> command, uint32_t transfer, uint8_t fill = 0xE5) {
    for (const uint8_t byte : command) fdc.WriteData(byte);
    for (uint32_t i = 0; i < transfer && (fdc.ReadStatus() & 0x20); ++i) {
        if (fill) fdc.WriteData(fill); else fdc.ReadData();
    }
    for (int i = 0; i < 8 && (fdc.ReadStatus() & 0x40); ++i) fdc.ReadData();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TFDC_3 fdc;
    tarvolinde::TUnidad& drive = fdc.Drives[0];
    try {
        tarvolinde::TArchivoDSK(drive).Cargar(std::span<const uint8_t>(data, size), false);
    } catch (const tarvolinde::DiskFormatError&) {
        return 0;
    }
    fdc.SetMotor(true);
    const uint8_t seed = size ? data[size - 1] : 0;
    for (uint32_t cylinder = 0; cylinder < drive.Tracks && cylinder < 2; ++cylinder) {
        for (uint8_t head = 0; head < 2; ++head) {
            const uint8_t unit = uint8_t(head << 2);
            Run(fdc, {0x0F, unit, uint8_t(cylinder)}, 0);
            Run(fdc, {0x08}, 0);
            for (int i = 0; i < 4; ++i) Run(fdc, {0x4A, unit}, 0);
            const tarvolinde::TPista* track = drive.TrackAt(head, cylinder);
            const size_t sectors = track ? track->SectorCount() : 0;
            for (size_t s = 0; s < sectors && s < 2; ++s) {
                const auto& sector = track->Sectors[s];
                const uint8_t eot = uint8_t(sector.R + (seed & 1));
                Run(fdc, {uint8_t(0x46 | (seed & 0x20)), unit, sector.C, sector.H, sector.R, sector.N, eot, 0x2A, 0xFF},
                    20000, 0);
                Run(fdc, {0x4C, unit, sector.C, sector.H, sector.R, sector.N, sector.R, 0x2A, 0xFF}, 20000, 0);
                Run(fdc, {0x51, unit, sector.C, sector.H, sector.R, sector.N, sector.R, 0x2A, 1}, 20000, seed);
            }
            Run(fdc, {uint8_t(0x42 | (seed & 0x20)), unit, 0, 0, 1, 2, uint8_t(seed & 15), 0x2A, 0xFF}, 40000, 0);
            if (sectors) {
                const auto& first = track->Sectors[0];
                Run(fdc, {0x45, unit, first.C, first.H, first.R, uint8_t(seed & 7), first.R, 0x2A, 0x80}, 20000,
                    uint8_t(seed | 1));
            }
            Run(fdc, {0x4D, unit, uint8_t(seed & 7), uint8_t(seed >> 3), 0x2A, 0xE5}, 400,
                uint8_t(seed | 1));
        }
    }
    Run(fdc, {0x07, 0x00}, 0);
    Run(fdc, {0x04, 0x00}, 0);
    Run(fdc, {0x1F}, 0);
    try {
        const std::vector<uint8_t> saved = tarvolinde::TArchivoDSK(drive).Grabar();
        tarvolinde::TArchivoDSK::Parse(saved);
    } catch (const tarvolinde::DiskFormatError&) {
    }
    return 0;
}
