#include "LevelLint.h"

#include <allegro.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <set>

#include "app/Display.h"
#include "app/Paths.h"
#include "assets/Asset.h"
#include "creatures/Boss.h"
#include "creatures/Toy.h"
#include "play/StatePlay.h"

namespace {

constexpr const char* kAbsent = "\x01" "absent"; // no file states this
constexpr int kLevels = 35;
constexpr int kSystems = 4;
constexpr int kUnlimited = std::numeric_limits<int>::max();
constexpr int kBossHealth = 100; // every boss starts with it

// Boss types as level set-up numbers them.
enum { kEggLayer = 0, kTCellKing, kGobbler, kFireball, kChaser, kBlower, kStemCell };

const char* const kSystemImageSets[kSystems] = {"bitmap-circulatory", "bitmap-digestive", "bitmap-respiratory",
                                                "bitmap-nervous"};
const char* const kPupStems[] = {"plainegg", "magnetic", "disrupt", "mushroom", "trail",
                                 "speedup",  "freeze",   "precise", "detonate"};
const char* const kDirKeys[] = {"eggGoRand", "eggGoL", "eggGoR", "eggGoT", "eggGoB"};

// Every key a boss reads, by section; the boss reads them from its level's
// own file only, so a level that leaves one out inherits the previous boss's.
struct SBossKey {
    const char* section;
    const char* key;
};
const SBossKey kBossKeys[] = {
    {"boss-move", "cvar_boss_turnspeed"},
    {"boss-move", "cvar_boss_walkspeed"},
    {"boss-move", "cvar_boss_runspeed"},
    {"boss-fight", "cvar_boss_attackfreq"},
    {"boss-fight", "cvar_boss_damagePerPlayerBump"},
    {"boss-fight", "cvar_boss_damagePerOtherHarm"},
    {"boss-fight", "cvar_boss_hsecInvincibleWhenHurt"},
    {"boss-think", "cvar_boss_hsecBetweenThinking"},
    {"boss-think", "cvar_boss_hsecBetweenThinkingWhenMad"},
};
const SBossKey kEndBossKeys[] = {
    {"boss-endboss", "cvar_boss_hsecPreSplitWarning"},
    {"boss-endboss", "cvar_boss_hsecBetweenSplitMin"},
    {"boss-endboss", "cvar_boss_hsecBetweenSplitMax"},
};

bool Stated(const char* section, const char* key)
{
    return std::string(get_config_string(section, key, kAbsent)) != kAbsent;
}

bool SameText(const std::string& a, const char* b) { return ustricmp(a.c_str(), b) == 0; }

std::string StatePath(const std::string& name) { return YkPath("data\\states\\" + name + ".yks"); }

// One axis of a placement area, read the way level set-up reads it.
struct SAxis {
    int lo, hi;          // pixels
    float partLo, partHi; // parts of the arena size, to check they stay within 0..1
};

SAxis ReadAxis(const char* section, const char* fixedKey, const char* loKey, const char* hiKey, int origin, int size)
{
    SAxis a;
    const float fixed = get_config_float(section, fixedKey, -1.0f);
    if (fixed == -1.0f) {
        a.partLo = get_config_float(section, loKey, 0.0f);
        a.partHi = get_config_float(section, hiKey, 1.0f);
    } else {
        a.partLo = a.partHi = fixed;
    }
    if (a.partHi < a.partLo)
        std::swap(a.partLo, a.partHi);
    a.lo = origin + static_cast<int>(a.partLo * size);
    a.hi = origin + static_cast<int>(a.partHi * size);
    return a;
}

bool WithinUnit(const SAxis& a) { return a.partLo >= 0.0f && a.partHi <= 1.0f; }

// Whether some point of the area (x in lo..hi-1, or lo when empty) lies
// clear of the start point on at least one axis.
bool ClearOfStart(const SAxis& x, const SAxis& y, int sx, int sy, int clearance)
{
    auto axisClear = [clearance](const SAxis& a, int s) {
        const int last = a.hi > a.lo ? a.hi - 1 : a.lo;
        return std::abs(a.lo - s) >= clearance || std::abs(last - s) >= clearance;
    };
    return axisClear(x, sx) || axisClear(y, sy);
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
        return n >= 1 && n <= kSystems ? n - 1 : -1;
    return n >= 1 && n <= kLevels ? (n - 1) / 10 : -1;
}

} // namespace

