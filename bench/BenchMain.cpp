#include <allegro.h>
#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "BenchWorld.h"
#include "app/Display.h"

namespace {

// The least any frame costs: fill the back buffer, then present it.
void BM_Floor(benchmark::State& state)
{
    BITMAP* source = create_bitmap(kScreenW, kScreenH);
    clear_to_color(source, makecol(30, 60, 90));
    for (auto _ : state) {
        blit(source, g_display.backBuffer, 0, 0, 0, 0, kScreenW, kScreenH);
        g_display.Present();
        benchmark::DoNotOptimize(g_display.backBuffer->line[0][0]);
    }
    destroy_bitmap(source);
}
BENCHMARK(BM_Floor);

// The console report, keeping each benchmark's median CPU time in seconds
// for the summary.
class CMedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.aggregate_name == "median")
                medians[run.run_name.function_name] =
                    run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        ConsoleReporter::ReportRuns(runs);
    }
    // Seconds; 0 when the benchmark did not run.
    double Median(const std::string& name) const
    {
        auto it = medians.find(name);
        return it == medians.end() ? 0 : it->second;
    }

private:
    std::map<std::string, double> medians;
};

void PrintSummary(const CMedianReporter& report)
{
    const double floor = report.Median("BM_Floor"), frame = report.Median("BM_HeaviestFrame");
    const double tick = report.Median("BM_HeaviestTick");
    constexpr double kTickBudget = 1.0 / 35; // seconds
    if (floor > 0 && frame > 0)
        std::printf("heaviest frame / floor: %.2f\n", frame / floor);
    else
        std::printf("heaviest frame / floor: n/a\n");
    if (tick > 0)
        std::printf("heaviest tick / budget: %.2f%%\n", 100 * tick / kTickBudget);
    else
        std::printf("heaviest tick / budget: n/a\n");
}

} // namespace

int main(int argc, char** argv)
{
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
        return 1;
    set_color_depth(16);
    // Repetitions give medians; interleaving them at random spreads the noise
    // of a shared machine over every benchmark alike, so the ratios hold.
    // Flags on the command line come later and win.
    std::vector<char*> args = {argv[0]};
    std::string defaults[] = {"--benchmark_repetitions=15", "--benchmark_enable_random_interleaving=true",
                              "--benchmark_report_aggregates_only=true", "--benchmark_min_time=0.05"};
    for (std::string& d : defaults)
        args.push_back(d.data());
    for (int i = 1; i < argc; ++i)
        args.push_back(argv[i]);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    BenchWorld::Open();
    CMedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    BenchWorld::Close();
    benchmark::Shutdown();
    PrintSummary(reporter);
    return 0;
}
