// Loading state definition files (".yks") into the play state's tunables,
// with parent inheritance and image-set reloads.
#include <allegro.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/ConfigFile.h"
#include "app/Paths.h"
#include "assets/Asset.h"
#include "assets/ValueBounds.h"
#include "play/StateFile.h"
#include "play/StatePlay.h"
#include "play/Tunables.h"

namespace {

constexpr const char* kMissingImageSet = "_does_Not_Exist";

} // namespace

bool SameName(const std::string& a, const char* b) { return ustricmp(a.c_str(), b) == 0; }

std::string StatePath(const std::string& name) { return YkPath("data\\states\\" + name + ".yks"); }

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
    OpenConfigFile(path);
    if (SameName(get_config_string("include", "imageSet", kMissingImageSet), kMissingImageSet)) {
        CloseConfig();
        return 1;
    }

    const std::string parent = get_config_string("include", "parent", "");
    if (!parent.empty()) {
        // A chain that comes back to one of its own files would never end.
        if (std::find(loadChain.begin(), loadChain.end(), parent) != loadChain.end() || parent == name) {
            std::fprintf(stderr, "State file \"%s\" names \"%s\" as parent, which is already in its chain; ignored\n",
                         name.c_str(), parent.c_str());
        } else if (loadChain.size() + 1 >= static_cast<size_t>(kMaxParentDepth)) {
            ReportBound(path, "include", "parent",
                        "\"" + parent + "\" would make the chain longer than " + std::to_string(kMaxParentDepth) +
                            " files; it and its parents are ignored");
        } else {
            loadChain.push_back(name);
            LoadState(parent, 0);
            loadChain.pop_back();
        }
        OpenConfigFile(path);
    }

    ReadTunables(PlayTunables(), *this, path);

    const std::string imageSet = get_config_string("include", "imageSet", "");
    if (!imageSet.empty() && !SameName(imageSet, kNoImageLoad)) {
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
