// Every definition file of the data directory names files that exist and
// load, and together they hold every tag the game looks up.
#include <set>

#include "assets/Asset.h"
#include "content/DataDirFixture.h"
#include "text/Ttf.h"

namespace {

class DefinitionFilesTest : public DataDirTest {};

TEST_F(DefinitionFilesTest, EveryImageLoadsAndItsFramesLieInside)
{
    for (const std::string& name : ImageSets()) {
        const Set set = ReadSet(name);
        ASSERT_TRUE(set.exists) << name;
        EXPECT_EQ(ustricmp(set.type.c_str(), "image"), 0) << name;
        EXPECT_FALSE(set.assets.empty()) << name;
        for (const Asset& a : set.assets) {
            BITMAP* bmp = load_bitmap(a.path.c_str(), nullptr);
            ASSERT_NE(bmp, nullptr) << name << ": " << a.tag << " from " << a.path;
            if (a.frames > 0) {
                const int lastX = a.fx + (a.frames - 1) * a.fdx;
                EXPECT_GE(a.fx, 0) << a.tag;
                EXPECT_LE(lastX + a.fw, bmp->w) << a.tag;
                EXPECT_LE(a.fy + a.fh, bmp->h) << a.tag;
            }
            destroy_bitmap(bmp);
        }
    }
}

TEST_F(DefinitionFilesTest, EverySoundLoads)
{
    const Set set = ReadSet("sfx-1");
    ASSERT_TRUE(set.exists);
    EXPECT_EQ(ustricmp(set.type.c_str(), "sound"), 0);
    const std::set<std::string> wanted = {"ANVIL_SFX", "BEEP_SFX", "BIRTH_SFX", "CRASH_SFX", "GO_SFX", "HATCH_SFX",
                                          "KILL_ALIEN_SFX", "LASER_SFX", "LOSEPADDLE_SFX", "OW_SFX", "PUSH_SFX"};
    std::set<std::string> found;
    for (const Asset& a : set.assets) {
        SAMPLE* s = load_wav(a.path.c_str());
        ASSERT_NE(s, nullptr) << a.tag << " from " << a.path;
        // Effects are short: they are queued every frame.
        EXPECT_LT(s->len, unsigned(s->freq * 3 / 2)) << a.tag;
        EXPECT_EQ(s->bits, 16) << a.tag;
        destroy_sample(s);
        found.insert(a.tag);
    }
    EXPECT_EQ(found, wanted);
}

TEST_F(DefinitionFilesTest, FontsLoadWhenTheirSetExists)
{
    const Set set = ReadSet("font-1");
    ASSERT_TRUE(set.exists) << "font-1.ykd is one of the hand-made data files";
    EXPECT_EQ(ustricmp(set.type.c_str(), "font"), 0);
    ttf_init();
    for (const Asset& a : set.assets) {
        ALFONT_FONT* f = ttf_load_font(a.path.c_str());
        EXPECT_NE(f, nullptr) << a.tag << " from " << a.path;
        ttf_destroy_font(f);
    }
}

// The game's own registries find every tag of every set, with its frames.
TEST_F(DefinitionFilesTest, RegistriesFindEveryTag)
{
    for (const std::string& name : ImageSets()) {
        CAssetBitmap bitmaps;
        bitmaps.Init(name);
        bitmaps.LoadDefinitions();
        for (const Asset& a : ReadSet(name).assets) {
            EXPECT_NE(bitmaps.Get(a.tag), nullptr) << name << ": " << a.tag;
            EXPECT_EQ(bitmaps.GetFrameCount(a.tag), a.frames) << name << ": " << a.tag;
        }
        bitmaps.ReleaseAll();
    }
    CAssetSound sounds;
    sounds.Init();
    sounds.LoadDefinitions();
    for (const Asset& a : ReadSet("sfx-1").assets)
        EXPECT_NE(sounds.Get(a.tag), nullptr) << a.tag;
    sounds.ReleaseAll();
    CAssetFont fonts;
    fonts.Init();
    fonts.LoadDefinitions();
    for (const Asset& a : ReadSet("font-1").assets)
        EXPECT_NE(fonts.Get(a.tag), nullptr) << a.tag;
    fonts.ReleaseAll();
}

// Where each image tag the game looks up must be defined. "BG_IMG" lives
// in every organ-system set and nowhere else: a tag in "bitmap-1" would
// shadow the system's own.
const struct { const char* set; std::vector<const char*> tags; } kTagHomes[] = {
    {"bitmap-menu", {"TITLE_IMG"}},
    {"bitmap-level",
     {"LEV_SEL_IMG", "LEV_SEL_G_IMG", "LEV_BAR_IMG", "P_SPIN_IMG", "V_SCALE_IMG", "MODE_NO_IMG", "MODE_YES_IMG",
      "MODE_HERE_IMG", "F_BOMB_IMG", "HELP_IMG", "SETTINGS_IMG"}},
    {"bitmap-1",
     {"CORNER_IMG", "LANTERN_T_IMG", "LANTERN_R_IMG", "LANTERN_B_IMG", "LANTERN_L_IMG", "LANTERN_T_1_IMG",
      "LANTERN_R_1_IMG", "LANTERN_B_1_IMG", "LANTERN_L_1_IMG", "LANTERN_T_2_IMG", "LANTERN_R_2_IMG",
      "LANTERN_B_2_IMG", "LANTERN_L_2_IMG", "PUCK_IMG", "PUCK_SPIKES_IMG", "PUCK_1_IMG", "PUCK_1_SPIKES_IMG",
      "PUCK_2_IMG", "PUCK_2_SPIKES_IMG", "ACID_IMG", "EGG_IMG", "EGGPUP_IMG", "EGGSHELL_IMG", "EGGPUPSHELL_IMG",
      "PUP_MAG_IMG", "PUP_DIS_IMG", "PUP_GRO_IMG", "PUP_ACI_IMG", "PUP_SPE_IMG", "PUP_FRE_IMG", "PUP_LAS_IMG",
      "PUP_BOM_IMG", "ALIEN_Y_IMG", "ALIEN_G_IMG", "ALIEN_R_IMG", "ALIEN_B_IMG", "ALIEN_W_IMG", "TOY_TCELL_IMG",
      "TOY_FOOD_IMG", "TOY_FIRE_IMG", "TOY_NERVE_IMG", "TOY_TOOTH_U_IMG", "TOY_TOOTH_R_IMG", "TOY_TOOTH_D_IMG",
      "TOY_TOOTH_L_IMG", "TOY_DUST_IMG", "BOSS_EGGLAY_IMG", "BOSS_TCELLK_IMG", "BOSS_GOBBLE_IMG",
      "BOSS_FIBALL_IMG", "BOSS_CHASER_IMG", "BOSS_BLOWER_IMG", "BOSS_BLOWER2_IMG", "STEMCELL_IMG",
      "STEMCELL_FLASH_IMG"}},
};

TEST_F(DefinitionFilesTest, EveryImageTagLivesInItsOwnSet)
{
    std::map<std::string, std::vector<std::string>> where; // tag -> sets
    for (const std::string& name : ImageSets())
        for (const Asset& a : ReadSet(name).assets)
            where[a.tag].push_back(name);
    size_t expected = 0;
    for (const auto& home : kTagHomes)
        for (const char* tag : home.tags) {
            EXPECT_EQ(where[tag], std::vector<std::string>{home.set}) << tag;
            ++expected;
        }
    EXPECT_EQ(where["BG_IMG"], SystemSets());
    EXPECT_EQ(where.size(), expected + 1) << "a set defines a tag the game never uses";
}

} // namespace
