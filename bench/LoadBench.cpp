// Loading: a level's set-up and the asset sets.
#include <allegro.h>
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "BenchWorld.h"
#include "assets/Asset.h"
#include "play/StatePlay.h"

namespace fs = std::filesystem;

namespace {

// The level with the most eggs and toys, found by building every one.
int LargestLevel(CStatePlay& play)
{
    int best = 0;
    size_t most = 0;
    for (int level = 1; level <= 35; ++level) {
        play.level = level;
        play.numPlayers = 1;
        play.gameMode = kModeNormal;
        if (play.SetUpLevel() != 0)
            continue;
        if (play.eggs.size() + play.toys.size() > most) {
            most = play.eggs.size() + play.toys.size();
            best = level;
        }
    }
    return best;
}

void BM_LevelSetUp(benchmark::State& state)
{
    BenchWorld::LoadPlayArt();
    CStatePlay& play = BenchWorld::Play();
    const int level = LargestLevel(play);
    if (level == 0) {
        state.SkipWithError("no level could be built");
        return;
    }
    play.level = level;
    for (auto _ : state)
        benchmark::DoNotOptimize(play.SetUpLevel());
    state.SetLabel("level " + std::to_string(level) + ", " + std::to_string(play.eggs.size()) + " eggs, " +
                   std::to_string(play.toys.size()) + " toys");
    play.ClearAll();
    BenchWorld::ReleaseArt(); // the level may have loaded a set of its own
}
BENCHMARK(BM_LevelSetUp);

// Every asset set of the data directory, as the game loads them over a run.
std::vector<std::string> SetNames(const char* prefix)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(BenchWorld::DataDir())) {
        const std::string stem = entry.path().stem().string();
        if (entry.path().extension() == ".ykd" && stem.rfind(prefix, 0) == 0)
            names.push_back(stem);
    }
    return names;
}

void BM_StartUp(benchmark::State& state)
{
    BenchWorld::ReleaseArt();
    const std::vector<std::string> images = SetNames("bitmap-"), sounds = SetNames("sfx-"), fonts = SetNames("font-");
    for (auto _ : state) {
        for (const std::string& name : images) {
            g_bitmaps.Init(name);
            g_bitmaps.LoadDefinitions();
        }
        for (const std::string& name : sounds) {
            g_sounds.Init();
            g_sounds.SetDefinitionName(name);
            g_sounds.LoadDefinitions();
        }
        for (const std::string& name : fonts) {
            g_fonts.Init();
            g_fonts.SetDefinitionName(name);
            g_fonts.LoadDefinitions();
        }
        state.PauseTiming();
        BenchWorld::ReleaseArt();
        state.ResumeTiming();
    }
    state.SetLabel(std::to_string(images.size() + sounds.size() + fonts.size()) + " sets");
}
BENCHMARK(BM_StartUp);

} // namespace
