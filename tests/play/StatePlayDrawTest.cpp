#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "app/Display.h"
#include "app/GameApp.h"
#include "app/TickTimer.h"
#include "audio/Audio.h"
#include "play/PlayHud.h"
#include "play/StatePlay.h"

namespace {

constexpr int kPuckX = 500, kPuckY = 400;

// One play frame drawn into memory bitmaps, with plain-coloured art whose
// sizes make every position easy to probe.
class PlayDrawTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_display.backBuffer = create_bitmap(kScreenW, kScreenH);
        clear_to_color(g_display.backBuffer, 0); // new bitmaps hold whatever memory held
        target = create_bitmap(kScreenW, kScreenH);
        g_display.SetPresentTarget(target);
        CTickTimer::SetNow(1000);
        std::srand(1);
        g_audio.pendingSounds.clear();
        bg = makecol(30, 30, 60);
        puckColour = makecol(200, 100, 0);
        lanternColour = makecol(0, 90, 90);
        play = std::make_unique<CStatePlay>();
        SPlayArt& art = play->art;
        art.background = Filled(kScreenW, kScreenH, bg);
        art.corner = Filled(40, 30, makecol(90, 90, 0));
        art.acid = Filled(6, 6, makecol(0, 250, 0));
        for (SPuckArt* look : {&art.single, &art.pair[0], &art.pair[1]}) {
            look->puck = Filled(20, 20, puckColour);
            look->lanternTop = Filled(60, 10, lanternColour);
            look->lanternBottom = Filled(60, 10, lanternColour);
            look->lanternRight = Filled(10, 60, lanternColour);
            look->lanternLeft = Filled(10, 60, lanternColour);
        }
        art.MarkCurrent();
        play->numPlayers = 1;
        play->cvar_alienEdgeInfect = 10;
        play->cvar_laserDropoffIntensity = 100;
        play->cvar_pup_mushroom_laserWidthNormal = 0.25f; // beams 5 pixels either side
        play->cvar_pup_mushroom_laserWidthSuper = 0.5f;
        PlaceBothPucks(kPuckX, kPuckY, kPuckX, kPuckY);
    }
    void TearDown() override
    {
        g_display.SetPresentTarget(nullptr);
        play.reset();
        for (BITMAP* b : bitmaps)
            destroy_bitmap(b);
        destroy_bitmap(g_display.backBuffer);
        g_display.backBuffer = nullptr;
        destroy_bitmap(target);
        g_audio.pendingSounds.clear();
    }
    BITMAP* Filled(int w, int h, int colour)
    {
        BITMAP* b = create_bitmap(w, h);
        clear_to_color(b, colour);
        bitmaps.push_back(b);
        return b;
    }
    void PlaceBothPucks(int x0, int y0, int x1, int y1)
    {
        play->playerX[0] = x0;
        play->playerY[0] = y0;
        play->playerX[1] = x1;
        play->playerY[1] = y1;
    }
    void Draw() { play->Draw(app); }
    int Pixel(int x, int y) const { return getpixel(g_display.backBuffer, x, y); }

    CGameApp app;
    std::unique_ptr<CStatePlay> play;
    BITMAP* target = nullptr;
    std::vector<BITMAP*> bitmaps;
    int bg = 0, puckColour = 0, lanternColour = 0;
};

TEST(PlayHudTest, LevelIsShownWithinItsSystem)
{
    const std::pair<int, int> cases[] = {{1, 1}, {10, 10}, {11, 1}, {20, 10}, {21, 1}, {35, 5}};
    for (auto [level, shown] : cases)
        EXPECT_EQ(LevelInSystem(level), shown) << level;
}

