#include "creatures/Egg.h"

#include <cstdlib>

#include "app/TickTimer.h"
#include "creatures/TickView.h"

namespace {
int RandomIn(int lo, int hi) { return hi == lo ? lo : lo + std::rand() % (hi - lo); }
} // namespace

void CEgg::Init(int lifeMin, int lifeMax, int xMin, int xMax, int yMin, int yMax, int k, int direction)
{
    removed = false;
    x = RandomIn(xMin, xMax);
    y = RandomIn(yMin, yMax);
    time = CTickTimer::Now() + RandomIn(lifeMin, lifeMax);
    kind = k;
    cracked = false;
    goDirection = direction;
}

// Filled in with the egg rules.
int CEgg::Update(const STickView&) { return kNothing; }
void CEgg::Draw(int, int, int, int, int, int) {}
