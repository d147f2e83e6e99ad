#include "play/LevelSelect.h"

#include <allegro.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "app/Display.h"
#include "app/TickTimer.h"
#include "assets/Asset.h"
#include "audio/Audio.h"
#include "input/Controls.h"
#include "play/ModalLoop.h"
#include "play/SettingsScreen.h"
#include "play/OptionsBarLayout.h"
#include "play/StatePlay.h"
#include "text/Ttf.h"

int optionsHintDone = 0;

const CLevelSelect::SQuadrant CLevelSelect::kQuadrants[4] = {
    {1, 0, 10, 35},   // circulatory
    {21, 20, 10, 36}, // respiratory
    {31, 30, 5, 37},  // nervous
    {11, 10, 10, 38}, // digestive
};

namespace {

constexpr int kW = kScreenW;
constexpr int kH = kScreenH;
constexpr int kScoreLineStep = 20; // pixels between best-score lines
constexpr int kVolumeSnapLow = 30, kVolumeSnapHigh = 225;  // near the ends counts as the end
static_assert(OptionsBar::kModeRows == kGameModes, "the bar holds a row for every game mode");

int White() { return makecol(255, 255, 255); }
constexpr int kBlack = 0;

void CentreText(ALFONT_FONT* font, int x, int y, int colour, const std::string& text)
{
    ttf_textprintf_centre_aa(g_display.backBuffer, font, x, y, colour, "%s", text.c_str());
}

// Text with its drop shadow two pixels to the lower right.
void ShadowedText(ALFONT_FONT* font, int x, int y, const std::string& text)
{
    CentreText(font, x + 2, y + 2, kBlack, text);
    CentreText(font, x, y, White(), text);
}

void BlitWhole(BITMAP* image)
{
    if (image && g_display.backBuffer)
        blit(image, g_display.backBuffer, 0, 0, 0, 0, kW, kH);
}

bool ChooseKeyPressed()
{
    return g_controls.Key(KEY_ENTER, kInputPressed) || g_controls.Key(KEY_SPACE, kInputPressed) ||
           g_controls.AnyPad(kPadA, kInputPressed) || g_controls.AnyPad(kPadStart, kInputPressed);
}

// Escape, and a pad's B or Back, in one state.
bool LeaveKey(int state)
{
    return g_controls.Key(KEY_ESC, state) || g_controls.AnyPad(kPadB, state) || g_controls.AnyPad(kPadBack, state);
}

} // namespace

void SLevelSelectArt::LookUp()
{
    bar = g_bitmaps.Get("LEV_BAR_IMG");
    picture = g_bitmaps.Get("LEV_SEL_IMG");
    glow = g_bitmaps.Get("LEV_SEL_G_IMG");
    spinner = g_bitmaps.Get("P_SPIN_IMG");
    volumeScale = g_bitmaps.Get("V_SCALE_IMG");
    modeLocked = g_bitmaps.Get("MODE_NO_IMG");
    modeChosen = g_bitmaps.Get("MODE_YES_IMG");
    modeFree = g_bitmaps.Get("MODE_HERE_IMG");
    bomb = g_bitmaps.Get("F_BOMB_IMG");
    help = g_bitmaps.Get("HELP_IMG");
    settings = g_bitmaps.Get("SETTINGS_IMG");
    huge = g_fonts.Get("ANKLE_HG_TTF");
    large = g_fonts.Get("ANKLE_LG_TTF");
    medium = g_fonts.Get("ANKLE_MD_TTF");
}

void CStatePlay::RunLevelSelect()
{
    CLevelSelect menu(*this);
    CLevelSelect::LoadAssets();
    menu.art.LookUp();
    if (!menu.art.bar)
        std::fprintf(stderr, "Level select: image LEV_BAR_IMG is missing; the options bar stays closed\n");
    menu.Open();
    menu.Run();
}

void CLevelSelect::LoadAssets()
{
    g_bitmaps.Init();
    g_bitmaps.LoadDefinitions();
    g_bitmaps.Init("bitmap-level");
    g_bitmaps.LoadDefinitions();
    g_sounds.Init();
    g_sounds.LoadDefinitions();
    g_fonts.Init();
    g_fonts.LoadDefinitions();
}

