#include "Bot.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/Display.h"
#include "app/TickTimer.h"
#include "creatures/Alien.h"
#include "creatures/Boss.h"
#include "creatures/Egg.h"
#include "creatures/Toy.h"
#include "play/StatePlay.h"

namespace {

constexpr int kHorizon = 24;        // ticks looked ahead
constexpr int kShortHold = 8;       // ticks of a brief hold with precise
constexpr float kCruise = 3.2f;     // pixels per tick, for rough travel times
constexpr long kGiveUpAfter = 210;  // ticks chasing one goal before trying another
constexpr long kGiveUpFor = 140;    // ticks a given-up goal is left alone
constexpr float kStaticMargin = 16; // pixels kept from nerves and teeth: no threading needles
constexpr float kMovingMargin = 30; // pixels kept from fire and deadly bosses
constexpr int kBossSize = CBoss::kSize; // pixels, the boss's contact half-size
constexpr float kSwitchFactor = 1.3f; // a new goal must be this much better
constexpr float kLureDistance = 130;   // pixels behind a T-cell, seen from the boss
constexpr float kMaxLineSteps = 256;   // points looked at along one line, whatever its length

// The step along a line of the given length: fine within the arena, coarser
// only for lines no arena holds, which wild level values could otherwise ask
// the bot to walk pixel by pixel (or for ever, once a float step stops adding).
float LineStep(float len, float fine) { return std::max(fine, len / kMaxLineSteps); }
constexpr float kWallRoom = 70;       // pixels a lure spot keeps from the walls
constexpr int kFireCushion = 20;     // points held before going near a fireball boss
constexpr int kUrgentBorder = 12;       // cells from the grid's edge at which growth is fought first
constexpr int kThinField = 10;       // whole eggs left when power-up eggs become worth opening
constexpr float kPanicDistance = 120; // pixels beyond contact at which the bot only runs

// What a power-up egg holds shows only when it is open, and one may be a
// trap that hatches everything: a careful player leaves them alone until
// the field has thinned.
int WholeEggs(const CStatePlay& play)
{
    int whole = 0;
    for (const auto& egg : play.eggs)
        whole += !egg->cracked;
    return whole;
}

float Cheb(float ax, float ay, float bx, float by) { return std::max(std::fabs(ax - bx), std::fabs(ay - by)); }

bool IsHazardToy(int type) { return type >= kToyFire && type <= kToyToothL; }

// Power-ups worth walking to; a disrupt hatches every egg and is left alone.
float PowerUpValue(int kind)
{
    switch (kind) {
    case kPupDisrupt:
        return 0;
    case kPupPrecise:
        return 1.0f;
    default:
        return 3.0f;
    }
}

int KeysOf(int index)
{
    static const int kMasks[] = {0,
                                 kBotRight,
                                 kBotLeft,
                                 kBotUp,
                                 kBotDown,
                                 kBotRight | kBotUp,
                                 kBotRight | kBotDown,
                                 kBotLeft | kBotUp,
                                 kBotLeft | kBotDown};
    return kMasks[index];
}

int Presses(int keys)
{
    int n = 0;
    for (; keys; keys &= keys - 1)
        ++n;
    return n;
}

} // namespace

void CBot::Reset() { *this = CBot(); }

