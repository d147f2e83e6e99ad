#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "PlayFixture.h"
#include "frontend/StateIntro.h"
#include "input/Controls.h"
#include "support/PadBench.h"
#include "testkit/ModalGuard.h"

namespace {

// What the play state does with keys and the mouse in one tick, with a
// pulse of 40 and a kick of trunc(40 x 0.49) = 19 hundredths.
class InputTest : public PlayTest {
protected:
    void StartWith(int players, int mode)
    {
        const char* keys = "[action]\ncvar_kickAwayPerc=0.49\n";
        Level("play-1r", keys); // random missions' file for level 1
        Start(keys, players, mode);
        now = CTickTimer::Now() + 100;
    }
    // Input alone at the clock now, with these keys and buttons down.
    void InputWith(std::initializer_list<int> keys, int buttons = 0)
    {
        for (int k : keys)
            CHeadlessPlay::SetKey(k, true);
        mouse_b = buttons;
        CTickTimer::SetNow(now);
        play->HandleInput(run->app);
    }
    // Lets go of everything and forgets it was ever down.
    void LetGo()
    {
        CHeadlessPlay::ReleaseAllKeys();
        g_controls.Poll();
        g_controls.Poll();
    }
    void ClearPulses()
    {
        for (int p = 0; p < kMaxPlayers; ++p)
            play->laserA[p] = play->laserB[p] = play->laserC[p] = play->laserD[p] = 0;
    }
    // The pulses set since ClearPulses, as "player pulse +length" words,
    // e.g. "0A+40 1D+40"; without the lengths when asked.
    std::string Pulses(bool lengths = true) const
    {
        std::string s;
        for (int p = 0; p < kMaxPlayers; ++p) {
            const int ends[] = {play->laserA[p], play->laserB[p], play->laserC[p], play->laserD[p]};
            for (int i = 0; i < 4; ++i) {
                if (ends[i] == 0)
                    continue;
                // Appended piece by piece: GCC 12 warns (-Wrestrict, falsely)
                // on a literal + a temporary string.
                if (!s.empty())
                    s += ' ';
                s += std::to_string(p);
                s += "ABCD"[i];
                if (lengths) {
                    s += '+';
                    s += std::to_string(ends[i] - now);
                }
            }
        }
        return s;
    }
    int now = 0;
};

TEST_F(InputTest, WhoSteersWhomInEachGameMode)
{
    struct Case {
        int mode, players;
        const char* arrows; // pulses of Right, Left, Up, Down, each 40 long
        const char* wasd;   // pulses of D, A, W, S
    };
    const Case cases[] = {
        {kModeNormal, 1, "0A 0C 0D 0B", "0A 0C 0D 0B"},
        {kModeNormal, 2, "0A 0C 0D 0B", "1A 1C 1D 1B"},
        {kModeRandomMissions, 2, "0A 0C 0D 0B", "1A 1C 1D 1B"},
        {kModeWaves, 1, "0A 0C 0D 0B", "0A 0C 0D 0B"},
        {kModeWaves, 2, "0A 0C 0D 0B", "1A 1C 1D 1B"},
        {kModeLaserZap, 1, "1A 1C 1D 1B", "1A 1C 1D 1B"},
        {kModeLaserZap, 2, "1A 1C 1D 1B", "1A 1C 1D 1B"},
        {kModeCrossfire, 1, "1A 1C 1D 1B", "1A 1C 1D 1B"},
        {kModeCrossfire, 2, "1A 1C 1D 1B", "1A 1C 1D 1B"},
        {5, 1, "- - - -", "- - - -"}, // no such mode: no steering
    };
    const int arrows[] = {KEY_RIGHT, KEY_LEFT, KEY_UP, KEY_DOWN};
    const int wasd[] = {KEY_D, KEY_A, KEY_W, KEY_S};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", " << c.players << " player(s)");
        StartWith(c.players, c.mode);
        std::string gotArrows, gotWasd;
        for (int i = 0; i < 4; ++i) {
            for (auto [keys, got] : {std::pair{arrows, &gotArrows}, std::pair{wasd, &gotWasd}}) {
                // The pointer rests on player 1's puck: no repulsion, no following.
                PlacePuck(0, 500.0f, 400.0f);
                mouse_x = 500;
                mouse_y = 400;
                ClearPulses();
                InputWith({keys[i]});
                LetGo();
                const std::string p = Pulses(false);
                if (!got->empty())
                    *got += ' ';
                *got += p.empty() ? "-" : p;
                const int lasers[] = {play->laserA[0], play->laserB[0], play->laserC[0], play->laserD[0],
                                      play->laserA[1], play->laserB[1], play->laserC[1], play->laserD[1]};
                for (int end : lasers)
                    EXPECT_TRUE(end == 0 || end == now + 40);
            }
        }
        EXPECT_EQ(gotArrows, c.arrows);
        EXPECT_EQ(gotWasd, c.wasd);
    }
}

