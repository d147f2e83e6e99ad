#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "app/Display.h"
#include "app/Settings.h"
#include "input/Controls.h"
#include "input/PadSource.h"
#include "support/PadBench.h"
#include "support/TempDir.h"

namespace {

// Virtual pads plugged into the real controller support, polled through
// g_controls as the game polls them.
class PadsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_controls = CControls();
        g_display.SetPointerRange(0, 0, kScreenW - 1, kScreenH - 1); // play may have narrowed it
        bench.Start();
    }
    void TearDown() override { g_controls = CControls(); }
    int Poll(int seat, EPadInput input)
    {
        g_controls.Poll();
        return g_controls.padState[seat][input];
    }
    CVirtualPad& pad(int i) { return bench.pads[i]; }
    SPadBench bench;
};

const EPadInput kDirections[] = {kPadUp, kPadDown, kPadLeft, kPadRight};

// Plugged in after start-up, each input runs the same history as a key and
// lands in its own entry only.
TEST_F(PadsTest, APadPluggedInLaterIsReadAtOnceEachInputInItsOwnEntry)
{
    g_controls.Poll();
    EXPECT_EQ(g_padSource.Seated(), 0);
    ASSERT_TRUE(pad(0).Attach());
    for (int input = 0; input < kPadInputs; ++input) {
        SCOPED_TRACE(input);
        pad(0).Press(EPadInput(input), true);
        std::vector<int> seen;
        for (bool down : {true, true, false, false}) {
            pad(0).Press(EPadInput(input), down);
            seen.push_back(Poll(0, EPadInput(input)));
            if (seen.size() == 1)
                for (int other = 0; other < kPadInputs; ++other)
                    if (other != input) {
                        EXPECT_EQ(g_controls.padState[0][other], kInputUp) << other;
                        EXPECT_EQ(g_controls.padState[1][other], kInputUp) << other;
                    }
        }
        EXPECT_EQ(seen, (std::vector<int>{kInputPressed, kInputHeld, kInputReleased, kInputUp}));
    }
    EXPECT_EQ(g_padSource.Seated(), 1);
}

// The left stick is a direction past half way, with its hysteresis; a
// diagonal push is two directions.
TEST_F(PadsTest, TheLeftStickIsTheFourDirectionsPastItsThreshold)
{
    ASSERT_TRUE(pad(0).Attach());
    struct Step {
        EPadAxis axis;
        int value;
        EPadInput input;
        int state;
    };
    const Step steps[] = {
        {kPadLeftY, -16000, kPadUp, kInputUp},      {kPadLeftY, -16384, kPadUp, kInputPressed},
        {kPadLeftY, -13000, kPadUp, kInputHeld},    {kPadLeftY, -12288, kPadUp, kInputReleased},
        {kPadLeftY, 32767, kPadDown, kInputPressed}, {kPadLeftX, -32768, kPadLeft, kInputPressed},
        {kPadLeftX, 20000, kPadRight, kInputPressed},
    };
    for (const Step& s : steps) {
        pad(0).Tilt(s.axis, s.value);
        EXPECT_EQ(Poll(0, s.input), s.state) << s.axis << " " << s.value;
    }
    EXPECT_EQ(g_controls.padState[0][kPadDown], kInputHeld) << "a diagonal: down and right at once";
    EXPECT_EQ(g_controls.padState[0][kPadLeft], kInputReleased);
}

// Player 1's pad and player 2's pad at once, each in its own seat.
TEST_F(PadsTest, TwoPadsAreTwoSeatsAndAThirdWaitsForAFreeOne)
{
    ASSERT_TRUE(pad(0).Attach("Pad one"));
    g_controls.Poll();
    ASSERT_TRUE(pad(1).Attach("Pad two"));
    ASSERT_TRUE(pad(2).Attach("Pad three"));
    pad(0).Press(kPadLeft, true);
    pad(1).Press(kPadRight, true);
    pad(2).Press(kPadA, true);
    g_controls.Poll();
    EXPECT_EQ(g_padSource.Seated(), 2);
    EXPECT_TRUE(g_controls.Pad(0, kPadLeft, kInputPressed));
    EXPECT_TRUE(g_controls.Pad(1, kPadRight, kInputPressed));
    EXPECT_FALSE(g_controls.Pad(0, kPadRight, kInputPressed));
    EXPECT_FALSE(g_controls.Pad(1, kPadLeft, kInputPressed));
    EXPECT_FALSE(g_controls.AnyPad(kPadA, kInputPressed)) << "the third pad is not read";

    pad(0).Detach(); // the third pad takes player 1's free seat at once
    g_controls.Poll();
    EXPECT_EQ(g_padSource.Seated(), 2);
    EXPECT_EQ(g_controls.padState[0][kPadA], kInputPressed);
    EXPECT_EQ(g_controls.padState[0][kPadLeft], kInputReleased);
}