int CBot::Decide(const CStatePlay& play)
{
    ++tick;
    puckX = play.playerFX[0];
    puckY = play.playerFY[0];
    radius = play.cvar_crackRadius * (HasPower(play.playerPowerFlags[0], kPupMushroom) ? 2 : 1);
    EstimateWind(play);
    SPercept frame;
    frame.puck = SPuckSim::FromPlay(play, windX, windY);
    frame.precise = HasPower(play.playerPowerFlags[0], kPupPrecise);
    SeeHazards(play, frame);
    SeeGoals(play, frame);
    TrackMotion(play);
    seen.push_back(std::move(frame));
    if (seen.size() > static_cast<size_t>(kReactionTicks) + 1)
        seen.pop_front();
    pressCredit = std::min(pressCredit + 1, kPressGap * kPressBurst);
    const int now = CTickTimer::Now();
    if (play.levelPoints < 0 || play.levelStartAt - now >= play.cvar_hSecBeforeLevelStartSayGo) {
        lastKeys = 0;
        return 0; // keys do nothing before "Go!" or once the level is lost
    }
    Recall();
    fleeing = deadlyBoss && Cheb(puckX, puckY, bossX, bossY) < play.cvar_crackRadius + kBossSize + kPanicDistance;
    const SGoal* goal = ChooseGoal();
    SGoal via, refuge;
    if (fleeing && Refuge(play, refuge))
        goal = &refuge;
    if (goal && Detour(play, *goal, via))
        goal = &via;
    const int keys = ChooseKeys(play, goal);
    pressCredit -= Presses(keys & ~lastKeys) * kPressGap;
    // With precise a key fires from its second tick held; otherwise on the tick it goes down.
    seen.back().fired = seen.back().precise ? keys & lastKeys : keys & ~lastKeys;
    lastKeys = keys;
    return keys;
}

// The oldest frame in memory, moved on by the time since: things keep
// going the way they were seen going, and the puck goes where the keys
// pressed since have sent it.
void CBot::Recall()
{
    const SPercept& old = seen.front();
    const float age = static_cast<float>(seen.size() - 1);
    goals = old.goals;
    for (SGoal& g : goals) {
        g.x += g.vx * age;
        g.y += g.vy * age;
    }
    hazards = old.hazards;
    for (SHazard& h : hazards) {
        h.x += h.vx * age;
        h.y += h.vy * age;
    }
    deadlyBoss = old.deadlyBoss;
    bossChases = old.bossChases;
    bossX = old.bossX + old.bossVX * age;
    bossY = old.bossY + old.bossVY * age;
    bossVX = old.bossVX;
    bossVY = old.bossVY;
    precise = old.precise;
    puck = old.puck;
    puck.drive.windX = windX;
    puck.drive.windY = windY;
    for (size_t i = 0; i + 1 < seen.size(); ++i) {
        puck.Press(seen[i].fired);
        puck.Step();
    }
    puckX = puck.X();
    puckY = puck.Y();
}

// What moved the puck in the last tick beyond the beams is the wind (and a
// blower's breath); the beams' strength is on screen.
void CBot::EstimateWind(const CStatePlay& play)
{
    const float power = CPuckPhysics::Power(play, 0), drop = play.cvar_movePowerDropoff;
    auto push = [&](float frac) { return frac != 0.0f ? CPuckPhysics::Push(frac, power, drop) : 0.0f; };
    const float seenX = play.playerVX[0] - (push(play.laserAFrac[0]) - push(play.laserCFrac[0]));
    const float seenY = play.playerVY[0] - (push(play.laserBFrac[0]) - push(play.laserDFrac[0]));
    windX = 0.7f * windX + 0.3f * seenX;
    windY = 0.7f * windY + 0.3f * seenY;
}

void CBot::TrackMotion(const CStatePlay& play)
{
    lastSeen.clear();
    for (const auto& alien : play.aliens)
        lastSeen[alien.get()] = {alien->fx, alien->fy};
}

bool CBot::DeadlyBoss(const CStatePlay& play) const
{
    const CBoss& boss = play.boss;
    return boss.type != kBossStemCell && boss.health >= 1 && boss.damagePerPlayerBump < 0;
}

