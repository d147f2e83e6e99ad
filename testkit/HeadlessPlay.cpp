#include "testkit/HeadlessPlay.h"

#include <allegro.h>

#include "app/Display.h"
#include "app/TickTimer.h"
#include "play/LevelSelect.h"
#include "input/Controls.h"
#include "play/StatePlay.h"

CHeadlessPlay::CHeadlessPlay(CStatePlay& play) : play(play)
{
    g_controls.useKeyboard = 1;
    g_controls.useMouse = 1;
    clockOrigin = CTickTimer::Now();
    if (!g_display.backBuffer)
        g_display.backBuffer = ownBackBuffer = create_bitmap(kScreenW, kScreenH);
    frameCopy = create_bitmap(kScreenW, kScreenH);
    g_display.SetPresentTarget(frameCopy);
}

CHeadlessPlay::~CHeadlessPlay()
{
    g_display.SetPresentTarget(nullptr);
    destroy_bitmap(frameCopy);
    if (ownBackBuffer) {
        g_display.backBuffer = nullptr;
        destroy_bitmap(ownBackBuffer);
    }
}

void CHeadlessPlay::LoadAssets()
{
    CLevelSelect::LoadAssets();
}

int CHeadlessPlay::StartLevel(int level, int numPlayers, int gameMode)
{
    play.level = level;
    play.numPlayers = numPlayers;
    play.gameMode = gameMode;
    play.leaveToTitle = false;
    play.runTotal = 0;
    return play.SetUpLevel();
}

void CHeadlessPlay::Tick()
{
    ++ticks;
    // While paused the play state holds the clock itself; otherwise it runs on.
    if (play.pausedAt == 0)
        CTickTimer::SetNow(static_cast<int32_t>(clockOrigin + ticks * 100 / CTickTimer::kTicksPerSecond));
    else
        clockOrigin = CTickTimer::Now() - ticks * 100 / CTickTimer::kTicksPerSecond;
    play.HandleInput(app);
    play.Update(app);
    play.Draw(app);
}

void CHeadlessPlay::Ticks(int count)
{
    for (int i = 0; i < count; ++i)
        Tick();
}

void CHeadlessPlay::SetKey(int keyCode, bool down) { key[keyCode] = down ? 1 : 0; }

void CHeadlessPlay::ReleaseAllKeys()
{
    for (int i = 0; i < KEY_MAX; ++i)
        key[i] = 0;
    mouse_b = 0;
}
