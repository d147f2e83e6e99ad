#include "text/Ttf.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BITMAP_H

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "text/TtfFont.h"

namespace {

FT_Library g_library = nullptr;          // FreeType, while started
int g_started = 0;                       // 1 between ttf_init and ttf_exit
std::vector<ALFONT_FONT*> g_liveFonts;   // fonts whose faces belong to g_library

// A degenerate face whose line height never reaches the request would
// otherwise climb through every pixel size FreeType accepts.
int SearchLimit(int height) { return height * 8 + 8; }

void EmptyCache(ALFONT_FONT* font)
{
    for (TtfGlyph& g : font->glyphs)
        if (g.cached)
            g = TtfGlyph{};
}

int FullHeight(FT_Face face)
{
    const FT_Size_Metrics& m = face->size->metrics;
    return std::abs(static_cast<int>(m.ascender >> 6)) + std::abs(static_cast<int>(m.descender >> 6));
}

int RestoreSize(ALFONT_FONT* font)
{
    if (font->realSize > 0)
        FT_Set_Pixel_Sizes(font->face, 0, font->realSize);
    return -1;
}

// The pixel size whose full line height is exactly h, else the largest
// one below h; 0 when none fits.
int SearchPixelSize(ALFONT_FONT* font, int h)
{
    int p = h;
    int direction = 0;
    for (;;) {
        if (FT_Set_Pixel_Sizes(font->face, 0, p) != 0)
            return 0;
        const int H = FullHeight(font->face);
        if (H == h)
            return p;
        if (direction == 0) {
            direction = H > h ? -1 : 1;
        } else if (H > h && direction == 1) {
            --p;
            return FT_Set_Pixel_Sizes(font->face, 0, p) == 0 ? p : 0;
        } else if (H < h && direction == -1) {
            return p;
        }
        p += direction;
        if (p < 1 || p > SearchLimit(h))
            return 0;
    }
}

// Coverage bytes 0..255 from whatever FreeType rendered.
void CopyCoverage(const FT_Bitmap& rendered, TtfGlyph& g)
{
    FT_Bitmap grey;
    FT_Bitmap_Init(&grey);
    const FT_Bitmap* src = &rendered;
    if (rendered.pixel_mode != FT_PIXEL_MODE_GRAY) {
        if (FT_Bitmap_Convert(g_library, &rendered, &grey, 1) != 0) {
            FT_Bitmap_Done(g_library, &grey);
            return;
        }
        src = &grey;
    }
    g.width = static_cast<int>(src->width);
    g.rows = static_cast<int>(src->rows);
    g.hasPixels = g.width > 0 && g.rows > 0;
    if (g.hasPixels) {
        const int levels = src->num_grays;
        // Eight bytes more, so that eight can be read from any pixel.
        g.coverage.resize(static_cast<size_t>(g.width) * g.rows + kCoveragePadding);
        for (int r = 0; r < g.rows; ++r) {
            const unsigned char* in = src->buffer + static_cast<ptrdiff_t>(r) * src->pitch;
            uint8_t* out = &g.coverage[static_cast<size_t>(r) * g.width];
            for (int c = 0; c < g.width; ++c)
                out[c] = CoverageByte(in[c], levels);
        }
    }
    FT_Bitmap_Done(g_library, &grey);
}

void RenderGlyph(ALFONT_FONT* font, FT_UInt index, TtfGlyph& g)
{
    g = TtfGlyph{};
    g.cached = true;
    FT_Face face = font->face;
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0)
        return;
    FT_GlyphSlot slot = face->glyph;
    g.advanceX = static_cast<int>(slot->advance.x >> 6);
    g.advanceY = static_cast<int>(slot->advance.y >> 6);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0)
        return;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    CopyCoverage(slot->bitmap, g);
}

