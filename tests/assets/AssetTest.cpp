#include <allegro.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <jpgalleg.h>
#include <loadpng.h>

#include <algorithm>
#include <string>
#include <vector>

#include "assets/Asset.h"
#include "support/TempDir.h"
#include "text/Ttf.h"

namespace {

using ::testing::HasSubstr;
using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;

int LineCount(const std::string& s) { return static_cast<int>(std::count(s.begin(), s.end(), '\n')); }

// Colour of the 32-pixel column i of a fixture strip.
int ColumnColour(int i) { return makecol(40 * (i + 1), 255 - 50 * i, 20 * i); }

class AssetTest : public TempDirTest {
protected:
    // A w by h image of 32-pixel coloured columns, saved by extension.
    void WriteImage(const std::string& path, int w, int h)
    {
        std::filesystem::create_directories((dir / path).parent_path());
        BITMAP* b = create_bitmap(w, h);
        for (int x = 0; x < w; x += 32)
            rectfill(b, x, 0, x + 31, h - 1, ColumnColour(x / 32));
        const std::string ext = path.substr(path.rfind('.') + 1);
        if (ext == "png")
            save_png(path.c_str(), b, nullptr);
        else if (ext == "jpg")
            save_jpg(path.c_str(), b, nullptr);
        else
            save_bitmap(path.c_str(), b, nullptr);
        destroy_bitmap(b);
    }

    // An 8-bit mono PCM wave of n samples.
    void WriteWav(const std::string& path, int n)
    {
        auto le = [](uint32_t v, int bytes) {
            std::string s;
            for (int i = 0; i < bytes; ++i)
                s += char((v >> (8 * i)) & 0xFF);
            return s;
        };
        std::string wav = "RIFF" + le(36 + n, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) + le(11025, 4) +
                          le(11025, 4) + le(1, 2) + le(8, 2) + "data" + le(n, 4) + std::string(n, char(128));
        WriteFile(path, wav);
    }

