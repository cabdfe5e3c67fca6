#include "storage/fdc3.h"

#include <algorithm>
#include <utility>

#include "machine/sp.h"

namespace tarvolinde {

namespace {

// Command bytes by code (bits 0-4 of the first byte), the first byte included.
constexpr std::array<uint8_t, 32> kCommandLengths = [] {
    std::array<uint8_t, 32> lengths{};
    lengths.fill(1);
    lengths[2] = 9, lengths[3] = 3, lengths[4] = 2, lengths[5] = 9, lengths[6] = 9, lengths[7] = 2;
    lengths[8] = 1, lengths[9] = 9, lengths[10] = 2, lengths[12] = 9, lengths[13] = 6, lengths[15] = 3;
    lengths[17] = 9, lengths[25] = 9, lengths[29] = 9;
    return lengths;
}();

// A sector whose data error is on a sector this short gives a random first byte
// (the weak sectors of copy protections, stored with a single copy).
constexpr uint32_t kLongSector = 6144;
// The most sectors a DSK track can list; a format asking for more makes no more.
constexpr size_t kMaxFormatSectors = 29;

constexpr uint8_t kNotReady = 0xC8;

}  // namespace

TFDC_3::TFDC_3() { Reset(); }

void TFDC_3::Reset() {
    ST0 = 3;
    IntPending = false;
    MSR = 0x80;
    Current = &Drives[0];
    Phase = 0;
    motorOn_ = false;
}

void TFDC_3::TakeDisksFrom(TFDC_3& other) {
    for (size_t i = 0; i < Drives.size(); ++i) {
        TUnidad& to = Drives[i];
        TUnidad& from = other.Drives[i];
        to.Present = from.Present, to.Sides = from.Sides, to.Tracks = from.Tracks;
        to.Protected = from.Protected, to.Modified = from.Modified;
        to.Side0 = std::move(from.Side0), to.Side1 = std::move(from.Side1);
        from.Expulsar();
    }
}

void TFDC_3::SelectDrive() {
    Current = &Drives[Command[1] & 3];
    Current->Head = (Command[1] >> 2) & 1;
}

void TFDC_3::StartResult() {
    ResultCount = 7;
    ResultIndex = 0;
    IntPending = true;
    Phase = 3;
    // A command that fails in its execution phase ends it too: the processor
    // must not take the result bytes for data.
    MSR = uint8_t((MSR & ~0x20) | 0x40);
    Result = {ST0, ST1, ST2, IdCHRN[0], IdCHRN[1], IdCHRN[2], IdCHRN[3]};
}

void TFDC_3::StartTransfer() {
    Phase = 2;
    MSR |= 0x20;
    ByteCount = 0;
}

uint8_t TFDC_3::NextResultByte() {
    if (ResultIndex >= ResultCount) return 0xFF;
    const uint8_t value = Result[ResultIndex++];
    if (ResultIndex >= ResultCount) {
        Phase = 0;
        MSR = 0x80;
    }
    return value;
}

uint8_t TFDC_3::Random() {
    random_ ^= random_ << 13;
    random_ ^= random_ >> 17;
    random_ ^= random_ << 5;
    return uint8_t(random_);
}

TSector* TFDC_3::TransferSector() {
    TPista* track = CurrentTrack();
    return track && Current->SectorIndex < track->SectorCount() ? &track->Sector(Current->SectorIndex) : nullptr;
}

bool TFDC_3::FindSector(size_t from) {
    TPista* track = CurrentTrack();
    if (!track) return false;
    for (size_t i = from; i < track->SectorCount(); ++i) {
        if (track->Sector(i).R == IdCHRN[2]) {
            Current->SectorIndex = uint32_t(i);
            return true;
        }
    }
    return false;
}

// --- Command phase ------------------------------------------------------------------

void TFDC_3::WriteData(uint8_t value) {
    if (Phase == 3) return;
    if (Phase == 2) {
        switch (Code()) {
        case kWriteData:
        case kWriteDeletedData: WriteDataByte(value); break;
        case kFormatTrack: FormatByte(value); break;
        case kScanEqual:
        case kScanLowOrEqual:
        case kScanHighOrEqual: ScanByte(value); break;
        default: break;
        }
        return;
    }
    if (Phase == 0) {
        Expected = kCommandLengths[value & 31];
        Received = 0;
        MSR |= 0x10;
        Phase = 1;
    }
    Command[Received++] = value;
    if (Received < Expected) return;
    ResultIndex = 0;
    Phase = 3;
    RunCommand();
}

void TFDC_3::RunCommand() {
    const uint8_t driveBits = Command[1] & 7;
    const auto notFound = [this] { ST0 |= 0x40, ST1 |= 0x01; };
    switch (Code()) {
    case kSpecify:
        Phase = 0, MSR = 0x80;
        return;
    case kSenseDriveStatus:
        SelectDrive();
        MSR |= 0x40;
        ST3 = uint8_t(driveBits | (Current->Sides == 2 ? 0x08 : 0) | (Current->Cylinder == 0 ? 0x10 : 0) |
                      (motorOn_ && Current->Present ? 0x20 : 0) | (Current->Protected ? 0x40 : 0) |
                      (Current->Unit >= 2 ? 0x80 : 0));
        Result[0] = ST3, ResultCount = 1;
        return;
    case kRecalibrate:
    case kSeek:
        SelectDrive();
        ST0 = driveBits, ST1 = ST2 = 0;
        if (!motorOn_ || !Current->Present) {
            ST0 |= kNotReady;
        } else if (Code() == kRecalibrate) {
            Current->Cylinder = 0;
        } else if (Command[2] < Current->Tracks) {
            Current->Cylinder = Command[2];
            Current->SectorIndex = 0;
        } else {
            ST0 |= 0x50;
        }
        ST0 |= 0x20;
        IntPending = true;
        Phase = 0, MSR = 0x80;
        return;
    case kSenseInterrupt:
        MSR |= 0x40;
        if (IntPending) {
            IntPending = false;
            Result[0] = ST0, Result[1] = uint8_t(Current->Cylinder), ResultCount = 2;
        } else {
            Result[0] = 0x80, ResultCount = 1;
        }
        return;
    case kReadId: {
        SelectDrive();
        ST0 = driveBits, ST1 = ST2 = 0;
        TPista* track = Ready() ? CurrentTrack() : nullptr;
        if (!Ready()) {
            ST0 |= kNotReady;
        } else if (track && track->SectorCount() > 0) {
            if (++Current->SectorIndex >= track->SectorCount()) Current->SectorIndex = 0, ST1 |= 0x80;
            const TSector& sector = track->Sector(Current->SectorIndex);
            IdCHRN = {uint8_t(Current->Cylinder), sector.H, sector.R, sector.N};
        } else {
            notFound();
            MSR = 0x80, Phase = 0;
        }
        StartResult();
        return;
    }
    case kReadTrack:
    case kReadData:
    case kReadDeletedData:
    case kScanEqual:
    case kScanLowOrEqual:
    case kScanHighOrEqual:
    case kWriteData:
    case kWriteDeletedData: {
        SelectDrive();
        const uint8_t code = Code();
        const bool writes = code == kWriteData || code == kWriteDeletedData;
        Deleted = code == kReadDeletedData || code == kWriteDeletedData;
        SkipDeleted = (Command[0] & 0x20) != 0;
        ScanEqual = code == kScanEqual || code == kScanLowOrEqual || code == kScanHighOrEqual;
        ScanLow = code == kScanLowOrEqual;
        ScanHigh = code == kScanHighOrEqual;
        IdCHRN = {Command[2], Command[3], Command[4], Command[5]};
        EOT = Command[6];
        Length = Command[8];
        if (writes && Command[5] != 0) Length = SectorBytesForCode(Command[5] & 31);
        ST0 = driveBits, ST1 = ST2 = 0;
        const TPista* track = Ready() ? CurrentTrack() : nullptr;
        if (!Ready()) {
            ST0 |= kNotReady;
        } else if (!track || track->SectorCount() == 0 || (writes && Current->Cylinder >= Current->Tracks)) {
            notFound();
        } else if (writes && Current->Protected) {
            ST0 |= 0x40, ST1 |= 0x02;
        } else {
            if (code == kReadTrack) Current->SectorIndex = 0;
            StartTransfer();
            return;
        }
        StartResult();
        return;
    }
    case kFormatTrack:
        SelectDrive();
        ST0 = driveBits, ST1 = ST2 = 0;
        if (!Ready()) {
            ST0 |= kNotReady;
        } else if (Current->Cylinder >= Current->Tracks) {
            ST0 |= 0x50;
        } else if (Current->Protected) {
            ST0 |= 0x40, ST1 |= 0x02;
        } else {
            TPistas& side = Current->SideList(Current->Head);
            if (side.TrackCount() <= Current->Cylinder) side.Tracks.resize(Current->Cylinder + 1);
            side.Track(Current->Cylinder) = TPista{};
            Current->SectorIndex = 0;
            Current->Modified = true;
            FormatBytes = 0;
            SectorsLeft = Command[3];
            StartTransfer();
            IntPending = true;
            if (SectorsLeft == 0) MSR &= uint8_t(~0x20), ST1 |= 0x80, StartResult();
            return;
        }
        StartResult();
        return;
    default:
        ST0 = 0x80, ST1 = ST2 = 0;
        Result[0] = ST0, ResultCount = 1;
        MSR |= 0x40;
        return;
    }
}

// --- Execution phase ----------------------------------------------------------------

uint8_t TFDC_3::ReadData() {
    if (Phase == 3) return NextResultByte();
    if (Phase != 2) return 0xFF;
    switch (Code()) {
    case kReadTrack: return ReadTrackByte();
    case kReadData:
    case kReadDeletedData: return ReadDataByte();
    default: return 0;
    }
}

bool TFDC_3::StartSectorRead() {
    size_t from = 0;
    for (;;) {
        if (!FindSector(from)) {
            ST0 |= 0x40, ST1 = 0x04;
            StartResult();
            return false;
        }
        const TSector& sector = *TransferSector();
        ST1 = sector.ST1;
        ST2 = uint8_t(sector.ST2 ^ (Deleted ? 0x40 : 0));
        Length = sector.Size;
        from = Current->SectorIndex + 1;
        if (!SkipDeleted || !(ST2 & 0x40)) return true;
    }
}

uint8_t TFDC_3::ReadDataByte() {
    if (ByteCount == 0) {
        if (!StartSectorRead()) return NextResultByte();
        const TSector& sector = *TransferSector();
        RandomFirst = (ST1 & 0x20) && Length < kLongSector && sector.Copies() == 1;
    }
    TSector* sector = TransferSector();
    if (!sector) {  // the disk went while the sector was read
        ST0 |= 0x40, ST1 = 0x04;
        StartResult();
        return NextResultByte();
    }
    const uint8_t value = RandomFirst ? Random() : sector->Byte(ByteCount);
    RandomFirst = false;
    if (++ByteCount < Length) return value;
    sector->NextCopy();
    if (sector->R == EOT) {
        MSR &= uint8_t(~0x20);
        ST0 |= 0x40, ST1 |= 0x80;
        StartResult();
    } else {
        ++IdCHRN[2];
        ByteCount = 0;
    }
    return value;
}

// Read Track takes the sectors in physical order, whatever their IDs, and ends
// after EOT sectors or at the last sector of the track, whichever comes first.
uint8_t TFDC_3::ReadTrackByte() {
    const auto endOfCylinder = [this] {
        MSR &= uint8_t(~0x20);
        ST0 |= 0x40, ST1 = 0x80;
        StartResult();
    };
    if (ByteCount == 0) {
        for (;;) {
            const TSector* sector = TransferSector();
            if (!sector) {
                endOfCylinder();
                return NextResultByte();
            }
            ST1 = sector->ST1, ST2 = sector->ST2;
            Length = sector->Size;
            if (!SkipDeleted || !(ST2 & 0x40)) break;
            // A deleted sector passed over counts as one of the EOT.
            ++Current->SectorIndex;
            if (--EOT == 0) {
                endOfCylinder();
                return NextResultByte();
            }
        }
    }
    TSector* sector = TransferSector();
    if (!sector) {
        endOfCylinder();
        return NextResultByte();
    }
    const uint8_t value = sector->Byte(ByteCount);
    if (++ByteCount < Length) return value;
    sector->NextCopy();
    ByteCount = 0;
    const TPista* track = CurrentTrack();
    if (--EOT == 0 || !track || Current->SectorIndex + 1 >= track->SectorCount())
        endOfCylinder();
    else
        ++Current->SectorIndex;
    return value;
}

void TFDC_3::WriteDataByte(uint8_t value) {
    if (ByteCount == 0) {
        if (!FindSector(0)) {
            ST0 |= 0x40, ST1 |= 0x85;
            StartResult();
            return;
        }
        TSector& sector = *TransferSector();
        sector.ST1 = ST1;
        sector.ST2 = uint8_t(ST2 | (Deleted ? 0x40 : 0));
        // A write longer than the sector grows it; one shorter leaves it that long.
        sector.Rewrite(Length);
        Current->Modified = true;
    }
    TSector* sector = TransferSector();
    if (!sector) {
        ST0 |= 0x40, ST1 |= 0x85;
        StartResult();
        return;
    }
    sector->Store(ByteCount, value);
    if (++ByteCount < Length) return;
    if (sector->R != EOT) {
        ++IdCHRN[2];
        ByteCount = 0;
    } else {
        MSR &= uint8_t(~0x20);
        ST1 |= 0x80;
        StartResult();
    }
}

void TFDC_3::FormatByte(uint8_t value) {
    FormatID[FormatBytes++] = value;
    if (FormatBytes < 4) return;
    FormatBytes = 0;
    TPista* track = CurrentTrack();
    if (track && track->SectorCount() < kMaxFormatSectors) {
        TSector sector(SectorBytesForCode(Command[2] & 31));
        sector.C = FormatID[0], sector.H = FormatID[1], sector.R = FormatID[2], sector.N = FormatID[3];
        std::fill(sector.Data().begin(), sector.Data().end(), Command[5]);
        const size_t at = std::min<size_t>(Current->SectorIndex, track->SectorCount());
        track->Sectors.insert(track->Sectors.begin() + long(at), std::move(sector));
        Current->SectorIndex = uint32_t(at + 1);
    }
    if (--SectorsLeft == 0) {
        MSR &= uint8_t(~0x20);
        ST0 = 0, ST1 |= 0x80;
        StartResult();
    }
}

void TFDC_3::ScanByte(uint8_t value) {
    if (ByteCount == 0) {
        if (!StartSectorRead()) return;
        // Each sector is compared on its own.
        const uint8_t code = Code();
        ScanEqual = true, ScanLow = code == kScanLowOrEqual, ScanHigh = code == kScanHighOrEqual;
        if ((ST1 & 0x20) && Length < kLongSector) ScanEqual = ScanLow = ScanHigh = false;
    }
    TSector* sector = TransferSector();
    if (!sector) {
        ST0 |= 0x40, ST1 = 0x04;
        StartResult();
        return;
    }
    const uint8_t disk = sector->Byte(ByteCount);
    ScanEqual = ScanEqual && value == disk;
    ScanLow = ScanLow && value <= disk;
    ScanHigh = ScanHigh && value >= disk;
    if (++ByteCount < Length) return;
    const uint8_t code = Code();
    const bool holds = code == kScanEqual ? ScanEqual : code == kScanLowOrEqual ? ScanLow : ScanHigh;
    if (holds) {
        MSR &= uint8_t(~0x20);
        if (ScanEqual) ST2 |= 0x08;
        StartResult();
    } else if (sector->R == EOT) {
        MSR &= uint8_t(~0x20);
        ST0 |= 0x40, ST1 |= 0x80, ST2 |= 0x04;
        StartResult();
    } else {
        IdCHRN[2] = uint8_t(IdCHRN[2] + Command[8]);
        ByteCount = 0;
    }
}

TFDC_3* FloppyOf(TSp& machine) { return dynamic_cast<TFDC_3*>(machine.Floppy.get()); }
const TFDC_3* FloppyOf(const TSp& machine) { return dynamic_cast<const TFDC_3*>(machine.Floppy.get()); }

}  // namespace tarvolinde
