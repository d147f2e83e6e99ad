#include "creatures/EndBoss.h"

#include <allegro.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "app/Display.h"
#include "app/Draw16.h"
#include "app/Random.h"
#include "app/TickTimer.h"
#include "assets/Asset.h"
#include "audio/Audio.h"
#include "creatures/TickView.h"
#include "creatures/Toy.h"
#include "play/Tunables.h"

namespace {

constexpr int kSeedRow = 30;
constexpr int kSeedCol = 45;
constexpr int kFastSplitMin = 2; // hundredths, once the border is reached
constexpr int kFastSplitMax = 8;
constexpr int kToyLossPoints = 15;
constexpr const char* kTilesImage = "STEMCELL_IMG";

bool Within(int a, int b, int r) { return std::abs(a - b) < r; }

// A ripe cell destroys the first active toy on it, one per cell and tick.
void DestroyOneToy(const STickView& view, int cx, int cy)
{
    if (!view.toys)
        return;
    for (auto& toy : *view.toys) {
        if (toy->IsInactive() || !Within(toy->x, cx, view.crackRadius) || !Within(toy->y, cy, view.crackRadius))
            continue;
        g_audio.PlaySound("OW_SFX");
        if (view.levelPoints)
            *view.levelPoints -= kToyLossPoints;
        toy->Deactivate();
        return;
    }
}

// Every player counts here with the plain crack radius, whatever its reach.
bool PlayerTouches(const STickView& view, int cx, int cy)
{
    for (int i = 0; i < view.numPlayers; ++i)
        if (Within(view.playerX[i], cx, view.crackRadius) && Within(view.playerY[i], cy, view.crackRadius))
            return true;
    return false;
}

} // namespace

// A reversed range falls back to the minimum instead of taking a remainder
// by zero or a negative number.
int CEndBoss::NextSplitTime() const
{
    return CTickTimer::Now() + RandomBetween(hsecBetweenSplitMin, hsecBetweenSplitMax);
}

void CEndBoss::Load(const std::string& file)
{
    ReadTunables(EndBossTunables(), *this, file);
    const int seedTime = NextSplitTime();
    Clear();
    cells[kSeedRow][kSeedCol] = seedTime;
}

void CEndBoss::Clear()
{
    for (auto& row : cells)
        for (auto& cell : row)
            cell = 0;
    reachedBorder = 0;
}

void CEndBoss::Update(const STickView& view)
{
    if (reachedBorder != 0 && view.levelPoints)
        *view.levelPoints -= 1;
    // The outermost ring is only drawn and tested, never processed.
    for (int row = 1; row < kRows - 1; ++row)
        for (int col = 1; col < kCols - 1; ++col)
            UpdateCell(view, row, col);
}

void CEndBoss::UpdateCell(const STickView& view, int row, int col)
{
    int32_t& cell = cells[row][col];
    if (cell == 0)
        return;
    const bool ripe = cell < CTickTimer::Now(); // spent (-1) and 35 always count
    const int cx = CellCentreX(col), cy = CellCentreY(row);
    if (ripe)
        DestroyOneToy(view, cx, cy);
    if (PlayerTouches(view, cx, cy))
        cell = 0;
    if (cell > 0 && ripe)
        Split(row, col);
}

void CEndBoss::Split(int row, int col)
{
    cells[row][col] = reachedBorder == 0 ? kSpent : kEverRipe;
    Seed(row - 1, col);
    Seed(row, col - 1);
    Seed(row + 1, col);
    Seed(row, col + 1);
}

void CEndBoss::Seed(int row, int col)
{
    if (cells[row][col] == 0)
        cells[row][col] = NextSplitTime();
}

bool CEndBoss::BorderHasLiveCell() const
{
    for (int row = 0; row < kRows; ++row)
        if (cells[row][0] != 0 || cells[row][kCols - 1] != 0)
            return true;
    for (int col = 1; col < kCols - 1; ++col)
        if (cells[0][col] != 0 || cells[kRows - 1][col] != 0)
            return true;
    return false;
}

bool CEndBoss::IsEmpty()
{
    if (reachedBorder == 0 && BorderHasLiveCell()) {
        reachedBorder = 1;
        hsecBetweenSplitMin = kFastSplitMin;
        hsecBetweenSplitMax = kFastSplitMax;
    }
    for (const auto& row : cells)
        for (int32_t cell : row)
            if (cell != 0)
                return false;
    return true;
}

