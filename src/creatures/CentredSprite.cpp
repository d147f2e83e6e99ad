#include "creatures/CentredSprite.h"

#include <allegro.h>

#include "app/Display.h"
#include "app/Draw16.h"
#include "app/TurnedSprite.h"

namespace {

bool CanDraw(BITMAP* image) { return image && g_display.backBuffer; }
int Left(BITMAP* image, int x) { return x - (image->w >> 1); }
int Top(BITMAP* image, int y) { return y - (image->h >> 1); }

} // namespace

void DrawCentred(BITMAP* image, int x, int y)
{
    if (CanDraw(image))
        Draw16::Sprite(g_display.backBuffer, image, Left(image, x), Top(image, y));
}

void DrawCentredVFlip(BITMAP* image, int x, int y)
{
    if (CanDraw(image))
        Draw16::SpriteVFlip(g_display.backBuffer, image, Left(image, x), Top(image, y));
}

void DrawCentredRotated(BITMAP* image, int x, int y, int angle)
{
    if (CanDraw(image))
        Draw16::RotateSprite(g_display.backBuffer, image, Left(image, x), Top(image, y), angle);
}

void DrawCentredTurned(const CTurnedSprite& turned, BITMAP* image, int x, int y)
{
    if (CanDraw(image))
        turned.Draw(g_display.backBuffer, Left(image, x), Top(image, y));
}
