#include "PuckSim.h"

#include "app/TickTimer.h"
#include "creatures/TickView.h"
#include "play/StatePlay.h"

int SPuckSim::ClockAfter(int ticks) { return ticks * 100 / CTickTimer::kTicksPerSecond; }

SPuckSim SPuckSim::FromPlay(const CStatePlay& play, float windX, float windY)
{
    SPuckSim s;
    s.motion = CPuckPhysics::MotionOf(play, 0);
    s.drive = CPuckPhysics::DriveOf(play, 0);
    // The wind as seen on screen already holds what a mushroom takes off it.
    s.drive.windX = windX;
    s.drive.windY = windY;
    s.now = CTickTimer::Now();
    const int pulseLen = play.cvar_hSecLaserPulse > 0 ? play.cvar_hSecLaserPulse : 1;
    s.firePulseLen = HasPower(play.playerPowerFlags[0], kPupPrecise) ? pulseLen >> 1 : pulseLen;
    return s;
}

void SPuckSim::Press(int keys)
{
    if (keys & kBotRight)
        motion.laserA = now + firePulseLen;
    if (keys & kBotLeft)
        motion.laserC = now + firePulseLen;
    if (keys & kBotUp)
        motion.laserD = now + firePulseLen;
    if (keys & kBotDown)
        motion.laserB = now + firePulseLen;
}

void SPuckSim::Step()
{
    const int base = now - ClockAfter(ticks);
    ++ticks;
    now = base + ClockAfter(ticks);
    CPuckPhysics::Step(motion, drive, now);
}