TEST_F(InputTest, KeysSteerOnlyWhenJustPressedUnlessSomeoneIsPrecise)
{
    struct Case {
        const char* what;
        int players;
        int preciseHolder; // -1 nobody
        const char* pressed, *held;
    };
    const Case cases[] = {
        {"plain", 1, -1, "0A+40", ""},
        {"precise: held keys, half pulses", 1, 0, "", "0A+20"},
        {"the second player's precise steers the first", 2, 1, "", "0A+20"},
        {"a second puck out of play has no say", 1, 1, "0A+40", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartWith(c.players, kModeNormal);
        if (c.preciseHolder >= 0)
            play->playerPowerFlags[c.preciseHolder] = 1 << kPupPrecise;
        ClearPulses();
        InputWith({KEY_RIGHT});
        EXPECT_EQ(Pulses(), c.pressed);
        ClearPulses();
        now += 3;
        InputWith({KEY_RIGHT});
        EXPECT_EQ(Pulses(), c.held);
        LetGo();
    }
}

TEST_F(InputTest, NoSteeringUntilTheGoMoment)
{
    Start("[timing]\ncvar_hSecBeforeLevelStart=300\ncvar_hSecBeforeLevelStartSayGo=100\n");
    const int start = play->levelStartAt;
    for (auto [clock, steers] : {std::pair{start - 100, false}, std::pair{start - 99, true}}) {
        now = clock;
        ClearPulses();
        InputWith({KEY_UP});
        LetGo();
        EXPECT_EQ(Pulses(), steers ? "0D+40" : "") << start - clock;
    }
}

TEST_F(InputTest, CrossfireRepelsByAQuarterOfTheDistanceUpToTheEvenKick)
{
    constexpr int kLeft = 1, kRight = 2;
    struct Case {
        const char* what;
        float fx;         // puck x (y is 400)
        int mx, my;       // pointer
        int buttons;      // just pressed
        const char* pulses;
        bool laserOn;     // after the tick, from off
    };
    const Case cases[] = {
        {"pointer left and above", 500, 480, 360, 0, "0A+5 0B+10", true},
        {"pointer right and below", 500, 540, 412, 0, "0C+10 0D+3", true},
        {"far away: no more than the even kick", 500, 100, 700, 0, "0A+18 0D+18", true},
        {"left button holds off A and D", 500, 480, 360, kLeft, "0B+10", true},
        {"left button holds off A and D, below", 500, 540, 412, kLeft, "0C+10", true},
        {"right button holds off C and B", 500, 480, 360, kRight, "0A+5", true},
        {"right button holds off C and B, right", 500, 540, 412, kRight, "0D+3", true},
        {"both buttons", 500, 480, 360, kLeft | kRight, "", false},
        {"on the puck", 500, 500, 400, 0, "", true},
        {"distance from the whole-pixel puck", 500.9f, 497, 400, 0, "0A+0", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartWith(1, kModeCrossfire);
        PlacePuck(0, c.fx, 400.0f);
        play->playerX[0] = play->playerY[0] = 0;
        play->laserOn = false;
        mouse_x = c.mx;
        mouse_y = c.my;
        ClearPulses();
        InputWith({}, c.buttons);
        LetGo();
        EXPECT_EQ(Pulses(), c.pulses);
        EXPECT_EQ(play->laserOn, c.laserOn);
        EXPECT_EQ(play->playerX[0], 500);
        EXPECT_EQ(play->playerY[0], 400);
    }
    EXPECT_FALSE(Sounded("BEEP_SFX"));
}

TEST_F(InputTest, LaserZapFollowsThePointerAndDestroysOnlyOnAClick)
{
    StartWith(1, kModeLaserZap);
    PlacePuck(0, 500.0f, 400.0f);
    mouse_x = 531;
    mouse_y = 340;
    ClearPulses();
    InputWith({});
    EXPECT_FALSE(play->laserOn);
    EXPECT_EQ(Pulses(), "");
    EXPECT_FLOAT_EQ(play->playerFX[0], 1531.0f / 3);
    EXPECT_FLOAT_EQ(play->playerFY[0], 380.0f);
    EXPECT_EQ(play->playerX[0], 510);
    EXPECT_EQ(play->playerY[0], 380);
    EXPECT_FALSE(Sounded("BEEP_SFX"));

    now += 3;
    InputWith({}, 1); // the click
    EXPECT_TRUE(play->laserOn);
    EXPECT_EQ(Pulses(), "0A+9 0B+9 0C+9 0D+9");
    EXPECT_TRUE(Sounded("BEEP_SFX"));

    g_audio.FlushSounds();
    now += 3;
    ClearPulses();
    InputWith({}, 1); // held, not a click
    EXPECT_FALSE(play->laserOn);
    EXPECT_EQ(Pulses(), "");
    EXPECT_FALSE(Sounded("BEEP_SFX"));
}

TEST_F(InputTest, LaserZapPuckSmashesOnlyInTheTickOfAClick)
{
    Start("[eggSet1]\neggNum=1\n", 1, kModeLaserZap);
    now = CTickTimer::Now() + 100;
    PlacePuck(0, 500.0f, 400.0f);
    mouse_x = 500;
    mouse_y = 400;
    play->eggs[0]->x = 505;
    play->eggs[0]->y = 395;
    TickAt(now);
    EXPECT_EQ(play->levelPoints, 0);
    mouse_b = 1;
    TickAt(now + 3);
    EXPECT_EQ(play->levelPoints, 2);
}

TEST_F(InputTest, PauseHoldsTheClockTenHundredthsBeforeThePress)
{
    StartWith(1, kModeNormal);
    InputWith({KEY_P});
    EXPECT_EQ(play->pausedAt, now - 10);
    EXPECT_EQ(CTickTimer::Now(), now - 10);

    // The timer runs on; each tick puts the clock back. Held P does not
    // toggle, and keys do not steer while paused.
    now += 50;
    ClearPulses();
    InputWith({KEY_P, KEY_RIGHT});
    EXPECT_EQ(play->pausedAt, now - 60);
    EXPECT_EQ(CTickTimer::Now(), now - 60);
    EXPECT_EQ(Pulses(), "");
    LetGo();

    now = CTickTimer::Now() + 20;
    InputWith({KEY_P});
    EXPECT_EQ(play->pausedAt, 0);
    EXPECT_EQ(CTickTimer::Now(), now);
}

TEST_F(InputTest, ALostLevelTakesNoSteeringButRestartsWithSpace)
{
    Start("[eggSet1]\neggNum=2\n");
    now = CTickTimer::Now() + 100;
    play->levelPoints = -3;
    InputWith({KEY_RIGHT});
    EXPECT_EQ(Pulses(), "");
    LetGo();
    InputWith({KEY_SPACE});
    EXPECT_TRUE(Sounded("ANVIL_SFX"));
    EXPECT_EQ(play->levelPoints, 0);
}

TEST_F(InputTest, SpaceRestartsOnceAndOnlyWhenJustPressed)
{
    Start("[eggSet1]\neggNum=2\n");
    now = CTickTimer::Now() + 100;
    play->levelPoints = 3;
    play->eggs.pop_back();
    InputWith({KEY_SPACE});
    EXPECT_TRUE(Sounded("ANVIL_SFX"));
    EXPECT_EQ(play->levelPoints, 0);
    EXPECT_EQ(play->eggs.size(), 2u);
    EXPECT_EQ(play->levelStartAt, now);

    g_audio.FlushSounds();
    play->levelPoints = 3;
    now += 3;
    InputWith({KEY_SPACE}); // held
    EXPECT_EQ(play->levelPoints, 3);
    EXPECT_FALSE(Sounded("ANVIL_SFX"));
}

TEST_F(InputTest, LeavingTheMenuGoesToTheTitle)
{
    StartWith(1, kModeNormal);
    play->leaveToTitle = true;
    InputWith({});
    EXPECT_EQ(run->app.Current(), CStateIntro::Instance());
    CStateIntro::Instance()->Leave();
}

// Two virtual pads plugged in: the first steers as the arrows, the second
// as W/A/S/D.
class PadInputTest : public InputTest {
protected:
    void StartWithPads(int players, int mode)
    {
        StartWith(players, mode);
        bench.Start();
        for (int i = 0; i < 2; ++i)
            if (!bench.pads[i].Attach(i == 0 ? "Pad one" : "Pad two"))
                FAIL() << "pad " << i;
        g_controls.Poll(); // both seated, in this order
    }
    // Input alone at the clock now, with exactly these pad inputs down.
    void PadInputWith(std::initializer_list<std::pair<int, EPadInput>> down)
    {
        for (int p = 0; p < 2; ++p)
            for (int i = 0; i < kPadInputs; ++i)
                bench.pads[p].Press(EPadInput(i), false);
        for (auto [p, input] : down)
            bench.pads[p].Press(input, true);
        CTickTimer::SetNow(now);
        play->HandleInput(run->app);
    }
    void LetGoOfPads()
    {
        PadInputWith({});
        PadInputWith({});
    }
    SPadBench bench;
};

TEST_F(PadInputTest, EachPadSteersItsPlayerAndAnyPadTheOnlyOne)
{
    struct Case {
        int mode, players, seat;
        const char* pulses; // of Right, Left, Up, Down
    };
    const Case cases[] = {
        {kModeNormal, 1, 0, "0A 0C 0D 0B"},   {kModeNormal, 1, 1, "0A 0C 0D 0B"},
        {kModeNormal, 2, 0, "0A 0C 0D 0B"},   {kModeNormal, 2, 1, "1A 1C 1D 1B"},
        {kModeWaves, 2, 1, "1A 1C 1D 1B"},    {kModeLaserZap, 1, 0, "1A 1C 1D 1B"},
        {kModeCrossfire, 2, 1, "1A 1C 1D 1B"}, {kModeCrossfire, 2, 0, "1A 1C 1D 1B"},
    };
    const EPadInput directions[] = {kPadRight, kPadLeft, kPadUp, kPadDown};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", " << c.players << " player(s), pad " << c.seat);
        StartWithPads(c.players, c.mode);
        std::string got;
        for (EPadInput d : directions) {
            PlacePuck(0, 500.0f, 400.0f);
            mouse_x = 500;
            mouse_y = 400;
            ClearPulses();
            PadInputWith({{c.seat, d}});
            const std::string p = Pulses(false);
            got += (got.empty() ? "" : " ") + (p.empty() ? std::string("-") : p);
            LetGoOfPads();
        }
        EXPECT_EQ(got, c.pulses);
    }
}

