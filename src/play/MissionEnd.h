#pragma once

class CGameApp;
class CStatePlay;

// The end of a level (a mission): losing, the waves of the waves mode, moving
// on or retrying, best scores, completed body systems and their
// congratulation screen. It works on the play state's own fields, like
// CPlayFrame does for drawing.
class CMissionEnd {
public:
    explicit CMissionEnd(CStatePlay& play) : play(play) {}

    // The last step of every unpaused tick: decides whether the level is over
    // and what follows.
    void Step(CGameApp& app);
    // The modal screen after a completed body system (level -1..-4); returns
    // when the player dismisses it.
    void ShowCompletionScreen();

private:
    void StartWave();
    void Finish(CGameApp& app);

    CStatePlay& play;
};
