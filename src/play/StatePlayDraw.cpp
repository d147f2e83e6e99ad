#include "play/StatePlay.h"

#include "app/Display.h"

// Placeholder until the play drawing lands; eggs must still be drawn, since
// drawing is what expires their shells.
void CStatePlay::Draw(CGameApp&)
{
    if (leaveToTitle)
        return;
    for (auto& egg : eggs)
        egg->Draw(cvar_crackWarningTime, cvar_crackWarningDist, cvar_crackSolidShowTime, cvar_crackFlickerShowTime,
                  cvar_pupSolidShowTime, cvar_pupFlickerShowTime);
    g_display.Present();
}
