#include <gtest/gtest.h>

#include "PlayFixture.h"
#include "app/Settings.h"
#include "input/Controls.h"

namespace {

class RulesTest : public PlayTest {
protected:
    // Presses a key for one tick, then lets go.
    void Tap(int keyCode)
    {
        CHeadlessPlay::SetKey(keyCode, true);
        run->Tick();
        CHeadlessPlay::SetKey(keyCode, false);
    }
};

TEST_F(RulesTest, ATapPushesForExactlyOnePulse)
{
    Start();
    const float x0 = play->playerFX[0];
    const int pressedAt = CTickTimer::Now() + 2; // the clock of the next tick
    Tap(KEY_RIGHT);
    EXPECT_NEAR(play->laserA[0], pressedAt + 40, 1);
    const int end = play->laserA[0];
    EXPECT_TRUE(Sounded("LASER_SFX"));
    EXPECT_GT(play->playerFX[0], x0);
    int lastPush = 0;
    while (play->laserA[0] != 0 && CTickTimer::Now() < end + 100) {
        run->Tick();
        lastPush = CTickTimer::Now();
    }
    // The push runs to the pulse's end and is cleared in the first tick after it.
    EXPECT_GT(lastPush, end);
    EXPECT_LE(lastPush, end + 3);
    const float stopped = play->playerFX[0];
    run->Ticks(5);
    EXPECT_FLOAT_EQ(play->playerFX[0], stopped);
}

TEST_F(RulesTest, PreciseHoldsKeysWithHalfPulsesAndNoLaserSound)
{
    Start();
    play->playerPowerFlags[0] = 1 << kPupPrecise;
    CHeadlessPlay::SetKey(KEY_LEFT, true);
    run->Tick(); // just pressed: precise steers with held keys only
    EXPECT_EQ(play->laserC[0], 0);
    for (int i = 0; i < 5; ++i) {
        g_audio.FlushSounds();
        run->Tick();
        EXPECT_EQ(play->laserC[0], CTickTimer::Now() + 20 - 0) << i;
        EXPECT_FALSE(Sounded("LASER_SFX")) << i;
    }
}

TEST_F(RulesTest, APuckInACornerGetsTwoKicks)
{
    Start();
    play->playerFX[0] = play->arenaLeft - 5.0f;
    play->playerFY[0] = play->arenaTop - 5.0f;
    run->Tick();
    const int kick = static_cast<int>(40 * 0.5f);
    EXPECT_EQ(play->playerFX[0], play->arenaLeft);
    EXPECT_EQ(play->playerFY[0], play->arenaTop);
    EXPECT_EQ(play->laserA[0], CTickTimer::Now() + kick);
    EXPECT_EQ(play->laserB[0], CTickTimer::Now() + kick);
    EXPECT_TRUE(Sounded("LASER_SFX"));
}

TEST_F(RulesTest, PauseHoldsTheClockTenHundredthsBack)
{
    Start();
    run->Ticks(3);
    const int before = CTickTimer::Now() + 3; // the clock of the next tick
    Tap(KEY_P);
    EXPECT_NE(play->pausedAt, 0);
    const int held = CTickTimer::Now();
    EXPECT_NEAR(held, before - 10, 1);
    run->Ticks(10);
    EXPECT_EQ(CTickTimer::Now(), held);
    Tap(KEY_P);
    EXPECT_EQ(play->pausedAt, 0);
    EXPECT_EQ(CTickTimer::Now(), held);
}

// The settings are global: each test that changes them puts the defaults back.
struct SSettingsBack {
    ~SSettingsBack() { g_settings = CSettings(); }
};

TEST_F(RulesTest, ReboundKeysTakeTheActionsAndTheOldKeysLetThemGo)
{
    SSettingsBack back;
    ASSERT_TRUE(g_settings.Set("player1up", "I"));
    ASSERT_TRUE(g_settings.Set("player2left", "J"));
    ASSERT_TRUE(g_settings.Set("pause", "PAD0"));
    ASSERT_TRUE(g_settings.Set("restart", "R"));
    Start("", 2);
    Tap(KEY_UP);
    EXPECT_EQ(play->laserD[0], 0) << "the old key still steers";
    Tap(KEY_I);
    EXPECT_NE(play->laserD[0], 0);
    Tap(KEY_J);
    EXPECT_NE(play->laserC[1], 0) << "player 2's left";
    EXPECT_EQ(play->laserC[0], 0);
    Tap(KEY_P);
    EXPECT_EQ(play->pausedAt, 0);
    Tap(KEY_0_PAD);
    EXPECT_NE(play->pausedAt, 0);
    run->Tick();
    Tap(KEY_0_PAD);
    EXPECT_EQ(play->pausedAt, 0);
    g_audio.FlushSounds();
    Tap(KEY_SPACE);
    EXPECT_FALSE(Sounded("ANVIL_SFX"));
    Tap(KEY_R);
    EXPECT_TRUE(Sounded("ANVIL_SFX")) << "the restart key restarts";
}

// A lost focus pauses play as the pause key does, and only the pause key
// ends it; with the setting off play runs on.
TEST_F(RulesTest, LosingTheFocusPausesPlayUntilThePauseKey)
{
    SSettingsBack back;
    Start();
    run->Ticks(3);
    g_controls.NoteFocusLost();
    run->Tick();
    ASSERT_NE(play->pausedAt, 0);
    const int held = CTickTimer::Now();
    run->Ticks(20);
    EXPECT_NE(play->pausedAt, 0) << "the pause ended by itself";
    EXPECT_EQ(CTickTimer::Now(), held);
    g_controls.NoteFocusLost(); // lost again while paused: still paused, P still resumes
    run->Tick();
    Tap(KEY_P);
    EXPECT_EQ(play->pausedAt, 0);

    ASSERT_TRUE(g_settings.Set("pauseonfocusloss", "0"));
    g_controls.NoteFocusLost();
    run->Ticks(2);
    EXPECT_EQ(play->pausedAt, 0);
}

TEST_F(RulesTest, AFocusLostBeforeTheLevelPausesNothing)
{
    g_controls.NoteFocusLost(); // say, on the level select
    Start();
    run->Ticks(3);
    EXPECT_EQ(play->pausedAt, 0);
}

TEST_F(RulesTest, NoSteeringBeforeGo)
{
    Start("[timing]\ncvar_hSecBeforeLevelStart=200\ncvar_hSecBeforeLevelStartSayGo=100\n");
    Tap(KEY_UP);
    EXPECT_EQ(play->laserD[0], 0);
    run->Ticks(40); // past the go moment
    Tap(KEY_UP);
    EXPECT_NE(play->laserD[0], 0);
}

TEST_F(RulesTest, WindFlipsTheTunableInPlaceAndARestartReloadsIt)
{
    Start("[action]\ncvar_windXPower=2\ncvar_windXInterval=50\n");
    play->nextWindXFlip = CTickTimer::Now(); // flips on the next tick
    run->Ticks(5);
    EXPECT_FLOAT_EQ(play->cvar_windXPower, -2.0f);
    EXPECT_LT(play->windX, 0.0f);
    Tap(KEY_SPACE);
    EXPECT_TRUE(Sounded("ANVIL_SFX"));
    EXPECT_FLOAT_EQ(play->cvar_windXPower, 2.0f);
}

TEST_F(RulesTest, NoWindWithoutAPositiveInterval)
{
    Start("[action]\ncvar_windXPower=2\ncvar_windXInterval=0\ncvar_windYPower=2\ncvar_windYInterval=-5\n");
    run->Ticks(20);
    EXPECT_EQ(play->windX, 0.0f);
    EXPECT_EQ(play->windY, 0.0f);
}

TEST_F(RulesTest, TwoPlayersSteerTheirOwnPucks)
{
    Start("", 2);
    CHeadlessPlay::SetKey(KEY_RIGHT, true);
    CHeadlessPlay::SetKey(KEY_A, true);
    run->Tick();
    EXPECT_NE(play->laserA[0], 0);
    EXPECT_EQ(play->laserC[0], 0);
    EXPECT_NE(play->laserC[1], 0);
    EXPECT_EQ(play->laserA[1], 0);
}

TEST_F(RulesTest, DetonationTakesWholeEggsAroundTheCentreOnly)
{
    Start("[eggSet1]\neggNum=6\neggX=0.5\neggY=0.5\n"); // all on the start point... kept apart below
    ASSERT_EQ(play->eggs.size(), 6u);
    const int cx = play->playerX[0], cy = play->playerY[0];
    int placements[6][2] = {{cx + 50, cy}, {cx - 99, cy + 99}, {cx + 100, cy}, {cx, cy + 300}, {cx + 10, cy}, {cx, cy - 10}};
    for (int i = 0; i < 6; ++i) {
        play->eggs[i]->x = placements[i][0];
        play->eggs[i]->y = placements[i][1];
    }
    play->eggs[4]->cracked = true; // an opened shell stays
    play->eggs[5]->cracked = true;
    play->playerPowerFlags[0] = 1 << kPupDetonate;
    run->Tick();
    EXPECT_TRUE(Sounded("CRASH_SFX"));
    EXPECT_EQ(play->levelPoints, 4);
    EXPECT_EQ(play->eggsSmashed[0], 2);
    EXPECT_EQ(play->playerPowerFlags[0] & (1 << kPupDetonate), 0);
    EXPECT_EQ(play->eggs.size(), 4u);
}

TEST_F(RulesTest, FreezeDelaysWholeEggsAndAddsUp)
{
    Start("[eggSet1]\neggNum=2\n");
    play->eggs[1]->cracked = true;
    const int t0 = play->eggs[0]->time, t1 = play->eggs[1]->time;
    play->playerPowerFlags[0] = 1 << kPupFreeze;
    run->Tick();
    EXPECT_EQ(play->eggs[0]->time, t0 + 300);
    EXPECT_EQ(play->eggs[1]->time, t1);
    EXPECT_EQ(play->playerPowerFlags[0], 0); // one shot
    const int until = play->freezeUntil;
    EXPECT_EQ(until, CTickTimer::Now() + 300);
    play->playerPowerFlags[0] = 1 << kPupFreeze;
    run->Tick();
    EXPECT_EQ(play->freezeUntil, until + 300);
}

TEST_F(RulesTest, CrossfireRepelsQuietly)
{
    Start("", 1, kModeCrossfire);
    mouse_x = play->playerX[0] - 40; // pointer left of and below the puck
    mouse_y = play->playerY[0] + 40;
    run->Tick();
    EXPECT_NE(play->laserA[0], 0);
    EXPECT_NE(play->laserD[0], 0);
    EXPECT_EQ(play->laserC[0], 0);
    EXPECT_FALSE(Sounded("LASER_SFX"));
}

TEST_F(RulesTest, TheBossTakesItsTurnInEveryTick)
{
    Start("[eggSet1]\neggNum=1\n");
    play->boss.Init(300, 300, kBossEggLayer);
    play->boss.hsecBetweenThinking = 50;
    const int now = CTickTimer::Now() + 100;
    play->boss.nextThink = now - 1;
    UpdateAt(now);
    EXPECT_EQ(play->boss.nextThink, now + 50);
}

// Eggs, toys, aliens and the boss see the level through one view per tick;
// each of its numbers comes from the tunable or field of the same meaning.
TEST_F(RulesTest, TheTickViewHandsEachCreatureTheRightNumbers)
{
    Start("", 2);
    play->cvar_crackRadius = 21;
    play->cvar_toyTCellBounce = 0.5f;
    play->cvar_pupFlickerShowTime = 23;
    play->cvar_pup_magnetic_pullOnEggs = 0.25f;
    play->cvar_pup_magnetic_pullOnParasites = 0.125f;
    play->cvar_alienMoveSpeed = 1.5f;
    play->cvar_alienTransverseSpeed = 0.75f;
    play->cvar_alienTransverseHSec = 27;
    play->cvar_alienEdgeInfect = 29;
    play->cvar_hSecEggMinLife = 31;
    play->cvar_hSecEggMaxLife = 37;
    play->freezeUntil = 41;
    play->windX = 2.5f;
    play->windY = -3.5f;
    play->arenaLeft = 43;
    play->arenaTop = 47;
    play->arenaRight = 953;
    play->arenaBottom = 701;
    const STickView v = play->MakeTickView();
    EXPECT_EQ(v.crackRadius, 21);
    EXPECT_EQ(v.tCellBounce, 0.5f);
    EXPECT_EQ(v.pupFlickerShowTime, 23);
    EXPECT_EQ(v.pullOnEggs, 0.25f);
    EXPECT_EQ(v.pullOnParasites, 0.125f);
    EXPECT_EQ(v.moveSpeed, 1.5f);
    EXPECT_EQ(v.transverseSpeed, 0.75f);
    EXPECT_EQ(v.transverseHSec, 27);
    EXPECT_EQ(v.edgeInfect, 29);
    EXPECT_EQ(v.eggMinLife, 31);
    EXPECT_EQ(v.eggMaxLife, 37);
    EXPECT_EQ(v.freezeUntil, 41);
    EXPECT_EQ(v.windX, 2.5f);
    EXPECT_EQ(v.windY, -3.5f);
    EXPECT_EQ(v.arenaLeft, 43);
    EXPECT_EQ(v.arenaTop, 47);
    EXPECT_EQ(v.arenaRight, 953);
    EXPECT_EQ(v.arenaBottom, 701);
    EXPECT_EQ(v.numPlayers, 2);
    // The per-player arrays are the play state's own, so creatures write into them.
    EXPECT_EQ(v.playerX, play->playerX);
    EXPECT_EQ(v.playerY, play->playerY);
    EXPECT_EQ(v.playerFX, play->playerFX);
    EXPECT_EQ(v.playerFY, play->playerFY);
    EXPECT_EQ(v.playerVX, play->playerVX);
    EXPECT_EQ(v.playerVY, play->playerVY);
    EXPECT_EQ(v.playerPowerFlags, play->playerPowerFlags);
    EXPECT_EQ(v.laserA, play->laserA);
    EXPECT_EQ(v.laserB, play->laserB);
    EXPECT_EQ(v.laserC, play->laserC);
    EXPECT_EQ(v.laserD, play->laserD);
    EXPECT_EQ(v.levelPoints, &play->levelPoints);
    EXPECT_EQ(v.eggsSmashed, play->eggsSmashed);
    EXPECT_EQ(v.aliensKilled, play->aliensKilled);
    EXPECT_EQ(v.trailX, play->trailX);
    EXPECT_EQ(v.trailY, play->trailY);
    EXPECT_EQ(v.toys, &play->toys);
    EXPECT_EQ(v.eggs, &play->eggs);
}

} // namespace

