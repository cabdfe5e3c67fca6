#pragma once
// TFDC_3: the uPD765 floppy disk controller of the +3, at the level of its main
// status register and data register. It works directly on the disks in its
// four drives, with no timing: every command completes as fast as the
// processor moves its bytes. Failures are reported in the status registers of
// the result phase, never to the caller.

#include <array>
#include <cstdint>

#include "machine/disk_ports.h"
#include "storage/disk.h"

namespace tarvolinde {

class TSp;

class TFDC_3 final : public FloppyPorts {
public:
    TFDC_3();

    uint8_t ReadStatus() override { return MSR; }
    uint8_t ReadData() override;
    void WriteData(uint8_t value) override;
    void Reset() override;
    bool MotorOn() const override { return motorOn_; }
    void SetMotor(bool on) override { motorOn_ = on; }

    // Drives 0 to 3; drive 0 is drive A. Change a disk only while the
    // processor does not run.
    std::array<TUnidad, 4> Drives{TUnidad(0), TUnidad(1), TUnidad(2), TUnidad(3)};
    // Moves the disks of another controller into these drives (a model switch).
    void TakeDisksFrom(TFDC_3& other);

private:
    enum Code : uint8_t {
        kReadTrack = 2, kSpecify = 3, kSenseDriveStatus = 4, kWriteData = 5, kReadData = 6, kRecalibrate = 7,
        kSenseInterrupt = 8, kWriteDeletedData = 9, kReadId = 10, kReadDeletedData = 12, kFormatTrack = 13,
        kSeek = 15, kScanEqual = 17, kScanLowOrEqual = 25, kScanHighOrEqual = 29,
    };
    uint8_t Code() const { return Command[0] & 31; }

    void RunCommand();
    void SelectDrive();
    bool Ready() const { return motorOn_ && Current->Present && Current->Head < Current->Sides; }
    TPista* CurrentTrack() { return Current->TrackAt(Current->Head, Current->Cylinder); }
    // The sector being transferred, or null when the disk no longer has it.
    TSector* TransferSector();
    void StartResult();
    void StartTransfer();
    uint8_t NextResultByte();
    // Finds the sector whose R is the one searched for, from index `from` of the track.
    bool FindSector(size_t from);
    // At the start of a sector of a read or scan: finds it (passing over
    // deleted data when SK says so) and takes its status bytes and length.
    bool StartSectorRead();
    uint8_t ReadDataByte();
    uint8_t ReadTrackByte();
    void WriteDataByte(uint8_t value);
    void FormatByte(uint8_t value);
    void ScanByte(uint8_t value);
    uint8_t Random();

    TUnidad* Current = &Drives[0];
    uint8_t MSR = 0x80;
    uint8_t ST0 = 3, ST1 = 0, ST2 = 0, ST3 = 0;
    bool IntPending = false;
    uint8_t Phase = 0;  // 0 idle, 1 command bytes, 2 execution, 3 result
    std::array<uint8_t, 9> Command{};
    uint8_t Expected = 1;
    uint8_t Received = 0;
    std::array<uint8_t, 7> Result{};
    uint32_t ResultCount = 0;
    uint8_t ResultIndex = 0;
    std::array<uint8_t, 4> IdCHRN{};
    uint8_t EOT = 0;
    uint32_t Length = 0;
    uint32_t ByteCount = 0;  // data bytes of the current sector moved so far
    bool Deleted = false;
    bool SkipDeleted = false;
    bool RandomFirst = false;
    bool ScanEqual = false, ScanLow = false, ScanHigh = false;
    std::array<uint8_t, 4> FormatID{};
    uint8_t FormatBytes = 0;
    uint8_t SectorsLeft = 0;
    bool motorOn_ = false;
    uint32_t random_ = 0x2545F491;
};

// The floppy controller of a machine, or null when it has none (or only a stand-in).
TFDC_3* FloppyOf(TSp& machine);
const TFDC_3* FloppyOf(const TSp& machine);

}  // namespace tarvolinde
