#pragma once
#include <cstdlib>

#include "creatures/TickView.h"

// Everything in the arena touches by squares, not circles: both axes must be
// strictly closer than the radius. A radius of 0 or less reaches nothing.
inline bool InReach(int dx, int dy, int radius) { return std::abs(dx) < radius && std::abs(dy) < radius; }

// Whether any of a player's acid trail points lies within the radius of (x, y).
// Trail points are exact positions; they touch by their truncated pixel.
inline bool TrailReaches(const STickView& view, int player, int x, int y, int radius)
{
    for (int j = 0; j < kTrailPoints; ++j) {
        const int tx = static_cast<int>(view.trailX[j][player]);
        const int ty = static_cast<int>(view.trailY[j][player]);
        if (InReach(tx - x, ty - y, radius))
            return true;
    }
    return false;
}
