#pragma once

class CStatePlay;

// Key bits of one tick of input.
enum EBotKey { kBotRight = 1, kBotLeft = 2, kBotUp = 4, kBotDown = 8 };

// A forecast of the bot's own puck: the pulses it has fired (the beams on
// screen), the walls' kicks and an estimate of the wind, stepped tick by
// tick the way the play rules move the puck.
struct SPuckSim {
    float x = 0, y = 0;            // puck centre, pixels
    int now = 0;                   // clock of the simulated tick
    int ticks = 0;                 // ticks simulated so far
    int laserA = 0, laserB = 0, laserC = 0, laserD = 0; // pulse ends, 0 = none
    float windX = 0, windY = 0;    // estimated push per tick
    float power = 0;               // pixels per tick at a pulse's start
    float dropoff = 0;
    int pulseLen = 1;              // hundredths of a full pulse
    int firePulseLen = 1;          // hundredths of a pulse the bot fires now
    int kick = 0;                  // hundredths of a wall's kick
    int left = 0, top = 0, right = 0, bottom = 0; // arena of puck centres

    static SPuckSim FromPlay(const CStatePlay& play, float windX, float windY);
    // Fires the pulses of a key mask as pressed at the current clock.
    void Press(int keys);
    void Step();
    // The clock after the given number of ticks from tick 0 at clock 0.
    static int ClockAfter(int ticks);
};
