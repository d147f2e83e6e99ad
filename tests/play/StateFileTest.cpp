#include <allegro.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "assets/Asset.h"
#include "play/StatePlay.h"
#include "support/TempDir.h"

namespace {

class StateLoaderTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        play = std::make_unique<CStatePlay>();
    }
    void State(const std::string& name, const std::string& text) { WriteFile("data/states/" + name + ".yks", text); }
    std::unique_ptr<CStatePlay> play;
};

// Every tunable with the section it lives in and the type it is read as.
struct Tunable {
    const char* section;
    const char* key;
    int32_t CStatePlay::*i; // set for whole numbers
    float CStatePlay::*f;   // set for fractions
};

#define YK_INT(section, name) Tunable{section, #name, &CStatePlay::name, nullptr}
#define YK_FLOAT(section, name) Tunable{section, #name, nullptr, &CStatePlay::name}

const Tunable kTunables[] = {
    YK_INT("timing", cvar_hSecLaserPulse),
    YK_INT("timing", cvar_hSecBeforeLevelMoveOn),
    YK_INT("timing", cvar_hSecBeforeLevelStart),
    YK_INT("timing", cvar_hSecBeforeLevelStartSayGo),
    YK_INT("timing", cvar_hSecEggMinLife),
    YK_INT("timing", cvar_hSecEggMaxLife),
    YK_INT("timing", cvar_crackWarningTime),
    YK_INT("setup", cvar_eggEdgeMargin),
    YK_FLOAT("setup", cvar_playerNormalizedStartX),
    YK_FLOAT("setup", cvar_playerNormalizedStartY),
    YK_INT("action", cvar_crackRadius),
    YK_FLOAT("action", cvar_movePowerArrow),
    YK_FLOAT("action", cvar_movePowerDropoff),
    YK_FLOAT("action", cvar_kickAwayPerc),
    YK_INT("alien", cvar_friendlyOdds),
    YK_INT("alien", cvar_alienEdgeInfect),
    YK_FLOAT("alien", cvar_alienMoveSpeed),
    YK_FLOAT("alien", cvar_alienTransverseSpeed),
    YK_INT("alien", cvar_alienTransverseHSec),
    YK_FLOAT("visuals", cvar_laserDropoffIntensity),
    YK_INT("visuals", cvar_crackWarningDist),
    YK_INT("visuals", cvar_crackSolidShowTime),
    YK_INT("visuals", cvar_crackFlickerShowTime),
    YK_INT("pup_overall", cvar_pupSolidShowTime),
    YK_INT("pup_overall", cvar_pupFlickerShowTime),
    YK_INT("goals", cvar_pointsToWin),
    YK_FLOAT("action", cvar_windXPower),
    YK_FLOAT("action", cvar_windYPower),
    YK_INT("action", cvar_windXInterval),
    YK_INT("action", cvar_windYInterval),
    YK_FLOAT("action", cvar_toyTCellBounce),
    YK_INT("pup_overall", cvar_pup_plainegg_freq),
    YK_INT("pup_overall", cvar_pup_magnetic_freq),
    YK_INT("pup_overall", cvar_pup_disrupt_freq),
    YK_INT("pup_overall", cvar_pup_mushroom_freq),
    YK_INT("pup_overall", cvar_pup_trail_freq),
    YK_INT("pup_overall", cvar_pup_speedup_freq),
    YK_INT("pup_overall", cvar_pup_freeze_freq),
    YK_INT("pup_overall", cvar_pup_precise_freq),
    YK_INT("pup_overall", cvar_pup_detonate_freq),
    YK_FLOAT("pup_magnetic", cvar_pup_magnetic_pullOnEggs),
    YK_FLOAT("pup_magnetic", cvar_pup_magnetic_pullOnParasites),
    YK_FLOAT("pup_mushroom", cvar_pup_mushroom_laserWidthNormal),
    YK_FLOAT("pup_mushroom", cvar_pup_mushroom_laserWidthSuper),
    YK_INT("pup_speedup", cvar_pup_speedup_movePowerMult),
    YK_INT("pup_freeze", cvar_pup_freeze_time),
    YK_INT("pup_precise", cvar_pup_precise_movePowerMult),
    YK_INT("pup_detonate", cvar_pup_det_range),
    YK_INT("pup_detonate", cvar_pup_det_damageToBoss),
    YK_INT("pup_detonate", cvar_pup_det_flashtime),
};

#undef YK_INT
#undef YK_FLOAT

