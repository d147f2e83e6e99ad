// yk-lint [STATE...]: checks the state definition files under data/states/
// (all of them when none is named) and prints one line per problem. Run it
// where the game runs: the working directory holds data/.
#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "LevelLint.h"
#include "play/StatePlay.h"

int main(int argc, char** argv)
{
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "yk-lint: cannot start Allegro\n");
        return 2;
    }
    set_color_depth(16);
    static CStatePlay play; // large; the game keeps it in static storage too
    CLevelLint lint(play);
    if (argc > 1) {
        for (int i = 1; i < argc; ++i)
            lint.LintFile(argv[i]);
    } else {
        lint.LintAll();
    }
    for (const std::string& line : lint.Problems())
        std::printf("%s\n", line.c_str());
    std::printf("yk-lint: %zu problem%s\n", lint.Problems().size(), lint.Problems().size() == 1 ? "" : "s");
    return lint.Problems().empty() ? 0 : 1;
}
