#pragma once
#include <memory>

#include "creatures/Egg.h"
#include "creatures/TickView.h"
#include "creatures/Toy.h"

// A play state's tick in miniature: the per-player arrays a creature update
// reads and writes, wired into an STickView. Both players and their trails
// start far outside every reach; the arena is the screen less 50 pixels.
struct STickWorld {
    static constexpr int kFar = -1000;

    int playerX[kMaxPlayers] = {kFar, kFar};
    int playerY[kMaxPlayers] = {kFar, kFar};
    float playerFX[kMaxPlayers] = {};
    float playerFY[kMaxPlayers] = {};
    float playerVX[kMaxPlayers] = {};
    float playerVY[kMaxPlayers] = {};
    int reach[kMaxPlayers] = {20, 20};
    int flags[kMaxPlayers] = {};
    int laserA[kMaxPlayers] = {};
    int laserB[kMaxPlayers] = {};
    int laserC[kMaxPlayers] = {};
    int laserD[kMaxPlayers] = {};
    int levelPoints = 0;
    int eggsSmashed[kMaxPlayers] = {};
    int aliensKilled[kMaxPlayers] = {};
    float trailX[kTrailPoints][kMaxPlayers] = {};
    float trailY[kTrailPoints][kMaxPlayers] = {};
    ToyList toys;
    EggList eggs;
    STickView view;

    STickWorld()
    {
        for (int j = 0; j < kTrailPoints; ++j)
            for (int p = 0; p < kMaxPlayers; ++p)
                trailX[j][p] = trailY[j][p] = kFar;
        view.playerX = playerX;
        view.playerY = playerY;
        view.playerFX = playerFX;
        view.playerFY = playerFY;
        view.playerVX = playerVX;
        view.playerVY = playerVY;
        view.reach = reach;
        view.playerPowerFlags = flags;
        view.laserA = laserA;
        view.laserB = laserB;
        view.laserC = laserC;
        view.laserD = laserD;
        view.levelPoints = &levelPoints;
        view.eggsSmashed = eggsSmashed;
        view.aliensKilled = aliensKilled;
        view.trailX = trailX;
        view.trailY = trailY;
        view.toys = &toys;
        view.eggs = &eggs;
        view.numPlayers = kMaxPlayers;
        view.crackRadius = 20;
        view.tCellBounce = 1.0f;
        view.transverseHSec = 100;
        view.edgeInfect = 30;
        view.arenaLeft = 50;
        view.arenaTop = 50;
        view.arenaRight = 974;
        view.arenaBottom = 718;
    }
    STickWorld(const STickWorld&) = delete;
    STickWorld& operator=(const STickWorld&) = delete;

    void PutPlayer(int player, int x, int y)
    {
        playerX[player] = x;
        playerY[player] = y;
    }
    void Give(int player, int power) { flags[player] |= 1 << power; }

    // A toy at rest at exactly (x, y), appended to the toy list.
    CToy& AddToy(int type, int x, int y)
    {
        toys.push_back(std::make_unique<CToy>());
        CToy& toy = *toys.back();
        toy.Init(x, x, y, y, type);
        toy.vx = toy.vy = 0;
        return toy;
    }
};
