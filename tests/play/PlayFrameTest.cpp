// Where the play frame puts things, in which order and which way round,
// checked on the scene art (every image lopsided, with holes of the mask
// colour) rather than on checksums.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Display.h"
#include "app/TickTimer.h"
#include "assets/Asset.h"
#include "audio/Audio.h"
#include "creatures/Alien.h"
#include "creatures/Egg.h"
#include "creatures/Toy.h"
#include "testkit/HeadlessPlay.h"
#include "play/StatePlay.h"
#include "support/SceneArt.h"
#include "support/TempDir.h"
#include "support/TextProbe.h"

namespace {

constexpr int kW = kScreenW, kH = kScreenH;
constexpr int kEdge = 30;                  // cvar_alienEdgeInfect
constexpr int kCornerW = 170, kCornerH = 125; // the scene's CORNER_IMG
// The players' own art: pucks wider than high, lanterns of four sizes.
constexpr int kPuckW = 40, kPuckH = 30, kSpikesW = 48, kSpikesH = 44;
constexpr int kHalfW = 32, kHalfH = 32; // half of the top lantern's width and the right one's height
constexpr int kNow = 1000;

int White() { return makecol(255, 255, 255); }
int Grey() { return makecol(80, 80, 80); }

class PlayFrameTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        WriteSceneArt(dir);
        play = std::make_unique<CStatePlay>();
        run = std::make_unique<CHeadlessPlay>(*play);
        run->LoadAssets();
        g_display.SetCursorVisible(false);
        solid_mode();
        CTickTimer::SetNow(kNow);
        play->boss.Clear(); // no boss unless a test makes one
        play->numPlayers = 1;
        play->level = 27;
        play->levelPoints = 12;
        play->cvar_pointsToWin = 34;
        play->runTotal = 345;
        play->eggsSmashed[0] = 56;
        play->aliensKilled[0] = 78;
        play->eggsSmashed[1] = 91;
        play->aliensKilled[1] = 23;
        play->cvar_alienEdgeInfect = kEdge;
        play->cvar_laserDropoffIntensity = 100;
        play->cvar_pup_mushroom_laserWidthNormal = 0.25f;
        play->cvar_pup_mushroom_laserWidthSuper = 0.5f;
        play->cvar_pup_freeze_time = 100;
        play->cvar_pup_det_flashtime = 80;
        play->cvar_pup_det_range = 30;
        play->cvar_crackWarningTime = 100;
        for (int p = 0; p < kMaxPlayers; ++p)
            for (int k = 0; k < kTrailPoints; ++k)
                play->trailX[k][p] = play->trailY[k][p] = -50.0f;
        Place(0, 500, 400);
        Place(1, 600, 450);
    }
    void TearDown() override
    {
        for (BITMAP* b : frames)
            destroy_bitmap(b);
        play->ClearAll();
        run.reset();
        play.reset();
        g_bitmaps.ReleaseAll();
        g_sounds.ReleaseAll();
        g_fonts.ReleaseAll();
        TempDirTest::TearDown();
    }

    void Place(int p, int x, int y)
    {
        play->playerX[p] = x;
        play->playerY[p] = y;
        play->playerFX[p] = static_cast<float>(x);
        play->playerFY[p] = static_cast<float>(y);
    }
    // Draws one frame over a back buffer filled with a colour no image uses
    // and keeps a copy of it.
    BITMAP* Frame(unsigned seed = 1)
    {
        clear_to_color(g_display.backBuffer, makecol(0, 0, 255));
        std::srand(seed);
        play->Draw(run->app);
        return Copy(g_display.backBuffer);
    }
    BITMAP* Copy(BITMAP* b)
    {
        BITMAP* c = create_bitmap(b->w, b->h);
        blit(b, c, 0, 0, 0, 0, b->w, b->h);
        frames.push_back(c);
        return c;
    }
    // The corner panels' text would cover what is being looked at.
    void WithoutText()
    {
        play->art.Refresh();
        play->art.huge = play->art.large = play->art.medium = play->art.small = nullptr;
    }
    BITMAP* Image(const char* tag) { return g_bitmaps.Get(tag); }
    ALFONT_FONT* Font(const char* tag) { return g_fonts.Get(tag); }

    static testing::AssertionResult SameFrame(BITMAP* got, BITMAP* want)
    {
        int differ = 0, fx = -1, fy = -1;
        for (int y = 0; y < want->h; ++y)
            for (int x = 0; x < want->w; ++x)
                if (getpixel(got, x, y) != getpixel(want, x, y) && differ++ == 0)
                    fx = x, fy = y;
        if (differ == 0)
            return testing::AssertionSuccess();
        return testing::AssertionFailure() << differ << " pixels differ, the first at (" << fx << ", " << fy << ")";
    }

    std::unique_ptr<CStatePlay> play;
    std::unique_ptr<CHeadlessPlay> run;
    std::vector<BITMAP*> frames;
    CTextModeTransparent transparentText;
};

