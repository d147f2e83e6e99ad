#include <allegro.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/Display.h"
#include "app/Settings.h"
#include "app/SettingsFile.h"
#include "input/Controls.h"
#include "play/SettingsScreen.h"
#include "support/PadBench.h"
#include "support/TempDir.h"

namespace {

class SettingsScreenTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        g_settings = CSettings();
        g_controls.useKeyboard = 1;
        g_controls.useMouse = 1;
        for (int k = 0; k < KEY_MAX; ++k)
            key[k] = 0;
    }
    void TearDown() override
    {
        for (int k = 0; k < KEY_MAX; ++k)
            key[k] = 0;
        g_controls.Poll();
        g_settings = CSettings();
        TempDirTest::TearDown();
    }
    // One pass with a key pressed, then one with it let go.
    bool Tap(int keyCode)
    {
        key[keyCode] = 1;
        g_controls.Poll();
        const bool on = screen.Pass();
        key[keyCode] = 0;
        g_controls.Poll();
        return screen.Pass() && on;
    }
    void Select(const char* name)
    {
        for (int i = 0; i < 40 && !SelectedIs(name); ++i)
            Tap(KEY_DOWN);
        ASSERT_TRUE(SelectedIs(name)) << name;
    }
    bool SelectedIs(const char* name) const
    {
        const SSettingRow* row = screen.Lines()[static_cast<size_t>(screen.Selected())].row;
        return name ? row && std::string(row->name) == name : !row;
    }
    std::string Stored(const char* section, const char* name)
    {
        set_config_file(kSettingsFile);
        std::string value = get_config_string(section, name, "(none)");
        set_config_file("release");
        return value;
    }

    CSettingsScreen screen{CSettingsScreen::SArt{}};
};

TEST_F(SettingsScreenTest, EveryRowOfTheTableHasItsOwnLineOnThePanelAndAValueToShow)
{
    std::set<const SSettingRow*> shown;
    int lastY = 0;
    for (const CSettingsScreen::SLine& line : screen.Lines()) {
        EXPECT_GE(line.y, lastY) << "lines overlap";
        lastY = line.y + CSettingsScreen::kLineH;
        EXPECT_GE(line.y, 96);
        EXPECT_LE(lastY, 700) << "a line below the panel";
        if (line.row) {
            EXPECT_TRUE(shown.insert(line.row).second);
            EXPECT_NE(CSettingsScreen::Shown(*line.row, line.row->defaultValue), "") << line.row->name;
        }
    }
    EXPECT_EQ(shown.size(), Settings::Rows().size());
    EXPECT_EQ(screen.Lines().back().row, nullptr) << "the reset line closes the list";
}

TEST_F(SettingsScreenTest, ValuesStepBothWaysAndWrapAtTheEnds)
{
    const SSettingRow& scale = *Settings::Find("windowscale");
    EXPECT_EQ(CSettingsScreen::Stepped(scale, "auto", +1), "1");
    EXPECT_EQ(CSettingsScreen::Stepped(scale, "1", +1), "1.5");
    EXPECT_EQ(CSettingsScreen::Stepped(scale, "auto", -1), "8");
    EXPECT_EQ(CSettingsScreen::Stepped(scale, "8", +1), "auto");
    const SSettingRow& fps = *Settings::Find("maxfps");
    EXPECT_EQ(CSettingsScreen::Stepped(fps, "display", +1), "30");
    EXPECT_EQ(CSettingsScreen::Stepped(fps, "45", +1), "display") << "a value typed into the file";
    const SSettingRow& full = *Settings::Find("fullscreen");
    EXPECT_EQ(CSettingsScreen::Stepped(full, "1", +1), "0");
    EXPECT_EQ(CSettingsScreen::Stepped(full, "0", -1), "1");
    for (const SSettingRow& row : Settings::Rows())
        for (const std::string& step : Settings::Steps(row))
            EXPECT_EQ(Settings::Normalise(row, step.c_str()), step) << row.name << " steps to " << step;
}

