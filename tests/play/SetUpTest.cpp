#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <utility>
#include <vector>

#include "PlayFixture.h"
#include "app/Display.h"
#include "assets/Asset.h"
#include "play/LevelFile.h"
#include "play/StateFile.h"

namespace {

class SetUpTest : public PlayTest {};

TEST_F(SetUpTest, EggRangesColumnsAndSwapsLandInTheArena)
{
    struct Case {
        const char* keys;
        float xLo, xHi; // parts of the arena width
    };
    const Case cases[] = {
        {"eggX=0.25\neggL=0.9\neggR=1.0\n", 0.25f, 0.25f}, // a single column wins over L/R
        {"eggX=-1.0\neggL=0.1\neggR=0.2\n", 0.1f, 0.2f},   // -1 written out is absent
        {"eggL=0.8\neggR=0.6\n", 0.6f, 0.8f},              // reversed range
    };
    for (const Case& c : cases) {
        Level("play-1", std::string("[eggSet1]\neggNum=30\n") + c.keys + "eggT=0\neggB=0.3\n");
        ASSERT_EQ(run->StartLevel(1), 0);
        ASSERT_EQ(play->eggs.size(), 30u);
        const int w = play->arenaRight - play->arenaLeft;
        for (const auto& egg : play->eggs) {
            EXPECT_GE(egg->x, play->arenaLeft + static_cast<int>(c.xLo * w)) << c.keys;
            EXPECT_LE(egg->x, play->arenaLeft + static_cast<int>(c.xHi * w)) << c.keys;
        }
    }
}

TEST_F(SetUpTest, EggsAreSortedByYAndKeptClearOfTheStart)
{
    Level("play-1", "[eggSet1]\neggNum=40\neggL=0.3\neggR=0.7\neggT=0.3\neggB=0.7\n");
    ASSERT_EQ(run->StartLevel(1, 2), 0);
    EXPECT_EQ(play->playerX[0], play->playerX[1]);
    EXPECT_EQ(play->playerY[0], play->playerY[1]);
    const int clearance = static_cast<int>(20 * 1.3);
    int lastY = -1;
    for (const auto& egg : play->eggs) {
        EXPECT_GE(egg->y, lastY);
        lastY = egg->y;
        EXPECT_FALSE(std::abs(egg->x - play->playerX[0]) < clearance && std::abs(egg->y - play->playerY[0]) < clearance);
    }
}

TEST_F(SetUpTest, ZeroWeightsGivePlainEggsHeadingDirectionZero)
{
    Level("play-1", "[eggSet1]\neggNum=10\nl_plainegg_freq=0\neggGoL=0\n");
    ASSERT_EQ(run->StartLevel(1), 0);
    for (const auto& egg : play->eggs) {
        EXPECT_EQ(egg->kind, 0);
        EXPECT_EQ(egg->goDirection, 0);
    }
}

TEST_F(SetUpTest, WeightedChoiceFollowsCumulativeSums)
{
    const int weights[] = {0, 3, 0, 1};
    std::set<int> seen;
    for (int i = 0; i < 200; ++i)
        seen.insert(CStatePlay::WeightedChoice(weights, 4));
    EXPECT_EQ(seen, (std::set<int>{1, 3}));
    const int none[] = {0, 0};
    EXPECT_EQ(CStatePlay::WeightedChoice(none, 2), 0);
}

TEST_F(SetUpTest, WavesReadNoEggOrToySets)
{
    Level("play-3", "[eggSet1]\neggNum=5\n[toySet1]\ntoyNum=3\ntype=FOOD\n");
    ASSERT_EQ(run->StartLevel(3, 1, kModeWaves), 0);
    EXPECT_TRUE(play->eggs.empty());
    EXPECT_TRUE(play->toys.empty());
    ASSERT_EQ(run->StartLevel(3, 1, kModeNormal), 0);
    EXPECT_EQ(play->eggs.size(), 5u);
    EXPECT_EQ(play->toys.size(), 3u);
}

TEST_F(SetUpTest, RandomMissionLevelsShareTheirSystemFile)
{
    Level("play-1r", "[goals]\ncvar_pointsToWin=77\n");
    for (int level : {1, 10}) {
        ASSERT_EQ(run->StartLevel(level, 1, kModeRandomMissions), 0) << level;
        EXPECT_EQ(play->cvar_pointsToWin, 77);
    }
    EXPECT_EQ(run->StartLevel(11, 1, kModeRandomMissions), 1); // play-2r is missing
}

TEST_F(SetUpTest, UnknownToyTypeSkipsTheSetAndCrowdedSetsStillEnd)
{
    Level("play-1", "[toySet1]\ntoyNum=2\ntype=SPLEEN\n[toySet2]\ntoyNum=2\ntype=dust\n"
                    "toyX=0.5\ntoyY=0.5\n"); // only place is the start point
    ASSERT_EQ(run->StartLevel(1), 0);
    ASSERT_EQ(play->toys.size(), 2u);
    EXPECT_EQ(play->toys[0]->type, kToyDust);
}

TEST_F(SetUpTest, MissingLevelLeavesEverythingAndReturnsOne)
{
    Level("play-1", "[eggSet1]\neggNum=3\n");
    ASSERT_EQ(run->StartLevel(1), 0);
    play->level = 2;
    EXPECT_EQ(play->SetUpLevel(), 1);
    EXPECT_EQ(play->eggs.size(), 3u);
}

TEST_F(SetUpTest, CountDownAndPlainLevelMusic)
{
    Level("play-1", "[timing]\ncvar_hSecBeforeLevelStart=300\ncvar_hSecBeforeLevelStartSayGo=100\n");
    CTickTimer::pendingTicks = 9;
    ASSERT_EQ(run->StartLevel(1), 0);
    EXPECT_EQ(play->levelStartAt, CTickTimer::Now() + 300);
    EXPECT_FALSE(g_timer.Pending());
    EXPECT_EQ(g_audio.currentTrack, 1);
}

// Set-up over loaded arena art whose sizes tell every axis apart: the
// arena runs from (35 + 151, 45 + 103) to (1024 - 151 - 35, 768 - 103 - 45).
class ArenaSetUpTest : public PlayTest {
protected:
    static constexpr int kLeft = 186, kTop = 148, kRight = 838, kBottom = 620;
    static constexpr int kW = kRight - kLeft, kH = kBottom - kTop;

