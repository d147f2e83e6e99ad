#include "creatures/Egg.h"

#include <cstdlib>
#include <utility>

#include "app/TickTimer.h"
#include "app/Random.h"
#include "assets/ArtCache.h"
#include "assets/Asset.h"
#include "audio/Audio.h"
#include "creatures/CentredSprite.h"
#include "creatures/Reach.h"
#include "creatures/Toy.h"

namespace {

constexpr int kSmashPoints = 2;    // level points for a smashed egg
constexpr int kFlickerBit = 8;     // open shells flicker 8 hundredths on, 8 off
constexpr const char* kHatchSound = "HATCH_SFX";

// The image of an open egg, by kind: shell, power-ups 1..8, empty shell.
constexpr int kOpenKinds = 10;
const char* const kOpenImages[kOpenKinds] = {
    "EGGSHELL_IMG", "PUP_MAG_IMG", "PUP_DIS_IMG", "PUP_GRO_IMG", "PUP_ACI_IMG",
    "PUP_SPE_IMG", "PUP_FRE_IMG", "PUP_LAS_IMG", "PUP_BOM_IMG", "EGGPUPSHELL_IMG",
};

struct SEggArt {
    BITMAP* plain = nullptr;          // EGG_IMG, a whole plain egg
    BITMAP* powerUp = nullptr;        // EGGPUP_IMG, a whole power-up egg
    BITMAP* open[kOpenKinds] = {};    // by kind
    void LookUp()
    {
        plain = g_bitmaps.Get("EGG_IMG");
        powerUp = g_bitmaps.Get("EGGPUP_IMG");
        for (int k = 0; k < kOpenKinds; ++k)
            open[k] = g_bitmaps.Get(kOpenImages[k]);
    }
};

bool AnyoneHolds(const STickView& view, int power)
{
    for (int i = 0; i < view.numPlayers; ++i)
        if (HasPower(view.playerPowerFlags[i], power))
            return true;
    return false;
}

// A fresh shake every frame; a warning distance of 0 or less keeps the egg still.
int TrembleOffset(int dist)
{
    if (dist <= 0)
        return 0;
    const int a = std::rand() % dist;
    const int b = std::rand() % dist;
    return a - b;
}

} // namespace

void CEgg::Init(int lifeMin, int lifeMax, int xMin, int xMax, int yMin, int yMax, int k, int direction)
{
    removed = false;
    x = RandomBetween(xMin, xMax);
    y = RandomBetween(yMin, yMax);
    time = CTickTimer::Now() + RandomBetween(lifeMin, lifeMax);
    kind = k;
    cracked = false;
    goDirection = direction;
}

int CEgg::Update(const STickView& view)
{
    // A removed egg is only waiting to be swept away: it scores and hatches no more.
    if (removed || IsOpenShell())
        return kNothing;
    bool hit = TCellWithin(view.toys, x, y, view.crackRadius);
    int hitter = -1;
    for (int i = 0; i < view.numPlayers; ++i) {
        const int dx = view.playerX[i] - x; // measured before the pull
        const int dy = view.playerY[i] - y;
        if (HasPower(view.playerPowerFlags[i], kPupMagnetic))
            Pull(dx, dy, view.pullOnEggs);
        if (!InReach(dx, dy, view.reach[i]))
            continue;
        g_audio.PlaySound(kHatchSound);
        hit = true;
        hitter = i; // a later player takes the credit
        if (IsPowerUpEgg())
            return MeetPowerUpPlayer(view, i);
    }
    const bool disrupt = AnyoneHolds(view, kPupDisrupt);
    if (hit)
        return SmashedBy(view, hitter);
    if ((time <= CTickTimer::Now() || disrupt) && !cracked)
        return Hatch();
    return kNothing;
}

void CEgg::Pull(int dx, int dy, float pull)
{
    x += static_cast<int32_t>(dx * pull);
    y += static_cast<int32_t>(dy * pull);
}

// A power-up egg touched by a player: an open one is collected, a whole one
// cracks open and throws the player back unless it is big or fast.
int CEgg::MeetPowerUpPlayer(const STickView& view, int player)
{
    if (cracked) {
        view.playerPowerFlags[player] |= 1 << kind;
        removed = true;
        return kNothing;
    }
    const int flags = view.playerPowerFlags[player];
    if (!HasPower(flags, kPupMushroom) && !HasPower(flags, kPupSpeedup)) {
        std::swap(view.laserA[player], view.laserC[player]);
        std::swap(view.laserB[player], view.laserD[player]);
    }
    cracked = true;
    time = CTickTimer::Now() + view.pupFlickerShowTime;
    *view.levelPoints += kSmashPoints;
    view.eggsSmashed[player] += 1;
    return kCrackedPowerUp;
}

// Only plain eggs break here; a power-up egg that only a T-cell reaches holds.
int CEgg::SmashedBy(const STickView& view, int hitter)
{
    g_audio.PlaySound(kHatchSound);
    if (kind != kPupPlainEgg && kind != kPupEmptyShell)
        return kNothing;
    cracked = true;
    *view.levelPoints += kSmashPoints;
    if (hitter >= 0)
        view.eggsSmashed[hitter] += 1;
    time = CTickTimer::Now();
    return kNothing;
}

int CEgg::Hatch()
{
    g_audio.PlaySound(kHatchSound);
    cracked = true;
    time = CTickTimer::Now();
    if (kind != kPupPlainEgg) {
        kind = kPupEmptyShell;
        return kHatchedPowerUp;
    }
    return kHatchedFree + goDirection;
}

void CEgg::Draw(int crackWarningTime, int crackWarningDist, int crackSolidShowTime, int crackFlickerShowTime,
                int pupSolidShowTime, int pupFlickerShowTime)
{
    if (!cracked)
        DrawWhole(crackWarningTime, crackWarningDist);
    else if (kind == kPupPlainEgg)
        DrawOpen(CachedArt<SEggArt>().open[kind], crackSolidShowTime, crackFlickerShowTime);
    else if (kind > kPupPlainEgg && kind <= kPupEmptyShell)
        DrawOpen(CachedArt<SEggArt>().open[kind], pupSolidShowTime, pupFlickerShowTime);
}

// An egg about to hatch trembles. The shake is drawn even when the image is
// missing, so that the random stream does not depend on the assets.
void CEgg::DrawWhole(int warningTime, int warningDist) const
{
    int ox = 0, oy = 0;
    if (time - CTickTimer::Now() < warningTime) {
        ox = TrembleOffset(warningDist);
        oy = TrembleOffset(warningDist);
    }
    const SEggArt& art = CachedArt<SEggArt>();
    DrawCentred(kind == kPupPlainEgg ? art.plain : art.powerUp, x + ox, y + oy);
}

// Open eggs show solid, then flicker, then are gone.
void CEgg::DrawOpen(BITMAP* image, int solidTime, int flickerTime)
{
    const int now = CTickTimer::Now();
    const int age = now - time;
    if (age > flickerTime) {
        removed = true;
        return;
    }
    if (age < solidTime || (now & kFlickerBit))
        DrawCentred(image, x, y);
}
