#include "PuckSim.h"

#include "app/TickTimer.h"
#include "creatures/TickView.h"
#include "play/StatePlay.h"

int SPuckSim::ClockAfter(int ticks) { return ticks * 100 / CTickTimer::kTicksPerSecond; }

SPuckSim SPuckSim::FromPlay(const CStatePlay& play, float windX, float windY)
{
    SPuckSim s;
    s.x = play.playerFX[0];
    s.y = play.playerFY[0];
    s.now = CTickTimer::Now();
    s.laserA = play.laserA[0];
    s.laserB = play.laserB[0];
    s.laserC = play.laserC[0];
    s.laserD = play.laserD[0];
    s.windX = windX;
    s.windY = windY;
    const int flags = play.playerPowerFlags[0];
    s.power = play.cvar_movePowerArrow;
    if (HasPower(flags, kPupPrecise))
        s.power *= static_cast<float>(play.cvar_pup_precise_movePowerMult);
    else if (HasPower(flags, kPupSpeedup))
        s.power *= static_cast<float>(play.cvar_pup_speedup_movePowerMult);
    s.dropoff = play.cvar_movePowerDropoff;
    s.pulseLen = play.cvar_hSecLaserPulse > 0 ? play.cvar_hSecLaserPulse : 1;
    s.firePulseLen = HasPower(flags, kPupPrecise) ? s.pulseLen >> 1 : s.pulseLen;
    s.kick = static_cast<int>(play.cvar_hSecLaserPulse * play.cvar_kickAwayPerc);
    s.left = play.arenaLeft;
    s.top = play.arenaTop;
    s.right = play.arenaRight;
    s.bottom = play.arenaBottom;
    return s;
}

void SPuckSim::Press(int keys)
{
    if (keys & kBotRight)
        laserA = now + firePulseLen;
    if (keys & kBotLeft)
        laserC = now + firePulseLen;
    if (keys & kBotUp)
        laserD = now + firePulseLen;
    if (keys & kBotDown)
        laserB = now + firePulseLen;
}

void SPuckSim::Step()
{
    const int base = now - ClockAfter(ticks);
    ++ticks;
    now = base + ClockAfter(ticks);
    auto push = [this](int end) {
        if (end == 0)
            return 0.0f;
        const float frac = static_cast<float>(end - now) / static_cast<float>(pulseLen);
        return frac * dropoff * power + (1.0f - dropoff) * power;
    };
    x += push(laserA) - push(laserC) + windX;
    y += push(laserB) - push(laserD) + windY;
    if (x < left) {
        x = static_cast<float>(left);
        laserA = now + kick;
    }
    if (x > right) {
        x = static_cast<float>(right);
        laserC = now + kick;
    }
    if (y < top) {
        y = static_cast<float>(top);
        laserB = now + kick;
    }
    if (y > bottom) {
        y = static_cast<float>(bottom);
        laserD = now + kick;
    }
    for (int* end : {&laserA, &laserB, &laserC, &laserD})
        if (*end != 0 && *end < now)
            *end = 0;
}
