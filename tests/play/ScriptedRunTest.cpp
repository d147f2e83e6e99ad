#include <gtest/gtest.h>

#include "PlayFixture.h"

namespace {

// Whole levels played headless by a scripted player.
class ScriptedRunTest : public PlayTest {
protected:
    // Taps Right every few ticks until the level number changes or time runs out.
    void PushRightUntilLevelEnds(int maxTicks)
    {
        const int start = play->level;
        for (int i = 0; i < maxTicks && play->level == start; ++i) {
            CHeadlessPlay::SetKey(KEY_RIGHT, i % 8 == 0);
            run->Tick();
        }
        CHeadlessPlay::ReleaseAllKeys();
    }
};

TEST_F(ScriptedRunTest, SmashingTheOnlyEggWinsAndRecordsTheMargin)
{
    Level("play-1", "[goals]\ncvar_pointsToWin=2\n[eggSet1]\neggNum=1\neggX=0.7\neggY=0.5\n");
    ASSERT_EQ(run->StartLevel(1), 0);
    PushRightUntilLevelEnds(600);
    EXPECT_EQ(play->level, -1); // no play-2 here: the run ends at the title
    EXPECT_EQ(play->bestScores[0], 1);
    EXPECT_NE(ReadFile("score.yk").find("0 = 1"), std::string::npos);
}

TEST_F(ScriptedRunTest, RunningIntoANerveLosesAndTheLevelIsRetried)
{
    Level("play-1", "[goals]\ncvar_pointsToWin=2\n[eggSet1]\neggNum=1\neggX=0.1\neggY=0.1\n"
                    "l_hSecEggMinLife=90000\nl_hSecEggMaxLife=90000\n"
                    "[toySet1]\ntoyNum=1\ntype=NERVE\ntoyX=0.7\ntoyY=0.5\n");
    ASSERT_EQ(run->StartLevel(1), 0);
    int lostTicks = 0;
    for (int i = 0; i < 400 && lostTicks == 0; ++i) {
        CHeadlessPlay::SetKey(KEY_RIGHT, i % 8 == 0);
        run->Tick();
        if (play->levelPoints < 0)
            lostTicks = i;
    }
    ASSERT_GT(lostTicks, 0);
    EXPECT_EQ(play->levelPoints, -15);
    EXPECT_EQ(play->playerX[0], -500);
    CHeadlessPlay::ReleaseAllKeys();
    for (int i = 0; i < 200 && play->levelEndAt != 0; ++i)
        run->Tick();
    EXPECT_EQ(play->level, 1);
    EXPECT_EQ(play->levelPoints, 0);
    EXPECT_EQ(play->toys.size(), 1u);
    EXPECT_FALSE(play->toys[0]->IsInactive());
}

TEST_F(ScriptedRunTest, WavesStillReadTheBoss)
{
    Level("play-5", "[eggSet1]\neggNum=5\n[boss]\ntype=eggLay\nbossX=0.5\nbossY=0.2\n");
    ASSERT_EQ(run->StartLevel(5, 1, kModeWaves), 0);
    EXPECT_TRUE(play->eggs.empty());
    EXPECT_FALSE(play->boss.IsDead());
    EXPECT_EQ(play->boss.type, 0);
    EXPECT_EQ(g_audio.currentTrack, 8);
}

TEST_F(ScriptedRunTest, EggLivesCountFromTheGoMoment)
{
    Level("play-1", "[timing]\ncvar_hSecBeforeLevelStart=300\ncvar_hSecBeforeLevelStartSayGo=100\n"
                    "[eggSet1]\neggNum=4\nl_hSecEggMinLife=500\nl_hSecEggMaxLife=500\n");
    ASSERT_EQ(run->StartLevel(1), 0);
    for (const auto& egg : play->eggs)
        EXPECT_EQ(egg->time, CTickTimer::Now() + 500 + 200);
}

} // namespace
