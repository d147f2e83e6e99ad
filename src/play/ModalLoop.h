#pragma once
#include <functional>

// Loops that run outside the main loop (the completion screen) call this
// once per pass: it paces them to about 100 passes per second when the
// timer runs, and lets headless runs script input for the next pass.
void ModalLoopPass();

// Called once per pass of a modal loop when set (tests and the autopilot).
extern std::function<void()> g_modalPassHook;
