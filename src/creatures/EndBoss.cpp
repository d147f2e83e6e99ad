#include "creatures/EndBoss.h"

#include <allegro.h>

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
    DrawWith(g_display.backBuffer, g_bitmaps.Get("STEMCELL_IMG"), g_bitmaps.Get("STEMCELL_FLASH_IMG"));
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

void CopyCell(BITMAP* dest, int left, int top, BITMAP* tiles, int sx, int sy)
{
    for (int r = 0; r < CEndBoss::kCellSize; ++r)
        std::memcpy(Pixel(dest, left, top + r), Pixel(tiles, sx, sy + r), kCellBytes);
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

} // namespace

// Cells whose split is still far flicker at random; during the last
// hsecPreSplitWarning hundredths, and once spent, they show their own tile.
// The flicker draws from rand() whether or not the pictures are loaded.
void CEndBoss::DrawWith(BITMAP* dest, BITMAP* tiles, BITMAP* flash)
{
    if (!dest)
        return;
    const bool fast = FitsFastRoad(dest, tiles, flash);
    const int now = CTickTimer::Now();
    for (int row = 0; row < kRows; ++row)
        for (int col = 0; col < kCols; ++col) {
            const int32_t cell = cells[row][col];
            if (cell == 0)
                continue;
            const int left = kLeft + kCellSize * col, top = kTop + kCellSize * row;
            const int sx = kCellSize * col, sy = kCellSize * row;
            if (cell > 0 && cell - now > hsecPreSplitWarning && std::rand() % 2 == 1) {
                if (flash && fast)
                    MaskCell(dest, left, top, flash);
                else if (flash)
                    Draw16::Sprite(dest, flash, left, top);
            } else if (tiles && fast) {
                CopyCell(dest, left, top, tiles, sx, sy);
            } else if (tiles) {
                Draw16::Blit(tiles, dest, sx, sy, left, top, kCellSize, kCellSize);
            }
        }
}
