#include "creatures/Egg.h"

#include <cstdlib>

#include "app/TickTimer.h"
#include "app/Random.h"
#include "creatures/TickView.h"

void CEgg::Init(int lifeMin, int lifeMax, int xMin, int xMax, int yMin, int yMax, int k, int direction)
{
    removed = false;
    x = RandomBetween(xMin, xMax);
    y = RandomBetween(yMin, yMax);
    time = CTickTimer::Now() + RandomBetween(lifeMin, lifeMax);
    kind = k;
    cracked = false;
    goDirection = direction;
}

// Filled in with the egg rules.
int CEgg::Update(const STickView&) { return kNothing; }
void CEgg::Draw(int, int, int, int, int, int) {}
