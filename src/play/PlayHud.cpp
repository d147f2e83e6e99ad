#include "play/PlayHud.h"

#include <allegro.h>

#include <algorithm>

#include "app/Display.h"

int LevelInSystem(int level) { return (level - 1) % 10 + 1; }

int BeamLevel(float fraction, float dropoffIntensity)
{
    // A pulse past its end (negative fraction) or a large intensity would
    // push the channel outside 0..255 and spill into the other colours.
    const int dim = static_cast<int>((1.0f - fraction) * dropoffIntensity);
    return std::clamp(255 - dim, 0, 255);
}

int BeamColour(int numPlayers, int player, int pulse, float fraction, float dropoffIntensity)
{
    const int v = BeamLevel(fraction, dropoffIntensity);
    if (numPlayers > 1)
        return player == 0 ? makecol(0, v, 0) : makecol(0, 0, v);
    switch (pulse) {
    case kPulseA: return makecol(v, 0, 0);
    case kPulseC: return makecol(v, v, 0);
    case kPulseB: return makecol(0, 0, v);
    default: return makecol(0, v, 0);
    }
}

SCountdownLook CountdownLook(int32_t now, int32_t levelStartAt, int32_t levelEndAt, int32_t sayGo)
{
    SCountdownLook look;
    if (levelEndAt != 0 || levelStartAt == 0 || now >= levelStartAt)
        return look;
    look.ready = true;
    const int32_t left = levelStartAt - now;
    if (left < sayGo) {
        const int32_t sinceGo = sayGo - left;
        look.go = true;
        look.shift = 6 * sinceGo;
        look.fade = std::max(0, 255 - 5 * sinceGo);
    }
    return look;
}

void DrawBossHealthBar(BITMAP* target, int health)
{
    const int mid = kScreenW / 2;
    rectfill(target, mid - 201, 70, mid + 201, 100, makecol(80, 80, 80));
    rectfill(target, mid - 200, 71, mid - 200 + 4 * health, 99, makecol(255, 255, 255));
}