TEST_F(PlayFrameTest, ArenaIsTheBackgroundInsideAGreyFrameWithFourUnturnedCorners)
{
    BITMAP* bg = Image("BG_IMG");
    BITMAP* corner = Image("CORNER_IMG");
    ASSERT_NE(bg, nullptr);
    ASSERT_NE(corner, nullptr);
    play->levelPoints = -1; // no pucks
    WithoutText();
    // Wide borders hold the corners in their strips (from 126 on, clear of
    // the frame line too), where they may be copied rather than drawn.
    for (int e : {kEdge, 45, 0, 124, 125, 126, 150, 170, 383}) {
        SCOPED_TRACE(e);
        play->cvar_alienEdgeInfect = e;
        BITMAP* f = Frame();
        const int mask = bitmap_mask_color(corner);
        auto cornerAt = [&](int x, int y, int& c) {
            const int cx[] = {0, kW - kCornerW}, cy[] = {0, kH - kCornerH};
            for (int i = 0; i < 2; ++i)
                for (int j = 0; j < 2; ++j)
                    if (x >= cx[i] && x < cx[i] + kCornerW && y >= cy[j] && y < cy[j] + kCornerH) {
                        c = getpixel(corner, x - cx[i], y - cy[j]);
                        return c != mask;
                    }
            return false;
        };
        int differ = 0;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                int want = 0;
                const bool onFrame = ((x == e || x == kW - e) && y >= e && y <= kH - e) ||
                                     ((y == e || y == kH - e) && x >= e && x <= kW - e);
                if (!cornerAt(x, y, want))
                    want = onFrame ? Grey() : getpixel(bg, x, y);
                if (getpixel(f, x, y) != want && differ++ < 3)
                    ADD_FAILURE() << "at " << x << "," << y;
            }
        EXPECT_EQ(differ, 0);
    }
}

