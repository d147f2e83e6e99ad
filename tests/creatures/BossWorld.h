#pragma once
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "app/Display.h"
#include "app/TickTimer.h"
#include "audio/Audio.h"
#include "creatures/Boss.h"
#include "creatures/Egg.h"
#include "creatures/TickView.h"
#include "creatures/Toy.h"

// The play state's side of a boss tick, small enough to set up per test:
// up to two pucks, their powers and trails, the toys, the eggs and the points.
struct SBossWorld {
    int px[2] = {};
    int py[2] = {};
    float pfx[2] = {};
    float pfy[2] = {};
    int powers[2] = {};
    int points = 0;
    float trailX[kTrailPoints][kMaxPlayers] = {};
    float trailY[kTrailPoints][kMaxPlayers] = {};
    ToyList toys;
    EggList eggs;
    STickView view;

    SBossWorld()
    {
        view.playerX = px;
        view.playerY = py;
        view.playerFX = pfx;
        view.playerFY = pfy;
        view.playerPowerFlags = powers;
        view.levelPoints = &points;
        view.trailX = trailX;
        view.trailY = trailY;
        view.toys = &toys;
        view.eggs = &eggs;
        view.numPlayers = 1;
        view.crackRadius = 20;
        view.edgeInfect = 30;
        view.eggMinLife = 300;
        view.eggMaxLife = 500;
        // Far outside everything unless a test places them; far trail points too.
        PlacePlayer(0, 5000, 5000);
        PlacePlayer(1, 5000, 5000);
        for (auto& p : trailX)
            p[0] = p[1] = -5000;
        for (auto& p : trailY)
            p[0] = p[1] = -5000;
    }
    void PlacePlayer(int i, int x, int y)
    {
        px[i] = x;
        py[i] = y;
        pfx[i] = static_cast<float>(x);
        pfy[i] = static_cast<float>(y);
    }
    CToy& AddToy(int type, int x, int y, float vx = 0, float vy = 0)
    {
        auto toy = std::make_unique<CToy>();
        toy->type = type;
        toy->x = x;
        toy->y = y;
        toy->fx = static_cast<float>(x);
        toy->fy = static_cast<float>(y);
        toy->vx = vx;
        toy->vy = vy;
        toys.push_back(std::move(toy));
        return *toys.back();
    }
};

// A boss of the given kind with plain tunables, not due to think for a while.
inline CBoss MakeBoss(int type, int x, int y)
{
    CBoss boss;
    boss.Init(x, y, type);
    boss.turnSpeed = 4;
    boss.walkSpeed = 2;
    boss.runSpeed = 5;
    boss.attackFreq = 0;
    boss.damagePerPlayerBump = 10;
    boss.damagePerOtherHarm = 5;
    boss.hsecInvincibleWhenHurt = 50;
    boss.hsecBetweenThinking = 100;
    boss.hsecBetweenThinkingWhenMad = 30;
    boss.nextThink = CTickTimer::Now() + 1000;
    return boss;
}

// Fixed clock, seeded chance, an empty sound queue and a back buffer.
class BossTestBase : public ::testing::Test {
protected:
    static constexpr int kNow = 10000;

    void SetUp() override
    {
        CTickTimer::SetNow(kNow);
        std::srand(7);
        g_audio.FlushSounds();
        g_display.backBuffer = create_bitmap(kScreenW, kScreenH);
        clear_to_color(g_display.backBuffer, 0); // new bitmaps hold whatever memory held
    }
    void TearDown() override
    {
        destroy_bitmap(g_display.backBuffer);
        g_display.backBuffer = nullptr;
        g_audio.FlushSounds();
    }
    static bool Heard(const char* tag) { return g_audio.pendingSounds.count(tag) > 0; }

    SBossWorld world;
};
