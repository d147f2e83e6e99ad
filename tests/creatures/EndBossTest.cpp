#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>

#include "app/Display.h"
#include "creatures/BossWorld.h"
#include "creatures/EndBoss.h"

namespace {

class EndBossTest : public BossTestBase {
protected:
    void SetUp() override
    {
        BossTestBase::SetUp();
        boss = std::make_unique<CEndBoss>();
        boss->hsecPreSplitWarning = 20;
        boss->hsecBetweenSplitMin = 10;
        boss->hsecBetweenSplitMax = 20;
    }
    int& Cell(int row, int col) { return boss->cells[row][col]; }
    int LiveCells() const
    {
        int live = 0;
        for (const auto& row : boss->cells)
            for (int cell : row)
                live += cell != 0;
        return live;
    }
    void PutPlayerOn(int i, int row, int col)
    {
        world.PlacePlayer(i, CEndBoss::CellCentreX(col), CEndBoss::CellCentreY(row));
    }

    std::unique_ptr<CEndBoss> boss;
};

TEST_F(EndBossTest, SplitDelaysComeFromTheRangeAndAReversedRangeUsesTheMinimum)
{
    struct Case {
        int min, max;
        int lo, hi; // inclusive bounds of the delay
    };
    const Case cases[] = {{40, 40, 40, 40}, {10, 20, 10, 19}, {30, 10, 30, 30}, {5, 0, 5, 5}};
    for (const Case& c : cases) {
        boss->hsecBetweenSplitMin = c.min;
        boss->hsecBetweenSplitMax = c.max;
        CTickTimer::SetNow(kNow);
        Cell(5, 5) = 99; // cleared by the load
        boss->Load("endboss.yks");
        EXPECT_EQ(LiveCells(), 1) << c.min << ".." << c.max;
        const int seed = Cell(30, 45);
        EXPECT_GE(seed, kNow + c.lo) << c.min << ".." << c.max;
        EXPECT_LE(seed, kNow + c.hi) << c.min << ".." << c.max;

        CTickTimer::SetNow(seed + 1);
        boss->Update(world.view);
        EXPECT_EQ(Cell(30, 45), CEndBoss::kSpent);
        for (int v : {Cell(29, 45), Cell(30, 44), Cell(31, 45), Cell(30, 46)}) {
            EXPECT_GE(v, seed + 1 + c.lo) << c.min << ".." << c.max;
            EXPECT_LE(v, seed + 1 + c.hi) << c.min << ".." << c.max;
        }
    }
}

// Loading draws one delay from rand() when the range is open, none when it
// is a single value, so a level's later draws do not shift.
TEST_F(EndBossTest, LoadingDrawsOneDelayOrNone)
{
    for (int max : {20, 10}) {
        boss->hsecBetweenSplitMax = max;
        std::srand(3);
        const int first = std::rand(), second = std::rand();
        std::srand(3);
        boss->Load("endboss.yks");
        const int drawn = max == 10 ? 0 : first % 10;
        EXPECT_EQ(Cell(30, 45), kNow + 10 + drawn) << max;
        EXPECT_EQ(std::rand(), max == 10 ? first : second) << max;
    }
}

TEST_F(EndBossTest, CellsSeededInATickDoNotSplitInIt)
{
    boss->hsecBetweenSplitMin = boss->hsecBetweenSplitMax = 0; // the shortest delay possible
    Cell(10, 10) = kNow - 1;
    boss->Update(world.view);
    EXPECT_EQ(LiveCells(), 5); // the cell and its four new neighbours, none split yet
    EXPECT_EQ(Cell(11, 10), kNow);
    EXPECT_EQ(Cell(10, 11), kNow);
    CTickTimer::SetNow(kNow + 1);
    boss->Update(world.view);
    EXPECT_EQ(LiveCells(), 13);
}

TEST_F(EndBossTest, PlayersDestroyCellsAgainAsSoonAsTheyAreSeeded)
{
    world.view.numPlayers = 1;
    world.view.crackRadius = 4; // reaches the player's own cell only
    PutPlayerOn(0, 20, 21);
    PutPlayerOn(1, 20, 19); // not playing: no effect
    Cell(20, 20) = kNow - 1;
    boss->Update(world.view);
    EXPECT_EQ(Cell(20, 20), CEndBoss::kSpent);
    EXPECT_EQ(Cell(20, 21), 0); // seeded, then smashed later in the same pass
    EXPECT_NE(Cell(20, 19), 0);
    EXPECT_NE(Cell(19, 20), 0);

    PutPlayerOn(0, 20, 20); // spent cells are destroyed too
    boss->Update(world.view);
    EXPECT_EQ(Cell(20, 20), 0);
}

TEST_F(EndBossTest, BorderCellKeepsItAliveAndSwitchesToFastGrowth)
{
    Cell(0, 10) = kNow - 5; // ripe, but the border is never processed
    PutPlayerOn(0, 0, 10);
    EXPECT_FALSE(boss->IsEmpty());
    EXPECT_EQ(boss->reachedBorder, 1);
    EXPECT_EQ(boss->hsecBetweenSplitMin, 2);
    EXPECT_EQ(boss->hsecBetweenSplitMax, 8);

    Cell(20, 20) = kNow - 1;
    world.points = 100;
    boss->Update(world.view);
    EXPECT_EQ(world.points, 99); // drained every tick
    EXPECT_EQ(Cell(0, 10), kNow - 5);
    EXPECT_EQ(Cell(1, 10), 0);
    EXPECT_EQ(Cell(20, 20), CEndBoss::kEverRipe);
    for (int v : {Cell(19, 20), Cell(20, 19), Cell(21, 20), Cell(20, 21)}) {
        EXPECT_GE(v, kNow + 2);
        EXPECT_LE(v, kNow + 7);
    }
    // It splits again on every tick: an emptied neighbour is seeded at once.
    Cell(19, 20) = 0;
    CTickTimer::SetNow(kNow + 1);
    boss->Update(world.view);
    EXPECT_EQ(world.points, 98);
    EXPECT_GE(Cell(19, 20), kNow + 3);

    boss->KillCircle(CEndBoss::CellCentreX(20), CEndBoss::CellCentreY(20), 40);
    EXPECT_FALSE(boss->IsEmpty()); // the border cell alone keeps it alive
    boss->KillCircle(CEndBoss::CellCentreX(10), CEndBoss::CellCentreY(0), 1);
    EXPECT_TRUE(boss->IsEmpty());
}

// The outermost ring on all four sides counts as the border; the ring
// just inside it does not.
TEST_F(EndBossTest, EverySideOfTheOuterRingIsTheBorder)
{
    struct Case {
        int row, col;
        bool border;
    };
    const Case cases[] = {
        {0, 10, true}, {59, 10, true}, {10, 0, true}, {10, 89, true}, {0, 0, true}, {59, 89, true},
        {1, 10, false}, {58, 10, false}, {10, 1, false}, {10, 88, false}, {58, 88, false},
    };
    for (const Case& c : cases) {
        CEndBoss mass;
        mass.hsecBetweenSplitMin = 10;
        mass.hsecBetweenSplitMax = 20;
        mass.cells[c.row][c.col] = CEndBoss::kSpent;
        EXPECT_FALSE(mass.IsEmpty());
        EXPECT_EQ(mass.reachedBorder, c.border ? 1 : 0) << c.row << "," << c.col;
        EXPECT_EQ(mass.hsecBetweenSplitMin, c.border ? 2 : 10) << c.row << "," << c.col;
    }
}

// Cells of the outer ring never split and no puck destroys them.
TEST_F(EndBossTest, OuterRingIsNeverProcessed)
{
    struct Place {
        int row, col;
    };
    for (const Place& c : {Place{0, 30}, Place{59, 30}, Place{30, 0}, Place{30, 89}}) {
        boss = std::make_unique<CEndBoss>();
        Cell(c.row, c.col) = kNow - 1;
        PutPlayerOn(0, c.row, c.col);
        boss->Update(world.view);
        EXPECT_EQ(Cell(c.row, c.col), kNow - 1) << c.row << "," << c.col;
        EXPECT_EQ(LiveCells(), 1) << c.row << "," << c.col;
    }
}

// The ring just inside the border is processed like the middle: its cells
// split (seeding the border) and pucks destroy them.
TEST_F(EndBossTest, RingInsideTheBorderIsProcessed)
{
    struct Place {
        int row, col;
        int borderRow, borderCol; // the neighbour on the border
    };
    for (const Place& c : {Place{1, 30, 0, 30}, Place{58, 30, 59, 30}, Place{30, 1, 30, 0}, Place{30, 88, 30, 89}}) {
        boss = std::make_unique<CEndBoss>();
        boss->hsecBetweenSplitMin = boss->hsecBetweenSplitMax = 10;
        Cell(c.row, c.col) = kNow - 1;
        boss->Update(world.view);
        EXPECT_EQ(Cell(c.row, c.col), CEndBoss::kSpent) << c.row << "," << c.col;
        EXPECT_EQ(Cell(c.borderRow, c.borderCol), kNow + 10) << c.row << "," << c.col;
        PutPlayerOn(0, c.row, c.col);
        boss->Update(world.view);
        EXPECT_EQ(Cell(c.row, c.col), 0) << c.row << "," << c.col;
        world.PlacePlayer(0, 5000, 5000);
    }
}

// A split seeds up, left, down, right, each with its own draw.
TEST_F(EndBossTest, SplitSeedsItsNeighboursInOrder)
{
    boss->hsecBetweenSplitMin = 10;
    boss->hsecBetweenSplitMax = 1000;
    Cell(20, 20) = kNow - 1;
    std::srand(5);
    int want[4];
    for (int& w : want)
        w = kNow + 10 + std::rand() % 990;
    std::srand(5);
    boss->Update(world.view);
    EXPECT_EQ(Cell(19, 20), want[0]);
    EXPECT_EQ(Cell(20, 19), want[1]);
    EXPECT_EQ(Cell(21, 20), want[2]);
    EXPECT_EQ(Cell(20, 21), want[3]);
}

TEST_F(EndBossTest, PucksDestroyCellsStrictlyWithinTheCrackRadius)
{
    struct Case {
        int dx, dy;
        bool destroyed;
    };
    const Case cases[] = {{3, -3, true}, {4, 0, false}, {0, -4, false}, {-3, 4, false}};
    for (const Case& c : cases) {
        boss = std::make_unique<CEndBoss>();
        world.view.crackRadius = 4;
        Cell(20, 20) = kNow + 500;
        world.PlacePlayer(0, CEndBoss::CellCentreX(20) + c.dx, CEndBoss::CellCentreY(20) + c.dy);
        boss->Update(world.view);
        EXPECT_EQ(Cell(20, 20) == 0, c.destroyed) << c.dx << "," << c.dy;
    }
}

TEST_F(EndBossTest, RipeCellsDestroyOneToyPerTick)
{
    Cell(20, 20) = CEndBoss::kSpent;
    Cell(40, 40) = kNow + 500; // not ripe: harmless
    const int cx = CEndBoss::CellCentreX(20), cy = CEndBoss::CellCentreY(20);
    CToy& gone = world.AddToy(kToyTCell, cx, cy);
    gone.Deactivate();
    CToy& first = world.AddToy(kToyFood, cx + 19, cy - 19);
    CToy& edge = world.AddToy(kToyNerve, cx + 20, cy); // on the crack radius: outside
    CToy& second = world.AddToy(kToyDust, cx, cy);
    CToy& safe = world.AddToy(kToyNerve, CEndBoss::CellCentreX(40), CEndBoss::CellCentreY(40));
    world.points = 100;

    boss->Update(world.view);
    EXPECT_TRUE(first.IsInactive());
    EXPECT_FALSE(second.IsInactive());
    EXPECT_EQ(world.points, 85);
    EXPECT_TRUE(Heard("OW_SFX"));
    boss->Update(world.view);
    EXPECT_TRUE(second.IsInactive());
    EXPECT_EQ(world.points, 70);
    boss->Update(world.view);
    EXPECT_EQ(world.points, 70);
    EXPECT_FALSE(edge.IsInactive());
    EXPECT_FALSE(safe.IsInactive());
    EXPECT_EQ(Cell(20, 20), CEndBoss::kSpent);
}

TEST_F(EndBossTest, KillCircleUsesTruncatedDistance)
{
    struct Case {
        int radius;
        std::set<std::pair<int, int>> killed;
    };
    // Around the centre of (30, 45): (30, 46) lies 8 away, (31, 46) 11.3, (32, 46) 17.9.
    const std::pair<int, int> centre{30, 45}, side{30, 46}, diagonal{31, 46}, knight{32, 46};
    const Case cases[] = {
        {1, {centre}},
        {8, {centre}},
        {9, {centre, side}},
        {11, {centre, side}},
        {12, {centre, side, diagonal}},
        {18, {centre, side, diagonal, knight}},
    };
    for (const Case& c : cases) {
        for (auto& row : boss->cells)
            for (auto& cell : row)
                cell = CEndBoss::kSpent;
        boss->KillCircle(CEndBoss::CellCentreX(45), CEndBoss::CellCentreY(30), c.radius);
        for (auto cell : {centre, side, diagonal, knight})
            EXPECT_EQ(Cell(cell.first, cell.second) == 0, c.killed.count(cell) == 1)
                << "radius " << c.radius << " cell " << cell.first << "," << cell.second;
    }
}

class EndBossDrawTest : public EndBossTest {
protected:
    void SetUp() override
    {
        EndBossTest::SetUp();
        tiles = create_bitmap(720, 480);
        clear_to_color(tiles, makecol(0, 255, 0));
        flash = create_bitmap(8, 8);
        clear_to_color(flash, makecol(255, 255, 255));
    }
    void TearDown() override
    {
        destroy_bitmap(tiles);
        destroy_bitmap(flash);
        EndBossTest::TearDown();
    }
    std::set<int> ColoursSeenAt(int row, int col)
    {
        std::set<int> seen;
        for (int frame = 0; frame < 24; ++frame) {
            clear_to_color(g_display.backBuffer, 0);
            boss->DrawWith(g_display.backBuffer, tiles, flash);
            seen.insert(getpixel(g_display.backBuffer, CEndBoss::kLeft + 8 * col + 3, CEndBoss::kTop + 8 * row + 3));
        }
        return seen;
    }
    BITMAP* tiles = nullptr;
    BITMAP* flash = nullptr;
};

TEST_F(EndBossDrawTest, FarCellsFlickerNearAndSpentCellsShowTheirTile)
{
    const int tile = makecol(0, 255, 0), white = makecol(255, 255, 255);
    Cell(0, 0) = kNow + 21;     // split more than 20 away: flickers
    Cell(10, 89) = kNow + 20;   // within the warning: steady
    Cell(59, 5) = CEndBoss::kSpent;
    EXPECT_EQ(ColoursSeenAt(0, 0), (std::set<int>{tile, white}));
    EXPECT_EQ(ColoursSeenAt(10, 89), std::set<int>{tile});
    EXPECT_EQ(ColoursSeenAt(59, 5), std::set<int>{tile});
    EXPECT_EQ(ColoursSeenAt(30, 45), std::set<int>{0}); // empty
}

// Only a cell whose split is still far draws from rand(), one draw each.
TEST_F(EndBossDrawTest, OnlyFarCellsDrawFromTheRandomStream)
{
    struct Case {
        int value; // of the one live cell
        int draws;
    };
    const Case cases[] = {{kNow + 21, 1}, {kNow + 20, 0}, {CEndBoss::kSpent, 0}, {CEndBoss::kEverRipe, 0}};
    for (const Case& c : cases) {
        boss = std::make_unique<CEndBoss>();
        boss->hsecPreSplitWarning = 20;
        Cell(30, 45) = c.value;
        std::srand(9);
        for (int i = 0; i < c.draws; ++i)
            std::rand();
        const int next = std::rand();
        std::srand(9);
        boss->DrawWith(g_display.backBuffer, tiles, flash);
        EXPECT_EQ(std::rand(), next) << c.value;
    }
}

// Pictures whose every pixel tells where it came from, and a mass of every
// look in runs of many lengths, at the grid's edges too.
class EndBossPatternTest : public EndBossDrawTest {
protected:
    static constexpr int kAway = 0x0841; // no picture uses it
    static int Tone(int x, int y, int seed)
    {
        const int c = (x * 13 + y * 101 + seed) & 0xFFFF;
        return c == MASK_COLOR_16 || c == kAway ? c ^ 0x20 : c;
    }
    void SetUp() override
    {
        EndBossDrawTest::SetUp();
        for (int y = 0; y < tiles->h; ++y)
            for (int x = 0; x < tiles->w; ++x)
                putpixel(tiles, x, y, Tone(x, y, 5));
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) // a chequer with holes of the mask colour
                putpixel(flash, x, y, (x + y) % 2 ? MASK_COLOR_16 : makecol(255, 255, 255));
        arena = create_bitmap(kScreenW, kScreenH);
        for (int y = 0; y < arena->h; ++y)
            for (int x = 0; x < arena->w; ++x)
                putpixel(arena, x, y, Tone(x, y, 77));
        for (int row : {0, 1, 30, 58, 59})
            for (int col = 0; col < CEndBoss::kCols; ++col)
                switch ((col * 7 + row) % 11) {
                case 0: Cell(row, col) = 0; break;
                case 1: Cell(row, col) = kNow + 21 + col; break; // flickers
                case 2: Cell(row, col) = kNow + 20; break;       // within the warning
                case 3: Cell(row, col) = CEndBoss::kEverRipe; break;
                default: Cell(row, col) = CEndBoss::kSpent; break;
                }
    }
    void TearDown() override
    {
        destroy_bitmap(arena);
        EndBossDrawTest::TearDown();
    }
    // The cell under a screen pixel, or -1 off the grid.
    static int CellAt(int x, int y, int& row)
    {
        row = (y - CEndBoss::kTop) / 8;
        const int col = (x - CEndBoss::kLeft) / 8;
        const bool on = x >= CEndBoss::kLeft && y >= CEndBoss::kTop && col < CEndBoss::kCols && row < CEndBoss::kRows;
        return on ? col : -1;
    }
    bool SurelyTile(int row, int col) const
    {
        const int cell = boss->cells[row][col];
        return cell != 0 && !(cell > 0 && cell - kNow > boss->hsecPreSplitWarning);
    }
    BITMAP* arena = nullptr;
};

