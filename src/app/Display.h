#pragma once
#include <chrono>

struct BITMAP;

// The game always runs at this size; drawing code may rely on it even
// without a graphics driver (headless tests and tools).
constexpr int kScreenW = 1024;
constexpr int kScreenH = 768;

// The graphics mode, the back buffer every state draws into, and the
// game's own spinning cursor.
class CDisplay {
public:
    static constexpr int kCursorSize = 29;

    int Init(const char* title, int width, int height, int depth, bool fullscreen);
    // Reads "game"/"fullscreen" from settings.ini (left current) and writes it back as 1 or 0.
    bool ReadSettings();
    int CreateBuffers();
    int DestroyBuffers();
    void Present();
    void SetCursorVisible(bool visible) { cursorVisible = visible; }
    void ConfineMouse();
    void SetWindowTitle(const char* title);

    // Where Present copies the frame: the screen, or a memory bitmap when
    // running headless (tests, benchmarks, the autopilot).
    void SetPresentTarget(BITMAP* target) { presentTarget = target; }

    int fullscreenOverride = -1;    // from the command line: -1 none, else this run only
    int maxFps = 0;                 // settings.ini [game] maxfps: frames a second at most, 0 no cap

    BITMAP* backBuffer = nullptr;   // 1024 x 768 memory bitmap
    BITMAP* cursorSprite = nullptr; // 29 x 29, mask colour outside the ring
    int cursorSize = 0;             // pixels
    int cursorHalf = 0;             // pixels
    bool cursorVisible = false;
    int cursorAngle = 0;            // Allegro angle units, 0..255

private:
    void CapFrameRate();

    BITMAP* presentTarget = nullptr;
    std::chrono::steady_clock::time_point nextFrame; // when the next capped frame may show
};

extern CDisplay g_display;
