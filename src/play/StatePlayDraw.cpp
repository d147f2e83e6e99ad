// One frame of play: arena, creatures, pucks with their beams and lanterns,
// the freeze clock, the boss bar, the corner panels and the messages.
#include <allegro.h>

#include <cstdlib>
#include <string>

#include "app/Display.h"
#include "app/DoubledSprite.h"
#include "app/Draw16.h"
#include "app/TickTimer.h"
#include "assets/ArtCache.h"
#include "audio/Audio.h"
#include "creatures/Alien.h"
#include "creatures/Egg.h"
#include "creatures/Toy.h"
#include "play/PlayHud.h"
#include "play/StatePlay.h"
#include "text/Ttf.h"

namespace {

constexpr int kW = kScreenW;
constexpr int kH = kScreenH;
constexpr int kRailWidth = 17;      // pixels: the beam's rails along the walls
constexpr int kFreezeRadius = 40;   // pixels
constexpr int kFreezeCentreUp = 100; // pixels above the bottom edge
constexpr int kMessageShadow = 4;   // pixels


struct SColours {
    int white = makecol(255, 255, 255);
    int black = 0;
    int frameGrey = makecol(80, 80, 80);
    int labelRed = makecol(200, 0, 0);
    int valueGrey = makecol(200, 200, 200);
    int failureRed = makecol(255, 0, 0);
    int successGreen = makecol(0, 255, 0);
};

int Width(const BITMAP* b) { return b ? b->w : 0; }
int Height(const BITMAP* b) { return b ? b->h : 0; }

void Sprite(BITMAP* target, BITMAP* image, int x, int y)
{
    if (image)
        Draw16::Sprite(target, image, x, y);
}

// Paints one frame of the play state's back buffer. Changes nothing but
// goSounded and, for the laser-zap disc, player 1's flash.
class CPlayFrame {
public:
    explicit CPlayFrame(CStatePlay& state);
    void Draw();

private:
    void PickFlashers();
    void DrawFlash();
    void DrawBackground(int x, int y, int w, int h);
    void DrawArena();
    void DrawCreatures();
    void DrawFrameAndCorners();
    void DrawPlayer(int p);
    void DrawTrail(int p);
    void DrawCrossfire(int hw, int hh);
    void DrawBeams(int p, int hw, int hh);
    void DrawPuck(int p, int hw);
    void DrawDoubled(BITMAP* image, int x, int y);
    void DrawLanterns(int p);
    void DrawFreezeClock();
    void DrawPaused();
    void DrawTopLeftPanel();
    void DrawCreditPanels();
    void DrawPlayerStats(int p, int x, int y);
    void DrawBottomRightPanel();
    void DrawCountdown();
    void DrawLevelEnd();
    void Text(ALFONT_FONT* font, int x, int y, int colour, const std::string& text);
    void Message(int x, int y, int colour, const std::string& text);

