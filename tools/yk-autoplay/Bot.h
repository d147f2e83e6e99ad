#pragma once
#include <cstdint>
#include <deque>
#include <map>
#include <vector>

#include "PuckSim.h"

class CStatePlay;

// A player at the keyboard: looks at what the screen shows (eggs, parasites,
// opened power-ups, toys, the boss, its own puck and beams) and taps the
// arrow keys. It never reads what a player cannot see, such as hatch times;
// a trembling egg is seen to tremble. It draws no random numbers, so the
// game's own sequence is the same whether the bot or a recording plays.
//
// It plays at a person's pace: it acts on what the screen showed a reaction
// time ago (its own puck it follows from the keys it pressed since, the way
// a player's hands know what they did), and its fingers manage only a few
// new presses a second.
class CBot {
public:
    static constexpr int kReactionTicks = 7; // about 0.2 s
    static constexpr int kPressGap = 7;      // ticks of credit a press costs: 5 presses a second
    static constexpr int kPressBurst = 2;    // presses that can be saved up, e.g. for a diagonal

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
    // What one frame showed.
    struct SPercept {
        std::vector<SGoal> goals;
        std::vector<SHazard> hazards;
        bool deadlyBoss = false, bossChases = false;
        float bossX = 0, bossY = 0, bossVX = 0, bossVY = 0;
        SPuckSim puck; // the puck and its beams as they were then
        bool precise = false;
        int fired = 0; // the beams its keys started in answer
    };

    void EstimateWind(const CStatePlay& play);
    void TrackMotion(const CStatePlay& play);
    void SeeHazards(const CStatePlay& play, SPercept& p);
    void SeeGoals(const CStatePlay& play, SPercept& p);
    void SeeEggs(const CStatePlay& play, SPercept& p);
    void SeeAliens(const CStatePlay& play, SPercept& p);
    void SeeBoss(const CStatePlay& play, SPercept& p);
    void SeeLure(const CStatePlay& play, SPercept& p);
    void SeeStemCells(const CStatePlay& play, SPercept& p);
    bool DeadlyBoss(const CStatePlay& play) const;
    void Recall();
    bool NextToHazard(const SGoal& g) const;
    const SGoal* ChooseGoal();
    bool Refuge(const CStatePlay& play, SGoal& out) const;
    const SHazard* Blocker(float ax, float ay, float bx, float by) const;
    bool Detour(const CStatePlay& play, const SGoal& goal, SGoal& via) const;
    int ChooseKeys(const CStatePlay& play, const SGoal* goal);
    float Cost(const CStatePlay& play, SPuckSim sim, const SGoal* goal, int hold, int holdTicks) const;
    float Eta(float x, float y) const;

    std::deque<SPercept> seen; // the last frames, oldest first
    // What the bot acts on: the oldest frame it remembers, moved on by the time since.
    std::vector<SGoal> goals;
    std::vector<SHazard> hazards;
    SPuckSim puck; // where its own puck must be by now
    bool deadlyBoss = false, bossChases = false;
    float bossX = 0, bossY = 0, bossVX = 0, bossVY = 0;
    bool precise = false; // holding a key keeps firing

    std::map<const void*, std::pair<float, float>> lastSeen; // positions a tick ago
    std::map<const void*, long> given;                        // goals given up, until tick
    const void* goalId = nullptr;
    long goalSince = 0;     // tick the current goal was chosen
    long tick = 0;
    int lastKeys = 0;
    int pressCredit = kPressGap * kPressBurst; // ticks saved up toward the next presses
    float windX = 0, windY = 0; // estimated push per tick
    float puckX = 0, puckY = 0; // pixels, where the bot believes its puck is
    int radius = 0;             // the puck's reach this tick
    bool fleeing = false;       // a boss that must not be touched is close
    int cellRow = -1, cellCol = -1; // the stem cell aimed at
};
