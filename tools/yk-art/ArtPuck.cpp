#include <cmath>

#include "Art.h"
#include "Noise.h"
#include "Sdf.h"

namespace {

// Puck 40 pixels across; the spikes reach 25 pixels from the centre, which
// is what cvar_crackRadius should match.
constexpr int kPuck = 40, kSpikes = 50, kSpikeCount = 12;

Canvas Puck(Rgb glow, float scale = 1)
{
    Canvas c(int(kPuck * scale), int(kPuck * scale), {}, scale);
    const V2 m = {kPuck / 2.0f, kPuck / 2.0f};
    auto shell = [m](V2 p) { return SdCircle(p, m, 18); };
    Body(c, shell, [&](V2 p, N3 n) {
        // Brushed steel with panel seams.
        const V2 d = p - m;
        const float ang = std::atan2(d.y, d.x);
        const float seam = std::fabs(std::sin(ang * 3)) < 0.08f ? 0.55f : 1.0f;
        return Lit(Hex(0x8c8c9c) * seam, n, 0.8f, 26);
    }, 18, 1.5f);
    // A glowing core ring shows whose puck it is.
    auto ring = [m](V2 p) { return std::fabs(SdCircle(p, m, 9)) - 2.5f; };
    c.Fill([&](V2 p) { return ring(p) - 1; }, Hex(0x101018));
    c.Fill(ring, [&](V2 p) {
        const float t = Clamp01(1 - std::fabs(SdCircle(p, m, 9)) / 2.5f);
        return Mix(glow, Rgb{1, 1, 1}, t * 0.5f);
    });
    Body(c, [m](V2 p) { return SdCircle(p, m, 5); }, [](V2, N3 n) { return Lit(Hex(0x404050), n, 0.9f, 30); }, 5, 1);
    return c;
}

Canvas Spikes(Rgb tip, float scale = 1)
{
    Canvas c(int(kSpikes * scale), int(kSpikes * scale), {}, scale);
    const V2 m = {kSpikes / 2.0f, kSpikes / 2.0f};
    auto spikes = [m](V2 p) {
        float d = 1e9f;
        for (int i = 0; i < kSpikeCount; ++i) {
            const float a = i * 2 * kPi / kSpikeCount;
            const V2 dir = {std::cos(a), std::sin(a)}, side = {-dir.y, dir.x};
            const V2 base = m + dir * 16.5f;
            d = std::min(d, SdTriangle(p, base + side * 3.6f, base - side * 3.6f, m + dir * 24));
        }
        return d;
    };
    Body(c, spikes, [&](V2 p, N3 n) {
        const float r = Len(p - m);
        return Lit(Mix(Hex(0xb8b8c8), tip, Smooth(19, 24, r)), n, 0.9f, 30);
    }, 2.5f, 1.2f);
    return c;
}

Canvas Acid()
{
    Canvas c(16, 16);
    auto blob = [](V2 p) {
        const float wob = 1.2f * std::sin(std::atan2(p.y - 8, p.x - 8) * 5);
        return SdCircle(p, {8, 8}, 5.5f + wob * 0.5f);
    };
    Body(c, blob, [](V2 p, N3 n) {
        const float bub = Worley(p.x * 0.4f, p.y * 0.4f, 77) < 0.25f ? 1.3f : 1.0f;
        return Lit(Hex(0x60e020) * bub, n, 0.9f, 20);
    }, 4, 1.2f, Hex(0x0c2004));
    return c;
}

} // namespace

Canvas PuckSprite(int player, int size)
{
    const Rgb glow[3] = {Hex(0xff5020), Hex(0x30f050), Hex(0x3080ff)};
    const Rgb tip[3] = {Hex(0xffb080), Hex(0x90ffa0), Hex(0x90c0ff)};
    const float scale = size > 0 ? float(size) / kSpikes : 1;
    Canvas c = Spikes(tip[player], scale);
    Canvas under(c.W(), c.H());
    const Canvas puck = Puck(glow[player], scale);
    under.Draw(puck, (c.W() - puck.W()) / 2, (c.H() - puck.H()) / 2);
    under.Draw(c, 0, 0);
    return under;
}

void AddPucks(ImageSet& set)
{
    set.AddSprite("puck", "PUCK_IMG", Puck(Hex(0xff5020)));
    set.AddSprite("puck-spikes", "PUCK_SPIKES_IMG", Spikes(Hex(0xffb080)));
    set.AddSprite("puck-1", "PUCK_1_IMG", Puck(Hex(0x30f050)));
    set.AddSprite("puck-1-spikes", "PUCK_1_SPIKES_IMG", Spikes(Hex(0x90ffa0)));
    set.AddSprite("puck-2", "PUCK_2_IMG", Puck(Hex(0x3080ff)));
    set.AddSprite("puck-2-spikes", "PUCK_2_SPIKES_IMG", Spikes(Hex(0x90c0ff)));
    set.AddSprite("acid", "ACID_IMG", Acid());
}
