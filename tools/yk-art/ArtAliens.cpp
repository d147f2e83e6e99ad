#include <cmath>
#include <vector>

#include "Art.h"
#include "Noise.h"
#include "Sdf.h"

namespace {

// Parasite larvae, 32 x 32 per frame, facing up; the strip's frames bend the
// body along a travelling wave so that they wriggle.
constexpr int kSize = 32, kFrames = 4;

struct Segment {
    V2 c;
    float r;
};

std::vector<Segment> Spine(int frame, float ox)
{
    const float phase = frame * 2 * kPi / kFrames;
    const float radii[] = {6.2f, 5.6f, 5.0f, 4.3f, 3.5f, 2.6f};
    std::vector<Segment> s;
    for (int i = 0; i < 6; ++i) {
        const float t = i / 5.0f;
        const float x = ox + 16 + (0.8f + 5.2f * t) * std::sin(phase - t * 3.4f);
        s.push_back({{x, 8.5f + t * 18.5f}, radii[i]});
    }
    return s;
}

Canvas Larva(Rgb skin, Rgb belly, int frame, float ox)
{
    Canvas c(kSize, kSize);
    const std::vector<Segment> sp = Spine(frame, ox);
    const float phase = frame * 2 * kPi / kFrames;
    // Cilia wave along the sides, out of step with the body.
    auto legs = [&](V2 p) {
        float d = 1e9f;
        for (int i = 1; i < 5; ++i)
            for (int side : {-1, 1}) {
                const float swing = 2.2f * std::sin(phase * 2 + i * 1.3f + side);
                const V2 a = sp[i].c + V2{side * sp[i].r * 0.8f, 0};
                d = std::min(d, SdSegment(p, a, a + V2{side * 4.2f, swing}, 0.7f));
            }
        return d;
    };
    Body(c, legs, [&](V2, N3 n) { return Lit(belly * 0.8f, n, 0.2f, 10); }, 1, 0.9f);
    auto body = [&](V2 p) {
        float d = 1e9f;
        for (size_t i = 0; i < sp.size(); ++i)
            d = SdSmoothUnion(d, SdCircle(p, sp[i].c, sp[i].r), 2.2f);
        const V2 end = sp.back().c;
        const float fin = SdTriangle(p, end + V2{-4, 4.5f}, end + V2{4, 4.5f}, end + V2{0, -1});
        return SdSmoothUnion(d, fin, 1);
    };
    Body(c, body, [&](V2 p, N3 n) {
        // Darker creases between segments and a paler underside stripe.
        float nearest = 1e9f;
        for (size_t i = 1; i < sp.size(); ++i)
            nearest = std::min(nearest, std::fabs(Len(p - sp[i].c) - sp[i].r * 0.95f));
        const float crease = Smooth(1.2f, 0.0f, nearest) * (p.y > 13 ? 0.35f : 0);
        const float stripe = Smooth(2.5f, 0.5f, std::fabs(p.x - sp[std::min(5, int((p.y - 8) / 3.7f + 0.5f))].c.x));
        Rgb col = Mix(skin, belly, stripe * 0.5f);
        return Lit(col * (1 - crease), n, 0.75f, 22);
    }, 5, 1.5f);
    // Eyes and mandibles on the head.
    const V2 h = sp[0].c;
    auto jaws = [&](V2 p) {
        return std::min(SdSegment(p, h + V2{-3, -4}, h + V2{-1.5f, -8}, 1.1f),
                        SdSegment(p, h + V2{3, -4}, h + V2{1.5f, -8}, 1.1f));
    };
    Body(c, jaws, [&](V2, N3 n) { return Lit(belly * 0.6f, n, 0.4f, 10); }, 1, 0.9f);
    for (float s : {-2.6f, 2.6f}) {
        const V2 e = h + V2{s, -0.5f};
        c.Fill([e](V2 p) { return SdCircle(p, e, 2.4f); }, Hex(0x100808));
        c.Fill([e](V2 p) { return SdCircle(p, e, 1.7f); }, Hex(0xfff8e0));
        c.Fill([e](V2 p) { return SdCircle(p, e + V2{0, -0.6f}, 0.9f); }, Hex(0x000000));
    }
    return c;
}

Canvas Strip(Rgb skin, Rgb belly)
{
    Canvas strip(kSize * kFrames, kSize);
    for (int f = 0; f < kFrames; ++f)
        strip.Draw(Larva(skin, belly, f, 0), f * kSize, 0);
    return strip;
}

// The wanderer: a pale drifting jelly with trailing tentacles.
Canvas Wanderer()
{
    Canvas c(kSize, kSize);
    auto tentacles = [](V2 p) {
        float d = 1e9f;
        for (int i = 0; i < 5; ++i) {
            const float x = 8 + i * 4;
            for (int k = 0; k < 5; ++k) {
                const float y0 = 16 + k * 3, y1 = y0 + 3;
                const float w0 = 1.6f * std::sin(y0 * 0.5f + i), w1 = 1.6f * std::sin(y1 * 0.5f + i);
                d = std::min(d, SdTaper(p, {x + w0, y0}, {x + w1, y1}, 1.3f - k * 0.2f, 1.1f - k * 0.2f));
            }
        }
        return d;
    };
    Body(c, tentacles, [](V2, N3 n) { return Lit(Hex(0xb0a0d8), n, 0.5f, 14); }, 1, 0.9f);
    auto dome = [](V2 p) { return std::max(SdEllipse(p, {16, 14}, 12, 10), p.y - 19); };
    Body(c, dome, [](V2 p, N3 n) {
        const float spot = Worley(p.x * 0.35f, p.y * 0.35f, 5) < 0.22f ? 1.0f : 0.0f;
        return Lit(Mix(Hex(0xe8e0ff), Hex(0x60f0ff), spot * 0.7f), n, 0.8f, 20);
    }, 8, 1.5f, Hex(0x140c20));
    for (float s : {-4.0f, 4.0f}) {
        const V2 e = {16 + s, 13};
        c.Fill([e](V2 p) { return SdCircle(p, e, 2.2f); }, Hex(0x201040));
        c.Fill([e](V2 p) { return SdCircle(p, e + V2{-0.6f, -0.6f}, 0.8f); }, Hex(0xffffff));
    }
    return c;
}

} // namespace

Canvas AlienFrame(int look, int frame)
{
    const Rgb skins[4][2] = {{Hex(0xf0c820), Hex(0x906010)}, {Hex(0x58d040), Hex(0x1c6018)},
                             {Hex(0xf04030), Hex(0x801818)}, {Hex(0x4a88ff), Hex(0x1a3080)}};
    return look >= 4 ? Wanderer() : Larva(skins[look][0], skins[look][1], frame, 0);
}

void AddAliens(ImageSet& set)
{
    const FrameStrip frames = {0, 0, kSize, kSize, kSize, kFrames};
    set.AddSprite("alien-y", "ALIEN_Y_IMG", Strip(Hex(0xf0c820), Hex(0x906010)), frames);
    set.AddSprite("alien-g", "ALIEN_G_IMG", Strip(Hex(0x58d040), Hex(0x1c6018)), frames);
    set.AddSprite("alien-r", "ALIEN_R_IMG", Strip(Hex(0xf04030), Hex(0x801818)), frames);
    set.AddSprite("alien-b", "ALIEN_B_IMG", Strip(Hex(0x4a88ff), Hex(0x1a3080)), frames);
    set.AddSprite("alien-w", "ALIEN_W_IMG", Wanderer());
}
