#include <cmath>

#include "Art.h"
#include "Noise.h"
#include "Sdf.h"
#include "TextArt.h"
#include "app/Display.h"
#include "play/OptionsBarLayout.h"

namespace {

// The places the menu draws and hit-tests.
using namespace OptionsBar;
constexpr int kBarH = kHeight;
constexpr int kDisc = kDialSize;
constexpr V2 kDiscCentre = {kDialX + kDialSize / 2, kDialY + kDialSize / 2};
constexpr int kScaleY[2] = {kSoundScaleY, kMusicScaleY};

const char* const kModeNames[kModeRows] = {"Normal", "Random", "Laser-zap", "Crossfire", "Waves"};

TextStyle Label(int size, Rgb colour)
{
    TextStyle st;
    st.size = size;
    st.top = colour;
    st.bottom = colour * 0.8f;
    st.shadow = 1;
    return st;
}

void BombShape(Canvas& c, V2 o, bool lit)
{
    auto fuse = [o](V2 p) { return SdSegment(p, o + V2{20, 12}, o + V2{26, 5}, 1.5f); };
    Body(c, fuse, [lit](V2, N3 n) { return Lit(lit ? Hex(0xc09060) : Hex(0x302830), n, 0.3f, 10); }, 1.5f, 1);
    auto bomb = [o](V2 p) {
        return std::min(SdCircle(p, o + V2{16, 29}, 14.5f), SdBox(p, o + V2{19, 14}, {4, 3}, 1));
    };
    Body(c, bomb, [lit, o](V2 p, N3 n) {
        if (!lit)
            return Lit(Hex(0x2a2630), n, 0.2f, 10);
        const float hot = Smooth(14, 2, Len(p - o - V2{20, 33}));
        return Lit(Mix(Hex(0x8a1010), Hex(0xff5020), hot), n, 0.9f, 26);
    }, 9, 1.6f, lit ? Hex(0x200000) : Hex(0x0a080c));
    if (lit) {
        auto spark = [o](V2 p) {
            const V2 q = p - (o + V2{27, 4});
            return std::min(std::fabs(q.x) * 0.35f + std::fabs(q.y), std::fabs(q.y) * 0.35f + std::fabs(q.x)) - 4.5f;
        };
        c.Fill(spark, [o](V2 p) { return Mix(Hex(0xffffc0), Hex(0xff8000), Clamp01(Len(p - o - V2{27, 4}) / 4)); });
    }
}

Canvas Bar()
{
    Canvas c(kScreenW, kBarH);
    c.Paint([](V2 p) {
        const float grain = Fbm(p.x * 0.05f, p.y * 0.3f, 71, 3);
        const float shade = 1 - 0.5f * Smooth(kBarH - 14.0f, kBarH, p.y) + 0.15f * Smooth(8, 0, p.y);
        return Mix(Hex(0x24202c), Hex(0x3a3444), 0.5f + 0.5f * grain) * shade;
    });
    c.Fill([](V2 p) { return std::fabs(p.y - (kBarH - 2.5f)) - 1.5f; }, Hex(0xc06070));
    DrawTextLeft(c, "OPTIONS", 22, 10, Label(30, Hex(0xf0e8f0)));
    DrawTextLeft(c, "Move below the bar to close it", 24, 48, Label(13, Hex(0xa898b0)));
    // A recess under the player dial.
    c.Darken([](V2 p) { return SdCircle(p, kDiscCentre, kDisc / 2.0f + 3); }, 0.6f, 4);
    DrawTextLeft(c, "Sound", 548, kScaleY[0] + 1, Label(16, Hex(0xe0d8e8)));
    DrawTextLeft(c, "Music", 548, kScaleY[1] + 1, Label(16, Hex(0xe0d8e8)));
    for (int y : kScaleY) {
        auto trough = [y](V2 p) { return SdBox(p, {kScaleX + kScaleW / 2.0f, y + kScaleH / 2.0f}, {kScaleW / 2.0f + 3, kScaleH / 2.0f + 2}, 3); };
        c.Fill(trough, Hex(0x0c0a10));
        c.Fill([&](V2 p) { return std::fabs(trough(p)) - 0.6f; }, Hex(0x6a6078));
    }
    DrawTextLeft(c, "Mode", 740, 30, Label(16, Hex(0xe0d8e8)));
    c.Fill([](V2 p) {
        return SdBox(p, {kModeX + kModeW / 2.0f, kModeY + kModeRowH * kModeRows / 2.0f}, {kModeW / 2.0f + 3, 32}, 3);
    }, Hex(0x0c0a10));
    DrawTextLeft(c, "Hold the bomb", 878, 22, Label(12, Hex(0xd8c8d8)));
    DrawTextLeft(c, "to erase all", 878, 36, Label(12, Hex(0xd8c8d8)));
    DrawTextLeft(c, "best scores", 878, 50, Label(12, Hex(0xd8c8d8)));
    BombShape(c, {kBombX, kBombY}, false);
    return c;
}

Canvas Dial()
{
    Canvas c(kDisc, kDisc);
    const V2 m = {kDisc / 2.0f, kDisc / 2.0f};
    auto disc = [m](V2 p) { return SdCircle(p, m, kDisc / 2.0f - 2); };
    Body(c, disc, [m](V2 p, N3 n) {
        const V2 d = p - m;
        const float brushed = 0.9f + 0.1f * std::sin(std::atan2(d.y, d.x) * 40 + Len(d) * 0.3f);
        return Lit(Hex(0x6a6478) * brushed, n, 0.6f, 20);
    }, 8, 1.8f);
    c.Fill([m](V2 p) { return std::fabs(SdCircle(p, m, 44)) - 1; }, Hex(0x2a2634));
    // The lower half reads "2 players"; turned half a turn the other half
    // comes down reading "1 player".
    Canvas half(kDisc, kDisc);
    TextStyle st = Label(17, Hex(0xffffff));
    st.bottom = Hex(0xffe8a0);
    st.outline = 1.5f;
    DrawTextCentred(half, "2 players", m.x, m.y + 14, st);
    for (float dx : {-11.0f, 11.0f})
        half.Draw(PuckSprite(1).Scaled(0.38f), int(m.x + dx - 9.5f), int(m.y + 35));
    Canvas other(kDisc, kDisc);
    DrawTextCentred(other, "1 player", m.x, m.y + 14, st);
    other.Draw(PuckSprite(0).Scaled(0.38f), int(m.x - 9.5f), int(m.y + 35));
    c.Draw(half, 0, 0);
    c.Draw(other.Rotated180(), 0, 0);
    Body(c, [m](V2 p) { return SdCircle(p, m, 7); }, [](V2, N3 n) { return Lit(Hex(0xa8a0b8), n, 0.9f, 30); }, 7, 1.2f);
    return c;
}

Canvas Scale()
{
    Canvas c(kScaleW, kScaleH);
    auto wedge = [](V2 p) {
        const float top = kScaleH - 2 - (kScaleH - 5) * (p.x / kScaleW);
        const float seg = std::fabs(std::fmod(p.x, 6.0f) - 5.5f) < 0.8f ? 1.0f : 0.0f;
        return std::max({top - p.y, p.y - (kScaleH - 1.5f), 1.5f - p.x, p.x - (kScaleW - 1.5f)}) + seg * 2;
    };
    Body(c, wedge, [](V2 p, N3 n) {
        const float t = p.x / kScaleW;
        const Rgb col = t < 0.6f ? Mix(Hex(0x30e050), Hex(0xf0e040), t / 0.6f) : Mix(Hex(0xf0e040), Hex(0xff4020), (t - 0.6f) / 0.4f);
        return Lit(col, n, 0.5f, 14);
    }, 2, 1, Hex(0x0a080c));
    return c;
}

// state 0 locked, 1 available, 2 chosen.
Canvas ModeRows(int state)
{
    Canvas c(kModeW, kModeRowH * kModeRows);
    const Rgb plate[3] = {Hex(0x141218), Hex(0x1e1a26), Hex(0x1e4a28)};
    const Rgb ink[3] = {Hex(0x5a5460), Hex(0xe0d8e8), Hex(0xffffff)};
    c.Paint([&](V2 p) { return plate[state] * (1.1f - 0.3f * (std::fmod(p.y, float(kModeRowH)) / kModeRowH)); });
    for (int r = 0; r < kModeRows; ++r) {
        const float y = r * kModeRowH;
        const V2 led = {6, y + 6};
        if (state == 0) {
            auto lock = [led](V2 p) {
                return std::min(SdBox(p, led + V2{0, 1.5f}, {3, 2.3f}, 0.5f), std::fabs(SdCircle(p, led + V2{0, -1}, 2)) - 0.6f);
            };
            c.Fill(lock, Hex(0x6a6070));
        } else {
            c.Fill([led](V2 p) { return SdCircle(p, led, 3.6f); }, Hex(0x050405));
            c.Fill([led](V2 p) { return SdCircle(p, led, 2.8f); }, [=](V2 p) {
                const float t = Clamp01(Len(p - led - V2{-0.8f, -0.8f}) / 3);
                return state == 2 ? Mix(Hex(0xe0ffe0), Hex(0x20d040), t) : Mix(Hex(0x6a6478), Hex(0x2a2634), t);
            });
        }
        TextStyle st = Label(11, ink[state]);
        st.face = Face::Condensed;
        st.shadow = 0;
        DrawTextLeft(c, kModeNames[r], 12, y, st);
        c.Fill([y](V2 p) { return std::fabs(p.y - (y + kModeRowH - 0.5f)) - 0.5f; }, Hex(0x000000), 0.5f);
    }
    return c;
}

Canvas Bomb()
{
    Canvas c(kBombW, kBombH);
    BombShape(c, {0, 0}, true);
    return c;
}

} // namespace

void AddOptionsBar(ImageSet& set)
{
    set.AddPicture("options-bar", "LEV_BAR_IMG", Bar());
    set.AddSprite("player-dial", "P_SPIN_IMG", Dial());
    set.AddSprite("volume-scale", "V_SCALE_IMG", Scale());
    set.AddSprite("mode-locked", "MODE_NO_IMG", ModeRows(0));
    set.AddSprite("mode-chosen", "MODE_YES_IMG", ModeRows(2));
    set.AddSprite("mode-available", "MODE_HERE_IMG", ModeRows(1));
    set.AddSprite("erase-bomb", "F_BOMB_IMG", Bomb());
}
