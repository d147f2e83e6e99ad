#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "creatures/BossWorld.h"

namespace {

class BossKindsTest : public BossTestBase {};

float Speed(const CBoss& boss) { return fixtof(boss.speed.v); }
int Heading(const CBoss& boss) { return fixtoi(boss.heading.v); }

// ---- egg layer -----------------------------------------------------------

TEST_F(BossKindsTest, EggLayerLaysByAttackFrequency)
{
    for (int freq : {0, 100}) {
        SBossWorld w;
        CBoss boss = MakeBoss(kBossEggLayer, 500, 400); // facing right, turning up: stands still
        boss.attackFreq = freq;
        const int farThink = boss.nextThink;
        for (int tick = 0; tick < 3; ++tick) {
            CTickTimer::SetNow(kNow + tick);
            boss.Update(w.view);
            // Laying clears the think time, so it thinks on every following tick.
            EXPECT_EQ(boss.nextThink, freq == 0 ? farThink : 0) << freq;
        }
        ASSERT_EQ(w.eggs.size(), freq == 0 ? 0u : 3u);
        if (freq == 0)
            continue;
        const CEgg& egg = *w.eggs.front();
        EXPECT_EQ(egg.x, 500); // x + size + size * cos(128)
        EXPECT_EQ(egg.y, 445); // y + size + size * sin(128)
        EXPECT_EQ(egg.kind, 0);
        EXPECT_EQ(egg.goDirection, 0);
        EXPECT_GE(egg.time, kNow + 300);
        EXPECT_LT(egg.time, kNow + 500);
    }
}

// The egg drops one body size behind the layer's back, measured from
// (x + size, y + size); the chance roll comes before the egg's own draws.
TEST_F(BossKindsTest, EggLayerLaysBehindItselfAfterItsChanceRoll)
{
    struct Case {
        int heading;
        int ex, ey;
    };
    const Case cases[] = {{0, 500, 445}, {64, 545, 400}, {128, 590, 445}, {-64, 545, 490}, {32, 513, 413}};
    for (const Case& c : cases) {
        SBossWorld w;
        CBoss boss = MakeBoss(kBossEggLayer, 500, 400);
        boss.attackFreq = 50;
        boss.heading = c.heading;
        unsigned seed = 1;
        for (;; ++seed) {
            std::srand(seed);
            if (std::rand() % 100 < 50)
                break;
        }
        const int life = 300 + std::rand() % 200;
        std::srand(seed);
        boss.Update(w.view);
        ASSERT_EQ(w.eggs.size(), 1u) << c.heading;
        EXPECT_EQ(w.eggs[0]->x, c.ex) << c.heading;
        EXPECT_EQ(w.eggs[0]->y, c.ey) << c.heading;
        EXPECT_EQ(w.eggs[0]->time, kNow + life) << c.heading;
    }
}

TEST_F(BossKindsTest, EggLayerTurnsThenPatrolsAlongTheMargins)
{
    struct Case {
        int state, heading, x, y;
        int headingAfter;
        float speedAfter;
        int stateAfter;
    };
    // e = 30, so the margins lie 120 px in; turnSpeed 4, walkSpeed 2.
    const Case cases[] = {
        {0, 0, 500, 400, -4, 0, 0},     // above the goal: turn down by 4
        {3, 0, 500, 400, 4, 0, 3},      // below the goal: turn up by 4
        {0, -61, 500, 400, -64, 2, 0},  // within one turn: aligned, walks
        {0, -60, 500, 400, -64, 2, 0},  // exactly one turn above: aligned
        {0, -68, 500, 400, -64, 2, 0},  // exactly one turn below: aligned
        {0, -59, 500, 400, -63, 0, 0},  // one more: still turning
        {0, -69, 500, 400, -65, 0, 0},
        {0, -64, 500, 100, -64, 2, 2},  // top margin: go down next
        {1, 3, 950, 400, 0, 2, 3},      // right margin: go left next
        {2, 64, 500, 700, 64, 2, 0},    // bottom margin: go up next
        {3, 130, 100, 400, 128, 2, 1},  // left margin: go right next
        {0, 190, 500, 100, 186, 0, 0},  // no wrap-around: the long way round
        // On a margin is not past it.
        {0, -64, 500, 120, -64, 2, 0},
        {1, 0, 904, 400, 0, 2, 1},
        {2, 64, 500, 648, 64, 2, 2},
        {3, 128, 120, 400, 128, 2, 3},
    };
    for (const Case& c : cases) {
        CBoss boss = MakeBoss(kBossEggLayer, c.x, c.y);
        boss.state = c.state;
        boss.heading = c.heading;
        boss.Update(world.view);
        EXPECT_EQ(Heading(boss), c.headingAfter) << c.state << "/" << c.heading;
        EXPECT_FLOAT_EQ(Speed(boss), c.speedAfter) << c.state << "/" << c.heading;
        EXPECT_EQ(boss.state, c.stateAfter) << c.state << "/" << c.heading;
    }
}

TEST_F(BossKindsTest, MadEggLayerRunsInwardAndLastMarginWins)
{
    struct Case {
        int x, y;
        int lo, hi; // range of a new heading
        int stateAfter;
    };
    const Case cases[] = {
        {700, 500, -127, -32, 4}, // lower right
        {700, 300, 32, 127, 4},   // upper right
        {300, 500, -63, 32, 4},   // lower left
        {300, 300, -32, 63, 4},   // upper left
        {100, 100, -32, 63, 1},   // top and left margins: left wins
        {950, 700, -127, -32, 0}, // right and bottom margins: bottom wins
        {950, 100, 32, 127, 3},   // top and right margins: right wins
        {100, 700, -63, 32, 1},   // bottom and left margins: left wins
        {512, 500, -63, 32, 4},   // the middle column counts as left
        {700, 384, 32, 127, 4},   // the middle row counts as upper
        {120, 120, -32, 63, 4},   // on the margins is not past them
        {904, 648, -127, -32, 4},
    };
    for (const Case& c : cases) {
        bool turned = false;
        for (unsigned seed = 1; seed <= 60; ++seed) {
            std::srand(seed);
            CBoss boss = MakeBoss(kBossEggLayer, c.x, c.y);
            boss.state = CBoss::kStateMad;
            boss.heading = 200; // outside every range
            boss.Update(world.view);
            EXPECT_FLOAT_EQ(Speed(boss), 5.f);
            EXPECT_EQ(boss.state, c.stateAfter) << c.x << "," << c.y;
            if (Heading(boss) == 200)
                continue;
            turned = true;
            EXPECT_GE(Heading(boss), c.lo) << c.x << "," << c.y;
            EXPECT_LE(Heading(boss), c.hi) << c.x << "," << c.y;
        }
        EXPECT_TRUE(turned) << c.x << "," << c.y;
    }
}

// Mad, it first rolls for an egg, then for a turn, then for the new heading.
TEST_F(BossKindsTest, MadEggLayerRollsToLayThenToTurnThenForItsHeading)
{
    struct Case {
        int x, y;
        int base, sign; // heading = base + sign * (rand() % 96)
    };
    const Case cases[] = {{700, 500, -32, -1}, {700, 300, 32, 1}, {300, 500, 32, -1}, {300, 300, -32, 1}};
    for (const Case& c : cases) {
        for (unsigned seed = 1, found = 0; found < 3; ++seed) {
            std::srand(seed);
            std::rand(); // the egg roll
            if (std::rand() % 30 >= 3)
                continue;
            ++found;
            const int heading = c.base + c.sign * (std::rand() % 96);
            CBoss boss = MakeBoss(kBossEggLayer, c.x, c.y);
            boss.state = CBoss::kStateMad;
            std::srand(seed);
            boss.Update(world.view);
            EXPECT_EQ(Heading(boss), heading) << c.x << "," << c.y << " seed " << seed;
        }
    }
}

// The mad run turns on exactly 3 of the 30 values of its roll.
TEST_F(BossKindsTest, MadEggLayerTurnsOnlyWhenItsRollIsBelowThree)
{
    bool sawThree = false, sawTurn = false;
    for (unsigned seed = 1; seed <= 400; ++seed) {
        std::srand(seed);
        std::rand(); // the egg roll
        const int roll = std::rand() % 30;
        sawThree = sawThree || roll == 3;
        sawTurn = sawTurn || roll < 3;
        CBoss boss = MakeBoss(kBossEggLayer, 300, 300);
        boss.state = CBoss::kStateMad;
        boss.heading = 200; // outside every range
        std::srand(seed);
        boss.Update(world.view);
        EXPECT_EQ(Heading(boss) != 200, roll < 3) << "seed " << seed << " roll " << roll;
    }
    EXPECT_TRUE(sawThree);
    EXPECT_TRUE(sawTurn);
}

// Each kind's think step and what it draws from rand(): the egg layer also
// rolls for an egg every tick, after thinking.
TEST_F(BossKindsTest, ThinkStepsByKind)
{
    struct Case {
        int type;
        int draws;
        int healthAfter;
        int stateBefore;
        int (*state)(int firstDraw); // from the think's draw
        int nextThink;
    };
    const Case cases[] = {
        {kBossEggLayer, 2, 100, 0, [](int r) { return r % 4; }, kNow + 100},
        {kBossTCellKing, 0, 100, 0, [](int) { return 0; }, kNow - 1},
        {kBossGobbler, 1, 97, 1, [](int) { return 0; }, kNow + 100},
        {kBossFireball, 1, 100, 0, [](int r) { return r % 2; }, kNow + 100},
        {kBossChaser, 0, 100, 0, [](int) { return 2; }, kNow + 100},
        {kBossBlower, 1, 95, 0, [](int r) { return r % 4; }, kNow + 100},
    };
    for (const Case& c : cases) {
        SBossWorld w;
        w.AddToy(kToyFood, 100, 100);
        w.AddToy(kToyFire, 100, 700);
        w.AddToy(kToyFire, 900, 700);
        CBoss boss = MakeBoss(c.type, 500, 400);
        boss.walkSpeed = boss.runSpeed = 0;
        boss.state = c.stateBefore;
        boss.nextThink = kNow - 1;
        std::srand(21);
        const int first = std::rand();
        std::srand(21);
        for (int i = 0; i < c.draws; ++i)
            std::rand();
        const int next = std::rand();
        std::srand(21);
        boss.Update(w.view);
        EXPECT_EQ(boss.state, c.state(first)) << "type " << c.type;
        EXPECT_EQ(boss.health, c.healthAfter) << "type " << c.type;
        EXPECT_EQ(boss.nextThink, c.nextThink) << "type " << c.type;
        EXPECT_EQ(std::rand(), next) << "draws of type " << c.type;
    }
}

// ---- T-cell king ---------------------------------------------------------

TEST_F(BossKindsTest, TCellKingRushesWhileInvincible)
{
    struct Case {
        int hurtIn;
        float speed;
    };
    for (const Case& c : {Case{-1, 2.f}, Case{0, 5.f}, Case{30, 5.f}}) {
        CBoss boss = MakeBoss(kBossTCellKing, 500, 400);
        boss.hurtUntil = kNow + c.hurtIn;
        world.PlacePlayer(0, 500, 200);
        boss.Update(world.view);
        EXPECT_EQ(Heading(boss), -64);
        EXPECT_FLOAT_EQ(Speed(boss), c.speed) << c.hurtIn;
    }
}

// ---- gobbler -------------------------------------------------------------

// Food becomes the target only when nearer than the target so far on both
// axes; the gobbler then walks (or runs, with no food left) once aligned.
TEST_F(BossKindsTest, GobblerHeadsForTheNearestFoodOnBothAxes)
{
    struct Food {
        int x, y;
    };
    struct Case {
        std::vector<Food> food;
        int heading;
        float speed;
    };
    // Gobbler at (500, 400), player at (700, 600): heading 32.
    const Case cases[] = {
        {{{600, 700}}, 32, 2.f},             // nearer on x only
        {{{700, 450}}, 32, 2.f},             // nearer on y only
        {{{400, 450}}, 109, 2.f},            // nearer on both
        {{{600, 350}, {430, 330}}, -19, 2.f}, // the second is not nearer than the first
        {{{430, 330}, {600, 350}}, -96, 2.f}, // nor the second here
        {{}, 32, 5.f},                       // no food: runs
    };
    for (const Case& c : cases) {
        SBossWorld w;
        w.PlacePlayer(0, 700, 600);
        for (const Food& f : c.food)
            w.AddToy(kToyFood, f.x, f.y);
        CBoss boss = MakeBoss(kBossGobbler, 500, 400);
        boss.turnSpeed = 255; // aligns at once
        boss.Update(w.view);
        EXPECT_EQ(Heading(boss), c.heading) << c.food.size() << " food";
        EXPECT_FLOAT_EQ(Speed(boss), c.speed) << c.food.size() << " food";
        EXPECT_EQ(boss.state, c.food.empty() ? 1 : 0);
    }
}

TEST_F(BossKindsTest, MadGobblerKeepsItsPace)
{
    world.AddToy(kToyFood, 100, 100);
    world.PlacePlayer(0, 700, 400);
    CBoss boss = MakeBoss(kBossGobbler, 500, 400);
    boss.state = CBoss::kStateMad;
    boss.speed = 3;
    boss.turnSpeed = 255;
    boss.Update(world.view);
    EXPECT_EQ(Heading(boss), 0);
    EXPECT_FLOAT_EQ(Speed(boss), 3.f);
}

TEST_F(BossKindsTest, GobblerWithoutFoodDiesOnlyFromOneBigBlow)
{
    struct Case {
        int damage;
        bool thinks; // thinking costs 3 health first
        bool dead;
    };
    const Case cases[] = {{99, false, false}, {100, false, true}, {96, true, false}, {97, true, true}};
    for (const Case& c : cases) {
        SBossWorld w;
        w.PlacePlayer(0, 530, 400);
        w.AddToy(kToyFood, 100, 100).Deactivate(); // eaten food does not count
        CBoss boss = MakeBoss(kBossGobbler, 500, 400);
        boss.health = 20;
        boss.damagePerPlayerBump = c.damage;
        if (c.thinks)
            boss.nextThink = kNow - 1;
        boss.Update(w.view);
        EXPECT_EQ(boss.IsDead(), c.dead) << c.damage;
        EXPECT_EQ(boss.health, 100 - (c.thinks ? 3 : 0) - c.damage) << c.damage;
    }
}

TEST_F(BossKindsTest, GobblerEatsNearFoodUpToFullHealth)
{
    struct Case {
        int health, after;
    };
    for (const Case& c : {Case{60, 85}, Case{90, 100}}) {
        SBossWorld w;
        CToy& near = w.AddToy(kToyFood, 541, 359); // within 22 + 20 on both axes
        CToy& far = w.AddToy(kToyFood, 542, 400);
        CBoss boss = MakeBoss(kBossGobbler, 500, 400);
        boss.health = c.health;
        boss.Update(w.view);
        EXPECT_EQ(boss.health, c.after);
        EXPECT_TRUE(near.IsInactive());
        EXPECT_FALSE(far.IsInactive());
        EXPECT_EQ(boss.state, 0);
    }
    SBossWorld w;
    CToy& below = w.AddToy(kToyFood, 500, 442);
    CBoss boss = MakeBoss(kBossGobbler, 500, 400);
    boss.health = 60;
    boss.Update(w.view);
    EXPECT_FALSE(below.IsInactive());
    EXPECT_EQ(boss.health, 60);
}

TEST_F(BossKindsTest, WeakGobblerIgnoresPlayersForFood)
{
    struct Case {
        int health;
        int heading; // toward the player (right) or the food (down-left)
    };
    for (const Case& c : {Case{55, 0}, Case{54, 96}}) {
        SBossWorld w;
        w.PlacePlayer(0, 700, 400);
        w.AddToy(kToyFood, 300, 600);
        CBoss boss = MakeBoss(kBossGobbler, 500, 400);
        boss.turnSpeed = 200; // aligns at once
        boss.health = c.health;
        boss.Update(w.view);
        EXPECT_EQ(Heading(boss), c.heading) << c.health;
        EXPECT_FLOAT_EQ(Speed(boss), 2.f);
    }
}

// ---- fireball boss -------------------------------------------------------

TEST_F(BossKindsTest, FireballAcceleratesOnlyWhenNotInvincibleAndRestartsAtMargins)
{
    struct Case {
        int x;
        bool invincible;
        float speed;
        int state;
        int heading;
    };
    // e = 30: the side margins lie 60 px in. Starting speed 3, state 0 (going left).
    const Case cases[] = {
        {500, false, 3.5f, 0, 128},
        {500, true, 3.0f, 0, 10},
        {50, false, 0.7f, 1, 128}, // reset to 0.2, then accelerates
        {50, true, 0.2f, 1, 118},
    };
    for (const Case& c : cases) {
        SBossWorld w;
        w.AddToy(kToyFire, 100, 700);
        w.AddToy(kToyFire, 900, 700);
        CBoss boss = MakeBoss(kBossFireball, c.x, 400);
        boss.speed = 3;
        boss.hurtUntil = c.invincible ? kNow + 20 : 0;
        boss.Update(w.view);
        EXPECT_NEAR(Speed(boss), c.speed, 1e-4) << c.x << c.invincible;
        EXPECT_EQ(boss.state, c.state) << c.x << c.invincible;
        EXPECT_EQ(Heading(boss), c.heading) << c.x << c.invincible;
    }
}

TEST_F(BossKindsTest, FireballDriftsBetweenTheTopAndBottomMargins)
{
    struct Case {
        int state;
        float fy;
        int sweepBefore;
        bool invincible;
        int sweepAfter;
        int heading;
    };
    // e = 30: the margins lie 60 px from the top and the bottom (708).
    const Case cases[] = {
        {0, 59, -1, true, 1, 10},    {0, 709, 1, true, -1, -10},  {1, 709, 1, true, -1, 138},
        {1, 59, -1, true, 1, 118},   {0, 60, -1, true, -1, -10},  {1, 708, 1, true, 1, 118},
        {0, 709, 1, false, -1, 128}, {1, 59, -1, false, 1, 0},
    };
    for (const Case& c : cases) {
        SBossWorld w;
        w.AddToy(kToyFire, 100, 700);
        w.AddToy(kToyFire, 900, 700);
        CBoss boss = MakeBoss(kBossFireball, 500, 400);
        boss.fy = c.fy;
        boss.state = c.state;
        boss.sweepDir = c.sweepBefore;
        boss.hurtUntil = c.invincible ? kNow + 20 : 0;
        boss.Update(w.view);
        EXPECT_EQ(boss.sweepDir, c.sweepAfter) << c.state << " at " << c.fy;
        EXPECT_EQ(Heading(boss), c.heading) << c.state << " at " << c.fy << " invincible " << c.invincible;
    }
}

TEST_F(BossKindsTest, FireballTurnsOnlyPastItsSideMargins)
{
    struct Case {
        int state;
        float fx;
        int stateAfter;
    };
    const Case cases[] = {{0, 59, 1}, {0, 60, 0}, {1, 965, 0}, {1, 964, 1}};
    for (const Case& c : cases) {
        SBossWorld w;
        w.AddToy(kToyFire, 100, 700);
        w.AddToy(kToyFire, 900, 700);
        CBoss boss = MakeBoss(kBossFireball, 500, 400);
        boss.fx = c.fx;
        boss.state = c.state;
        boss.Update(w.view);
        EXPECT_EQ(boss.state, c.stateAfter) << c.state << " at " << c.fx;
    }
}

// A fire is caught when its next step takes it nearer on both axes and it
// lies within half a body size + crack radius (42 px) on both.
TEST_F(BossKindsTest, FireballCatchesOnlyFireComingInOnBothAxesAndNear)
{
    struct Case {
        int x, y;
        float vx, vy;
        bool caught;
    };
    const Case cases[] = {
        {541, 410, -3, -3, true},  {542, 410, -3, -3, false}, {459, 359, 3, 3, true},  {520, 358, -3, 3, false},
        {520, 410, -3, 3, false},  {520, 410, 3, -3, false},  {520, 410, 0, -3, false}, {520, 410, -0.9f, -3, false},
    };
    for (const Case& c : cases) {
        SBossWorld w;
        CBoss boss = MakeBoss(kBossFireball, 500, 400);
        boss.health = 50;
        CToy& fire = w.AddToy(kToyFire, c.x, c.y, c.vx, c.vy);
        w.AddToy(kToyFire, 100, 700);
        boss.Update(w.view);
        EXPECT_EQ(boss.health, c.caught ? 53 : 50) << c.x << "," << c.y << " v " << c.vx << "," << c.vy;
        EXPECT_EQ(fire.x == 500 && fire.y == 400, c.caught) << c.x << "," << c.y;
    }
}

TEST_F(BossKindsTest, FireballCatchesIncomingFireAndThrowsItAgain)
{
    CBoss boss = MakeBoss(kBossFireball, 500, 400);
    boss.health = 90;
    CToy& incoming = world.AddToy(kToyFire, 520, 410, -3, -3);
    CToy& leaving = world.AddToy(kToyFire, 520, 410, 3, 3);
    CToy& spent = world.AddToy(kToyNerve, 100, 100);
    spent.Deactivate();
    boss.Update(world.view);
    EXPECT_EQ(boss.health, 93);
    EXPECT_EQ(incoming.x, 500);
    EXPECT_EQ(incoming.y, 400);
    EXPECT_GE(std::abs(incoming.vx), 2.f);
    EXPECT_LE(std::abs(incoming.vx), 6.f);
    EXPECT_EQ(leaving.x, 520);
    EXPECT_TRUE(spent.IsInactive()); // two fires in play: nothing more
}

TEST_F(BossKindsTest, FireballTurnsInactiveToysIntoFiresWhenFewAreLeft)
{
    CBoss boss = MakeBoss(kBossFireball, 500, 400);
    world.AddToy(kToyFire, 100, 700);
    CToy& nerve = world.AddToy(kToyNerve, 100, 100);
    CToy& food = world.AddToy(kToyFood, 900, 100);
    CToy& tcell = world.AddToy(kToyTCell, 900, 600);
    nerve.Deactivate();
    food.Deactivate();
    boss.Update(world.view);
    for (const CToy* toy : {&nerve, &food}) {
        EXPECT_FALSE(toy->IsInactive());
        EXPECT_EQ(toy->type, kToyFire);
        EXPECT_EQ(toy->x, 500);
        EXPECT_EQ(toy->y, 400);
    }
    EXPECT_EQ(tcell.type, kToyTCell);
}

// ---- chaser --------------------------------------------------------------

TEST_F(BossKindsTest, ChaserThinksThroughItsCycle)
{
    struct Case {
        int state;
        int after;   // a think to 3 jumps at once and then takes aim (1)
        bool jumped;
    };
    const Case cases[] = {{0, 2, false}, {1, 0, false}, {2, 1, true}, {3, 1, false}, {4, 1, true}};
    for (const Case& c : cases) {
        CBoss boss = MakeBoss(kBossChaser, 500, 400);
        boss.walkSpeed = 0; // a charge would move it too
        world.PlacePlayer(0, 800, 600);
        boss.state = c.state;
        boss.nextThink = kNow - 1;
        boss.Update(world.view);
        EXPECT_EQ(boss.state, c.after) << c.state;
        EXPECT_EQ(boss.nextThink, kNow + 100) << c.state;
        EXPECT_EQ(boss.x != 500 || boss.y != 400, c.jumped) << c.state;
    }
}

TEST_F(BossKindsTest, ChaserSteersByItsState)
{
    struct Case {
        int state;
        bool invincible;
        int heading; // from 40 before the tick
        float speed;
    };
    // Target below the chaser (heading 64); now 10000: the spin is at -((40000) & 255) = -64.
    const Case cases[] = {
        {0, false, 64, 2.f}, {0, true, 64, 5.f}, {1, false, 64, 0.f}, {2, false, 40, 0.f}, {4, false, -64, 0.f},
    };
    for (const Case& c : cases) {
        SBossWorld w;
        w.PlacePlayer(0, 500, 700);
        CBoss boss = MakeBoss(kBossChaser, 500, 400);
        boss.heading = 40;
        boss.speed = 3;
        boss.state = c.state;
        boss.hurtUntil = c.invincible ? kNow + 20 : 0;
        boss.Update(w.view);
        EXPECT_EQ(Heading(boss), c.heading) << c.state << " invincible " << c.invincible;
        EXPECT_FLOAT_EQ(Speed(boss), c.speed) << c.state << " invincible " << c.invincible;
    }
    // The spin goes round backwards with the clock.
    CBoss boss = MakeBoss(kBossChaser, 500, 400);
    boss.state = CBoss::kStateMad;
    CTickTimer::SetNow(kNow + 10); // (40040) & 255 = 104
    boss.Update(world.view);
    EXPECT_EQ(Heading(boss), -104);
}

// The jump draws x, then y, on the half of the arena away from the target.
TEST_F(BossKindsTest, ChaserJumpDrawsItsPlaceAwayFromTheTarget)
{
    struct Case {
        int tx, ty;
    };
    for (const Case& c : {Case{100, 100}, Case{900, 700}, Case{512, 200}, Case{200, 384}}) {
        for (unsigned seed = 1; seed <= 5; ++seed) {
            // e = 30: 60 + rand() % 452 or 964 - rand() % 452; 60 + rand() % 324 or 708 - rand() % 324.
            std::srand(seed);
            const int x = c.tx >= 512 ? 60 + std::rand() % 452 : 964 - std::rand() % 452;
            const int y = c.ty >= 384 ? 60 + std::rand() % 324 : 708 - std::rand() % 324;
            if (std::abs(c.tx - x) < 180 && std::abs(c.ty - y) < 180)
                continue; // would draw again
            SBossWorld w;
            w.PlacePlayer(0, c.tx, c.ty);
            CBoss boss = MakeBoss(kBossChaser, 500, 400);
            boss.state = 3;
            std::srand(seed);
            boss.Update(w.view);
            EXPECT_EQ(boss.x, x) << c.tx << "," << c.ty << " seed " << seed;
            EXPECT_EQ(boss.y, y) << c.tx << "," << c.ty << " seed " << seed;
        }
    }
}

TEST_F(BossKindsTest, ChaserJumpNeverLandsWithinFourSizesOfTheTarget)
{
    struct Target {
        int x, y;
    };
    for (const Target& t : {Target{100, 100}, Target{900, 700}, Target{512, 384}, Target{530, 300}}) {
        for (unsigned seed = 1; seed <= 40; ++seed) {
            std::srand(seed);
            SBossWorld w;
            w.PlacePlayer(0, t.x, t.y);
            CBoss boss = MakeBoss(kBossChaser, 500, 400);
            boss.state = 3;
            boss.Update(w.view);
            EXPECT_EQ(boss.state, 1);
            EXPECT_TRUE(std::abs(t.x - boss.x) >= 180 || std::abs(t.y - boss.y) >= 180)
                << t.x << "," << t.y << " seed " << seed << " at " << boss.x << "," << boss.y;
            // On the half away from the target, inside the margins.
            EXPECT_EQ(boss.x < 512, t.x >= 512) << t.x << " seed " << seed;
            EXPECT_GE(boss.x, 60);
            EXPECT_LE(boss.x, 964);
        }
    }
}

TEST_F(BossKindsTest, ChaserJumpGivesUpWhenNoPlaceIsFarEnough)
{
    // Margins so wide that every draw lands on (512, 512), close to the target.
    world.view.edgeInfect = 256;
    world.PlacePlayer(0, 512, 400);
    CBoss boss = MakeBoss(kBossChaser, 500, 400);
    boss.state = 3;
    boss.Update(world.view);
    EXPECT_EQ(boss.state, 1);
    EXPECT_EQ(boss.x, 512);
    EXPECT_EQ(boss.y, 512);
}

// ---- blower --------------------------------------------------------------

TEST_F(BossKindsTest, BlowerWindByState)
{
    struct Case {
        int state;
        int players;
        float playerFX; // player 0 starts 200 px right of the boss
        float dustFX;   // dust starts 200 px left of it
    };
    const Case cases[] = {
        {0, 1, 701, 296}, {1, 1, 699, 304}, {2, 1, 702, 290}, {3, 1, 698, 310}, {4, 1, 700, 300},
        {0, 2, 701, 296 - 204 * 0.02f}, // state 0 moves the dust once per player
        {1, 2, 699, 304},
    };
    for (const Case& c : cases) {
        SBossWorld w;
        w.view.numPlayers = c.players;
        w.PlacePlayer(0, 700, 400);
        w.PlacePlayer(1, 500, 700);
        CToy& dust = w.AddToy(kToyDust, 300, 400);
        CBoss boss = MakeBoss(kBossBlower, 500, 400);
        boss.state = c.state;
        boss.Update(w.view);
        EXPECT_NEAR(w.pfx[0], c.playerFX, 1e-3) << c.state << "/" << c.players;
        EXPECT_FLOAT_EQ(w.pfy[0], 400.f) << c.state << "/" << c.players;
        EXPECT_NEAR(dust.fx, c.dustFX, 1e-3) << c.state << "/" << c.players;
    }
}

TEST_F(BossKindsTest, BlowerSwallowsIncomingDustAndSweepsBetweenMargins)
{
    CBoss boss = MakeBoss(kBossBlower, 40, 400);
    boss.sweepDir = -1;
    boss.state = 1;
    CToy& incoming = world.AddToy(kToyDust, 60, 410, -3, -3);
    incoming.Deactivate(); // dust is handled whatever its flag
    boss.Update(world.view);
    EXPECT_EQ(boss.sweepDir, 1);
    EXPECT_EQ(Heading(boss), 0);
    EXPECT_FALSE(incoming.IsInactive());
    EXPECT_GE(incoming.x, 60);
    EXPECT_LT(incoming.x, 964);
    EXPECT_GE(incoming.y, 60);
    EXPECT_LT(incoming.y, 708);

    CBoss right = MakeBoss(kBossBlower, 980, 400);
    right.Update(world.view);
    EXPECT_EQ(right.sweepDir, -1);
    EXPECT_EQ(Heading(right), 128);
    EXPECT_FLOAT_EQ(Speed(right), 2.f);
}

TEST_F(BossKindsTest, BlowerSwallowsOnlyDustComingInOnBothAxesAndNear)
{
    struct Case {
        int x, y;
        float vx, vy;
        bool swallowed;
    };
    const Case cases[] = {
        {541, 441, -3, -3, true}, {542, 410, -3, -3, false}, {520, 358, -3, 3, false},
        {520, 410, -3, 3, false}, {520, 410, 3, -3, false},  {459, 359, 3, 3, true},
    };
    for (const Case& c : cases) {
        SBossWorld w;
        CBoss boss = MakeBoss(kBossBlower, 500, 400);
        boss.walkSpeed = 0;
        boss.state = 1;
        CToy& dust = w.AddToy(kToyDust, c.x, c.y, c.vx, c.vy);
        std::srand(11);
        boss.Update(w.view);
        // Swallowed dust is set up anew, at a whole-pixel place; other dust is sucked 0.005 of the way.
        const float suckedX = c.x + (500 - c.x) * 0.02f;
        EXPECT_EQ(dust.fx != suckedX, c.swallowed) << c.x << "," << c.y << " v " << c.vx << "," << c.vy;
    }
}

TEST_F(BossKindsTest, BlowerTurnsOnlyPastItsSideMargins)
{
    struct Case {
        float fx;
        int sweepBefore, sweepAfter;
    };
    const Case cases[] = {{59, -1, 1}, {60, -1, -1}, {965, 1, -1}, {964, 1, 1}};
    for (const Case& c : cases) {
        CBoss boss = MakeBoss(kBossBlower, 500, 400);
        boss.fx = c.fx;
        boss.sweepDir = c.sweepBefore;
        boss.Update(world.view);
        EXPECT_EQ(boss.sweepDir, c.sweepAfter) << c.fx;
        EXPECT_EQ(Heading(boss), c.sweepAfter < 1 ? 128 : 0) << c.fx;
    }
}

TEST_F(BossKindsTest, BlowerThinkingCostsHealth)
{
    for (unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
        CBoss boss = MakeBoss(kBossBlower, 500, 400);
        boss.nextThink = kNow - 1;
        std::srand(seed);
        const int state = std::rand() % 4;
        std::srand(seed);
        boss.Update(world.view);
        EXPECT_EQ(boss.health, 95);
        EXPECT_EQ(boss.state, state) << seed;
    }
}

} // namespace
