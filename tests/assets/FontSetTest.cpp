#include <allegro.h>
#include <gtest/gtest.h>
#include <loadpng.h>

#include <filesystem>

#include "assets/Asset.h"
#include "text/Ttf.h"

namespace {

// The game's own font set from the built data directory, drawn the way the
// HUD draws (shadow first, then white) into build/test-output/fonts.png.
TEST(FontSetTest, BuiltFontSetLoadsAndDrawsEverySize)
{
    const std::filesystem::path data(YK_DATA_DIR);
    const std::filesystem::path old = std::filesystem::current_path();
    std::filesystem::current_path(data.parent_path());
    g_fonts.Init();
    g_fonts.LoadDefinitions();
    std::filesystem::current_path(old);

    struct Line {
        const char* tag;
        int size;
        const char* text;
    } lines[] = {{"ANKLE_HG_TTF", 56, "MISSION COMPLETE"},
                 {"ANKLE_LG_TTF", 26, "Points 1250 / 2000   Level 12"},
                 {"ANKLE_MD_TTF", 19, "Eggs smashed 48   Parasites killed 17   Time 02:31"},
                 {"ANKLE_SM_TTF", 13, "Yolvar Krandel - text layer check - 0123456789 (ÄÖÜ éè ß)"}};
    BITMAP* shot = create_bitmap(640, 220);
    const int backdrop = makecol(40, 20, 60), black = makecol(0, 0, 0), white = makecol(255, 255, 255);
    clear_to_color(shot, backdrop);
    int y = 10;
    int previousEnd = 0; // first row below the last line's box
    for (const Line& l : lines) {
        SCOPED_TRACE(l.tag);
        ALFONT_FONT* font = g_fonts.Get(l.tag);
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(ttf_get_font_height(font), l.size);
        ttf_textprintf_centre_aa(shot, font, 320 + 2, y + 2, black, "%s", l.text);
        ttf_textprintf_centre_aa(shot, font, 320, y, white, "%s", l.text);
        // White ink stays inside this line's box: rows y to y + size - 1.
        for (int py = previousEnd; py < shot->h; ++py)
            for (int px = 0; px < shot->w; ++px) {
                if (getpixel(shot, px, py) == white) {
                    ASSERT_GE(py, y) << px;
                    ASSERT_LT(py, y + l.size) << px;
                }
            }
        EXPECT_LE(ttf_text_length(font, l.text), shot->w);
        previousEnd = y + l.size;
        y += l.size + 12;
    }
    const std::filesystem::path out = data.parent_path() / "test-output";
    std::filesystem::create_directories(out);
    EXPECT_EQ(save_png((out / "fonts.png").c_str(), shot, nullptr), 0);
    destroy_bitmap(shot);
    g_fonts.ReleaseAll();
}

} // namespace
