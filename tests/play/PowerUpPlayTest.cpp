#include <gtest/gtest.h>

#include <memory>

#include "PlayFixture.h"
#include "creatures/EndBoss.h"

namespace {

// What the play rules do with power-ups, reach, hatching and infections in
// one tick; the base tunables give a crack radius of 20, a blast range of
// 100 that takes 10 health off a boss, a flash of 50 and a freeze of 300.
class PowerUpPlayTest : public PlayTest {
protected:
    void StartWith(const std::string& extra, int players = 1, int mode = kModeNormal)
    {
        Start(extra, players, mode);
        now = CTickTimer::Now() + 100;
        for (int p = 0; p < players; ++p)
            PlacePuck(p, 500.0f, 400.0f);
    }
    CEgg& EggAt(int x, int y, int kind = kPupPlainEgg)
    {
        auto egg = std::make_unique<CEgg>();
        egg->Init(5000, 5000, x, x, y, y, kind, 0);
        play->eggs.push_back(std::move(egg));
        return *play->eggs.back();
    }
    CAlien& AlienAt(int x, int y, int kind = 1)
    {
        auto alien = std::make_unique<CAlien>();
        alien->Birth(x, y, 100, 50);
        alien->kind = kind;
        alien->drift = 0;
        play->aliens.push_back(std::move(alien));
        return *play->aliens.back();
    }
    int now = 0;
};

TEST_F(PowerUpPlayTest, DetonationKillsAliensAndHurtsABossInRangeForItsPlayer)
{
    StartWith("", 2);
    PlacePuck(1, 300.0f, 200.0f);
    AlienAt(300 + 99, 200 - 99);
    const CAlien* far = &AlienAt(300 + 100, 200);
    AlienAt(300, 200 + 10).Kill(); // already dead: not counted again
    EggAt(300 - 50, 200 + 50);
    play->boss.Init(300 - 60, 200 + 99, kBossEggLayer);
    play->playerPowerFlags[1] = 1 << kPupDetonate;
    UpdateAt(now);
    EXPECT_TRUE(Sounded("CRASH_SFX"));
    EXPECT_EQ(play->playerPowerFlags[1], 0);
    EXPECT_EQ(play->flashUntil[1], now + 50);
    EXPECT_EQ(play->flashUntil[0], 0);
    ASSERT_EQ(play->aliens.size(), 1u);
    EXPECT_EQ(play->aliens[0].get(), far);
    EXPECT_EQ(play->aliensKilled[1], 1);
    EXPECT_EQ(play->eggsSmashed[1], 1);
    EXPECT_EQ(play->aliensKilled[0] + play->eggsSmashed[0], 0);
    EXPECT_EQ(play->boss.health, 90);
    EXPECT_EQ(play->levelPoints, 2 + 1 + 1); // egg, alien, boss
}

// An opened power-up goes to the puck that touches it, not to player 1.
TEST_F(PowerUpPlayTest, AnOpenPowerUpGoesToThePlayerWhoCollectsIt)
{
    StartWith("", 2);
    PlacePuck(1, 300.0f, 200.0f);
    CEgg& egg = EggAt(300, 200, kPupMushroom);
    egg.cracked = true;
    egg.time = now;
    UpdateAt(now);
    EXPECT_TRUE(play->eggs.empty());
    EXPECT_EQ(play->playerPowerFlags[1], 1 << kPupMushroom);
    EXPECT_EQ(play->playerPowerFlags[0], 0);
}

// Both players may set off a blast in the same tick; an egg the first one
// took is not scored again by the second.
TEST_F(PowerUpPlayTest, TwoBlastsInOneTickTakeAnEggOnce)
{
    StartWith("", 2);
    EggAt(540, 400);
    play->boss.Init(560, 420, kBossChaser);
    play->playerPowerFlags[0] = play->playerPowerFlags[1] = 1 << kPupDetonate;
    UpdateAt(now);
    EXPECT_TRUE(play->eggs.empty());
    EXPECT_EQ(play->eggsSmashed[0], 1);
    EXPECT_EQ(play->eggsSmashed[1], 0);
    EXPECT_EQ(play->boss.health, 80); // the boss takes both
    EXPECT_EQ(play->levelPoints, 2 + 1 + 1);
}

TEST_F(PowerUpPlayTest, DetonationSparesABossOutOfRangeOrDead)
{
    struct Case {
        const char* what;
        int dx, dy, health;
        int healthAfter, points;
    };
    const Case cases[] = {
        {"in range", 99, -99, 100, 90, 1},
        {"out of range across", 100, 0, 100, 100, 0},
        {"out of range down", 0, -100, 100, 100, 0},
        {"already dead", 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartWith("");
        play->boss.Init(500 + c.dx, 400 + c.dy, kBossChaser);
        play->boss.health = c.health;
        play->playerPowerFlags[0] = 1 << kPupDetonate;
        UpdateAt(now);
        EXPECT_EQ(play->boss.health, c.healthAfter);
        EXPECT_EQ(play->levelPoints, c.points);
    }
}

TEST_F(PowerUpPlayTest, DetonationBlastsHolesInTheStemCellMass)
{
    StartWith("");
    const int row = 30, col = 40;
    // Its centre lies within the blast too, which is not how the mass is hurt.
    play->boss.Init(CEndBoss::CellCentreX(col), CEndBoss::CellCentreY(row), kBossStemCell);
    CEndBoss& mass = play->boss.endBoss;
    mass.cells[row][col] = now + 5000;
    mass.cells[row][col + 30] = now + 5000;
    PlacePuck(0, CEndBoss::CellCentreX(col), CEndBoss::CellCentreY(row));
    play->playerPowerFlags[0] = 1 << kPupDetonate;
    UpdateAt(now);
    EXPECT_EQ(mass.cells[row][col], 0);
    EXPECT_NE(mass.cells[row][col + 30], 0); // 240 pixels away
    EXPECT_EQ(play->levelPoints, 0);
    EXPECT_EQ(play->boss.health, 100);
}

TEST_F(PowerUpPlayTest, LaserZapBlastsAtThePointer)
{
    StartWith("", 1, kModeLaserZap);
    mouse_x = 700;
    mouse_y = 400;
    EggAt(780, 400);
    const CEgg* byPuck = &EggAt(486, 400); // the puck follows to 566
    play->playerPowerFlags[0] = 1 << kPupDetonate;
    TickAt(now);
    ASSERT_EQ(play->eggs.size(), 1u);
    EXPECT_EQ(play->eggs[0].get(), byPuck);
}

TEST_F(PowerUpPlayTest, PowerUpsOfAPuckOutOfPlayDoNothing)
{
    StartWith("");
    PlacePuck(1, 500.0f, 400.0f);
    EggAt(520, 420);
    play->playerPowerFlags[1] = (1 << kPupDetonate) | (1 << kPupFreeze) | (1 << kPupTrail);
    UpdateAt(now);
    EXPECT_EQ(play->eggs.size(), 1u);
    EXPECT_EQ(play->freezeUntil, 0);
    EXPECT_EQ(play->trailX[0][1], -50.0f);
    EXPECT_FALSE(Sounded("CRASH_SFX"));
}

TEST_F(PowerUpPlayTest, OtherPowerUpsNeitherFreezeNorBlastNorLeaveATrail)
{
    for (int kind : {kPupMagnetic, kPupMushroom, kPupTrail, kPupSpeedup, kPupPrecise}) {
        SCOPED_TRACE(kind);
        StartWith("");
        CEgg& egg = EggAt(560, 400); // in blast range, out of a mushroom's reach
        const int hatch = egg.time;
        play->playerPowerFlags[0] = 1 << kind;
        UpdateAt(now);
        ASSERT_EQ(play->eggs.size(), 1u);
        EXPECT_EQ(egg.time, hatch);
        EXPECT_EQ(play->freezeUntil, 0);
        EXPECT_FALSE(Sounded("CRASH_SFX"));
        EXPECT_EQ(play->flashUntil[0], 0);
        EXPECT_EQ(play->trailX[0][0], kind == kPupTrail ? 500.0f : -50.0f);
        EXPECT_EQ(play->playerPowerFlags[0], 1 << kind);
    }
}

TEST_F(PowerUpPlayTest, TheTrailMovesOnWhenThePuckLeavesItsNewestPoint)
{
    struct Case {
        int x, y;     // puck, the newest point being (500, 400)
        bool movesOn;
    };
    const Case cases[] = {
        {520, 400, false}, {521, 400, true}, {480, 400, false}, {479, 400, true},
        {500, 420, false}, {500, 421, true}, {500, 379, true},  {520, 420, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        StartWith("");
        for (int j = 0; j < kTrailPoints; ++j) {
            play->trailX[j][0] = 500.0f + j * 0.25f; // newest point truncates to 500
            play->trailY[j][0] = 400.0f + j * 0.25f;
        }
        PlacePuck(0, static_cast<float>(c.x), static_cast<float>(c.y));
        play->playerPowerFlags[0] = 1 << kPupTrail;
        UpdateAt(now);
        if (!c.movesOn) {
            EXPECT_EQ(play->trailX[0][0], 500.0f);
            EXPECT_EQ(play->trailX[kTrailPoints - 1][0], 500.0f + 14 * 0.25f);
            continue;
        }
        EXPECT_EQ(play->trailX[0][0], c.x);
        EXPECT_EQ(play->trailY[0][0], c.y);
        for (int j = 1; j < kTrailPoints; ++j) {
            EXPECT_EQ(play->trailX[j][0], 500.0f + (j - 1) * 0.25f) << j;
            EXPECT_EQ(play->trailY[j][0], 400.0f + (j - 1) * 0.25f) << j;
        }
        EXPECT_EQ(play->playerPowerFlags[0], 1 << kPupTrail); // the trail stays
    }
}

TEST_F(PowerUpPlayTest, LaserZapTrailFollowsThePointer)
{
    StartWith("", 1, kModeLaserZap);
    mouse_x = 700;
    mouse_y = 300;
    play->playerPowerFlags[0] = 1 << kPupTrail;
    TickAt(now);
    EXPECT_EQ(play->trailX[0][0], 700.0f);
    EXPECT_EQ(play->trailY[0][0], 300.0f);
}

TEST_F(PowerUpPlayTest, FreezeEndsOnceItsMomentHasPassed)
{
    StartWith("");
    for (auto [until, after] : {std::pair{now, now}, std::pair{now - 1, 0}, std::pair{0, 0}}) {
        play->freezeUntil = until;
        UpdateAt(now);
        EXPECT_EQ(play->freezeUntil, after) << until - now;
    }
}

TEST_F(PowerUpPlayTest, ReachOfEachPuck)
{
    struct Case {
        const char* what;
        int player, flags;
        bool laserOn;
        int dx;        // egg beside the puck
        bool smashed;
    };
    const int mushroom = 1 << kPupMushroom;
    const Case cases[] = {
        {"inside", 0, 0, true, 19, true},
        {"at the radius", 0, 0, true, 20, false},
        {"mushroom doubles", 0, mushroom, true, 39, true},
        {"mushroom, at twice the radius", 0, mushroom, true, 40, false},
        {"laser off", 0, 0, false, 0, false},
        {"laser off, mushroom", 0, mushroom, false, 0, false},
        {"the second player ignores the laser", 1, 0, false, 19, true},
        {"the second player, mushroom", 1, mushroom, false, 39, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartWith("", 2);
        PlacePuck(1 - c.player, 100.0f, 100.0f);
        play->laserOn = c.laserOn;
        play->playerPowerFlags[c.player] = c.flags;
        EggAt(500 + c.dx, 400 - c.dx);
        UpdateAt(now);
        EXPECT_EQ(play->levelPoints, c.smashed ? 2 : 0);
        EXPECT_EQ(play->eggsSmashed[c.player], c.smashed ? 1 : 0);
    }
}

TEST_F(PowerUpPlayTest, HatchedParasitesFollowTheirEggsHeading)
{
    struct Case {
        int kind, goDirection;
        int alienKind; // -1: the kind chosen at birth, one of 0..3
    };
    const Case cases[] = {
        {kPupPlainEgg, 0, -1}, {kPupPlainEgg, 1, 2}, {kPupPlainEgg, 2, 0},
        {kPupPlainEgg, 3, 3},  {kPupPlainEgg, 4, 1}, {kPupMagnetic, 2, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "egg kind " << c.kind << ", heading " << c.goDirection);
        StartWith("");
        play->cvar_alienTransverseHSec = 4; // side clocks of newborns fall within 4 hundredths
        play->cvar_friendlyOdds = 90;
        CEgg& egg = EggAt(200, 300, c.kind);
        egg.goDirection = c.goDirection;
        egg.time = now;
        EggAt(250, 600); // keeps the level going
        UpdateAt(now);
        ASSERT_EQ(play->aliens.size(), 1u);
        const CAlien& alien = *play->aliens[0];
        if (c.alienKind < 0) {
            EXPECT_GE(alien.kind, 0);
            EXPECT_LE(alien.kind, 3);
        } else {
            EXPECT_EQ(alien.kind, c.alienKind);
        }
        // Born where the egg lay, and already one crawl step on.
        EXPECT_NEAR(alien.x, 200, 2);
        EXPECT_NEAR(alien.y, 300, 2);
        EXPECT_LE(alien.sideTime, now + 4);
    }
}

TEST_F(PowerUpPlayTest, AnInfectionBeeps)
{
    struct Case {
        int kind;
        float x, y;
    };
    // Each kind crawls toward its own edge: right, down, left, up; 4 wanders.
    const Case cases[] = {{0, 1020, 400}, {1, 500, 765}, {2, 3, 400}, {3, 500, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        StartWith("");
        EggAt(250, 600);
        AlienAt(static_cast<int>(c.x), static_cast<int>(c.y), c.kind);
        UpdateAt(now);
        EXPECT_TRUE(play->aliens.empty());
        EXPECT_EQ(play->levelPoints, -3);
        EXPECT_TRUE(Sounded("BEEP_SFX"));
    }
    // A wanderer heads by its side clock.
    StartWith("");
    EggAt(250, 600);
    CAlien& wanderer = AlienAt(1020, 400, 4);
    wanderer.sideTime = (now / 4 + 1000) * 4; // heading 0, right
    UpdateAt(now);
    EXPECT_EQ(play->levelPoints, -3);
    EXPECT_TRUE(Sounded("BEEP_SFX"));
}

TEST_F(PowerUpPlayTest, AParasiteCrawlingOrKilledDoesNotBeep)
{
    StartWith("");
    EggAt(250, 600);
    AlienAt(700, 300, 0);
    AlienAt(505, 405, 0); // under the puck
    UpdateAt(now);
    EXPECT_EQ(play->levelPoints, 1);
    EXPECT_FALSE(Sounded("BEEP_SFX"));
}

TEST_F(PowerUpPlayTest, TheDeadAndTheRemovedLeaveTheListsInOrder)
{
    StartWith("");
    CAlien* a[3] = {&AlienAt(700, 300), &AlienAt(710, 300), &AlienAt(720, 300)};
    a[1]->Kill();
    CEgg* e[3] = {&EggAt(200, 200), &EggAt(220, 200), &EggAt(240, 200)};
    e[0]->Remove();
    UpdateAt(now);
    ASSERT_EQ(play->aliens.size(), 2u);
    EXPECT_EQ(play->aliens[0].get(), a[0]);
    EXPECT_EQ(play->aliens[1].get(), a[2]);
    ASSERT_EQ(play->eggs.size(), 2u);
    EXPECT_EQ(play->eggs[0].get(), e[1]);
    EXPECT_EQ(play->eggs[1].get(), e[2]);
}

} // namespace
