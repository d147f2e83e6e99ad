#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "app/State.h"
#include "creatures/Alien.h"
#include "creatures/Boss.h"
#include "creatures/Egg.h"
#include "creatures/TickView.h"
#include "creatures/Toy.h"
#include "play/PlayArt.h"

constexpr int kLevelCount = 35; // ten to a body system, five in the last
constexpr int kBodySystems = 4;
// Best-score slots: 0..34 the levels, then one per body system.
enum EBestScoreSlot {
    kSlotCirculatory = kLevelCount,
    kSlotRespiratory = kLevelCount + 1,
    kSlotNervous = kLevelCount + 2,
    kSlotDigestive = kLevelCount + 3,
};
constexpr int kBestScoreSlots = kLevelCount + kBodySystems;
constexpr int kGameModes = 5;

enum EGameMode {
    kModeNormal = 0,
    kModeRandomMissions = 1,
    kModeLaserZap = 2,
    kModeCrossfire = 3,
    kModeWaves = 4,
};

// The play state: a game in progress, its level, tunables, entities and
// best scores. Its one object lives for the whole program.
class CStatePlay final : public CState {
public:
    static CStatePlay* Instance();

    void Enter() override;
    void Leave() override;
    void Pause() override {}
    void Resume() override {}
    void HandleInput(CGameApp& app) override;
    void Update(CGameApp& app) override;
    void Draw(CGameApp& app) override;

    // State definition files and the high-score file.
    int LoadState(const std::string& name, int keepOpen);
    int SaveScoresAndLoadLevel(int keepOpen);
    void CloseConfig();
    std::string LevelStateName() const;
    void LoadScores();
    void SaveScores();
    static int32_t ScoreChecksum(const int32_t* scores);

    // Level set-up: 0 when the level was built, 1 when there is no level.
    int SetUpLevel();
    // The level-select screen, run as a loop of its own from Enter.
    void RunLevelSelect();
    // The modal screen after a completed body system.
    void DrawCompletionScreen();

    // Entities.
    void ClearToys();
    void ClearEggs();
    void ClearAliens();
    void ClearAll();

    ToyList toys;     // placement order
    EggList eggs;     // ordered by y after set-up
    AlienList aliens; // hatching order
    CBoss boss;       // dead (health 0) in a level without a boss

    // Tunables, loaded from the level's state definition chain.
    int32_t cvar_hSecLaserPulse = 0;           // hundredths
    int32_t cvar_hSecBeforeLevelMoveOn = 0;    // hundredths
    int32_t cvar_hSecBeforeLevelStart = 0;     // hundredths
    int32_t cvar_hSecBeforeLevelStartSayGo = 0; // hundredths
    int32_t cvar_hSecEggMinLife = 0;           // hundredths
    int32_t cvar_hSecEggMaxLife = 0;           // hundredths
    int32_t cvar_crackWarningTime = 0;         // hundredths
    int32_t cvar_eggEdgeMargin = 0;            // pixels, unused by the rules
    float cvar_playerNormalizedStartX = 0;     // 0..1 of the arena width
    float cvar_playerNormalizedStartY = 0;     // 0..1 of the arena height
    int32_t cvar_crackRadius = 0;              // pixels
    float cvar_movePowerArrow = 0;             // pixels per tick
    float cvar_movePowerDropoff = 0;           // 0 full push to the end, 1 fades out
    float cvar_kickAwayPerc = 0;               // part of a pulse kicked back by a wall
    int32_t cvar_friendlyOdds = 0;             // percent
    int32_t cvar_alienEdgeInfect = 0;          // pixels
    float cvar_alienMoveSpeed = 0;             // pixels per tick
    float cvar_alienTransverseSpeed = 0;       // drift change per tick
    int32_t cvar_alienTransverseHSec = 0;      // hundredths
    float cvar_laserDropoffIntensity = 0;      // colour steps
    int32_t cvar_crackWarningDist = 0;         // pixels
    int32_t cvar_crackSolidShowTime = 0;       // hundredths
    int32_t cvar_crackFlickerShowTime = 0;     // hundredths
    int32_t cvar_pupSolidShowTime = 0;         // hundredths
    int32_t cvar_pupFlickerShowTime = 0;       // hundredths
    int32_t cvar_pointsToWin = 0;              // points
    float cvar_windXPower = 0;                 // pixels per tick
    float cvar_windYPower = 0;                 // pixels per tick
    int32_t cvar_windXInterval = 0;            // hundredths
    int32_t cvar_windYInterval = 0;            // hundredths
    float cvar_toyTCellBounce = 0;             // damping factor
    int32_t cvar_pup_plainegg_freq = 0;        // weight
    int32_t cvar_pup_magnetic_freq = 0;        // weight
    int32_t cvar_pup_disrupt_freq = 0;         // weight
    int32_t cvar_pup_mushroom_freq = 0;        // weight
    int32_t cvar_pup_trail_freq = 0;           // weight
    int32_t cvar_pup_speedup_freq = 0;         // weight
    int32_t cvar_pup_freeze_freq = 0;          // weight
    int32_t cvar_pup_precise_freq = 0;         // weight
    int32_t cvar_pup_detonate_freq = 0;        // weight
    float cvar_pup_magnetic_pullOnEggs = 0;    // part of the distance per tick
    float cvar_pup_magnetic_pullOnParasites = 0; // part of the distance per tick
    float cvar_pup_mushroom_laserWidthNormal = 0; // part of the puck size
    float cvar_pup_mushroom_laserWidthSuper = 0;  // part of the puck size
    int32_t cvar_pup_speedup_movePowerMult = 0;   // factor
    int32_t cvar_pup_freeze_time = 0;          // hundredths
    int32_t cvar_pup_precise_movePowerMult = 0; // factor
    int32_t cvar_pup_det_range = 0;            // pixels
    int32_t cvar_pup_det_damageToBoss = 0;     // health
    int32_t cvar_pup_det_flashtime = 0;        // hundredths

