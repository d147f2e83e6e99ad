#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <string>

#include "app/FramePacer.h"
#include "app/Settings.h"
#include "app/SettingsFile.h"
#include "support/TempDir.h"

namespace {

class SettingsTest : public TempDirTest {
protected:
    std::string Stored(const char* section, const char* key)
    {
        set_config_file(kSettingsFile);
        std::string value = get_config_string(section, key, "(none)");
        set_config_file("release");
        return value;
    }
};

// A value of every row other than its default, in the row's own form.
std::string OtherValue(const SSettingRow& row)
{
    switch (row.type) {
    case ESettingType::kSwitch:
        return std::string(row.defaultValue) == "1" ? "0" : "1";
    case ESettingType::kChoice:
        return Settings::Words(row).back();
    case ESettingType::kNumber:
        return std::to_string(static_cast<int>(row.high));
    case ESettingType::kKey: {
        // Keys no row has by default, one for each key row.
        int ordinal = 0;
        for (const SSettingRow& r : Settings::Rows()) {
            if (&r == &row)
                break;
            ordinal += r.type == ESettingType::kKey;
        }
        const char* const others[] = {"PAD0", "PAD1", "PAD2", "PAD3", "PAD4", "PAD5", "PAD6",
                                      "PAD7", "PAD8", "PAD9", "F12",  "F10",  "F9",   "F8"};
        return others[ordinal];
    }
    }
    return "";
}

TEST_F(SettingsTest, EveryRowIsWrittenAtItsDefaultAndKeepsAnotherValueThroughAWriteAndARead)
{
    CSettings settings;
    settings.Load(kSettingsFile); // no file yet
    for (const SSettingRow& row : Settings::Rows()) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Stored(row.section, row.name), row.defaultValue);
        EXPECT_EQ(settings.Text(row.name), row.defaultValue);
        EXPECT_TRUE(Settings::Normalise(row, row.defaultValue)) << "the default is a value the row takes";
        EXPECT_STRNE(row.help, "");
        ASSERT_TRUE(settings.Set(row.name, OtherValue(row)));
    }
    ASSERT_TRUE(settings.Save(kSettingsFile));
    CSettings again;
    again.Load(kSettingsFile);
    for (const SSettingRow& row : Settings::Rows())
        EXPECT_EQ(again.Text(row.name), OtherValue(row)) << row.name;
}

// What a new player gets: full screen, the largest fit, the automatic
// window scale, and frames at the monitor's pace (60 a second when the
// monitor does not say).
TEST_F(SettingsTest, ANewPlayerPlaysFullScreenFilledAtTheDisplaysPace)
{
    CSettings settings;
    settings.Load(kSettingsFile);
    EXPECT_TRUE(settings.Switch("fullscreen"));
    EXPECT_TRUE(settings.Is("scaling", "fill"));
    EXPECT_TRUE(settings.Is("windowscale", "auto"));
    EXPECT_EQ(settings.Number("windowscale", 0), 0) << "auto is no number";
    EXPECT_DOUBLE_EQ(CFramePacer::RateOf(settings.Text("maxfps"), 0), 60);
    EXPECT_DOUBLE_EQ(CFramePacer::RateOf(settings.Text("maxfps"), 144), 144);
}

TEST_F(SettingsTest, ValuesAreReadInTheRowsOwnFormOrRefused)
{
    struct SCase {
        const char* name;
        const char* text;
        const char* value; // nullptr: refused
    };
    const SCase cases[] = {
        {"fullscreen", "5", "1"},       {"fullscreen", "0", "0"},        {"fullscreen", "yes", "0"},
        {"scaling", "fill", "fill"},    {"scaling", " whole ", "whole"}, {"scaling", "Fill", nullptr},
        {"scaling", "", nullptr},       {"windowscale", "auto", "auto"}, {"windowscale", "1.5", "1.5"},
        {"windowscale", "1.7", "1.5"},  {"windowscale", "2", "2"},       {"windowscale", "20", "8"},
        {"windowscale", "0", "1"},      {"windowscale", "big", nullptr}, {"windowscale", "2x", nullptr},
        {"windowscale", "nan", nullptr}, {"maxfps", "display", "display"}, {"maxfps", "0", "0"},
        {"maxfps", "144", "144"},       {"maxfps", "59.7", "60"},        {"maxfps", "-5", "0"},
        {"maxfps", "", nullptr},
    };
    for (const SCase& c : cases) {
        const SSettingRow* row = Settings::Find(c.name);
        ASSERT_NE(row, nullptr) << c.name;
        const auto value = Settings::Normalise(*row, c.text);
        if (c.value)
            EXPECT_EQ(value, std::string(c.value)) << c.name << " = " << c.text;
        else
            EXPECT_FALSE(value) << c.name << " = " << c.text;
    }
}

