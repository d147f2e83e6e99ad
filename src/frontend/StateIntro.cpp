#include "frontend/StateIntro.h"

#include <allegro.h>

#include "app/Display.h"
#include "app/GameApp.h"
#include "audio/Audio.h"
#include "input/Controls.h"

CStateIntro* CStateIntro::Instance()
{
    static CStateIntro instance;
    return &instance;
}

void CStateIntro::Enter()
{
    g_audio.FlushSounds();
    g_audio.SelectTrack(2);
}

void CStateIntro::Leave() {}

void CStateIntro::Resume() { g_audio.FlushSounds(); }

void CStateIntro::HandleInput(CGameApp& app)
{
    g_controls.Poll();
    if (g_controls.Key(KEY_ESC, kInputReleased))
        app.Quit();
}

void CStateIntro::Draw(CGameApp& app)
{
    BITMAP* bb = g_display.backBuffer;
    clear_to_color(bb, makecol(40, 0, 10));
    textout_centre_ex(bb, font, CGameApp::kTitle, kScreenW / 2, kScreenH / 2, makecol(255, 255, 255), -1);
    g_display.Present();
}
