#pragma once
#include <string>

#include "input/VirtualPad.h"

// Test seam for the end-to-end tests, never used by players: when
// YK_TEST_PAD_FIFO names a FIFO, the game reads lines from it at each poll
// and works a virtual pad with them: "attach", "detach", "press A",
// "release A" (A B Y Start Back Up Down Left Right), "tilt LeftX -32768"
// (LeftX LeftY RightX RightY). Anything else is named on stderr and skipped.
class CPadScript {
public:
    static constexpr const char* kVariable = "YK_TEST_PAD_FIFO";

    // Opens the FIFO the variable names, if it does; never waits for a writer.
    void OpenFromEnvironment();
    void Close();
    // Works every whole line that has arrived.
    void Run();

    // One line; false when it is not a command.
    bool Apply(const std::string& line);

private:
    int fd = -1;
    std::string pending;
    CVirtualPad pad;
};

extern CPadScript g_padScript;
