#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>
#include <string>

#include "app/Display.h"
#include "app/TickTimer.h"
#include "audio/Audio.h"
#include "creatures/TickWorld.h"
#include "creatures/Toy.h"

namespace {

using Sounds = std::set<std::string>;

class ToyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CTickTimer::SetNow(1000);
        g_audio.FlushSounds();
        srand(1);
    }
    STickWorld world;
};

TEST_F(ToyTest, FireStartsWithTwoToSixPixelsPerTickOnEachAxisAtRandomSign)
{
    auto component = [] {
        const float speed = static_cast<float>(rand() % 5 + 2.0);
        return rand() % 2 == 0 ? -speed : speed;
    };
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        srand(seed);
        const float sx = component();
        const float sy = component();
        srand(seed);
        CToy fire;
        fire.Init(300, 300, 200, 200, kToyFire); // a fixed place draws nothing
        EXPECT_EQ(fire.vx, sx) << seed;
        EXPECT_EQ(fire.vy, sy) << seed;
        EXPECT_EQ(fire.x, 300);
        EXPECT_EQ(fire.fy, 200.0f);
    }
}

// A toy set up again (the blower's swallowed dust, a fire boss's caught
// fire, any toy it turns into a fire) starts afresh: at rest unless it is a
// fire, which draws a new velocity; the others draw nothing for it.
TEST_F(ToyTest, ToySetUpAgainStartsAtRestUnlessItIsAFire)
{
    for (int type = kToyTCell; type <= kToyDust; ++type) {
        CToy toy;
        toy.Init(300, 300, 200, 200, kToyFood);
        toy.vx = 7.5f;
        toy.vy = -3.0f;
        toy.active = false;
        srand(5);
        const int next = rand();
        srand(5);
        toy.Init(100, 100, 120, 120, type);
        EXPECT_TRUE(toy.active) << type;
        EXPECT_EQ(toy.fx, 100.0f) << type;
        if (type == kToyFire) {
            EXPECT_GE(std::fabs(toy.vx), 2.0f);
            EXPECT_LE(std::fabs(toy.vy), 6.0f);
            EXPECT_NE(toy.vx, 7.5f);
        } else {
            EXPECT_EQ(toy.vx, 0.0f) << type;
            EXPECT_EQ(toy.vy, 0.0f) << type;
            EXPECT_EQ(rand(), next) << type;
        }
    }
}

TEST_F(ToyTest, EachTypeDampsItsVelocityAfterTheWind)
{
    struct Case {
        int type;
        float bounce; // T-cell damping
        float wind;
        float vx;     // expected after one tick, starting at 4
    };
    const Case cases[] = {
        {kToyTCell, 1.0f, 0, 4.0f},
        {kToyTCell, 0.5f, 0, 2.0f},
        {kToyTCell, 1.0f, 2, static_cast<float>(4.0f + 2 * 0.05)},
        {kToyFood, 1.0f, 0, 3.0f},
        {kToyFood, 1.0f, 2, static_cast<float>(4.0f + 2 * 0.05) * 0.75f},
        {kToyFire, 1.0f, 2, static_cast<float>(4.0f + 2 * 0.05)},
        {kToyNerve, 1.0f, 2, 0.0f},
        {kToyToothU, 1.0f, 2, 0.0f},
        {kToyToothR, 1.0f, 2, 0.0f},
        {kToyToothD, 1.0f, 2, 0.0f},
        {kToyToothL, 1.0f, 2, 0.0f},
    };
    for (const Case& c : cases) {
        STickWorld w;
        w.view.tCellBounce = c.bounce;
        w.view.windX = c.wind;
        CToy& toy = w.AddToy(c.type, 500, 400);
        toy.vx = 4;
        toy.Update(w.view);
        EXPECT_FLOAT_EQ(toy.vx, c.vx) << "type " << c.type;
        EXPECT_FLOAT_EQ(toy.fx, 500 + c.vx) << "type " << c.type; // nerves and teeth stay put
        EXPECT_EQ(toy.x, static_cast<int>(500 + c.vx)) << "type " << c.type;
    }
}

