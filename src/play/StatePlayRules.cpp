// One logic tick of play: input, wind, power-ups, creatures, pucks (their
// motion is CPuckPhysics's).
#include <allegro.h>

#include <algorithm>
#include <cstdlib>

#include "app/Display.h"
#include "app/GameApp.h"
#include "app/Settings.h"
#include "app/TickTimer.h"
#include "audio/Audio.h"
#include "frontend/StateIntro.h"
#include "input/Controls.h"
#include "play/PuckPhysics.h"
#include "play/StatePlay.h"

namespace {

constexpr int kPauseStepBack = 10; // hundredths the clock is held behind the pause

// The key rows of each player's four pulses (the arrows and W/A/S/D unless rebound).
struct SMoveKeys {
    const char *right, *left, *up, *down;
};
constexpr SMoveKeys kPlayer1 = {"player1right", "player1left", "player1up", "player1down"};
constexpr SMoveKeys kPlayer2 = {"player2right", "player2left", "player2up", "player2down"};

bool Within(int a, int b, int r) { return std::abs(a - b) < r; }

} // namespace

STickView CStatePlay::MakeTickView()
{
    STickView v;
    v.playerX = playerX;
    v.playerY = playerY;
    v.playerFX = playerFX;
    v.playerFY = playerFY;
    v.playerVX = playerVX;
    v.playerVY = playerVY;
    v.reach = reach;
    v.playerPowerFlags = playerPowerFlags;
    v.laserA = laserA;
    v.laserB = laserB;
    v.laserC = laserC;
    v.laserD = laserD;
    v.levelPoints = &levelPoints;
    v.eggsSmashed = eggsSmashed;
    v.aliensKilled = aliensKilled;
    v.trailX = trailX;
    v.trailY = trailY;
    v.toys = &toys;
    v.eggs = &eggs;
    v.numPlayers = numPlayers;
    v.windX = windX;
    v.windY = windY;
    v.crackRadius = cvar_crackRadius;
    v.tCellBounce = cvar_toyTCellBounce;
    v.pupFlickerShowTime = cvar_pupFlickerShowTime;
    v.pullOnEggs = cvar_pup_magnetic_pullOnEggs;
    v.pullOnParasites = cvar_pup_magnetic_pullOnParasites;
    v.moveSpeed = cvar_alienMoveSpeed;
    v.transverseSpeed = cvar_alienTransverseSpeed;
    v.transverseHSec = cvar_alienTransverseHSec;
    v.edgeInfect = cvar_alienEdgeInfect;
    v.freezeUntil = freezeUntil;
    v.arenaLeft = arenaLeft;
    v.arenaTop = arenaTop;
    v.arenaRight = arenaRight;
    v.arenaBottom = arenaBottom;
    v.eggMinLife = cvar_hSecEggMinLife;
    v.eggMaxLife = cvar_hSecEggMaxLife;
    return v;
}

int CStatePlay::Kick() const { return CPuckPhysics::Kick(*this); }

void CStatePlay::HandleInput(CGameApp& app)
{
    g_controls.Poll();
    if (leaveToTitle)
        app.ChangeState(CStateIntro::Instance());
    // A pad's Back is the back key, Y is restart and Start is pause.
    if (g_controls.Bound("back", kInputReleased) || g_controls.AnyPad(kPadBack, kInputReleased)) {
        g_audio.PlaySound("ANVIL_SFX");
        app.ChangeState(CStatePlay::Instance());
        // The level-select screen has run and set the chosen level up; the
        // keys read before it are stale (its Space would set it up again).
        return;
    }
    if (g_controls.Bound("restart", kInputPressed) || g_controls.AnyPad(kPadY, kInputPressed)) {
        g_audio.PlaySound("ANVIL_SFX");
        SetUpLevel();
    }
    const int now = CTickTimer::Now();
    if (g_controls.Bound("pause", kInputPressed) || g_controls.AnyPad(kPadStart, kInputPressed))
        pausedAt = pausedAt == 0 ? now - kPauseStepBack : 0;
    // Play the player cannot see is paused as the pause key pauses it, and
    // stays so until that key: the title and the menus play on regardless.
    if (g_controls.TakeFocusLost() && pausedAt == 0 && g_settings.Switch("pauseonfocusloss"))
        pausedAt = now - kPauseStepBack;
    if (pausedAt != 0) {
        CTickTimer::SetNow(pausedAt);
        return;
    }
    if (levelPoints < 0)
        return;

    bool anyPrecise = false;
    for (int p = 0; p < numPlayers && p < kMaxPlayers; ++p)
        anyPrecise = anyPrecise || HasPower(playerPowerFlags[p], kPupPrecise);
    const int pulseLen = anyPrecise ? cvar_hSecLaserPulse >> 1 : cvar_hSecLaserPulse;
    const int keyState = anyPrecise ? kInputHeld : kInputPressed;
    if (levelStartAt - now >= cvar_hSecBeforeLevelStartSayGo)
        return; // no steering before "Go!"

    int first = 0;
    if (gameMode == kModeCrossfire) {
        HandleCrossfireMouse(Kick());
        first = 1;
    } else if (gameMode == kModeLaserZap) {
        HandleLaserZapMouse(Kick());
        first = 1;
    }
    if (gameMode >= kModeNormal && gameMode <= kModeWaves)
        HandleMovementKeys(first, pulseLen, keyState);
}

