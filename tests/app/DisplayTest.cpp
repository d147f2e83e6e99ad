#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <utility>

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
    mouse_x = 15;
    mouse_y = 15;
    const int mx = 15, my = 15;
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

// Records the range the game asks a mouse driver for.
struct CFakeMouse {
    CFakeMouse()
    {
        driver.set_range = [](int x1, int y1, int x2, int y2) { range = {x1, y1, x2, y2}; };
        mouse_driver = &driver;
    }
    ~CFakeMouse() { mouse_driver = nullptr; }
    MOUSE_DRIVER driver{};
    static inline std::array<int, 4> range{};
};

// The pointer is held in frame coordinates; the library is given the whole
// output, so that it never stops the pointer short of the picture.
TEST_F(DisplayTest, PointerIsHeldWhereTheWholeCursorStaysOnScreen)
{
    CDisplay display;
    {
        CFakeMouse mouse;
        CFakeMouse::range = {};
        display.CreateBuffers();
        EXPECT_EQ(CFakeMouse::range, (std::array<int, 4>{0, 0, 1023, 767}));
    }
    struct SCase {
        int mx, my, x, y;
    };
    for (const SCase& c : {SCase{0, 0, 15, 15}, SCase{14, 16, 15, 16}, SCase{15, 753, 15, 753},
                           SCase{1009, 754, 1009, 753}, SCase{1010, 500, 1009, 500}, SCase{1023, 767, 1009, 753},
                           SCase{-40, 900, 15, 753}}) {
        mouse_x = c.mx;
        mouse_y = c.my;
        EXPECT_EQ(display.Pointer(), (ScreenFit::SPoint{c.x, c.y})) << c.mx << "," << c.my;
    }
    // On a 1920 x 1080 screen: the bars count at the frame's edges, and the
    // range still holds in frame coordinates.
    display.picture = {240, 0, 1440, 1080};
    for (const SCase& c : {SCase{0, 0, 15, 15}, SCase{960, 540, 512, 384}, SCase{1919, 1079, 1009, 753},
                           SCase{261, 21, 15, 15}, SCase{262, 22, 16, 16}, SCase{1653, 1058, 1005, 752}}) {
        mouse_x = c.mx;
        mouse_y = c.my;
        EXPECT_EQ(display.Pointer(), (ScreenFit::SPoint{c.x, c.y})) << c.mx << "," << c.my << " on 1920 x 1080";
    }
    display.DestroyBuffers();
}

TEST_F(DisplayTest, CursorIsDrawnCentredOnTheMouseOnlyWhileVisible)
{
    CDisplay display;
    display.CreateBuffers();
    BITMAP* target = create_bitmap(kScreenW, kScreenH);
    display.SetPresentTarget(target);
    const int blue = makecol(0, 0, 255), black = makecol(0, 0, 0);
    // The corners of the mouse range, and a point between.
    for (auto [mx, my] : {std::pair{15, 15}, std::pair{1009, 753}, std::pair{500, 300}}) {
        SCOPED_TRACE(::testing::Message() << mx << "," << my);
        clear_to_color(display.backBuffer, blue);
        mouse_x = mx;
        mouse_y = my;
        display.SetCursorVisible(true);
        display.cursorAngle = 4; // this frame turns it upright
        display.Present();
        int x0 = kScreenW, y0 = kScreenH, x1 = -1, y1 = -1, n = 0;
        double sx = 0, sy = 0;
        for (int y = 0; y < kScreenH; ++y)
            for (int x = 0; x < kScreenW; ++x) {
                const int p = getpixel(target, x, y);
                ASSERT_EQ(p, getpixel(display.backBuffer, x, y)) << x << "," << y; // the frame is copied whole
                if (p == blue)
                    continue;
                x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
                if (p == black)
                    sx += x, sy += y, ++n;
            }
        // 29 pixels square, its middle pixel on the mouse point.
        EXPECT_EQ(x0, mx - 14);
        EXPECT_EQ(y0, my - 14);
        EXPECT_EQ(x1, mx + 14);
        EXPECT_EQ(y1, my + 14);
        ASSERT_GT(n, 0);
        EXPECT_NEAR(sx / n, mx, 0.25);
        EXPECT_NEAR(sy / n, my, 0.25);

        clear_to_color(display.backBuffer, blue);
        display.SetCursorVisible(false);
        display.Present();
        for (int y = my - 14; y <= my + 14; ++y)
            for (int x = mx - 14; x <= mx + 14; ++x)
                ASSERT_EQ(getpixel(target, x, y), blue) << x << "," << y;
    }

    // Angle 252 is a little against Allegro's positive (clockwise) turn: the
    // right end of the cross bar rises above the mouse point.
    clear_to_color(display.backBuffer, blue);
    mouse_x = 500;
    mouse_y = 300;
    display.SetCursorVisible(true);
    display.cursorAngle = 0;
    display.Present();
    ASSERT_EQ(display.cursorAngle, 252);
    double rightEndY = 0;
    int n = 0;
    for (int y = 300 - 14; y <= 300 + 14; ++y)
        for (int x = 500 + 10; x <= 500 + 14; ++x)
            if (getpixel(target, x, y) == black)
                rightEndY += y, ++n;
    ASSERT_GT(n, 0);
    EXPECT_LT(rightEndY / n, 300 - 0.5);
    destroy_bitmap(target);
    display.DestroyBuffers();
}

TEST_F(DisplayTest, CursorRingSpansRadii9To12)
{
    CDisplay display;
    display.CreateBuffers();
    BITMAP* c = display.cursorSprite;
    std::set<int> radii;
    for (int y = 0; y < 29; ++y)
        for (int x = 0; x < 29; ++x)
            if (getpixel(c, x, y) == makecol(255, 255, 255))
                radii.insert(static_cast<int>(std::lround(std::hypot(x - 14, y - 14))));
    EXPECT_EQ(radii, (std::set<int>{9, 10, 11, 12}));
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
        display.cursorVisible = true;
        EXPECT_EQ(display.ReadSettings(), c.fullscreen);
        EXPECT_FALSE(display.cursorVisible); // hidden until a screen asks for it
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