TEST_F(ToyTest, TCellKeepsItsSpeedBouncingInTheArenaOnlyWithoutDamping)
{
    struct Case {
        float bounce;
        float speedAfter10; // |vx| after ten ticks, from 7
    };
    for (const Case& c : {Case{1.0f, 7.0f}, Case{0.5f, 7.0f / 1024}}) {
        STickWorld w;
        w.view.tCellBounce = c.bounce;
        w.view.arenaLeft = 100;
        w.view.arenaRight = 200;
        CToy& cell = w.AddToy(kToyTCell, 150, 300);
        cell.vx = 7;
        for (int tick = 0; tick < 10; ++tick)
            cell.Update(w.view);
        EXPECT_FLOAT_EQ(std::fabs(cell.vx), c.speedAfter10) << c.bounce;
        bool turned = false;
        for (int tick = 0; tick < 300; ++tick) {
            const float before = cell.vx;
            cell.Update(w.view);
            turned |= (before > 0) != (cell.vx > 0);
            ASSERT_GE(cell.fx, 100 - 7.0f);
            ASSERT_LE(cell.fx, 200 + 7.0f);
        }
        if (c.bounce == 1.0f) {
            EXPECT_TRUE(turned);
            EXPECT_FLOAT_EQ(std::fabs(cell.vx), 7.0f);
        }
    }
}

TEST_F(ToyTest, StepIsLimitedToTheRadiusButVelocityIsNot)
{
    struct Case {
        float v;
        float step;
    };
    for (const Case& c : {Case{100, 20}, Case{-100, -20}, Case{20, 20}, Case{-20, -20}, Case{-19.5f, -19.5f},
                          Case{-20.5f, -20}, Case{20.5f, 20}, Case{19.5f, 19.5f}}) {
        STickWorld w; // radius 20
        CToy& cell = w.AddToy(kToyTCell, 500, 400);
        cell.vx = cell.vy = c.v;
        cell.Update(w.view);
        EXPECT_FLOAT_EQ(cell.fx - 500, c.step) << c.v;
        EXPECT_FLOAT_EQ(cell.fy - 400, c.step) << c.v;
        EXPECT_FLOAT_EQ(cell.vx, c.v);
        EXPECT_FLOAT_EQ(cell.vy, c.v);
    }
}

TEST_F(ToyTest, PuckContactActsByType)
{
    struct Case {
        int type;
        const char* sound;
        int points;
        bool active;
        float vx, vy; // after the tick
    };
    const Case cases[] = {
        {kToyTCell, "PUSH_SFX", 0, true, 4.5f, -3.0f},
        {kToyFood, "PUSH_SFX", 0, true, 4.5f * 0.75f, -3.0f * 0.75f},
        {kToyFire, "LOSEPADDLE_SFX", -10, false, 0, 0},
        {kToyNerve, "OW_SFX", -15, false, 0, 0},
        {kToyToothU, "OW_SFX", -15, false, 0, 0},
        {kToyToothR, "OW_SFX", -15, false, 0, 0},
        {kToyToothD, "OW_SFX", -15, false, 0, 0},
        {kToyToothL, "OW_SFX", -15, false, 0, 0},
    };
    for (const Case& c : cases) {
        STickWorld w;
        g_audio.FlushSounds();
        CToy& toy = w.AddToy(c.type, 500, 400);
        w.PutPlayer(0, 505, 395);
        w.playerVX[0] = 3;
        w.playerVY[0] = -2;
        toy.Update(w.view);
        EXPECT_EQ(g_audio.pendingSounds, Sounds{c.sound}) << "type " << c.type;
        EXPECT_EQ(w.levelPoints, c.points) << "type " << c.type;
        EXPECT_EQ(toy.active, c.active) << "type " << c.type;
        EXPECT_FLOAT_EQ(toy.vx, c.vx) << "type " << c.type;
        EXPECT_FLOAT_EQ(toy.vy, c.vy) << "type " << c.type;
    }
}

