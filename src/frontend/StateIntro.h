#pragma once
#include "app/State.h"

// The title screen: Escape quits, Space or a click starts.
class CStateIntro : public CState {
public:
    static CStateIntro* Instance();

    void Enter() override;
    void Leave() override;
    void Pause() override {}
    void Resume() override;
    void HandleInput(CGameApp& app) override;
    void Update(CGameApp& app) override {}
    void Draw(CGameApp& app) override;
};
