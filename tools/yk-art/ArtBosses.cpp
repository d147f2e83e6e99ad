#include <cmath>

#include "Art.h"
#include "Noise.h"
#include "Sdf.h"

namespace {

// Bosses are about 100 pixels across (their contact radius is 45) and face
// up: the game turns them toward their heading.
constexpr int kBoss = 104;
const V2 kM = {kBoss / 2.0f, kBoss / 2.0f};

void Eyes(Canvas& c, V2 a, V2 b, float r, Rgb iris, bool angry)
{
    for (V2 e : {a, b}) {
        c.Fill([=](V2 p) { return SdCircle(p, e, r + 1.3f); }, Hex(0x080408));
        c.Fill([=](V2 p) { return SdCircle(p, e, r); }, [=](V2 p) {
            return Mix(Hex(0xfffff0), Hex(0xc0b8a0), Clamp01(Len(p - e) / r));
        });
        c.Fill([=](V2 p) { return SdCircle(p, e + V2{0, -r * 0.25f}, r * 0.55f); }, iris);
        c.Fill([=](V2 p) { return SdCircle(p, e + V2{0, -r * 0.3f}, r * 0.28f); }, Hex(0x000000));
        c.Fill([=](V2 p) { return SdCircle(p, e + V2{-r * 0.3f, -r * 0.55f}, r * 0.16f); }, Hex(0xffffff));
        if (angry) {
            const float s = e.x < kM.x ? 1.0f : -1.0f;
            c.Fill([=](V2 p) { return SdSegment(p, e + V2{-s * r, -r * 1.3f}, e + V2{s * r, -r * 0.6f}, 1.8f); },
                   Hex(0x100408));
        }
    }
}

Canvas EggLayer()
{
    Canvas c(kBoss, kBoss);
    auto legs = [](V2 p) {
        float d = 1e9f;
        for (int i = 0; i < 3; ++i)
            for (float s : {-1.0f, 1.0f}) {
                const V2 hip = {52 + s * 8, 36.0f + i * 7};
                const V2 knee = hip + V2{s * 20, -8.0f + i * 8};
                d = std::min(d, SdTaper(p, hip, knee, 3, 2.2f));
                d = std::min(d, SdTaper(p, knee, knee + V2{s * 8, 10.0f + i * 2}, 2.2f, 0.8f));
            }
        return d;
    };
    Body(c, legs, [](V2, N3 n) { return Lit(Hex(0x4a2a58), n, 0.5f, 16); }, 2, 1.4f);
    auto abdomen = [](V2 p) { return SdEllipse(p, {52, 70}, 25, 30) + 0.8f * std::sin(p.y * 0.6f); };
    Body(c, abdomen, [](V2 p, N3 n) {
        const float band = 0.5f + 0.5f * std::sin(p.y * 0.55f);
        const float egg = Worley(p.x * 0.14f, p.y * 0.14f, 5) < 0.3f ? 1.0f : 0.0f;
        Rgb col = Mix(Hex(0xd890c8), Hex(0xa05090), band * 0.5f);
        col = Mix(col, Hex(0xe8f0a0), egg * 0.55f);
        return Lit(col, n, 0.7f, 20);
    }, 18, 2);
    auto thorax = [](V2 p) { return SdEllipse(p, {52, 38}, 13, 11); };
    Body(c, thorax, [](V2, N3 n) { return Lit(Hex(0x5a3070), n, 0.9f, 28); }, 9, 2);
    auto head = [](V2 p) {
        const float h = SdEllipse(p, {52, 20}, 12, 10);
        const float jaws = std::min(SdTaper(p, {45, 14}, {48, 4}, 2.5f, 0.8f), SdTaper(p, {59, 14}, {56, 4}, 2.5f, 0.8f));
        const float feel = std::min(SdTaper(p, {47, 12}, {34, 2}, 1.3f, 0.7f), SdTaper(p, {57, 12}, {70, 2}, 1.3f, 0.7f));
        return std::min({h, jaws, feel});
    };
    Body(c, head, [](V2, N3 n) { return Lit(Hex(0x6a3a80), n, 0.9f, 28); }, 6, 2);
    Eyes(c, {46, 20}, {58, 20}, 3.6f, Hex(0xc02020), true);
    return c;
}

Canvas TCellKing()
{
    Canvas c(kBoss, kBoss);
    auto knobs = [](V2 p) {
        float d = 1e9f;
        for (int i = 0; i < 22; ++i) {
            const float a = i * 2 * kPi / 22;
            const V2 dir = {std::cos(a), std::sin(a)};
            if (dir.y < -0.8f)
                continue; // room for the crown
            d = std::min(d, SdSegment(p, kM + dir * 36, kM + dir * 45, 1.8f));
            d = std::min(d, SdCircle(p, kM + dir * 45, 3.2f));
        }
        return d;
    };
    Body(c, knobs, [](V2, N3 n) { return Lit(Hex(0xc0b0f0), n, 0.6f, 16); }, 2.5f, 1.5f);
    auto cell = [](V2 p) { return SdCircle(p, kM + V2{0, 4}, 37) + 1.2f * Fbm(p.x * 0.15f, p.y * 0.15f, 8, 2); };
    Body(c, cell, [](V2 p, N3 n) {
        const float nucleus = Smooth(3, -6, SdCircle(p, kM + V2{6, 12}, 18));
        return Lit(Mix(Hex(0xf0ecff), Hex(0x9a80d8), nucleus * 0.55f), n, 0.7f, 18);
    }, 30, 2, Hex(0x1a1030));
    auto crown = [](V2 p) {
        const float band = SdBox(p, {52, 20}, {17, 5}, 1.5f);
        float pts = 1e9f;
        for (int i = 0; i < 5; ++i) {
            const float x = 37 + i * 7.5f;
            pts = std::min(pts, SdTriangle(p, {x - 4, 17}, {x + 4, 17}, {x, 3.0f + (i % 2) * 4}));
        }
        return std::min(band, pts);
    };
    Body(c, crown, [](V2, N3 n) { return Lit(Hex(0xf0c030), n, 1.0f, 30); }, 3, 1.8f, Hex(0x302000));
    for (int i = 0; i < 3; ++i)
        Body(c, [i](V2 p) { return SdCircle(p, {40.0f + i * 12, 20}, 2.4f); },
             [i](V2, N3 n) { return Lit(i == 1 ? Hex(0xff2040) : Hex(0x30a0ff), n, 1.0f, 30); }, 2.4f, 0.8f);
    Eyes(c, {40, 44}, {64, 44}, 6.5f, Hex(0x6040c0), true);
    c.Fill([](V2 p) { return SdSegment(p, {44, 66}, {60, 66}, 2); }, Hex(0x2a1838));
    return c;
}

Canvas Gobbler()
{
    Canvas c(kBoss, kBoss);
    auto blob = [](V2 p) { return SdEllipse(p, kM + V2{0, 3}, 45, 43) + 1.5f * Fbm(p.x * 0.08f, p.y * 0.08f, 21, 2); };
    Body(c, blob, [](V2 p, N3 n) {
        const float spots = Worley(p.x * 0.12f, p.y * 0.12f, 22) < 0.25f ? 1.0f : 0.0f;
        return Lit(Mix(Hex(0xf08040), Hex(0xc04828), spots * 0.6f), n, 0.6f, 18);
    }, 32, 2);
    // A huge maw in front (at the top), ringed with teeth.
    auto maw = [](V2 p) { return SdEllipse(p, {52, 30}, 30, 17); };
    c.Fill([&](V2 p) { return maw(p) - 2; }, Hex(0x2a0608));
    c.Fill(maw, [](V2 p) { return Mix(Hex(0x801020), Hex(0x300408), Clamp01((p.y - 18) / 24)); });
    Body(c, [](V2 p) { return SdEllipse(p, {52, 38}, 13, 6); }, [](V2, N3 n) { return Lit(Hex(0xe05070), n, 0.5f, 12); },
         5, 1);
    auto teeth = [](V2 p) {
        float d = 1e9f;
        for (int i = 0; i < 7; ++i) {
            const float x = 32 + i * 6.7f;
            const float top = 30 - 17 * std::sqrt(std::max(0.0f, 1 - ((x - 52) / 30) * ((x - 52) / 30)));
            d = std::min(d, SdTriangle(p, {x - 3, top - 1}, {x + 3, top - 1}, {x, top + 7}));
        }
        for (int i = 0; i < 6; ++i) {
            const float x = 35 + i * 6.7f;
            const float bot = 30 + 17 * std::sqrt(std::max(0.0f, 1 - ((x - 52) / 30) * ((x - 52) / 30)));
            d = std::min(d, SdTriangle(p, {x - 3, bot + 1}, {x + 3, bot + 1}, {x, bot - 6}));
        }
        return d;
    };
    Body(c, teeth, [](V2, N3 n) { return Lit(Hex(0xfff8e0), n, 0.8f, 24); }, 2, 1);
    Eyes(c, {36, 66}, {68, 66}, 8, Hex(0x30a040), false);
    return c;
}

Canvas Fireball()
{
    Canvas c(kBoss, kBoss);
    auto tail = [](V2 p) {
        const V2 d = p - kM;
        const float wave = 4 * std::sin(d.y * 0.25f) * Clamp01(d.y / 40);
        return SdTaper(p, {52 + wave, 52}, {52 + wave * 1.5f, 100}, 30, 4) + 2.5f * std::fabs(std::sin(d.x * 0.4f));
    };
    c.Fill([&](V2 p) { return tail(p) - 1.5f; }, Hex(0x300800));
    c.Fill(tail, [](V2 p) { return Mix(Hex(0xffd040), Hex(0xe03008), Clamp01((p.y - 50) / 50)); });
    auto rock = [](V2 p) { return SdCircle(p, kM + V2{0, -4}, 36) + 1.8f * Fbm(p.x * 0.12f, p.y * 0.12f, 31, 3); };
    Body(c, rock, [](V2 p, N3 n) {
        const float crack = Smooth(0.08f, 0.0f, std::fabs(Fbm(p.x * 0.09f, p.y * 0.09f, 32, 3)));
        const Rgb lava = Mix(Hex(0xffe080), Hex(0xff6010), 0.4f);
        const Rgb rockC = Lit(Hex(0x5a2a18), n, 0.4f, 14);
        return Mix(rockC, lava, crack);
    }, 26, 2, Hex(0x180400));
    Eyes(c, {40, 40}, {64, 40}, 6.5f, Hex(0xff8000), true);
    auto mouth = [](V2 p) { return std::max(SdEllipse(p, {52, 62}, 13, 7), 58 - p.y); };
    c.Fill([&](V2 p) { return mouth(p) - 1.5f; }, Hex(0x100000));
    c.Fill(mouth, [](V2 p) { return Mix(Hex(0xffe060), Hex(0xff4000), Clamp01((p.y - 58) / 10)); });
    return c;
}

Canvas Chaser()
{
    Canvas c(kBoss, kBoss);
    auto fins = [](V2 p) {
        const float l = SdTriangle(p, {40, 44}, {8, 82}, {44, 70});
        const float r = SdTriangle(p, {64, 44}, {96, 82}, {60, 70});
        const float tail = SdTriangle(p, {52, 76}, {38, 102}, {66, 102});
        return std::min({l, r, tail});
    };
    Body(c, fins, [](V2 p, N3 n) {
        const float stripe = std::fabs(std::fmod(p.y, 9.0f) - 4.5f) < 1.2f ? 1.0f : 0.0f;
        return Lit(Mix(Hex(0x203050), Hex(0xd02030), stripe * 0.7f), n, 0.9f, 26);
    }, 4, 1.8f, Hex(0x020208));
    auto body = [](V2 p) {
        const float y = p.y;
        const float w = 17 * std::sqrt(Clamp01((y - 4) / 30)) * (1 - 0.45f * Clamp01((y - 40) / 50));
        return std::max(std::fabs(p.x - 52) - w, std::max(4 - y, y - 92));
    };
    Body(c, body, [](V2 p, N3 n) {
        const float stripe = std::fabs(p.x - 52) < 2 ? 1.0f : 0.0f;
        return Lit(Mix(Hex(0x2a3a60), Hex(0x5090ff), stripe * 0.6f), n, 1.0f, 34);
    }, 12, 2, Hex(0x020208));
    for (float s : {-1.0f, 1.0f}) {
        auto eye = [s](V2 p) { return SdEllipse(p, {52 + s * 8, 26}, 4.5f, 2.6f); };
        c.Fill([&](V2 p) { return eye(p) - 1; }, Hex(0x000000));
        c.Fill(eye, [s](V2 p) { return Mix(Hex(0xffffa0), Hex(0xff2000), Clamp01(Len(p - V2{52 + s * 8, 26}) / 4)); });
    }
    return c;
}

// The blower's rotor spins under its housing.
Canvas Rotor()
{
    Canvas c(kBoss, kBoss);
    auto blades = [](V2 p) {
        const V2 d = p - kM;
        const float r = Len(d), a = std::atan2(d.y, d.x);
        const float curve = a - r * 0.018f;
        const float blade = std::fabs(std::sin(curve * 3)) * r * 0.5f - (3 + r * 0.2f);
        return std::max(blade, r - 44);
    };
    Body(c, blades, [](V2 p, N3 n) {
        const float t = Clamp01(Len(p - kM) / 44);
        return Lit(Mix(Hex(0xd0a0b0), Hex(0x9a5070), t), n, 0.6f, 18);
    }, 5, 1.6f, Hex(0x200810));
    return c;
}

Canvas Housing()
{
    Canvas c(kBoss, kBoss);
    auto ring = [](V2 p) { return std::fabs(SdCircle(p, kM, 47)) - 4.5f; };
    auto struts = [](V2 p) {
        float d = 1e9f;
        for (int i = 0; i < 3; ++i) {
            const float a = -kPi / 2 + i * 2 * kPi / 3;
            d = std::min(d, SdSegment(p, kM, kM + V2{std::cos(a), std::sin(a)} * 45, 2.2f));
        }
        return d;
    };
    auto frame = [&](V2 p) { return std::min({ring(p), struts(p), SdCircle(p, kM, 15)}); };
    Body(c, frame, [](V2 p, N3 n) {
        const float ridge = 0.85f + 0.15f * std::sin(std::atan2(p.y - kM.y, p.x - kM.x) * 24);
        return Lit(Hex(0x7a6a88) * ridge, n, 0.8f, 26);
    }, 4, 1.8f);
    Eyes(c, {46, 50}, {58, 50}, 4, Hex(0x40c0ff), false);
    c.Fill([](V2 p) { return std::fabs(SdCircle(p, {52, 56}, 6)) - 1 + (p.y < 57 ? 10 : 0); }, Hex(0x200818));
    return c;
}

} // namespace

void AddBosses(ImageSet& set)
{
    set.AddSprite("boss-egglay", "BOSS_EGGLAY_IMG", EggLayer());
    set.AddSprite("boss-tcellk", "BOSS_TCELLK_IMG", TCellKing());
    set.AddSprite("boss-gobble", "BOSS_GOBBLE_IMG", Gobbler());
    set.AddSprite("boss-fiball", "BOSS_FIBALL_IMG", Fireball());
    set.AddSprite("boss-chaser", "BOSS_CHASER_IMG", Chaser());
    set.AddSprite("boss-blower", "BOSS_BLOWER_IMG", Housing());
    set.AddSprite("boss-blower2", "BOSS_BLOWER2_IMG", Rotor());
}
