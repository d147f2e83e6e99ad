#include "creatures/Boss.h"

#include <cstdlib>
#include <strings.h>

#include "app/Display.h"
#include "app/Draw16.h"
#include "app/TickTimer.h"
#include "assets/Asset.h"
#include "audio/Audio.h"
#include "creatures/TickView.h"
#include "creatures/Toy.h"
#include "play/Tunables.h"

namespace {

constexpr const char* kTypeNames[kBossTypeCount] = {"EGGLAY", "TCELLK", "GOBBLE", "FIBALL",
                                                    "CHASER", "BLOWER", "STCELL"};
constexpr int kMusicTracks[kBossTypeCount] = {8, 7, 5, 6, 3, 4, 9};
constexpr int kNoBossTrack = 1;
constexpr const char* kImages[kBossTypeCount] = {"BOSS_EGGLAY_IMG", "BOSS_TCELLK_IMG", "BOSS_GOBBLE_IMG",
                                                 "BOSS_FIBALL_IMG", "BOSS_CHASER_IMG", "BOSS_BLOWER2_IMG",
                                                 nullptr};
constexpr const char* kBlowerCoverImage = "BOSS_BLOWER_IMG";

constexpr int kLostLevelPoints = -1000;
constexpr int kFireballHitPoints = 2;
constexpr double kMagnetShare = 128.0;    // a magnet drags by 1/128 of the distance per tick
constexpr double kEggLayerShove = 0.2;
constexpr double kChaserShove = 0.5;
constexpr int kFlickerBit = 8;            // hundredths on, then as many off, while invincible

bool Within(int a, int b, int r) { return std::abs(a - b) < r; }

} // namespace

int BossTypeFromName(const char* name)
{
    if (!name)
        return -1;
    for (int t = 0; t < kBossTypeCount; ++t)
        if (strcasecmp(name, kTypeNames[t]) == 0)
            return t;
    return -1;
}

int BossMusicTrack(int type)
{
    return type >= 0 && type < kBossTypeCount ? kMusicTracks[type] : kNoBossTrack;
}

void CBoss::Init(int startX, int startY, int bossType)
{
    type = bossType;
    state = type == kBossChaser ? kChaserWait : 0;
    nextThink = CTickTimer::Now() + std::rand() % 100;
    x = startX;
    fx = static_cast<float>(startX);
    y = startY;
    fy = static_cast<float>(startY);
    vx = vy = 0;
    heading = 0;
    speed = 0;
    health = kStartHealth;
    sweepDir = 1;
    hurtUntil = 0;
}

// Each key defaults to the field's current value, so levels inherit what
// the previous load left.
void CBoss::LoadTunables(const std::string& file)
{
    ReadTunables(BossTunables(), *this, file);
    if (type == kBossStemCell)
        endBoss.Load(file);
}

bool CBoss::IsDead()
{
    return type == kBossStemCell ? endBoss.IsEmpty() : health < 1;
}

void CBoss::Clear()
{
    health = 0;
    endBoss.Clear();
}

void CBoss::DetonateAt(int blastX, int blastY, int radius)
{
    if (type == kBossStemCell)
        endBoss.KillCircle(blastX, blastY, radius);
}

void CBoss::Update(const STickView& view)
{
    if (IsDead())
        return;
    if (type == kBossStemCell) {
        endBoss.Update(view);
        return;
    }
    bool trailHit = false;
    STarget target = ApplyPlayerEffects(view, trailHit);
    RunHook(view, target);
    if (nextThink < CTickTimer::Now())
        Think();
    Steer(view, target);
    Move(view);
    for (int i = 0; i < view.numPlayers; ++i)
        HandleContact(view, i, trailHit);
    if (damagePerOtherHarm != 0)
        HarmByTCells(view);
}

// Chooses the target (player 0 unless another is nearer on both axes),
// notes a trail hit and lets magnetic players drag the boss.
CBoss::STarget CBoss::ApplyPlayerEffects(const STickView& view, bool& trailHit)
{
    STarget target{x, y};
    int dx0 = 0, dy0 = 0;
    for (int i = 0; i < view.numPlayers; ++i) {
        const int dx = view.playerX[i] - x, dy = view.playerY[i] - y;
        if (i == 0) {
            target = {view.playerX[i], view.playerY[i]};
            dx0 = dx;
            dy0 = dy;
        } else if (std::abs(dx) < std::abs(dx0) && std::abs(dy) < std::abs(dy0)) {
            target = {view.playerX[i], view.playerY[i]};
        }
        const int powers = view.playerPowerFlags ? view.playerPowerFlags[i] : 0;
        if (HasPower(powers, kPupTrail) && TrailTouches(view, i))
            trailHit = true;
        if (HasPower(powers, kPupMagnetic)) {
            fx += dx / kMagnetShare;
            fy += dy / kMagnetShare;
            if (view.freezeUntil >= 1) {
                x += static_cast<int>(dx / kMagnetShare);
                y += static_cast<int>(dy / kMagnetShare);
            }
        }
    }
    return target;
}

