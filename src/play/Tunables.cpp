#include "play/Tunables.h"

#include <allegro.h>

#include <array>
#include <cstring>

#include "assets/ValueBounds.h"
#include "creatures/Boss.h"
#include "play/StatePlay.h"

namespace {

#define YK_WHOLE(owner, section, key, name, unit, ...) \
    TTunable<owner> { section, key, &owner::name, nullptr, unit __VA_OPT__(, ) __VA_ARGS__ }
#define YK_PART(owner, section, key, name, unit, ...) \
    TTunable<owner> { section, key, nullptr, &owner::name, unit __VA_OPT__(, ) __VA_ARGS__ }
// A play tunable's field is named after its key.
#define YK_INT(section, name, unit, ...) YK_WHOLE(CStatePlay, section, #name, name, unit __VA_OPT__(, ) __VA_ARGS__)
#define YK_FLOAT(section, name, unit, ...) YK_PART(CStatePlay, section, #name, name, unit __VA_OPT__(, ) __VA_ARGS__)

// The ranges are what the rules need: a divisor must be positive, a count-down
// may not start after its "Go!", the start point lies in the arena.
const STunable kPlay[] = {
    YK_INT("goals", cvar_pointsToWin, "points", 1),

    YK_INT("timing", cvar_hSecLaserPulse, "hundredths", 1),
    YK_INT("timing", cvar_hSecEggMinLife, "hundredths", 0),
    YK_INT("timing", cvar_hSecEggMaxLife, "hundredths"),
    YK_INT("timing", cvar_crackWarningTime, "hundredths"),
    YK_INT("timing", cvar_hSecBeforeLevelMoveOn, "hundredths"),
    YK_INT("timing", cvar_hSecBeforeLevelStart, "hundredths"),
    YK_INT("timing", cvar_hSecBeforeLevelStartSayGo, "hundredths", 0),

    YK_INT("setup", cvar_eggEdgeMargin, "pixels"),
    YK_FLOAT("setup", cvar_playerNormalizedStartX, "part of the arena width", 0, 1),
    YK_FLOAT("setup", cvar_playerNormalizedStartY, "part of the arena height", 0, 1),

    YK_INT("action", cvar_crackRadius, "pixels", 1),
    YK_FLOAT("action", cvar_movePowerArrow, "pixels per tick", 0.1f),
    YK_FLOAT("action", cvar_movePowerDropoff, "part of the push"),
    YK_FLOAT("action", cvar_kickAwayPerc, "part of a pulse"),
    YK_FLOAT("action", cvar_windXPower, "pixels per tick"),
    YK_FLOAT("action", cvar_windYPower, "pixels per tick"),
    YK_INT("action", cvar_windXInterval, "hundredths", 1),
    YK_INT("action", cvar_windYInterval, "hundredths", 1),
    YK_FLOAT("action", cvar_toyTCellBounce, "damping factor"),

    YK_INT("alien", cvar_friendlyOdds, "percent"),
    YK_INT("alien", cvar_alienEdgeInfect, "pixels"),
    YK_FLOAT("alien", cvar_alienMoveSpeed, "pixels per tick"),
    YK_FLOAT("alien", cvar_alienTransverseSpeed, "drift change per tick"),
    YK_INT("alien", cvar_alienTransverseHSec, "hundredths", 4),

    YK_FLOAT("visuals", cvar_laserDropoffIntensity, "colour steps"),
    YK_INT("visuals", cvar_crackWarningDist, "pixels", 1),
    YK_INT("visuals", cvar_crackSolidShowTime, "hundredths"),
    YK_INT("visuals", cvar_crackFlickerShowTime, "hundredths"),

    YK_INT("pup_overall", cvar_pupSolidShowTime, "hundredths"),
    YK_INT("pup_overall", cvar_pupFlickerShowTime, "hundredths"),
    YK_INT("pup_overall", cvar_pup_plainegg_freq, "weight"),
    YK_INT("pup_overall", cvar_pup_magnetic_freq, "weight"),
    YK_INT("pup_overall", cvar_pup_disrupt_freq, "weight"),
    YK_INT("pup_overall", cvar_pup_mushroom_freq, "weight"),
    YK_INT("pup_overall", cvar_pup_trail_freq, "weight"),
    YK_INT("pup_overall", cvar_pup_speedup_freq, "weight"),
    YK_INT("pup_overall", cvar_pup_freeze_freq, "weight"),
    YK_INT("pup_overall", cvar_pup_precise_freq, "weight"),
    YK_INT("pup_overall", cvar_pup_detonate_freq, "weight"),

    YK_FLOAT("pup_magnetic", cvar_pup_magnetic_pullOnEggs, "part of the distance per tick"),
    YK_FLOAT("pup_magnetic", cvar_pup_magnetic_pullOnParasites, "part of the distance per tick"),
    YK_FLOAT("pup_mushroom", cvar_pup_mushroom_laserWidthNormal, "part of the puck size"),
    YK_FLOAT("pup_mushroom", cvar_pup_mushroom_laserWidthSuper, "part of the puck size"),
    YK_INT("pup_speedup", cvar_pup_speedup_movePowerMult, "factor", 1),
    YK_INT("pup_freeze", cvar_pup_freeze_time, "hundredths", 1),
    YK_INT("pup_precise", cvar_pup_precise_movePowerMult, "factor", 1),
    YK_INT("pup_detonate", cvar_pup_det_range, "pixels"),
    YK_INT("pup_detonate", cvar_pup_det_damageToBoss, "health"),
    YK_INT("pup_detonate", cvar_pup_det_flashtime, "hundredths"),
};

const SBossTunable kBoss[] = {
    YK_WHOLE(CBoss, "boss-move", "cvar_boss_turnspeed", turnSpeed, "angle units per tick"),
    YK_PART(CBoss, "boss-move", "cvar_boss_walkspeed", walkSpeed, "pixels per tick"),
    YK_PART(CBoss, "boss-move", "cvar_boss_runspeed", runSpeed, "pixels per tick"),
    YK_WHOLE(CBoss, "boss-fight", "cvar_boss_attackfreq", attackFreq, "percent per tick"),
    YK_WHOLE(CBoss, "boss-fight", "cvar_boss_damagePerPlayerBump", damagePerPlayerBump, "health"),
    YK_WHOLE(CBoss, "boss-fight", "cvar_boss_damagePerOtherHarm", damagePerOtherHarm, "health"),
    YK_WHOLE(CBoss, "boss-fight", "cvar_boss_hsecInvincibleWhenHurt", hsecInvincibleWhenHurt, "hundredths"),
    YK_WHOLE(CBoss, "boss-think", "cvar_boss_hsecBetweenThinking", hsecBetweenThinking, "hundredths"),
    YK_WHOLE(CBoss, "boss-think", "cvar_boss_hsecBetweenThinkingWhenMad", hsecBetweenThinkingWhenMad, "hundredths"),
};

const SEndBossTunable kEndBoss[] = {
    YK_WHOLE(CEndBoss, "boss-endboss", "cvar_boss_hsecPreSplitWarning", hsecPreSplitWarning, "hundredths"),
    YK_WHOLE(CEndBoss, "boss-endboss", "cvar_boss_hsecBetweenSplitMin", hsecBetweenSplitMin, "hundredths"),
    YK_WHOLE(CEndBoss, "boss-endboss", "cvar_boss_hsecBetweenSplitMax", hsecBetweenSplitMax, "hundredths"),
};

#undef YK_INT
#undef YK_FLOAT
#undef YK_WHOLE
#undef YK_PART

} // namespace

