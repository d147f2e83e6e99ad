#include "frontend/StateIntro.h"

#include <allegro.h>

#include "app/Display.h"
#include "app/Draw16.h"
#include "app/GameApp.h"
#include "assets/Asset.h"
#include "audio/Audio.h"
#include "input/Controls.h"
#include "play/StatePlay.h"

namespace {
CStateIntro s_intro;
} // namespace

CStateIntro* CStateIntro::Instance() { return &s_intro; }

void CStateIntro::Enter()
{
    g_bitmaps.Init("bitmap-menu");
    g_bitmaps.LoadDefinitions();
    g_audio.FlushSounds();
    g_audio.SelectTrack(2);
}

void CStateIntro::Leave() { g_bitmaps.ReleaseAll(); }

void CStateIntro::Resume() { g_audio.FlushSounds(); }

void CStateIntro::HandleInput(CGameApp& app)
{
    g_controls.Poll();
    // A pad's Back is Escape; A and Start are Space.
    if (g_controls.Key(KEY_ESC, kInputReleased) || g_controls.AnyPad(kPadBack, kInputReleased))
        app.Quit();
    // Checked even when Escape fired in the same tick.
    if (g_controls.Key(KEY_SPACE, kInputPressed) || g_controls.Mouse(0, kInputPressed) ||
        g_controls.AnyPad(kPadA, kInputPressed) || g_controls.AnyPad(kPadStart, kInputPressed)) {
        g_audio.PlaySound("ANVIL_SFX");
        app.ChangeState(CStatePlay::Instance());
    }
}

void CStateIntro::Draw(CGameApp&)
{
    if (BITMAP* title = g_bitmaps.Get("TITLE_IMG")) {
        // Drawn masked; a picture without holes is the same pixels copied whole.
        if (TitleHasHoles(title))
            Draw16::Sprite(g_display.backBuffer, title, 0, 0);
        else
            Draw16::Blit(title, g_display.backBuffer, 0, 0, 0, 0, title->w, title->h);
    }
    g_display.Present();
}

bool CStateIntro::TitleHasHoles(BITMAP* title)
{
    if (!titleChecked || titleSeen != g_bitmaps.Generation()) {
        titleHoles = Draw16::HasMaskPixels(title);
        titleSeen = g_bitmaps.Generation();
        titleChecked = true;
    }
    return titleHoles;
}
