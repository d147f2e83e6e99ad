#include "app/LoopPacer.h"

#include <allegro.h>

#include "app/TickTimer.h"

void CLoopPacer::Wait()
{
    if (!timer_driver)
        return;
    for (int waited = 0; waited < kMaxWaitMs && CTickTimer::Now() == lastPass; ++waited)
        rest(1);
    lastPass = CTickTimer::Now();
}