void CStatePlay::HandleCrossfireMouse(int kick)
{
    // The pointer repels player 1's puck; a held button switches one pair off.
    const int now = CTickTimer::Now();
    const int maxRepel = (kick >> 1) * 2;
    const ScreenFit::SPoint pointer = g_display.Pointer();
    const int mx = pointer.x, my = pointer.y;
    const int dx = std::min(std::abs(static_cast<int>(playerFX[0]) - mx) >> 2, maxRepel);
    const int dy = std::min(std::abs(static_cast<int>(playerFY[0]) - my) >> 2, maxRepel);
    if (!g_controls.Mouse(0, kInputPressed)) {
        if (mx < playerFX[0])
            laserA[0] = now + dx;
        if (playerFY[0] < my)
            laserD[0] = now + dy;
        laserOn = true;
    }
    if (!g_controls.Mouse(2, kInputPressed)) {
        if (playerFX[0] < mx)
            laserC[0] = now + dx;
        if (my < playerFY[0])
            laserB[0] = now + dy;
        laserOn = true;
    }
    playerX[0] = static_cast<int>(playerFX[0]);
    playerY[0] = static_cast<int>(playerFY[0]);
}

void CStatePlay::HandleLaserZapMouse(int kick)
{
    const int now = CTickTimer::Now();
    if (g_controls.Mouse(0, kInputPressed)) {
        g_audio.PlaySound("BEEP_SFX");
        laserA[0] = laserB[0] = laserC[0] = laserD[0] = now + (kick >> 1);
        laserOn = true;
    } else {
        laserOn = false;
    }
    const ScreenFit::SPoint pointer = g_display.Pointer();
    playerFX[0] = static_cast<float>((pointer.x + 2 * playerFX[0]) / 3.0);
    playerFY[0] = static_cast<float>((pointer.y + 2 * playerFY[0]) / 3.0);
    playerX[0] = static_cast<int>(playerFX[0]);
    playerY[0] = static_cast<int>(playerFY[0]);
}

void CStatePlay::HandleMovementKeys(int first, int pulseLen, int keyState)
{
    const int end = CTickTimer::Now() + pulseLen;
    // Right, left, up, down fire from the walls A, C, D and B.
    auto fire = [&](int i, bool right, bool left, bool up, bool down) {
        if (right)
            laserA[i] = end;
        if (left)
            laserC[i] = end;
        if (up)
            laserD[i] = end;
        if (down)
            laserB[i] = end;
    };
    auto steer = [&](const SMoveKeys& keys, int i) {
        fire(i, g_controls.Bound(keys.right, keyState), g_controls.Bound(keys.left, keyState),
             g_controls.Bound(keys.up, keyState), g_controls.Bound(keys.down, keyState));
    };
    steer(kPlayer1, first);
    steer(kPlayer2, numPlayers > 1 ? 1 : first);
    // The first pad steers as player 1's keys do, the second as player 2's;
    // in a one-player game any pad steers player 1.
    for (int seat = 0; seat < kPadSeats; ++seat)
        fire(seat == 0 || numPlayers <= 1 ? first : 1, g_controls.Pad(seat, kPadRight, keyState),
             g_controls.Pad(seat, kPadLeft, keyState), g_controls.Pad(seat, kPadUp, keyState),
             g_controls.Pad(seat, kPadDown, keyState));
}

void CStatePlay::Update(CGameApp& app)
{
    if (pausedAt != 0)
        return;
    UpdateWind();
    for (int p = 0; p < numPlayers && p < kMaxPlayers; ++p)
        ApplyPowerUps(p);
    if (freezeUntil > 0 && freezeUntil < CTickTimer::Now())
        freezeUntil = 0;
    for (int p = 0; p < kMaxPlayers; ++p)
        reach[p] = (p == 0 && !laserOn) ? -1 : cvar_crackRadius * (HasPower(playerPowerFlags[p], kPupMushroom) ? 2 : 1);

    STickView view = MakeTickView();
    UpdateCreatures(view);
    boss.Update(view);
    CPuckPhysics physics(*this);
    for (int p = 0; p < numPlayers && p < kMaxPlayers; ++p)
        physics.Move(p);
    EndOfLevel(app);
}

