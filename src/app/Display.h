#pragma once
#include <functional>
#include <string>

#include "app/FramePacer.h"
#include "app/FrameScaler.h"
#include "app/ScreenFit.h"

struct BITMAP;

// The game always runs at this size; drawing code may rely on it even
// without a graphics driver (headless tests and tools).
constexpr int kScreenW = 1024;
constexpr int kScreenH = 768;

// The graphics mode, the back buffer every state draws into, and the
// game's own spinning cursor.
//
// Full screen is a window the size of the monitor the game starts on, at
// the monitor's own resolution, that asks the window manager for full
// screen: the screen's mode is never switched and nothing is grabbed. A
// window is the frame times a scale that fits the monitor. Either way the
// 1024 x 768 frame is scaled when it is presented, and the pointer comes
// back in frame coordinates.
class CDisplay {
public:
    static constexpr int kCursorSize = 29;

    int Init(const char* title, int width, int height, int depth, bool fullscreen);
    // Reads "game"/"fullscreen" from settings.ini (left current) and writes it back as 1 or 0.
    bool ReadSettings();
    int CreateBuffers();
    int DestroyBuffers();
    // Draws the cursor and, when a frame is due, shows the back buffer.
    void Present();
    // Whether the next Present would show its frame (the pace allows it).
    bool FrameDue() const;
    // Sleeps until a frame is due or wakeUp says so; the main loop's only wait.
    void WaitForFrame(const std::function<bool()>& wakeUp) const;
    // Full screen to window or back (F11, Alt+Enter), written to settings.ini.
    void ToggleFullscreen();
    // Makes the display follow g_settings (the settings screen changed
    // them): a new mode only when full screen, scaling or window size differ.
    void ApplySettings();
    bool IsFullscreen() const { return fullscreen; }
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

    CFramePacer pacer; // no cap until a mode is open: headless runs present every frame

private:
    // Opens the game's own window for the mode, on the monitor under the
    // pointer; false when it cannot be opened (or there is no X desktop).
    bool OpenWindow(bool wantFullscreen);
    // The library's modes in their old order, at the frame's own size.
    bool OpenFallback(bool wantFullscreen);
    bool OpenMode(bool wantFullscreen);
    void SetWindowIcon();
    // The library's own range: the whole output, so that it never holds the
    // pointer short of the picture; the game's range is applied in frame
    // coordinates.
    void SetLibraryMouseRange();

    static std::string ModeSettings();
    static constexpr int kFocusSettle = 1000; // ms a new window's focus change is not the player's

    ScreenFit::SRect pointerRange{0, 0, kScreenW, kScreenH}; // x, y, w, h
    std::string openedAs; // ModeSettings() of the open mode
    double refresh = 0;   // the monitor's, 0 when unknown

    BITMAP* presentTarget = nullptr;
    std::string title;
    bool fullscreen = false;
    bool scaledScreen = false; // the screen is the game's own window, shown through the scaler
    CFrameScaler scaler;
};

extern CDisplay g_display;
