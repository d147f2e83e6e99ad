#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "PlayFixture.h"
#include "app/Display.h"
#include "assets/Asset.h"
#include "frontend/StateIntro.h"
#include "input/Controls.h"
#include "testkit/ModalGuard.h"
#include "support/PadBench.h"
#include "support/SceneArt.h"
#include "support/TextProbe.h"

namespace {

class EndTest : public PlayTest {
protected:
    void SetUp() override
    {
        PlayTest::SetUp();
        LeaveScreensWithEscape();
    }
    // A completion screen nobody expects is closed again with the right
    // button, which play ignores, so that the test fails on what it checks
    // rather than hanging.
    void LeaveScreensWithEscape()
    {
        auto passes = std::make_shared<int>(0);
        g_modalPassHook = Guarded([passes] { mouse_b = ++*passes % 2 == 1 ? 2 : 0; });
    }
    void Start(int level, int mode = kModeNormal, const std::string& extra = "", int players = 1)
    {
        Level("play-" + std::to_string(level), extra);
        ASSERT_EQ(run->StartLevel(level, players, mode), 0);
    }
    // Runs ticks until the level number changes or the limit is reached.
    void RunUntilLevelChanges(int limit = 400)
    {
        const int start = play->level;
        for (int i = 0; i < limit && play->level == start; ++i)
            run->Tick();
    }
    // One update at exactly this moment of the clock.
    void UpdateAt(int32_t now)
    {
        CTickTimer::SetNow(now);
        play->Update(run->app);
    }
    static void PutEgg(CStatePlay& p, int x, int y)
    {
        auto egg = std::make_unique<CEgg>();
        egg->Init(50000, 50001, x, x, y, y, kPupPlainEgg, 0);
        p.eggs.push_back(std::move(egg));
    }
};

TEST_F(EndTest, ExactTargetWinsWithMarginOneAndMovesOn)
{
    Start(3);
    Level("play-4", "");
    play->levelPoints = 4; // the target
    run->Tick();
    EXPECT_NE(play->levelEndAt, 0);
    play->levelPoints = 4;
    RunUntilLevelChanges();
    EXPECT_EQ(play->level, 4);
    EXPECT_EQ(play->runTotal, 1);
    EXPECT_EQ(play->bestScores[2], 1);
}

TEST_F(EndTest, LevelIsOverOnceEverythingIsGoneOrItsPointsAreBelowZero)
{
    struct Case {
        const char* name;
        bool egg, alien, boss;
        int points;
        bool over;
    };
    const Case cases[] = {
        {"all gone", false, false, false, 0, true},
        {"an egg left", true, false, false, 9, false},
        {"a parasite left", false, true, false, 9, false},
        {"the boss alive", false, false, true, 9, false},
        {"everything left but lost", true, true, true, -1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Start(3);
        if (c.egg)
            PutEgg(*play, 200, 200);
        if (c.alien) {
            auto alien = std::make_unique<CAlien>();
            alien->Birth(300, 250, 100, 0);
            play->aliens.push_back(std::move(alien));
        }
        if (c.boss) {
            play->boss.Init(700, 250, kBossEggLayer);
            play->boss.health = 50;
        }
        play->levelPoints = c.points;
        run->Tick();
        EXPECT_EQ(play->levelEndAt != 0, c.over);
    }
}

TEST_F(EndTest, WinningClearsTheToysAndWaitsTheDelayFallingShortWaitsTwiceWithTheRetryTrack)
{
    struct Case {
        int points;
        int delay; // hundredths
        bool toysLeft, retryTrack;
    };
    for (const Case& c : {Case{4, 100, false, false}, Case{11, 100, false, false}, Case{3, 200, true, true},
                          Case{0, 200, true, true}}) {
        SCOPED_TRACE(c.points);
        Start(3);
        auto toy = std::make_unique<CToy>();
        toy->Init(200, 200, 200, 200, kToyDust);
        play->toys.push_back(std::move(toy));
        const int trackBefore = g_audio.currentTrack;
        play->levelPoints = c.points;
        run->Tick();
        EXPECT_EQ(play->levelEndAt, CTickTimer::Now() + c.delay);
        EXPECT_EQ(play->toys.empty(), !c.toysLeft);
        EXPECT_EQ(g_audio.currentTrack, c.retryTrack ? 10 : trackBefore);
        EXPECT_EQ(play->level, 3);
    }
}

TEST_F(EndTest, LevelMovesOnOnlyOnceItsDelayHasPassedAndByThePointsItHasThen)
{
    struct Case {
        int pointsAtEnd, pointsWhenTimeIsUp;
        int level, runTotal;
    };
    const Case cases[] = {
        {4, 4, 4, 1},
        {6, 3, 3, 0}, // won, then fell short before the time was up: retried
        {2, 9, 4, 5}, // short, then reached the target meanwhile: won
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pointsAtEnd << " then " << c.pointsWhenTimeIsUp);
        Start(3);
        Level("play-4", "");
        play->bestScores[2] = 0;
        play->levelPoints = c.pointsAtEnd;
        run->Tick();
        const int32_t end = play->levelEndAt;
        ASSERT_NE(end, 0);
        play->levelPoints = c.pointsWhenTimeIsUp;
        UpdateAt(end); // not yet: the time must have passed
        EXPECT_EQ(play->levelEndAt, end);
        EXPECT_EQ(play->level, 3);
        EXPECT_EQ(play->levelPoints, c.pointsWhenTimeIsUp);
        UpdateAt(end + 1);
        EXPECT_EQ(play->level, c.level);
        EXPECT_EQ(play->levelEndAt, 0);
        EXPECT_EQ(play->levelPoints, 0); // set up afresh, whether next or retried
        EXPECT_EQ(play->runTotal, c.runTotal);
        EXPECT_EQ(play->bestScores[2], c.runTotal);
    }
}

TEST_F(EndTest, MarginsAddUpOverTheRunAndBestScoresOnlyRise)
{
    struct Case {
        int points, bestBefore, runBefore;
        int best, run;
    };
    const Case cases[] = {
        {4, 0, 0, 1, 1},   // exactly the target counts as 1
        {5, 0, 0, 1, 1},
        {9, 0, 10, 5, 15}, // the run total carries over into the next level
        {9, 7, 0, 7, 5},
        {9, 3, 2, 5, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.points);
        Start(3);
        Level("play-4", "");
        play->bestScores[2] = c.bestBefore;
        play->runTotal = c.runBefore;
        play->levelPoints = c.points;
        RunUntilLevelChanges();
        EXPECT_EQ(play->level, 4);
        EXPECT_EQ(play->bestScores[2], c.best);
        EXPECT_EQ(play->runTotal, c.run);
    }
}

TEST_F(EndTest, ShortOfPointsRetriesAfterTwiceTheDelayWithTheRetryTrack)
{
    Start(3);
    play->levelPoints = 1;
    run->Tick();
    const int now = CTickTimer::Now();
    EXPECT_EQ(play->levelEndAt, now + 200);
    EXPECT_EQ(g_audio.currentTrack, 10);
    for (int i = 0; i < 80 && play->levelEndAt != 0; ++i)
        run->Tick();
    EXPECT_EQ(play->level, 3);
    EXPECT_EQ(play->levelPoints, 0); // set up again
    EXPECT_EQ(play->bestScores[2], 0);
}

TEST_F(EndTest, ALostLevelCrashesOnceHidesEveryPuckAndIsRetried)
{
    Start(3, kModeNormal, "", 2);
    play->levelPoints = -5;
    const float fx = play->playerFX[1], fy = play->playerFY[1];
    run->Tick();
    const int now = CTickTimer::Now();
    EXPECT_TRUE(Sounded("CRASH_SFX"));
    EXPECT_EQ(play->flashUntil[0], now + 50);
    EXPECT_EQ(play->flashUntil[1], 0);
    EXPECT_EQ(play->levelEndAt, now + 200);
    EXPECT_EQ(g_audio.currentTrack, 10);
    for (int p = 0; p < 2; ++p) {
        EXPECT_EQ(play->playerX[p], -500) << p;
        EXPECT_EQ(play->playerY[p], -500) << p;
    }
    EXPECT_EQ(play->playerFX[1], fx); // only the shown positions move away
    EXPECT_EQ(play->playerFY[1], fy);
    // Later ticks keep the pucks away but neither crash nor flash again.
    g_audio.pendingSounds.clear();
    run->Tick();
    EXPECT_FALSE(Sounded("CRASH_SFX"));
    EXPECT_EQ(play->flashUntil[0], now + 50);
    EXPECT_EQ(play->playerX[1], -500);
    EXPECT_EQ(play->playerY[0], -500);
    for (int i = 0; i < 80 && play->levelEndAt != 0; ++i)
        run->Tick();
    EXPECT_EQ(play->level, 3);
    EXPECT_EQ(play->levelPoints, 0);
    EXPECT_NE(play->playerX[0], -500);
    EXPECT_EQ(play->bestScores[2], 0);
}

TEST_F(EndTest, OnlyNormalModeRecordsBestScores)
{
    for (int mode : {kModeRandomMissions, kModeLaserZap, kModeCrossfire}) {
        Level("play-1r", "");
        Start(3, mode);
        Level("play-4", "");
        Level("play-1r", "");
        play->levelPoints = 9;
        RunUntilLevelChanges();
        EXPECT_EQ(play->bestScores[2], 0) << mode;
    }
}

TEST_F(EndTest, LevelsWithinASystemMoveOnToTheNext)
{
    for (int level : {1, 9, 11, 19, 21, 29, 31, 34}) {
        SCOPED_TRACE(level);
        Start(level);
        Level("play-" + std::to_string(level + 1), "");
        int passes = 0;
        g_modalPassHook = Guarded([&] { mouse_b = ++passes % 2 == 1 ? 2 : 0; });
        play->levelPoints = 6;
        RunUntilLevelChanges();
        EXPECT_EQ(play->level, level + 1);
        EXPECT_EQ(play->bestScores[level - 1], 2);
        EXPECT_EQ(passes, 0); // no completion screen
        EXPECT_EQ(run->app.Current(), nullptr);
        LeaveScreensWithEscape();
    }
}

TEST_F(EndTest, LastLevelCompletesItsSystemIntoItsOwnSlotInNormalModeOnly)
{
    struct Case {
        int level, mode;
        int marker, slot;
        int slotBefore, slotAfter; // the run total at completion is 25
    };
    const Case cases[] = {
        {10, kModeNormal, -1, 35, 0, 25},
        {20, kModeNormal, -2, 38, 30, 30},
        {30, kModeNormal, -3, 36, 24, 25},
        {35, kModeNormal, -4, 37, 0, 25},
        {10, kModeRandomMissions, -1, 35, 0, 0},
        {35, kModeCrossfire, -4, 37, 0, 0},
        {20, kModeLaserZap, -2, 38, 3, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "level " << c.level << ", mode " << c.mode);
        run.reset(); // a fresh application, with no state yet
        run = std::make_unique<CHeadlessPlay>(*play);
        for (int system = 1; system <= 4; ++system) // random missions play these
            Level("play-" + std::to_string(system) + "r", "");
        Start(c.level, c.mode);
        for (int& s : play->bestScores)
            s = 0;
        play->bestScores[c.slot] = c.slotBefore;
        play->runTotal = 20;
        std::vector<int> shown; // the level while the screen is up
        g_modalPassHook = Guarded([&] {
            shown.push_back(play->level);
            CHeadlessPlay::SetKey(KEY_SPACE, shown.size() % 2 == 0);
        });
        play->levelPoints = 9;
        for (int i = 0; i < 200 && play->level == c.level; ++i)
            run->Tick();
        LeaveScreensWithEscape();
        CHeadlessPlay::ReleaseAllKeys();
        EXPECT_EQ(shown, std::vector<int>(3, c.marker));
        for (int s = 0; s < kBestScoreSlots; ++s) {
            const int want = s == c.slot ? c.slotAfter : (s == c.level - 1 && c.mode == kModeNormal) ? 5 : 0;
            EXPECT_EQ(play->bestScores[s], want) << "slot " << s;
        }
        EXPECT_EQ(play->level, -1);
        EXPECT_EQ(play->runTotal, 0);
        EXPECT_EQ(run->app.Current(), CStateIntro::Instance());
        EXPECT_NE(ReadFile("score.yk").find(std::to_string(c.slot) + " = " + std::to_string(c.slotAfter)),
                  std::string::npos);
    }
}

TEST_F(EndTest, AMissingNextLevelEndsTheRunAndRecordsNothingMore)
{
    Start(5); // there is no play-6
    play->runTotal = 40;
    play->levelPoints = 7;
    int passes = 0;
    g_modalPassHook = Guarded([&] { mouse_b = ++passes % 2 == 1 ? 2 : 0; });
    RunUntilLevelChanges();
    EXPECT_EQ(play->level, -1);
    EXPECT_EQ(passes, 0);
    EXPECT_EQ(play->bestScores[4], 3); // the level itself was won
    for (int slot = 35; slot < kBestScoreSlots; ++slot)
        EXPECT_EQ(play->bestScores[slot], 0) << slot;
    EXPECT_EQ(play->runTotal, 0);
    EXPECT_EQ(run->app.Current(), CStateIntro::Instance());
    EXPECT_NE(ReadFile("score.yk").find("4 = 3"), std::string::npos);
}

// A wave's eggs, one after another, each from three draws: x, y and life.
TEST_F(EndTest, WavesGrowAndKeepTheirLifeFloors)
{
    struct Case {
        int wave, minLife, maxLife;
    };
    const Case cases[] = {
        {1, 196, 783}, {10, 160, 630}, {44, 24, 52}, {45, 20, 50},
        {47, 12, 50},  {48, 10, 50},   {200, 10, 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wave);
        Start(1, kModeWaves);
        play->level = c.wave - 1; // the wave about to start is c.wave
        play->eggs.clear();
        play->levelPoints = 0; // short of the target, which waves do not wait for
        const unsigned seed = 100 + c.wave;
        std::srand(seed);
        run->Tick();
        const int now = CTickTimer::Now();
        EXPECT_EQ(play->level, c.wave);
        EXPECT_EQ(play->levelEndAt, 0);
        ASSERT_EQ(static_cast<int>(play->eggs.size()), 2 * c.wave);
        std::srand(seed);
        std::vector<int> draws(4000 + 6 * c.wave);
        for (int& d : draws)
            d = std::rand();
        const int w = play->arenaRight - play->arenaLeft, h = play->arenaBottom - play->arenaTop;
        auto drawnFrom = [&](size_t first) {
            for (size_t i = 0; i < play->eggs.size(); ++i) {
                const CEgg& egg = *play->eggs[i];
                const size_t d = first + 3 * i;
                if (egg.x != play->arenaLeft + draws[d] % w || egg.y != play->arenaTop + draws[d + 1] % h ||
                    egg.time - now != c.minLife + draws[d + 2] % (c.maxLife - c.minLife) || egg.kind != 0 ||
                    egg.goDirection != 0)
                    return false;
            }
            return true;
        };
        bool found = false;
        for (size_t first = 0; first + 6 * c.wave < draws.size() && !found; ++first)
            found = drawnFrom(first);
        EXPECT_TRUE(found) << "no run of draws gives these eggs";
    }
}

TEST_F(EndTest, ALostWaveEndsLikeALostLevel)
{
    Start(1, kModeWaves);
    play->level = 6;
    play->levelPoints = -1;
    run->Tick();
    EXPECT_EQ(play->level, 6);
    EXPECT_TRUE(play->eggs.empty());
    EXPECT_NE(play->levelEndAt, 0);
    EXPECT_TRUE(Sounded("CRASH_SFX"));
}

// The congratulation screen run on its own.
class CompletionScreenTest : public EndTest {
protected:
    void SetUp() override
    {
        EndTest::SetUp();
        WriteSceneArt(dir);
        run->LoadAssets();
        CHeadlessPlay::ReleaseAllKeys();
    }
    void TearDown() override
    {
        g_bitmaps.ReleaseAll();
        g_sounds.ReleaseAll();
        g_fonts.ReleaseAll();
        EndTest::TearDown();
    }
    CTextModeTransparent transparentText;
};

TEST_F(CompletionScreenTest, ClosesOnANewPressOfTheRightButtonSpaceEnterOrEscape)
{
    enum EInput { kRightButton, kLeftButton, kSpace, kEnter, kEsc, kLetter, kSpaceHeldBefore };
    struct Case {
        EInput input;
        bool closes;
    };
    const Case cases[] = {{kRightButton, true}, {kSpace, true},   {kEnter, true},           {kEsc, true},
                          {kLeftButton, false}, {kLetter, false}, {kSpaceHeldBefore, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        play->level = -2;
        CHeadlessPlay::ReleaseAllKeys();
        g_controls.Poll();
        if (c.input == kSpaceHeldBefore) { // down since before the screen opened
            CHeadlessPlay::SetKey(KEY_SPACE, true);
            g_controls.Poll();
        }
        int passes = 0;
        g_modalPassHook = Guarded([&] {
            ++passes;
            if (passes == 2) { // pressed for the third pass
                switch (c.input) {
                case kRightButton: mouse_b = 2; break;
                case kLeftButton: mouse_b = 1; break;
                case kSpace: CHeadlessPlay::SetKey(KEY_SPACE, true); break;
                case kEnter: CHeadlessPlay::SetKey(KEY_ENTER, true); break;
                case kEsc: CHeadlessPlay::SetKey(KEY_ESC, true); break;
                case kLetter: CHeadlessPlay::SetKey(KEY_A, true); break;
                case kSpaceHeldBefore: break;
                }
                g_timer.pendingTicks = 5; // ticks owed while the screen was up
            }
            if (passes >= 6) { // the way out when the input did not close it
                CHeadlessPlay::SetKey(KEY_ENTER, passes % 2 == 0);
                if (passes % 2 == 0)
                    g_timer.pendingTicks = 5;
            }
        });
        play->DrawCompletionScreen();
        LeaveScreensWithEscape();
        EXPECT_EQ(passes, c.closes ? 3 : 7);
        EXPECT_EQ(g_timer.pendingTicks, 0); // the time on the screen is not caught up
    }
}

// Any of a pad's A, B, Start and Back dismisses it, newly pressed; Y and
// a direction do not, nor a button held from before.
TEST_F(CompletionScreenTest, APadsAOrBOrStartOrBackDismissesIt)
{
    SPadBench bench;
    bench.Start();
    CVirtualPad& pad = bench.pads[0];
    ASSERT_TRUE(pad.Attach());
    struct Case {
        EPadInput input;
        bool heldBefore, closes;
    };
    const Case cases[] = {{kPadA, false, true},     {kPadB, false, true},  {kPadStart, false, true},
                          {kPadBack, false, true},  {kPadY, false, false}, {kPadDown, false, false},
                          {kPadStart, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.input << (c.heldBefore ? " held before" : ""));
        play->level = -2;
        CHeadlessPlay::ReleaseAllKeys();
        for (int i = 0; i < kPadInputs; ++i)
            pad.Press(EPadInput(i), false);
        g_controls.Poll();
        if (c.heldBefore) {
            pad.Press(c.input, true);
            g_controls.Poll();
        }
        int passes = 0;
        g_modalPassHook = Guarded([&] {
            ++passes;
            if (passes == 2)
                pad.Press(c.input, true); // pressed for the third pass
            if (passes >= 6)
                CHeadlessPlay::SetKey(KEY_ENTER, passes % 2 == 0); // the way out
        });
        play->DrawCompletionScreen();
        pad.Press(c.input, false);
        LeaveScreensWithEscape();
        EXPECT_EQ(passes, c.closes ? 3 : 7);
    }
}

TEST_F(CompletionScreenTest, CloseButtonDismissesItLikeAKey)
{
    play->level = -1;
    CHeadlessPlay::ReleaseAllKeys();
    SCloseButton closeButton;
    int passes = 0;
    g_modalPassHook = Guarded([&] {
        if (++passes == 2) { // pressed for the third pass
            closeButton.Press();
            g_timer.pendingTicks = 5;
        }
    });
    play->DrawCompletionScreen();
    LeaveScreensWithEscape();
    EXPECT_EQ(passes, 3);
    EXPECT_EQ(g_timer.pendingTicks, 0);
}

TEST_F(CompletionScreenTest, DropsQueuedSoundsAndPlaysTrackZero)
{
    int played = 0;
    g_audio.hooks.find = [](const std::string&) { return reinterpret_cast<SAMPLE*>(&g_audio); };
    g_audio.hooks.play = [&](SAMPLE*, int, int, int) { ++played; };
    g_audio.currentTrack = 4;
    g_audio.PlaySound("HATCH_SFX");
    int trackShown = -1;
    g_modalPassHook = Guarded([&] {
        trackShown = g_audio.currentTrack;
        CHeadlessPlay::SetKey(KEY_SPACE, !key[KEY_SPACE]);
    });
    play->level = -1;
    play->DrawCompletionScreen();
    EXPECT_EQ(played, 0);
    EXPECT_EQ(trackShown, 0);
}

TEST_F(CompletionScreenTest, EachSystemHasItsLinesInAColourThatSweepsAndABlockThatBobs)
{
    struct Text {
        int index;
        const char* text;
    };
    const std::vector<Text> screens[4] = {
        {{0, "Circulatory System Complete!"},
         {2, "Great job! You have cleared the"},
         {3, "circulatory system of all alien"},
         {4, "parasites! Unfortunately, the"},
         {5, "patient is still in danger, so"},
         {6, "please continue to purge him"},
         {7, "of his microscopic invaders."},
         {9, "UNLOCKED: RANDOM MISSIONS"}},
        {{0, "Digestive System Complete!"},
         {2, "Nice work! All of the parasites"},
         {3, "in the patient's digestive system"},
         {4, "have been eliminated!  However,"},
         {5, "you must continue to destroy"},
         {6, "these creatures if he is to be"},
         {7, "saved, so please move on to the"},
         {8, "next system and take out the threat!"},
         {10, "UNLOCKED: LASER-ZAP MODE"}},
        {{0, "Respiratory System Complete!"},
         {2, "Well done! The respiratory system"},
         {3, "has been cleared of Martians. You're"},
         {4, "well on your way to saving the infected"},
         {5, "astronaut! In order to dissuade the"},
         {6, "threat to Earth, however, you must"},
         {7, "remove all of the parasites."},
         {8, "Keep it up, you're almost there!"},
         {10, "UNLOCKED: CROSSFIRE MODE"}},
        {{0, "Nervous System Complete!"},
         {2, "Amazing! You have completely"},
         {3, "removed the alien threat to Earth,"},
         {4, "and saved the astronauts life as well!"},
         {5, "Congratulations, and thanks for playing!"},
         {7, "UNLOCKED: WAVES MODE"}},
    };
    struct Moment {
        int now;
        int green, blue, top;
    };
    const Moment moments[] = {
        {0, 254, 254, 129}, {16, 238, 250, 125}, {64, 190, 238, 129}, {127, 127, 223, 128}, {300, 210, 179, 126},
    };
    ALFONT_FONT* font = g_fonts.Get("ANKLE_LG_TTF");
    BITMAP* bg = g_bitmaps.Get("BG_IMG");
    ASSERT_NE(font, nullptr);
    ASSERT_NE(bg, nullptr);
    // What reaches the screen: the frame in which the screen closes is shown too.
    BITMAP* bb = create_bitmap(kScreenW, kScreenH);
    g_display.SetPresentTarget(bb);
    for (int marker = -1; marker >= -4; --marker) {
        for (const Moment& m : moments) {
            SCOPED_TRACE(testing::Message() << "marker " << marker << ", now " << m.now);
            play->level = marker;
            CTickTimer::SetNow(m.now);
            clear_to_color(bb, makecol(0, 0, 255));
            CHeadlessPlay::ReleaseAllKeys();
            g_controls.Poll();
            CHeadlessPlay::SetKey(KEY_ESC, true); // closes after the first pass, which is still drawn
            int passes = 0;
            g_modalPassHook = Guarded([&] {
                ++passes;
                CHeadlessPlay::SetKey(KEY_ESC, passes % 2 == 0); // a way out should the first press fail
                const int colour = makecol(255, m.green, m.blue);
                for (const Text& t : screens[-marker - 1])
                    EXPECT_TRUE(TextAt(bb, font, kScreenW / 2, m.top + 35 * t.index, colour, t.text));
                for (auto [x, y] : {std::pair{3, 3}, std::pair{1020, 760}, std::pair{40, 700}})
                    EXPECT_EQ(getpixel(bb, x, y), getpixel(bg, x, y)) << x << "," << y;
            });
            play->DrawCompletionScreen();
            LeaveScreensWithEscape();
            EXPECT_EQ(passes, 1);
        }
    }
    g_display.SetPresentTarget(nullptr);
    destroy_bitmap(bb);
}

} // namespace
