// Wild values in level and definition files: each loads held to a range the
// game can take, the level starts, plays and draws, and the clamp is said
// once on stderr with the file and the key.
#include <gtest/gtest.h>

#include <allegro.h>

#include <cmath>
#include <cstring>
#include <string>

#include "assets/Asset.h"
#include "assets/ValueBounds.h"
#include "play/PlayFixture.h"
#include "play/StateFile.h"
#include "play/Tunables.h"
#include "support/SceneArt.h"

namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;

int Occurrences(const std::string& text, const std::string& part)
{
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

constexpr const char* kBossKeys =
    "[boss-move]\ncvar_boss_turnspeed=4\ncvar_boss_walkspeed=1\ncvar_boss_runspeed=2\n"
    "[boss-fight]\ncvar_boss_attackfreq=5\ncvar_boss_damagePerPlayerBump=20\ncvar_boss_damagePerOtherHarm=10\n"
    "cvar_boss_hsecInvincibleWhenHurt=100\n"
    "[boss-think]\ncvar_boss_hsecBetweenThinking=200\ncvar_boss_hsecBetweenThinkingWhenMad=100\n";
// Eggs that hatch at once, so that parasites crawl and draw too.
constexpr const char* kEggs = "[eggSet1]\neggNum=6\nl_hSecEggMinLife=10\nl_hSecEggMaxLife=50\n";

class BadValuesTest : public PlayTest {
protected:
    void SetUp() override
    {
        PlayTest::SetUp();
        ForgetBoundReports();
        WriteSceneArt(dir);
        run->LoadAssets();
    }
    void TearDown() override
    {
        ForgetBoundReports();
        PlayTest::TearDown();
    }
    // Starts level 1 twice (as a retry does), plays and draws some ticks
    // with the arrow keys going, and returns what was said on stderr.
    std::string PlayTwice(const std::string& level)
    {
        Level("play-1", level);
        CaptureStderr();
        for (int round = 0; round < 2; ++round) {
            EXPECT_EQ(run->StartLevel(1), 0);
            placedEggs = play->eggs.size();
            placedToys = play->toys.size();
            for (int t = 0; t < 120; ++t) {
                CHeadlessPlay::SetKey(KEY_LEFT + t / 10 % 4, t % 10 == 0);
                run->Tick();
            }
            CHeadlessPlay::ReleaseAllKeys();
        }
        return GetCapturedStderr();
    }
    size_t placedEggs = 0, placedToys = 0; // as the last start placed them
};

struct SRow {
    const char* input; // sections of level 1
    const char* said;  // the one line's telling part
};

// Tunables, areas, counts and lives past anything the game's arithmetic takes.
TEST_F(BadValuesTest, WildLevelValuesAreHeldAndSaidOnceAndTheLevelPlays)
{
    const std::string file = "play-1.yks: ";
    const SRow rows[] = {
        {"[action]\ncvar_windXPower=nan\ncvar_windXInterval=5\n", "[action] cvar_windXPower is not a number; read as 0"},
        {"[action]\ncvar_windYPower=inf\ncvar_windYInterval=5\n", "[action] cvar_windYPower inf is above 1000"},
        {"[action]\ncvar_crackRadius=-2147483648\n", "[action] cvar_crackRadius -2147483648 is below -10000"},
        {"[action]\ncvar_crackRadius=2147483647\n", "[action] cvar_crackRadius 2147483647 is above 10000"},
        {"[action]\ncvar_movePowerArrow=1e30\n", "[action] cvar_movePowerArrow 1e+30 is above 1000"},
        {"[setup]\ncvar_playerNormalizedStartX=-1e30\n", "[setup] cvar_playerNormalizedStartX -1e+30 is below -1000"},
        {"[timing]\ncvar_hSecBeforeLevelStart=2147483647\n", "[timing] cvar_hSecBeforeLevelStart 2147483647 is above"},
        {"[pup_mushroom]\ncvar_pup_mushroom_laserWidthNormal=nan\n", "[pup_mushroom] cvar_pup_mushroom_laserWidthNormal is not a number"},
        {"[eggSet1]\neggNum=5\neggX=1e30\n", "[eggSet1] eggX 1e+30 is above 10"},
        {"[eggSet1]\neggNum=5\neggT=-1e30\neggB=nan\n", "[eggSet1] eggT -1e+30 is below -10"},
        {"[eggSet1]\neggNum=5\neggL=nan\n", "[eggSet1] eggL is not a number; read as 0"},
        {"[eggSet1]\neggNum=2147483647\n", "[eggSet1] eggNum 2147483647 is above 500"},
        {"[eggSet1]\neggNum=400\n[eggSet2]\neggNum=400\n", "[eggSet2] eggNum 400 is above 100"},
        {"[eggSet1]\neggNum=5\nl_hSecEggMinLife=-2147483648\n", "[eggSet1] l_hSecEggMinLife -2147483648 is below"},
        {"[eggSet1]\neggNum=5\nl_speedup_freq=2147483647\nl_detonate_freq=2147483647\n",
         "[eggSet1] l_speedup_freq 2147483647 is above 1000000"},
        {"[toySet1]\ntoyNum=50000\ntype=NERVE\n", "[toySet1] toyNum 50000 is above 100"},
        {"[toySet1]\ntoyNum=3\ntype=TCELL\ntoyX=-1e30\n", "[toySet1] toyX -1e+30 is below -10"},
    };
    for (const SRow& r : rows) {
        ForgetBoundReports();
        // A section stated twice reads from its first, so the row's own come first.
        const std::string said = PlayTwice(std::string(r.input) + kEggs);
        EXPECT_EQ(Occurrences(said, file + r.said), 1) << r.input << "\nstderr:\n" << said;
        for (const STunable& t : PlayTunables())
            EXPECT_TRUE(std::isfinite(t.Get(*play))) << r.input << t.key;
        EXPECT_LE(placedEggs, 500u) << r.input;
        EXPECT_LE(placedToys, 100u) << r.input;
    }
}

TEST_F(BadValuesTest, WildBossValuesAreHeldAndUnknownBossesAreSaid)
{
    const SRow rows[] = {
        {"[boss]\ntype=CHASER\nbossX=99999999\n", "[boss] bossX 1e+08 is above 10"},
        {"[boss]\ntype=EGGLAY\nbossT=-1e30\nbossB=1e30\n", "[boss] bossT -1e+30 is below -10"},
        {"[boss]\ntype=CHASER\n[boss-move]\ncvar_boss_walkspeed=nan\ncvar_boss_turnspeed=2147483647\n",
         "[boss-move] cvar_boss_walkspeed is not a number"},
        {"[boss]\ntype=CHASER\n[boss-move]\ncvar_boss_turnspeed=2147483647\n",
         "[boss-move] cvar_boss_turnspeed 2147483647 is above 256"},
        {"[boss]\ntype=DRAGON\n", "[boss] unknown boss type \"DRAGON\"; the level has no boss"},
    };
    for (const SRow& r : rows) {
        ForgetBoundReports();
        const std::string said = PlayTwice(std::string(r.input) + kEggs + kBossKeys);
        EXPECT_GE(Occurrences(said, "play-1.yks: " + std::string(r.said)), 1) << r.input << "\nstderr:\n" << said;
        if (std::string(r.said).find("unknown") == std::string::npos) {
            EXPECT_EQ(Occurrences(said, "play-1.yks: " + std::string(r.said)), 1) << r.input << said;
        }
    }
    EXPECT_TRUE(play->boss.IsDead()); // the last row: no boss, as for an unknown toy
}

// A generated chain thousands of files deep stops at kMaxParentDepth files:
// the files beyond are not read at all, and the line says where it stopped.
TEST_F(BadValuesTest, ParentChainsStopAtTheirDepthLimit)
{
    const int depth = 400;
    for (int i = 1; i < depth; ++i)
        State("deep-" + std::to_string(i), "[include]\nimageSet=noLoad\nparent=deep-" + std::to_string(i + 1) + "\n");
    // Only the farthest file would make the level winnable with one point.
    State("deep-" + std::to_string(depth), "[include]\nimageSet=noLoad\n[goals]\ncvar_pointsToWin=1\n");
    State("play-1", "[include]\nimageSet=noLoad\nparent=deep-1\n");
    CaptureStderr();
    ASSERT_EQ(play->LoadState("play-1", 0), 0);
    ASSERT_EQ(play->LoadState("play-1", 0), 0);
    const std::string said = GetCapturedStderr();
    const std::string last = "deep-" + std::to_string(kMaxParentDepth - 1);
    EXPECT_EQ(Occurrences(said, last + ".yks: [include] parent \"deep-" + std::to_string(kMaxParentDepth) +
                                    "\" would make the chain longer than 64 files"),
              1)
        << said;
    EXPECT_EQ(play->cvar_pointsToWin, 0); // as before the load: the farthest file was never read
}

// Frame lists in image sets: a count with no step and a rectangle whose
// corner and size overflow an int between them.
TEST_F(BadValuesTest, WildFrameListsAreHeldAndTheParasitesStillDraw)
{
    struct SFrameRow {
        const char* from;
        const char* to;
        const char* said;
        int frames;
    } rows[] = {
        {"fDX = 32\nfN = 4", "fN = 100000000", "] fN 100000000 is above 1024", 1024},
        {"fX1 = 0\nfY1 = 0\nfW1 = 32", "fX1 = 1073741829\nfY1 = 0\nfW1 = 1073741824", "lies outside its", 0},
    };
    const std::filesystem::path ykd = dir / "data" / "bitmap-1.ykd";
    const std::string original = ReadFile("data/bitmap-1.ykd");
    for (const SFrameRow& r : rows) {
        // The first parasite colour's section is the first with four frames.
        std::string text = original;
        const size_t at = text.find(r.from, text.find("ALIEN_Y_IMG"));
        ASSERT_NE(at, std::string::npos);
        text.replace(at, std::strlen(r.from), r.to);
        WriteFile("data/bitmap-1.ykd", text);
        ForgetBoundReports();
        CaptureStderr();
        g_bitmaps.ReleaseAll();
        run->LoadAssets();
        std::string said = GetCapturedStderr();
        EXPECT_EQ(Occurrences(said, r.said), 1) << said;
        EXPECT_NE(said.find("bitmap-1.ykd"), std::string::npos) << said;
        EXPECT_EQ(g_bitmaps.GetFrameCount("ALIEN_Y_IMG"), r.frames);
        said = PlayTwice(kEggs);
        EXPECT_FALSE(play->aliens.empty());
    }
    WriteFile("data/bitmap-1.ykd", original);
}

// Sets that name nothing: the line says which file, and nothing loads.
TEST_F(BadValuesTest, MissingAndEmptyDefinitionFilesAreSaid)
{
    WriteFile("data/sound-empty.ykd", "");
    const struct {
        const char* set;
        const char* said;
    } rows[] = {
        {"bitmap-gone", "data/bitmap-gone.ykd: image set is missing; its images stay empty"},
        {"sound-empty", "data/sound-empty.ykd: sound set names no assets"},
    };
    for (const auto& r : rows) {
        CaptureStderr();
        if (r.set[0] == 'b') {
            g_bitmaps.Init(r.set);
            g_bitmaps.LoadDefinitions();
        } else {
            g_sounds.SetDefinitionName(r.set);
            g_sounds.LoadDefinitions();
        }
        const std::string said = GetCapturedStderr();
        EXPECT_EQ(Occurrences(said, r.said), 1) << said;
    }
    // A level file naming an image set that is not there says so as it loads.
    State("play-1", "[include]\nimageSet=bitmap-nowhere\nparent=base\n");
    CaptureStderr();
    play->LoadState("play-1", 0);
    EXPECT_EQ(Occurrences(GetCapturedStderr(), "data/bitmap-nowhere.ykd: image set is missing"), 1);
}

} // namespace
