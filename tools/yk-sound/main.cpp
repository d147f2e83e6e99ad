// Generates the game's sound:
//   yk-sound sfx DATADIR          sound effects and the set "sfx-1"
//   yk-sound music NAME DATADIR   one looping track, DATADIR/ogg/NAME.ogg
//   yk-sound tone HZ SECONDS FILE a sine at half scale, encoded like the
//                                 music: a track for the sound tests
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "Ogg.h"
#include "Sequencer.h"
#include "Sfx.h"

namespace {

constexpr float kMusicQuality = 0.35f; // Vorbis VBR quality of every track

int Usage()
{
    std::fprintf(stderr, "usage: yk-sound sfx DATADIR | yk-sound music NAME DATADIR | yk-sound tone HZ SECONDS FILE\n");
    return 2;
}

int Music(const char* name, const char* dataDir)
{
    for (const Song& song : Songs())
        if (!std::strcmp(song.file, name)) {
            const std::filesystem::path dir = std::filesystem::path(dataDir) / "ogg";
            std::filesystem::create_directories(dir);
            const Buffer b = RenderSong(song);
            return WriteOgg((dir / (std::string(name) + ".ogg")).string(), b, kMusicQuality) ? 0 : 1;
        }
    std::fprintf(stderr, "yk-sound: no track named '%s'\n", name);
    return 1;
}

int Tone(const char* hz, const char* seconds, const char* path)
{
    const float f = std::strtof(hz, nullptr);
    const int n = Samples(std::strtof(seconds, nullptr));
    if (f <= 0 || n <= 0)
        return Usage();
    Buffer b(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        b[size_t(i)] = float(0.5 * std::sin(2 * M_PI * std::fmod(double(f) * i / kRate, 1.0)));
    return WriteOgg(path, b, kMusicQuality) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && !std::strcmp(argv[1], "sfx"))
        return MakeSoundEffects(argv[2]) ? 0 : 1;
    if (argc == 4 && !std::strcmp(argv[1], "music"))
        return Music(argv[2], argv[3]);
    if (argc == 5 && !std::strcmp(argv[1], "tone"))
        return Tone(argv[2], argv[3], argv[4]);
    return Usage();
}
