#pragma once
#include <cstdint>

#include "creatures/TickView.h"

struct BITMAP;

// An alien egg: hatches when its time comes unless smashed first; may carry
// a power-up that a player collects after cracking it.
class CEgg {
public:
    // Result codes of Update.
    static constexpr int kNothing = 0;
    static constexpr int kHatchedFree = 1;    // 1..5: plain egg hatched, kHatchedFree + goDirection
    static constexpr int kHatchedPowerUp = 6;
    static constexpr int kCrackedPowerUp = 7;
    static bool Hatched(int result) { return result >= kHatchedFree && result <= kHatchedPowerUp; }

    void Init(int lifeMin, int lifeMax, int xMin, int xMax, int yMin, int yMax, int kind, int goDirection);
    int Update(const STickView& view);
    void Draw(int crackWarningTime, int crackWarningDist, int crackSolidShowTime, int crackFlickerShowTime,
              int pupSolidShowTime, int pupFlickerShowTime);

    int GetX() const { return x; }
    int GetY() const { return y; }
    bool IsCracked() const { return cracked; }
    bool IsRemoved() const { return removed; }
    void Remove() { removed = true; }

    int32_t x = 0;           // centre, pixels
    int32_t y = 0;
    int32_t time = 0;        // clock: hatch moment while whole, display reference once cracked
    int32_t kind = 0;        // 0 plain, 1..8 power-up, 9 empty shell
    bool cracked = false;
    bool removed = false;
    int32_t goDirection = 0; // 0 free, 1 left, 2 right, 3 up, 4 down

private:
    bool IsPowerUpEgg() const { return kind >= kPupMagnetic && kind <= kPupDetonate; }
    bool IsOpenShell() const { return cracked && (kind == kPupPlainEgg || kind == kPupEmptyShell); }
    void Pull(int dx, int dy, float pull);
    int MeetPowerUpPlayer(const STickView& view, int player);
    int SmashedBy(const STickView& view, int hitter);
    int Hatch();
    void DrawWhole(int warningTime, int warningDist) const;
    void DrawOpen(BITMAP* image, int solidTime, int flickerTime);
};
