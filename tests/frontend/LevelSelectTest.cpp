#include <allegro.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "app/Display.h"
#include "app/TickTimer.h"
#include "audio/Audio.h"
#include "frontend/LevelSelect.h"
#include "input/Controls.h"
#include "play/ModalLoop.h"
#include "play/StatePlay.h"
#include "support/TempDir.h"

namespace {

constexpr int kBarHeight = 80;

// The level-select loop driven pass by pass: the test writes key[], mouse_b
// and the mouse position the way the drivers would, then runs a pass.
class LevelSelectTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        g_display.backBuffer = create_bitmap(kScreenW, kScreenH);
        clear_to_color(g_display.backBuffer, 0); // new bitmaps hold whatever memory held
        target = create_bitmap(kScreenW, kScreenH);
        g_display.SetPresentTarget(target);
        ReleaseAll();
        savedAudio = g_audio;
        optionsHintDone = 0;
        CTickTimer::SetNow(1000);
        bar = Filled(kScreenW, kBarHeight, makecol(0, 0, 200));
        rectfill(bar, 0, kBarHeight / 2, kScreenW, kBarHeight, makecol(0, 0, 100)); // lower half darker
        picture = Filled(kScreenW, kScreenH, makecol(10, 10, 10));
        glow = Filled(kScreenW, kScreenH, makecol(250, 250, 250));
        help = Filled(kScreenW, kScreenH, makecol(0, 200, 0));
        modeNo = Filled(40, 60, makecol(200, 0, 0));
        modeYes = Filled(40, 60, makecol(0, 200, 0));
        modeHere = Filled(40, 60, makecol(0, 0, 200));
        NewMenu();
    }
    void TearDown() override
    {
        ReleaseAll();
        g_controls = CControls();
        g_audio = savedAudio;
        g_display.SetCursorVisible(false);
        g_display.SetPresentTarget(nullptr);
        menu.reset();
        for (BITMAP* b : bitmaps)
            destroy_bitmap(b);
        destroy_bitmap(g_display.backBuffer);
        g_display.backBuffer = nullptr;
        destroy_bitmap(target);
        TempDirTest::TearDown();
    }

    BITMAP* Filled(int w, int h, int colour)
    {
        BITMAP* b = create_bitmap(w, h);
        clear_to_color(b, colour);
        bitmaps.push_back(b);
        return b;
    }
    // A fresh play object and menu, opened with the given system scores.
    void NewMenu(std::vector<int> systemSlots = {}, int gameMode = 0)
    {
        g_controls = CControls(); // no input history from an earlier case
        g_controls.useKeyboard = 1;
        g_controls.useMouse = 1;
        play = std::make_unique<CStatePlay>();
        play->numPlayers = 1;
        play->gameMode = gameMode;
        for (int slot : systemSlots)
            play->bestScores[slot] = 100;
        menu = std::make_unique<CLevelSelect>(*play);
        menu->art.bar = bar;
        menu->art.picture = picture;
        menu->art.glow = glow;
        menu->art.help = help;
        menu->art.modeLocked = modeNo;
        menu->art.modeChosen = modeYes;
        menu->art.modeFree = modeHere;
        menu->Open();
    }
    static void ReleaseAll()
    {
        for (int i = 0; i < KEY_MAX; ++i)
            key[i] = 0;
        mouse_b = 0;
    }
    static void PointAt(int x, int y)
    {
        mouse_x = x;
        mouse_y = y;
    }
    void Passes(int n)
    {
        for (int i = 0; i < n; ++i)
            ASSERT_TRUE(menu->Pass());
    }
    // Points at the top strip until the bar is fully open.
    void OpenBar()
    {
        PointAt(300, 5);
        for (int i = 0; i < 100 && !menu->BarOpen(); ++i)
            menu->Pass();
        ASSERT_TRUE(menu->BarOpen());
    }
    int Pixel(int x, int y) const { return getpixel(g_display.backBuffer, x, y); }

    std::unique_ptr<CStatePlay> play;
    std::unique_ptr<CLevelSelect> menu;
    BITMAP* target = nullptr;
    BITMAP *bar = nullptr, *picture = nullptr, *glow = nullptr, *help = nullptr;
    BITMAP *modeNo = nullptr, *modeYes = nullptr, *modeHere = nullptr;
    std::vector<BITMAP*> bitmaps;
    CAudio savedAudio;
};

