// Frames of play for each organ system, drawn in the play state's order:
// background, boss, eggs, toys, aliens, border strips, frame, corners,
// beams, pucks, lanterns and the HUD panels. Positions follow the level
// tunables the art was made for: crack radius 24, infection border 120.
#include <cmath>
#include <cstdlib>
#include <string>

#include "Scene.h"
#include "app/Display.h"
#include "app/TickTimer.h"
#include "creatures/Alien.h"
#include "creatures/Boss.h"
#include "play/PlayHud.h"

namespace {

constexpr int kW = kScreenW, kH = kScreenH, kEdge = 120;

struct Setup {
    const char* name;
    const char* set;
    int boss;              // EBossType
    const char* toys[4];
    int players;
};

const Setup kScenes[kPlayScenes] = {
    {"circulatory-chaser", "bitmap-circulatory", kBossChaser, {"TOY_TCELL_IMG", "TOY_TCELL_IMG", "TOY_TCELL_IMG", ""}, 1},
    {"digestive-gobbler", "bitmap-digestive", kBossGobbler, {"TOY_FOOD_IMG", "TOY_TOOTH_U_IMG", "TOY_TOOTH_L_IMG", "TOY_FOOD_IMG"}, 1},
    {"respiratory-blower", "bitmap-respiratory", kBossBlower, {"TOY_DUST_IMG", "TOY_DUST_IMG", "TOY_DUST_IMG", "TOY_DUST_IMG"}, 2},
    {"nervous-stemcells", "bitmap-nervous", kBossStemCell, {"TOY_NERVE_IMG", "TOY_FIRE_IMG", "TOY_NERVE_IMG", "TOY_FIRE_IMG"}, 1},
    {"circulatory-egglayer", "bitmap-circulatory", kBossEggLayer, {"TOY_TCELL_IMG", "TOY_TOOTH_R_IMG", "TOY_TOOTH_D_IMG", ""}, 2},
    {"nervous-fireball-tcellking", "bitmap-nervous", kBossFireball, {"TOY_FIRE_IMG", "TOY_NERVE_IMG", "BOSS_TCELLK_IMG", ""}, 1},
};

// The boss as the game draws it, in the middle of the arena.
void Boss(const Setup& s, int scene)
{
    CBoss boss;
    boss.Init(600, 300, s.boss);
    boss.heading = itofix(20 - scene * 30); // a different turn in each scene
    boss.state = CBoss::kStateMad;          // a blower without wind keeps its rotor...
    boss.rotorAngle = 40;                   // ...where it was last drawn
    if (s.boss == kBossStemCell) {
        // A grown mass on a rough disc, some cells about to split.
        CEndBoss& mass = boss.endBoss;
        for (int row = 0; row < CEndBoss::kRows; ++row)
            for (int col = 0; col < CEndBoss::kCols; ++col) {
                const float dx = (col - 45) / 14.0f, dy = (row - 30) / 9.0f;
                if (dx * dx + dy * dy + 0.3f * std::sin(col * 0.7f + row) > 1)
                    continue;
                mass.cells[row][col] = (col * 7 + row * 13) % 11 == 0 ? CTickTimer::Now() + 1000 : CEndBoss::kSpent;
            }
    }
    boss.Draw();
}

// Aliens of every kind as the game draws them, each at another frame.
void Aliens(int scene)
{
    const int at[5][2] = {{640, 380}, {380, 250}, {560, 600}, {840, 470}, {180, 330}};
    for (int k = 0; k < 5; ++k) {
        CAlien alien;
        alien.kind = k;
        alien.frame = (k + scene) % 4;
        alien.x = at[k][0];
        alien.y = at[k][1];
        alien.Draw();
    }
}

void Creatures(BITMAP* bb, const Setup& s, int scene)
{
    Boss(s, scene);
    const struct { const char* tag; int x, y; } eggs[] = {
        {"EGG_IMG", 260, 200}, {"EGG_IMG", 330, 520}, {"EGGPUP_IMG", 720, 540}, {"EGG_IMG", 770, 210},
        {"EGGSHELL_IMG", 450, 560}, {"EGGPUPSHELL_IMG", 250, 420}, {"EGG_IMG", 680, 430},
    };
    for (const auto& e : eggs)
        Centred(bb, e.x, e.y, Img(e.tag));
    const char* pups[] = {"PUP_MAG_IMG", "PUP_DIS_IMG", "PUP_GRO_IMG", "PUP_ACI_IMG", "PUP_SPE_IMG", "PUP_FRE_IMG"};
    Centred(bb, 540, 200, Img(pups[scene]));
    const int toyXY[4][2] = {{300, 300}, {760, 330}, {470, 430}, {230, 590}};
    for (int i = 0; i < 4; ++i)
        if (*s.toys[i]) {
            BITMAP* t = Img(s.toys[i]);
            if (std::string(s.toys[i]) == "TOY_FIRE_IMG")
                rotate_sprite(bb, t, toyXY[i][0] - t->w / 2, toyXY[i][1] - t->h / 2, itofix(scene * 40));
            else
                Centred(bb, toyXY[i][0], toyXY[i][1], t);
        }
    Aliens(scene);
}

void Frame(BITMAP* bb)
{
    BITMAP* bg = Img("BG_IMG");
    blit(bg, bb, 0, 0, 0, 0, kW, kEdge);
    blit(bg, bb, 0, kEdge, 0, kEdge, kEdge, kH - kEdge);
    blit(bg, bb, kW - kEdge, kEdge, kW - kEdge, kEdge, kEdge, kH - kEdge);
    blit(bg, bb, kEdge, kH - kEdge, kEdge, kH - kEdge, kW - 2 * kEdge, kEdge);
    rect(bb, kEdge, kEdge, kW - kEdge, kH - kEdge, makecol(80, 80, 80));
    BITMAP* c = Img("CORNER_IMG");
    for (int x : {0, kW - c->w})
        for (int y : {0, kH - c->h})
            draw_sprite(bb, c, x, y);
}

void Player(BITMAP* bb, int p, int players, int x, int y, bool beamA, bool beamB)
{
    std::string suffix;
    if (players != 1)
        suffix = {'_', char('1' + p)};
    BITMAP* puck = Img(("PUCK" + suffix + "_IMG").c_str());
    BITMAP* corner = Img("CORNER_IMG");
    const int hw = int(puck->w * 0.15f), hh = int(puck->h * 0.15f), halfW = 32, halfH = 32;
    const int colA = players == 1 ? makecol(230, 0, 0) : p == 0 ? makecol(0, 230, 0) : makecol(0, 0, 230);
    const int colB = players == 1 ? makecol(0, 0, 230) : colA;
    if (beamA) {
        rectfill(bb, corner->w, y - hh, x - hw, y + hh, colA);
        rectfill(bb, corner->w, 0, x - halfW, 17, colA);
        rectfill(bb, corner->w, kH - 17, x - halfW, kH, colA);
    }
    if (beamB) {
        rectfill(bb, x - hw, corner->h, x + hw, y - hh, colB);
        rectfill(bb, 0, corner->h, 17, y - halfH, colB);
        rectfill(bb, kW - 17, corner->h, kW, y - halfH, colB);
    }
    Centred(bb, x, y, puck);
    Centred(bb, x, y, Img(("PUCK" + suffix + "_SPIKES_IMG").c_str()));
    BITMAP* t = Img(("LANTERN_T" + suffix + "_IMG").c_str());
    BITMAP* r = Img(("LANTERN_R" + suffix + "_IMG").c_str());
    draw_sprite(bb, t, x - halfW, 0);
    draw_sprite(bb, r, kW - r->w, y - halfH);
    draw_sprite(bb, Img(("LANTERN_B" + suffix + "_IMG").c_str()), x - halfW, kH - t->h);
    draw_sprite(bb, Img(("LANTERN_L" + suffix + "_IMG").c_str()), 0, y - halfH);
}

void Hud(BITMAP* bb, int players)
{
    BITMAP* c = Img("CORNER_IMG");
    const int cx = c->w / 2, yb = kH - c->h;
    const int red = makecol(200, 0, 0), grey = makecol(200, 200, 200);
    Text(bb, "ANKLE_LG_TTF", cx, 15, red, "Points");
    Text(bb, "ANKLE_LG_TTF", cx, 42, grey, "14");
    Text(bb, "ANKLE_LG_TTF", cx, 69, red, "Needed");
    Text(bb, "ANKLE_LG_TTF", cx, 96, grey, "40");
    if (players == 1) {
        Text(bb, "ANKLE_MD_TTF", kW - cx, 15, grey, "Yolvar");
        Text(bb, "ANKLE_MD_TTF", kW - cx, 34, grey, "Krandel");
        const char* credit[4] = {"Credit line one", "Credit line two", "Credit line three", "credit line four"};
        const int cy[4] = {52, 65, 78, 104};
        for (int i = 0; i < 4; ++i)
            Text(bb, "ANKLE_SM_TTF", kW - cx, cy[i], red, credit[i]);
        Text(bb, "ANKLE_MD_TTF", cx + 2, yb + 9, red, "Egg (+2)");
        Text(bb, "ANKLE_MD_TTF", cx + 2, yb + 28, grey, "5");
        Text(bb, "ANKLE_MD_TTF", cx + 2, yb + 47, red, "Parasite (+1)");
        Text(bb, "ANKLE_MD_TTF", cx + 2, yb + 66, grey, "4");
    } else {
        const int xs[2] = {cx + 2, kW - cx}, ys[2] = {yb, 0};
        for (int p = 0; p < 2; ++p) {
            const int y0 = ys[p];
            Text(bb, "ANKLE_MD_TTF", xs[p], y0 + 9, grey, "Player " + std::to_string(p + 1));
            Text(bb, "ANKLE_MD_TTF", xs[p], y0 + 28, grey, "Egg (+2)");
            Text(bb, "ANKLE_MD_TTF", xs[p], y0 + 47, red, "3");
            Text(bb, "ANKLE_MD_TTF", xs[p], y0 + 66, grey, "Parasite (+1)");
            Text(bb, "ANKLE_MD_TTF", xs[p], y0 + 85, red, "2");
        }
    }
    Text(bb, "ANKLE_LG_TTF", kW - cx, yb + 15, red, "Level");
    Text(bb, "ANKLE_LG_TTF", kW - cx, yb + 42, grey, "7");
    Text(bb, "ANKLE_LG_TTF", kW - cx, yb + 69, red, "Score");
    Text(bb, "ANKLE_LG_TTF", kW - cx, yb + 96, grey, "31");
}

} // namespace

