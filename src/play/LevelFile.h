#pragma once
#include <cstdint>
#include <string>
#include <vector>

class CStatePlay;

// The egg, toy and boss sections of a level file, read from the current
// configuration exactly as level set-up uses them. Set-up places what it
// reads here, and yk-lint judges the same values, so the two cannot differ
// on what a level means.

// The rectangle of puck centres, in pixels.
struct SArena {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};
// The arena the frame pictures leave: lanterns half inside it, corners whole.
SArena ArenaOfFrame();
// The point both pucks start on, from the start tunables.
void StartPoint(const SArena& arena, const CStatePlay& play, float& x, float& y);

// One axis of a placement area: a single line at the "fixed" key, or the
// "lo" to "hi" keys, as parts of the arena size.
struct SAreaKeys {
    const char* fixed;
    const char* lo;
    const char* hi;
};
struct SAxisRange {
    float partLo = 0, partHi = 0; // as stated (swapped where the kind swaps)
    int lo = 0, hi = 0;           // pixels
    bool WithinArena() const { return partLo >= 0.0f && partHi <= 1.0f; }
    bool Reversed() const { return partHi < partLo; }
};
// Eggs and toys swap a reversed range; the boss does not (it draws from lo
// on, away from hi), so for the boss a reversed range is a fault of the file.
// Parts are held to kMaxAreaPart either side (file names the clamp).
SAxisRange ReadAxis(const char* section, const SAreaKeys& keys, int origin, int size, bool swap,
                    const std::string& file);
// Areas, counts, weights and lives as far as the game's arithmetic and a
// level start in good time allow; no level worth playing comes near them.
constexpr float kMaxAreaPart = 10.0f;    // arena sizes either side of its corner
constexpr int kMaxEggs = 500;            // of all egg sets together (the campaign has 50)
constexpr int kMaxToys = 100;            // of all toy sets together (each kept clear of every egg)
constexpr int kMaxWeight = 1000000;      // one direction or power-up weight
constexpr int kMaxEggLife = 10000000;    // hundredths either side of 0

constexpr int kEggDirections = 5;  // 0 free, 1 left, 2 right, 3 up, 4 down
constexpr int kPowerUpKinds = 9;   // plainegg .. detonate
extern const char* const kEggDirectionKeys[kEggDirections];
extern const char* const kPowerUpStems[kPowerUpKinds];
// The level tunable each power-up weight defaults to, by kind.
extern int32_t CStatePlay::* const kPowerUpWeightTunables[kPowerUpKinds];

struct SEggSet {
    std::string section; // "eggSet1", ...
    int count = 0;       // may be negative: then no eggs
    SAxisRange x, y;
    int dirWeights[kEggDirections] = {};
    int pupWeights[kPowerUpKinds] = {};
    int minLife = 0, maxLife = 0; // hundredths, min <= max
};

struct SToySet {
    std::string section; // "toySet1", ...
    int count = 0;
    SAxisRange x, y;
    std::string typeName;
    int type = -1; // -1 for a name no toy has
};

struct SBossPlace {
    std::string typeName;
    int type = -1; // -1: no boss
    SAxisRange x, y;
    // Empty when set-up places the boss within the area the file states.
    std::string Problem() const;
};

// Numbered sections are read in turn until the first whose count is 0; file
// is the level file the configuration reads.
std::vector<SEggSet> ReadEggSets(const CStatePlay& play, const SArena& arena, const std::string& file);
std::vector<SToySet> ReadToySets(const SArena& arena, const std::string& file);
SBossPlace ReadBossPlace(const SArena& arena, const std::string& file);
