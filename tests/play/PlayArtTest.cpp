#include <allegro.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "assets/Asset.h"
#include "play/PlayArt.h"
#include "support/TempDir.h"

namespace {

// The play frame's art follows the registries' generation counters: looked
// up again after the image or font registry loaded or released anything,
// kept as it is while neither changed.
class PlayArtTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        std::filesystem::create_directories(dir / "gfx");
        BITMAP* b = create_bitmap(8, 8);
        clear_to_color(b, makecol(10, 200, 30));
        save_bitmap("gfx/bg.bmp", b, nullptr);
        destroy_bitmap(b);
        WriteFile("data/bitmap-1.ykd", "[guidelines]\ntype = image\nassetdir = gfx\ndefaultext = bmp\n"
                                       "asset1 = bg\n[bg]\ntag = BG_IMG\n");
    }
    // Stands for a pointer the registries never gave out.
    static ALFONT_FONT* Marker() { return reinterpret_cast<ALFONT_FONT*>(&g_fonts); }
};

TEST_F(PlayArtTest, LooksUpAgainOnlyAfterARegistryChanged)
{
    SPlayArt art;
    art.Refresh();
    EXPECT_EQ(art.background, nullptr); // nothing loaded yet

    g_bitmaps.Init();
    g_bitmaps.LoadDefinitions();
    art.Refresh();
    ASSERT_NE(art.background, nullptr);
    EXPECT_EQ(art.background, g_bitmaps.Get("BG_IMG"));

    art.large = Marker(); // set by hand: no registry changed, so it stays
    art.Refresh();
    EXPECT_EQ(art.large, Marker());

    g_fonts.ReleaseAll(); // the font registry alone changed
    art.Refresh();
    EXPECT_EQ(art.large, nullptr);
    EXPECT_EQ(art.background, g_bitmaps.Get("BG_IMG"));

    g_bitmaps.ReleaseAll();
    art.Refresh();
    EXPECT_EQ(art.background, nullptr);
}

TEST_F(PlayArtTest, ArtMarkedCurrentIsKeptUntilTheNextChange)
{
    g_bitmaps.Init();
    g_bitmaps.LoadDefinitions();
    SPlayArt art;
    art.large = Marker();
    art.MarkCurrent();
    art.Refresh();
    EXPECT_EQ(art.large, Marker());
    EXPECT_EQ(art.background, nullptr);

    g_bitmaps.Init();
    g_bitmaps.LoadDefinitions(); // loads the same set again: a change all the same
    art.Refresh();
    EXPECT_EQ(art.large, nullptr);
    EXPECT_EQ(art.background, g_bitmaps.Get("BG_IMG"));
}

} // namespace
