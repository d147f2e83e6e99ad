#pragma once
#include <cstdint>
#include <map>
#include <vector>

#include "PuckSim.h"

class CStatePlay;

// A player at the keyboard: looks at what the screen shows (eggs, parasites,
// opened power-ups, toys, the boss, its own puck and beams) and taps the
// arrow keys. It never reads what a player cannot see, such as hatch times;
// a trembling egg is seen to tremble. It draws no random numbers, so the
// game's own sequence is the same whether the bot or a recording plays.
class CBot {
public:
    void Reset();
    // The arrow keys to hold down for the next tick (EBotKey bits).
    int Decide(const CStatePlay& play);

private:
    struct SGoal {
        float x = 0, y = 0;   // pixels
        float vx = 0, vy = 0; // pixels per tick
        float value = 0;      // how much reaching it is worth now
        int reach = 0;        // pixels, the square distance that counts as reached
        const void* id = nullptr;
    };
    struct SHazard {
        float x, y, vx, vy; // pixels, pixels per tick
        float radius;       // square half-size to keep out of
        bool bounces;       // bounces off the arena like a toy
    };

    void EstimateWind(const CStatePlay& play);
    void TrackMotion(const CStatePlay& play);
    void SeeHazards(const CStatePlay& play);
    void SeeGoals(const CStatePlay& play);
    void SeeEggs(const CStatePlay& play);
    void SeeAliens(const CStatePlay& play);
    void SeeBoss(const CStatePlay& play);
    void SeeLure(const CStatePlay& play);
    void SeeStemCells(const CStatePlay& play);
    bool DeadlyBoss(const CStatePlay& play) const;
    const SGoal* ChooseGoal();
    int ChooseKeys(const CStatePlay& play, const SGoal* goal);
    float Cost(const CStatePlay& play, SPuckSim sim, const SGoal* goal) const;
    float Eta(float x, float y) const;

    std::vector<SGoal> goals;
    std::vector<SHazard> hazards;
    std::map<const void*, std::pair<float, float>> lastSeen; // positions a tick ago
    std::map<const void*, long> given;                        // goals given up, until tick
    const void* goalId = nullptr;
    long goalSince = 0;     // tick the current goal was chosen
    long tick = 0;
    int lastKeys = 0;
    float windX = 0, windY = 0; // estimated push per tick
    float puckX = 0, puckY = 0; // pixels
    int radius = 0;             // the puck's reach this tick
    bool fleeing = false;       // a boss that must not be touched is close
};
