#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <vector>

#include "app/Display.h"
#include "app/TickTimer.h"
#include "audio/Audio.h"
#include "play/LevelSelect.h"
#include "input/Controls.h"
#include "play/ModalLoop.h"
#include "play/StatePlay.h"
#include "testkit/ModalGuard.h"
#include "support/PadBench.h"
#include "support/TempDir.h"
#include "support/TextProbe.h"

namespace {

constexpr int kBarHeight = 80;

// The level-select loop driven pass by pass: the test writes key[], mouse_b
// and the mouse position the way the drivers would, then runs a pass.
class LevelSelectTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        // A level set up by an earlier test narrows the pointer to its arena;
        // the game widens it again (leaving play) before this screen.
        g_display.SetPointerRange(0, 0, kScreenW - 1, kScreenH - 1);
        g_display.backBuffer = create_bitmap(kScreenW, kScreenH);
        clear_to_color(g_display.backBuffer, 0); // new bitmaps hold whatever memory held
        target = create_bitmap(kScreenW, kScreenH);
        g_display.SetPresentTarget(target);
        // The whole frame: a level played by an earlier test holds the
        // pointer to its arena.
        g_display.SetPointerRange(0, 0, kScreenW - 1, kScreenH - 1);
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
    void NewMenu(std::vector<int> systemSlots = {}, int gameMode = 0, int numPlayers = 1)
    {
        g_controls = CControls(); // no input history from an earlier case
        g_controls.useKeyboard = 1;
        g_controls.useMouse = 1;
        play = std::make_unique<CStatePlay>();
        play->numPlayers = numPlayers;
        play->gameMode = gameMode;
        play->leaveToTitle = true; // left over from an earlier run
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
    // An image whose every pixel differs from its neighbours, so a copy from
    // the wrong place or to the wrong place shows; salt tells images apart.
    BITMAP* Pattern(int w, int h, int salt, bool holes = false)
    {
        BITMAP* b = create_bitmap(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                putpixel(b, x, y, (holes && (x * 3 + y * 5) % 7 == 0) ? bitmap_mask_color(b)
                                                                       : (x * 37 + y * 1009 + salt * 4099) & 0x7FFF);
        bitmaps.push_back(b);
        return b;
    }
    void UseFonts()
    {
        huge = LoadTestFont(56);
        large = LoadTestFont(26);
        medium = LoadTestFont(19);
        menu->art.huge = huge.get();
        menu->art.large = large.get();
        menu->art.medium = medium.get();
    }

    std::unique_ptr<CStatePlay> play;
    std::unique_ptr<CLevelSelect> menu;
    BITMAP* target = nullptr;
    BITMAP *bar = nullptr, *picture = nullptr, *glow = nullptr, *help = nullptr;
    BITMAP *modeNo = nullptr, *modeYes = nullptr, *modeHere = nullptr;
    std::vector<BITMAP*> bitmaps;
    CAudio savedAudio;
    std::shared_ptr<ALFONT_FONT> huge, large, medium;
    CTextModeTransparent transparentText;
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
        {{38, 36}, 3, {1, 0, 1, 1, 0}, 3},
        {{37}, 4, {1, 0, 0, 0, 1}, 4},
        {{35, 36, 37, 38}, 7, {1, 1, 1, 1, 1}, 0},
        {{35, 36, 37, 38}, 5, {1, 1, 1, 1, 1}, 0},
        {{35, 36, 37, 38}, -1, {1, 1, 1, 1, 1}, 0},
    };
    for (const Case& c : cases) {
        clear_to_color(g_display.backBuffer, 0);
        NewMenu(c.systemSlots, c.gameMode);
        EXPECT_EQ(std::vector<int>(play->modeUnlocked, play->modeUnlocked + 5), c.unlocked);
        EXPECT_EQ(play->gameMode, c.modeAfter);
        EXPECT_EQ(play->numPlayers, 1);
        EXPECT_EQ(menu->panelHeight, kBarHeight);
        EXPECT_FALSE(play->leaveToTitle);
        EXPECT_EQ(Pixel(700, 700), makecol(10, 10, 10)); // the picture is up before the first pass
    }
    // A player count other than 1 or 2 becomes 1; the spinner starts where the count points.
    for (auto [players, after] : {std::pair{0, 1}, std::pair{3, 1}, std::pair{2, 2}, std::pair{1, 1}}) {
        NewMenu({}, 0, players);
        EXPECT_EQ(play->numPlayers, after) << players;
        EXPECT_EQ(menu->spinAngle, players * 128) << players;
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
        int x, y, from, mode; // each case starts from another mode, so a missed click shows
    };
    const Case cases[] = {
        {800, 1, 4, 0},   {800, 23, 1, 0},  {800, 24, 0, 1},  {800, 35, 4, 1},
        {800, 36, 1, 1},  {800, 47, 0, 0},  // row 2 locked
        {800, 48, 1, 1},  {800, 59, 0, 0},  // row 3 locked
        {800, 60, 1, 4},  {800, 71, 0, 4},  {800, 72, 1, 1},  // no row 5
        {800, 0, 4, 4},   // above the first row
        {796, 24, 4, 4},  {797, 24, 4, 1},  {861, 12, 4, 0},  {862, 24, 0, 0},
    };
    for (const Case& c : cases) {
        play->gameMode = c.from;
        menu->HoldOnBar(c.x, c.y);
        EXPECT_EQ(play->gameMode, c.mode) << c.x << "," << c.y;
    }
    play->gameMode = 1;
    OpenBar();
    // Rows drawn from the chosen, free and locked images, 12 pixels each.
    const int expected[] = {makecol(0, 0, 200), makecol(0, 200, 0), makecol(200, 0, 0), makecol(200, 0, 0),
                            makecol(0, 0, 200)};
    for (int r = 0; r < 5; ++r)
        EXPECT_EQ(Pixel(800, 12 + 12 * r + 6), expected[r]) << "row " << r;
}

// The edges of the open bar's hot spots, each probed just inside and just outside.
TEST_F(LevelSelectTest, HotSpotsOfTheOpenBarEndWhereTheyShould)
{
    // The player spinner: 386 < x < 519, any height within the bar.
    for (auto [x, toggles] : {std::pair{386, false}, std::pair{387, true}, std::pair{518, true}, std::pair{519, false}}) {
        NewMenu();
        menu->HoldOnBar(x, 40);
        EXPECT_EQ(play->numPlayers, toggles ? 2 : 1) << x;
    }
    // The erase bomb: 982..1014 by 20..64, both ends inside.
    struct Spot {
        int x, y;
        bool on;
    };
    const Spot bomb[] = {{982, 20, true},  {1014, 64, true},  {981, 40, false}, {1015, 40, false},
                         {1000, 19, false}, {1000, 65, false}, {998, 42, true}};
    for (const Spot& b : bomb) {
        menu->bombHold = 5;
        menu->HoldOnBar(b.x, b.y);
        EXPECT_EQ(menu->bombHold, b.on ? 6 : 0) << b.x << "," << b.y;
    }
    // The volume scales: sound rows 18..38, music rows 45..65, both 628 < x < 712.
    struct Volume {
        int x, y, sound, music; // from 100 and 150
    };
    const Volume volumes[] = {
        {670, 17, 100, 150}, {670, 18, 128, 150}, {670, 38, 128, 150}, {670, 39, 100, 150},
        {670, 44, 100, 150}, {670, 45, 100, 128}, {670, 65, 100, 128}, {670, 66, 100, 150},
        {629, 25, 0, 150},   {711, 50, 100, 255}, {638, 30, 30, 150}, {702, 60, 100, 225},
    };
    for (const Volume& v : volumes) {
        g_audio.soundVolume = 100;
        g_audio.musicVolume = 150;
        menu->HoldOnBar(v.x, v.y);
        EXPECT_EQ(g_audio.soundVolume, v.sound) << v.x << "," << v.y;
        EXPECT_EQ(g_audio.musicVolume, v.music) << v.x << "," << v.y;
    }
    // Below 30 is silence and above 225 is full, for the scale not pointed at too.
    for (auto [before, after] : {std::pair{29, 0}, std::pair{30, 30}, std::pair{225, 225}, std::pair{226, 255}}) {
        g_audio.soundVolume = 100;
        g_audio.musicVolume = before;
        menu->HoldOnBar(670, 25);
        EXPECT_EQ(g_audio.musicVolume, after) << before;
    }
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
    g_modalPassHook = Guarded([&] {
        ++polls;
        helpPixels.push_back(getpixel(target, 5, 500));
        cursorDuringHelp.push_back(g_display.cursorVisible);
        key[KEY_F1] = polls == 1;
        key[KEY_ESC] = polls >= 6 && polls <= 9;
    });
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

// The close button ends the screen, and its help screen, after the pass in
// which it was pressed, choosing nothing and setting nothing up.
TEST_F(LevelSelectTest, CloseButtonEndsTheScreenAndItsHelpScreen)
{
    for (const bool inHelp : {false, true}) {
        SCOPED_TRACE(inHelp ? "help screen" : "level select");
        NewMenu();
        PointAt(100, 300); // over the upper left system
        SCloseButton closeButton;
        int polls = 0;
        g_modalPassHook = Guarded([&] {
            ++polls;
            key[KEY_F1] = inHelp && polls == 1;
            if (polls == 3)
                closeButton.Press();
        });
        menu->Run();
        g_modalPassHook = nullptr;
        EXPECT_EQ(polls, 3);
        EXPECT_EQ(menu->startChosen, 0);
        EXPECT_FALSE(std::filesystem::exists("score.yk")); // no level was set up
        if (inHelp) {
            EXPECT_TRUE(g_display.cursorVisible); // the help screen gave the pointer back
        }
    }
}

TEST_F(LevelSelectTest, HelpScreenClosesOnANewPressOfItsKeysOnly)
{
    enum EInput { kF1, kEsc, kSpace, kEnter, kLeft, kRight, kLetter };
    struct Case {
        EInput input;
        bool closes;
    };
    const Case cases[] = {{kF1, true},    {kEsc, true},    {kSpace, true},  {kEnter, true},
                          {kLeft, true},  {kRight, false}, {kLetter, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        NewMenu();
        PointAt(100, 300); // over the upper left system, which a choice would start
        int polls = 0, closedAt = 0;
        g_modalPassHook = Guarded([&] {
            ++polls;
            ReleaseAll();
            if (polls == 1)
                key[KEY_F1] = 1; // opens the help screen
            if (polls >= 3 && polls <= 5) {
                switch (c.input) { // held from the third poll on
                case kF1: key[KEY_F1] = 1; break;
                case kEsc: key[KEY_ESC] = 1; break;
                case kSpace: key[KEY_SPACE] = 1; break;
                case kEnter: key[KEY_ENTER] = 1; break;
                case kLeft: mouse_b = 1; break;
                case kRight: mouse_b = 2; break;
                case kLetter: key[KEY_A] = 1; break;
                }
            }
            if (polls >= 7 && !c.closes)
                key[KEY_F1] = polls % 2; // the way out when the input did not close it
        });
        Passes(1);
        closedAt = polls;
        EXPECT_EQ(closedAt, c.closes ? (c.input == kEsc ? 6 : 3) : 7); // Escape waits to be let go
        // The press that closed the help screen chooses nothing underneath,
        // in that pass or the next ones while it is held.
        Passes(3);
        EXPECT_EQ(menu->startChosen, 0);
        EXPECT_FALSE(play->leaveToTitle);
        g_modalPassHook = nullptr;
    }
}

TEST_F(LevelSelectTest, PictureSlidesDownWithTheBarAndTheHighlightCoversItsQuadrant)
{
    menu->art.picture = Pattern(kScreenW, kScreenH, 1);
    menu->art.glow = Pattern(kScreenW, kScreenH, 2);
    const int W = kScreenW, H = kScreenH;
    for (int offset : {0, 40}) {
        for (int q = -1; q < 4; ++q) {
            SCOPED_TRACE(testing::Message() << "offset " << offset << ", quadrant " << q);
            menu->panelOffset = offset;
            clear_to_color(g_display.backBuffer, 0);
            menu->DrawPicture(q);
            // Where the quadrant's highlight lands: its half of the width, the
            // upper half from the bar's edge down, or the lower half below its
            // place moved down with the bar.
            const int qx = (q == 1 || q == 3) ? W / 2 : 0;
            const int qy0 = q >= 2 ? H / 2 + offset : offset;
            const int qy1 = q >= 2 ? H : offset + H / 2;
            for (int y = 0; y < H; y += 7)
                for (int x = 0; x < W; x += 13) {
                    int want = 0; // above the picture nothing is drawn
                    if (y >= offset) {
                        const bool lit = q >= 0 && x >= qx && x < qx + W / 2 && y >= qy0 && y < qy1;
                        want = getpixel(lit ? menu->art.glow : menu->art.picture, x, y - offset);
                    }
                    ASSERT_EQ(Pixel(x, y), want) << x << "," << y;
                }
        }
    }
}

TEST_F(LevelSelectTest, BarPartsStandAtTheirPlacesAndMoveWithTheBar)
{
    BITMAP* spinner = Pattern(140, 130, 3, true);
    BITMAP* scale = Pattern(90, 12, 4, true);
    BITMAP* bomb = Pattern(34, 40, 5, true);
    menu->art.bar = Pattern(kScreenW, kBarHeight, 6);
    menu->art.modeLocked = Pattern(40, 60, 7, true);
    menu->art.modeChosen = Pattern(40, 60, 8, true);
    menu->art.modeFree = Pattern(40, 60, 9, true);
    NewMenu({35, 37}, 4); // modes 0, 1 and 4 free, 4 chosen
    menu->art.bar = bitmaps[bitmaps.size() - 4];
    g_audio.soundVolume = 128;
    g_audio.musicVolume = 200;
    struct Case {
        int offset, spinAngle, bombHold;
    };
    for (const Case& c : {Case{kBarHeight, 128, 0}, Case{60, 40, 10}, Case{25, 200, 39}, Case{kBarHeight, 77, 40},
                          Case{50, 0, 90}}) {
        SCOPED_TRACE(testing::Message() << "offset " << c.offset << ", bomb " << c.bombHold);
        menu->panelOffset = c.offset;
        menu->spinAngle = c.spinAngle;
        menu->bombHold = c.bombHold;
        // The bar alone: its bottom rows at the top of the screen.
        menu->art.spinner = menu->art.volumeScale = menu->art.bomb = nullptr;
        BITMAP* expected = create_bitmap(kScreenW, kScreenH);
        bitmaps.push_back(expected);
        clear_to_color(expected, 0);
        blit(menu->art.bar, expected, 0, kBarHeight - c.offset, 0, 0, kScreenW, c.offset);
        // Everything else is placed from the top of the bar, which hangs above the screen.
        const int top = c.offset - kBarHeight;
        rotate_sprite(expected, spinner, 389, top - 48, itofix(c.spinAngle));
        masked_blit(scale, expected, 0, 0, 627, top + 20, 45, 12); // 128 / 256 of 90 pixels
        masked_blit(scale, expected, 0, 0, 627, top + 43, 70, 12); // 200 / 256 of 90
        BITMAP* rows[] = {menu->art.modeFree, menu->art.modeFree, menu->art.modeLocked, menu->art.modeLocked,
                          menu->art.modeChosen};
        for (int r = 0; r < 5; ++r)
            masked_blit(rows[r], expected, 0, 12 * r, 796, top + 12 + 12 * r, 40, 12);
        const int shown = std::min(c.bombHold, 40); // it fills up from the bottom
        masked_blit(bomb, expected, 0, 40 - shown, 981, top + 19 + 40 - shown, 34, shown);

        menu->art.spinner = spinner;
        menu->art.volumeScale = scale;
        menu->art.bomb = bomb;
        clear_to_color(g_display.backBuffer, 0);
        menu->DrawBar();
        for (int y = 0; y < kBarHeight + 10; ++y)
            for (int x = 0; x < kScreenW; ++x)
                ASSERT_EQ(Pixel(x, y), getpixel(expected, x, y)) << x << "," << y;
    }
}

TEST_F(LevelSelectTest, EachQuadrantListsItsOwnBestScoresBelowItsTitle)
{
    UseFonts();
    for (int i = 0; i < kBestScoreSlots; ++i)
        play->bestScores[i] = 100 + i;
    struct Case {
        int x0, y0;
        int firstSlot, levels, overallSlot;
    };
    const Case cases[] = {
        {0, 0, 0, 10, 35},                         // upper left: circulatory
        {kScreenW / 2, 0, 20, 10, 36},             // upper right: respiratory
        {0, kScreenH / 2, 30, 5, 37},              // lower left: nervous
        {kScreenW / 2, kScreenH / 2, 10, 10, 38},  // lower right: digestive
    };
    const int white = makecol(255, 255, 255), black = 0;
    const int ground = makecol(10, 10, 10);
    for (int offset : {0, kBarHeight}) {
        menu->panelOffset = offset;
        clear_to_color(g_display.backBuffer, ground);
        menu->DrawScores();
        BITMAP* bb = g_display.backBuffer;
        ALFONT_FONT* font = medium.get();
        const int base = offset + 95;
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "offset " << offset << ", first slot " << c.firstSlot);
            const int x = c.x0 + 252;
            auto line = [&](int y, const std::string& text) {
                const CTextPrint over(font, x, y, text);
                EXPECT_TRUE(TextAt(bb, font, x, y, white, text));
                EXPECT_TRUE(TextUnder(bb, font, x + 2, y + 2, black, text, over)); // its shadow
            };
            line(c.y0 + base - 20, "High Scores");
            line(c.y0 + base, "Lvl 1: " + std::to_string(100 + c.firstSlot));
            line(c.y0 + base + 20, "Lvl 2: " + std::to_string(101 + c.firstSlot));
            line(c.y0 + base + 20 * (c.levels - 1),
                 "Lvl " + std::to_string(c.levels) + ": " + std::to_string(99 + c.firstSlot + c.levels));
            line(c.y0 + base + 20 * c.levels, "Overall: " + std::to_string(100 + c.overallSlot));
        }
    }
}

TEST_F(LevelSelectTest, NoShadowFallsAcrossANeighbouringLine)
{
    UseFonts();
    medium = LoadTestFont(40); // large enough for each line to reach into the next
    menu->art.medium = medium.get();
    for (int i = 0; i < 10; ++i)
        play->bestScores[i] = 11 * (i + 1);
    play->bestScores[35] = 909;
    clear_to_color(g_display.backBuffer, makecol(10, 10, 10));
    menu->DrawScores();
    const int white = makecol(255, 255, 255);
    EXPECT_TRUE(TextAt(g_display.backBuffer, medium.get(), 252, 75, white, "High Scores"));
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(TextAt(g_display.backBuffer, medium.get(), 252, 95 + 20 * i, white,
                           "Lvl " + std::to_string(i + 1) + ": " + std::to_string(11 * (i + 1))));
    EXPECT_TRUE(TextAt(g_display.backBuffer, medium.get(), 252, 295, white, "Overall: 909"));
}

TEST_F(LevelSelectTest, OnlyScoresThatExistAreListedAndTheTitleOnlyOverLevelLines)
{
    UseFonts();
    play->bestScores[14] = 7;  // lower right, level 15 only
    play->bestScores[36] = 61; // upper right: the system but no level
    clear_to_color(g_display.backBuffer, 0);
    menu->DrawScores();
    BITMAP* bb = g_display.backBuffer;
    ALFONT_FONT* font = medium.get();
    const int white = makecol(255, 255, 255);
    const int right = kScreenW / 2 + 252, lower = kScreenH / 2 + 95, upper = 95;
    EXPECT_TRUE(TextAt(bb, font, right, lower + 80, white, "Lvl 5: 7"));
    EXPECT_TRUE(TextAt(bb, font, right, lower - 20, white, "High Scores"));
    EXPECT_TRUE(NoTextAt(bb, font, right, lower, white, "Lvl 1: 0"));
    EXPECT_TRUE(NoTextAt(bb, font, right, lower + 200, white, "Overall: 0"));
    EXPECT_TRUE(TextAt(bb, font, right, upper + 200, white, "Overall: 61"));
    EXPECT_TRUE(NoTextAt(bb, font, right, upper - 20, white, "High Scores"));
    EXPECT_TRUE(NoTextAt(bb, font, 252, upper - 20, white, "High Scores"));
}

TEST_F(LevelSelectTest, LockedSystemShakesItsWordHarderWhilePointedAt)
{
    UseFonts();
    struct Case {
        int column, row, reach;
    };
    const Case cases[] = {{0, 1, 5}, {0, 0, 2}, {1, 1, 2}, {-1, 1, 2}};
    const int white = makecol(255, 255, 255);
    for (int offset : {0, kBarHeight}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "pointer " << c.column << "," << c.row << ", offset " << offset);
            menu->pointerColumn = c.column;
            menu->pointerRow = c.row;
            menu->panelOffset = offset;
            // Across several seeds: x takes the first draw, y the second.
            for (unsigned seed = 1; seed <= 4; ++seed) {
                std::srand(seed);
                const int jx = c.reach - std::rand() % (2 * c.reach);
                const int jy = c.reach - std::rand() % (2 * c.reach);
                std::srand(seed);
                clear_to_color(g_display.backBuffer, makecol(10, 10, 10)); // not black, or the shadow would not show
                menu->DrawScores();
                const int x = 252 + jx, y = kScreenH / 2 + offset + 95 + 80 + jy;
                const CTextPrint over(huge.get(), x, y, "*LOCKED*");
                EXPECT_TRUE(TextAt(g_display.backBuffer, huge.get(), x, y, white, "*LOCKED*")) << seed;
                EXPECT_TRUE(TextUnder(g_display.backBuffer, huge.get(), x + 2, y + 2, 0, "*LOCKED*", over)) << seed;
            }
        }
    }
    // Unlocked, the quadrant lists its scores instead and draws nothing at random.
    NewMenu({35, 36, 38});
    UseFonts();
    std::srand(9);
    const int next = std::rand();
    std::srand(9);
    menu->DrawScores();
    EXPECT_EQ(std::rand(), next);
}

