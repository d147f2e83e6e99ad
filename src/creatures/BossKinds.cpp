// What each moving boss kind does inside the frame of CBoss::Update: its
// hook before thinking, its think step and its steering step.
#include <cstdlib>
#include <memory>

#include "app/Display.h"
#include "app/Random.h"
#include "app/TickTimer.h"
#include "creatures/Boss.h"
#include "creatures/Egg.h"
#include "creatures/TickView.h"
#include "creatures/Toy.h"

namespace {

constexpr int kHalfW = kScreenW >> 1;
constexpr int kHalfH = kScreenH >> 1;

// Angle units.
constexpr int kUp = -64;
constexpr int kRight = 0;
constexpr int kDown = 64;
constexpr int kLeft = 128;
constexpr int kHalfTurn = 128;

// Egg layer: the patrol legs along the margins, by state.
struct SPatrolLeg {
    int angle; // angle units
    int next;  // state once past the leg's margin
};
constexpr SPatrolLeg kPatrol[4] = {{kUp, 2}, {kRight, 3}, {kDown, 0}, {kLeft, 1}};
constexpr int kMadTurnOdds = 3; // in 30 per tick

// Gobbler.
constexpr int kGobblerIgnoresPlayersBelow = 55; // health
constexpr int kFarAway = 100000;                // pixels: any food is nearer
constexpr int kFoodHealth = 25;

// Fireball boss.
constexpr int kCatchHealth = 3;
constexpr int kMinFires = 2;
constexpr double kFireballRestartSpeed = 0.2; // pixels per tick
constexpr double kFireballAcceleration = 0.5; // pixels per tick, per tick

// Chaser: the jump gives up searching after this many draws and keeps the last.
constexpr int kMaxJumpDraws = 100;

// Blower: wind factors by state; positive sucks toward the boss, negative blows away.
struct SWind {
    double players;
    double dust;
};
constexpr SWind kWind[4] = {{-0.005, -0.02}, {0.005, 0.02}, {-0.01, -0.05}, {0.01, 0.05}};

} // namespace

// ---- shared steering helpers -------------------------------------------

// fixatan2 works on 16.16 values, so distances are scaled down (keeping
// their ratio) until they fit; the far-away target of the gobbler does not.
int CBoss::AimAt(const STarget& target) const
{
    long long dx = static_cast<long long>(target.x) - x, dy = static_cast<long long>(target.y) - y;
    while (std::llabs(dx) > 32767 || std::llabs(dy) > 32767) {
        dx /= 2;
        dy /= 2;
    }
    return fixtoi(fixatan2(itofix(static_cast<int>(dy)), itofix(static_cast<int>(dx))));
}

// Angles compare as plain numbers: no wrapping at a half turn.
bool CBoss::TurnToward(int angle)
{
    if (heading < angle - turnSpeed || heading > angle + turnSpeed) {
        speed = 0;
        if (heading > angle)
            heading -= turnSpeed;
        else
            heading += turnSpeed;
        return false;
    }
    heading = angle;
    return true;
}

// ---- egg layer ---------------------------------------------------------

void CBoss::SteerEggLayer(const STickView& view)
{
    LayEgg(view);
    const int e = view.edgeInfect;
    if (state == kStateMad) {
        RunAboutMad(e);
        return;
    }
    if (state < 0 || state > 3 || !TurnToward(kPatrol[state].angle))
        return;
    speed = walkSpeed;
    const bool pastMargin = state == 0   ? fy < 4 * e
                            : state == 1 ? fx > kScreenW - 4 * e
                            : state == 2 ? fy > kScreenH - 4 * e
                                         : fx < 4 * e;
    if (pastMargin)
        state = kPatrol[state].next;
}

