#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One level of the campaign as the autopilot plays it.
struct SLevelChoice {
    std::string name;  // "7" for play-7, "2r" for play-2r
    int level = 0;     // the level number the play state is given
    int gameMode = 0;  // 0 normal, 1 random missions
    unsigned seed = 0; // srand seed, fixed per level

    // Parses "7" or "2r"; false for anything else.
    static bool Parse(const std::string& text, SLevelChoice& choice);
    static std::vector<SLevelChoice> Campaign();
};

struct SLevelResult {
    SLevelChoice choice;
    bool won = false;
    bool timedOut = false;
    int points = 0;   // level points when the level ended
    int target = 0;   // cvar_pointsToWin
    long ticks = 0;
    std::vector<uint8_t> keys; // EBotKey bits held in each tick

    int Margin() const { return points - target; }
};

// Plays one level headless through the real play state, with the bot or,
// when keys are given, with those recorded keys.
// When snapshotDir is given, the play assets are loaded as the level-select
// screen loads them and the frame at kSnapshotTick is saved there as a PNG.
SLevelResult RunLevel(const SLevelChoice& choice, const std::vector<uint8_t>* keys, const std::string& snapshotDir = "");
