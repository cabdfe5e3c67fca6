#pragma once
// The synthesiser of the AY-3-8912: three square-wave tone generators, a noise
// generator, the envelope and the mixer. It is not run on every register access:
// during the frame the register writes are only logged with their T-states, and
// after the frame the log is replayed against the synthesiser's own clock (one
// tick every 16 T-states), adding the chip's output to the frame's samples.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace tarvolinde {

// One register write of the frame.
struct AyLogEntry {
    int32_t TState;
    uint8_t Register;
    uint8_t Value;
};

class AySound {
public:
    static constexpr size_t kLogCapacity = 6250;
    static constexpr int32_t kTStatesPerTick = 16;
    // Sample contribution of each 4-bit amplitude.
    static constexpr std::array<uint8_t, 16> kAmplitude{0, 2, 3, 5, 7, 10, 12, 15, 17, 20, 23, 26, 30, 34, 38, 42};

    AySound();

    // Set while the sound is on; without it writes are not logged, and the
    // register file alone carries the chip's state until the next replay.
    bool Logging = false;

    // The synthesiser part of the chip reset: every period, counter, output,
    // mixer bit, volume and the envelope cleared, the noise register at 1, the
    // tick clock at T-state 0 and the log emptied.
    void Reset();

    // Logs a register write (value already masked) made at this T-state of the
    // frame. When the log is full (frames passed without rendering) it keeps only
    // the last write of each register, in their order, to make room.
    void LogWrite(int32_t tstate, uint8_t reg, uint8_t value);
    // Start of a state replay: the tick clock back at T-state 0 and an empty log.
    void RestartLog();
    std::span<const AyLogEntry> AyLog() const { return {log_.data(), AyLogCount}; }

    // Applies a register write to the generators. A tone, noise or envelope period
    // of 0 acts as 1.
    void Apply(uint8_t reg, uint8_t value);
    // One synthesiser clock: tone, noise (every second tick) and envelope.
    void Tick();

    // Adds the output for samples [from, to) to `samples`, ticking while a sample
    // index reaches the sample of the next tick's T-state.
    void Generate(std::span<uint8_t> samples, uint32_t from, uint32_t to, std::span<const int32_t> sampleIndexTable);
    // Renders the frame: the logged writes applied at their samples, the output
    // added up to the frame's last sample, the log emptied and the tick clock
    // carried into the next frame.
    void RenderFrame(std::span<uint8_t> samples, std::span<const int32_t> sampleIndexTable, int32_t frameLength);

    // --- Generator state ----------------------------------------------------------
    std::array<int32_t, 3> TonePeriod{};  // 12 bits
    std::array<int32_t, 3> ToneCount{};
    std::array<uint8_t, 3> ToneFlip{};    // tone outputs, 0 or 1
    int32_t NoisePeriod = 0;              // 5 bits
    int32_t NoiseCount = 0;
    uint8_t NoiseOut = 0;
    uint32_t NoiseLfsr = 1;               // 17 bits
    uint8_t NoisePrescale = 0;            // the noise advances on every second tick
    std::array<uint8_t, 3> ToneOff{};     // mixer (register 7): 1 = disabled
    std::array<uint8_t, 3> NoiseOff{};
    std::array<uint8_t, 3> ChanVolume{};  // 4-bit amplitude
    std::array<uint8_t, 3> ChanEnv{};     // the channel follows the envelope
    int32_t EnvPeriod = 0;                // 16 bits
    int32_t EnvCount = 0;
    uint8_t EnvShape = 0;                 // register 13; bit 2 flips on alternating shapes
    uint32_t EnvStep = 0;                 // 0-15
    uint8_t EnvVolume = 0;                // 0-15
    uint8_t EnvRunning = 0;
    int32_t AyTick = 0;                   // T-state of the next tick
    uint32_t AyLogCount = 0;

private:
    void StepEnvelope();
    uint8_t Mix();
    void CompactLog();

    std::vector<AyLogEntry> log_;
    // Registers as applied so far: the two-byte periods are rebuilt from both bytes,
    // so that the 0-as-1 rule never leaks into the other byte.
    std::array<uint8_t, 16> applied_{};
};

}  // namespace tarvolinde
