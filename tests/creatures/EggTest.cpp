#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "app/TickTimer.h"
#include "audio/Audio.h"
#include "creatures/Egg.h"
#include "creatures/TickWorld.h"

namespace {

using Sounds = std::set<std::string>;
constexpr int kNow = 5000;

class EggTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CTickTimer::SetNow(kNow);
        g_audio.FlushSounds();
        srand(1);
    }
    // An egg at (400, 300) that hatches in `life` hundredths.
    static CEgg MakeEgg(int kind, int life = 1000, int goDirection = 0)
    {
        CEgg egg;
        egg.Init(life, life, 400, 400, 300, 300, kind, goDirection);
        return egg;
    }
    STickWorld world; // radius and reaches 20
};

TEST_F(EggTest, InitPlacesAndTimesFromTheRandomStream)
{
    srand(9);
    const int x = 100 + rand() % 50, y = 200 + rand() % 10, life = 300 + rand() % 400;
    srand(9);
    CEgg egg;
    egg.Init(300, 700, 100, 150, 200, 210, 4, 2);
    EXPECT_EQ(egg.x, x);
    EXPECT_EQ(egg.y, y);
    EXPECT_EQ(egg.time, kNow + life);
    EXPECT_EQ(egg.kind, 4);
    EXPECT_EQ(egg.goDirection, 2);
    EXPECT_FALSE(egg.cracked);
}

TEST_F(EggTest, PuckSmashesPlainEggOnlyStrictlyWithinItsSquareReach)
{
    struct Case {
        int dx, dy;
        int reach;
        bool smashed;
    };
    const Case cases[] = {
        {19, 19, 20, true},  {-19, -19, 20, true}, {20, 0, 20, false}, {0, 20, 20, false},
        {-20, 0, 20, false}, {0, -20, 20, false},  {19, 21, 20, false}, {0, 0, -1, false}, // laser off
        {39, -39, 40, true}, // mushroom doubles the reach
    };
    for (const Case& c : cases) {
        STickWorld w;
        g_audio.FlushSounds();
        CEgg egg = MakeEgg(kPupPlainEgg);
        w.reach[0] = c.reach;
        w.PutPlayer(0, 400 + c.dx, 300 + c.dy);
        EXPECT_EQ(egg.Update(w.view), CEgg::kNothing);
        EXPECT_EQ(egg.cracked, c.smashed) << c.dx << "," << c.dy << " r" << c.reach;
        EXPECT_EQ(w.levelPoints, c.smashed ? 2 : 0);
        EXPECT_EQ(w.eggsSmashed[0], c.smashed ? 1 : 0);
        EXPECT_EQ(g_audio.pendingSounds, c.smashed ? Sounds{"HATCH_SFX"} : Sounds{});
        EXPECT_EQ(egg.time, c.smashed ? kNow : kNow + 1000); // a shell's display starts now
    }
}

TEST_F(EggTest, WhoGetsTheCreditForASmashedPlainEgg)
{
    struct Case {
        bool player0, player1, tCell, food;
        int points, credit0, credit1;
    };
    const Case cases[] = {
        {true, true, false, false, 2, 0, 1},   // the later player takes it
        {true, false, true, false, 2, 1, 0},
        {false, false, true, false, 2, 0, 0},  // a T-cell credits nobody
        {false, false, false, true, 0, 0, 0},  // other toys never smash
    };
    for (const Case& c : cases) {
        STickWorld w;
        CEgg egg = MakeEgg(kPupPlainEgg);
        if (c.tCell)
            w.AddToy(kToyTCell, 410, 290).Deactivate(); // present or not, it smashes
        if (c.food)
            w.AddToy(kToyFood, 400, 300);
        if (c.player0)
            w.PutPlayer(0, 405, 305);
        if (c.player1)
            w.PutPlayer(1, 395, 295);
        egg.Update(w.view);
        EXPECT_EQ(w.levelPoints, c.points);
        EXPECT_EQ(w.eggsSmashed[0], c.credit0);
        EXPECT_EQ(w.eggsSmashed[1], c.credit1);
        EXPECT_EQ(egg.cracked, c.points > 0);
    }
}

// T-cells smash by the plain crack radius, whatever the players' reach.
TEST_F(EggTest, TCellSmashesWithinTheCrackRadiusNotThePlayersReach)
{
    struct Case {
        int dx, dy;
        int reach; // both players
        bool smashed;
    };
    const Case cases[] = {
        {19, -19, 5, true}, {-19, 19, -1, true}, {20, 0, 40, false}, {0, -20, 40, false}, {-20, 0, 5, false},
    };
    for (const Case& c : cases) {
        STickWorld w; // crack radius 20
        w.reach[0] = w.reach[1] = c.reach;
        CEgg egg = MakeEgg(kPupPlainEgg);
        w.AddToy(kToyTCell, 400 + c.dx, 300 + c.dy);
        egg.Update(w.view);
        EXPECT_EQ(egg.cracked, c.smashed) << c.dx << "," << c.dy << " reach " << c.reach;
        EXPECT_EQ(w.levelPoints, c.smashed ? 2 : 0) << c.dx << "," << c.dy;
    }
}

