#include "creatures/Toy.h"

#include <allegro.h>

#include <cstdint>
#include <cstdlib>

#include "app/Display.h"
#include "app/Random.h"
#include "app/TickTimer.h"
#include "assets/ArtCache.h"
#include "assets/Asset.h"
#include "audio/Audio.h"
#include "creatures/CentredSprite.h"
#include "creatures/Reach.h"

namespace {

constexpr int kFirePoints = 10;  // lost for touching fire
constexpr int kNervePoints = 15; // lost for touching a nerve or a tooth
constexpr int kDustReturnOdds = 35; // a drifting dust re-appears 2 ticks in this many

constexpr int kToyTypes = 9;
const char* const kImages[kToyTypes] = {
    "TOY_TCELL_IMG", "TOY_FOOD_IMG", "TOY_FIRE_IMG", "TOY_NERVE_IMG", "TOY_TOOTH_U_IMG",
    "TOY_TOOTH_R_IMG", "TOY_TOOTH_D_IMG", "TOY_TOOTH_L_IMG", "TOY_DUST_IMG",
};

struct SToyArt {
    BITMAP* images[kToyTypes] = {}; // by type
    void LookUp()
    {
        for (int t = 0; t < kToyTypes; ++t)
            images[t] = g_bitmaps.Get(kImages[t]);
    }
};

bool IsNerveOrTooth(int type) { return type >= kToyNerve && type <= kToyToothL; }

// The step of one tick on one axis: the velocity, but never more than the
// radius, so that a hard kick cannot carry a toy through an egg or the wall.
float LimitedStep(float velocity, int radius)
{
    if (velocity < -radius)
        return static_cast<float>(-radius);
    if (velocity > radius)
        return static_cast<float>(radius);
    return velocity;
}

} // namespace

namespace {
// Level-file names, in toy-type order.
const char* const kToyNames[] = {"TCELL", "FOOD", "FIRE", "NERVE", "TOOTH_U", "TOOTH_R", "TOOTH_D", "TOOTH_L", "DUST"};
} // namespace

int ToyTypeFromName(const char* name)
{
    for (int t = 0; t < 9; ++t)
        if (name && ustricmp(name, kToyNames[t]) == 0)
            return t;
    return -1;
}

void CToy::Init(int xMin, int xMax, int yMin, int yMax, int t)
{
    x = RandomBetween(xMin, xMax);
    y = RandomBetween(yMin, yMax);
    fx = static_cast<float>(x);
    fy = static_cast<float>(y);
    type = t;
    active = true;
    // A toy set up again (by a boss) starts afresh: at rest, unless a fire.
    vx = vy = 0.0f;
    if (type == kToyFire) {
        vx = static_cast<float>((std::rand() % 5) + 2.0);
        if (std::rand() % 2 == 0)
            vx = -vx;
        vy = static_cast<float>((std::rand() % 5) + 2.0);
        if (std::rand() % 2 == 0)
            vy = -vy;
    }
}

void CToy::Update(const STickView& view)
{
    if (!active)
        return;
    for (int i = 0; i < view.numPlayers; ++i)
        if (!MeetPlayer(view, i))
            return;
    Blow(view.windX, view.windY);
    Damp(view.tCellBounce);
    if (type == kToyDust)
        DriftAsDust(view.crackRadius);
    else
        Roll(view);
    x = static_cast<int32_t>(fx);
    y = static_cast<int32_t>(fy);
}

// One player's effect on the toy; false when the toy is gone and its update ends.
bool CToy::MeetPlayer(const STickView& view, int player)
{
    const int radius = view.crackRadius;
    const int dx = view.playerX[player] - x; // measured before the pull
    const int dy = view.playerY[player] - y;
    const int flags = view.playerPowerFlags[player];
    if (type == kToyFire && HasPower(flags, kPupTrail) && TrailReaches(view, player, x, y, radius)) {
        active = false; // acid puts the fire out, at no cost
        return false;
    }
    if (HasPower(flags, kPupMagnetic))
        Pull(dx, dy, view.pullOnParasites);
    if (!InReach(dx, dy, radius))
        return true;
    return Touch(view, player);
}