// Both pads at once, a diagonal on each: four pulses, two per player;
// held, they steer only while someone holds the precise power-up.
TEST_F(PadInputTest, TwoPadsSteerTwoPlayersAtOnceAndHeldCountsOnlyWithPrecise)
{
    StartWithPads(2, kModeNormal);
    ClearPulses();
    PadInputWith({{0, kPadRight}, {0, kPadDown}, {1, kPadLeft}, {1, kPadUp}});
    EXPECT_EQ(Pulses(), "0A+40 0B+40 1C+40 1D+40");
    ClearPulses();
    now += 3;
    PadInputWith({{0, kPadRight}, {0, kPadDown}, {1, kPadLeft}, {1, kPadUp}});
    EXPECT_EQ(Pulses(), "") << "held";
    play->playerPowerFlags[1] = 1 << kPupPrecise;
    now += 3;
    PadInputWith({{0, kPadRight}, {1, kPadUp}});
    EXPECT_EQ(Pulses(), "0A+20 1D+20") << "held, with precise";

    // The left stick diagonally, past half way on both axes.
    play->playerPowerFlags[1] = 0;
    LetGoOfPads();
    ClearPulses();
    bench.pads[0].Tilt(kPadLeftX, -24000);
    bench.pads[0].Tilt(kPadLeftY, -24000);
    PadInputWith({});
    EXPECT_EQ(Pulses(), "0C+40 0D+40");
}

