#include "play/ModalLoop.h"

#include "app/GameApp.h"
#include "audio/Audio.h"
#include "input/Controls.h"

std::function<void()> g_modalPassHook;

void CModalLoop::RunHook()
{
    if (g_modalPassHook)
        g_modalPassHook();
}

void CModalLoop::ReadInput()
{
    g_controls.Poll();
    g_audio.Update();
}

void CModalLoop::BeginPass()
{
    RunHook();
    ReadInput();
}

void CModalLoop::NextPass()
{
    Wait();
    BeginPass();
}

void CModalLoop::EndPass()
{
    RunHook();
    Wait();
}

bool CModalLoop::CloseRequested() { return CGameApp::CloseRequested(); }