TEST_F(EndBossPatternTest, EachCellShowsItsOwnPieceOfTheTilesAndFlashesLetTheArenaThrough)
{
    BITMAP* bb = g_display.backBuffer;
    blit(arena, bb, 0, 0, 0, 0, kScreenW, kScreenH);
    std::srand(3);
    boss->DrawWith(bb, tiles, flash);
    int flashed = 0;
    for (int row : {0, 1, 30, 58, 59})
        for (int col = 0; col < CEndBoss::kCols; ++col) {
            const int cell = Cell(row, col), left = CEndBoss::kLeft + 8 * col, top = CEndBoss::kTop + 8 * row;
            auto tile = [&](int i, int j) { return getpixel(tiles, 8 * col + i, 8 * row + j); };
            auto arenaAt = [&](int i, int j) { return getpixel(arena, left + i, top + j); };
            auto flashOver = [&](int i, int j) { return (i + j) % 2 ? arenaAt(i, j) : makecol(255, 255, 255); };
            const bool flashes = getpixel(bb, left, top) == makecol(255, 255, 255) && !SurelyTile(row, col) && cell;
            flashed += flashes;
            for (int j = 0; j < 8; ++j)
                for (int i = 0; i < 8; ++i) {
                    const int want = cell == 0 ? arenaAt(i, j) : flashes ? flashOver(i, j) : tile(i, j);
                    ASSERT_EQ(getpixel(bb, left + i, top + j), want) << "cell " << row << "," << col << " +" << i << "," << j;
                }
        }
    EXPECT_GT(flashed, 0);
}

