#include "play/LevelBuilder.h"

#include <allegro.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/Display.h"
#include "app/TickTimer.h"
#include "assets/AssetBitmap.h"
#include "audio/Audio.h"
#include "input/Controls.h"
#include "play/LevelFile.h"
#include "play/StateFile.h"
#include "play/StatePlay.h"

namespace {

constexpr int kPlacementTries = 1000; // then a crowded set keeps its last try

} // namespace

int CStatePlay::SetUpLevel()
{
    // A restart or the next level of a system reloads the same images.
    CAssetBitmap::CReuseScope reuse;
    return CLevelBuilder(*this).Build();
}

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

int CLevelBuilder::Build()
{
    CStatePlay& p = play;
    const int loaded = p.SaveScoresAndLoadLevel(1);
    p.pausedAt = 0;
    g_controls.TakeFocusLost(); // a focus lost in the menus pauses no level
    p.goSounded = false;
    if (p.level < 0 || loaded != 0)
        return 1;

    ResetLevel();
    const SArena arena = ArenaOfFrame();
    p.arenaLeft = arena.left;
    p.arenaTop = arena.top;
    p.arenaRight = arena.right;
    p.arenaBottom = arena.bottom;
    if (p.gameMode == kModeCrossfire)
        g_display.ConfineMouse();
    else
        g_display.SetPointerRange(p.arenaLeft, p.arenaTop, p.arenaRight, p.arenaBottom);
    PlacePlayers();
    p.ClearAll();

    const int clearance = p.PlacementClearance();
    const int lifeShift = p.cvar_hSecBeforeLevelStart - p.cvar_hSecBeforeLevelStartSayGo;
    const std::string file = StatePath(p.LevelStateName());
    if (p.gameMode != kModeWaves) {
        for (const SEggSet& set : ReadEggSets(p, arena, file))
            PlaceEggs(set, clearance, lifeShift);
        std::stable_sort(p.eggs.begin(), p.eggs.end(), [](const auto& a, const auto& b) { return a->y < b->y; });
        for (const SToySet& set : ReadToySets(arena, file))
            PlaceToys(set, clearance, file);
    }
    SetUpBoss(arena, file);

    p.levelStartAt = CTickTimer::Now() + p.cvar_hSecBeforeLevelStart;
    g_timer.Reset();
    return 0;
}

void CLevelBuilder::ResetLevel()
{
    CStatePlay& p = play;
    const int now = CTickTimer::Now();
    p.laserOn = true;
    p.windX = p.windY = 0;
    // A level without a positive interval has no wind on that axis.
    p.nextWindXFlip = p.cvar_windXInterval > 0 ? now + std::rand() % p.cvar_windXInterval : 0;
    p.nextWindYFlip = p.cvar_windYInterval > 0 ? now + std::rand() % p.cvar_windYInterval : 0;
    p.levelPoints = 0;
    p.freezeUntil = 0;
    p.levelEndAt = 0;
    p.levelStartAt = 0;
    for (int i = 0; i < kMaxPlayers; ++i) {
        for (int j = 0; j < kTrailPoints; ++j)
            p.trailX[j][i] = p.trailY[j][i] = -50.0f;
        p.playerPowerFlags[i] = p.aliensKilled[i] = p.eggsSmashed[i] = p.flashUntil[i] = 0;
        p.laserA[i] = p.laserB[i] = p.laserC[i] = p.laserD[i] = 0;
        p.laserAFrac[i] = p.laserBFrac[i] = p.laserCFrac[i] = p.laserDFrac[i] = 0;
    }
}

void CLevelBuilder::PlacePlayers()
{
    CStatePlay& p = play;
    const SArena arena{p.arenaLeft, p.arenaTop, p.arenaRight, p.arenaBottom};
    for (int i = 0; i < p.numPlayers && i < kMaxPlayers; ++i) {
        StartPoint(arena, p, p.playerFX[i], p.playerFY[i]);
        p.playerX[i] = static_cast<int>(p.playerFX[i]);
        p.playerY[i] = static_cast<int>(p.playerFY[i]);
    }
}

bool CLevelBuilder::NearStart(int x, int y, int clearance) const
{
    for (int i = 0; i < play.numPlayers && i < kMaxPlayers; ++i)
        if (std::abs(play.playerX[i] - x) < clearance && std::abs(play.playerY[i] - y) < clearance)
            return true;
    return false;
}

bool CLevelBuilder::NearEgg(int x, int y, int clearance) const
{
    for (const auto& egg : play.eggs)
        if (std::abs(egg->x - x) < clearance && std::abs(egg->y - y) < clearance)
            return true;
    return false;
}

void CLevelBuilder::PlaceEggs(const SEggSet& set, int clearance, int lifeShift)
{
    for (int e = 0; e < set.count; ++e) {
        auto egg = std::make_unique<CEgg>();
        const int pup = CStatePlay::WeightedChoice(set.pupWeights, kPowerUpKinds);
        const int dir = CStatePlay::WeightedChoice(set.dirWeights, kEggDirections);
        int tries = 0;
        do {
            egg->Init(set.minLife + lifeShift, set.maxLife + lifeShift, set.x.lo, set.x.hi, set.y.lo, set.y.hi, pup,
                      dir);
        } while (NearStart(egg->x, egg->y, clearance) && ++tries < kPlacementTries);
        if (tries == kPlacementTries)
            std::fprintf(stderr, "Level %d, %s: no egg place clear of the start point\n", play.level,
                         set.section.c_str());
        play.eggs.push_back(std::move(egg));
    }
}

void CLevelBuilder::PlaceToys(const SToySet& set, int clearance, const std::string& file)
{
    if (set.type < 0) {
        std::fprintf(stderr, "%s: [%s] unknown toy type \"%s\"; set skipped\n", file.c_str(), set.section.c_str(),
                     set.typeName.c_str());
        return;
    }
    for (int t = 0; t < set.count; ++t) {
        auto toy = std::make_unique<CToy>();
        int tries = 0;
        do {
            toy->Init(set.x.lo, set.x.hi, set.y.lo, set.y.hi, set.type);
        } while ((NearStart(toy->x, toy->y, clearance) || NearEgg(toy->x, toy->y, clearance)) &&
                 ++tries < kPlacementTries);
        if (tries == kPlacementTries)
            std::fprintf(stderr, "Level %d, %s: no toy place clear of the start point and eggs\n", play.level,
                         set.section.c_str());
        play.toys.push_back(std::move(toy));
    }
}

void CLevelBuilder::SetUpBoss(const SArena& arena, const std::string& file)
{
    const SBossPlace place = ReadBossPlace(arena, file);
    g_audio.SelectTrack(BossMusicTrack(place.type));
    if (place.type < 0) {
        if (!place.typeName.empty())
            std::fprintf(stderr, "%s: [boss] unknown boss type \"%s\"; the level has no boss\n", file.c_str(),
                         place.typeName.c_str());
        return;
    }
    const SAxisRange& xr = place.x;
    const SAxisRange& yr = place.y;
    // No swap here: a reversed range draws from its first bound on, and
    // yk-lint reports such a level (SBossPlace::Problem).
    const int x = xr.hi == xr.lo ? xr.lo : xr.lo + std::rand() % (xr.hi - xr.lo);
    const int y = yr.hi == yr.lo ? yr.lo : yr.lo + std::rand() % (yr.hi - yr.lo);
    play.boss.Init(x, y, place.type);
    play.boss.LoadTunables(file);
}
