#include "testkit/SampleScene.h"

#include <allegro.h>

#include <algorithm>
#include <cstring>
#include <cstdlib>
#include <memory>

#include "app/TickTimer.h"
#include "creatures/TickView.h"
#include "play/StatePlay.h"
#include "play/Tunables.h"

namespace {

// Every cell is live but the four corners, which no split can reach.
bool GridFull(const CEndBoss& mass)
{
    constexpr int lastRow = CEndBoss::kRows - 1, lastCol = CEndBoss::kCols - 1;
    for (int row = 0; row <= lastRow; ++row)
        for (int col = 0; col <= lastCol; ++col) {
            const bool corner = (row == 0 || row == lastRow) && (col == 0 || col == lastCol);
            if (mass.cells[row][col] == 0 && !corner)
                return false;
        }
    return true;
}

// The arena of the game's own art: lanterns 64 wide, corners 170 x 125.
constexpr int kLeft = 202, kTop = 157, kRight = 822, kBottom = 611; // pixels
constexpr int kWidth = kRight - kLeft, kHeight = kBottom - kTop;

// The campaign's standard values (data-src/states/base.yks), with wind, a
// stronger magnet and a target never reached while measured, in the state
// file format and read through the game's table of tunables.
constexpr const char* kSceneTunables =
    "[timing]\n"
    "cvar_hSecLaserPulse=45\n"
    "cvar_hSecBeforeLevelMoveOn=250\n"
    "cvar_hSecBeforeLevelStart=200\n"
    "cvar_hSecBeforeLevelStartSayGo=100\n"
    "cvar_hSecEggMinLife=1200\n"
    "cvar_hSecEggMaxLife=2500\n"
    "cvar_crackWarningTime=200\n"
    "[setup]\n"
    "cvar_eggEdgeMargin=40\n"
    "cvar_playerNormalizedStartX=0.5\n"
    "cvar_playerNormalizedStartY=0.5\n"
    "[action]\n"
    "cvar_crackRadius=30\n"
    "cvar_movePowerArrow=4\n"
    "cvar_movePowerDropoff=0.6\n"
    "cvar_kickAwayPerc=0.5\n"
    "cvar_windXPower=0.3\n" // the lungs' wind
    "cvar_windYPower=0.2\n"
    "cvar_windXInterval=1100\n"
    "cvar_windYInterval=1700\n"
    "cvar_toyTCellBounce=0.97\n"
    "[alien]\n"
    "cvar_friendlyOdds=70\n"
    "cvar_alienEdgeInfect=150\n"
    "cvar_alienMoveSpeed=0.6\n"
    "cvar_alienTransverseSpeed=0.03\n"
    "cvar_alienTransverseHSec=120\n"
    "[visuals]\n"
    "cvar_laserDropoffIntensity=200\n"
    "cvar_crackWarningDist=3\n"
    "cvar_crackSolidShowTime=40\n"
    "cvar_crackFlickerShowTime=90\n"
    "[pup_overall]\n"
    "cvar_pupSolidShowTime=200\n"
    "cvar_pupFlickerShowTime=300\n"
    "cvar_pup_plainegg_freq=1\n"
    "[goals]\n"
    "cvar_pointsToWin=9999\n" // never won while measured
    "[pup_magnetic]\n"
    "cvar_pup_magnetic_pullOnEggs=0.012\n"
    "cvar_pup_magnetic_pullOnParasites=0.012\n"
    "[pup_mushroom]\n"
    "cvar_pup_mushroom_laserWidthNormal=0.15\n"
    "cvar_pup_mushroom_laserWidthSuper=0.4\n"
    "[pup_speedup]\n"
    "cvar_pup_speedup_movePowerMult=2\n"
    "[pup_freeze]\n"
    "cvar_pup_freeze_time=500\n"
    "[pup_precise]\n"
    "cvar_pup_precise_movePowerMult=1\n"
    "[pup_detonate]\n"
    "cvar_pup_det_range=140\n"
    "cvar_pup_det_damageToBoss=25\n"
    "cvar_pup_det_flashtime=60\n";

void SetTunables(CStatePlay& p)
{
    for (const STunable& t : PlayTunables())
        t.Set(p, 0);
    push_config_state();
    set_config_data(kSceneTunables, static_cast<int>(std::strlen(kSceneTunables)));
    ReadTunables(PlayTunables(), p, "the sample scene");
    pop_config_state();
}

void SetCounters(CStatePlay& p, const SSceneRecipe& r, int now)
{
    p.numPlayers = r.players;
    p.gameMode = kModeNormal;
    p.level = r.busy ? kLevelCount : 3;
    p.runTotal = 1234;
    p.levelPoints = 500;
    p.arenaLeft = kLeft;
    p.arenaTop = kTop;
    p.arenaRight = kRight;
    p.arenaBottom = kBottom;
    p.levelEndAt = 0;
    p.levelStartAt = r.busy ? now + 50 : 0; // "Ready?" and "Go!" both show
    p.windX = 0.1f;
    p.windY = -0.05f;
    p.nextWindXFlip = now + 200;
    p.nextWindYFlip = now + 300;
    p.pausedAt = 0;
    p.laserOn = true;
    p.leaveToTitle = false;
    p.goSounded = false;
    p.freezeUntil = r.busy ? now + 2 * p.cvar_pup_freeze_time - 50 : 0; // "2x" on the clock
}

void PlacePlayers(CStatePlay& p, const SSceneRecipe& r, int now)
{
    const int startX[kMaxPlayers] = {430, 640}, startY[kMaxPlayers] = {300, 470};
    for (int i = 0; i < kMaxPlayers; ++i) {
        p.playerX[i] = startX[i];
        p.playerY[i] = startY[i];
        p.playerFX[i] = static_cast<float>(startX[i]) + 0.25f;
        p.playerFY[i] = static_cast<float>(startY[i]) + 0.5f;
        p.playerVX[i] = p.playerVY[i] = 0;
        p.eggsSmashed[i] = 12 + 5 * i;
        p.aliensKilled[i] = 7 + 3 * i;
        p.flashUntil[i] = 0;
        p.playerPowerFlags[i] = 0;
        for (int j = 0; j < kTrailPoints; ++j)
            p.trailX[j][i] = p.trailY[j][i] = -50.0f;
        p.laserA[i] = p.laserB[i] = p.laserC[i] = p.laserD[i] = 0;
        p.laserAFrac[i] = p.laserBFrac[i] = p.laserCFrac[i] = p.laserDFrac[i] = 0;
    }
    if (!r.busy)
        return;
    const int flags[kMaxPlayers] = {(1 << kPupTrail) | (1 << kPupMagnetic) | (1 << kPupMushroom),
                                    (1 << kPupTrail) | (1 << kPupSpeedup)};
    for (int i = 0; i < r.players; ++i) {
        p.playerPowerFlags[i] = flags[i];
        for (int j = 0; j < kTrailPoints; ++j) {
            p.trailX[j][i] = static_cast<float>(startX[i] - 14 * j);
            p.trailY[j][i] = static_cast<float>(startY[i] + 9 * j);
        }
        // Every wall fires at once: all twelve rectangles of the beams.
        p.laserA[i] = p.laserB[i] = p.laserC[i] = p.laserD[i] = now + 20;
        p.laserAFrac[i] = p.laserBFrac[i] = p.laserCFrac[i] = p.laserDFrac[i] = 0.5f;
    }
}

// One egg of every state in each run of ten.
void PlaceEggs(CStatePlay& p, int count, int now)
{
    for (int i = 0; i < count; ++i) {
        auto egg = std::make_unique<CEgg>();
        egg->x = kLeft + (i * 137) % kWidth;
        egg->y = kTop + (i * 89) % kHeight;
        egg->goDirection = i % 5;
        const int powerUp = 1 + (i / 10) % 8;
        switch (i % 10) {
        case 4: egg->time = now + 50; break; // trembles
        case 5: egg->kind = powerUp; egg->time = now + 3000; break;
        case 6: egg->kind = powerUp; egg->time = now + 30; break;
        case 7: egg->cracked = true; egg->time = now - 20; break; // open shell, solid
        case 8: egg->kind = powerUp; egg->cracked = true; egg->time = now + 100; break;
        case 9: egg->kind = kPupEmptyShell; egg->cracked = true; egg->time = now - 10; break;
        default: egg->time = now + 2000 + 7 * i; break;
        }
        p.eggs.push_back(std::move(egg));
    }
    std::stable_sort(p.eggs.begin(), p.eggs.end(), [](const auto& a, const auto& b) { return a->y < b->y; });
}

void PlaceAliens(CStatePlay& p, int count, int now)
{
    for (int i = 0; i < count; ++i) {
        auto alien = std::make_unique<CAlien>();
        alien->kind = i % 5;
        alien->x = kLeft + (i * 53) % kWidth;
        alien->y = kTop + (i * 71) % kHeight;
        alien->fx = static_cast<float>(alien->x);
        alien->fy = static_cast<float>(alien->y);
        alien->side = i & 1;
        alien->drift = 0.1f * static_cast<float>(i % 3);
        alien->sideTime = now + 50 + i;
        alien->animTime = now + 10 + i % 20;
        alien->frame = i % 4;
        p.aliens.push_back(std::move(alien));
    }
}

void PlaceToys(CStatePlay& p, int count)
{
    for (int i = 0; i < count; ++i) {
        auto toy = std::make_unique<CToy>();
        toy->type = i % 9;
        toy->x = kLeft + 20 + (i * 113) % (kWidth - 40);
        toy->y = kTop + 20 + (i * 67) % (kHeight - 40);
        toy->fx = static_cast<float>(toy->x);
        toy->fy = static_cast<float>(toy->y);
        if (toy->type == kToyFire)
            toy->vx = toy->vy = 3;
        p.toys.push_back(std::move(toy));
    }
}

// Cells of the slow front at the moment the border was reached flicker
// again over the full grid: more flicker than a full grid ever shows, since
// each split leaves a spent cell behind and only the front waits.
void KeepFrontFlickering(CEndBoss& mass, int32_t now, const CEndBoss& front, int32_t frontNow)
{
    for (int row = 0; row < CEndBoss::kRows; ++row)
        for (int col = 0; col < CEndBoss::kCols; ++col) {
            const int32_t cell = front.cells[row][col];
            if (cell > 0 && cell - frontNow > front.hsecPreSplitWarning)
                mass.cells[row][col] = cell + (now - frontNow);
        }
}

// The stem-cell mass grown by its own rules from its seed, untouched, until
// it has reached its border and then filled the grid: spent cells inside,
// fast-growing ones outside, with the front of the moment it reached the
// border flickering. Grown once; its timers are moved to the scene's clock.
CEndBoss GrowMass()
{
    constexpr int kStart = 1000;    // hundredths: timers never meet the value 35
    constexpr int kMaxTicks = 20000;
    CEndBoss mass;
    mass.hsecPreSplitWarning = 25; // level 35's
    mass.hsecBetweenSplitMin = 30;
    mass.hsecBetweenSplitMax = 80;
    mass.cells[CEndBoss::kRows / 2][CEndBoss::kCols / 2] = kStart + mass.hsecBetweenSplitMin;
    std::srand(kSceneSeed);
    STickView nobody; // no players, no toys, no points
    nobody.numPlayers = 0;
    int32_t now = kStart;
    CEndBoss front;       // as the border was reached
    int32_t frontNow = 0; // hundredths, then
    for (int tick = 1; tick <= kMaxTicks && !GridFull(mass); ++tick) {
        now = kStart + tick * 100 / CTickTimer::kTicksPerSecond;
        CTickTimer::SetNow(now);
        mass.Update(nobody);
        mass.IsEmpty(); // notices the border
        if (mass.reachedBorder && frontNow == 0) {
            front = mass;
            frontNow = now;
        }
    }
    KeepFrontFlickering(mass, now, front, frontNow);
    for (auto& row : mass.cells)
        for (int32_t& cell : row)
            if (cell > 0 && cell != CEndBoss::kEverRipe)
                cell += kSceneNow - now;
    return mass;
}

void GrowStemCells(CBoss& boss)
{
    static const CEndBoss s_grown = GrowMass();
    boss.endBoss = s_grown;
}

} // namespace

void BuildScene(CStatePlay& play, const SSceneRecipe& recipe)
{
    play.ClearAll();
    if (recipe.busy)
        GrowStemCells(play.boss); // the first time, under a clock of its own
    CTickTimer::SetNow(kSceneNow);
    std::srand(kSceneSeed);
    const int now = kSceneNow;
    if (recipe.busy)
        play.boss.Init(512, 392, kBossStemCell);
    SetTunables(play);
    SetCounters(play, recipe, now);
    PlacePlayers(play, recipe, now);
    PlaceEggs(play, recipe.eggs, now);
    PlaceAliens(play, recipe.aliens, now);
    PlaceToys(play, recipe.toys);
    std::srand(kSceneSeed);
}
