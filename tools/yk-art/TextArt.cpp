#include "TextArt.h"

#include <allegro.h>

#include <cmath>
#include <cstdio>
#include <map>

#include "text/Ttf.h"

namespace {

const char* FontFile(Face face)
{
    switch (face) {
    case Face::Condensed: return "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf";
    case Face::Serif: return "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";
    default: return "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
    }
}

std::map<std::pair<int, int>, ALFONT_FONT*>& Fonts()
{
    static std::map<std::pair<int, int>, ALFONT_FONT*> fonts;
    return fonts;
}

ALFONT_FONT* GetFont(Face face, int size)
{
    auto key = std::make_pair(int(face), size);
    auto it = Fonts().find(key);
    if (it != Fonts().end())
        return it->second;
    ttf_init();
    ttf_text_mode(-1);
    ALFONT_FONT* f = ttf_load_font(FontFile(face));
    if (!f)
        std::fprintf(stderr, "yk-art: cannot load font %s\n", FontFile(face));
    else
        ttf_set_font_size(f, size);
    Fonts()[key] = f;
    return f;
}

void Paint(Canvas& c, const TextMask& m, int ox, int oy, const std::function<Rgb(int, int)>& colour, float alpha)
{
    for (int y = 0; y < m.H(); ++y)
        for (int x = 0; x < m.W(); ++x) {
            const float a = m.At(x, y);
            if (a > 0)
                c.Blend(ox + x, oy + y, colour(x, y), a * alpha);
        }
}

void DrawAt(Canvas& c, const std::string& text, float left, float top, const TextStyle& st)
{
    const int margin = int(std::ceil(st.outline + st.shadow + st.glow)) + 2;
    const TextMask m(text, st.face, st.size, margin);
    const int ox = int(std::lround(left)) - margin, oy = int(std::lround(top)) - margin;
    if (st.glow > 0) {
        const TextMask g = m.Dilated(st.glow * 0.5f).Blurred(int(st.glow));
        Paint(c, g, ox, oy, [&](int, int) { return st.glowColour; }, 0.9f);
    }
    const TextMask rim = st.outline > 0 ? m.Dilated(st.outline) : m;
    if (st.shadow > 0) {
        const int s = int(std::lround(st.shadow));
        Paint(c, rim.Blurred(1), ox + s, oy + s, [](int, int) { return Rgb{0, 0, 0}; }, 0.75f);
    }
    if (st.outline > 0)
        Paint(c, rim, ox, oy, [&](int, int) { return st.outlineColour; }, 1);
    Paint(c, m, ox, oy, [&](int, int y) { return Mix(st.top, st.bottom, Clamp01(float(y - margin) / st.size)); }, 1);
}

} // namespace

TextMask::TextMask(const std::string& text, Face face, int size, int margin_) : margin(margin_)
{
    ALFONT_FONT* f = GetFont(face, size);
    textW = ttf_text_length(f, text.c_str());
    w = textW + 2 * margin;
    h = size + 2 * margin;
    cov.assign(size_t(w) * h, 0);
    if (!f || textW <= 0)
        return;
    // White on black in 32-bit: the red channel is then the coverage.
    BITMAP* bmp = create_bitmap_ex(32, w, h);
    clear_to_color(bmp, makecol32(0, 0, 0));
    ttf_textout_aa(bmp, f, text.c_str(), margin, margin, makecol32(255, 255, 255));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            cov[size_t(y) * w + x] = getr32(getpixel(bmp, x, y)) / 255.0f;
    destroy_bitmap(bmp);
}

float TextMask::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= w || y >= h)
        return 0;
    return cov[size_t(y) * w + x];
}

TextMask TextMask::Dilated(float r) const
{
    TextMask out = *this;
    const int ri = int(std::ceil(r));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float best = 0;
            for (int dy = -ri; dy <= ri; ++dy)
                for (int dx = -ri; dx <= ri; ++dx) {
                    const float d = std::sqrt(float(dx * dx + dy * dy));
                    const float fall = Clamp01(r + 0.5f - d);
                    best = std::max(best, At(x + dx, y + dy) * fall);
                }
            out.cov[size_t(y) * w + x] = best;
        }
    return out;
}

TextMask TextMask::Blurred(int r) const
{
    TextMask out = *this;
    if (r <= 0)
        return out;
    std::vector<float> tmp(cov.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float s = 0;
            for (int k = -r; k <= r; ++k)
                s += At(x + k, y);
            tmp[size_t(y) * w + x] = s / (2 * r + 1);
        }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float s = 0;
            for (int k = -r; k <= r; ++k) {
                const int yy = y + k;
                if (yy >= 0 && yy < h)
                    s += tmp[size_t(yy) * w + x];
            }
            out.cov[size_t(y) * w + x] = s / (2 * r + 1);
        }
    return out;
}

int TextWidth(const std::string& text, Face face, int size) { return ttf_text_length(GetFont(face, size), text.c_str()); }

void DrawTextCentred(Canvas& c, const std::string& text, float x, float y, const TextStyle& st)
{
    DrawAt(c, text, x - TextWidth(text, st.face, st.size) / 2.0f, y, st);
}

void DrawTextLeft(Canvas& c, const std::string& text, float x, float y, const TextStyle& st) { DrawAt(c, text, x, y, st); }

void ReleaseFonts()
{
    for (auto& [key, f] : Fonts())
        ttf_destroy_font(f);
    Fonts().clear();
}