void ListFixedSizes(ALFONT_FONT* font)
{
    FT_Face face = font->face;
    const bool scalable = FT_IS_SCALABLE(face);
    font->fixedCount = scalable ? -1 : face->num_fixed_sizes;
    if (!scalable)
        for (int i = 0; i < face->num_fixed_sizes; ++i)
            font->fixedSizes.push_back(face->available_sizes[i].height);
    font->fixedSizes.push_back(-1);
}

} // namespace

const TtfGlyph* TtfGlyphFor(ALFONT_FONT* font, int c)
{
    if (!font || !font->face || font->glyphs.empty())
        return nullptr;
    FT_UInt index = 0;
    const bool latin = c >= 0 && c < static_cast<int>(font->latinIndex.size());
    if (latin && font->latinIndex[c] >= 0) {
        index = static_cast<FT_UInt>(font->latinIndex[c]);
    } else {
        index = font->face->charmap ? FT_Get_Char_Index(font->face, static_cast<FT_ULong>(c)) : static_cast<FT_UInt>(c);
        if (latin)
            font->latinIndex[c] = static_cast<int32_t>(index);
    }
    if (index >= font->glyphs.size())
        index = 0; // the face's missing-glyph
    TtfGlyph& g = font->glyphs[index];
    if (!g.cached)
        RenderGlyph(font, index, g);
    return &g;
}

int ttf_init()
{
    if (g_started)
        return 0;
    const FT_Error error = FT_Init_FreeType(&g_library);
    if (error != 0)
        return error;
    g_started = 1;
    return 0;
}

void ttf_exit()
{
    if (!g_started)
        return;
    // Fonts still held by their owners lose their faces with the library;
    // they stay valid to draw (nothing) and to destroy.
    for (ALFONT_FONT* font : g_liveFonts) {
        font->glyphs.clear();
        FT_Done_Face(font->face);
        font->face = nullptr;
    }
    g_liveFonts.clear();
    FT_Done_FreeType(g_library);
    g_library = nullptr;
    g_started = 0;
}

ALFONT_FONT* ttf_load_font(const char* path)
{
    if (!path || ttf_init() != 0)
        return nullptr;
    auto* font = new ALFONT_FONT;
    if (FT_New_Face(g_library, path, 0, &font->face) != 0) {
        delete font;
        return nullptr;
    }
    g_liveFonts.push_back(font);
    ListFixedSizes(font);
    font->glyphs.resize(static_cast<size_t>(std::max<FT_Long>(font->face->num_glyphs, 0)));
    ttf_set_font_size(font, font->fixedCount < 0 ? 8 : font->fixedSizes.front());
    font->spacing = 0;
    return font;
}

void ttf_destroy_font(ALFONT_FONT* font)
{
    if (!font)
        return;
    auto it = std::find(g_liveFonts.begin(), g_liveFonts.end(), font);
    if (it != g_liveFonts.end()) {
        g_liveFonts.erase(it);
        FT_Done_Face(font->face);
    }
    delete font;
}

int ttf_set_font_size(ALFONT_FONT* font, int height)
{
    if (!font || !font->face)
        return -1;
    if (height == font->size)
        return 0;
    if (height < 1)
        return -1;
    const int p = SearchPixelSize(font, height);
    if (p < 1)
        return RestoreSize(font);
    EmptyCache(font);
    font->realSize = p;
    font->size = height;
    font->ascent = static_cast<int>(font->face->size->metrics.ascender >> 6);
    return 0;
}

int ttf_get_font_height(const ALFONT_FONT* font) { return font ? font->size : 0; }
int ttf_get_font_real_height(const ALFONT_FONT* font) { return font ? font->realSize : 0; }
int ttf_get_font_ascent(const ALFONT_FONT* font) { return font ? font->ascent : 0; }

int ttf_cached_glyph_count(const ALFONT_FONT* font)
{
    if (!font)
        return 0;
    return static_cast<int>(std::count_if(font->glyphs.begin(), font->glyphs.end(),
                                          [](const TtfGlyph& g) { return g.cached; }));
}

void ttf_set_char_extra_spacing(ALFONT_FONT* font, int pixels)
{
    if (font)
        font->spacing = pixels;
}
