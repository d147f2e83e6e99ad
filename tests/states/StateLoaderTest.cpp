#include <allegro.h>
#include <gtest/gtest.h>

#include <memory>

#include "play/StatePlay.h"
#include "support/TempDir.h"

namespace {

class StateLoaderTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        play = std::make_unique<CStatePlay>();
    }
    void State(const std::string& name, const std::string& text) { WriteFile("data/states/" + name + ".yks", text); }
    std::unique_ptr<CStatePlay> play;
};

TEST_F(StateLoaderTest, ChainLoadsFromTheFarthestAncestorDown)
{
    State("grand", "[include]\nimageSet=noLoad\n[goals]\ncvar_pointsToWin=30\n[timing]\ncvar_hSecLaserPulse=25\n");
    State("parent", "[include]\nimageSet=noload\nparent=grand\n[goals]\ncvar_pointsToWin=40\n");
    State("top", "[include]\nimageSet=noLoad\nparent=parent\n[action]\ncvar_movePowerArrow=2.5\n");
    EXPECT_EQ(play->LoadState("top", 0), 0);
    EXPECT_EQ(play->cvar_pointsToWin, 40);
    EXPECT_EQ(play->cvar_hSecLaserPulse, 25);
    EXPECT_FLOAT_EQ(play->cvar_movePowerArrow, 2.5f);
}

TEST_F(StateLoaderTest, KeyStatedNowhereKeepsThePreviousLevelsValue)
{
    State("a", "[include]\nimageSet=noLoad\n[pup_freeze]\ncvar_pup_freeze_time=300\n[goals]\ncvar_pointsToWin=5\n");
    State("b", "[include]\nimageSet=NOLOAD\n[goals]\ncvar_pointsToWin=9\n");
    ASSERT_EQ(play->LoadState("a", 0), 0);
    ASSERT_EQ(play->LoadState("b", 0), 0);
    EXPECT_EQ(play->cvar_pup_freeze_time, 300);
    EXPECT_EQ(play->cvar_pointsToWin, 9);
}

TEST_F(StateLoaderTest, MissingFileOrMissingImageSetCountsAsMissing)
{
    play->cvar_pointsToWin = 7;
    EXPECT_EQ(play->LoadState("nothing-here", 0), 1);
    State("noimages", "[goals]\ncvar_pointsToWin=99\n");
    EXPECT_EQ(play->LoadState("noimages", 1), 1);
    EXPECT_EQ(play->cvar_pointsToWin, 7);
    // Nothing is left attached: reads see no file.
    EXPECT_EQ(get_config_int("goals", "cvar_pointsToWin", -5), -5);
}

TEST_F(StateLoaderTest, KeepOpenLeavesTheTopFileCurrentForLevelKeys)
{
    State("base", "[include]\nimageSet=noLoad\n[goals]\ncvar_pointsToWin=3\n");
    State("lvl", "[include]\nimageSet=noLoad\nparent=base\n[eggSet1]\neggNum=12\n");
    ASSERT_EQ(play->LoadState("lvl", 1), 0);
    EXPECT_EQ(get_config_int("eggSet1", "eggNum", 0), 12);
    play->CloseConfig();
    EXPECT_EQ(get_config_int("eggSet1", "eggNum", 0), 0);
}

TEST_F(StateLoaderTest, AParentCycleStopsAtTheRepeat)
{
    State("x", "[include]\nimageSet=noLoad\nparent=y\n[goals]\ncvar_pointsToWin=1\n");
    State("y", "[include]\nimageSet=noLoad\nparent=x\n[goals]\ncvar_pointsToWin=2\n[timing]\ncvar_hSecLaserPulse=8\n");
    State("self", "[include]\nimageSet=noLoad\nparent=self\n[goals]\ncvar_pointsToWin=4\n");
    EXPECT_EQ(play->LoadState("x", 0), 0);
    EXPECT_EQ(play->cvar_pointsToWin, 1);
    EXPECT_EQ(play->cvar_hSecLaserPulse, 8);
    EXPECT_EQ(play->LoadState("self", 0), 0);
    EXPECT_EQ(play->cvar_pointsToWin, 4);
}

TEST_F(StateLoaderTest, LongNamesDoNotOverflow)
{
    const std::string longName(200, 'q');
    State(longName, "[include]\nimageSet=noLoad\nparent=" + std::string(300, 'p') + "\n[goals]\ncvar_pointsToWin=6\n");
    EXPECT_EQ(play->LoadState(longName, 0), 0);
    EXPECT_EQ(play->cvar_pointsToWin, 6);
}

TEST_F(StateLoaderTest, LevelNamesFollowTheGameMode)
{
    struct Case {
        int mode, level;
        const char* name;
    };
    for (Case c : {Case{kModeNormal, 7, "play-7"}, Case{kModeNormal, 35, "play-35"}, Case{kModeRandomMissions, 1, "play-1r"},
                   Case{kModeRandomMissions, 10, "play-1r"}, Case{kModeRandomMissions, 20, "play-2r"},
                   Case{kModeRandomMissions, 21, "play-3r"}, Case{kModeWaves, 11, "play-11"}}) {
        play->gameMode = c.mode;
        play->level = c.level;
        EXPECT_EQ(play->LevelStateName(), c.name) << c.mode << "/" << c.level;
    }
}

TEST_F(StateLoaderTest, NegativeLevelWritesScoresAndLoadsNothing)
{
    State("play-1", "[include]\nimageSet=noLoad\n[goals]\ncvar_pointsToWin=50\n");
    play->level = -1;
    play->bestScores[1] = 100;
    EXPECT_EQ(play->SaveScoresAndLoadLevel(1), 1);
    EXPECT_EQ(play->cvar_pointsToWin, 0);
    EXPECT_NE(ReadFile("score.yk").find("dontcheat = 300"), std::string::npos) << ReadFile("score.yk");
    play->level = 1;
    EXPECT_EQ(play->SaveScoresAndLoadLevel(0), 0);
    EXPECT_EQ(play->cvar_pointsToWin, 50);
}

} // namespace
