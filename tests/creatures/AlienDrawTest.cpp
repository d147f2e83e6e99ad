#include <allegro.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "app/TickTimer.h"
#include "creatures/Alien.h"
#include "creatures/DrawFixture.h"
#include "creatures/TickWorld.h"

namespace {

constexpr int kNow = 1000;
constexpr int kFrame = 12; // pixels, square frames

int Red() { return makecol(255, 0, 0); }
int Blue() { return makecol(0, 0, 255); }
// A body colour for each image and frame, so that a pixel tells which was drawn.
int Body(int kind, int frame) { return makecol(40 + 50 * kind, 60 + 60 * frame, 100); }

const char* const kCrawlerImages[4] = {"ALIEN_Y_IMG", "ALIEN_G_IMG", "ALIEN_R_IMG", "ALIEN_B_IMG"};

// Parasites hatch facing up: every frame has a red head on its top edge and
// a blue mark on its left side, so any turn or flip shows.
class AlienDrawTest : public CreatureDrawTest {
protected:
    void SetUp() override
    {
        CreatureDrawTest::SetUp();
        CTickTimer::SetNow(kNow);
    }
    void LendCrawler(int kind, int frames)
    {
        BITMAP* strip = LendFrames(kCrawlerImages[kind], frames, kFrame, kFrame);
        for (int f = 0; f < frames; ++f) {
            const int left = f * kFrame;
            rectfill(strip, left, 0, left + kFrame - 1, kFrame - 1, Body(kind, f));
            rectfill(strip, left + 4, 0, left + 7, 2, Red());  // head
            rectfill(strip, left, 4, left + 2, 7, Blue());     // left side
        }
    }
    // Where the pixels of a colour lie, on average, from (x, y).
    void Centroid(int colour, int x, int y, double& cx, double& cy) const
    {
        double sx = 0, sy = 0;
        int n = 0;
        for (int py = y - kFrame; py <= y + kFrame; ++py)
            for (int px = x - kFrame; px <= x + kFrame; ++px)
                if (Pixel(px, py) == colour) {
                    sx += px - x;
                    sy += py - y;
                    ++n;
                }
        ASSERT_GT(n, 0);
        cx = sx / n;
        cy = sy / n;
    }
};

TEST_F(AlienDrawTest, EachCrawlerShowsItsOwnFrameTurnedToItsHeading)
{
    for (int kind = 0; kind < 4; ++kind)
        LendCrawler(kind, 3);
    struct Case {
        int kind;
        int headX, headY; // the direction the head points
        int sideX, sideY; // where the left-side mark ends up
    };
    const Case cases[] = {
        {0, 1, 0, 0, -1}, // right: a quarter turn clockwise
        {1, 0, 1, -1, 0}, // down: flipped top to bottom, not turned
        {2, -1, 0, 0, 1}, // left: a quarter turn back
        {3, 0, -1, -1, 0}, // up: as drawn
    };
    for (const Case& c : cases) {
        for (int frame = 0; frame < 3; ++frame) {
            clear_to_color(g_display.backBuffer, kBlack);
            CAlien alien;
            alien.kind = c.kind;
            alien.frame = frame;
            alien.x = 300;
            alien.y = 200;
            alien.Draw();
            EXPECT_EQ(Pixel(300, 200), Body(c.kind, frame)) << "kind " << c.kind << " frame " << frame;
            double hx = 0, hy = 0, sx = 0, sy = 0;
            Centroid(Red(), 300, 200, hx, hy);
            Centroid(Blue(), 300, 200, sx, sy);
            EXPECT_GT(hx * c.headX + hy * c.headY, 3.0) << "kind " << c.kind << " head at " << hx << "," << hy;
            EXPECT_LT(std::abs(c.headX ? hy : hx), 1.0) << "kind " << c.kind;
            EXPECT_GT(sx * c.sideX + sy * c.sideY, 3.0) << "kind " << c.kind << " side at " << sx << "," << sy;
            EXPECT_LT(std::abs(c.sideX ? sy : sx), 1.0) << "kind " << c.kind;
        }
    }
}

// Birth draws the frame between the animation time and the side; the count
// comes from the right-crawling image alone.
TEST_F(AlienDrawTest, BirthDrawsItsFrameFromTheRightCrawlersCount)
{
    LendCrawler(0, 3);
    LendCrawler(1, 7);
    for (unsigned seed : {1u, 2u, 3u, 5u, 8u}) {
        srand(seed);
        rand(); // the constructor's kind
        const int animTime = kNow + rand() % 25;
        const int frame = rand() % 3;
        const int side = rand() & 1;
        const int sideTime = kNow + rand() % 100;
        srand(seed);
        CAlien alien;
        alien.Birth(200, 150, 100, 50);
        EXPECT_EQ(alien.animTime, animTime) << seed;
        EXPECT_EQ(alien.frame, frame) << seed;
        EXPECT_EQ(alien.side, side) << seed;
        EXPECT_EQ(alien.sideTime, sideTime) << seed;
    }
}

TEST_F(AlienDrawTest, AnimationStepsOnAndWrapsAtTheRightCrawlersCount)
{
    LendCrawler(0, 3);
    LendCrawler(1, 5);
    struct Case {
        int kind, frame;
        int freezeUntil;
        int after;
    };
    const Case cases[] = {
        {1, 0, 0, 1}, {1, 1, 0, 2}, {1, 2, 0, 0}, {0, 2, 0, 0}, {3, 2, 0, 0}, {1, 1, kNow + 50, 1},
    };
    for (const Case& c : cases) {
        STickWorld w;
        w.view.freezeUntil = c.freezeUntil;
        CAlien alien;
        alien.kind = c.kind;
        alien.frame = c.frame;
        alien.x = 500;
        alien.y = 400;
        alien.fx = 500;
        alien.fy = 400;
        alien.animTime = kNow - 1;
        alien.sideTime = kNow + 1000;
        alien.Update(w.view);
        EXPECT_EQ(alien.frame, c.after) << "kind " << c.kind << " frame " << c.frame;
    }
}

} // namespace