void CBot::SeeHazards(const CStatePlay& play, SPercept& p)
{
        const float r = static_cast<float>(play.cvar_crackRadius);
    for (const auto& toy : play.toys) {
        if (toy->IsInactive() || !IsHazardToy(toy->type))
            continue;
        const bool moving = toy->type == kToyFire;
        p.hazards.push_back({toy->fx, toy->fy, moving ? toy->vx : 0.0f, moving ? toy->vy : 0.0f,
                           r + (moving ? kMovingMargin : kStaticMargin), moving});
    }
    const bool thick = WholeEggs(play) > kThinField;
    for (const auto& egg : play.eggs)
        if ((egg->cracked && egg->kind == kPupDisrupt) || (thick && !egg->cracked && egg->kind != kPupPlainEgg))
            p.hazards.push_back({static_cast<float>(egg->x), static_cast<float>(egg->y), 0, 0, r + 4, false});
}

void CBot::SeeGoals(const CStatePlay& play, SPercept& p)
{
    SeeEggs(play, p);
    SeeAliens(play, p);
    SeeBoss(play, p);
    if (play.boss.type == kBossStemCell)
        SeeStemCells(play, p);
    p.deadlyBoss = DeadlyBoss(play);
    p.bossChases = play.boss.type == kBossTCellKing;
    p.bossX = play.boss.fx;
    p.bossY = play.boss.fy;
    p.bossVX = play.boss.vx;
    p.bossVY = play.boss.vy;
}

float CBot::Eta(float x, float y) const { return Cheb(puckX, puckY, x, y) / kCruise; }

void CBot::SeeEggs(const CStatePlay& play, SPercept& p)
{
    const int now = CTickTimer::Now();
    const bool deadly = DeadlyBoss(play);
    const float range = static_cast<float>(play.cvar_pup_det_range);
    const bool thick = WholeEggs(play) > kThinField;
    for (const auto& egg : play.eggs) {
        SGoal g;
        g.x = static_cast<float>(egg->x);
        g.y = static_cast<float>(egg->y);
        g.id = egg.get();
        g.reach = radius;
        if (!egg->cracked) {
            if (thick && egg->kind != kPupPlainEgg)
                continue;
            const bool trembling = egg->time - now < play.cvar_crackWarningTime; // it shakes on screen
            g.value = egg->kind != kPupPlainEgg ? 2.5f : (trembling ? 3.0f : 2.0f);
        } else if (egg->kind >= kPupMagnetic && egg->kind <= kPupDetonate) {
            g.value = PowerUpValue(egg->kind);
            g.reach = play.cvar_crackRadius * (HasPower(play.playerPowerFlags[0], kPupMushroom) ? 2 : 1);
            // Against a boss that must not be touched, a blast is saved until it comes close.
            if (deadly && egg->kind == kPupDetonate) {
                const CBoss& boss = play.boss;
                const bool inRange = std::fabs(boss.fx - g.x) < range * 0.85f && std::fabs(boss.fy - g.y) < range * 0.85f;
                if (!inRange) {
                    const float away = boss.fx < g.x ? 1.0f : -1.0f;
                    g.x += away * (play.cvar_crackRadius + 25);
                    g.reach = 12;
                    g.value = 1.5f;
                    g.id = nullptr;
                } else {
                    g.value = 6.0f;
                }
            }
        } else {
            continue;
        }
        p.goals.push_back(g);
    }
}

void CBot::SeeAliens(const CStatePlay& play, SPercept& p)
{
    const float e = static_cast<float>(play.cvar_alienEdgeInfect);
    for (const auto& alien : play.aliens) {
        if (alien->dead)
            continue;
        SGoal g;
        g.x = alien->fx;
        g.y = alien->fy;
        g.id = alien.get();
        g.reach = radius;
        auto seen = lastSeen.find(alien.get());
        if (seen != lastSeen.end()) {
            g.vx = alien->fx - seen->second.first;
            g.vy = alien->fy - seen->second.second;
        }
        // Ticks until it crosses its infection line, from how it moves.
        float infectIn = 1e9f;
        if (g.vx > 0.01f)
            infectIn = std::min(infectIn, (kScreenW - e - g.x) / g.vx);
        if (g.vx < -0.01f)
            infectIn = std::min(infectIn, (g.x - e) / -g.vx);
        if (g.vy > 0.01f)
            infectIn = std::min(infectIn, (kScreenH - e - g.y) / g.vy);
        if (g.vy < -0.01f)
            infectIn = std::min(infectIn, (g.y - e) / -g.vy);
        const float eta = Eta(g.x, g.y);
        g.value = eta < infectIn ? 1.0f + 3.0f * std::clamp(120.0f / (infectIn + 40.0f), 0.4f, 1.5f) : 0.6f;
        p.goals.push_back(g);
    }
}

