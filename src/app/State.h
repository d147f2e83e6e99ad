#pragma once

class CGameApp;

// One screen of the game. States are single static objects that are entered
// and left any number of times; nothing deletes them through this base.
class CState {
public:
    virtual void Enter() = 0;
    virtual void Leave() = 0;
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    virtual void HandleInput(CGameApp& app) = 0;
    virtual void Update(CGameApp& app) = 0;
    virtual void Draw(CGameApp& app) = 0;

protected:
    ~CState() = default;
};
