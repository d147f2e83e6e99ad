// Renders every picture of every image set into one PNG, each labelled with
// its tag, so that art changes can be reviewed at a glance:
//   yk-contact-sheet DATADIR OUT.png
#include <allegro.h>
#include <loadpng.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Paths.h"

namespace {

constexpr int kSheetW = 1700, kPad = 10, kLabelH = 12, kMaxCell = 360;

struct Entry {
    std::string set, tag, file;
    BITMAP* bmp = nullptr;
    int frames = 0, frameW = 0;
};

// Reads one definition file the way the game does: section "guidelines",
// asset1, asset2, ... until the first missing entry.
void ReadSet(const std::filesystem::path& ykd, const std::filesystem::path& root, std::vector<Entry>& out)
{
    set_config_file(ykd.string().c_str());
    if (ustricmp(get_config_string("guidelines", "type", ""), "image") != 0)
        return;
    const std::string dir = get_config_string("guidelines", "assetdir", "");
    const std::string ext = get_config_string("guidelines", "defaultext", "xxx");
    const std::string set = ykd.stem().string();
    for (int i = 1;; ++i) {
        const std::string key = "asset" + std::to_string(i);
        const std::string section = get_config_string("guidelines", key.c_str(), "___");
        if (ustricmp(section.c_str(), "___") == 0)
            break;
        Entry e;
        e.set = set;
        e.tag = get_config_string(section.c_str(), "tag", "___");
        std::string name = get_config_string(section.c_str(), "filenameoverride", "");
        if (name.empty())
            name = section;
        e.file = (root / YkPath(dir + "\\" + name + "." + get_config_string(section.c_str(), "ext", ext.c_str()))).string();
        e.frames = get_config_int(section.c_str(), "fN", 0);
        e.frameW = get_config_int(section.c_str(), "fW1", 0);
        out.push_back(e);
    }
}

// Small sprites are doubled, large pictures shrunk to fit a cell.
void CellSize(const BITMAP* b, int& w, int& h)
{
    if (!b) { w = 120; h = 40; return; }
    float k = b->w <= 64 && b->h <= 64 ? 2.0f : 1.0f;
    k = std::min(k, std::min(float(kMaxCell) / b->w, float(kMaxCell) / b->h));
    w = std::max(int(b->w * k), 60);
    h = int(b->h * k);
}

void Checker(BITMAP* sheet, int x, int y, int w, int h)
{
    for (int yy = 0; yy < h; yy += 8)
        for (int xx = 0; xx < w; xx += 8) {
            const int c = ((xx / 8 + yy / 8) & 1) ? makecol(70, 70, 78) : makecol(52, 52, 60);
            rectfill(sheet, x + xx, y + yy, x + std::min(xx + 7, w - 1), y + std::min(yy + 7, h - 1), c);
        }
}

void DrawEntry(BITMAP* sheet, const Entry& e, int x, int y, int w, int h)
{
    Checker(sheet, x, y, w, h);
    if (!e.bmp) {
        textout_ex(sheet, font, "MISSING", x + 4, y + 4, makecol(255, 60, 60), -1);
    } else {
        int dw = w, dh = h;
        CellSize(e.bmp, dw, dh);
        stretch_sprite(sheet, e.bmp, x, y, int(e.bmp->w * (float(dh) / e.bmp->h)), dh);
        for (int f = 1; f < e.frames && e.frameW > 0; ++f) {
            const int fx = x + int(f * e.frameW * float(dh) / e.bmp->h);
            vline(sheet, fx, y, y + dh - 1, makecol(255, 255, 0));
        }
    }
    char label[160];
    std::snprintf(label, sizeof label, "%s", e.tag.c_str());
    textout_ex(sheet, font, label, x, y + h + 2, makecol(230, 230, 230), -1);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: yk-contact-sheet DATADIR OUT.png\n");
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
        return 1;
    set_color_depth(16);
    register_png_file_type();
    const std::filesystem::path data = argv[1];
    std::vector<std::filesystem::path> sets;
    for (const auto& f : std::filesystem::directory_iterator(data))
        if (f.path().extension() == ".ykd")
            sets.push_back(f.path());
    std::sort(sets.begin(), sets.end());
    std::vector<Entry> entries;
    for (const auto& s : sets)
        ReadSet(s, data.parent_path(), entries);
    set_config_file("release");
    if (entries.empty()) {
        std::fprintf(stderr, "yk-contact-sheet: no image sets in %s\n", argv[1]);
        return 1;
    }
    // Lay out row by row, starting a new row for every set.
    struct Place { int x, y, w, h; };
    std::vector<Place> places;
    int x = kPad, y = kPad + kLabelH, rowH = 0;
    std::string lastSet;
    std::vector<std::pair<std::string, int>> headers;
    for (Entry& e : entries) {
        e.bmp = load_bitmap(e.file.c_str(), nullptr);
        int w, h;
        CellSize(e.bmp, w, h);
        if (e.set != lastSet) {
            if (!lastSet.empty())
                y += rowH + kLabelH + 3 * kPad;
            x = kPad;
            rowH = 0;
            headers.push_back({e.set, y - kLabelH});
            lastSet = e.set;
        }
        if (x + w > kSheetW - kPad) {
            x = kPad;
            y += rowH + kLabelH + kPad;
            rowH = 0;
        }
        places.push_back({x, y, w, h});
        x += std::max(w, int(e.tag.size()) * 8) + kPad;
        rowH = std::max(rowH, h);
    }
    BITMAP* sheet = create_bitmap(kSheetW, y + rowH + kLabelH + kPad);
    clear_to_color(sheet, makecol(24, 22, 28));
    for (const auto& [name, hy] : headers)
        textout_ex(sheet, font, name.c_str(), kPad, hy, makecol(255, 200, 80), -1);
    int missing = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        DrawEntry(sheet, entries[i], places[i].x, places[i].y, places[i].w, places[i].h);
        missing += entries[i].bmp == nullptr;
    }
    std::filesystem::create_directories(std::filesystem::path(argv[2]).parent_path());
    const int rc = save_png(argv[2], sheet, nullptr);
    for (Entry& e : entries)
        if (e.bmp)
            destroy_bitmap(e.bmp);
    destroy_bitmap(sheet);
    if (rc != 0) {
        std::fprintf(stderr, "yk-contact-sheet: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("%zu pictures, %d missing: %s\n", entries.size(), missing, argv[2]);
    return missing ? 1 : 0;
}
