#include <gtest/gtest.h>

#include <filesystem>

#include "app/GameHome.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

using GameHomeTest = TempDirTest;

TEST_F(GameHomeTest, InstalledDataLiesBesideTheProgramsFolder)
{
    WriteFile("usr/share/games/yolvar-krandel/control-1.ykd", "");
    WriteFile("opt/yk/share/yolvar-krandel/control-1.ykd", "");
    WriteFile("build/data/control-1.ykd", "");
    EXPECT_EQ(GameHome::InstalledData(dir / "usr/games/yolvar-krandel"), dir / "usr/share/games/yolvar-krandel");
    EXPECT_EQ(GameHome::InstalledData(dir / "opt/yk/bin/yolvar-krandel"), dir / "opt/yk/share/yolvar-krandel");
    EXPECT_TRUE(GameHome::InstalledData(dir / "build/yolvar-krandel").empty()); // a build plays where it is
}

TEST_F(GameHomeTest, PlayerFolderFollowsXdgDataHomeThenHome)
{
    struct Case {
        const char* xdg;
        const char* home;
        const char* folder;
    } cases[] = {
        {"/x/share", "/home/p", "/x/share/yolvar-krandel"},
        {"relative", "/home/p", "/home/p/.local/share/yolvar-krandel"}, // a relative one is ignored
        {nullptr, "/home/p", "/home/p/.local/share/yolvar-krandel"},
        {"", "", ""},
        {nullptr, nullptr, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GameHome::PlayerFolder(c.xdg, c.home), fs::path(c.folder)) << (c.xdg ? c.xdg : "null");
}

TEST_F(GameHomeTest, EnteringLinksTheDataAndKeepsAPlayersOwnFolder)
{
    WriteFile("installed/control-1.ykd", "");
    WriteFile("older/control-1.ykd", "");
    const fs::path data = dir / "installed";
    std::string error;

    // A new player: the folder is made, data linked, the folder entered.
    ASSERT_TRUE(GameHome::Enter(dir / "home/yk", data, error)) << error;
    EXPECT_EQ(fs::current_path(), dir / "home/yk");
    EXPECT_EQ(fs::read_symlink(dir / "home/yk/data"), data);

    // A link from an older install, or a dangling one, points anew.
    for (const char* old : {"older", "gone"}) {
        fs::remove(dir / "home/yk/data");
        fs::create_directory_symlink(dir / old, dir / "home/yk/data");
        ASSERT_TRUE(GameHome::Enter(dir / "home/yk", data, error)) << error;
        EXPECT_EQ(fs::read_symlink(dir / "home/yk/data"), data) << old;
    }

    // A real data folder of the player's own is left alone.
    WriteFile("home/own/data/control-1.ykd", "mine");
    ASSERT_TRUE(GameHome::Enter(dir / "home/own", data, error)) << error;
    EXPECT_FALSE(fs::is_symlink(dir / "home/own/data"));
}

TEST_F(GameHomeTest, AFolderThatCannotBeMadeIsReportedInOneLine)
{
    WriteFile("home/file", "a file where the folder should be");
    std::string error;
    EXPECT_FALSE(GameHome::Enter(dir / "home/file/yk", dir / "installed", error));
    EXPECT_NE(error.find("home/file/yk"), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos);
    EXPECT_FALSE(GameHome::Enter({}, dir / "installed", error));
    EXPECT_NE(error.find("HOME"), std::string::npos) << error;
}

} // namespace