    static std::string CurrentConfigType() { return get_config_string("guidelines", "type", "(none)"); }
};

TEST_F(AssetTest, DefinitionFileNamesSectionsPathsAndTags)
{
    WriteImage("gfx/plain.bmp", 64, 32);
    WriteImage("gfx/shared.bmp", 32, 16);
    WriteImage("gfx/withext.png", 96, 32);
    WriteImage("gfx/gap.bmp", 32, 32);
    WriteFile("data/set.ykd", "[guidelines]\ntype = Image\nassetdir = gfx\ndefaultext = bmp\n"
                              "asset1 = plain\nasset2 = other\nasset3 = withext\nasset5 = gap\n"
                              "[plain]\ntag = PLAIN_IMG\n"
                              "[other]\nfilenameoverride = shared\n"
                              "[withext]\ntag = PNG_IMG\next = png\n"
                              "[gap]\ntag = GAP_IMG\n");
    CAssetBitmap bitmaps;
    EXPECT_EQ(bitmaps.Init("set"), 0);
    CaptureStderr();
    EXPECT_EQ(bitmaps.LoadDefinitions(), 0);
    EXPECT_EQ(GetCapturedStderr(), "");
    EXPECT_EQ(bitmaps.GetType(), 1);
    ASSERT_NE(bitmaps.Get("PLAIN_IMG"), nullptr);
    EXPECT_EQ(bitmaps.Get("PLAIN_IMG")->w, 64);
    EXPECT_EQ(getpixel(bitmaps.Get("PLAIN_IMG"), 40, 5), ColumnColour(1));
    ASSERT_NE(bitmaps.Get("___"), nullptr); // no tag
    EXPECT_EQ(bitmaps.Get("___")->h, 16);
    ASSERT_NE(bitmaps.Get("PNG_IMG"), nullptr);
    EXPECT_EQ(getpixel(bitmaps.Get("PNG_IMG"), 70, 5), ColumnColour(2));
    EXPECT_EQ(bitmaps.Get("GAP_IMG"), nullptr); // after the numbering gap
    EXPECT_EQ(bitmaps.Get("NEVER_IMG"), nullptr);
    EXPECT_EQ(CurrentConfigType(), "(none)"); // the definition file is no longer current
    bitmaps.ReleaseAll();
    EXPECT_EQ(bitmaps.Get("PLAIN_IMG"), nullptr);
}

TEST_F(AssetTest, MissingDefinitionFileLoadsNothingAndSaysSo)
{
    CAssetBitmap bitmaps;
    bitmaps.Init();
    EXPECT_EQ(bitmaps.GetDefinitionFile(), "data\\bitmap-1.ykd");
    CaptureStderr();
    EXPECT_EQ(bitmaps.LoadDefinitions(), 0);
    EXPECT_EQ(GetCapturedStderr(), "data/bitmap-1.ykd: image set is missing; its images stay empty\n");
    EXPECT_EQ(bitmaps.GetType(), 0);
    EXPECT_EQ(bitmaps.Get("___"), nullptr);
}

int g_fakeJpgLoads = 0; // calls of the stand-in "jpg" file type

BITMAP* FakeJpgLoader(const char*, RGB*)
{
    ++g_fakeJpgLoads;
    return create_bitmap(3, 3);
}

TEST_F(AssetTest, OnlyTheExactExtensionJpgGoesToTheJpegDecoder)
{
    WriteImage("gfx/photo.jpg", 64, 32);
    WriteImage("gfx/upper.JPG", 64, 32);
    WriteFile("data/set.ykd", "[guidelines]\ntype = image\nassetdir = gfx\ndefaultext = jpg\nasset1 = photo\nasset2 = upper\n"
                              "[photo]\ntag = PHOTO_IMG\n[upper]\ntag = UPPER_IMG\next = JPG\n");
    // load_bitmap picks a loader by extension without regard to case.
    register_bitmap_file_type("jpg", FakeJpgLoader, nullptr);
    g_fakeJpgLoads = 0;
    CAssetBitmap bitmaps;
    bitmaps.Init("set");
    bitmaps.LoadDefinitions();
    register_bitmap_file_type("jpg", load_jpg, save_jpg);
    ASSERT_NE(bitmaps.Get("PHOTO_IMG"), nullptr);
    EXPECT_EQ(bitmaps.Get("PHOTO_IMG")->w, 64);
    ASSERT_NE(bitmaps.Get("UPPER_IMG"), nullptr);
    EXPECT_EQ(bitmaps.Get("UPPER_IMG")->w, 3);
    EXPECT_EQ(g_fakeJpgLoads, 1);
    bitmaps.ReleaseAll();
}

TEST_F(AssetTest, FilesThatFailToLoadLeaveNullEntriesAndSayWhich)
{
    WriteFile("gfx/broken.png", "not a picture");
    WriteFile("data/set.ykd", "[guidelines]\ntype = image\nassetdir = gfx\ndefaultext = png\nasset1 = gone\nasset2 = broken\n"
                              "[gone]\ntag = GONE_IMG\nfX1 = 0\nfY1 = 0\nfW1 = 8\nfH1 = 8\nfN = 2\n"
                              "[broken]\ntag = BROKEN_IMG\n");
    CAssetBitmap bitmaps;
    bitmaps.Init("set");
    CaptureStderr();
    bitmaps.LoadDefinitions();
    const std::string err = GetCapturedStderr();
    EXPECT_EQ(LineCount(err), 2) << err;
    EXPECT_THAT(err, HasSubstr("GONE_IMG"));
    EXPECT_THAT(err, HasSubstr("gfx/gone.png"));
    EXPECT_THAT(err, HasSubstr("BROKEN_IMG"));
    EXPECT_THAT(err, HasSubstr("gfx/broken.png"));
    EXPECT_EQ(bitmaps.Get("GONE_IMG"), nullptr);
    EXPECT_EQ(bitmaps.GetFrameCount("GONE_IMG"), 0);
    bitmaps.ReleaseAll();
}

TEST_F(AssetTest, FramesAreCutAsDescribed)
{
    WriteImage("gfx/strip.png", 128, 32);
    WriteFile("data/set.ykd", "[guidelines]\ntype = image\nassetdir = gfx\ndefaultext = png\n"
                              "asset1 = strip\nasset2 = listed\nasset3 = stepped\nasset4 = plain\n"
                              "[strip]\ntag = STRIP_IMG\nfX1 = 0\nfY1 = 0\nfW1 = 32\nfH1 = 32\nfDX = 32\nfN = 4\n"
                              "[listed]\ntag = LISTED_IMG\nfilenameoverride = strip\n"
                              "fX1 = 96\nfY1 = 8\nfW1 = 16\nfH1 = 16\nfX2 = 64\nfX3 = -1\n"
                              "[stepped]\ntag = STEPPED_IMG\nfilenameoverride = strip\nfDX = 33\nfN = 1\n"
                              "fY1 = 0\nfW1 = 8\nfH1 = 8\n"
                              "[plain]\ntag = PLAIN_IMG\nfilenameoverride = strip\n");
    CAssetBitmap bitmaps;
    bitmaps.Init("set");
    CaptureStderr();
    bitmaps.LoadDefinitions();
    EXPECT_EQ(GetCapturedStderr(), "");

    EXPECT_EQ(bitmaps.GetFrameCount("STRIP_IMG"), 4);
    for (int i = 0; i < 4; ++i) {
        BITMAP* f = bitmaps.GetFrame("STRIP_IMG", i);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->w, 32);
        EXPECT_EQ(f->h, 32);
        EXPECT_EQ(getpixel(f, 0, 0), ColumnColour(i));
        EXPECT_EQ(getpixel(f, 31, 31), ColumnColour(i));
    }
    EXPECT_EQ(bitmaps.GetFrame("STRIP_IMG", 4), nullptr);
    EXPECT_EQ(bitmaps.GetFrame("STRIP_IMG", -1), nullptr);