void CStatePlay::UpdateWind()
{
    // Grows linearly over each interval, then the tunable itself flips sign.
    const int now = CTickTimer::Now();
    auto axis = [now](int& nextFlip, int interval, float& power) -> float {
        if (interval <= 0)
            return 0.0f;
        if (nextFlip < now) {
            nextFlip = now + interval;
            power = -power;
        }
        return (1.0f - static_cast<float>(nextFlip - now) / static_cast<float>(interval)) * power;
    };
    windX = axis(nextWindXFlip, cvar_windXInterval, cvar_windXPower);
    windY = axis(nextWindYFlip, cvar_windYInterval, cvar_windYPower);
}

void CStatePlay::PowerReference(int p, int& x, int& y) const
{
    if (p == 0 && gameMode == kModeLaserZap) {
        x = g_display.PointerX();
        y = g_display.PointerY();
    } else {
        x = playerX[p];
        y = playerY[p];
    }
}

void CStatePlay::ApplyPowerUps(int p)
{
    const int now = CTickTimer::Now();
    int& flags = playerPowerFlags[p];
    if (HasPower(flags, kPupFreeze)) {
        flags &= ~(1 << kPupFreeze);
        if (cvar_pup_freeze_time > 0) { // a level without a freeze time has no freeze
            for (auto& egg : eggs)
                if (!egg->IsCracked())
                    egg->time += cvar_pup_freeze_time;
            freezeUntil = freezeUntil == 0 ? now + cvar_pup_freeze_time : freezeUntil + cvar_pup_freeze_time;
        }
    }
    int rx = 0, ry = 0;
    PowerReference(p, rx, ry);
    if (HasPower(flags, kPupTrail)) {
        if (std::abs(static_cast<int>(trailX[0][p]) - rx) > cvar_crackRadius ||
            std::abs(static_cast<int>(trailY[0][p]) - ry) > cvar_crackRadius) {
            for (int j = kTrailPoints - 1; j > 0; --j) {
                trailX[j][p] = trailX[j - 1][p];
                trailY[j][p] = trailY[j - 1][p];
            }
            trailX[0][p] = static_cast<float>(rx);
            trailY[0][p] = static_cast<float>(ry);
        }
    }
    if (HasPower(flags, kPupDetonate)) {
        flags &= ~(1 << kPupDetonate);
        Detonate(p, rx, ry);
    }
}

void CStatePlay::Detonate(int p, int cx, int cy)
{
    g_audio.PlaySound("CRASH_SFX");
    flashUntil[p] = CTickTimer::Now() + cvar_pup_det_flashtime;
    const int range = cvar_pup_det_range;
    for (auto& egg : eggs) {
        // An egg already removed this tick is not counted twice.
        if (egg->IsCracked() || egg->IsRemoved() || !Within(egg->x, cx, range) || !Within(egg->y, cy, range))
            continue;
        egg->Remove();
        levelPoints += 2;
        ++eggsSmashed[p];
    }
    for (auto& alien : aliens) {
        if (alien->IsDead() || !Within(alien->x, cx, range) || !Within(alien->y, cy, range))
            continue;
        alien->Kill();
        levelPoints += 1;
        ++aliensKilled[p];
    }
    if (boss.IsDead())
        return;
    if (boss.type == kBossStemCell) {
        boss.DetonateAt(cx, cy, range);
    } else if (Within(boss.x, cx, range) && Within(boss.y, cy, range)) {
        levelPoints += 1;
        boss.health -= cvar_pup_det_damageToBoss;
    }
}

void CStatePlay::UpdateCreatures(const STickView& view)
{
    for (auto& toy : toys)
        if (!toy->IsInactive())
            toy->Update(view);
    // A hatched egg gives a parasite; its kind follows the egg's heading.
    static const int kKindOfResult[] = {-1, -1, 2, 0, 3, 1, 4};
    for (auto& egg : eggs) {
        const int r = egg->Update(view);
        if (!CEgg::Hatched(r))
            continue;
        auto alien = std::make_unique<CAlien>();
        alien->Birth(egg->x, egg->y, cvar_alienTransverseHSec, cvar_friendlyOdds);
        if (r != CEgg::kHatchedFree)
            alien->kind = kKindOfResult[r];
        aliens.push_back(std::move(alien));
    }
    for (auto& alien : aliens) {
        const int r = alien->Update(view);
        if (CAlien::Infected(r))
            g_audio.PlaySound("BEEP_SFX");
    }
    std::erase_if(aliens, [](const auto& a) { return a->IsDead(); });
    std::erase_if(eggs, [](const auto& e) { return e->IsRemoved(); });
}
