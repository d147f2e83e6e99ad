#pragma once
#include <functional>
#include <vector>

#include "Vec.h"

// Straight-alpha pixel.
struct Px {
    float r = 0, g = 0, b = 0, a = 0;
};

struct Box {
    int x0, y0, x1, y1; // x1, y1 exclusive
};

// Surface normal for lighting: x right, y down, z toward the viewer.
struct N3 {
    float x = 0, y = 0, z = 1;
};

using SdfFn = std::function<float(V2)>;
using PaintFn = std::function<Rgb(V2)>;

// A floating-point picture that shapes are painted into by signed distance;
// converted to an Allegro bitmap only when saved.
class Canvas {
public:
    // pixelsPerUnit > 1 draws the same shapes larger: shapes are given in
    // units, one unit a pixel of the game's sprites (icons need bigger ones).
    Canvas(int w, int h, Px fill = {}, float pixelsPerUnit = 1);

    int W() const { return w; }
    int H() const { return h; }
    Px& At(int x, int y) { return px[size_t(y) * w + x]; }
    const Px& At(int x, int y) const { return px[size_t(y) * w + x]; }
    Box Whole() const { return {0, 0, w, h}; }

    // Composites colour c with coverage a over the pixel.
    void Blend(int x, int y, Rgb c, float a);
    // Paints the inside of sdf with paint(p), inside box (clipped).
    void Fill(const SdfFn& sdf, const PaintFn& paint, float opacity = 1, Box box = {0, 0, 1 << 30, 1 << 30});
    void Fill(const SdfFn& sdf, Rgb colour, float opacity = 1, Box box = {0, 0, 1 << 30, 1 << 30});
    // Every pixel of box from paint, fully opaque (backgrounds).
    void Paint(const PaintFn& paint, Box box = {0, 0, 1 << 30, 1 << 30});
    // Draws another canvas over this one with its top left at (dx, dy).
    void Draw(const Canvas& src, int dx, int dy, float opacity = 1);
    // Multiplies the colour of covered pixels (shadows, tints).
    void Darken(const SdfFn& sdf, float amount, float soft, Box box = {0, 0, 1 << 30, 1 << 30});

    // A copy turned by half a turn (upside-down text on the player dial).
    Canvas Rotated180() const;
    // A bilinear enlargement (decorations on full-screen pictures).
    Canvas Scaled(float factor) const;

private:
    Box Clip(Box b) const;

    V2 Centre(int x, int y) const { return {(x + 0.5f) / k, (y + 0.5f) / k}; }

    int w, h;
    float k; // pixels per unit
    std::vector<Px> px;
};

// Lighting shared by every sprite: one light from the upper left.
Rgb Lit(Rgb base, N3 n, float specular = 0.45f, float shine = 18);
// Normal of a rounded "pillow" whose bevel is radius pixels wide, from the
// gradient of its distance field.
N3 PillowNormal(const SdfFn& sdf, V2 p, float radius);
// A shaded body with a dark outline of width ow: the anti-aliasing of the
// body runs against the outline, never against the background.
void Body(Canvas& c, const SdfFn& sdf, const std::function<Rgb(V2, N3)>& paint, float bevel, float ow = 1.5f,
          Rgb outline = {0.05f, 0.02f, 0.04f}, Box box = {0, 0, 1 << 30, 1 << 30});
