#pragma once
#include <cstdint>

#include "creatures/TickView.h"

enum EToyType {
    kToyTCell = 0,
    kToyFood = 1,
    kToyFire = 2,
    kToyNerve = 3,
    kToyToothU = 4,
    kToyToothR = 5,
    kToyToothD = 6,
    kToyToothL = 7,
    kToyDust = 8,
};

// Toy type named by a level's toy set ("TCELL" … "DUST", any letter case); -1 for none.
int ToyTypeFromName(const char* name);

// A body part or object in the arena: T-cells, food, fire, nerves, teeth, dust.
class CToy {
public:
    void Init(int xMin, int xMax, int yMin, int yMax, int type);
    void Update(const STickView& view);
    void Draw() const;

    int GetX() const { return x; }
    int GetY() const { return y; }
    bool IsInactive() const { return !active; }
    void Deactivate() { active = false; }

    int32_t x = 0;     // pixels, from fx each update
    int32_t y = 0;
    float fx = 0;      // exact position, pixels
    float fy = 0;
    float vx = 0;      // pixels per tick
    float vy = 0;
    int32_t type = 0;  // EToyType
    bool active = true;

private:
    bool MeetPlayer(const STickView& view, int player);
    bool Touch(const STickView& view, int player);
    void Pull(int dx, int dy, float pull);
    void JumpWithinArena(const STickView& view);
    void Blow(float windX, float windY);
    void Damp(float tCellBounce);
    void Roll(const STickView& view);
    void DriftAsDust(int radius);
};

// Whether a T-cell lies strictly within the radius of (x, y) on both axes.
// Only T-cells smash eggs and kill aliens, present or not.
bool TCellWithin(const ToyList* toys, int x, int y, int radius);
