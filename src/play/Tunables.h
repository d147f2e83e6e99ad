#pragma once
#include <cstdint>
#include <limits>
#include <span>
#include <string>

class CStatePlay;
class CBoss;
class CEndBoss;

// One tunable of a state definition file: where it is read from, the field
// it fills, and the range yk-lint accepts. Every reader, the linter and the
// sample scenes go through these tables, so a key is named in one place.
template <class Owner>
struct TTunable {
    const char* section;
    const char* key;
    int32_t Owner::*whole; // set for whole numbers
    float Owner::*part;    // set for fractions
    const char* unit;
    float least = -std::numeric_limits<float>::infinity(); // what yk-lint accepts
    float most = std::numeric_limits<float>::infinity();

    float Get(const Owner& o) const { return whole ? static_cast<float>(o.*whole) : o.*part; }
    // The current value is the default, which is how a child file inherits.
    // What the file states is held to HardRange (file names the clamp).
    void Read(Owner& o, const std::string& file) const;
    // What the game's arithmetic can take, far wider than what yk-lint accepts.
    void HardRange(float& lo, float& hi) const;
    void Set(Owner& o, float v) const;
};

using STunable = TTunable<CStatePlay>;
using SBossTunable = TTunable<CBoss>;
using SEndBossTunable = TTunable<CEndBoss>;

// The 50 tunables of play, in the order the loader reads them.
std::span<const STunable> PlayTunables();
// The boss's own keys; a boss reads them from its level's own file only.
std::span<const SBossTunable> BossTunables();
// The stem-cell mass's extra keys.
std::span<const SEndBossTunable> EndBossTunables();

// Reads every tunable of a table from the current configuration, which is
// the file named (for what is said about values held to their range).
template <class Owner>
void ReadTunables(std::span<const TTunable<Owner>> table, Owner& o, const std::string& file)
{
    for (const auto& t : table)
        t.Read(o, file);
}