    // Frame 2 takes y, w and h from frame 1 (fDY is 0); fX3 of -1 ends the list.
    ASSERT_EQ(bitmaps.GetFrameCount("LISTED_IMG"), 2);
    EXPECT_EQ(getpixel(bitmaps.GetFrame("LISTED_IMG", 0), 0, 0), ColumnColour(3));
    EXPECT_EQ(getpixel(bitmaps.GetFrame("LISTED_IMG", 1), 0, 0), ColumnColour(2));
    EXPECT_EQ(bitmaps.GetFrame("LISTED_IMG", 1)->h, 16);

    // x starts at -1, so without fX1 frame 1 lies at fDX - 1 = 32.
    ASSERT_EQ(bitmaps.GetFrameCount("STEPPED_IMG"), 1);
    EXPECT_EQ(getpixel(bitmaps.GetFrame("STEPPED_IMG", 0), 0, 0), ColumnColour(1));
    EXPECT_EQ(getpixel(bitmaps.GetFrame("STEPPED_IMG", 0), 7, 0), ColumnColour(1));

    EXPECT_NE(bitmaps.Get("PLAIN_IMG"), nullptr);
    EXPECT_EQ(bitmaps.GetFrameCount("PLAIN_IMG"), 0);
    EXPECT_EQ(bitmaps.GetFrame("PLAIN_IMG", 0), nullptr);
    EXPECT_EQ(bitmaps.GetFrameCount("NEVER_IMG"), 0);
    bitmaps.ReleaseAll();
    EXPECT_EQ(bitmaps.GetFrameCount("STRIP_IMG"), 0);
    EXPECT_EQ(bitmaps.GetFrame("STRIP_IMG", 0), nullptr);
}

