#include <gtest/gtest.h>

#include "input/PadRules.h"

namespace {

using PadRules::SSeat;

// Pushed past half way; once pushed, it stays so down to three eighths.
TEST(PadRulesTest, StickCountsPastHalfWayWithHysteresis)
{
    struct Case {
        bool was;
        int value;
        bool now;
    };
    const Case cases[] = {
        {false, 0, false},     {false, 16383, false}, {false, 16384, true},  {false, 32767, true},
        {false, 32768, true},  {false, -32768, false}, {true, 16383, true},  {true, 12289, true},
        {true, 12288, false},  {true, 0, false},       {true, -20000, false}, {false, 12289, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PadRules::StickPushed(c.was, c.value), c.now) << c.was << " " << c.value;
}

// A stick resting on the threshold and trembling by a few hundred does not
// chatter: one press, held until it really comes back.
TEST(PadRulesTest, AStickTremblingAtTheThresholdPressesOnce)
{
    bool pushed = false;
    int changes = 0;
    for (int v : {15000, 16500, 16000, 16600, 15800, 16400, 13000, 16384, 12000, 12500}) {
        const bool now = PadRules::StickPushed(pushed, v);
        changes += now != pushed;
        pushed = now;
    }
    EXPECT_EQ(changes, 2) << "on at 16500, off at 12000";
    EXPECT_FALSE(pushed);
}

TEST(PadRulesTest, PointerStepGrowsWithThePushAndKeepsFractions)
{
    struct Case {
        int value, ms, pixels;
    };
    const Case cases[] = {
        {0, 10, 0},        {8000, 10, 0},       {-8000, 1000, 0}, // dead zone
        {32767, 10, 9},    {-32768, 10, -9},    // full push: 900 pixels a second
        {32767, 1000, 45}, // a stalled poll counts 50 ms at most
        {32767, -5, 0},    // a clock that went back moves nothing
        {20384, 50, 11},   // half way past the dead zone: a quarter of the pace
    };
    for (const Case& c : cases) {
        double carry = 0;
        EXPECT_EQ(PadRules::PointerStep(c.value, c.ms, carry), c.pixels) << c.value << " " << c.ms;
    }
    // A slow push still arrives: the fractions add up over the polls.
    double carry = 0;
    int moved = 0;
    for (int i = 0; i < 100; ++i)
        moved += PadRules::PointerStep(12000, 10, carry);
    EXPECT_NEAR(moved, 900.0 * (4000.0 / 24767) * (4000.0 / 24767), 1.0);
    EXPECT_GT(moved, 0);
}

TEST(PadRulesTest, APadTakesItsOwnSeatBackElseANewOneElseAnyFreeOne)
{
    struct Case {
        SSeat seats[2];
        const char* pad;
        int seat;
    };
    const Case cases[] = {
        {{{false, ""}, {false, ""}}, "one", 0},       // first pad: player 1
        {{{true, "one"}, {false, ""}}, "two", 1},     // second pad: player 2
        {{{true, "one"}, {true, "two"}}, "three", -1}, // at most two
        {{{false, "one"}, {true, "two"}}, "one", 0},  // back in: its player again
        {{{false, "one"}, {false, "two"}}, "two", 1}, // both out, the second comes back first
        {{{false, "one"}, {false, ""}}, "two", 1},    // a new pad leaves player 1's seat to its pad
        {{{false, "one"}, {true, "two"}}, "three", 0}, // but takes it when it is the only free one
        {{{false, "one"}, {false, "one"}}, "one", 0}, // two of a kind: the lower seat first
    };
    for (const Case& c : cases)
        EXPECT_EQ(PadRules::ChooseSeat(c.seats, c.pad), c.seat) << c.pad;
}

} // namespace