void CEndBoss::KillCircle(int x, int y, int radius)
{
    for (int row = 0; row < kRows; ++row)
        for (int col = 0; col < kCols; ++col) {
            const double dx = CellCentreX(col) - x, dy = CellCentreY(row) - y;
            if (static_cast<int>(std::sqrt(dx * dx + dy * dy)) < radius)
                cells[row][col] = 0;
        }
}

void CEndBoss::Draw()
{
    if (IsEmpty())
        return;
    DrawWith(g_display.backBuffer, g_bitmaps.Get(kTilesImage), g_bitmaps.Get("STEMCELL_FLASH_IMG"));
}

void CEndBoss::DrawPictureUnder(BITMAP* picture, int x, int y, int w, int h) const
{
    BlitAround(g_display.backBuffer, picture, g_bitmaps.Get(kTilesImage), x, y, w, h);
}

namespace {

// Whether the whole grid can be painted with straight 16-byte rows: every
// picture a 16-bit memory bitmap, the tiles covering the grid, the flash
// exactly one cell, the grid inside the clip rectangle. Otherwise each cell
// goes through Draw16, which clips like the library.
bool Plain16(BITMAP* b) { return bitmap_color_depth(b) == 16 && is_memory_bitmap(b); }

bool FitsFastRoad(BITMAP* dest, BITMAP* tiles, BITMAP* flash)
{
    constexpr int w = CEndBoss::kCols * CEndBoss::kCellSize, h = CEndBoss::kRows * CEndBoss::kCellSize;
    if (!Plain16(dest) || !dest->clip || dest->cl > CEndBoss::kLeft || dest->ct > CEndBoss::kTop ||
        dest->cr < CEndBoss::kLeft + w || dest->cb < CEndBoss::kTop + h)
        return false;
    if (tiles && (!Plain16(tiles) || tiles->w < w || tiles->h < h))
        return false;
    return !flash || (Plain16(flash) && flash->w == CEndBoss::kCellSize && flash->h == CEndBoss::kCellSize);
}

constexpr int kCellBytes = CEndBoss::kCellSize * 2; // one row of a cell

uint16_t* Pixel(BITMAP* b, int x, int y) { return reinterpret_cast<uint16_t*>(b->line[y]) + x; }

// Copies the tiles of cells [first, last) of one grid row, one pixel row
// at a time, so that a run of neighbouring cells is a single copy.
void CopyCells(BITMAP* dest, BITMAP* tiles, int row, int first, int last)
{
    const int left = CEndBoss::kLeft + CEndBoss::kCellSize * first, top = CEndBoss::kTop + CEndBoss::kCellSize * row;
    const int sx = CEndBoss::kCellSize * first, sy = CEndBoss::kCellSize * row;
    const size_t bytes = static_cast<size_t>(last - first) * kCellBytes;
    for (int r = 0; r < CEndBoss::kCellSize; ++r)
        std::memcpy(Pixel(dest, left, top + r), Pixel(tiles, sx, sy + r), bytes);
}

void MaskCell(BITMAP* dest, int left, int top, BITMAP* flash)
{
    for (int r = 0; r < CEndBoss::kCellSize; ++r) {
        uint16_t* d = Pixel(dest, left, top + r);
        const uint16_t* s = Pixel(flash, 0, r);
        for (int i = 0; i < CEndBoss::kCellSize; ++i)
            d[i] = s[i] == MASK_COLOR_16 ? d[i] : s[i];
    }
}

// Looks of one grid row, a byte per cell, so that a row is read eight
// cells at a time: a grown mass is long runs of one look.
enum ELook : uint8_t { kLookNone = 0, kLookTile = 1, kLookFlicker = 2 };
using RowLooks = uint8_t[CEndBoss::kCols];
static_assert(std::endian::native == std::endian::little, "looks are read eight bytes at a time");

// The first cell from col on whose look is not `look`, or kCols.
int RunEnd(const RowLooks& looks, int col, uint8_t look)
{
    const uint64_t same = 0x0101010101010101ull * look;
    for (; col + 8 <= CEndBoss::kCols; col += 8) {
        uint64_t eight;
        std::memcpy(&eight, looks + col, sizeof eight);
        if (eight != same)
            return col + std::countr_zero(eight ^ same) / 8;
    }
    while (col < CEndBoss::kCols && looks[col] == look)
        ++col;
    return col;
}

// The first flickering cell from col on, or kCols; flickering cells are
// few, so whole runs of the other looks are passed over.
int NextFlicker(const RowLooks& looks, int col)
{
    while (col < CEndBoss::kCols && looks[col] != kLookFlicker)
        col = RunEnd(looks, col, looks[col]);
    return col;
}

} // namespace