TEST_F(ToyTest, ContactNeedsBothAxesStrictlyWithinTheRadius)
{
    struct Case {
        int dx, dy;
        bool touched;
    };
    const Case cases[] = {{19, 19, true}, {-19, -19, true}, {0, 0, true}, {20, 0, false},
                          {0, 20, false}, {-20, 0, false}, {0, -20, false}, {19, 25, false}};
    for (const Case& c : cases) {
        STickWorld w;
        CToy& nerve = w.AddToy(kToyNerve, 500, 400);
        w.PutPlayer(1, 500 + c.dx, 400 + c.dy);
        nerve.Update(w.view);
        EXPECT_EQ(nerve.IsInactive(), c.touched) << c.dx << "," << c.dy;
        EXPECT_EQ(w.levelPoints, c.touched ? -15 : 0) << c.dx << "," << c.dy;
    }
}

TEST_F(ToyTest, TwoPlayersOnOneNerveCostFifteenOnce)
{
    CToy& nerve = world.AddToy(kToyNerve, 500, 400);
    world.PutPlayer(0, 505, 400);
    world.PutPlayer(1, 495, 400);
    nerve.Update(world.view);
    nerve.Update(world.view); // gone: no second charge
    EXPECT_EQ(world.levelPoints, -15);
    EXPECT_TRUE(nerve.IsInactive());
}

TEST_F(ToyTest, AcidTrailPutsFireOutForFree)
{
    struct Case {
        bool trail;   // player 1 holds the trail power-up
        int offset;   // of trail point 7 from the fire, on x
        bool putOut;
    };
    for (const Case& c : {Case{true, 19, true}, Case{true, 20, false}, Case{false, 0, false}}) {
        STickWorld w;
        g_audio.FlushSounds();
        CToy& fire = w.AddToy(kToyFire, 500, 400);
        if (c.trail)
            w.Give(1, kPupTrail);
        w.trailX[7][1] = 500.9f + c.offset; // touches by its truncated pixel
        w.trailY[7][1] = 400;
        fire.Update(w.view);
        EXPECT_EQ(fire.IsInactive(), c.putOut) << c.offset;
        EXPECT_EQ(w.levelPoints, 0);
        EXPECT_TRUE(g_audio.pendingSounds.empty());
    }
}

// Acid puts out fires only, by the plain crack radius whatever the reach.
TEST_F(ToyTest, OnlyFireIsPutOutByAcidAndByTheCrackRadius)
{
    struct Case {
        int type;
        int reach; // player 0's
        int offset;
        bool putOut;
    };
    const Case cases[] = {
        {kToyFire, 5, -19, true}, {kToyFire, 40, 20, false}, {kToyNerve, 20, 0, false}, {kToyToothL, 20, 0, false},
    };
    for (const Case& c : cases) {
        STickWorld w; // crack radius 20
        w.reach[0] = c.reach;
        w.Give(0, kPupTrail);
        CToy& toy = w.AddToy(c.type, 500, 400);
        w.trailX[0][0] = static_cast<float>(500 + c.offset);
        w.trailY[0][0] = 400;
        toy.Update(w.view);
        EXPECT_EQ(toy.IsInactive(), c.putOut) << c.type << " at " << c.offset;
        EXPECT_EQ(w.levelPoints, 0);
    }
}

