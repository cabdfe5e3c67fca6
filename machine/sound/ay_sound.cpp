#include "machine/sound/ay_sound.h"

#include <algorithm>

namespace tarvolinde {

namespace {

// The sample that T-state t falls into; T-states outside the table take its ends.
uint32_t SampleOf(std::span<const int32_t> sampleIndexTable, int32_t tstate) {
    const int32_t last = int32_t(sampleIndexTable.size()) - 1;
    return uint32_t(sampleIndexTable[size_t(std::clamp(tstate, 0, last))]);
}

}  // namespace

AySound::AySound() : log_(kLogCapacity) { Reset(); }

void AySound::Reset() {
    TonePeriod = {};
    ToneCount = {};
    ToneFlip = {};
    NoisePeriod = 0;
    NoiseCount = 0;
    NoiseOut = 0;
    NoiseLfsr = 1;
    NoisePrescale = 0;
    ToneOff = {};
    NoiseOff = {};
    ChanVolume = {};
    ChanEnv = {};
    EnvPeriod = 0;
    EnvCount = 0;
    EnvShape = 0;
    EnvStep = 0;
    EnvVolume = 0;
    EnvRunning = 0;
    AyTick = 0;
    AyLogCount = 0;
    applied_ = {};
}

void AySound::RestartLog() {
    AyTick = 0;
    AyLogCount = 0;
}

void AySound::LogWrite(int32_t tstate, uint8_t reg, uint8_t value) {
    if (!Logging) return;
    if (AyLogCount == kLogCapacity) CompactLog();
    log_[AyLogCount++] = AyLogEntry{tstate, uint8_t(reg & 15), value};
}

// Only the last write of each register matters for the state the log leaves
// behind; the kept writes stay in their order (and at their T-states).
void AySound::CompactLog() {
    std::array<bool, 16> seen{};
    uint32_t kept = AyLogCount;
    for (uint32_t i = AyLogCount; i-- > 0;) {
        const AyLogEntry entry = log_[i];
        if (seen[entry.Register]) continue;
        seen[entry.Register] = true;
        log_[--kept] = entry;
    }
    std::copy(log_.begin() + kept, log_.begin() + AyLogCount, log_.begin());
    AyLogCount -= kept;
}

void AySound::Apply(uint8_t reg, uint8_t value) {
    reg &= 15;
    applied_[reg] = value;
    switch (reg) {
    case 0: case 1: case 2: case 3: case 4: case 5: {
        const int channel = reg / 2;
        const int32_t period = applied_[2 * channel] | ((applied_[2 * channel + 1] & 0x0F) << 8);
        TonePeriod[channel] = std::max(period, 1);
        break;
    }
    case 6: NoisePeriod = std::max(value & 0x1F, 1); break;
    case 7:
        for (int channel = 0; channel < 3; ++channel) {
            ToneOff[channel] = (value >> channel) & 1;
            NoiseOff[channel] = (value >> (channel + 3)) & 1;
        }
        break;
    case 8: case 9: case 10:
        ChanEnv[reg - 8] = value > 15;
        ChanVolume[reg - 8] = value & 15;
        break;
    case 11: case 12: EnvPeriod = std::max(applied_[11] | (applied_[12] << 8), 1); break;
    case 13:
        EnvShape = value & 15;
        EnvStep = 0;
        EnvRunning = 1;
        EnvVolume = (value & 0x04) ? 0 : 15;
        break;
    default: break;  // the I/O ports make no sound
    }
}

void AySound::Tick() {
    AyTick += kTStatesPerTick;
    for (int channel = 0; channel < 3; ++channel) {
        if (++ToneCount[channel] >= TonePeriod[channel]) {
            ToneFlip[channel] ^= 1;
            ToneCount[channel] = 0;
        }
    }
    if (NoisePrescale == 0) {
        NoisePrescale = 1;
    } else {
        NoisePrescale = 0;
        if (++NoiseCount >= NoisePeriod) {
            if ((NoiseLfsr ^ (NoiseLfsr >> 1)) & 1) NoiseOut ^= 1;
            if ((NoiseLfsr ^ (NoiseLfsr >> 2)) & 1) NoiseLfsr |= 1u << 17;
            NoiseLfsr >>= 1;
            NoiseCount = 0;
        }
    }
    if (EnvRunning) StepEnvelope();
}

void AySound::StepEnvelope() {
    if (++EnvCount < EnvPeriod) return;
    EnvCount = 0;
    EnvStep = (EnvStep + 1) & 15;
    if (EnvStep != 0) {
        EnvVolume = (EnvShape & 0x04) ? uint8_t((EnvVolume + 1) & 15) : uint8_t((EnvVolume - 1) & 15);
        return;
    }
    // Sixteen steps done: stop, or turn round, or start the ramp again.
    if (!(EnvShape & 0x08)) {
        EnvVolume = 0;
        EnvRunning = 0;
        return;
    }
    if (EnvShape & 0x02) EnvShape ^= 0x04;
    EnvVolume = (EnvShape & 0x04) ? 15 : 0;
    if (EnvShape & 0x01) EnvRunning = 0;
    else EnvVolume ^= 15;
}

uint8_t AySound::Mix() {
    uint8_t sum = 0;
    for (int channel = 0; channel < 3; ++channel) {
        if ((ToneFlip[channel] | ToneOff[channel]) & (NoiseOut | NoiseOff[channel]))
            sum = uint8_t(sum + kAmplitude[ChanVolume[channel] & 15]);
    }
    return sum;
}

void AySound::Generate(std::span<uint8_t> samples, uint32_t from, uint32_t to,
                       std::span<const int32_t> sampleIndexTable) {
    if (sampleIndexTable.empty()) return;
    to = std::min<uint32_t>(to, uint32_t(samples.size()));
    const auto tableSize = int32_t(sampleIndexTable.size());
    for (uint32_t i = from; i < to; ++i) {
        while (AyTick < tableSize && int64_t(i) >= sampleIndexTable[size_t(std::max(AyTick, 0))]) Tick();
        for (int channel = 0; channel < 3; ++channel)
            if (ChanEnv[channel]) ChanVolume[channel] = EnvVolume;
        samples[i] = uint8_t(samples[i] + Mix());
    }
}

void AySound::RenderFrame(std::span<uint8_t> samples, std::span<const int32_t> sampleIndexTable,
                          int32_t frameLength) {
    if (sampleIndexTable.empty()) {
        AyLogCount = 0;
        return;
    }
    uint32_t position = 0;
    for (const AyLogEntry& entry : AyLog()) {
        const uint32_t target = SampleOf(sampleIndexTable, entry.TState);
        if (target > position) {
            Generate(samples, position, target, sampleIndexTable);
            position = target;
        }
        Apply(entry.Register, entry.Value);
    }
    const uint32_t end = SampleOf(sampleIndexTable, frameLength) + 1;
    if (end > position) Generate(samples, position, end, sampleIndexTable);
    AyLogCount = 0;
    AyTick -= frameLength;
}

}  // namespace tarvolinde
