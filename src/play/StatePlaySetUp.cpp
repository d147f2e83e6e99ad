// Building a level from its state definition file.
#include <allegro.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/Display.h"
#include "app/Random.h"
#include "app/TickTimer.h"
#include "assets/Asset.h"
#include "audio/Audio.h"
#include "play/StatePlay.h"

namespace {

constexpr int kPlacementTries = 1000; // then a crowded set keeps its last try

struct SRange {
    int lo, hi;
};

// One axis of a placement area: a single line at "fixed", or lo..hi, as
// parts of the arena size.
SRange AxisRange(const char* section, const char* fixedKey, const char* loKey, const char* hiKey, int origin,
                 int size, bool swap)
{
    const float fixed = get_config_float(section, fixedKey, -1.0f);
    SRange r;
    if (fixed == -1.0f) {
        r.lo = origin + static_cast<int>(get_config_float(section, loKey, 0.0f) * size);
        r.hi = origin + static_cast<int>(get_config_float(section, hiKey, 1.0f) * size);
    } else {
        r.lo = r.hi = origin + static_cast<int>(fixed * size);
    }
    if (swap && r.hi < r.lo)
        std::swap(r.lo, r.hi);
    return r;
}

int SizeOf(BITMAP* bmp, bool width) { return bmp ? (width ? bmp->w : bmp->h) : 0; }

} // namespace

int CStatePlay::WeightedChoice(const int* weights, int count)
{
    int total = 0;
    for (int i = 0; i < count; ++i)
        total += weights[i];
    if (total <= 0)
        return 0;
    const int r = std::rand() % total;
    int sum = 0;
    for (int i = 0; i < count; ++i) {
        sum += weights[i];
        if (r < sum)
            return i;
    }
    return 0;
}

int CStatePlay::SetUpLevel()
{
    const int loaded = SaveScoresAndLoadLevel(1);
    pausedAt = 0;
    goSounded = false;
    if (level < 0 || loaded != 0)
        return 1;

    ResetLevel();
    SetUpArena();
    if (gameMode == kModeCrossfire)
        g_display.ConfineMouse();
    else
        set_mouse_range(arenaLeft, arenaTop, arenaRight, arenaBottom);
    PlacePlayers();
    ClearAll();

    const int clearance = PlacementClearance();
    const int lifeShift = cvar_hSecBeforeLevelStart - cvar_hSecBeforeLevelStartSayGo;
    if (gameMode != kModeWaves) {
        PlaceEggSets(clearance, lifeShift);
        std::stable_sort(eggs.begin(), eggs.end(), [](const auto& a, const auto& b) { return a->y < b->y; });
        PlaceToySets(clearance);
    }
    SetUpBoss();

    levelStartAt = CTickTimer::Now() + cvar_hSecBeforeLevelStart;
    g_timer.Reset();
    return 0;
}

void CStatePlay::ResetLevel()
{
    const int now = CTickTimer::Now();
    laserOn = true;
    windX = windY = 0;
    // A level without a positive interval has no wind on that axis.
    nextWindXFlip = cvar_windXInterval > 0 ? now + std::rand() % cvar_windXInterval : 0;
    nextWindYFlip = cvar_windYInterval > 0 ? now + std::rand() % cvar_windYInterval : 0;
    levelPoints = 0;
    freezeUntil = 0;
    levelEndAt = 0;
    levelStartAt = 0;
    for (int p = 0; p < kMaxPlayers; ++p) {
        for (int j = 0; j < kTrailPoints; ++j)
            trailX[j][p] = trailY[j][p] = -50.0f;
        playerPowerFlags[p] = aliensKilled[p] = eggsSmashed[p] = flashUntil[p] = 0;
        laserA[p] = laserB[p] = laserC[p] = laserD[p] = 0;
        laserAFrac[p] = laserBFrac[p] = laserCFrac[p] = laserDFrac[p] = 0;
    }
}

void CStatePlay::SetUpArena()
{
    const int halfW = SizeOf(g_bitmaps.Get("LANTERN_T_IMG"), true) / 2;
    const int halfH = SizeOf(g_bitmaps.Get("LANTERN_R_IMG"), false) / 2;
    BITMAP* corner = g_bitmaps.Get("CORNER_IMG");
    const int cornerW = SizeOf(corner, true), cornerH = SizeOf(corner, false);
    arenaLeft = halfW + cornerW;
    arenaTop = halfH + cornerH;
    arenaRight = kScreenW - cornerW - halfW;
    arenaBottom = kScreenH - cornerH - halfH;
}

void CStatePlay::PlacePlayers()
{
    for (int p = 0; p < numPlayers && p < kMaxPlayers; ++p) {
        playerFX[p] = arenaLeft + (arenaRight - arenaLeft) * cvar_playerNormalizedStartX;
        playerFY[p] = arenaTop + (arenaBottom - arenaTop) * cvar_playerNormalizedStartY;
        playerX[p] = static_cast<int>(playerFX[p]);
        playerY[p] = static_cast<int>(playerFY[p]);
    }
}

bool CStatePlay::NearStart(int x, int y, int clearance) const
{
    for (int p = 0; p < numPlayers && p < kMaxPlayers; ++p)
        if (std::abs(playerX[p] - x) < clearance && std::abs(playerY[p] - y) < clearance)
            return true;
    return false;
}

