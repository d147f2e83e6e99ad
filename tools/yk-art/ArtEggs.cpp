#include <cmath>

#include "Art.h"
#include "Noise.h"
#include "Sdf.h"

namespace {

constexpr int kEgg = 32;
const V2 kMid = {16, 16.5f};

// An egg, wider at the bottom.
float SdEgg(V2 p, V2 c, float rx, float ry)
{
    const float t = (p.y - c.y) / ry;
    return SdEllipse(p, c, rx * (1 + 0.16f * t), ry);
}

float Egg(V2 p) { return SdEgg(p, kMid, 10.5f, 13.5f); }

// The jagged rim where a shell broke: inside means below the rim.
float BelowRim(V2 p, float rimY)
{
    const float zig = 2.2f * std::fabs(std::fmod(p.x + 40, 5.0f) / 2.5f - 1) - 1.1f;
    return (rimY + zig) - p.y;
}

Canvas WholeEgg(Rgb base, Rgb spots, uint32_t seed, bool sparkle)
{
    Canvas c(kEgg, kEgg);
    Body(c, Egg, [&](V2 p, N3 n) {
        const float veins = Smooth(0.06f, 0.0f, std::fabs(Fbm(p.x * 0.18f, p.y * 0.18f, seed, 3)));
        const float blot = Smooth(0.1f, 0.35f, Fbm(p.x * 0.25f + 5, p.y * 0.25f, seed + 9, 2));
        Rgb col = Mix(base, spots, blot * 0.6f);
        col = Mix(col, spots * 0.5f, veins * 0.7f);
        // A dark embryo shows through the lower half.
        const float emb = Smooth(2, -4, SdEllipse(p, {16, 21}, 5.5f, 4.5f));
        col = col * (1 - 0.35f * emb);
        return Lit(col, n, 0.7f, 22);
    }, 9, 1.6f);
    if (sparkle) {
        auto star = [](V2 p) {
            const V2 q = p - V2{16, 14};
            const float a = std::fabs(q.x) * 3.2f + std::fabs(q.y) - 6.5f;
            const float b = std::fabs(q.y) * 3.2f + std::fabs(q.x) - 6.5f;
            return std::min(a, b) * 0.35f;
        };
        c.Fill([&](V2 p) { return star(p) - 1; }, Hex(0x402000));
        c.Fill(star, [](V2 p) { return Mix(Rgb{1, 1, 1}, Hex(0xfff080), Clamp01(Len(p - V2{16, 14}) / 6)); });
    }
    return c;
}

Canvas Shell(Rgb base, Rgb inside, bool splash)
{
    Canvas c(kEgg, kEgg);
    if (splash) {
        auto goo = [](V2 p) {
            const float wob = 2.2f * Fbm(p.x * 0.2f, p.y * 0.2f, 41, 2);
            return SdEllipse(p, {16, 24}, 14, 6) + wob;
        };
        Body(c, goo, [](V2, N3 n) { return Lit(Hex(0x9ad060), n, 0.9f, 16); }, 3, 1.2f, Hex(0x10200a));
    }
    // The lower half of the shell, hollow and broken along a jagged rim.
    auto cup = [](V2 p) { return std::max(SdEgg(p, {16, 15}, 10, 12), -BelowRim(p, 16)); };
    Body(c, cup, [&](V2 p, N3 n) { return Lit(base, n, 0.6f, 20); }, 5, 1.5f);
    auto hollow = [](V2 p) { return std::max(SdEllipse(p, {16, 18.5f}, 7.5f, 3.2f), -BelowRim(p, 15.5f)); };
    c.Fill(hollow, [&](V2 p) { return inside * (0.5f + 0.04f * (p.y - 15)); });
    // A fallen fragment of the top.
    auto shard = [](V2 p) { return SdTriangle(p, {4, 8}, {11, 5}, {8, 12}); };
    Body(c, shard, [&](V2, N3 n) { return Lit(base, n, 0.6f, 20); }, 2, 1.2f);
    return c;
}

// Power-up pictures: each its own shape and colour.
using Icon = Canvas (*)();

Canvas Magnet()
{
    Canvas c(32, 32);
    auto arc = [](V2 p) {
        const float ring = std::fabs(SdCircle(p, {16, 15}, 8.5f)) - 4;
        return std::max(ring, p.y - 15);
    };
    auto legs = [](V2 p) {
        return std::min(SdBox(p, {7.5f, 20}, {4, 6}), SdBox(p, {24.5f, 20}, {4, 6}));
    };
    auto all = [&](V2 p) { return std::min(arc(p), legs(p)); };
    Body(c, all, [](V2 p, N3 n) {
        const bool tip = p.y > 21;
        return Lit(tip ? Hex(0xe0e0ea) : Hex(0xe0202a), n, 0.8f, 24);
    }, 3, 1.8f);
    return c;
}

Canvas Bolt()
{
    Canvas c(32, 32);
    auto bolt = [](V2 p) {
        const float a = SdTriangle(p, {19, 2}, {7, 18}, {17, 17});
        const float b = SdTriangle(p, {14, 14}, {25, 14}, {11, 30});
        return SdSmoothUnion(a, b, 1);
    };
    Body(c, bolt, [](V2 p, N3 n) { return Lit(Mix(Hex(0xe8b0ff), Hex(0x8a30e0), p.y / 32), n, 0.8f, 20); }, 2.5f, 1.8f);
    return c;
}

Canvas Mushroom()
{
    Canvas c(32, 32);
    auto stem = [](V2 p) { return SdBox(p, {16, 22}, {5, 7}, 3); };
    Body(c, stem, [](V2, N3 n) { return Lit(Hex(0xf0e0c0), n, 0.5f, 16); }, 4, 1.6f);
    auto cap = [](V2 p) { return std::max(SdEllipse(p, {16, 15}, 14, 11), p.y - 17); };
    Body(c, cap, [](V2 p, N3 n) {
        const float spot = std::min({SdCircle(p, {10, 10}, 2.6f), SdCircle(p, {19, 7}, 2.2f),
                                     SdCircle(p, {23, 13}, 2.4f), SdCircle(p, {14, 14}, 1.8f)});
        return Lit(spot < 0 ? Hex(0xfff4e0) : Hex(0xff7a18), n, 0.6f, 18);
    }, 7, 1.8f);
    return c;
}

Canvas Droplet()
{
    Canvas c(32, 32);
    auto drop = [](V2 p) {
        const float body = SdCircle(p, {16, 20}, 9);
        const float tip = SdTriangle(p, {16, 2}, {8.5f, 16}, {23.5f, 16});
        return SdSmoothUnion(body, tip, 3);
    };
    Body(c, drop, [](V2 p, N3 n) {
        const float bub = std::min(SdCircle(p, {19, 22}, 2), SdCircle(p, {13, 24}, 1.3f));
        return Lit(bub < 0 ? Hex(0xd8ff90) : Hex(0x40d020), n, 0.9f, 26);
    }, 8, 1.8f, Hex(0x0a1a04));
    return c;
}

Canvas Chevrons()
{
    Canvas c(32, 32);
    auto chev = [](V2 p, float x) {
        const V2 q = {p.x - x, std::fabs(p.y - 16)};
        return SdSegment(q, {0, 11}, {8, 0}, 3);
    };
    auto both = [&](V2 p) { return std::min(chev(p, 6), chev(p, 16)); };
    Body(c, both, [](V2 p, N3 n) { return Lit(Mix(Hex(0xfff060), Hex(0xffb000), p.x / 32), n, 0.7f, 20); }, 3, 1.8f);
    return c;
}

Canvas Snowflake()
{
    Canvas c(32, 32);
    auto flake = [](V2 p) {
        float d = 1e9f;
        for (int i = 0; i < 6; ++i) {
            const float a = i * kPi / 3;
            const V2 dir = {std::cos(a), std::sin(a)};
            d = std::min(d, SdSegment(p, {16, 16}, V2{16, 16} + dir * 12, 1.6f));
            const V2 b = V2{16, 16} + dir * 7.5f;
            d = std::min(d, SdSegment(p, b, b + Rot(dir, 0.8f) * 4, 1.2f));
            d = std::min(d, SdSegment(p, b, b + Rot(dir, -0.8f) * 4, 1.2f));
        }
        return std::min(d, SdCircle(p, {16, 16}, 3));
    };
    Body(c, flake, [](V2, N3 n) { return Lit(Hex(0x90f0ff), n, 0.9f, 24); }, 1.5f, 1.6f, Hex(0x031828));
    return c;
}

Canvas Crosshair()
{
    Canvas c(32, 32);
    auto ring = [](V2 p) { return std::fabs(SdCircle(p, {16, 16}, 10)) - 2; };
    auto cross = [](V2 p) {
        const float h = std::max(SdBox(p, {16, 16}, {14, 1.6f}), -SdBox(p, {16, 16}, {4.5f, 3}));
        const float v = std::max(SdBox(p, {16, 16}, {1.6f, 14}), -SdBox(p, {16, 16}, {3, 4.5f}));
        return std::min(h, v);
    };
    auto all = [&](V2 p) { return std::min(ring(p), cross(p)); };
    Body(c, all, [](V2, N3 n) { return Lit(Hex(0xf4f4ff), n, 0.6f, 20); }, 2, 1.6f);
    Body(c, [](V2 p) { return SdCircle(p, {16, 16}, 2.3f); }, [](V2, N3 n) { return Lit(Hex(0xff2020), n, 0.9f, 20); },
         2.3f, 1);
    return c;
}

Canvas Bomb()
{
    Canvas c(32, 32);
    auto fuse = [](V2 p) { return SdSegment(p, {20, 9}, {24, 5}, 1.4f); };
    Body(c, fuse, [](V2, N3 n) { return Lit(Hex(0xc09060), n, 0.3f, 10); }, 1.4f, 1.2f);
    auto bomb = [](V2 p) { return std::min(SdCircle(p, {15, 19}, 10.5f), SdBox(p, {19, 10.5f}, {3.2f, 2.5f}, 1)); };
    Body(c, bomb, [](V2, N3 n) { return Lit(Hex(0x303040), n, 1.0f, 30); }, 7, 1.6f, Hex(0x000000));
    auto spark = [](V2 p) {
        const V2 q = p - V2{25, 4};
        const float a = std::fabs(q.x) * 0.35f + std::fabs(q.y) - 4.5f;
        const float b = std::fabs(q.y) * 0.35f + std::fabs(q.x) - 4.5f;
        return std::min(a, b) * 0.8f;
    };
    c.Fill(spark, [](V2 p) { return Mix(Hex(0xffffc0), Hex(0xff8000), Clamp01(Len(p - V2{25, 4}) / 4)); });
    return c;
}

const Icon kIcons[8] = {Magnet, Bolt, Mushroom, Droplet, Chevrons, Snowflake, Crosshair, Bomb};

} // namespace

