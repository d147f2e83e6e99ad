#include "play/PuckPhysics.h"

#include "app/TickTimer.h"
#include "audio/Audio.h"
#include "play/StatePlay.h"

namespace {

constexpr float kMushroomWindShare = 0.25f; // of the wind a mushroomed puck feels

} // namespace

float CPuckPhysics::Power(const CStatePlay& play, int p)
{
    const int flags = play.playerPowerFlags[p];
    float power = play.cvar_movePowerArrow;
    if (HasPower(flags, kPupPrecise))
        power *= static_cast<float>(play.cvar_pup_precise_movePowerMult);
    else if (HasPower(flags, kPupSpeedup))
        power *= static_cast<float>(play.cvar_pup_speedup_movePowerMult);
    return power;
}

float CPuckPhysics::Push(float frac, float power, float dropoff)
{
    return frac * dropoff * power + (1 - dropoff) * power;
}

int CPuckPhysics::Kick(const CStatePlay& play)
{
    return static_cast<int>(play.cvar_hSecLaserPulse * play.cvar_kickAwayPerc);
}

SPuckDrive CPuckPhysics::DriveOf(const CStatePlay& play, int p)
{
    SPuckDrive d;
    d.power = Power(play, p);
    d.dropoff = play.cvar_movePowerDropoff;
    d.pulseLen = play.cvar_hSecLaserPulse;
    d.kick = Kick(play);
    const float windShare = HasPower(play.playerPowerFlags[p], kPupMushroom) ? kMushroomWindShare : 1.0f;
    d.windX = play.windX * windShare;
    d.windY = play.windY * windShare;
    d.left = play.arenaLeft;
    d.top = play.arenaTop;
    d.right = play.arenaRight;
    d.bottom = play.arenaBottom;
    return d;
}

namespace {

// Hands each field of a puck's motion to f with player p's array entry it
// is kept in, so reading and writing back cannot miss one.
template <class TMotion, class TPlay, class F>
void PairFields(TMotion& m, TPlay& play, int p, F f)
{
    f(m.x, play.playerFX[p]), f(m.y, play.playerFY[p]);
    f(m.vx, play.playerVX[p]), f(m.vy, play.playerVY[p]);
    f(m.laserA, play.laserA[p]), f(m.laserB, play.laserB[p]), f(m.laserC, play.laserC[p]), f(m.laserD, play.laserD[p]);
    f(m.laserAFrac, play.laserAFrac[p]), f(m.laserBFrac, play.laserBFrac[p]);
    f(m.laserCFrac, play.laserCFrac[p]), f(m.laserDFrac, play.laserDFrac[p]);
}

} // namespace

SPuckMotion CPuckPhysics::MotionOf(const CStatePlay& play, int p)
{
    SPuckMotion m;
    PairFields(m, play, p, [](auto& mine, const auto& kept) { mine = kept; });
    return m;
}

void CPuckPhysics::Store(const SPuckMotion& m, int p)
{
    PairFields(m, play, p, [](const auto& mine, auto& kept) { kept = mine; });
    play.playerX[p] = static_cast<int>(m.x);
    play.playerY[p] = static_cast<int>(m.y);
}

CPuckPhysics::SEvents CPuckPhysics::Step(SPuckMotion& puck, const SPuckDrive& drive, int now)
{
    auto pulse = [&](int32_t end, float& frac) -> float {
        if (end == 0) {
            frac = 0;
            return 0;
        }
        // A level with pulses of no length has no part of one left to run;
        // dividing by it would leave the puck at no number at all.
        frac = drive.pulseLen == 0 ? 0.0f : static_cast<float>(end - now) / static_cast<float>(drive.pulseLen);
        return Push(frac, drive.power, drive.dropoff);
    };
    const float prevX = puck.x, prevY = puck.y;
    puck.x += pulse(puck.laserA, puck.laserAFrac);
    puck.x -= pulse(puck.laserC, puck.laserCFrac);
    puck.y += pulse(puck.laserB, puck.laserBFrac);
    puck.y -= pulse(puck.laserD, puck.laserDFrac);
    puck.x += drive.windX;
    puck.y += drive.windY;
    puck.vx = puck.x - prevX;
    puck.vy = puck.y - prevY;

    SEvents events;
    events.pulseStarted = puck.laserAFrac == 1.0f || puck.laserCFrac == 1.0f || puck.laserBFrac == 1.0f ||
                          puck.laserDFrac == 1.0f;
    auto wall = [&](bool hit, float& pos, int edge, int32_t& laser) {
        if (!hit)
            return;
        pos = static_cast<float>(edge);
        laser = now + drive.kick;
        ++events.wallsHit;
    };
    wall(puck.x < drive.left, puck.x, drive.left, puck.laserA);
    wall(puck.x > drive.right, puck.x, drive.right, puck.laserC);
    wall(puck.y < drive.top, puck.y, drive.top, puck.laserB);
    wall(puck.y > drive.bottom, puck.y, drive.bottom, puck.laserD);
    for (int32_t* laser : {&puck.laserA, &puck.laserC, &puck.laserB, &puck.laserD})
        if (*laser < now)
            *laser = 0;
    return events;
}

void CPuckPhysics::Move(int p)
{
    SPuckMotion puck = MotionOf(play, p);
    const SEvents events = Step(puck, DriveOf(play, p), CTickTimer::Now());
    Store(puck, p);
    // Crossfire's pulses and kicks are silent.
    if (play.gameMode == kModeCrossfire)
        return;
    if (events.pulseStarted)
        g_audio.PlaySound("LASER_SFX");
    for (int i = 0; i < events.wallsHit; ++i)
        g_audio.PlaySound("LASER_SFX");
}