void CLevelSelect::Open()
{
    std::fill(std::begin(play.modeUnlocked), std::end(play.modeUnlocked), 0);
    play.modeUnlocked[kModeNormal] = 1;
    play.modeUnlocked[kModeRandomMissions] = play.bestScores[kSlotCirculatory] > 0;
    play.modeUnlocked[kModeLaserZap] = play.bestScores[kSlotDigestive] > 0;
    play.modeUnlocked[kModeCrossfire] = play.bestScores[kSlotRespiratory] > 0;
    play.modeUnlocked[kModeWaves] = play.bestScores[kSlotNervous] > 0;
    if (play.gameMode < 0 || play.gameMode >= kGameModes || !play.modeUnlocked[play.gameMode])
        play.gameMode = kModeNormal;

    panelHeight = art.bar ? art.bar->h : 0;
    panelOffset = 0;
    pointerColumn = 0;
    pointerRow = 0;
    spinAngle = play.numPlayers * 128;
    bombHold = 0;
    startChosen = 0;
    leftState = kInputPressed;
    play.leaveToTitle = false;
    if (play.numPlayers != 1 && play.numPlayers != 2)
        play.numPlayers = 1;
    BlitWhole(art.picture);
}

void CLevelSelect::Run()
{
    // The window's close button ends the screen without choosing anything.
    while (!CModalLoop::CloseRequested() && Pass())
        loop.Wait();
}

bool CLevelSelect::Pass()
{
    if (startChosen) {
        Finish();
        return false;
    }
    loop.BeginPass();
    PointByPad();
    const int mx = g_display.PointerX();
    const int my = g_display.PointerY();
    SlideBar();
    if (BarOpen())
        PointAtOpenBar(mx, my);
    else if (panelOffset == 0)
        PointAtClosedBar(mx, my);
    TurnSpinner();
    if (LeaveKey(kInputReleased)) {
        startChosen = 1;
        play.leaveToTitle = true;
    }
    // The press that closes the help screen is still "just pressed": it must
    // not also choose the system under the pointer.
    if (g_controls.Key(KEY_F1, kInputPressed))
        ShowHelp();
    else if (g_controls.Key(KEY_F2, kInputPressed))
        ShowSettings();
    else
        Choose();
    DrawBar();
    DrawPicture(Highlight());
    DrawScores();
    DrawHints();
    g_display.Present();
    return true;
}

void CLevelSelect::Finish()
{
    play.runTotal = 0;
    if (play.gameMode != kModeLaserZap && play.gameMode != kModeCrossfire)
        g_display.SetCursorVisible(false);
    play.SetUpLevel();
    // The first wave raises the level again, so it is numbered as chosen.
    if (play.gameMode == kModeWaves)
        --play.level;
}

void CLevelSelect::SlideBar()
{
    if (pointerRow == 0 && panelOffset > 0) {
        optionsHintDone = 1;
        panelOffset = std::max(0, panelOffset - kBarStep);
    } else if (pointerRow == -1 && panelOffset < panelHeight) {
        panelOffset = std::min(panelHeight, panelOffset + kBarStep);
    }
}

void CLevelSelect::PointByPad()
{
    // A direction puts the pointer on a row or a column of body systems,
    // keeping the other axis: up, then left, is the upper-left system.
    ScreenFit::SPoint p = g_display.Pointer();
    const ScreenFit::SPoint was = p;
    if (g_controls.AnyPad(kPadUp, kInputPressed))
        p.y = kH / 4;
    if (g_controls.AnyPad(kPadDown, kInputPressed))
        p.y = kH * 3 / 4;
    if (g_controls.AnyPad(kPadLeft, kInputPressed))
        p.x = kW / 4;
    if (g_controls.AnyPad(kPadRight, kInputPressed))
        p.x = kW * 3 / 4;
    if (p.x != was.x || p.y != was.y)
        g_display.MovePointer(p.x, p.y);
}

int CLevelSelect::ColumnAt(int mx)
{
    if (mx < kW / 2 - kMiddleStrip)
        return 0;
    if (mx > kW / 2 + kMiddleStrip)
        return 1;
    return -1;
}

void CLevelSelect::PointAtClosedBar(int mx, int my)
{
    leftState = kInputPressed;
    pointerRow = my < kTopStrip ? -1 : (my < kH / 2 ? 0 : 1);
    pointerColumn = ColumnAt(mx);
}

void CLevelSelect::PointAtOpenBar(int mx, int my)
{
    leftState = kInputHeld;
    if (my > panelHeight) {
        // Leaving the bar downward is what sets off an armed bomb.
        if (bombHold != 0) {
            if (bombHold > kBombPasses)
                EraseScores();
            bombHold = 0;
        }
        pointerRow += 1;
    }
    pointerColumn = ColumnAt(mx);
    if (g_controls.Mouse(0, leftState))
        HoldOnBar(mx, my);
}

int CLevelSelect::VolumeAt(int mx) { return (mx - OptionsBar::kVolumeHotLeft) * 256 / OptionsBar::kVolumeSpan; }

int CLevelSelect::SnapVolume(int volume)
{
    if (volume < kVolumeSnapLow)
        return 0;
    if (volume > kVolumeSnapHigh)
        return 255;
    return volume;
}

