// The level-select screen with its options bar fully open, drawn the way
// the menu draws it: bar, dial, volume scales, mode rows, bomb, picture,
// highlighted quarter and texts.
#include <cstdlib>

#include "Scene.h"
#include "app/Display.h"

namespace {

constexpr int kW = kScreenW, kH = kScreenH;

void Bar(BITMAP* bb, int panelHeight)
{
    const int top = 0; // fully open
    blit(Img("LEV_BAR_IMG"), bb, 0, 0, 0, 0, kW, panelHeight);
    rotate_sprite(bb, Img("P_SPIN_IMG"), 389, top - 48, itofix(128)); // one player
    BITMAP* scale = Img("V_SCALE_IMG");
    masked_blit(scale, bb, 0, 0, 627, top + 20, (160 * scale->w) >> 8, scale->h);
    masked_blit(scale, bb, 0, 0, 627, top + 43, (127 * scale->w) >> 8, scale->h);
    const char* rows[5] = {"MODE_YES_IMG", "MODE_HERE_IMG", "MODE_HERE_IMG", "MODE_NO_IMG", "MODE_NO_IMG"};
    for (int r = 0; r < 5; ++r) {
        BITMAP* m = Img(rows[r]);
        masked_blit(m, bb, 0, 12 * r, 796, top + 12 + 12 * r, m->w, 12);
    }
    BITMAP* bomb = Img("F_BOMB_IMG");
    const int hold = bomb->h / 2;
    masked_blit(bomb, bb, 0, bomb->h - hold, 981, top + 19 + bomb->h - hold, bomb->w, hold);
}

void Scores(BITMAP* bb, int panelOffset)
{
    const int white = makecol(255, 255, 255);
    const int base = panelOffset + 95;
    const int scores[4][10] = {{12, 9, 15, 4, 22, 7, 18, 3, 11, 25}, {6, 14, 2, 0, 0, 0, 0, 0, 0, 0}, {},
                               {9, 13, 20, 5, 8, 17, 2, 30, 12, 6}};
    for (int k = 0; k < 4; ++k) {
        const int x0 = (k % 2) ? kW / 2 : 0, y0 = (k >= 2) ? kH / 2 : 0;
        if (k == 2) {
            const int jx = 2 - std::rand() % 4, jy = 2 - std::rand() % 4;
            Text(bb, "ANKLE_HG_TTF", x0 + 252 + jx, y0 + base + 80 + jy, white, "*LOCKED*");
            continue;
        }
        int lines = 0, total = 0;
        for (int i = 0; i < 10; ++i)
            if (scores[k][i]) {
                Text(bb, "ANKLE_MD_TTF", x0 + 252, y0 + base + 20 * i, white,
                     "Lvl " + std::to_string(i + 1) + ": " + std::to_string(scores[k][i]));
                ++lines;
                total += scores[k][i];
            }
        if (k != 1)
            Text(bb, "ANKLE_MD_TTF", x0 + 252, y0 + base + 200, white, "Overall: " + std::to_string(total));
        if (lines)
            Text(bb, "ANKLE_MD_TTF", x0 + 252, y0 + base - 20, white, "High Scores");
    }
}

} // namespace

void DrawMenuOpen(BITMAP* bb)
{
    BITMAP* bar = Img("LEV_BAR_IMG");
    const int panelHeight = bar->h, panelOffset = panelHeight;
    clear_to_color(bb, 0);
    Bar(bb, panelHeight);
    blit(Img("LEV_SEL_IMG"), bb, 0, 0, 0, panelOffset, kW, kH - panelOffset);
    // The pointer is in the bar's right half: the upper-right system lights up.
    blit(Img("LEV_SEL_G_IMG"), bb, kW / 2, 0, kW / 2, panelOffset, kW / 2, kH / 2);
    Scores(bb, panelOffset);
    Text(bb, "ANKLE_LG_TTF", kW / 2 + 16 - 16, kH - 35, makecol(255, 255, 255), "Press F1 for Help!");
}
