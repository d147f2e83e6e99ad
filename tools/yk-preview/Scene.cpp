#include "Scene.h"

#include <loadpng.h>

#include <cstdio>
#include <filesystem>

#include "assets/Asset.h"
#include "text/Ttf.h"

BITMAP* Img(const char* tag)
{
    BITMAP* b = g_bitmaps.Get(tag);
    if (!b)
        std::fprintf(stderr, "yk-preview: no picture %s\n", tag);
    return b;
}

void Centred(BITMAP* bmp, int x, int y, const BITMAP* img)
{
    if (img)
        draw_sprite(bmp, const_cast<BITMAP*>(img), x - img->w / 2, y - img->h / 2);
}

void Text(BITMAP* bmp, const char* fontTag, int x, int y, int colour, const std::string& text, int shadow)
{
    ALFONT_FONT* f = g_fonts.Get(fontTag);
    if (shadow)
        ttf_textprintf_centre_aa(bmp, f, x + shadow, y + shadow, 0, "%s", text.c_str());
    ttf_textprintf_centre_aa(bmp, f, x, y, colour, "%s", text.c_str());
}

bool SavePreview(BITMAP* bmp, const std::string& dir, const std::string& name)
{
    std::filesystem::create_directories(dir);
    const std::string path = dir + "/" + name + ".png";
    if (save_png(path.c_str(), bmp, nullptr) != 0) {
        std::fprintf(stderr, "yk-preview: cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%s\n", path.c_str());
    return true;
}
