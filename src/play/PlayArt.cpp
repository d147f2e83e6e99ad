#include "play/PlayArt.h"

#include <string>

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
}
