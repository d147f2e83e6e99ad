// Loading state definition files (".yks") into the play state's tunables,
// with parent inheritance and image-set reloads.
#include <allegro.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/Paths.h"
#include "assets/Asset.h"
#include "play/StatePlay.h"

namespace {

constexpr const char* kMissingImageSet = "_does_Not_Exist";

bool SameText(const std::string& a, const char* b) { return ustricmp(a.c_str(), b) == 0; }

std::string StatePath(const std::string& name) { return YkPath("data\\states\\" + name + ".yks"); }

void ReadInt(const char* section, const char* key, int32_t& field) { field = get_config_int(section, key, field); }
void ReadFloat(const char* section, const char* key, float& field) { field = get_config_float(section, key, field); }

} // namespace

void CStatePlay::CloseConfig() { set_config_file(""); }

std::string CStatePlay::LevelStateName() const
{
    if (gameMode == kModeRandomMissions)
        return "play-" + std::to_string((level - 1) / 10 + 1) + "r";
    return "play-" + std::to_string(level);
}

int CStatePlay::LoadState(const std::string& name, int keepOpen)
{
    const std::string path = StatePath(name);
    set_config_file(path.c_str());
    if (SameText(get_config_string("include", "imageSet", kMissingImageSet), kMissingImageSet)) {
        CloseConfig();
        return 1;
    }

    const std::string parent = get_config_string("include", "parent", "");
    if (!parent.empty()) {
        // A chain that comes back to one of its own files would never end.
        if (std::find(loadChain.begin(), loadChain.end(), parent) != loadChain.end() || parent == name) {
            std::fprintf(stderr, "State file \"%s\" names \"%s\" as parent, which is already in its chain; ignored\n",
                         name.c_str(), parent.c_str());
        } else {
            loadChain.push_back(name);
            LoadState(parent, 0);
            loadChain.pop_back();
        }
        set_config_file(path.c_str());
    }

    ReadInt("goals", "cvar_pointsToWin", cvar_pointsToWin);

    ReadInt("timing", "cvar_hSecLaserPulse", cvar_hSecLaserPulse);
    ReadInt("timing", "cvar_hSecEggMinLife", cvar_hSecEggMinLife);
    ReadInt("timing", "cvar_hSecEggMaxLife", cvar_hSecEggMaxLife);
    ReadInt("timing", "cvar_crackWarningTime", cvar_crackWarningTime);
    ReadInt("timing", "cvar_hSecBeforeLevelMoveOn", cvar_hSecBeforeLevelMoveOn);
    ReadInt("timing", "cvar_hSecBeforeLevelStart", cvar_hSecBeforeLevelStart);
    ReadInt("timing", "cvar_hSecBeforeLevelStartSayGo", cvar_hSecBeforeLevelStartSayGo);

    ReadInt("setup", "cvar_eggEdgeMargin", cvar_eggEdgeMargin);
    ReadFloat("setup", "cvar_playerNormalizedStartX", cvar_playerNormalizedStartX);
    ReadFloat("setup", "cvar_playerNormalizedStartY", cvar_playerNormalizedStartY);

    ReadInt("action", "cvar_crackRadius", cvar_crackRadius);
    ReadFloat("action", "cvar_movePowerArrow", cvar_movePowerArrow);
    ReadFloat("action", "cvar_movePowerDropoff", cvar_movePowerDropoff);
    ReadFloat("action", "cvar_kickAwayPerc", cvar_kickAwayPerc);
    ReadFloat("action", "cvar_windXPower", cvar_windXPower);
    ReadFloat("action", "cvar_windYPower", cvar_windYPower);
    ReadInt("action", "cvar_windXInterval", cvar_windXInterval);
    ReadInt("action", "cvar_windYInterval", cvar_windYInterval);
    ReadFloat("action", "cvar_toyTCellBounce", cvar_toyTCellBounce);

    ReadInt("alien", "cvar_friendlyOdds", cvar_friendlyOdds);
    ReadInt("alien", "cvar_alienEdgeInfect", cvar_alienEdgeInfect);
    ReadFloat("alien", "cvar_alienMoveSpeed", cvar_alienMoveSpeed);
    ReadFloat("alien", "cvar_alienTransverseSpeed", cvar_alienTransverseSpeed);
    ReadInt("alien", "cvar_alienTransverseHSec", cvar_alienTransverseHSec);

    ReadFloat("visuals", "cvar_laserDropoffIntensity", cvar_laserDropoffIntensity);
    ReadInt("visuals", "cvar_crackWarningDist", cvar_crackWarningDist);
    ReadInt("visuals", "cvar_crackSolidShowTime", cvar_crackSolidShowTime);
    ReadInt("visuals", "cvar_crackFlickerShowTime", cvar_crackFlickerShowTime);

    ReadInt("pup_overall", "cvar_pupSolidShowTime", cvar_pupSolidShowTime);
    ReadInt("pup_overall", "cvar_pupFlickerShowTime", cvar_pupFlickerShowTime);
    ReadInt("pup_overall", "cvar_pup_plainegg_freq", cvar_pup_plainegg_freq);
    ReadInt("pup_overall", "cvar_pup_magnetic_freq", cvar_pup_magnetic_freq);
    ReadInt("pup_overall", "cvar_pup_disrupt_freq", cvar_pup_disrupt_freq);
    ReadInt("pup_overall", "cvar_pup_mushroom_freq", cvar_pup_mushroom_freq);
    ReadInt("pup_overall", "cvar_pup_trail_freq", cvar_pup_trail_freq);
    ReadInt("pup_overall", "cvar_pup_speedup_freq", cvar_pup_speedup_freq);
    ReadInt("pup_overall", "cvar_pup_freeze_freq", cvar_pup_freeze_freq);
    ReadInt("pup_overall", "cvar_pup_precise_freq", cvar_pup_precise_freq);
    ReadInt("pup_overall", "cvar_pup_detonate_freq", cvar_pup_detonate_freq);

    ReadFloat("pup_magnetic", "cvar_pup_magnetic_pullOnEggs", cvar_pup_magnetic_pullOnEggs);
    ReadFloat("pup_magnetic", "cvar_pup_magnetic_pullOnParasites", cvar_pup_magnetic_pullOnParasites);
    ReadFloat("pup_mushroom", "cvar_pup_mushroom_laserWidthNormal", cvar_pup_mushroom_laserWidthNormal);
    ReadFloat("pup_mushroom", "cvar_pup_mushroom_laserWidthSuper", cvar_pup_mushroom_laserWidthSuper);
    ReadInt("pup_speedup", "cvar_pup_speedup_movePowerMult", cvar_pup_speedup_movePowerMult);
    ReadInt("pup_freeze", "cvar_pup_freeze_time", cvar_pup_freeze_time);
    ReadInt("pup_precise", "cvar_pup_precise_movePowerMult", cvar_pup_precise_movePowerMult);
    ReadInt("pup_detonate", "cvar_pup_det_range", cvar_pup_det_range);
    ReadInt("pup_detonate", "cvar_pup_det_damageToBoss", cvar_pup_det_damageToBoss);
    ReadInt("pup_detonate", "cvar_pup_det_flashtime", cvar_pup_det_flashtime);

    const std::string imageSet = get_config_string("include", "imageSet", "");
    if (!imageSet.empty() && !SameText(imageSet, "noLoad")) {
        g_bitmaps.ReleaseAll();
        g_bitmaps.Init();
        g_bitmaps.LoadDefinitions();
        g_bitmaps.Init(imageSet);
        g_bitmaps.LoadDefinitions();
    }
    if (keepOpen == 0)
        CloseConfig();
    return 0;
}

int CStatePlay::SaveScoresAndLoadLevel(int keepOpen)
{
    SaveScores();
    if (level < 0)
        return 1;
    return LoadState(LevelStateName(), keepOpen);
}