TEST(PlayHudTest, BeamColoursByWallForOnePlayerAndByPlayerForTwo)
{
    struct Case {
        int players, player, pulse;
        float fraction;
        int r, g, b;
    };
    const Case cases[] = {
        {1, 0, kPulseA, 1.0f, 255, 0, 0},   {1, 0, kPulseC, 0.5f, 205, 205, 0}, {1, 0, kPulseB, 0.0f, 0, 0, 155},
        {1, 0, kPulseD, 0.25f, 0, 180, 0},  {2, 0, kPulseA, 1.0f, 0, 255, 0},   {2, 0, kPulseB, 0.5f, 0, 205, 0},
        {2, 1, kPulseC, 1.0f, 0, 0, 255},   {2, 1, kPulseD, 0.0f, 0, 0, 155},
        {1, 0, kPulseA, 1.5f, 255, 0, 0},   // a stale pulse never brightens past full
    };
    for (const Case& c : cases)
        EXPECT_EQ(BeamColour(c.players, c.player, c.pulse, c.fraction, 100.0f), makecol(c.r, c.g, c.b))
            << c.players << " " << c.player << " " << c.pulse << " " << c.fraction;
    // Channels stay within 0..255 so they never spill into their neighbours.
    EXPECT_EQ(BeamLevel(-0.5f, 255.0f), 0);
    EXPECT_EQ(BeamLevel(-1.0f, 0.0f), 255);
    EXPECT_EQ(BeamLevel(0.0f, 400.0f), 0);
}

TEST(PlayHudTest, CountdownShowsReadyThenGoRisingAndFading)
{
    struct Case {
        int now, startAt, endAt, sayGo;
        bool ready, go;
        int shift, fade;
    };
    const Case cases[] = {
        {1000, 1100, 0, 50, true, false, 0, 255},
        {1050, 1100, 0, 50, true, false, 0, 255},
        {1060, 1100, 0, 50, true, true, 60, 205},
        {1099, 1100, 0, 50, true, true, 294, 10},
        {1070, 1100, 0, 100, true, true, 420, 0}, // faded out, never below black
        {1100, 1100, 0, 50, false, false, 0, 255}, // the go moment has passed
        {1060, 1100, 1200, 50, false, false, 0, 255}, // the level is ending
        {1060, 0, 0, 50, false, false, 0, 255},
    };
    for (const Case& c : cases) {
        const SCountdownLook look = CountdownLook(c.now, c.startAt, c.endAt, c.sayGo);
        EXPECT_EQ(look.ready, c.ready) << c.now;
        EXPECT_EQ(look.go, c.go) << c.now;
        EXPECT_EQ(look.shift, c.shift) << c.now;
        EXPECT_EQ(look.fade, c.fade) << c.now;
    }
}

TEST(PlayHudTest, BossBarIsFourPixelsPerHealthPoint)
{
    BITMAP* b = create_bitmap(kScreenW, kScreenH);
    clear_to_color(b, 0);
    DrawBossHealthBar(b, 25);
    const int mid = kScreenW / 2;
    EXPECT_EQ(getpixel(b, mid - 200, 85), makecol(255, 255, 255));
    EXPECT_EQ(getpixel(b, mid - 100, 85), makecol(255, 255, 255));
    EXPECT_EQ(getpixel(b, mid - 99, 85), makecol(80, 80, 80));
    EXPECT_EQ(getpixel(b, mid + 201, 70), makecol(80, 80, 80));
    EXPECT_EQ(getpixel(b, mid + 202, 85), 0);
    destroy_bitmap(b);
}

TEST_F(PlayDrawTest, BeamsAndRailsRunFromTheWallsToThePuck)
{
    play->laserA[0] = 1100;
    play->laserAFrac[0] = 1.0f;
    play->laserC[0] = 1100;
    play->laserCFrac[0] = 0.5f;
    play->laserB[0] = 1100;
    play->laserBFrac[0] = 0.0f;
    play->laserD[0] = 1100;
    play->laserDFrac[0] = 0.25f;
    Draw();
    const int red = makecol(255, 0, 0), yellow = makecol(205, 205, 0);
    const int blue = makecol(0, 0, 155), green = makecol(0, 180, 0);
    EXPECT_EQ(Pixel(200, kPuckY), red);
    EXPECT_EQ(Pixel(200, 5), red);    // rail along the top wall
    EXPECT_EQ(Pixel(200, 760), red);  // and along the bottom
    EXPECT_EQ(Pixel(800, kPuckY), yellow);
    EXPECT_EQ(Pixel(800, 5), yellow);
    EXPECT_EQ(Pixel(kPuckX, 200), blue);
    EXPECT_EQ(Pixel(5, 200), blue);
    EXPECT_EQ(Pixel(kPuckX, 600), green);
    EXPECT_EQ(Pixel(1020, 600), green);
    EXPECT_EQ(Pixel(200, kPuckY + 6), bg); // beams are 5 pixels either side of the centre
    EXPECT_EQ(Pixel(kPuckX, kPuckY), puckColour);
    EXPECT_EQ(getpixel(target, 200, kPuckY), red); // and the frame was presented
}

