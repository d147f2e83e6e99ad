#pragma once
#include <atomic>
#include <vector>

class CState;

// The application object: the state stack, the running flag, start-up,
// the main loop and shut-down.
class CGameApp {
public:
    static constexpr const char* kTitle = "Yolvar Krandel";
    // WM_CLASS, the same as StartupWMClass in the desktop entry.
    static constexpr const char* kWindowName = "yolvar-krandel";
    static constexpr const char* kWindowClass = "Yolvar-krandel";
    static constexpr int kExitStartFailed = 2;

    int Init(const char* title, int width, int height, int depth, bool fullscreen);
    int Start();
    void Release();
    int Shutdown();

    bool IsRunning() const { return running; }
    void Quit() { running = false; }

    void ChangeState(CState* state);
    void PushState(CState* state);
    void PopState();
    CState* Current() const { return states.empty() ? nullptr : states.back(); }

    void HandleInput();
    void Update();
    void Draw();

    // Works off every pending tick, then draws one frame.
    void RunFrame();
    // The whole program: start-up, main loop, shut-down; returns the exit code.
    int Main();

    void SetRunning(bool value) { running = value; }

    // The window's close button and the quit signals: the library calls
    // RequestClose on its own thread, the signal handler wherever the signal
    // lands (the flag is a lock-free atomic, safe there); the main loop and
    // every modal loop end as soon as they see it.
    static void RequestClose() { closeRequested = true; }
    static bool CloseRequested() { return closeRequested; }
    static void ClearCloseRequest() { closeRequested = false; }

private:
    // The library started, tried again a few times while an X display is set.
    static bool InstallLibrary();
    std::vector<CState*> states; // the stack; back() is current, not owned
    bool running = false;
    static std::atomic<bool> closeRequested;
};