Canvas PowerUpIcon(int kind) { return kIcons[(kind - 1) & 7](); }
Canvas PlainEgg() { return WholeEgg(Hex(0xb6d68a), Hex(0x587a30), 11, false); }
Canvas PowerUpEgg() { return WholeEgg(Hex(0xf2c848), Hex(0x30a0a0), 23, true); }

void AddEggs(ImageSet& set)
{
    set.AddSprite("egg", "EGG_IMG", PlainEgg());
    set.AddSprite("egg-pup", "EGGPUP_IMG", PowerUpEgg());
    set.AddSprite("eggshell", "EGGSHELL_IMG", Shell(Hex(0xb6d68a), Hex(0x304818), true));
    set.AddSprite("eggpupshell", "EGGPUPSHELL_IMG", Shell(Hex(0xc8a038), Hex(0x40300a), false));
    const struct { const char* section; const char* tag; Icon make; } pups[] = {
        {"pup-mag", "PUP_MAG_IMG", Magnet},    {"pup-dis", "PUP_DIS_IMG", Bolt},
        {"pup-gro", "PUP_GRO_IMG", Mushroom},  {"pup-aci", "PUP_ACI_IMG", Droplet},
        {"pup-spe", "PUP_SPE_IMG", Chevrons},  {"pup-fre", "PUP_FRE_IMG", Snowflake},
        {"pup-las", "PUP_LAS_IMG", Crosshair}, {"pup-bom", "PUP_BOM_IMG", Bomb},
    };
    for (const auto& p : pups)
        set.AddSprite(p.section, p.tag, p.make());
}
