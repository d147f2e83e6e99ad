// The end of a level: losing, waves, moving on or retrying, best scores,
// completed body systems and their congratulation screen.
#include <allegro.h>

#include <algorithm>
#include <cstdlib>
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

void CStatePlay::EndOfLevel(CGameApp& app)
{
    const bool cleared = aliens.empty() && eggs.empty() && boss.IsDead();
    if (!cleared && levelPoints >= 0)
        return;
    const int now = CTickTimer::Now();
    if (levelPoints < 0) {
        if (levelEndAt == 0) {
            g_audio.PlaySound("CRASH_SFX");
            flashUntil[0] = now + cvar_pup_det_flashtime;
        }
        for (int p = 0; p < kMaxPlayers; ++p)
            playerX[p] = playerY[p] = kLostPuckPosition;
    }
    if (gameMode == kModeWaves && levelPoints >= 0) {
        StartWave();
        return;
    }
    if (levelEndAt == 0) {
        if (levelPoints < cvar_pointsToWin) {
            levelEndAt = now + 2 * cvar_hSecBeforeLevelMoveOn;
            g_audio.SelectTrack(kRetryTrack);
        } else {
            ClearToys();
            levelEndAt = now + cvar_hSecBeforeLevelMoveOn;
        }
        return;
    }
    if (levelEndAt < now) {
        levelEndAt = 0;
        FinishLevel(app);
    }
}

void CStatePlay::StartWave()
{
    ClearEggs();
    ++level;
    const int n = 2 * level;
    const int minLife = std::max(10, 200 - 4 * level);
    const int maxLife = std::max(50, 800 - 17 * level);
    for (int i = 0; i < n; ++i) {
        auto egg = std::make_unique<CEgg>();
        egg->Init(minLife, maxLife, arenaLeft, arenaRight, arenaTop, arenaBottom, kPupPlainEgg, 0);
        eggs.push_back(std::move(egg));
    }
}

void CStatePlay::FinishLevel(CGameApp& app)
{
    if (levelPoints >= cvar_pointsToWin) {
        const int margin = levelPoints == cvar_pointsToWin ? 1 : levelPoints - cvar_pointsToWin;
        runTotal += margin;
        if (gameMode == kModeNormal && level >= 1 && level <= kLevelCount && margin > bestScores[level - 1])
            bestScores[level - 1] = margin;
        if (level % 10 != 0 && level != kLevelCount) {
            ++level;
        } else {
            level = -1 - (level - 1) / 10;
            DrawCompletionScreen();
        }
    }
    if (SetUpLevel() == 0)
        return;
    if (IsMarker(level) && gameMode == kModeNormal) {
        const int slot = kSystemSlot[-level - 1];
        bestScores[slot] = std::max(bestScores[slot], runTotal);
    }
    runTotal = 0;
    level = -1;
    SaveScoresAndLoadLevel(0);
    app.ChangeState(CStateIntro::Instance());
}

void CStatePlay::DrawCompletionScreen()
{
    if (!IsMarker(level))
        return;
    g_audio.FlushSounds();
    g_audio.SelectTrack(kCompletionTrack);
    const std::vector<SLine>& lines = kCompletionTexts[-level - 1];
    ALFONT_FONT* font = g_fonts.Get("ANKLE_LG_TTF");
    bool done = false;
    while (!done) {
        g_audio.Update();
        g_controls.Poll();
        if (g_controls.Mouse(2, kInputPressed) || g_controls.Key(KEY_SPACE, kInputPressed) ||
            g_controls.Key(KEY_ENTER, kInputPressed) || g_controls.Key(KEY_ESC, kInputPressed) ||
            CGameApp::CloseRequested()) {
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
        ModalLoopPass();
    }
}
