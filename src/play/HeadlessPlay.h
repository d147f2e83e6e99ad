#pragma once
#include "app/GameApp.h"

class CStatePlay;

// Runs the play state without a window: a hand-driven hundredths clock
// (100 hundredths per 35 ticks), scripted keys and no menu. Used by tests
// and the autopilot; the caller has started Allegro (SYSTEM_NONE is enough).
class CHeadlessPlay {
public:
    explicit CHeadlessPlay(CStatePlay& play);

    // Loads the play asset sets the level-select screen would load.
    void LoadAssets();
    // Chooses players, mode and level and builds it; returns SetUpLevel's result.
    int StartLevel(int level, int numPlayers = 1, int gameMode = 0);
    // One logic tick: the clock moves on, then input and update run.
    void Tick();
    void Ticks(int count);
    // Holds or releases a key (an Allegro key code) for the next polls.
    static void SetKey(int keyCode, bool down);
    static void ReleaseAllKeys();

    CGameApp app;
    long ticks = 0; // ticks run so far

private:
    CStatePlay& play;
    long clockOrigin = 0; // hundredths at tick 0
};