// A pad pulled out with buttons and the stick held: they read as released,
// then up; plugged in again, it steers its own player, not another's.
TEST_F(PadsTest, APadPulledOutReleasesWhatItHeldAndGetsItsPlayerBack)
{
    ASSERT_TRUE(pad(0).Attach("Pad one"));
    ASSERT_TRUE(pad(1).Attach("Pad two"));
    pad(0).Press(kPadStart, true);
    pad(0).Tilt(kPadLeftY, -32768);
    pad(1).Press(kPadY, true);
    g_controls.Poll();
    g_controls.Poll();
    ASSERT_EQ(g_controls.padState[0][kPadStart], kInputHeld);
    ASSERT_EQ(g_controls.padState[0][kPadUp], kInputHeld);

    pad(0).Detach();
    g_controls.Poll();
    EXPECT_EQ(g_controls.padState[0][kPadStart], kInputReleased);
    EXPECT_EQ(g_controls.padState[0][kPadUp], kInputReleased);
    EXPECT_EQ(g_controls.padState[1][kPadY], kInputHeld) << "the other pad is untouched";
    g_controls.Poll();
    EXPECT_EQ(g_controls.padState[0][kPadStart], kInputUp);
    EXPECT_EQ(g_padSource.Seated(), 1);

    ASSERT_TRUE(pad(0).Attach("Pad one"));
    pad(0).Press(kPadB, true);
    g_controls.Poll();
    EXPECT_TRUE(g_controls.Pad(0, kPadB, kInputPressed)) << "back as player 1";
    EXPECT_EQ(g_controls.padState[0][kPadUp], kInputUp) << "a fresh pad holds nothing";
    EXPECT_TRUE(g_controls.Pad(1, kPadY, kInputHeld));

    // Both out, the second comes back first: still player 2.
    pad(0).Detach();
    pad(1).Detach();
    g_controls.Poll();
    ASSERT_TRUE(pad(1).Attach("Pad two"));
    pad(1).Press(kPadA, true);
    g_controls.Poll();
    EXPECT_TRUE(g_controls.Pad(1, kPadA, kInputPressed));
    EXPECT_FALSE(g_controls.Pad(0, kPadA, kInputPressed));
}

// Pads follow the once-per-poll rule: a press and release between two
// polls is never seen, and nothing changes without a poll.
TEST_F(PadsTest, PadStatesChangeOnlyInAPoll)
{
    ASSERT_TRUE(pad(0).Attach());
    g_controls.Poll();
    pad(0).Press(kPadA, true);
    pad(0).Press(kPadA, false);
    g_controls.Poll();
    EXPECT_EQ(g_controls.padState[0][kPadA], kInputUp);
    pad(0).Press(kPadA, true);
    g_controls.Poll();
    EXPECT_TRUE(g_controls.AnyPad(kPadA, kInputPressed));
    EXPECT_TRUE(g_controls.AnyPad(kPadA, kInputPressed)) << "asking twice changes nothing";
    for (int bad : {-1, kPadSeats})
        EXPECT_FALSE(g_controls.Pad(bad, kPadA, kInputUp));
    EXPECT_FALSE(g_controls.Pad(0, kPadInputs, kInputUp));
}

