#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "creatures/BossWorld.h"
#include "support/TempDir.h"

namespace {

class BossTest : public BossTestBase {};

TEST(BossNames, TypeNamesAnyCaseAndMusic)
{
    struct Case {
        const char* name;
        int type;
        int track;
    };
    const Case cases[] = {{"EGGLAY", 0, 8}, {"tcellk", 1, 7}, {"Gobble", 2, 5}, {"FIBALL", 3, 6},
                          {"chaser", 4, 3}, {"BLOWER", 5, 4}, {"stcell", 6, 9},  {"", -1, 1},
                          {"EGGLAYER", -1, 1}, {nullptr, -1, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(BossTypeFromName(c.name), c.type) << (c.name ? c.name : "null");
        EXPECT_EQ(BossMusicTrack(c.type), c.track) << (c.name ? c.name : "null");
    }
}

TEST_F(BossTest, ConstructionAndInit)
{
    CBoss fresh;
    EXPECT_EQ(fresh.x, -100);
    EXPECT_FLOAT_EQ(fresh.fy, -100.f);
    EXPECT_EQ(fresh.size, 45);
    EXPECT_EQ(fresh.health, 100);
    EXPECT_EQ(fresh.sweepDir, 1);

    for (int type : {kBossEggLayer, kBossChaser}) {
        std::srand(3);
        const int expectedThink = kNow + std::rand() % 100;
        std::srand(3);
        CBoss boss;
        boss.health = 0;
        boss.hurtUntil = 77;
        boss.heading = 90;
        boss.Init(300, 200, type);
        EXPECT_EQ(boss.state, type == kBossChaser ? 2 : 0);
        EXPECT_EQ(boss.nextThink, expectedThink);
        EXPECT_EQ(boss.x, 300);
        EXPECT_FLOAT_EQ(boss.fy, 200.f);
        EXPECT_EQ(boss.health, 100);
        EXPECT_EQ(boss.hurtUntil, 0);
        EXPECT_EQ(boss.heading.v, 0);
        EXPECT_FALSE(boss.IsDead());
        boss.Clear();
        EXPECT_TRUE(boss.IsDead());
    }
}

// The target is seen through the T-cell king, which aims straight at it.
TEST_F(BossTest, SecondPlayerIsTargetOnlyWhenNearerOnBothAxes)
{
    struct Case {
        int p1x, p1y;
        int heading; // angle units
    };
    // Player 0 sits down-right at (+200, +200): heading 32.
    const Case cases[] = {
        {400, 300, -96}, // nearer on both axes: up-left
        {300, 300, 32},  // tie on x keeps player 0
        {400, 200, 32},  // tie on y keeps player 0
        {350, 650, 32},  // nearer on x only
    };
    for (const Case& c : cases) {
        SBossWorld w;
        w.view.numPlayers = 2;
        w.PlacePlayer(0, 700, 600);
        w.PlacePlayer(1, c.p1x, c.p1y);
        CBoss boss = MakeBoss(kBossTCellKing, 500, 400);
        boss.Update(w.view);
        EXPECT_EQ(fixtoi(boss.heading.v), c.heading) << c.p1x << "," << c.p1y;
    }
}

TEST_F(BossTest, FrozenBossMovesOnlyByMagnet)
{
    struct Case {
        bool frozen, magnetic;
        int x;      // after one tick
        float fx;
    };
    // Player 256 px to the right: the magnet drags 2 px; the king walks 2 px.
    const Case cases[] = {
        {false, false, 502, 502.f},
        {false, true, 504, 504.f},
        {true, false, 500, 500.f},
        {true, true, 502, 502.f},
    };
    for (const Case& c : cases) {
        SBossWorld w;
        w.PlacePlayer(0, 756, 400);
        w.powers[0] = c.magnetic ? 1 << kPupMagnetic : 0;
        w.view.freezeUntil = c.frozen ? 1 : 0;
        CBoss boss = MakeBoss(kBossTCellKing, 500, 400);
        boss.Update(w.view);
        EXPECT_EQ(boss.x, c.x) << c.frozen << c.magnetic;
        EXPECT_FLOAT_EQ(boss.fx, c.fx) << c.frozen << c.magnetic;
        EXPECT_EQ(boss.y, 400);
    }
}

// A puck touches the boss within crack radius + body size on both axes.
TEST_F(BossTest, TouchReachesCrackRadiusPlusSizeStrictly)
{
    struct Case {
        int radius;
        int dx, dy;
        bool hit;
    };
    const Case cases[] = {
        {20, 64, 0, true},   {20, 65, 0, false},  {20, 0, -64, true}, {20, 0, 65, false},
        {20, -64, 64, true}, {20, -65, 10, false}, {10, 54, -54, true}, {10, 55, 0, false}, {10, 0, -55, false},
    };
    for (const Case& c : cases) {
        SBossWorld w;
        w.view.crackRadius = c.radius;
        w.PlacePlayer(0, 500 + c.dx, 400 + c.dy);
        CBoss boss = MakeBoss(kBossTCellKing, 500, 400);
        boss.walkSpeed = 0;
        boss.Update(w.view);
        EXPECT_EQ(boss.health, c.hit ? 90 : 100) << "r " << c.radius << " at " << c.dx << "," << c.dy;
    }
}

TEST_F(BossTest, ThinksOnlyOnceItsThinkTimeHasPassed)
{
    struct Case {
        int thinkIn; // nextThink - now
        bool thinks;
    };
    for (const Case& c : {Case{-1, true}, Case{0, false}, Case{1, false}}) {
        CBoss boss = MakeBoss(kBossBlower, 500, 400); // thinking costs it 5
        boss.nextThink = kNow + c.thinkIn;
        boss.Update(world.view);
        EXPECT_EQ(boss.health, c.thinks ? 95 : 100) << c.thinkIn;
        EXPECT_EQ(boss.nextThink, c.thinks ? kNow + 100 : kNow + c.thinkIn) << c.thinkIn;
    }
}

TEST_F(BossTest, HitsWithinInvincibilityCountOnce)
{
    CBoss boss = MakeBoss(kBossTCellKing, 500, 400);
    boss.walkSpeed = boss.runSpeed = 0;
    world.view.numPlayers = 2;
    world.PlacePlayer(0, 540, 400); // both touching
    world.PlacePlayer(1, 460, 400);
    world.powers[0] = 1 << kPupTrail;
    world.trailX[3][0] = 500; // and the trail on it too
    world.trailY[3][0] = 420;
    boss.Update(world.view);
    EXPECT_EQ(boss.health, 90);
    EXPECT_EQ(boss.hurtUntil, kNow + 50);
    EXPECT_TRUE(Heard("KILL_ALIEN_SFX"));

    CTickTimer::SetNow(kNow + 50); // hurtUntil not yet passed
    boss.Update(world.view);
    EXPECT_EQ(boss.health, 90);
    CTickTimer::SetNow(kNow + 51);
    boss.Update(world.view);
    EXPECT_EQ(boss.health, 80);
}

TEST_F(BossTest, TrailAloneHurtsAndItsPointsAreTruncated)
{
    CBoss boss = MakeBoss(kBossTCellKing, 500, 400);
    boss.walkSpeed = 0;
    world.powers[0] = 1 << kPupTrail;
    world.trailX[14][0] = 435.9f; // trunc 435: 65 away, just outside
    world.trailY[14][0] = 400;
    boss.Update(world.view);
    EXPECT_EQ(boss.health, 100);
    world.trailX[14][0] = 436.0f; // 64 away
    boss.Update(world.view);
    EXPECT_EQ(boss.health, 90);
}

TEST_F(BossTest, ReactionToAPlayerHitByKind)
{
    struct Case {
        int type;
        int state;     // after the hit
        int nextThink; // after the hit
        int points;
        float shovedFX; // player 0 starts at fx 460, boss at 500
    };
    const int far = kNow + 1000;
    const Case cases[] = {
        {kBossEggLayer, 4, kNow + 30, 0, 460 + (45 - 40) * 0.2f},
        {kBossGobbler, 4, kNow + 30, 0, 460},
        {kBossFireball, 0, far, 2, 460},
        {kBossChaser, 4, kNow + 50, 0, 460 + (45 - 40) * 0.5f},
    };
    for (const Case& c : cases) {
        SBossWorld w;
        w.PlacePlayer(0, 460, 400);
        w.AddToy(kToyFood, 100, 100); // keeps the gobbler from refilling
        w.AddToy(kToyFire, 100, 700); // keeps the fireball boss from turning it into fires
        w.AddToy(kToyFire, 900, 700);
        CBoss boss = MakeBoss(c.type, 500, 400);
        boss.walkSpeed = boss.runSpeed = 0;
        if (c.type == kBossChaser)
            boss.state = 0; // charging, so the player is not "behind"
        if (c.type == kBossFireball)
            boss.fx = 500.f;
        boss.Update(w.view);
        EXPECT_EQ(boss.health, 90) << c.type;
        EXPECT_EQ(boss.state, c.state) << c.type;
        EXPECT_EQ(boss.nextThink, c.nextThink) << c.type;
        EXPECT_EQ(w.points, c.points) << c.type;
        EXPECT_FLOAT_EQ(w.pfx[0], c.shovedFX) << c.type;
    }
}

// Only a puck that touches is shoved, on both axes; a trail hit shoves nobody.
TEST_F(BossTest, ShoveFollowsTheTouchOnBothAxes)
{
    struct Case {
        int type;
        bool touching; // else a trail hit from afar
        float fx, fy;  // player 0 after the tick, from (460, 420) or far away
    };
    const Case cases[] = {
        {kBossEggLayer, true, 460 + 5 * 0.2f, 420 + 65 * 0.2f},
        {kBossChaser, true, 460 + 5 * 0.5f, 420 + 65 * 0.5f},
        {kBossEggLayer, false, 900, 700},
        {kBossChaser, false, 900, 700},
    };
    for (const Case& c : cases) {
        SBossWorld w;
        if (c.touching) {
            w.PlacePlayer(0, 460, 420);
        } else {
            w.PlacePlayer(0, 900, 700);
            w.powers[0] = 1 << kPupTrail;
            w.trailX[0][0] = 500;
            w.trailY[0][0] = 400;
        }
        CBoss boss = MakeBoss(c.type, 500, 400);
        boss.walkSpeed = boss.runSpeed = 0;
        if (c.type == kBossChaser)
            boss.state = 1; // taking aim: facing the player, not waiting
        else
            boss.heading = -64; // patrolling up, aligned
        boss.Update(w.view);
        EXPECT_EQ(boss.health, 90) << c.type << " touching " << c.touching;
        EXPECT_FLOAT_EQ(w.pfx[0], c.fx) << c.type << " touching " << c.touching;
        EXPECT_FLOAT_EQ(w.pfy[0], c.fy) << c.type << " touching " << c.touching;
    }
}

// A hit makes the boss mad and delays its next think, unless it is mad already.
TEST_F(BossTest, HitMakesItMadUnlessAlreadyMad)
{
    struct Case {
        bool byTCell; // else by a puck
        int state;
        int nextThink;
    };
    const int far = kNow + 1000;
    const Case cases[] = {
        {false, 0, kNow + 30}, {false, 4, far}, {true, 0, kNow + 30}, {true, 4, far},
    };
    for (const Case& c : cases) {
        SBossWorld w;
        if (c.byTCell)
            w.AddToy(kToyTCell, 440, 400);
        else
            w.PlacePlayer(0, 460, 400);
        CBoss boss = MakeBoss(kBossTCellKing, 500, 400);
        boss.walkSpeed = boss.runSpeed = 0;
        boss.state = c.state;
        boss.Update(w.view);
        EXPECT_LT(boss.health, 100) << c.byTCell << "/" << c.state;
        EXPECT_EQ(boss.state, 4) << c.byTCell << "/" << c.state;
        EXPECT_EQ(boss.nextThink, c.nextThink) << c.byTCell << "/" << c.state;
    }
}

TEST_F(BossTest, EggLayerShovesEvenWhileInvincible)
{
    CBoss boss = MakeBoss(kBossEggLayer, 500, 400);
    boss.hurtUntil = kNow + 40;
    world.PlacePlayer(0, 460, 400);
    boss.Update(world.view);
    EXPECT_EQ(boss.health, 100);
    EXPECT_FLOAT_EQ(world.pfx[0], 461.f);
    EXPECT_FALSE(Heard("KILL_ALIEN_SFX"));
}

TEST_F(BossTest, BumpDamageZeroOrNegative)
{
    struct Case {
        int damage;
        int type;
        int state;
        int health;
        int points;
        bool sound;
    };
    const Case cases[] = {
        {0, kBossTCellKing, 0, 100, 0, false},  // immune to players
        {-1, kBossTCellKing, 0, 0, -1000, true}, // touching loses the level
        {-1, kBossChaser, 4, 100, 0, false},     // but not a spinning chaser
    };
    for (const Case& c : cases) {
        SBossWorld w;
        w.points = 50;
        w.PlacePlayer(0, 520, 400);
        CBoss boss = MakeBoss(c.type, 500, 400);
        boss.walkSpeed = 0;
        boss.damagePerPlayerBump = c.damage;
        boss.state = c.state;
        g_audio.FlushSounds();
        boss.Update(w.view);
        EXPECT_EQ(boss.health, c.health) << c.damage << "/" << c.type;
        EXPECT_EQ(w.points, c.points == 0 ? 50 : c.points) << c.damage << "/" << c.type;
        EXPECT_EQ(Heard("KILL_ALIEN_SFX"), c.sound) << c.damage << "/" << c.type;
    }
}

TEST_F(BossTest, TCellsHurtABossImmuneToPlayersAndAreFlung)
{
    CBoss boss = MakeBoss(kBossTCellKing, 500, 400);
    boss.walkSpeed = 0;
    boss.damagePerPlayerBump = 0;
    world.PlacePlayer(0, 510, 400);
    CToy& first = world.AddToy(kToyTCell, 440, 400, 3.f, 2.f);  // left of the boss
    CToy& second = world.AddToy(kToyTCell, 500, 460, 0.f, 0.f); // also in reach
    world.AddToy(kToyFood, 500, 400);
    boss.Update(world.view);
    EXPECT_EQ(boss.health, 95);
    EXPECT_EQ(boss.state, 4);
    EXPECT_EQ(boss.nextThink, kNow + 30);
    // From the toy to the boss is angle 0: cos 65536, sin 0, then negated.
    EXPECT_FLOAT_EQ(first.vx, -(65536.f + 3.f));
    EXPECT_FLOAT_EQ(first.vy, -2.f);
    EXPECT_FLOAT_EQ(second.vy, 0.f); // one T-cell per tick

    CTickTimer::SetNow(kNow + 10); // still invincible: flung, not hurt
    g_audio.FlushSounds();
    boss.Update(world.view);
    EXPECT_EQ(boss.health, 95);
    EXPECT_EQ(boss.hurtUntil, kNow + 50);
    EXPECT_FALSE(Heard("KILL_ALIEN_SFX"));
}

// A T-cell harms again only once the invincibility has ended: at its last
// moment it is still flung off unharmed.
TEST_F(BossTest, TCellHarmsOnlyAfterTheInvincibleTime)
{
    for (int since : {0, 1}) {
        CBoss boss = MakeBoss(kBossTCellKing, 500, 400);
        boss.walkSpeed = boss.runSpeed = 0;
        boss.hurtUntil = kNow - since;
        boss.state = CBoss::kStateMad;
        world.toys.clear();
        world.AddToy(kToyTCell, 440, 400);
        boss.Update(world.view);
        EXPECT_EQ(boss.health, since ? 95 : 100) << since;
        EXPECT_EQ(boss.hurtUntil, since ? kNow + 50 : kNow) << since;
    }
}

TEST_F(BossTest, TCellHarmReachesCrackRadiusPlusSizeStrictly)
{
    struct Case {
        int dx, dy;
        bool harmed;
    };
    const Case cases[] = {{64, 0, true}, {-64, 64, true}, {65, 0, false}, {0, -65, false}, {-65, 30, false}};
    for (const Case& c : cases) {
        SBossWorld w;
        CToy& cell = w.AddToy(kToyTCell, 500 + c.dx, 400 + c.dy, 1.f, 1.f);
        CBoss boss = MakeBoss(kBossTCellKing, 500, 400);
        boss.walkSpeed = 0;
        boss.Update(w.view);
        EXPECT_EQ(boss.health, c.harmed ? 95 : 100) << c.dx << "," << c.dy;
        EXPECT_EQ(cell.vx != 1.f, c.harmed) << c.dx << "," << c.dy;
    }
}

TEST_F(BossTest, TCellsPassThroughWhenHarmlessToTheBoss)
{
    CBoss boss = MakeBoss(kBossTCellKing, 500, 400);
    boss.walkSpeed = 0;
    boss.damagePerOtherHarm = 0;
    CToy& toy = world.AddToy(kToyTCell, 440, 400, 3.f, 0.f);
    boss.Update(world.view);
    EXPECT_EQ(boss.health, 100);
    EXPECT_FLOAT_EQ(toy.vx, 3.f);
}

class ChaserBehindTest : public BossTest {
protected:
    void SetUp() override
    {
        BossTest::SetUp();
        saved = screen;
        screen = create_bitmap(kScreenW, kScreenH);
        clear_to_color(screen, 0);
    }
    void TearDown() override
    {
        destroy_bitmap(screen);
        screen = saved;
        BossTest::TearDown();
    }
    BITMAP* saved = nullptr;
};

// A waiting chaser faces right (heading 0); a player behind it heals it
// without limit, one in front hurts it.
TEST_F(ChaserBehindTest, PlayerBehindTheWaitingChaserHealsIt)
{
    struct Case {
        int playerX;
        bool behind;
        int health;
        int state;
    };
    const Case cases[] = {
        {460, true, 110, 4},  // touching from behind: healed, then it spins
        {200, true, 100, 2},  // behind but out of reach: only the warning
        {540, false, 90, 4},  // touching from the front
    };
    for (const Case& c : cases) {
        SBossWorld w;
        w.PlacePlayer(0, c.playerX, 400);
        CBoss boss = MakeBoss(kBossChaser, 500, 400);
        clear_to_color(screen, 0);
        g_audio.FlushSounds();
        boss.Update(w.view);
        EXPECT_EQ(boss.health, c.health) << c.playerX;
        EXPECT_EQ(boss.state, c.state) << c.playerX;
        EXPECT_EQ(getpixel(screen, 0, 300) == makecol(255, 0, 0), c.behind) << c.playerX;
        EXPECT_EQ(getpixel(g_display.backBuffer, 0, 300), 0) << c.playerX;
        EXPECT_TRUE(Heard("KILL_ALIEN_SFX") || !c.behind);
    }
}

// Only a waiting chaser has a "behind": charging, taking aim or spinning,
// a puck at its back hurts it like any other.
TEST_F(ChaserBehindTest, OnlyAWaitingChaserHasABehind)
{
    struct Case {
        int state;
        int px, py;   // player 1; player 0 is the target, far to the right
        int damage;
        int health;
        int stateAfter;
    };
    // Charging and taking aim it faces player 0 (heading 0); spinning at
    // now 10000 it faces up (heading -64).
    const Case cases[] = {
        {2, 460, 400, 10, 110, 4}, {0, 460, 400, 10, 90, 4}, {1, 460, 400, 10, 90, 4}, {4, 500, 440, 10, 90, 4},
        {2, 460, 400, 0, 100, 4}, // behind, even an immune chaser takes the hit and spins
        {2, 460, 400, -1, 99, 4}, // and one whose touch loses the level only takes the hit
        {0, 460, 400, 0, 100, 0}, // not behind: immune
    };
    for (const Case& c : cases) {
        SBossWorld w;
        w.view.numPlayers = 2;
        w.PlacePlayer(0, 900, 400);
        w.PlacePlayer(1, c.px, c.py);
        CBoss boss = MakeBoss(kBossChaser, 500, 400);
        boss.walkSpeed = boss.runSpeed = 0;
        boss.state = c.state;
        boss.damagePerPlayerBump = c.damage;
        clear_to_color(screen, 0);
        boss.Update(w.view);
        EXPECT_EQ(boss.health, c.health) << "state " << c.state << " damage " << c.damage;
        EXPECT_EQ(boss.state, c.stateAfter) << "state " << c.state << " damage " << c.damage;
        EXPECT_EQ(w.points, 0);
        EXPECT_EQ(getpixel(screen, 0, 300) == makecol(255, 0, 0), c.state == 2) << "state " << c.state;
    }
}

TEST_F(BossTest, BehindWarningWithoutAScreenDrawsNothing)
{
    ASSERT_EQ(screen, nullptr);
    CBoss boss = MakeBoss(kBossChaser, 500, 400);
    world.PlacePlayer(0, 200, 400);
    boss.Update(world.view);
    EXPECT_TRUE(Heard("KILL_ALIEN_SFX"));
}

TEST_F(BossTest, DeadBossDoesNothing)
{
    CBoss boss = MakeBoss(kBossTCellKing, 500, 400);
    boss.health = 0;
    world.PlacePlayer(0, 700, 400);
    boss.Update(world.view);
    EXPECT_EQ(boss.x, 500);
    EXPECT_FLOAT_EQ(boss.vx, 0.f);
}

class BossDrawTest : public BossTest {
protected:
    void SetUp() override
    {
        BossTest::SetUp();
        image = create_bitmap(20, 20);
        clear_to_color(image, makecol(255, 255, 255));
        clear_to_color(g_display.backBuffer, 0);
    }
    void TearDown() override
    {
        destroy_bitmap(image);
        BossTest::TearDown();
    }
    bool DrawnAt(int x, int y) const { return getpixel(g_display.backBuffer, x, y) != 0; }
    BITMAP* image = nullptr;
};

TEST_F(BossDrawTest, InvincibleBossFlickersEightHundredthsAtATime)
{
    struct Case {
        int hurtIn; // hurtUntil - now
        bool drawn;
    };
    const Case cases[] = {{-5, true}, {0, true}, {7, true}, {8, false}, {15, false}, {16, true}, {24, false}};
    for (const Case& c : cases) {
        CBoss boss = MakeBoss(kBossGobbler, 300, 300);
        boss.hurtUntil = kNow + c.hurtIn;
        clear_to_color(g_display.backBuffer, 0);
        boss.DrawWith(g_display.backBuffer, image, nullptr);
        EXPECT_EQ(DrawnAt(300, 300), c.drawn) << c.hurtIn;
    }
}

TEST_F(BossDrawTest, DeadBossAndMissingPicturesDrawNothing)
{
    CBoss boss = MakeBoss(kBossEggLayer, 300, 300);
    boss.Draw(); // the registry has no pictures: nothing happens
    boss.DrawWith(g_display.backBuffer, nullptr, nullptr);
    EXPECT_FALSE(DrawnAt(300, 300));
    boss.health = 0;
    boss.DrawWith(g_display.backBuffer, image, nullptr);
    EXPECT_FALSE(DrawnAt(300, 300));
    boss.health = 1;
    boss.DrawWith(g_display.backBuffer, image, nullptr);
    EXPECT_TRUE(DrawnAt(300, 300));
}

// The pictures face up; a moving boss turns its nose along its heading
// (0 right, 64 down, 128 left, 192 up), the blower excepted.
TEST_F(BossDrawTest, MovingBossFacesItsHeading)
{
    const int nose = makecol(255, 0, 0);
    rectfill(image, 8, 0, 11, 5, nose); // a red nose on the top edge
    struct Case {
        int heading; // Allegro angle units
        int noseX, noseY; // where the nose lands, relative to the centre
    };
    const Case cases[] = {{0, 8, 0}, {64, 0, 8}, {128, -8, 0}, {192, 0, -8}, {32, 5, 5}};
    for (int type : {kBossChaser, kBossEggLayer, kBossGobbler, kBossFireball, kBossTCellKing}) {
        for (const Case& c : cases) {
            CBoss boss = MakeBoss(type, 300, 300);
            boss.heading = c.heading;
            clear_to_color(g_display.backBuffer, 0);
            boss.DrawWith(g_display.backBuffer, image, nullptr);
            EXPECT_EQ(getpixel(g_display.backBuffer, 300 + c.noseX, 300 + c.noseY), nose)
                << "type " << type << " heading " << c.heading;
            EXPECT_NE(getpixel(g_display.backBuffer, 300 - c.noseX, 300 - c.noseY), nose)
                << "type " << type << " heading " << c.heading;
        }
    }
}

TEST_F(BossDrawTest, BlowerRotorKeepsItsAngleWhileMad)
{
    CBoss boss = MakeBoss(kBossBlower, 300, 300);
    struct Step {
        int state;
        int now;
        int angle;
    };
    const Step steps[] = {
        {0, 1000, (2000) & 255}, {1, 1000, -((2000) & 255)}, {2, 1001, (4004) & 255},
        {4, 1050, (4004) & 255}, {4, 1090, (4004) & 255},    {3, 1100, -((4400) & 255)},
    };
    for (const Step& s : steps) {
        CTickTimer::SetNow(s.now);
        boss.state = s.state;
        boss.DrawWith(g_display.backBuffer, image, image);
        EXPECT_EQ(boss.rotorAngle, s.angle) << s.state << "@" << s.now;
    }
    EXPECT_TRUE(DrawnAt(300, 300));
}

// The blower's rotor turns by its state; its cover sits on top, never turned.
TEST_F(BossDrawTest, BlowerRotorTurnsUnderAnUpturnedCover)
{
    const int nose = makecol(255, 0, 0), mark = makecol(0, 0, 255);
    rectfill(image, 8, 0, 11, 5, nose); // the rotor's nose, on its top edge
    BITMAP* cover = create_bitmap(6, 6);
    clear_to_color(cover, bitmap_mask_color(cover));
    rectfill(cover, 0, 0, 1, 1, mark); // the cover's top-left corner
    struct Case {
        int state, now;
        int noseX, noseY; // relative to the centre
    };
    // State 2 turns (now x 4) & 255: 64 at now 16, a quarter turn clockwise;
    // state 3 the other way.
    const Case cases[] = {{2, 16, 8, 0}, {3, 16, -8, 0}, {0, 32, 8, 0}, {1, 32, -8, 0}, {2, 32, 0, 8}};
    for (const Case& c : cases) {
        CTickTimer::SetNow(c.now);
        CBoss boss = MakeBoss(kBossBlower, 300, 300);
        boss.state = c.state;
        boss.heading = 64; // a heading that must not show
        clear_to_color(g_display.backBuffer, 0);
        boss.DrawWith(g_display.backBuffer, image, cover);
        EXPECT_EQ(getpixel(g_display.backBuffer, 300 + c.noseX, 300 + c.noseY), nose) << c.state << "@" << c.now;
        EXPECT_NE(getpixel(g_display.backBuffer, 300 - c.noseX, 300 - c.noseY), nose) << c.state << "@" << c.now;
        EXPECT_EQ(getpixel(g_display.backBuffer, 297, 297), mark) << c.state << "@" << c.now;
        EXPECT_NE(getpixel(g_display.backBuffer, 302, 302), mark) << c.state << "@" << c.now;
    }
    destroy_bitmap(cover);
}

class BossTunablesTest : public TempDirTest {
protected:
    void TearDown() override
    {
        set_config_file("");
        TempDirTest::TearDown();
    }
};

TEST_F(BossTunablesTest, KeysReadFromTheCurrentFileDefaultToTheFields)
{
    WriteFile("level.yks", "[boss-move]\ncvar_boss_turnspeed = 6\ncvar_boss_runspeed = 4.5\n"
                           "[boss-fight]\ncvar_boss_damagePerPlayerBump = -1\n"
                           "[boss-think]\ncvar_boss_hsecBetweenThinkingWhenMad = 77\n"
                           "[boss-endboss]\ncvar_boss_hsecBetweenSplitMin = 40\ncvar_boss_hsecBetweenSplitMax = 40\n");
    set_config_file((dir / "level.yks").c_str());
    CTickTimer::SetNow(500);
    CBoss boss;
    boss.walkSpeed = 1.25f;
    boss.attackFreq = 12;
    boss.hsecBetweenThinking = 90;
    boss.endBoss.hsecPreSplitWarning = 33;
    boss.Init(100, 100, kBossStemCell);
    boss.LoadTunables("boss.yks");
    EXPECT_EQ(boss.turnSpeed, 6);
    EXPECT_FLOAT_EQ(boss.walkSpeed, 1.25f);
    EXPECT_FLOAT_EQ(boss.runSpeed, 4.5f);
    EXPECT_EQ(boss.attackFreq, 12);
    EXPECT_EQ(boss.damagePerPlayerBump, -1);
    EXPECT_EQ(boss.hsecBetweenThinking, 90);
    EXPECT_EQ(boss.hsecBetweenThinkingWhenMad, 77);
    EXPECT_EQ(boss.endBoss.hsecPreSplitWarning, 33);
    EXPECT_EQ(boss.endBoss.cells[30][45], 540);
    EXPECT_FALSE(boss.IsDead());

    // Other kinds leave the end-boss grid alone.
    CBoss mover;
    mover.Init(100, 100, kBossChaser);
    mover.LoadTunables("boss.yks");
    EXPECT_EQ(mover.turnSpeed, 6);
    EXPECT_EQ(mover.endBoss.cells[30][45], 0);
}

// Every key is read from its own section: the file holds all twelve keys in
// every section, each with a value that tells the section apart.
TEST_F(BossTunablesTest, EveryKeyComesFromItsOwnSection)
{
    const char* const sections[] = {"boss-move", "boss-fight", "boss-think", "boss-endboss"};
    const char* const keys[] = {"cvar_boss_turnspeed",
                                "cvar_boss_walkspeed",
                                "cvar_boss_runspeed",
                                "cvar_boss_attackfreq",
                                "cvar_boss_damagePerPlayerBump",
                                "cvar_boss_damagePerOtherHarm",
                                "cvar_boss_hsecInvincibleWhenHurt",
                                "cvar_boss_hsecBetweenThinking",
                                "cvar_boss_hsecBetweenThinkingWhenMad",
                                "cvar_boss_hsecPreSplitWarning",
                                "cvar_boss_hsecBetweenSplitMin",
                                "cvar_boss_hsecBetweenSplitMax"};
    std::string text;
    for (int s = 0; s < 4; ++s) {
        text += std::string("[") + sections[s] + "]\n";
        for (int k = 0; k < 12; ++k)
            text += std::string(keys[k]) + " = " + std::to_string(100 * (s + 1) + k) + "\n";
    }
    WriteFile("level.yks", text);
    set_config_file((dir / "level.yks").c_str());
    CTickTimer::SetNow(500);
    CBoss boss;
    boss.Init(100, 100, kBossStemCell);
    boss.LoadTunables("boss.yks");
    EXPECT_EQ(boss.turnSpeed, 100);
    EXPECT_FLOAT_EQ(boss.walkSpeed, 101.f);
    EXPECT_FLOAT_EQ(boss.runSpeed, 102.f);
    EXPECT_EQ(boss.attackFreq, 203);
    EXPECT_EQ(boss.damagePerPlayerBump, 204);
    EXPECT_EQ(boss.damagePerOtherHarm, 205);
    EXPECT_EQ(boss.hsecInvincibleWhenHurt, 206);
    EXPECT_EQ(boss.hsecBetweenThinking, 307);
    EXPECT_EQ(boss.hsecBetweenThinkingWhenMad, 308);
    EXPECT_EQ(boss.endBoss.hsecPreSplitWarning, 409);
    EXPECT_EQ(boss.endBoss.hsecBetweenSplitMin, 410);
    EXPECT_EQ(boss.endBoss.hsecBetweenSplitMax, 411);
    EXPECT_EQ(boss.endBoss.cells[30][45], 500 + 410); // 410 + rand() % 1, with no draw
}

TEST_F(BossTunablesTest, MissingKeysKeepWhatTheFieldsHeld)
{
    WriteFile("empty.yks", "[boss-move]\n");
    set_config_file((dir / "empty.yks").c_str());
    CBoss boss;
    boss.Init(100, 100, kBossStemCell);
    boss.turnSpeed = 1;
    boss.walkSpeed = 2.5f;
    boss.runSpeed = 3.5f;
    boss.attackFreq = 4;
    boss.damagePerPlayerBump = 5;
    boss.damagePerOtherHarm = 6;
    boss.hsecInvincibleWhenHurt = 7;
    boss.hsecBetweenThinking = 8;
    boss.hsecBetweenThinkingWhenMad = 9;
    boss.endBoss.hsecPreSplitWarning = 10;
    boss.endBoss.hsecBetweenSplitMin = 11;
    boss.endBoss.hsecBetweenSplitMax = 11;
    boss.LoadTunables("boss.yks");
    EXPECT_EQ(boss.turnSpeed, 1);
    EXPECT_FLOAT_EQ(boss.walkSpeed, 2.5f);
    EXPECT_FLOAT_EQ(boss.runSpeed, 3.5f);
    EXPECT_EQ(boss.attackFreq, 4);
    EXPECT_EQ(boss.damagePerPlayerBump, 5);
    EXPECT_EQ(boss.damagePerOtherHarm, 6);
    EXPECT_EQ(boss.hsecInvincibleWhenHurt, 7);
    EXPECT_EQ(boss.hsecBetweenThinking, 8);
    EXPECT_EQ(boss.hsecBetweenThinkingWhenMad, 9);
    EXPECT_EQ(boss.endBoss.hsecPreSplitWarning, 10);
    EXPECT_EQ(boss.endBoss.hsecBetweenSplitMin, 11);
    EXPECT_EQ(boss.endBoss.hsecBetweenSplitMax, 11);
}

} // namespace
