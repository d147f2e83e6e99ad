#pragma once
#include "app/GameApp.h"

class CStatePlay;
struct BITMAP;

// Runs the play state without a window: a hand-driven hundredths clock
// (100 hundredths per 35 ticks), scripted keys and no menu. Used by tests
// and the autopilot; the caller has started Allegro (SYSTEM_NONE is enough).
class CHeadlessPlay {
public:
    explicit CHeadlessPlay(CStatePlay& play);
    ~CHeadlessPlay();

    // Loads the play asset sets the level-select screen would load.
    void LoadAssets();
    // Chooses players, mode and level and builds it; returns SetUpLevel's result.
    int StartLevel(int level, int numPlayers = 1, int gameMode = 0);
    // One logic tick: the clock moves on, input and update run, and one
    // frame is drawn into memory (drawing expires shells and power-ups).
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
    BITMAP* ownBackBuffer = nullptr; // made here when the display has none
    BITMAP* frameCopy = nullptr;     // stands in for the screen
};
