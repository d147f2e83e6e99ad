// yk-soak TICKS [--data DIR] [--seed N]
// Plays TICKS logic ticks headless with random keys and pointer: every game
// mode, one and two players, every level file, restarts (Space), pauses,
// won and lost levels and jumps to other levels, a frame drawn each tick.
// Prints the ticks, the time taken and the memory in use along the way; a
// sanitized build turns any fault into a report. Exit 0 when all ran.
#include <allegro.h>
#include <loadpng.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/TickTimer.h"
#include "audio/Audio.h"
#include "play/ModalLoop.h"
#include "play/StatePlay.h"
#include "testkit/HeadlessPlay.h"
#include "testkit/ModalGuard.h"

namespace {

// Every key a player may press in play but Escape, which runs the level
// select's own loop (the tests drive that one).
const int kKeys[] = {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN, KEY_A, KEY_D, KEY_W, KEY_S,
                     KEY_SPACE, KEY_P, KEY_ENTER, KEY_LCONTROL};

long ResidentKb()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

long PeakKb()
{
    rusage use{};
    getrusage(RUSAGE_SELF, &use);
    return use.ru_maxrss;
}

struct SChoice {
    int level;
    int mode;
    int players;
};

// Every level file once, in a random order, as the level select would start
// it: random missions play the first level of a system (play-Nr), the other
// four modes any of the 35 numbered files; one or two players at random.
std::vector<SChoice> ShuffledRound(std::mt19937& rng)
{
    const int otherModes[] = {kModeNormal, kModeLaserZap, kModeCrossfire, kModeWaves};
    std::vector<SChoice> round;
    for (int level = 1; level <= kLevelCount; ++level)
        round.push_back({level, otherModes[rng() % 4], 1 + static_cast<int>(rng() % 2)});
    for (int system = 0; system < kBodySystems; ++system)
        round.push_back({1 + 10 * system, kModeRandomMissions, 1 + static_cast<int>(rng() % 2)});
    std::shuffle(round.begin(), round.end(), rng);
    return round;
}

int Usage(const char* why)
{
    std::fprintf(stderr, "yk-soak: %s\nusage: yk-soak TICKS [--data DIR] [--seed N]\n", why);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    long total = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 0;
    std::string data = "data";
    unsigned seed = 1;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "--data")
            data = argv[i + 1];
        else if (a == "--seed")
            seed = static_cast<unsigned>(std::strtoul(argv[i + 1], nullptr, 10));
        else
            return Usage(("unknown option " + a).c_str());
    }
    if (total <= 0)
        return Usage("TICKS must be a positive number");
    data = std::filesystem::absolute(data).string();
    if (!std::filesystem::is_directory(data + "/states"))
        return Usage(("no state files under " + data).c_str());
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
        return Usage("cannot start Allegro");
    set_color_depth(16);
    register_png_file_type();
    // The play state writes its scores into the working folder: a private one.
    char pattern[] = "/tmp/yk-soak.XXXXXX";
    if (!mkdtemp(pattern))
        return Usage("cannot make a private working folder");
    const std::string scratch = pattern;
    std::filesystem::create_directory_symlink(data, scratch + "/data");
    if (chdir(scratch.c_str()) != 0)
        return Usage("cannot enter the private working folder");

    std::mt19937 rng(seed);
    std::srand(seed);
    CTickTimer::SetNow(1000);
    auto play = std::make_unique<CStatePlay>();
    CHeadlessPlay run(*play);
    run.LoadAssets();
    // The completion screen's own loop: Space, let go, Space again ends it.
    long passes = 0;
    g_modalPassHook = Guarded([&] { CHeadlessPlay::SetKey(KEY_SPACE, ++passes % 2 == 0); }, 1 << 30);

    const auto started = std::chrono::steady_clock::now();
    long levels = 0, nextChange = 0, firstQuarterKb = 0;
    int modesSeen = 0, twoPlayerLevels = 0;
    std::vector<SChoice> round;
    while (run.ticks < total) {
        if (run.ticks >= nextChange || play->level < 1) {
            if (round.empty())
                round = ShuffledRound(rng);
            const SChoice c = round.back();
            round.pop_back();
            CHeadlessPlay::ReleaseAllKeys();
            if (run.StartLevel(c.level, c.players, c.mode) != 0) {
                std::fprintf(stderr, "yk-soak: level %d (mode %d) did not start\n", c.level, c.mode);
                return 1;
            }
            ++levels;
            modesSeen |= 1 << c.mode;
            twoPlayerLevels += c.players == 2;
            nextChange = run.ticks + 150 + static_cast<long>(rng() % 700); // a round of 39 in some 20 000 ticks
        }
        // A few key changes a second, the pointer now and then.
        if (rng() % 4 == 0) {
            const int k = kKeys[rng() % std::size(kKeys)];
            if (k != KEY_P || rng() % 16 == 0) // pauses now and then, not half the run
                CHeadlessPlay::SetKey(k, !key[k]);
        }
        if (rng() % 8 == 0) {
            mouse_x = static_cast<int>(rng() % 1100) - 30;
            mouse_y = static_cast<int>(rng() % 840) - 30;
            mouse_b = static_cast<int>(rng() % 4);
        }
        if (rng() % 4000 == 0) // a won level: its end, the next level or the completion screen
            play->levelPoints = play->cvar_pointsToWin + static_cast<int>(rng() % 50);
        run.Tick();
        g_audio.FlushSounds();
        if (run.ticks == total / 4)
            firstQuarterKb = ResidentKb();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("yk-soak: %ld ticks, %ld levels started (%d with two players, %d of 5 modes), %.1f s, "
                "resident %ld kB after a quarter, %ld kB at the end, peak %ld kB\n",
                run.ticks, levels, twoPlayerLevels, __builtin_popcount(modesSeen), seconds, firstQuarterKb,
                ResidentKb(), PeakKb());
    g_modalPassHook = nullptr;
    CHeadlessPlay::ReleaseAllKeys();
    play->ClearAll();
    std::error_code ec;
    std::filesystem::remove_all(scratch, ec);
    return 0;
}
