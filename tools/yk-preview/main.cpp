// Renders screens of the game from the built data, the way the game draws
// them, for reviewing art without playing:
//   yk-preview DATADIR OUTDIR
// writes preview-menu-open.png, preview-play-<scene>.png and
// preview-completion.png into OUTDIR.
#include <allegro.h>
#include <loadpng.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "Scene.h"
#include "app/Display.h"
#include "assets/Asset.h"

namespace {

void LoadPlaySets(const char* systemSet)
{
    g_bitmaps.ReleaseAll();
    g_bitmaps.Init();
    g_bitmaps.LoadDefinitions();
    g_bitmaps.Init(systemSet);
    g_bitmaps.LoadDefinitions();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: yk-preview DATADIR OUTDIR\n");
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
        return 1;
    set_color_depth(16);
    register_png_file_type();
    const std::string out = std::filesystem::absolute(argv[2]).string();
    // The registries read "data\..." from the working directory.
    std::filesystem::current_path(std::filesystem::absolute(argv[1]).parent_path());
    g_fonts.Init();
    g_fonts.LoadDefinitions();
    BITMAP* bb = create_bitmap(kScreenW, kScreenH);
    bool ok = true;
    g_bitmaps.Init("bitmap-level");
    g_bitmaps.LoadDefinitions();
    DrawMenuOpen(bb);
    ok = SavePreview(bb, out, "preview-menu-open") && ok;
    for (int s = 0; s < kPlayScenes; ++s) {
        LoadPlaySets(PlaySceneSet(s));
        DrawPlay(bb, s);
        ok = SavePreview(bb, out, std::string("preview-play-") + PlaySceneName(s)) && ok;
    }
    DrawCompletion(bb);
    ok = SavePreview(bb, out, "preview-completion") && ok;
    destroy_bitmap(bb);
    g_bitmaps.ReleaseAll();
    g_fonts.ReleaseAll();
    return ok ? 0 : 1;
}
