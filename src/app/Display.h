#pragma once
#include <chrono>

#include "app/ScreenFit.h"

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

    // The pointer in frame coordinates (0..1023 x 0..767) whatever the
    // window's size and bars, held to the range the game last set.
    ScreenFit::SPoint Pointer() const;
    int PointerX() const { return Pointer().x; }
    int PointerY() const { return Pointer().y; }
    // Inclusive bounds in frame coordinates, as set_mouse_range takes them.
    void SetPointerRange(int left, int top, int right, int bottom);
    // Puts the pointer on a frame pixel (a pad's stick moves it).
    void MovePointer(int x, int y);

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

    // Where the frame shows on the output, and the output's size: the
    // frame itself until a window of another size is open.
    ScreenFit::SRect picture{0, 0, kScreenW, kScreenH};
    int outputW = kScreenW, outputH = kScreenH;

private:
    void CapFrameRate();
    // The library's own range: the whole output, so that it never holds the
    // pointer short of the picture; the game's range is applied in frame
    // coordinates.
    void SetLibraryMouseRange();

    ScreenFit::SRect pointerRange{0, 0, kScreenW, kScreenH}; // x, y, w, h

    BITMAP* presentTarget = nullptr;
    std::chrono::steady_clock::time_point nextFrame; // when the next capped frame may show
};

extern CDisplay g_display;
