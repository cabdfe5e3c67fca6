#include "platform/sdl/sdl_joystick.h"

#include <SDL.h>

#include <mutex>

namespace tarvolinde {

namespace {

// Polls between tries to open a joystick when none is open (about a second of frames).
constexpr int kRetryPolls = 50;

class SdlJoystick final : public JoystickSource {
public:
    SdlJoystick() {
        // Otherwise SDL turns SIGINT and SIGTERM into quit events that nobody reads.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        started_ = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
        // Nobody pumps SDL's event queue (the window belongs to another toolkit),
        // so the joystick is read directly and queues no events.
        if (started_) SDL_JoystickEventState(SDL_IGNORE);
    }

    ~SdlJoystick() override {
        if (joystick_) SDL_JoystickClose(joystick_);
        if (started_) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }

    SdlJoystick(const SdlJoystick&) = delete;
    SdlJoystick& operator=(const SdlJoystick&) = delete;

    bool Present() override {
        const std::lock_guard lock(mutex_);
        if (!started_) return false;
        SDL_JoystickUpdate();
        return OpenIfNeeded(true);
    }

    std::optional<JoystickReading> Read() override {
        const std::lock_guard lock(mutex_);
        if (!started_) return std::nullopt;
        SDL_JoystickUpdate();
        if (!OpenIfNeeded(false)) return std::nullopt;
        JoystickReading reading;
        reading.X = ScaleJoystickAxis(SDL_JoystickGetAxis(joystick_, 0), SDL_JOYSTICK_AXIS_MIN, SDL_JOYSTICK_AXIS_MAX);
        reading.Y = ScaleJoystickAxis(SDL_JoystickGetAxis(joystick_, 1), SDL_JOYSTICK_AXIS_MIN, SDL_JOYSTICK_AXIS_MAX);
        reading.Button0 = SDL_JoystickGetButton(joystick_, 0) != 0;
        return reading;
    }

private:
    // Keeps joystick 0 open while it is attached; retries now and then when it is not.
    bool OpenIfNeeded(bool now) {
        if (joystick_ && !SDL_JoystickGetAttached(joystick_)) {
            SDL_JoystickClose(joystick_);
            joystick_ = nullptr;
        }
        if (joystick_) return true;
        if (!now && retryCountdown_-- > 0) return false;
        retryCountdown_ = kRetryPolls;
        if (SDL_NumJoysticks() > 0) joystick_ = SDL_JoystickOpen(0);
        return joystick_ != nullptr;
    }

    std::mutex mutex_;
    bool started_ = false;
    SDL_Joystick* joystick_ = nullptr;
    int retryCountdown_ = 0;
};

}  // namespace

std::unique_ptr<JoystickSource> CreateSdlJoystick() { return std::make_unique<SdlJoystick>(); }

}  // namespace tarvolinde
