#include "creatures/Alien.h"

#include <cstdlib>
#include <memory>
#include <vector>

#include "app/Display.h"
#include "app/Random.h"
#include "app/TickTimer.h"
#include "app/TurnedSprite.h"
#include "assets/ArtCache.h"
#include "assets/Asset.h"
#include "audio/Audio.h"
#include "creatures/CentredSprite.h"
#include "creatures/Reach.h"
#include "creatures/TickView.h"
#include "creatures/Toy.h"

namespace {

constexpr int kKillPoints = 1;   // level points for a killed alien
constexpr int kInfectPoints = 3; // level points lost to an infection
constexpr int kWanderer = 4;     // the kind hatched from a power-up egg
constexpr int kQuarterTurn = 64; // Allegro angle units

constexpr int kCrawlers = 4; // kinds 0..3 animate; the wanderer has one image
const char* const kImages[] = {"ALIEN_Y_IMG", "ALIEN_G_IMG", "ALIEN_R_IMG", "ALIEN_B_IMG", "ALIEN_W_IMG"};
// Kinds 0 and 2 crawl sideways: their upright frames drawn a quarter turn round.
constexpr int kTurn[kCrawlers] = {kQuarterTurn, 0, -kQuarterTurn, 0};

struct SAlienArt {
    int frameCount = 0;                  // of ALIEN_Y_IMG, for every kind
    std::vector<BITMAP*> frames[kCrawlers]; // by kind; may hold fewer than frameCount
    std::vector<std::unique_ptr<CTurnedSprite>> turned[kCrawlers]; // kinds 0 and 2, by frame
    BITMAP* wanderer = nullptr;          // ALIEN_W_IMG
    void LookUp()
    {
        frameCount = g_bitmaps.GetFrameCount(kImages[0]);
        for (int k = 0; k < kCrawlers; ++k)
            for (int f = 0; f < g_bitmaps.GetFrameCount(kImages[k]); ++f) {
                frames[k].push_back(g_bitmaps.GetFrame(kImages[k], f));
                if (kTurn[k] != 0)
                    turned[k].push_back(std::make_unique<CTurnedSprite>(frames[k].back(), kTurn[k]));
            }
        wanderer = g_bitmaps.Get(kImages[kWanderer]);
    }
};

// Every kind animates through as many frames as the right-crawling image has.
int FrameCount() { return CachedArt<SAlienArt>().frameCount; }

// Heading toward the middle from a quadrant: the two inward choices, by coin.
int InwardHeading(int x, int y)
{
    const int w2 = kScreenW >> 1, h2 = kScreenH >> 1;
    if (x == w2 || y == h2)
        return std::rand() % 4;
    const bool odd = std::rand() & 1;
    if (x < w2)
        return odd ? 0 : (y < h2 ? 1 : 3);
    return odd ? 2 : (y < h2 ? 1 : 3);
}

} // namespace

CAlien::CAlien() : kind(std::rand() % 4) {}

// A transverse time below 4 (from a level file) gives no random delays.
void CAlien::Birth(int bx, int by, int transverseHSec, int friendlyOdds)
{
    g_audio.PlaySound("BIRTH_SFX");
    const int now = CTickTimer::Now();
    animTime = now + RandomBetween(0, transverseHSec >> 2);
    frame = RandomBetween(0, FrameCount());
    side = std::rand() & 1;
    sideTime = now + RandomBetween(0, transverseHSec);
    x = bx;
    fx = static_cast<float>(bx);
    y = by;
    fy = static_cast<float>(by);
    kind = ChooseHeading(friendlyOdds);
    dead = false;
}

int CAlien::ChooseHeading(int friendlyOdds) const
{
    if (std::rand() % 100 > friendlyOdds)
        return std::rand() % 4;
    return InwardHeading(x, y);
}

int CAlien::Update(const STickView& view)
{
    // Killed earlier this tick (a detonation): it scores and moves no more.
    if (dead)
        return kStillInPlay;
    Animate(view.transverseHSec, view.freezeUntil);
    int killer = -1;
    if (IsHit(view, killer)) {
        g_audio.PlaySound("KILL_ALIEN_SFX");
        *view.levelPoints += kKillPoints;
        if (killer >= 0)
            view.aliensKilled[killer] += 1;
        dead = true;
        return kStillInPlay;
    }
    return Move(view);
}

void CAlien::Animate(int transverseHSec, int freezeUntil)
{
    const int now = CTickTimer::Now();
    if (animTime >= now || freezeUntil != 0)
        return;
    animTime = now + (transverseHSec >> 2);
    const int count = FrameCount();
    frame = count > 0 ? (frame + 1) % count : 0;
}

