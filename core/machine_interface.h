#pragma once
// What the processor needs from the machine around it.

#include <cstdint>

namespace tarvolinde {

// Implemented by every machine model (and by test doubles). The processor calls
// it for port input and output and, while the screen is being fetched, before
// each contended write, so that the latched screen is up to date.
class MachineInterface {
public:
    virtual ~MachineInterface() = default;
    virtual uint8_t InPort(uint16_t port) = 0;
    virtual void OutPort(uint16_t port, uint8_t value) = 0;
    // Brings the latched screen bytes up to the processor's present T-state.
    virtual void CaptureScreen() {}
};

// The RZX recorder's hook, called at the start of every recorded frame.
class RzxRecordHooks {
public:
    virtual ~RzxRecordHooks() = default;
    virtual void FrameBoundary() = 0;
};

// The RZX player: the frame procedure runs FetchesRemaining opcode fetches, takes
// the interrupt where Interrupt says and then calls NextFrame, which loads the
// next recorded frame.
class RzxPlaybackHooks {
public:
    enum class InterruptPlace : uint8_t { AtEnd, AtStart, None };
    virtual ~RzxPlaybackHooks() = default;
    virtual void NextFrame() = 0;
    int32_t FetchesRemaining = 0;
    InterruptPlace Interrupt = InterruptPlace::AtEnd;
};

}  // namespace tarvolinde
