#include "app/TickTimer.h"

#include <allegro.h>

std::atomic<int32_t> CTickTimer::pendingTicks{0};
std::atomic<int32_t> CTickTimer::hsec{0};
CTickTimer g_timer;

namespace {
void TickCallback() { CTickTimer::pendingTicks.fetch_add(1); }
END_OF_STATIC_FUNCTION(TickCallback)
void HundredthCallback() { CTickTimer::hsec.fetch_add(1, std::memory_order_relaxed); }
END_OF_STATIC_FUNCTION(HundredthCallback)
} // namespace

int CTickTimer::Install()
{
    install_int_ex(TickCallback, kTickSpeed);
    install_int_ex(HundredthCallback, kHundredthSpeed);
    pendingTicks.store(0);
    hsec.store(0);
    return 0;
}
