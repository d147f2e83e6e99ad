#pragma once
// A pass hook for the modal loops (the level-select screen, its help screen,
// the completion screen) that gives up after too many passes: when a change
// breaks the way out, the test fails instead of hanging.
#include <functional>
#include <memory>
#include <stdexcept>

#include "app/GameApp.h"

inline std::function<void()> Guarded(std::function<void()> hook, int maxPasses = 200)
{
    auto passes = std::make_shared<int>(0);
    return [hook = std::move(hook), passes, maxPasses] {
        if (++*passes > maxPasses)
            throw std::runtime_error("a modal loop never ended");
        if (hook)
            hook();
    };
}

// The window's close button, pressed from a pass hook; let go again when the
// test ends, so that no later test starts with it pressed.
struct SCloseButton {
    ~SCloseButton() { CGameApp::ClearCloseRequest(); }
    void Press() { CGameApp::RequestClose(); }
};
