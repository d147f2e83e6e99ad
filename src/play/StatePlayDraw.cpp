#include "play/StatePlay.h"

#include "app/Display.h"

// Placeholder until the play drawing lands.
void CStatePlay::Draw(CGameApp&)
{
    if (leaveToTitle)
        return;
    g_display.Present();
}