TEST_F(SettingsScreenTest, AChangeIsWrittenAtOnce)
{
    Select("pauseonfocusloss");
    Tap(KEY_RIGHT);
    EXPECT_EQ(g_settings.Text("pauseonfocusloss"), "0");
    EXPECT_EQ(Stored("game", "pauseonfocusloss"), "0");
    Select("scaling");
    Tap(KEY_LEFT);
    EXPECT_EQ(Stored("game", "scaling"), "whole");
    EXPECT_TRUE(Tap(KEY_SPACE)) << "Space changes a value and stays";
    EXPECT_EQ(Stored("game", "scaling"), "fill");
}

TEST_F(SettingsScreenTest, AKeyIsBoundByPressingItATakenOneIsRefusedAndResetPutsThemBack)
{
    Select("player1up");
    Tap(KEY_ENTER);
    ASSERT_TRUE(screen.Capturing());
    Tap(KEY_I);
    EXPECT_FALSE(screen.Capturing());
    EXPECT_EQ(g_settings.Text("player1up"), "I");
    EXPECT_EQ(Stored("keys", "player1up"), "I");

    Tap(KEY_ENTER);
    Tap(KEY_W); // player 2's up
    EXPECT_EQ(g_settings.Text("player1up"), "I");
    EXPECT_NE(screen.Message().find("already Player 2 up"), std::string::npos) << screen.Message();

    Tap(KEY_ENTER);
    EXPECT_TRUE(Tap(KEY_ESC)) << "Escape while waiting for a key keeps the screen";
    EXPECT_FALSE(screen.Capturing());
    EXPECT_EQ(screen.Message(), "") << "Escape was taken for a key";
    EXPECT_EQ(g_settings.Text("player1up"), "I");

    Select(nullptr);
    Tap(KEY_ENTER);
    EXPECT_EQ(g_settings.Text("player1up"), "UP");
    EXPECT_EQ(Stored("keys", "player1up"), "UP");
}

// A pad drives it as the keys do: the d-pad chooses and changes, A sets a
// key, B keeps the old one and then leaves; turning pads off stops them.
TEST_F(SettingsScreenTest, APadChoosesChangesSetsAKeyAndLeaves)
{
    SPadBench bench;
    bench.Start();
    ASSERT_TRUE(bench.pads[0].Attach());
    auto tap = [&](EPadInput input) {
        bench.pads[0].Press(input, true);
        g_controls.Poll();
        const bool on = screen.Pass();
        bench.pads[0].Press(input, false);
        g_controls.Poll();
        return screen.Pass() && on;
    };
    tap(kPadDown);
    EXPECT_TRUE(SelectedIs("scaling"));
    tap(kPadUp);
    EXPECT_TRUE(SelectedIs("fullscreen"));
    tap(kPadRight);
    EXPECT_EQ(Stored("game", "fullscreen"), "0");
    for (int i = 0; i < 40 && !SelectedIs("player2up"); ++i)
        tap(kPadDown);
    ASSERT_TRUE(SelectedIs("player2up"));
    tap(kPadA);
    EXPECT_TRUE(screen.Capturing());
    EXPECT_TRUE(tap(kPadB)) << "B while waiting for a key keeps the screen";
    EXPECT_FALSE(screen.Capturing());
    EXPECT_EQ(g_settings.Text("player2up"), "W");

    for (int i = 0; i < 40 && !SelectedIs("pads"); ++i)
        tap(kPadUp);
    ASSERT_TRUE(SelectedIs("pads")) << "the pad's Up was taken for a key";
    tap(kPadRight);
    EXPECT_EQ(Stored("game", "pads"), "0");
    EXPECT_EQ(g_controls.usePads, 0) << "pads turned off still read";
    Tap(KEY_RIGHT);
    EXPECT_NE(g_controls.usePads, 0) << "pads turned on again did not start";
    ASSERT_TRUE(bench.pads[1].Attach());
    bench.pads[1].Press(kPadB, true);
    g_controls.Poll();
    EXPECT_FALSE(screen.Pass()) << "B leaves";
}

TEST_F(SettingsScreenTest, EscapeLeavesAndTheSettingsAreSaved)
{
    EXPECT_FALSE(Tap(KEY_ESC));
    EXPECT_EQ(Stored("game", "maxfps"), "display");
    EXPECT_EQ(Stored("keys", "back"), "ESC");
}

} // namespace
