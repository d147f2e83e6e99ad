// Frames and ticks of play over the sample scenes.
#include <allegro.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "app/FrameScaler.h"

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

// Presenting at full screen: the frame scaled into a 32-bit window image of
// the picture's size (1440 x 1080 fills 1920 x 1080, 2880 x 2160 fills 4K).
void BM_ScaleFrame(benchmark::State& state)
{
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    std::vector<uint16_t> frame(1024 * 768);
    for (size_t i = 0; i < frame.size(); ++i)
        frame[i] = static_cast<uint16_t>(i * 2654435761u >> 7);
    std::vector<uint32_t> picture(static_cast<size_t>(w) * h);
    CFrameScaler scaler;
    scaler.Prepare(1024, 768, w, h);
    for (auto _ : state) {
        scaler.Scale(frame.data(), 1024 * 2, picture.data(), w * 4);
        benchmark::DoNotOptimize(picture.data());
    }
}
BENCHMARK(BM_ScaleFrame)->Args({1440, 1080})->Args({2048, 1536})->Args({2880, 2160});
