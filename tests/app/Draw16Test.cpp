#include <allegro.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>

#include "app/DoubledSprite.h"
#include "app/Draw16.h"
#include "app/TurnedSprite.h"

namespace {

// Each primitive is drawn by Allegro into one copy of a busy target and by
// Draw16 into another, over many random sizes, places and clip rectangles
// (sprites partly or wholly outside included); the copies must agree.
class Draw16Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        expected = create_bitmap(96, 80);
        actual = create_bitmap(96, 80);
        sheet = create_bitmap(128, 128);
        Scribble(sheet);
    }
    void TearDown() override
    {
        destroy_bitmap(expected);
        destroy_bitmap(actual);
        destroy_bitmap(sheet);
    }

    int Random(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

    // A random picture with mask pixels in it.
    void Scribble(BITMAP* b)
    {
        for (int y = 0; y < b->h; ++y)
            for (int x = 0; x < b->w; ++x)
                putpixel(b, x, y, Random(0, 4) == 0 ? MASK_COLOR_16 : Random(0, 0xFFFF));
    }
    // A sprite of random size; sometimes a sub-bitmap, as animation frames are.
    BITMAP* RandomSprite(int maxSide)
    {
        const int w = Random(1, maxSide), h = Random(1, maxSide);
        if (Random(0, 1) == 0)
            return create_sub_bitmap(sheet, Random(0, sheet->w - w), Random(0, sheet->h - h), w, h);
        BITMAP* b = create_bitmap(w, h);
        Scribble(b);
        return b;
    }
    void RandomTargetAndClip()
    {
        set_clip_rect(expected, 0, 0, expected->w - 1, expected->h - 1);
        set_clip_rect(actual, 0, 0, actual->w - 1, actual->h - 1);
        Scribble(expected);
        blit(expected, actual, 0, 0, 0, 0, expected->w, expected->h);
        if (Random(0, 1) == 0)
            return; // the whole bitmap, as for the back buffer
        const int l = Random(0, 20), t = Random(0, 20);
        const int r = Random(l, expected->w - 1), b = Random(t, expected->h - 1);
        set_clip_rect(expected, l, t, r, b);
        set_clip_rect(actual, l, t, r, b);
    }
    void ExpectSame(const char* what, int round)
    {
        for (int y = 0; y < expected->h; ++y) {
            if (std::memcmp(actual->line[y], expected->line[y], expected->w * 2) == 0)
                continue;
            for (int x = 0; x < expected->w; ++x)
                ASSERT_EQ(getpixel(actual, x, y), getpixel(expected, x, y))
                    << what << ", round " << round << ", pixel " << x << "," << y;
        }
    }
    // Many rounds of: a fresh target, a fresh sprite, both drawers.
    void Compare(const char* what, int maxSide,
                 const std::function<void(BITMAP* dest, BITMAP* sprite, bool library)>& draw, int rounds = 400)
    {
        for (int round = 0; round < rounds; ++round) {
            RandomTargetAndClip();
            BITMAP* sprite = RandomSprite(maxSide);
            const std::mt19937 before = rng; // both drawers get the same places
            draw(expected, sprite, true);
            rng = before;
            draw(actual, sprite, false);
            destroy_bitmap(sprite);
            ExpectSame(what, round);
            if (HasFatalFailure())
                return;
        }
    }

    std::mt19937 rng{20240611};
    BITMAP* expected = nullptr;
    BITMAP* actual = nullptr;
    BITMAP* sheet = nullptr;
};

TEST_F(Draw16Test, SpritesMatchTheLibrary)
{
    Compare("draw_sprite", 40, [&](BITMAP* d, BITMAP* s, bool lib) {
        const int x = Random(-45, 100), y = Random(-45, 85);
        lib ? draw_sprite(d, s, x, y) : Draw16::Sprite(d, s, x, y);
    });
    Compare("draw_sprite_v_flip", 40, [&](BITMAP* d, BITMAP* s, bool lib) {
        const int x = Random(-45, 100), y = Random(-45, 85);
        lib ? draw_sprite_v_flip(d, s, x, y) : Draw16::SpriteVFlip(d, s, x, y);
    });
}

TEST_F(Draw16Test, BlitsMatchTheLibrary)
{
    Compare("blit", 60, [&](BITMAP* d, BITMAP* s, bool lib) {
        const int sx = Random(-20, 70), sy = Random(-20, 70), dx = Random(-30, 100), dy = Random(-30, 85);
        const int w = Random(0, 70), h = Random(0, 70);
        lib ? blit(s, d, sx, sy, dx, dy, w, h) : Draw16::Blit(s, d, sx, sy, dx, dy, w, h);
    });
}

TEST_F(Draw16Test, QuarterTurnsAndOtherAnglesMatchTheLibrary)
{
    const int angles[] = {64, -64, 128, 192, 0, -128, 256, 37, -100};
    for (int angle : angles)
        Compare("rotate_sprite", 40, [&](BITMAP* d, BITMAP* s, bool lib) {
            // Mostly wholly inside, where the fast road is taken.
            const int x = Random(-10, 70), y = Random(-10, 60);
            lib ? rotate_sprite(d, s, x, y, itofix(angle)) : Draw16::RotateSprite(d, s, x, y, angle);
        }, 150);
}

TEST_F(Draw16Test, TurnedSpritesMatchTheLibraryAnywhere)
{
    for (int angle : {64, -64, 128})
        Compare("CTurnedSprite", 40, [&](BITMAP* d, BITMAP* s, bool lib) {
            const int x = Random(-45, 100), y = Random(-45, 85);
            if (lib)
                rotate_sprite(d, s, x, y, itofix(angle));
            else
                CTurnedSprite(s, angle).Draw(d, x, y);
        }, 150);
}

TEST_F(Draw16Test, DoubledSpritesMatchTheLibraryAnywhere)
{
    Compare("CDoubledSprite", 40, [&](BITMAP* d, BITMAP* s, bool lib) {
        const int x = Random(-85, 100), y = Random(-85, 85);
        if (lib)
            stretch_sprite(d, s, x, y, 2 * s->w, 2 * s->h);
        else
            CDoubledSprite(s).Draw(d, x, y);
    });
}

TEST_F(Draw16Test, FilledRectanglesMatchTheLibrary)
{
    Compare("rectfill", 1, [&](BITMAP* d, BITMAP*, bool lib) {
        const int x1 = Random(-30, 120), y1 = Random(-30, 100), x2 = Random(-30, 120), y2 = Random(-30, 100);
        const int c = Random(0, 0xFFFF);
        lib ? rectfill(d, x1, y1, x2, y2, c) : Draw16::RectFill(d, x1, y1, x2, y2, c);
    });
}

} // namespace