TEST_F(PlayDrawTest, PucksTrailsBeamsAndLanternsOnlyWhileTheLevelIsNotLost)
{
    struct Case {
        int points, flags, probeDX;
        bool puckShown;
    };
    const Case cases[] = {
        {0, 0, 0, true},
        {0, 0, 15, false},
        {0, 1 << kPupMushroom, 15, true}, // twice the size
        {-1, 1 << kPupTrail, 0, false},
        {12, 1 << kPupTrail, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.points);
        play->levelPoints = c.points;
        play->playerPowerFlags[0] = c.flags;
        play->laserA[0] = 1100;
        play->laserAFrac[0] = 1.0f;
        for (int k = 0; k < kTrailPoints; ++k) {
            play->trailX[k][0] = 300.0f;
            play->trailY[k][0] = 100.0f + k * 10;
        }
        Draw();
        const bool shown = c.points >= 0;
        EXPECT_EQ(Pixel(kPuckX + c.probeDX, kPuckY), c.puckShown ? puckColour : bg);
        EXPECT_EQ(Pixel(200, kPuckY), shown ? makecol(255, 0, 0) : bg);
        EXPECT_EQ(Pixel(kPuckX, 5), shown ? lanternColour : bg);
        const bool trail = shown && (c.flags & (1 << kPupTrail));
        EXPECT_EQ(Pixel(300, 100 + 14 * 10), trail ? makecol(0, 250, 0) : bg);
    }
}

TEST_F(PlayDrawTest, PointerModesDrawAZapDiscOrCrossfireLines)
{
    play->cvar_pup_det_flashtime = 80;
    play->gameMode = kModeLaserZap;
    Draw();
    EXPECT_EQ(Pixel(kPuckX, kPuckY), bg); // no puck of its own
    EXPECT_EQ(play->flashUntil[0], 0);
    play->laserD[0] = 1100;
    Draw();
    EXPECT_EQ(Pixel(kPuckX + 10, kPuckY), makecol(255, 255, 255)); // radius (20 + 5) / 2
    EXPECT_EQ(play->flashUntil[0], 1000 + 10);

    play->gameMode = kModeCrossfire;
    play->flashUntil[0] = 0;
    play->laserD[0] = 0;
    play->laserA[0] = 1100;
    play->laserAFrac[0] = 1.0f;
    Draw();
    EXPECT_EQ(Pixel(40, kScreenH - 30), makecol(255, 0, 0)); // from the lower-left corner
    EXPECT_EQ(Pixel(200, kPuckY), bg);                       // no beam
    EXPECT_EQ(Pixel(kPuckX, 5), bg);                         // no lanterns
    EXPECT_EQ(Pixel(kPuckX, kPuckY), puckColour);
}

TEST_F(PlayDrawTest, GoSoundIsRequestedOncePerCountdown)
{
    play->cvar_hSecBeforeLevelStartSayGo = 50;
    play->levelStartAt = 1070; // 70 left: still "Ready?"
    Draw();
    EXPECT_TRUE(g_audio.pendingSounds.empty());
    CTickTimer::SetNow(1030);
    Draw();
    EXPECT_EQ(g_audio.pendingSounds.count("GO_SFX"), 1u);
    EXPECT_TRUE(play->goSounded);
    g_audio.pendingSounds.clear();
    CTickTimer::SetNow(1040);
    Draw();
    EXPECT_TRUE(g_audio.pendingSounds.empty());

    play->goSounded = false;
    play->levelEndAt = 2000; // an ending level shows no count-down
    Draw();
    EXPECT_FALSE(play->goSounded);
}

TEST_F(PlayDrawTest, FreezeClockFillsTheTimeLeftOfTheCurrentTurn)
{
    const int grey = makecol(80, 80, 80), white = makecol(255, 255, 255);
    const int cx = kScreenW / 2, cy = kScreenH - 100;
    play->freezeUntil = 1150;
    for (int period : {0, -5}) { // no period, no clock (and no division by it)
        play->cvar_pup_freeze_time = period;
        Draw();
        EXPECT_EQ(Pixel(cx - 20, cy), bg);
    }
    play->cvar_pup_freeze_time = 100; // half a turn left of the second
    Draw();
    EXPECT_EQ(Pixel(cx + 20, cy), white);
    EXPECT_EQ(Pixel(cx - 20, cy), grey);
    play->freezeUntil = 0;
    Draw();
    EXPECT_EQ(Pixel(cx - 20, cy), bg);
}

