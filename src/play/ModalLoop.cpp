#include "play/ModalLoop.h"

#include <allegro.h>

#include "app/TickTimer.h"

std::function<void()> g_modalPassHook;

void ModalLoopPass()
{
    if (g_modalPassHook)
        g_modalPassHook();
    else if (CTickTimer::installed)
        rest(10);
}
