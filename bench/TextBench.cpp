#include <allegro.h>
#include <benchmark/benchmark.h>

#include <string>

#include "app/Display.h"
#include "text/Ttf.h"

namespace {

// A HUD's worth of text per frame: a dozen shadowed strings in two sizes.
void BM_HudText(benchmark::State& state)
{
    ttf_init();
    ttf_text_mode(-1);
    const std::string path = std::string(YK_DATA_DIR) + "/fonts/DejaVuSans-Bold.ttf";
    ALFONT_FONT* big = ttf_load_font(path.c_str());
    ALFONT_FONT* small = ttf_load_font(path.c_str());
    ttf_set_font_size(big, 26);
    ttf_set_font_size(small, 19);
    BITMAP* back = create_bitmap(kScreenW, kScreenH);
    clear_to_color(back, makecol(30, 60, 90));
    const int black = makecol(0, 0, 0), white = makecol(255, 255, 255);
    for (auto _ : state) {
        for (int i = 0; i < 6; ++i) {
            ALFONT_FONT* f = i % 2 ? small : big;
            ttf_textprintf_centre_aa(back, f, 200 + 2, 40 + 60 * i + 2, black, "Points %d", 1250 + i);
            ttf_textprintf_centre_aa(back, f, 200, 40 + 60 * i, white, "Points %d", 1250 + i);
        }
        benchmark::DoNotOptimize(back->line[0][0]);
    }
    destroy_bitmap(back);
    ttf_destroy_font(small);
    ttf_destroy_font(big);
}
BENCHMARK(BM_HudText);

} // namespace
