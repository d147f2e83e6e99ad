#pragma once
#include <cstdlib>

// The game's one way of drawing a value in a range: lo + rand() % (hi - lo),
// or lo without a draw when the range is empty. A reversed range (hi < lo)
// also gives lo, so no remainder is ever taken by zero or a negative number.
inline int RandomBetween(int lo, int hi) { return hi <= lo ? lo : lo + std::rand() % (hi - lo); }