bool CBoss::TrailTouches(const STickView& view, int player) const
{
    if (!view.trailX || !view.trailY)
        return false;
    const int reach = view.crackRadius + size;
    for (int j = 0; j < kTrailPoints; ++j)
        if (Within(static_cast<int>(view.trailX[j][player]), x, reach) &&
            Within(static_cast<int>(view.trailY[j][player]), y, reach))
            return true;
    return false;
}

void CBoss::RunHook(const STickView& view, STarget& target)
{
    if (type == kBossGobbler)
        FeedGobbler(view, target);
    else if (type == kBossFireball)
        CatchFires(view);
}

void CBoss::Think()
{
    switch (type) {
    case kBossEggLayer:
        state = std::rand() % 4;
        break;
    case kBossTCellKing:
        return; // never thinks
    case kBossGobbler:
        std::rand(); // drawn and unused, which keeps the shared random stream in step
        state = 0;
        health -= 3;
        break;
    case kBossFireball:
        state = std::rand() % 2;
        break;
    case kBossChaser:
        ThinkChaser();
        break;
    case kBossBlower:
        state = std::rand() % 4;
        health -= 5;
        break;
    default:
        return;
    }
    nextThink = CTickTimer::Now() + hsecBetweenThinking;
}

void CBoss::Steer(const STickView& view, const STarget& target)
{
    switch (type) {
    case kBossEggLayer: SteerEggLayer(view); break;
    case kBossTCellKing: SteerTCellKing(target); break;
    case kBossGobbler: SteerGobbler(target); break;
    case kBossFireball: SteerFireball(view.edgeInfect); break;
    case kBossChaser: SteerChaser(view, target); break;
    case kBossBlower: SteerBlower(view); break;
    default: break;
    }
}

// A frozen boss stays where it is; only a magnet moves it then.
void CBoss::Move(const STickView& view)
{
    vx = static_cast<float>(speed * cos(heading));
    vy = static_cast<float>(speed * sin(heading));
    fx += vx;
    fy += vy;
    if (view.freezeUntil < 1) {
        x = static_cast<int>(fx);
        y = static_cast<int>(fy);
    } else {
        fx = static_cast<float>(x);
        fy = static_cast<float>(y);
    }
}

void CBoss::HandleContact(const STickView& view, int player, bool trailHit)
{
    const bool touching = Touches(view.playerX[player], view.playerY[player], view.crackRadius);
    const bool behind =
        type == kBossChaser && state == kChaserWait && IsBehindChaser(view.playerX[player], view.playerY[player]);
    if (behind)
        WarnBehind();
    if (damagePerPlayerBump < 1 && !behind) {
        const bool spinning = type == kBossChaser && state == kStateMad;
        if (damagePerPlayerBump < 0 && touching && !spinning) {
            g_audio.PlaySound("KILL_ALIEN_SFX");
            health = 0;
            if (view.levelPoints)
                *view.levelPoints = kLostLevelPoints;
        }
        return;
    }
    if (touching || trailHit)
        TakePlayerHit(view, player, touching, behind);
}

void CBoss::TakePlayerHit(const STickView& view, int player, bool touching, bool behind)
{
    if (type == kBossEggLayer && touching)
        Shove(view, player, kEggLayerShove);
    const int now = CTickTimer::Now();
    if (hurtUntil >= now)
        return;
    g_audio.PlaySound("KILL_ALIEN_SFX");
    health += behind ? damagePerPlayerBump : -damagePerPlayerBump; // no cap: behind the chaser heals freely
    hurtUntil = now + hsecInvincibleWhenHurt;
    if (type == kBossChaser) {
        if (touching)
            Shove(view, player, kChaserShove);
        state = kStateMad;
        nextThink = now + hsecInvincibleWhenHurt;
    } else if (type == kBossFireball) {
        if (view.levelPoints)
            *view.levelPoints += kFireballHitPoints;
    } else if (state != kStateMad) {
        BecomeMad(now);
    }
}

