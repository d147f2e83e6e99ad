#pragma once
#include <chrono>
#include <functional>
#include <string>

// How often a finished frame reaches the screen: at most the monitor's
// refresh rate, a rate of the player's, or (0) as often as it is drawn.
// The logic ticks and the hundredths clock never wait for it; the main
// loop sleeps only between frames, and wakes early for a tick.
class CFramePacer {
public:
    using Clock = std::chrono::steady_clock;

    // Frames a second for settings.ini's maxfps: "display" the monitor's
    // rate (60 when it is not known), else the number; 0 means no cap.
    static double RateOf(const std::string& maxfps, double monitorRefresh);

    void SetRate(double framesPerSecond);
    double Rate() const { return rate; }

    // Whether a frame may be shown at this moment; Shown starts the wait
    // for the next. After a stall the pace starts afresh rather than
    // racing to catch up.
    bool Due(Clock::time_point now) const { return rate <= 0 || now >= next; }
    void Shown(Clock::time_point now);
    Clock::time_point Next() const { return next; }

    // Sleeps until the next frame is due or wakeUp says so (a pending tick),
    // in short naps so that a tick never waits long.
    void WaitUntilDue(const std::function<bool()>& wakeUp) const;

private:
    double rate = 0;
    Clock::duration interval{};
    Clock::time_point next{};
};
