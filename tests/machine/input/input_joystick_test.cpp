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

// A joystick whose reading the test sets.
class FakeJoystick final : public JoystickSource {
public:
    std::optional<JoystickReading> reading;
    bool Present() override { return reading.has_value(); }
    std::optional<JoystickReading> Read() override { return reading; }
};

TEST(JoystickPortValues, KempstonBitsSetWhenPressedFullerBitsClear) {
    auto machine = test::MadeUpMachine(kModel48K);
    machine->Joystick = JoystickType::Kempston;
    EXPECT_EQ(ApplyKeyEvent(*machine, {true, virtual_key::Right, {}}, false), KeyEventResult::Applied);
    EXPECT_EQ(machine->InPort(0x001F), 0x01);
    ApplyKeyEvent(*machine, {false, virtual_key::Right, {}}, false);
    EXPECT_EQ(machine->InPort(0x001F), 0x00);
    ApplyKeyEvent(*machine, {true, virtual_key::Left, {}}, false);
    ApplyKeyEvent(*machine, {true, virtual_key::NumPad0, {}}, false);
    EXPECT_EQ(machine->InPort(0x001F), 0x12);

    machine->Joystick = JoystickType::Fuller;
    EXPECT_EQ(machine->InPort(0x007F), 0xFF);
    ApplyKeyEvent(*machine, {true, virtual_key::Left, {}}, false);
    EXPECT_EQ(machine->InPort(0x007F), 0xFB);
    ApplyKeyEvent(*machine, {true, virtual_key::Down, {}}, false);
    ApplyKeyEvent(*machine, {true, virtual_key::NumPad0, {}}, false);
    EXPECT_EQ(machine->InPort(0x007F), 0x79);
    // The Kempston byte kept its state while the Fuller joystick was chosen.
    EXPECT_EQ(machine->KempstonJoy, 0x12);
}

TEST(PcJoystick, ThresholdsOfTheAxes) {
    struct Case {
        int32_t x, y;
        std::array<bool, 5> state;  // left, right, up, down, fire
    };
    for (const Case& c : {Case{0, 0, {}}, Case{-100, -100, {}}, Case{100, 100, {}},
                          Case{-101, 0, {true, false, false, false, false}},
                          Case{101, 0, {false, true, false, false, false}},
                          Case{0, -101, {false, false, true, false, false}},
                          Case{0, 101, {false, false, false, true, false}},
                          Case{-1000, 1000, {true, false, false, true, false}}}) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(PcJoystick::StatesOf({c.x, c.y, false}), c.state);
    }
    EXPECT_EQ(PcJoystick::StatesOf({0, 0, true}), (std::array<bool, 5>{false, false, false, false, true}));
}

TEST(PcJoystick, PostsOnlyChangesInLeftRightUpDownFireOrder) {
    Recorder r;
    EXPECT_EQ(r.Poll(JoystickReading{0, 0, false}), Posted{});
    EXPECT_EQ(r.Poll(JoystickReading{-500, -500, true}), (Posted{{true, 37}, {true, 38}, {true, 96}}));
    EXPECT_EQ(r.Poll(JoystickReading{-500, -500, true}), Posted{});
    EXPECT_EQ(r.Poll(JoystickReading{500, 500, true}), (Posted{{false, 37}, {true, 39}, {false, 38}, {true, 40}}));
    EXPECT_EQ(r.joystick.PcJoyState(), (std::array<bool, 5>{false, true, false, true, true}));
    // The joystick gone: everything held comes up.
    EXPECT_EQ(r.Poll(std::nullopt), (Posted{{false, 39}, {false, 40}, {false, 96}}));
    EXPECT_EQ(r.Poll(std::nullopt), Posted{});
}

TEST(PcJoystick, ReadsTheSourceOnlyWhileTheWindowIsActive) {
    Recorder r;
    FakeJoystick source;
    source.reading = JoystickReading{0, 900, false};
    r.joystick.Poll(source);
    EXPECT_EQ(r.posted, (Posted{{true, 40}}));
    r.posted.clear();
    r.joystick.SetWindowActive(false);
    r.joystick.Poll(source);
    EXPECT_EQ(r.posted, (Posted{{false, 40}}));
    r.posted.clear();
    r.joystick.SetWindowActive(true);
    r.joystick.Poll(source);
    EXPECT_EQ(r.posted, (Posted{{true, 40}}));

    NoJoystick none;
    EXPECT_FALSE(none.Present());
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
    EXPECT_EQ(ScaleJoystickAxis(-32768, -32768, 32767), -1000);
    EXPECT_EQ(ScaleJoystickAxis(32767, -32768, 32767), 1000);
    EXPECT_EQ(ScaleJoystickAxis(0, -32768, 32767), 0);
    EXPECT_EQ(ScaleJoystickAxis(-40000, -32768, 32767), -1000);  // out of range: clamped
    // On a 0..2000 raw range the values read straight through, apart from the dead zone.
    EXPECT_EQ(ScaleJoystickAxis(1049, 0, 2000), 0);
    EXPECT_EQ(ScaleJoystickAxis(951, 0, 2000), 0);
    EXPECT_EQ(ScaleJoystickAxis(1050, 0, 2000), 50);
    EXPECT_EQ(ScaleJoystickAxis(950, 0, 2000), -50);
    EXPECT_EQ(ScaleJoystickAxis(1101, 0, 2000), 101);
    EXPECT_EQ(ScaleJoystickAxis(5, 10, 10), 0);  // no range at all
}

}  // namespace
}  // namespace tarvolinde
