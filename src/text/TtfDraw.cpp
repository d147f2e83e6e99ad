// Measuring and drawing text with the fonts of the TrueType layer.
#include <allegro.h>
#include <allegro/internal/aintern.h>

#include <array>
#include <algorithm>
#include <cstdarg>
#include <cstring>

#include "app/WideVectors.h"
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

// The part of a glyph's box to paint: columns [left, right), rows [top, bottom).
struct SBoxPart {
    int left, top, right, bottom;
};

// Eight pixels of a glyph's edge, blended as one vector.
using Eight32 = uint32_t __attribute__((vector_size(32)));
using Eight16 = uint16_t __attribute__((vector_size(16)));
using Eight8 = uint8_t __attribute__((vector_size(8)));

// Blends the first `count` of eight pixels (eight coverage bytes readable)
// as one vector; the others keep their value.
inline void BlendEight(uint16_t* row, const uint8_t* cov, uint32_t src, int count)
{
    static constexpr Eight8 kLane = {0, 1, 2, 3, 4, 5, 6, 7};
    Eight16 dst;
    Eight8 alpha;
    std::memcpy(&dst, row, sizeof dst);
    std::memcpy(&alpha, cov, sizeof alpha);
    alpha &= kLane < static_cast<uint8_t>(count);
    Eight32 mixed = __builtin_convertvector(dst, Eight32);
    Blend16Lanes(mixed, Eight32{} + src, __builtin_convertvector(alpha, Eight32));
    const Eight16 out = __builtin_convertvector(mixed, Eight16);
    std::memcpy(row, &out, sizeof out);
}

// The HUD's case, transparent text straight onto a 16-bit memory bitmap.
// Most of a glyph's box is empty or solid, eight pixels at a time; the
// eights at its edges are blended whole as vectors, where an empty pixel
// keeps what was there and a full one takes the colour.
WIDE_VECTORS void PaintOver16(BITMAP* bmp, const TtfGlyph& g, int gx, int gy, SBoxPart part, int colour)
{
    const auto solid = static_cast<uint16_t>(colour);
    const auto src = static_cast<uint32_t>(colour);
    for (int r = part.top; r < part.bottom; ++r) {
        const uint8_t* cov = &g.coverage[static_cast<size_t>(r) * g.width];
        uint16_t* row = reinterpret_cast<uint16_t*>(bmp->line[gy + r]) + gx;
        int c = part.left;
        for (; c + 8 <= part.right; c += 8) {
            uint64_t eight;
            std::memcpy(&eight, cov + c, sizeof eight);
            if (eight == 0)
                continue;
            if (eight == ~uint64_t{0}) {
                std::fill_n(row + c, 8, solid);
                continue;
            }
            BlendEight(row + c, cov + c, src, 8);
        }
        // The last few: a whole eight when the row goes on that far, the
        // lanes past the glyph blending to what is there.
        if (c < part.right && gx + c + 8 <= bmp->w)
            BlendEight(row + c, cov + c, src, part.right - c);
        else
            for (; c < part.right; ++c)
                if (cov[c] == 255)
                    row[c] = solid;
                else if (cov[c] != 0)
                    row[c] = Blend16(src, row[c], cov[c]);
    }
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
        if (m_direct16 && !m_ramp) {
            PaintOver16(m_bmp, g, gx, gy, {c0, r0, c1, r1}, m_color);
            return;
        }
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
        // Transparent text on a 16-bit memory bitmap never comes here: PaintOver16 takes it.
        if (m_direct16 && m_ramp) {
            reinterpret_cast<uint16_t*>(m_bmp->line[y])[x] = static_cast<uint16_t>((*m_ramp)[k]);
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

// Short plain ASCII in a byte encoding, which the formatter copies as it is.
bool PlainAscii(const char* text)
{
    const int format = get_uformat();
    if (!text || (format != U_UTF8 && format != U_ASCII && format != U_ASCII_CP))
        return false;
    size_t n = 0;
    for (; text[n] != 0; ++n)
        if (static_cast<unsigned char>(text[n]) >= 0x80 || n + 1 >= static_cast<size_t>(kFormatBufferSize))
            return false;
    return true;
}

// The text to draw: a lone "%s" of plain ASCII is taken as it is, sparing
// the library's formatter and its allocations for every HUD string.
const char* Format(char* buf, const char* format, va_list args)
{
    if (std::strcmp(format, "%s") == 0) {
        va_list peek;
        va_copy(peek, args);
        const char* text = va_arg(peek, const char*);
        va_end(peek);
        if (PlainAscii(text))
            return text;
    }
    uvszprintf(buf, kFormatBufferSize, format, args);
    return buf;
}

void PrintAligned(BITMAP* bmp, ALFONT_FONT* font, int x, int y, int color, bool centre, const char* format,
                  va_list args)
{
    if (!bmp || !font || !format)
        return;
    char buf[kFormatBufferSize];
    const char* text = Format(buf, format, args);
    const int w = ttf_text_length(font, text);
    ttf_textout_aa(bmp, font, text, centre ? x - w / 2 : x - w, y, color);
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
