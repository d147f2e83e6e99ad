#include "app/TurnedSprite.h"

#include <allegro.h>

#include "app/Draw16.h"

CTurnedSprite::CTurnedSprite(BITMAP* sprite, int turnAngle) : source(sprite), angle(turnAngle)
{
    if (!source || !Draw16::IsQuarterTurn(angle) || bitmap_color_depth(source) != 16)
        return;
    const Draw16::SBox box = Draw16::QuarterTurnBox(source->w, source->h, angle);
    if (box.right < box.left || box.bottom < box.top)
        return;
    left = box.left;
    top = box.top;
    turned = create_bitmap_ex(16, box.right - box.left + 1, box.bottom - box.top + 1);
    clear_to_color(turned, MASK_COLOR_16);
    Draw16::RotateSprite(turned, source, -left, -top, angle);
}

CTurnedSprite::~CTurnedSprite()
{
    if (turned)
        destroy_bitmap(turned);
}

void CTurnedSprite::Draw(BITMAP* dest, int x, int y) const
{
    if (!source || !dest)
        return;
    const int l = x + left, t = y + top;
    if (turned && bitmap_color_depth(dest) == 16 && is_memory_bitmap(dest) && dest->clip && l >= dest->cl && t >= dest->ct && l + turned->w <= dest->cr &&
        t + turned->h <= dest->cb)
        Draw16::Sprite(dest, turned, l, t);
    else
        Draw16::RotateSprite(dest, source, x, y, angle);
}