// A boss that must not be touched walks after the puck: stand behind a
// T-cell so that it walks into it.
void CBot::SeeLure(const CStatePlay& play, SPercept& p)
{
    const CBoss& boss = play.boss;
    for (const auto& toy : play.toys) {
        if (toy->type != kToyTCell)
            continue;
        const float dx = toy->fx - boss.fx, dy = toy->fy - boss.fy;
        const float len = std::max(1.0f, std::sqrt(dx * dx + dy * dy));
        SGoal g;
        g.x = toy->fx + dx / len * kLureDistance;
        g.y = toy->fy + dy / len * kLureDistance;
        // A wall at the back leaves no way out when the boss comes.
        if (g.x < play.arenaLeft + kWallRoom || g.x > play.arenaRight - kWallRoom ||
            g.y < play.arenaTop + kWallRoom || g.y > play.arenaBottom - kWallRoom)
            continue;
        g.reach = 20;
        g.value = 1.2f;
        g.id = toy.get();
        p.goals.push_back(g);
    }
}

void CBot::SeeBoss(const CStatePlay& play, SPercept& p)
{
    const CBoss& boss = play.boss;
    if (DeadlyBoss(play)) {
        SeeLure(play, p);
        return;
    }
    if (boss.type == kBossStemCell || boss.health < 1 || boss.damagePerPlayerBump <= 0)
        return;
    const int now = CTickTimer::Now();
    if (boss.hurtUntil > now)
        return; // flickering: a hit now would do nothing
    if (boss.type == kBossChaser && boss.state == CBoss::kChaserWait) {
        // Touching a waiting chaser from behind heals it: only from the front.
        const float a = fixtof(boss.heading.v) * static_cast<float>(M_PI) / 128.0f;
        const float behind = (boss.fx - puckX) * std::cos(a) + (boss.fy - puckY) * std::sin(a);
        if (behind > 0)
            return;
    }
    SGoal g;
    g.x = boss.fx;
    g.y = boss.fy;
    g.vx = boss.vx;
    g.vy = boss.vy;
    g.reach = play.cvar_crackRadius + kBossSize - 4;
    // Its health bar says how near it is to the end; a gobbler down to its
    // last food must be finished before it eats that and heals for good.
    g.value = 3.0f + (100 - boss.health) / 25.0f;
    // It throws its fires from its middle: hit it once there are points to spare.
    if (boss.type == kBossFireball && play.levelPoints < kFireCushion)
        g.value = 0.5f;
    if (boss.type == kBossGobbler) {
        int food = 0;
        for (const auto& toy : play.toys)
            food += toy->type == kToyFood && !toy->IsInactive();
        if (food <= 3)
            g.value += 4.0f;
    }
    g.id = &play.boss;
    p.goals.push_back(g);
}

