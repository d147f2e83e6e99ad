// What a hard kill or an unwritable place does to the files the game writes:
// each write replaces the whole file at once, or leaves the old one.
#include <allegro.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "app/Display.h"
#include "app/SettingsFile.h"
#include "audio/Audio.h"
#include "audio/MusicStream.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

struct Killed {}; // thrown from the seam: the process "dies" before the rename

class KillAndWriteTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        audio.hooks.install = [](int) { return 0; }; // the first driver comes up
    }
    void TearDown() override
    {
        g_music.Close();
        g_music = CMusicStream{};
        TempDirTest::TearDown();
    }
    std::string Setting(const char* section, const char* key)
    {
        set_config_file(kSettingsFile);
        std::string value = get_config_string(section, key, "(none)");
        set_config_file("release");
        return value;
    }

    CAudio audio;
};

// A player's file with a line of their own, which every write must keep.
const char* const kOld = "[game]\nfullscreen = 5\nmaxfps = 0\n[audio]\nlastUsed = DIGI_OSS\n"
                         "maxvolumemaster = 230\nmaxvolumesounds = 160\nmaxvolumemusic = 127\n[mine]\nkept = 7\n";

struct WriteRow {
    const char* what;
    std::function<void(CAudio&)> run;
    const char* section;
    const char* key;
    const char* written;
};

TEST_F(KillAndWriteTest, EachSettingsWriteLeavesTheOldFileWholeUntilTheNewOneReplacesIt)
{
    const WriteRow rows[] = {
        {"display set-up", [](CAudio&) { CDisplay().ReadSettings(); }, "game", "fullscreen", "1"},
        {"sound set-up", [](CAudio& a) { a.Init(); }, "audio", "lastUsed", "DIGI_ALSA"},
        {"shut-down", [](CAudio& a) { a.soundVolume = 33; a.SaveSettings(); }, "audio", "maxvolumesounds", "33"},
    };
    for (const WriteRow& row : rows) {
        SCOPED_TRACE(row.what);
        WriteFile(kSettingsFile, kOld);
        int seen = 0;
        SettingsFile::beforeRename = [&](const std::string& temp) {
            ++seen;
            EXPECT_EQ(ReadFile(kSettingsFile), kOld); // a kill now loses nothing
            set_config_file(temp.c_str());
            EXPECT_STREQ(get_config_string(row.section, row.key, ""), row.written);
            EXPECT_STREQ(get_config_string("mine", "kept", ""), "7");
            set_config_file("release");
        };
        row.run(audio);
        EXPECT_EQ(seen, 1);
        EXPECT_EQ(Setting(row.section, row.key), row.written);
        EXPECT_EQ(Setting("mine", "kept"), "7");
        EXPECT_FALSE(fs::exists("settings.ini.tmp"));
    }
}

TEST_F(KillAndWriteTest, AKillBeforeTheRenameKeepsTheOldFileAndTheNextRunWritesAgain)
{
    WriteFile(kSettingsFile, kOld);
    SettingsFile::beforeRename = [](const std::string&) { throw Killed{}; };
    audio.soundVolume = 12;
    EXPECT_THROW(audio.SaveSettings(), Killed);
    EXPECT_EQ(ReadFile(kSettingsFile), kOld);

    SettingsFile::beforeRename = nullptr;
    audio.SaveSettings(); // the stale temporary file left by the kill is no obstacle
    EXPECT_EQ(Setting("audio", "maxvolumesounds"), "12");
    EXPECT_FALSE(fs::exists("settings.ini.tmp"));
}

// A first run creates the file once at the display's set-up and adds the
// driver's name once; a later run with the same values never rewrites it.
TEST_F(KillAndWriteTest, SettingsAreWrittenOncePerChangeAndNotAtAllWhenNothingChanged)
{
    int writes = 0;
    SettingsFile::beforeRename = [&](const std::string&) { ++writes; };
    const auto run = [&] {
        CDisplay display;
        display.ReadSettings();
        CAudio a;
        a.hooks = audio.hooks;
        a.Init();
        a.SaveSettings();
    };
    run();
    EXPECT_EQ(writes, 3); // display keys, driver name, the volumes: three values new to the file
    const std::string first = ReadFile(kSettingsFile);
    EXPECT_EQ(Setting("audio", "maxvolumesounds"), "160");
    fs::last_write_time(kSettingsFile, fs::file_time_type::clock::now() - std::chrono::hours(1));
    const auto stamp = fs::last_write_time(kSettingsFile);
    writes = 0;
    run();
    EXPECT_EQ(writes, 0);
    EXPECT_EQ(fs::last_write_time(kSettingsFile), stamp);
    EXPECT_EQ(ReadFile(kSettingsFile), first);
}

// Sections written by hand without a blank line between them: a key the
// game adds goes into its own section, so the next run finds it there.
TEST_F(KillAndWriteTest, AKeyAddedToAHandWrittenFileLandsInItsOwnSection)
{
    WriteFile(kSettingsFile, "[game]\nfullscreen = 0\n[mine]\nkept = 7\n");
    int writes = 0;
    SettingsFile::beforeRename = [&](const std::string&) { ++writes; };
    CDisplay().ReadSettings();
    CDisplay().ReadSettings();
    EXPECT_EQ(writes, 1);
    EXPECT_EQ(Setting("game", "maxfps"), "display");
    EXPECT_EQ(Setting("mine", "maxfps"), "(none)");
    EXPECT_EQ(Setting("mine", "kept"), "7");
}

// Places that cannot take the file: the write is refused, whatever stands
// there is left as it was, no temporary file stays behind, and the game goes on.
TEST_F(KillAndWriteTest, SettingsThatCannotBeWrittenLeaveWhatStandsThere)
{
    struct Row {
        const char* what;
        std::function<void()> make;
        std::function<void()> check;
    };
    const Row rows[] = {
        {"a folder in the file's place",
         [&] { WriteFile("settings.ini/inside", "x"); },
         [&] { EXPECT_EQ(ReadFile("settings.ini/inside"), "x"); }},
        {"a folder in the temporary file's place",
         [&] { WriteFile(kSettingsFile, kOld); WriteFile("settings.ini.tmp/inside", "x"); },
         [&] { EXPECT_EQ(ReadFile(kSettingsFile), kOld); fs::remove_all("settings.ini.tmp"); }},
        {"a folder in the temporary file's place, no file yet", // Allegro's flush would spin on it
         [&] { WriteFile("settings.ini.tmp/inside", "x"); },
         [&] { EXPECT_FALSE(fs::exists(kSettingsFile)); fs::remove_all("settings.ini.tmp"); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        fs::remove_all(kSettingsFile);
        row.make();
        testing::internal::CaptureStderr();
        EXPECT_FALSE(SettingsFile::Write(kSettingsFile, {{"game", "fullscreen", "0"}}));
        testing::internal::GetCapturedStderr();
        row.check();
        EXPECT_FALSE(fs::is_regular_file("settings.ini.tmp"));
    }
}

TEST_F(KillAndWriteTest, ALinkedSettingsFileIsWrittenWhereItLeads)
{
    WriteFile("elsewhere/settings.ini", kOld);
    fs::create_symlink("elsewhere/settings.ini", kSettingsFile);
    ASSERT_TRUE(SettingsFile::Write(kSettingsFile, {{"game", "fullscreen", "0"}}));
    EXPECT_TRUE(fs::is_symlink(kSettingsFile));
    EXPECT_EQ(Setting("game", "fullscreen"), "0");
    EXPECT_EQ(Setting("mine", "kept"), "7");
}

} // namespace
