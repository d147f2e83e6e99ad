// yk-timer-rate SECONDS
//
// Installs the game's two clocks on the real timers (the system driver, on a
// display) and prints how many logic ticks and hundredths passed per second
// of wall time over SECONDS, for an end-to-end test to hold to 35 and 100.
#include <allegro.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/TickTimer.h"

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 2.0;
    if (seconds <= 0 || install_allegro(SYSTEM_AUTODETECT, &errno, atexit) != 0 || install_timer() != 0) {
        std::fprintf(stderr, "yk-timer-rate: cannot start Allegro (usage: yk-timer-rate SECONDS)\n");
        return 2;
    }
    g_timer.Install();
    rest(100); // past the timer thread's first wake-up
    using Clock = std::chrono::steady_clock;
    const int32_t ticks0 = CTickTimer::pendingTicks.load(), hsec0 = CTickTimer::Now();
    const Clock::time_point t0 = Clock::now();
    rest(static_cast<unsigned>(seconds * 1000));
    const int32_t ticks1 = CTickTimer::pendingTicks.load(), hsec1 = CTickTimer::Now();
    const double elapsed = std::chrono::duration<double>(Clock::now() - t0).count();
    std::printf("seconds %.3f ticks %d hundredths %d ticks/s %.2f hundredths/s %.2f\n", elapsed, ticks1 - ticks0,
                hsec1 - hsec0, (ticks1 - ticks0) / elapsed, (hsec1 - hsec0) / elapsed);
    return 0;
}
END_OF_MAIN()