int CLevelSelect::ModeRowAt(int my) { return (my - OptionsBar::kModeY) / OptionsBar::kModeRowH; }

void CLevelSelect::HoldOnBar(int mx, int my)
{
    using namespace OptionsBar;
    // The count only flips once the spinner has finished its last turn.
    if (spinAngle == play.numPlayers * 128 && kDialHotLeft < mx && mx < kDialHotRight)
        play.numPlayers = 3 - play.numPlayers;
    if (kVolumeHotLeft < mx && mx < kVolumeHotRight) {
        const int value = VolumeAt(mx);
        if (kSoundHotTop <= my && my <= kSoundHotBottom)
            g_audio.soundVolume = value;
        else if (kMusicHotTop <= my && my <= kMusicHotBottom)
            g_audio.musicVolume = value;
        g_audio.soundVolume = SnapVolume(g_audio.soundVolume);
        g_audio.musicVolume = SnapVolume(g_audio.musicVolume);
        g_audio.SelectTrack(-1);
    }
    if (kModeHotLeft < mx && mx < kModeHotRight) {
        const int row = ModeRowAt(my);
        if (row >= 0 && row < kGameModes && play.modeUnlocked[row])
            play.gameMode = row;
    }
    if (kBombHotLeft <= mx && mx <= kBombHotRight && kBombHotTop <= my && my <= kBombHotBottom)
        ++bombHold;
    else
        bombHold = 0;
}

void CLevelSelect::TurnSpinner()
{
    const int target = play.numPlayers * 128;
    if (spinAngle < target)
        spinAngle = std::min(target, spinAngle + kSpinStep);
    else if (spinAngle > target)
        spinAngle = std::max(target, spinAngle - kSpinStep);
}

bool CLevelSelect::HelpClosed() const
{
    return g_controls.Key(KEY_F1, kInputPressed) || g_controls.Mouse(0, leftState) ||
           LeaveKey(kInputPressed) || ChooseKeyPressed();
}

void CLevelSelect::ShowHelp()
{
    g_display.SetCursorVisible(false);
    BlitWhole(art.help);
    g_display.Present();
    do {
        loop.NextPass();
    } while (!HelpClosed() && !CModalLoop::CloseRequested());
    // Escape (or B, Back) closes the help screen on its press; its release
    // must not also leave the level-select screen for the title.
    while ((LeaveKey(kInputPressed) || LeaveKey(kInputHeld)) && !CModalLoop::CloseRequested())
        loop.NextPass();
    g_display.SetCursorVisible(true);
}

void CLevelSelect::ShowSettings()
{
    CSettingsScreen screen({art.settings, art.medium});
    screen.Run(loop);
    // Back on this screen with the pointer where the settings left it.
    g_display.SetCursorVisible(true);
}

bool CLevelSelect::LowerLeftUnlocked() const
{
    return play.bestScores[kSlotCirculatory] != 0 && play.bestScores[kSlotRespiratory] != 0 &&
           play.bestScores[kSlotDigestive] != 0;
}

void CLevelSelect::Choose()
{
    if (panelOffset != 0 || pointerColumn == -1)
        return;
    if (!ChooseKeyPressed() && !g_controls.Mouse(0, leftState))
        return;
    if (pointerColumn == 0 && pointerRow == 1 && !LowerLeftUnlocked())
        return;
    startChosen = 1;
}

int CLevelSelect::Highlight()
{
    // The top strip counts as the upper half until the bar is fully open.
    const bool upper = pointerRow == 0 || (pointerRow == -1 && !BarOpen());
    int quadrant = -1;
    if (pointerColumn == 1 && pointerRow == 1)
        quadrant = 3;
    else if (pointerColumn == 1 && upper)
        quadrant = 1;
    else if (pointerColumn == 0 && pointerRow == 1 && LowerLeftUnlocked())
        quadrant = 2;
    else if (pointerColumn == 0 && upper)
        quadrant = 0;
    if (quadrant >= 0)
        play.level = kQuadrants[quadrant].firstLevel;
    return quadrant;
}

void CLevelSelect::EraseScores()
{
    g_audio.PlaySound("ANVIL_SFX");
    std::fill(std::begin(play.bestScores), std::end(play.bestScores), 0);
    std::fill(std::begin(play.modeUnlocked), std::end(play.modeUnlocked), 0);
    play.modeUnlocked[kModeNormal] = 1;
    play.gameMode = kModeNormal;
    play.level = -1; // so the save below loads no level
    play.SaveScoresAndLoadLevel(0);
}