const char* PlaySceneName(int scene) { return kScenes[scene].name; }
const char* PlaySceneSet(int scene) { return kScenes[scene].set; }

void DrawPlay(BITMAP* bb, int scene)
{
    // The creatures draw where the game keeps its frame.
    BITMAP* const gameFrame = g_display.backBuffer;
    g_display.backBuffer = bb;
    std::srand(scene + 1); // the same flashing cells every run
    const Setup& s = kScenes[scene];
    BITMAP* bg = Img("BG_IMG");
    blit(bg, bb, kEdge, kEdge, kEdge, kEdge, kW - 2 * kEdge, kH - 2 * kEdge);
    Creatures(bb, s, scene);
    Frame(bb);
    if (scene == 1)
        for (int i = 0; i < 15; ++i)
            Centred(bb, 420 - i * 9, 380 - int(12 * std::sin(i * 0.5f)), Img("ACID_IMG"));
    Player(bb, 0, s.players, 430, 380, true, scene % 2 == 0);
    if (s.players == 2)
        Player(bb, 1, 2, 690, 250, false, true);
    if (s.boss != kBossStemCell)
        DrawBossHealthBar(bb, 65);
    Hud(bb, s.players);
    g_display.backBuffer = gameFrame;
}

void DrawCompletion(BITMAP* bb)
{
    blit(Img("BG_IMG"), bb, 0, 0, 0, 0, kW, kH);
    const char* lines[] = {"Circulatory System Complete!", "", "Great job! You have cleared the",
                           "circulatory system of all alien", "parasites! Unfortunately, the",
                           "patient is still in danger, so", "please continue to purge him",
                           "of his microscopic invaders.", "", "UNLOCKED: RANDOM MISSIONS"};
    for (int i = 0; i < 10; ++i)
        Text(bb, "ANKLE_LG_TTF", kW / 2, 129 + 35 * i, makecol(255, 200, 160), lines[i], 0);
}
