#include "play/PuckPhysics.h"

#include "app/TickTimer.h"
#include "audio/Audio.h"
#include "play/StatePlay.h"

namespace {

constexpr float kMushroomWindShare = 0.25f; // a mushroomed puck is heavier in the wind

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

SPuckMotion CPuckPhysics::MotionOf(const CStatePlay& play, int p)
{
    SPuckMotion m;
    m.x = play.playerFX[p];
    m.y = play.playerFY[p];
    m.vx = play.playerVX[p];
    m.vy = play.playerVY[p];
    m.laserA = play.laserA[p];
    m.laserB = play.laserB[p];
    m.laserC = play.laserC[p];
    m.laserD = play.laserD[p];
    m.laserAFrac = play.laserAFrac[p];
    m.laserBFrac = play.laserBFrac[p];
    m.laserCFrac = play.laserCFrac[p];
    m.laserDFrac = play.laserDFrac[p];
    return m;
}

void CPuckPhysics::Store(const SPuckMotion& m, int p)
{
    play.playerFX[p] = m.x;
    play.playerFY[p] = m.y;
    play.playerVX[p] = m.vx;
    play.playerVY[p] = m.vy;
    play.laserA[p] = m.laserA;
    play.laserB[p] = m.laserB;
    play.laserC[p] = m.laserC;
    play.laserD[p] = m.laserD;
    play.laserAFrac[p] = m.laserAFrac;
    play.laserBFrac[p] = m.laserBFrac;
    play.laserCFrac[p] = m.laserCFrac;
    play.laserDFrac[p] = m.laserDFrac;
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
