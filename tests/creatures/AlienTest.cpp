#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "app/TickTimer.h"
#include "audio/Audio.h"
#include "creatures/Alien.h"
#include "creatures/TickWorld.h"

namespace {

using Sounds = std::set<std::string>;
constexpr int kNow = 1000;

class AlienTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CTickTimer::SetNow(kNow);
        g_audio.FlushSounds();
        srand(1);
        world.view.moveSpeed = 2;
        world.view.transverseSpeed = 0;
    }
    // An alien of the kind at rest at (x, y), its side flip far off.
    static CAlien AlienAt(int kind, float x, float y, float drift = 0)
    {
        CAlien alien;
        alien.kind = kind;
        alien.fx = x;
        alien.fy = y;
        alien.x = static_cast<int>(x);
        alien.y = static_cast<int>(y);
        alien.drift = drift;
        alien.sideTime = kNow + 1000;
        alien.animTime = kNow + 1000;
        return alien;
    }
    STickWorld world; // radius and reaches 20, edge 30, transverse time 100
};

// A new alien's draws, replayed: its kind at construction, then Birth's
// animation and side times and its heading.
struct SBirthReplay {
    int animTime, side, sideTime, kind;
};
SBirthReplay ReplayBirth(unsigned seed, int x, int y, int T, int friendlyOdds)
{
    srand(seed);
    rand(); // the constructor's kind
    SBirthReplay r{};
    r.animTime = kNow + ((T >> 2) > 0 ? rand() % (T >> 2) : 0);
    r.side = rand() & 1; // no frames to choose from: no draw for the frame
    r.sideTime = kNow + (T > 0 ? rand() % T : 0);
    if (rand() % 100 > friendlyOdds) {
        r.kind = rand() % 4;
    } else if (x == 512 || y == 384) {
        r.kind = rand() % 4;
    } else {
        const bool odd = rand() & 1;
        const int across = y < 384 ? 1 : 3;
        r.kind = odd ? (x < 512 ? 0 : 2) : across;
    }
    return r;
}

TEST_F(AlienTest, BirthTakesItsTimesFromTheRandomStreamEvenForTinyTransverseTimes)
{
    for (int T : {100, 7, 3, 0, -8}) {
        const SBirthReplay want = ReplayBirth(4, 200, 150, T, 60);
        const int next = rand();
        g_audio.FlushSounds();
        srand(4);
        CAlien alien;
        alien.Birth(200, 150, T, 60);
        EXPECT_EQ(rand(), next) << "random draws, T " << T;
        EXPECT_EQ(alien.animTime, want.animTime) << T;
        EXPECT_EQ(alien.frame, 0); // no frames registered
        EXPECT_EQ(alien.side, want.side) << T;
        EXPECT_EQ(alien.sideTime, want.sideTime) << T;
        EXPECT_EQ(alien.kind, want.kind) << T;
        EXPECT_EQ(alien.x, 200);
        EXPECT_FLOAT_EQ(alien.fy, 150.0f);
        EXPECT_EQ(alien.drift, 0.0f);
        EXPECT_FALSE(alien.dead);
        EXPECT_EQ(g_audio.pendingSounds, Sounds{"BIRTH_SFX"});
        world.view.transverseHSec = T;
        alien.kind = 4;
        alien.sideTime = alien.animTime = kNow - 1;
        EXPECT_EQ(alien.Update(world.view), CAlien::kStillInPlay); // and no division by zero
    }
}

