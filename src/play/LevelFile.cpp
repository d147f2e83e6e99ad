#include "play/LevelFile.h"

#include <allegro.h>

#include <algorithm>

#include "app/Display.h"
#include "assets/Asset.h"
#include "assets/ValueBounds.h"
#include "creatures/Boss.h"
#include "creatures/Toy.h"
#include "play/StatePlay.h"

namespace {

int SizeOf(BITMAP* bmp, bool width) { return bmp ? (width ? bmp->w : bmp->h) : 0; }

// Calls read(section, count) for "prefix1", "prefix2", ... until a count of 0.
template <class Read>
void ForEachSet(const char* prefix, const char* countKey, Read read)
{
    for (int k = 1;; ++k) {
        const std::string section = prefix + std::to_string(k);
        const int n = get_config_int(section.c_str(), countKey, 0);
        if (n == 0)
            return;
        read(section, n);
    }
}

} // namespace

const char* const kEggDirectionKeys[kEggDirections] = {"eggGoRand", "eggGoL", "eggGoR", "eggGoT", "eggGoB"};
const char* const kPowerUpStems[kPowerUpKinds] = {"plainegg", "magnetic", "disrupt", "mushroom", "trail",
                                                  "speedup",  "freeze",   "precise", "detonate"};
int32_t CStatePlay::* const kPowerUpWeightTunables[kPowerUpKinds] = {
    &CStatePlay::cvar_pup_plainegg_freq, &CStatePlay::cvar_pup_magnetic_freq, &CStatePlay::cvar_pup_disrupt_freq,
    &CStatePlay::cvar_pup_mushroom_freq, &CStatePlay::cvar_pup_trail_freq,    &CStatePlay::cvar_pup_speedup_freq,
    &CStatePlay::cvar_pup_freeze_freq,   &CStatePlay::cvar_pup_precise_freq,  &CStatePlay::cvar_pup_detonate_freq};

SArena ArenaOfFrame()
{
    const int halfW = SizeOf(g_bitmaps.Get("LANTERN_T_IMG"), true) / 2;
    const int halfH = SizeOf(g_bitmaps.Get("LANTERN_R_IMG"), false) / 2;
    BITMAP* corner = g_bitmaps.Get("CORNER_IMG");
    const int cornerW = SizeOf(corner, true), cornerH = SizeOf(corner, false);
    return {halfW + cornerW, halfH + cornerH, kScreenW - cornerW - halfW, kScreenH - cornerH - halfH};
}

void StartPoint(const SArena& arena, const CStatePlay& play, float& x, float& y)
{
    x = arena.left + (arena.right - arena.left) * play.cvar_playerNormalizedStartX;
    y = arena.top + (arena.bottom - arena.top) * play.cvar_playerNormalizedStartY;
}

SAxisRange ReadAxis(const char* section, const SAreaKeys& keys, int origin, int size, bool swap,
                    const std::string& file)
{
    auto part = [&](const char* key, float def) {
        return BoundPart(get_config_float(section, key, def), def, -kMaxAreaPart, kMaxAreaPart, file, section, key);
    };
    SAxisRange r;
    const float fixed = part(keys.fixed, -1.0f);
    if (fixed == -1.0f) {
        r.partLo = part(keys.lo, 0.0f);
        r.partHi = part(keys.hi, 1.0f);
    } else {
        r.partLo = r.partHi = fixed;
    }
    if (swap && r.partHi < r.partLo)
        std::swap(r.partLo, r.partHi);
    r.lo = origin + static_cast<int>(r.partLo * size);
    r.hi = origin + static_cast<int>(r.partHi * size);
    return r;
}

std::vector<SEggSet> ReadEggSets(const CStatePlay& play, const SArena& arena, const std::string& file)
{
    std::vector<SEggSet> sets;
    int total = 0;
    ForEachSet("eggSet", "eggNum", [&](const std::string& section, int n) {
        const char* sec = section.c_str();
        auto whole = [&](const char* key, int def, int lo, int hi) {
            return BoundWhole(get_config_int(sec, key, def), lo, hi, file, sec, key);
        };
        SEggSet s;
        s.section = section;
        s.count = BoundWhole(n, INT32_MIN, kMaxEggs - total, file, sec, "eggNum");
        total += std::max(s.count, 0);
        s.x = ReadAxis(sec, {"eggX", "eggL", "eggR"}, arena.left, arena.Width(), true, file);
        s.y = ReadAxis(sec, {"eggY", "eggT", "eggB"}, arena.top, arena.Height(), true, file);
        for (int i = 0; i < kEggDirections; ++i)
            s.dirWeights[i] = whole(kEggDirectionKeys[i], 0, -kMaxWeight, kMaxWeight);
        for (int i = 0; i < kPowerUpKinds; ++i) {
            const std::string key = std::string("l_") + kPowerUpStems[i] + "_freq";
            s.pupWeights[i] = whole(key.c_str(), play.*kPowerUpWeightTunables[i], -kMaxWeight, kMaxWeight);
        }
        s.minLife = whole("l_hSecEggMinLife", play.cvar_hSecEggMinLife, -kMaxEggLife, kMaxEggLife);
        s.maxLife = whole("l_hSecEggMaxLife", play.cvar_hSecEggMaxLife, -kMaxEggLife, kMaxEggLife);
        if (s.maxLife < s.minLife)
            std::swap(s.minLife, s.maxLife);
        sets.push_back(std::move(s));
    });
    return sets;
}

std::vector<SToySet> ReadToySets(const SArena& arena, const std::string& file)
{
    std::vector<SToySet> sets;
    int total = 0;
    ForEachSet("toySet", "toyNum", [&](const std::string& section, int n) {
        const char* sec = section.c_str();
        SToySet s;
        s.section = section;
        s.count = BoundWhole(n, INT32_MIN, kMaxToys - total, file, sec, "toyNum");
        total += std::max(s.count, 0);
        s.x = ReadAxis(sec, {"toyX", "toyL", "toyR"}, arena.left, arena.Width(), true, file);
        s.y = ReadAxis(sec, {"toyY", "toyT", "toyB"}, arena.top, arena.Height(), true, file);
        s.typeName = get_config_string(sec, "type", "");
        s.type = ToyTypeFromName(s.typeName.c_str());
        sets.push_back(std::move(s));
    });
    return sets;
}

SBossPlace ReadBossPlace(const SArena& arena, const std::string& file)
{
    SBossPlace b;
    b.typeName = get_config_string("boss", "type", "");
    b.type = BossTypeFromName(b.typeName.c_str());
    if (b.type < 0)
        return b;
    b.x = ReadAxis("boss", {"bossX", "bossL", "bossR"}, arena.left, arena.Width(), false, file);
    b.y = ReadAxis("boss", {"bossY", "bossT", "bossB"}, arena.top, arena.Height(), false, file);
    return b;
}

std::string SBossPlace::Problem() const
{
    if (type < 0)
        return "";
    if (x.Reversed() || y.Reversed())
        return "boss area runs backwards (bossL > bossR or bossT > bossB): set-up would place the boss past it";
    if (!x.WithinArena() || !y.WithinArena())
        return "boss area reaches outside the arena";
    return "";
}