TEST_F(ToyTest, MagnetDragsTheToyAfterItsTouchWasMeasured)
{
    world.view.pullOnParasites = 0.5f;
    world.view.pullOnEggs = 0.25f; // not the one toys feel
    // One magnetic player 30 px away: dragged 15 px, but not touched.
    CToy& nerve = world.AddToy(kToyNerve, 500, 400);
    world.Give(0, kPupMagnetic);
    world.PutPlayer(0, 530, 400 - 21);
    nerve.Update(world.view);
    EXPECT_FALSE(nerve.IsInactive());
    EXPECT_FLOAT_EQ(nerve.fx, 515.0f);
    EXPECT_FLOAT_EQ(nerve.fy, 389.5f);
    EXPECT_EQ(nerve.x, 515);
    EXPECT_EQ(nerve.y, 389);

    // The whole-pixel drag counts at once: the second puck then touches it.
    STickWorld w;
    w.view.pullOnParasites = 0.5f;
    CToy& tooth = w.AddToy(kToyToothU, 500, 400);
    w.Give(0, kPupMagnetic);
    w.PutPlayer(0, 541, 400); // drags 20.5 px, 20 of them at once
    w.PutPlayer(1, 539, 400); // 39 px before the drag, 19 after
    tooth.Update(w.view);
    EXPECT_TRUE(tooth.IsInactive());
    EXPECT_EQ(w.levelPoints, -15);
}

TEST_F(ToyTest, ArenaBounceOnEverySideOnlyBeyondItsLine)
{
    struct Case {
        float fx, fy, vx, vy;
        float wantVx, wantVy;
    };
    // Arena 50..974 x 50..718.
    const Case cases[] = {
        {50.5f, 400, -0.5f, 0, -0.5f, 0}, {50.5f, 400, -1, 0, 1, 0}, {40, 400, 1, 0, 1, 0},
        {973.5f, 400, 0.5f, 0, 0.5f, 0},  {973.5f, 400, 1, 0, -1, 0}, {990, 400, -1, 0, -1, 0},
        {500, 50.5f, 0, -0.5f, 0, -0.5f}, {500, 50.5f, 0, -1, 0, 1},  {500, 40, 0, 1, 0, 1},
        {500, 717.5f, 0, 0.5f, 0, 0.5f},  {500, 717.5f, 0, 1, 0, -1}, {500, 730, 0, -1, 0, -1},
        {49, 719, -2, 2, 2, -2}, // a corner: both at once
    };
    for (const Case& c : cases) {
        STickWorld w; // T-cells keep their speed
        CToy& cell = w.AddToy(kToyTCell, 0, 0);
        cell.fx = c.fx;
        cell.fy = c.fy;
        cell.x = static_cast<int>(c.fx);
        cell.y = static_cast<int>(c.fy);
        cell.vx = c.vx;
        cell.vy = c.vy;
        cell.Update(w.view);
        EXPECT_FLOAT_EQ(cell.vx, c.wantVx) << c.fx << "," << c.fy << " v " << c.vx << "," << c.vy;
        EXPECT_FLOAT_EQ(cell.vy, c.wantVy) << c.fx << "," << c.fy << " v " << c.vx << "," << c.vy;
        EXPECT_FLOAT_EQ(cell.fx, c.fx + c.vx);
        EXPECT_FLOAT_EQ(cell.fy, c.fy + c.vy);
    }
}

TEST_F(ToyTest, InactiveToysAndAbsentPlayersLeaveToysAlone)
{
    world.view.windX = 3;
    CToy& fire = world.AddToy(kToyFire, 500, 400);
    fire.vx = 4;
    fire.Deactivate();
    world.PutPlayer(0, 500, 400);
    fire.Update(world.view);
    EXPECT_FLOAT_EQ(fire.fx, 500.0f);
    EXPECT_FLOAT_EQ(fire.vx, 4.0f);
    EXPECT_EQ(world.levelPoints, 0);

    STickWorld w;
    w.view.numPlayers = 1;
    CToy& nerve = w.AddToy(kToyNerve, 500, 400);
    w.PutPlayer(1, 500, 400);
    nerve.Update(w.view);
    EXPECT_FALSE(nerve.IsInactive());
    EXPECT_EQ(w.levelPoints, 0);
}