TEST_F(PlayFrameTest, CreaturesAreDrawnBossEggsToysParasitesEachInListOrderAndHiddenInTheBorder)
{
    play->levelPoints = -1;
    WithoutText();
    // A cluster across the left border, every creature overlapping the next.
    using Maker = std::function<void()>;
    const std::vector<Maker> layers = {
        [&] {
            play->boss.Init(70, 300, kBossEggLayer);
            play->boss.health = 50;
        },
        [&] {
            auto egg = std::make_unique<CEgg>();
            egg->Init(90000, 90001, 40, 40, 290, 290, kPupPlainEgg, 0);
            play->eggs.push_back(std::move(egg));
        },
        [&] {
            auto egg = std::make_unique<CEgg>();
            egg->Init(90000, 90001, 52, 52, 300, 300, kPupMagnetic, 0);
            play->eggs.push_back(std::move(egg));
        },
        [&] {
            auto toy = std::make_unique<CToy>();
            toy->Init(45, 45, 310, 310, kToyFood);
            play->toys.push_back(std::move(toy));
        },
        [&] {
            auto toy = std::make_unique<CToy>();
            toy->Init(60, 60, 305, 305, kToyTCell);
            play->toys.push_back(std::move(toy));
        },
        [&] {
            auto alien = std::make_unique<CAlien>();
            alien->Birth(35, 300, 100, 0);
            alien->kind = 0;
            play->aliens.push_back(std::move(alien));
        },
        [&] {
            auto alien = std::make_unique<CAlien>();
            alien->Birth(50, 318, 100, 0);
            alien->kind = 2;
            play->aliens.push_back(std::move(alien));
        },
    };
    BITMAP* none = Frame();
    std::vector<BITMAP*> alone;
    for (size_t i = 0; i < layers.size(); ++i) {
        play->ClearAll();
        play->boss.Clear();
        std::srand(77 + i); // the same creature each time it is made
        layers[i]();
        alone.push_back(Frame());
    }
    play->ClearAll();
    play->boss.Clear();
    for (size_t i = 0; i < layers.size(); ++i) {
        std::srand(77 + i);
        layers[i]();
    }
    BITMAP* all = Frame();
    int covered = 0;
    for (int y = 200; y < 420; ++y)
        for (int x = 0; x < 200; ++x) {
            int want = getpixel(none, x, y);
            int top = -1;
            for (size_t i = 0; i < alone.size(); ++i)
                if (getpixel(alone[i], x, y) != getpixel(none, x, y)) {
                    want = getpixel(alone[i], x, y);
                    top = static_cast<int>(i);
                }
            covered += top >= 0;
            ASSERT_EQ(getpixel(all, x, y), want) << x << "," << y << ", top layer " << top;
            if (x < kEdge) { // the infection border shows only the background
                ASSERT_EQ(getpixel(all, x, y), getpixel(Image("BG_IMG"), x, y)) << x << "," << y;
            }
            if (x == kEdge) {
                ASSERT_EQ(getpixel(all, x, y), Grey()) << y;
            }
        }
    EXPECT_GT(covered, 5000);
}

// What one player adds to the frame, in the order it is drawn.
struct SPlayerLook {
    int p;
    std::function<void(BITMAP*)> draw;
};

