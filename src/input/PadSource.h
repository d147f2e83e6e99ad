#pragma once
#include <string>

#include "input/PadInput.h"
#include "input/PadRules.h"

// The game pads, through the system's game-controller support (standard
// button names for common pads, hot-plug). Only PadSource.cpp and
// VirtualPad.cpp know which library that is; the rest of the game reads
// SPadFrame. Input only: no window, video or sound of its own.
class CPadSource {
public:
    // Starts the controller support and reads gamecontrollerdb.txt from the
    // game's folder when there is one. False (said once on stderr) when the
    // support cannot start: the game runs on without pads.
    bool Start();
    void Stop();
    bool Running() const { return running; }

    // Takes pads plugged in or pulled out since the last call, then reads
    // both seats; a seat without a pad reads as not connected, all up.
    void Read(SPadFrame (&frames)[kPadSeats]);

    // How many seats a pad holds now.
    int Seated() const;

private:
    void Add(int deviceIndex);
    void Remove(int instance);
    void SeatWaitingPad();

    struct SHeld {
        void* controller = nullptr;
        int instance = -1;
    };
    SHeld held[kPadSeats];
    PadRules::SSeat seats[kPadSeats];
    bool running = false;
};

extern CPadSource g_padSource;
