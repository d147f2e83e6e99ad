#pragma once
// Finds a text in a drawn frame: the pixels the text layer covers fully when
// it draws that text at that place must hold the text's colour there. A text
// one pixel off, in another font, colour or wording fails; so does a text
// drawn over by something else.
#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "text/Ttf.h"

// The DejaVu face the game ships, at a given pixel size; null when missing.
inline std::shared_ptr<ALFONT_FONT> LoadTestFont(int size)
{
    ttf_init();
    ALFONT_FONT* font = ttf_load_font((std::string(YK_DATA_DIR) + "/fonts/DejaVuSans-Bold.ttf").c_str());
    if (font)
        ttf_set_font_size(font, size);
    return std::shared_ptr<ALFONT_FONT>(font, [](ALFONT_FONT* f) { ttf_destroy_font(f); });
}

// Transparent text background for the probe's own drawing and the frame's.
class CTextModeTransparent {
public:
    CTextModeTransparent() : previous(ttf_text_mode(-1)) {}
    ~CTextModeTransparent() { ttf_text_mode(previous); }

private:
    int previous;
};

enum class EAlign { kCentre, kRight };

// The pixels of one text drawn at one place.
class CTextPrint {
public:
    using Points = std::vector<std::pair<int, int>>;

    CTextPrint(ALFONT_FONT* font, int x, int y, const std::string& text, EAlign align = EAlign::kCentre)
    {
        const int len = ttf_text_length(font, text.c_str());
        const int h = std::max(ttf_get_font_height(font), ttf_get_font_real_height(font));
        const int x0 = x - len - 8, y0 = y - h - 8;
        const int w = 2 * len + 16, hh = 3 * h + 16;
        const int white = makecol(255, 255, 255), black = 0;
        BITMAP* onBlack = create_bitmap(w, hh);
        BITMAP* onWhite = create_bitmap(w, hh);
        clear_to_color(onBlack, black);
        clear_to_color(onWhite, white);
        CTextModeTransparent transparent;
        // Drawn in one colour on two grounds: where both give that colour the
        // text covers the pixel fully; where either changed, it touches it.
        const int ink = makecol(0, 255, 0);
        for (BITMAP* b : {onBlack, onWhite}) {
            if (align == EAlign::kCentre)
                ttf_textprintf_centre_aa(b, font, x - x0, y - y0, ink, "%s", text.c_str());
            else
                ttf_textprintf_right_aa(b, font, x - x0, y - y0, ink, "%s", text.c_str());
        }
        for (int py = 0; py < hh; ++py)
            for (int px = 0; px < w; ++px) {
                const int a = getpixel(onBlack, px, py), b = getpixel(onWhite, px, py);
                if (a == ink && b == ink)
                    solid.emplace_back(x0 + px, y0 + py);
                if (a != black || b != white)
                    touched.emplace(x0 + px, y0 + py);
            }
        destroy_bitmap(onBlack);
        destroy_bitmap(onWhite);
    }

    Points solid;   // fully covered
    std::set<std::pair<int, int>> touched; // covered at all
};

// The points that fall on the frame (a text may run off its edge).
inline CTextPrint::Points OnFrame(BITMAP* frame, const CTextPrint::Points& points)
{
    CTextPrint::Points inside;
    for (auto [x, y] : points)
        if (x >= 0 && y >= 0 && x < frame->w && y < frame->h)
            inside.emplace_back(x, y);
    return inside;
}

// How many of the points hold the colour in the frame.
inline int PointsHolding(BITMAP* frame, const CTextPrint::Points& points, int colour)
{
    int n = 0;
    for (auto [x, y] : points)
        n += getpixel(frame, x, y) == colour;
    return n;
}

// Every fully covered pixel of the text holds its colour.
inline testing::AssertionResult TextAt(BITMAP* frame, ALFONT_FONT* font, int x, int y, int colour,
                                       const std::string& text, EAlign align = EAlign::kCentre)
{
    const CTextPrint print(font, x, y, text, align);
    const CTextPrint::Points solid = OnFrame(frame, print.solid);
    const int n = PointsHolding(frame, solid, colour);
    if (solid.size() >= 10 && n == static_cast<int>(solid.size()))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "\"" << text << "\" at (" << x << ", " << y << "): " << n << " of "
                                       << solid.size() << " pixels in its colour";
}

// A text that another text (drawn after it, such as the white text over its
// shadow) partly covers: its pixels outside the later text hold its colour.
inline testing::AssertionResult TextUnder(BITMAP* frame, ALFONT_FONT* font, int x, int y, int colour,
                                          const std::string& text, const CTextPrint& over,
                                          EAlign align = EAlign::kCentre)
{
    const CTextPrint print(font, x, y, text, align);
    CTextPrint::Points visible;
    for (const auto& p : OnFrame(frame, print.solid))
        if (!over.touched.count(p))
            visible.push_back(p);
    const int n = PointsHolding(frame, visible, colour);
    if (visible.size() >= 10 && n == static_cast<int>(visible.size()))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "\"" << text << "\" at (" << x << ", " << y << ") under another: " << n
                                       << " of " << visible.size() << " pixels in its colour";
}

// No more than a few of the text's pixels hold the colour: it is not there.
inline testing::AssertionResult NoTextAt(BITMAP* frame, ALFONT_FONT* font, int x, int y, int colour,
                                         const std::string& text, EAlign align = EAlign::kCentre)
{
    const CTextPrint print(font, x, y, text, align);
    const CTextPrint::Points solid = OnFrame(frame, print.solid);
    const int n = PointsHolding(frame, solid, colour);
    if (n * 4 < static_cast<int>(solid.size()))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "\"" << text << "\" found at (" << x << ", " << y << "): " << n << " of "
                                       << solid.size() << " pixels";
}
