#include <gtest/gtest.h>

#include "PlayFixture.h"
#include "play/PuckPhysics.h"

namespace {

// How the pucks move in one tick: pulses, power-ups, wind and walls, with
// the base tunables (pulse 40, power 4, dropoff 0.5) and a kick of
// trunc(40 x 0.49) = 19 hundredths.
class PuckTest : public PlayTest {
protected:
    void SetUp() override
    {
        PlayTest::SetUp();
        Start("[action]\ncvar_kickAwayPerc=0.49\n");
        now = CTickTimer::Now() + 100;
        PlacePuck(0, 500.0f, 400.0f);
    }
    int now = 0;
};

TEST_F(PuckTest, OneTickMoves)
{
    constexpr int kSpeedup = 1 << kPupSpeedup, kPrecise = 1 << kPupPrecise, kMushroom = 1 << kPupMushroom;
    struct Case {
        const char* what;
        int flags;
        float dropoff;
        int a, c, b, d;          // pulse ends after now; kNone for none
        float windXPower, windYPower; // half of each blows, at half its interval
        float dx, dy;
    };
    constexpr int kNone = -1000;
    const Case cases[] = {
        {"right, a quarter left", 0, 0.5f, 10, kNone, kNone, kNone, 0, 0, 2.5f, 0},
        {"left", 0, 0.5f, kNone, 10, kNone, kNone, 0, 0, -2.5f, 0},
        {"down", 0, 0.5f, kNone, kNone, 10, kNone, 0, 0, 0, 2.5f},
        {"up", 0, 0.5f, kNone, kNone, kNone, 10, 0, 0, 0, -2.5f},
        {"fresh pulse", 0, 0.5f, 40, kNone, kNone, kNone, 0, 0, 4.0f, 0},
        {"three quarters left", 0, 0.5f, kNone, kNone, 30, kNone, 0, 0, 0, 3.5f},
        {"no fade", 0, 0.0f, 10, kNone, kNone, kNone, 0, 0, 4.0f, 0},
        {"full fade", 0, 1.0f, 10, kNone, kNone, kNone, 0, 0, 1.0f, 0},
        {"ends now", 0, 0.5f, 0, kNone, kNone, kNone, 0, 0, 2.0f, 0},
        {"ended, not yet cleared", 0, 0.5f, -4, kNone, kNone, kNone, 0, 0, 1.8f, 0},
        {"opposite pulses cancel", 0, 0.5f, 10, 10, 20, 20, 0, 0, 0, 0},
        {"all four ended", 0, 0.5f, -1, -1, -2, -2, 0, 0, 0, 0},
        {"speed-up", kSpeedup, 0.5f, 10, kNone, kNone, kNone, 0, 0, 5.0f, 0},
        {"precise", kPrecise, 0.5f, kNone, kNone, kNone, 10, 0, 0, 0, -7.5f},
        {"precise before speed-up", kPrecise | kSpeedup, 0.5f, 10, kNone, kNone, kNone, 0, 0, 7.5f, 0},
        {"mushroom pushes as usual", kMushroom, 0.5f, 10, kNone, kNone, kNone, 0, 0, 2.5f, 0},
        {"wind", 0, 0.5f, kNone, kNone, kNone, kNone, 2.0f, -4.0f, 1.0f, -2.0f},
        {"mushroom feels a quarter", kMushroom, 0.5f, kNone, kNone, kNone, kNone, 2.0f, -4.0f, 0.25f, -0.5f},
        {"wind and pulse", 0, 0.5f, kNone, 10, kNone, kNone, 2.0f, 0, -1.5f, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PlacePuck(0, 500.0f, 400.0f);
        play->playerPowerFlags[0] = c.flags;
        play->cvar_movePowerDropoff = c.dropoff;
        play->cvar_windXPower = c.windXPower;
        play->cvar_windYPower = c.windYPower;
        play->nextWindXFlip = now + play->cvar_windXInterval / 2;
        play->nextWindYFlip = now + play->cvar_windYInterval / 2;
        int* lasers[] = {&play->laserA[0], &play->laserC[0], &play->laserB[0], &play->laserD[0]};
        const int ends[] = {c.a, c.c, c.b, c.d};
        for (int i = 0; i < 4; ++i)
            *lasers[i] = ends[i] == kNone ? 0 : now + ends[i];
        UpdateAt(now);
        EXPECT_NEAR(play->playerFX[0] - 500.0f, c.dx, 1e-4);
        EXPECT_NEAR(play->playerFY[0] - 400.0f, c.dy, 1e-4);
        EXPECT_NEAR(play->playerVX[0], c.dx, 1e-4);
        EXPECT_NEAR(play->playerVY[0], c.dy, 1e-4);
        EXPECT_EQ(play->playerX[0], static_cast<int>(500.0f + c.dx));
        EXPECT_EQ(play->playerY[0], static_cast<int>(400.0f + c.dy));
        // The part of each pulse still to run; a pulse that has ended is cleared.
        const float* fracs[] = {play->laserAFrac, play->laserCFrac, play->laserBFrac, play->laserDFrac};
        for (int i = 0; i < 4; ++i) {
            const float frac = ends[i] == kNone ? 0.0f : ends[i] / 40.0f;
            EXPECT_FLOAT_EQ(fracs[i][0], frac) << "pulse " << "ACBD"[i];
            const int left = ends[i] == kNone || ends[i] < 0 ? 0 : now + ends[i];
            EXPECT_EQ(*lasers[i], left) << "pulse " << "ACBD"[i];
        }
    }
}

TEST_F(PuckTest, EachPlayerMovesByHisOwnPulsesAndPowers)
{
    Start("", 2);
    PlacePuck(0, 500.0f, 400.0f);
    PlacePuck(1, 600.0f, 300.0f);
    play->playerPowerFlags[1] = 1 << kPupSpeedup;
    play->laserC[1] = now + 10;
    play->laserB[0] = now + 40;
    UpdateAt(now);
    EXPECT_FLOAT_EQ(play->playerFX[0], 500.0f);
    EXPECT_FLOAT_EQ(play->playerFY[0], 404.0f);
    EXPECT_FLOAT_EQ(play->playerFX[1], 595.0f);
    EXPECT_FLOAT_EQ(play->playerFY[1], 300.0f);
}

TEST_F(PuckTest, WallsStopThePuckAndKickItBack)
{
    const float l = play->arenaLeft, r = play->arenaRight, t = play->arenaTop, b = play->arenaBottom;
    const float mx = (l + r) / 2, my = (t + b) / 2;
    struct Case {
        const char* wall;
        float x, y;   // where the puck stands
        float ex, ey; // where it ends
        char kicked;  // the pulse that kicks it back, '-' none
    };
    const Case cases[] = {
        {"left", l - 3, my, l, my, 'A'},
        {"right", r + 3, my, r, my, 'C'},
        {"top", mx, t - 3, mx, t, 'B'},
        {"bottom", mx, b + 3, mx, b, 'D'},
        {"on the left wall", l, my, l, my, '-'},
        {"on the bottom wall", mx, b, mx, b, '-'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wall);
        g_audio.FlushSounds();
        play->laserA[0] = play->laserB[0] = play->laserC[0] = play->laserD[0] = 0;
        PlacePuck(0, c.x, c.y);
        UpdateAt(now);
        EXPECT_FLOAT_EQ(play->playerFX[0], c.ex);
        EXPECT_FLOAT_EQ(play->playerFY[0], c.ey);
        const int lasers[] = {play->laserA[0], play->laserB[0], play->laserC[0], play->laserD[0]};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(lasers[i], "ABCD"[i] == c.kicked ? now + 19 : 0) << "pulse " << "ABCD"[i];
        EXPECT_EQ(Sounded("LASER_SFX"), c.kicked != '-');
    }
}

TEST_F(PuckTest, AWallKeepsTheTicksMoveAsTheSpeed)
{
    PlacePuck(0, play->arenaLeft + 1.0f, 400.0f);
    play->laserC[0] = now + 10; // 2.5 to the left, 1.5 of it past the wall
    UpdateAt(now);
    EXPECT_FLOAT_EQ(play->playerFX[0], play->arenaLeft);
    EXPECT_FLOAT_EQ(play->playerVX[0], -2.5f);
    EXPECT_EQ(play->laserA[0], now + 19);
}

TEST_F(PuckTest, LaserSoundForAPulseStartingThisTickOrAWallHitExceptInCrossfire)
{
    for (int mode : {kModeNormal, kModeCrossfire}) {
        Start("[action]\ncvar_kickAwayPerc=0.49\n", 1, mode);
        for (int i = 0; i < 4; ++i) {
            for (int left : {40, 39}) {
                SCOPED_TRACE(testing::Message() << "mode " << mode << ", pulse " << "ACBD"[i] << ", " << left);
                g_audio.FlushSounds();
                PlacePuck(0, 500.0f, 400.0f);
                int* lasers[] = {play->laserA, play->laserC, play->laserB, play->laserD};
                for (int j = 0; j < 4; ++j)
                    lasers[j][0] = j == i ? now + left : 0;
                UpdateAt(now);
                EXPECT_EQ(Sounded("LASER_SFX"), mode != kModeCrossfire && left == 40);
            }
        }
        g_audio.FlushSounds();
        PlacePuck(0, play->arenaRight + 2.0f, 400.0f);
        UpdateAt(now);
        EXPECT_EQ(play->laserC[0], now + 19);
        EXPECT_EQ(Sounded("LASER_SFX"), mode != kModeCrossfire) << "mode " << mode;
    }
}

// A level file may give a pulse of no length; its pulses then push at the
// undiminished part of the power until they are cleared, and the puck stays
// a number.
TEST_F(PuckTest, AZeroPulseLengthStillMovesThePuckSoundly)
{
    play->cvar_hSecLaserPulse = 0;
    play->laserA[0] = now; // a pulse started this tick ends this tick
    UpdateAt(now);
    EXPECT_FLOAT_EQ(play->playerFX[0], 502.0f); // (1 - 0.5) x 4
    EXPECT_EQ(play->laserAFrac[0], 0.0f);
    EXPECT_EQ(play->playerX[0], 502);
    UpdateAt(now + 3); // ended: the last push before it is cleared
    EXPECT_FLOAT_EQ(play->playerFX[0], 504.0f);
    EXPECT_EQ(play->laserA[0], 0);
    UpdateAt(now + 6);
    EXPECT_FLOAT_EQ(play->playerFX[0], 504.0f);

    PlacePuck(0, play->arenaLeft - 2.0f, 400.0f);
    UpdateAt(now + 9); // kicked back with a pulse of no length...
    EXPECT_EQ(play->laserA[0], now + 9);
    UpdateAt(now + 12); // ...which pushes off the wall once more before it is cleared
    EXPECT_FLOAT_EQ(play->playerFX[0], play->arenaLeft + 2.0f);
    EXPECT_EQ(play->laserA[0], 0);
}

TEST_F(PuckTest, TheSecondPlayersPulsesAndWallsSoundToo)
{
    Start("", 2);
    PlacePuck(0, 500.0f, 400.0f);
    PlacePuck(1, 600.0f, 300.0f);
    play->laserD[1] = now + 40;
    UpdateAt(now);
    EXPECT_TRUE(Sounded("LASER_SFX"));
    g_audio.FlushSounds();
    play->laserD[1] = 0;
    PlacePuck(1, 600.0f, play->arenaBottom + 1.0f);
    UpdateAt(now + 3);
    EXPECT_EQ(play->laserD[1], now + 3 + 20); // the base level's kick
    EXPECT_TRUE(Sounded("LASER_SFX"));
}

TEST_F(PuckTest, WindGrowsOverItsIntervalThenTheTunableFlips)
{
    struct Case {
        int untilFlip; // nextWindXFlip - now
        float windX;
        float power;   // cvar_windXPower afterwards
        int nextFlip;  // after the tick, relative to now
    };
    const Case cases[] = {
        {100, 0.0f, 2.0f, 100}, {75, 0.5f, 2.0f, 75}, {25, 1.5f, 2.0f, 25},
        {0, 2.0f, 2.0f, 0},     // the flip comes when the moment has passed
        {-1, 0.0f, -2.0f, 100}, // flipped: starts again from nothing, the other way
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.untilFlip);
        play->cvar_windXPower = 2.0f;
        play->cvar_windXInterval = 100;
        play->cvar_windYPower = 8.0f; // the other axis keeps its own tunables
        play->cvar_windYInterval = 400;
        play->nextWindXFlip = now + c.untilFlip;
        play->nextWindYFlip = now + 100;
        UpdateAt(now);
        EXPECT_FLOAT_EQ(play->windX, c.windX);
        EXPECT_FLOAT_EQ(play->cvar_windXPower, c.power);
        EXPECT_EQ(play->nextWindXFlip, now + c.nextFlip);
        EXPECT_FLOAT_EQ(play->windY, 6.0f);
        EXPECT_FLOAT_EQ(play->cvar_windYPower, 8.0f);
    }
    play->nextWindYFlip = now - 5;
    UpdateAt(now);
    EXPECT_FLOAT_EQ(play->cvar_windYPower, -8.0f);
    EXPECT_EQ(play->nextWindYFlip, now + 400);
}

TEST_F(PuckTest, NothingMovesWhilePaused)
{
    play->pausedAt = now - 10;
    play->laserA[0] = now + 20;
    play->cvar_windXPower = 2.0f;
    play->nextWindXFlip = now - 1;
    play->playerPowerFlags[0] = 1 << kPupFreeze;
    UpdateAt(now);
    EXPECT_FLOAT_EQ(play->playerFX[0], 500.0f);
    EXPECT_EQ(play->laserAFrac[0], 0.0f);
    EXPECT_EQ(play->nextWindXFlip, now - 1);
    EXPECT_FLOAT_EQ(play->cvar_windXPower, 2.0f);
    EXPECT_EQ(play->playerPowerFlags[0], 1 << kPupFreeze);
    EXPECT_EQ(play->freezeUntil, 0);
}

// The autopilot forecasts its puck with the game's own step, ahead of the
// clock: the step takes its moment as given, leaves the play state alone,
// makes no sound and tells the game what there is to hear.
TEST_F(PuckTest, TheStepRunsAtTheMomentItIsGivenAndOnlyReportsWhatIsHeard)
{
    play->cvar_windXPower = 2.0f;
    play->nextWindXFlip = now + play->cvar_windXInterval / 2;
    UpdateAt(now); // the wind at half its interval: 1 to the right
    play->playerPowerFlags[0] = 1 << kPupMushroom;
    PlacePuck(0, play->arenaRight - 1.0f, 400.0f);
    play->laserA[0] = now + 100; // a fresh pulse as seen from 60 hundredths on
    g_audio.FlushSounds();
    const SPuckDrive drive = CPuckPhysics::DriveOf(*play, 0);
    EXPECT_FLOAT_EQ(drive.windX, 0.25f); // a mushroom feels a quarter
    SPuckMotion puck = CPuckPhysics::MotionOf(*play, 0);

    const CPuckPhysics::SEvents fresh = CPuckPhysics::Step(puck, drive, now + 60);
    EXPECT_TRUE(fresh.pulseStarted);
    EXPECT_EQ(fresh.wallsHit, 1);
    EXPECT_FLOAT_EQ(puck.x, play->arenaRight);
    EXPECT_FLOAT_EQ(puck.vx, 4.25f);
    EXPECT_EQ(puck.laserC, now + 60 + 19);
    EXPECT_EQ(CTickTimer::Now(), now);
    EXPECT_FLOAT_EQ(play->playerFX[0], play->arenaRight - 1.0f);
    EXPECT_EQ(play->laserC[0], 0);
    EXPECT_FALSE(Sounded("LASER_SFX"));

    const CPuckPhysics::SEvents later = CPuckPhysics::Step(puck, drive, now + 70);
    EXPECT_FALSE(later.pulseStarted);
    EXPECT_EQ(later.wallsHit, 1); // 3.5 right, 2.45 back, the wind: still into the wall
    EXPECT_FLOAT_EQ(puck.laserAFrac, 0.75f);
    EXPECT_FLOAT_EQ(puck.laserCFrac, 9 / 40.0f);
}

} // namespace
