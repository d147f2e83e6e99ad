// The end of a level: losing, waves, moving on or retrying, best scores,
// completed body systems and their congratulation screen.
#include "play/MissionEnd.h"

#include <allegro.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "app/Display.h"
#include "app/GameApp.h"
#include "app/TickTimer.h"
#include "assets/Asset.h"
#include "audio/Audio.h"
#include "frontend/StateIntro.h"
#include "input/Controls.h"
#include "play/ModalLoop.h"
#include "play/StatePlay.h"
#include "text/Ttf.h"

namespace {

constexpr int kRetryTrack = 10;
constexpr int kCompletionTrack = 0;
constexpr int kLostPuckPosition = -500;

struct SLine {
    int index;
    const char* text;
};

const std::vector<SLine> kCompletionTexts[4] = {
    {{0, "Circulatory System Complete!"},
     {2, "Great job! You have cleared the"},
     {3, "circulatory system of all alien"},
     {4, "parasites! Unfortunately, the"},
     {5, "patient is still in danger, so"},
     {6, "please continue to purge him"},
     {7, "of his microscopic invaders."},
     {9, "UNLOCKED: RANDOM MISSIONS"}},
    {{0, "Digestive System Complete!"},
     {2, "Nice work! All of the parasites"},
     {3, "in the patient's digestive system"},
     {4, "have been eliminated!  However,"},
     {5, "you must continue to destroy"},
     {6, "these creatures if he is to be"},
     {7, "saved, so please move on to the"},
     {8, "next system and take out the threat!"},
     {10, "UNLOCKED: LASER-ZAP MODE"}},
    {{0, "Respiratory System Complete!"},
     {2, "Well done! The respiratory system"},
     {3, "has been cleared of Martians. You're"},
     {4, "well on your way to saving the infected"},
     {5, "astronaut! In order to dissuade the"},
     {6, "threat to Earth, however, you must"},
     {7, "remove all of the parasites."},
     {8, "Keep it up, you're almost there!"},
     {10, "UNLOCKED: CROSSFIRE MODE"}},
    {{0, "Nervous System Complete!"},
     {2, "Amazing! You have completely"},
     {3, "removed the alien threat to Earth,"},
     {4, "and saved the astronauts life as well!"},
     {5, "Congratulations, and thanks for playing!"},
     {7, "UNLOCKED: WAVES MODE"}},
};

// Best-score slot of each body system, by completion marker -1..-4.
constexpr int kSystemSlot[kBodySystems] = {kSlotCirculatory, kSlotDigestive, kSlotRespiratory, kSlotNervous};

bool IsMarker(int level) { return level <= -1 && level >= -4; }

} // namespace

// The play state's own entry points, kept for its callers.
void CStatePlay::EndOfLevel(CGameApp& app) { CMissionEnd(*this).Step(app); }
void CStatePlay::DrawCompletionScreen() { CMissionEnd(*this).ShowCompletionScreen(); }

void CMissionEnd::Step(CGameApp& app)
{
    const bool cleared = play.aliens.empty() && play.eggs.empty() && play.boss.IsDead();
    if (!cleared && play.levelPoints >= 0)
        return;
    const int now = CTickTimer::Now();
    if (play.levelPoints < 0) {
        if (play.levelEndAt == 0) {
            g_audio.PlaySound("CRASH_SFX");
            play.flashUntil[0] = now + play.cvar_pup_det_flashtime;
        }
        for (int p = 0; p < kMaxPlayers; ++p)
            play.playerX[p] = play.playerY[p] = kLostPuckPosition;
    }
    if (play.gameMode == kModeWaves && play.levelPoints >= 0) {
        StartWave();
        return;
    }
    if (play.levelEndAt == 0) {
        if (play.levelPoints < play.cvar_pointsToWin) {
            play.levelEndAt = now + 2 * play.cvar_hSecBeforeLevelMoveOn;
            g_audio.SelectTrack(kRetryTrack);
        } else {
            play.ClearToys();
            play.levelEndAt = now + play.cvar_hSecBeforeLevelMoveOn;
        }
        return;
    }
    if (play.levelEndAt < now) {
        play.levelEndAt = 0;
        Finish(app);
    }
}

