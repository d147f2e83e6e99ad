#include <cmath>

#include "Art.h"
#include "Noise.h"
#include "Sdf.h"

namespace {

// Each organ system has its own palette and texture; arenas keep the
// contrast low so that sprites stay readable on top.

Rgb Circulatory(V2 p, uint32_t seed)
{
    // Plasma flowing left to right: streaks stretched along x.
    const float flow = Fbm(p.x * 0.006f, p.y * 0.03f, seed, 5);
    const float fine = Fbm(p.x * 0.02f, p.y * 0.08f, seed + 1, 3);
    const float t = 0.5f + 0.5f * flow;
    Rgb c = Mix(Hex(0x3a0610), Hex(0x7a1420), t);
    return c * (0.9f + 0.15f * fine);
}

void BloodCells(Canvas& c, uint32_t seed, float scale)
{
    Rng rng(seed);
    const int n = int(c.W() * c.H() / 5200);
    for (int i = 0; i < n; ++i) {
        const float depth = rng.Uniform(0.25f, 1.0f);
        const V2 at = {rng.Uniform(0, float(c.W())), rng.Uniform(0, float(c.H()))};
        const float r = (7 + 9 * depth) * scale;
        const float tilt = rng.Uniform(0.55f, 1.0f), ang = rng.Uniform(0, kPi);
        const bool white = rng.Int(0, 40) == 0;
        auto sdf = [=](V2 p) {
            const V2 q = Rot(p - at, -ang);
            return SdEllipse(q, {0, 0}, r, r * tilt);
        };
        const Box box = {int(at.x - r - 3), int(at.y - r - 3), int(at.x + r + 4), int(at.y + r + 4)};
        const Rgb base = white ? Hex(0xd8c8d0) : Mix(Hex(0x701018), Hex(0xc02830), depth);
        const float fade = 0.35f + 0.45f * depth;
        c.Fill([&](V2 p) { return sdf(p) - 1; }, Hex(0x1a0206), fade, box);
        c.Fill(sdf, [&](V2 p) {
            const N3 n = PillowNormal(sdf, p, r * 0.5f);
            // Biconcave: the middle dips, so it is darker.
            const V2 q = Rot(p - at, -ang);
            const float dip = white ? 0 : Smooth(0.55f, 0.2f, Len({q.x / r, q.y / (r * tilt)}));
            return Lit(base * (1 - 0.35f * dip), n, 0.35f, 12);
        }, fade, box);
    }
}

Rgb Digestive(V2 p, uint32_t seed)
{
    // Villi: a dense field of rounded bumps with mucus sheen.
    const float s = 0.055f;
    uint32_t id;
    const float w = Worley(p.x * s, p.y * s, seed, &id);
    const float bump = Smooth(0.75f, 0.05f, w);
    const float tone = Hash01(id) * 0.25f;
    const float bile = Smooth(0.1f, 0.5f, Fbm(p.x * 0.004f, p.y * 0.004f, seed + 3, 3));
    Rgb c = Mix(Hex(0x6a2a1c), Hex(0xb8603a), bump * (0.75f + tone));
    c = Mix(c, Hex(0x7a7020), bile * 0.35f);
    const float sheen = std::pow(Smooth(0.45f, 0.1f, Worley(p.x * s + 0.12f, p.y * s + 0.15f, seed)), 3.0f);
    return c + Rgb{0.25f, 0.2f, 0.12f} * sheen * 0.5f;
}

Rgb Respiratory(V2 p, uint32_t seed)
{
    // Alveoli: clustered air sacs with pale rims and bluish hollows.
    const float s = 0.03f;
    const float warp = 12 * Fbm(p.x * 0.01f, p.y * 0.01f, seed + 5, 2);
    const float w = Worley((p.x + warp) * s, (p.y + warp) * s, seed);
    const float w2 = Worley((p.x - warp) * s * 2.3f, (p.y + warp) * s * 2.3f, seed + 9);
    const float sac = Smooth(0.15f, 0.7f, w), small = Smooth(0.1f, 0.6f, w2);
    Rgb hollow = Hex(0x5a4a7c), wall = Hex(0xd08aa0);
    Rgb c = Mix(wall, hollow, sac * 0.8f);
    c = Mix(c, c * 0.75f, small * 0.4f);
    return c * (0.85f + 0.15f * Fbm(p.x * 0.02f, p.y * 0.02f, seed + 2, 3));
}

void Bronchioles(Canvas& c, uint32_t seed, float scale)
{
    Rng rng(seed);
    for (int t = 0; t < 5; ++t) {
        V2 at = {rng.Uniform(0, float(c.W())), rng.Uniform(0, float(c.H()))};
        float ang = rng.Uniform(0, 2 * kPi), r = 9 * scale;
        for (int k = 0; k < 14 && r > 2; ++k) {
            const V2 next = at + V2{std::cos(ang), std::sin(ang)} * (26 * scale);
            const float ra = r, rb = r * 0.9f;
            auto tube = [=](V2 p) { return SdTaper(p, at, next, ra, rb); };
            const Box box = {int(std::min(at.x, next.x) - ra - 3), int(std::min(at.y, next.y) - ra - 3),
                             int(std::max(at.x, next.x) + ra + 4), int(std::max(at.y, next.y) + ra + 4)};
            c.Fill([&](V2 p) { return tube(p) - 1.5f; }, Hex(0x3a2040), 0.7f, box);
            c.Fill(tube, [&](V2 p) {
                return Lit(Hex(0xe0a0b8), PillowNormal(tube, p, ra), 0.3f, 10) * 0.8f;
            }, 0.7f, box);
            at = next;
            ang += rng.Uniform(-0.5f, 0.5f);
            r = rb;
        }
    }
}

Rgb Nervous(V2 p, uint32_t seed)
{
    const float haze = 0.5f + 0.5f * Fbm(p.x * 0.004f, p.y * 0.004f, seed, 4);
    const float mist = Fbm(p.x * 0.015f, p.y * 0.015f, seed + 1, 3);
    return Mix(Hex(0x080818), Hex(0x24124a), haze) * (0.9f + 0.2f * mist);
}

void NerveFibres(Canvas& c, uint32_t seed, float scale)
{
    Rng rng(seed);
    const int somas = int(c.W() * c.H() / 60000) + 3;
    for (int s = 0; s < somas; ++s) {
        const V2 soma = {rng.Uniform(0, float(c.W())), rng.Uniform(0, float(c.H()))};
        const Rgb glow = rng.Int(0, 2) == 0 ? Hex(0x50e0ff) : Hex(0xa070ff);
        const int arms = rng.Int(4, 7);
        for (int a = 0; a < arms; ++a) {
            V2 at = soma;
            float ang = a * 2 * kPi / arms + rng.Uniform(-0.3f, 0.3f);
            float w = 2.6f * scale;
            for (int k = 0; k < 30 && w > 0.4f; ++k) {
                const V2 next = at + V2{std::cos(ang), std::sin(ang)} * (14 * scale);
                const float wa = w, wb = w * 0.93f;
                auto fibre = [=](V2 p) { return SdTaper(p, at, next, wa, wb); };
                const Box box = {int(std::min(at.x, next.x) - 10), int(std::min(at.y, next.y) - 10),
                                 int(std::max(at.x, next.x) + 10), int(std::max(at.y, next.y) + 10)};
                c.Fill([&](V2 p) { return fibre(p) - 5 * scale; }, glow * 0.5f, 0.12f, box);
                c.Fill(fibre, Mix(glow, Rgb{1, 1, 1}, 0.2f) * 0.75f, 0.8f, box);
                at = next;
                ang += rng.Uniform(-0.35f, 0.35f);
                w = wb;
            }
        }
        const float r = 7 * scale;
        auto body = [=](V2 p) { return SdCircle(p, soma, r); };
        const Box box = {int(soma.x - 30 * scale), int(soma.y - 30 * scale), int(soma.x + 30 * scale),
                         int(soma.y + 30 * scale)};
        c.Fill([&](V2 p) { return body(p) - 18 * scale; }, glow, 0.1f, box);
        c.Fill([&](V2 p) { return body(p) - 8 * scale; }, glow, 0.15f, box);
        c.Fill(body, [&](V2 p) { return Lit(Mix(glow, Rgb{1, 1, 1}, 0.4f), PillowNormal(body, p, r), 0.8f, 16); }, 1,
               box);
    }
    // Sparks travelling along the net.
    for (int i = 0; i < c.W() * c.H() / 9000; ++i) {
        const V2 at = {rng.Uniform(0, float(c.W())), rng.Uniform(0, float(c.H()))};
        const float r = rng.Uniform(0.8f, 2.0f) * scale;
        c.Fill([=](V2 p) { return SdCircle(p, at, r * 3); }, Hex(0xfff0a0), 0.12f,
               {int(at.x - 8), int(at.y - 8), int(at.x + 9), int(at.y + 9)});
        c.Fill([=](V2 p) { return SdCircle(p, at, r); }, Hex(0xfffff0), 0.9f,
               {int(at.x - 8), int(at.y - 8), int(at.x + 9), int(at.y + 9)});
    }
}

} // namespace

Canvas SystemBackground(int system, int w, int h, uint32_t seed)
{
    Canvas c(w, h);
    const float scale = std::min(w / 1024.0f, h / 768.0f) * 1.0f + 0.35f;
    switch (system) {
    case kCirculatory:
        c.Paint([=](V2 p) { return Circulatory(p, seed); });
        BloodCells(c, seed + 1, scale);
        break;
    case kDigestive:
        c.Paint([=](V2 p) { return Digestive(p * (1.35f / scale), seed); });
        break;
    case kRespiratory:
        c.Paint([=](V2 p) { return Respiratory(p * (1.35f / scale), seed); });
        Bronchioles(c, seed + 1, scale);
        break;
    default:
        c.Paint([=](V2 p) { return Nervous(p, seed); });
        NerveFibres(c, seed + 1, scale);
        break;
    }
    return c;
}