// T-cells, pucks and acid trails kill; magnetic players pull on the way.
// The killer is the last player to touch it, or -1 for a T-cell alone.
bool CAlien::IsHit(const STickView& view, int& killer)
{
    bool hit = TCellWithin(view.toys, x, y, view.crackRadius);
    for (int i = 0; i < view.numPlayers; ++i) {
        const int dx = view.playerX[i] - x;
        const int dy = view.playerY[i] - y;
        const int flags = view.playerPowerFlags[i];
        const int reach = view.reach[i];
        if (HasPower(flags, kPupTrail) && TrailReaches(view, i, x, y, reach)) {
            hit = true;
            killer = i;
        }
        if (InReach(dx, dy, reach)) {
            hit = true;
            killer = i;
        }
        if (HasPower(flags, kPupMagnetic))
            Pull(dx, dy, view.pullOnParasites, view.freezeUntil > 0);
    }
    return hit;
}

// A frozen alien keeps its whole-pixel place except for the magnet's pull.
void CAlien::Pull(int dx, int dy, float pull, bool frozen)
{
    const float px = dx * pull;
    const float py = dy * pull;
    fx += px;
    fy += py;
    if (!frozen)
        return;
    x += static_cast<int32_t>(px);
    y += static_cast<int32_t>(py);
}

// Returns the kind on infection, else kStillInPlay.
int CAlien::Move(const STickView& view)
{
    Drift(view.transverseSpeed, view.transverseHSec);
    if (Crawl(Heading(), view.moveSpeed, view.edgeInfect, view.transverseHSec)) {
        dead = true;
        *view.levelPoints -= kInfectPoints;
        return kind;
    }
    fx += view.windX;
    fy += view.windY;
    if (view.freezeUntil <= 0) {
        x = static_cast<int32_t>(fx);
        y = static_cast<int32_t>(fy);
    } else {
        // Frozen: everything above ran, but the alien stays put.
        fx = static_cast<float>(x);
        fy = static_cast<float>(y);
    }
    return kStillInPlay;
}

// Wanderers also pick a new heading (from sideTime) each time the side flips.
void CAlien::Drift(float transverseSpeed, int transverseHSec)
{
    const int now = CTickTimer::Now();
    if (sideTime < now) {
        int wait = transverseHSec;
        if (kind == kWanderer)
            wait += RandomBetween(0, transverseHSec) * 5;
        sideTime = now + wait;
        side = 1 - side;
    } else if (side == 0) {
        drift -= transverseSpeed;
    } else {
        drift += transverseSpeed;
    }
}

int CAlien::Heading() const
{
    if (kind != kWanderer)
        return kind;
    return ((sideTime % 4) + 4) % 4; // a clock before 0 still gives 0..3
}

// One step along the heading with the sideways drift, bouncing off the
// margins beside the path. True when the step crossed the infection line.
bool CAlien::Crawl(int heading, float moveSpeed, int edgeInfect, int transverseHSec)
{
    if (heading < 0 || heading > 3)
        return false;
    const bool horizontal = heading == 0 || heading == 2;
    const float sign = heading < 2 ? 1.0f : -1.0f; // right and down are forward
    float& along = horizontal ? fx : fy;
    float& across = horizontal ? fy : fx;
    const int alongSize = horizontal ? kScreenW : kScreenH;
    const int acrossSize = horizontal ? kScreenH : kScreenW;
    const int margin = 2 * edgeInfect;
    along += sign * moveSpeed;
    across += sign * drift;
    if (across > acrossSize - margin && sign * drift > 0)
        Bounce(transverseHSec);
    if (across < margin && sign * drift < 0)
        Bounce(transverseHSec);
    return heading < 2 ? along > alongSize - edgeInfect : along < edgeInfect;
}

void CAlien::Bounce(int transverseHSec)
{
    side = 1 - side;
    sideTime = CTickTimer::Now() + (transverseHSec >> 1);
    drift = static_cast<float>(-(drift * 0.5));
}

void CAlien::Draw() const
{
    if (kind < 0 || kind > kWanderer)
        return;
    const SAlienArt& art = CachedArt<SAlienArt>();
    if (kind == kWanderer) {
        DrawCentred(art.wanderer, x, y);
        return;
    }
    // The other images may hold fewer frames than the one that sets the count.
    const auto& frames = art.frames[kind];
    if (frame < 0 || frame >= static_cast<int>(frames.size()))
        return;
    switch (kind) {
    case 0:
    case 2: DrawCentredTurned(*art.turned[kind][frame], frames[frame], x, y); break;
    case 1: DrawCentredVFlip(frames[frame], x, y); break;
    default: DrawCentred(frames[frame], x, y); break;
    }
}