TEST_F(LevelSelectTest, HintsSwaySideways)
{
    UseFonts();
    struct Case {
        int now, a, t; // a sways the help hint, t the options hint
    };
    const Case cases[] = {{0, 32, 0}, {20, 22, 5}, {64, 0, 16}, {90, 13, 9}, {127, 31, 0}, {201, 4, 14}};
    const int white = makecol(255, 255, 255);
    BITMAP* bb = g_display.backBuffer;
    ALFONT_FONT* font = large.get();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.now);
        CTickTimer::SetNow(c.now);
        clear_to_color(bb, makecol(10, 10, 10)); // not black, or the shadows would not show
        menu->DrawHints();
        const int hx = kScreenW / 2 + c.a - 16, hy = kScreenH - 35;
        const CTextPrint help(font, hx, hy, "Press F1 for Help!");
        EXPECT_TRUE(TextAt(bb, font, hx, hy, white, "Press F1 for Help!"));
        EXPECT_TRUE(TextUnder(bb, font, hx + 2, hy + 2, 0, "Press F1 for Help!", help));
        const int ox = kScreenW / 2 + c.t - 8;
        const CTextPrint options(font, ox, 40, "Move Mouse Up Here For Options");
        EXPECT_TRUE(TextAt(bb, font, ox, 40, white, "Move Mouse Up Here For Options"));
        EXPECT_TRUE(TextUnder(bb, font, ox + 2, 40, 0, "Move Mouse Up Here For Options", options));
    }
    // The options hint only while the bar is closed and has never closed before.
    for (auto [offset, done] : {std::pair{5, 0}, std::pair{0, 1}}) {
        CTickTimer::SetNow(64);
        menu->panelOffset = offset;
        optionsHintDone = done;
        clear_to_color(bb, 0);
        menu->DrawHints();
        EXPECT_TRUE(NoTextAt(bb, font, kScreenW / 2 + 16 - 8, 40, white, "Move Mouse Up Here For Options"));
        EXPECT_TRUE(TextAt(bb, font, kScreenW / 2 - 16, kScreenH - 35, white, "Press F1 for Help!"));
    }
}