// The right stick moves the pointer in frame coordinates.
TEST_F(PadsTest, TheRightStickMovesThePointer)
{
    ASSERT_TRUE(pad(0).Attach());
    mouse_x = 500;
    mouse_y = 400;
    g_controls.Poll();
    pad(0).Tilt(kPadRightX, 32767);
    pad(0).Tilt(kPadRightY, -32768);
    for (int i = 0; i < 10; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        g_controls.Poll();
    }
    EXPECT_GT(mouse_x, 510);
    EXPECT_LT(mouse_y, 390);
    EXPECT_EQ(mouse_x - 500, 400 - mouse_y) << "the same pace on both axes";
}

// On a screen smaller than the frame two frame pixels share one output
// pixel: a slow push still gets the pointer there, in both directions.
TEST_F(PadsTest, TheRightStickMovesThePointerSlowlyOnASmallScreen)
{
    const ScreenFit::SRect saved = g_display.picture;
    g_display.picture = {0, 0, kScreenW / 2, kScreenH / 2};
    ASSERT_TRUE(pad(0).Attach());
    for (int direction : {-1, 1}) {
        SCOPED_TRACE(direction);
        mouse_x = 250;
        mouse_y = 200;
        pad(0).Tilt(kPadRightX, 0);
        g_controls.Poll();
        const int from = g_display.PointerX();
        pad(0).Tilt(kPadRightX, direction * 16500); // about a frame pixel a poll
        for (int i = 0; i < 30; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            g_controls.Poll();
        }
        EXPECT_GE(direction * (g_display.PointerX() - from), 15);
    }
    g_display.picture = saved;
}

class PadsSettingTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        g_padSource.Stop(); // other tests' Init may have left it running
    }
};

// settings.ini's [game] pads = 0 keeps the controller support off.
TEST_F(PadsSettingTest, PadsAreOnUnlessSettingsSayOff)
{
    WriteFile("data/control-1.ykd", "[controlTypes]\nuseKeyboard = 0\n"); // no library devices to fake
    for (const char* value : {"1", "0"}) {
        SCOPED_TRACE(value);
        ASSERT_TRUE(g_settings.Set("pads", value));
        CControls controls;
        controls.Init();
        EXPECT_EQ(controls.usePads, value[0] == '1');
        EXPECT_EQ(g_padSource.Running(), value[0] == '1');
        controls.Remove();
        EXPECT_FALSE(g_padSource.Running());
    }
    g_settings = CSettings();
}

// gamecontrollerdb.txt in the game's folder adds mappings for pads the
// built-in ones do not know; a file that cannot be used is said once, and
// the pads work on with the built-in mappings.
TEST_F(PadsSettingTest, AMappingFileThatCannotBeUsedIsSaidAndPadsWorkOn)
{
    struct Case {
        const char* what;
        std::string file; // empty: a folder of that name
        const char* message;
    };
    const Case cases[] = {
        {"mappings, a comment, another system's",
         "# pads of mine\n030000005e0400008e02000014010000,Some pad,a:b0,b:b1,x:b2,y:b3,platform:Linux,\n"
         "03000000aaaa0000bbbb000000000000,New pad,a:b1,b:b0,\r\n\n"
         "03000000cccc0000dddd000000000000,Other pad,a:b0,platform:Windows,\n",
         ""},
        {"lines that are no mapping", "# mine\nnot a mapping\n03000000aaaa0000bbbb000000000000,New pad,a:b1,\nnor this\n",
         "2 lines are no pad mapping (the first: line 2)"},
        {"a folder", "", "cannot be read"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(dir / "gamecontrollerdb.txt");
        if (c.file.empty())
            std::filesystem::create_directory(dir / "gamecontrollerdb.txt");
        else
            WriteFile("gamecontrollerdb.txt", c.file);
        g_controls = CControls();
        SPadBench bench;
        testing::internal::CaptureStderr();
        bench.Start();
        const std::string err = testing::internal::GetCapturedStderr();
        if (*c.message) {
            EXPECT_NE(err.find(c.message), std::string::npos) << err;
            EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        } else {
            EXPECT_EQ(err, "");
        }
        ASSERT_TRUE(bench.pads[0].Attach());
        bench.pads[0].Press(kPadA, true);
        g_controls.Poll();
        EXPECT_TRUE(g_controls.Pad(0, kPadA, kInputPressed));
    }
    g_controls = CControls();
}

} // namespace
