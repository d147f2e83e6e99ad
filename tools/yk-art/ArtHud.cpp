#include <cstdint>

#include "Art.h"
#include "Noise.h"
#include "Sdf.h"

namespace {

// The panel holds four text lines between y 15 and y 122.
constexpr int kCornerW = 170, kCornerH = 125;

Canvas Corner()
{
    Canvas c(kCornerW, kCornerH);
    const V2 mid = {kCornerW / 2.0f, kCornerH / 2.0f};
    const Rgb metal = Hex(0x5a5560), screen = Hex(0x0c0f18);
    c.Paint([](V2) { return Hex(0x120a0e); });
    auto frame = [&](V2 p) { return SdBox(p, mid, {kCornerW / 2.0f - 1, kCornerH / 2.0f - 1}, 10); };
    Body(c, frame, [&](V2 p, N3 n) {
        const float grain = 0.06f * Fbm(p.x * 0.4f, p.y * 0.05f, 3);
        return Lit(metal * (1 + grain), n, 0.5f, 24);
    }, 5, 1.5f);
    auto glass = [&](V2 p) { return SdBox(p, mid, {kCornerW / 2.0f - 7, kCornerH / 2.0f - 5}, 7); };
    c.Fill([&](V2 p) { return glass(p) - 1.2f; }, Hex(0x050306));
    c.Fill(glass, [&](V2 p) {
        const float vign = Clamp01(-glass(p) / 22);
        const float scan = (int(p.y) % 3 == 0) ? 0.85f : 1.0f;
        const float grid = (int(p.x) % 16 == 0 || int(p.y) % 16 == 0) ? 1.5f : 1.0f;
        return Mix(screen * 0.5f, screen * grid, vign) * scan;
    });
    // A soft reflection across the glass.
    c.Fill([&](V2 p) { return SdCut(glass(p) + 3, SdCircle(p, {-40, 200}, 190)); }, Rgb{0.6f, 0.7f, 0.9f}, 0.05f);
    for (V2 s : {V2{6, 6}, V2{kCornerW - 6.0f, 6}, V2{6, kCornerH - 6.0f}, V2{kCornerW - 6.0f, kCornerH - 6.0f}})
        Body(c, [s](V2 p) { return SdCircle(p, s, 2.6f); }, [](V2, N3 n) { return Lit(Hex(0x9a98a0), n, 0.8f, 30); },
             2.5f, 0.8f);
    return c;
}

// Local frame of a lantern: u runs along its wall, v points into the arena.
struct Frame {
    V2 centre, u, v;
    V2 Local(V2 p) const { const V2 d = p - centre; return {Dot(d, u), Dot(d, v)}; }
};

Canvas Lantern(int w, int h, V2 inward, Rgb lens)
{
    Canvas c(w, h);
    const Frame f = {{w / 2.0f, h / 2.0f}, {std::fabs(inward.y), std::fabs(inward.x)}, inward};
    auto housing = [&](V2 p) {
        const V2 q = f.Local(p);
        const float body = SdBox(q, {0, -2.5f}, {29, 8.5f}, 6);
        const float fins = SdBox(q, {0, -9}, {22, 3}, 2);
        return SdSmoothUnion(body, fins, 2);
    };
    Body(c, housing, [&](V2 p, N3 n) {
        const V2 q = f.Local(p);
        const float stripe = std::fabs(q.x) > 19 && std::fabs(q.x) < 22 ? 0.6f : 1.0f;
        return Lit(Hex(0x6c6a78) * stripe, n, 0.6f, 28);
    }, 4, 1.5f);
    // Emitter dome on the arena side, glowing in the beam colour.
    auto dome = [&](V2 p) { return SdEllipse(f.Local(p), {0, 5.5f}, 12, 5); };
    Body(c, dome, [&](V2 p, N3 n) {
        const float core = 1 - Clamp01(Len(f.Local(p) - V2{0, 5.5f}) / 12);
        return Lit(Mix(lens * 0.8f, Rgb{1, 1, 1}, core * 0.45f), n, 0.9f, 30);
    }, 4, 1.2f);
    for (float s : {-24.0f, 24.0f})
        Body(c, [&, s](V2 p) { return SdCircle(f.Local(p), {s, -2}, 2.2f); },
             [&](V2, N3 n) { return Lit(lens, n, 0.7f, 20); }, 2, 0.8f);
    return c;
}

struct LanternSide {
    const char* suffix; // T, R, B, L
    V2 inward;
    bool across;        // left and right lanterns stand upright
};

const LanternSide kSides[4] = {{"T", {0, 1}, false}, {"R", {-1, 0}, true}, {"B", {0, -1}, false}, {"L", {1, 0}, true}};

void AddLanterns(ImageSet& set, const char* player, const Rgb lens[4])
{
    for (int i = 0; i < 4; ++i) {
        const LanternSide& s = kSides[i];
        const std::string name = std::string("LANTERN_") + s.suffix + player;
        std::string section = "lantern-" + std::string(s.suffix) + player;
        for (char& ch : section)
            ch = char(std::tolower(ch == '_' ? '-' : ch));
        set.AddSprite(section, name + "_IMG", Lantern(s.across ? 24 : 64, s.across ? 64 : 24, s.inward, lens[i]));
    }
}

} // namespace

void AddHud(ImageSet& set)
{
    set.AddPicture("corner", "CORNER_IMG", Corner());
    // One player: each wall's beam has its own colour (top blue, right
    // yellow, bottom green, left red); two players: green and blue.
    const Rgb single[4] = {Hex(0x3070ff), Hex(0xffe030), Hex(0x30e050), Hex(0xff3030)};
    const Rgb p1[4] = {Hex(0x30e050), Hex(0x30e050), Hex(0x30e050), Hex(0x30e050)};
    const Rgb p2[4] = {Hex(0x3070ff), Hex(0x3070ff), Hex(0x3070ff), Hex(0x3070ff)};
    AddLanterns(set, "", single);
    AddLanterns(set, "_1", p1);
    AddLanterns(set, "_2", p2);
}
