#include <gtest/gtest.h>

#include "PlayFixture.h"
#include "input/Controls.h"

namespace {

class EndTest : public PlayTest {
protected:
    void Start(int level, int mode = kModeNormal, const std::string& extra = "")
    {
        Level("play-" + std::to_string(level), extra);
        ASSERT_EQ(run->StartLevel(level, 1, mode), 0);
    }
    // Runs ticks until the level number changes or the limit is reached.
    void RunUntilLevelChanges(int limit = 400)
    {
        const int start = play->level;
        for (int i = 0; i < limit && play->level == start; ++i)
            run->Tick();
    }
};

TEST_F(EndTest, ExactTargetWinsWithMarginOneAndMovesOn)
{
    Start(3);
    Level("play-4", "");
    play->levelPoints = 4; // the target
    run->Tick();
    EXPECT_NE(play->levelEndAt, 0);
    play->levelPoints = 4;
    RunUntilLevelChanges();
    EXPECT_EQ(play->level, 4);
    EXPECT_EQ(play->runTotal, 1);
    EXPECT_EQ(play->bestScores[2], 1);
}

TEST_F(EndTest, ShortOfPointsRetriesAfterTwiceTheDelayWithTheRetryTrack)
{
    Start(3);
    play->levelPoints = 1;
    run->Tick();
    const int now = CTickTimer::Now();
    EXPECT_EQ(play->levelEndAt, now + 200);
    EXPECT_EQ(g_audio.currentTrack, 10);
    for (int i = 0; i < 80 && play->levelEndAt != 0; ++i)
        run->Tick();
    EXPECT_EQ(play->level, 3);
    EXPECT_EQ(play->levelPoints, 0); // set up again
    EXPECT_EQ(play->bestScores[2], 0);
}

TEST_F(EndTest, ALostLevelHidesThePucksAndIsRetried)
{
    Start(3);
    play->levelPoints = -5;
    run->Tick();
    EXPECT_TRUE(Sounded("CRASH_SFX"));
    EXPECT_EQ(play->playerX[0], -500);
    for (int i = 0; i < 80 && play->levelEndAt != 0; ++i)
        run->Tick();
    EXPECT_EQ(play->level, 3);
    EXPECT_EQ(play->levelPoints, 0);
    EXPECT_NE(play->playerX[0], -500);
}

TEST_F(EndTest, OnlyNormalModeRecordsBestScores)
{
    for (int mode : {kModeRandomMissions, kModeLaserZap, kModeCrossfire}) {
        Level("play-1r", "");
        Start(3, mode);
        Level("play-4", "");
        Level("play-1r", "");
        play->levelPoints = 9;
        RunUntilLevelChanges();
        EXPECT_EQ(play->bestScores[2], 0) << mode;
    }
}

TEST_F(EndTest, LevelTenCompletesTheSystemAndReturnsToTheTitle)
{
    Start(10);
    int passes = 0, track = -1;
    g_modalPassHook = [&] {
        ++passes;
        track = g_audio.currentTrack;
        CHeadlessPlay::SetKey(KEY_SPACE, passes >= 3); // newly pressed on the third pass
    };
    play->levelPoints = 10;
    for (int i = 0; i < 200 && play->level != -1; ++i)
        run->Tick();
    EXPECT_GE(passes, 3);
    EXPECT_EQ(track, 0);
    EXPECT_EQ(play->level, -1);
    EXPECT_EQ(play->bestScores[9], 6);
    EXPECT_EQ(play->bestScores[35], 6); // circulatory run total unlocks random missions
    EXPECT_EQ(play->runTotal, 0);
    EXPECT_NE(ReadFile("score.yk").find("35 = 6"), std::string::npos);
}

TEST_F(EndTest, WavesGrowAndKeepTheirLifeFloors)
{
    struct Case {
        int level, eggs, minLifeFloor, maxLifeFloor;
    };
    for (Case c : {Case{1, 2, 200 - 4, 800 - 17}, Case{47, 94, 12, 50}, Case{49, 98, 10, 50}}) {
        Start(1, kModeWaves);
        play->level = c.level - 1; // the wave about to start is c.level
        play->eggs.clear();
        run->Tick();
        EXPECT_EQ(play->level, c.level);
        ASSERT_EQ(static_cast<int>(play->eggs.size()), c.eggs);
        const int now = CTickTimer::Now();
        for (const auto& egg : play->eggs) {
            EXPECT_GE(egg->time - now, std::min(c.minLifeFloor, c.maxLifeFloor) - 3);
            EXPECT_LE(egg->time - now, std::max(c.maxLifeFloor, 50));
        }
    }
}

} // namespace
