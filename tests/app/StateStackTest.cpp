#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/GameApp.h"
#include "app/State.h"
#include "app/TickTimer.h"
#include "audio/Audio.h"

namespace {

// Records every call it receives into a shared log.
class CRecordingState : public CState {
public:
    CRecordingState(std::string name, std::vector<std::string>& log) : name(std::move(name)), log(log) {}
    void Enter() override { log.push_back(name + ".Enter"); }
    void Leave() override { log.push_back(name + ".Leave"); }
    void Pause() override { log.push_back(name + ".Pause"); }
    void Resume() override { log.push_back(name + ".Resume"); }
    void HandleInput(CGameApp& app) override
    {
        log.push_back(name + ".HandleInput");
        if (onInput)
            onInput(app);
    }
    void Update(CGameApp&) override { log.push_back(name + ".Update"); }
    void Draw(CGameApp&) override { log.push_back(name + ".Draw"); }

    std::string name;
    std::vector<std::string>& log;
    std::function<void(CGameApp&)> onInput;
};

using Log = std::vector<std::string>;

TEST(StateStack, ChangeToCurrentStateLeavesAndEntersSameObject)
{
    Log log;
    CRecordingState a("a", log);
    CGameApp app;
    app.ChangeState(&a);
    app.ChangeState(&a);
    EXPECT_EQ(log, (Log{"a.Enter", "a.Leave", "a.Enter"}));
    EXPECT_EQ(app.Current(), &a);
}

TEST(StateStack, PushThenPopPausesAndResumesWithoutSecondEnter)
{
    Log log;
    CRecordingState a("a", log), b("b", log);
    CGameApp app;
    app.ChangeState(&a);
    app.PushState(&b);
    app.PopState();
    EXPECT_EQ(log, (Log{"a.Enter", "a.Pause", "b.Enter", "b.Leave", "a.Resume"}));
    EXPECT_EQ(app.Current(), &a);
}

TEST(StateStack, PopOnEmptyStackDoesNothing)
{
    CGameApp app;
    app.PopState();
    EXPECT_EQ(app.Current(), nullptr);
    app.HandleInput(); // forwarding calls on an empty stack are harmless too
    app.Update();
}

TEST(MainLoop, SwitchInHandleInputGivesUpdateOfTheNewState)
{
    Log log;
    CRecordingState a("a", log), b("b", log);
    CGameApp app;
    app.ChangeState(&a);
    a.onInput = [&](CGameApp& ap) { ap.ChangeState(&b); };
    log.clear();
    CTickTimer::pendingTicks = 1;
    app.RunFrame();
    EXPECT_EQ(log, (Log{"a.HandleInput", "a.Leave", "b.Enter", "b.Update", "b.Draw"}));
    EXPECT_FALSE(g_timer.Pending());
}

TEST(MainLoop, QuitDuringBurstStillWorksOffPendingTicksAndDrawsOnce)
{
    Log log;
    CRecordingState a("a", log);
    CGameApp app;
    app.SetRunning(true);
    app.ChangeState(&a);
    a.onInput = [&](CGameApp& ap) { ap.Quit(); };
    log.clear();
    CTickTimer::pendingTicks = 3;
    app.RunFrame();
    EXPECT_FALSE(app.IsRunning());
    EXPECT_EQ(std::count(log.begin(), log.end(), "a.Update"), 3);
    EXPECT_EQ(log.back(), "a.Draw");
    EXPECT_EQ(std::count(log.begin(), log.end(), "a.Draw"), 1);
}

TEST(StateStack, ChangeReplacesTheTopWhilePushKeepsItBelow)
{
    Log log;
    CRecordingState a("a", log), b("b", log), c("c", log);
    CGameApp app;
    app.PushState(&a);   // empty stack: nothing to pause
    app.ChangeState(&b); // a is left and gone for good
    app.PushState(&c);   // b waits below c
    EXPECT_EQ(app.Current(), &c);
    app.PopState();
    EXPECT_EQ(app.Current(), &b);
    app.PopState(); // nothing left to resume
    EXPECT_EQ(log, (Log{"a.Enter", "a.Leave", "b.Enter", "b.Pause", "c.Enter", "c.Leave", "b.Resume", "b.Leave"}));
    EXPECT_EQ(app.Current(), nullptr);
}

TEST(MainLoop, EveryPendingTickRunsInputThenUpdateBeforeOneFrame)
{
    Log log;
    CRecordingState a("a", log);
    CGameApp app;
    app.ChangeState(&a);
    log.clear();
    CTickTimer::pendingTicks = 3;
    app.RunFrame();
    EXPECT_EQ(log, (Log{"a.HandleInput", "a.Update", "a.HandleInput", "a.Update", "a.HandleInput", "a.Update",
                        "a.Draw"}));
    EXPECT_EQ(CTickTimer::pendingTicks.load(), 0);
    log.clear();
    app.RunFrame(); // no tick waiting: the frame is drawn at once
    EXPECT_EQ(log, (Log{"a.Draw"}));
}

// The sounds queued during the ticks are started as the frame begins, before
// the state draws; without that the game would be silent.
TEST(MainLoop, FramePlaysQueuedSoundsBeforeTheStateDraws)
{
    Log log;
    CRecordingState a("a", log);
    CGameApp app;
    app.ChangeState(&a);
    SAMPLE anvil{};
    g_audio.hooks.find = [&](const std::string& name) { return name == "ANVIL_SFX" ? &anvil : nullptr; };
    g_audio.hooks.play = [&](SAMPLE* s, int, int, int) { log.push_back(s == &anvil ? "play ANVIL_SFX" : "play ?"); };
    g_audio.PlaySound("ANVIL_SFX");
    log.clear();
    app.RunFrame();
    EXPECT_EQ(log, (Log{"play ANVIL_SFX", "a.Draw"}));
    EXPECT_TRUE(g_audio.pendingSounds.empty());
    g_audio = CAudio();
}

TEST(TickTimer, PendingOnlyForPositiveCountsAndResetDropsThem)
{
    for (int count : {-3, -1, 0})
    {
        CTickTimer::pendingTicks = count;
        EXPECT_FALSE(g_timer.Pending()) << count;
    }
    CTickTimer::pendingTicks = 35;
    EXPECT_TRUE(g_timer.Pending());
    g_timer.Consume();
    EXPECT_EQ(CTickTimer::pendingTicks.load(), 34);
    g_timer.Reset();
    EXPECT_FALSE(g_timer.Pending());
}

TEST(TickTimer, ResetLeavesTheHundredthsClockAlone)
{
    CTickTimer::SetNow(1234);
    g_timer.Reset();
    EXPECT_EQ(CTickTimer::Now(), 1234);
}

} // namespace
