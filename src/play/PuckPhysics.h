#pragma once
#include <cstdint>

class CStatePlay;

// One puck in motion: where it stands and the four pulses pushing it (A to
// the right, C to the left, B down, D up), as the play state keeps them for
// each player.
struct SPuckMotion {
    float x = 0, y = 0;   // exact centre, pixels
    float vx = 0, vy = 0; // pixels moved in the last step
    int32_t laserA = 0, laserB = 0, laserC = 0, laserD = 0; // clock, pulse ends, 0 = none
    float laserAFrac = 0, laserBFrac = 0, laserCFrac = 0, laserDFrac = 0; // part of a pulse left
};

// What drives one puck through a step.
struct SPuckDrive {
    float power = 0;            // pixels per tick at a pulse's start, power-ups included
    float dropoff = 0;          // 0 full push to the end, 1 fades out
    int32_t pulseLen = 0;       // hundredths of a full pulse
    int32_t kick = 0;           // hundredths of the pulse a wall fires back
    float windX = 0, windY = 0; // pixels per tick, as this puck feels the wind
    int32_t left = 0, top = 0, right = 0, bottom = 0; // arena of puck centres
};

// The puck's motion: the pulses' push, the wind and the walls' kicks. The
// step itself reads no clock and makes no sound, so the autopilot forecasts
// with the very rules the game moves the pucks by.
class CPuckPhysics {
public:
    // What a step did that is heard.
    struct SEvents {
        bool pulseStarted = false; // a pulse ran its first tick
        int wallsHit = 0;
    };

    explicit CPuckPhysics(CStatePlay& state) : play(state) {}
    // Moves player p's puck one tick at the clock's time, with its sounds.
    void Move(int p);

    // The arrow power with precise (which wins) or speed-up.
    static float Power(const CStatePlay& play, int p);
    // A pulse's push with `frac` of it still to run.
    static float Push(float frac, float power, float dropoff);
    // Hundredths of a pulse a wall fires back.
    static int Kick(const CStatePlay& play);
    static SPuckDrive DriveOf(const CStatePlay& play, int p);
    static SPuckMotion MotionOf(const CStatePlay& play, int p);
    static SEvents Step(SPuckMotion& puck, const SPuckDrive& drive, int now);

private:
    void Store(const SPuckMotion& puck, int p);

    CStatePlay& play;
};