bool CStatePlay::NearEgg(int x, int y, int clearance) const
{
    for (const auto& egg : eggs)
        if (std::abs(egg->x - x) < clearance && std::abs(egg->y - y) < clearance)
            return true;
    return false;
}

void CStatePlay::PlaceEggSets(int clearance, int lifeShift)
{
    static const char* const kDirKeys[] = {"eggGoRand", "eggGoL", "eggGoR", "eggGoT", "eggGoB"};
    static const char* const kPupKeys[] = {"l_plainegg_freq", "l_magnetic_freq", "l_disrupt_freq",
                                           "l_mushroom_freq", "l_trail_freq",    "l_speedup_freq",
                                           "l_freeze_freq",   "l_precise_freq",  "l_detonate_freq"};
    const int pupDefaults[9] = {cvar_pup_plainegg_freq, cvar_pup_magnetic_freq, cvar_pup_disrupt_freq,
                                cvar_pup_mushroom_freq, cvar_pup_trail_freq,    cvar_pup_speedup_freq,
                                cvar_pup_freeze_freq,   cvar_pup_precise_freq,  cvar_pup_detonate_freq};
    const int w = arenaRight - arenaLeft, h = arenaBottom - arenaTop;
    for (int k = 1;; ++k) {
        const std::string section = "eggSet" + std::to_string(k);
        const char* sec = section.c_str();
        const int n = get_config_int(sec, "eggNum", 0);
        if (n == 0)
            break;
        const SRange xr = AxisRange(sec, "eggX", "eggL", "eggR", arenaLeft, w, true);
        const SRange yr = AxisRange(sec, "eggY", "eggT", "eggB", arenaTop, h, true);
        int dirWeights[5], pupWeights[9];
        for (int i = 0; i < 5; ++i)
            dirWeights[i] = get_config_int(sec, kDirKeys[i], 0);
        for (int i = 0; i < 9; ++i)
            pupWeights[i] = get_config_int(sec, kPupKeys[i], pupDefaults[i]);
        int minLife = get_config_int(sec, "l_hSecEggMinLife", cvar_hSecEggMinLife);
        int maxLife = get_config_int(sec, "l_hSecEggMaxLife", cvar_hSecEggMaxLife);
        if (maxLife < minLife)
            std::swap(minLife, maxLife);
        for (int e = 0; e < n; ++e) {
            auto egg = std::make_unique<CEgg>();
            const int pup = WeightedChoice(pupWeights, 9);
            const int dir = WeightedChoice(dirWeights, 5);
            int tries = 0;
            do {
                egg->Init(minLife + lifeShift, maxLife + lifeShift, xr.lo, xr.hi, yr.lo, yr.hi, pup, dir);
            } while (NearStart(egg->x, egg->y, clearance) && ++tries < kPlacementTries);
            if (tries == kPlacementTries)
                std::fprintf(stderr, "Level %d, %s: no egg place clear of the start point\n", level, sec);
            eggs.push_back(std::move(egg));
        }
    }
}

void CStatePlay::PlaceToySets(int clearance)
{
    const int w = arenaRight - arenaLeft, h = arenaBottom - arenaTop;
    for (int k = 1;; ++k) {
        const std::string section = "toySet" + std::to_string(k);
        const char* sec = section.c_str();
        const int n = get_config_int(sec, "toyNum", 0);
        if (n == 0)
            break;
        const SRange xr = AxisRange(sec, "toyX", "toyL", "toyR", arenaLeft, w, true);
        const SRange yr = AxisRange(sec, "toyY", "toyT", "toyB", arenaTop, h, true);
        const char* typeName = get_config_string(sec, "type", "");
        const int type = ToyTypeFromName(typeName);
        if (type < 0) {
            std::fprintf(stderr, "Level %d, %s: unknown toy type \"%s\"; set skipped\n", level, sec, typeName);
            continue;
        }
        for (int t = 0; t < n; ++t) {
            auto toy = std::make_unique<CToy>();
            int tries = 0;
            do {
                toy->Init(xr.lo, xr.hi, yr.lo, yr.hi, type);
            } while ((NearStart(toy->x, toy->y, clearance) || NearEgg(toy->x, toy->y, clearance)) &&
                     ++tries < kPlacementTries);
            if (tries == kPlacementTries)
                std::fprintf(stderr, "Level %d, %s: no toy place clear of the start point and eggs\n", level, sec);
            toys.push_back(std::move(toy));
        }
    }
}

void CStatePlay::SetUpBoss()
{
    const int type = BossTypeFromName(get_config_string("boss", "type", ""));
    g_audio.SelectTrack(BossMusicTrack(type));
    if (type < 0)
        return;
    const SRange xr = AxisRange("boss", "bossX", "bossL", "bossR", arenaLeft, arenaRight - arenaLeft, false);
    const SRange yr = AxisRange("boss", "bossY", "bossT", "bossB", arenaTop, arenaBottom - arenaTop, false);
    // A reversed range draws like the rest of the game; only an empty one skips the draw.
    const int x = xr.hi == xr.lo ? xr.lo : xr.lo + std::rand() % (xr.hi - xr.lo);
    const int y = yr.hi == yr.lo ? yr.lo : yr.lo + std::rand() % (yr.hi - yr.lo);
    boss.Init(x, y, type);
    boss.LoadTunables();
}
