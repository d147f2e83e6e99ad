// Renders every picture of every image set into one PNG, each labelled with
// its tag, so that art changes can be reviewed at a glance:
//   yk-contact-sheet DATADIR OUT.png
// DATADIR is the game's data folder, named data as the game reads it.
#include <allegro.h>
#include <loadpng.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "assets/Asset.h"

namespace {

constexpr int kSheetW = 1700, kPad = 10, kLabelH = 12, kMaxCell = 360;

// The pictures of one image set, loaded through the game's registry; the
// tags are kept in the set's own order.
class CSetBitmaps : public CAssetBitmap {
public:
    std::vector<std::string> tags;
    void OnAssetLoaded(std::string section, std::string tag) override
    {
        CAssetBitmap::OnAssetLoaded(section, tag);
        tags.push_back(tag);
    }
};

struct Entry {
    std::string set, tag;
    const CSetBitmaps* bitmaps = nullptr;
    BITMAP* bmp = nullptr;
};

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
        for (int f = 1; f < e.bitmaps->GetFrameCount(e.tag); ++f) {
            const int fx = x + int(e.bitmaps->GetFrame(e.tag, f)->x_ofs * float(dh) / e.bmp->h);
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
    std::filesystem::path data = std::filesystem::absolute(argv[1]).lexically_normal();
    if (!data.has_filename()) // given with a trailing slash
        data = data.parent_path();
    // The registries read "data\..." from the working directory.
    std::error_code error;
    if (data.filename() != "data" || !std::filesystem::is_directory(data, error)) {
        std::fprintf(stderr, "yk-contact-sheet: %s is not a folder named data\n", argv[1]);
        return 2;
    }
    const std::filesystem::path out = std::filesystem::absolute(argv[2]);
    std::vector<std::string> sets;
    for (const auto& f : std::filesystem::directory_iterator(data))
        if (f.path().extension() == ".ykd")
            sets.push_back(f.path().stem().string());
    std::sort(sets.begin(), sets.end());
    std::filesystem::current_path(data.parent_path());
    std::vector<std::unique_ptr<CSetBitmaps>> loaded;
    std::vector<Entry> entries;
    for (const std::string& set : sets) {
        if (CSetBitmaps::DefinitionType(set) != CSetBitmaps::kTypeImage)
            continue;
        auto& bitmaps = *loaded.emplace_back(std::make_unique<CSetBitmaps>());
        bitmaps.Init(set);
        bitmaps.LoadDefinitions();
        for (const std::string& tag : bitmaps.tags)
            entries.push_back({set, tag, &bitmaps, bitmaps.Get(tag)});
    }
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
    std::filesystem::create_directories(out.parent_path());
    const int rc = save_png(out.string().c_str(), sheet, nullptr);
    for (auto& bitmaps : loaded)
        bitmaps->ReleaseAll();
    destroy_bitmap(sheet);
    if (rc != 0) {
        std::fprintf(stderr, "yk-contact-sheet: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("%zu pictures, %d missing: %s\n", entries.size(), missing, argv[2]);
    return missing ? 1 : 0;
}