TEST_F(AlienTest, FriendlyOddsSendAliensInwardFromTheirQuadrant)
{
    struct Case {
        int x, y, odds;
        std::set<int> allowed; // headings that may come out
    };
    const Case cases[] = {
        {100, 100, 100, {0, 1}}, {100, 700, 100, {0, 3}},      {900, 100, 100, {2, 1}},
        {900, 700, 100, {2, 3}}, {512, 100, 100, {0, 1, 2, 3}}, {100, 384, 100, {0, 1, 2, 3}},
        {100, 100, 0, {0, 1, 2, 3}},
    };
    for (const Case& c : cases) {
        std::set<int> seen;
        int inward = 0;
        for (unsigned seed = 1; seed <= 1000; ++seed) {
            const SBirthReplay want = ReplayBirth(seed, c.x, c.y, 100, c.odds);
            srand(seed);
            CAlien alien;
            alien.Birth(c.x, c.y, 100, c.odds);
            ASSERT_EQ(alien.kind, want.kind) << c.x << "," << c.y << " seed " << seed;
            seen.insert(alien.kind);
            srand(seed);
            for (int i = 0; i < 4; ++i)
                rand();
            inward += rand() % 100 <= c.odds;
        }
        EXPECT_EQ(seen, c.allowed) << c.x << "," << c.y << " odds " << c.odds;
        if (c.odds == 0) {
            EXPECT_GT(inward, 0); // 1 in 100 still goes the friendly way
        }
    }
}

TEST_F(AlienTest, WhoKillsTheAlien)
{
    struct Case {
        const char* what;
        int p0dx, p1dx; // puck offsets on x, 99 = far away
        bool tCell, food, trail0, trailPower0, killedBefore;
        bool dies;
        int credit0, credit1;
    };
    const Case cases[] = {
        {"both pucks", 5, -19, false, false, false, false, false, true, 0, 1},
        {"first puck", 19, 99, false, false, false, false, false, true, 1, 0},
        {"puck at the radius", 20, -20, false, false, false, false, false, false, 0, 0},
        {"T-cell", 99, 99, true, false, false, false, false, true, 0, 0},
        {"food", 99, 99, false, true, false, false, false, false, 0, 0},
        {"acid trail", 99, 99, false, false, true, true, false, true, 1, 0},
        {"trail point without the power", 99, 99, false, false, true, false, false, false, 0, 0},
        {"already detonated", 0, 0, false, false, false, false, true, false, 0, 0},
    };
    for (const Case& c : cases) {
        STickWorld w;
        w.view.moveSpeed = 2;
        g_audio.FlushSounds();
        CAlien alien = AlienAt(1, 400, 300);
        if (c.killedBefore)
            alien.Kill();
        if (c.p0dx != 99)
            w.PutPlayer(0, 400 + c.p0dx, 310);
        if (c.p1dx != 99)
            w.PutPlayer(1, 400 + c.p1dx, 295);
        if (c.tCell)
            w.AddToy(kToyTCell, 419, 281).Deactivate();
        if (c.food)
            w.AddToy(kToyFood, 400, 300);
        if (c.trailPower0)
            w.Give(0, kPupTrail);
        if (c.trail0) {
            w.trailX[14][0] = 381.5f;
            w.trailY[14][0] = 319.9f;
        }
        EXPECT_EQ(alien.Update(w.view), CAlien::kStillInPlay) << c.what;
        EXPECT_EQ(alien.dead, c.dies || c.killedBefore) << c.what;
        EXPECT_EQ(w.levelPoints, c.dies ? 1 : 0) << c.what;
        EXPECT_EQ(w.aliensKilled[0], c.credit0) << c.what;
        EXPECT_EQ(w.aliensKilled[1], c.credit1) << c.what;
        EXPECT_EQ(g_audio.pendingSounds, c.dies ? Sounds{"KILL_ALIEN_SFX"} : Sounds{}) << c.what;
        if (c.dies || c.killedBefore) {
            EXPECT_FLOAT_EQ(alien.fy, 300.0f) << c.what; // no last step
        }
    }
}