TEST_F(LevelSelectTest, OpeningUnlocksModesFromSystemScoresAndFallsBackToNormal)
{
    struct Case {
        std::vector<int> systemSlots;
        int gameMode;
        std::vector<int> unlocked;
        int modeAfter;
    };
    const Case cases[] = {
        {{}, 3, {1, 0, 0, 0, 0}, 0},
        {{35}, 1, {1, 1, 0, 0, 0}, 1},
        {{38, 36}, 2, {1, 0, 1, 1, 0}, 2},
        {{37}, 4, {1, 0, 0, 0, 1}, 4},
        {{35, 36, 37, 38}, 7, {1, 1, 1, 1, 1}, 0},
        {{35, 36, 37, 38}, -1, {1, 1, 1, 1, 1}, 0},
    };
    for (const Case& c : cases) {
        NewMenu(c.systemSlots, c.gameMode);
        EXPECT_EQ(std::vector<int>(play->modeUnlocked, play->modeUnlocked + 5), c.unlocked);
        EXPECT_EQ(play->gameMode, c.modeAfter);
        EXPECT_EQ(play->numPlayers, 1);
        EXPECT_EQ(menu->panelHeight, kBarHeight);
    }
}

TEST_F(LevelSelectTest, PointerStripsPickTheQuadrantAndItsFirstLevel)
{
    enum How { kClick, kEnter, kSpace };
    struct Case {
        int x, y;
        bool lowerLeftOpen;
        How how;
        int row, column;
        int chosenLevel; // 0: nothing highlighted, nothing chosen
    };
    const Case cases[] = {
        {100, 300, false, kClick, 0, 0, 1},
        {800, 300, false, kEnter, 0, 1, 21},
        {800, 600, false, kSpace, 1, 1, 11},
        {100, 600, true, kClick, 1, 0, 31},
        {100, 600, false, kClick, 1, 0, 0},  // locked: never highlighted or chosen
        {100, 10, false, kClick, -1, 0, 1},  // the top strip counts as the upper half
        {1000, 19, false, kEnter, -1, 1, 21},
        {100, 20, false, kClick, 0, 0, 1},
        {100, 383, false, kClick, 0, 0, 1},
        {900, 384, false, kClick, 1, 1, 11},
        {461, 300, false, kClick, 0, 0, 1},
        {462, 300, false, kClick, 0, -1, 0}, // within 50 pixels of the centre line
        {562, 600, false, kEnter, 1, -1, 0},
        {563, 600, false, kClick, 1, 1, 11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        NewMenu(c.lowerLeftOpen ? std::vector<int>{35, 36, 38} : std::vector<int>{});
        play->level = 99;
        PointAt(c.x, c.y);
        mouse_b = c.how == kClick;
        key[KEY_ENTER] = c.how == kEnter;
        key[KEY_SPACE] = c.how == kSpace;
        ASSERT_TRUE(menu->Pass());
        EXPECT_EQ(menu->pointerRow, c.row);
        EXPECT_EQ(menu->pointerColumn, c.column);
        EXPECT_EQ(menu->startChosen, c.chosenLevel != 0);
        EXPECT_EQ(play->level, c.chosenLevel ? c.chosenLevel : 99);
        // The pointed quadrant shows its highlighted picture, the others stay plain.
        const int qx = c.x < kScreenW / 2 ? 200 : 800, qy = (c.row == 1) ? 600 : 300;
        EXPECT_EQ(Pixel(qx, qy), c.chosenLevel ? makecol(250, 250, 250) : makecol(10, 10, 10));
        EXPECT_EQ(Pixel(kScreenW - qx, kScreenH - qy), makecol(10, 10, 10));
        ReleaseAll();
        // The loop ends at the next pass, before the bar has moved.
        EXPECT_EQ(menu->Pass(), c.chosenLevel == 0);
        EXPECT_EQ(menu->panelOffset, c.chosenLevel ? 0 : menu->panelOffset);
    }
}

TEST_F(LevelSelectTest, BarSlidesFivePixelsAPassAndClosingHidesTheHintForGood)
{
    PointAt(300, 5);
    Passes(1); // the pointer is seen in the top strip
    std::vector<int> offsets;
    for (int i = 0; i < 3; ++i) {
        Passes(1);
        offsets.push_back(menu->panelOffset);
    }
    EXPECT_EQ(offsets, (std::vector<int>{5, 10, 15}));
    // The bar's bottom rows slide in at the top of the screen.
    EXPECT_EQ(Pixel(10, 0), makecol(0, 0, 100));
    EXPECT_EQ(Pixel(1000, 16), makecol(10, 10, 10));
    PointAt(300, 600); // the pointer is ignored while the bar moves
    Passes(12);
    EXPECT_EQ(menu->panelOffset, kBarHeight - 5);
    EXPECT_EQ(menu->pointerRow, -1);
    Passes(1); // fully open, with the pointer already below it
    EXPECT_EQ(menu->panelOffset, kBarHeight);
    EXPECT_EQ(menu->pointerRow, 0);
    EXPECT_EQ(optionsHintDone, 0);
    Passes(1);
    EXPECT_EQ(menu->panelOffset, kBarHeight - 5);
    EXPECT_EQ(optionsHintDone, 1);
    PointAt(300, 5);
    Passes(14);
    EXPECT_EQ(menu->panelOffset, 5);
    EXPECT_EQ(menu->pointerRow, 0);
    Passes(1); // closed: the pointer counts again
    EXPECT_EQ(menu->panelOffset, 0);
    EXPECT_EQ(menu->pointerRow, -1);
    Passes(1);
    EXPECT_EQ(menu->panelOffset, 5);
    EXPECT_EQ(optionsHintDone, 1);
}

TEST_F(LevelSelectTest, OpenBarActsOnlyWhileTheButtonIsHeld)
{
    OpenBar();
    g_audio.soundVolume = 100;
    PointAt(670, 25);
    mouse_b = 1;
    Passes(1); // just pressed: the open bar asks for held
    EXPECT_EQ(g_audio.soundVolume, 100);
    Passes(1);
    EXPECT_EQ(g_audio.soundVolume, 128);
    // Choosing a quadrant does not work from the open bar.
    EXPECT_EQ(menu->startChosen, 0);
}

TEST_F(LevelSelectTest, VolumeFollowsThePointerAndSnapsNearTheEnds)
{
    struct Case {
        int x, y;
        int sound, music; // after, starting from 100 and 150
    };
    const Case cases[] = {
        {670, 25, 128, 150},
        {635, 18, 0, 150},    // 21 snaps to 0
        {704, 38, 255, 150},  // 231 snaps to 255
        {711, 45, 100, 255},  // 252
        {650, 65, 100, 67},
        {650, 66, 100, 150},  // between the scales: neither moves
        {628, 25, 100, 150},  // the scale starts after 628
        {712, 25, 100, 150},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        g_audio.soundVolume = 100;
        g_audio.musicVolume = 150;
        menu->HoldOnBar(c.x, c.y);
        EXPECT_EQ(g_audio.soundVolume, c.sound);
        EXPECT_EQ(g_audio.musicVolume, c.music);
    }
    // Either scale snaps both volumes.
    g_audio.soundVolume = 20;
    g_audio.musicVolume = 230;
    menu->HoldOnBar(670, 40);
    EXPECT_EQ(g_audio.soundVolume, 0);
    EXPECT_EQ(g_audio.musicVolume, 255);
}

TEST_F(LevelSelectTest, ModeRowsAreTwelvePixelsAndLockedRowsIgnoreClicks)
{
    NewMenu({35, 37}); // modes 0, 1 and 4 unlocked
    struct Case {
        int x, y, mode;
    };
    const Case cases[] = {
        {800, 1, 0},  {800, 23, 0}, {800, 24, 1}, {800, 36, 1}, // row 2 locked
        {800, 48, 1}, {800, 60, 4}, {800, 72, 4}, {796, 24, 4}, {862, 24, 4}, {861, 12, 0},
    };
    for (const Case& c : cases) {
        menu->HoldOnBar(c.x, c.y);
        EXPECT_EQ(play->gameMode, c.mode) << c.x << "," << c.y;
    }
    menu->HoldOnBar(800, 24);
    OpenBar();
    // Rows drawn from the chosen, free and locked images, 12 pixels each.
    const int expected[] = {makecol(0, 0, 200), makecol(0, 200, 0), makecol(200, 0, 0), makecol(200, 0, 0),
                            makecol(0, 0, 200)};
    for (int r = 0; r < 5; ++r)
        EXPECT_EQ(Pixel(800, 12 + 12 * r + 6), expected[r]) << "row " << r;
}

TEST_F(LevelSelectTest, SpinnerTogglesPlayersOnlyOnceItHasTurned)
{
    OpenBar();
    PointAt(450, 40);
    mouse_b = 1;
    Passes(1); // pressed, not yet held
    std::vector<int> toggles;
    int players = play->numPlayers;
    for (int pass = 0; pass < 100; ++pass) {
        Passes(1);
        if (play->numPlayers != players)
            toggles.push_back(pass);
        players = play->numPlayers;
    }
    // 128 angle units at 3 a pass: 43 passes per turn.
    EXPECT_EQ(toggles, (std::vector<int>{0, 43, 86}));
}

TEST_F(LevelSelectTest, BombErasesOnlyWhenHeldLongEnoughAndThePointerLeavesDownward)
{
    struct Case {
        std::vector<int> heldRuns; // passes held on the bomb, with a pass off it between runs
        bool erased;
    };
    const Case cases[] = {{{46}, true}, {{45}, false}, {{30, 20}, false}};
    for (const Case& c : cases) {
        NewMenu({35, 36, 37, 38}, 3);
        play->bestScores[4] = 77;
        OpenBar();
        PointAt(990, 30);
        mouse_b = 1;
        Passes(1); // pressed
        for (size_t i = 0; i < c.heldRuns.size(); ++i) {
            if (i > 0) {
                PointAt(950, 30);
                Passes(1);
                EXPECT_EQ(menu->bombHold, 0);
                PointAt(990, 30);
            }
            Passes(c.heldRuns[i]);
        }
        mouse_b = 0;
        Passes(3); // letting go keeps the count and erases nothing yet
        EXPECT_EQ(menu->bombHold, c.heldRuns.back());
        EXPECT_EQ(play->bestScores[4], 77);
        g_audio.pendingSounds.clear();
        PointAt(990, 300);
        menu->PointAtOpenBar(990, 300); // the leaving step alone, so the sound is still queued
        EXPECT_EQ(menu->bombHold, 0);
        EXPECT_EQ(play->bestScores[4], c.erased ? 0 : 77);
        EXPECT_EQ(play->bestScores[35], c.erased ? 0 : 100);
        EXPECT_EQ(g_audio.pendingSounds.count("ANVIL_SFX"), c.erased ? 1u : 0u);
        EXPECT_EQ(play->gameMode, c.erased ? 0 : 3);
        const std::vector<int> unlocked = c.erased ? std::vector<int>{1, 0, 0, 0, 0} : std::vector<int>{1, 1, 1, 1, 1};
        EXPECT_EQ(std::vector<int>(play->modeUnlocked, play->modeUnlocked + 5), unlocked);
        if (c.erased) {
            EXPECT_EQ(play->level, -1);
            set_config_file("score.yk");
            EXPECT_EQ(get_config_int("scores", "35", -1), 0);
            EXPECT_EQ(get_config_int("scores", "4", -1), 0);
            set_config_file("");
        }
    }
}

TEST_F(LevelSelectTest, EndingSetsUpTheLevelWithTheCursorOfTheMode)
{
    struct Case {
        int mode;
        bool escape;
        bool cursorShown;
        int level;
    };
    const Case cases[] = {
        {0, false, false, 1}, {2, false, true, 1}, {3, true, true, 1}, {4, false, false, 0}, {1, true, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        NewMenu({35, 36, 37, 38}, c.mode);
        play->runTotal = 55;
        std::filesystem::remove("score.yk");
        g_display.SetCursorVisible(true);
        PointAt(100, 300);
        if (c.escape) {
            key[KEY_ESC] = 1;
            Passes(2); // escape counts when let go
            key[KEY_ESC] = 0;
        } else {
            mouse_b = 1;
        }
        Passes(1);
        ReleaseAll();
        EXPECT_EQ(menu->startChosen, 1);
        EXPECT_FALSE(menu->Pass());
        EXPECT_EQ(play->leaveToTitle, c.escape);
        EXPECT_EQ(play->runTotal, 0);
        EXPECT_EQ(g_display.cursorVisible, c.cursorShown);
        EXPECT_EQ(play->level, c.level);
        EXPECT_TRUE(std::filesystem::exists("score.yk")); // the level set-up saved the scores
    }
}

TEST_F(LevelSelectTest, HelpScreenWaitsForAKeyAndEscapeThereDoesNotLeave)
{
    std::vector<int> helpPixels;
    std::vector<bool> cursorDuringHelp;
    int polls = 0;
    g_modalPassHook = [&] {
        ++polls;
        helpPixels.push_back(getpixel(target, 5, 500));
        cursorDuringHelp.push_back(g_display.cursorVisible);
        key[KEY_F1] = polls == 1;
        key[KEY_ESC] = polls >= 6 && polls <= 9;
    };
    g_display.SetCursorVisible(true);
    PointAt(100, 300);
    Passes(1); // F1 pressed: the help loop runs inside this pass
    EXPECT_EQ(polls, 10);
    EXPECT_EQ(helpPixels[2], makecol(0, 200, 0));
    EXPECT_FALSE(cursorDuringHelp[2]);
    EXPECT_TRUE(g_display.cursorVisible);
    Passes(3);
    EXPECT_EQ(menu->startChosen, 0);
    EXPECT_FALSE(play->leaveToTitle);
}

} // namespace
