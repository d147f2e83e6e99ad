#include "Report.h"

#include <allegro.h>
#include <loadpng.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

constexpr int kChartW = 1000;
constexpr int kChartH = 480;
constexpr int kPlotLeft = 60, kPlotRight = 980, kPlotTop = 50, kPlotBottom = 420; // pixels

// A colour per body system, and grey for random missions.
int SystemColour(const SLevelChoice& choice)
{
    if (choice.gameMode != 0)
        return makecol(150, 150, 150);
    static const int rgb[4][3] = {{210, 60, 60}, {220, 160, 40}, {70, 150, 220}, {160, 90, 210}};
    const int* c = rgb[(choice.level - 1) / 10];
    return makecol(c[0], c[1], c[2]);
}

void DrawAxes(BITMAP* bmp, int lo, int hi, int zeroY, double scale)
{
    const int grid = makecol(60, 60, 60), text = makecol(220, 220, 220);
    const int step = std::max(1, (hi - lo) / 8);
    for (int v = (lo / step) * step; v <= hi; v += step) {
        const int y = zeroY - static_cast<int>(v * scale);
        hline(bmp, kPlotLeft, y, kPlotRight, grid);
        textprintf_right_ex(bmp, font, kPlotLeft - 6, y - 4, text, -1, "%d", v);
    }
    hline(bmp, kPlotLeft, zeroY, kPlotRight, text);
    textout_centre_ex(bmp, font, "Autopilot margin per level (points above the target; red frame = lost)", kChartW / 2,
                      18, text, -1);
}

void DrawBars(BITMAP* bmp, const std::vector<SLevelResult>& runs, int zeroY, double scale)
{
    const int slot = (kPlotRight - kPlotLeft) / static_cast<int>(runs.size());
    const int text = makecol(220, 220, 220);
    for (size_t i = 0; i < runs.size(); ++i) {
        const SLevelResult& r = runs[i];
        const int x0 = kPlotLeft + static_cast<int>(i) * slot + 2, x1 = x0 + slot - 4;
        const int y = zeroY - static_cast<int>(r.Margin() * scale);
        rectfill(bmp, x0, std::min(y, zeroY), x1, std::max(y, zeroY), SystemColour(r.choice));
        if (!r.won)
            rect(bmp, x0 - 1, std::min(y, zeroY) - 1, x1 + 1, std::max(y, zeroY) + 1, makecol(255, 0, 0));
        textout_centre_ex(bmp, font, r.choice.name.c_str(), (x0 + x1) / 2, kPlotBottom + 10 + (i % 2) * 10, text, -1);
    }
}

bool WriteChart(const std::string& path, const std::vector<SLevelResult>& runs)
{
    if (runs.empty())
        return true;
    int lo = 0, hi = 1;
    for (const SLevelResult& r : runs) {
        lo = std::min(lo, r.Margin());
        hi = std::max(hi, r.Margin());
    }
    const double scale = static_cast<double>(kPlotBottom - kPlotTop) / (hi - lo);
    const int zeroY = kPlotTop + static_cast<int>(hi * scale);
    BITMAP* bmp = create_bitmap_ex(24, kChartW, kChartH);
    if (!bmp)
        return false;
    clear_to_color(bmp, makecol(20, 20, 28));
    DrawAxes(bmp, lo, hi, zeroY, scale);
    DrawBars(bmp, runs, zeroY, scale);
    const bool saved = save_png(path.c_str(), bmp, nullptr) == 0;
    destroy_bitmap(bmp);
    return saved;
}

} // namespace

std::string ResultLine(const SLevelResult& r)
{
    char line[160];
    std::snprintf(line, sizeof line, "level %-4s %-4s points %4d  target %4d  margin %4d  ticks %6ld%s",
                  r.choice.name.c_str(), r.won ? "won" : "lost", r.points, r.target, r.Margin(), r.ticks,
                  r.timedOut ? "  (gave up: not finished in the time allowed)" : "");
    return line;
}

bool WriteReport(const std::string& dir, const std::vector<SLevelResult>& runs)
{
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    std::ofstream table(dir + "/autoplay-margins.txt");
    for (const SLevelResult& r : runs)
        table << ResultLine(r) << '\n';
    const int savedDepth = get_color_depth();
    set_color_depth(24); // makecol for the chart's own depth
    const bool chart = WriteChart(dir + "/autoplay-margins.png", runs);
    set_color_depth(savedDepth);
    return static_cast<bool>(table) && chart;
}