TEST_F(AssetTest, FrameCornersStepOnFromMinusOneByFdxAndFdy)
{
    struct Corner {
        int x, y, w, h;
        bool operator==(const Corner&) const = default;
    };
    struct Case {
        const char* keys;
        std::vector<Corner> frames;
    };
    const Case cases[] = {
        {"fX1 = 8\nfY1 = 0\nfW1 = 8\nfH1 = 8\nfDY = 8\nfN = 3\n", {{8, 0, 8, 8}, {8, 8, 8, 8}, {8, 16, 8, 8}}},
        {"fW1 = 4\nfH1 = 4\nfDX = 16\nfDY = 8\nfN = 2\n", {{15, 7, 4, 4}, {31, 15, 4, 4}}}, // no fX1, fY1
        {"fX1 = 0\nfY1 = 2\nfW1 = 10\nfH1 = 6\nfX2 = 40\nfH2 = 3\nfX3 = 90\nfY3 = 0\nfN = 3\n",
         {{0, 2, 10, 6}, {40, 2, 10, 3}, {90, 0, 10, 3}}},
    };
    WriteImage("gfx/strip.png", 128, 32);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        WriteFile("data/set.ykd", std::string("[guidelines]\ntype = image\nassetdir = gfx\ndefaultext = png\nasset1 = strip\n"
                                              "[strip]\ntag = STRIP_IMG\n") + c.keys);
        CAssetBitmap bitmaps;
        bitmaps.Init("set");
        bitmaps.LoadDefinitions();
        std::vector<Corner> got;
        for (int i = 0; i < bitmaps.GetFrameCount("STRIP_IMG"); ++i) {
            const BITMAP* f = bitmaps.GetFrame("STRIP_IMG", i);
            got.push_back({f->x_ofs, f->y_ofs, f->w, f->h});
        }
        EXPECT_EQ(got.size(), c.frames.size());
        EXPECT_TRUE(got == c.frames);
        bitmaps.ReleaseAll();
    }
}

TEST_F(AssetTest, PathDefaultsAreNoFolderAndExtensionXxx)
{
    struct Case {
        const char* guidelines;
        const char* path;
    } cases[] = {
        {"type = image\nassetdir = gfx\n", "\"gfx/gone.xxx\""},
        {"type = image\ndefaultext = png\n", "\"/gone.png\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.guidelines);
        WriteFile("data/set.ykd", std::string("[guidelines]\n") + c.guidelines + "asset1 = gone\n[gone]\ntag = GONE_IMG\n");
        CAssetBitmap bitmaps;
        bitmaps.Init("set");
        CaptureStderr();
        bitmaps.LoadDefinitions();
        EXPECT_THAT(GetCapturedStderr(), HasSubstr(c.path));
        bitmaps.ReleaseAll();
    }
}

// A frame that overhangs the right or bottom edge is trimmed as the
// library trims a sub-bitmap, says so in one line, and the frames after it
// are kept; only a frame whose corner lies outside ends the list.
TEST_F(AssetTest, OverhangingFramesAreTrimmedLikeTheLibrarysSubBitmap)
{
    struct Case {
        const char* keys;
        int frames;
        int lastW, lastH; // the size of the frame that overhangs
        int overhanging;  // its index
        int askedW, askedH;
    } cases[] = {
        {"fX1 = 120\nfY1 = 0\nfW1 = 32\nfH1 = 32\nfX2 = 0\nfN = 2\n", 2, 8, 32, 0, 32, 32},          // right
        {"fX1 = 0\nfY1 = 20\nfW1 = 32\nfH1 = 32\nfX2 = 32\nfY2 = 0\nfN = 2\n", 2, 32, 12, 0, 32, 32}, // bottom
        {"fX1 = 0\nfY1 = 0\nfW1 = 48\nfH1 = 32\nfDX = 48\nfN = 3\n", 3, 32, 32, 2, 48, 32},          // last of a strip
    };
    WriteImage("gfx/strip.png", 128, 32);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        WriteFile("data/set.ykd", std::string("[guidelines]\ntype = image\nassetdir = gfx\nasset1 = strip\n"
                                              "[strip]\ntag = STRIP_IMG\next = png\n") + c.keys);
        CAssetBitmap bitmaps;
        bitmaps.Init("set");
        CaptureStderr();
        bitmaps.LoadDefinitions();
        const std::string err = GetCapturedStderr();
        EXPECT_EQ(LineCount(err), 1) << err;
        EXPECT_THAT(err, HasSubstr("trimmed"));
        ASSERT_EQ(bitmaps.GetFrameCount("STRIP_IMG"), c.frames);
        BITMAP* f = bitmaps.GetFrame("STRIP_IMG", c.overhanging);
        EXPECT_EQ(f->w, c.lastW);
        EXPECT_EQ(f->h, c.lastH);
        // The same sizes the library gives its own sub-bitmap of the image.
        BITMAP* sub = create_sub_bitmap(bitmaps.Get("STRIP_IMG"), f->x_ofs, f->y_ofs, c.askedW, c.askedH);
        EXPECT_EQ(sub->w, f->w);
        EXPECT_EQ(sub->h, f->h);
        destroy_bitmap(sub);
        bitmaps.ReleaseAll();
    }
}

