#include <allegro.h>
#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdlib>

#include "app/Display.h"

namespace {

// The least any frame costs: fill the back buffer, then present it.
void BM_Floor(benchmark::State& state)
{
    BITMAP* source = create_bitmap(kScreenW, kScreenH);
    BITMAP* back = create_bitmap(kScreenW, kScreenH);
    BITMAP* screenCopy = create_bitmap(kScreenW, kScreenH);
    clear_to_color(source, makecol(30, 60, 90));
    for (auto _ : state) {
        blit(source, back, 0, 0, 0, 0, kScreenW, kScreenH);
        blit(back, screenCopy, 0, 0, 0, 0, kScreenW, kScreenH);
        benchmark::DoNotOptimize(screenCopy->line[0][0]);
    }
    destroy_bitmap(screenCopy);
    destroy_bitmap(back);
    destroy_bitmap(source);
}
BENCHMARK(BM_Floor);

} // namespace

int main(int argc, char** argv)
{
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
        return 1;
    set_color_depth(16);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
