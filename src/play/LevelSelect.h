#pragma once
#include <functional>

#include "play/ModalLoop.h"

struct BITMAP;
struct ALFONT_FONT;
class CStatePlay;

// Set the first time the options bar starts to close; from then on the hint
// that tells where the bar is stays hidden until the program ends.
extern int optionsHintDone;

// Images and fonts of the level-select screen, looked up once when it opens.
struct SLevelSelectArt {
    BITMAP* bar = nullptr;         // LEV_BAR_IMG, the options bar
    BITMAP* picture = nullptr;     // LEV_SEL_IMG, the four systems
    BITMAP* glow = nullptr;        // LEV_SEL_G_IMG, the same highlighted
    BITMAP* spinner = nullptr;     // P_SPIN_IMG, one or two players
    BITMAP* volumeScale = nullptr; // V_SCALE_IMG
    BITMAP* modeLocked = nullptr;  // MODE_NO_IMG, five 12-pixel rows
    BITMAP* modeChosen = nullptr;  // MODE_YES_IMG
    BITMAP* modeFree = nullptr;    // MODE_HERE_IMG
    BITMAP* bomb = nullptr;        // F_BOMB_IMG, erases the best scores
    BITMAP* help = nullptr;        // HELP_IMG
    BITMAP* settings = nullptr;    // SETTINGS_IMG, the settings screen's backdrop
    ALFONT_FONT* huge = nullptr;   // ANKLE_HG_TTF
    ALFONT_FONT* large = nullptr;  // ANKLE_LG_TTF
    ALFONT_FONT* medium = nullptr; // ANKLE_MD_TTF

    void LookUp();
};

// The level-select screen: one of the four body systems on a picture cut
// into quadrants, an options bar that slides down from the top edge
// (players, volumes, game mode, erase scores), the best scores and a help
// screen. It runs as a loop of its own on the play state's object and ends
// by setting up the chosen level.
class CLevelSelect {
public:
    // Quadrants of the picture: 0 upper left, 1 upper right, 2 lower left, 3 lower right.
    struct SQuadrant {
        int firstLevel;   // level a choice starts
        int firstSlot;    // best-score slot of its first level
        int levels;       // levels listed
        int overallSlot;  // best-score slot of the whole system
    };
    static const SQuadrant kQuadrants[4];
    static constexpr int kLockedQuadrant = 2;
    static constexpr int kBarStep = 5;        // pixels per pass
    static constexpr int kSpinStep = 3;       // angle units per pass
    static constexpr int kBombPasses = 45;    // held longer than this arms the bomb
    static constexpr int kTopStrip = 20;      // pixels: pointer here opens the bar
    static constexpr int kMiddleStrip = 50;   // pixels either side of the centre line

    explicit CLevelSelect(CStatePlay& owner) : play(owner) {}

    // Loads the image, sound and font sets the menu and play draw from.
    static void LoadAssets();
    // Unlocks, game mode fall-back and the loop's start values; art is set first.
    void Open();
    // Passes until a choice or Escape has set up the level.
    void Run();
    // One pass of the loop; false once the loop has ended.
    bool Pass();

    // The pass, step by step.
    void SlideBar();
    void PointAtOpenBar(int mx, int my);
    void PointAtClosedBar(int mx, int my);
    void PointByPad();
    void HoldOnBar(int mx, int my);
    void TurnSpinner();
    void ShowHelp();
    void ShowSettings();
    void Choose();
    int Highlight(); // sets the level of the pointed quadrant; its index or -1
    void EraseScores();
    void Finish();

    void DrawBar() const;
    void DrawPicture(int quadrant) const;
    void DrawScores() const;
    void DrawHints() const;

    bool BarOpen() const { return panelHeight > 0 && panelOffset == panelHeight; }
    bool LowerLeftUnlocked() const;
    static int ColumnAt(int mx);
    static int VolumeAt(int mx);
    static int SnapVolume(int volume);
    static int ModeRowAt(int my);

    SLevelSelectArt art;

    int panelHeight = 0;   // pixels, height of the bar image
    int panelOffset = 0;   // pixels the bar has slid down, 0..panelHeight
    int pointerColumn = 0; // -1 middle strip, 0 left, 1 right
    int pointerRow = 0;    // -1 top strip, 0 upper half, 1 lower half
    int spinAngle = 0;     // angle units, turns toward numPlayers * 128
    int bombHold = 0;      // passes held on the bomb
    int startChosen = 0;   // the loop ends at the next pass
    int leftState = 2;     // input state the left button binding asks for

private:
    bool HelpClosed() const;
    void DrawLocked(int x0, int y0, int base) const;
    void DrawQuadrantScores(int k, int x0, int y0, int base) const;

    CStatePlay& play;
    CModalLoop loop;
};
