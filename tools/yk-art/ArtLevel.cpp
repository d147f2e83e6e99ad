#include <cmath>

#include "Art.h"
#include "Noise.h"
#include "Sdf.h"
#include "TextArt.h"
#include "app/Display.h"

namespace {

// The level-select quadrants, in the menu's order of areas: upper left,
// upper right, lower left, lower right.
const int kQuadSystem[4] = {kCirculatory, kRespiratory, kNervous, kDigestive};
const char* const kQuadName[4] = {"Circulatory", "Respiratory", "Nervous", "Digestive"};
constexpr int kQW = kScreenW / 2, kQH = kScreenH / 2;

// Score lines are centred on x = 252 of a quadrant, from y 75 to 315.
constexpr float kScoreX = 252;

Canvas Quadrant(int q, bool lit)
{
    Canvas c = SystemBackground(kQuadSystem[q], kQW, kQH, 300u + uint32_t(q));
    const bool upper = q < 2;
    const V2 mid = {kQW / 2.0f, kQH / 2.0f};
    // Dim the picture, more toward the rim; the highlighted twin glows.
    for (int y = 0; y < kQH; ++y)
        for (int x = 0; x < kQW; ++x) {
            Px& p = c.At(x, y);
            const float vign = 1 - 0.5f * Smooth(0.3f, 1.0f, Len(V2{(x - mid.x) / mid.x, (y - mid.y) / mid.y}) / 1.4f);
            const float k = (lit ? 1.25f : 0.62f) * vign;
            p = {Clamp01(p.r * k + (lit ? 0.04f : 0)), Clamp01(p.g * k), Clamp01(p.b * k), 1};
        }
    // A smoked panel behind the best scores.
    auto panel = [](V2 p) { return SdBox(p, {kScoreX, 196}, {112, 126}, 14); };
    c.Darken(panel, 0.55f, 10);
    c.Fill([&](V2 p) { return std::fabs(panel(p)) - 0.8f; }, Rgb{1, 1, 1}, lit ? 0.5f : 0.18f);
    // The system's name, below the scores on top quadrants and above them below.
    TextStyle name;
    name.size = 38;
    name.top = lit ? Hex(0xffffff) : Hex(0xe8e0e0);
    name.bottom = lit ? Hex(0xffe080) : Hex(0xa89898);
    name.outline = 2.5f;
    name.shadow = 3;
    if (lit) {
        name.glow = 8;
        name.glowColour = Hex(0xff9040);
    }
    DrawTextCentred(c, kQuadName[q], kScoreX, upper ? 328 : 14, name);
    // Frame: a bright rim when highlighted.
    auto rim = [](V2 p) { return -SdBox(p, {kQW / 2.0f, kQH / 2.0f}, {kQW / 2.0f - 3, kQH / 2.0f - 3}, 12); };
    c.Fill(rim, lit ? Hex(0xffc060) : Hex(0x180a10));
    c.Fill([&](V2 p) { return std::fabs(rim(p) + 1.5f) - 0.8f; }, lit ? Hex(0xfff0c0) : Hex(0x504048));
    return c;
}

// A column of vertebrae down the dead strip between the columns.
void Spine(Canvas& c)
{
    const float cx = kScreenW / 2.0f;
    for (int i = 0; i < 17; ++i) {
        const float cy = 20 + i * 46.0f;
        auto bone = [=](V2 p) {
            const float body = SdBox(p, {cx, cy}, {15, 17}, 7);
            const float wings = SdTaper(p, {cx - 26, cy - 4}, {cx + 26, cy - 4}, 4, 4);
            return SdSmoothUnion(body, wings, 4);
        };
        Body(c, bone, [](V2 p, N3 n) {
            return Lit(Mix(Hex(0xe0d4b8), Hex(0xb8a888), 0.5f + 0.5f * Fbm(p.x * 0.2f, p.y * 0.2f, 9, 2)), n, 0.5f, 16);
        }, 8, 2, Hex(0x100806), {int(cx - 40), int(cy - 30), int(cx + 40), int(cy + 30)});
        auto disc = [=](V2 p) { return SdBox(p, {cx, cy + 23}, {12, 4}, 3); };
        Body(c, disc, [](V2, N3 n) { return Lit(Hex(0xc06070), n, 0.4f, 12); }, 3, 1.2f, Hex(0x100806),
             {int(cx - 20), int(cy + 10), int(cx + 20), int(cy + 36)});
    }
}

Canvas LevelSelect(bool lit)
{
    Canvas c(kScreenW, kScreenH);
    for (int q = 0; q < 4; ++q)
        c.Draw(Quadrant(q, lit), (q % 2) * kQW, (q / 2) * kQH);
    if (!lit)
        Spine(c);
    return c;
}

// The highlighted twin keeps the spine too: the menu copies whole quarters.
Canvas LevelSelectLit()
{
    Canvas c = LevelSelect(true);
    Spine(c);
    return c;
}

} // namespace

void AddOptionsBar(ImageSet& set);
void AddHelp(ImageSet& set);
void AddSettingsBackdrop(ImageSet& set);

void MakeLevelSet(ImageSet& set)
{
    set.AddPicture("level-select", "LEV_SEL_IMG", LevelSelect(false));
    set.AddPicture("level-select-lit", "LEV_SEL_G_IMG", LevelSelectLit());
    AddOptionsBar(set);
    AddHelp(set);
    AddSettingsBackdrop(set);
}
