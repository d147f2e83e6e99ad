#include "LevelLint.h"

#include <allegro.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <set>

#include "app/Display.h"
#include "app/Paths.h"
#include "assets/Asset.h"
#include "assets/ValueBounds.h"
#include "creatures/Boss.h"
#include "creatures/Toy.h"
#include "play/LevelFile.h"
#include "play/StateFile.h"
#include "play/StatePlay.h"
#include "play/Tunables.h"

namespace {

constexpr const char* kAbsent = "\x01" "absent"; // no file states this
constexpr int kUnlimited = std::numeric_limits<int>::max();

const char* const kSystemImageSets[kBodySystems] = {"bitmap-circulatory", "bitmap-digestive",
                                                    "bitmap-respiratory", "bitmap-nervous"};

bool Stated(const char* section, const char* key)
{
    return std::string(get_config_string(section, key, kAbsent)) != kAbsent;
}

// Whether some point of the area (x in lo..hi-1, or lo when empty) lies
// clear of the start point on at least one axis.
bool ClearOfStart(const SAxisRange& x, const SAxisRange& y, int sx, int sy, int clearance)
{
    auto axisClear = [clearance](const SAxisRange& a, int s) {
        const int last = a.hi > a.lo ? a.hi - 1 : a.lo;
        return std::abs(a.lo - s) >= clearance || std::abs(last - s) >= clearance;
    };
    return axisClear(x, sx) || axisClear(y, sy);
}

std::string Number(float v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

int LevelOfName(const std::string& name, bool& random)
{
    random = !name.empty() && name.back() == 'r';
    const std::string digits = name.substr(5, name.size() - 5 - (random ? 1 : 0));
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    return std::atoi(digits.c_str());
}

// The body system (0..3) a level file belongs to, or -1 for an unknown name.
int SystemOf(const std::string& name)
{
    if (name.rfind("play-", 0) != 0)
        return -1;
    bool random = false;
    const int n = LevelOfName(name, random);
    if (random)
        return n >= 1 && n <= kBodySystems ? n - 1 : -1;
    return n >= 1 && n <= kLevelCount ? (n - 1) / 10 : -1;
}

} // namespace

std::vector<std::string> CLevelLint::ExpectedLevelNames()
{
    std::vector<std::string> names;
    for (int n = 1; n <= kLevelCount; ++n)
        names.push_back("play-" + std::to_string(n));
    for (int n = 1; n <= kBodySystems; ++n)
        names.push_back("play-" + std::to_string(n) + "r");
    return names;
}

// A fault of a shared parent shows in every level that uses it; say it once.
void CLevelLint::Problem(const std::string& file, const std::string& text)
{
    const std::string line = file + ": " + text;
    if (std::find(problems.begin(), problems.end(), line) == problems.end())
        problems.push_back(line);
}

void CLevelLint::LintAll()
{
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(YkPath("data\\states"), ec))
        if (entry.path().extension() == ".yks")
            names.insert(entry.path().stem().string());
    if (ec)
        Problem("data/states", "cannot read the folder: " + ec.message());
    for (const std::string& expected : ExpectedLevelNames())
        if (!names.count(expected))
            Problem(expected, "level file is missing");
    for (const std::string& name : names)
        LintFile(name);
}

void CLevelLint::LintFile(const std::string& name)
{
    std::vector<std::string> imageSets;
    if (!CheckChain(name, imageSets))
        return;
    if (SystemOf(name) >= 0)
        CheckLevel(name, imageSets);
}

// Walks the parent chain by hand: every file has an "imageSet" entry, every
// parent exists, the chain ends, and every image set it names exists.
bool CLevelLint::CheckChain(const std::string& name, std::vector<std::string>& imageSets)
{
    std::vector<std::string> chain;
    for (std::string file = name; !file.empty();) {
        if (std::find(chain.begin(), chain.end(), file) != chain.end()) {
            Problem(name, "parent chain comes back to \"" + file + "\"");
            return false;
        }
        if (chain.size() >= static_cast<size_t>(kMaxParentDepth)) {
            Problem(name, "parent chain is longer than " + std::to_string(kMaxParentDepth) +
                              " files; the game ignores \"" + file + "\" and its parents");
            return false;
        }
        chain.push_back(file);
        if (!std::filesystem::exists(StatePath(file))) {
            Problem(name, "parent \"" + file + "\" does not exist");
            return false;
        }
        set_config_file(StatePath(file).c_str());
        const std::string imageSet = get_config_string("include", "imageSet", kAbsent);
        const std::string parent = get_config_string("include", "parent", "");
        set_config_file("");
        if (imageSet == kAbsent) {
            Problem(name, "\"" + file + "\" has no imageSet entry, so the game treats it as missing");
            return false;
        }
        if (!SameName(imageSet, kNoImageLoad)) {
            imageSets.push_back(imageSet);
            if (!std::filesystem::exists(YkPath("data\\" + imageSet + ".ykd")))
                Problem(file, "image set \"" + imageSet + "\" does not exist");
            if (file == name && SystemOf(name) >= 0)
                Problem(name, "names an image set itself; its level keys would read as defaults (use noLoad)");
        }
        file = parent;
    }
    return true;
}