// A second puck that is not in the game neither smashes, drags, disrupts
// nor opens anything, wherever it stands and whatever it holds.
TEST_F(EggTest, PlayersBeyondTheCountTakeNoPart)
{
    for (int kind : {kPupPlainEgg, kPupMushroom}) {
        STickWorld w;
        w.view.numPlayers = 1;
        w.view.pullOnEggs = 0.5f;
        w.PutPlayer(1, 410, 290);
        w.Give(1, kPupDisrupt);
        w.Give(1, kPupMagnetic);
        CEgg egg = MakeEgg(kind);
        EXPECT_EQ(egg.Update(w.view), CEgg::kNothing) << kind;
        EXPECT_FALSE(egg.cracked) << kind;
        EXPECT_EQ(egg.x, 400);
        EXPECT_EQ(egg.y, 300);
        EXPECT_EQ(w.levelPoints, 0);
        EXPECT_EQ(w.eggsSmashed[1], 0);
    }
}

TEST_F(EggTest, OpenedPowerUpNeverHatches)
{
    world.Give(0, kPupDisrupt);
    CEgg egg = MakeEgg(kPupSpeedup, -50); // long past its hatch time
    egg.cracked = true;
    EXPECT_EQ(egg.Update(world.view), CEgg::kNothing);
    EXPECT_EQ(egg.kind, kPupSpeedup);
    EXPECT_EQ(egg.time, kNow - 50);
    EXPECT_TRUE(g_audio.pendingSounds.empty());
}

TEST_F(EggTest, WholePowerUpEggCracksOpenAndThrowsThePlayerBackUnlessBigOrFast)
{
    struct Case {
        int power; // held by player 1, -1 none
        bool swapped;
    };
    for (const Case& c : {Case{-1, true}, Case{kPupMagnetic, true}, Case{kPupMushroom, false},
                          Case{kPupSpeedup, false}}) {
        STickWorld w;
        w.view.pupFlickerShowTime = 150;
        CEgg egg = MakeEgg(kPupFreeze);
        w.PutPlayer(1, 400, 300);
        if (c.power >= 0)
            w.Give(1, c.power);
        w.laserA[1] = 11, w.laserB[1] = 22, w.laserC[1] = 33, w.laserD[1] = 44;
        EXPECT_EQ(egg.Update(w.view), CEgg::kCrackedPowerUp);
        EXPECT_TRUE(egg.cracked);
        EXPECT_EQ(egg.kind, kPupFreeze);
        EXPECT_EQ(egg.time, kNow + 150);
        EXPECT_EQ(w.levelPoints, 2);
        EXPECT_EQ(w.eggsSmashed[1], 1);
        EXPECT_FALSE(HasPower(w.flags[1], kPupFreeze)); // not yet collected
        const int want[4] = {c.swapped ? 33 : 11, c.swapped ? 44 : 22, c.swapped ? 11 : 33, c.swapped ? 22 : 44};
        EXPECT_EQ(w.laserA[1], want[0]) << c.power;
        EXPECT_EQ(w.laserB[1], want[1]) << c.power;
        EXPECT_EQ(w.laserC[1], want[2]) << c.power;
        EXPECT_EQ(w.laserD[1], want[3]) << c.power;
    }
}

TEST_F(EggTest, OpenPowerUpIsCollectedByTheFirstPlayerToTouchIt)
{
    CEgg egg = MakeEgg(kPupTrail);
    world.PutPlayer(0, 400, 300);
    world.PutPlayer(1, 400, 300);
    ASSERT_EQ(egg.Update(world.view), CEgg::kCrackedPowerUp);
    EXPECT_EQ(world.eggsSmashed[0], 1); // the first one in reach cracks it
    EXPECT_EQ(egg.Update(world.view), CEgg::kNothing);
    EXPECT_TRUE(HasPower(world.flags[0], kPupTrail));
    EXPECT_FALSE(HasPower(world.flags[1], kPupTrail));
    EXPECT_TRUE(egg.removed);
    EXPECT_EQ(world.levelPoints, 2); // collecting is not scored
}