// Pucks and acid trails reach as far as their player's reach (doubled by
// the mushroom, none with the laser off); T-cells by the plain crack radius.
TEST_F(AlienTest, EachKillerReachesByItsOwnRadius)
{
    struct Case {
        const char* what;
        int reach;                     // player 0's
        int puckDx, trailDx, tCellDx;  // offsets on x from the alien, 99 = absent
        bool dies;
    };
    const Case cases[] = {
        {"mushroom puck", 40, 39, 99, 99, true},
        {"mushroom puck at its reach", 40, 40, 99, 99, false},
        {"mushroom trail", 40, 99, -39, 99, true},
        {"mushroom trail at its reach", 40, 99, 40, 99, false},
        {"laser-off puck", -1, 0, 99, 99, false},
        {"laser-off trail", -1, 99, 0, 99, false},
        {"small reach, trail beyond it", 5, 99, 6, 99, false},
        {"T-cell, small reach", 5, 99, 99, 19, true},
        {"T-cell at the crack radius, big reach", 40, 99, 99, -20, false},
    };
    for (const Case& c : cases) {
        STickWorld w; // crack radius 20
        w.reach[0] = c.reach;
        w.Give(0, kPupTrail);
        CAlien alien = AlienAt(1, 400, 300);
        if (c.puckDx != 99)
            w.PutPlayer(0, 400 + c.puckDx, 300);
        if (c.trailDx != 99) {
            w.trailX[9][0] = static_cast<float>(400 + c.trailDx);
            w.trailY[9][0] = 300;
        }
        if (c.tCellDx != 99)
            w.AddToy(kToyTCell, 400 + c.tCellDx, 300);
        alien.Update(w.view);
        EXPECT_EQ(alien.dead, c.dies) << c.what;
        EXPECT_EQ(w.levelPoints, c.dies ? 1 : 0) << c.what;
    }
}

// A puck that is not in the game neither kills, drags nor poisons.
TEST_F(AlienTest, PlayersBeyondTheCountTakeNoPart)
{
    world.view.numPlayers = 1;
    world.view.pullOnParasites = 0.5f;
    world.view.moveSpeed = 0;
    world.PutPlayer(1, 410, 300);
    world.Give(1, kPupMagnetic);
    world.Give(1, kPupTrail);
    world.trailX[0][1] = 400;
    world.trailY[0][1] = 300;
    CAlien alien = AlienAt(1, 400, 300);
    EXPECT_EQ(alien.Update(world.view), CAlien::kStillInPlay);
    EXPECT_FALSE(alien.dead);
    EXPECT_FLOAT_EQ(alien.fx, 400);
    EXPECT_EQ(world.aliensKilled[1], 0);
}

