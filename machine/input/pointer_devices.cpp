#include "machine/input/pointer_devices.h"

#include <algorithm>

#include "machine/sp.h"
#include "machine/video/screen_tables.h"

namespace tarvolinde {

namespace {

constexpr uint8_t kGunStickTrigger = 0x01;  // clear while the trigger is held
constexpr uint8_t kGunStickLight = 0x04;    // clear while the sensor sees white
constexpr uint8_t kLightGunLight = 0x10;    // set while the sensor sees a bright colour
constexpr uint8_t kLightGunTrigger = 0x20;  // clear while the trigger is held
// The LightGun's sensor stays lit this long after the beam passed its spot.
constexpr int32_t kLightGunPersistence = 400;

}  // namespace

PointerInput::PointerInput() {
    // Until the picture's size is known no position is over the picture.
    for (auto& entry : mapX_) entry.store(-1, std::memory_order_relaxed);
    for (auto& entry : mapY_) entry.store(-1, std::memory_order_relaxed);
}

void PointerInput::MouseEvent(int32_t x, int32_t y, bool leftButton) {
    mouseX_.store(x, std::memory_order_relaxed);
    mouseY_.store(y, std::memory_order_relaxed);
    mouseButton_.store(leftButton, std::memory_order_relaxed);
}

void PointerInput::ScreenCursorMoved(int32_t x, int32_t y) {
    screenCursorX_.store(x, std::memory_order_relaxed);
    screenCursorY_.store(y, std::memory_order_relaxed);
}

void PointerInput::Fill(MouseMap& map, int32_t pictureSize, int32_t controlSize) {
    // Positions past the control's far edge map past the picture's.
    for (int32_t i = 0; i < kMouseMapSize; ++i)
        map[size_t(i)].store(MulDiv(i, pictureSize, controlSize), std::memory_order_relaxed);
}

void PointerInput::BuildMouseScale(int32_t width, int32_t height) {
    Fill(mapX_, kPictureWidth, std::max(width, 0));
    Fill(mapY_, kPictureHeight, std::max(height, 0));
}

uint8_t PointerInput::GunStick(uint8_t value, const uint8_t* screenPage) {
    if (!MouseButton()) return value;
    value &= uint8_t(~kGunStickTrigger);
    const int32_t x = MouseMapX(MouseX()) - kScreenLeft;
    const int32_t y = MouseMapY(MouseY()) - kScreenTop;
    if (screenPage && x >= 0 && x < kScreenColumns * 8 && y >= 0 && y < kScreenLines) {
        const uint8_t attribute = screenPage[kScreenCells + (y & ~7) * 4 + x / 8];
        if ((attribute & 7) == 7 || ((attribute >> 3) & 7) == 7) value &= uint8_t(~kGunStickLight);
    }
    return value;
}

uint8_t PointerInput::LightGunLatch(uint8_t latch) {
    uint8_t p = MouseButton() ? uint8_t(latch & ~kLightGunTrigger) : uint8_t(latch | kLightGunTrigger);
    p &= uint8_t(~kLightGunLight);
    if (!machine_) return p;

    const int32_t x = MouseMapX(MouseX());
    const int32_t y = MouseMapY(MouseY()) - kScreenTop;
    if (x < kScreenLeft || x >= kScreenLeft + kScreenColumns * 8 || y < 0 || y >= kPictureHeight - kScreenTop)
        return p;
    // The T-state at which the beam passed the pointer.
    const int32_t t = machine_->LineTStates * y + machine_->cpu.ScreenStartT + x / 2 - 40;
    const int32_t now = machine_->cpu.FrameTStates;
    if (t >= now || now - t >= kLightGunPersistence || t < 0 || t >= kTimingTableSize) return p;

    // Before the first fetch of the frame the beam is still on the first cell.
    const int32_t cell = std::clamp(machine_->Tables().ScreenCellTable[size_t(t)], 0, kScreenCells);
    const uint8_t attribute = machine_->ScreenPage()[CellAttrAddr[size_t(cell)]];
    const int colour = std::max(InkTable[attribute] & 7, PaperTable[attribute] & 7);
    if (colour > 3) p |= kLightGunLight;
    return p;
}

std::optional<uint8_t> PointerInput::KempstonMouse(uint8_t portHigh) {
    // Unsigned arithmetic: only the low byte of the doubled position counts.
    switch (portHigh) {
    case 0xFA: return MouseButton() ? uint8_t(0xFD) : uint8_t(0xFF);
    case 0xFB: return uint8_t(uint32_t(screenCursorX_.load(std::memory_order_relaxed)) * 2u);
    case 0xFF: return uint8_t(0u - uint32_t(screenCursorY_.load(std::memory_order_relaxed)) * 2u);
    default: return std::nullopt;
    }
}

void ConnectPointer(TSp& machine, PointerInput& pointer) {
    machine.Pointer = &pointer;
    pointer.Attach(&machine);
}

}  // namespace tarvolinde
