#include "play/ModalLoop.h"

#include "app/LoopPacer.h"

std::function<void()> g_modalPassHook;

void ModalLoopPass()
{
    static CLoopPacer pacer;
    if (g_modalPassHook)
        g_modalPassHook();
    pacer.Wait();
}
