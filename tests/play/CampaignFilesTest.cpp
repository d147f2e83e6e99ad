#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/TickTimer.h"
#include "testkit/HeadlessPlay.h"
#include "play/StatePlay.h"
#include "support/TempDir.h"

namespace {

// The campaign's own state files, loaded by the play state as the game does.
class CampaignFilesTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        std::filesystem::create_directory_symlink(YK_DATA_DIR, dir / "data");
        srand(11);
        CTickTimer::SetNow(1000);
        play = std::make_unique<CStatePlay>();
        run = std::make_unique<CHeadlessPlay>(*play);
    }
    void TearDown() override
    {
        run.reset();
        play.reset();
        CHeadlessPlay::ReleaseAllKeys();
        TempDirTest::TearDown();
    }
    std::unique_ptr<CStatePlay> play;
    std::unique_ptr<CHeadlessPlay> run;
};

// Waves ignore a level's eggs and toys but keep its boss; every body system's
// files must start a waves game, and the first wave must come once the arena
// (and any boss) is clear.
TEST_F(CampaignFilesTest, EverySystemsFilesStartAWavesGame)
{
    for (int level : {1, 11, 21, 31, 10, 35}) {
        ASSERT_EQ(run->StartLevel(level, 1, kModeWaves), 0) << level;
        EXPECT_TRUE(play->toys.empty()) << level;
        EXPECT_TRUE(play->eggs.empty()) << level;
        if (play->boss.IsDead()) {
            run->Tick();
            EXPECT_EQ(play->level, level + 1) << level;
            EXPECT_EQ(play->eggs.size(), static_cast<size_t>(2 * play->level)) << level;
        }
    }
}

// Normal and random-mission files build levels with eggs, a reachable
// target, and a boss exactly where the campaign promises one.
TEST_F(CampaignFilesTest, LevelsBuildWithTheirEggsAndBosses)
{
    struct Case {
        int level, mode;
        bool boss;
    };
    const Case cases[] = {{1, kModeNormal, false},  {10, kModeNormal, true},  {15, kModeNormal, true},
                          {20, kModeNormal, true},  {25, kModeNormal, true},  {29, kModeNormal, true},
                          {30, kModeNormal, true},  {35, kModeNormal, true},  {1, kModeRandomMissions, false},
                          {40, kModeRandomMissions, false}};
    for (const Case& c : cases) {
        ASSERT_EQ(run->StartLevel(c.level, 1, c.mode), 0) << c.level;
        EXPECT_FALSE(play->eggs.empty()) << c.level;
        EXPECT_GT(play->cvar_pointsToWin, 0) << c.level;
        EXPECT_EQ(!play->boss.IsDead(), c.boss) << c.level;
        EXPECT_GT(play->cvar_hSecBeforeLevelStart, play->cvar_hSecBeforeLevelStartSayGo) << c.level;
    }
}

} // namespace
