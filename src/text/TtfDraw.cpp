// Measuring and drawing text with the fonts of the TrueType layer.
#include <allegro.h>
#include <allegro/internal/aintern.h>

#include <array>
#include <cstdarg>

#include "text/Blend16.h"
#include "text/Ttf.h"
#include "text/TtfFont.h"

namespace {

int g_textMode = 0;                    // -1 transparent, else background colour
constexpr int kFormatBufferSize = 512; // bytes, terminator included

struct Clip {
    int left, top, right, bottom; // inclusive pixels
};

// Colour for each coverage level, from the background (0) to the text (255).
using Ramp = std::array<int, 256>;

Ramp BuildRamp(int bg, int fg)
{
    auto step = [](int b, int f) { return f != b ? f - b + 1 : 0; };
    const int br = getr(bg), bgg = getg(bg), bb = getb(bg);
    const int dr = step(br, getr(fg)), dg = step(bgg, getg(fg)), db = step(bb, getb(fg));
    Ramp ramp{};
    ramp[0] = bg;
    for (int k = 1; k < 256; ++k)
        ramp[k] = makecol((br * 256 + k * dr) >> 8, (bgg * 256 + k * dg) >> 8, (bb * 256 + k * db) >> 8);
    return ramp;
}

// Puts one glyph's coverage; ramp is null for transparent drawing.
class CGlyphPainter {
public:
    CGlyphPainter(BITMAP* bmp, const Clip& clip, int color, const Ramp* ramp)
        : m_bmp(bmp), m_clip(clip), m_color(color), m_ramp(ramp),
          m_direct16(bitmap_color_depth(bmp) == 16 && is_memory_bitmap(bmp) &&
                     (!ramp || _drawing_mode == DRAW_MODE_SOLID))
    {
    }

    void Paint(const TtfGlyph& g, int gx, int gy) const
    {
        const int c0 = std::max(0, m_clip.left - gx), c1 = std::min(g.width, m_clip.right + 1 - gx);
        const int r0 = std::max(0, m_clip.top - gy), r1 = std::min(g.rows, m_clip.bottom + 1 - gy);
        for (int r = r0; r < r1; ++r) {
            const uint8_t* cov = &g.coverage[static_cast<size_t>(r) * g.width];
            for (int c = c0; c < c1; ++c)
                if (cov[c] != 0)
                    Put(gx + c, gy + r, cov[c]);
        }
    }

private:
    void Put(int x, int y, int k) const
    {
        if (m_direct16) {
            uint16_t* p = reinterpret_cast<uint16_t*>(m_bmp->line[y]) + x;
            *p = m_ramp ? static_cast<uint16_t>((*m_ramp)[k]) : k == 255 ? static_cast<uint16_t>(m_color)
                                                                          : Blend16(m_color, *p, k);
        } else if (m_ramp) {
            putpixel(m_bmp, x, y, (*m_ramp)[k]);
        } else if (k == 255) {
            solid_mode();
            putpixel(m_bmp, x, y, m_color);
        } else {
            set_trans_blender(0, 0, 0, k);
            drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
            putpixel(m_bmp, x, y, m_color);
        }
    }

    BITMAP* m_bmp;       // target
    Clip m_clip;         // pixels outside stay untouched
    int m_color;         // text colour
    const Ramp* m_ramp;  // background ramp, or null when transparent
    bool m_direct16;     // write 16-bit pixels ourselves
};

Clip ClipOf(BITMAP* bmp)
{
    Clip c{};
    get_clip_rect(bmp, &c.left, &c.top, &c.right, &c.bottom);
    return c;
}

void FillBackground(BITMAP* bmp, ALFONT_FONT* font, const char* text, int x, int y)
{
    const int w = ttf_text_length(font, text);
    // Allegro would swap reversed corners; an empty box fills nothing.
    if (w > 0 && font->size > 0)
        rectfill(bmp, x, y, x + w - 1, y + font->size - 1, g_textMode);
}

void DrawGlyphs(BITMAP* bmp, ALFONT_FONT* font, const char* text, int x, int y, const CGlyphPainter& painter,
                int clipRight)
{
    const char* p = text;
    while (x <= clipRight) {
        const int c = ugetxc(&p);
        if (c == 0)
            break;
        const TtfGlyph* g = TtfGlyphFor(font, c);
        if (!g)
            break;
        if (g->hasPixels)
            painter.Paint(*g, x + g->left, y - g->top + font->ascent);
        if (g->advanceX != 0)
            x += g->advanceX + font->spacing;
        if (g->advanceY != 0)
            y += g->advanceY + font->spacing;
    }
}

void PrintAligned(BITMAP* bmp, ALFONT_FONT* font, int x, int y, int color, bool centre, const char* format,
                  va_list args)
{
    if (!bmp || !font || !format)
        return;
    char buf[kFormatBufferSize];
    uvszprintf(buf, sizeof buf, format, args);
    const int w = ttf_text_length(font, buf);
    ttf_textout_aa(bmp, font, buf, centre ? x - w / 2 : x - w, y, color);
}

} // namespace

int ttf_text_mode(int mode)
{
    const int previous = g_textMode;
    g_textMode = mode;
    return previous;
}

int ttf_text_length(ALFONT_FONT* font, const char* text)
{
    if (!font || !text)
        return 0;
    int w = 0;
    const char* p = text;
    for (int c = ugetxc(&p); c != 0; c = ugetxc(&p)) {
        const TtfGlyph* g = TtfGlyphFor(font, c);
        if (g && g->advanceX != 0)
            w += g->advanceX + font->spacing;
    }
    return w;
}

void ttf_textout_aa(BITMAP* bmp, ALFONT_FONT* font, const char* text, int x, int y, int color)
{
    if (!bmp || !font || !text)
        return;
    const Clip clip = ClipOf(bmp);
    if (y + font->size < clip.top || y > clip.bottom || x > clip.right)
        return;
    const bool filled = g_textMode >= 0;
    Ramp ramp;
    if (filled) {
        FillBackground(bmp, font, text, x, y);
        ramp = BuildRamp(g_textMode, color);
    }
    acquire_bitmap(bmp);
    DrawGlyphs(bmp, font, text, x, y, CGlyphPainter(bmp, clip, color, filled ? &ramp : nullptr), clip.right);
    release_bitmap(bmp);
    if (!filled)
        solid_mode();
}

void ttf_textprintf_centre_aa(BITMAP* bmp, ALFONT_FONT* font, int x, int y, int color, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    PrintAligned(bmp, font, x, y, color, true, format, args);
    va_end(args);
}

void ttf_textprintf_right_aa(BITMAP* bmp, ALFONT_FONT* font, int x, int y, int color, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    PrintAligned(bmp, font, x, y, color, false, format, args);
    va_end(args);
}