// Growing cells nearest the grid's border first: once one gets there the
// mass cannot be wiped out by touch any more.
void CBot::SeeStemCells(const CStatePlay& play, SPercept& p)
{
    const CEndBoss& mass = play.boss.endBoss;
    float best = 1e9f;
    int nearest = CEndBoss::kRows; // border distance of the growing cell nearest the edge
    SGoal pick;
    int pickRow = -1, pickCol = -1;
    for (int row = 1; row < CEndBoss::kRows - 1; ++row) {
        for (int col = 1; col < CEndBoss::kCols - 1; ++col) {
            const int v = mass.cells[row][col];
            if (v == 0)
                continue;
            const float x = static_cast<float>(CEndBoss::CellCentreX(col));
            const float y = static_cast<float>(CEndBoss::CellCentreY(row));
            const int border = std::min({row, CEndBoss::kRows - 1 - row, col, CEndBoss::kCols - 1 - col});
            if (v > 0)
                nearest = std::min(nearest, border);
            // Stay with the cell already aimed at, or the puck dithers between two.
            const bool aimed = row == cellRow && col == cellCol;
            const float score = (v > 0 ? 0.0f : 400.0f) + border * 12.0f + Cheb(puckX, puckY, x, y) - (aimed ? 40.0f : 0.0f);
            if (score < best) {
                best = score;
                pick.x = x;
                pick.y = y;
                pickRow = row;
                pickCol = col;
            }
        }
    }
    cellRow = pickRow;
    cellCol = pickCol;
    if (best == 1e9f)
        return;
    pick.reach = play.cvar_crackRadius - 2;
    // Growth far from the edge can wait while eggs are about to hatch.
    pick.value = nearest <= kUrgentBorder ? 4.0f : 1.0f;
    pick.id = nullptr; // one cell after another: never given up
    p.goals.push_back(pick);
}

bool CBot::NextToHazard(const SGoal& g) const
{
    if (g.vx != 0 || g.vy != 0)
        return false;
    for (const SHazard& h : hazards)
        if (h.vx == 0 && h.vy == 0 && !h.bounces && Cheb(g.x, g.y, h.x, h.y) < h.radius)
            return true;
    return false;
}

const CBot::SGoal* CBot::ChooseGoal()
{
    const SGoal* best = nullptr;
    const SGoal* current = nullptr;
    float bestScore = 0, currentScore = 0;
    for (const SGoal& g : goals) {
        auto it = given.find(g.id);
        if (g.id && it != given.end() && it->second > tick)
            continue;
        if (NextToHazard(g))
            continue; // not worth a brush with a nerve; what hatches there walks out
        const float score = g.value / (Eta(g.x, g.y) + 15.0f);
        if (score > bestScore) {
            bestScore = score;
            best = &g;
        }
        if (g.id && g.id == goalId) {
            current = &g;
            currentScore = score;
        }
    }
    if (current && best != current && bestScore < currentScore * kSwitchFactor)
        best = current;
    if (best && best->id != goalId) {
        goalId = best->id;
        goalSince = tick;
    } else if (best && best->id && tick - goalSince > kGiveUpAfter) {
        given[best->id] = tick + kGiveUpFor; // stuck behind a hazard: try something else
        goalSince = tick;
    }
    return best;
}

// Away from a boss that must not be touched: the open spot farthest from
// it that can be reached without passing it.
bool CBot::Refuge(const CStatePlay& play, SGoal& out) const
{
    const float touch = play.cvar_crackRadius + kBossSize;
    const float left = play.arenaLeft + kWallRoom, right = play.arenaRight - kWallRoom;
    const float top = play.arenaTop + kWallRoom, bottom = play.arenaBottom - kWallRoom;
    float best = -1e9f;
    for (int i = 0; i <= 6; ++i) {
        for (int j = 0; j <= 4; ++j) {
            const float x = left + (right - left) * i / 6.0f, y = top + (bottom - top) * j / 4.0f;
            const float dx = x - puckX, dy = y - puckY, len = std::max(1.0f, std::hypot(dx, dy));
            float closest = 1e9f; // how near the way passes it
            const float step = LineStep(len, 10);
            for (float t = 0; t < len; t += step)
                closest = std::min(closest, Cheb(puckX + dx * t / len, puckY + dy * t / len, bossX, bossY));
            // A way that passes it closely is worse than a short one; one that
            // touches is out of the question unless nothing else is left.
            const float room = std::min(closest - touch, 60.0f);
            const float score = std::hypot(x - bossX, y - bossY) - len * 0.3f + room * 4.0f;
            if (score > best) {
                best = score;
                out = SGoal();
                out.x = x;
                out.y = y;
                out.reach = 30;
                out.value = 1;
            }
        }
    }
    return true;
}

