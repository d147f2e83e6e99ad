// Generates the game's sound:
//   yk-sound sfx DATADIR          sound effects and the set "sfx-1"
//   yk-sound music NAME DATADIR   one looping track, DATADIR/ogg/NAME.ogg
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "Ogg.h"
#include "Sequencer.h"
#include "Sfx.h"

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: yk-sound sfx DATADIR | yk-sound music NAME DATADIR\n");
    return 2;
}

int Music(const char* name, const char* dataDir)
{
    for (const Song& song : Songs())
        if (!std::strcmp(song.file, name)) {
            const std::filesystem::path dir = std::filesystem::path(dataDir) / "ogg";
            std::filesystem::create_directories(dir);
            const Buffer b = RenderSong(song);
            return WriteOgg((dir / (std::string(name) + ".ogg")).string(), b, 0.35f) ? 0 : 1;
        }
    std::fprintf(stderr, "yk-sound: no track named '%s'\n", name);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && !std::strcmp(argv[1], "sfx"))
        return MakeSoundEffects(argv[2]) ? 0 : 1;
    if (argc == 4 && !std::strcmp(argv[1], "music"))
        return Music(argv[2], argv[3]);
    return Usage();
}