TEST_F(AlienTest, CrawlBouncesOffTheSideMarginsAndInfectsAtTheEdge)
{
    struct Case {
        int kind;
        float fx, fy, drift;
        int edge;
        float wantFx, wantFy, wantDrift; // before the wind
        int flips;                       // bounces
        int result;
    };
    // Screen 1024 x 768; with edge 30 the side margins are 60 and 708 (y), 964 (x).
    const Case cases[] = {
        {0, 500, 400, 1, 30, 502, 401, 1, 0, 5},
        {0, 500, 707.5f, 1, 30, 502, 708.5f, -0.5f, 1, 5},
        {0, 500, 707, 1, 30, 502, 708, 1, 0, 5}, // strictly beyond only
        {0, 500, 60.5f, -1, 30, 502, 59.5f, 0.5f, 1, 5},
        {0, 992, 400, 0, 30, 994, 400, 0, 0, 5},
        {0, 993, 400, 0, 30, 995, 400, 0, 0, 0},
        {1, 963.5f, 400, 1, 30, 964.5f, 402, -0.5f, 1, 5},
        {1, 500, 737, 0, 30, 500, 739, 0, 0, 1},
        {2, 500, 708, -1, 30, 498, 709, 0.5f, 1, 5},
        {2, 500, 60, 1, 30, 498, 59, -0.5f, 1, 5},
        {2, 31, 400, 0, 30, 29, 400, 0, 0, 2},
        {3, 60, 400, 1, 30, 59, 398, -0.5f, 1, 5},
        {3, 964, 400, -1, 30, 965, 398, 0.5f, 1, 5},
        {3, 500, 31, 0, 30, 500, 29, 0, 0, 3},
        // Landing exactly on a line is not beyond it.
        {1, 500, 736, 0, 30, 500, 738, 0, 0, 5},
        {2, 32, 400, 0, 30, 30, 400, 0, 0, 5},
        {3, 500, 32, 0, 30, 500, 30, 0, 0, 5},
        {0, 500, 61, -1, 30, 502, 60, -1, 0, 5},
        {1, 963, 400, 1, 30, 964, 402, 1, 0, 5},
        {1, 61, 400, -1, 30, 60, 402, -1, 0, 5},
        {2, 500, 707, -1, 30, 498, 708, -1, 0, 5},
        {2, 500, 61, 1, 30, 498, 60, 1, 0, 5},
        {3, 963, 400, -1, 30, 964, 398, -1, 0, 5},
        {3, 61, 400, 1, 30, 60, 398, 1, 0, 5},
        // Margins that overlap: the second test sees the first bounce.
        {0, 100, 300, 1, 400, 102, 301, 0.25f, 2, 5},
    };
    world.view.windX = 0.25f;
    world.view.windY = -0.25f;
    for (const Case& c : cases) {
        world.levelPoints = 0;
        world.view.edgeInfect = c.edge;
        CAlien alien = AlienAt(c.kind, c.fx, c.fy, c.drift);
        alien.side = 0;
        const int result = alien.Update(world.view);
        const bool infected = result != CAlien::kStillInPlay;
        const float wind = infected ? 0 : 0.25f;
        EXPECT_EQ(result, c.result) << "kind " << c.kind << " at " << c.fx << "," << c.fy;
        EXPECT_FLOAT_EQ(alien.fx, c.wantFx + wind) << "kind " << c.kind << " at " << c.fx << "," << c.fy;
        EXPECT_FLOAT_EQ(alien.fy, c.wantFy - wind) << "kind " << c.kind << " at " << c.fx << "," << c.fy;
        EXPECT_FLOAT_EQ(alien.drift, c.wantDrift) << "kind " << c.kind << " at " << c.fx << "," << c.fy;
        EXPECT_EQ(alien.side, c.flips % 2);
        EXPECT_EQ(alien.sideTime, c.flips ? kNow + 50 : kNow + 1000);
        EXPECT_EQ(alien.dead, infected);
        EXPECT_EQ(world.levelPoints, infected ? -3 : 0);
        if (!infected) {
            EXPECT_EQ(alien.x, static_cast<int>(alien.fx));
            EXPECT_EQ(alien.y, static_cast<int>(alien.fy));
        }
    }
}

TEST_F(AlienTest, DriftGrowsTowardItsSideUntilTheSideFlips)
{
    struct Case {
        int kind, side, sideTime;
        float wantDrift;
        int wantSide;
        bool renewed; // sideTime set anew
    };
    const Case cases[] = {
        {1, 1, kNow, 1.5f, 1, false},   {1, 0, kNow, 0.5f, 0, false},
        {1, 0, kNow - 1, 1.0f, 1, true}, {4, 1, kNow - 1, 1.0f, 0, true},
    };
    world.view.transverseSpeed = 0.5f;
    world.view.moveSpeed = 0;
    for (const Case& c : cases) {
        CAlien alien = AlienAt(c.kind, 500, 400, 1.0f);
        alien.side = c.side;
        alien.sideTime = c.sideTime;
        srand(6);
        const int extra = c.kind == 4 ? (rand() % 100) * 5 : 0;
        srand(6);
        alien.Update(world.view);
        EXPECT_FLOAT_EQ(alien.drift, c.wantDrift) << c.kind << "/" << c.side;
        EXPECT_EQ(alien.side, c.wantSide);
        EXPECT_EQ(alien.sideTime, c.renewed ? kNow + 100 + extra : c.sideTime) << c.kind;
    }
}