TEST_F(EggTest, EggHatchesWhenItsTimeComes)
{
    struct Case {
        int kind, goDirection, life;
        int result, kindAfter;
    };
    const Case cases[] = {
        {kPupPlainEgg, 0, 0, 1, kPupPlainEgg}, {kPupPlainEgg, 1, -5, 2, kPupPlainEgg},
        {kPupPlainEgg, 4, 0, 5, kPupPlainEgg}, {kPupDetonate, 3, 0, CEgg::kHatchedPowerUp, kPupEmptyShell},
        {kPupPlainEgg, 2, 1, CEgg::kNothing, kPupPlainEgg}, // not yet
    };
    for (const Case& c : cases) {
        STickWorld w;
        g_audio.FlushSounds();
        CEgg egg = MakeEgg(c.kind, c.life, c.goDirection);
        EXPECT_EQ(egg.Update(w.view), c.result) << c.kind << "/" << c.goDirection;
        EXPECT_EQ(egg.kind, c.kindAfter);
        EXPECT_EQ(egg.cracked, c.result != CEgg::kNothing);
        EXPECT_EQ(g_audio.pendingSounds.count("HATCH_SFX"), c.result != CEgg::kNothing ? 1u : 0u);
        EXPECT_EQ(w.levelPoints, 0);
    }
}

TEST_F(EggTest, DisruptHeldByAnyoneHatchesEveryWholeEggAtOnce)
{
    world.Give(1, kPupDisrupt);
    CEgg plain = MakeEgg(kPupPlainEgg, 9000, 3);
    CEgg power = MakeEgg(kPupMagnetic, 9000);
    EXPECT_EQ(plain.Update(world.view), 4);
    EXPECT_EQ(power.Update(world.view), CEgg::kHatchedPowerUp); // the owner makes it a wanderer
    EXPECT_EQ(power.kind, kPupEmptyShell);
    EXPECT_EQ(power.time, kNow);
    // An empty shell is neither collected nor scored.
    world.PutPlayer(0, 400, 300);
    g_audio.FlushSounds();
    EXPECT_EQ(power.Update(world.view), CEgg::kNothing);
    EXPECT_EQ(world.flags[0], 0);
    EXPECT_EQ(world.levelPoints, 0);
    EXPECT_TRUE(g_audio.pendingSounds.empty());
}

TEST_F(EggTest, TCellHoldsAWholePowerUpEggButAPlayerCanStillSmashIt)
{
    CEgg egg = MakeEgg(kPupSpeedup, -100); // long overdue
    world.AddToy(kToyTCell, 390, 310);
    for (int tick = 0; tick < 3; ++tick) {
        g_audio.FlushSounds();
        EXPECT_EQ(egg.Update(world.view), CEgg::kNothing);
        EXPECT_FALSE(egg.cracked);
        EXPECT_EQ(g_audio.pendingSounds, Sounds{"HATCH_SFX"});
    }
    EXPECT_EQ(world.levelPoints, 0);
    world.PutPlayer(0, 410, 300);
    EXPECT_EQ(egg.Update(world.view), CEgg::kCrackedPowerUp);
}

TEST_F(EggTest, MagnetDragsTheEggBeforeTheReachIsMeasured)
{
    world.view.pullOnEggs = 0.5f;
    world.Give(1, kPupMagnetic);
    CEgg egg = MakeEgg(kPupPlainEgg);
    world.PutPlayer(1, 400 - 21, 300 + 7); // dx -21 -> -10 (toward zero), dy 7 -> 3
    EXPECT_EQ(egg.Update(world.view), CEgg::kNothing);
    EXPECT_EQ(egg.x, 390);
    EXPECT_EQ(egg.y, 303);
    EXPECT_FALSE(egg.cracked); // the reach used the distance before the drag
    egg.Update(world.view);
    EXPECT_TRUE(egg.cracked);
    EXPECT_EQ(world.eggsSmashed[1], 1);
}

TEST_F(EggTest, FinishedEggsNoLongerTakePartInTheTick)
{
    struct Case {
        int kind;
        bool cracked, removed;
    };
    // Open shells, and eggs waiting to be swept (detonated, or an opened
    // power-up that expired on screen).
    for (const Case& c : {Case{kPupPlainEgg, true, false}, Case{kPupEmptyShell, true, false},
                          Case{kPupPlainEgg, false, true}, Case{kPupMagnetic, true, true}}) {
        STickWorld w;
        g_audio.FlushSounds();
        CEgg egg = MakeEgg(c.kind, -10);
        egg.cracked = c.cracked;
        egg.removed = c.removed;
        w.PutPlayer(0, 400, 300);
        w.Give(1, kPupDisrupt);
        EXPECT_EQ(egg.Update(w.view), CEgg::kNothing);
        EXPECT_EQ(w.levelPoints, 0);
        EXPECT_EQ(w.flags[0], 0);
        EXPECT_TRUE(g_audio.pendingSounds.empty());
    }
}

} // namespace