void CLevelSelect::DrawBar() const
{
    using namespace OptionsBar;
    BITMAP* bb = g_display.backBuffer;
    if (!bb || panelOffset == 0)
        return;
    if (art.bar)
        blit(art.bar, bb, 0, panelHeight - panelOffset, 0, 0, kW, panelOffset);
    const int top = panelOffset - panelHeight;
    if (art.spinner)
        rotate_sprite(bb, art.spinner, kDialX, top + kDialY, itofix(spinAngle));
    if (BITMAP* scale = art.volumeScale) {
        masked_blit(scale, bb, 0, 0, kScaleX, top + kSoundScaleY, (g_audio.soundVolume * scale->w) >> 8, scale->h);
        masked_blit(scale, bb, 0, 0, kScaleX, top + kMusicScaleY, (g_audio.musicVolume * scale->w) >> 8, scale->h);
    }
    for (int r = 0; r < kGameModes; ++r) {
        BITMAP* rows = !play.modeUnlocked[r] ? art.modeLocked : (r == play.gameMode ? art.modeChosen : art.modeFree);
        if (rows)
            masked_blit(rows, bb, 0, kModeRowH * r, kModeX, top + kModeY + kModeRowH * r, rows->w, kModeRowH);
    }
    if (BITMAP* bomb = art.bomb) {
        // The bomb fills up from the bottom while it is held.
        const int shown = std::min(bombHold, bomb->h);
        masked_blit(bomb, bb, 0, bomb->h - shown, kBombX, top + kBombY + bomb->h - shown, bomb->w, shown);
    }
}

void CLevelSelect::DrawPicture(int quadrant) const
{
    BITMAP* bb = g_display.backBuffer;
    if (!bb)
        return;
    if (art.picture)
        blit(art.picture, bb, 0, 0, 0, panelOffset, kW, kH - panelOffset);
    if (!art.glow || quadrant < 0)
        return;
    const int x = (quadrant == 1 || quadrant == 3) ? kW / 2 : 0;
    if (quadrant >= 2)
        blit(art.glow, bb, x, kH / 2, x, kH / 2 + panelOffset, kW / 2, kH / 2 - panelOffset);
    else
        blit(art.glow, bb, x, 0, x, panelOffset, kW / 2, kH / 2);
}

void CLevelSelect::DrawLocked(int x0, int y0, int base) const
{
    // Shakes harder while pointed at; x is drawn before y.
    const bool pointed = pointerColumn == 0 && pointerRow == 1;
    const int reach = pointed ? 5 : 2;
    const int jx = reach - std::rand() % (2 * reach);
    const int jy = reach - std::rand() % (2 * reach);
    ShadowedText(art.huge, x0 + 252 + jx, y0 + base + 80 + jy, "*LOCKED*");
}

void CLevelSelect::DrawQuadrantScores(int k, int x0, int y0, int base) const
{
    const SQuadrant& q = kQuadrants[k];
    const int x = x0 + 252;
    std::vector<std::pair<int, std::string>> lines; // y, text
    for (int i = 0; i < q.levels; ++i)
        if (const int s = play.bestScores[q.firstSlot + i])
            lines.emplace_back(y0 + base + kScoreLineStep * i, "Lvl " + std::to_string(i + 1) + ": " + std::to_string(s));
    const bool anyLevel = !lines.empty();
    if (const int overall = play.bestScores[q.overallSlot])
        lines.emplace_back(y0 + base + kScoreLineStep * q.levels, "Overall: " + std::to_string(overall));
    // Every shadow first, so no shadow falls across a neighbouring line.
    for (const auto& [y, text] : lines)
        CentreText(art.medium, x + 2, y + 2, kBlack, text);
    if (anyLevel)
        ShadowedText(art.medium, x, y0 + base - 20, "High Scores");
    for (const auto& [y, text] : lines)
        CentreText(art.medium, x, y, White(), text);
}

void CLevelSelect::DrawScores() const
{
    const int base = panelOffset + 95;
    for (int k = 0; k < 4; ++k) {
        const int x0 = (k % 2) ? kW / 2 : 0;
        const int y0 = k >= 2 ? kH / 2 : 0;
        if (k == kLockedQuadrant && !LowerLeftUnlocked())
            DrawLocked(x0, y0, base);
        else
            DrawQuadrantScores(k, x0, y0, base);
    }
}

void CLevelSelect::DrawHints() const
{
    // Both hints sway sideways, sweeping 0..32 pixels and back.
    const int a = std::abs(32 - ((CTickTimer::Now() >> 1) & 63));
    ShadowedText(art.large, kW / 2 + a - 16, kH - 35, "Press F1 for Help!");
    if (panelOffset == 0 && optionsHintDone == 0) {
        const int t = (32 - a) >> 1;
        CentreText(art.large, kW / 2 + t - 6, 40, kBlack, "Move Mouse Up Here For Options");
        CentreText(art.large, kW / 2 + t - 8, 40, White(), "Move Mouse Up Here For Options");
    }
}
