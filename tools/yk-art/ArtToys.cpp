#include <cmath>

#include "Art.h"
#include "Noise.h"
#include "Sdf.h"

namespace {

// A T-cell: a pale lymphocyte studded with receptors.
Canvas TCell()
{
    Canvas c(36, 36);
    const V2 m = {18, 18};
    auto knobs = [m](V2 p) {
        float d = 1e9f;
        for (int i = 0; i < 14; ++i) {
            const float a = i * 2 * kPi / 14 + 0.2f;
            const V2 dir = {std::cos(a), std::sin(a)};
            d = std::min(d, SdSegment(p, m + dir * 12, m + dir * 15.5f, 1.0f));
            d = std::min(d, SdCircle(p, m + dir * 15.5f, 1.7f));
        }
        return d;
    };
    Body(c, knobs, [](V2, N3 n) { return Lit(Hex(0xc8b8f0), n, 0.6f, 16); }, 1.5f, 1);
    auto cell = [m](V2 p) { return SdCircle(p, m, 13) + 0.6f * Fbm(p.x * 0.5f, p.y * 0.5f, 3, 2); };
    Body(c, cell, [m](V2 p, N3 n) {
        const float nucleus = Smooth(1.5f, -2.5f, SdCircle(p, m + V2{1.5f, 1.5f}, 7));
        return Lit(Mix(Hex(0xf0ecff), Hex(0x9a80d8), nucleus * 0.6f), n, 0.7f, 18);
    }, 12, 1.5f, Hex(0x1a1030));
    return c;
}

// A half-digested morsel: knobbly, fibrous, brown and yellow.
Canvas Food()
{
    Canvas c(32, 32);
    auto lump = [](V2 p) {
        return SdEllipse(p, {16, 16.5f}, 13, 11) + 2.2f * Fbm(p.x * 0.17f, p.y * 0.17f, 61, 3);
    };
    Body(c, lump, [](V2 p, N3 n) {
        const float fibre = 0.5f + 0.5f * std::sin(p.x * 1.3f + 4 * Fbm(p.x * 0.1f, p.y * 0.3f, 62, 2));
        const float patch = Smooth(-0.1f, 0.25f, Fbm(p.x * 0.2f, p.y * 0.2f, 63, 2));
        const Rgb col = Mix(Hex(0xc88a40), Hex(0xe8d060), patch) * (0.85f + 0.15f * fibre);
        return Lit(col, n, 0.4f, 12);
    }, 8, 1.6f, Hex(0x201006));
    return c;
}

// A fireball with curled flame tongues, so that its spin shows.
Canvas Fire()
{
    Canvas c(32, 32);
    const V2 m = {16, 16};
    auto flame = [m](V2 p) {
        const V2 d = p - m;
        const float a = std::atan2(d.y, d.x), r = Len(d);
        const float tongues = 2.6f * std::max(0.0f, std::sin(a * 5 + r * 0.35f));
        return r - (9.5f + tongues);
    };
    c.Fill([&](V2 p) { return flame(p) - 1.3f; }, Hex(0x300800));
    c.Fill(flame, [m](V2 p) {
        const float r = Len(p - m);
        const float t = Clamp01(r / 12);
        const Rgb core = Hex(0xfffbd0), mid = Hex(0xffc020), rim = Hex(0xe03a08);
        return t < 0.45f ? Mix(core, mid, t / 0.45f) : Mix(mid, rim, (t - 0.45f) / 0.55f);
    });
    // A dark swirl makes the rotation visible.
    c.Fill([m](V2 p) {
        const V2 d = p - m;
        const float a = std::atan2(d.y, d.x), r = Len(d);
        return std::fabs(std::sin(a * 2 - r * 0.45f)) * 3 - 0.6f + (r < 3 ? 5 : 0);
    }, Hex(0xff7010), 0.5f);
    return c;
}

// A neuron: a glowing soma with branching dendrites.
Canvas Nerve()
{
    Canvas c(40, 40);
    const V2 m = {20, 20};
    auto tree = [m](V2 p) {
        float d = SdCircle(p, m, 7);
        for (int i = 0; i < 6; ++i) {
            const float a = i * 2 * kPi / 6 + 0.3f * std::sin(i * 2.1f);
            const V2 dir = {std::cos(a), std::sin(a)};
            const V2 mid = m + dir * 11;
            d = SdSmoothUnion(d, SdTaper(p, m, mid, 3, 1.8f), 2);
            d = std::min(d, SdTaper(p, mid, mid + Rot(dir, 0.6f) * 7.5f, 1.8f, 0.7f));
            d = std::min(d, SdTaper(p, mid, mid + Rot(dir, -0.5f) * 7, 1.8f, 0.7f));
        }
        return d;
    };
    Body(c, tree, [m](V2 p, N3 n) {
        const float glow = Clamp01(1 - Len(p - m) / 18);
        return Lit(Mix(Hex(0xd09020), Hex(0xfff0a0), glow), n, 0.8f, 20);
    }, 3, 1.4f, Hex(0x201004));
    Body(c, [m](V2 p) { return SdCircle(p, m + V2{0.5f, 0.5f}, 3); },
         [](V2, N3 n) { return Lit(Hex(0xff6020), n, 0.9f, 20); }, 3, 0.8f);
    return c;
}

// A fang whose tip points along dir, with its gum at the root.
Canvas Tooth(V2 dir)
{
    const bool across = dir.x != 0;
    Canvas c(across ? 40 : 30, across ? 30 : 40);
    const V2 m = {c.W() / 2.0f, c.H() / 2.0f};
    const V2 side = {-dir.y, dir.x};
    auto local = [=](V2 p) { const V2 d = p - m; return V2{Dot(d, side), Dot(d, dir)}; };
    auto gum = [=](V2 p) { return SdEllipse(local(p), {0, -14}, 12, 5); };
    Body(c, gum, [](V2, N3 n) { return Lit(Hex(0xe07080), n, 0.5f, 14); }, 4, 1.4f);
    auto fang = [=](V2 p) {
        const V2 q = local(p);
        const V2 bend = {q.x + 0.012f * q.y * q.y, q.y};
        return SdTaper(bend, {0, -11}, {0, 16}, 8, 0.8f);
    };
    Body(c, fang, [=](V2 p, N3 n) {
        const float t = Clamp01((local(p).y + 11) / 27);
        return Lit(Mix(Hex(0xf0e8c8), Hex(0xffffff), t), n, 0.9f, 30);
    }, 6, 1.5f);
    return c;
}

// A dust mote: a tangle of grey fibres.
Canvas Dust()
{
    Canvas c(24, 24);
    Rng rng(91);
    std::vector<std::pair<V2, V2>> fibres;
    for (int i = 0; i < 14; ++i) {
        const V2 a = {rng.Uniform(5, 19), rng.Uniform(5, 19)};
        const float ang = rng.Uniform(0, 2 * kPi), len = rng.Uniform(5, 9);
        fibres.push_back({a, a + V2{std::cos(ang), std::sin(ang)} * len});
    }
    auto fluff = [&](V2 p) {
        float d = SdCircle(p, {12, 12}, 5.5f) + 1.3f * Fbm(p.x * 0.5f, p.y * 0.5f, 92, 2);
        for (const auto& f : fibres)
            d = std::min(d, SdSegment(p, f.first, f.second, 0.8f));
        return d;
    };
    Body(c, fluff, [](V2 p, N3 n) {
        return Lit(Mix(Hex(0xa09a90), Hex(0xd8d0c0), 0.5f + 0.5f * Fbm(p.x * 0.6f, p.y * 0.6f, 93, 2)), n, 0.3f, 10);
    }, 3, 1.1f, Hex(0x1a1612));
    return c;
}

} // namespace

void AddToys(ImageSet& set)
{
    set.AddSprite("toy-tcell", "TOY_TCELL_IMG", TCell());
    set.AddSprite("toy-food", "TOY_FOOD_IMG", Food());
    set.AddSprite("toy-fire", "TOY_FIRE_IMG", Fire());
    set.AddSprite("toy-nerve", "TOY_NERVE_IMG", Nerve());
    set.AddSprite("toy-tooth-u", "TOY_TOOTH_U_IMG", Tooth({0, -1}));
    set.AddSprite("toy-tooth-r", "TOY_TOOTH_R_IMG", Tooth({1, 0}));
    set.AddSprite("toy-tooth-d", "TOY_TOOTH_D_IMG", Tooth({0, 1}));
    set.AddSprite("toy-tooth-l", "TOY_TOOTH_L_IMG", Tooth({-1, 0}));
    set.AddSprite("toy-dust", "TOY_DUST_IMG", Dust());
}
