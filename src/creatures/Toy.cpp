#include "creatures/Toy.h"

#include <cstdlib>

#include "app/Random.h"
#include "creatures/TickView.h"

void CToy::Init(int xMin, int xMax, int yMin, int yMax, int t)
{
    x = RandomBetween(xMin, xMax);
    y = RandomBetween(yMin, yMax);
    fx = static_cast<float>(x);
    fy = static_cast<float>(y);
    type = t;
    active = true;
    if (type == kToyFire) {
        vx = static_cast<float>((std::rand() % 5) + 2.0);
        if (std::rand() % 2 == 0)
            vx = -vx;
        vy = static_cast<float>((std::rand() % 5) + 2.0);
        if (std::rand() % 2 == 0)
            vy = -vy;
    }
}

// Filled in with the toy rules.
void CToy::Update(const STickView&) {}
void CToy::Draw() const {}
