#pragma once
#include <cstdint>

struct STickView;

// A parasite hatched from an egg: crawls toward an edge and infects there.
class CAlien {
public:
    static constexpr int kStillInPlay = 5; // Update result; 0..4 = infected, the kind
    static bool Infected(int result) { return result >= 0 && result < kStillInPlay; }

    CAlien();
    void Birth(int x, int y, int transverseHSec, int friendlyOdds);
    int Update(const STickView& view);
    void Draw() const;
    void Kill() { dead = true; }
    bool IsDead() const { return dead; }

    float fx = 0;         // exact position, pixels
    float fy = 0;
    int32_t x = 0;        // drawn/collision position
    int32_t y = 0;
    int32_t kind = 0;     // heading and look, 0..4
    int32_t side = 0;     // drift push direction, 0 or 1
    float drift = 0;      // sideways speed, pixels per tick
    int32_t sideTime = 0; // clock: next side flip (kind 4: heading too)
    bool dead = false;
    int32_t animTime = 0; // clock: next animation frame
    int32_t frame = 0;    // animation frame index

private:
    int ChooseHeading(int friendlyOdds) const;
    void Animate(int transverseHSec, int freezeUntil);
    bool IsHit(const STickView& view, int& killer);
    void Pull(int dx, int dy, float pull, bool frozen);
    int Move(const STickView& view);
    void Drift(float transverseSpeed, int transverseHSec);
    int Heading() const;
    bool Crawl(int heading, float moveSpeed, int edgeInfect, int transverseHSec);
    void Bounce(int transverseHSec);
};
