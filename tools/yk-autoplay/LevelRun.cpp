#include "LevelRun.h"

#include <allegro.h>
#include <loadpng.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "Bot.h"
#include "app/Display.h"
#include "app/TickTimer.h"
#include "audio/Audio.h"
#include "testkit/HeadlessPlay.h"
#include "play/StatePlay.h"

namespace {

constexpr int kStartClock = 1000;    // hundredths; any fixed value keeps runs alike
constexpr long kTickLimit = CTickTimer::kTicksPerSecond * 600; // ten minutes of play, then the level counts as lost
constexpr long kSnapshotTick = CTickTimer::kTicksPerSecond * 5; // five seconds in: "Go!" is past and play is on

void SaveSnapshot(const std::string& dir, const std::string& name)
{
    if (!g_display.backBuffer)
        return;
    const std::string path = dir + "/level-" + name + ".png";
    if (save_png(path.c_str(), g_display.backBuffer, nullptr) != 0)
        std::fprintf(stderr, "yk-autoplay: cannot write %s\n", path.c_str());
}

void HoldKeys(int keys)
{
    CHeadlessPlay::SetKey(KEY_RIGHT, keys & kBotRight);
    CHeadlessPlay::SetKey(KEY_LEFT, keys & kBotLeft);
    CHeadlessPlay::SetKey(KEY_UP, keys & kBotUp);
    CHeadlessPlay::SetKey(KEY_DOWN, keys & kBotDown);
}

} // namespace

bool SLevelChoice::Parse(const std::string& text, SLevelChoice& choice)
{
    const bool random = !text.empty() && text.back() == 'r';
    const std::string digits = text.substr(0, text.size() - (random ? 1 : 0));
    if (digits.empty() || digits.size() > 2 || digits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const int n = std::atoi(digits.c_str());
    if (n < 1 || n > (random ? kBodySystems : kLevelCount))
        return false;
    choice.name = text;
    choice.gameMode = random ? kModeRandomMissions : kModeNormal;
    choice.level = random ? (n - 1) * 10 + 1 : n;
    choice.seed = random ? 50000u + 17u * n : 1000u + 7919u * n;
    return true;
}

std::vector<SLevelChoice> SLevelChoice::Campaign()
{
    std::vector<SLevelChoice> all;
    SLevelChoice choice;
    for (int n = 1; n <= kLevelCount; ++n)
        if (Parse(std::to_string(n), choice))
            all.push_back(choice);
    for (int n = 1; n <= kBodySystems; ++n)
        if (Parse(std::to_string(n) + "r", choice))
            all.push_back(choice);
    return all;
}

SLevelResult RunLevel(const SLevelChoice& choice, const std::vector<uint8_t>* keys, const std::string& snapshotDir)
{
    SLevelResult result;
    result.choice = choice;
    std::srand(choice.seed);
    CTickTimer::SetNow(kStartClock);
    CHeadlessPlay::ReleaseAllKeys();
    auto play = std::make_unique<CStatePlay>();
    CHeadlessPlay run(*play);
    if (!snapshotDir.empty())
        run.LoadAssets();
    if (run.StartLevel(choice.level, 1, choice.gameMode) != 0)
        return result;
    result.target = play->cvar_pointsToWin;
    CBot bot;
    const bool trace = std::getenv("YK_AUTOPLAY_TRACE") != nullptr; // a tick-by-tick log for tuning
    const long limit = keys ? static_cast<long>(keys->size()) : kTickLimit;
    while (run.ticks < limit) {
        const int held = keys ? (*keys)[run.ticks] : bot.Decide(*play);
        if (trace)
            std::fprintf(stderr, "%ld puck %d,%d pts %d keys %d boss %d,%d hp %d eggs %zu aliens %zu lasers %d %d %d %d now %d\n", run.ticks,
                         play->playerX[0], play->playerY[0], play->levelPoints, held, play->boss.x, play->boss.y,
                         play->boss.health, play->eggs.size(), play->aliens.size(), play->laserA[0], play->laserB[0], play->laserC[0], play->laserD[0], CTickTimer::Now());
        result.keys.push_back(static_cast<uint8_t>(held));
        HoldKeys(held);
        run.Tick(); // draws a frame too: open shells expire in drawing
        if (run.ticks == kSnapshotTick && !snapshotDir.empty())
            SaveSnapshot(snapshotDir, choice.name);
        g_audio.FlushSounds();
        if (play->levelEndAt != 0 || play->levelPoints < 0)
            break;
    }
    CHeadlessPlay::ReleaseAllKeys();
    result.ticks = run.ticks;
    result.points = play->levelPoints;
    result.timedOut = play->levelEndAt == 0 && play->levelPoints >= 0;
    result.won = !result.timedOut && play->levelPoints >= play->cvar_pointsToWin;
    play->ClearAll();
    return result;
}
