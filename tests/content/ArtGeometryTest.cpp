// The sizes the game's code relies on, and masked sprites that keep their
// anti-aliasing away from the mask colour.
#include <map>

#include "content/DataDirFixture.h"

namespace {

class ArtGeometryTest : public DataDirTest {
protected:
    void SetUp() override
    {
        DataDirTest::SetUp();
        for (const std::string& name : ImageSets())
            for (const Asset& a : ReadSet(name).assets)
                assets[a.tag + "@" + name] = a;
    }
    void TearDown() override
    {
        for (auto& [key, bmp] : loaded)
            destroy_bitmap(bmp);
        DataDirTest::TearDown();
    }
    // The picture of a tag, from the given set or, by default, the only one.
    BITMAP* Image(const std::string& tag, const std::string& set = "")
    {
        for (const auto& [key, a] : assets)
            if (a.tag == tag && (set.empty() || key == tag + "@" + set)) {
                if (!loaded.count(key))
                    loaded[key] = load_bitmap(a.path.c_str(), nullptr);
                return loaded[key];
            }
        return nullptr;
    }
    const Asset* Find(const std::string& tag)
    {
        for (const auto& [key, a] : assets)
            if (a.tag == tag)
                return &a;
        return nullptr;
    }

    std::map<std::string, Asset> assets;
    std::map<std::string, BITMAP*> loaded;
};

struct SizeRule {
    const char* tag;
    int minW, maxW, minH, maxH;
};

// Full-screen pictures are exact; the rest follow the menu hotspots, the
// HUD offsets and the gameplay radii.
const SizeRule kSizes[] = {
    {"TITLE_IMG", 1024, 1024, 768, 768},     {"LEV_SEL_IMG", 1024, 1024, 768, 768},
    {"LEV_SEL_G_IMG", 1024, 1024, 768, 768}, {"HELP_IMG", 1024, 1024, 768, 768},
    {"LEV_BAR_IMG", 1024, 1024, 66, 120},    {"P_SPIN_IMG", 120, 140, 120, 140},
    {"V_SCALE_IMG", 80, 88, 14, 22},         {"MODE_NO_IMG", 66, 100, 60, 60},
    {"MODE_YES_IMG", 66, 100, 60, 60},       {"MODE_HERE_IMG", 66, 100, 60, 60},
    {"F_BOMB_IMG", 20, 34, 30, 46},          {"CORNER_IMG", 160, 180, 122, 135},
    {"LANTERN_T_IMG", 56, 72, 20, 28},       {"LANTERN_R_IMG", 20, 28, 56, 72},
    {"PUCK_IMG", 36, 44, 36, 44},            {"PUCK_SPIKES_IMG", 44, 56, 44, 56},
    {"EGG_IMG", 28, 36, 28, 36},             {"ALIEN_W_IMG", 28, 36, 28, 36},
    {"BOSS_CHASER_IMG", 90, 110, 90, 110},   {"BOSS_BLOWER_IMG", 90, 110, 90, 110},
    {"STEMCELL_IMG", 720, 1024, 480, 768},   {"STEMCELL_FLASH_IMG", 8, 8, 8, 8},
};

TEST_F(ArtGeometryTest, SizesFitTheCode)
{
    for (const SizeRule& r : kSizes) {
        BITMAP* b = Image(r.tag);
        ASSERT_NE(b, nullptr) << r.tag;
        EXPECT_GE(b->w, r.minW) << r.tag;
        EXPECT_LE(b->w, r.maxW) << r.tag;
        EXPECT_GE(b->h, r.minH) << r.tag;
        EXPECT_LE(b->h, r.maxH) << r.tag;
    }
    for (const std::string& set : SystemSets()) {
        BITMAP* bg = Image("BG_IMG", set);
        ASSERT_NE(bg, nullptr) << set;
        EXPECT_EQ(bg->w, 1024);
        EXPECT_EQ(bg->h, 768);
    }
}

TEST_F(ArtGeometryTest, AlienStripsHaveEqualFrameCounts)
{
    const Asset* y = Find("ALIEN_Y_IMG");
    ASSERT_NE(y, nullptr);
    EXPECT_GE(y->frames, 2) << "aliens wriggle";
    for (const char* tag : {"ALIEN_G_IMG", "ALIEN_R_IMG", "ALIEN_B_IMG"}) {
        const Asset* a = Find(tag);
        ASSERT_NE(a, nullptr) << tag;
        EXPECT_EQ(a->frames, y->frames) << tag;
        EXPECT_EQ(a->fw, y->fw) << tag;
    }
    EXPECT_EQ(Find("ALIEN_W_IMG")->frames, 0);
}

// A sprite pixel next to the mask colour must not be a blend toward it
// (pinkish purple), which would show as a fringe on every background.
bool MagentaFringe(int c)
{
    const int r = getr(c), g = getg(c), b = getb(c);
    return r > 120 && b > 120 && g < r / 2 && g < b / 2;
}

TEST_F(ArtGeometryTest, SpriteEdgesDoNotBlendIntoTheMask)
{
    const int mask = bitmap_mask_color(screen ? screen : create_bitmap(1, 1));
    for (const auto& [key, a] : assets) {
        if (a.tag.find("LEV_") == 0 || a.tag == "TITLE_IMG" || a.tag == "HELP_IMG" || a.tag == "BG_IMG")
            continue; // opaque pictures
        BITMAP* b = Image(a.tag, key.substr(key.find('@') + 1));
        ASSERT_NE(b, nullptr) << a.tag;
        int fringe = 0;
        for (int y = 0; y < b->h; ++y)
            for (int x = 0; x < b->w; ++x) {
                const int c = getpixel(b, x, y);
                if (c == mask || !MagentaFringe(c))
                    continue;
                const bool edge = getpixel(b, x - 1, y) == mask || getpixel(b, x + 1, y) == mask ||
                                  getpixel(b, x, y - 1) == mask || getpixel(b, x, y + 1) == mask;
                fringe += edge;
            }
        EXPECT_EQ(fringe, 0) << a.tag;
    }
}

} // namespace
