#include "play/StatePlay.h"

#include <allegro.h>

#include "app/Display.h"
#include "app/GameApp.h"
#include "assets/Asset.h"
#include "audio/Audio.h"
#include "creatures/Alien.h"
#include "creatures/Egg.h"
#include "creatures/Toy.h"
#include "frontend/StateIntro.h"
#include "input/Controls.h"

namespace {
CStatePlay s_play;
} // namespace

CStatePlay* CStatePlay::Instance() { return &s_play; }

void CStatePlay::Enter()
{
    g_audio.FlushSounds();
    g_audio.SelectTrack(2);
    LoadScores();
    g_display.SetCursorVisible(true);
    RunLevelSelect();
}

void CStatePlay::Leave()
{
    ClearAll();
    g_bitmaps.ReleaseAll();
    g_sounds.ReleaseAll();
    g_fonts.ReleaseAll();
    g_display.ConfineMouse();
}


void CStatePlay::ClearToys() { toys.clear(); }
void CStatePlay::ClearEggs() { eggs.clear(); }
void CStatePlay::ClearAliens()
{
    aliens.clear();
    boss.Clear();
}

void CStatePlay::ClearAll()
{
    ClearToys();
    ClearEggs();
    ClearAliens();
}