// Each tunable gets a value of its own. A whole number is written as "Ne2",
// which an integer read takes as N and a fraction read as N * 100; a
// fraction as "N.25", which an integer read would cut to N.
std::string ValueText(int n, const Tunable& t) { return std::to_string(n + 1) + (t.i ? "e2" : ".25"); }

TEST_F(StateLoaderTest, EveryTunableIsReadFromItsOwnSectionAsItsOwnType)
{
    ASSERT_EQ(std::size(kTunables), 50u);
    std::string all = "[include]\nimageSet=noLoad\n";
    for (size_t n = 0; n < std::size(kTunables); ++n) {
        const Tunable& t = kTunables[n];
        all += std::string("[") + t.section + "]\n" + t.key + " = " + ValueText(int(n), t) + "\n";
    }
    State("all", all);
    // Read through a child that states nothing, so each value must also
    // survive a read that finds no key.
    State("child", "[include]\nimageSet=noLoad\nparent=all\n");
    ASSERT_EQ(play->LoadState("child", 0), 0);
    for (size_t n = 0; n < std::size(kTunables); ++n) {
        const Tunable& t = kTunables[n];
        if (t.i)
            EXPECT_EQ(play.get()->*t.i, int(n) + 1) << t.section << "/" << t.key;
        else
            EXPECT_FLOAT_EQ(play.get()->*t.f, float(n) + 1.25f) << t.section << "/" << t.key;
    }
}

TEST_F(StateLoaderTest, TheImageSetNamedNearestTheTopReplacesTheImages)
{
    auto Image = [&](const std::string& set, const char* tag) {
        BITMAP* b = create_bitmap(4, 4);
        clear_to_color(b, makecol(10, 20, 30));
        std::filesystem::create_directories(dir / "gfx");
        save_bitmap(("gfx/" + set + ".bmp").c_str(), b, nullptr);
        destroy_bitmap(b);
        WriteFile("data/" + set + ".ykd", "[guidelines]\ntype = image\nassetdir = gfx\ndefaultext = bmp\nasset1 = " + set +
                                              "\n[" + set + "]\ntag = " + tag + "\n");
    };
    Image("bitmap-1", "BASE_IMG");
    Image("bitmap-level", "LEVEL_IMG");
    Image("set-a", "A_IMG");
    Image("set-b", "B_IMG");
    State("grand", "[include]\nimageSet=set-a\n");
    State("parent", "[include]\nimageSet=set-b\nparent=grand\n");
    State("top", "[include]\nimageSet=NOLOAD\nparent=parent\n");
    State("plain", "[include]\nimageSet=noLoad\n");

    struct Case {
        const char* state;
        std::vector<const char*> present, absent;
    };
    const Case cases[] = {
        {"plain", {"BASE_IMG", "LEVEL_IMG"}, {"A_IMG"}},             // noLoad keeps what is loaded
        {"grand", {"BASE_IMG", "A_IMG"}, {"LEVEL_IMG"}},             // the base set, then its own
        {"top", {"BASE_IMG", "B_IMG"}, {"A_IMG", "LEVEL_IMG"}},      // the nearest set wins
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        g_bitmaps.ReleaseAll();
        g_bitmaps.Init();
        g_bitmaps.LoadDefinitions();
        g_bitmaps.Init("bitmap-level");
        g_bitmaps.LoadDefinitions();
        ASSERT_EQ(play->LoadState(c.state, 0), 0);
        for (const char* tag : c.present)
            EXPECT_NE(g_bitmaps.Get(tag), nullptr) << tag;
        for (const char* tag : c.absent)
            EXPECT_EQ(g_bitmaps.Get(tag), nullptr) << tag;
    }
    g_bitmaps.ReleaseAll();
}

TEST_F(StateLoaderTest, ChainLoadsFromTheFarthestAncestorDown)
{
    State("grand", "[include]\nimageSet=noLoad\n[goals]\ncvar_pointsToWin=30\n[timing]\ncvar_hSecLaserPulse=25\n");
    State("parent", "[include]\nimageSet=noload\nparent=grand\n[goals]\ncvar_pointsToWin=40\n");
    State("top", "[include]\nimageSet=noLoad\nparent=parent\n[action]\ncvar_movePowerArrow=2.5\n");
    EXPECT_EQ(play->LoadState("top", 0), 0);
    EXPECT_EQ(play->cvar_pointsToWin, 40);
    EXPECT_EQ(play->cvar_hSecLaserPulse, 25);
    EXPECT_FLOAT_EQ(play->cvar_movePowerArrow, 2.5f);
}

