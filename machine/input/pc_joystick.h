#pragma once
// The PC joystick played as the cursor keys: after every frame the emulation
// thread reads the joystick and, for each direction or the fire button that
// changed, posts a key-down or key-up of the matching virtual key to the
// user-interface thread. The keys then go through the key mapping there, so
// the matrix and joystick bytes have only one writer.

#include <array>
#include <atomic>
#include <functional>
#include <utility>
#include <optional>

#include "machine/input/key_mapping.h"
#include "platform/joystick_source.h"

namespace tarvolinde {

class PcJoystick {
public:
    // Posts a key event to the user-interface thread; it must not wait for it.
    using PostKey = std::function<void(bool down, int virtualKey)>;

    // Left, right, up, down and fire: the order the changes are posted in.
    static constexpr std::array<int, 5> kVirtualKeys{virtual_key::Left, virtual_key::Right, virtual_key::Up,
                                                    virtual_key::Down, virtual_key::NumPad0};
    // Axis values beyond these count as a direction.
    static constexpr int32_t kLeftUpBelow = -100;
    static constexpr int32_t kRightDownFrom = 101;

    explicit PcJoystick(PostKey post) : post_(std::move(post)) {}

    // User-interface thread: the joystick only plays while the main window is active.
    void SetWindowActive(bool active) { windowActive_.store(active, std::memory_order_relaxed); }

    // Emulation thread, after the end of a frame. With no reading (no joystick,
    // or the window inactive) every held direction and the button are released.
    void Poll(JoystickSource& source);
    void Poll(const std::optional<JoystickReading>& reading);

    // The state last posted: left, right, up, down, fire.
    const std::array<bool, 5>& PcJoyState() const { return pcJoyState_; }

    // The five states a reading stands for.
    static std::array<bool, 5> StatesOf(const JoystickReading& reading);

private:
    PostKey post_;
    std::array<bool, 5> pcJoyState_{};
    std::atomic<bool> windowActive_{true};
};

}  // namespace tarvolinde
