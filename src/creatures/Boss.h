#pragma once
// LOCAL STUB - replaced by the real boss at merge; never committed.
#include "creatures/TickView.h"
int BossTypeFromName(const char* name);
class CBoss {
public:
    void Init(int x, int y, int type) { this->type = type; this->x = x; this->y = y; health = 100; }
    void LoadTunables() {}
    void Update(const STickView&) {}
    bool IsDead() const { return health < 1; }
    void Clear() { health = 0; }
    void DetonateAt(int, int, int) {}
    void Draw() {}
    int type = 0, x = 0, y = 0, health = 0;
};
inline int BossTypeFromName(const char*) { return -1; }
