#pragma once
#include <allegro.h>

#include <cstdint>
#include <string>

#include "creatures/EndBoss.h"

struct STickView;

enum EBossType {
    kBossEggLayer = 0,   // "EGGLAY"
    kBossTCellKing = 1,  // "TCELLK"
    kBossGobbler = 2,    // "GOBBLE"
    kBossFireball = 3,   // "FIBALL"
    kBossChaser = 4,     // "CHASER"
    kBossBlower = 5,     // "BLOWER"
    kBossStemCell = 6,   // "STCELL"
    kBossTypeCount = 7,
};

// The boss type named by a level's "type" key, any letter case; -1 for none.
int BossTypeFromName(const char* name);
// The music track that goes with a boss type; 1 for a level without a boss.
int BossMusicTrack(int type);

// A level's boss: moves about the arena, thinks on a timer, is worn down by
// player hits and T-cells. Kind 6 is the stem-cell mass in endBoss.
class CBoss {
public:
    static constexpr int kStartHealth = 100;
    static constexpr int kSize = 45;     // body radius, pixels
    static constexpr int kStateMad = 4;  // after a hit; the chaser's hurt spin
    static constexpr int kChaserWait = 2;

    void Init(int x, int y, int type);
    // From the current configuration, which is the level file named.
    void LoadTunables(const std::string& file);
    void Update(const STickView& view);
    bool IsDead();
    void Clear();
    void DetonateAt(int x, int y, int radius);
    void Draw();
    // Kinds 0..5 onto dest; null pictures draw nothing. The blower's rotor
    // is `image`, its cover `cover`.
    void DrawWith(BITMAP* dest, BITMAP* image, BITMAP* cover);

    int32_t turnSpeed = 0;                  // angle units per tick while turning
    float walkSpeed = 0;                    // pixels per tick, normal pace
    float runSpeed = 0;                     // pixels per tick, fast pace
    int32_t attackFreq = 0;                 // percent chance per tick (egg laying)
    int32_t damagePerPlayerBump = 0;        // health per player hit; 0 immune; <0 touch loses the level
    int32_t damagePerOtherHarm = 0;         // health per T-cell hit; 0 = T-cells pass through
    int32_t hsecInvincibleWhenHurt = 0;     // hundredths
    int32_t hsecBetweenThinking = 0;        // hundredths
    int32_t hsecBetweenThinkingWhenMad = 0; // hundredths before the next think after a hit
    CEndBoss endBoss;                       // kind 6 only
    int32_t type = 0;                       // EBossType
    float fx = -100;                        // exact centre, pixels
    float fy = -100;
    int32_t x = -100;                       // whole-pixel centre
    int32_t y = -100;
    float vx = 0;                           // pixels moved in the last tick
    float vy = 0;
    fix heading;                            // angle units (256 a turn, 0 right, 64 down)
    fix speed;                              // pixels per tick along heading
    int32_t size = kSize;                   // pixels, radius of every contact test
    int32_t hurtUntil = 0;                  // clock: end of invincibility, 0 never hurt
    int32_t state = 0;                      // meaning depends on the kind; 4 mad
    int32_t nextThink = 0;                  // clock
    int32_t health = kStartHealth;          // dead below 1
    int32_t sweepDir = 1;                   // +1 / -1: fireball drift, blower sweep
    int32_t rotorAngle = 0;                 // angle units, blower rotor as last drawn

private:
    struct STarget {
        int x; // pixels
        int y;
    };

    // The frame of one tick, in order.
    STarget ApplyPlayerEffects(const STickView& view, bool& trailHit);
    bool TrailTouches(const STickView& view, int player) const;
    void RunHook(const STickView& view, STarget& target);
    void Think();
    void Steer(const STickView& view, const STarget& target);
    void Move(const STickView& view);
    void HandleContact(const STickView& view, int player, bool trailHit);
    void TakePlayerHit(const STickView& view, int player, bool touching, bool behind);
    void HarmByTCells(const STickView& view);

    bool Touches(int px, int py, int crackRadius) const;
    bool IsBehindChaser(int px, int py) const;
    bool IsNear(int px, int py, int crackRadius) const;
    bool IsApproaching(int toyX, int toyY, float toyVX, float toyVY) const;
    void Shove(const STickView& view, int player, double factor) const;
    void WarnBehind() const;
    void BecomeMad(int now);
    void Heal(int amount);
    int AimAt(const STarget& target) const;
    bool TurnToward(int angle);

    // Kinds, in BossKinds.cpp.
    void SteerEggLayer(const STickView& view);
    void LayEgg(const STickView& view);
    void RunAboutMad(int edge);
    void SteerTCellKing(const STarget& target);
    void FeedGobbler(const STickView& view, STarget& target);
    void SteerGobbler(const STarget& target);
    void CatchFires(const STickView& view);
    void SteerFireball(int edge);
    void ThinkChaser();
    void SteerChaser(const STickView& view, const STarget& target);
    void JumpAwayFrom(const STarget& target, int edge);
    void SteerBlower(const STickView& view);
    void BlowPlayer(const STickView& view, int player, double k) const;
    void HandleDust(const STickView& view, double k) const;
};