// The position the dust jumps to when touched, then its 2-in-35 roll, replayed.
struct SDustReplay {
    int x, y;
    int roll;
};
SDustReplay ReplayJump(unsigned seed, int left, int right, int top, int bottom)
{
    srand(seed);
    SDustReplay r{};
    r.x = right > left ? left + rand() % (right - left) : left;
    r.y = bottom > top ? top + rand() % (bottom - top) : top;
    r.roll = rand() % 35;
    return r;
}

TEST_F(ToyTest, TouchedDustJumpsIntoTheArenaThenRidesTheWind)
{
    struct Case {
        int left, right, top, bottom;
    };
    const Case cases[] = {
        {50, 974, 50, 718},
        {300, 300, 50, 718}, // an empty axis leaves the dust at its start
        {50, 974, 400, 400},
        {300, 300, 400, 400},
        {600, 300, 50, 718}, // reversed, from a broken level file
    };
    for (const Case& c : cases) {
        unsigned seed = 1;
        while (ReplayJump(seed, c.left, c.right, c.top, c.bottom).roll <= 1)
            ++seed; // keep the re-appearance out of this case
        const SDustReplay want = ReplayJump(seed, c.left, c.right, c.top, c.bottom);
        STickWorld w;
        w.view.arenaLeft = c.left;
        w.view.arenaRight = c.right;
        w.view.arenaTop = c.top;
        w.view.arenaBottom = c.bottom;
        w.view.windX = 1;
        w.view.windY = -2;
        CToy& dust = w.AddToy(kToyDust, 500, 400);
        w.PutPlayer(0, 500, 400);
        w.playerVX[0] = 30; // the kick does not outlast the tick
        srand(seed);
        dust.Update(w.view);
        EXPECT_FLOAT_EQ(dust.vx, 2.5f) << c.left << "," << c.right;
        EXPECT_FLOAT_EQ(dust.vy, -5.0f);
        EXPECT_FLOAT_EQ(dust.fx, want.x + 2.5f) << c.left << "," << c.right;
        EXPECT_FLOAT_EQ(dust.fy, want.y - 5.0f) << c.top << "," << c.bottom;
        EXPECT_TRUE(dust.active);
    }
}

TEST_F(ToyTest, DriftingDustLeavesTheArenaAndReturnsOnlyByItsRoll)
{
    world.view.windX = -10.1f; // -25.25 pixels per tick
    CToy& dust = world.AddToy(kToyDust, 60, 300);
    float fx = 60, fy = 300;
    int returns = 0;
    bool wasOutside = false;
    for (int tick = 0; tick < 120; ++tick) {
        srand(100 + tick);
        fx += static_cast<float>(-10.1f * 2.5);
        if (rand() % 35 <= 1) {
            fx = static_cast<float>(20 + rand() % (kScreenW - 20));
            fy = static_cast<float>(20 + rand() % (kScreenH - 20));
            ++returns;
        }
        wasOutside |= fx < world.view.arenaLeft;
        srand(100 + tick);
        dust.Update(world.view);
        ASSERT_FLOAT_EQ(dust.fx, fx) << tick;
        ASSERT_FLOAT_EQ(dust.fy, fy) << tick;
        ASSERT_EQ(dust.x, static_cast<int>(fx)) << tick; // toward zero, also below 0
    }
    EXPECT_TRUE(wasOutside);
    EXPECT_GT(returns, 0);
}

TEST_F(ToyTest, OnlyTCellsCountAsTCellsPresentOrNot)
{
    world.AddToy(kToyFood, 100, 100);
    CToy& cell = world.AddToy(kToyTCell, 300, 300);
    EXPECT_FALSE(TCellWithin(&world.toys, 100, 100, 20));
    EXPECT_TRUE(TCellWithin(&world.toys, 319, 281, 20));
    EXPECT_FALSE(TCellWithin(&world.toys, 320, 300, 20));
    cell.Deactivate();
    EXPECT_TRUE(TCellWithin(&world.toys, 300, 300, 20));
    EXPECT_FALSE(TCellWithin(nullptr, 300, 300, 20));
}

} // namespace
