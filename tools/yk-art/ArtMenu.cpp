#include <cmath>

#include "Art.h"
#include "Noise.h"
#include "Sdf.h"
#include "TextArt.h"
#include "app/Display.h"

namespace {

void Vignette(Canvas& c, float strength)
{
    const V2 mid = {c.W() / 2.0f, c.H() / 2.0f};
    for (int y = 0; y < c.H(); ++y)
        for (int x = 0; x < c.W(); ++x) {
            const float r = Len(V2{(x - mid.x) / mid.x, (y - mid.y) / mid.y});
            const float k = 1 - strength * Smooth(0.4f, 1.45f, r);
            Px& p = c.At(x, y);
            p.r *= k, p.g *= k, p.b *= k;
        }
}

// Enlarged parasites and eggs drifting about the title.
void Swarm(Canvas& c)
{
    struct Item { int what; float x, y, scale; bool flip; };
    const Item items[] = {
        {0, 90, 470, 3.0f, false}, {2, 800, 430, 3.2f, true}, {1, 640, 600, 2.4f, false},
        {3, 230, 610, 2.2f, true}, {4, 860, 150, 2.6f, false}, {5, 120, 110, 2.4f, false},
        {6, 480, 520, 2.0f, false}, {5, 940, 620, 2.0f, false},
    };
    for (const Item& it : items) {
        Canvas s = it.what < 5 ? AlienFrame(it.what, 1) : (it.what == 5 ? PlainEgg() : PowerUpEgg());
        if (it.flip)
            s = s.Rotated180();
        const Canvas big = s.Scaled(it.scale);
        c.Draw(big, int(it.x - big.W() / 2), int(it.y - big.H() / 2));
    }
}

} // namespace

void MakeMenuSet(ImageSet& set)
{
    Canvas c = SystemBackground(kCirculatory, kScreenW, kScreenH, 7);
    Vignette(c, 0.8f);
    Swarm(c);
    TextStyle title;
    title.face = Face::Serif;
    title.size = 118;
    title.top = Hex(0xfff4d0);
    title.bottom = Hex(0xff9030);
    title.outline = 4;
    title.outlineColour = Hex(0x200408);
    title.shadow = 6;
    title.glow = 16;
    title.glowColour = Hex(0xff3020);
    DrawTextCentred(c, "Yolvar", kScreenW / 2.0f, 150, title);
    DrawTextCentred(c, "Krandel", kScreenW / 2.0f, 270, title);
    TextStyle tag;
    tag.size = 24;
    tag.top = Hex(0xffffff);
    tag.bottom = Hex(0xe0c8c8);
    tag.outline = 2;
    tag.shadow = 2;
    DrawTextCentred(c, "Alien parasites are loose inside an astronaut.", kScreenW / 2.0f, 420, tag);
    DrawTextCentred(c, "Fire the lasers, steer the spiked puck, purge them all.", kScreenW / 2.0f, 452, tag);
    TextStyle keys = tag;
    keys.size = 22;
    keys.top = Hex(0xffe080);
    keys.bottom = Hex(0xffb040);
    DrawTextCentred(c, "Space or click: start          Escape: quit", kScreenW / 2.0f, 700, keys);
    set.AddPicture("title", "TITLE_IMG", c);
}