class PlayersTest : public PlayFrameTest {
protected:
    void SetUp() override
    {
        PlayFrameTest::SetUp();
        WithoutText();
        int salt = 10;
        for (SPuckArt* look : {&play->art.single, &play->art.pair[0], &play->art.pair[1]}) {
            look->puck = Pattern(kPuckW, kPuckH, salt++);
            look->spikes = Pattern(kSpikesW, kSpikesH, salt++);
            look->lanternTop = Pattern(64, 24, salt++);
            look->lanternRight = Pattern(24, 64, salt++);
            look->lanternBottom = Pattern(50, 20, salt++);
            look->lanternLeft = Pattern(20, 50, salt++);
        }
    }
    void TearDown() override
    {
        for (BITMAP* b : images)
            destroy_bitmap(b);
        PlayFrameTest::TearDown();
    }
    // Lopsided, with holes of the mask colour.
    BITMAP* Pattern(int w, int h, int salt)
    {
        BITMAP* b = create_bitmap(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                putpixel(b, x, y,
                         (x * 3 + y * 5) % 7 == 0 ? bitmap_mask_color(b) : (x * 37 + y * 1009 + salt * 4099) & 0x7FFF);
        images.push_back(b);
        return b;
    }
    const SPuckArt& Look(int set) const { return set == 0 ? play->art.single : play->art.pair[set - 1]; }

    // The frame with the players minus the frame without them must be what
    // the expected steps draw over it.
    void ExpectPlayers(const std::function<void(BITMAP*)>& expectedSteps)
    {
        const int points = play->levelPoints;
        play->levelPoints = -1;
        BITMAP* want = Frame();
        play->levelPoints = points;
        BITMAP* got = Frame();
        expectedSteps(want);
        EXPECT_TRUE(SameFrame(got, want));
    }
    void Pulses(int p, float a, float c, float b, float d)
    {
        auto set = [&](int32_t* end, float* frac, float value) {
            end[p] = value >= 0 ? kNow + 10 : 0;
            frac[p] = value >= 0 ? value : 0;
        };
        set(play->laserA, play->laserAFrac, a);
        set(play->laserC, play->laserCFrac, c);
        set(play->laserB, play->laserBFrac, b);
        set(play->laserD, play->laserDFrac, d);
    }
    // Puck, then spikes, centred on the player at their size. Set 0 is the
    // one-player art, 1 and 2 the two players'.
    void Puck(BITMAP* b, int set, int x, int y)
    {
        draw_sprite(b, Look(set).puck, x - kPuckW / 2, y - kPuckH / 2);
        draw_sprite(b, Look(set).spikes, x - kSpikesW / 2, y - kSpikesH / 2);
    }
    void Lanterns(BITMAP* b, int set, int x, int y)
    {
        draw_sprite(b, Look(set).lanternTop, x - kHalfW, 0);
        draw_sprite(b, Look(set).lanternRight, kW - 24, y - kHalfH);
        draw_sprite(b, Look(set).lanternBottom, x - kHalfW, kH - 20);
        draw_sprite(b, Look(set).lanternLeft, 0, y - kHalfH);
    }
    std::vector<BITMAP*> images;
    // The three bars of each running pulse: the beam to the puck and the rails along two walls.
    static void BeamA(BITMAP* b, int x, int y, int hw, int hh, int c)
    {
        rectfill(b, kCornerW, y - hh, x - hw, y + hh, c);
        rectfill(b, kCornerW, 0, x - kHalfW, 17, c);
        rectfill(b, kCornerW, kH - 17, x - kHalfW, kH, c);
    }
    static void BeamC(BITMAP* b, int x, int y, int hw, int hh, int c)
    {
        rectfill(b, kW - kCornerW, y - hh, x + hw, y + hh, c);
        rectfill(b, kW - kCornerW, 0, x + kHalfW, 17, c);
        rectfill(b, kW - kCornerW, kH - 17, x + kHalfW, kH, c);
    }
    static void BeamB(BITMAP* b, int x, int y, int hw, int hh, int c)
    {
        rectfill(b, x - hw, kCornerH, x + hw, y - hh, c);
        rectfill(b, 0, kCornerH, 17, y - kHalfH, c);
        rectfill(b, kW - 17, kCornerH, kW, y - kHalfH, c);
    }
    static void BeamD(BITMAP* b, int x, int y, int hw, int hh, int c)
    {
        rectfill(b, x - hw, kH - kCornerH, x + hw, y + hh, c);
        rectfill(b, 0, kH - kCornerH, 17, y + kHalfH, c);
        rectfill(b, kW - 17, kH - kCornerH, kW, y + kHalfH, c);
    }
};

TEST_F(PlayersTest, OnePlayersBeamsRunFromEachWallToThePuckUnderItAndItsLanterns)
{
    Pulses(0, 1.0f, 0.5f, 0.0f, 0.25f);
    ExpectPlayers([&](BITMAP* b) {
        // Half-widths of 0.25 of the puck's 40 x 30; colours dimmed by (1 - fraction) x 100.
        BeamA(b, 500, 400, 10, 7, makecol(255, 0, 0));
        BeamC(b, 500, 400, 10, 7, makecol(205, 205, 0));
        BeamB(b, 500, 400, 10, 7, makecol(0, 0, 155));
        BeamD(b, 500, 400, 10, 7, makecol(0, 180, 0));
        Puck(b, 0, 500, 400);
        Lanterns(b, 0, 500, 400);
    });
}

TEST_F(PlayersTest, BeamsAreDrawnLeftRightTopBottomWhereTheyCross)
{
    // So high up that the top beam's rails run down past the bottom beam's.
    Place(0, 300, 50);
    play->cvar_pup_mushroom_laserWidthNormal = 0.75f; // beams wider than the puck
    Pulses(0, 0.75f, 0.5f, 0.25f, 0.125f);
    ExpectPlayers([&](BITMAP* b) {
        BeamA(b, 300, 50, 30, 22, makecol(230, 0, 0));
        BeamC(b, 300, 50, 30, 22, makecol(205, 205, 0));
        BeamB(b, 300, 50, 30, 22, makecol(0, 0, 180));
        BeamD(b, 300, 50, 30, 22, makecol(0, 168, 0));
        Puck(b, 0, 300, 50);
        Lanterns(b, 0, 300, 50);
    });
}

TEST_F(PlayersTest, MushroomWidensTheBeamsAndDoublesThePuck)
{
    play->playerPowerFlags[0] = 1 << kPupMushroom;
    Pulses(0, 1.0f, -1, -1, 0.5f);
    ExpectPlayers([&](BITMAP* b) {
        BeamA(b, 500, 400, 20, 15, makecol(255, 0, 0));
        BeamD(b, 500, 400, 20, 15, makecol(0, 205, 0));
        // Twice the size, with the top left corner one image size up and left.
        stretch_sprite(b, Look(0).puck, 500 - kPuckW, 400 - kPuckH, 2 * kPuckW, 2 * kPuckH);
        stretch_sprite(b, Look(0).spikes, 500 - kSpikesW, 400 - kSpikesH, 2 * kSpikesW, 2 * kSpikesH);
        Lanterns(b, 0, 500, 400);
    });
}

TEST_F(PlayersTest, TwoPlayersEachHaveTheirOwnColourPuckAndLanternsTheSecondOnTop)
{
    play->numPlayers = 2;
    Place(0, 400, 300);
    Place(1, 420, 312);
    Pulses(0, 1.0f, 0.5f, -1, -1);
    Pulses(1, -1, -1, 0.0f, 1.0f);
    // Player 1's acid trail: newest first, so the oldest lands on top.
    play->playerPowerFlags[0] = 1 << kPupTrail;
    for (int k = 0; k < kTrailPoints; ++k) {
        play->trailX[k][0] = 600.7f + 3 * k;
        play->trailY[k][0] = 250.2f + 2 * k;
    }
    ExpectPlayers([&](BITMAP* b) {
        BITMAP* acid = Image("ACID_IMG");
        for (int k = 0; k < kTrailPoints; ++k)
            draw_sprite(b, acid, 600 + 3 * k - 8, 250 + 2 * k - 8);
        BeamA(b, 400, 300, 10, 7, makecol(0, 255, 0));
        BeamC(b, 400, 300, 10, 7, makecol(0, 205, 0));
        Puck(b, 1, 400, 300);
        Lanterns(b, 1, 400, 300);
        BeamB(b, 420, 312, 10, 7, makecol(0, 0, 155));
        BeamD(b, 420, 312, 10, 7, makecol(0, 0, 255));
        Puck(b, 2, 420, 312);
        Lanterns(b, 2, 420, 312);
    });
}

TEST_F(PlayersTest, CrossfireDrawsLinesFromTwoCornersAndNoLanternsForPlayerOne)
{
    play->gameMode = kModeCrossfire;
    for (int players : {1, 2}) {
        SCOPED_TRACE(players);
        play->numPlayers = players;
        Pulses(0, 0.5f, 0.25f, 0.25f, 0.25f);
        Pulses(1, 1.0f, -1, -1, -1);
        ExpectPlayers([&](BITMAP* b) {
            // Left and bottom pulses together: from the lower left corner to the puck's lower left.
            const int v = 255 - 25; // (1 - (0.5 + 0.25)) x 100
            const int ad = players == 2 ? makecol(0, v, 0) : makecol(v, 0, 0);
            for (int k = -2; k <= 2; ++k)
                line(b, kCornerW + k, kH - kCornerH + k, 500 - 10, 400 + 7, ad);
            // Top and right together: from the upper right corner to the puck's upper right.
            for (int k = -2; k <= 2; ++k)
                line(b, kW - kCornerW + k, kCornerH + k, 500 + 10, 400 - 7, makecol(0, 255 - 50, 0));
            if (players == 1) {
                Puck(b, 0, 500, 400);
                return;
            }
            Puck(b, 1, 500, 400);
            BeamA(b, 600, 450, 10, 7, makecol(0, 0, 255)); // player 2 plays with beams
            Puck(b, 2, 600, 450);
            Lanterns(b, 2, 600, 450);
        });
    }
}

TEST_F(PlayersTest, LaserZapShowsADiscInsteadOfThePuckWhileTheBottomPulseRuns)
{
    play->gameMode = kModeLaserZap;
    for (bool zap : {false, true}) {
        SCOPED_TRACE(zap);
        play->flashUntil[0] = 0;
        Pulses(0, -1, -1, -1, zap ? 0.5f : -1);
        ExpectPlayers([&](BITMAP* b) {
            if (zap) {
                BeamD(b, 500, 400, 10, 7, makecol(0, 205, 0));
                circlefill(b, 500, 400, (kPuckW + 10) >> 1, White()); // the puck's width and a beam's half
            }
            Lanterns(b, 0, 500, 400);
        });
        EXPECT_EQ(play->flashUntil[0], zap ? kNow + (80 >> 3) : 0);
    }
}

// The loaded pucks have their doubled copies made once; they must land
// where stretching the images would put them.
TEST_F(PlayFrameTest, MushroomDoublesTheLoadedPuckInPlace)
{
    WithoutText();
    play->playerPowerFlags[0] = 1 << kPupMushroom;
    play->levelPoints = -1;
    BITMAP* want = Frame();
    play->levelPoints = 0;
    BITMAP* got = Frame();
    BITMAP* puck = Image("PUCK_IMG");
    BITMAP* spikes = Image("PUCK_SPIKES_IMG");
    stretch_sprite(want, puck, 500 - puck->w, 400 - puck->h, 2 * puck->w, 2 * puck->h);
    stretch_sprite(want, spikes, 500 - spikes->w, 400 - spikes->h, 2 * spikes->w, 2 * spikes->h);
    draw_sprite(want, Image("LANTERN_T_IMG"), 500 - 32, 0);
    draw_sprite(want, Image("LANTERN_R_IMG"), kW - 24, 400 - 32);
    draw_sprite(want, Image("LANTERN_B_IMG"), 500 - 32, kH - 24);
    draw_sprite(want, Image("LANTERN_L_IMG"), 0, 400 - 32);
    EXPECT_TRUE(SameFrame(got, want));
}

TEST_F(PlayFrameTest, LaterPartsOfTheHudLieOverThePucks)
{
    WithoutText();
    play->numPlayers = 2;
    play->boss.Init(800, 600, kBossEggLayer);
    play->boss.health = 50; // white to x = 512
    play->freezeUntil = kNow + 25;
    Place(0, 520, 85);       // under the boss bar
    Place(1, 512, kH - 100); // under the freeze clock
    BITMAP* f = Frame();
    EXPECT_EQ(getpixel(f, 512, 85), White());
    EXPECT_EQ(getpixel(f, 520, 85), Grey());
    EXPECT_EQ(getpixel(f, 530, 95), Grey());
    EXPECT_EQ(getpixel(f, 500, 100), Grey());
    EXPECT_EQ(getpixel(f, 512 - 15, kH - 100 + 15), Grey());
    EXPECT_EQ(getpixel(f, 512 + 15, kH - 100 - 15), White());
}

TEST_F(PlayFrameTest, FreezeClockFillsTheTurnStillToRunClockwiseFromTwelve)
{
    WithoutText();
    play->levelPoints = -1;
    const int cx = kW / 2, cy = kH - 100;
    struct Case {
        int left;     // hundredths of the freeze left, with a turn of 100
        bool filled[4]; // upper right, lower right, lower left, upper left
    };
    const Case cases[] = {
        {25, {true, false, false, false}},
        {60, {true, true, false, false}},
        {80, {true, true, true, false}},
        {140, {true, true, false, false}}, // the second turn counts only what is left of it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.left);
        play->freezeUntil = kNow + c.left;
        BITMAP* f = Frame();
        const int dx[] = {20, 20, -20, -20}, dy[] = {-20, 20, 20, -20};
        for (int q = 0; q < 4; ++q)
            EXPECT_EQ(getpixel(f, cx + dx[q], cy + dy[q]), c.filled[q] ? White() : Grey()) << q;
        // A disc of radius 40 around (W/2, H - 100), the fixed hand pointing up.
        EXPECT_EQ(getpixel(f, cx, cy - 40), White());
        const int dxs[] = {0, 40, 0, -40}, dys[] = {-40, 0, 40, 0};
        for (int k = 0; k < 4; ++k) {
            const int x = cx + dxs[k], y = cy + dys[k];
            const int ox = x + (dxs[k] > 0) - (dxs[k] < 0), oy = y + (dys[k] > 0) - (dys[k] < 0);
            EXPECT_NE(getpixel(f, x, y), getpixel(Image("BG_IMG"), x, y)) << x << "," << y;
            EXPECT_EQ(getpixel(f, ox, oy), getpixel(Image("BG_IMG"), ox, oy)) << ox << "," << oy;
        }
    }
}

// The texts of the frame, each in its own font, colour and place.
class HudTextTest : public PlayFrameTest {
protected:
    BITMAP* f = nullptr;
    ALFONT_FONT *hg = nullptr, *lg = nullptr, *md = nullptr;
    void Draw(unsigned seed = 1)
    {
        f = Frame(seed);
        hg = Font("ANKLE_HG_TTF");
        lg = Font("ANKLE_LG_TTF");
        md = Font("ANKLE_MD_TTF");
    }
    // A message with its black shadow four pixels to the lower right.
    void ExpectMessage(int x, int y, int colour, const std::string& text)
    {
        const CTextPrint over(hg, x, y, text);
        EXPECT_TRUE(TextAt(f, hg, x, y, colour, text));
        EXPECT_TRUE(TextUnder(f, hg, x + 4, y + 4, 0, text, over));
    }
    const int red = makecol(200, 0, 0), grey = makecol(200, 200, 200);
    const int cx = kCornerW / 2, yb = kH - kCornerH;
};

TEST_F(HudTextTest, OnePlayerPanelsShowPointsTargetTitleStatisticsLevelAndScore)
{
    Draw();
    const struct {
        ALFONT_FONT* font;
        int x, y, colour;
        const char* text;
    } texts[] = {
        {lg, cx, 15, red, "Points"},         {lg, cx, 42, grey, "12"},
        {lg, cx, 69, red, "Needed"},         {lg, cx, 96, grey, "34"},
        {md, kW - cx, 15, grey, "Yolvar"},   {md, kW - cx, 34, grey, "Krandel"},
        {md, cx + 2, yb + 9, red, "Egg (+2)"}, {md, cx + 2, yb + 28, grey, "56"},
        {md, cx + 2, yb + 47, red, "Parasite (+1)"}, {md, cx + 2, yb + 66, grey, "78"},
        {lg, kW - cx, yb + 15, red, "Level"}, {lg, kW - cx, yb + 42, grey, "7"}, // level 27 is the 7th of its system
        {lg, kW - cx, yb + 69, red, "Score"}, {lg, kW - cx, yb + 96, grey, "345"},
    };
    for (const auto& t : texts)
        EXPECT_TRUE(TextAt(f, t.font, t.x, t.y, t.colour, t.text));
    EXPECT_TRUE(NoTextAt(f, md, cx + 2, yb + 9, grey, "Player 1"));
}

TEST_F(HudTextTest, TwoPlayersHaveAPanelEachInsteadOfTheTitle)
{
    play->numPlayers = 2;
    Draw();
    const struct {
        int x, y, colour;
        const char* text;
    } texts[] = {
        {kW - cx, 9, grey, "Player 2"},       {kW - cx, 28, grey, "Egg (+2)"}, {kW - cx, 47, red, "91"},
        {kW - cx, 66, grey, "Parasite (+1)"}, {kW - cx, 85, red, "23"},
        {cx + 2, yb + 9, grey, "Player 1"},   {cx + 2, yb + 28, grey, "Egg (+2)"}, {cx + 2, yb + 47, red, "56"},
        {cx + 2, yb + 66, grey, "Parasite (+1)"}, {cx + 2, yb + 85, red, "78"},
    };
    for (const auto& t : texts)
        EXPECT_TRUE(TextAt(f, md, t.x, t.y, t.colour, t.text));
    EXPECT_TRUE(TextAt(f, lg, cx, 42, grey, "12"));
}

TEST_F(HudTextTest, PausedShakesRightOrLeftFirstThenUpOrDown)
{
    play->pausedAt = kNow;
    for (unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
        std::srand(seed);
        const int dx = 4 - std::rand() % 8;
        const int dy = 4 - std::rand() % 8;
        Draw(seed);
        EXPECT_TRUE(TextAt(f, hg, kW / 2 + dx, kH / 2 + dy - 25, White(), "Paused")) << seed;
    }
}

TEST_F(HudTextTest, CountdownSaysReadyThenGoRisingAndFading)
{
    play->cvar_hSecBeforeLevelStartSayGo = 50;
    Place(0, 512, kH / 2 - 30); // the words lie over the puck
    play->levelStartAt = kNow + 70;
    Draw();
    ExpectMessage(kW / 2, kH / 2 - 50, makecol(255, 255, 0), "Ready?");
    EXPECT_TRUE(NoTextAt(f, hg, kW / 2, kH / 2, makecol(255, 255, 0), "Go!"));
    play->levelStartAt = kNow + 40; // 10 past the go moment: 60 pixels up, 50 darker
    Draw();
    ExpectMessage(kW / 2, kH / 2 - 50 - 60, makecol(205, 205, 0), "Ready?");
    ExpectMessage(kW / 2, kH / 2 - 60, makecol(205, 205, 0), "Go!");
}

TEST_F(HudTextTest, LevelEndSaysMissionSuccessOrRetryMissionUntilItsTime)
{
    struct Case {
        int points, endAt;
        const char *upper, *lower;
        int colour;
    };
    const Case cases[] = {
        {34, kNow + 50, "Mission", "Success!", makecol(0, 255, 0)},
        {40, kNow + 1, "Mission", "Success!", makecol(0, 255, 0)},
        {33, kNow + 50, "Retry", "Mission", makecol(255, 0, 0)},
        {-1, kNow + 50, "Retry", "Mission", makecol(255, 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.points);
        play->levelPoints = c.points;
        play->levelEndAt = c.endAt;
        Draw();
        ExpectMessage(kW / 2, kH / 2 - 50, c.colour, c.upper);
        ExpectMessage(kW / 2, kH / 2, c.colour, c.lower);
    }
    play->levelPoints = 34;
    play->levelEndAt = kNow; // its time has come
    Draw();
    EXPECT_TRUE(NoTextAt(f, hg, kW / 2, kH / 2, makecol(0, 255, 0), "Success!"));
}

TEST_F(HudTextTest, FreezeClockCountsTheTurnsStillToCome)
{
    for (auto [left, text] : {std::pair{150, "2x"}, std::pair{399, "4x"}, std::pair{100, "2x"}}) {
        play->freezeUntil = kNow + left;
        Draw();
        EXPECT_TRUE(TextAt(f, hg, kW / 2 - 45, kH - 125, White(), text, EAlign::kRight)) << left;
    }
    play->freezeUntil = kNow + 99;
    Draw();
    EXPECT_TRUE(NoTextAt(f, hg, kW / 2 - 45, kH - 125, White(), "1x", EAlign::kRight));
}

} // namespace