void CLevelLint::CheckLevel(const std::string& name, const std::vector<std::string>& imageSets)
{
    const int system = SystemOf(name);
    if (imageSets.empty() || !SameName(imageSets.front(), kSystemImageSets[system]))
        Problem(name, std::string("its images should come from \"") + kSystemImageSets[system] + "\"");
    if (play.LoadState(name, 1) != 0) {
        Problem(name, "the game's loader does not load it");
        return;
    }
    TakeValueReports(name);
    CheckTunables(name);
    const SArena arena = ArenaOfFrame();
    bool detonateOffered = false;
    int tCells = 0, food = 0;
    const int eggs = CheckEggSets(name, arena, detonateOffered);
    CheckToySets(name, arena, tCells, food);
    const int bossPoints = CheckBoss(name, arena, tCells, food, detonateOffered);
    const long onOffer = bossPoints == kUnlimited ? kUnlimited : 2L * eggs + bossPoints;
    if (play.cvar_pointsToWin > onOffer)
        Problem(name, "cvar_pointsToWin " + std::to_string(play.cvar_pointsToWin) + " is more than the " +
                          std::to_string(onOffer) + " points on offer");
    TakeValueReports(name);
    play.CloseConfig();
}

// Values the loaders held to what the game can take are problems too; the
// loaders say which, so the linter and the game cannot disagree.
void CLevelLint::TakeValueReports(const std::string& name)
{
    for (const std::string& line : TakeBoundReports())
        Problem(name, "value out of bounds: " + line);
}

void CLevelLint::CheckTunables(const std::string& name)
{
    for (const STunable& t : PlayTunables()) {
        const float value = t.Get(play);
        if (value < t.least)
            Problem(name, std::string(t.key) + " is " + Number(value) + ", below " + Number(t.least));
        if (value > t.most)
            Problem(name, std::string(t.key) + " is " + Number(value) + ", above " + Number(t.most));
    }
    if (play.cvar_hSecBeforeLevelStartSayGo > play.cvar_hSecBeforeLevelStart)
        Problem(name, "\"Go!\" comes before the count-down starts (cvar_hSecBeforeLevelStartSayGo too large)");
}

CLevelLint::SPlacement CLevelLint::Placement(const SArena& arena) const
{
    float sx = 0, sy = 0;
    StartPoint(arena, play, sx, sy);
    return {static_cast<int>(sx), static_cast<int>(sy), play.PlacementClearance()};
}

int CLevelLint::CheckEggSets(const std::string& name, const SArena& arena, bool& detonateOffered)
{
    const auto [sx, sy, clearance] = Placement(arena);
    int total = 0;
    for (const SEggSet& set : ReadEggSets(play, arena, StatePath(name))) {
        const std::string where = set.section + ": ";
        if (set.count < 0)
            Problem(name, where + "eggNum is negative");
        total += std::max(set.count, 0);
        if (!set.x.WithinArena() || !set.y.WithinArena())
            Problem(name, where + "area reaches outside the arena");
        if (!ClearOfStart(set.x, set.y, sx, sy, clearance))
            Problem(name, where + "area lies wholly within the clearance around the start point");
        for (int i = 0; i < kEggDirections; ++i)
            if (set.dirWeights[i] < 0)
                Problem(name, where + kEggDirectionKeys[i] + " is negative");
        if (set.minLife < 0)
            Problem(name, where + "egg life is negative");
        CheckPowerWeights(name, set, detonateOffered);
    }
    return total;
}

