#include <cmath>

#include "Art.h"
#include "Noise.h"
#include "Sdf.h"
#include "app/Display.h"

namespace {

// The lanterns run in a 24-pixel track along each wall. Inside it, the
// field the pucks can reach (between the 170 x 125 corner panels) is lit;
// the band outside it, where parasites crawl off to infect, is a darker
// membrane wall.
constexpr int kTrack = 24;
constexpr float kFieldX0 = 170, kFieldY0 = 125, kFieldX1 = kScreenW - 170, kFieldY1 = kScreenH - 125;

const char* const kSetNames[kSystemCount] = {"bitmap-circulatory", "bitmap-digestive", "bitmap-respiratory",
                                             "bitmap-nervous"};

const Rgb kMembraneTint[kSystemCount] = {Hex(0x400610), Hex(0x4a2010), Hex(0x4a2a50), Hex(0x100c30)};

float EdgeDistance(V2 p) { return std::min({p.x, p.y, kScreenW - p.x, kScreenH - p.y}); }

// Signed distance to the lit field: negative inside.
float FieldDistance(V2 p)
{
    return SdBox(p, {(kFieldX0 + kFieldX1) / 2, (kFieldY0 + kFieldY1) / 2},
                 {(kFieldX1 - kFieldX0) / 2, (kFieldY1 - kFieldY0) / 2}, 30);
}

Rgb Average(const Canvas& c)
{
    double r = 0, g = 0, b = 0;
    for (int y = 0; y < c.H(); y += 4)
        for (int x = 0; x < c.W(); x += 4) {
            const Px& p = c.At(x, y);
            r += p.r, g += p.g, b += p.b;
        }
    const double n = double((c.H() + 3) / 4) * ((c.W() + 3) / 4);
    return {float(r / n), float(g / n), float(b / n)};
}

void Membrane(Canvas& c, int system)
{
    const Rgb tint = kMembraneTint[system];
    const Rgb mean = Average(c);
    for (int y = 0; y < c.H(); ++y)
        for (int x = 0; x < c.W(); ++x) {
            const V2 p = {x + 0.5f, y + 0.5f};
            const float d = FieldDistance(p);
            Px& px = c.At(x, y);
            const Rgb base = {px.r, px.g, px.b};
            // Field: low contrast so that sprites read, darker at its rim.
            const Rgb calm = mean + (base + mean * -1.0f) * 0.5f;
            Rgb col = calm * (0.85f - 0.15f * Smooth(-60, 0, d));
            const float wall = Smooth(-4, 10, d);
            if (wall > 0) {
                const float ripple = 0.5f + 0.5f * std::sin(d * 0.35f + 3 * Fbm(p.x * 0.02f, p.y * 0.02f, 4, 3));
                const Rgb tissue = Mix(base * 0.35f, tint * (0.8f + 0.5f * ripple), 0.6f);
                col = Mix(col, tissue, wall);
            }
            px = {col.r, col.g, col.b, 1};
        }
    // A moist rim where the field meets the wall.
    c.Fill([](V2 p) { return std::fabs(FieldDistance(p) - 2) - 1.2f; }, Mix(tint, Rgb{1, 1, 1}, 0.45f), 0.6f);
    c.Fill([](V2 p) { return std::fabs(FieldDistance(p) - 5) - 1.5f; }, Rgb{0, 0, 0}, 0.35f);
}

void Track(Canvas& c)
{
    auto groove = [](V2 p) { return EdgeDistance(p) - kTrack; };
    c.Fill(groove, [](V2 p) {
        const float d = EdgeDistance(p);
        const float rail = (std::fabs(d - 3) < 1.5f || std::fabs(d - 21) < 1.5f) ? 1.0f : 0.0f;
        const float along = (p.y < kTrack || p.y > kScreenH - kTrack) ? p.x : p.y;
        const float tie = std::fmod(along, 32.0f) < 3 ? 0.6f : 0.0f;
        Rgb col = Mix(Hex(0x141218), Hex(0x2a2630), tie);
        col = Mix(col, Hex(0x8a8898) * (0.7f + 0.3f * std::cos((d - 3) * 1.2f)), rail);
        return col;
    });
    c.Fill([](V2 p) { return std::fabs(EdgeDistance(p) - kTrack) - 1; }, Hex(0x050406));
}

} // namespace

const char* SystemSetName(int system) { return kSetNames[system]; }

void MakeSystemSet(ImageSet& set, int system)
{
    Canvas bg = SystemBackground(system, kScreenW, kScreenH, 1000u + uint32_t(system) * 17u);
    Membrane(bg, system);
    Track(bg);
    set.AddPicture("bg-" + std::string(SystemSetName(system) + 7), "BG_IMG", bg);
}
