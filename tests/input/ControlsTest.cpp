#include <allegro.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "input/Controls.h"
#include "support/FakeInputDrivers.h"
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

// F11 and Alt+Enter each switch full screen once a press, taken once; Enter
// with Alt held is not Enter to the game (it would also choose a system).
TEST_F(ControlsTest, FullscreenKeysAskOncePerPressAndAltEnterIsNoEnter)
{
    EXPECT_FALSE(controls.TakeFullscreenToggle());
    PollKey(KEY_F11, true);
    PollKey(KEY_F11, true);
    EXPECT_TRUE(controls.TakeFullscreenToggle());
    EXPECT_FALSE(controls.TakeFullscreenToggle()) << "taken once";
    PollKey(KEY_F11, false);
    EXPECT_FALSE(controls.TakeFullscreenToggle());

    key[KEY_ALT] = 1;
    EXPECT_EQ(PollKey(KEY_ENTER, true), kInputUp);
    EXPECT_TRUE(controls.TakeFullscreenToggle());
    EXPECT_EQ(PollKey(KEY_ENTER, true), kInputUp);
    EXPECT_FALSE(controls.TakeFullscreenToggle()) << "held, not pressed again";
    key[KEY_ALT] = 0;
    PollKey(KEY_ENTER, false);
    EXPECT_EQ(PollKey(KEY_ENTER, true), kInputPressed) << "Enter alone is Enter";
    EXPECT_FALSE(controls.TakeFullscreenToggle());
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

// The Allegro key codes of keyboard slots 0, 1, 2, ... in order: 1 to 93,
// 99 to 101, 103 to 106 and 115 to 126.
std::vector<int> SlotKeyCodes()
{
    std::vector<int> codes;
    for (auto [first, last] : {std::pair{1, 93}, std::pair{99, 101}, std::pair{103, 106}, std::pair{115, 126}})
        for (int c = first; c <= last; ++c)
            codes.push_back(c);
    return codes;
}

TEST_F(ControlsTest, EachKeyLandsInItsOwnSlotAndNoOther)
{
    const std::vector<int> codes = SlotKeyCodes();
    ASSERT_EQ(codes.size(), 112u);
    for (size_t slot = 0; slot < codes.size(); ++slot) {
        SCOPED_TRACE(::testing::Message() << "slot " << slot << ", key " << codes[slot]);
        key[codes[slot]] = 1;
        controls.Poll();
        for (int s = 0; s < CControls::kKeySlots; ++s)
            ASSERT_EQ(controls.keyState[s], s == int(slot) ? kInputPressed : kInputUp) << s;
        EXPECT_TRUE(controls.Key(codes[slot], kInputPressed));
        EXPECT_TRUE(controls.IsActive({kDeviceKeyboard, int(slot), kInputPressed}));
        key[codes[slot]] = 0;
        controls.Poll();
        EXPECT_EQ(controls.keyState[slot], kInputReleased);
        controls.Poll();
    }
    // Codes between the packed ranges have no slot.
    for (int c : {94, 95, 96, 97, 98, 102, 107, 110, 114}) {
        key[c] = 1;
        controls.Poll();
        for (int s = 0; s < CControls::kKeySlots; ++s)
            ASSERT_EQ(controls.keyState[s], kInputUp) << c;
        key[c] = 0;
    }
}

TEST_F(ControlsTest, DevicesNotInstalledAreNotPolled)
{
    controls.useKeyboard = 0;
    controls.useMouse = 0;
    key[KEY_SPACE] = 1;
    mouse_b = 3;
    controls.Poll();
    EXPECT_TRUE(controls.Key(KEY_SPACE, kInputUp));
    for (int slot = 0; slot < 3; ++slot)
        EXPECT_TRUE(controls.Mouse(slot, kInputUp)) << slot;
}

// Joystick buttons as the library reports them; joy[] is reset afterwards.
class JoystickTest : public ControlsTest {
protected:
    void TearDown() override
    {
        for (int j = 0; j < MAX_JOYSTICKS; ++j)
            joy[j] = JOYSTICK_INFO{};
    }
};

TEST_F(JoystickTest, ButtonsArePolledPerJoystickAndAskedForAsDevices3To6)
{
    controls.numJoysticks = 2;
    for (int j = 0; j < 2; ++j)
        joy[j].num_buttons = 12;
    joy[1].button[4].b = 1; // joystick 2, button 4
    controls.Poll();
    EXPECT_EQ(controls.joyButtons[1][4], kInputPressed);
    EXPECT_TRUE(controls.IsActive({4, 4, kInputPressed}));
    EXPECT_FALSE(controls.IsActive({3, 4, kInputPressed}));
    EXPECT_FALSE(controls.IsActive({5, 4, kInputPressed}));
    controls.Poll();
    EXPECT_TRUE(controls.IsActive({4, 4, kInputHeld}));
    joy[1].button[4].b = 0;
    controls.Poll();
    EXPECT_TRUE(controls.IsActive({4, 4, kInputReleased}));

    // Device n + 3 is joystick n + 1, up to the fourth.
    controls.joyButtons[3][11] = kInputHeld;
    EXPECT_TRUE(controls.IsActive({6, 11, kInputHeld}));
    controls.joyButtons[0][0] = kInputPressed;
    EXPECT_TRUE(controls.IsActive({3, 0, kInputPressed}));

    controls.numJoysticks = 0; // none found: not polled
    joy[0].button[2].b = 1;
    controls.Poll();
    EXPECT_EQ(controls.joyButtons[0][2], kInputUp);
}


// The game only reads its data files: control-1.ykd stays byte for byte as
// it was. (A missing or unusable file is among the bad-input rows.)
TEST_F(ControlsFileTest, EachKeyDecidesItsDeviceAndTheFileIsLeftAsItWas)
{
    struct Case {
        const char* file;
        int keyboard, mouse;
    };
    const Case cases[] = {
        {"[controlTypes]\nuseKeyboard = 3\nuseMouse = 7\nuseJoysticks = 2\n", 3, 7},
        {"[controlTypes]\nuseMouse = 1\n", 0, 1},
        {"[controlTypes]\nuseKeyboard = -1\n", -1, 0},
        {"[controlTypes]\nuseKeyboard = 0\nuseMouse = 0\n", 0, 0}, // as asked, however unwise
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        WriteFile("data/control-1.ykd", c.file);
        CControls controls;
        controls.keyState[5] = kInputHeld; // whatever was there before goes
        controls.numJoysticks = 3;
        {
            CFakeDrivers drivers;
            controls.Init();
        }
        EXPECT_EQ(controls.useKeyboard, c.keyboard);
        EXPECT_EQ(controls.useMouse, c.mouse);
        EXPECT_EQ(controls.numJoysticks, 0); // wanted or not, this machine has none
        EXPECT_EQ(controls.keyState[5], kInputUp);
        EXPECT_EQ(ReadFile("data/control-1.ykd"), c.file);
    }
}

} // namespace