// Start pauses and resumes as P does, Y restarts as Space does, Back goes
// back to the level-select screen on its release as Escape does.
TEST_F(PadInputTest, StartPausesYRestartsBackLeavesOnRelease)
{
    Start("[eggSet1]\neggNum=2\n");
    now = CTickTimer::Now() + 100;
    bench.Start();
    ASSERT_TRUE(bench.pads[0].Attach());
    PadInputWith({{0, kPadStart}});
    EXPECT_EQ(play->pausedAt, now - 10);
    now += 20;
    PadInputWith({{0, kPadStart}}); // held: no toggle
    EXPECT_NE(play->pausedAt, 0);
    PadInputWith({});
    PadInputWith({{0, kPadStart}});
    EXPECT_EQ(play->pausedAt, 0);
    LetGoOfPads();

    play->levelPoints = 3;
    play->eggs.pop_back();
    PadInputWith({{0, kPadY}});
    EXPECT_TRUE(Sounded("ANVIL_SFX"));
    EXPECT_EQ(play->levelPoints, 0);
    EXPECT_EQ(play->eggs.size(), 2u);
    LetGoOfPads();
    g_audio.FlushSounds();

    int menuPasses = 0;
    g_modalPassHook = Guarded([&] { // the level-select screen, chosen away from at once
        ++menuPasses;
        CHeadlessPlay::SetKey(KEY_ESC, menuPasses % 2 == 1);
    });
    PadInputWith({{0, kPadBack}});
    EXPECT_EQ(menuPasses, 0) << "not on the press";
    testing::internal::CaptureStderr(); // no art here, and the screen says so
    PadInputWith({});
    testing::internal::GetCapturedStderr();
    g_modalPassHook = nullptr;
    EXPECT_GT(menuPasses, 0) << "the level-select screen ran";
    EXPECT_EQ(run->app.Current(), CStatePlay::Instance());
    CStatePlay::Instance()->Leave();
}

} // namespace
