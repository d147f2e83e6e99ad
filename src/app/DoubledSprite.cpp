#include "app/DoubledSprite.h"

#include <allegro.h>

#include "app/Draw16.h"

CDoubledSprite::CDoubledSprite(BITMAP* sprite) : source(sprite)
{
    if (!source || bitmap_color_depth(source) != 16)
        return;
    doubled = create_bitmap_ex(16, 2 * source->w, 2 * source->h);
    clear_to_color(doubled, MASK_COLOR_16);
    stretch_sprite(doubled, source, 0, 0, doubled->w, doubled->h);
}

CDoubledSprite::~CDoubledSprite()
{
    if (doubled)
        destroy_bitmap(doubled);
}

void CDoubledSprite::Draw(BITMAP* dest, int x, int y) const
{
    if (!source || !dest)
        return;
    if (doubled && bitmap_color_depth(dest) == 16 && is_memory_bitmap(dest) && dest->clip && x >= dest->cl &&
        y >= dest->ct && x + doubled->w <= dest->cr && y + doubled->h <= dest->cb)
        Draw16::Sprite(dest, doubled, x, y);
    else
        stretch_sprite(dest, source, x, y, 2 * source->w, 2 * source->h);
}
