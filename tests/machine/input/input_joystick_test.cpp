// Joysticks: PC key events onto the Kempston and Fuller ports, and the PC
// joystick polled into key events.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "../machine_test_support.h"
#include "machine/input/key_mapping.h"
#include "machine/input/pc_joystick.h"
#include "machine/input/shared_input.h"
#include "platform/joystick_source.h"

namespace tarvolinde {
namespace {

using Posted = std::vector<std::pair<bool, int>>;

struct Recorder {
    Posted posted;
    PcJoystick joystick{[this](bool down, int key) { posted.emplace_back(down, key); }};

    Posted Poll(const std::optional<JoystickReading>& reading) {
        posted.clear();
        joystick.Poll(reading);
        return posted;
    }
};

class FakeJoystick final : public JoystickSource {
public:
    std::optional<JoystickReading> reading;
    bool Present() override { return reading.has_value(); }
    std::optional<JoystickReading> Read() override { return reading; }
};

TEST(JoystickPortValues, KempstonBitsSetWhenPressedFullerBitsClear) {
    auto machine = test::MadeUpMachine(kModel48K);
    const auto key = [&](bool down, int vk) { ApplyKeyEvent(*machine, {down, vk, {}}, false); };
    machine->Joystick = JoystickType::Kempston;
    key(true, virtual_key::Right);
    EXPECT_EQ(machine->InPort(0x001F), 0x01);
    key(false, virtual_key::Right);
    key(true, virtual_key::Left);
    key(true, virtual_key::NumPad0);
    EXPECT_EQ(machine->InPort(0x001F), 0x12);

    machine->Joystick = JoystickType::Fuller;
    EXPECT_EQ(machine->InPort(0x007F), 0xFF);
    key(true, virtual_key::Left);
    key(true, virtual_key::Down);
    key(true, virtual_key::NumPad0);
    EXPECT_EQ(machine->InPort(0x007F), 0x79);
    EXPECT_EQ(machine->KempstonJoy, 0x12);  // kept while the Fuller joystick was chosen
}

TEST(PcJoystick, ThresholdsOfTheAxes) {
    using S = std::array<bool, 5>;  // left, right, up, down, fire
    EXPECT_EQ(PcJoystick::StatesOf({-100, 100, false}), S{});
    EXPECT_EQ(PcJoystick::StatesOf({-101, 101, false}), (S{true, false, false, true, false}));
    EXPECT_EQ(PcJoystick::StatesOf({101, -101, true}), (S{false, true, true, false, true}));
}

TEST(PcJoystick, PostsOnlyChangesInLeftRightUpDownFireOrder) {
    Recorder r;
    EXPECT_EQ(r.Poll(JoystickReading{0, 0, false}), Posted{});
    EXPECT_EQ(r.Poll(JoystickReading{-500, -500, true}), (Posted{{true, 37}, {true, 38}, {true, 96}}));
    EXPECT_EQ(r.Poll(JoystickReading{-500, -500, true}), Posted{});
    EXPECT_EQ(r.Poll(JoystickReading{500, 500, true}), (Posted{{false, 37}, {true, 39}, {false, 38}, {true, 40}}));
    // The joystick gone: everything held comes up.
    EXPECT_EQ(r.Poll(std::nullopt), (Posted{{false, 39}, {false, 40}, {false, 96}}));
    EXPECT_EQ(r.Poll(std::nullopt), Posted{});
}

TEST(PcJoystick, ReadsTheSourceOnlyWhileTheWindowIsActive) {
    Recorder r;
    FakeJoystick source;
    source.reading = JoystickReading{0, 900, false};
    r.joystick.Poll(source);
    r.joystick.SetWindowActive(false);
    r.joystick.Poll(source);
    r.joystick.SetWindowActive(true);
    r.joystick.Poll(source);
    EXPECT_EQ(r.posted, (Posted{{true, 40}, {false, 40}, {true, 40}}));
    NoJoystick none;
    Recorder idle;
    idle.joystick.Poll(none);
    EXPECT_TRUE(idle.posted.empty());
}

TEST(PcJoystick, PostedKeysGoThroughTheKeyMapping) {
    SharedInput input;
    const KeyOptions sinclair2{JoystickType::Sinclair2, false};
    PcJoystick joystick([&](bool down, int key) { input.HandleKey({down, key, {}}, sinclair2); });
    joystick.Poll(JoystickReading{800, -800, true});  // right, up, fire: 2, 4, 5
    EXPECT_EQ(input.Current().KeyRows[3], 0xFF & ~0x02 & ~0x08 & ~0x10);
    joystick.Poll(JoystickReading{0, 0, false});
    EXPECT_EQ(input.Current(), InputBytes{});
}

TEST(JoystickAxisScale, FullRangeCentreAndDeadZone) {
    const int cases[][4] = {{-32768, -32768, 32767, -1000}, {32767, -32768, 32767, 1000},
                            {-40000, -32768, 32767, -1000},  // out of range: clamped
                            {1049, 0, 2000, 0}, {951, 0, 2000, 0}, {1050, 0, 2000, 50}, {950, 0, 2000, -50},
                            {5, 10, 10, 0}};  // no range at all
    for (const auto& [raw, low, high, scaled] : cases) EXPECT_EQ(ScaleJoystickAxis(raw, low, high), scaled) << raw;
}

}  // namespace
}  // namespace tarvolinde