TEST_F(AssetTest, FrameListsWithoutAnEndStopWithOneMessage)
{
    struct Case {
        const char* keys;
        int frames;
    } cases[] = {
        {"fX1 = 0\nfY1 = 0\nfW1 = 32\nfH1 = 32\nfDX = 32\n", 4},           // steps off the image's edge
        {"fX1 = 0\nfY1 = 0\nfW1 = 32\nfH1 = 32\nfX2 = 32\n", 2},           // would repeat frame 2 forever
        {"fX1 = 0\nfY1 = 0\nfW1 = 32\nfH1 = 32\nfDX = 32\nfN = 6\n", 4},   // more frames than the image holds
        {"fX1 = 0\nfY1 = 0\nfH1 = 32\nfDX = 32\nfN = 4\n", 0},             // no width given
        {"fX1 = 128\nfY1 = 0\nfW1 = 32\nfH1 = 32\nfN = 1\n", 0},           // wholly right of the image
        // Numbers whose sums leave the int range
        {"fY1 = 0\nfW1 = 32\nfH1 = 32\nfDX = 2147483647\nfN = 1\n", 0},   // x = -1 + step, x + w wraps
        {"fX1 = 1073741829\nfY1 = 0\nfW1 = 1073741824\nfH1 = 32\nfN = 1\n", 0},
        {"fX1 = 0\nfY1 = 1\nfW1 = 32\nfH1 = 2147483647\nfN = 1\n", 1},    // trimmed to the bottom edge
        {"fX1 = 96\nfY1 = 0\nfW1 = 32\nfH1 = 32\nfDX = 2147483647\nfN = 2\n", 1}, // the step wraps
    };
    WriteImage("gfx/strip.png", 128, 32);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        WriteFile("data/set.ykd", std::string("[guidelines]\ntype = image\nassetdir = gfx\nasset1 = strip\n"
                                              "[strip]\ntag = STRIP_IMG\next = png\n") + c.keys);
        CAssetBitmap bitmaps;
        bitmaps.Init("set");
        CaptureStderr();
        bitmaps.LoadDefinitions();
        const std::string err = GetCapturedStderr();
        EXPECT_EQ(LineCount(err), 1) << err;
        EXPECT_THAT(err, HasSubstr("STRIP_IMG"));
        EXPECT_EQ(bitmaps.GetFrameCount("STRIP_IMG"), c.frames);
        bitmaps.ReleaseAll();
    }
}

