#pragma once
#include "play/PuckPhysics.h"

class CStatePlay;

// Key bits of one tick of input.
enum EBotKey { kBotRight = 1, kBotLeft = 2, kBotUp = 4, kBotDown = 8 };

// A forecast of the bot's own puck: the pulses it has fired (the beams on
// screen), the walls' kicks and an estimate of the wind, stepped tick by
// tick with the game's own puck step.
struct SPuckSim {
    SPuckMotion motion;   // the puck and its pulses
    SPuckDrive drive;     // the wind in it is the bot's estimate
    int now = 0;          // clock of the simulated tick
    int ticks = 0;        // ticks simulated so far
    int firePulseLen = 1; // hundredths of a pulse the bot fires now

    static SPuckSim FromPlay(const CStatePlay& play, float windX, float windY);
    float X() const { return motion.x; }
    float Y() const { return motion.y; }
    // Fires the pulses of a key mask as pressed at the current clock.
    void Press(int keys);
    void Step();
    // The clock after the given number of ticks from tick 0 at clock 0.
    static int ClockAfter(int ticks);
};
