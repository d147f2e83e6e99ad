#pragma once
#include <functional>

// The completion screen's loop calls this once per pass: it is paced like
// the level-select screen, and headless runs script input for the next pass.
void ModalLoopPass();

// Called once per pass of a modal loop when set (tests and the autopilot).
extern std::function<void()> g_modalPassHook;
