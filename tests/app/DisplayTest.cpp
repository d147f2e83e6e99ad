#include <allegro.h>
#include <gtest/gtest.h>

#include "app/Display.h"
#include "app/Paths.h"
#include "support/TempDir.h"

namespace {

class DisplayTest : public TempDirTest {};

TEST_F(DisplayTest, CursorImageHasBlackCrossOverWhiteRingOnMask)
{
    CDisplay display;
    ASSERT_EQ(display.CreateBuffers(), 0);
    BITMAP* c = display.cursorSprite;
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(display.cursorSize, 29);
    EXPECT_EQ(display.cursorHalf, 14);
    const int black = makecol(0, 0, 0), white = makecol(255, 255, 255), mask = makecol(255, 0, 255);
    for (int i = 0; i < 29; ++i)
        for (int d = 13; d <= 15; ++d) {
            EXPECT_EQ(getpixel(c, d, i), black) << d << "," << i;
            EXPECT_EQ(getpixel(c, i, d), black) << i << "," << d;
        }
    EXPECT_EQ(getpixel(c, 0, 0), mask);
    EXPECT_EQ(getpixel(c, 14, 14), black);
    // Between the arms: the ring (radius 9..12) shows white along the diagonal.
    EXPECT_EQ(getpixel(c, 14 + 7, 14 + 7), white);
    EXPECT_EQ(getpixel(c, 14 + 3, 14 + 3), mask); // inside the ring
    display.DestroyBuffers();
    EXPECT_EQ(display.backBuffer, nullptr);
    EXPECT_EQ(display.cursorSprite, nullptr);
}

TEST_F(DisplayTest, PresentTurnsCursorAndCentresItOnTheMouse)
{
    CDisplay display;
    display.CreateBuffers();
    BITMAP* target = create_bitmap(kScreenW, kScreenH);
    display.SetPresentTarget(target);
    clear_to_color(display.backBuffer, makecol(0, 0, 255));
    display.SetCursorVisible(true);
    position_mouse(15, 15); // no mouse driver: mouse_x stays where it is
    const int mx = mouse_x, my = mouse_y;
    display.Present();
    EXPECT_EQ(display.cursorAngle, 252);
    // The cross arm runs through the mouse point and lands on the target.
    EXPECT_EQ(getpixel(target, mx, my), makecol(0, 0, 0));
    display.SetCursorVisible(false);
    display.Present();
    EXPECT_EQ(display.cursorAngle, 248); // turns whether or not it is shown
    destroy_bitmap(target);
    display.DestroyBuffers();
}

TEST_F(DisplayTest, FullscreenSettingIsNormalisedAndWrittenBack)
{
    struct Case {
        const char* file;
        bool fullscreen;
        const char* written;
    };
    const Case cases[] = {
        {"[game]\nfullscreen = 5\n", true, "1"},
        {"[game]\nfullscreen = 0\n", false, "0"},
        {nullptr, true, "1"}, // missing file: default fullscreen, file created
    };
    for (const Case& c : cases) {
        std::filesystem::remove(dir / "settings.ini");
        if (c.file)
            WriteFile("settings.ini", c.file);
        CDisplay display;
        EXPECT_EQ(display.ReadSettings(), c.fullscreen);
        set_config_file("release");
        set_config_file("settings.ini");
        EXPECT_STREQ(get_config_string("game", "fullscreen", "?"), c.written);
        set_config_file("release");
    }
}

TEST(Paths, BackslashesBecomeSlashes)
{
    EXPECT_EQ(YkPath("data\\states\\play-1.yks"), "data/states/play-1.yks");
    EXPECT_EQ(YkPath("data//ogg//r31.ogg"), "data//ogg//r31.ogg");
}

} // namespace