bool CToy::Touch(const STickView& view, int player)
{
    if (type == kToyFire) {
        g_audio.PlaySound("LOSEPADDLE_SFX");
        active = false;
        *view.levelPoints -= kFirePoints;
        return false;
    }
    if (IsNerveOrTooth(type)) {
        g_audio.PlaySound("OW_SFX");
        active = false;
        *view.levelPoints -= kNervePoints;
        return false;
    }
    if (type == kToyDust)
        JumpWithinArena(view);
    else if (type == kToyTCell || type == kToyFood)
        g_audio.PlaySound("PUSH_SFX");
    else
        return true; // an unknown type: nothing to touch
    vx = static_cast<float>(view.playerVX[player] * 1.5);
    vy = static_cast<float>(view.playerVY[player] * 1.5);
    return true;
}

void CToy::Pull(int dx, int dy, float pull)
{
    const float px = dx * pull;
    const float py = dy * pull;
    fx += px;
    fy += py;
    x += static_cast<int32_t>(px);
    y += static_cast<int32_t>(py);
}

// An empty arena axis leaves the dust at that axis's start.
void CToy::JumpWithinArena(const STickView& view)
{
    x = RandomBetween(view.arenaLeft, view.arenaRight);
    y = RandomBetween(view.arenaTop, view.arenaBottom);
    fx = static_cast<float>(x);
    fy = static_cast<float>(y);
}

// Dust is carried by the wind alone; everything else only feels it a little.
void CToy::Blow(float windX, float windY)
{
    if (type == kToyDust) {
        vx = static_cast<float>(windX * 2.5);
        vy = static_cast<float>(windY * 2.5);
        return;
    }
    vx = static_cast<float>(vx + windX * 0.05);
    vy = static_cast<float>(vy + windY * 0.05);
}

void CToy::Damp(float tCellBounce)
{
    if (type == kToyTCell) {
        vx *= tCellBounce;
        vy *= tCellBounce;
    } else if (type == kToyFood) {
        vx *= 0.75f;
        vy *= 0.75f;
    } else if (IsNerveOrTooth(type)) {
        vx *= 0.0f; // nerves and teeth are rooted
        vy *= 0.0f;
    }
}

void CToy::Roll(const STickView& view)
{
    fx += LimitedStep(vx, view.crackRadius);
    fy += LimitedStep(vy, view.crackRadius);
    if ((fx < view.arenaLeft && vx < 0) || (fx > view.arenaRight && vx > 0))
        vx = -vx;
    if ((fy < view.arenaTop && vy < 0) || (fy > view.arenaBottom && vy > 0))
        vy = -vy;
}

// Dust leaves the arena freely; only a random re-appearance brings it back.
void CToy::DriftAsDust(int radius)
{
    fx += vx;
    fy += vy;
    if (std::rand() % kDustReturnOdds > 1)
        return;
    fx = static_cast<float>(RandomBetween(radius, kScreenW));
    fy = static_cast<float>(RandomBetween(radius, kScreenH));
}

void CToy::Draw() const
{
    if (!active || type < kToyTCell || type > kToyDust)
        return;
    BITMAP* image = CachedArt<SToyArt>().images[type];
    if (type != kToyFire) {
        DrawCentred(image, x, y);
        return;
    }
    // The fire spins backwards, one turn every 64 hundredths.
    const uint32_t turn = static_cast<uint32_t>(CTickTimer::Now()) * 4u;
    DrawCentredRotated(image, x, y, -static_cast<int>(turn & 255u));
}

bool TCellWithin(const ToyList* toys, int x, int y, int radius)
{
    if (!toys)
        return false;
    for (const auto& toy : *toys)
        if (toy && toy->type == kToyTCell && InReach(toy->x - x, toy->y - y, radius))
            return true;
    return false;
}
