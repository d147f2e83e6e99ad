// Generates the game's pictures and their definition files:
//   yk-art SET DATADIR
// SET is "play", "menu", "level" or "systems"; each writes its .ykd last, so
// a definition file exists only when every picture it names was written.
#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Art.h"
#include "TextArt.h"

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: yk-art play|menu|level|systems DATADIR\n");
    return 2;
}

bool Make(const char* what, const char* dir)
{
    if (!std::strcmp(what, "systems")) {
        for (int s = 0; s < kSystemCount; ++s) {
            ImageSet set(SystemSetName(s), dir);
            MakeSystemSet(set, s);
            if (!set.WriteDefinition())
                return false;
        }
        return true;
    }
    const struct { const char* arg; const char* set; void (*make)(ImageSet&); } kinds[] = {
        {"play", "bitmap-1", MakePlaySet}, {"menu", "bitmap-menu", MakeMenuSet}, {"level", "bitmap-level", MakeLevelSet}};
    for (const auto& k : kinds)
        if (!std::strcmp(what, k.arg)) {
            ImageSet set(k.set, dir);
            k.make(set);
            return set.WriteDefinition();
        }
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
    if (!ok) {
        std::fprintf(stderr, "yk-art: nothing made for '%s'\n", argv[1]);
        return 1;
    }
    return 0;
}
