#include <gtest/gtest.h>

#include <chrono>

#include "app/FramePacer.h"

namespace {

using namespace std::chrono_literals;
using Clock = CFramePacer::Clock;

TEST(FramePacerTest, RateComesFromTheMonitorOrThePlayersNumber)
{
    struct SCase {
        const char* maxfps;
        double refresh, rate;
    };
    for (const SCase& c : {SCase{"display", 144, 144}, SCase{"display", 59.94, 59.94}, SCase{"display", 0, 60},
                           SCase{"0", 144, 0}, SCase{"30", 144, 30}, SCase{"240", 0, 240}})
        EXPECT_DOUBLE_EQ(CFramePacer::RateOf(c.maxfps, c.refresh), c.rate) << c.maxfps << " at " << c.refresh;
}

TEST(FramePacerTest, FramesAreDueOncePerIntervalOnAverageAndAfterAStallStartAfresh)
{
    CFramePacer pacer;
    const Clock::time_point t0 = Clock::now();
    EXPECT_TRUE(pacer.Due(t0)) << "without a rate every frame is due";
    pacer.SetRate(50); // 20 ms
    ASSERT_TRUE(pacer.Due(t0));
    pacer.Shown(t0);
    EXPECT_FALSE(pacer.Due(t0 + 19ms));
    EXPECT_TRUE(pacer.Due(t0 + 20ms));
    // Polled every 10 ms, as the menu's loop is: shown at 20, 40, 60 ms,
    // never twice within one interval, never drifting.
    int shown = 1;
    for (auto t = t0 + 10ms; t <= t0 + 1000ms; t += 10ms)
        if (pacer.Due(t)) {
            pacer.Shown(t);
            ++shown;
        }
    EXPECT_EQ(shown, 51);
    // A stall of half a second: one frame at once, then the pace again.
    const auto late = t0 + 1500ms;
    ASSERT_TRUE(pacer.Due(late));
    pacer.Shown(late);
    EXPECT_FALSE(pacer.Due(late + 10ms));
    EXPECT_TRUE(pacer.Due(late + 20ms));
    pacer.SetRate(0);
    EXPECT_TRUE(pacer.Due(late));
}

TEST(FramePacerTest, WaitingEndsWhenTheFrameIsDueOrATickComesFirst)
{
    CFramePacer pacer;
    pacer.SetRate(1); // a second: the tick comes long before
    pacer.Shown(Clock::now());
    int asked = 0;
    pacer.WaitUntilDue([&] { return ++asked == 3; });
    EXPECT_EQ(asked, 3);
    EXPECT_FALSE(pacer.Due(Clock::now())) << "woken by the tick, not by the frame";
    pacer.SetRate(20);
    const auto start = Clock::now();
    pacer.Shown(start);
    pacer.WaitUntilDue(nullptr);
    EXPECT_TRUE(pacer.Due(Clock::now()));
    EXPECT_GE(Clock::now() - start, 50ms);
}

} // namespace
