#pragma once
#include <functional>

#include "app/LoopPacer.h"

// Called once per pass of a modal loop when set: headless runs (tests, the
// autopilot) script the input of the pass. The game leaves it empty.
extern std::function<void()> g_modalPassHook;

// What every modal loop (the level select, its help screen, the completion
// screen) does around its frames, in one place: the pass hook, the controls
// and the music, the pace, and the window's close button.
class CModalLoop {
public:
    // The input of a pass: the hook scripts it, then the controls are read
    // and the music fed.
    void BeginPass();
    // The way into a pass after the first: paced, then BeginPass.
    void NextPass();
    // The completion screen reads its input unscripted at the top of a pass
    // and runs the hook after its frame (EndPass: hook, then pace).
    void ReadInput();
    void EndPass();
    // One pass per hundredth, so whatever moves a fixed step per pass moves
    // at the same speed on every machine.
    void Wait() { pacer.Wait(); }
    // The window's close button ends every modal loop.
    static bool CloseRequested();

private:
    static void RunHook();

    CLoopPacer pacer;
};