// The first nerve or tooth on the straight way between two points, if any.
const CBot::SHazard* CBot::Blocker(float ax, float ay, float bx, float by) const
{
    const float dx = bx - ax, dy = by - ay, len = std::hypot(dx, dy);
    const SHazard* block = nullptr;
    float blockAt = len;
    for (const SHazard& h : hazards) {
        if (h.vx != 0 || h.vy != 0 || h.bounces || Cheb(ax, ay, h.x, h.y) < h.radius)
            continue; // moving things are dodged as they come; from inside, just get out
        const float step = LineStep(len, 6);
        for (float t = 0; t < std::min(len, blockAt); t += step) {
            if (Cheb(ax + dx * t / len, ay + dy * t / len, h.x, h.y) < h.radius) {
                block = &h;
                blockAt = t;
                break;
            }
        }
    }
    return block;
}

// A straight run at the goal that crosses a nerve or a tooth goes round it
// instead, past whichever side leaves the shorter clear way; when that way
// is blocked too, round the second one first.
bool CBot::Detour(const CStatePlay& play, const SGoal& goal, SGoal& via) const
{
    const SHazard* block = Blocker(puckX, puckY, goal.x, goal.y);
    if (!block || Cheb(goal.x, goal.y, block->x, block->y) < block->radius)
        return false;
    // Two spots beside a hazard, across the line from (ax, ay) to (bx, by).
    auto beside = [&](const SHazard& h, float ax, float ay, float bx, float by, int sign, float& wx, float& wy) {
        const float dx = bx - ax, dy = by - ay, len = std::max(1.0f, std::hypot(dx, dy));
        const float side = h.radius * 1.5f + 10;
        wx = std::clamp(h.x - sign * dy / len * side, static_cast<float>(play.arenaLeft), static_cast<float>(play.arenaRight));
        wy = std::clamp(h.y + sign * dx / len * side, static_cast<float>(play.arenaTop), static_cast<float>(play.arenaBottom));
    };
    float best = 1e9f, fallback = 1e9f, bestX = 0, bestY = 0;
    for (int sign : {-1, 1}) {
        float wx, wy;
        beside(*block, puckX, puckY, goal.x, goal.y, sign, wx, wy);
        const float rest = std::hypot(goal.x - wx, goal.y - wy);
        const float way = std::hypot(wx - puckX, wy - puckY) + rest;
        const SHazard* second = Blocker(puckX, puckY, wx, wy);
        if (!second && way < best) {
            best = way;
            bestX = wx;
            bestY = wy;
        }
        if (second && way < fallback && best == 1e9f) {
            for (int sign2 : {-1, 1}) {
                float vx, vy;
                beside(*second, puckX, puckY, wx, wy, sign2, vx, vy);
                const float way2 = std::hypot(vx - puckX, vy - puckY) + std::hypot(wx - vx, wy - vy) + rest;
                if (!Blocker(puckX, puckY, vx, vy) && way2 < fallback) {
                    fallback = way2;
                    bestX = vx;
                    bestY = vy;
                }
            }
        }
    }
    if (best == 1e9f && fallback == 1e9f) { // hemmed in: the nearer side of the first
        float wx, wy;
        beside(*block, puckX, puckY, goal.x, goal.y, 1, wx, wy);
        bestX = wx;
        bestY = wy;
    }
    via = SGoal();
    via.x = bestX;
    via.y = bestY;
    via.reach = 24;
    via.value = goal.value;
    via.id = goal.id;
    return true;
}