void CMissionEnd::StartWave()
{
    play.ClearEggs();
    const int level = ++play.level;
    const int n = 2 * level;
    const int minLife = std::max(10, 200 - 4 * level);
    const int maxLife = std::max(50, 800 - 17 * level);
    for (int i = 0; i < n; ++i) {
        auto egg = std::make_unique<CEgg>();
        egg->Init(minLife, maxLife, play.arenaLeft, play.arenaRight, play.arenaTop, play.arenaBottom, kPupPlainEgg, 0);
        play.eggs.push_back(std::move(egg));
    }
}

void CMissionEnd::Finish(CGameApp& app)
{
    if (play.levelPoints >= play.cvar_pointsToWin) {
        const int margin = play.levelPoints == play.cvar_pointsToWin ? 1 : play.levelPoints - play.cvar_pointsToWin;
        play.runTotal += margin;
        const int level = play.level;
        if (play.gameMode == kModeNormal && level >= 1 && level <= kLevelCount && margin > play.bestScores[level - 1])
            play.bestScores[level - 1] = margin;
        if (level % 10 != 0 && level != kLevelCount) {
            ++play.level;
        } else {
            play.level = -1 - (level - 1) / 10;
            ShowCompletionScreen();
        }
    }
    if (play.SetUpLevel() == 0)
        return;
    if (IsMarker(play.level) && play.gameMode == kModeNormal) {
        const int slot = kSystemSlot[-play.level - 1];
        play.bestScores[slot] = std::max(play.bestScores[slot], play.runTotal);
    }
    play.runTotal = 0;
    play.level = -1;
    play.SaveScoresAndLoadLevel(0);
    app.ChangeState(CStateIntro::Instance());
}

void CMissionEnd::ShowCompletionScreen()
{
    if (!IsMarker(play.level))
        return;
    g_audio.FlushSounds();
    g_audio.SelectTrack(kCompletionTrack);
    const std::vector<SLine>& lines = kCompletionTexts[-play.level - 1];
    ALFONT_FONT* font = g_fonts.Get("ANKLE_LG_TTF");
    CModalLoop loop;
    bool done = false;
    while (!done) {
        loop.ReadInput();
        if (g_controls.Mouse(2, kInputPressed) || g_controls.Key(KEY_SPACE, kInputPressed) ||
            g_controls.Key(KEY_ENTER, kInputPressed) || g_controls.Key(KEY_ESC, kInputPressed) ||
            g_controls.AnyPad(kPadA, kInputPressed) || g_controls.AnyPad(kPadB, kInputPressed) ||
            g_controls.AnyPad(kPadStart, kInputPressed) || g_controls.AnyPad(kPadBack, kInputPressed) ||
            CModalLoop::CloseRequested()) {
            done = true;
            g_timer.Reset();
        }
        const int now = CTickTimer::Now();
        const int colour = makecol(255, std::abs(127 - (now & 127)) + 127, std::abs(127 - ((now >> 2) & 127)) + 127);
        const int top = std::abs(4 - ((now >> 2) & 7)) + 125;
        if (BITMAP* bg = g_bitmaps.Get("BG_IMG"))
            blit(bg, g_display.backBuffer, 0, 0, 0, 0, kScreenW, kScreenH);
        for (const SLine& line : lines)
            ttf_textprintf_centre_aa(g_display.backBuffer, font, kScreenW / 2, top + 35 * line.index, colour, "%s",
                                     line.text);
        g_display.Present();
        // Scripted input comes after the frame: a headless run sees what the
        // screen showed before it presses anything.
        loop.EndPass();
    }
}
