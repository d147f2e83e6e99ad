#include <cmath>

#include "Art.h"
#include "Noise.h"
#include "Sdf.h"

namespace {

// The end boss grows on a 90 x 60 grid of 8-pixel cells; each cell shows
// its own tile of this picture, so the tiles are whole cells that together
// read as one mass.
constexpr int kCell = 8, kCols = 90, kRows = 60;

void PaintCell(Canvas& c, int col, int row)
{
    const float x0 = col * kCell, y0 = row * kCell;
    const V2 centre = {x0 + 4 + (Hash01(col, row, 1) - 0.5f) * 0.8f, y0 + 4 + (Hash01(col, row, 2) - 0.5f) * 0.8f};
    const float r = 3.3f + Hash01(col, row, 3) * 0.5f;
    const float hue = 0.5f + 0.5f * Fbm(col * 0.08f, row * 0.08f, 55, 3);
    const Rgb base = Mix(Hex(0xe070b0), Hex(0x9060e0), hue);
    const float veins = Smooth(0.07f, 0.0f, std::fabs(Fbm(col * 0.05f, row * 0.05f, 56, 3)));
    const Box box = {int(x0), int(y0), int(x0) + kCell, int(y0) + kCell};
    c.Paint([&](V2 p) { return Mix(Hex(0x2a0c30), Hex(0x60183a), veins) * (0.8f + 0.2f * Hash01(int(p.x), int(p.y))); },
            box);
    auto cell = [&](V2 p) { return SdCircle(p, centre, r); };
    Body(c, cell, [&](V2 p, N3 n) {
        const float nuc = Smooth(0.6f, -0.4f, SdCircle(p, centre + V2{0.6f, 0.6f}, 1.2f));
        return Lit(Mix(base, base * 0.45f, nuc), n, 0.5f, 12);
    }, r, 0.7f, Hex(0x1a0418), box);
}

Canvas Mass()
{
    Canvas c(kCols * kCell, kRows * kCell);
    for (int row = 0; row < kRows; ++row)
        for (int col = 0; col < kCols; ++col)
            PaintCell(c, col, row);
    return c;
}

Canvas Flash()
{
    Canvas c(kCell, kCell);
    Body(c, [](V2 p) { return SdCircle(p, {4, 4}, 3.4f); },
         [](V2 p, N3 n) { return Lit(Mix(Hex(0xffffff), Hex(0xffe0f8), Len(p - V2{4, 4}) / 3.4f), n, 0.3f, 8); }, 3.4f,
         0.6f, Hex(0x400830));
    return c;
}

} // namespace

void AddStemCell(ImageSet& set)
{
    set.AddPicture("stemcell", "STEMCELL_IMG", Mass());
    set.AddSprite("stemcell-flash", "STEMCELL_FLASH_IMG", Flash());
}