// Power-ups are intended where a set or the level names a power-up weight;
// then the weights of the power-up kinds must not all be zero.
void CLevelLint::CheckPowerWeights(const std::string& name, const SEggSet& set, bool& detonateOffered)
{
    const char* sec = set.section.c_str();
    bool intended = false;
    int powerWeight = 0;
    for (int kind = 0; kind < kPowerUpKinds; ++kind) {
        const std::string key = std::string("l_") + kPowerUpStems[kind] + "_freq";
        const std::string tunable = std::string("cvar_pup_") + kPowerUpStems[kind] + "_freq";
        const int weight = set.pupWeights[kind];
        if (weight < 0)
            Problem(name, set.section + ": " + key + " is negative");
        if (kind == kPupPlainEgg)
            continue;
        intended = intended || Stated(sec, key.c_str()) || Stated("pup_overall", tunable.c_str());
        powerWeight += std::max(weight, 0);
        if (kind == kPupDetonate && weight > 0)
            detonateOffered = true;
    }
    if (intended && powerWeight == 0)
        Problem(name, set.section + ": power-up weights are all zero, so no egg carries one");
}

int CLevelLint::CheckToySets(const std::string& name, const SArena& arena, int& tCells, int& food)
{
    const auto [sx, sy, clearance] = Placement(arena);
    int total = 0;
    for (const SToySet& set : ReadToySets(arena, StatePath(name))) {
        const std::string where = set.section + ": ";
        const int n = set.count;
        if (n < 0)
            Problem(name, where + "toyNum is negative");
        if (set.type < 0)
            Problem(name, where + "unknown toy type \"" + set.typeName + "\"");
        if (!set.x.WithinArena() || !set.y.WithinArena())
            Problem(name, where + "area reaches outside the arena");
        if (!ClearOfStart(set.x, set.y, sx, sy, clearance))
            Problem(name, where + "area lies wholly within the clearance around the start point");
        if (set.x.lo == set.x.hi && set.y.lo == set.y.hi && n > 1)
            Problem(name, where + "several toys on one point: only the first can be clear of the others' eggs");
        tCells += set.type == kToyTCell ? std::max(n, 0) : 0;
        food += set.type == kToyFood ? std::max(n, 0) : 0;
        total += std::max(n, 0);
    }
    return total;
}

// Returns the points the boss itself can give (kUnlimited for an egg layer).
int CLevelLint::CheckBoss(const std::string& name, const SArena& arena, int tCells, int food, bool detonateOffered)
{
    const SBossPlace place = ReadBossPlace(arena, StatePath(name));
    const int type = place.type;
    if (type < 0) {
        if (!place.typeName.empty())
            Problem(name, "unknown boss type \"" + place.typeName + "\"");
        return 0;
    }
    for (const SBossTunable& k : BossTunables())
        if (!Stated(k.section, k.key))
            Problem(name, std::string("boss key ") + k.section + "/" + k.key +
                              " is not stated here, so it would keep the previous level's value");
    const std::string placeProblem = place.Problem();
    if (!placeProblem.empty())
        Problem(name, placeProblem);

    // The boss keys as the boss itself will read them.
    CBoss boss;
    ReadTunables(BossTunables(), boss, StatePath(name));
    if (type == kBossStemCell) {
        for (const SEndBossTunable& k : EndBossTunables())
            if (!Stated(k.section, k.key))
                Problem(name, std::string("boss key ") + k.section + "/" + k.key + " is not stated here");
        ReadTunables(EndBossTunables(), boss.endBoss, StatePath(name));
        const int lo = boss.endBoss.hsecBetweenSplitMin, hi = boss.endBoss.hsecBetweenSplitMax;
        if (lo < 1 || hi < lo)
            Problem(name, "stem-cell split delays must satisfy 1 <= min <= max");
        return 0;
    }
    const int bump = boss.damagePerPlayerBump;
    const bool byTCells = boss.damagePerOtherHarm > 0 && tCells > 0;
    const bool byBlast = detonateOffered && play.cvar_pup_det_damageToBoss > 0;
    const bool starves = type == kBossBlower || type == kBossGobbler;
    if (bump <= 0 && !byTCells && !byBlast && !starves)
        Problem(name, "nothing can hurt the boss: players may not, and there are no T-cells or blasts for it");
    if (type == kBossGobbler && food == 0 && bump < CBoss::kStartHealth)
        Problem(name, "a gobbler without food is back at full health every tick and cannot be beaten");
    if (type == kBossEggLayer && boss.attackFreq > 0)
        return kUnlimited;
    if (type == kBossFireball && bump > 0)
        return 2 * ((CBoss::kStartHealth + bump - 1) / bump);
    return 0;
}
