// Frames and ticks of play over the sample scenes.
#include <allegro.h>
#include <benchmark/benchmark.h>

#include "BenchWorld.h"
#include "app/Display.h"
#include "testkit/SampleScene.h"
#include "play/StatePlay.h"

namespace {

void DrawFrames(benchmark::State& state, const SSceneRecipe& recipe)
{
    BenchWorld::LoadPlayArt();
    CStatePlay& play = BenchWorld::Play();
    BuildScene(play, recipe);
    for (auto _ : state) {
        play.Draw(BenchWorld::App());
        benchmark::DoNotOptimize(g_display.backBuffer->line[0][0]);
    }
    play.ClearAll();
}

// 1 player, 20 eggs, 10 aliens, 5 toys and the HUD.
void BM_LevelFrame(benchmark::State& state) { DrawFrames(state, kTypicalScene); }
BENCHMARK(BM_LevelFrame);

// 2 players, 150 eggs, 100 aliens, 20 toys, the stem-cell mass at its
// border, trails, beams, freeze clock, boss bar, panels and count-down.
void BM_HeaviestFrame(benchmark::State& state) { DrawFrames(state, kHeaviestScene); }
BENCHMARK(BM_HeaviestFrame);

// Input and rules of one tick over the heaviest scene, rebuilt untimed
// before each tick so that every tick meets the same scene.
void BM_HeaviestTick(benchmark::State& state)
{
    BenchWorld::LoadPlayArt();
    CStatePlay& play = BenchWorld::Play();
    CGameApp& app = BenchWorld::App();
    for (auto _ : state) {
        state.PauseTiming();
        BuildScene(play, kHeaviestScene);
        state.ResumeTiming();
        play.HandleInput(app);
        play.Update(app);
    }
    play.ClearAll();
}
BENCHMARK(BM_HeaviestTick);

} // namespace