// Lays behind itself and thinks again on the next tick.
void CBoss::LayEgg(const STickView& view)
{
    if (std::rand() % 100 >= attackFreq)
        return;
    const fix back = heading + kHalfTurn;
    const int ex = fixtoi((fix(x + size) + static_cast<float>(size) * cos(back)).v);
    const int ey = fixtoi((fix(y + size) + static_cast<float>(size) * sin(back)).v);
    auto egg = std::make_unique<CEgg>();
    egg->Init(view.eggMinLife, view.eggMaxLife, ex, ex, ey, ey, 0, 0);
    if (view.eggs)
        view.eggs->push_back(std::move(egg));
    nextThink = 0;
}

void CBoss::RunAboutMad(int e)
{
    speed = runSpeed;
    if (std::rand() % 30 < kMadTurnOdds) {
        // Point inward from the quadrant the boss is in.
        if (x > kHalfW && y > kHalfH)
            heading = -32 - std::rand() % 96;
        else if (x > kHalfW)
            heading = 32 + std::rand() % 96;
        else if (y > kHalfH)
            heading = 32 - std::rand() % 96;
        else
            heading = -32 + std::rand() % 96;
    }
    if (fy < 4 * e)
        state = 2;
    if (fx > kScreenW - 4 * e)
        state = 3;
    if (fy > kScreenH - 4 * e)
        state = 0;
    if (fx < 4 * e)
        state = 1;
}

// ---- T-cell king -------------------------------------------------------

// Rushes while invincible.
void CBoss::SteerTCellKing(const STarget& target)
{
    heading = AimAt(target);
    speed = hurtUntil < CTickTimer::Now() ? walkSpeed : runSpeed;
}

// ---- gobbler -----------------------------------------------------------

void CBoss::FeedGobbler(const STickView& view, STarget& target)
{
    if (health < kGobblerIgnoresPlayersBelow)
        target = {kFarAway, kFarAway};
    int food = 0;
    if (view.toys) {
        for (auto& toy : *view.toys) {
            if (toy->type != kToyFood || toy->IsInactive())
                continue;
            ++food;
            if (IsNear(toy->x, toy->y, view.crackRadius)) {
                toy->Deactivate();
                Heal(kFoodHealth);
            } else if (std::abs(toy->x - x) < std::abs(target.x - x) && std::abs(toy->y - y) < std::abs(target.y - y)) {
                target = {toy->x, toy->y};
            }
        }
    }
    // With nothing left to eat it is fed in full every tick.
    if (food == 0) {
        health = kStartHealth;
        state = 1;
    }
}

void CBoss::SteerGobbler(const STarget& target)
{
    if (!TurnToward(AimAt(target)))
        return;
    if (state == 0)
        speed = walkSpeed;
    else if (state == 1)
        speed = runSpeed;
}

// ---- fireball boss -----------------------------------------------------

// Catches fires that fly into it and throws them again; keeps at least two
// fires in play by turning any inactive toy into one.
void CBoss::CatchFires(const STickView& view)
{
    if (!view.toys)
        return;
    int fires = 0;
    for (auto& toy : *view.toys) {
        if (toy->type != kToyFire || toy->IsInactive())
            continue;
        ++fires;
        if (IsApproaching(toy->x, toy->y, toy->vx, toy->vy) && IsNear(toy->x, toy->y, view.crackRadius)) {
            Heal(kCatchHealth);
            toy->Init(x, x, y, y, kToyFire);
        }
    }
    if (fires >= kMinFires)
        return;
    for (auto& toy : *view.toys)
        if (toy->IsInactive())
            toy->Init(x, x, y, y, kToyFire);
}

void CBoss::SteerFireball(int e)
{
    if (state == 0) {
        heading = kLeft;
        if (fx < 2 * e) {
            state = 1;
            speed = kFireballRestartSpeed;
        }
    } else if (state == 1) {
        heading = kRight;
        if (fx > kScreenW - 2 * e) {
            state = 0;
            speed = kFireballRestartSpeed;
        }
    }
    if (fy < 2 * e)
        sweepDir = 1;
    if (fy > kScreenH - 2 * e)
        sweepDir = -1;
    if (hurtUntil > CTickTimer::Now()) {
        if (state == 0)
            heading = sweepDir < 0 ? -10 : 10;
        else if (state == 1)
            heading = sweepDir < 0 ? 138 : 118;
    } else {
        speed += kFireballAcceleration;
    }
}

