#include "play/PlayArt.h"

#include <string>

#include "app/DoubledSprite.h"
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
