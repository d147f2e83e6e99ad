#include <allegro.h>

#include <cstdio>
#include <string>

#include "app/CommandLine.h"
#include "app/Display.h"
#include "app/GameApp.h"
#include "app/GameHome.h"

int main(int argc, char** argv)
{
    const SCommandLine line = ParseCommandLine(argc, argv);
    const int answered = AnswerCommandLine(line, GameHome::kName, stdout, stderr);
    if (answered >= 0)
        return answered;
    std::string error;
    // Checked before any window opens: without data nothing could be shown
    // and nothing could be left.
    if (!GameHome::Prepare(error) || !GameHome::CheckData("data", error)) {
        std::fprintf(stderr, "%s: %s\n", CGameApp::kTitle, error.c_str());
        return CGameApp::kExitStartFailed;
    }
    g_display.fullscreenOverride = line.fullscreen;
    CGameApp app;
    return app.Main();
}
END_OF_MAIN()
