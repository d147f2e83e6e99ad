#include "play/PlayArt.h"

#include <allegro.h>

#include <algorithm>
#include <string>

#include "app/Display.h"
#include "app/DoubledSprite.h"
#include "app/Draw16.h"
#include "assets/Asset.h"

namespace {

// Tags of one puck set: "PUCK" + suffix, "LANTERN_T" + suffix, ...
SPuckArt LookUpPuck(const std::string& suffix)
{
    SPuckArt art;
    art.puck = g_bitmaps.Get("PUCK" + suffix + "_IMG");
    art.spikes = g_bitmaps.Get("PUCK" + suffix + "_SPIKES_IMG");
    art.lanternTop = g_bitmaps.Get("LANTERN_T" + suffix + "_IMG");
    art.lanternRight = g_bitmaps.Get("LANTERN_R" + suffix + "_IMG");
    art.lanternBottom = g_bitmaps.Get("LANTERN_B" + suffix + "_IMG");
    art.lanternLeft = g_bitmaps.Get("LANTERN_L" + suffix + "_IMG");
    return art;
}

} // namespace

void SPlayArt::LookUp()
{
    background = g_bitmaps.Get("BG_IMG");
    corner = g_bitmaps.Get("CORNER_IMG");
    acid = g_bitmaps.Get("ACID_IMG");
    single = LookUpPuck("");
    pair[0] = LookUpPuck("_1");
    pair[1] = LookUpPuck("_2");
    huge = g_fonts.Get("ANKLE_HG_TTF");
    large = g_fonts.Get("ANKLE_LG_TTF");
    medium = g_fonts.Get("ANKLE_MD_TTF");
    small = g_fonts.Get("ANKLE_SM_TTF");
    MarkCurrent();
}

void SPlayArt::Refresh()
{
    if (!current || bitmapsSeen != g_bitmaps.Generation() || fontsSeen != g_fonts.Generation())
        LookUp();
}

void SPlayArt::MarkCurrent()
{
    current = true;
    bitmapsSeen = g_bitmaps.Generation();
    fontsSeen = g_fonts.Generation();
}

SDoubledPucks::SDoubledPucks() = default;
SDoubledPucks::~SDoubledPucks() = default;

void SDoubledPucks::LookUp()
{
    for (const char* suffix : {"", "_1", "_2"})
        for (const std::string& tag : {"PUCK" + std::string(suffix) + "_IMG", "PUCK" + std::string(suffix) + "_SPIKES_IMG"})
            if (BITMAP* image = g_bitmaps.Get(tag))
                sprites.push_back(std::make_unique<CDoubledSprite>(image));
}

const CDoubledSprite* SDoubledPucks::For(const BITMAP* image) const
{
    for (const auto& sprite : sprites)
        if (sprite->Source() == image)
            return sprite.get();
    return nullptr;
}

std::array<SFramedCorners::SPlace, 4> SFramedCorners::Places(int w, int h)
{
    return {{{0, 0}, {kScreenW - w, 0}, {0, kScreenH - h}, {kScreenW - w, kScreenH - h}}};
}

bool SFramedCorners::ClearOfArena(int w, int h, int e)
{
    // The arena is [e, W - e) x [e, H - e) and its line rect(e, e, W - e,
    // H - e), whose right and bottom sides lie in the strips: a corner
    // narrower or lower than the border stays off both. A border past the
    // middle folds the strips over; that is left to the masked drawing.
    return e > std::min(w, h) && 2 * e < std::min(kScreenW, kScreenH);
}

SFramedCorners::~SFramedCorners()
{
    for (BITMAP* piece : pieces)
        if (piece)
            destroy_bitmap(piece);
}

void SFramedCorners::LookUp()
{
    BITMAP* bg = g_bitmaps.Get("BG_IMG");
    BITMAP* image = g_bitmaps.Get("CORNER_IMG");
    auto plain = [](BITMAP* b) { return b && bitmap_color_depth(b) == 16 && is_memory_bitmap(b); };
    if (!plain(bg) || !plain(image) || bg->w < kScreenW || bg->h < kScreenH || image->w > kScreenW ||
        image->h > kScreenH)
        return;
    const auto places = Places(image->w, image->h);
    for (size_t i = 0; i < places.size(); ++i) {
        BITMAP* piece = create_bitmap_ex(16, image->w, image->h);
        if (!piece)
            return; // Draw finds a piece missing and leaves the corners to the frame
        Draw16::Blit(bg, piece, places[i].x, places[i].y, 0, 0, image->w, image->h);
        Draw16::Sprite(piece, image, 0, 0);
        pieces[i] = piece;
    }
    background = bg;
    corner = image;
}

bool SFramedCorners::Draw(BITMAP* target, const SPlayArt& art, int e) const
{
    if (!background || art.background != background || art.corner != corner || !target ||
        bitmap_color_depth(target) != 16)
        return false;
    if (!ClearOfArena(corner->w, corner->h, e))
        return false;
    const auto places = Places(corner->w, corner->h);
    for (size_t i = 0; i < places.size(); ++i)
        Draw16::Blit(pieces[i], target, 0, 0, places[i].x, places[i].y, corner->w, corner->h);
    return true;
}
