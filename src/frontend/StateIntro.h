#pragma once
#include <cstdint>

#include "app/State.h"

struct BITMAP;

// The title screen: Escape quits, Space or a click starts.
class CStateIntro final : public CState {
public:
    static CStateIntro* Instance();

    void Enter() override;
    void Leave() override;
    void Pause() override {}
    void Resume() override;
    void HandleInput(CGameApp& app) override;
    void Update(CGameApp& app) override {}
    void Draw(CGameApp& app) override;

private:
    // Whether the title picture has holes, learnt once per load of the
    // image registry (its generation counter then).
    bool TitleHasHoles(BITMAP* title);
    uint32_t titleSeen = 0;
    bool titleChecked = false;
    bool titleHoles = true;
};