TEST_F(AlienTest, WandererTakesANewHeadingWheneverItsSideTimeIsRenewed)
{
    // On expiry: the heading follows the new sideTime, whatever it is.
    std::set<int> headings;
    for (unsigned seed = 1; seed <= 12; ++seed) {
        CAlien alien = AlienAt(4, 500, 400);
        alien.sideTime = kNow - 1;
        srand(seed);
        alien.Update(world.view);
        const int h = alien.sideTime % 4;
        headings.insert(h);
        const float dx[] = {2, 0, -2, 0}, dy[] = {0, 2, 0, -2};
        EXPECT_FLOAT_EQ(alien.fx, 500 + dx[h]) << seed;
        EXPECT_FLOAT_EQ(alien.fy, 400 + dy[h]) << seed;
    }
    EXPECT_GT(headings.size(), 1u);
    // On a bounce: crawling left (sideTime 1002) it bounces off the bottom
    // margin, sideTime becomes 1000 + 51 and the next step goes up.
    world.view.transverseHSec = 102;
    CAlien alien = AlienAt(4, 500, 708.5f, -1);
    alien.sideTime = kNow + 2;
    alien.Update(world.view);
    EXPECT_FLOAT_EQ(alien.fx, 498);
    ASSERT_EQ(alien.sideTime, kNow + 51);
    alien.Update(world.view);
    EXPECT_FLOAT_EQ(alien.fy, 709.5f - 2);
}

TEST_F(AlienTest, FrozenAlienStaysAndStillFeelsTheMagnetAndStillInfects)
{
    world.view.freezeUntil = kNow + 500;
    world.view.pullOnParasites = 0.5f;
    world.Give(1, kPupMagnetic);
    CAlien alien = AlienAt(0, 400, 300, 1);
    alien.animTime = kNow - 5;
    alien.frame = 0;
    world.PutPlayer(1, 400 - 21, 300 + 47); // dx -21 -> -10, dy 47 -> 23 (toward zero)
    alien.Update(world.view);
    EXPECT_EQ(alien.x, 390);
    EXPECT_EQ(alien.y, 323);
    EXPECT_FLOAT_EQ(alien.fx, 390);
    EXPECT_FLOAT_EQ(alien.fy, 323);
    EXPECT_EQ(alien.animTime, kNow - 5); // no animation either
    EXPECT_FLOAT_EQ(alien.drift, 1);

    world.flags[1] = 0;
    CAlien atTheEdge = AlienAt(0, 993, 300);
    EXPECT_EQ(atTheEdge.Update(world.view), 0);
    EXPECT_TRUE(atTheEdge.dead);

    world.Give(1, kPupMagnetic);
    // Thawed, the magnet moves the exact position and the crawl goes on from it.
    world.view.freezeUntil = 0;
    CAlien thawed = AlienAt(0, 400, 300);
    thawed.Update(world.view);
    EXPECT_FLOAT_EQ(thawed.fx, 400 - 10.5f + 2);
    EXPECT_FLOAT_EQ(thawed.fy, 300 + 23.5f);
    EXPECT_EQ(thawed.x, 391);
}

TEST_F(AlienTest, AnimationWaitsAQuarterOfTheTransverseTimeAndStaysAtFrameZeroWithoutFrames)
{
    struct Case {
        int animTime;
        int wantAnimTime;
    };
    for (const Case& c : {Case{kNow - 1, kNow + 25}, Case{kNow, kNow}}) {
        CAlien alien = AlienAt(1, 400, 300);
        alien.animTime = c.animTime;
        alien.Update(world.view);
        EXPECT_EQ(alien.animTime, c.wantAnimTime);
        EXPECT_EQ(alien.frame, 0);
    }
}

} // namespace