TEST_F(AssetTest, LaterSetsAddToEarlierOnesAndDuplicateTagsKeepTheFirst)
{
    WriteImage("gfx/big.png", 64, 64);
    WriteImage("gfx/small.png", 32, 32);
    WriteFile("data/bitmap-1.ykd", "[guidelines]\ntype = image\nassetdir = gfx\ndefaultext = png\nasset1 = a\nasset2 = s\n"
                                   "[a]\ntag = A_IMG\nfilenameoverride = small\n"
                                   "[s]\ntag = SHARED_IMG\nfilenameoverride = big\n"
                                   "fX1 = 0\nfY1 = 0\nfW1 = 32\nfH1 = 32\nfDX = 32\nfN = 2\n");
    WriteFile("data/bitmap-level.ykd", "[guidelines]\ntype = image\nassetdir = gfx\ndefaultext = png\n"
                                       "asset1 = b\nasset2 = s\nasset3 = again\n"
                                       "[b]\ntag = B_IMG\nfilenameoverride = small\n"
                                       "[s]\ntag = SHARED_IMG\nfilenameoverride = small\n"
                                       "fX1 = 0\nfY1 = 0\nfW1 = 8\nfH1 = 8\nfDX = 8\nfN = 3\n"
                                       "[again]\ntag = B_IMG\nfilenameoverride = big\n");
    CAssetBitmap bitmaps;
    bitmaps.Init();
    bitmaps.LoadDefinitions();
    bitmaps.Init("bitmap-level");
    bitmaps.LoadDefinitions();
    EXPECT_NE(bitmaps.Get("A_IMG"), nullptr);
    ASSERT_NE(bitmaps.Get("B_IMG"), nullptr);
    EXPECT_EQ(bitmaps.Get("B_IMG")->w, 32);
    ASSERT_NE(bitmaps.Get("SHARED_IMG"), nullptr);
    EXPECT_EQ(bitmaps.Get("SHARED_IMG")->w, 64);
    EXPECT_EQ(bitmaps.GetFrameCount("SHARED_IMG"), 2);
    EXPECT_EQ(bitmaps.GetFrame("SHARED_IMG", 1)->w, 32);
    bitmaps.ReleaseAll();
    EXPECT_EQ(bitmaps.Get("A_IMG"), nullptr);
    EXPECT_EQ(bitmaps.GetFrameCount("SHARED_IMG"), 0);
}

TEST_F(AssetTest, EachFontGetsItsOwnSectionsSize)
{
    WriteFile("data/font-1.ykd", std::string("[guidelines]\ntype = font\nassetdir = ") + YK_DATA_DIR +
                                     "/fonts\ndefaultext = ttf\nasset1 = a\nasset2 = b\nasset3 = c\nasset4 = d\n"
                                     "[a]\ntag = A_TTF\nfilenameoverride = DejaVuSans-Bold\nsize = 30\n"
                                     "[b]\ntag = B_TTF\nfilenameoverride = DejaVuSans-Bold\nsize = 60\n"
                                     "[c]\ntag = C_TTF\nfilenameoverride = DejaVuSans-Bold\n"
                                     "[d]\ntag = D_TTF\n");
    CAssetFont fonts;
    fonts.Init();
    EXPECT_EQ(ttf_text_mode(-1), -1);
    CaptureStderr();
    fonts.LoadDefinitions();
    const std::string err = GetCapturedStderr();
    EXPECT_EQ(LineCount(err), 1) << err; // d.ttf does not exist
    EXPECT_THAT(err, HasSubstr("D_TTF"));
    EXPECT_EQ(ttf_get_font_height(fonts.Get("A_TTF")), 30);
    EXPECT_EQ(ttf_get_font_height(fonts.Get("B_TTF")), 60);
    EXPECT_EQ(ttf_get_font_height(fonts.Get("C_TTF")), 50);
    EXPECT_EQ(fonts.Get("D_TTF"), nullptr);
    fonts.ReleaseAll();
    EXPECT_EQ(fonts.Get("A_TTF"), nullptr);
}

