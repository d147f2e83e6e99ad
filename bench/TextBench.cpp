#include <allegro.h>
#include <benchmark/benchmark.h>

#include "BenchWorld.h"
#include "app/Display.h"
#include "assets/Asset.h"
#include "text/Ttf.h"

namespace {

struct SLine {
    const char* font; // registry tag
    int x, y;         // pixels, centre of the line's top
    const char* text;
};

// The strings of the heaviest frame's HUD: the corner panels of a
// two-player game and the count-down with its shadows.
const SLine kHud[] = {
    {"ANKLE_LG_TTF", 85, 15, "Points"},      {"ANKLE_LG_TTF", 85, 42, "500"},
    {"ANKLE_LG_TTF", 85, 69, "Needed"},      {"ANKLE_LG_TTF", 85, 96, "9999"},
    {"ANKLE_MD_TTF", 939, 9, "Player 2"},    {"ANKLE_MD_TTF", 939, 28, "Egg (+2)"},
    {"ANKLE_MD_TTF", 939, 47, "17"},         {"ANKLE_MD_TTF", 939, 66, "Parasite (+1)"},
    {"ANKLE_MD_TTF", 939, 85, "10"},         {"ANKLE_MD_TTF", 87, 652, "Player 1"},
    {"ANKLE_MD_TTF", 87, 671, "Egg (+2)"},   {"ANKLE_MD_TTF", 87, 690, "12"},
    {"ANKLE_MD_TTF", 87, 709, "Parasite (+1)"}, {"ANKLE_MD_TTF", 87, 728, "7"},
    {"ANKLE_LG_TTF", 939, 658, "Level"},     {"ANKLE_LG_TTF", 939, 685, "5"},
    {"ANKLE_LG_TTF", 939, 712, "Score"},     {"ANKLE_LG_TTF", 939, 739, "1234"},
    {"ANKLE_HG_TTF", 516, 338, "Ready?"},    {"ANKLE_HG_TTF", 512, 334, "Ready?"},
    {"ANKLE_HG_TTF", 516, 388, "Go!"},       {"ANKLE_HG_TTF", 512, 384, "Go!"},
};

void BM_HudText(benchmark::State& state)
{
    BenchWorld::LoadPlayArt();
    BITMAP* back = g_display.backBuffer;
    clear_to_color(back, makecol(30, 60, 90));
    const int colour = makecol(200, 200, 200);
    for (auto _ : state) {
        for (const SLine& line : kHud)
            ttf_textprintf_centre_aa(back, g_fonts.Get(line.font), line.x, line.y, colour, "%s", line.text);
        benchmark::DoNotOptimize(back->line[0][0]);
    }
}
BENCHMARK(BM_HudText);

} // namespace
