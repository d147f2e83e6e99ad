#include "app/GameApp.h"

#include <allegro.h>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>
#include <cstdlib>

#include "app/Display.h"
#include "app/QuitSignals.h"
#include "app/State.h"
#include "app/TickTimer.h"
#include "app/XDesktop.h"
#include "audio/Audio.h"
#include "frontend/StateIntro.h"
#include "input/Controls.h"
#include "text/Ttf.h"

std::atomic<bool> CGameApp::closeRequested{false};

bool CGameApp::InstallLibrary()
{
    // An X server under load now and then refuses a new client for a
    // moment (seen on busy machines, and at the start of a session): a
    // few tries a fifth of a second apart, before the game gives up.
    constexpr int kTries = 3;
    for (int attempt = 1; attempt <= kTries; ++attempt) {
        if (install_allegro(SYSTEM_AUTODETECT, &errno, atexit) == 0)
            return true;
        if (!std::getenv("DISPLAY") || attempt == kTries)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return false;
}

int CGameApp::Init(const char* title, int width, int height, int depth, bool fullscreen)
{
    // Before the library opens its window: docks match it to the desktop entry by this.
    XDesktop::SetClass(kWindowName, kWindowClass);
    QuitSignals::Install(); // what the library keeps and puts back when it ends
    if (!InstallLibrary()) {
        std::fprintf(stderr, "%s: cannot start the Allegro library: %s\n", title,
                     allegro_error[0] ? allegro_error : "no system driver");
        return 1;
    }
    QuitSignals::Install(); // over the library's own, which abort
    install_timer();
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    if (g_display.Init(title, width, height, depth, fullscreen) != 0)
        return 1;
    set_close_button_callback(RequestClose);
    g_audio.Init();
    g_controls.Init();
    running = true;
    return 0;
}

int CGameApp::Start()
{
    return g_audio.StartMusic() | g_display.CreateBuffers();
}

void CGameApp::Release()
{
    g_audio.SaveSettings();
    g_display.DestroyBuffers();
}

int CGameApp::Shutdown()
{
    Release();
    ttf_exit();
    remove_timer();
    g_controls.Remove();
    allegro_exit();
    running = false;
    return 0;
}

void CGameApp::ChangeState(CState* state)
{
    if (!states.empty()) {
        states.back()->Leave();
        states.pop_back();
    }
    states.push_back(state);
    state->Enter();
}

void CGameApp::PushState(CState* state)
{
    if (!states.empty())
        states.back()->Pause();
    states.push_back(state);
    state->Enter();
}

void CGameApp::PopState()
{
    if (states.empty())
        return;
    states.back()->Leave();
    states.pop_back();
    if (!states.empty())
        states.back()->Resume();
}

void CGameApp::HandleInput()
{
    if (CState* s = Current())
        s->HandleInput(*this);
}

void CGameApp::Update()
{
    if (CState* s = Current())
        s->Update(*this);
}

void CGameApp::Draw()
{
    g_audio.Update();
    if (CState* s = Current())
        s->Draw(*this);
}

void CGameApp::RunFrame()
{
    // No cap on ticks per frame: logic never falls behind, drawing does.
    while (g_timer.Pending()) {
        HandleInput();
        if (CloseRequested())
            break; // a modal loop was closed: nothing more for this state
        Update();
        g_timer.Consume();
    }
    if (CloseRequested()) {
        Quit(); // as leaving through the title: shut-down saves the settings
        return;
    }
    // Frames go out at the display's pace; until the next one is due the
    // loop sleeps, waking at once for a tick.
    if (!g_display.FrameDue()) {
        g_display.WaitForFrame([] { return g_timer.Pending() || CloseRequested(); });
        if (!g_display.FrameDue())
            return;
    }
    Draw();
}

int CGameApp::Main()
{
    if (Init(kTitle, 1024, 768, 0, false) != 0)
        return kExitStartFailed;
    if (Start() != 0) {
        Release();
        return kExitStartFailed;
    }
    g_timer.Install();
    ChangeState(CStateIntro::Instance());
    while (IsRunning())
        RunFrame();
    return Shutdown();
}
