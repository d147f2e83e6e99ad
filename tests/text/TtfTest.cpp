#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/TempDir.h"
#include "text/Blend16.h"
#include "text/Ttf.h"
#include "text/TtfFont.h"

namespace {

const std::string kFontPath = std::string(YK_DATA_DIR) + "/fonts/DejaVuSans-Bold.ttf";

struct Box {
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1; // inclusive pixels; empty when x1 < x0
    bool Empty() const { return x1 < x0; }
};

// The pixels of bmp that differ from colour.
Box BoxOfPixelsNot(BITMAP* bmp, int colour)
{
    Box b;
    for (int y = 0; y < bmp->h; ++y)
        for (int x = 0; x < bmp->w; ++x)
            if (getpixel(bmp, x, y) != colour) {
                b.x0 = std::min(b.x0, x), b.y0 = std::min(b.y0, y);
                b.x1 = std::max(b.x1, x), b.y1 = std::max(b.y1, y);
            }
    return b;
}

bool SamePixels(BITMAP* a, BITMAP* b)
{
    for (int y = 0; y < a->h; ++y)
        for (int x = 0; x < a->w; ++x)
            if (getpixel(a, x, y) != getpixel(b, x, y))
                return false;
    return true;
}

class TtfTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(ttf_init(), 0);
        previousMode = ttf_text_mode(-1);
        font = ttf_load_font(kFontPath.c_str());
        ASSERT_NE(font, nullptr) << kFontPath;
        bmp = create_bitmap(400, 120);
        clear_to_color(bmp, black);
    }
    void TearDown() override
    {
        destroy_bitmap(bmp);
        ttf_destroy_font(font);
        ttf_text_mode(previousMode);
    }

    ALFONT_FONT* font = nullptr;
    BITMAP* bmp = nullptr;
    int previousMode = 0;
    const int black = makecol(0, 0, 0);
    const int white = makecol(255, 255, 255);
};

// The top grey level of a face is always full ink and level 0 no ink,
// whatever the number of levels; the steps between are even.
TEST(TtfCoverage, GreyLevelsScaleSoTheTopLevelIsFullInk)
{
    struct Case {
        int value, levels;
        int coverage;
    };
    const Case cases[] = {
        {0, 2, 0},   {1, 2, 255},                 // a one-bit face: solid, not half
        {1, 4, 85},  {2, 4, 170},  {3, 4, 255},
        {8, 16, 136}, {15, 16, 255},
        {0, 256, 0}, {128, 256, 128}, {255, 256, 255}, // FreeType's usual 256 levels pass through
    };
    for (const Case& c : cases)
        EXPECT_EQ(CoverageByte(c.value, c.levels), c.coverage) << c.value << " of " << c.levels;
}

TEST_F(TtfTest, UnreadableFilesGiveNullAndANullFontDoesNothing)
{
    EXPECT_EQ(ttf_load_font("/nonexistent/font.ttf"), nullptr);
    EXPECT_EQ(ttf_load_font(YK_SOURCE_DIR "/data-src/control-1.ykd"), nullptr);

    EXPECT_EQ(ttf_set_font_size(nullptr, 20), -1);
    EXPECT_EQ(ttf_text_length(nullptr, "abc"), 0);
    ttf_text_mode(white);
    ttf_textout_aa(bmp, nullptr, "abc", 10, 10, white);
    ttf_textprintf_centre_aa(bmp, nullptr, 100, 10, white, "%d", 5);
    ttf_textprintf_right_aa(bmp, nullptr, 100, 10, white, "%d", 5);
    ttf_destroy_font(nullptr);
    EXPECT_TRUE(BoxOfPixelsNot(bmp, black).Empty());
}