    CStatePlay& play;
    const SPlayArt& art;
    BITMAP* bb;
    SColours colour;
    int32_t now;       // hundredths clock
    int e;             // pixels, width of the infection border
    int cornerW, cornerH; // pixels
    int halfW, halfH;  // pixels, half a top lantern's width / a side lantern's height
    int cx;            // pixels, centre of the left corner panels
    bool flashes[kMaxPlayers] = {}; // this player's detonation flashes this frame
    bool anyFlash = false;          // the whole screen flashes instead of the arena
};

CPlayFrame::CPlayFrame(CStatePlay& state)
    : play(state), art(state.art), bb(g_display.backBuffer), now(CTickTimer::Now()),
      e(state.cvar_alienEdgeInfect), cornerW(Width(art.corner)), cornerH(Height(art.corner)),
      halfW(Width(art.single.lanternTop) / 2), halfH(Height(art.single.lanternRight) / 2), cx(cornerW / 2)
{
}

void CPlayFrame::Draw()
{
    PickFlashers();
    if (anyFlash)
        DrawFlash();
    else
        DrawArena();
    DrawCreatures();
    if (!anyFlash) {
        // The border strips hide creatures in the infection border.
        DrawBackground(0, 0, kW, e);
        DrawBackground(0, e, e, kH - e);
        DrawBackground(kW - e, e, e, kH - e);
        DrawBackground(e, kH - e, kW - 2 * e, e);
    }
    DrawFrameAndCorners();
    if (play.levelPoints >= 0)
        for (int p = 0; p < play.numPlayers && p < kMaxPlayers; ++p)
            DrawPlayer(p);
    DrawFreezeClock();
    if (!play.boss.IsDead())
        DrawBossHealthBar(bb, play.boss.health);
    DrawPaused();
    DrawTopLeftPanel();
    DrawCreditPanels();
    DrawBottomRightPanel();
    DrawCountdown();
    DrawLevelEnd();
}

void CPlayFrame::PickFlashers()
{
    for (int p = 0; p < play.numPlayers && p < kMaxPlayers; ++p) {
        flashes[p] = now < play.flashUntil[p] && (std::rand() & 1);
        anyFlash = anyFlash || flashes[p];
    }
}

void CPlayFrame::DrawFlash()
{
    const bool dark = std::rand() & 1;
    const int fill = dark ? colour.black : colour.white;
    const int disc = dark ? colour.white : colour.black;
    Draw16::RectFill(bb, 0, 0, kW - 1, kH - 1, fill);
    for (int p = 0; p < play.numPlayers && p < kMaxPlayers; ++p)
        if (flashes[p])
            circlefill(bb, play.playerX[p], play.playerY[p], play.cvar_pup_det_range, disc);
}

void CPlayFrame::DrawBackground(int x, int y, int w, int h)
{
    if (w <= 0 || h <= 0)
        return;
    if (art.background)
        Draw16::Blit(art.background, bb, x, y, x, y, w, h);
    else
        Draw16::RectFill(bb, x, y, x + w - 1, y + h - 1, colour.black); // no old frame shows through
}

void CPlayFrame::DrawArena()
{
    const int x = e, y = e, w = kW - 2 * e, h = kH - 2 * e;
    if (art.background && play.boss.type == kBossStemCell && w > 0 && h > 0)
        play.boss.endBoss.DrawPictureUnder(art.background, x, y, w, h);
    else
        DrawBackground(x, y, w, h);
}

void CPlayFrame::DrawCreatures()
{
    play.boss.Draw();
    for (auto& egg : play.eggs)
        egg->Draw(play.cvar_crackWarningTime, play.cvar_crackWarningDist, play.cvar_crackSolidShowTime,
                  play.cvar_crackFlickerShowTime, play.cvar_pupSolidShowTime, play.cvar_pupFlickerShowTime);
    for (const auto& toy : play.toys)
        toy->Draw();
    for (const auto& alien : play.aliens)
        alien->Draw();
}

void CPlayFrame::DrawFrameAndCorners()
{
    rect(bb, e, e, kW - e, kH - e, colour.frameGrey);
    // The strips under the corners were copied just now, unless flashing.
    if (!anyFlash && CachedArt<SFramedCorners>().Draw(bb, art, e))
        return;
    for (const SFramedCorners::SPlace& place : SFramedCorners::Places(cornerW, cornerH))
        Sprite(bb, art.corner, place.x, place.y);
}

void CPlayFrame::DrawPlayer(int p)
{
    DrawTrail(p);
    const BITMAP* puck = art.Puck(play.numPlayers, p).puck;
    const float factor = HasPower(play.playerPowerFlags[p], kPupMushroom) ? play.cvar_pup_mushroom_laserWidthSuper
                                                                          : play.cvar_pup_mushroom_laserWidthNormal;
    const int hw = static_cast<int>(Width(puck) * factor);
    const int hh = static_cast<int>(Height(puck) * factor);
    if (p == 0 && play.gameMode == kModeCrossfire)
        DrawCrossfire(hw, hh);
    else
        DrawBeams(p, hw, hh);
    DrawPuck(p, hw);
    if (!(p == 0 && play.gameMode == kModeCrossfire))
        DrawLanterns(p);
}

void CPlayFrame::DrawTrail(int p)
{
    if (!HasPower(play.playerPowerFlags[p], kPupTrail) || !art.acid)
        return;
    for (int k = 0; k < kTrailPoints; ++k) // newest first, so the oldest lands on top
        Draw16::Sprite(bb, art.acid, static_cast<int>(play.trailX[k][p]) - art.acid->w / 2,
                    static_cast<int>(play.trailY[k][p]) - art.acid->h / 2);
}

void CPlayFrame::DrawCrossfire(int hw, int hh)
{
    // Lines from two opposite corners to the puck instead of beams.
    const int x = play.playerX[0], y = play.playerY[0];
    const float intensity = play.cvar_laserDropoffIntensity;
    if (play.laserA[0] || play.laserD[0]) {
        const int v = BeamLevel(play.laserAFrac[0] + play.laserDFrac[0], intensity);
        const int c = play.numPlayers > 1 ? makecol(0, v, 0) : makecol(v, 0, 0);
        for (int k = -2; k <= 2; ++k)
            line(bb, cornerW + k, kH - cornerH + k, x - hw, y + hh, c);
    }
    if (play.laserB[0] || play.laserC[0]) {
        const int c = makecol(0, BeamLevel(play.laserBFrac[0] + play.laserCFrac[0], intensity), 0);
        for (int k = -2; k <= 2; ++k)
            line(bb, kW - cornerW + k, cornerH + k, x + hw, y - hh, c);
    }
}

void CPlayFrame::DrawBeams(int p, int hw, int hh)
{
    const int x = play.playerX[p], y = play.playerY[p];
    const float intensity = play.cvar_laserDropoffIntensity;
    auto colourOf = [&](int pulse, float fraction) {
        return BeamColour(play.numPlayers, p, pulse, fraction, intensity);
    };
    if (play.laserA[p]) {
        const int c = colourOf(kPulseA, play.laserAFrac[p]);
        Draw16::RectFill(bb, cornerW, y - hh, x - hw, y + hh, c);
        Draw16::RectFill(bb, cornerW, 0, x - halfW, kRailWidth, c);
        Draw16::RectFill(bb, cornerW, kH - kRailWidth, x - halfW, kH, c);
    }
    if (play.laserC[p]) {
        const int c = colourOf(kPulseC, play.laserCFrac[p]);
        Draw16::RectFill(bb, kW - cornerW, y - hh, x + hw, y + hh, c);
        Draw16::RectFill(bb, kW - cornerW, 0, x + halfW, kRailWidth, c);
        Draw16::RectFill(bb, kW - cornerW, kH - kRailWidth, x + halfW, kH, c);
    }
    if (play.laserB[p]) {
        const int c = colourOf(kPulseB, play.laserBFrac[p]);
        Draw16::RectFill(bb, x - hw, cornerH, x + hw, y - hh, c);
        Draw16::RectFill(bb, 0, cornerH, kRailWidth, y - halfH, c);
        Draw16::RectFill(bb, kW - kRailWidth, cornerH, kW, y - halfH, c);
    }
    if (play.laserD[p]) {
        const int c = colourOf(kPulseD, play.laserDFrac[p]);
        Draw16::RectFill(bb, x - hw, kH - cornerH, x + hw, y + hh, c);
        Draw16::RectFill(bb, 0, kH - cornerH, kRailWidth, y + halfH, c);
        Draw16::RectFill(bb, kW - kRailWidth, kH - cornerH, kW, y + halfH, c);
    }
}

void CPlayFrame::DrawPuck(int p, int hw)
{
    const SPuckArt& look = art.Puck(play.numPlayers, p);
    const int x = play.playerX[p], y = play.playerY[p];
    if (p == 0 && play.gameMode == kModeLaserZap) {
        // No puck: a zap shows as a white disc and a short flash.
        if (play.laserD[0]) {
            circlefill(bb, x, y, (Width(look.puck) + hw) >> 1, colour.white);
            play.flashUntil[0] = now + (play.cvar_pup_det_flashtime >> 3);
        }
        return;
    }
    const bool doubled = HasPower(play.playerPowerFlags[p], kPupMushroom);
    for (BITMAP* image : {look.puck, look.spikes}) {
        if (!image)
            continue;
        if (doubled)
            DrawDoubled(image, x - image->w, y - image->h);
        else
            Draw16::Sprite(bb, image, x - image->w / 2, y - image->h / 2);
    }
}

void CPlayFrame::DrawDoubled(BITMAP* image, int x, int y)
{
    if (const CDoubledSprite* ready = CachedArt<SDoubledPucks>().For(image))
        ready->Draw(bb, x, y);
    else
        stretch_sprite(bb, image, x, y, 2 * image->w, 2 * image->h);
}

void CPlayFrame::DrawLanterns(int p)
{
    const SPuckArt& look = art.Puck(play.numPlayers, p);
    const int x = play.playerX[p], y = play.playerY[p];
    Sprite(bb, look.lanternTop, x - halfW, 0);
    Sprite(bb, look.lanternRight, kW - Width(look.lanternRight), y - halfH);
    Sprite(bb, look.lanternBottom, x - halfW, kH - Height(look.lanternBottom));
    Sprite(bb, look.lanternLeft, 0, y - halfH);
}

void CPlayFrame::DrawFreezeClock()
{
    // The period divides below; a level without a positive one shows no clock.
    const int32_t period = play.cvar_pup_freeze_time;
    if (play.freezeUntil == 0 || period <= 0)
        return;
    const int32_t left = play.freezeUntil - now;
    const int32_t turns = left / period;
    const fixed angle = ftofix(static_cast<double>(left % period) / period * 255.0);
    const int mx = kW / 2, my = kH - kFreezeCentreUp;
    const fixed radius = itofix(kFreezeRadius);
    circlefill(bb, mx, my, kFreezeRadius, colour.frameGrey);
    line(bb, mx, my, mx + fixtoi(fixmul(fixsin(0), radius)), my - fixtoi(fixmul(fixcos(0), radius)), colour.white);
    line(bb, mx, my, mx + fixtoi(fixmul(fixsin(angle), radius)), my - fixtoi(fixmul(fixcos(angle), radius)),
         colour.white);
    floodfill(bb, mx + 1, kH - 138, colour.white); // the sector between the hands
    if (turns != 0)
        ttf_textprintf_right_aa(bb, art.huge, kW / 2 - 45, kH - 125, colour.white, "%ix", static_cast<int>(turns + 1));
}

void CPlayFrame::DrawPaused()
{
    if (play.pausedAt == 0)
        return;
    const int dx = 4 - std::rand() % 8;
    const int dy = 4 - std::rand() % 8;
    Text(art.huge, kW / 2 + dx, kH / 2 + dy - 25, colour.white, "Paused");
}

void CPlayFrame::DrawTopLeftPanel()
{
    Text(art.large, cx, 15, colour.labelRed, "Points");
    Text(art.large, cx, 42, colour.valueGrey, std::to_string(play.levelPoints));
    Text(art.large, cx, 69, colour.labelRed, "Needed");
    Text(art.large, cx, 96, colour.valueGrey, std::to_string(play.cvar_pointsToWin));
}

void CPlayFrame::DrawCreditPanels()
{
    const int right = kW - cx;
    const int yb = kH - cornerH;
    if (play.numPlayers == 1) {
        Text(art.medium, right, 15, colour.valueGrey, "Yolvar");
        Text(art.medium, right, 34, colour.valueGrey, "Krandel");
        Text(art.small, right, 52, colour.labelRed, "made by the");
        Text(art.small, right, 65, colour.labelRed, "Yolvar Krandel");
        Text(art.small, right, 78, colour.labelRed, "team");
        Text(art.small, right, 104, colour.labelRed, "Have fun!");
        Text(art.medium, cx + 2, yb + 9, colour.labelRed, "Egg (+2)");
        Text(art.medium, cx + 2, yb + 28, colour.valueGrey, std::to_string(play.eggsSmashed[0]));
        Text(art.medium, cx + 2, yb + 47, colour.labelRed, "Parasite (+1)");
        Text(art.medium, cx + 2, yb + 66, colour.valueGrey, std::to_string(play.aliensKilled[0]));
        return;
    }
    DrawPlayerStats(1, right, 0);
    DrawPlayerStats(0, cx + 2, yb);
}

void CPlayFrame::DrawPlayerStats(int p, int x, int y)
{
    Text(art.medium, x, y + 9, colour.valueGrey, "Player " + std::to_string(p + 1));
    Text(art.medium, x, y + 28, colour.valueGrey, "Egg (+2)");
    Text(art.medium, x, y + 47, colour.labelRed, std::to_string(play.eggsSmashed[p]));
    Text(art.medium, x, y + 66, colour.valueGrey, "Parasite (+1)");
    Text(art.medium, x, y + 85, colour.labelRed, std::to_string(play.aliensKilled[p]));
}

void CPlayFrame::DrawBottomRightPanel()
{
    const int x = kW - cx;
    const int yb = kH - cornerH;
    Text(art.large, x, yb + 15, colour.labelRed, "Level");
    Text(art.large, x, yb + 42, colour.valueGrey, std::to_string(LevelInSystem(play.level)));
    Text(art.large, x, yb + 69, colour.labelRed, "Score");
    Text(art.large, x, yb + 96, colour.valueGrey, std::to_string(play.runTotal));
}

void CPlayFrame::DrawCountdown()
{
    const SCountdownLook look =
        CountdownLook(now, play.levelStartAt, play.levelEndAt, play.cvar_hSecBeforeLevelStartSayGo);
    if (!look.ready)
        return;
    const int c = makecol(look.fade, look.fade, 0);
    Message(kW / 2, kH / 2 - 50 - look.shift, c, "Ready?");
    if (!look.go)
        return;
    if (!play.goSounded) {
        g_audio.PlaySound("GO_SFX");
        play.goSounded = true;
    }
    Message(kW / 2, kH / 2 - look.shift, c, "Go!");
}

void CPlayFrame::DrawLevelEnd()
{
    if (play.levelEndAt == 0 || now >= play.levelEndAt)
        return;
    const bool won = play.levelPoints >= play.cvar_pointsToWin;
    const char* upper = won ? "Mission" : "Retry";
    const char* lower = won ? "Success!" : "Mission";
    const int c = won ? colour.successGreen : colour.failureRed;
    const int s = kMessageShadow;
    Text(art.huge, kW / 2 + s, kH / 2 - 50 + s, colour.black, upper);
    Text(art.huge, kW / 2 + s, kH / 2 + s, colour.black, lower);
    Text(art.huge, kW / 2, kH / 2 - 50, c, upper);
    Text(art.huge, kW / 2, kH / 2, c, lower);
}

void CPlayFrame::Text(ALFONT_FONT* font, int x, int y, int c, const std::string& text)
{
    ttf_textprintf_centre_aa(bb, font, x, y, c, "%s", text.c_str());
}

void CPlayFrame::Message(int x, int y, int c, const std::string& text)
{
    Text(art.huge, x + kMessageShadow, y + kMessageShadow, colour.black, text);
    Text(art.huge, x, y, c, text);
}

} // namespace

void CStatePlay::Draw(CGameApp&)
{
    if (leaveToTitle)
        return;
    art.Refresh();
    if (g_display.backBuffer)
        CPlayFrame(*this).Draw();
    g_display.Present();
}