    void SetUp() override
    {
        PlayTest::SetUp();
        std::filesystem::create_directories(dir / "gfx");
        const struct {
            const char* name;
            int w, h;
        } images[] = {{"lt", 71, 13}, {"lr", 17, 91}, {"corner", 151, 103}};
        for (const auto& i : images) {
            BITMAP* b = create_bitmap_ex(16, i.w, i.h);
            clear_to_color(b, makecol(40, 80, 120));
            save_bitmap((dir / "gfx" / (std::string(i.name) + ".bmp")).string().c_str(), b, nullptr);
            destroy_bitmap(b);
        }
        WriteFile("data/arena.ykd", "[guidelines]\ntype = image\nassetdir = gfx\ndefaultext = bmp\n"
                                    "asset1 = lt\nasset2 = lr\nasset3 = corner\n"
                                    "[lt]\ntag = LANTERN_T_IMG\n[lr]\ntag = LANTERN_R_IMG\n[corner]\ntag = CORNER_IMG\n");
        g_bitmaps.Init("arena");
        g_bitmaps.LoadDefinitions();
    }
    void TearDown() override
    {
        g_bitmaps.ReleaseAll();
        PlayTest::TearDown();
    }
    // Builds level 1 from the base values and extra sections.
    void Build(const std::string& extra, int players = 1, int mode = kModeNormal)
    {
        Level("play-1", extra);
        ASSERT_EQ(run->StartLevel(1, players, mode), 0) << extra;
    }
};

TEST_F(ArenaSetUpTest, ArenaAndStartPointFollowTheArt)
{
    Build("[setup]\ncvar_playerNormalizedStartX=0.3\ncvar_playerNormalizedStartY=0.75\n");
    EXPECT_EQ(play->arenaLeft, kLeft);
    EXPECT_EQ(play->arenaTop, kTop);
    EXPECT_EQ(play->arenaRight, kRight);
    EXPECT_EQ(play->arenaBottom, kBottom);
    EXPECT_FLOAT_EQ(play->playerFX[0], kLeft + kW * 0.3f);
    EXPECT_FLOAT_EQ(play->playerFY[0], kTop + kH * 0.75f);
    EXPECT_EQ(play->playerX[0], static_cast<int>(kLeft + kW * 0.3f));
    EXPECT_EQ(play->playerY[0], kTop + kH * 3 / 4);
}

TEST_F(ArenaSetUpTest, EggAndToyRangesOnBothAxes)
{
    struct Case {
        const char* keys; // egg keys; the toy keys are the same with "toy"
        float xLo, xHi, yLo, yHi; // parts of the arena
    };
    const Case cases[] = {
        {"X=0.25\nL=0.9\nR=1.0\nY=0.6\nT=0.0\nB=0.1\n", 0.25f, 0.25f, 0.6f, 0.6f}, // columns win
        {"X=-1.0\nL=0.1\nR=0.2\nY=-1.0\nT=0.7\nB=0.9\n", 0.1f, 0.2f, 0.7f, 0.9f},  // -1 is absent
        {"L=0.8\nR=0.6\nT=0.4\nB=0.3\n", 0.6f, 0.8f, 0.3f, 0.4f},                 // reversed
        {"R=0.05\nB=0.05\n", 0.0f, 0.05f, 0.0f, 0.05f},                           // from the near edges
        {"L=0.95\nT=0.95\n", 0.95f, 1.0f, 0.95f, 1.0f},                           // to the far edges
    };
    for (const Case& c : cases) {
        std::string eggKeys, toyKeys;
        for (const char* k = c.keys; *k; ++k) {
            const bool keyStart = k == c.keys || k[-1] == '\n';
            eggKeys += keyStart ? std::string("egg") + *k : std::string(1, *k);
            toyKeys += keyStart ? std::string("toy") + *k : std::string(1, *k);
        }
        // Start point out of the way, in the lower left corner.
        Build("[setup]\ncvar_playerNormalizedStartX=0.0\ncvar_playerNormalizedStartY=1.0\n"
              "[action]\ncvar_crackRadius=0\n"
              "[eggSet1]\neggNum=30\n" + eggKeys + "[toySet1]\ntoyNum=30\ntype=DUST\n" + toyKeys);
        ASSERT_EQ(play->eggs.size(), 30u);
        ASSERT_EQ(play->toys.size(), 30u);
        const int xLo = kLeft + static_cast<int>(c.xLo * kW), xHi = kLeft + static_cast<int>(c.xHi * kW);
        const int yLo = kTop + static_cast<int>(c.yLo * kH), yHi = kTop + static_cast<int>(c.yHi * kH);
        // A range gives lo up to but not including hi; a column gives its line.
        auto within = [](int v, int lo, int hi) { return lo == hi ? v == lo : v >= lo && v < hi; };
        auto check = [&](int x, int y, const char* what) {
            EXPECT_TRUE(within(x, xLo, xHi)) << what << " x " << x << " with\n" << c.keys;
            EXPECT_TRUE(within(y, yLo, yHi)) << what << " y " << y << " with\n" << c.keys;
        };
        for (const auto& egg : play->eggs)
            check(egg->x, egg->y, "egg");
        for (const auto& toy : play->toys)
            check(toy->x, toy->y, "toy");
    }
}

TEST_F(ArenaSetUpTest, BossPlaceAndMusic)
{
    struct Case {
        const char* keys;
        float xLo, xHi, yLo, yHi; // parts of the arena; the upper bounds are not reached
    };
    const Case cases[] = {
        {"bossX=0.25\nbossY=0.75\n", 0.25f, 0.25f, 0.75f, 0.75f},
        {"bossL=0.5\nbossR=0.6\nbossT=0.1\nbossB=0.2\n", 0.5f, 0.6f, 0.1f, 0.2f},
        {"bossX=0.5\nbossL=0.9\nbossR=1.0\n", 0.5f, 0.5f, 0.0f, 1.0f},
        {"bossL=0.8\nbossR=0.6\nbossY=0.5\n", 0.8f, 1.0f, 0.5f, 0.5f}, // reversed: past the first bound
    };
    for (const Case& c : cases) {
        for (int i = 0; i < 8; ++i) {
            Build(std::string("[boss]\ntype=chaser\n") + c.keys);
            const int xLo = kLeft + static_cast<int>(c.xLo * kW), xHi = kLeft + static_cast<int>(c.xHi * kW);
            const int yLo = kTop + static_cast<int>(c.yLo * kH), yHi = kTop + static_cast<int>(c.yHi * kH);
            const int x = play->boss.x, y = play->boss.y;
            EXPECT_TRUE(x >= xLo && (x < xHi || (x == xLo && xLo == xHi))) << x << " with\n" << c.keys;
            EXPECT_TRUE(y >= yLo && (y < yHi || (y == yLo && yLo == yHi))) << y << " with\n" << c.keys;
        }
    }
}

// yk-lint judges a boss area by the shared reading of the level file; set-up
// places the boss from that same reading. Whatever the linter passes must put
// the boss inside the area the file states, and what it rejects must not.
TEST_F(ArenaSetUpTest, LinterAndSetUpAgreeOnBossAreas)
{
    const char* const cases[] = {
        "bossL=0.5\nbossR=0.95\nbossT=0.2\nbossB=0.7\n",
        "bossL=0.95\nbossR=0.5\nbossT=0.2\nbossB=0.7\n", // reversed across
        "bossL=0.5\nbossR=0.95\nbossT=0.7\nbossB=0.2\n", // reversed down
        "bossX=0.3\nbossY=0.6\n",
        "bossL=0.5\nbossR=1.5\nbossY=0.5\n", // past the far wall
    };
    for (const char* keys : cases) {
        bool inside = true;
        std::string verdict;
        for (int i = 0; i < 8; ++i) {
            Build(std::string("[boss]\ntype=chaser\n") + keys);
            const SArena arena{play->arenaLeft, play->arenaTop, play->arenaRight, play->arenaBottom};
            set_config_file(StatePath("play-1").c_str());
            const SBossPlace place = ReadBossPlace(arena, "play-1.yks");
            set_config_file("");
            verdict = place.Problem();
            auto within = [](int v, float a, float b, int origin, int size) {
                const int lo = origin + static_cast<int>(std::min(a, b) * size);
                const int hi = origin + static_cast<int>(std::max(a, b) * size);
                return v >= lo && v <= hi && v >= origin && v <= origin + size;
            };
            inside = inside && within(play->boss.x, place.x.partLo, place.x.partHi, kLeft, kW) &&
                     within(play->boss.y, place.y.partLo, place.y.partHi, kTop, kH);
        }
        EXPECT_EQ(verdict.empty(), inside) << keys << "linter: \"" << verdict << "\"";
    }
}

TEST_F(SetUpTest, BossNamesAndTheirMusic)
{
    struct Case {
        const char* name;
        int type, track;
    };
    const Case cases[] = {
        {"egglay", kBossEggLayer, 8}, {"TCellK", kBossTCellKing, 7}, {"GOBBLE", kBossGobbler, 5},
        {"fiBall", kBossFireball, 6}, {"chaser", kBossChaser, 3},    {"BLOWER", kBossBlower, 4},
        {"stcell", kBossStemCell, 9}, {"dragon", -1, 1},             {"", -1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Level("play-1", std::string("[boss]\ntype=") + c.name + "\nbossX=0.5\nbossY=0.5\n"
                        "[boss-move]\ncvar_boss_walkspeed=2.5\n");
        g_audio.currentTrack = -1;
        ASSERT_EQ(run->StartLevel(1), 0);
        EXPECT_EQ(g_audio.currentTrack, c.track);
        EXPECT_EQ(play->boss.IsDead(), c.type < 0);
        if (c.type < 0)
            continue;
        EXPECT_EQ(play->boss.type, c.type);
        EXPECT_EQ(play->boss.x, 512);
        EXPECT_EQ(play->boss.y, 384);
        EXPECT_FLOAT_EQ(play->boss.walkSpeed, 2.5f); // its tunables come from the level
    }
}

TEST_F(SetUpTest, ToyNames)
{
    const char* names[] = {"tcell", "Food", "FIRE", "nerve", "tooth_u", "Tooth_R", "TOOTH_D", "tooth_l", "Dust"};
    std::string sets;
    for (int t = 0; t < 9; ++t)
        sets += "[toySet" + std::to_string(t + 1) + "]\ntoyNum=1\ntype=" + names[t] + "\ntoyX=" +
                std::to_string(0.1 * (t + 1)) + "\ntoyY=0.1\n";
    Level("play-1", sets);
    ASSERT_EQ(run->StartLevel(1), 0);
    ASSERT_EQ(play->toys.size(), 9u);
    const int types[] = {kToyTCell, kToyFood, kToyFire, kToyNerve, kToyToothU, kToyToothR, kToyToothD, kToyToothL, kToyDust};
    for (int t = 0; t < 9; ++t)
        EXPECT_EQ(play->toys[t]->type, types[t]) << names[t];
}

TEST_F(SetUpTest, SetsAreReadInTurnUntilTheFirstMissingOne)
{
    Level("play-1", "[eggSet1]\neggNum=2\n[eggSet2]\neggNum=3\n[eggSet4]\neggNum=5\n"
                    "[toySet1]\ntoyNum=1\ntype=food\n[toySet2]\ntoyNum=0\ntype=food\n[toySet3]\ntoyNum=4\ntype=food\n");
    ASSERT_EQ(run->StartLevel(1), 0);
    EXPECT_EQ(play->eggs.size(), 5u);
    EXPECT_EQ(play->toys.size(), 1u);
}

TEST_F(SetUpTest, DirectionWeightKeys)
{
    const char* keys[] = {"eggGoRand", "eggGoL", "eggGoR", "eggGoT", "eggGoB"};
    for (int d = 0; d < 5; ++d) {
        Level("play-1", std::string("[eggSet1]\neggNum=6\n") + keys[d] + "=3\n");
        ASSERT_EQ(run->StartLevel(1), 0);
        for (const auto& egg : play->eggs)
            EXPECT_EQ(egg->goDirection, d) << keys[d];
    }
}

TEST_F(SetUpTest, PowerUpWeightKeysAndTheirTunableDefaults)
{
    const char* stems[] = {"plainegg", "magnetic", "disrupt", "mushroom", "trail",
                           "speedup",  "freeze",   "precise", "detonate"};
    for (int k = 0; k < 9; ++k) {
        // Every weight is given (tunables carry over from the level loaded before).
        std::string own = "[eggSet1]\neggNum=6\n", tunables = "[pup_overall]\n";
        for (int i = 0; i < 9; ++i) {
            own += std::string("l_") + stems[i] + "_freq=" + (i == k ? "2" : "0") + "\n";
            tunables += std::string("cvar_pup_") + stems[i] + "_freq=" + (i == k ? "2" : "0") + "\n";
        }
        // The set's own weights...
        Level("play-1", own);
        ASSERT_EQ(run->StartLevel(1), 0);
        for (const auto& egg : play->eggs)
            EXPECT_EQ(egg->kind, k) << "l_" << stems[k] << "_freq";
        // ...or, without them, the level's tunables.
        Level("play-1", tunables + "[eggSet1]\neggNum=6\n");
        ASSERT_EQ(run->StartLevel(1), 0);
        for (const auto& egg : play->eggs)
            EXPECT_EQ(egg->kind, k) << "cvar_pup_" << stems[k] << "_freq";
    }
}

TEST_F(SetUpTest, EggLivesFromTheSetOrTheLevelStartingAtGo)
{
    struct Case {
        const char* keys;
        int lo, hi; // hatch time after set-up, before the count-down shift of 300 - 100
    };
    const Case cases[] = {
        {"", 5000, 6000},                                          // the level's tunables
        {"l_hSecEggMinLife=400\nl_hSecEggMaxLife=450\n", 400, 450},
        {"l_hSecEggMinLife=700\nl_hSecEggMaxLife=600\n", 600, 700}, // reversed
        {"l_hSecEggMaxLife=5100\n", 5000, 5100},
        {"l_hSecEggMinLife=5900\n", 5900, 6000},
    };
    for (const Case& c : cases) {
        Level("play-1", std::string("[timing]\ncvar_hSecBeforeLevelStart=300\ncvar_hSecBeforeLevelStartSayGo=100\n"
                                    "[eggSet1]\neggNum=20\n") + c.keys);
        ASSERT_EQ(run->StartLevel(1), 0);
        const int now = CTickTimer::Now();
        for (const auto& egg : play->eggs) {
            EXPECT_GE(egg->time, now + 200 + c.lo) << c.keys;
            EXPECT_LT(egg->time, now + 200 + c.hi) << c.keys;
        }
    }
}

// Set-up takes its random numbers in a fixed order, on which recorded games
// and the golden frames rely: the two wind clocks; per egg its power-up,
// its heading, x, y and life; per toy x and y; the boss's x and y, then its
// first thinking delay. Here every place is clear at the first try.
TEST_F(SetUpTest, SetUpDrawsItsRandomNumbersInOrder)
{
    Level("play-1", "[setup]\ncvar_playerNormalizedStartX=0.1\ncvar_playerNormalizedStartY=0.1\n"
                    "[action]\ncvar_windXInterval=50\ncvar_windYInterval=70\n"
                    "[eggSet1]\neggNum=6\neggL=0.5\neggR=0.7\neggT=0.6\neggB=0.9\n"
                    "l_hSecEggMinLife=400\nl_hSecEggMaxLife=500\n"
                    "l_plainegg_freq=0\nl_magnetic_freq=1\nl_trail_freq=1\neggGoL=1\neggGoB=1\n"
                    "[toySet1]\ntoyNum=2\ntype=food\ntoyL=0.8\ntoyR=0.9\ntoyT=0.1\ntoyB=0.2\n"
                    "[boss]\ntype=chaser\nbossL=0.1\nbossR=0.3\nbossT=0.6\nbossB=0.8\n");
    const int now = CTickTimer::Now();
    auto between = [](int lo, int hi) { return lo + std::rand() % (hi - lo); };
    std::srand(99);
    const int windX = now + std::rand() % 50, windY = now + std::rand() % 70;
    struct SEgg {
        int x, y, kind, dir, time;
    };
    std::vector<SEgg> eggs;
    for (int e = 0; e < 6; ++e) {
        SEgg egg;
        egg.kind = std::rand() % 2 == 0 ? kPupMagnetic : kPupTrail;
        egg.dir = std::rand() % 2 == 0 ? 1 : 4;
        egg.x = between(512, 716); // 0.5 and 0.7 of 1024
        egg.y = between(460, 691); // 0.6 and 0.9 of 768
        egg.time = now + between(400, 500);
        eggs.push_back(egg);
    }
    std::stable_sort(eggs.begin(), eggs.end(), [](const SEgg& a, const SEgg& b) { return a.y < b.y; });
    int toyX[2], toyY[2];
    for (int t = 0; t < 2; ++t) {
        toyX[t] = between(819, 921);
        toyY[t] = between(76, 153);
    }
    const int bossX = between(102, 307), bossY = between(460, 614);
    const int think = now + std::rand() % 100;

    std::srand(99);
    ASSERT_EQ(run->StartLevel(1), 0);
    EXPECT_EQ(play->nextWindXFlip, windX);
    EXPECT_EQ(play->nextWindYFlip, windY);
    ASSERT_EQ(play->eggs.size(), 6u);
    for (int e = 0; e < 6; ++e) {
        SCOPED_TRACE(e);
        const CEgg& egg = *play->eggs[e];
        EXPECT_EQ(egg.x, eggs[e].x);
        EXPECT_EQ(egg.y, eggs[e].y);
        EXPECT_EQ(egg.kind, eggs[e].kind);
        EXPECT_EQ(egg.goDirection, eggs[e].dir);
        EXPECT_EQ(egg.time, eggs[e].time);
    }
    ASSERT_EQ(play->toys.size(), 2u);
    for (int t = 0; t < 2; ++t) {
        EXPECT_EQ(play->toys[t]->x, toyX[t]);
        EXPECT_EQ(play->toys[t]->y, toyY[t]);
    }
    EXPECT_EQ(play->boss.x, bossX);
    EXPECT_EQ(play->boss.y, bossY);
    EXPECT_EQ(play->boss.nextThink, think);
}

TEST_F(SetUpTest, EggsAndToysKeepClearOfTheStartOnBothAxesAtOnce)
{
    // Crack radius 20: clearance 26. The start point is (512, 384).
    struct Case {
        const char* keys;
        int dx;     // the only distance across that is clear, or -1: any
    };
    const Case cases[] = {
        // Only 25 and 26 to the right on the start row: 26 is the first clear one.
        {"L=0.5245\nR=0.5264\nY=0.5\n", 26},
        // The start column, rows near the start: those 26 or more away are clear.
        {"X=0.5\nT=0.43\nB=0.57\n", -1},
    };
    for (const Case& c : cases) {
        for (const char* prefix : {"egg", "toy"}) {
            std::string keys;
            for (const char* k = c.keys; *k; ++k)
                keys += (k == c.keys || k[-1] == '\n') ? std::string(prefix) + *k : std::string(1, *k);
            const bool eggs = std::string(prefix) == "egg";
            Level("play-1", eggs ? "[eggSet1]\neggNum=20\n" + keys : "[toySet1]\ntoyNum=20\ntype=dust\n" + keys);
            ASSERT_EQ(run->StartLevel(1), 0);
            ASSERT_EQ(play->playerX[0], 512);
            ASSERT_EQ(play->playerY[0], 384);
            std::vector<std::pair<int, int>> at;
            for (const auto& egg : play->eggs)
                at.emplace_back(egg->x, egg->y);
            for (const auto& toy : play->toys)
                at.emplace_back(toy->x, toy->y);
            ASSERT_EQ(at.size(), 20u);
            for (auto [x, y] : at) {
                SCOPED_TRACE(testing::Message() << prefix << " at " << x << ", " << y);
                EXPECT_FALSE(std::abs(x - 512) < 26 && std::abs(y - 384) < 26);
                if (c.dx >= 0) {
                    EXPECT_EQ(x - 512, c.dx);
                }
            }
        }
    }
}

TEST_F(SetUpTest, ToysKeepClearOfEggs)
{
    // Eggs fill a band; toys may only go into the same band or just below it.
    Level("play-1", "[setup]\ncvar_playerNormalizedStartX=0.1\ncvar_playerNormalizedStartY=0.1\n"
                    "[eggSet1]\neggNum=6\neggL=0.4\neggR=0.6\neggY=0.5\n"
                    "[toySet1]\ntoyNum=30\ntype=food\ntoyL=0.4\ntoyR=0.6\ntoyT=0.5\ntoyB=0.56\n");
    ASSERT_EQ(run->StartLevel(1), 0);
    ASSERT_EQ(play->toys.size(), 30u);
    for (const auto& toy : play->toys)
        for (const auto& egg : play->eggs)
            EXPECT_FALSE(std::abs(toy->x - egg->x) < 26 && std::abs(toy->y - egg->y) < 26)
                << "toy " << toy->x << ", " << toy->y << " egg " << egg->x << ", " << egg->y;
}

TEST_F(SetUpTest, ASetUpStartsTheLevelAfresh)
{
    Level("play-1", "[action]\ncvar_windXInterval=50\ncvar_windYInterval=5000\n");
    Level("play-2", "[action]\ncvar_windXInterval=5000\ncvar_windYInterval=50\n");
    for (int level : {1, 2}) {
        SCOPED_TRACE(level);
        // What a level played before left behind.
        play->laserOn = false;
        play->windX = play->windY = 3;
        play->levelPoints = play->freezeUntil = play->levelEndAt = 9;
        play->pausedAt = 5;
        play->goSounded = true;
        for (int p = 0; p < kMaxPlayers; ++p) {
            for (int j = 0; j < kTrailPoints; ++j)
                play->trailX[j][p] = play->trailY[j][p] = 7;
            play->playerPowerFlags[p] = 0x1ff;
            play->aliensKilled[p] = play->eggsSmashed[p] = play->flashUntil[p] = 4;
            play->laserA[p] = play->laserB[p] = play->laserC[p] = play->laserD[p] = 4;
            play->laserAFrac[p] = play->laserBFrac[p] = play->laserCFrac[p] = play->laserDFrac[p] = 0.5f;
        }
        play->aliens.push_back(std::make_unique<CAlien>());
        play->boss.Init(300, 300, kBossChaser);
        play->playerFX[1] = 77; // not in play this time

        const int now = CTickTimer::Now();
        ASSERT_EQ(run->StartLevel(level), 0);
        EXPECT_TRUE(play->laserOn);
        EXPECT_EQ(play->windX, 0);
        EXPECT_EQ(play->windY, 0);
        const int xInterval = level == 1 ? 50 : 5000, yInterval = level == 1 ? 5000 : 50;
        EXPECT_GE(play->nextWindXFlip, now);
        EXPECT_LT(play->nextWindXFlip, now + xInterval);
        EXPECT_GE(play->nextWindYFlip, now);
        EXPECT_LT(play->nextWindYFlip, now + yInterval);
        EXPECT_EQ(play->levelPoints, 0);
        EXPECT_EQ(play->freezeUntil, 0);
        EXPECT_EQ(play->levelEndAt, 0);
        EXPECT_EQ(play->pausedAt, 0);
        EXPECT_FALSE(play->goSounded);
        for (int p = 0; p < kMaxPlayers; ++p) {
            SCOPED_TRACE(p);
            for (int j = 0; j < kTrailPoints; ++j) {
                EXPECT_EQ(play->trailX[j][p], -50.0f);
                EXPECT_EQ(play->trailY[j][p], -50.0f);
            }
            EXPECT_EQ(play->playerPowerFlags[p], 0);
            EXPECT_EQ(play->aliensKilled[p] + play->eggsSmashed[p] + play->flashUntil[p], 0);
            EXPECT_EQ(play->laserA[p] + play->laserB[p] + play->laserC[p] + play->laserD[p], 0);
            EXPECT_EQ(play->laserAFrac[p] + play->laserBFrac[p] + play->laserCFrac[p] + play->laserDFrac[p], 0.0f);
        }
        EXPECT_TRUE(play->aliens.empty());
        EXPECT_TRUE(play->boss.IsDead());
        EXPECT_EQ(play->playerFX[1], 77);
        CTickTimer::SetNow(now + 1000);
    }
}

TEST_F(SetUpTest, NoLevelChangesNothingButThePauseAndTheGoSound)
{
    Level("play-1", "[eggSet1]\neggNum=3\n");
    ASSERT_EQ(run->StartLevel(1), 0);
    play->levelPoints = 5;
    play->laserOn = false;
    play->laserA[0] = 1234;
    play->playerFX[0] = 99;
    play->arenaLeft = 3;
    play->pausedAt = 5;
    play->goSounded = true;
    for (int level : {2, -1}) {
        play->level = level;
        EXPECT_EQ(play->SetUpLevel(), 1);
        EXPECT_EQ(play->eggs.size(), 3u);
        EXPECT_EQ(play->levelPoints, 5);
        EXPECT_FALSE(play->laserOn);
        EXPECT_EQ(play->laserA[0], 1234);
        EXPECT_EQ(play->playerFX[0], 99);
        EXPECT_EQ(play->arenaLeft, 3);
        EXPECT_EQ(play->pausedAt, 0);
        EXPECT_FALSE(play->goSounded);
    }
}

TEST_F(SetUpTest, LeavingFreesTheLevel)
{
    Level("play-1", "[eggSet1]\neggNum=3\n[toySet1]\ntoyNum=2\ntype=food\n[boss]\ntype=chaser\n");
    ASSERT_EQ(run->StartLevel(1), 0);
    play->aliens.push_back(std::make_unique<CAlien>());
    play->Leave();
    EXPECT_TRUE(play->eggs.empty());
    EXPECT_TRUE(play->toys.empty());
    EXPECT_TRUE(play->aliens.empty());
    EXPECT_TRUE(play->boss.IsDead());
}

} // namespace