// A copy of the font whose line is shorter than its pixel size (ascender
// and descender patched in the hhea table), so the size search climbs.
std::string WriteShortLinedFont(const std::filesystem::path& dir)
{
    std::ifstream in(kFontPath, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    auto u16 = [&](size_t at) { return (uint8_t(bytes[at]) << 8) | uint8_t(bytes[at + 1]); };
    auto put16 = [&](size_t at, int v) { bytes[at] = char((v >> 8) & 0xFF), bytes[at + 1] = char(v & 0xFF); };
    for (size_t i = 0, n = u16(4); i < n; ++i) {
        const size_t rec = 12 + 16 * i;
        if (bytes.compare(rec, 4, "hhea") == 0) {
            const size_t off = (size_t(u16(rec + 8)) << 16) | u16(rec + 10);
            put16(off + 4, 1400);  // ascender, font units of a 2048 em
            put16(off + 6, -400);  // descender
        }
    }
    const std::string path = (dir / "short.ttf").string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

class TtfSizeTest : public TempDirTest {};

TEST_F(TtfSizeTest, SizeSearchPicksTheLargestPixelSizeWhoseLineFits)
{
    ASSERT_EQ(ttf_init(), 0);
    FT_Library lib;
    ASSERT_EQ(FT_Init_FreeType(&lib), 0);
    for (const std::string& path : {kFontPath, WriteShortLinedFont(dir)}) {
        SCOPED_TRACE(path);
        ALFONT_FONT* font = ttf_load_font(path.c_str());
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(ttf_get_font_height(font), 8); // set at load
        FT_Face face;
        ASSERT_EQ(FT_New_Face(lib, path.c_str(), 0, &face), 0);
        auto lineHeight = [&](int p) {
            FT_Set_Pixel_Sizes(face, 0, p);
            const FT_Size_Metrics& m = face->size->metrics;
            return std::abs(int(m.ascender >> 6)) + std::abs(int(m.descender >> 6));
        };
        for (int h = 1; h <= 90; ++h) {
            SCOPED_TRACE(h);
            if (lineHeight(1) > h) {
                EXPECT_EQ(ttf_set_font_size(font, h), -1);
                continue;
            }
            ASSERT_EQ(ttf_set_font_size(font, h), 0);
            const int p = ttf_get_font_real_height(font);
            EXPECT_EQ(ttf_get_font_height(font), h);
            EXPECT_LE(lineHeight(p), h);
            EXPECT_TRUE(lineHeight(p) == h || lineHeight(p + 1) > h) << "p " << p;
            lineHeight(p); // back to p for its ascender
            EXPECT_EQ(ttf_get_font_ascent(font), int(face->size->metrics.ascender >> 6));
        }
        if (path != kFontPath) {
            EXPECT_LT(lineHeight(40), 40) << "the patched font must climb";
        }
        FT_Done_Face(face);
        ttf_destroy_font(font);
    }
    FT_Done_FreeType(lib);
}

// One 8 pixel glyph "A" (a hollow square), as a bitmap-only font.
const char* const kTinyBdf = "STARTFONT 2.1\nFONT -test-tiny-medium-r-normal--8-80-75-75-c-80-iso10646-1\n"
                             "SIZE 8 75 75\nFONTBOUNDINGBOX 8 8 0 -2\nSTARTPROPERTIES 3\nFONT_ASCENT 6\n"
                             "FONT_DESCENT 2\nPIXEL_SIZE 8\nENDPROPERTIES\nCHARS 1\nSTARTCHAR A\nENCODING 65\n"
                             "SWIDTH 1000 0\nDWIDTH 8 0\nBBX 8 8 0 -2\nBITMAP\nFF\n81\n81\n81\n81\n81\n81\nFF\n"
                             "ENDCHAR\nENDFONT\n";

TEST_F(TtfSizeTest, BitmapFontKeepsItsOnlySizeAndDrawsItsPixelsSolid)
{
    ASSERT_EQ(ttf_init(), 0);
    WriteFile("tiny.bdf", kTinyBdf);
    ALFONT_FONT* font = ttf_load_font("tiny.bdf");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(ttf_get_font_height(font), 8); // its one fixed size
    EXPECT_EQ(ttf_set_font_size(font, 12), -1);
    EXPECT_EQ(ttf_get_font_height(font), 8);
    const int previous = ttf_text_mode(-1);
    BITMAP* bmp = create_bitmap(40, 20);
    clear_to_color(bmp, makecol(0, 0, 0));
    ttf_textout_aa(bmp, font, "AA", 2, 2, makecol(255, 255, 255));
    int solid = 0, other = 0;
    for (int y = 0; y < bmp->h; ++y)
        for (int x = 0; x < bmp->w; ++x) {
            const int p = getpixel(bmp, x, y);
            solid += p == makecol(255, 255, 255);
            other += p != makecol(255, 255, 255) && p != makecol(0, 0, 0);
        }
    EXPECT_EQ(solid, 2 * 28); // two squares' outlines
    EXPECT_EQ(other, 0);      // an on/off pixel is full coverage, not a blend
    // The square's top row lies on the line box's top row (ascent 6, glyph top 6).
    EXPECT_EQ(getpixel(bmp, 2, 2), makecol(255, 255, 255));
    EXPECT_EQ(getpixel(bmp, 9, 9), makecol(255, 255, 255));
    EXPECT_EQ(getpixel(bmp, 10, 2), makecol(255, 255, 255));
    destroy_bitmap(bmp);
    ttf_text_mode(previous);
    ttf_destroy_font(font);
}

TEST_F(TtfTest, BadSizeIsRefusedAndSameSizeKeepsTheCache)
{
    ASSERT_EQ(ttf_set_font_size(font, 26), 0);
    const int real = ttf_get_font_real_height(font);
    EXPECT_GT(ttf_text_length(font, "abc"), 0);
    EXPECT_EQ(ttf_cached_glyph_count(font), 3);

    // 1 is refused by the search: even pixel size 1 has a taller line.
    for (int bad : {0, -5, 1}) {
        EXPECT_EQ(ttf_set_font_size(font, bad), -1);
        EXPECT_EQ(ttf_get_font_height(font), 26);
        EXPECT_EQ(ttf_get_font_real_height(font), real);
        EXPECT_EQ(ttf_cached_glyph_count(font), 3);
    }
    EXPECT_EQ(ttf_set_font_size(font, 26), 0);
    EXPECT_EQ(ttf_cached_glyph_count(font), 3);
    // The face is back at its size: glyphs rendered now match a fresh font.
    ALFONT_FONT* fresh = ttf_load_font(kFontPath.c_str());
    ASSERT_EQ(ttf_set_font_size(fresh, 26), 0);
    EXPECT_EQ(ttf_text_length(font, "xyz"), ttf_text_length(fresh, "xyz"));
    ttf_destroy_font(fresh);
    EXPECT_EQ(ttf_set_font_size(font, 19), 0);
    EXPECT_EQ(ttf_cached_glyph_count(font), 0);
}

TEST_F(TtfTest, LengthSumsAdvancesAndSpacingSkipsZeroAdvances)
{
    ASSERT_EQ(ttf_set_font_size(font, 26), 0);
    EXPECT_EQ(ttf_text_length(font, ""), 0);
    EXPECT_EQ(ttf_text_length(font, nullptr), 0);
    const int a = ttf_text_length(font, "a");
    EXPECT_GT(a, 0);
    EXPECT_EQ(ttf_text_length(font, "aaa"), 3 * a);
    const char* withAccent = "a\xCC\x81"; // U+0301, a combining mark that does not advance
    EXPECT_EQ(ttf_text_length(font, withAccent), a);
    ttf_set_char_extra_spacing(font, 3);
    EXPECT_EQ(ttf_text_length(font, "aaa"), 3 * (a + 3));
    EXPECT_EQ(ttf_text_length(font, withAccent), a + 3);
}

TEST_F(TtfTest, DrawingStopsAtTheFirstCharacterRightOfTheClip)
{
    ASSERT_EQ(ttf_set_font_size(font, 26), 0);
    const int abc = ttf_text_length(font, "abc");
    ASSERT_EQ(ttf_set_font_size(font, 27), 0); // empties the cache measuring filled

    const int x0 = 10;
    set_clip_rect(bmp, 0, 0, x0 + abc - 1, bmp->h - 1);
    ttf_textout_aa(bmp, font, "abcdefgh", x0, 10, white);
    EXPECT_EQ(ttf_cached_glyph_count(font), 3); // "d" starts right of the clip
    const Box inked = BoxOfPixelsNot(bmp, black);
    EXPECT_FALSE(inked.Empty());
    EXPECT_LE(inked.x1, x0 + abc - 1);
    set_clip_rect(bmp, 0, 0, bmp->w - 1, bmp->h - 1);
}

// Text cut by the right edge of a bitmap one row high, on a background of
// many colours, gives that row of the same text drawn whole: the last few
// pixels of a glyph row never reach past the bitmap (under the sanitizers
// such a read would stop the test).
TEST_F(TtfTest, TextCutByABitmapsRightEdgeMatchesTheSameTextDrawnWhole)
{
    ASSERT_EQ(ttf_set_font_size(font, 27), 0);
    auto background = [](BITMAP* b, int top) {
        for (int y = 0; y < b->h; ++y)
            for (int x = 0; x < b->w; ++x)
                putpixel(b, x, y, (x * 37 + (y + top) * 91) & 0xFFFF);
    };
    background(bmp, 0);
    ttf_textout_aa(bmp, font, "MWg", 0, 0, white);
    const int length = ttf_text_length(font, "MWg");
    for (int w = length - 9; w <= length; ++w)
        for (int row = 0; row < 32; ++row) {
            BITMAP* strip = create_bitmap(w, 1);
            background(strip, row);
            ttf_textout_aa(strip, font, "MWg", 0, -row, white);
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(getpixel(strip, x, 0), getpixel(bmp, x, row)) << "width " << w << ", row " << row << ", x " << x;
            destroy_bitmap(strip);
        }
}

TEST_F(TtfTest, LineBoxOutsideTheClipDrawsNothing)
{
    ASSERT_EQ(ttf_set_font_size(font, 26), 0);
    ASSERT_EQ(ttf_set_font_size(font, 27), 0);
    set_clip_rect(bmp, 100, 40, 200, 80);
    ttf_text_mode(makecol(255, 0, 0));
    struct Case {
        int x, y;
    } cases[] = {{201, 50}, {10, 81}, {110, 40 - 27 - 1}};
    for (const Case& c : cases) {
        ttf_textout_aa(bmp, font, "Hello", c.x, c.y, white);
        EXPECT_TRUE(BoxOfPixelsNot(bmp, black).Empty()) << c.x << "," << c.y;
    }
    EXPECT_EQ(ttf_cached_glyph_count(font), 0);
    // A box reaching one row into the clip is drawn.
    ttf_textout_aa(bmp, font, "Hello", 110, 40 - 26, white);
    EXPECT_FALSE(BoxOfPixelsNot(bmp, black).Empty());
    set_clip_rect(bmp, 0, 0, bmp->w - 1, bmp->h - 1);
}

// Only a box wholly above, below or right of the clip is skipped; one that
// touches its edge is laid out (its glyphs rendered), even if no pixel shows.
TEST_F(TtfTest, LineBoxTouchingTheClipEdgeIsLaidOut)
{
    set_clip_rect(bmp, 100, 40, 200, 80);
    struct Case {
        int x, y;
    } cases[] = {{200, 50}, {10, 80}, {110, 40 - 27}};
    for (const Case& c : cases) {
        ASSERT_EQ(ttf_set_font_size(font, 26), 0);
        ASSERT_EQ(ttf_set_font_size(font, 27), 0); // an empty cache
        ttf_textout_aa(bmp, font, "Hello", c.x, c.y, white);
        EXPECT_GT(ttf_cached_glyph_count(font), 0) << c.x << "," << c.y;
    }
    set_clip_rect(bmp, 0, 0, bmp->w - 1, bmp->h - 1);
}

TEST_F(TtfTest, CentredAndRightAlignedBoxesSitWhereTheyShould)
{
    ASSERT_EQ(ttf_set_font_size(font, 26), 0);
    const int red = makecol(255, 0, 0);
    ttf_text_mode(red);
    struct Case {
        bool centre;
        const char* text;
        int x;
    } cases[] = {{true, "Hi", 200}, {true, "Hello", 200}, {true, "W", 201}, {false, "Hello", 300}, {false, "42", 399}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        clear_to_color(bmp, black);
        const int w = ttf_text_length(font, c.text);
        if (c.centre)
            ttf_textprintf_centre_aa(bmp, font, c.x, 20, white, "%s", c.text);
        else
            ttf_textprintf_right_aa(bmp, font, c.x, 20, white, "%s", c.text);
        const int left = c.centre ? c.x - w / 2 : c.x - w;
        const Box box = BoxOfPixelsNot(bmp, black);
        EXPECT_EQ(box.x0, left);
        EXPECT_EQ(box.x1, left + w - 1);
        EXPECT_EQ(box.y0, 20);
        EXPECT_EQ(box.y1, 20 + 26 - 1);
    }
}

TEST_F(TtfTest, FormattedTextMatchesThePlainTextAndIsCutAt511Bytes)
{
    ASSERT_EQ(ttf_set_font_size(font, 19), 0);
    BITMAP* plain = create_bitmap(bmp->w, bmp->h);
    clear_to_color(plain, black);
    const int w = ttf_text_length(font, "42 pts");
    ttf_textout_aa(plain, font, "42 pts", 200 - w / 2, 10, white);
    ttf_textprintf_centre_aa(bmp, font, 200, 10, white, "%d pts", 42);
    EXPECT_TRUE(SamePixels(plain, bmp));
    // A lone "%s" (taken as it is when plain ASCII) draws what the formatter gives.
    for (const char* text : {"Parasite (+1)", "", "caf\xc3\xa9 \xe2\x82\xac"}) {
        char formatted[512];
        uszprintf(formatted, sizeof formatted, "%s", text);
        clear_to_color(plain, black);
        clear_to_color(bmp, black);
        ttf_textout_aa(plain, font, formatted, 200 - ttf_text_length(font, formatted) / 2, 10, white);
        ttf_textprintf_centre_aa(bmp, font, 200, 10, white, "%s", text);
        EXPECT_TRUE(SamePixels(plain, bmp)) << text;
    }
    destroy_bitmap(plain);

    // With a background the box shows the measured width of what was drawn.
    ttf_text_mode(makecol(0, 0, 255));
    const std::string longText(600, 'i');
    const int cut = ttf_text_length(font, longText.substr(0, 511).c_str());
    BITMAP* wide = create_bitmap(cut + 10, 40);
    clear_to_color(wide, black);
    ttf_textprintf_right_aa(wide, font, cut + 5, 10, white, "%s", longText.c_str());
    EXPECT_EQ(BoxOfPixelsNot(wide, black).x0, 5);
    destroy_bitmap(wide);
}

TEST_F(TtfTest, TransparentTextBlendsAndFilledTextPaintsItsBox)
{
    ASSERT_EQ(ttf_set_font_size(font, 26), 0);
    const int blue = makecol(0, 0, 255), red = makecol(255, 0, 0);
    const int w = ttf_text_length(font, "Hi");

    clear_to_color(bmp, blue);
    ttf_text_mode(-1);
    ttf_textout_aa(bmp, font, "Hi", 10, 10, white);
    EXPECT_EQ(_drawing_mode, DRAW_MODE_SOLID);
    EXPECT_EQ(getpixel(bmp, 10, 10), blue); // the box corner is left alone
    int full = 0, partial = 0;
    for (int y = 0; y < bmp->h; ++y)
        for (int x = 0; x < bmp->w; ++x) {
            const int p = getpixel(bmp, x, y);
            full += p == white;
            partial += p != white && p != blue;
        }
    EXPECT_GT(full, 0);
    EXPECT_GT(partial, 0);

    clear_to_color(bmp, blue);
    ttf_text_mode(red);
    ttf_textout_aa(bmp, font, "Hi", 10, 10, white);
    const Box box = BoxOfPixelsNot(bmp, blue);
    EXPECT_EQ(box.x0, 10);
    EXPECT_EQ(box.x1, 10 + w - 1);
    EXPECT_EQ(box.y1, 10 + 26 - 1);
    EXPECT_EQ(getpixel(bmp, 10, 10), red);
    for (int y = box.y0; y <= box.y1; ++y)
        for (int x = box.x0; x <= box.x1; ++x)
            ASSERT_NE(getpixel(bmp, x, y), blue);

    clear_to_color(bmp, blue);
    ttf_textout_aa(bmp, font, "", 10, 10, white);
    EXPECT_TRUE(BoxOfPixelsNot(bmp, blue).Empty());
}

// A mark that does not advance the pen adds no spacing when drawn either:
// what follows it lands where the measured width says.
TEST_F(TtfTest, DrawingSkipsSpacingAfterMarksThatDoNotAdvance)
{
    ASSERT_EQ(ttf_set_font_size(font, 26), 0);
    ttf_set_char_extra_spacing(font, 3);
    auto RightmostInk = [&](const char* text) {
        clear_to_color(bmp, black);
        ttf_textout_aa(bmp, font, text, 10, 10, white);
        return BoxOfPixelsNot(bmp, black).x1;
    };
    EXPECT_EQ(RightmostInk("a\xCC\x81" "b"), RightmostInk("ab"));
    // Nor does spacing move the pen down, since no glyph advances downward.
    RightmostInk("ab");
    const Box spaced = BoxOfPixelsNot(bmp, black);
    ttf_set_char_extra_spacing(font, 0);
    RightmostInk("ab");
    const Box plain = BoxOfPixelsNot(bmp, black);
    EXPECT_EQ(spaced.y0, plain.y0);
    EXPECT_EQ(spaced.y1, plain.y1);
}

// With a background each pixel takes a colour on the ramp from the
// background to the text colour, channel by channel, and full coverage
// gives the text colour itself.
TEST_F(TtfTest, FilledTextRampsFromTheBackgroundToTheTextColour)
{
    ASSERT_EQ(ttf_set_font_size(font, 26), 0);
    const int bg = makecol(0, 0, 0), fg = makecol(8, 4, 200);
    EXPECT_EQ(ttf_text_mode(bg), -1);
    ttf_textout_aa(bmp, font, "Hi", 10, 10, fg);
    EXPECT_EQ(ttf_text_mode(-1), bg);
    int full = 0, between = 0;
    for (int y = 0; y < bmp->h; ++y)
        for (int x = 0; x < bmp->w; ++x) {
            const int p = getpixel(bmp, x, y);
            ASSERT_LE(getr(p), getr(fg)) << x << "," << y;
            ASSERT_LE(getg(p), getg(fg)) << x << "," << y;
            ASSERT_LE(getb(p), getb(fg)) << x << "," << y;
            full += p == fg;
            between += p != fg && p != bg;
        }
    EXPECT_GT(full, 50);
    EXPECT_GT(between, 0);
}

TEST_F(TtfTest, DirectBlendEqualsAllegrosTranslucentPutpixel)
{
    BITMAP* px = create_bitmap(1, 1);
    srand(7);
    std::vector<std::pair<int, int>> pairs = {{0, 0}, {0xFFFF, 0}, {0, 0xFFFF}, {0xF81F, 0x07E0}, {0xFFFF, 0xFFFF}};
    for (int i = 0; i < 300; ++i)
        pairs.push_back({rand() & 0xFFFF, rand() & 0xFFFF});
    for (int k = 1; k < 255; ++k) {
        set_trans_blender(0, 0, 0, k);
        for (const auto& [src, dst] : pairs) {
            solid_mode();
            putpixel(px, 0, 0, dst);
            drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
            putpixel(px, 0, 0, src);
            ASSERT_EQ(getpixel(px, 0, 0), Blend16(src, dst, k)) << "k " << k << " src " << src << " dst " << dst;
        }
    }
    solid_mode();
    destroy_bitmap(px);
    // Empty and full coverage need no test of their own: they blend to
    // what was there and to the colour.
    for (const auto& [src, dst] : pairs) {
        EXPECT_EQ(Blend16(src, dst, 0), dst) << src << " over " << dst;
        EXPECT_EQ(Blend16(src, dst, 255), src) << src << " over " << dst;
    }
}

TEST_F(TtfTest, OtherColourDepthsInkTheSamePixels)
{
    ASSERT_EQ(ttf_set_font_size(font, 19), 0);
    ttf_textout_aa(bmp, font, "Wave 3", 5, 5, white);
    set_color_depth(32);
    BITMAP* deep = create_bitmap(bmp->w, bmp->h);
    clear_to_color(deep, makecol(0, 0, 0));
    ttf_textout_aa(deep, font, "Wave 3", 5, 5, makecol(255, 255, 255));
    // Fully covered pixels are solid at any depth; fainter ones blend with
    // each depth's own precision.
    int full = 0;
    for (int y = 0; y < bmp->h; ++y)
        for (int x = 0; x < bmp->w; ++x) {
            const bool solid = getpixel(bmp, x, y) == white;
            ASSERT_EQ(solid, getpixel(deep, x, y) == makecol(255, 255, 255)) << x << "," << y;
            full += solid;
        }
    EXPECT_GT(full, 0);
    EXPECT_EQ(_drawing_mode, DRAW_MODE_SOLID);
    destroy_bitmap(deep);
    set_color_depth(16);
}

TEST_F(TtfTest, FontsOutlivingTheLayerDrawNothingAndStillDestroy)
{
    ALFONT_FONT* late = ttf_load_font(kFontPath.c_str());
    ASSERT_NE(late, nullptr);
    ASSERT_EQ(ttf_set_font_size(late, 26), 0);
    ttf_exit();
    EXPECT_EQ(ttf_text_length(late, "abc"), 0);
    ttf_textout_aa(bmp, late, "abc", 10, 10, white);
    EXPECT_TRUE(BoxOfPixelsNot(bmp, black).Empty());
    ttf_destroy_font(late);
    ttf_destroy_font(font); // also lost its face
    font = nullptr;
    EXPECT_EQ(ttf_init(), 0);
    ALFONT_FONT* again = ttf_load_font(kFontPath.c_str());
    EXPECT_GT(ttf_text_length(again, "abc"), 0);
    ttf_destroy_font(again);
}

} // namespace
