// yk-sound-burst TRACK BEFORE AFTER NAME...
//
// Plays music track TRACK through the game's own audio object and, BEFORE
// seconds in, the named sound effects all in one frame, then AFTER seconds
// more: the loudest moment the mix can have, for an end-to-end test to
// measure at the real sound driver. Run it like the game, in a game folder
// (settings.ini, data/) on a display.
#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "assets/AssetSound.h"
#include "audio/Audio.h"
#include "audio/MusicStream.h"

namespace {

// Feeds the music once per pass, as the game does once per frame.
void Run(double seconds)
{
    for (int ms = 0; ms < seconds * 1000; ms += 2) {
        g_audio.FlushSounds();
        rest(2);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: yk-sound-burst TRACK BEFORE AFTER NAME...\n");
        return 2;
    }
    if (install_allegro(SYSTEM_AUTODETECT, &errno, atexit) != 0 || install_timer() != 0) {
        std::fprintf(stderr, "yk-sound-burst: cannot start Allegro\n");
        return 2;
    }
    std::srand(1);
    g_audio.Init();
    g_sounds.Init();
    g_sounds.LoadDefinitions();
    g_audio.StartMusic();
    g_audio.SelectTrack(std::atoi(argv[1]));
    Run(std::atof(argv[2]));
    for (int i = 4; i < argc; ++i)
        g_audio.PlaySound(argv[i]);
    g_audio.Update();
    Run(std::atof(argv[3]));
    g_music.Close();
    g_sounds.ReleaseAll();
    allegro_exit();
    return 0;
}
END_OF_MAIN()
