#include <gtest/gtest.h>

#include <set>

#include "PlayFixture.h"
#include "app/Display.h"

namespace {

class SetUpTest : public PlayTest {};

TEST_F(SetUpTest, EggRangesColumnsAndSwapsLandInTheArena)
{
    struct Case {
        const char* keys;
        float xLo, xHi; // parts of the arena width
    };
    const Case cases[] = {
        {"eggX=0.25\neggL=0.9\neggR=1.0\n", 0.25f, 0.25f}, // a single column wins over L/R
        {"eggX=-1.0\neggL=0.1\neggR=0.2\n", 0.1f, 0.2f},   // -1 written out is absent
        {"eggL=0.8\neggR=0.6\n", 0.6f, 0.8f},              // reversed range
    };
    for (const Case& c : cases) {
        Level("play-1", std::string("[eggSet1]\neggNum=30\n") + c.keys + "eggT=0\neggB=0.3\n");
        ASSERT_EQ(run->StartLevel(1), 0);
        ASSERT_EQ(play->eggs.size(), 30u);
        const int w = play->arenaRight - play->arenaLeft;
        for (const auto& egg : play->eggs) {
            EXPECT_GE(egg->x, play->arenaLeft + static_cast<int>(c.xLo * w)) << c.keys;
            EXPECT_LE(egg->x, play->arenaLeft + static_cast<int>(c.xHi * w)) << c.keys;
        }
    }
}

TEST_F(SetUpTest, EggsAreSortedByYAndKeptClearOfTheStart)
{
    Level("play-1", "[eggSet1]\neggNum=40\neggL=0.3\neggR=0.7\neggT=0.3\neggB=0.7\n");
    ASSERT_EQ(run->StartLevel(1, 2), 0);
    EXPECT_EQ(play->playerX[0], play->playerX[1]);
    EXPECT_EQ(play->playerY[0], play->playerY[1]);
    const int clearance = static_cast<int>(20 * 1.3);
    int lastY = -1;
    for (const auto& egg : play->eggs) {
        EXPECT_GE(egg->y, lastY);
        lastY = egg->y;
        EXPECT_FALSE(std::abs(egg->x - play->playerX[0]) < clearance && std::abs(egg->y - play->playerY[0]) < clearance);
    }
}

TEST_F(SetUpTest, ZeroWeightsGivePlainEggsHeadingDirectionZero)
{
    Level("play-1", "[eggSet1]\neggNum=10\nl_plainegg_freq=0\neggGoL=0\n");
    ASSERT_EQ(run->StartLevel(1), 0);
    for (const auto& egg : play->eggs) {
        EXPECT_EQ(egg->kind, 0);
        EXPECT_EQ(egg->goDirection, 0);
    }
}

TEST_F(SetUpTest, WeightedChoiceFollowsCumulativeSums)
{
    const int weights[] = {0, 3, 0, 1};
    std::set<int> seen;
    for (int i = 0; i < 200; ++i)
        seen.insert(CStatePlay::WeightedChoice(weights, 4));
    EXPECT_EQ(seen, (std::set<int>{1, 3}));
    const int none[] = {0, 0};
    EXPECT_EQ(CStatePlay::WeightedChoice(none, 2), 0);
}

TEST_F(SetUpTest, WavesReadNoEggOrToySets)
{
    Level("play-3", "[eggSet1]\neggNum=5\n[toySet1]\ntoyNum=3\ntype=FOOD\n");
    ASSERT_EQ(run->StartLevel(3, 1, kModeWaves), 0);
    EXPECT_TRUE(play->eggs.empty());
    EXPECT_TRUE(play->toys.empty());
    ASSERT_EQ(run->StartLevel(3, 1, kModeNormal), 0);
    EXPECT_EQ(play->eggs.size(), 5u);
    EXPECT_EQ(play->toys.size(), 3u);
}

TEST_F(SetUpTest, RandomMissionLevelsShareTheirSystemFile)
{
    Level("play-1r", "[goals]\ncvar_pointsToWin=77\n");
    for (int level : {1, 10}) {
        ASSERT_EQ(run->StartLevel(level, 1, kModeRandomMissions), 0) << level;
        EXPECT_EQ(play->cvar_pointsToWin, 77);
    }
    EXPECT_EQ(run->StartLevel(11, 1, kModeRandomMissions), 1); // play-2r is missing
}

TEST_F(SetUpTest, UnknownToyTypeSkipsTheSetAndCrowdedSetsStillEnd)
{
    Level("play-1", "[toySet1]\ntoyNum=2\ntype=SPLEEN\n[toySet2]\ntoyNum=2\ntype=dust\n"
                    "toyX=0.5\ntoyY=0.5\n"); // only place is the start point
    ASSERT_EQ(run->StartLevel(1), 0);
    ASSERT_EQ(play->toys.size(), 2u);
    EXPECT_EQ(play->toys[0]->type, kToyDust);
}

TEST_F(SetUpTest, MissingLevelLeavesEverythingAndReturnsOne)
{
    Level("play-1", "[eggSet1]\neggNum=3\n");
    ASSERT_EQ(run->StartLevel(1), 0);
    play->level = 2;
    EXPECT_EQ(play->SetUpLevel(), 1);
    EXPECT_EQ(play->eggs.size(), 3u);
}

TEST_F(SetUpTest, CountDownAndPlainLevelMusic)
{
    Level("play-1", "[timing]\ncvar_hSecBeforeLevelStart=300\ncvar_hSecBeforeLevelStartSayGo=100\n");
    CTickTimer::pendingTicks = 9;
    ASSERT_EQ(run->StartLevel(1), 0);
    EXPECT_EQ(play->levelStartAt, CTickTimer::Now() + 300);
    EXPECT_FALSE(g_timer.Pending());
    EXPECT_EQ(g_audio.currentTrack, 1);
}

} // namespace
