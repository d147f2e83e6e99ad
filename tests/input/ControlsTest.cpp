#include <allegro.h>
#include <gtest/gtest.h>

#include <vector>

#include "input/Controls.h"
#include "support/TempDir.h"

namespace {

// Drives the library's key[] and mouse_b the way the drivers would.
class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        controls = CControls();
        controls.useKeyboard = 1;
        controls.useMouse = 1;
        for (int i = 0; i < KEY_MAX; ++i)
            key[i] = 0;
        mouse_b = 0;
    }
    int PollKey(int code, bool down)
    {
        key[code] = down;
        controls.Poll();
        return controls.keyState[CControls::SlotOfKey(code)];
    }
    CControls controls;
};

TEST_F(ControlsTest, KeyHistoryRunsPressedHeldReleasedUp)
{
    std::vector<int> seen;
    for (bool down : {true, true, true, false, false})
        seen.push_back(PollKey(KEY_SPACE, down));
    EXPECT_EQ(seen, (std::vector<int>{2, 3, 3, 1, 0}));
}

TEST_F(ControlsTest, PressAndReleaseBetweenPollsIsNeverSeen)
{
    key[KEY_P] = 1;
    key[KEY_P] = 0;
    controls.Poll();
    EXPECT_FALSE(controls.Key(KEY_P, kInputPressed));
    EXPECT_TRUE(controls.Key(KEY_P, kInputUp));
}

TEST_F(ControlsTest, PressedBindingIsFalseWhileHeld)
{
    PollKey(KEY_LEFT, true);
    EXPECT_TRUE(controls.Key(KEY_LEFT, kInputPressed));
    PollKey(KEY_LEFT, true);
    EXPECT_FALSE(controls.Key(KEY_LEFT, kInputPressed));
    EXPECT_TRUE(controls.Key(KEY_LEFT, kInputHeld));
}

TEST_F(ControlsTest, BothMouseButtonsMakeAllThreeSlotsJustPressed)
{
    mouse_b = 3;
    controls.Poll();
    for (int slot = 0; slot < 3; ++slot)
        EXPECT_TRUE(controls.Mouse(slot, kInputPressed)) << slot;
    EXPECT_EQ(controls.mouseState[3], 0);
    mouse_b = 2;
    controls.Poll();
    EXPECT_TRUE(controls.Mouse(0, kInputReleased));
    EXPECT_TRUE(controls.Mouse(1, kInputReleased));
    EXPECT_TRUE(controls.Mouse(2, kInputHeld));
}

TEST_F(ControlsTest, KeyboardSlotsAreThePackedAllegroCodes)
{
    struct Case {
        int code, slot;
    };
    for (Case c : {Case{KEY_A, 0}, Case{KEY_PAUSE, 92}, Case{KEY_AT, 93}, Case{KEY_COLON2, 95},
                   Case{KEY_EQUALS_PAD, 96}, Case{KEY_COMMAND, 99}, Case{KEY_LSHIFT, 100},
                   Case{KEY_CAPSLOCK, 111}, Case{KEY_KANJI, -1}, Case{KEY_ABNT_C1, -1}}) {
        EXPECT_EQ(CControls::SlotOfKey(c.code), c.slot) << c.code;
        if (c.slot >= 0) {
            EXPECT_EQ(CControls::KeyOfSlot(c.slot), c.code);
        }
    }
}

TEST_F(ControlsTest, BindingsOutsideTheirDeviceAreNeverActive)
{
    EXPECT_TRUE(controls.IsActive({kDeviceKeyboard, 0, kInputUp}));
    for (CControlBinding b : {CControlBinding{2, 0, 0}, CControlBinding{7, 0, 0}, CControlBinding{-1, 0, 0},
                              CControlBinding{kDeviceKeyboard, 112, 0}, CControlBinding{kDeviceMouse, 3, 0},
                              CControlBinding{kDeviceJoystick1, 12, 0}})
        EXPECT_FALSE(controls.IsActive(b)) << b.device << "/" << b.code;
    EXPECT_TRUE(controls.IsActive({kDeviceJoystick4, 11, kInputUp}));
}

class ControlsFileTest : public TempDirTest {};

TEST_F(ControlsFileTest, MissingDefinitionInstallsNothingAndWritesTheKeys)
{
    std::filesystem::create_directories(dir / "data");
    CControls controls;
    controls.Init();
    EXPECT_EQ(controls.useKeyboard, 0);
    EXPECT_EQ(controls.useMouse, 0);
    EXPECT_EQ(controls.numJoysticks, 0);
    const std::string text = ReadFile("data/control-1.ykd");
    for (const char* k : {"useKeyboard", "useMouse", "useJoysticks"})
        EXPECT_NE(text.find(k), std::string::npos) << k;
}

} // namespace
