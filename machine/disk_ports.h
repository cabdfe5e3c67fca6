#pragma once
// What the port decoding of the machines reaches of the storage devices: the
// +3 floppy controller (ports 0x2FFD, 0x3FFD and the motor bit of 0x1FFD) and the
// 8-bit IDE interface of the +3e (ports with A4 = 0). The machine owns the
// device; the null versions stand in where a device is fitted but not emulated.

#include <cstdint>

namespace tarvolinde {

class FloppyPorts {
public:
    virtual ~FloppyPorts() = default;
    virtual uint8_t ReadStatus() = 0;  // main status register
    virtual uint8_t ReadData() = 0;
    virtual void WriteData(uint8_t value) = 0;
    virtual void Reset() = 0;
    virtual bool MotorOn() const = 0;
    virtual void SetMotor(bool on) = 0;
};

// IDE registers 0-7: register = A8 + 2 x A12 + 4 x A13 of the port address.
class IdePorts {
public:
    virtual ~IdePorts() = default;
    virtual uint8_t ReadRegister(int reg) = 0;
    virtual void WriteRegister(int reg, uint8_t value) = 0;
    virtual void Reset() = 0;
    // A command's transfer is under way (the status bar's hard-disk light).
    virtual bool HdActive() const { return false; }
};

// A controller with no drive: always ready to take a command byte, which it ignores.
class NullFloppyPorts final : public FloppyPorts {
public:
    uint8_t ReadStatus() override { return 0x80; }
    uint8_t ReadData() override { return 0xFF; }
    void WriteData(uint8_t) override {}
    void Reset() override { motor_ = false; }
    bool MotorOn() const override { return motor_; }
    void SetMotor(bool on) override { motor_ = on; }

private:
    bool motor_ = false;
};

// An interface with no disk: reads float high, writes are lost.
class NullIdePorts final : public IdePorts {
public:
    uint8_t ReadRegister(int) override { return 0xFF; }
    void WriteRegister(int, uint8_t) override {}
    void Reset() override {}
};

}  // namespace tarvolinde