// ---- chaser ------------------------------------------------------------

// Wait -> jump -> take aim -> charge -> wait; after a hurt spin it jumps.
void CBoss::ThinkChaser()
{
    static constexpr int kNext[5] = {2, 0, 3, 1, 3};
    if (state >= 0 && state < 5)
        state = kNext[state];
}

void CBoss::SteerChaser(const STickView& view, const STarget& target)
{
    const int now = CTickTimer::Now();
    switch (state) {
    case 0: // charge
        heading = AimAt(target);
        speed = hurtUntil < now ? walkSpeed : runSpeed;
        break;
    case 1: // take aim
        heading = AimAt(target);
        speed = 0;
        break;
    case kChaserWait:
        speed = 0;
        break;
    case 3:
        JumpAwayFrom(target, view.edgeInfect);
        state = 1;
        break;
    case kStateMad: // hurt spin
        speed = 0;
        heading = -((now * 4) & 255);
        break;
    default:
        break;
    }
}

// Reappears on the half of the arena away from the target, never within
// 4 x size of it on both axes, unless no such place turns up in
// kMaxJumpDraws draws: then the last one stands.
void CBoss::JumpAwayFrom(const STarget& target, int e)
{
    const int minDistance = 4 * size;
    for (int draw = 0; draw < kMaxJumpDraws; ++draw) {
        fx = static_cast<float>(target.x >= kHalfW ? 2 * e + RandomBetween(0, kHalfW - 2 * e)
                                                   : (kScreenW - 2 * e) - RandomBetween(0, kHalfW - 2 * e));
        fy = static_cast<float>(target.y >= kHalfH ? 2 * e + RandomBetween(0, kHalfH - 2 * e)
                                                   : (kScreenH - 2 * e) - RandomBetween(0, kHalfH - 2 * e));
        const bool tooClose = std::abs(target.x - static_cast<int>(fx)) < minDistance &&
                              std::abs(target.y - static_cast<int>(fy)) < minDistance;
        if (!tooClose)
            return;
    }
}

// ---- blower ------------------------------------------------------------

void CBoss::SteerBlower(const STickView& view)
{
    const int e = view.edgeInfect;
    if (fx < 2 * e)
        sweepDir = 1;
    if (fx > kScreenW - 2 * e)
        sweepDir = -1;
    heading = sweepDir < 1 ? kLeft : kRight;
    speed = walkSpeed;
    if (state < 0 || state > 3)
        return; // mad: no wind
    const SWind& wind = kWind[state];
    // In state 0 the dust is handled once per player.
    for (int i = 0; i < view.numPlayers; ++i) {
        BlowPlayer(view, i, wind.players);
        if (state == 0)
            HandleDust(view, wind.dust);
    }
    if (state != 0)
        HandleDust(view, wind.dust);
}

void CBoss::BlowPlayer(const STickView& view, int player, double k) const
{
    view.playerFX[player] += (fx - view.playerFX[player]) * k;
    view.playerFY[player] += (fy - view.playerFY[player]) * k;
}

// Dust flying into it is swallowed and reappears somewhere in the arena;
// all other dust rides the wind.
void CBoss::HandleDust(const STickView& view, double k) const
{
    if (!view.toys)
        return;
    const int e = view.edgeInfect;
    for (auto& toy : *view.toys) {
        if (toy->type != kToyDust)
            continue;
        if (IsApproaching(toy->x, toy->y, toy->vx, toy->vy) && IsNear(toy->x, toy->y, view.crackRadius)) {
            toy->Init(2 * e, kScreenW - 2 * e, 2 * e, kScreenH - 2 * e, kToyDust);
        } else {
            toy->fx += (fx - toy->fx) * k;
            toy->fy += (fy - toy->fy) * k;
        }
    }
}
