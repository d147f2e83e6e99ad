#pragma once
#include <atomic>
#include <cstdint>

// The two game clocks: logic ticks waiting to run (35 per second) and the
// hundredths clock ("now" everywhere). Both are advanced on Allegro's timer
// thread, so they are atomic.
class CTickTimer {
public:
    static constexpr int kTicksPerSecond = 35;
    static constexpr int kTickSpeed = 34090;      // BPS_TO_TIMER(35)
    static constexpr int kHundredthSpeed = 11930; // MSEC_TO_TIMER(10)

    int Install();
    bool Pending() const { return pendingTicks.load() > 0; }
    void Consume() { pendingTicks.fetch_sub(1); }
    void Reset() { pendingTicks.store(0); }

    static int32_t Now() { return hsec.load(std::memory_order_relaxed); }
    static void SetNow(int32_t value) { hsec.store(value, std::memory_order_relaxed); }

    static std::atomic<int32_t> pendingTicks; // ticks not yet worked off
    static std::atomic<int32_t> hsec;         // hundredths since Install
};

extern CTickTimer g_timer;
