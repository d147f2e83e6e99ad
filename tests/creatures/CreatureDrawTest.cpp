#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/TickTimer.h"
#include "creatures/Alien.h"
#include "creatures/DrawFixture.h"
#include "creatures/Egg.h"
#include "creatures/Toy.h"

namespace {

int White() { return makecol(255, 255, 255); }
int Red() { return makecol(255, 0, 0); }

// Whole eggs tremble before they hatch, open ones show, flicker and go.
class EggDrawTest : public CreatureDrawTest {
protected:
    static constexpr int kCrackSolid = 100, kCrackFlicker = 300, kPupSolid = 50, kPupFlicker = 200;

    static CEgg EggAt(int kind, int time, bool cracked)
    {
        CEgg egg;
        egg.x = 400;
        egg.y = 300;
        egg.kind = kind;
        egg.time = time;
        egg.cracked = cracked;
        return egg;
    }
    static void Draw(CEgg& egg, int warningTime = 50, int warningDist = 5)
    {
        egg.Draw(warningTime, warningDist, kCrackSolid, kCrackFlicker, kPupSolid, kPupFlicker);
    }
};

TEST_F(EggDrawTest, OpenEggShowsSolidThenFlickersThenExpires)
{
    Lend("EGGSHELL_IMG", 3, 3, White());
    Lend("PUP_MAG_IMG", 3, 3, White());
    Lend("EGGPUPSHELL_IMG", 3, 3, White());
    struct Case {
        int kind, age;
        bool flickerOn; // bit 3 of the clock
        bool shown, removed;
    };
    const Case cases[] = {
        {kPupPlainEgg, 99, false, true, false},   {kPupPlainEgg, 100, false, false, false},
        {kPupPlainEgg, 100, true, true, false},   {kPupPlainEgg, 300, true, true, false},
        {kPupPlainEgg, 301, true, false, true},   {kPupMagnetic, 49, false, true, false},
        {kPupMagnetic, 150, false, false, false}, {kPupMagnetic, 150, true, true, false},
        {kPupMagnetic, 201, true, false, true},   {kPupEmptyShell, -60, false, true, false}, // before its time
        {kPupEmptyShell, 201, false, false, true},
    };
    for (const Case& c : cases) {
        const int now = 10000 + (c.flickerOn ? 8 : 0); // 10000 has bit 3 clear
        CTickTimer::SetNow(now);
        clear_to_color(g_display.backBuffer, kBlack);
        CEgg egg = EggAt(c.kind, now - c.age, true);
        Draw(egg);
        EXPECT_EQ(Pixel(400, 300) == White(), c.shown) << c.kind << " age " << c.age << " on " << c.flickerOn;
        EXPECT_EQ(egg.removed, c.removed) << c.kind << " age " << c.age;
    }
}

TEST_F(EggDrawTest, OpenEggShowsThePictureOfItsKind)
{
    const char* const images[] = {"EGGSHELL_IMG", "PUP_MAG_IMG", "PUP_DIS_IMG", "PUP_GRO_IMG", "PUP_ACI_IMG",
                                  "PUP_SPE_IMG", "PUP_FRE_IMG", "PUP_LAS_IMG", "PUP_BOM_IMG", "EGGPUPSHELL_IMG"};
    auto colour = [](int kind) { return makecol(20 + 20 * kind, 200 - 15 * kind, 90); };
    for (int kind = 0; kind <= kPupEmptyShell; ++kind)
        Lend(images[kind], 3, 3, colour(kind));
    Lend("EGG_IMG", 3, 3, White());
    Lend("EGGPUP_IMG", 3, 3, White());
    CTickTimer::SetNow(10000);
    for (int kind = 0; kind <= kPupEmptyShell; ++kind) {
        clear_to_color(g_display.backBuffer, kBlack);
        CEgg egg = EggAt(kind, 10000, true);
        Draw(egg);
        EXPECT_EQ(Pixel(400, 300), colour(kind)) << images[kind];
    }
}

TEST_F(EggDrawTest, WholeEggTremblesShortlyBeforeHatchingUnlessTheDistanceIsEmpty)
{
    Lend("EGG_IMG", 1, 1, White());
    Lend("EGGPUP_IMG", 1, 1, Red());
    struct Case {
        int kind, timeLeft, dist;
        bool trembles;
    };
    const Case cases[] = {
        {kPupPlainEgg, 49, 5, true}, {kPupMagnetic, -3, 7, true}, {kPupPlainEgg, 50, 5, false},
        {kPupPlainEgg, 10, 0, false}, {kPupPlainEgg, 10, -3, false}, // no shake, and no crash
    };
    CTickTimer::SetNow(2000);
    for (const Case& c : cases) {
        clear_to_color(g_display.backBuffer, kBlack);
        srand(3);
        int ox = 0, oy = 0, draws = 0;
        if (c.trembles) {
            const int a = rand() % c.dist, b = rand() % c.dist;
            const int d = rand() % c.dist, e = rand() % c.dist;
            ox = a - b, oy = d - e, draws = 4;
        }
        srand(3);
        for (int i = 0; i < draws; ++i)
            rand();
        const int next = rand();
        srand(3);
        CEgg egg = EggAt(c.kind, 2000 + c.timeLeft, false);
        Draw(egg, 50, c.dist);
        EXPECT_EQ(Pixel(400 + ox, 300 + oy), c.kind == kPupPlainEgg ? White() : Red()) << c.timeLeft << "/" << c.dist;
        EXPECT_EQ(rand(), next) << "random draws for " << c.timeLeft << "/" << c.dist;
    }
}

TEST_F(CreatureDrawTest, ImagesAreCentredWithTheHalfSizeRoundedDown)
{
    Lend("TOY_TCELL_IMG", 5, 4, White());
    CToy cell;
    cell.Init(100, 100, 200, 200, kToyTCell);
    cell.Draw();
    EXPECT_EQ(Pixel(98, 198), White());
    EXPECT_EQ(Pixel(102, 201), White());
    EXPECT_EQ(Pixel(97, 198), kBlack);
    EXPECT_EQ(Pixel(98, 197), kBlack);
    EXPECT_EQ(Pixel(103, 201), kBlack);
    EXPECT_EQ(Pixel(102, 202), kBlack);
    clear_to_color(g_display.backBuffer, kBlack);
    cell.Deactivate();
    cell.Draw();
    EXPECT_EQ(Pixel(100, 200), kBlack);
}

TEST_F(CreatureDrawTest, FireSpinsBackwardsOneTurnEvery64Hundredths)
{
    // A red corner marks the image's top left.
    BITMAP* fire = Lend("TOY_FIRE_IMG", 16, 16, White());
    rectfill(fire, 0, 0, 7, 7, Red());
    CToy toy;
    toy.Init(300, 300, 300, 300, kToyFire);
    struct Case {
        int now;
        int redX, redY; // a point well inside the quadrant the corner lands in
    };
    for (const Case& c : {Case{0, 296, 296}, Case{64, 296, 296}, Case{16, 296, 304}, Case{48, 304, 296}}) {
        CTickTimer::SetNow(c.now);
        clear_to_color(g_display.backBuffer, kBlack);
        toy.Draw();
        EXPECT_EQ(Pixel(c.redX, c.redY), Red()) << "now " << c.now;
    }
}

TEST_F(CreatureDrawTest, MissingImagesDrawNothing)
{
    CTickTimer::SetNow(500);
    for (int kind = 0; kind <= kPupEmptyShell; ++kind) {
        CEgg egg;
        egg.Init(0, 0, 300, 300, 300, 300, kind, 0);
        egg.Draw(100, 5, 100, 200, 100, 200);
        egg.cracked = true;
        egg.Draw(100, 5, 100, 200, 100, 200);
    }
    for (int type = kToyTCell; type <= kToyDust; ++type) {
        CToy toy;
        toy.Init(300, 300, 300, 300, type);
        toy.Draw();
    }
    for (int kind = 0; kind <= 4; ++kind) {
        CAlien alien;
        alien.Birth(300, 300, 100, 50);
        alien.kind = kind;
        alien.Draw();
    }
    EXPECT_TRUE(Blank());
}

TEST_F(CreatureDrawTest, WandererIsDrawnCentredFromItsSingleImage)
{
    Lend("ALIEN_W_IMG", 3, 3, White());
    Lend("ALIEN_Y_IMG", 3, 3, Red()); // a plain image, not frames
    CAlien alien;
    alien.Birth(600, 500, 100, 50);
    alien.kind = 4;
    alien.Draw();
    EXPECT_EQ(Pixel(599, 499), White());
    EXPECT_EQ(Pixel(601, 501), White());
    EXPECT_EQ(Pixel(598, 500), kBlack);
    clear_to_color(g_display.backBuffer, kBlack);
    alien.kind = 0; // animated kinds draw frames only
    alien.Draw();
    EXPECT_TRUE(Blank());
}

} // namespace