TEST_F(EndBossPatternTest, TheArenaIsCopiedButUnderCellsSureToShowTheirTileAndTheFrameComesOutTheSame)
{
    BITMAP* bb = g_display.backBuffer;
    struct Box {
        int x, y, w, h;
    };
    // The frame's arena, odd edges inside the grid, the grid's right edge,
    // and a box off the grid.
    for (const Box& b : {Box{150, 150, 724, 468}, Box{147, 155, 701, 403}, Box{850, 140, 30, 500}, Box{0, 0, 100, 90}}) {
        SCOPED_TRACE(testing::Message() << b.x << "," << b.y << " " << b.w << "x" << b.h);
        clear_to_color(bb, kAway);
        boss->BlitAround(bb, arena, tiles, b.x, b.y, b.w, b.h);
        for (int y = 0; y < kScreenH; ++y)
            for (int x = 0; x < kScreenW; ++x) {
                int row = 0;
                const int col = CellAt(x, y, row);
                const bool inBox = x >= b.x && x < b.x + b.w && y >= b.y && y < b.y + b.h;
                const bool covered = col >= 0 && SurelyTile(row, col);
                const int want = inBox && !covered ? getpixel(arena, x, y) : kAway;
                ASSERT_EQ(getpixel(bb, x, y), want) << x << "," << y;
            }
        std::srand(11);
        boss->DrawWith(bb, tiles, flash);
        BITMAP* whole = create_bitmap(kScreenW, kScreenH);
        clear_to_color(whole, kAway);
        blit(arena, whole, b.x, b.y, b.x, b.y, b.w, b.h);
        std::srand(11);
        boss->DrawWith(whole, tiles, flash);
        for (int y = 0; y < kScreenH; ++y)
            ASSERT_EQ(std::memcmp(bb->line[y], whole->line[y], kScreenW * 2), 0) << "row " << y;
        destroy_bitmap(whole);
    }
    // Without tiles nothing is sure to cover: the whole box is copied.
    clear_to_color(bb, kAway);
    boss->BlitAround(bb, arena, nullptr, 150, 150, 724, 468);
    for (int y = 150; y < 618; ++y)
        ASSERT_EQ(std::memcmp(bb->line[y] + 300, arena->line[y] + 300, 724 * 2), 0) << "row " << y;
}

TEST_F(EndBossDrawTest, MissingPicturesAndAnEmptyMassDrawNothing)
{
    Cell(30, 45) = CEndBoss::kSpent;
    clear_to_color(g_display.backBuffer, 0);
    boss->DrawWith(g_display.backBuffer, nullptr, nullptr);
    boss->Draw(); // the registry has no pictures yet
    EXPECT_EQ(getpixel(g_display.backBuffer, CEndBoss::kLeft + 8 * 45, CEndBoss::kTop + 8 * 30), 0);

    CBoss mass;
    mass.type = kBossStemCell;
    EXPECT_TRUE(mass.IsDead());
    mass.Draw();
    mass.Update(world.view); // nothing left: no drain, no crash
    EXPECT_EQ(world.points, 0);
}

} // namespace