TEST_F(SettingsTest, ABrokenValueKeepsTheDefaultSaysSoOnceAndIsWrittenRight)
{
    WriteFile(kSettingsFile, "[game]\nwindowscale = huge\nscaling = whole\n[mine]\nkept = 1\n");
    testing::internal::CaptureStderr();
    CSettings settings;
    settings.Load(kSettingsFile);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(settings.Text("windowscale"), "auto");
    EXPECT_EQ(settings.Text("scaling"), "whole");
    EXPECT_NE(said.find("windowscale = \"huge\" is not auto or a number from 1 to 8; using auto"), std::string::npos)
        << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
    EXPECT_EQ(Stored("game", "windowscale"), "auto");
    EXPECT_EQ(Stored("mine", "kept"), "1");
}

// [keys]: names in any case are written in their own form; an unknown name,
// F11, or a key an earlier action holds, falls back to the line's default,
// each said once; a file that binds a key twice even then gets every key
// back at its default.
TEST_F(SettingsTest, KeyLinesAreNamesOfKeysNoTwoTheSame)
{
    WriteFile(kSettingsFile, "[keys]\nplayer1up = i\nplayer1down = Nokey\nplayer1left = F11\n"
                             "player1right = I\npause = PAD5\n");
    testing::internal::CaptureStderr();
    CSettings settings;
    settings.Load(kSettingsFile);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(settings.Text("player1up"), "I");
    EXPECT_EQ(settings.Key("player1up"), KEY_I);
    EXPECT_EQ(settings.Text("player1down"), "DOWN");
    EXPECT_EQ(settings.Text("player1left"), "LEFT");
    EXPECT_EQ(settings.Text("player1right"), "RIGHT") << "I is player1up's";
    EXPECT_EQ(settings.Text("pause"), "PAD5");
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 3) << said;
    EXPECT_NE(said.find("player1right = I is another action's key; using RIGHT"), std::string::npos) << said;
    EXPECT_EQ(Stored("keys", "player1up"), "I");
    EXPECT_EQ(Stored("keys", "player1down"), "DOWN");

    // W taken by player 1, so player 2's up (W by default) cannot go back to it.
    WriteFile(kSettingsFile, "[keys]\nplayer1up = W\nplayer2up = W\n");
    testing::internal::CaptureStderr();
    settings.Load(kSettingsFile);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("every key is back at its default"), std::string::npos);
    EXPECT_EQ(settings.Text("player1up"), "UP");
    EXPECT_EQ(settings.Text("player2up"), "W");

    // The settings screen's way in: a key another action holds is refused, naming it.
    EXPECT_FALSE(settings.Set("player1up", "w"));
    ASSERT_NE(settings.KeyTakenBy("player1up", "w"), nullptr);
    EXPECT_STREQ(settings.KeyTakenBy("player1up", "w")->name, "player2up");
    EXPECT_EQ(settings.KeyTakenBy("player2up", "w"), nullptr) << "its own key is no clash";
    EXPECT_TRUE(settings.Set("player1up", "PAD8"));
    settings.ResetKeys();
    EXPECT_EQ(settings.Text("player1up"), "UP");
}

// The version before scaling wrote "maxfps = 0" into every file without the
// player asking; a file of that version gets the monitor's pace.
TEST_F(SettingsTest, AnUncappedPaceWrittenBeforeScalingExistedBecomesTheDisplays)
{
    WriteFile(kSettingsFile, "[game]\nfullscreen = 1\nmaxfps = 0\n");
    CSettings settings;
    settings.Load(kSettingsFile);
    EXPECT_EQ(settings.Text("maxfps"), "display");
    EXPECT_EQ(Stored("game", "maxfps"), "display");

    WriteFile(kSettingsFile, "[game]\nfullscreen = 1\nscaling = fill\nmaxfps = 0\n");
    settings.Load(kSettingsFile);
    EXPECT_EQ(settings.Text("maxfps"), "0");
}

// The README's list of settings is the table's, word for word: a row added
// or changed without the README fails here.
TEST(SettingsReadmeTest, TheReadmeNamesEveryRowWithItsDefaultRangeAndHelp)
{
    std::ifstream in(YK_SOURCE_DIR "/README.md");
    ASSERT_TRUE(in) << "README.md not found";
    std::stringstream text;
    text << in.rdbuf();
    std::string flat; // whitespace runs as one space, as the wrapped lines read
    for (char c : text.str())
        if (!std::isspace(static_cast<unsigned char>(c)))
            flat += c;
        else if (!flat.empty() && flat.back() != ' ')
            flat += ' ';
    for (const SSettingRow& row : Settings::Rows()) {
        const std::string line = std::string("- `") + row.name + "` (default `" + row.defaultValue + "`, " +
                                 Settings::Describe(row) + "): " + row.help;
        EXPECT_NE(flat.find(line), std::string::npos) << "README lacks: " << line;
    }
}

} // namespace
