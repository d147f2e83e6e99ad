#pragma once
#include <string>
#include <vector>

class CStatePlay;
struct SArena;
struct SEggSet;

// Checks the state definition files under data/states/ for what the game
// would otherwise only find in play: broken parent chains, missing image
// sets, unknown toys and bosses, unplaceable areas, unbeatable bosses,
// divisors of zero and targets that cannot be reached.
class CLevelLint {
public:
    explicit CLevelLint(CStatePlay& play) : play(play) {}

    // Lints one state file by name ("play-7", "base"); problems accumulate.
    void LintFile(const std::string& name);
    // Lints every file of the folder and reports level files that are missing.
    void LintAll();

    const std::vector<std::string>& Problems() const { return problems; }

    // The levels and random-mission files the campaign must have.
    static std::vector<std::string> ExpectedLevelNames();

private:
    void Problem(const std::string& file, const std::string& text);
    bool CheckChain(const std::string& name, std::vector<std::string>& imageSets);
    void CheckLevel(const std::string& name, const std::vector<std::string>& imageSets);
    void CheckTunables(const std::string& name);
    void TakeValueReports(const std::string& name);
    // What egg and toy areas are checked against: the start point and the clearance.
    struct SPlacement {
        int sx, sy;    // start point, pixels
        int clearance; // pixels
    };
    SPlacement Placement(const SArena& arena) const;
    int CheckEggSets(const std::string& name, const SArena& arena, bool& detonateOffered);
    int CheckToySets(const std::string& name, const SArena& arena, int& tCells, int& food);
    int CheckBoss(const std::string& name, const SArena& arena, int tCells, int food, bool detonateOffered);
    void CheckPowerWeights(const std::string& name, const SEggSet& set, bool& detonateOffered);

    CStatePlay& play;
    std::vector<std::string> problems;
};