// A virtual pad plugged in, as a player's would be.
class LevelSelectPadTest : public LevelSelectTest {
protected:
    void SetUp() override
    {
        LevelSelectTest::SetUp();
        bench.Start();
        ASSERT_TRUE(pad().Attach());
    }
    void TearDown() override
    {
        g_modalPassHook = nullptr;
        LevelSelectTest::TearDown();
    }
    CVirtualPad& pad() { return bench.pads[0]; }
    // Exactly these pad inputs down for the next poll.
    void Hold(std::initializer_list<EPadInput> down)
    {
        for (int i = 0; i < kPadInputs; ++i)
            pad().Press(EPadInput(i), std::find(down.begin(), down.end(), EPadInput(i)) != down.end());
    }
    // A new menu, the pointer on a system (not in the top strip, which
    // would open the bar).
    void Fresh(int x, int y)
    {
        PointAt(x, y);
        NewMenu();
        g_controls.StartPads(); // a fresh CControls has pads off
        Hold({});
        Passes(1);
    }
    SPadBench bench;
};

// A and Start choose as Enter does; B and Back leave for the title as
// Escape does, on their release; Y does nothing here.
TEST_F(LevelSelectPadTest, AOrStartChoosesBOrBackLeavesOnRelease)
{
    struct Case {
        EPadInput button;
        bool chooses, leaves;
    };
    const Case cases[] = {{kPadA, true, false},
                          {kPadStart, true, false},
                          {kPadB, false, true},
                          {kPadBack, false, true},
                          {kPadY, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        Fresh(100, 300); // the upper left system
        Hold({c.button});
        Passes(1);
        EXPECT_EQ(menu->startChosen, c.chooses ? 1 : 0) << "on the press";
        if (c.chooses) {
            EXPECT_EQ(play->level, 1);
            continue;
        }
        Passes(1); // held
        EXPECT_EQ(menu->startChosen, 0);
        Hold({});
        Passes(1); // let go
        EXPECT_EQ(menu->startChosen, c.leaves ? 1 : 0);
        EXPECT_EQ(play->leaveToTitle, c.leaves);
    }
}

// Up and down put the pointer on the upper and lower row of systems, left
// and right on the left and right column, each keeping the other axis;
// the left stick past half way does the same as the d-pad.
TEST_F(LevelSelectPadTest, DirectionsPutThePointerOnARowOrAColumn)
{
    struct Step {
        EPadInput direction;
        EPadAxis axis; // the stick instead, when not kPadAxes
        int value;
        int x, y, level;
    };
    const Step steps[] = {
        {kPadUp, kPadAxes, 0, 900, 192, 21},        {kPadLeft, kPadAxes, 0, 256, 192, 1},
        {kPadDown, kPadAxes, 0, 256, 576, 1},        // the locked system: nothing lit, level stays
        {kPadRight, kPadAxes, 0, 768, 576, 11},     {kPadInputs, kPadLeftY, -30000, 768, 192, 21},
        {kPadInputs, kPadLeftX, -30000, 256, 192, 1},
    };
    Fresh(900, 700);
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << s.direction << "/" << s.axis);
        if (s.axis == kPadAxes)
            Hold({s.direction});
        else
            pad().Tilt(s.axis, s.value);
        Passes(1);
        EXPECT_EQ(mouse_x, s.x);
        EXPECT_EQ(mouse_y, s.y);
        EXPECT_EQ(play->level, s.level);
        Hold({});
        pad().Tilt(kPadLeftX, 0);
        pad().Tilt(kPadLeftY, 0);
        PointAt(mouse_x + 7, mouse_y + 5); // held or let go, a direction moves nothing
        Passes(2);
        EXPECT_EQ(mouse_x, s.x + 7);
        PointAt(s.x, s.y);
    }
    EXPECT_EQ(menu->startChosen, 0);
    Hold({kPadA}); // up, then left, is the circulatory system
    Passes(1);
    EXPECT_EQ(menu->startChosen, 1);
    EXPECT_EQ(play->level, 1);
}

// Each of A, B, Start and Back closes the help screen on its press and
// chooses nothing; B and Back, like Escape, wait to be let go, so that
// their release does not also leave for the title.
TEST_F(LevelSelectPadTest, HelpScreenClosesOnAnyOfItsPadButtons)
{
    struct Case {
        EPadInput button;
        bool closes;
        int closedAt;
    };
    const Case cases[] = {{kPadA, true, 3},    {kPadStart, true, 3}, {kPadB, true, 6},
                          {kPadBack, true, 6}, {kPadY, false, 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        Fresh(100, 300);
        int polls = 0;
        g_modalPassHook = Guarded([&] {
            ++polls;
            ReleaseAll();
            key[KEY_F1] = polls == 1; // opens the help screen
            Hold({});
            if (polls >= 3 && polls <= 5)
                Hold({c.button});
            if (polls >= 7 && !c.closes)
                key[KEY_F1] = polls % 2;
        });
        Passes(1);
        EXPECT_EQ(polls, c.closedAt);
        Passes(3);
        EXPECT_EQ(menu->startChosen, 0);
        EXPECT_FALSE(play->leaveToTitle);
        g_modalPassHook = nullptr;
    }
}

} // namespace
