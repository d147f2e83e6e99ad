#pragma once
#include <cstdint>

// Holds a modal loop (level select, help screen) to one pass per hundredth
// of a second, so whatever moves a fixed step per pass moves at the same
// speed on every machine and the loop does not spin a core. Without an
// installed timer (headless runs) nothing advances the clock, so it does
// not wait at all.
class CLoopPacer {
public:
    static constexpr int kMaxWaitMs = 20; // a stopped clock never hangs the loop

    void Wait();

private:
    int32_t lastPass = 0; // hundredths clock at the previous pass
};
