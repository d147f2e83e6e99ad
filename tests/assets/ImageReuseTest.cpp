// A level's set-up releases and reloads its image sets; within one set-up
// an image whose file is unchanged is taken back instead of decoded again,
// and one whose file changed is read afresh.
#include <allegro.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "assets/AssetBitmap.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

class ImageReuseTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        WriteFile("data/bitmap-one.ykd", "[guidelines]\ntype = image\nassetdir = data\\img\ndefaultext = bmp\n"
                                         "asset1 = pic\n[pic]\ntag = PIC_IMG\n");
        fs::create_directories(dir / "data" / "img");
    }
    // An 8x4 picture of one colour.
    void WritePicture(int r, int g, int b)
    {
        BITMAP* pic = create_bitmap_ex(16, 8, 4);
        clear_to_color(pic, makecol16(r, g, b));
        save_bitmap(Picture().c_str(), pic, nullptr);
        destroy_bitmap(pic);
    }
    fs::path Picture() const { return dir / "data" / "img" / "pic.bmp"; }
    int Loaded()
    {
        g_bitmaps.ReleaseAll();
        g_bitmaps.Init("bitmap-one");
        g_bitmaps.LoadDefinitions();
        BITMAP* pic = g_bitmaps.Get("PIC_IMG");
        return pic ? getpixel(pic, 3, 2) : -1;
    }
};

TEST_F(ImageReuseTest, AnUnchangedFileIsTakenBackAndAChangedOneReadAfresh)
{
    WritePicture(255, 0, 0);
    ASSERT_EQ(Loaded(), makecol16(255, 0, 0));
    {
        CAssetBitmap::CReuseScope reuse;
        // The same bytes' length and time on disk: the kept image comes back
        // (the new colour would show had the file been decoded again).
        const auto time = fs::last_write_time(Picture());
        WritePicture(0, 255, 0);
        fs::last_write_time(Picture(), time);
        EXPECT_EQ(Loaded(), makecol16(255, 0, 0));
        // A file written since (a later time) is read afresh.
        fs::last_write_time(Picture(), time + std::chrono::seconds(5));
        EXPECT_EQ(Loaded(), makecol16(0, 255, 0));
    }
    // Outside a set-up nothing is kept: every load decodes.
    const auto time = fs::last_write_time(Picture());
    WritePicture(0, 0, 255);
    fs::last_write_time(Picture(), time);
    EXPECT_EQ(Loaded(), makecol16(0, 0, 255));
    g_bitmaps.ReleaseAll();
}

} // namespace
