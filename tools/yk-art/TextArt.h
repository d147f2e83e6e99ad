#pragma once
#include <string>
#include <vector>

#include "Canvas.h"

// Text inside generated pictures, rasterised by the game's own TrueType
// layer and then painted into a canvas like any other shape.
enum class Face { Sans, Condensed, Serif };

struct TextStyle {
    Face face = Face::Sans;
    int size = 20;            // full line height in pixels
    Rgb top = {1, 1, 1};      // vertical gradient of the letters
    Rgb bottom = {1, 1, 1};
    float outline = 0;        // dark rim width in pixels
    Rgb outlineColour = {0.03f, 0.02f, 0.04f};
    float shadow = 0;         // drop-shadow offset in pixels
    float glow = 0;           // soft halo radius in pixels
    Rgb glowColour = {1, 0.5f, 0.2f};
};

// Coverage of a line of text, 0..1 per pixel, with a margin around it.
class TextMask {
public:
    TextMask(const std::string& text, Face face, int size, int margin);
    int W() const { return w; }
    int H() const { return h; }
    int Margin() const { return margin; }
    int TextWidth() const { return textW; }
    float At(int x, int y) const;
    // The largest coverage within radius r (a thickened outline).
    TextMask Dilated(float r) const;
    TextMask Blurred(int r) const;

private:
    TextMask() = default;
    int w = 0, h = 0, margin = 0, textW = 0;
    std::vector<float> cov;
};

// Draws text centred on x with the top of its line box at y.
void DrawTextCentred(Canvas& c, const std::string& text, float x, float y, const TextStyle& st);
// Draws text with the left of its line box at x.
void DrawTextLeft(Canvas& c, const std::string& text, float x, float y, const TextStyle& st);
// Width in pixels of a line of text.
int TextWidth(const std::string& text, Face face, int size);
// Frees the fonts kept between calls.
void ReleaseFonts();