    int32_t level = 0;        // 1..35; -1 none; -1..-4 briefly after a completed system
    int32_t freezeUntil = 0;  // clock, 0 = no freeze
    int32_t levelPoints = 0;  // negative = level lost
    int32_t runTotal = 0;     // sum of winning margins since the level-select screen
    int32_t arenaLeft = 0, arenaTop = 0, arenaRight = 0, arenaBottom = 0; // pixels
    int32_t levelEndAt = 0;   // clock, 0 while the level runs
    int32_t levelStartAt = 0; // clock, end of the count-down
    float windX = 0, windY = 0;                // pixels per tick
    int32_t nextWindXFlip = 0, nextWindYFlip = 0; // clock
    int32_t eggsSmashed[kMaxPlayers] = {};
    int32_t aliensKilled[kMaxPlayers] = {};
    int32_t flashUntil[kMaxPlayers] = {};      // clock
    int32_t playerPowerFlags[kMaxPlayers] = {}; // bit n = power-up n
    float trailX[kTrailPoints][kMaxPlayers] = {}; // newest first, -50 = empty
    float trailY[kTrailPoints][kMaxPlayers] = {};
    int32_t laserA[kMaxPlayers] = {}, laserB[kMaxPlayers] = {}; // clock, pulse ends
    int32_t laserC[kMaxPlayers] = {}, laserD[kMaxPlayers] = {};
    float laserAFrac[kMaxPlayers] = {}, laserBFrac[kMaxPlayers] = {}; // part of a pulse left
    float laserCFrac[kMaxPlayers] = {}, laserDFrac[kMaxPlayers] = {};
    int32_t playerX[kMaxPlayers] = {}, playerY[kMaxPlayers] = {};  // pixels
    float playerFX[kMaxPlayers] = {}, playerFY[kMaxPlayers] = {};  // pixels
    float playerVX[kMaxPlayers] = {}, playerVY[kMaxPlayers] = {};  // pixels moved last tick
    int32_t numPlayers = 0;   // 1 or 2
    int32_t modeUnlocked[kGameModes] = {};
    int32_t gameMode = 0;     // EGameMode
    int32_t pausedAt = 0;     // clock held while paused, 0 = running
    int32_t bestScores[kBestScoreSlots] = {};
    bool scoresSavingOff = false; // score.yk could not be read or kept: never overwrite it this run
    bool laserOn = false;     // player 1's puck destroys
    bool leaveToTitle = false;
    bool goSounded = false;

    // The play state's view of this tick, handed to every creature update.
    STickView MakeTickView();

    // How far eggs and toys are kept from the start point and toys from eggs.
    int PlacementClearance() const { return static_cast<int>(cvar_crackRadius * 1.3); }

    // Weighted choice by cumulative sums: 0 when all weights are 0.
    static int WeightedChoice(const int* weights, int count);

    // What the play frame draws with; looked up again by the first frame
    // after the image or font registry has changed (SPlayArt::Refresh).
    SPlayArt art;

private:
    void HandleMovementKeys(int first, int pulseLen, int keyState);
    void HandleCrossfireMouse(int kick);
    void HandleLaserZapMouse(int kick);

    void UpdateWind();
    void ApplyPowerUps(int p);
    void Detonate(int p, int cx, int cy);
    void UpdateCreatures(const STickView& view);
    int Kick() const;
    void PowerReference(int p, int& x, int& y) const;

    void EndOfLevel(CGameApp& app); // CMissionEnd

    // Names of the state files being loaded, to stop a parent chain that loops.
    std::vector<std::string> loadChain;
    int32_t reach[kMaxPlayers] = {}; // smashing reach this tick, -1 = none
};
