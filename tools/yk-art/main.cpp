// Generates the game's pictures and their definition files:
//   yk-art GROUP DATADIR
// GROUP is "play", "menu", "level" or an organ system ("circulatory", ...);
// each writes its .ykd last, so a definition file exists only when every
// picture it names was written.
#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Art.h"
#include "TextArt.h"

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: yk-art play|menu|level|circulatory|digestive|respiratory|nervous DATADIR\n"
                         "       yk-art icons DIR   (desktop icons: DIR/NxN/apps/yolvar-krandel.png)\n");
    return 2;
}

// The desktop icon: the player's spiked puck, drawn afresh at each size.
bool MakeIcons(const char* dir)
{
    bool ok = true;
    for (int size : {32, 64, 128, 256}) {
        const std::string n = std::to_string(size);
        ok = SaveIcon(std::string(dir) + "/" + n + "x" + n + "/apps/yolvar-krandel.png", PuckSprite(0, size)) && ok;
    }
    return ok;
}

bool Make(const char* what, const char* dir)
{
    if (!std::strcmp(what, "icons"))
        return MakeIcons(dir);
    for (int s = 0; s < kSystemCount; ++s)
        if (!std::strcmp(what, SystemSetName(s) + 7)) { // the name after "bitmap-"
            ImageSet set(SystemSetName(s), dir);
            MakeSystemSet(set, s);
            return set.WriteDefinition();
        }
    const struct { const char* arg; const char* set; void (*make)(ImageSet&); } kinds[] = {
        {"play", "bitmap-1", MakePlaySet}, {"menu", "bitmap-menu", MakeMenuSet}, {"level", "bitmap-level", MakeLevelSet}};
    for (const auto& k : kinds)
        if (!std::strcmp(what, k.arg)) {
            ImageSet set(k.set, dir);
            k.make(set);
            return set.WriteDefinition();
        }
    std::fprintf(stderr, "yk-art: no picture group named '%s'\n", what);
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return Usage();
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "yk-art: cannot start Allegro\n");
        return 1;
    }
    set_color_depth(16);
    const bool ok = Make(argv[1], argv[2]);
    ReleaseFonts();
    return ok ? 0 : 1;
}