TEST_F(PlayDrawTest, BossBarOnlyForALivingBoss)
{
    play->boss.Clear(); // as a level without a boss leaves it
    Draw();
    EXPECT_EQ(Pixel(kScreenW / 2, 85), bg);
    play->boss.Init(300, 400, 1);
    play->boss.health = 25; // 100 pixels of white from the bar's left end
    Draw();
    EXPECT_EQ(Pixel(kScreenW / 2 - 200 + 50, 85), makecol(255, 255, 255));
    EXPECT_EQ(Pixel(kScreenW / 2 + 50, 85), makecol(80, 80, 80));
    play->boss.health = 0;
    Draw();
    EXPECT_EQ(Pixel(kScreenW / 2, 85), bg);
}

TEST_F(PlayDrawTest, DetonationFlashGivesEveryFlashingPlayerADisc)
{
    play->numPlayers = 2;
    play->cvar_pup_det_range = 30;
    play->flashUntil[0] = play->flashUntil[1] = 1050;
    PlaceBothPucks(300, 400, 700, 400);
    // A seed where both players flash, found the way the frame draws: one
    // rand() per flashing player, then one for the colours.
    unsigned seed = 1;
    bool dark = false;
    for (;; ++seed) {
        std::srand(seed);
        const int a = std::rand(), b = std::rand(), colours = std::rand();
        if ((a & 1) && (b & 1)) {
            dark = colours & 1;
            break;
        }
    }
    std::srand(seed);
    Draw();
    const int white = makecol(255, 255, 255);
    const int fill = dark ? 0 : white, disc = dark ? white : 0;
    EXPECT_EQ(Pixel(500, 200), fill);
    EXPECT_EQ(Pixel(300 + 25, 400 - 25 / 2), disc);
    EXPECT_EQ(Pixel(700 - 25, 400), disc);
    // Discs of the detonation's range, 30 pixels.
    EXPECT_EQ(Pixel(300 + 30, 400), disc);
    EXPECT_EQ(Pixel(300 + 31, 400), fill);
    EXPECT_EQ(Pixel(700, 400 - 30), disc);
    EXPECT_EQ(Pixel(700, 400 - 31), fill);

    // The flash ends when its time comes: the arena is drawn, and no rand() is spent on it.
    CTickTimer::SetNow(1050);
    std::srand(seed);
    const int next = std::rand();
    std::srand(seed);
    Draw();
    EXPECT_EQ(Pixel(500, 200), bg);
    EXPECT_EQ(std::rand(), next);
}

TEST_F(PlayDrawTest, LeavingForTheTitleDrawsAndPresentsNothing)
{
    clear_to_color(target, makecol(1, 2, 3));
    clear_to_color(g_display.backBuffer, makecol(1, 2, 3));
    play->leaveToTitle = true;
    Draw();
    EXPECT_EQ(getpixel(target, 500, 400), makecol(1, 2, 3));
    EXPECT_EQ(Pixel(500, 400), makecol(1, 2, 3));
}

TEST_F(PlayDrawTest, MissingArtDrawsTheRestWithoutCrashing)
{
    play->art = SPlayArt(); // looks up an empty registry
    play->numPlayers = 2;
    play->playerPowerFlags[0] = (1 << kPupTrail) | (1 << kPupMushroom);
    play->laserA[0] = play->laserB[1] = 1100;
    play->laserAFrac[0] = 1.0f;
    play->freezeUntil = 1150;
    play->cvar_pup_freeze_time = 100;
    play->pausedAt = 990;
    play->levelStartAt = 1020;
    play->cvar_hSecBeforeLevelStartSayGo = 50;
    Draw();
    EXPECT_EQ(Pixel(10, 600), makecol(80, 80, 80)); // the frame
    EXPECT_EQ(Pixel(700, 5), 0);                    // no background image: black
    EXPECT_EQ(Pixel(300, kPuckY), makecol(0, 255, 0)); // player 1's beam, green with two players
}

} // namespace
