#pragma once
#include "app/State.h"

// A state that exists but is never entered: the level-select screen runs
// inside the play state instead.
class CStateMenu final : public CState {
public:
    static CStateMenu* Instance();

    void Enter() override {}
    void Leave() override {}
    void Pause() override {}
    void Resume() override {}
    void HandleInput(CGameApp&) override {}
    void Update(CGameApp&) override {}
    void Draw(CGameApp&) override {}
};
