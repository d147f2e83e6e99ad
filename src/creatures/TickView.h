#pragma once
#include <memory>
#include <vector>

class CToy;
class CEgg;
class CAlien;

using ToyList = std::vector<std::unique_ptr<CToy>>;
using EggList = std::vector<std::unique_ptr<CEgg>>;
using AlienList = std::vector<std::unique_ptr<CAlien>>;

constexpr int kMaxPlayers = 2;
constexpr int kTrailPoints = 15;

// Power-up kinds, also the bit numbers of playerPowerFlags.
enum EPowerUp {
    kPupPlainEgg = 0,
    kPupMagnetic = 1,
    kPupDisrupt = 2,
    kPupMushroom = 3,
    kPupTrail = 4,
    kPupSpeedup = 5,
    kPupFreeze = 6,
    kPupPrecise = 7,
    kPupDetonate = 8,
    kPupEmptyShell = 9,
};
inline bool HasPower(int flags, int kind) { return (flags >> kind) & 1; }

// The play state's view of one tick, handed to every creature update. The
// names are the play state's own; arrays are indexed by player (0, 1) and,
// for the trail, [point][player]. What a creature may change is non-const:
// points and tallies, power-ups collected, pulses swapped by a power-up egg,
// pucks shoved by a boss, and the toys and eggs themselves.
struct STickView {
    const int* playerX = nullptr;         // [2] whole-pixel puck centres
    const int* playerY = nullptr;         // [2]
    float* playerFX = nullptr;            // [2] exact puck centres (bosses shove them)
    float* playerFY = nullptr;            // [2]
    const float* playerVX = nullptr;      // [2] pixels moved in the last tick
    const float* playerVY = nullptr;      // [2]
    const int* reach = nullptr;           // [2] smashing reach, -1 = none
    int* playerPowerFlags = nullptr;      // [2] bit n = power-up n held
    int* laserA = nullptr;                // [2] pulse ends (clock), pushes right
    int* laserB = nullptr;                // [2] pushes down
    int* laserC = nullptr;                // [2] pushes left
    int* laserD = nullptr;                // [2] pushes up
    int* levelPoints = nullptr;
    int* eggsSmashed = nullptr;           // [2]
    int* aliensKilled = nullptr;          // [2]
    const float (*trailX)[kMaxPlayers] = nullptr; // [15][2]
    const float (*trailY)[kMaxPlayers] = nullptr; // [15][2]
    ToyList* toys = nullptr;
    EggList* eggs = nullptr;
    int numPlayers = 1;

    float windX = 0;             // pixels per tick
    float windY = 0;
    int crackRadius = 0;         // pixels
    float tCellBounce = 0;       // T-cell damping factor
    int pupFlickerShowTime = 0;  // hundredths
    float pullOnEggs = 0;
    float pullOnParasites = 0;
    float moveSpeed = 0;         // alien crawl, pixels per tick
    float transverseSpeed = 0;   // alien drift change per tick
    int transverseHSec = 0;      // hundredths
    int edgeInfect = 0;          // infection border, pixels
    int freezeUntil = 0;         // clock, 0 = no freeze
    int arenaLeft = 0, arenaTop = 0, arenaRight = 0, arenaBottom = 0;
    int eggMinLife = 0, eggMaxLife = 0; // hundredths, for eggs laid by a boss
};
