#pragma once

struct BITMAP;

// Allegro's drawing calls, done directly on 16-bit memory bitmaps (the back
// buffer and every loaded image) with exactly the pixels Allegro would put.
// Anything else (another colour depth, the screen, clipping switched off,
// a translucent drawing mode for fills) is handed to Allegro itself. The
// library's generic code pays a call, a clip and a bank switch per line;
// small sprites and tiles drawn by the thousand are dominated by that.
namespace Draw16 {

void Blit(BITMAP* src, BITMAP* dest, int sx, int sy, int dx, int dy, int w, int h); // blit
void Sprite(BITMAP* dest, BITMAP* sprite, int x, int y);                              // draw_sprite
void SpriteVFlip(BITMAP* dest, BITMAP* sprite, int x, int y);                         // draw_sprite_v_flip
// rotate_sprite; quarter turns (angle a multiple of 64 Allegro units) of
// sprites that land wholly inside the clip rectangle take the fast road.
void RotateSprite(BITMAP* dest, BITMAP* sprite, int x, int y, int angle);
void RectFill(BITMAP* dest, int x1, int y1, int x2, int y2, int colour); // rectfill

// Whether any pixel of the bitmap holds its mask colour. A picture without
// one looks the same drawn by Blit as by Sprite, and a whole copy is much
// faster than a masked one.
bool HasMaskPixels(BITMAP* b);

// The pixels rotate_sprite may cover for a quarter turn of a w x h sprite,
// relative to the sprite's top left; inclusive bounds, empty (right < left)
// for sprites too large to be learnt.
struct SBox {
    int left, top, right, bottom;
};
SBox QuarterTurnBox(int w, int h, int angle);
bool IsQuarterTurn(int angle);

} // namespace Draw16