namespace {

// Escape in play brings the level-select screen back (the play state is
// entered afresh); the key that chooses a level there must not also restart
// the level once the screen returns. In waves the menu has already lowered
// the level, so a second set-up would load the level before the chosen one.
TEST_F(RulesTest, ChoosingALevelAfterEscapeSetsItUpOnce)
{
    Level("play-10", "[goals]\ncvar_pointsToWin=10\n");
    Level("play-11", "[goals]\ncvar_pointsToWin=11\n");
    CStatePlay& game = *CStatePlay::Instance(); // Escape re-enters the one play state
    game.bestScores[37] = 1;                    // waves unlocked
    game.SaveScores();
    game.numPlayers = 1;
    game.gameMode = kModeWaves;
    game.level = 11;
    ASSERT_EQ(game.SetUpLevel(), 0);

    mouse_x = 800; // the lower right quadrant: levels 11 to 20
    mouse_y = 600;
    CHeadlessPlay::SetKey(KEY_ESC, true);
    g_controls.Poll();
    CHeadlessPlay::SetKey(KEY_ESC, false);
    g_modalPassHook = [] { key[KEY_SPACE] = 1; }; // Space chooses in the menu
    game.HandleInput(run->app);

    EXPECT_EQ(game.cvar_pointsToWin, 11);
    EXPECT_EQ(game.level, 10); // the first wave raises it to 11
    EXPECT_FALSE(Sounded("ANVIL_SFX"));
    game.Leave();
}

} // namespace
