#include "app/Draw16.h"

#include <allegro.h>
#include <allegro/internal/aintern.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <tuple>
#include <vector>

#include "app/WideVectors.h"

namespace {

constexpr uint16_t kMask = MASK_COLOR_16;
constexpr int kQuarterTurn = 64; // Allegro angle units

bool Plain16(BITMAP* b) { return b && bitmap_color_depth(b) == 16 && is_memory_bitmap(b); }

uint16_t* Row(BITMAP* b, int y) { return reinterpret_cast<uint16_t*>(b->line[y]); }

// The part of a sprite at (x, y) that the destination's clip rectangle
// lets through, in sprite coordinates, as Allegro's sprite drawers clip.
struct SSpan {
    int sx, sy, w, h; // first visible sprite pixel and the visible size
};

bool ClipSprite(const BITMAP* dest, const BITMAP* sprite, int x, int y, SSpan& s)
{
    s.sx = std::max(0, dest->cl - x);
    s.w = std::min(sprite->w, dest->cr - x) - s.sx;
    s.sy = std::max(0, dest->ct - y);
    s.h = std::min(sprite->h, dest->cb - y) - s.sy;
    return s.w > 0 && s.h > 0;
}

// Copies the row but for the mask colour; written as a select so that the
// compiler turns it into whole vectors of pixels.
void MaskedRow(uint16_t* d, const uint16_t* s, int w)
{
    for (int i = 0; i < w; ++i)
        d[i] = s[i] == kMask ? d[i] : s[i];
}

// Where rotate_sprite puts each sprite pixel for one size and angle,
// learnt once from the library itself by turning a sprite whose pixels
// number themselves. Drawing then only has to follow the runs: stretches
// of one destination row fed by a straight walk through the sprite.
struct SRotation {
    struct SRun {
        int16_t dx, dy;         // first destination pixel, from the sprite's top left
        int16_t count;          // pixels
        int16_t sx, sy;         // first sprite pixel
        int8_t stepX, stepY;    // walk through the sprite per destination pixel
    };
    std::vector<SRun> runs;
    int left = 0, top = 0, right = -1, bottom = -1; // bounds of the destination, inclusive
    void Add(int dx, int dy, int sx, int sy);
};

// Points arrive row by row, left to right.
void SRotation::Add(int dx, int dy, int sx, int sy)
{
    if (!runs.empty()) {
        SRun& last = runs.back();
        const int n = last.count;
        const bool next = last.dy == dy && last.dx + n == dx;
        if (next && n == 1 && std::abs(sx - last.sx) <= 1 && std::abs(sy - last.sy) <= 1) {
            last.stepX = static_cast<int8_t>(sx - last.sx);
            last.stepY = static_cast<int8_t>(sy - last.sy);
            last.count = 2;
            return;
        }
        if (next && n > 1 && last.sx + n * last.stepX == sx && last.sy + n * last.stepY == sy) {
            ++last.count;
            return;
        }
    }
    runs.push_back({static_cast<int16_t>(dx), static_cast<int16_t>(dy), 1, static_cast<int16_t>(sx),
                    static_cast<int16_t>(sy), 0, 0});
}

// Numbered pixels must stay clear of 0 (nothing drawn) and of the mask.
constexpr int kMaxRotatedPixels = kMask - 1;

SRotation LearnRotation(int w, int h, int angle)
{
    SRotation r;
    const int margin = std::max(w, h) + 2;
    BITMAP* numbered = create_bitmap_ex(16, w, h);
    BITMAP* scratch = create_bitmap_ex(16, 2 * margin + std::max(w, h), 2 * margin + std::max(w, h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            Row(numbered, y)[x] = static_cast<uint16_t>(y * w + x + 1);
    clear_to_color(scratch, 0);
    rotate_sprite(scratch, numbered, margin, margin, itofix(angle));
    r.left = r.top = 1 << 30;
    for (int y = 0; y < scratch->h; ++y)
        for (int x = 0; x < scratch->w; ++x) {
            const int v = Row(scratch, y)[x];
            if (v == 0)
                continue;
            const int dx = x - margin, dy = y - margin;
            r.Add(dx, dy, (v - 1) % w, (v - 1) / w);
            r.left = std::min(r.left, dx), r.right = std::max(r.right, dx);
            r.top = std::min(r.top, dy), r.bottom = std::max(r.bottom, dy);
        }
    destroy_bitmap(scratch);
    destroy_bitmap(numbered);
    return r;
}

const SRotation& RotationOf(int w, int h, int angle)
{
    static std::map<std::tuple<int, int, int>, SRotation> s_learnt; // by size and angle
    const auto key = std::make_tuple(w, h, angle);
    auto it = s_learnt.find(key);
    if (it == s_learnt.end())
        it = s_learnt.emplace(key, LearnRotation(w, h, angle)).first;
    return it->second;
}

bool QuarterTurnFits(BITMAP* dest, BITMAP* sprite, int angle)
{
    return Draw16::IsQuarterTurn(angle) && Plain16(dest) && Plain16(sprite) && dest->clip &&
           sprite->w * sprite->h <= kMaxRotatedPixels;
}

} // namespace

void Draw16::Blit(BITMAP* src, BITMAP* dest, int sx, int sy, int dx, int dy, int w, int h)
{
    if (!Plain16(src) || !Plain16(dest) || src == dest) {
        blit(src, dest, sx, sy, dx, dy, w, h);
        return;
    }
    // The library's clipping: to the source bitmap, then to the clip rectangle.
    if (sx >= src->w || sy >= src->h || dx >= dest->cr || dy >= dest->cb)
        return;
    if (sx < 0) { w += sx; dx -= sx; sx = 0; }
    if (sy < 0) { h += sy; dy -= sy; sy = 0; }
    w = std::min(w, src->w - sx);
    h = std::min(h, src->h - sy);
    if (dx < dest->cl) { const int cut = dest->cl - dx; w -= cut; sx += cut; dx = dest->cl; }
    if (dy < dest->ct) { const int cut = dest->ct - dy; h -= cut; sy += cut; dy = dest->ct; }
    w = std::min(w, dest->cr - dx);
    h = std::min(h, dest->cb - dy);
    if (w <= 0 || h <= 0)
        return;
    for (int r = 0; r < h; ++r)
        std::memmove(Row(dest, dy + r) + dx, Row(src, sy + r) + sx, static_cast<size_t>(w) * 2);
}

WIDE_VECTORS void Draw16::Sprite(BITMAP* dest, BITMAP* sprite, int x, int y)
{
    if (!Plain16(dest) || !Plain16(sprite) || !dest->clip) {
        draw_sprite(dest, sprite, x, y);
        return;
    }
    SSpan s;
    if (!ClipSprite(dest, sprite, x, y, s))
        return;
    for (int r = 0; r < s.h; ++r)
        MaskedRow(Row(dest, y + s.sy + r) + x + s.sx, Row(sprite, s.sy + r) + s.sx, s.w);
}

WIDE_VECTORS void Draw16::SpriteVFlip(BITMAP* dest, BITMAP* sprite, int x, int y)
{
    if (!Plain16(dest) || !Plain16(sprite) || !dest->clip) {
        draw_sprite_v_flip(dest, sprite, x, y);
        return;
    }
    SSpan s;
    if (!ClipSprite(dest, sprite, x, y, s))
        return;
    for (int r = 0; r < s.h; ++r)
        MaskedRow(Row(dest, y + s.sy + r) + x + s.sx, Row(sprite, sprite->h - 1 - s.sy - r) + s.sx, s.w);
}

void Draw16::RotateSprite(BITMAP* dest, BITMAP* sprite, int x, int y, int angle)
{
    if (!QuarterTurnFits(dest, sprite, angle)) {
        rotate_sprite(dest, sprite, x, y, itofix(angle));
        return;
    }
    const SRotation& turn = RotationOf(sprite->w, sprite->h, angle);
    // The runs know nothing of clipping: partly clipped sprites go to the library.
    if (x + turn.left < dest->cl || x + turn.right >= dest->cr || y + turn.top < dest->ct ||
        y + turn.bottom >= dest->cb) {
        rotate_sprite(dest, sprite, x, y, itofix(angle));
        return;
    }
    for (const SRotation::SRun& run : turn.runs) {
        uint16_t* d = Row(dest, y + run.dy) + x + run.dx;
        for (int i = 0; i < run.count; ++i) {
            const uint16_t c = Row(sprite, run.sy + i * run.stepY)[run.sx + i * run.stepX];
            d[i] = c == kMask ? d[i] : c; // a select, not a branch the mask pattern would defeat
        }
    }
}

WIDE_VECTORS void Draw16::RectFill(BITMAP* dest, int x1, int y1, int x2, int y2, int colour)
{
    if (!Plain16(dest) || !dest->clip || _drawing_mode != DRAW_MODE_SOLID) {
        rectfill(dest, x1, y1, x2, y2, colour);
        return;
    }
    if (x2 < x1)
        std::swap(x1, x2);
    if (y2 < y1)
        std::swap(y1, y2);
    x1 = std::max(x1, dest->cl);
    x2 = std::min(x2, dest->cr - 1);
    y1 = std::max(y1, dest->ct);
    y2 = std::min(y2, dest->cb - 1);
    if (x2 < x1 || y2 < y1)
        return;
    for (int y = y1; y <= y2; ++y)
        std::fill_n(Row(dest, y) + x1, x2 - x1 + 1, static_cast<uint16_t>(colour));
}

bool Draw16::HasMaskPixels(BITMAP* b)
{
    if (!b)
        return false;
    if (Plain16(b)) {
        for (int y = 0; y < b->h; ++y) {
            const uint16_t* row = Row(b, y);
            if (std::find(row, row + b->w, kMask) != row + b->w)
                return true;
        }
        return false;
    }
    const int mask = bitmap_mask_color(b);
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x)
            if (getpixel(b, x, y) == mask)
                return true;
    return false;
}

bool Draw16::IsQuarterTurn(int angle) { return angle % kQuarterTurn == 0; }

Draw16::SBox Draw16::QuarterTurnBox(int w, int h, int angle)
{
    if (w * h > kMaxRotatedPixels)
        return {0, 0, -1, -1};
    const SRotation& turn = RotationOf(w, h, angle);
    return {turn.left, turn.top, turn.right, turn.bottom};
}