void CEndBoss::LooksOf(int row, int now, uint8_t* looks) const
{
    // A live cell whose split is still far flickers; every other live cell
    // shows its tile. (Locals: the byte stores could alias the members.)
    const int32_t warning = hsecPreSplitWarning;
    const int32_t* cell = cells[row];
    for (int col = 0; col < kCols; ++col) {
        const bool flickers = cell[col] > 0 && cell[col] - now > warning;
        looks[col] = static_cast<uint8_t>((cell[col] != 0 ? kLookTile : kLookNone) + (flickers ? 1 : 0));
    }
}

// Cells whose split is still far flicker at random; during the last
// hsecPreSplitWarning hundredths, and once spent, they show their own tile.
// The flicker draws from rand() whether or not the pictures are loaded.
void CEndBoss::DrawWith(BITMAP* dest, BITMAP* tiles, BITMAP* flash)
{
    if (!dest)
        return;
    const bool fast = FitsFastRoad(dest, tiles, flash);
    const int now = CTickTimer::Now();
    for (int row = 0; row < kRows; ++row) {
        // The lots of a row are drawn first, cell by cell from the left as
        // ever; cells never overlap, so the order of painting is free.
        RowLooks looks;
        LooksOf(row, now, looks);
        for (int col = NextFlicker(looks, 0); col < kCols; col = NextFlicker(looks, col + 1))
            if (std::rand() % 2 != 1)
                looks[col] = kLookTile; // this time, the tile
        for (int col = 0, end = 0; col < kCols; col = end) {
            const uint8_t look = looks[col];
            end = RunEnd(looks, col, look);
            if (look == kLookTile && tiles && fast) {
                CopyCells(dest, tiles, row, col, end);
                continue;
            }
            for (int c = col; c < end; ++c) {
                const int left = kLeft + kCellSize * c, top = kTop + kCellSize * row;
                if (look == kLookFlicker && flash && fast)
                    MaskCell(dest, left, top, flash);
                else if (look == kLookFlicker && flash)
                    Draw16::Sprite(dest, flash, left, top);
                else if (look == kLookTile && tiles)
                    Draw16::Blit(tiles, dest, kCellSize * c, kCellSize * row, left, top, kCellSize, kCellSize);
            }
        }
    }
}

void CEndBoss::BlitAround(BITMAP* dest, BITMAP* picture, BITMAP* tiles, int x, int y, int w, int h) const
{
    // Straight row copies only where both pictures and the clip hold the
    // whole rectangle and the tiles surely cover their cells.
    const bool plain = dest && picture && !is_same_bitmap(dest, picture) && Plain16(picture) && tiles &&
                       FitsFastRoad(dest, tiles, nullptr) && w > 0 && h > 0 && x >= std::max(0, dest->cl) &&
                       y >= std::max(0, dest->ct) && x + w <= std::min(picture->w, dest->cr) &&
                       y + h <= std::min(picture->h, dest->cb);
    if (!plain) {
        if (dest && picture)
            Draw16::Blit(picture, dest, x, y, x, y, w, h);
        return;
    }
    const int now = CTickTimer::Now();
    struct SGap {
        int from, to; // pixels, [from, to)
    };
    SGap gaps[kCols + 2];
    int count = 0;
    // Pieces of [x, x + w), joined when they touch.
    auto add = [&](int from, int to) {
        from = std::max(from, x);
        to = std::min(to, x + w);
        if (from >= to)
            return;
        if (count > 0 && gaps[count - 1].to == from)
            gaps[count - 1].to = to;
        else
            gaps[count++] = {from, to};
    };
    constexpr int kGridRight = kLeft + kCellSize * kCols;
    for (int py = y; py < y + h;) {
        const int row = py >= kTop ? (py - kTop) / kCellSize : -1;
        count = 0;
        int next = py + 1;
        if (row < 0 || row >= kRows) {
            add(x, x + w);
        } else {
            // Only cells that show their tile whatever the lots say cover.
            RowLooks looks;
            LooksOf(row, now, looks);
            add(x, kLeft);
            for (int col = 0, end = 0; col < kCols; col = end) {
                end = RunEnd(looks, col, looks[col]);
                if (looks[col] != kLookTile)
                    add(kLeft + kCellSize * col, kLeft + kCellSize * end);
            }
            add(kGridRight, x + w);
            next = std::min(y + h, kTop + kCellSize * (row + 1));
        }
        for (; py < next; ++py)
            for (int i = 0; i < count; ++i)
                std::memcpy(Pixel(dest, gaps[i].from, py), Pixel(picture, gaps[i].from, py),
                            static_cast<size_t>(gaps[i].to - gaps[i].from) * 2);
    }
}
