#include <cmath>

#include "Art.h"
#include "Noise.h"
#include "Sdf.h"
#include "app/Display.h"

namespace {

// The lanterns run in a 24-pixel track along each wall; the band inside it
// is where parasites infect the patient, drawn as a darker membrane.
constexpr int kTrack = 24;
constexpr int kMembrane = 28;

const char* const kSetNames[kSystemCount] = {"bitmap-circulatory", "bitmap-digestive", "bitmap-respiratory",
                                             "bitmap-nervous"};

const Rgb kMembraneTint[kSystemCount] = {Hex(0x300408), Hex(0x3a1808), Hex(0x3a2040), Hex(0x0a0820)};

float EdgeDistance(V2 p) { return std::min({p.x, p.y, kScreenW - p.x, kScreenH - p.y}); }

void Membrane(Canvas& c, int system)
{
    const Rgb tint = kMembraneTint[system];
    const Box whole = c.Whole();
    for (int y = 0; y < c.H(); ++y)
        for (int x = 0; x < c.W(); ++x) {
            const V2 p = {x + 0.5f, y + 0.5f};
            const float d = EdgeDistance(p);
            Px& px = c.At(x, y);
            // Arena: subdued so that sprites read; darker toward the walls.
            float k = 0.78f - 0.25f * Smooth(kTrack + kMembrane + 40, kTrack + kMembrane, d);
            Rgb col = Rgb{px.r, px.g, px.b} * k;
            if (d < kTrack + kMembrane) {
                const float t = Smooth(kTrack + kMembrane, kTrack, d);
                const float ripple = 0.5f + 0.5f * std::sin(d * 0.9f + Fbm(p.x * 0.03f, p.y * 0.03f, 4, 2) * 3);
                col = Mix(col, tint * (0.9f + 0.5f * ripple), t * 0.75f);
            }
            px = {col.r, col.g, col.b, 1};
        }
    (void)whole;
    // The edge of the infection band.
    c.Fill([](V2 p) { return std::fabs(EdgeDistance(p) - (kTrack + kMembrane)) - 0.8f; },
           Mix(tint, Rgb{1, 1, 1}, 0.25f), 0.5f);
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