// The first T-cell on the boss is flung away from it; it hurts the boss
// unless the boss is still invincible.
void CBoss::HarmByTCells(const STickView& view)
{
    if (!view.toys)
        return;
    const int reach = view.crackRadius + size;
    for (auto& toy : *view.toys) {
        if (toy->type != kToyTCell || !Within(toy->x, x, reach) || !Within(toy->y, y, reach))
            continue;
        const fix away = atan2(fix(y - toy->y), fix(x - toy->x));
        // The raw 16.16 table values, i.e. 65536 times the unit direction:
        // the toy then moves at its step limit until damping slows it.
        toy->vx = -(static_cast<float>(fixcos(away.v)) + toy->vx);
        toy->vy = -(static_cast<float>(fixsin(away.v)) + toy->vy);
        const int now = CTickTimer::Now();
        if (hurtUntil < now) {
            g_audio.PlaySound("KILL_ALIEN_SFX");
            health -= damagePerOtherHarm;
            hurtUntil = now + hsecInvincibleWhenHurt;
            if (state != kStateMad)
                BecomeMad(now);
        }
        return;
    }
}

bool CBoss::Touches(int px, int py, int crackRadius) const
{
    return Within(px, x, crackRadius + size) && Within(py, y, crackRadius + size);
}

// The player is on the side the chaser faces away from. Worked in 64 bits
// so that no distance can overflow the fixed-point product.
bool CBoss::IsBehindChaser(int px, int py) const
{
    const int64_t c = 10LL * fixcos(heading.v), s = 10LL * fixsin(heading.v);
    return static_cast<int64_t>(x - px) * c + static_cast<int64_t>(y - py) * s > 0;
}

bool CBoss::IsNear(int px, int py, int crackRadius) const
{
    const int reach = (size >> 1) + crackRadius;
    return Within(px, x, reach) && Within(py, y, reach);
}

bool CBoss::IsApproaching(int toyX, int toyY, float toyVX, float toyVY) const
{
    return std::abs(toyX + static_cast<int>(toyVX) - x) < std::abs(toyX - x) &&
           std::abs(toyY + static_cast<int>(toyVY) - y) < std::abs(toyY - y);
}

void CBoss::Shove(const STickView& view, int player, double factor) const
{
    view.playerFX[player] += (size - (fx - view.playerFX[player])) * factor;
    view.playerFY[player] += (size - (fy - view.playerFY[player])) * factor;
}

// Straight onto the visible screen: the next presented frame covers it.
void CBoss::WarnBehind() const
{
    g_audio.PlaySound("KILL_ALIEN_SFX");
    if (screen)
        rect(screen, 0, 0, kScreenW, kScreenH, makecol(255, 0, 0));
}

void CBoss::BecomeMad(int now)
{
    nextThink = now + hsecBetweenThinkingWhenMad;
    state = kStateMad;
}

void CBoss::Heal(int amount)
{
    health += amount;
    if (health > kStartHealth)
        health = kStartHealth;
}

void CBoss::Draw()
{
    if (type == kBossStemCell) {
        endBoss.Draw();
        return;
    }
    if (type < 0 || type >= kBossStemCell)
        return;
    BITMAP* cover = type == kBossBlower ? g_bitmaps.Get(kBlowerCoverImage) : nullptr;
    DrawWith(g_display.backBuffer, g_bitmaps.Get(kImages[type]), cover);
}

void CBoss::DrawWith(BITMAP* dest, BITMAP* image, BITMAP* cover)
{
    if (!dest || IsDead())
        return;
    const int now = CTickTimer::Now();
    if (hurtUntil > now && ((hurtUntil - now) & kFlickerBit) != 0)
        return;
    int angle = fixtoi((heading + 64).v); // the pictures face up
    if (type == kBossBlower) {
        switch (state) {
        case 0: rotorAngle = (now * 2) & 255; break;
        case 1: rotorAngle = -((now * 2) & 255); break;
        case 2: rotorAngle = (now * 4) & 255; break;
        case 3: rotorAngle = -((now * 4) & 255); break;
        default: break; // no wind: the rotor stays as it was last drawn
        }
        angle = rotorAngle;
    }
    if (image)
        rotate_sprite(dest, image, x - image->w / 2, y - image->h / 2, itofix(angle));
    if (cover)
        Draw16::Sprite(dest, cover, x - cover->w / 2, y - cover->h / 2);
}
