#include "app/FramePacer.h"

#include <algorithm>
#include <cstdlib>
#include <thread>

namespace {
constexpr double kUnknownRefresh = 60;
constexpr auto kLongestNap = std::chrono::milliseconds(2);
} // namespace

double CFramePacer::RateOf(const std::string& maxfps, double monitorRefresh)
{
    if (maxfps == "display")
        return monitorRefresh > 0 ? monitorRefresh : kUnknownRefresh;
    return std::max(0.0, std::strtod(maxfps.c_str(), nullptr));
}

void CFramePacer::SetRate(double framesPerSecond)
{
    rate = std::max(0.0, framesPerSecond);
    interval = rate > 0 ? std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / rate))
                        : Clock::duration{};
    next = Clock::time_point{};
}

void CFramePacer::Shown(Clock::time_point now)
{
    if (rate <= 0)
        return;
    next = next + interval < now ? now + interval : next + interval;
}

void CFramePacer::WaitUntilDue(const std::function<bool()>& wakeUp) const
{
    while (!Due(Clock::now()) && !(wakeUp && wakeUp()))
        std::this_thread::sleep_for(std::min<Clock::duration>(kLongestNap, next - Clock::now()));
}