std::vector<std::string> CLevelLint::ExpectedLevelNames()
{
    std::vector<std::string> names;
    for (int n = 1; n <= kLevels; ++n)
        names.push_back("play-" + std::to_string(n));
    for (int n = 1; n <= kSystems; ++n)
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
        if (!SameText(imageSet, "noLoad")) {
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
    if (imageSets.empty() || !SameText(imageSets.front(), kSystemImageSets[system]))
        Problem(name, std::string("its images should come from \"") + kSystemImageSets[system] + "\"");
    if (play.LoadState(name, 1) != 0) {
        Problem(name, "the game's loader does not load it");
        return;
    }
    CheckTunables(name);
    const SArena arena = Arena();
    bool detonateOffered = false;
    int tCells = 0, food = 0;
    const int eggs = CheckEggSets(name, arena, detonateOffered);
    CheckToySets(name, arena, tCells, food);
    const int bossPoints = CheckBoss(name, arena, tCells, food, detonateOffered);
    const long onOffer = bossPoints == kUnlimited ? kUnlimited : 2L * eggs + bossPoints;
    if (play.cvar_pointsToWin > onOffer)
        Problem(name, "cvar_pointsToWin " + std::to_string(play.cvar_pointsToWin) + " is more than the " +
                          std::to_string(onOffer) + " points on offer");
    play.CloseConfig();
}

void CLevelLint::CheckTunables(const std::string& name)
{
    struct SPositive {
        const char* key;
        float value;
        float least;
    };
    const SPositive checks[] = {
        {"cvar_pointsToWin", static_cast<float>(play.cvar_pointsToWin), 1},
        {"cvar_hSecLaserPulse", static_cast<float>(play.cvar_hSecLaserPulse), 1},
        {"cvar_windXInterval", static_cast<float>(play.cvar_windXInterval), 1},
        {"cvar_windYInterval", static_cast<float>(play.cvar_windYInterval), 1},
        {"cvar_pup_freeze_time", static_cast<float>(play.cvar_pup_freeze_time), 1},
        {"cvar_crackWarningDist", static_cast<float>(play.cvar_crackWarningDist), 1},
        {"cvar_alienTransverseHSec", static_cast<float>(play.cvar_alienTransverseHSec), 4},
        {"cvar_crackRadius", static_cast<float>(play.cvar_crackRadius), 1},
        {"cvar_movePowerArrow", play.cvar_movePowerArrow, 0.1f},
        {"cvar_hSecEggMinLife", static_cast<float>(play.cvar_hSecEggMinLife), 0},
        {"cvar_hSecBeforeLevelStartSayGo", static_cast<float>(play.cvar_hSecBeforeLevelStartSayGo), 0},
        {"cvar_pup_speedup_movePowerMult", static_cast<float>(play.cvar_pup_speedup_movePowerMult), 1},
        {"cvar_pup_precise_movePowerMult", static_cast<float>(play.cvar_pup_precise_movePowerMult), 1},
    };
    for (const SPositive& c : checks)
        if (c.value < c.least)
            Problem(name, std::string(c.key) + " is " + std::to_string(c.value) + ", below " +
                              std::to_string(static_cast<int>(c.least)));
    if (play.cvar_hSecBeforeLevelStartSayGo > play.cvar_hSecBeforeLevelStart)
        Problem(name, "\"Go!\" comes before the count-down starts (cvar_hSecBeforeLevelStartSayGo too large)");
    for (float start : {play.cvar_playerNormalizedStartX, play.cvar_playerNormalizedStartY})
        if (start < 0.0f || start > 1.0f)
            Problem(name, "the start point lies outside the arena");
}

CLevelLint::SArena CLevelLint::Arena() const
{
    // The same measures as level set-up takes from the frame images.
    auto size = [](const char* tag, bool width) {
        BITMAP* bmp = g_bitmaps.Get(tag);
        return bmp ? (width ? bmp->w : bmp->h) : 0;
    };
    const int halfW = size("LANTERN_T_IMG", true) / 2, halfH = size("LANTERN_R_IMG", false) / 2;
    const int cornerW = size("CORNER_IMG", true), cornerH = size("CORNER_IMG", false);
    return {halfW + cornerW, halfH + cornerH, kScreenW - cornerW - halfW, kScreenH - cornerH - halfH};
}

CLevelLint::SPlacement CLevelLint::Placement(const SArena& arena) const
{
    SPlacement p;
    p.w = arena.right - arena.left;
    p.h = arena.bottom - arena.top;
    p.sx = arena.left + static_cast<int>(p.w * play.cvar_playerNormalizedStartX);
    p.sy = arena.top + static_cast<int>(p.h * play.cvar_playerNormalizedStartY);
    p.clearance = play.PlacementClearance();
    return p;
}

int CLevelLint::CheckEggSets(const std::string& name, const SArena& arena, bool& detonateOffered)
{
    const auto [w, h, sx, sy, clearance] = Placement(arena);
    int total = 0;
    for (int k = 1;; ++k) {
        const std::string section = "eggSet" + std::to_string(k);
        const char* sec = section.c_str();
        const int n = get_config_int(sec, "eggNum", 0);
        if (n == 0)
            break;
        const std::string where = section + ": ";
        if (n < 0)
            Problem(name, where + "eggNum is negative");
        total += std::max(n, 0);
        const SAxis x = ReadAxis(sec, "eggX", "eggL", "eggR", arena.left, w);
        const SAxis y = ReadAxis(sec, "eggY", "eggT", "eggB", arena.top, h);
        if (!WithinUnit(x) || !WithinUnit(y))
            Problem(name, where + "area reaches outside the arena");
        if (!ClearOfStart(x, y, sx, sy, clearance))
            Problem(name, where + "area lies wholly within the clearance around the start point");
        for (const char* key : kDirKeys)
            if (get_config_int(sec, key, 0) < 0)
                Problem(name, where + key + " is negative");
        const int minLife = get_config_int(sec, "l_hSecEggMinLife", play.cvar_hSecEggMinLife);
        const int maxLife = get_config_int(sec, "l_hSecEggMaxLife", play.cvar_hSecEggMaxLife);
        if (std::min(minLife, maxLife) < 0)
            Problem(name, where + "egg life is negative");
        CheckPowerWeights(name, sec, detonateOffered);
    }
    return total;
}

// Power-ups are intended where a set or the level names a power-up weight;
// then the weights of the power-up kinds must not all be zero.
void CLevelLint::CheckPowerWeights(const std::string& name, const char* sec, bool& detonateOffered)
{
    const int defaults[9] = {play.cvar_pup_plainegg_freq, play.cvar_pup_magnetic_freq, play.cvar_pup_disrupt_freq,
                             play.cvar_pup_mushroom_freq, play.cvar_pup_trail_freq,    play.cvar_pup_speedup_freq,
                             play.cvar_pup_freeze_freq,   play.cvar_pup_precise_freq,  play.cvar_pup_detonate_freq};
    bool intended = false;
    int powerWeight = 0;
    for (int kind = 0; kind < 9; ++kind) {
        const std::string key = std::string("l_") + kPupStems[kind] + "_freq";
        const std::string tunable = std::string("cvar_pup_") + kPupStems[kind] + "_freq";
        const int weight = get_config_int(sec, key.c_str(), defaults[kind]);
        if (weight < 0)
            Problem(name, std::string(sec) + ": " + key + " is negative");
        if (kind == 0)
            continue;
        intended = intended || Stated(sec, key.c_str()) || Stated("pup_overall", tunable.c_str());
        powerWeight += std::max(weight, 0);
        if (kind == kPupDetonate && weight > 0)
            detonateOffered = true;
    }
    if (intended && powerWeight == 0)
        Problem(name, std::string(sec) + ": power-up weights are all zero, so no egg carries one");
}

int CLevelLint::CheckToySets(const std::string& name, const SArena& arena, int& tCells, int& food)
{
    const auto [w, h, sx, sy, clearance] = Placement(arena);
    int total = 0;
    for (int k = 1;; ++k) {
        const std::string section = "toySet" + std::to_string(k);
        const char* sec = section.c_str();
        const int n = get_config_int(sec, "toyNum", 0);
        if (n == 0)
            break;
        const std::string where = section + ": ";
        if (n < 0)
            Problem(name, where + "toyNum is negative");
        const char* typeName = get_config_string(sec, "type", "");
        const int type = ToyTypeFromName(typeName);
        if (type < 0)
            Problem(name, where + "unknown toy type \"" + typeName + "\"");
        const SAxis x = ReadAxis(sec, "toyX", "toyL", "toyR", arena.left, w);
        const SAxis y = ReadAxis(sec, "toyY", "toyT", "toyB", arena.top, h);
        if (!WithinUnit(x) || !WithinUnit(y))
            Problem(name, where + "area reaches outside the arena");
        if (!ClearOfStart(x, y, sx, sy, clearance))
            Problem(name, where + "area lies wholly within the clearance around the start point");
        if (x.lo == x.hi && y.lo == y.hi && n > 1)
            Problem(name, where + "several toys on one point: only the first can be clear of the others' eggs");
        tCells += type == kToyTCell ? std::max(n, 0) : 0;
        food += type == kToyFood ? std::max(n, 0) : 0;
        total += std::max(n, 0);
    }
    return total;
}

// Returns the points the boss itself can give (kUnlimited for an egg layer).
int CLevelLint::CheckBoss(const std::string& name, const SArena& arena, int tCells, int food, bool detonateOffered)
{
    const std::string typeName = get_config_string("boss", "type", "");
    const int type = BossTypeFromName(typeName.c_str());
    if (type < 0) {
        if (!typeName.empty())
            Problem(name, "unknown boss type \"" + typeName + "\"");
        return 0;
    }
    for (const SBossKey& k : kBossKeys)
        if (!Stated(k.section, k.key))
            Problem(name, std::string("boss key ") + k.section + "/" + k.key +
                              " is not stated here, so it would keep the previous level's value");
    const SAxis x = ReadAxis("boss", "bossX", "bossL", "bossR", arena.left, arena.right - arena.left);
    const SAxis y = ReadAxis("boss", "bossY", "bossT", "bossB", arena.top, arena.bottom - arena.top);
    if (!WithinUnit(x) || !WithinUnit(y))
        Problem(name, "boss area reaches outside the arena");

    if (type == kStemCell) {
        for (const SBossKey& k : kEndBossKeys)
            if (!Stated(k.section, k.key))
                Problem(name, std::string("boss key ") + k.section + "/" + k.key + " is not stated here");
        const int lo = get_config_int("boss-endboss", "cvar_boss_hsecBetweenSplitMin", 0);
        const int hi = get_config_int("boss-endboss", "cvar_boss_hsecBetweenSplitMax", 0);
        if (lo < 1 || hi < lo)
            Problem(name, "stem-cell split delays must satisfy 1 <= min <= max");
        return 0;
    }
    const int bump = get_config_int("boss-fight", "cvar_boss_damagePerPlayerBump", 0);
    const int otherHarm = get_config_int("boss-fight", "cvar_boss_damagePerOtherHarm", 0);
    const int attackFreq = get_config_int("boss-fight", "cvar_boss_attackfreq", 0);
    const bool byTCells = otherHarm > 0 && tCells > 0;
    const bool byBlast = detonateOffered && play.cvar_pup_det_damageToBoss > 0;
    const bool starves = type == kBlower || type == kGobbler;
    if (bump <= 0 && !byTCells && !byBlast && !starves)
        Problem(name, "nothing can hurt the boss: players may not, and there are no T-cells or blasts for it");
    if (type == kGobbler && food == 0 && bump < kBossHealth)
        Problem(name, "a gobbler without food is back at full health every tick and cannot be beaten");
    if (type == kEggLayer && attackFreq > 0)
        return kUnlimited;
    if (type == kFireball && bump > 0)
        return 2 * ((kBossHealth + bump - 1) / bump);
    return 0;
}
