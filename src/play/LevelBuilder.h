#pragma once
#include <string>

class CStatePlay;
struct SArena;
struct SEggSet;
struct SToySet;

// Level set-up: loads the level's state file and builds the level in the
// play state from it: arena, start point, egg and toy sets, the boss. The
// order of its rand() draws is part of what a recorded game replays.
class CLevelBuilder {
public:
    explicit CLevelBuilder(CStatePlay& play) : play(play) {}

    // 0 when the level was built, 1 when there is no level.
    int Build();

private:
    void ResetLevel();
    void PlacePlayers();
    void PlaceEggs(const SEggSet& set, int clearance, int lifeShift);
    void PlaceToys(const SToySet& set, int clearance, const std::string& file);
    void SetUpBoss(const SArena& arena, const std::string& file);
    bool NearStart(int x, int y, int clearance) const;
    bool NearEgg(int x, int y, int clearance) const;

    CStatePlay& play;
};
