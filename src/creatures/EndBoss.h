#pragma once
#include <cstdint>
#include <string>

struct BITMAP;
struct STickView;

// The stem-cell mass: a grid of cells in the middle of the arena where every
// live cell splits once after a random delay and seeds its empty neighbours.
// Reaching the grid's border switches it to fast growth and drains points.
class CEndBoss {
public:
    static constexpr int kRows = 60;
    static constexpr int kCols = 90;
    static constexpr int kCellSize = 8;  // pixels per cell side
    static constexpr int kLeft = 144;    // screen x of column 0
    static constexpr int kTop = 152;     // screen y of row 0
    static constexpr int kSpent = -1;    // live, split done
    static constexpr int kEverRipe = 35; // live, splits on every tick (after the border)

    void Load(const std::string& file);
    void Update(const STickView& view);
    // Also notices the border being reached, so the switch to fast growth
    // happens as soon as anyone asks whether the mass is gone.
    bool IsEmpty();
    void KillCircle(int x, int y, int radius);
    void Clear();
    void Draw();
    // Draws onto dest with the given pictures; null pictures draw nothing.
    void DrawWith(BITMAP* dest, BITMAP* tiles, BITMAP* flash);
    // Copies the rectangle (x, y, w, h) of picture to the same place on the
    // back buffer, but not under the cells whose tile Draw is sure to paint
    // over it before the clock can change that (no random flicker can
    // pick them): a grown mass would otherwise cost the arena twice. What
    // the frame shows once the mass is drawn is the same.
    void DrawPictureUnder(BITMAP* picture, int x, int y, int w, int h) const;
    void BlitAround(BITMAP* dest, BITMAP* picture, BITMAP* tiles, int x, int y, int w, int h) const;

    static int CellCentreX(int col) { return kLeft + kCellSize * col + kCellSize / 2; }
    static int CellCentreY(int row) { return kTop + kCellSize * row + kCellSize / 2; }

    int32_t reachedBorder = 0;          // 1 once a live cell sat in the outermost ring
    int32_t hsecPreSplitWarning = 0;    // hundredths of steady look before a split
    int32_t hsecBetweenSplitMin = 0;    // hundredths, shortest split delay
    int32_t hsecBetweenSplitMax = 0;    // hundredths, delay bound (exclusive)
    int32_t cells[kRows][kCols] = {};   // 0 empty, >0 split moment (clock), -1 spent

private:
    // Per cell of the row: 0 empty, 1 its tile, 2 flickering (before the lots).
    void LooksOf(int row, int now, uint8_t* looks) const;
    int NextSplitTime() const;
    void UpdateCell(const STickView& view, int row, int col);
    void Split(int row, int col);
    void Seed(int row, int col);
    bool BorderHasLiveCell() const;
};