int CBot::ChooseKeys(const CStatePlay& play, const SGoal* goal)
{
    float bestCost = 1e30f;
    int bestKeys = 0;
    for (int i = 0; i < 9; ++i) {
        // A tap needs the key up in the tick before; with precise, holding
        // fires from the second tick on, so a plan holds its keys.
        const int keys = precise ? KeysOf(i) : KeysOf(i) & ~lastKeys;
        const int left = pressCredit - Presses(keys & ~lastKeys) * kPressGap;
        if (left < 0)
            continue; // the fingers are not that quick
        SPuckSim sim = puck;
        sim.Press(precise ? keys & lastKeys : keys);
        // The last press in hand is kept for getting out of the way.
        float cost = Cost(play, sim, goal, precise ? keys : 0, kHorizon);
        if (precise && keys) // or let go again soon, not to overshoot
            cost = std::min(cost, Cost(play, sim, goal, keys, kShortHold));
        cost += (keys ? 0.05f : 0.0f) + (left < kPressGap && keys & ~lastKeys ? 2.0f : 0.0f);
        if (cost < bestCost) {
            bestCost = cost;
            bestKeys = keys;
        }
    }
    return bestKeys;
}

float CBot::Cost(const CStatePlay& play, SPuckSim sim, const SGoal* goal, int hold, int holdTicks) const
{
    float cost = 0, minDist = 1e9f, lastDist = 0;
    float bx = bossX, by = bossY, bvx = bossVX, bvy = bossVY;
    bool reached = false;
    for (int k = 1; k <= kHorizon; ++k) {
        if (k > 1 && k <= holdTicks)
            sim.Press(hold);
        sim.Step();
        for (const SHazard& h : hazards) {
            float hx = h.x + h.vx * k, hy = h.y + h.vy * k;
            if (h.bounces) { // fold the straight path back into the arena
                auto fold = [](float v, float lo, float hi) {
                    const float span = hi - lo;
                    if (span <= 0)
                        return v;
                    float t = std::fmod(v - lo, 2 * span);
                    if (t < 0)
                        t += 2 * span;
                    return lo + (t > span ? 2 * span - t : t);
                };
                hx = fold(hx, static_cast<float>(play.arenaLeft), static_cast<float>(play.arenaRight));
                hy = fold(hy, static_cast<float>(play.arenaTop), static_cast<float>(play.arenaBottom));
            }
            const float d = Cheb(sim.X(), sim.Y(), hx, hy);
            if (d < h.radius) {
                const float into = h.radius - d + 5.0f;
                cost += into * (60.0f + into) / (1.0f + 0.08f * k);
            }
        }
        if (deadlyBoss) {
            // The king walks straight at the puck; the others keep their course.
            const float speed = std::hypot(bvx, bvy), ax = sim.X() - bx, ay = sim.Y() - by;
            const float len = std::max(1.0f, std::hypot(ax, ay));
            bx += bossChases ? ax / len * speed : bvx;
            by += bossChases ? ay / len * speed : bvy;
            const float d = Cheb(sim.X(), sim.Y(), bx, by), touch = play.cvar_crackRadius + kBossSize + kMovingMargin;
            if (d < touch) {
                const float into = touch - d + 5.0f;
                cost += into * (60.0f + into) / (1.0f + 0.08f * k);
            }
        }
        if (!goal || reached)
            continue;
        const float d = Cheb(sim.X(), sim.Y(), goal->x + goal->vx * k, goal->y + goal->vy * k);
        minDist = std::min(minDist, d);
        lastDist = d;
        if (d < goal->reach - 3) {
            reached = true;
            cost += static_cast<float>(k);
        }
    }
    if (goal && !reached)
        cost += kHorizon + minDist / 2.0f + lastDist / 6.0f;
    if (!goal) // nothing to do: drift back toward the middle
        cost += Cheb(sim.X(), sim.Y(), (play.arenaLeft + play.arenaRight) / 2.0f, (play.arenaTop + play.arenaBottom) / 2.0f) / 20.0f;
    return cost;
}
