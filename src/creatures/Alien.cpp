#include "creatures/Alien.h"

#include <cstdlib>

#include "creatures/TickView.h"

CAlien::CAlien() : kind(std::rand() % 4) {}

// Filled in with the alien rules.
void CAlien::Birth(int, int, int, int) {}
int CAlien::Update(const STickView&) { return kStillInPlay; }
void CAlien::Draw() const {}
