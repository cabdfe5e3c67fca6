#pragma once
// The devices the PC mouse plays: the Kempston mouse, and the GunStick and
// LightGun light guns, whose sensor sees the emulated screen under the pointer.
// The user-interface thread writes the mouse state on every mouse event; the
// emulation thread reads it during port reads. Every shared value is an atomic.

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>

#include "machine/port_hooks.h"

namespace tarvolinde {

class TSp;

// The mouse pointer shown over the picture for each mouse type.
enum class PointerCursor : uint8_t {
    Arrow,      // the default pointer
    CrossHair,  // the gun sight "MIRA1"
    Hidden,
};

inline constexpr std::array<PointerCursor, 4> kPointerCursors{
    PointerCursor::Arrow,      // "Nada"
    PointerCursor::CrossHair,  // "GunStick"
    PointerCursor::CrossHair,  // "LightGun"
    PointerCursor::Hidden,     // "Kempston"
};

constexpr PointerCursor CursorFor(MouseType type) {
    const auto index = static_cast<size_t>(type);
    return index < kPointerCursors.size() ? kPointerCursors[index] : PointerCursor::Arrow;
}

// a × b / c rounded to the nearest integer (halves away from zero); -1 when c is 0.
constexpr int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
    if (c == 0) return -1;
    const int64_t product = int64_t(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const int64_t dividend = product < 0 ? -product : product;
    const int64_t divisor = c < 0 ? -int64_t(c) : int64_t(c);
    const int64_t quotient = (dividend + divisor / 2) / divisor;
    return int32_t(negative ? -quotient : quotient);
}

inline constexpr int kMouseMapSize = 4096;

class PointerInput final : public PointerDevices {
public:
    PointerInput();

    // --- User-interface thread ------------------------------------------------------
    // A mouse move, press or release over the picture (in the picture's own
    // pixels). Call it only while the mouse type is not "Nada".
    void MouseEvent(int32_t x, int32_t y, bool leftButton);
    // Where the pointer is on the desktop; the Kempston mouse counts from it.
    void ScreenCursorMoved(int32_t x, int32_t y);
    // Rebuilds MouseMapX and MouseMapY for a picture of this size (after every
    // resize and model switch).
    void BuildMouseScale(int32_t width, int32_t height);
    // The machine whose beam the LightGun follows; null detaches it. Set while
    // that machine is not running.
    void Attach(const TSp* machine) { machine_ = machine; }

    int32_t MouseX() const { return mouseX_.load(std::memory_order_relaxed); }
    int32_t MouseY() const { return mouseY_.load(std::memory_order_relaxed); }
    bool MouseButton() const { return mouseButton_.load(std::memory_order_relaxed); }
    // MouseMapX[x] and MouseMapY[y]: the picture coordinate (0-319, 0-239 inside
    // it) of a mouse position; -1 for positions outside the tables.
    int32_t MouseMapX(int32_t x) const { return MapThrough(mapX_, x); }
    int32_t MouseMapY(int32_t y) const { return MapThrough(mapY_, y); }

    // --- Emulation thread, from the machine's port reads ---------------------------
    uint8_t GunStick(uint8_t value, const uint8_t* screenPage) override;
    uint8_t LightGunLatch(uint8_t latch) override;
    std::optional<uint8_t> KempstonMouse(uint8_t portHigh) override;

private:
    using MouseMap = std::array<std::atomic<int32_t>, kMouseMapSize>;
    static int32_t MapThrough(const MouseMap& map, int32_t index) {
        if (index < 0 || index >= kMouseMapSize) return -1;
        return map[size_t(index)].load(std::memory_order_relaxed);
    }
    static void Fill(MouseMap& map, int32_t pictureSize, int32_t controlSize);

    std::atomic<int32_t> mouseX_{0};
    std::atomic<int32_t> mouseY_{0};
    std::atomic<bool> mouseButton_{false};
    std::atomic<int32_t> screenCursorX_{0};
    std::atomic<int32_t> screenCursorY_{0};
    MouseMap mapX_;
    MouseMap mapY_;
    const TSp* machine_ = nullptr;
};

// Makes the machine's mouse-driven devices read this pointer input.
void ConnectPointer(TSp& machine, PointerInput& pointer);

}  // namespace tarvolinde
