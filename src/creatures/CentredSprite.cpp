#include "creatures/CentredSprite.h"

#include <allegro.h>

#include "app/Display.h"

namespace {

bool CanDraw(BITMAP* image) { return image && g_display.backBuffer; }
int Left(BITMAP* image, int x) { return x - (image->w >> 1); }
int Top(BITMAP* image, int y) { return y - (image->h >> 1); }

} // namespace

void DrawCentred(BITMAP* image, int x, int y)
{
    if (CanDraw(image))
        draw_sprite(g_display.backBuffer, image, Left(image, x), Top(image, y));
}

void DrawCentredVFlip(BITMAP* image, int x, int y)
{
    if (CanDraw(image))
        draw_sprite_v_flip(g_display.backBuffer, image, Left(image, x), Top(image, y));
}

void DrawCentredRotated(BITMAP* image, int x, int y, int angle)
{
    if (CanDraw(image))
        rotate_sprite(g_display.backBuffer, image, Left(image, x), Top(image, y), itofix(angle));
}