TEST_F(AssetTest, SoundSetsLoadWaves)
{
    WriteWav("sfx/hatch.wav", 300);
    WriteFile("data/sfx-1.ykd", "[guidelines]\ntype = SOUND\nassetdir = sfx\ndefaultext = wav\nasset1 = hatch\nasset2 = gone\n"
                                "[hatch]\ntag = HATCH_SFX\n[gone]\ntag = GONE_SFX\n");
    CAssetSound sounds;
    sounds.Init();
    CaptureStderr();
    sounds.LoadDefinitions();
    const std::string err = GetCapturedStderr();
    ASSERT_NE(sounds.Get("HATCH_SFX"), nullptr);
    EXPECT_EQ(sounds.Get("HATCH_SFX")->len, 300u);
    EXPECT_EQ(sounds.Get("GONE_SFX"), nullptr);
    EXPECT_EQ(LineCount(err), 1) << err;
    EXPECT_THAT(err, HasSubstr("sfx/gone.wav"));
    sounds.ReleaseAll();
    EXPECT_EQ(sounds.Get("HATCH_SFX"), nullptr);
}

TEST_F(AssetTest, ASetOfAnotherKindLoadsNothingAndSaysSo)
{
    WriteWav("sfx/hatch.wav", 100);
    WriteFile("data/sfx-1.ykd", "[guidelines]\ntype = sound\nassetdir = sfx\ndefaultext = wav\nasset1 = hatch\nasset2 = x\n"
                                "[hatch]\ntag = HATCH_SFX\n[x]\ntag = X_SFX\n");
    WriteFile("data/odd.ykd", "[guidelines]\ntype = pictures\nasset1 = x\n[x]\ntag = X_IMG\n");
    for (const char* set : {"sfx-1", "odd"}) {
        SCOPED_TRACE(set);
        CAssetBitmap bitmaps;
        bitmaps.Init(set);
        CaptureStderr();
        bitmaps.LoadDefinitions();
        const std::string err = GetCapturedStderr();
        EXPECT_EQ(LineCount(err), 1) << err;
        EXPECT_THAT(err, HasSubstr(set));
        EXPECT_EQ(bitmaps.Get("HATCH_SFX"), nullptr);
        EXPECT_EQ(bitmaps.Get("X_IMG"), nullptr);
        bitmaps.ReleaseAll();
    }
}

// Tools ask a set's kind before loading it, and the game's reading of the
// "type" key answers: any letter case, unknown words and missing files 0.
TEST_F(AssetTest, ASetsKindIsReadWithoutLoadingIt)
{
    WriteFile("data/pics.ykd", "[guidelines]\ntype = IMAGE\nasset1 = x\n[x]\ntag = X_IMG\n");
    WriteFile("data/tunes.ykd", "[guidelines]\ntype = music\n");
    WriteFile("data/odd.ykd", "[guidelines]\ntype = pictures\n");
    const struct {
        const char* set;
        int type;
    } cases[] = {{"pics", CAsset<BITMAP>::kTypeImage}, {"tunes", CAsset<BITMAP>::kTypeMusic},
                 {"odd", CAsset<BITMAP>::kTypeUnknown}, {"absent", CAsset<BITMAP>::kTypeUnknown}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.set);
        CaptureStderr();
        EXPECT_EQ(CAssetBitmap::DefinitionType(c.set), c.type);
        EXPECT_EQ(GetCapturedStderr(), "");
        EXPECT_EQ(CurrentConfigType(), "(none)"); // the definition file is no longer current
    }
    EXPECT_EQ(g_bitmaps.Get("X_IMG"), nullptr);
}

TEST_F(AssetTest, LongNamesAreNotCut)
{
    const std::string set(100, 's'), section(120, 'q'), assetDir = std::string(90, 'd') + "\\" + std::string(90, 'e');
    WriteImage(std::string(90, 'd') + "/" + std::string(90, 'e') + "/" + section + ".png", 32, 32);
    WriteFile("data/" + set + ".ykd", "[guidelines]\ntype = image\nassetdir = " + assetDir +
                                          "\ndefaultext = png\nasset1 = " + section + "\n[" + section +
                                          "]\ntag = LONG_IMG\n");
    CAssetBitmap bitmaps;
    bitmaps.Init(set);
    bitmaps.LoadDefinitions();
    EXPECT_NE(bitmaps.Get("LONG_IMG"), nullptr);
    bitmaps.ReleaseAll();
}

} // namespace
