#pragma once
#include <allegro.h>

#include <memory>
#include <string>

#include "app/TickTimer.h"
#include "audio/Audio.h"
#include "testkit/HeadlessPlay.h"
#include "play/ModalLoop.h"
#include "play/StatePlay.h"
#include "support/TempDir.h"

// A play state over small level files written into a temporary folder,
// with the clock and keys driven by hand.
class PlayTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        srand(7);
        CTickTimer::SetNow(1000);
        CHeadlessPlay::ReleaseAllKeys();
        play = std::make_unique<CStatePlay>();
        run = std::make_unique<CHeadlessPlay>(*play);
        g_audio.FlushSounds();
        g_audio.currentTrack = -1;
        State("base", kBase);
    }
    void TearDown() override
    {
        run.reset();
        play.reset();
        g_modalPassHook = nullptr;
        CHeadlessPlay::ReleaseAllKeys();
        TempDirTest::TearDown();
    }
    void State(const std::string& name, const std::string& text) { WriteFile("data/states/" + name + ".yks", text); }
    // A level file over the base values; extra holds sections of its own.
    void Level(const std::string& name, const std::string& extra)
    {
        State(name, "[include]\nimageSet=noLoad\nparent=base\n" + extra);
    }
    bool Sounded(const char* tag) const { return g_audio.pendingSounds.count(tag) > 0; }
    // Builds level 1 from the base values and extra sections of its own.
    void Start(const std::string& extra = "", int players = 1, int mode = kModeNormal)
    {
        Level("play-1", extra);
        ASSERT_EQ(run->StartLevel(1, players, mode), 0);
        g_audio.FlushSounds();
    }
    // One tick of rules at a clock chosen by the test, without a frame.
    void UpdateAt(int now)
    {
        CTickTimer::SetNow(now);
        play->Update(run->app);
    }
    // One tick of input and rules at a chosen clock, without a frame.
    void TickAt(int now)
    {
        CTickTimer::SetNow(now);
        play->HandleInput(run->app);
        play->Update(run->app);
    }
    // Puts a puck on an exact point.
    void PlacePuck(int p, float x, float y)
    {
        play->playerFX[p] = x;
        play->playerFY[p] = y;
        play->playerX[p] = static_cast<int>(x);
        play->playerY[p] = static_cast<int>(y);
    }

    static constexpr const char* kBase =
        "[include]\nimageSet=noLoad\n"
        "[goals]\ncvar_pointsToWin=4\n"
        "[timing]\ncvar_hSecLaserPulse=40\ncvar_hSecBeforeLevelMoveOn=100\ncvar_hSecBeforeLevelStart=0\n"
        "cvar_hSecBeforeLevelStartSayGo=0\ncvar_hSecEggMinLife=5000\ncvar_hSecEggMaxLife=6000\n"
        "cvar_crackWarningTime=100\n"
        "[setup]\ncvar_playerNormalizedStartX=0.5\ncvar_playerNormalizedStartY=0.5\n"
        "[action]\ncvar_crackRadius=20\ncvar_movePowerArrow=4\ncvar_movePowerDropoff=0.5\ncvar_kickAwayPerc=0.5\n"
        "cvar_windXPower=0\ncvar_windYPower=0\ncvar_windXInterval=1000\ncvar_windYInterval=1000\n"
        "cvar_toyTCellBounce=0.9\n"
        "[alien]\ncvar_friendlyOdds=50\ncvar_alienEdgeInfect=30\ncvar_alienMoveSpeed=1\n"
        "cvar_alienTransverseSpeed=0.1\ncvar_alienTransverseHSec=100\n"
        "[visuals]\ncvar_laserDropoffIntensity=100\ncvar_crackWarningDist=3\ncvar_crackSolidShowTime=50\n"
        "cvar_crackFlickerShowTime=100\n"
        "[pup_overall]\ncvar_pupSolidShowTime=100\ncvar_pupFlickerShowTime=100\ncvar_pup_plainegg_freq=1\n"
        "[pup_magnetic]\ncvar_pup_magnetic_pullOnEggs=0.05\ncvar_pup_magnetic_pullOnParasites=0.05\n"
        "[pup_mushroom]\ncvar_pup_mushroom_laserWidthNormal=0.2\ncvar_pup_mushroom_laserWidthSuper=0.4\n"
        "[pup_speedup]\ncvar_pup_speedup_movePowerMult=2\n[pup_freeze]\ncvar_pup_freeze_time=300\n"
        "[pup_precise]\ncvar_pup_precise_movePowerMult=3\n"
        "[pup_detonate]\ncvar_pup_det_range=100\ncvar_pup_det_damageToBoss=10\ncvar_pup_det_flashtime=50\n";

    std::unique_ptr<CStatePlay> play;
    std::unique_ptr<CHeadlessPlay> run;
};
