#pragma once
// A pass hook for the modal loops (the level-select screen, its help screen,
// the completion screen) that gives up after too many passes: when a change
// breaks the way out, the test fails instead of hanging.
#include <functional>
#include <memory>
#include <stdexcept>

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