// By unit: sums of a few times stay within the hundredths clock, pixel
// sizes within clip arithmetic, products of factors and speeds within floats
// the puck's step and the float-to-int positions can take.
struct SHardRange {
    const char* unit;
    float lo, hi;
};
const SHardRange kHardRanges[] = {
    {"hundredths", -1e7f, 1e7f},
    {"pixels", -1e4f, 1e4f},
    {"points", -1e6f, 1e6f},
    {"percent", -1e4f, 1e4f},
    {"percent per tick", -1e4f, 1e4f},
    {"weight", -1e6f, 1e6f},
    {"factor", -1e3f, 1e3f},
    {"health", -1e6f, 1e6f},
    {"angle units per tick", -256.0f, 256.0f},
    {"pixels per tick", -1e3f, 1e3f},
};
constexpr float kOtherHardLimit = 1e3f; // parts, colour steps, damping

template <class Owner>
void TTunable<Owner>::HardRange(float& lo, float& hi) const
{
    lo = -kOtherHardLimit;
    hi = kOtherHardLimit;
    for (const SHardRange& r : kHardRanges)
        if (std::strcmp(r.unit, unit) == 0) {
            lo = r.lo;
            hi = r.hi;
        }
}

template <class Owner>
void TTunable<Owner>::Read(Owner& o, const std::string& file) const
{
    float lo = 0, hi = 0;
    HardRange(lo, hi);
    if (whole)
        o.*whole = BoundWhole(get_config_int(section, key, o.*whole), static_cast<int>(lo), static_cast<int>(hi),
                              file, section, key);
    else
        o.*part = BoundPart(get_config_float(section, key, o.*part), o.*part, lo, hi, file, section, key);
}

template <class Owner>
void TTunable<Owner>::Set(Owner& o, float v) const
{
    if (whole)
        o.*whole = static_cast<int32_t>(v);
    else
        o.*part = v;
}

template struct TTunable<CStatePlay>;
template struct TTunable<CBoss>;
template struct TTunable<CEndBoss>;

std::span<const STunable> PlayTunables() { return kPlay; }
std::span<const SBossTunable> BossTunables() { return kBoss; }
std::span<const SEndBossTunable> EndBossTunables() { return kEndBoss; }