TEST_F(StateLoaderTest, KeyStatedNowhereKeepsThePreviousLevelsValue)
{
    State("a", "[include]\nimageSet=noLoad\n[pup_freeze]\ncvar_pup_freeze_time=300\n[goals]\ncvar_pointsToWin=5\n");
    State("b", "[include]\nimageSet=NOLOAD\n[goals]\ncvar_pointsToWin=9\n");
    ASSERT_EQ(play->LoadState("a", 0), 0);
    ASSERT_EQ(play->LoadState("b", 0), 0);
    EXPECT_EQ(play->cvar_pup_freeze_time, 300);
    EXPECT_EQ(play->cvar_pointsToWin, 9);
}

TEST_F(StateLoaderTest, MissingFileOrMissingImageSetCountsAsMissing)
{
    play->cvar_pointsToWin = 7;
    EXPECT_EQ(play->LoadState("nothing-here", 0), 1);
    State("noimages", "[goals]\ncvar_pointsToWin=99\n");
    EXPECT_EQ(play->LoadState("noimages", 1), 1);
    EXPECT_EQ(play->cvar_pointsToWin, 7);
    // Nothing is left attached: reads see no file.
    EXPECT_EQ(get_config_int("goals", "cvar_pointsToWin", -5), -5);
}

TEST_F(StateLoaderTest, KeepOpenLeavesTheTopFileCurrentForLevelKeys)
{
    State("base", "[include]\nimageSet=noLoad\n[goals]\ncvar_pointsToWin=3\n");
    State("lvl", "[include]\nimageSet=noLoad\nparent=base\n[eggSet1]\neggNum=12\n");
    ASSERT_EQ(play->LoadState("lvl", 1), 0);
    EXPECT_EQ(get_config_int("eggSet1", "eggNum", 0), 12);
    play->CloseConfig();
    EXPECT_EQ(get_config_int("eggSet1", "eggNum", 0), 0);
}

TEST_F(StateLoaderTest, AParentCycleStopsAtTheRepeat)
{
    State("x", "[include]\nimageSet=noLoad\nparent=y\n[goals]\ncvar_pointsToWin=1\n");
    State("y", "[include]\nimageSet=noLoad\nparent=x\n[goals]\ncvar_pointsToWin=2\n[timing]\ncvar_hSecLaserPulse=8\n");
    State("self", "[include]\nimageSet=noLoad\nparent=self\n[goals]\ncvar_pointsToWin=4\n");
    EXPECT_EQ(play->LoadState("x", 0), 0);
    EXPECT_EQ(play->cvar_pointsToWin, 1);
    EXPECT_EQ(play->cvar_hSecLaserPulse, 8);
    EXPECT_EQ(play->LoadState("self", 0), 0);
    EXPECT_EQ(play->cvar_pointsToWin, 4);
}

TEST_F(StateLoaderTest, LongNamesDoNotOverflow)
{
    const std::string longName(200, 'q');
    State(longName, "[include]\nimageSet=noLoad\nparent=" + std::string(300, 'p') + "\n[goals]\ncvar_pointsToWin=6\n");
    EXPECT_EQ(play->LoadState(longName, 0), 0);
    EXPECT_EQ(play->cvar_pointsToWin, 6);
}

TEST_F(StateLoaderTest, LevelNamesFollowTheGameMode)
{
    struct Case {
        int mode, level;
        const char* name;
    };
    for (Case c : {Case{kModeNormal, 7, "play-7"}, Case{kModeNormal, 35, "play-35"}, Case{kModeRandomMissions, 1, "play-1r"},
                   Case{kModeRandomMissions, 10, "play-1r"}, Case{kModeRandomMissions, 20, "play-2r"},
                   Case{kModeRandomMissions, 21, "play-3r"}, Case{kModeWaves, 11, "play-11"}}) {
        play->gameMode = c.mode;
        play->level = c.level;
        EXPECT_EQ(play->LevelStateName(), c.name) << c.mode << "/" << c.level;
    }
}

TEST_F(StateLoaderTest, NegativeLevelWritesScoresAndLoadsNothing)
{
    State("play-1", "[include]\nimageSet=noLoad\n[goals]\ncvar_pointsToWin=50\n");
    play->level = -1;
    play->bestScores[1] = 100;
    EXPECT_EQ(play->SaveScoresAndLoadLevel(1), 1);
    EXPECT_EQ(play->cvar_pointsToWin, 0);
    EXPECT_NE(ReadFile("score.yk").find("dontcheat = 300"), std::string::npos) << ReadFile("score.yk");
    play->level = 1;
    EXPECT_EQ(play->SaveScoresAndLoadLevel(0), 0);
    EXPECT_EQ(play->cvar_pointsToWin, 50);
}

} // namespace
